// The install root from the registry, the data folder from the family
// settings file, and the work folders, on the real registry and files of the
// test prefix.
#include "system/install_paths.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include "model/ambrel_utilities.h"
#include "tests/support/test_env.h"

using testenv::Exists;
using testenv::IsDirectory;
using testenv::Lower;
using testenv::TestRoot;

namespace {
const char kCorvaneKey[] = "Software\\Corvane";

class InstallPaths : public ::testing::Test {
protected:
    // Each test looks the data folder up afresh, as a new process would.
    void SetUp() override { g_strDataFolder.clear(); }
};

void WriteFamilySettings(const std::string& root, const std::string& dataFolderLine)
{
    testenv::WriteFile(root + "corvane\\res\\corvane.ini", "[Parameters]\r\n" + dataFolderLine + "\r\n");
}
} // namespace

TEST_F(InstallPaths, NoRegistryKeyGivesDriveC)
{
    testenv::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kCorvaneKey);
    testenv::DeleteRegistryTree(HKEY_CURRENT_USER, kCorvaneKey);
    EXPECT_EQ("c:\\", GetInstallRoot());
}

TEST_F(InstallPaths, KeyWithoutPathValueGivesDriveC)
{
    testenv::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kCorvaneKey);
    testenv::DeleteRegistryTree(HKEY_CURRENT_USER, kCorvaneKey);
    testenv::SetRegistryString(HKEY_LOCAL_MACHINE, kCorvaneKey, "Other", "x");
    EXPECT_EQ("c:\\", GetInstallRoot());
}

TEST_F(InstallPaths, PathComesBackAsWritten)
{
    testenv::SetRegistryString(HKEY_LOCAL_MACHINE, kCorvaneKey, "Path", "D:\\Apps\\");
    EXPECT_EQ("D:\\Apps\\", GetInstallRoot());
    // No trimming, no backslash added.
    testenv::SetRegistryString(HKEY_LOCAL_MACHINE, kCorvaneKey, "Path", " E:\\Mixed Case");
    EXPECT_EQ(" E:\\Mixed Case", GetInstallRoot());
}

TEST_F(InstallPaths, ValueThatDoesNotFitTheBufferGivesDriveC)
{
    // 9999 characters and the zero fill the 10000-byte buffer exactly.
    std::string fits = "C:\\" + std::string(9995, 'a') + "\\";
    ASSERT_EQ(9999u, fits.size());
    testenv::SetRegistryString(HKEY_LOCAL_MACHINE, kCorvaneKey, "Path", fits);
    EXPECT_EQ(fits, GetInstallRoot());

    std::string tooLong = fits + "b";
    testenv::SetRegistryString(HKEY_LOCAL_MACHINE, kCorvaneKey, "Path", tooLong);
    EXPECT_EQ("c:\\", GetInstallRoot());
}

// A setup for one user only writes the root into the user's hive; it serves
// only where the machine has no key or no value of its own.
TEST_F(InstallPaths, UserRootServesWhenTheMachineHasNone)
{
    const std::string kNone = "(none)", kKeyOnly = "(key only)";
    const std::string userRoot = "C:\\users\\me\\AppData\\Local\\Programs\\Corvane\\";
    const std::string tooLong = "C:\\" + std::string(10000, 'a') + "\\";
    struct Case {
        std::string machine, user, expected;
    } cases[] = {
        {kNone, userRoot, userRoot}, {kKeyOnly, userRoot, userRoot}, {"D:\\Apps\\", userRoot, "D:\\Apps\\"},
        {tooLong, userRoot, "c:\\"}, {kNone, kKeyOnly, "c:\\"},      {kNone, tooLong, "c:\\"},
    };
    auto put = [&](HKEY hive, const std::string& value) {
        testenv::DeleteRegistryTree(hive, kCorvaneKey);
        if (value == kKeyOnly)
            testenv::SetRegistryString(hive, kCorvaneKey, "Other", "x");
        else if (value != kNone)
            testenv::SetRegistryString(hive, kCorvaneKey, "Path", value);
    };
    for (const Case& c : cases) {
        put(HKEY_LOCAL_MACHINE, c.machine);
        put(HKEY_CURRENT_USER, c.user);
        EXPECT_EQ(c.expected, GetInstallRoot())
            << "machine " << c.machine.substr(0, 20) << ", user " << c.user.substr(0, 20);
    }
    testenv::DeleteRegistryTree(HKEY_CURRENT_USER, kCorvaneKey);
}

