// A week printed through the system's print dialog to a Wine PostScript
// printer whose port is a file. Runs when LUMETTA_PRINT_OUTPUT names that
// file (print_end_to_end.sh sets it and reads the PostScript back with
// ghostscript); skipped otherwise.
#include <gtest/gtest.h>

#include <windows.h>

#include <winspool.h>

#include <cstdlib>
#include <string>

#include "CalendarViewsFixture.h"
#include "resource.h"
#include "support/DialogWatcher.h"

namespace {

constexpr const char* kPrinterName = "Lumetta Test PostScript";

// Wine's generic PostScript description, written where printer drivers live.
std::string WriteGenericPpd() {
  HMODULE spooler = LoadLibraryExA("winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (spooler == nullptr) return std::string();
  std::string path;
  HRSRC found = FindResourceA(spooler, MAKEINTRESOURCEA(1), "PPDFILE");
  char folder[MAX_PATH] = "";
  DWORD needed = 0;
  if (found != nullptr &&
      GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder),
                                 sizeof folder, &needed)) {
    path = std::string(folder) + "\\lumetta-test.ppd";
    const void* data = LockResource(LoadResource(spooler, found));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool ok = file != INVALID_HANDLE_VALUE &&
                    WriteFile(file, data, SizeofResource(spooler, found), &written, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (!ok) path.clear();
  }
  FreeLibrary(spooler);
  return path;
}

// A PostScript printer printing into `port` (a Unix path), made the
// default printer while the object lives.
class FilePrinter {
 public:
  explicit FilePrinter(const std::string& port) {
    const std::string ppd = WriteGenericPpd();
    if (ppd.empty()) return;
    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(kPrinterName);
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    driver.pDataFile = const_cast<char*>(ppd.c_str());
    if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver),
                             APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY)) {
      return;
    }
    PRINTER_INFO_2A info = {};
    info.pPrinterName = const_cast<char*>(kPrinterName);
    info.pPortName = const_cast<char*>(port.c_str());
    info.pDriverName = const_cast<char*>(kPrinterName);
    info.pPrintProcessor = const_cast<char*>("winprint");
    info.pDatatype = const_cast<char*>("RAW");
    printer_ = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (printer_ != nullptr) SetDefaultPrinterA(kPrinterName);
  }
  ~FilePrinter() {
    if (printer_ == nullptr) return;
    DeletePrinter(printer_);
    ClosePrinter(printer_);
  }
  FilePrinter(const FilePrinter&) = delete;
  FilePrinter& operator=(const FilePrinter&) = delete;

  bool Ready() const { return printer_ != nullptr; }

 private:
  HANDLE printer_ = nullptr;
};

class WinePrinterTest : public views_test::CalendarViewsTest {};

TEST_F(WinePrinterTest, TheWeekPrintsThroughThePrintDialogToAPostScriptFile) {
  const char* output = std::getenv("LUMETTA_PRINT_OUTPUT");
  if (output == nullptr || *output == '\0') GTEST_SKIP() << "LUMETTA_PRINT_OUTPUT is not set";
  FilePrinter printer(output);
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
