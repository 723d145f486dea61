// The archiver's command line: split by the Windows C runtime's documented
// rules, and read as the program's packing and extraction lines mean it.
#include "arch/command_line.h"

#include <gtest/gtest.h>

using arch::Command;
using arch::Options;
using arch::ParseOptions;
using arch::SplitArguments;
using arch::SplitCommandLine;
using Args = std::vector<std::string>;

// The examples of Microsoft's "Parsing C++ command-line arguments".
TEST(SplitArguments, DocumentedExamples)
{
    EXPECT_EQ(SplitArguments(R"("abc" d e)"), (Args{"abc", "d", "e"}));
    EXPECT_EQ(SplitArguments(R"(a\\b d"e f"g h)"), (Args{R"(a\\b)", "de fg", "h"}));
    EXPECT_EQ(SplitArguments(R"(a\\\"b c d)"), (Args{R"(a\"b)", "c", "d"}));
    EXPECT_EQ(SplitArguments(R"(a\\\\"b c" d e)"), (Args{R"(a\\b c)", "d", "e"}));
    EXPECT_EQ(SplitArguments(R"(a"b"" c d)"), (Args{R"(ab" c d)"}));
}

TEST(SplitArguments, BackslashesBeforeAQuote)
{
    // 2n backslashes then a quote: n backslashes, the quote groups.
    EXPECT_EQ(SplitArguments(R"("a\\" b)"), (Args{R"(a\)", "b"}));
    EXPECT_EQ(SplitArguments(R"("a\\\\" b)"), (Args{R"(a\\)", "b"}));
    // 2n+1: n backslashes and a literal quote, still inside the group.
    EXPECT_EQ(SplitArguments(R"("a\" b")"), (Args{R"(a" b)"}));
    // Backslashes not before a quote are literal, however many.
    EXPECT_EQ(SplitArguments(R"(c:\x\\y\ z)"), (Args{R"(c:\x\\y\)", "z"}));
}

