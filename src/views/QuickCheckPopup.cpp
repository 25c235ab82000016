#include "views/QuickCheckPopup.h"

#include <algorithm>
#include <cmath>

#include "framework/PaintDC.h"
#include "framework/ScopedSelect.h"
#include "framework/SolidDrawing.h"
#include "framework/WindowDC.h"
#include "resource.h"
#include "store/AppointmentBook.h"
#include "store/ProgramState.h"
#include "views/NotesFiles.h"
#include "platform/ScreenColours.h"

namespace views {
namespace {

// The program's one popup (program-wide: every window that shows or closes
// the popup reaches it here).
std::unique_ptr<FastView> g_popup;

}  // namespace

FastView::~FastView() { Destroy(); }

QuickCheckMeasure FastView::Measure(bool shrink, const LOGFONTA& mainFont) {
  // The main font's sizes are at 96 DPI; each shrink goes on from the last.
  if (!font_) fontAt96_ = mainFont;
  if (shrink) {
    fontAt96_.lfHeight = static_cast<LONG>(std::trunc(fontAt96_.lfHeight * 0.9));
    fontAt96_.lfWidth = static_cast<LONG>(std::trunc(fontAt96_.lfWidth * 0.9));
  }
  font_.Reset();
  const LOGFONTA description = WindowDpi().ScaleFont(fontAt96_);
  font_.Reset(CreateFontIndirectA(&description));

  QuickCheckMeasure size;
  fw::WindowDC dc(Handle());
  if (!dc) return size;
  fw::ScopedSelect select(dc.Get(), font_.Get());
  SIZE extent = {};
  for (const QuickCheckLine& line : lines_) {
    extent = fw::TextSize(dc.Get(), line.text);
    size.widest = std::max(size.widest, static_cast<int>(extent.cx));
  }
  // The last line measured gives the line height.
  size.lineHeight = static_cast<int>(extent.cy) + 2;
  widest_ = size.widest;
  lineHeight_ = size.lineHeight;
  return size;
}

bool FastView::Build(const QuickCheckRequest& request) {
  const store::SettingsBlock& settings = store::g_settings;
  backgroundFlag_ = request.backgroundFlag;
  request.book->Sort();

  fw::WindowClass windowClass;
  windowClass.name = kClassName;
  fw::WindowParams params;
  const std::string title =
      QuickCheckTitle(request.first, request.year, request.month, settings.europeanCalendar != 0);
  params.title = title.c_str();
  // A child of the desktop window: a window of its own on the screen, with
  // no border and no caption.
  params.style = WS_CHILD | WS_VISIBLE | WS_SYSMENU;
  params.x = -1;
  params.y = -1;
  params.width = 1;
  params.height = 1;
  params.parent = GetDesktopWindow();
  params.menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kWindowId));
  if (!Create(windowClass, params)) return false;

  const bool hasNotes =
      NotesFileExists(request.notesFolder, request.year, request.month, request.day);
  lines_ = BuildQuickCheckLines(*request.book, request.first, request.year, request.month,
                                request.day, hasNotes, settings, request.subscribed);

  int screenWidth = 0;
  int screenHeight = 0;
  {
    fw::WindowDC screen(nullptr);
    screenWidth = GetDeviceCaps(screen.Get(), HORZRES);
    screenHeight = GetDeviceCaps(screen.Get(), VERTRES);
  }
  const LOGFONTA mainFont = request.mainFont;
  const QuickCheckPlacement at =
      ShrinkToFit([&](bool shrink) { return Measure(shrink, mainFont); }, request.anchor,
                  screenWidth, screenHeight, static_cast<int>(lines_.size()));

  SetWindowPos(Handle(), HWND_TOPMOST, at.x, at.y, widest_ + 3,
               lineHeight_ * static_cast<int>(lines_.size()), SWP_SHOWWINDOW | SWP_NOACTIVATE);
  HICON icon = static_cast<HICON>(LoadImageA(
      GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, 16, 16, LR_SHARED));
  if (icon != nullptr)
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  InvalidateRect(Handle(), nullptr, TRUE);
  return true;
}

void FastView::Paint(HDC dc) const {
  const store::SettingsBlock settings = platform::DrawingSettings();
  const COLORREF background = backgroundFlag_ == 1 ? settings.dayplan1 : settings.back;
  const int count = static_cast<int>(lines_.size());
  fw::FillSolidRect(dc, 0, 0, widest_ + 3, count * lineHeight_, background);
  SetBkColor(dc, background);
  fw::ScopedSelect select(dc, font_.Get());
  for (int i = 0; i < count; ++i) {
    const QuickCheckLine& line = lines_[static_cast<size_t>(i)];
    SetTextColor(dc, platform::EntryColour(line.colour));
    TextOutA(dc, 2, i * lineHeight_, line.text.c_str(), static_cast<int>(line.text.size()));
  }
  fw::Draw3dRect(dc, 1, 1, widest_ + 1, count * lineHeight_ - 2, settings.toplite,
                 settings.botlite);
}

void FastView::OnDpiChanged() {
  Measure(false, fontAt96_);
  SetWindowPos(Handle(), nullptr, 0, 0, widest_ + 3, lineHeight_ * static_cast<int>(lines_.size()),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT FastView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT painted = 0;
  if (fw::HandleWholePaint(
          Handle(), message, wParam, [this](HDC dc) { Paint(dc); }, painted)) {
    return painted;
  }
  switch (message) {
    case WM_LBUTTONDOWN:
      // Destroys this object: nothing of it may be touched afterwards.
      CloseQuickCheckPopup();
      return 0;
    case WM_ACTIVATE: {
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      front_.OnActivate(Handle(), wParam);
      return result;
    }
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

FastView* CreateQuickCheckPopup(const QuickCheckRequest& request) {
  CloseQuickCheckPopup();
  if (request.book == nullptr) return nullptr;
  auto popup = std::make_unique<FastView>();
  if (!popup->Build(request)) return nullptr;
  g_popup = std::move(popup);
  return g_popup.get();
}

void CloseQuickCheckPopup() {
  // Taken out of the program-wide reference first, so that messages sent
  // while it is destroyed find no popup.
  std::unique_ptr<FastView> doomed = std::move(g_popup);
}

FastView* CurrentQuickCheckPopup() { return g_popup.get(); }

int QuickCheckDuration() {
  if (!g_popup) return kNoQuickCheckDuration;
  return QuickCheckDurationFor(static_cast<int>(g_popup->Lines().size()));
}

}  // namespace views
