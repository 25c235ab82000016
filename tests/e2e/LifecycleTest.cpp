// The real program's life in its files: the first start makes the data
// folder, the notes folder and a settings file of defaults; a data file
// present at start is backed up byte for byte before it is read; Exit
// writes it again; a second start hands over to the first copy; the end of
// a Windows session saves everything although the process is then killed.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <string>

#include "common/Records.h"
#include "support/DataFolder.h"
#include "support/LumettaProcess.h"

namespace e2e {
namespace {

constexpr UINT kHideCommand = 32808;  // the notification-area menu's "&Hide"

bool FolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string Bytes(const std::string& path) {
  std::string bytes;
  ReadWholeFile(path, &bytes);
  return bytes;
}

std::int32_t Int32At(const std::string& bytes, size_t at) {
  std::uint32_t v = 0;
  for (size_t i = 0; i < 4 && at + i < bytes.size(); ++i) {
    v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  }
  return static_cast<std::int32_t>(v);
}

std::string TextAt(const std::string& bytes, size_t at) {
  return at < bytes.size() ? std::string(bytes.c_str() + at) : std::string();
}

std::string WeekdayBackupName(int weekday) {
  static const char* const kNames[] = {"Lumetta.Sun.bin", "Lumetta.Mon.bin",  "Lumetta.Tue.bin",
                                       "Lumetta.Wed.bin", "Lumetta.Thur.bin", "Lumetta.Fri.bin",
                                       "Lumetta.Sat.bin"};
  return kNames[weekday];
}

int Weekday() {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  return now.wDayOfWeek;
}

template <typename Condition>
bool WaitFor(Condition condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

void ExitAndWait(LumettaProcess& program, HWND mainWindow) {
  ASSERT_TRUE(program.PostCommand(mainWindow, kExitCommand));
  DWORD exitCode = 1;
  ASSERT_TRUE(program.WaitForExit(kExitTimeoutMs, &exitCode)) << "still running after Exit";
  EXPECT_EQ(0u, exitCode);
}

TEST(FirstStart, MakesTheDataFolderTheNotesFolderAndASettingsFileOfDefaults) {
  const std::string folder = DataFolder();
  ASSERT_FALSE(FolderExists(folder)) << "the scenario needs a fresh prefix";
  LumettaProcess program;
  const HWND mainWindow = program.WaitForMainWindow();
  ASSERT_NE(nullptr, mainWindow);

  EXPECT_TRUE(FolderExists(folder));
  EXPECT_TRUE(FolderExists(folder + "notes"));
  const std::string settings = Bytes(folder + "settings.bin");
  ASSERT_EQ(1648u, settings.size());
  EXPECT_EQ(0, settings[0]) << "daily web page off";
  EXPECT_EQ(1, settings[1]) << "ask first";
  EXPECT_EQ("https://www.wikipedia.org/", TextAt(settings, 3));
  for (size_t at = 264; at < 424; ++at) {
    ASSERT_EQ(0, settings[at]) << "fonts and window positions never chosen, byte " << at;
  }
  char documents[MAX_PATH] = {};
  ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, documents));
  EXPECT_EQ(std::string(documents) + "\\Lumetta Backups", TextAt(settings, 424))
      << "a new user's backup folder, in Documents";
  EXPECT_EQ("Start.wav", TextAt(settings, 680));
  EXPECT_EQ("Ring.wav", TextAt(settings, 808));
  EXPECT_EQ("Pick.wav", TextAt(settings, 936));
  EXPECT_EQ(0, Int32At(settings, 1064)) << "reminder minutes";
  EXPECT_EQ(3, Int32At(settings, 1068)) << "reminders on, hide on close";
  EXPECT_EQ(0, Int32At(settings, 1080)) << "summary seconds";
  EXPECT_EQ(0x00FB7D00, Int32At(settings, 1088)) << "fore";
  EXPECT_EQ(0x009BFFFF, Int32At(settings, 1092)) << "back";
  EXPECT_EQ(0x009BCDFF, Int32At(settings, 1100)) << "dayplan2";
  EXPECT_EQ(0x000000FF, Int32At(settings, 1116)) << "hasappoint";
  EXPECT_FALSE(FileExists(folder + "Lumetta.bin")) << "nothing to write yet";

