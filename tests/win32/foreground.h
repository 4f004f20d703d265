// The foreground, for the tests whose keys or paints need a window of theirs in front.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

// Brings the window, of this process or another, to the foreground, and says whether it is there;
// a failure names the window that stays in front. Wine grants every program the foreground;
// Windows only the program in front, which on a build machine is often a console, so a test that
// typed or painted on without its window in front would type into another program and wait for
// ever. The call first joins the input of the thread in front, as Windows lets any thread do,
// and then, if that was not enough, clicks the window itself.
::testing::AssertionResult TakeForeground(HWND window);
