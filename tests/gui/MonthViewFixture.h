#pragma once
// Shared by the month view and quick-check tests: an appointment book on
// fakes with a settable clock, a fake MonthViewHost that records what the
// view asks of its frame, a plain frame window to hold the view, and ways to
// read what a paint routine drew (pixels of an off-screen bitmap, texts of
// an enhanced metafile).

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/Bitmaps.h"
#include "common/Fakes.h"
#include "framework/Dpi.h"
#include "framework/FrameWindow.h"
#include "framework/GdiObject.h"
#include "framework/MemoryDC.h"
#include "framework/ScopedSelect.h"
#include "framework/WindowDC.h"
#include "resource.h"
#include "store/AppointmentBook.h"
#include "store/Moment.h"
#include "store/ProgramState.h"
#include "support/Pump.h"
#include "views/MonthView.h"
#include "views/MonthViewHost.h"
#include "views/QuickCheckPopup.h"

namespace month_test {

// A book of entries on fakes; its clock is "now" for the views.
struct Diary {
  fakes::FakeWorld world;
  store::All_Appointments book{world.Context()};

  void SetNow(int year, int month, int day, int hour, int minute) {
    world.clock.now = store::MakeTime(year, month, day, hour, minute);
  }

  store::An_Appointment& Add(int year, int month, int day, int hour, int minute,
                             const std::string& text) {
    store::An_Appointment& entry = book.Create();
    entry.SetSlot(year, month, day, hour, minute, text);
    entry.ArmReminder();
    book.Sort();
    return entry;
  }
};

struct DayCall {
  int year, month, day;
  bool operator==(const DayCall& o) const {
    return year == o.year && month == o.month && day == o.day;
  }
};
inline std::ostream& operator<<(std::ostream& out, const DayCall& c) {
  return out << c.year << "-" << c.month << "-" << c.day;
}

class FakeHost : public views::MonthViewHost {
 public:
  Diary diary;
  std::string notesFolder;
  int clicks = 0;
  int hides = 0;
  int refits = 0;
  int placements = 0;
  int closedPlanners = 0;
  int yearViews = 0;
  int toDoLists = 0;
  std::vector<DayCall> dayPlanners;
  std::vector<DayCall> weekViews;

  store::All_Appointments& Book() override { return diary.book; }
  std::string NotesFolder() override { return notesFolder; }
  void PlayClickSound() override { ++clicks; }
  void HideMainWindow() override { ++hides; }
  void StartRefitTimer() override { ++refits; }
  void PlaceMainWindow() override { ++placements; }
  void OpenDayPlanner(int y, int m, int d) override { dayPlanners.push_back({y, m, d}); }
  void CloseDayPlanners() override { ++closedPlanners; }
  void OpenWeekView(int y, int m, int d) override { weekViews.push_back({y, m, d}); }
  void OpenYearView() override { ++yearViews; }
  void OpenToDoList() override { ++toDoLists; }
  void AttachMenus(HWND) override {}
  bool HandleMenuMessage(HWND, UINT, WPARAM, LPARAM, LRESULT*) override { return false; }
};

// A top-level window with the program's menu that holds the view as its
// client, as the main window does.
class TestFrame : public fw::FrameWindow {
 public:
  ~TestFrame() override { Destroy(); }
  bool Create(int width, int height) {
    fw::WindowParams params;
    params.title = "Month view test";
    params.style = WS_OVERLAPPEDWINDOW;
    const fw::Dpi dpi = fw::Dpi::System();  // the same place on a screen of any scale
    params.x = dpi.Scale(300);
    params.y = dpi.Scale(100);
    params.width = width;
    params.height = height;
    return CreateFrame(IDR_MAINFRAME, "LumettaMonthTestFrame", params);
  }
};

// A folder of its own under %TEMP% for notes files and bitmaps, removed
// with everything in it.
class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    char name[MAX_PATH] = {};
    std::snprintf(name, sizeof name, "%slumetta-month-%lu-%lu\\", base, GetCurrentProcessId(),
                  static_cast<unsigned long>(++Counter()));
    path_ = name;
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    for (const std::string& file : files_) DeleteFileA(file.c_str());
    RemoveDirectoryA(path_.c_str());
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string Write(const std::string& name, const std::string& content) {
    const std::string file = path_ + name;
    if (FILE* f = std::fopen(file.c_str(), "wb")) {
      std::fwrite(content.data(), 1, content.size(), f);
      std::fclose(f);
    }
    files_.push_back(file);
    return file;
  }
  // A 24-bit bitmap file of one colour.
  std::string WriteBitmap(const std::string& name, int width, int height, COLORREF colour) {
    return Write(name, test_common::BitmapFile(width, height, colour));
  }

 private:
  static unsigned long& Counter() {
    static unsigned long counter = 0;
    return counter;
  }
  std::string path_;
  std::vector<std::string> files_;
};

// A 32-bit top-down bitmap to paint into and read back.
class Canvas {
 public:
  Canvas(int width, int height)
      : width_(width), height_(height), screen_(nullptr), dc_(screen_.Get()) {
    BITMAPINFO info = fw::TopDownBitmapInfo(width, height);
    bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    select_ = std::make_unique<fw::ScopedSelect>(dc_.Get(), bitmap_.Get());
  }
  ~Canvas() { select_.reset(); }

