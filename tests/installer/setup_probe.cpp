// The setup of a release, black-box under Wine: installer_test.sh builds the
// package as `make package` does and runs these scenarios one after another
// in a prefix of their own. Only what a user or an administrator can see is
// used: the setup's command line and windows, files, the registry, shortcuts,
// version resources, and the installed programs' windows.
//
// Environment: AMBREL_SETUP and AMBREL_OLD_SETUP (the setup programs of this
// release and of an earlier one), AMBREL_STAGE and AMBREL_OLD_STAGE (the
// files each installs), AMBREL_VERSION and AMBREL_OLD_VERSION. Screenshots:
// the probe writes C:\ambrel-tests\shots\ready-<name> and waits for
// done-<name>, which the script writes once it has taken the picture.
#include <shlobj.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/support/gui_driver.h"
#include "tests/support/test_env.h"

namespace {

const char kRootKey[] = "Software\\Corvane";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Ambrel";
const char kProgramFolder[] = "corvane\\res\\utilities\\ambrel\\";
const char kSpacedRoot[] = "C:\\Program Files\\Corvane Apps";

std::string Env(const char* name)
{
    char value[MAX_PATH * 2] = {};
    ::GetEnvironmentVariableA(name, value, sizeof(value));
    return value;
}

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = {};
    ::SHGetFolderPathA(nullptr, csidl, nullptr, 0, path);
    return path;
}

// Runs a command line as given (no quoting added) and waits for it.
DWORD RunCommand(const std::string& commandLine, DWORD timeoutMs = 180000, std::string* output = nullptr)
{
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (output) ::CreatePipe(&readEnd, &writeEnd, &sa, 0);
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    if (output) {
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = si.hStdError = writeEnd;
    }
    PROCESS_INFORMATION pi{};
    std::string line = commandLine;
    if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, output != nullptr, 0, nullptr, nullptr, &si, &pi))
        return 0xFFFFFFFF;
    if (output) {
        ::CloseHandle(writeEnd);
        char buffer[4096];
        DWORD got = 0;
        while (::ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got) output->append(buffer, got);
        ::CloseHandle(readEnd);
    }
    ::WaitForSingleObject(pi.hProcess, timeoutMs);
    DWORD code = 0xFFFFFFFF;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return code;
}

bool KeyExists(HKEY hive, const std::string& subkey)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(hive, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

std::string RegString(HKEY hive, const std::string& subkey, const char* value)
{
    std::string text;
    return testenv::GetRegistryString(hive, subkey, value, text) ? text : "(missing)";
}

// Every file below a folder with its bytes, by relative path.
std::vector<std::pair<std::string, std::string>> Files(const std::string& folder)
{
    std::vector<std::pair<std::string, std::string>> files;
    for (const std::string& f : testenv::ListFiles(folder)) files.push_back({f, testenv::ReadFile(folder + "\\" + f)});
    return files;
}

// The installed program folder holds exactly the staged files, byte for
// byte, and the uninstaller.
void ExpectInstalled(const std::string& root, const std::string& stage)
{
    auto expected = Files(stage + "\\corvane\\res\\utilities\\ambrel");
    auto installed = Files(root + "\\" + kProgramFolder);
    auto uninstaller =
        std::find_if(installed.begin(), installed.end(), [](auto& f) { return f.first == "uninstall.exe"; });
    ASSERT_NE(installed.end(), uninstaller) << "no uninstaller in " << root;
    installed.erase(uninstaller);
    ASSERT_EQ(expected.size(), installed.size()) << root;
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].first, installed[i].first);
        EXPECT_TRUE(expected[i].second == installed[i].second) << installed[i].first << " differs from the staged file";
    }
}

struct Shortcut {
    std::string target, arguments, workingDirectory;
};

