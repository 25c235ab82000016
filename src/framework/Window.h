#pragma once
// Base of every window of the program: one C++ object per window handle.
//
// The object is linked to its handle at WM_NCCREATE (through the
// CREATESTRUCT parameter) and unlinked at WM_NCDESTROY, the last message a
// window receives. Messages go to the virtual HandleMessage, which derived
// classes implement as a plain switch that falls back to Window::HandleMessage.
// No exception leaves the window procedure (ExceptionBarrier.h).

#include <windows.h>

#include "framework/Dpi.h"

namespace fw {

// The window class a Window is created with. Registered on first use; the
// class name is what other code sees (FindWindow, GetClassName), so each kind
// of program window has its own.
struct WindowClass {
  const char* name = nullptr;
  UINT style = 0;
  HICON icon = nullptr;
  HICON smallIcon = nullptr;
  HCURSOR cursor = nullptr;     // nullptr: the standard arrow
  HBRUSH background = nullptr;  // nullptr: the window paints everything itself
};

struct WindowParams {
  DWORD exStyle = 0;
  const char* title = "";
  DWORD style = WS_OVERLAPPEDWINDOW;
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  int width = CW_USEDEFAULT;
  int height = CW_USEDEFAULT;
  HWND parent = nullptr;  // parent of a child, owner of a top-level window
  HMENU menu = nullptr;   // menu of a top-level window, control id of a child
};

class Window {
 public:
  Window() = default;
  // Destroys a window that still exists. Its messages then no longer reach
  // this object (it is unlinked first), so a derived class whose handlers
  // use its own members calls Destroy() in its own destructor.
  virtual ~Window();

  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Registers the class when needed and creates the window. False when the
  // class cannot be registered or the window is not created (for instance
  // when OnCreate refused).
  bool Create(const WindowClass& windowClass, const WindowParams& params);
  void Destroy();

  HWND Handle() const { return hwnd_; }
  bool Exists() const { return hwnd_ != nullptr; }

  // The object linked to a handle, or nullptr for windows that are not ours.
  static Window* FromHandle(HWND hwnd);

  // Runs a command as WM_COMMAND would; true when this window handled it.
  bool DispatchCommand(UINT id, UINT notifyCode, HWND control);

  // Whether a menu item with this command shows enabled. Items of a popup
  // menu are enabled or greyed from this when the popup opens.
  virtual bool IsCommandEnabled(UINT id) const;

  // The DPI the window is laid out for: the DPI of its monitor when it was
  // created (a child: its parent's), then the one WM_DPICHANGED brings.
  fw::Dpi WindowDpi() const { return dpi_; }
  // The same for any window: ours know it before the system does (a DPI
  // change arrives as a message first); others are asked of the system.
  static fw::Dpi DpiOf(HWND hwnd);
  // What WM_DPICHANGED does: lays every window of ours inside this one out
  // again for `dpi`, moves this one to the suggested rectangle (if any),
  // then lays it out (OnDpiChanged) and repaints it.
  void ChangeDpi(fw::Dpi dpi, const RECT* suggested = nullptr);

  // Lets a window act on a keyboard message before it is translated and
  // dispatched (see MessageLoop). True when the message was consumed.
  virtual bool PreTranslateMessage(MSG& msg);

 protected:
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

  // WM_CREATE; false makes the creation fail.
  virtual bool OnCreate(const CREATESTRUCTA& create);
  // WM_DESTROY, while the window and its children still exist.
  virtual void OnDestroy();
  // After WM_NCDESTROY, when the handle is gone and the object unlinked.
  virtual void OnFinalMessage();
  // What every window of a kind redoes first for a new DPI, before the
  // window's own OnDpiChanged (a frame: its menu bar).
  virtual void PrepareForDpi();
  // The DPI changed (WindowDpi() is the new one): remake fonts and sizes.
  // A window sized to its contents may size itself again here.
  virtual void OnDpiChanged();
  // WM_COMMAND; true when handled.
  virtual bool OnCommand(UINT id, UINT notifyCode, HWND control);

  // Enables or greys every command item of a popup menu (WM_INITMENUPOPUP).
  void UpdateMenuItems(HMENU popup) const;

 private:
  static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static bool RegisterWindowClass(const WindowClass& windowClass);

  HWND hwnd_ = nullptr;
  fw::Dpi dpi_;
};

}  // namespace fw
