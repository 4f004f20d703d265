#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/startup.h"
#include "app/system_libraries.h"

namespace {

TEST(UninstallSwitch, MatchesEitherSpellingInAnyCaseAfterLeadingBlanks) {
    EXPECT_TRUE(IsUninstallSwitch("/uninstall"));
    EXPECT_TRUE(IsUninstallSwitch("-uninstall"));
    EXPECT_TRUE(IsUninstallSwitch("/UNINSTALL"));
    EXPECT_TRUE(IsUninstallSwitch("-UnInstall"));
    EXPECT_TRUE(IsUninstallSwitch("   \t/uninstall"));
    EXPECT_TRUE(IsUninstallSwitch("\x01\x1f -uninstall"));
}

TEST(UninstallSwitch, AByteOf128OrMoreBeforeTheSwitchIsSkippedLikeABlank) {
    EXPECT_TRUE(IsUninstallSwitch("\xa0/uninstall"));
    EXPECT_TRUE(IsUninstallSwitch("\xff\x80 -uninstall"));
}

TEST(UninstallSwitch, AnythingElseStartsTheGame) {
    EXPECT_FALSE(IsUninstallSwitch(""));
    EXPECT_FALSE(IsUninstallSwitch("uninstall"));
    EXPECT_FALSE(IsUninstallSwitch("/uninstall "));
    EXPECT_FALSE(IsUninstallSwitch("/uninstall now"));
    EXPECT_FALSE(IsUninstallSwitch("/uninstal"));
    EXPECT_FALSE(IsUninstallSwitch("x/uninstall"));
    EXPECT_FALSE(IsUninstallSwitch("//uninstall"));
}

std::string FolderOf(HMODULE module) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(module, path, MAX_PATH);
    *std::strrchr(path, '\\') = '\0';
    return CharLowerA(path);
}

// A comctl32.dll lies beside this program, where Windows looks first for a library that is not
// one of its known DLLs: neither the program nor a later LoadLibrary of the name may take it.
TEST(SystemLibraries, ComeFromTheSystemFolderWhateverLiesBesideTheProgram) {
    ASSERT_NE(GetFileAttributesA((FolderOf(nullptr) + "\\comctl32.dll").c_str()),
              INVALID_FILE_ATTRIBUTES);
    RestrictLibrarySearch();
    SystemFunction("comctl32.dll", "InitCommonControlsEx");
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_EQ(FolderOf(GetModuleHandleA("comctl32.dll")), CharLowerA(system));
    EXPECT_EQ(LoadLibraryA("comctl32.dll"), GetModuleHandleA("comctl32.dll"));
}

} // namespace