Shortcut ReadShortcut(const std::string& path)
{
    Shortcut s;
    IShellLinkA* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&link))))
        return s;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        std::wstring wide(path.begin(), path.end());
        if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
            char text[MAX_PATH * 2] = {};
            link->GetPath(text, sizeof(text), nullptr, SLGP_RAWPATH);
            s.target = text;
            text[0] = '\0';
            link->GetArguments(text, sizeof(text));
            s.arguments = text;
            text[0] = '\0';
            link->GetWorkingDirectory(text, sizeof(text));
            s.workingDirectory = text;
        }
        file->Release();
    }
    link->Release();
    return s;
}

std::string VersionText(const std::string& path, const char* name)
{
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (!size) return "(no version resource)";
    std::vector<char> data(size);
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return "(unreadable)";
    struct Translation {
        WORD language, codePage;
    }* translation = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof(Translation))
        return "(no translation)";
    char query[128];
    wsprintfA(query, "\\StringFileInfo\\%04x%04x\\%s", translation->language, translation->codePage, name);
    char* value = nullptr;
    if (!::VerQueryValueA(data.data(), query, reinterpret_cast<void**>(&value), &length)) return "(missing)";
    return value;
}

// Visible top-level windows of other processes with this caption.
HWND FindForeignWindow(const std::string& caption, DWORD* processId = nullptr)
{
    struct Search {
        std::string caption;
        HWND found;
    } search{caption, nullptr};
    ::EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(hWnd, &pid);
            if (pid == ::GetCurrentProcessId() || !::IsWindowVisible(hWnd) || gui::Text(hWnd) != s->caption)
                return TRUE;
            s->found = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found && processId) ::GetWindowThreadProcessId(search.found, processId);
    return search.found;
}

HWND WaitForForeignWindow(const std::string& caption, DWORD timeoutMs = 30000)
{
    HWND found = nullptr;
    gui::WaitUntil([&] { return (found = FindForeignWindow(caption)) != nullptr; }, timeoutMs);
    return found;
}

// Closes a window of another process and waits for that process to end.
bool CloseAndWait(HWND window)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    bool ended = process && ::WaitForSingleObject(process, 30000) == WAIT_OBJECT_0;
    if (process) ::CloseHandle(process);
    return ended;
}

// Lets installer_test.sh photograph the screen.
void Pose(const std::string& name)
{
    const std::string shots = "C:\\ambrel-tests\\shots\\";
    testenv::MakeDirectories(shots);
    ::Sleep(700);
    testenv::WriteFile(shots + "ready-" + name, name);
    EXPECT_TRUE(gui::WaitUntil([&] { return testenv::Exists(shots + "done-" + name); }, 60000)) << name;
}

// The install root's traces in one hive: the root value, the uninstall
// entry and the package file type.
void ExpectNoTraces(HKEY hive)
{
    EXPECT_EQ("(missing)", RegString(hive, kRootKey, "Path"));
    EXPECT_FALSE(KeyExists(hive, kUninstallKey));
    EXPECT_FALSE(KeyExists(hive, "Software\\Classes\\.ambd"));
    EXPECT_FALSE(KeyExists(hive, "Software\\Classes\\Ambrelfile"));
}

