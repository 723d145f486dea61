#include "arch/command_line.h"

#include "arch/codec_registry.h"
#include "arch/lzx/format.h"

namespace arch {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The options of how hard and on how many threads N packs: -x, and -j
// with its count. Returns 1 when args[i] is one of them (i moves past its
// value), 0 when it is not, -1 with a message when its value is wrong.
int ParsePackingOption(const std::vector<std::string>& args, std::size_t& i, Options& options, std::string& error)
{
    const std::string& a = args[i];
    if (a == "-x") {
        options.best = true;
        return 1;
    }
    if (a != "-j") return 0;
    if (i + 1 >= args.size()) {
        error = "option -j needs a value";
        return -1;
    }
    const std::string& value = args[++i];
    const bool digits =
        !value.empty() && value.size() <= 3 && value.find_first_not_of("0123456789") == std::string::npos;
    if (!digits || std::stoi(value) < 1) {
        error = "option -j needs a number of threads from 1 to 999, not \"" + value + "\"";
        return -1;
    }
    options.threads = std::stoi(value);
    return 1;
}

} // namespace

std::vector<std::string> SplitArguments(const std::string& text)
{
    std::vector<std::string> args;
    std::size_t i = 0;
    const std::size_t n = text.size();
    for (;;) {
        while (i < n && IsBlank(text[i])) ++i;
        if (i >= n) break;
        std::string arg;
        bool quoted = false;
        while (i < n && (quoted || !IsBlank(text[i]))) {
            if (text[i] == '\\') {
                std::size_t count = 0;
                while (i < n && text[i] == '\\') {
                    ++count;
                    ++i;
                }
                if (i < n && text[i] == '"') {
                    arg.append(count / 2, '\\');
                    if (count % 2) {
                        arg += '"';
                        ++i;
                    }
                    // An even count leaves the quote to group below.
                } else {
                    arg.append(count, '\\');
                }
                continue;
            }
            if (text[i] == '"') {
                if (quoted && i + 1 < n && text[i + 1] == '"') {
                    arg += '"';
                    i += 2;
                    continue;
                }
                quoted = !quoted;
                ++i;
                continue;
            }
            arg += text[i++];
        }
        args.push_back(arg);
    }
    return args;
}

std::vector<std::string> SplitCommandLine(const std::string& commandLine)
{
    std::vector<std::string> args;
    std::size_t i = 0;
    const std::size_t n = commandLine.size();
    std::string program;
    if (i < n && commandLine[i] == '"') {
        ++i;
        while (i < n && commandLine[i] != '"') program += commandLine[i++];
        if (i < n) ++i;
    } else {
        while (i < n && !IsBlank(commandLine[i])) program += commandLine[i++];
    }
    args.push_back(program);
    std::vector<std::string> rest = SplitArguments(commandLine.substr(i));
    args.insert(args.end(), rest.begin(), rest.end());
    return args;
}

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error)
{
    options = Options();
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() < 2 || a[0] != '-') break;
        const std::string name = a.substr(1);
        if (name == "h" || name == "?" || name == "-help") {
            options.command = Command::Help;
            return true;
        } else if (name == "r") {
            options.recurse = true;
        } else if (name == "p") {
            options.keepPaths = true;
        } else if (name == "o") {
            options.overwrite = true;
        } else if (name == "f") {
            options.fast = true;
        } else if (const int packing = ParsePackingOption(args, i, options, error)) {
            if (packing < 0) return false;
        } else if (name == "-progress") {
            options.progress = true;
        } else if (name == "m" || name == "P") {
            if (i + 1 >= args.size()) {
                error = "option " + a + " needs a value";
                return false;
            }
            const std::string& value = args[++i];
            if (name == "P") {
                options.stripPrefix = value;
            } else if (!cab::ParseMethod(value, options.compression, error)) {
                return false;
            }
        } else {
            error = "unknown option " + a;
            return false;
        }
    }
    if (options.fast && options.best) {
        error = "options -f and -x exclude each other";
        return false;
    }
    if (i >= args.size()) {
        if (args.empty()) return true; // nothing at all: help
        error = "no command given (N, X or L)";
        return false;
    }

    const std::string& command = args[i++];
    if (command == "N" || command == "n") {
        options.command = Command::Create;
    } else if (command == "X" || command == "x") {
        options.command = Command::Extract;
    } else if (command == "L" || command == "l") {
        options.command = Command::List;
    } else {
        error = "unknown command \"" + command + "\" (N, X or L)";
        return false;
    }
    if (i >= args.size()) {
        error = "no cabinet file given";
        return false;
    }
    options.cabinet = args[i++];
    options.operands.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());

    if (options.command == Command::Create && options.operands.empty()) {
        error = "no files to add given";
        return false;
    }
    if (options.command == Command::Extract && options.operands.size() > 1) {
        error =
            "extraction takes one destination folder, not " + std::to_string(options.operands.size()) + " arguments";
        return false;
    }
    if (options.command == Command::List && !options.operands.empty()) {
        error = "listing takes only the cabinet file";
        return false;
    }
    return true;
}

std::string HelpText()
{
    return "arch: cabinet (MS-CAB) archiver\n"
           "\n"
           "Usage:\n"
           "  arch [options] N cabinet files...    create a new cabinet from files\n"
           "  arch [options] X cabinet [folder\\]   extract a cabinet into a folder\n"
           "  arch L cabinet                       list a cabinet's files\n"
           "  arch -h                              show this text\n"
           "\n"
           "Options:\n"
           "  -m NONE | MSZIP | LZX:" +
           std::to_string(cab::lzx::kMinWindowBits) + " ... LZX:" + std::to_string(cab::lzx::kMaxWindowBits) +
           "  compression for N (default MSZIP;\n"
           "            LZX:n is LZX with a window of 2^n bytes, LZX alone LZX:21)\n"
           "  -f        fast: compress in less time, for a somewhat larger cabinet\n"
           "            (N with MSZIP or LZX)\n"
           "  -x        best: compress LZX harder, for the smallest cabinet, in more time\n"
           "  -j n      pack LZX on n threads (default: one per processor); the\n"
           "            cabinet is the same for any n\n"
           "  -r        recurse into subfolders when adding files\n"
           "  -p        keep path names (N: store paths; X: restore folders)\n"
           "  -P path   strip this leading path from stored names (N; any case;\n"
           "            a drive is ignored)\n"
           "  -o        overwrite existing files without asking (X)\n"
           "  --progress\n"
           "            tell how far N or X has come, for a program that runs\n"
           "            arch: lines on standard output, each flushed at once:\n"
           "              partial PATH       N writes the cabinet to this temporary\n"
           "                                 file until it is complete\n"
           "              progress DONE TOTAL  bytes read so far, of the files to\n"
           "                                 add (N) or of the cabinet (X)\n"
           "            (without it, a terminal on standard error shows one line\n"
           "            that keeps count)\n"
           "\n"
           "Files to add may hold the wildcards * and ? in their last part; *.*\n"
           "matches every file. Extraction reads stored, MSZIP and LZX folders\n"
           "(Quantum folders are not supported), ignores bytes after the cabinet's\n"
           "end and refuses names that would leave the folder.\n";
}

} // namespace arch
