// The Advanced Settings and Daily Website dialogs: what they show, the
// ranges and standard messages of their boxes, what OK, Cancel and Esc keep;
// and the main window around them: re-arming and placing after Advanced
// Settings, the daily web page's timer and question.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "DialogTestHelpers.h"
#include "MainFrameTestSupport.h"
#include "PlatformTestFiles.h"
#include "resource.h"
#include "shell/ComicDialog.h"
#include "shell/RemindDialog.h"
#include "shell/SoundDialog.h"
#include "store/BackupRestore.h"
#include "store/FixedFields.h"
#include "store/ProgramState.h"
#include "store/Settings.h"
#include "support/DialogWatcher.h"
#include "support/WindowText.h"

using namespace dialog_test;
using main_frame_testing::MainFrameTest;
using main_frame_testing::RecordingPrompter;
using main_frame_testing::RecordingShell;
using main_frame_testing::RecordingSound;
using testing_support::ControlText;
using testing_support::DialogWatcher;
using testing_support::SeenDialog;

namespace {

void SetText(HWND dialog, int id, const std::string& text) {
  SetDlgItemTextA(dialog, id, text.c_str());
}

// Esc as the user presses it: the dialog manager turns it into IDCANCEL.
void PressEscape(HWND dialog) {
  HWND focus = GetFocus();
  PostMessageA(focus != nullptr ? focus : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
}

store::SettingsBlock Defaults() {
  store::SettingsBlock s;
  store::SetDefaultSettings(s, store::MakeTime(2025, 3, 16, 10, 7) + 30);
  return s;
}

class PreferenceDialogTest : public ::testing::Test {
 protected:
  store::SettingsBlock settings_ = Defaults();
  RecordingPrompter prompter_;
  RecordingShell shell_;
  DialogWatcher watcher_;
};

// --- Advanced Settings -------------------------------------------------------

using AdvancedSettingsTest = PreferenceDialogTest;

// Each check box and the byte or bit it stands for.
struct Switch {
  int id;
  const char* name;
  bool (*on)(const store::SettingsBlock&);
};
const Switch kSwitches[] = {
    {IDC_ADVANCED_MINIMISE, "minimise",
     [](const store::SettingsBlock& s) { return s.minimiseAtStartup == 1; }},
    {IDC_ADVANCED_ON_TOP, "on top",
     [](const store::SettingsBlock& s) { return s.alwaysOnTop == 1; }},
    {IDC_ADVANCED_FAST_PRINTING, "fast printing",
     [](const store::SettingsBlock& s) { return s.fastPrinting == 1; }},
    {IDC_ADVANCED_MILITARY, "military",
     [](const store::SettingsBlock& s) { return s.militaryTime == 1; }},
    {IDC_ADVANCED_EUROPEAN, "european",
     [](const store::SettingsBlock& s) { return s.europeanCalendar == 1; }},
    {IDC_ADVANCED_HIDE_ON_CLOSE, "hide on close",
     [](const store::SettingsBlock& s) { return (s.flags & store::kFlagHideOnClose) != 0; }},
};

TEST_F(AdvancedSettingsTest, EachCheckBoxShowsAndStoresItsOwnSettingOnly) {
  settings_.flags = store::kFlagRemindersEnabled;  // "Minimize when X pressed" off
  for (const Switch& ticked : kSwitches) {
    store::SettingsBlock s = settings_;
    bool shownOff = false;
    watcher_.Then([&](const SeenDialog& d) {
      shownOff = !Checked(d.hwnd, ticked.id);
      Click(d.hwnd, ticked.id);
      return IDOK;
    });
    shell::RemindDialog dialog(prompter_, s, shell_);
    EXPECT_EQ(IDOK, dialog.DoModal(nullptr)) << ticked.name;
    EXPECT_TRUE(shownOff) << ticked.name;
    for (const Switch& other : kSwitches) {
      EXPECT_EQ(&other == &ticked, other.on(s)) << ticked.name << " ticked; " << other.name;
    }
    EXPECT_NE(0, s.flags & store::kFlagRemindersEnabled) << ticked.name;
  }
}

TEST_F(AdvancedSettingsTest, OkWithoutChangesKeepsNoRemindersAndTheHideBit) {
  for (std::int32_t flags : {0, 1, 2, 3}) {
    store::SettingsBlock s = settings_;
    s.flags = flags;
    s.reminderMinutes = 15;
    s.summarySeconds = 20;
    std::vector<std::string> shown;
    watcher_.Then([&](const SeenDialog& d) {
      shown = {Checked(d.hwnd, IDC_ADVANCED_REMINDERS_ON) ? "on" : "off",
               Checked(d.hwnd, IDC_ADVANCED_REMINDERS_OFF) ? "off" : "on",
               ControlText(d.hwnd, IDC_ADVANCED_MINUTES),
               ControlText(d.hwnd, IDC_ADVANCED_SUMMARY)};
      return IDOK;
    });
    shell::RemindDialog dialog(prompter_, s, shell_);
    EXPECT_EQ(IDOK, dialog.DoModal(nullptr));
    const std::string reminders = (flags & 1) != 0 ? "on" : "off";
    EXPECT_EQ((std::vector<std::string>{reminders, reminders, "15", "20"}), shown) << flags;
    EXPECT_EQ(flags, s.flags);
    EXPECT_EQ(15, s.reminderMinutes);
    EXPECT_EQ(20, s.summarySeconds);
  }
}

TEST_F(AdvancedSettingsTest, NumbersOutOfRangeBringTheStandardMessageAndKeepTheDialogOpen) {
  const struct {
    int id;
    const char* text;
    const char* message;  // "" = accepted
  } cases[] = {
      {IDC_ADVANCED_MINUTES, "181", "Enter an integer between 0 and 180."},
      {IDC_ADVANCED_MINUTES, "", "Enter an integer between 0 and 180."},
      {IDC_ADVANCED_MINUTES, "180", ""},
      {IDC_ADVANCED_MINUTES, "0", ""},
      {IDC_ADVANCED_SUMMARY, "301", "Enter an integer between 0 and 300."},
      {IDC_ADVANCED_SUMMARY, "300", ""},
  };
  for (const auto& c : cases) {
    store::SettingsBlock s = settings_;
    prompter_.texts.clear();
    // A refused value leaves the dialog to be closed by the Cancel after it.
    watcher_.Then([&](const SeenDialog& d) {
      SetText(d.hwnd, c.id, c.text);
      Click(d.hwnd, IDOK);
      return IDCANCEL;
    });
    shell::RemindDialog dialog(prompter_, s, shell_);
    const INT_PTR result = dialog.DoModal(nullptr);
    const std::string what = std::to_string(c.id) + " \"" + c.text + "\"";
    if (*c.message != '\0') {
      EXPECT_EQ(std::vector<std::string>{c.message}, prompter_.texts) << what;
      EXPECT_EQ(IDCANCEL, result) << what;
      EXPECT_EQ(0, std::memcmp(&s, &settings_, sizeof s)) << what;
    } else {
      EXPECT_TRUE(prompter_.texts.empty()) << what;
      EXPECT_EQ(IDOK, result) << what;
      EXPECT_EQ(std::atoi(c.text),
                c.id == IDC_ADVANCED_MINUTES ? s.reminderMinutes : s.summarySeconds)
          << what;
    }
  }
}

TEST_F(AdvancedSettingsTest, CancelAndEscKeepEverything) {
  for (bool escape : {false, true}) {
    store::SettingsBlock s = settings_;
    watcher_.Then([&](const SeenDialog& d) {
      Click(d.hwnd, IDC_ADVANCED_REMINDERS_OFF);
      SetText(d.hwnd, IDC_ADVANCED_MINUTES, "30");
      for (const Switch& sw : kSwitches) Click(d.hwnd, sw.id);
      if (!escape) return IDCANCEL;
      PressEscape(d.hwnd);
      return 0;
    });
    shell::RemindDialog dialog(prompter_, s, shell_);
    EXPECT_EQ(IDCANCEL, dialog.DoModal(nullptr)) << escape;
    EXPECT_EQ(0, std::memcmp(&s, &settings_, sizeof s)) << escape;
  }
}

TEST_F(AdvancedSettingsTest, HelpOpensTheHelpFileAndLeavesTheDialogOpen) {
  bool open = false;
  watcher_.Then([&](const SeenDialog& d) {
    Click(d.hwnd, IDC_ADVANCED_HELP);
    open = IsWindow(d.hwnd) != FALSE;
    return IDCANCEL;
  });
  shell::RemindDialog dialog(prompter_, settings_, shell_);
  dialog.DoModal(nullptr);
  EXPECT_TRUE(open);
  EXPECT_EQ(std::vector<std::string>{"Lumetta.chm"}, shell_.opened);
  ASSERT_EQ(1u, watcher_.Seen().size());
  EXPECT_EQ("Advanced Settings", watcher_.Seen()[0].caption);
}

// --- Daily Website -----------------------------------------------------------

using DailyWebsiteDialogTest = PreferenceDialogTest;

std::string TimeOf(const SYSTEMTIME& st) {
  return std::to_string(st.wHour) + ":" + std::to_string(st.wMinute) + ":" +
         std::to_string(st.wSecond);
}

std::string StoredTime(const store::SettingsBlock& s) {
  const store::CalendarFields f = store::LocalFields(s.webPageTime);
  return std::to_string(f.hour) + ":" + std::to_string(f.minute) + ":" + std::to_string(f.second);
}

TEST_F(DailyWebsiteDialogTest, ShowsTheFieldsAndOkStoresWhatTheControlsHold) {
  store::SetText(settings_.webPageAddress, "https://news.example/");
  settings_.webPageEnabled = 0;
  settings_.webPageAskFirst = 1;
  settings_.webPageWeekdaysOnly = 0;
  std::vector<std::string> shown;
  watcher_.Then([&](const SeenDialog& d) {
    shown = {ControlText(d.hwnd, IDC_WEBSITE_ADDRESS),
             TimeOf(PickerValue(d.hwnd, IDC_WEBSITE_TIME)),
             Checked(d.hwnd, IDC_WEBSITE_ENABLED) ? "enabled" : "-",
             Checked(d.hwnd, IDC_WEBSITE_WEEKDAYS) ? "weekdays" : "-",
             Checked(d.hwnd, IDC_WEBSITE_ASK_FIRST) ? "ask" : "-"};
    SetText(d.hwnd, IDC_WEBSITE_ADDRESS, "https://other.example/page");
    SYSTEMTIME st = PickerValue(d.hwnd, IDC_WEBSITE_TIME);
    st.wHour = 6;
    st.wMinute = 45;
    st.wSecond = 0;
    SendDlgItemMessageA(d.hwnd, IDC_WEBSITE_TIME, DTM_SETSYSTEMTIME, GDT_VALID,
                        reinterpret_cast<LPARAM>(&st));
    Click(d.hwnd, IDC_WEBSITE_ENABLED);
    Click(d.hwnd, IDC_WEBSITE_WEEKDAYS);
    Click(d.hwnd, IDC_WEBSITE_ASK_FIRST);
    return IDOK;
  });
  shell::ComicDialog dialog(prompter_, settings_);
  EXPECT_EQ(IDOK, dialog.DoModal(nullptr));
  EXPECT_EQ((std::vector<std::string>{"https://news.example/", "10:7:30", "-", "-", "ask"}), shown);
  EXPECT_EQ("https://other.example/page",
            store::ReadField(settings_.webPageAddress, sizeof settings_.webPageAddress));
  EXPECT_EQ("6:45:0", StoredTime(settings_));
  EXPECT_EQ(1, settings_.webPageEnabled);
  EXPECT_EQ(1, settings_.webPageWeekdaysOnly);
  EXPECT_EQ(0, settings_.webPageAskFirst);
}

TEST_F(DailyWebsiteDialogTest, AnAddressOver128CharactersIsRefusedAndTheDialogStaysOpen) {
  for (size_t length : {129u, 128u}) {
    store::SettingsBlock s = settings_;
    prompter_.texts.clear();
    watcher_.Then([&](const SeenDialog& d) {
      // Pasted or set text passes the edit control's own limit.
      SendDlgItemMessageA(d.hwnd, IDC_WEBSITE_ADDRESS, EM_LIMITTEXT, 0, 0);
      SetText(d.hwnd, IDC_WEBSITE_ADDRESS, std::string(length, 'a'));
      Click(d.hwnd, IDOK);
      return IDCANCEL;
    });
    shell::ComicDialog dialog(prompter_, s);
    const bool refused = length > 128;
    EXPECT_EQ(refused ? IDCANCEL : IDOK, dialog.DoModal(nullptr)) << length;
    EXPECT_EQ(refused ? std::vector<std::string>{"Enter no more than 128 characters."}
                      : std::vector<std::string>{},
              prompter_.texts)
        << length;
    EXPECT_EQ(refused ? std::string(store::kDefaultWebPage) : std::string(length, 'a'),
              store::ReadField(s.webPageAddress, sizeof s.webPageAddress));
  }
}

TEST_F(DailyWebsiteDialogTest, DefaultsFillTheControlsWithTheRoundedTimeButStoreNothing) {
  store::SetText(settings_.webPageAddress, "https://news.example/");
  settings_.webPageEnabled = 0;
  settings_.webPageAskFirst = 0;
  for (int close : {IDCANCEL, IDOK}) {
    store::SettingsBlock s = settings_;
    std::vector<std::string> shown;
    watcher_.Then([&](const SeenDialog& d) {
      SYSTEMTIME st = PickerValue(d.hwnd, IDC_WEBSITE_TIME);
      st.wHour = 3;  // the picker's time does not count, the loaded one does
      SendDlgItemMessageA(d.hwnd, IDC_WEBSITE_TIME, DTM_SETSYSTEMTIME, GDT_VALID,
                          reinterpret_cast<LPARAM>(&st));
      Click(d.hwnd, IDC_WEBSITE_DEFAULTS);
      shown = {ControlText(d.hwnd, IDC_WEBSITE_ADDRESS),
               TimeOf(PickerValue(d.hwnd, IDC_WEBSITE_TIME)),
               Checked(d.hwnd, IDC_WEBSITE_ENABLED) ? "enabled" : "-",
               Checked(d.hwnd, IDC_WEBSITE_WEEKDAYS) ? "weekdays" : "-",
               Checked(d.hwnd, IDC_WEBSITE_ASK_FIRST) ? "ask" : "-"};
      return close;
    });
    shell::ComicDialog dialog(prompter_, s);
    EXPECT_EQ(close, dialog.DoModal(nullptr));
    EXPECT_EQ(
        (std::vector<std::string>{store::kDefaultWebPage, "10:30:0", "enabled", "weekdays", "ask"}),
        shown);
    if (close == IDCANCEL) {
      EXPECT_EQ(0, std::memcmp(&s, &settings_, sizeof s));
    } else {
      EXPECT_EQ("10:30:0", StoredTime(s));
      EXPECT_EQ(1, s.webPageEnabled);
    }
  }
}

TEST_F(DailyWebsiteDialogTest, EscKeepsEverything) {
  store::SettingsBlock s = settings_;
  watcher_.Then([&](const SeenDialog& d) {
    SetText(d.hwnd, IDC_WEBSITE_ADDRESS, "https://other.example/");
    Click(d.hwnd, IDC_WEBSITE_ENABLED);
    PressEscape(d.hwnd);
    return 0;
  });
  shell::ComicDialog dialog(prompter_, s);
  EXPECT_EQ(IDCANCEL, dialog.DoModal(nullptr));
  EXPECT_EQ(0, std::memcmp(&s, &settings_, sizeof s));
}

// --- Select Sounds -------------------------------------------------------------

// The file-open dialog, answered from a script; the titles asked are kept.
class ScriptedFiles : public store::BackupPickers {
 public:
  std::string answer;  // "" = cancelled
  std::vector<std::string> titles;
  std::string CurrentFolder() override { return ""; }
  void SetCurrentFolder(const std::string&) override {}
  bool BrowseForFolder(const std::string&, std::string&) override { return false; }
  bool ChooseFileToOpen(const std::string& title, const std::string& filter, const std::string&,
                        std::string& path) override {
    titles.push_back(title + " / " + filter);
    path = answer;
    return !answer.empty();
  }
};

class SelectSoundsTest : public PreferenceDialogTest {
 protected:
  std::vector<std::string> Lines(HWND d) const {
    return {ControlText(d, IDC_SOUND_START_FILE), ControlText(d, IDC_SOUND_REMINDER_FILE),
            ControlText(d, IDC_SOUND_CLICK_FILE)};
  }
  std::vector<std::string> Stored(const store::SettingsBlock& s) const {
    return {store::ReadField(s.startSound, sizeof s.startSound),
            store::ReadField(s.reminderSound, sizeof s.reminderSound),
            store::ReadField(s.clickSound, sizeof s.clickSound)};
  }
  ScriptedFiles files_;
  RecordingSound sound_;
};

TEST_F(SelectSoundsTest, EachCueIsChosenPlayedAndEmptiedInItsOwnLine) {
  const struct {
    int choose, none;
    size_t line;
    const char* title;
  } cues[] = {
      {IDC_SOUND_START, IDC_SOUND_START_NONE, 0, "Sound to play at program start-up"},
      {IDC_SOUND_REMINDER, IDC_SOUND_REMINDER_NONE, 1, "Sound to play with reminders"},
      {IDC_SOUND_CLICK, IDC_SOUND_CLICK_NONE, 2, "Sound to play when the calendar is clicked on"},
  };
  const std::vector<std::string> initial = {"Start.wav", "Ring.wav", "Pick.wav"};
  for (const auto& cue : cues) {
    store::SettingsBlock s = settings_;
    sound_.played.clear();
    files_.titles.clear();
    std::vector<std::string> opened, chosen, cancelled, emptied;
    watcher_.Then([&](const SeenDialog& d) {
      opened = Lines(d.hwnd);
      files_.answer = "C:\\Sounds\\bell.wav";
      Click(d.hwnd, cue.choose);
      chosen = Lines(d.hwnd);
      files_.answer = "";
      Click(d.hwnd, cue.choose);
      cancelled = Lines(d.hwnd);
      Click(d.hwnd, cue.none);
      emptied = Lines(d.hwnd);
      return IDOK;
    });
    shell::SoundDialog dialog(prompter_, s, files_, sound_);
    EXPECT_EQ(IDOK, dialog.DoModal(nullptr));
    EXPECT_EQ(initial, opened);
    std::vector<std::string> expected = initial;
    expected[cue.line] = "C:\\Sounds\\bell.wav";
    EXPECT_EQ(expected, chosen) << cue.title;
    EXPECT_EQ(expected, cancelled) << cue.title;
    expected[cue.line] = "(no sound selected)";
    EXPECT_EQ(expected, emptied) << cue.title;
    expected[cue.line] = "";
    EXPECT_EQ(expected, Stored(s)) << cue.title;
    EXPECT_EQ(std::vector<std::string>{"C:\\Sounds\\bell.wav"}, sound_.played) << cue.title;
    const std::string asked = std::string(cue.title) + " / Wave files (*.wav)|*.wav||";
    EXPECT_EQ((std::vector<std::string>{asked, asked}), files_.titles);
  }
}

TEST_F(SelectSoundsTest, CancelAndEscKeepTheFilesAndATooLongPathIsRefused) {
  for (int close : {IDCANCEL, 0, IDOK}) {
    store::SettingsBlock s = settings_;
    prompter_.texts.clear();
    std::vector<std::string> afterLong;
    watcher_.Then([&](const SeenDialog& d) {
      Click(d.hwnd, IDC_SOUND_CLICK_NONE);
      files_.answer = "C:\\" + std::string(124, 'a') + ".wav";  // 131 characters
      Click(d.hwnd, IDC_SOUND_START);
      afterLong = Lines(d.hwnd);
      if (close == 0) PressEscape(d.hwnd);
      return close;
    });
    shell::SoundDialog dialog(prompter_, s, files_, sound_);
    EXPECT_EQ(close == IDOK ? IDOK : IDCANCEL, dialog.DoModal(nullptr));
    EXPECT_EQ((std::vector<std::string>{"Start.wav", "Ring.wav", "(no sound selected)"}),
              afterLong);
    EXPECT_EQ(1u, prompter_.texts.size());
    EXPECT_EQ((std::vector<std::string>{"Start.wav", "Ring.wav", close == IDOK ? "" : "Pick.wav"}),
              Stored(s))
        << close;
  }
}

// --- The main window around them -----------------------------------------------

class PreferencesMainFrameTest : public MainFrameTest {
 protected:
  // Writes settings.bin as the program would, before the window is made.
  void SeedSettings(const store::SettingsBlock& block) {
    ASSERT_TRUE(platform_testing::WriteWholeFile(
        services_.DataFile("settings.bin"),
        std::string(reinterpret_cast<const char*>(&block), sizeof block)));
  }
  void Command(UINT id) { SendMessageA(frame_->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  UINT DailyPeriod() const {
    auto it = timers_.periods.find(store::timer_ids::kDailyWebPage);
    return it == timers_.periods.end() ? 0 : it->second;
  }
  DialogWatcher watcher_;
};

TEST_F(PreferencesMainFrameTest, AdvancedReArmsLiveRemindersOnlyWhenTheMinutesChanged) {
  const struct {
    const char* minutes;
    bool reArmed;
  } cases[] = {{"0", false}, {"10", true}, {"10", false}, {"0", true}};
  ASSERT_TRUE(MakeFrame());
  store::An_Appointment& e = frame_->Book().Create();
  e.SetSlot(2025, 3, 16, 14, 0, "Dentist");
  e.ArmReminder();
  for (const auto& c : cases) {
    const std::uint32_t before = e.timerId();
    ASSERT_NE(0u, before);
    watcher_.Then([&](const SeenDialog& d) {
      SetText(d.hwnd, IDC_ADVANCED_MINUTES, c.minutes);
      Click(d.hwnd, IDC_ADVANCED_MILITARY);  // another change does not re-arm
      return IDOK;
    });
    Command(ID_PREFS_ADVANCED);
    EXPECT_EQ(c.reArmed, e.timerId() != before) << c.minutes;
    EXPECT_NE(0u, e.timerId());
    EXPECT_TRUE(IsWindowEnabled(frame_->Handle()));
  }
  EXPECT_EQ(4u, watcher_.Seen().size());
}

TEST_F(PreferencesMainFrameTest, AdvancedPlacesTheWindowWhenAlwaysOnTopChangedAndSavesOnOk) {
  ASSERT_TRUE(MakeFrame());
  const std::string file = services_.DataFile("settings.bin");
  const struct {
    int button;
    bool tick;
    bool topmost;
  } cases[] = {
      {IDOK, true, true}, {IDCANCEL, true, true}, {IDOK, false, true}, {IDOK, true, false}};
  for (const auto& c : cases) {
    DeleteFileA(file.c_str());
    watcher_.Then([&](const SeenDialog& d) {
      if (c.tick) Click(d.hwnd, IDC_ADVANCED_ON_TOP);
      return c.button;
    });
    Command(ID_PREFS_ADVANCED);
    const bool topmost = (GetWindowLongPtrA(frame_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    EXPECT_EQ(c.topmost, topmost) << c.button << " " << c.tick;
    const std::string saved = platform_testing::ReadWholeFile(file);
    EXPECT_EQ(c.button == IDOK ? store::kSettingsSize : 0u, saved.size()) << c.button;
    if (!saved.empty()) {
      EXPECT_EQ(c.topmost ? 1 : 0, saved[1076]);
    }
  }
}

TEST_F(PreferencesMainFrameTest, DailyPageOpensOnWeekdaysOnlyAndItsTimerRunsEveryDay) {
  // The clock stands at Sunday 16 March 2025 10:00; the page is set for 10:00.
  store::SettingsBlock s = Defaults();
  s.webPageTime = store::MakeTime(2020, 1, 1, 10, 0);
  store::SetText(s.webPageAddress, "https://news.example/");
  s.webPageEnabled = 1;
  s.webPageWeekdaysOnly = 1;
  s.webPageAskFirst = 1;
  SeedSettings(s);
  ASSERT_TRUE(MakeFrame());
  // At the current second: the next run is exactly one day later.
  EXPECT_EQ(86400000u, DailyPeriod());
  const struct {
    int day;  // of March 2025, at 10:00
    int answer;
    size_t questions, opened;
  } cases[] = {{16, IDYES, 0, 0}, {17, IDNO, 1, 0}, {18, IDYES, 2, 1}};
  for (const auto& c : cases) {
    services_.clock.now = store::MakeTime(2025, 3, c.day, 10, 0);
    services_.prompter.answer = c.answer;
    SendMessageA(frame_->Handle(), WM_TIMER, store::timer_ids::kDailyWebPage, 0);
    EXPECT_EQ(c.questions, services_.prompter.texts.size()) << c.day;
    EXPECT_EQ(c.opened, services_.shell.opened.size()) << c.day;
    EXPECT_EQ(86400000u, DailyPeriod()) << c.day;
  }
  EXPECT_EQ("Would you like Lumetta to open a web browser for: https://news.example/?",
            services_.prompter.texts.back());
  EXPECT_EQ(std::vector<std::string>{"https://news.example/"}, services_.shell.opened);
}

TEST_F(PreferencesMainFrameTest, WithoutAskFirstThePageOpensAtOnceAndAOneLetterAddressNeverRuns) {
  store::SettingsBlock s = Defaults();
  s.webPageTime = store::MakeTime(2020, 1, 1, 9, 0);
  store::SetText(s.webPageAddress, "https://news.example/");
  s.webPageEnabled = 1;
  s.webPageAskFirst = 0;
  SeedSettings(s);
  ASSERT_TRUE(MakeFrame());
  EXPECT_EQ(23u * 3600u * 1000u, DailyPeriod());  // 10:00 now, 9:00 tomorrow
  SendMessageA(frame_->Handle(), WM_TIMER, store::timer_ids::kDailyWebPage, 0);
  EXPECT_TRUE(services_.prompter.texts.empty());
  EXPECT_EQ(std::vector<std::string>{"https://news.example/"}, services_.shell.opened);

  store::SetText(store::g_settings.webPageAddress, "x");
  timers_.Stop(store::timer_ids::kDailyWebPage);
  SendMessageA(frame_->Handle(), WM_TIMER, store::timer_ids::kDailyWebPage, 0);
  EXPECT_EQ(0u, DailyPeriod());
  EXPECT_EQ(1u, services_.shell.opened.size());
}

TEST_F(PreferencesMainFrameTest, DailyWebsiteOkRestartsTheTimerForTheNewTimeAndCancelDoesNot) {
  ASSERT_TRUE(MakeFrame());
  for (int button : {IDCANCEL, IDOK}) {
    const UINT before = DailyPeriod();
    watcher_.Then([&](const SeenDialog& d) {
      SYSTEMTIME st = PickerValue(d.hwnd, IDC_WEBSITE_TIME);
      st.wHour = 12;
      st.wMinute = 30;
      st.wSecond = 0;
      SendDlgItemMessageA(d.hwnd, IDC_WEBSITE_TIME, DTM_SETSYSTEMTIME, GDT_VALID,
                          reinterpret_cast<LPARAM>(&st));
      return button;
    });
    Command(ID_PREFS_DAILY_WEBSITE);
    EXPECT_EQ(button == IDOK ? 9000000u : before, DailyPeriod()) << button;  // 10:00 to 12:30
  }
}

}  // namespace