TEST_F(InstallPaths, DataFolderIsLowerCasedAndItsFoldersAreMade)
{
    TestRoot t("InstallPaths.DataFolderIsLowerCased", false);
    std::string folder = t.Base() + "\\Work\\Albums\\";
    testenv::MakeDirectories(folder);
    WriteFamilySettings(t.Root(), "Data Folder=" + folder);

    EXPECT_EQ(Lower(folder), GetDataFolder(t.Root()));
    EXPECT_EQ(Lower(folder), g_strDataFolder);
    EXPECT_TRUE(IsDirectory(folder + "corvane"));

    PrepareWorkFolders();
    EXPECT_TRUE(IsDirectory(folder + "ambrel"));
    EXPECT_TRUE(IsDirectory(folder + "ambrel\\temp"));
    EXPECT_EQ(Lower(folder) + "ambrel\\temp\\", GetWorkFolder());
}

TEST_F(InstallPaths, DataFolderOnAnotherDriveIsUsedAsText)
{
    TestRoot t("InstallPaths.OtherDrive", false);
    WriteFamilySettings(t.Root(), "Data Folder=E:\\Work\\Albums\\");
    EXPECT_EQ("e:\\work\\albums\\", GetDataFolder(t.Root()));
    EXPECT_EQ("e:\\work\\albums\\ambrel\\temp\\", GetWorkFolder());
}

TEST_F(InstallPaths, DataFolderWithoutTrailingBackslashIsUsedAsWritten)
{
    TestRoot t("InstallPaths.NoBackslash", false);
    std::string folder = t.Base() + "\\Work";
    testenv::MakeDirectories(folder);
    WriteFamilySettings(t.Root(), "Data Folder=" + folder);

    EXPECT_EQ(Lower(folder), GetDataFolder(t.Root()));
    PrepareWorkFolders();
    EXPECT_TRUE(IsDirectory(folder + "corvane"));
    EXPECT_TRUE(IsDirectory(folder + "ambrel"));
    EXPECT_TRUE(IsDirectory(folder + "ambrel\\temp"));
    EXPECT_FALSE(Exists(folder + "\\ambrel"));
}

TEST_F(InstallPaths, NoDataFolderValueFallsBackToTheDocumentsFolder)
{
    TestRoot t("InstallPaths.Documents", false);
    WriteFamilySettings(t.Root(), "Other=1");

    char documents[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(::SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, documents)));
    EXPECT_EQ(Lower(documents) + "\\", GetDataFolder(t.Root()));
}

TEST_F(InstallPaths, EmptyDataFolderValueFallsBackToo)
{
    TestRoot t("InstallPaths.EmptyValue", false);
    WriteFamilySettings(t.Root(), "Data Folder=");
    char documents[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(::SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, documents)));
    EXPECT_EQ(Lower(documents) + "\\", GetDataFolder(t.Root()));
}

TEST_F(InstallPaths, DataFolderEqualToRootApartFromCaseMakesNoFamilyFolder)
{
    TestRoot t("InstallPaths.SameAsRoot", false);
    std::string upper = t.Root();
    for (char& c : upper) c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    WriteFamilySettings(t.Root(), "Data Folder=" + upper);

    // The comparison is made on lower-cased copies, so the upper-case value
    // counts as the root itself.
    EXPECT_EQ(Lower(t.Root()), GetDataFolder(t.Root()));
}

