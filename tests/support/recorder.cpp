// Stands in for the browser and for the splash programs in tests. Each start
// appends one line to the file named by AMBREL_RECORDER_LOG: the argument it
// was given (quotes removed), or, with no argument, its own path.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char log[MAX_PATH] = {};
    if (!::GetEnvironmentVariableA("AMBREL_RECORDER_LOG", log, MAX_PATH)) return 2;

    std::string line = ::GetCommandLineA();
    // Skip the program token and the blanks after it.
    std::string::size_type pos = 0;
    if (!line.empty() && line[0] == '"') {
        pos = line.find('"', 1);
        pos = pos == std::string::npos ? line.size() : pos + 1;
    } else {
        pos = line.find_first_of(" \t");
        if (pos == std::string::npos) pos = line.size();
    }
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    std::string argument = line.substr(pos);
    if (argument.size() >= 2 && argument.front() == '"' && argument.back() == '"')
        argument = argument.substr(1, argument.size() - 2);
    if (argument.empty()) {
        char self[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, self, MAX_PATH);
        argument = self;
    }

    // Several recorders may start at once; append under a retry loop.
    for (int attempt = 0; attempt < 100; ++attempt) {
        HANDLE h = ::CreateFileA(log, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            std::string text = argument + "\r\n";
            DWORD written = 0;
            ::WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
            ::CloseHandle(h);
            return 0;
        }
        ::Sleep(20);
    }
    return 1;
}
