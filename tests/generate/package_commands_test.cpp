// The archiver's command lines, character for character.
#include "model/package_file.h"

#include <gtest/gtest.h>

TEST(PackingCommand, ExampleInstallation)
{
    // Install root c:\, data folder c:\documents\.
    EXPECT_EQ("\"c:\\corvane\\res\\utilities\\ambrel\\arch.exe\" --progress -m LZX:21 -r -p"
              " -P \"documents\\ambrel\\temp\\\\\" N"
              " \"c:\\documents\\show.ambd\" \"c:\\documents\\ambrel\\temp\\show\\*.*\"",
              BuildPackingCommand("c:\\", "c:\\documents\\ambrel\\temp\\", "c:\\documents\\show.ambd",
                                  "c:\\documents\\ambrel\\temp\\show"));
}

TEST(PackingCommand, PathsWithBlanksKeepTheirOwnQuotes)
{
    std::string line = BuildPackingCommand("C:\\Program Files\\", "c:\\my documents\\ambrel\\temp\\",
                                           "C:\\My Documents\\my show.ambd", "c:\\my documents\\ambrel\\temp\\my show");
    EXPECT_EQ("\"C:\\Program Files\\corvane\\res\\utilities\\ambrel\\arch.exe\" --progress -m LZX:21 -r -p"
              " -P \"my documents\\ambrel\\temp\\\\\" N"
              " \"C:\\My Documents\\my show.ambd\" \"c:\\my documents\\ambrel\\temp\\my show\\*.*\"",
              line);
}

TEST(PackingCommand, BareDriveDataFolder)
{
    std::string line = BuildPackingCommand("c:\\", "c:\\ambrel\\temp\\", "c:\\out.ambd", "c:\\ambrel\\temp\\out");
    EXPECT_NE(std::string::npos, line.find(" -P \"ambrel\\temp\\\\\" N "));
}

TEST(PackingCommand, WorkFolderWithoutBackslashStaysWhole)
{
    std::string line = BuildPackingCommand("c:\\", "relative", "x.ambd", "relativex");
    EXPECT_NE(std::string::npos, line.find(" -P \"relative\\\" N "));
}

TEST(PackingCommand, ChosenNamesAreNotRewritten)
{
    // The program's marker text in a file name reaches the archiver unchanged.
    std::string line =
        BuildPackingCommand("c:\\", "c:\\d\\ambrel\\temp\\", "c:\\d\\#root#.ambd", "c:\\d\\ambrel\\temp\\#root#");
    EXPECT_NE(std::string::npos, line.find("\"c:\\d\\#root#.ambd\" \"c:\\d\\ambrel\\temp\\#root#\\*.*\""));
    EXPECT_NE(std::string::npos, line.find("-p -P \"d\\ambrel\\temp\\\\\" N "));
}

TEST(ExtractionCommand, QuotesEveryPathAndDoublesTheLastBackslash)
{
    EXPECT_EQ("\"c:\\corvane\\res\\utilities\\ambrel\\arch.exe\" --progress -o -m LZX:21 -r -p X"
              " \"c:\\x\\show.ambd\" \"c:\\documents\\ambrel\\temp\\\\\"",
              BuildExtractionCommand("c:\\", "c:\\x\\show.ambd", "c:\\documents\\ambrel\\temp\\"));
    // An install root with blanks cannot start C:\Program.exe.
    std::string spaced = BuildExtractionCommand("C:\\Program Files\\", "p.ambd", "c:\\w\\");
    EXPECT_EQ(0u, spaced.find("\"C:\\Program Files\\corvane\\res\\utilities\\ambrel\\arch.exe\" "));
}

TEST(ArchiverLines, ProgressAndPartialLinesAndNothingElse)
{
    const ArchiverLine progress = ParseArchiverLine("progress 1048576 314572800");
    EXPECT_EQ(ArchiverLine::Progress, progress.kind);
    EXPECT_EQ(1048576u, progress.done);
    EXPECT_EQ(314572800u, progress.total);
    const ArchiverLine partial = ParseArchiverLine("partial C:\\My Documents\\~arch1.tmp");
    EXPECT_EQ(ArchiverLine::Partial, partial.kind);
    EXPECT_EQ("C:\\My Documents\\~arch1.tmp", partial.path);
    for (const char* other : {"arch: c:\\x.ambd: 3 files, 10 bytes in 1 folder (LZX:21), cabinet 90 bytes",
                              "progress 12", "progress x 12", "progress 1 2 3", "Progress 1 2", ""})
        EXPECT_EQ(ArchiverLine::Other, ParseArchiverLine(other).kind) << other;
}
