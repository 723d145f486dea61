#include "arch/arch_app.h"

#include <algorithm>
#include <exception>
#include <new>
#include <thread>

#include "arch/cab_format.h"
#include "arch/cab_writer.h"
#include "arch/cabinet_listing.h"
#include "arch/codec_registry.h"
#include "arch/command_line.h"
#include "arch/extractor.h"
#include "arch/file_collector.h"

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

int Create(const Options& options, FileSystem& fs, std::ostream& out, std::ostream& err)
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
    const uint16_t compression = options.compression;
    WriteSummary summary;
    if (!WriteCabinet(fs, options.cabinet, files, compression, PackingOf(options), WriterLimits(), summary, error)) {
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

int Extract(const Options& options, FileSystem& fs, std::ostream& out, std::ostream& err)
{
    ExtractOptions extract;
    extract.keepPaths = options.keepPaths;
    extract.overwrite = options.overwrite;
    const std::string destination = options.operands.empty() ? std::string() : options.operands[0];
    ExtractResult result;
    const bool ok = ExtractCabinet(fs, options.cabinet, destination, extract, result, err);
    out << "arch: " << options.cabinet << ": " << result.extracted << " files extracted";
    if (result.failed) out << ", " << result.failed << " not extracted";
    out << "\n";
    return ok ? kExitOk : kExitFailed;
}

int Dispatch(const std::vector<std::string>& args, FileSystem& fs, std::ostream& out, std::ostream& err)
{
    Options options;
    std::string error;
    if (!ParseOptions(args, options, error)) {
        err << "arch: " << error << "\n"
            << "arch: run \"arch -h\" for help\n";
        return kExitUsage;
    }
    switch (options.command) {
    case Command::Help: out << HelpText(); return kExitOk;
    case Command::Create: return Create(options, fs, out, err);
    case Command::Extract: return Extract(options, fs, out, err);
    case Command::List: return ListCabinet(fs, options.cabinet, out, err) ? kExitOk : kExitFailed;
    }
    return kExitUsage;
}

} // namespace

int RunArch(const std::vector<std::string>& args, FileSystem& fs, std::ostream& out, std::ostream& err)
{
    try {
        return Dispatch(args, fs, out, err);
    } catch (const std::bad_alloc&) {
        err << "arch: out of memory\n";
    } catch (const std::exception& e) {
        err << "arch: " << e.what() << "\n";
    }
    return kExitFailed;
}

} // namespace arch
