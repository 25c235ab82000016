// The Windows side of the store's platform: Win32 files with safe
// replacement, the clock, prompts through the framework's Prompter, reminder
// timers on a window, repaint notices passed on to the main window.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "PlatformTestFiles.h"
#include "framework/MessageBoxPrompter.h"
#include "platform/ForwardingRepaintNotices.h"
#include "platform/PrompterPrompts.h"
#include "platform/RegistryTimeZones.h"
#include "platform/SystemClock.h"
#include "platform/Win32FileSystem.h"
#include "platform/WindowReminderTimers.h"
#include "store/CivilDate.h"
#include "store/SafeFile.h"
#include "support/DialogWatcher.h"

using platform_testing::PathExists;
using platform_testing::ReadWholeFile;
using platform_testing::ScratchFolder;
using platform_testing::WriteWholeFile;
using store::PromptAnswer;
using store::PromptButtons;
using store::PromptIcon;

namespace {

// Bytes of every value, zeros included, in an order that shows shifts.
std::string PatternBytes(std::size_t size, std::uint32_t seed) {
  std::string bytes(size, '\0');
  std::uint32_t x = seed;
  for (char& c : bytes) {
    x = x * 1664525u + 1013904223u;
    c = static_cast<char>(x >> 24);
  }
  return bytes;
}

class Win32FileSystemTest : public ::testing::Test {
 protected:
  ScratchFolder folder_;
  platform::Win32FileSystem files_;
};

TEST_F(Win32FileSystemTest, WrittenFileReadsBackByteForByte) {
  const std::string path = folder_ / "data.bin";
  const std::string bytes = PatternBytes(3 * 1024 * 1024 + 17, 1);
  {
    auto out = files_.Create(path);
    ASSERT_NE(out, nullptr);
    // Uneven pieces, as the store writes records.
    std::size_t at = 0;
    for (std::size_t piece = 1; at < bytes.size(); piece = piece * 3 + 1) {
      const std::size_t n = std::min(piece, bytes.size() - at);
      ASSERT_TRUE(out->Write(bytes.data() + at, n)) << "at " << at;
      at += n;
    }
    EXPECT_TRUE(out->Finish());
  }
  EXPECT_EQ(ReadWholeFile(path), bytes);

  auto in = files_.OpenRead(path);
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->SizeHint(), bytes.size());
  std::string back;
  std::vector<char> buffer(204);
  for (;;) {
    const std::size_t n = in->Read(buffer.data(), buffer.size());
    back.append(buffer.data(), n);
    if (n < buffer.size()) break;
  }
  EXPECT_FALSE(in->Failed());
  EXPECT_EQ(back.size(), bytes.size());
  EXPECT_TRUE(back == bytes);
  EXPECT_EQ(in->Read(buffer.data(), buffer.size()), 0u) << "nothing after the end";
  EXPECT_FALSE(in->Failed()) << "the end of the file is not a failure";
}

TEST_F(Win32FileSystemTest, CreateEmptiesAnExistingFileAndAnEmptyFileReadsAsEmpty) {
  const std::string path = folder_ / "short.bin";
  ASSERT_TRUE(WriteWholeFile(path, PatternBytes(5000, 2)));
  auto out = files_.Create(path);
  ASSERT_NE(out, nullptr);
  ASSERT_TRUE(out->Write("abc", 3));
  ASSERT_TRUE(out->Finish());
  EXPECT_EQ(ReadWholeFile(path), "abc");

  auto empty = files_.Create(folder_ / "empty.bin");
  ASSERT_NE(empty, nullptr);
  ASSERT_TRUE(empty->Finish());
  auto in = files_.OpenRead(folder_ / "empty.bin");
  ASSERT_NE(in, nullptr);
  char c;
  EXPECT_EQ(in->Read(&c, 1), 0u);
  EXPECT_FALSE(in->Failed());
  EXPECT_EQ(in->SizeHint(), 0u);
}

TEST_F(Win32FileSystemTest, ExistsAndOpenReadTellFilesFoldersAndMissingPathsApart) {
  const std::string file = folder_ / "a.bin";
  const std::string sub = folder_ / "sub";
  ASSERT_TRUE(WriteWholeFile(file, "x"));
  ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));

  EXPECT_TRUE(files_.Exists(file));
  EXPECT_TRUE(files_.Exists(sub));
  EXPECT_FALSE(files_.Exists(folder_ / "missing.bin"));
  EXPECT_FALSE(files_.Exists(folder_ / "missing\\a.bin"));

  EXPECT_NE(files_.OpenRead(file), nullptr);
  EXPECT_EQ(files_.OpenRead(sub), nullptr) << "a folder is not a readable file";
  EXPECT_EQ(files_.OpenRead(folder_ / "missing.bin"), nullptr);
  EXPECT_EQ(files_.Create(folder_ / "missing\\a.bin"), nullptr) << "no folder to create it in";
  EXPECT_EQ(files_.Create(sub), nullptr) << "a folder cannot be overwritten as a file";
}

