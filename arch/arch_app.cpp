#include "arch/arch_app.h"

#include "ambrel_version.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <new>
#include <thread>

#include "arch/cab_format.h"
#include "arch/cab_writer.h"
#include "arch/cabinet_listing.h"
#include "arch/codec_registry.h"
#include "arch/command_line.h"
#include "arch/extractor.h"
#include "arch/file_collector.h"
#include "arch/progress.h"

namespace arch {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// The encoders' effort and threads from -f, -x and -j: without -j, one
// thread per processor.
cab::Packing PackingOf(const Options& options)
{
    const cab::Effort effort = options.fast   ? cab::Effort::Fast
                               : options.best ? cab::Effort::Best
                                              : cab::Effort::Default;
    const int processors = static_cast<int>(std::thread::hardware_concurrency());
    return cab::Packing(effort, options.threads > 0 ? options.threads : std::max(processors, 1));
}

// The report a command's progress goes to, if any: the machine lines when
// asked for, else a terminal's line.
std::unique_ptr<ProgressReport> ProgressFor(const Options& options, std::ostream& out, std::ostream& err,
                                            bool errIsTerminal)
{
    if (options.progress) return MakeMachineProgress(out);
    if (errIsTerminal) return MakeTerminalProgress(err, options.command == Command::Create ? "packing" : "extracting");
    return nullptr;
}

int Create(const Options& options, FileSystem& fs, ProgressFileSystem* counted, std::ostream& out, std::ostream& err)
{
    CollectOptions collect;
    collect.recurse = options.recurse;
    collect.keepPaths = options.keepPaths;
    collect.stripPrefix = options.stripPrefix;
    collect.exclude = {options.cabinet};
    std::vector<SourceFile> files;
    std::string error;
    if (!CollectFiles(fs, options.operands, collect, files, error)) {
        err << "arch: " << error << "\n";
        return kExitFailed;
    }
    if (counted) {
        uint64_t total = 0;
        for (const SourceFile& file : files) total += file.info.size;
        counted->SetPacking(total);
    }
    const uint16_t compression = options.compression;
    WriteSummary summary;
    const bool written =
        WriteCabinet(fs, options.cabinet, files, compression, PackingOf(options), WriterLimits(), summary, error);
    // A terminal's progress line ends before anything else is said.
    if (counted) counted->Finish();
    if (!written) {
        err << "arch: " << options.cabinet << ": " << error << "\n";
        return kExitFailed;
    }
    out << "arch: " << options.cabinet << ": " << files.size() << " files, " << summary.inputBytes << " bytes in "
        << summary.folders << (summary.folders == 1 ? " folder" : " folders") << " ("
        << cab::CompressionName(compression) << (options.fast && compression != cab::kCompressNone ? ", fast" : "")
        << (options.best && (compression & cab::kCompressTypeMask) == cab::kCompressLzx ? ", best" : "")
        << "), cabinet " << summary.cabinetBytes << " bytes\n";
    return kExitOk;
}

int Extract(const Options& options, FileSystem& fs, ProgressFileSystem* counted, std::ostream& out, std::ostream& err)
{
    ExtractOptions extract;
    extract.keepPaths = options.keepPaths;
    extract.overwrite = options.overwrite;
    const std::string destination = options.operands.empty() ? std::string() : options.operands[0];
    ExtractResult result;
    const bool ok = ExtractCabinet(fs, options.cabinet, destination, extract, result, err);
    if (counted) counted->Finish();
    out << "arch: " << options.cabinet << ": " << result.extracted << " files extracted";
    if (result.failed) out << ", " << result.failed << " not extracted";
    out << "\n";
    return ok ? kExitOk : kExitFailed;
}

// "arch --version" alone prints the release the archiver belongs to.
bool PrintVersion(const std::vector<std::string>& args, std::ostream& out)
{
    if (args.size() != 1 || args[0] != "--version") return false;
    out << "arch " << AMBREL_VERSION_TEXT << "\n";
    return true;
}

int Dispatch(const std::vector<std::string>& args, FileSystem& fs, std::ostream& out, std::ostream& err,
             bool errIsTerminal)
{
    if (PrintVersion(args, out)) return kExitOk;
    Options options;
    std::string error;
    if (!ParseOptions(args, options, error)) {
        err << "arch: " << error << "\n"
            << "arch: run \"arch -h\" for help\n";
        return kExitUsage;
    }
    // Packing and extraction read through a file system that counts.
    std::unique_ptr<ProgressReport> report;
    if (options.command == Command::Create || options.command == Command::Extract)
        report = ProgressFor(options, out, err, errIsTerminal);
    std::unique_ptr<ProgressFileSystem> counted;
    if (report) counted = std::make_unique<ProgressFileSystem>(fs, *report);
    FileSystem& used = counted ? static_cast<FileSystem&>(*counted) : fs;
    int code = kExitUsage;
    switch (options.command) {
    case Command::Help: out << HelpText(); return kExitOk;
    case Command::Create: code = Create(options, used, counted.get(), out, err); break;
    case Command::Extract: code = Extract(options, used, counted.get(), out, err); break;
    case Command::List: return ListCabinet(fs, options.cabinet, out, err) ? kExitOk : kExitFailed;
    }
    return code;
}

} // namespace

int RunArch(const std::vector<std::string>& args, FileSystem& fs, std::ostream& out, std::ostream& err,
            bool errIsTerminal)
{
    try {
        return Dispatch(args, fs, out, err, errIsTerminal);
    } catch (const std::bad_alloc&) {
        err << "arch: out of memory\n";
    } catch (const std::exception& e) {
        err << "arch: " << e.what() << "\n";
    }
    return kExitFailed;
}

} // namespace arch
