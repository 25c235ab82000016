#include "views/PrintRouting.h"

#include <commdlg.h>

#include <algorithm>

namespace views {
namespace {

// The framework's own message for a job that cannot be started.
constexpr const char* kCannotStartJob = "Failed to start print job.";

// Enables a window again when it goes, whatever way the job ends.
class DisabledWindow {
 public:
  explicit DisabledWindow(HWND window) : window_(window) {
    if (window_ != nullptr) EnableWindow(window_, FALSE);
  }
  ~DisabledWindow() {
    if (window_ != nullptr && IsWindow(window_)) EnableWindow(window_, TRUE);
  }
  DisabledWindow(const DisabledWindow&) = delete;
  DisabledWindow& operator=(const DisabledWindow&) = delete;

 private:
  HWND window_;
};

}  // namespace

// --- The printer ---------------------------------------------------------------

PrinterTarget::~PrinterTarget() { EndDocument(false); }

bool PrinterTarget::Choose(HWND owner, int pageCount, int& firstPage, int& lastPage) {
  PRINTDLGA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION;
  dialog.nMinPage = 1;
  dialog.nMaxPage = static_cast<WORD>(std::clamp(pageCount, 1, 0xFFFF));
  dialog.nFromPage = 1;
  dialog.nToPage = dialog.nMaxPage;
  const BOOL chosen = PrintDlgA(&dialog);
  if (dialog.hDevMode != nullptr) GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames != nullptr) GlobalFree(dialog.hDevNames);
  if (!chosen || dialog.hDC == nullptr) return false;
  EndDocument(false);
  printer_ = dialog.hDC;
  firstPage = 1;
  lastPage = dialog.nMaxPage;
  if ((dialog.Flags & PD_PAGENUMS) != 0) {
    firstPage = std::max<int>(1, dialog.nFromPage);
    lastPage = std::min<int>(dialog.nMaxPage, dialog.nToPage);
  }
  return true;
}

bool PrinterTarget::BeginDocument(const std::string& title) {
  if (printer_ == nullptr) return false;
  DOCINFOA info = {};
  info.cbSize = sizeof info;
  info.lpszDocName = title.c_str();
  inDocument_ = StartDocA(printer_, &info) > 0;
  return inDocument_;
}

HDC PrinterTarget::BeginPage() {
  if (!inDocument_ || StartPage(printer_) <= 0) return nullptr;
  return printer_;
}

bool PrinterTarget::EndPage() { return inDocument_ && ::EndPage(printer_) > 0; }

void PrinterTarget::EndDocument(bool completed) {
  if (printer_ == nullptr) return;
  if (inDocument_) {
    if (completed) {
      EndDoc(printer_);
    } else {
      AbortDoc(printer_);
    }
  }
  inDocument_ = false;
  DeleteDC(printer_);
  printer_ = nullptr;
}

// --- The routing -------------------------------------------------------------------

PrintSource* PrintRouting::ActiveSource() const {
  for (PrintSource* source : sources_) {
    if (source != nullptr) return source;
  }
  return nullptr;
}

bool PrintRouting::PrintFrom(PrintSourceKind kind, PrintSource& requester, HWND owner) {
  sources_[static_cast<size_t>(kind)] = &requester;
  PrintSource& source = *ActiveSource();
  PrinterTarget printer;
  PrintTarget& target = target_ != nullptr ? *target_ : printer;

  const int pageCount = std::max(1, source.PrintPageCount());
  int first = 1;
  int last = pageCount;
  if (!target.Choose(owner, pageCount, first, last)) {
    Clear();  // no source outlives its request
    return false;
  }
  bool printed = false;
  {
    // The main window stays disabled for the whole job, the source's
    // window while its pages are drawn: nothing changes the printed data.
    DisabledWindow mainWindow(owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr);
    if (!target.BeginDocument(source.PrintTitle())) {
      target.EndDocument(false);
      prompter_.Show(owner, kCannotStartJob, MB_OK | MB_ICONEXCLAMATION);
    } else {
      printed = PrintPages(source, target, first, last);
      target.EndDocument(printed);
    }
  }
  Clear();
  return printed;
}

bool PrintRouting::PrintPages(PrintSource& source, PrintTarget& target, int first, int last) {
  DisabledWindow sourceWindow(source.PrintWindow());
  for (int page = first; page <= last; ++page) {
    HDC dc = target.BeginPage();
    if (dc == nullptr) return false;
    source.PrintPage(dc, page);
    if (!target.EndPage()) return false;
  }
  return true;
}

}  // namespace views
