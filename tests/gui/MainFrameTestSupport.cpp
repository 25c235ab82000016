#include "MainFrameTestSupport.h"

#include <algorithm>
#include <cstring>

#include "shell/DayIcons.h"
#include "support/Pixels.h"
#include "support/Pump.h"
#include "views/QuickCheckPopup.h"

namespace main_frame_testing {

TestServices::TestServices() : paths(data.Environment()) {
  // The data folder exists, so tests can put files into it before a start.
  CreateDirectoryA(data.Folder().c_str(), nullptr);
}

shell::ShellServices TestServices::Services() {
  return shell::ShellServices{clock, prompter, prompts, reminderTimers, notices, paths,
                              files, hooks,    sound,   shell,          zones};
}

std::string TestServices::DataFile(const std::string& name) const { return data.File(name); }

void MainFrameTest::SetUp() {
  store::g_settings = store::SettingsBlock{};
  char folder[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof folder, folder);
  previousFolder_ = folder;
  // An older version's "Lumetta.bin" in the current folder would be adopted.
  SetCurrentDirectoryA(services_.data.appData.Path().c_str());
}

void MainFrameTest::TearDown() {
  frame_.reset();
  views::CloseQuickCheckPopup();
  testing_support::PumpPending();
  MSG msg = {};
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  SetCurrentDirectoryA(previousFolder_.c_str());
}

bool MainFrameTest::MakeFrame(bool show, menus::MenuModule* menus) {
  frame_ = std::make_unique<shell::CMainFrame>(services_.Services(), &timers_, menus);
  if (!frame_->Create()) return false;
  timers_.window = frame_->Handle();
  // Timers started during creation run from now on.
  for (const auto& timer : timers_.periods)
    SetTimer(frame_->Handle(), timer.first, timer.second, nullptr);
  if (show) {
    ShowWindow(frame_->Handle(), SW_SHOW);
    UpdateWindow(frame_->Handle());
  }
  testing_support::PumpPending();
  return true;
}

bool TrayIconPresent(HWND owner) {
  NOTIFYICONDATAA record = {};
  record.cbSize = sizeof record;
  record.hWnd = owner;
  record.uID = shell::TrayIcon::kIconId;
  record.uFlags = NIF_TIP;
  lstrcpyA(record.szTip, "Lumetta Calendar");
  return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

DayPage ReadDayPage(HICON icon) {
  DayPage page;
  const testing_support::IconPixels image = testing_support::ReadIcon(icon);
  const int size = image.width;
  page.size = size;
  const std::vector<std::uint32_t>& pixels = image.pixels;
  // The page is the drawn (non-transparent) square; at larger sizes each
  // grid pixel is a square block of it.
  int left = size;
  int right = -1;
  int bottom = -1;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      if (pixels[static_cast<size_t>(y * size + x)] != 0) {
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
      }
  const int grid = shell::DayIcons::GridFor(size);
  if (right < left || (right - left + 1) % grid != 0) return page;
  const int block = (right - left + 1) / grid;
  const int top = bottom + 1 - grid * block;
  if (top < 0) return page;
  const COLORREF c = shell::DayIcons::kDigitColour;
  const DWORD want = (static_cast<DWORD>(GetRValue(c)) << 16) |
                     (static_cast<DWORD>(GetGValue(c)) << 8) | GetBValue(c);
  for (int gy = 0; gy < grid; ++gy)
    for (int gx = 0; gx < grid; ++gx) {
      const DWORD p = pixels[static_cast<size_t>((top + gy * block) * size + left + gx * block)];
      page.red.push_back((p & 0xFFFFFF) == want);
    }
  page.grid = grid;
  return page;
}

}  // namespace main_frame_testing
