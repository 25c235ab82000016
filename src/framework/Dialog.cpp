#include "framework/Dialog.h"

#include "framework/WorkArea.h"

#include "framework/DialogColors.h"
#include "framework/ExceptionBarrier.h"

namespace fw {
namespace {

const char kObjectProperty[] = "Lumetta.Dialog";

bool IsControlColorRequest(UINT message) {
  return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

}  // namespace

Dialog::Dialog(int templateId, Prompter& prompter) : templateId_(templateId), prompter_(prompter) {}

Dialog::~Dialog() {
  if (hwnd_ == nullptr) return;
  HWND hwnd = hwnd_;
  RemovePropA(hwnd, kObjectProperty);
  hwnd_ = nullptr;
  if (modeless_) DestroyWindow(hwnd);
}

INT_PTR Dialog::DoModal(HWND owner) {
  if (hwnd_ != nullptr) return -1;
  modeless_ = false;
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner,
                         &Dialog::DialogProcedure, reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateModeless(HWND owner) {
  if (hwnd_ != nullptr) return false;
  modeless_ = true;
  HWND created = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner,
                                    &Dialog::DialogProcedure, reinterpret_cast<LPARAM>(this));
  return created != nullptr && created == hwnd_;
}

Dialog* Dialog::FromHandle(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  return static_cast<Dialog*>(GetPropA(hwnd, kObjectProperty));
}

bool Dialog::IsModeless(HWND hwnd) {
  const Dialog* dialog = FromHandle(hwnd);
  return dialog != nullptr && dialog->modeless_;
}

bool Dialog::UpdateData(bool save) {
  if (hwnd_ == nullptr) return false;
  DataExchange exchange(hwnd_, save, prompter_);
  DoDataExchange(exchange);
  return !exchange.Failed();
}

void Dialog::DoDataExchange(DataExchange&) {}

bool Dialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void Dialog::OnOK() {
  if (UpdateData(true)) Close(IDOK);
}

void Dialog::OnCancel() { Close(IDCANCEL); }

bool Dialog::OnCommand(UINT id, UINT, HWND) {
  switch (id) {
    case IDOK:
      OnOK();
      return true;
    case IDCANCEL:
      OnCancel();
      return true;
    default:
      return false;
  }
}

void Dialog::OnFinalMessage() {}

void Dialog::Close(INT_PTR result) {
  if (hwnd_ == nullptr) return;
  if (modeless_) {
    DestroyWindow(hwnd_);
  } else {
    EndDialog(hwnd_, result);
  }
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsControlColorRequest(message)) {
    return reinterpret_cast<INT_PTR>(DialogColors::Apply(reinterpret_cast<HDC>(wParam)));
  }
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE
                                                                                       : FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK Dialog::DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    if (self != nullptr) {
      self->hwnd_ = hwnd;
      SetPropA(hwnd, kObjectProperty, self);
    }
    // Centred on the owner; a dialog that places itself does so afterwards.
    CentreOnOwner(hwnd);
  } else {
    self = FromHandle(hwnd);
  }
  if (self == nullptr) return FALSE;

  if (message == WM_NCDESTROY) {
    RemovePropA(hwnd, kObjectProperty);
    self->hwnd_ = nullptr;
    Guarded<int>(0, [&] {
      self->OnFinalMessage();
      return 0;
    });
    return FALSE;
  }
  return Guarded<INT_PTR>(FALSE, [&] { return self->HandleMessage(message, wParam, lParam); });
}

}  // namespace fw