  ExitAndWait(program, mainWindow);
  EXPECT_TRUE(FolderExists(folder + "notes"));
  EXPECT_EQ(1648, FileSize(folder + "settings.bin"));
}

TEST(DataFileAtStart, IsCopiedByteForByteToTheWeekdayBackupBeforeItIsRead) {
  const std::string seeded = test_common::Record(2025, 5, 2, 9, 0, "Second") +
                             test_common::Record(2025, 5, 1, 14, 30, "First");
  ASSERT_TRUE(WriteWholeFile(DataFolder() + "Lumetta.bin", seeded));
  const int weekdayBefore = Weekday();
  LumettaProcess program;
  const HWND mainWindow = program.WaitForMainWindow();
  ASSERT_NE(nullptr, mainWindow);
  const int weekdayAfter = Weekday();

  const std::string backup = DataFolder() + WeekdayBackupName(weekdayBefore);
  const std::string other = DataFolder() + WeekdayBackupName(weekdayAfter);
  EXPECT_TRUE(Bytes(backup) == seeded || Bytes(other) == seeded)
      << "no weekday backup equal to the data file as it was";
  ExitAndWait(program, mainWindow);
}

TEST(DataFileAtStart, ExitWritesItAgainSortedWithTheEntriesTimes) {
  const std::string seeded = test_common::Record(2025, 5, 2, 9, 0, "Second") +
                             test_common::Record(2025, 5, 1, 14, 30, "First");
  ASSERT_TRUE(WriteWholeFile(DataFolder() + "Lumetta.bin", seeded));
  LumettaProcess program;
  const HWND mainWindow = program.WaitForMainWindow();
  ASSERT_NE(nullptr, mainWindow);
  ExitAndWait(program, mainWindow);

  const std::string written = Bytes(DataFolder() + "Lumetta.bin");
  const std::vector<store::AppointmentRecord> records = test_common::ReadRecords(written);
  ASSERT_EQ(2 * store::kRecordSize, written.size());
  EXPECT_EQ("First", records[0].text);
  EXPECT_EQ(1, records[0].day);
  EXPECT_EQ("Second", records[1].text);
  EXPECT_LT(0, records[0].time) << "the moment of the slot";
  EXPECT_LT(records[0].time, records[1].time);
}

TEST(SecondStart, BringsTheFirstCopysWindowBackAndEndsAtOnce) {
  LumettaProcess first;
  const HWND mainWindow = first.WaitForMainWindow();
  ASSERT_NE(nullptr, mainWindow);
  ASSERT_TRUE(first.PostCommand(mainWindow, kHideCommand));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(mainWindow); }, kExitTimeoutMs))
      << "the window did not hide into the notification area";

  LumettaProcess second;
  ASSERT_TRUE(second.Started());
  DWORD exitCode = 1;
  ASSERT_TRUE(second.WaitForExit(kStartTimeoutMs, &exitCode)) << "the second copy kept running";
  EXPECT_EQ(0u, exitCode);
  EXPECT_EQ(nullptr, FindProcessWindow(second.Id(), kMainWindowTitle));

  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(mainWindow) != FALSE; }, kExitTimeoutMs))
      << "the first copy's window did not come back";
  EXPECT_FALSE(IsIconic(mainWindow));
  RECT rect = {};
  GetWindowRect(mainWindow, &rect);
  EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (rect.left + rect.right) / 2, 1) << "centred";
  EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, (rect.top + rect.bottom) / 2, 1) << "centred";
  EXPECT_TRUE(first.Running());
  ExitAndWait(first, mainWindow);
}

TEST(EndOfSession, WritesDataAndSettingsBeforeWindowsEndsTheProcess) {
  const std::string seeded = test_common::Record(2025, 5, 2, 9, 0, "Second") +
                             test_common::Record(2025, 5, 1, 14, 30, "First");
  const std::string data = DataFolder() + "Lumetta.bin";
  const std::string settings = DataFolder() + "settings.bin";
  ASSERT_TRUE(WriteWholeFile(data, seeded));
  LumettaProcess program;
  const HWND mainWindow = program.WaitForMainWindow();
  ASSERT_NE(nullptr, mainWindow);
  ASSERT_TRUE(DeleteFileA(data.c_str()));
  ASSERT_TRUE(DeleteFileA(settings.c_str()));
  // The user puts the window somewhere (the first moves of a run are the
  // program's own and are not remembered).
  for (int i = 0; i < 4; ++i) {
    SetWindowPos(mainWindow, nullptr, 100 + i, 50, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  DWORD_PTR answer = 0;
  ASSERT_NE(0, SendMessageTimeoutA(mainWindow, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                   SMTO_NORMAL, kExitTimeoutMs, &answer));
  EXPECT_EQ(TRUE, static_cast<BOOL>(answer)) << "the program agrees to the logoff";
  ASSERT_NE(0, SendMessageTimeoutA(mainWindow, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                   kExitTimeoutMs, &answer));
  // Windows now ends the process without destroying its windows.
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, program.Id());
  ASSERT_NE(nullptr, process);
  TerminateProcess(process, 0);
  WaitForSingleObject(process, kExitTimeoutMs);
  CloseHandle(process);

  const std::string written = Bytes(data);
  EXPECT_EQ((std::vector<std::string>{"First", "Second"}), test_common::RecordTexts(written))
      << "the data file was not written";
  const std::string saved = Bytes(settings);
  ASSERT_EQ(1648u, saved.size()) << "the settings were not written";
  EXPECT_EQ(103, Int32At(saved, 384)) << "the main window's left as the user left it";
  EXPECT_EQ(50, Int32At(saved, 388));
}

}  // namespace
}  // namespace e2e
