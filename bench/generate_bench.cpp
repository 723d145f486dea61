// Generation benchmark, the Windows side: makes one package folder from a
// list file, as a Save does before it packs, and prints how long it took. bench/generate_bench.sh
// makes the documents and the list, and compares the time with cp -r.
//
//   generate_bench LIST-FILE
//
// The list file has one entry per line, fields separated by tabs:
//   G <header>          a group header
//   F <title> <path>    a file entry
//   U <title> <url>     a live URL entry
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "framework/long_work.h"
#include "generate/package_build.h"
#include "model/ambrel_utilities.h"
#include "system/install_paths.h"
#include "tests/support/test_env.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: generate_bench LIST-FILE\n");
        return 2;
    }
    testenv::TestRoot root("bench");
    root.InstallTemplate();
    root.InstallFlashPlayer();
    g_strDataFolder.clear();

    CAmbrelUtilities u;
    u.m_strTitle = "Benchmark";
    u.m_strAutoSeconds = "Not Automated";
    u.m_strTransition = "Fade";
    std::ifstream list(argv[1]);
    std::string line;
    int entries = 0;
    while (std::getline(list, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string fields[3];
        size_t start = 0;
        for (int i = 0; i < 3; ++i) {
            size_t tab = line.find('\t', start);
            fields[i] = line.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        if (fields[0].empty()) continue;
        const char kind = fields[0][0];
        u.m_listGroups.AddTail(kind == 'G' ? fields[1] : "");
        u.m_listTitles.AddTail(kind == 'G' ? "" : fields[1]);
        u.m_listFiles.AddTail(kind == 'F' ? fields[2] : "");
        u.m_listURLs.AddTail(kind == 'U' ? fields[2] : "");
        ++entries;
    }

    LARGE_INTEGER frequency, begin, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&begin);
    BuildOrder order;
    std::vector<LeftOutEntry> leftOut;
    CWorkProgress progress;
    PlanPackage(u, root.DataFolder() + "bench.ambd", order, leftOut);
    MakePackageFolder(u, order, progress);
    ::QueryPerformanceCounter(&end);

    const double seconds = double(end.QuadPart - begin.QuadPart) / double(frequency.QuadPart);
    // Files are copied in pieces: the peak stays far below the largest file.
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory));
    std::printf("entries %d\ngeneration_seconds %.3f\npeak_working_set_mib %.1f\npackage_folder %sbench\n", entries,
                seconds, double(memory.PeakWorkingSetSize) / 1048576.0, root.WorkFolder().c_str());
    return 0;
}