TEST(SplitArguments, BlanksAndEmptyArguments)
{
    EXPECT_EQ(SplitArguments("  a\t\tb  "), (Args{"a", "b"}));
    EXPECT_EQ(SplitArguments(R"(a "" b)"), (Args{"a", "", "b"}));
    EXPECT_EQ(SplitArguments(""), Args{});
    // An unclosed quote runs to the end.
    EXPECT_EQ(SplitArguments(R"("a b)"), (Args{"a b"}));
}

TEST(SplitCommandLine, ProgramNameHasNoBackslashRules)
{
    EXPECT_EQ(SplitCommandLine(R"("c:\my dir\arch.exe" -h)"), (Args{R"(c:\my dir\arch.exe)", "-h"}));
    EXPECT_EQ(SplitCommandLine(R"(c:\dir\arch.exe\ -h)"), (Args{R"(c:\dir\arch.exe\)", "-h"}));
}

TEST(CommandLine, ThePackingLineAsTheProgramSendsIt)
{
    const std::string line =
        R"("c:\corvane\res\utilities\ambrel\arch.exe" -m LZX:21 -r -p -P "documents\ambrel\temp\\" N "c:\documents\show.ambd" "c:\documents\ambrel\temp\show\*.*")";
    const Args args = SplitCommandLine(line);
    ASSERT_EQ(args, (Args{R"(c:\corvane\res\utilities\ambrel\arch.exe)", "-m", "LZX:21", "-r", "-p", "-P",
                          R"(documents\ambrel\temp\)", "N", R"(c:\documents\show.ambd)",
                          R"(c:\documents\ambrel\temp\show\*.*)"}));

    Options options;
    std::string error;
    ASSERT_TRUE(ParseOptions(Args(args.begin() + 1, args.end()), options, error)) << error;
    EXPECT_EQ(options.command, Command::Create);
    EXPECT_EQ(options.compression, 0x1503); // LZX with a 2^21 window
    EXPECT_FALSE(options.fast) << "the program packs at the default level";
    EXPECT_TRUE(options.recurse);
    EXPECT_TRUE(options.keepPaths);
    EXPECT_FALSE(options.overwrite);
    EXPECT_EQ(options.stripPrefix, R"(documents\ambrel\temp\)");
    EXPECT_EQ(options.cabinet, R"(c:\documents\show.ambd)");
    EXPECT_EQ(options.operands, Args{R"(c:\documents\ambrel\temp\show\*.*)"});
}

TEST(CommandLine, TheExtractionLineAsTheProgramSendsIt)
{
    // The program path is not quoted on this line.
    const std::string line =
        R"(c:\corvane\res\utilities\ambrel\arch.exe -o -m LZX:21 -r -p X "c:\x\show.ambd" "c:\documents\ambrel\temp\\")";
    const Args args = SplitCommandLine(line);
    ASSERT_EQ(args, (Args{R"(c:\corvane\res\utilities\ambrel\arch.exe)", "-o", "-m", "LZX:21", "-r", "-p", "X",
                          R"(c:\x\show.ambd)", R"(c:\documents\ambrel\temp\)"}));
    Options options;
    std::string error;
    ASSERT_TRUE(ParseOptions(Args(args.begin() + 1, args.end()), options, error)) << error;
    EXPECT_EQ(options.command, Command::Extract);
    EXPECT_TRUE(options.overwrite);
    EXPECT_TRUE(options.keepPaths);
    EXPECT_EQ(options.cabinet, R"(c:\x\show.ambd)");
    EXPECT_EQ(options.operands, Args{R"(c:\documents\ambrel\temp\)"});
}

TEST(CommandLine, PathsWithSpacesStayWhole)
{
    const Args args = SplitArguments(
        R"(-m MSZIP -r -p -P "my data\ambrel\temp\\" N "c:\my data\my show.ambd" "c:\my data\ambrel\temp\my show\*.*")");
    Options options;
    std::string error;
    ASSERT_TRUE(ParseOptions(args, options, error)) << error;
    EXPECT_EQ(options.stripPrefix, R"(my data\ambrel\temp\)");
    EXPECT_EQ(options.cabinet, R"(c:\my data\my show.ambd)");
    EXPECT_EQ(options.operands, Args{R"(c:\my data\ambrel\temp\my show\*.*)"});
}

TEST(CommandLine, CompressionMethods)
{
    Options options;
    std::string error;
    const std::pair<const char*, uint16_t> methods[] = {{"NONE", 0x0000},   {"MSZIP", 0x0001},  {"mszip", 0x0001},
                                                        {"LZX:15", 0x0F03}, {"LZX:18", 0x1203}, {"lzx:21", 0x1503}};
    for (const auto& m : methods) {
        ASSERT_TRUE(ParseOptions({"-m", m.first, "L", "x.cab"}, options, error)) << m.first << ": " << error;
        EXPECT_EQ(options.compression, m.second) << m.first;
    }
    ASSERT_TRUE(ParseOptions({"-m", "LZX", "-f", "N", "x.cab", "f"}, options, error)) << error;
    EXPECT_EQ(options.compression, 0x1503);
    EXPECT_TRUE(options.fast);
    ASSERT_TRUE(ParseOptions({"-x", "-j", "3", "-m", "LZX", "N", "x.cab", "f"}, options, error)) << error;
    EXPECT_TRUE(options.best);
    EXPECT_FALSE(options.fast);
    EXPECT_EQ(options.threads, 3);
    ASSERT_TRUE(ParseOptions({"-m", "LZX", "N", "x.cab", "f"}, options, error)) << error;
    EXPECT_EQ(options.threads, 0) << "one thread per processor unless -j says otherwise";
    for (const char* bad : {"LZX:14", "LZX:22", "LZX:2", "QUANTUM", "zip", ""}) {
        EXPECT_FALSE(ParseOptions({"-m", bad, "N", "x.cab", "f"}, options, error)) << bad;
        EXPECT_NE(error.find("compression"), std::string::npos) << error;
    }
}

TEST(CommandLine, HelpAndUnusableLines)
{
    Options options;
    std::string error;
    ASSERT_TRUE(ParseOptions({}, options, error));
    EXPECT_EQ(options.command, Command::Help);
    ASSERT_TRUE(ParseOptions({"-h"}, options, error));
    EXPECT_EQ(options.command, Command::Help);

    const std::pair<Args, const char*> bad[] = {
        {{"-q", "N", "x.cab", "f"}, "unknown option -q"},
        {{"-m"}, "option -m needs a value"},
        {{"-P"}, "option -P needs a value"},
        {{"-r"}, "no command"},
        {{"Z", "x.cab"}, "unknown command"},
        {{"N"}, "no cabinet"},
        {{"N", "x.cab"}, "no files to add"},
        {{"X", "x.cab", "a", "b"}, "one destination folder"},
        {{"L", "x.cab", "extra"}, "only the cabinet"},
        {{"-j"}, "option -j needs a value"},
        {{"-j", "0", "N", "x.cab", "f"}, "number of threads"},
        {{"-j", "two", "N", "x.cab", "f"}, "number of threads"},
        {{"-j", "-1", "N", "x.cab", "f"}, "number of threads"},
        {{"-f", "-x", "N", "x.cab", "f"}, "exclude each other"},
    };
    for (const auto& b : bad) {
        EXPECT_FALSE(ParseOptions(b.first, options, error)) << b.second;
        EXPECT_NE(error.find(b.second), std::string::npos) << error;
    }
}

TEST(CommandLine, HelpTextNamesEveryOption)
{
    const std::string help = arch::HelpText();
    for (const char* piece :
         {"-m NONE | MSZIP | LZX:15 ... LZX:21", "-f", "-x", "-j n", "-r", "-p", "-P", "-o", " N ", " X ", " L "})
        EXPECT_NE(help.find(piece), std::string::npos) << piece;
    EXPECT_EQ(help.find("writes MSZIP"), std::string::npos) << "LZX writes LZX";
}
