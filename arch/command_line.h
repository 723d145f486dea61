// The archiver's command line: splitting a Windows command-line text into
// arguments the way the C runtime does, and reading the options and
// command out of the arguments.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace arch {

// Splits the arguments that follow the program name. Arguments are
// separated by spaces and tabs; double quotes group; 2n backslashes before
// a quote give n backslashes and the quote groups, 2n+1 give n backslashes
// and a literal quote; backslashes elsewhere are literal; inside quotes a
// doubled quote is one literal quote.
std::vector<std::string> SplitArguments(const std::string& text);

// Splits a whole command line as GetCommandLine returns it: the program
// name first (up to the closing quote when it starts with one, else up to
// the first space or tab, with no backslash rules), then the arguments.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

enum class Command { Help, Create, Extract, List };

struct Options {
    Command command = Command::Help;
    uint16_t compression = 0x0001; // MSZIP unless -m says otherwise
    bool fast = false;             // -f: the encoders' fast level
    bool best = false;             // -x: the encoders' best level
    int threads = 0;               // -j N: threads that pack (0: one per processor)
    bool recurse = false;          // -r
    bool keepPaths = false;        // -p
    bool overwrite = false;        // -o
    bool progress = false;         // --progress: machine-readable progress on standard output
    std::string stripPrefix;       // -P
    std::string cabinet;
    // Create: the files to add (paths, with wildcards in the last part).
    // Extract: at most one, the destination folder.
    std::vector<std::string> operands;
};

// Reads options (before the command letter), the command (N, X or L, any
// case) and its operands. Returns false with a message for anything it
// cannot use.
bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

// The help text.
std::string HelpText();

} // namespace arch