  HDC Dc() const { return dc_.Get(); }
  RECT Area() const { return RECT{0, 0, width_, height_}; }
  COLORREF At(int x, int y) const {
    GdiFlush();
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || bits_ == nullptr) return CLR_INVALID;
    const DWORD p = static_cast<const DWORD*>(
        bits_)[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Pixels of exactly that colour inside a rectangle.
  int Count(const RECT& r, COLORREF colour) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (At(x, y) == colour) ++n;
    return n;
  }

 private:
  int width_;
  int height_;
  fw::WindowDC screen_;
  fw::MemoryDC dc_;
  fw::Bitmap bitmap_;
  void* bits_ = nullptr;
  std::unique_ptr<fw::ScopedSelect> select_;
};

inline COLORREF Inverted(COLORREF c) { return c ^ 0x00FFFFFF; }

// One text a paint routine drew, with its reference point.
struct DrawnText {
  std::string text;
  int x;
  int y;
};

// Collects the texts of one metafile record (EnumEnhMetaFile callback).
inline int CALLBACK CollectDrawnText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int,
                                     LPARAM param) {
  auto* out = reinterpret_cast<std::vector<DrawnText>*>(param);
  if (record->iType == EMR_EXTTEXTOUTW) {
    const auto* r = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
    const auto* chars = reinterpret_cast<const WCHAR*>(reinterpret_cast<const BYTE*>(record) +
                                                       r->emrtext.offString);
    std::string text;
    for (DWORD i = 0; i < r->emrtext.nChars; ++i) text += static_cast<char>(chars[i]);
    out->push_back({text, static_cast<int>(r->emrtext.ptlReference.x),
                    static_cast<int>(r->emrtext.ptlReference.y)});
  } else if (record->iType == EMR_EXTTEXTOUTA) {
    const auto* r = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
    const char* chars = reinterpret_cast<const char*>(record) + r->emrtext.offString;
    out->push_back({std::string(chars, r->emrtext.nChars),
                    static_cast<int>(r->emrtext.ptlReference.x),
                    static_cast<int>(r->emrtext.ptlReference.y)});
  }
  return 1;
}

// Records what `paint` draws into an enhanced metafile and answers its texts.
template <typename PaintFn>
std::vector<DrawnText> TextsDrawnBy(PaintFn paint) {
  fw::WindowDC screen(nullptr);
  HDC metafile = CreateEnhMetaFileA(screen.Get(), nullptr, nullptr, nullptr);
  paint(metafile);
  HENHMETAFILE recorded = CloseEnhMetaFile(metafile);
  std::vector<DrawnText> texts;
  EnumEnhMetaFile(nullptr, recorded, CollectDrawnText, &texts, nullptr);
  DeleteEnhMetaFile(recorded);
  // Fills drawn with ExtTextOut carry no characters.
  std::vector<DrawnText> nonEmpty;
  for (const DrawnText& t : texts)
    if (!t.text.empty()) nonEmpty.push_back(t);
  return nonEmpty;
}

inline const DrawnText* FindText(const std::vector<DrawnText>& texts, const std::string& text) {
  for (const DrawnText& t : texts)
    if (t.text == text) return &t;
  return nullptr;
}

inline POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

inline LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

// The settings block as the tests start it (defaults); the program-wide
// block is restored after each test.
class SettingsScope {
 public:
  SettingsScope() : saved_(store::g_settings) { store::SetDefaultSettings(store::g_settings, 0); }
  ~SettingsScope() { store::g_settings = saved_; }
  SettingsScope(const SettingsScope&) = delete;
  SettingsScope& operator=(const SettingsScope&) = delete;

 private:
  store::SettingsBlock saved_;
};

// A month view in a visible frame, showing the month of the host's clock.
class MonthViewTest : public ::testing::Test {
 protected:
  void SetUp() override { host.diary.SetNow(2024, 2, 14, 13, 30); }
  void TearDown() override {
    views::CloseQuickCheckPopup();
    view.reset();
    frame.reset();
  }

  // Settings that the view reads at construction are set before this.
  void MakeView() {
    frame = std::make_unique<TestFrame>();
    const fw::Dpi dpi = fw::Dpi::System();  // room for the view's eight rows at any DPI
    ASSERT_TRUE(frame->Create(dpi.Scale(520), dpi.Scale(420)));
    view = std::make_unique<views::CLumettaView>(host);
    ASSERT_TRUE(view->Create(frame->Handle()));
    frame->SetView(view.get());
    ShowWindow(frame->Handle(), SW_SHOWNORMAL);
    UpdateWindow(frame->Handle());
    testing_support::PumpPending();
    view->SetResizeSkipCount(0);
    view->DrawCalendar();
  }

  HWND View() const { return view->Handle(); }
  const RECT& DayRect(int day) const { return view->Layout().days[static_cast<size_t>(day)]; }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(View(), message, wParam, lParam);
  }
  void LeftClick(POINT p) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(p));
    Send(WM_LBUTTONUP, 0, At(p));
  }
  void Key(UINT vk) { Send(WM_KEYDOWN, vk, 1); }

  SettingsScope settings;
  FakeHost host;
  std::unique_ptr<TestFrame> frame;
  std::unique_ptr<views::CLumettaView> view;
};

}  // namespace month_test