TEST_F(Win32FileSystemTest, ReplacePutsTheNewFileInThePlaceOfTheOld) {
  const std::string from = folder_ / "new.tmp";
  const std::string to = folder_ / "data.bin";
  ASSERT_TRUE(WriteWholeFile(from, "new contents"));
  ASSERT_TRUE(WriteWholeFile(to, "the old, longer contents"));
  EXPECT_TRUE(files_.Replace(from, to));
  EXPECT_EQ(ReadWholeFile(to), "new contents");
  EXPECT_FALSE(PathExists(from));

  // With no file to replace, the file simply moves.
  ASSERT_TRUE(WriteWholeFile(from, "second"));
  EXPECT_TRUE(files_.Replace(from, folder_ / "fresh.bin"));
  EXPECT_EQ(ReadWholeFile(folder_ / "fresh.bin"), "second");

  EXPECT_FALSE(files_.Replace(folder_ / "missing.tmp", to));
  EXPECT_EQ(ReadWholeFile(to), "new contents");
}

TEST_F(Win32FileSystemTest, RenameRefusesAnExistingTargetAndLeavesBothFiles) {
  const std::string from = folder_ / "Lumetta.bin";
  const std::string to = folder_ / "Lumetta.old.bin";
  ASSERT_TRUE(WriteWholeFile(from, "current"));
  ASSERT_TRUE(WriteWholeFile(to, "adopted earlier"));
  EXPECT_FALSE(files_.Rename(from, to));
  EXPECT_EQ(ReadWholeFile(from), "current");
  EXPECT_EQ(ReadWholeFile(to), "adopted earlier");

  ASSERT_TRUE(DeleteFileA(to.c_str()));
  EXPECT_TRUE(files_.Rename(from, to));
  EXPECT_EQ(ReadWholeFile(to), "current");
  EXPECT_FALSE(PathExists(from));
}