// Everything a setup run leaves behind, for one root and one hive.
void ExpectInstallation(HKEY hive, const std::string& root, int startMenuCsidl)
{
    const std::string program = root + "\\" + kProgramFolder;
    ExpectInstalled(root, Env("AMBREL_STAGE"));
    EXPECT_EQ(root + "\\", RegString(hive, kRootKey, "Path"));

    const std::string classes = "Software\\Classes\\";
    EXPECT_EQ("Ambrelfile", RegString(hive, classes + ".ambd", nullptr));
    EXPECT_EQ("Ambrel file", RegString(hive, classes + "Ambrelfile", nullptr));
    EXPECT_EQ(program + "ambrel.exe", RegString(hive, classes + "Ambrelfile\\DefaultIcon", nullptr));
    EXPECT_EQ(program + "ambrel.exe %1", RegString(hive, classes + "Ambrelfile\\Shell\\Play\\Command", nullptr));
    EXPECT_EQ("Play", RegString(hive, classes + "Ambrelfile\\Shell", nullptr));

    const std::string menu = ShellFolder(startMenuCsidl) + "\\Ambrel\\";
    struct {
        const char* name;
        std::string target, arguments;
    } shortcuts[] = {{"Ambrel.lnk", program + "ambrel.exe", ""},
                     {"Snapvale.lnk", program + "ambrel.exe", "-Snapvale"},
                     {"Ambrel Help.lnk", program + "readme.html", ""}};
    for (auto& expected : shortcuts) {
        Shortcut s = ReadShortcut(menu + expected.name);
        EXPECT_EQ(expected.target, s.target) << expected.name;
        EXPECT_EQ(expected.arguments, s.arguments) << expected.name;
        EXPECT_EQ(program.substr(0, program.size() - 1), s.workingDirectory) << expected.name;
    }

    const std::string version = Env("AMBREL_VERSION");
    EXPECT_EQ("Ambrel", RegString(hive, kUninstallKey, "DisplayName"));
    EXPECT_EQ(version, RegString(hive, kUninstallKey, "DisplayVersion"));
    EXPECT_EQ("Corvane", RegString(hive, kUninstallKey, "Publisher"));
    EXPECT_EQ(program + "ambrel.exe,0", RegString(hive, kUninstallKey, "DisplayIcon"));
    const std::string mode = hive == HKEY_LOCAL_MACHINE ? " /AllUsers" : " /CurrentUser";
    EXPECT_EQ("\"" + program + "uninstall.exe\"" + mode, RegString(hive, kUninstallKey, "UninstallString"));
    EXPECT_EQ("\"" + program + "uninstall.exe\"" + mode + " /S",
              RegString(hive, kUninstallKey, "QuietUninstallString"));
    DWORD kilobytes = 0, size = sizeof(kilobytes);
    ::RegGetValueA(hive, kUninstallKey, "EstimatedSize", RRF_RT_REG_DWORD, nullptr, &kilobytes, &size);
    size_t bytes = 0;
    for (auto& f : Files(program)) bytes += f.second.size();
    EXPECT_NEAR(bytes / 1024.0, kilobytes, bytes / 1024.0 * 0.05 + 8) << "estimated size";
}

// Runs the uninstall command of the entry and waits until it is gone (the
// uninstaller runs on as a copy of itself after its first process ends).
void UninstallSilently(HKEY hive, const std::string& root)
{
    const std::string command = RegString(hive, kUninstallKey, "QuietUninstallString");
    ASSERT_NE("(missing)", command);
    EXPECT_EQ(0u, RunCommand(command));
    EXPECT_TRUE(gui::WaitUntil(
        [&] { return !KeyExists(hive, kUninstallKey) && !testenv::Exists(root + "\\" + kProgramFolder); }, 120000))
        << "the uninstaller did not finish";
}

// A package the user saved: a cabinet of show\index.html made by the
// installed archiver, with the package trailer.
std::string SavePackage(const std::string& root, const std::string& path)
{
    const std::string source = "C:\\ambrel-tests\\package-source";
    testenv::RemoveTree(source);
    testenv::WriteFile(source + "\\show\\index.html", "<html><body>Our show</body></html>\r\n");
    const std::string arch = "\"" + root + "\\" + kProgramFolder + "arch.exe\"";
    EXPECT_EQ(0u, RunCommand(arch + " -m LZX:21 -r -p -P \"ambrel-tests\\package-source\\\\\" N \"" + path + "\" \"" +
                             source + "\\show\\*.*\""));
    testenv::WriteFile(path, testenv::ReadFile(path) + "ambd1");
    return testenv::ReadFile(path);
}

