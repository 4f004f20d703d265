#include <windows.h>

#include <gtest/gtest.h>

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
    std::string folder(path, std::string(path).rfind('\\'));
    CharLowerA(folder.data());
    return folder;
}

// A comctl32.dll lies beside this program: Windows would look there first for it, since it is not
// one of the known DLLs, and so would any later LoadLibrary of the name.
TEST(SystemLibraries, ComeFromTheSystemFolderWhateverLiesBesideTheProgram) {
    const std::string planted = FolderOf(nullptr) + "\\comctl32.dll";
    ASSERT_NE(GetFileAttributesA(planted.c_str()), INVALID_FILE_ATTRIBUTES);
    RestrictLibrarySearch();
    ASSERT_NE(SystemFunction("comctl32.dll", "InitCommonControlsEx"), nullptr);
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    CharLowerA(system);
    EXPECT_EQ(FolderOf(GetModuleHandleA("comctl32.dll")), system);
    EXPECT_EQ(LoadLibraryA("comctl32.dll"), GetModuleHandleA("comctl32.dll"));
}

} // namespace