TEST_F(Win32FileSystemTest, CopyReplacingCopiesByteForByteOverALongerOldCopy) {
  const std::string data = folder_ / "Lumetta.bin";
  const std::string backup = folder_ / "Lumetta.Thur.bin";
  const std::string bytes = PatternBytes(204 * 1000, 3);
  ASSERT_TRUE(WriteWholeFile(data, bytes));
  ASSERT_TRUE(WriteWholeFile(backup, PatternBytes(204 * 3000, 4)));

  EXPECT_TRUE(files_.CopyReplacing(data, backup));
  bool ok = false;
  const std::string copy = ReadWholeFile(backup, &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(copy.size(), bytes.size());
  EXPECT_TRUE(copy == bytes) << "the copy differs from the data file";
  EXPECT_TRUE(ReadWholeFile(data) == bytes) << "the data file itself changed";
  EXPECT_FALSE(PathExists(store::TemporaryPathFor(backup)));
}

TEST_F(Win32FileSystemTest, CopyOfAReadOnlyFileCanBeReplacedByTheNextCopy) {
  const std::string data = folder_ / "Lumetta.bin";
  const std::string backup = folder_ / "Lumetta.Mon.bin";
  ASSERT_TRUE(WriteWholeFile(data, "monday"));
  ASSERT_TRUE(SetFileAttributesA(data.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(files_.CopyReplacing(data, backup));
  ASSERT_TRUE(SetFileAttributesA(data.c_str(), FILE_ATTRIBUTE_NORMAL));
  ASSERT_TRUE(WriteWholeFile(data, "a week later"));
  EXPECT_TRUE(files_.CopyReplacing(data, backup));
  EXPECT_EQ(ReadWholeFile(backup), "a week later");
}

TEST_F(Win32FileSystemTest, FailedCopyLeavesTheOldCopyAndNoTemporaryFile) {
  const std::string backup = folder_ / "Lumetta.Sun.bin";
  ASSERT_TRUE(WriteWholeFile(backup, "last sunday"));
  EXPECT_FALSE(files_.CopyReplacing(folder_ / "missing.bin", backup));
  EXPECT_EQ(ReadWholeFile(backup), "last sunday");
  EXPECT_FALSE(PathExists(store::TemporaryPathFor(backup)));

  // The temporary file's place is taken by a folder: the copy cannot be made.
  const std::string data = folder_ / "Lumetta.bin";
  ASSERT_TRUE(WriteWholeFile(data, "today"));
  ASSERT_TRUE(CreateDirectoryA(store::TemporaryPathFor(backup).c_str(), nullptr));
  EXPECT_FALSE(files_.CopyReplacing(data, backup));
  EXPECT_EQ(ReadWholeFile(backup), "last sunday");
}

TEST_F(Win32FileSystemTest, RemoveDeletesAFileAndAcceptsAMissingOne) {
  const std::string path = folder_ / "SearchResults.txt";
  ASSERT_TRUE(WriteWholeFile(path, "x"));
  EXPECT_TRUE(files_.Remove(path));
  EXPECT_FALSE(PathExists(path));
  EXPECT_TRUE(files_.Remove(path)) << "nothing left at the path is success";
  ASSERT_TRUE(CreateDirectoryA((folder_ / "sub").c_str(), nullptr));
  EXPECT_FALSE(files_.Remove(folder_ / "sub")) << "a folder is not removed";
}

// A save that fails at any step leaves the previous file exactly as it was.
class SafeSaveTest : public Win32FileSystemTest {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteWholeFile(path_, previous_)); }
  const std::string path_ = folder_ / "Lumetta.bin";
  const std::string temp_ = store::TemporaryPathFor(path_);
  const std::string previous_ = PatternBytes(204 * 50, 5);
};

TEST_F(SafeSaveTest, SuccessfulSaveReplacesTheFileWhole) {
  const std::string next = PatternBytes(204 * 7, 6);
  EXPECT_TRUE(store::WriteFileSafely(files_, path_, next.data(), next.size()));
  EXPECT_TRUE(ReadWholeFile(path_) == next);
  EXPECT_FALSE(PathExists(temp_));
}

TEST_F(SafeSaveTest, WriterFailingHalfWayLeavesThePreviousFile) {
  const std::string next = PatternBytes(204 * 100, 7);
  const bool saved = store::WriteFileSafely(files_, path_, [&](store::OutputFile& out) {
    // Half of the records go out, then the writer gives up.
    return out.Write(next.data(), next.size() / 2) && false;
  });
  EXPECT_FALSE(saved);
  EXPECT_TRUE(ReadWholeFile(path_) == previous_);
  EXPECT_FALSE(PathExists(temp_));
}

TEST_F(SafeSaveTest, TemporaryFileThatCannotBeCreatedLeavesThePreviousFile) {
  ASSERT_TRUE(CreateDirectoryA(temp_.c_str(), nullptr));
  EXPECT_FALSE(store::WriteFileSafely(files_, path_, "new", 3));
  EXPECT_TRUE(ReadWholeFile(path_) == previous_);
}

TEST_F(SafeSaveTest, FileThatCannotBeReplacedStaysAsItWasAndTheTemporaryFileGoes) {
  // Another program holds the data file open without sharing it.
  HANDLE held = CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const bool saved = store::WriteFileSafely(files_, path_, "new", 3);
  CloseHandle(held);
  EXPECT_FALSE(saved);
  EXPECT_TRUE(ReadWholeFile(path_) == previous_);
  EXPECT_FALSE(PathExists(temp_));
}

TEST_F(Win32FileSystemTest, WritingOrFinishingAFinishedFileFails) {
  auto out = files_.Create(folder_ / "other.bin");
  ASSERT_NE(out, nullptr);
  ASSERT_TRUE(out->Write("ok", 2));
  ASSERT_TRUE(out->Finish());
  EXPECT_FALSE(out->Write("late", 4)) << "writing after the file was finished";
  EXPECT_FALSE(out->Finish()) << "finishing twice";
}

TEST(SystemClock, NowIsTheSystemTimeInSecondsSince1970) {
  auto systemSeconds = [] {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const ULONGLONG ticks = (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return static_cast<long long>(ticks / 10000000ULL) - 11644473600LL;  // 1601 -> 1970
  };
  platform::SystemClock clock;
  const long long before = systemSeconds();
  const long long now = clock.Now();
  const long long after = systemSeconds();
  EXPECT_GE(now, before - 1);
  EXPECT_LE(now, after + 1);
}

// A zone an iCalendar file only names, from the registry, at a change of
// its clocks: one second before and at the change (UTC). Eastern lists
// rules for 2000 to 2007 only: its first before, its last after them.
struct ZoneChangeCase {
  const char* zone;
  int year, month, day, hour;
  int before, after;  // seconds east of UTC
};

const ZoneChangeCase kZoneChanges[] = {
    {"America/New_York", 1960, 4, 3, 7, -18000, -14400},  // first Sunday of April
    {"America/New_York", 1960, 10, 30, 6, -14400, -18000},
    {"America/New_York", 1990, 4, 1, 7, -18000, -14400},
    {"America/New_York", 2040, 3, 11, 7, -18000, -14400},  // second Sunday of March
    {"America/New_York", 2040, 11, 4, 6, -14400, -18000},
    {"Europe/Berlin", 1905, 3, 26, 1, 3600, 7200},
    {"Europe/Berlin", 2199, 10, 27, 1, 7200, 3600},
};

TEST(RegistryTimeZones, ZonesChangeTheirClocksOverTheWholeCalendar) {
  platform::RegistryTimeZones zones;
  for (const ZoneChangeCase& c : kZoneChanges) {
    std::vector<store::ZoneTransition> changes;
    ASSERT_TRUE(zones.Transitions(c.zone, changes)) << c.zone;
    ASSERT_FALSE(changes.empty()) << c.zone;
    auto offsetAt = [&](std::int64_t utc) {
      int offset = changes.front().offsetFrom;
      for (const store::ZoneTransition& t : changes) {
        if (t.utc <= utc) offset = t.offsetTo;
      }
      return offset;
    };
    const std::int64_t at = store::DayNumber(c.year, c.month, c.day) * 86400 + c.hour * 3600;
    EXPECT_EQ(c.before, offsetAt(at - 1)) << c.zone << " " << c.year << "-" << c.month;
    EXPECT_EQ(c.after, offsetAt(at)) << c.zone << " " << c.year << "-" << c.month;
  }
}

// Records what the store's prompts hand to the framework's prompter.
class ScriptedPrompter : public fw::Prompter {
 public:
  int answer = IDOK;
  HWND owner = nullptr;
  std::string text;
  UINT type = 0;
  int Show(HWND o, const std::string& t, UINT ty) override {
    owner = o;
    text = t;
    type = ty;
    return answer;
  }
};

TEST(PrompterPrompts, ButtonsAndIconsBecomeMessageBoxFlags) {
  ScriptedPrompter prompter;
  platform::PrompterPrompts prompts(prompter);
  struct Case {
    PromptButtons buttons;
    PromptIcon icon;
    UINT type;
  } cases[] = {
      {PromptButtons::Ok, PromptIcon::None, MB_OK},
      {PromptButtons::OkCancel, PromptIcon::Information, MB_OKCANCEL | MB_ICONINFORMATION},
      {PromptButtons::YesNo, PromptIcon::Question, MB_YESNO | MB_ICONQUESTION},
      {PromptButtons::YesNoCancel, PromptIcon::Warning, MB_YESNOCANCEL | MB_ICONWARNING},
      {PromptButtons::Ok, PromptIcon::Error, MB_OK | MB_ICONERROR},
  };
  for (const Case& c : cases) {
    prompts.Show("text", store::kPromptCaption, c.buttons, c.icon);
    EXPECT_EQ(prompter.type, c.type)
        << "buttons " << static_cast<int>(c.buttons) << " icon " << static_cast<int>(c.icon);
  }
}

TEST(PrompterPrompts, AnswersComeBackAndAClosedBoxIsTheCautiousAnswer) {
  ScriptedPrompter prompter;
  platform::PrompterPrompts prompts(prompter);
  struct Case {
    int result;
    PromptButtons buttons;
    PromptAnswer answer;
  } cases[] = {
      {IDOK, PromptButtons::Ok, PromptAnswer::Ok},
      {IDCANCEL, PromptButtons::OkCancel, PromptAnswer::Cancel},
      {IDYES, PromptButtons::YesNo, PromptAnswer::Yes},
      {IDNO, PromptButtons::YesNoCancel, PromptAnswer::No},
      {0, PromptButtons::YesNo, PromptAnswer::No},
      {0, PromptButtons::YesNoCancel, PromptAnswer::Cancel},
      {0, PromptButtons::OkCancel, PromptAnswer::Cancel},
      {0, PromptButtons::Ok, PromptAnswer::Ok},
  };
  for (const Case& c : cases) {
    prompter.answer = c.result;
    EXPECT_EQ(prompts.Show("q", store::kPromptCaption, c.buttons, PromptIcon::None), c.answer)
        << "result " << c.result;
  }
}

TEST(PrompterPrompts, TheTextGoesToTheOwnerWindowSetLater) {
  ScriptedPrompter prompter;
  platform::PrompterPrompts prompts(prompter);
  prompts.Show("before", store::kPromptCaption, PromptButtons::Ok, PromptIcon::None);
  EXPECT_EQ(prompter.owner, nullptr);
  HWND window = CreateWindowExA(0, "STATIC", "owner", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  prompts.SetOwner(window);
  prompts.Show("Lumetta.bin could not be written.", store::kPromptCaption, PromptButtons::Ok,
               PromptIcon::None);
  EXPECT_EQ(prompter.owner, window);
  EXPECT_EQ(prompter.text, "Lumetta.bin could not be written.");
  DestroyWindow(window);
}

TEST(PrompterPrompts, ARealMessageBoxShowsTheTextUnderTheProgramsCaption) {
  testing_support::DialogWatcher watcher;
  watcher.ThenPress(IDNO);
  fw::MessageBoxPrompter prompter(store::kPromptCaption);
  platform::PrompterPrompts prompts(prompter);
  EXPECT_EQ(prompts.Show("Delete the whole year?", store::kPromptCaption, PromptButtons::YesNo,
                         PromptIcon::Question),
            PromptAnswer::No);
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].caption, "Lumetta");
  EXPECT_EQ(watcher.Seen()[0].message, "Delete the whole year?");
}

// A window whose timers the test reads from the queue.
class TimerWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = CreateWindowExA(0, "STATIC", "timers", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                              nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { DestroyWindow(window_); }

  // The identifiers of the WM_TIMER messages that arrive within `ms`.
  std::vector<UINT_PTR> TimersWithin(DWORD ms) {
    std::vector<UINT_PTR> ids;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
      MSG msg;
      while (PeekMessageA(&msg, window_, WM_TIMER, WM_TIMER, PM_REMOVE)) {
        ids.push_back(msg.wParam);
      }
      Sleep(5);
    }
    return ids;
  }

  HWND window_ = nullptr;
};

