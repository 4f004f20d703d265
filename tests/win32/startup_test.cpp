#include <gtest/gtest.h>

#include "app/startup.h"

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

} // namespace
