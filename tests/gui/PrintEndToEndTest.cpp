// A week printed through the system's print dialog to a Wine PostScript
// printer whose port is a file. Runs when LUMETTA_PRINT_OUTPUT names that
// file (print_end_to_end.sh sets it and reads the PostScript back with
// ghostscript); skipped otherwise.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "CalendarViewsFixture.h"
#include "e2e/support/FilePrinter.h"
#include "resource.h"
#include "support/DialogWatcher.h"

namespace {

class WinePrinterTest : public views_test::CalendarViewsTest {};

TEST_F(WinePrinterTest, TheWeekPrintsThroughThePrintDialogToAPostScriptFile) {
  const char* output = std::getenv("LUMETTA_PRINT_OUTPUT");
  if (output == nullptr || *output == '\0') GTEST_SKIP() << "LUMETTA_PRINT_OUTPUT is not set";
  e2e::FilePrinter printer(output);
  ASSERT_TRUE(printer.Ready()) << "no Wine PostScript printer (error " << GetLastError() << ")";

  host.diary.Add(2025, 9, 8, 9, 30, "Dentist appointment");
  host.diary.Add(2025, 9, 13, 14, 0, "Market stall");
  views::ViewWeek* week = OpenWeek(2025, 9, 10);
  ASSERT_NE(nullptr, week);
  testing_support::DialogWatcher watcher;
  watcher.ThenPress(IDOK);  // the print dialog, on the default printer
  SendMessageA(week->Handle(), WM_COMMAND, ID_PRINT, 0);
  ASSERT_EQ(1u, watcher.Seen().size()) << "the print dialog";
  EXPECT_TRUE(watcher.Seen()[0].answered);
  EXPECT_EQ(nullptr, view->Printing().SourceOf(views::PrintSourceKind::WeekView));
  EXPECT_TRUE(IsWindowEnabled(week->Handle()));
}

}  // namespace
