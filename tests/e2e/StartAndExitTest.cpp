// The program's life seen from outside: it starts from drive C, shows its main
// window and its notification-area icon, and File > Exit ends it cleanly.
#include <gtest/gtest.h>

#include "support/LumettaProcess.h"
#include "support/NotificationArea.h"

namespace e2e {
namespace {

TEST(StartAndExit, MainWindowAndTrayIconAppearAndExitEndsTheProcessWithCodeZero) {
  const NotificationArea before = NotificationArea::Capture();
  ASSERT_TRUE(before.Valid()) << "no taskbar: is the Wine virtual desktop \"shell\" configured?";

  LumettaProcess program;
  ASSERT_TRUE(program.Started()) << "could not start " << kInstalledProgram;
  const HWND mainWindow = program.WaitForMainWindow();
  ASSERT_NE(mainWindow, nullptr) << "no visible window titled \"" << kMainWindowTitle << "\"";

  EXPECT_TRUE(NotificationArea::WaitForIcon(before, true, kStartTimeoutMs))
      << "no icon appeared in the notification area";

  ASSERT_TRUE(program.PostCommand(mainWindow, kExitCommand));
  DWORD exitCode = 0;
  ASSERT_TRUE(program.WaitForExit(kExitTimeoutMs, &exitCode)) << "still running after Exit";
  EXPECT_EQ(exitCode, 0u);
  EXPECT_TRUE(NotificationArea::WaitForIcon(before, false, kExitTimeoutMs))
      << "the icon stayed in the notification area after exit";
}

}  // namespace
}  // namespace e2e