TEST_F(InstallPaths, SecondLookupReturnsTheCacheWhateverTheRoot)
{
    TestRoot t("InstallPaths.Cache", true);
    std::string first = GetDataFolder(t.Root());
    EXPECT_EQ(t.DataFolder(), first);

    TestRoot other("InstallPaths.CacheOther", false);
    WriteFamilySettings(other.Root(), "Data Folder=C:\\somewhere\\else\\");
    EXPECT_EQ(first, GetDataFolder(other.Root()));
}

TEST_F(InstallPaths, ConstructingTheEngineMakesTheWorkFolders)
{
    TestRoot t;
    EXPECT_FALSE(IsDirectory(t.DataFolder() + "ambrel"));
    {
        CAmbrelUtilities utilities;
        EXPECT_EQ(1, utilities.m_nPackageFormat);
        EXPECT_EQ(1, utilities.m_bLoopMusic);
        EXPECT_EQ(0, utilities.m_bThumbnails);
        EXPECT_EQ(1, utilities.m_bFitImages);
        EXPECT_EQ(0, utilities.GetEntryCount());
    }
    EXPECT_TRUE(IsDirectory(t.DataFolder() + "ambrel\\temp"));
    EXPECT_TRUE(IsDirectory(t.DataFolder() + "corvane"));
}

TEST_F(InstallPaths, WindowsVersionUnderTheTestSystem)
{
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof(v);
    ASSERT_TRUE(::GetVersionExA(&v));
    EXPECT_EQ(v.dwMajorVersion > 4, IsWindows2000OrLater() != FALSE);
}

// On a system older than Windows 2000 the data folder falls back to the
// install root itself. Wine reports Windows NT 4.0 to a program when its
// per-program version setting says so; the check runs in a child process
// started with that setting.
TEST_F(InstallPaths, OlderSystemFallsBackToTheInstallRoot)
{
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string exe = self;
    std::string exeName = exe.substr(exe.find_last_of('\\') + 1);
    std::string appDefaults = "Software\\Wine\\AppDefaults\\" + exeName;

    // A bare root: no settings file, so no "corvane" folder of its own.
    TestRoot t("InstallPaths.OlderSystem", false);
    std::string bareRoot = t.Base() + "\\Bare\\";
    testenv::MakeDirectories(bareRoot);

    testenv::SetRegistryString(HKEY_CURRENT_USER, appDefaults, "Version", "nt40");
    ::SetEnvironmentVariableA("AMBREL_OLDER_SYSTEM_CHILD", bareRoot.c_str());
    std::string command = "\"" + exe + "\" --gtest_filter=InstallPathsChild.OlderSystem";
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    ::WaitForSingleObject(pi.hProcess, 60000);
    DWORD code = 1;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    ::SetEnvironmentVariableA("AMBREL_OLDER_SYSTEM_CHILD", nullptr);
    testenv::DeleteRegistryTree(HKEY_CURRENT_USER, appDefaults);

    EXPECT_EQ(0u, code) << "the child's checks failed";
    std::string marker = testenv::ReadFile(t.Base() + "\\child-ran.txt");
    EXPECT_EQ("older system", marker) << "the child did not see an older system";
}

TEST(InstallPathsChild, OlderSystem)
{
    char root[MAX_PATH] = {};
    if (!::GetEnvironmentVariableA("AMBREL_OLDER_SYSTEM_CHILD", root, MAX_PATH)) GTEST_SKIP() << "runs as a child only";
    ASSERT_FALSE(IsWindows2000OrLater());
    std::string r = root;
    EXPECT_EQ(Lower(r), GetDataFolder(r));
    // The data folder is the root itself: no family folder is made there.
    EXPECT_FALSE(Exists(r + "corvane"));
    testenv::WriteFile(r + "..\\child-ran.txt", "older system");
}