// Opens a package as a double click does (or with the verb named) and
// returns the page the program handed to the browser.
std::string OpenByAssociation(const std::string& package, const char* verb = nullptr)
{
    testenv::Recorder browser;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = verb;
    info.lpFile = package.c_str();
    info.nShow = SW_SHOWNORMAL;
    EXPECT_TRUE(::ShellExecuteExA(&info)) << "no program for " << package;
    if (!browser.WaitForLines(1, 60000)) return "(nothing opened)";
    return browser.Lines()[0];
}

std::string Lower(std::string text) { return testenv::Lower(text); }

// Starts what a shortcut names, as the shell does, waits for the program's
// window with this caption, photographs it and closes it.
void StartFromShortcut(const std::string& path, const std::string& caption, const std::string& shot)
{
    Shortcut s = ReadShortcut(path);
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::string line = "\"" + s.target + "\" " + s.arguments;
    ASSERT_TRUE(
        ::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, s.workingDirectory.c_str(), &si, &pi))
        << path;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    HWND sheet = WaitForForeignWindow(caption);
    ASSERT_TRUE(sheet) << caption;
    if (!shot.empty()) Pose(shot);
    EXPECT_TRUE(CloseAndWait(sheet)) << caption;
}

class Setup : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ::CoInitialize(nullptr); }
    std::string m_documents = ShellFolder(CSIDL_PERSONAL);
};

} // namespace

TEST_F(Setup, SilentInstallIntoAFolderWithSpaces)
{
    ExpectNoTraces(HKEY_LOCAL_MACHINE);
    ExpectNoTraces(HKEY_CURRENT_USER);
    ASSERT_EQ(0u, RunCommand("\"" + Env("AMBREL_SETUP") + "\" /S /D=" + kSpacedRoot));
    ExpectInstallation(HKEY_LOCAL_MACHINE, kSpacedRoot, CSIDL_COMMON_PROGRAMS);

    // One version everywhere: the programs, the archiver's own word and the
    // setup itself.
    const std::string version = Env("AMBREL_VERSION");
    const std::string program = std::string(kSpacedRoot) + "\\" + kProgramFolder;
    for (const char* exe : {"ambrel.exe", "arch.exe", "glowcard.exe", "splash.exe"}) {
        SCOPED_TRACE(exe);
        EXPECT_EQ("Corvane", VersionText(program + exe, "CompanyName"));
        EXPECT_EQ("Ambrel", VersionText(program + exe, "ProductName"));
        EXPECT_EQ(version, VersionText(program + exe, "FileVersion"));
        EXPECT_EQ(version, VersionText(program + exe, "ProductVersion"));
        EXPECT_EQ(exe, VersionText(program + exe, "OriginalFilename"));
        EXPECT_NE(std::string::npos, VersionText(program + exe, "LegalCopyright").find("Corvane"));
        EXPECT_FALSE(VersionText(program + exe, "FileDescription").empty());
    }
    EXPECT_EQ(version, VersionText(Env("AMBREL_SETUP"), "ProductVersion"));
    std::string said;
    EXPECT_EQ(0u, RunCommand("\"" + program + "arch.exe\" --version", 30000, &said));
    EXPECT_EQ("arch " + version + "\r\n", said);
}