TEST_F(TimerWindowTest, StartedTimerExpiresOnTheWindowWithItsIdentifier) {
  platform::WindowReminderTimers timers(window_);
  EXPECT_EQ(timers.Start(3, 20), 3u);
  EXPECT_EQ(timers.Start(10007, 20), 10007u);
  const std::vector<UINT_PTR> ids = TimersWithin(300);
  EXPECT_NE(std::find(ids.begin(), ids.end(), UINT_PTR{3}), ids.end());
  EXPECT_NE(std::find(ids.begin(), ids.end(), UINT_PTR{10007}), ids.end());
  timers.Stop(3);
  timers.Stop(10007);
}

TEST_F(TimerWindowTest, StoppedTimerNeverExpires) {
  platform::WindowReminderTimers timers(window_);
  ASSERT_EQ(timers.Start(4, 30), 4u);
  ASSERT_EQ(timers.Start(5, 30), 5u);
  timers.Stop(4);
  const std::vector<UINT_PTR> ids = TimersWithin(250);
  EXPECT_EQ(std::find(ids.begin(), ids.end(), UINT_PTR{4}), ids.end());
  EXPECT_NE(std::find(ids.begin(), ids.end(), UINT_PTR{5}), ids.end());
  timers.Stop(5);
}

TEST_F(TimerWindowTest, WithoutAWindowNoTimerStarts) {
  platform::WindowReminderTimers timers;
  EXPECT_EQ(timers.Start(6, 10), 0u);
  timers.Stop(6);  // harmless
  timers.SetWindow(window_);
  EXPECT_EQ(timers.Start(6, 10), 6u);
  timers.Stop(6);
}

class RecordingNotices : public store::RepaintNotices {
 public:
  std::vector<std::string> calls;
  void DayChanged(int y, int m, int d) override {
    calls.push_back("day " + std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d));
  }
  void MonthChanged(int y, int m) override {
    calls.push_back("month " + std::to_string(y) + "-" + std::to_string(m));
  }
  void ViewsChanged() override { calls.push_back("views"); }
};

TEST(ForwardingRepaintNotices, NoticesReachTheTargetOnlyWhileOneIsSet) {
  platform::ForwardingRepaintNotices notices;
  notices.DayChanged(2024, 2, 29);  // no windows yet: dropped
  RecordingNotices target;
  notices.SetTarget(&target);
  notices.DayChanged(2024, 2, 29);
  notices.MonthChanged(2024, 3);
  notices.ViewsChanged();
  notices.SetTarget(nullptr);
  notices.ViewsChanged();
  EXPECT_EQ(target.calls, (std::vector<std::string>{"day 2024-2-29", "month 2024-3", "views"}));
}

}  // namespace