TEST_F(Setup, InstalledProgramStartsFromItsShortcutsAndOpensAPackage)
{
    StartFromShortcut(ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\Ambrel\\Ambrel.lnk", "Ambrel", "installed-ambrel");
    StartFromShortcut(ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\Ambrel\\Snapvale.lnk",
                      "Snapvale - an Ambrel product from Corvane", "installed-snapvale");

    // A package in the documents folder, opened through the association:
    // the installed program extracts it into its work folder and shows the
    // start page.
    const std::string package = m_documents + "\\Our show.ambd";
    SavePackage(kSpacedRoot, package);
    const std::string page = OpenByAssociation(package);
    EXPECT_EQ(Lower(m_documents + "\\ambrel\\temp\\show\\index.html"), Lower(page));
    EXPECT_TRUE(testenv::Exists(page));
    testenv::WriteFile(m_documents + "\\Our list.flist", std::string("\x03"
                                                                     "1.2",
                                                                     4) +
                                                             "list bytes");
}

TEST_F(Setup, SilentUninstallLeavesOnlyTheUsersFiles)
{
    const std::string package = testenv::ReadFile(m_documents + "\\Our show.ambd");
    const std::string list = testenv::ReadFile(m_documents + "\\Our list.flist");
    ASSERT_FALSE(package.empty());
    UninstallSilently(HKEY_LOCAL_MACHINE, kSpacedRoot);

    EXPECT_FALSE(testenv::Exists(kSpacedRoot));
    EXPECT_FALSE(testenv::Exists(ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\Ambrel"));
    ExpectNoTraces(HKEY_LOCAL_MACHINE);
    ExpectNoTraces(HKEY_CURRENT_USER);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".ambd"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRootKey));

    EXPECT_EQ(package, testenv::ReadFile(m_documents + "\\Our show.ambd"));
    EXPECT_EQ(list, testenv::ReadFile(m_documents + "\\Our list.flist"));
    EXPECT_TRUE(testenv::IsDirectory(m_documents + "\\ambrel\\temp"));
}

TEST_F(Setup, UpgradeKeepsTheSettingsAndReplacesThePrograms)
{
    const std::string root = ShellFolder(CSIDL_PROGRAM_FILES) + "\\Corvane";
    ASSERT_EQ(0u, RunCommand("\"" + Env("AMBREL_OLD_SETUP") + "\" /S"));
    EXPECT_EQ(Env("AMBREL_OLD_VERSION"), RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayVersion"));
    ExpectInstalled(root, Env("AMBREL_OLD_STAGE"));

    const std::string settings = m_documents + "\\ambrel\\ambrel.ini";
    const std::string remembered = "[Parameters]\r\nFile List=" + m_documents + "\\Our list.flist\r\n";
    testenv::WriteFile(settings, remembered);

    // The newer setup finds the earlier folder by itself.
    ASSERT_EQ(0u, RunCommand("\"" + Env("AMBREL_SETUP") + "\" /S"));
    ExpectInstallation(HKEY_LOCAL_MACHINE, root, CSIDL_COMMON_PROGRAMS);
    EXPECT_EQ(remembered, testenv::ReadFile(settings));

    UninstallSilently(HKEY_LOCAL_MACHINE, root);
    EXPECT_EQ(remembered, testenv::ReadFile(settings));
    ExpectNoTraces(HKEY_LOCAL_MACHINE);
}

// Without administrator rights (or with /CurrentUser) everything goes to
// the user's profile and hive, and the program finds its root there.
TEST_F(Setup, PerUserInstallWorksFromTheUsersHive)
{
    const std::string root = ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Corvane";
    ASSERT_EQ(0u, RunCommand("\"" + Env("AMBREL_SETUP") + "\" /S /CurrentUser"));
    ExpectInstallation(HKEY_CURRENT_USER, root, CSIDL_PROGRAMS);
    ExpectNoTraces(HKEY_LOCAL_MACHINE);

    // The program finds its root in the user's hive: it registers the file
    // type at start with the program path under that root. (Wine's shell
    // reads associations from the machine's classes only, where the
    // program's own registration names no default verb: the package is
    // opened with the verb, as the shell's context menu does.)
    StartFromShortcut(ShellFolder(CSIDL_PROGRAMS) + "\\Ambrel\\Ambrel.lnk", "Ambrel", "");
    EXPECT_EQ(root + "\\" + kProgramFolder + "ambrel.exe",
              RegString(HKEY_CLASSES_ROOT, "Ambrelfile\\DefaultIcon", nullptr));
    const std::string package = m_documents + "\\Per user.ambd";
    SavePackage(root, package);
    EXPECT_EQ(Lower(m_documents + "\\ambrel\\temp\\show\\index.html"), Lower(OpenByAssociation(package, "Play")));

    UninstallSilently(HKEY_CURRENT_USER, root);
    EXPECT_FALSE(testenv::Exists(root));
    EXPECT_FALSE(testenv::Exists(ShellFolder(CSIDL_PROGRAMS) + "\\Ambrel"));
    ExpectNoTraces(HKEY_CURRENT_USER);
    ExpectNoTraces(HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(testenv::Exists(package));
}

namespace {

// A control's text, asked of its own process.
std::string ControlText(HWND control)
{
    std::vector<char> text(65536, '\0');
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                          5000, &ignored);
    return text.data();
}

// The first window below `parent` whose text contains `part`.
HWND FindDescendant(HWND parent, const std::string& part)
{
    struct Search {
        std::string part;
        HWND found;
    } search{part, nullptr};
    ::EnumChildWindows(
        parent,
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            if (!::IsWindowVisible(hWnd) || ControlText(hWnd).find(s->part) == std::string::npos) return TRUE;
            s->found = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PressButton(HWND dialog, int id) { ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

} // namespace

// The setup as a user sees it: every page photographed, the defaults taken,
// and the finish page's "Start Ambrel" starting the program.
TEST_F(Setup, InteractiveSetupStartsAmbrelFromItsFinishPage)
{
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::string line = "\"" + Env("AMBREL_SETUP") + "\"";
    ASSERT_TRUE(::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    ::CloseHandle(pi.hThread);
    HWND setup = WaitForForeignWindow("Ambrel " + Env("AMBREL_VERSION") + " Setup");
    ASSERT_TRUE(setup);

    struct {
        const char* shot;
        const char* shows;
    } pages[] = {{"setup-1-welcome", "Welcome to Ambrel "},
                 {"setup-2-licence", "Permission is hereby granted"},
                 {"setup-3-folder", "corvane\\res\\utilities\\ambrel"},
                 {"setup-4-start-menu", "Start Menu folder"}};
    for (auto& page : pages) {
        EXPECT_TRUE(gui::WaitUntil([&] { return FindDescendant(setup, page.shows) != nullptr; }, 30000)) << page.shot;
        Pose(page.shot);
        PressButton(setup, IDOK);
    }
    HWND start = nullptr;
    EXPECT_TRUE(gui::WaitUntil([&] { return (start = FindDescendant(setup, "Start Ambrel")) != nullptr; }, 120000));
    ASSERT_TRUE(start);
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(start, BM_GETCHECK, 0, 0));
    Pose("setup-5-finish");
    PressButton(setup, IDOK);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pi.hProcess, 30000));
    ::CloseHandle(pi.hProcess);

    HWND sheet = WaitForForeignWindow("Ambrel");
    ASSERT_TRUE(sheet) << "Start Ambrel started nothing";
    Pose("setup-6-started");
    EXPECT_TRUE(CloseAndWait(sheet));
    UninstallSilently(HKEY_LOCAL_MACHINE, ShellFolder(CSIDL_PROGRAM_FILES) + "\\Corvane");
}

namespace {

// The visible controls of a page or dialog lie inside it and, group boxes
// apart, do not overlap one another.
void ExpectLaidOut(HWND dialog, const std::string& name)
{
    RECT client;
    ::GetClientRect(dialog, &client);
    ::MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    struct Control {
        HWND hWnd;
        RECT rect;
        bool groupBox;
    };
    std::vector<Control> controls;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child)) continue;
        Control c{child, {}, false};
        ::GetWindowRect(child, &c.rect);
        c.groupBox =
            gui::ClassName(child) == "Button" && (::GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
        controls.push_back(c);
        EXPECT_TRUE(c.rect.left >= client.left && c.rect.top >= client.top && c.rect.right <= client.right &&
                    c.rect.bottom <= client.bottom)
            << name << ": control " << ::GetDlgCtrlID(child) << " \"" << ControlText(child) << "\" is cut off";
    }
    for (size_t i = 0; i < controls.size(); ++i)
        for (size_t j = i + 1; j < controls.size(); ++j) {
            RECT overlap;
            if (controls[i].groupBox || controls[j].groupBox ||
                !::IntersectRect(&overlap, &controls[i].rect, &controls[j].rect))
                continue;
            ADD_FAILURE() << name << ": controls " << ::GetDlgCtrlID(controls[i].hWnd) << " \""
                          << ControlText(controls[i].hWnd) << "\" and " << ::GetDlgCtrlID(controls[j].hWnd) << " \""
                          << ControlText(controls[j].hWnd) << "\" overlap";
        }
}

// A window of the process other than `except` that is shown.
HWND WaitForOtherWindow(DWORD processId, HWND except)
{
    HWND found = nullptr;
    gui::WaitUntil(
        [&] {
            found = nullptr;
            for (HWND w = ::GetTopWindow(nullptr); w && !found; w = ::GetWindow(w, GW_HWNDNEXT)) {
                DWORD pid = 0;
                ::GetWindowThreadProcessId(w, &pid);
                if (pid == processId && w != except && ::IsWindowVisible(w) && gui::ClassName(w) == "#32770") found = w;
            }
            return found != nullptr;
        },
        20000);
    return found;
}

} // namespace

// At 200% scaling (the prefix at 192 pixels per inch): the installed
// program's sheet, its pages and the entry dialogs, photographed and checked.
TEST(HighDpi, SheetAndEntryDialogsAreLaidOutAt200Percent)
{
    HDC screen = ::GetDC(nullptr);
    ASSERT_EQ(192, ::GetDeviceCaps(screen, LOGPIXELSY)) << "the prefix is not at 200%";
    ::ReleaseDC(nullptr, screen);
    ::CoInitialize(nullptr);
    ASSERT_EQ(0u, RunCommand("\"" + Env("AMBREL_SETUP") + "\" /S"));
    const std::string program = ShellFolder(CSIDL_PROGRAM_FILES) + "\\Corvane\\" + kProgramFolder;
    std::string line = "\"" + program + "ambrel.exe\"";
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    HWND sheet = WaitForForeignWindow("Ambrel");
    ASSERT_TRUE(sheet);

    struct {
        int page;
        int button; // 0: the page itself
        const char* shot;
    } steps[] = {{0, 0, "dpi-view-page"},
                 {1, 0, "dpi-document-page"},
                 {1, IDC_ADD_FILES, "dpi-add-document"},
                 {1, IDC_ADD_URL, "dpi-add-live-url"},
                 {1, IDC_ADD_GROUP, "dpi-add-group"},
                 {2, 0, "dpi-photo-page"},
                 {2, IDC_ADD_FILES, "dpi-add-photos"}};
    for (auto& step : steps) {
        ::PostMessageA(sheet, PSM_SETCURSEL, step.page, 0);
        HWND page = nullptr;
        gui::WaitUntil([&] {
            page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
            return page && ::IsWindowVisible(page) &&
                   ::SendMessageA(sheet, PSM_HWNDTOINDEX, (WPARAM)page, 0) == step.page;
        });
        if (!step.button) {
            Pose(step.shot);
            ExpectLaidOut(page, step.shot);
            continue;
        }
        PressButton(page, step.button);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(sheet, &pid);
        HWND dialog = WaitForOtherWindow(pid, sheet);
        ASSERT_TRUE(dialog) << step.shot;
        Pose(step.shot);
        ExpectLaidOut(dialog, step.shot);
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(gui::WaitUntil([&] { return !::IsWindow(dialog); })) << step.shot;
    }
    EXPECT_TRUE(CloseAndWait(sheet));
    UninstallSilently(HKEY_LOCAL_MACHINE, ShellFolder(CSIDL_PROGRAM_FILES) + "\\Corvane");
}
