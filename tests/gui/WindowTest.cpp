// The window base class: link and unlink of object and handle, destruction
// from either side, the exception barrier, command dispatch and menu state.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/ExceptionBarrier.h"
#include "framework/MessageBoxPrompter.h"
#include "framework/Window.h"
#include "framework/WindowText.h"
#include "shell/FailureMessage.h"
#include "support/DialogWatcher.h"

namespace {

const UINT kThrowMessage = WM_APP + 7;
const UINT kCountMessage = WM_APP + 8;
const UINT kThrowNoMemoryMessage = WM_APP + 9;
const UINT kThrowAnythingMessage = WM_APP + 10;

// Records what happened to it; writes through pointers so that calls made
// after the object is gone would still be seen.
struct Journal {
  int created = 0;
  int destroyed = 0;
  int finalMessages = 0;
  int counted = 0;
  bool linkedDuringCreate = false;
  std::vector<UINT> commands;
};

class ProbeWindow : public fw::Window {
 public:
  explicit ProbeWindow(Journal& journal) : journal_(journal) {}

  bool refuseCreate = false;
  bool throwInCreate = false;

  bool Open(HWND parent = nullptr) {
    fw::WindowClass windowClass;
    windowClass.name = "LumettaTestProbe";
    fw::WindowParams params;
    params.title = "probe";
    params.style = parent != nullptr ? WS_CHILD : WS_OVERLAPPEDWINDOW;
    params.x = params.y = 0;
    params.width = params.height = 100;
    params.parent = parent;
    return Create(windowClass, params);
  }

  bool IsCommandEnabled(UINT id) const override { return id == 101; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case kThrowMessage:
        throw std::runtime_error("handler failed");
      case kThrowNoMemoryMessage:
        throw std::bad_alloc();
      case kThrowAnythingMessage:
        throw 7;
      case kCountMessage:
        ++journal_.counted;
        return 42;
      default:
        return Window::HandleMessage(message, wParam, lParam);
    }
  }

  bool OnCreate(const CREATESTRUCTA&) override {
    ++journal_.created;
    journal_.linkedDuringCreate = FromHandle(Handle()) == this && Handle() != nullptr;
    if (throwInCreate) throw std::runtime_error("create failed");
    return !refuseCreate;
  }
  void OnDestroy() override { ++journal_.destroyed; }
  void OnFinalMessage() override { ++journal_.finalMessages; }
  bool OnCommand(UINT id, UINT, HWND) override {
    journal_.commands.push_back(id);
    return id == 101;
  }

 private:
  Journal& journal_;
};

TEST(WindowLifetime, ObjectIsLinkedFromCreationAndUnlinkedWhenTheWindowIsDestroyed) {
  Journal journal;
  ProbeWindow window(journal);
  ASSERT_TRUE(window.Open());
  HWND hwnd = window.Handle();
  EXPECT_TRUE(journal.linkedDuringCreate) << "linked before WM_CREATE";
  EXPECT_EQ(&window, fw::Window::FromHandle(hwnd));
  EXPECT_EQ(42, SendMessageA(hwnd, kCountMessage, 0, 0));

  DestroyWindow(hwnd);
  EXPECT_EQ(1, journal.destroyed);
  EXPECT_EQ(1, journal.finalMessages);
  EXPECT_EQ(nullptr, window.Handle());
  EXPECT_FALSE(window.Exists());
  EXPECT_EQ(nullptr, fw::Window::FromHandle(hwnd));
}

TEST(WindowLifetime, DestroyingTheObjectDestroysItsWindow) {
  Journal journal;
  HWND hwnd = nullptr;
  {
    ProbeWindow window(journal);
    ASSERT_TRUE(window.Open());
    hwnd = window.Handle();
  }
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(nullptr, fw::Window::FromHandle(hwnd));
}

TEST(WindowLifetime, ChildObjectsAreUnlinkedWhenTheParentGoes) {
  Journal parentJournal, childJournal;
  ProbeWindow parent(parentJournal);
  ProbeWindow child(childJournal);
  ASSERT_TRUE(parent.Open());
  ASSERT_TRUE(child.Open(parent.Handle()));
  parent.Destroy();
  EXPECT_EQ(nullptr, child.Handle());
  EXPECT_EQ(1, childJournal.destroyed);
  EXPECT_EQ(1, childJournal.finalMessages);
}

TEST(WindowLifetime, RefusedOrThrowingCreationFailsCleanly) {
  Journal refusedJournal;
  ProbeWindow refused(refusedJournal);
  refused.refuseCreate = true;
  EXPECT_FALSE(refused.Open());
  EXPECT_EQ(nullptr, refused.Handle());
  EXPECT_EQ(1, refusedJournal.finalMessages);

  Journal throwingJournal;
  ProbeWindow throwing(throwingJournal);
  throwing.throwInCreate = true;
  EXPECT_FALSE(throwing.Open());
  EXPECT_EQ(nullptr, throwing.Handle());
  EXPECT_EQ(1, throwingJournal.created);
}

TEST(WindowLifetime, AnExceptionInAHandlerStopsAtTheWindowProcedure) {
  Journal journal;
  ProbeWindow window(journal);
  ASSERT_TRUE(window.Open());
  EXPECT_EQ(0, SendMessageA(window.Handle(), kThrowMessage, 0, 0));
  EXPECT_TRUE(IsWindow(window.Handle()));
  EXPECT_EQ(42, SendMessageA(window.Handle(), kCountMessage, 0, 0)) << "still handles messages";
}

// Records the failures the barrier reports; can fail again while reporting.
class RecordingReport : public fw::FailureReport {
 public:
  std::vector<std::string> reported;
  HWND failAgainIn = nullptr;
  void HandlerFailed(const char* what) noexcept override {
    reported.push_back(what);
    if (failAgainIn != nullptr) SendMessageA(failAgainIn, kThrowMessage, 0, 0);
  }
};

TEST(WindowLifetime, TheBarrierTellsTheProgramsFailureReport) {
  Journal journal;
  ProbeWindow window(journal);
  ASSERT_TRUE(window.Open());
  EXPECT_EQ(0, SendMessageA(window.Handle(), kThrowMessage, 0, 0));  // no report: silent
  RecordingReport report;
  {
    fw::ScopedFailureReport installed(report);
    const struct {
      UINT message;
      const char* what;
    } cases[] = {{kThrowMessage, "handler failed"},
                 {kThrowNoMemoryMessage, "not enough memory"},
                 {kThrowAnythingMessage, ""}};
    for (const auto& c : cases) {
      report.reported.clear();
      EXPECT_EQ(0, SendMessageA(window.Handle(), c.message, 0, 0));
      EXPECT_EQ(std::vector<std::string>{c.what}, report.reported);
      EXPECT_EQ(42, SendMessageA(window.Handle(), kCountMessage, 0, 0)) << "still running";
    }
    // A failure while the report is busy (inside its message box) is passed over.
    report.reported.clear();
    report.failAgainIn = window.Handle();
    SendMessageA(window.Handle(), kThrowMessage, 0, 0);
    EXPECT_EQ(1u, report.reported.size());
  }
  report.reported.clear();
  SendMessageA(window.Handle(), kThrowMessage, 0, 0);
  EXPECT_TRUE(report.reported.empty()) << "uninstalled with its scope";
}

// The program's report: a message box with the program's caption that names
// the failure, after which the window goes on working.
TEST(WindowLifetime, AFailedHandlerIsNamedToTheUserInAMessageBox) {
  Journal journal;
  ProbeWindow window(journal);
  ASSERT_TRUE(window.Open());
  fw::MessageBoxPrompter prompter("Lumetta");
  shell::FailureMessage message(prompter);
  fw::ScopedFailureReport installed(message);
  testing_support::DialogWatcher watcher;
  watcher.ThenPress(IDOK);
  EXPECT_EQ(0, SendMessageA(window.Handle(), kThrowNoMemoryMessage, 0, 0));
  ASSERT_EQ(1u, watcher.Seen().size());
  EXPECT_EQ("Lumetta", watcher.Seen()[0].caption);
  EXPECT_EQ(
      "Lumetta could not complete that action: not enough memory.\n\nThe program keeps "
      "running; your appointments are still in memory and are saved as usual.",
      watcher.Seen()[0].message);
  EXPECT_EQ(42, SendMessageA(window.Handle(), kCountMessage, 0, 0));
}

TEST(WindowLifetime, WindowsThatAreNotOursHaveNoObject) {
  HWND button = CreateWindowExA(0, "BUTTON", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, button);
  SetWindowLongPtrA(button, GWLP_USERDATA, 0x1234);  // other code's data is not mistaken for ours
  EXPECT_EQ(nullptr, fw::Window::FromHandle(button));
  DestroyWindow(button);
}

TEST(WindowCommands, WmCommandReachesOnCommandAndUnhandledIdsFallThrough) {
  Journal journal;
  ProbeWindow window(journal);
  ASSERT_TRUE(window.Open());
  SendMessageA(window.Handle(), WM_COMMAND, MAKEWPARAM(101, 0), 0);
  SendMessageA(window.Handle(), WM_COMMAND, MAKEWPARAM(202, 0), 0);
  EXPECT_EQ((std::vector<UINT>{101, 202}), journal.commands);
  EXPECT_TRUE(window.DispatchCommand(101, 0, nullptr));
  EXPECT_FALSE(window.DispatchCommand(303, 0, nullptr));
}

TEST(WindowCommands, OpeningAPopupEnablesOrGreysEachCommandItem) {
  Journal journal;
  ProbeWindow window(journal);
  ASSERT_TRUE(window.Open());
  HMENU popup = CreatePopupMenu();
  HMENU nested = CreatePopupMenu();
  AppendMenuA(popup, MF_STRING | MF_GRAYED, 101, "enabled by the window");
  AppendMenuA(popup, MF_STRING, 102, "not handled");
  AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(popup, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(nested), "nested");

  SendMessageA(window.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup),
               MAKELPARAM(0, TRUE));
  EXPECT_NE(0u, GetMenuState(popup, 101, MF_BYCOMMAND) & MF_GRAYED)
      << "the system menu is left alone";

  SendMessageA(window.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup),
               MAKELPARAM(0, FALSE));
  EXPECT_EQ(0u, GetMenuState(popup, 101, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_NE(0u, GetMenuState(popup, 102, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_NE(0u, GetMenuState(popup, 3, MF_BYPOSITION) & MF_GRAYED) << "sub-menus are left alone";
  DestroyMenu(popup);
}

TEST(WindowText, ReadsTheWholeTextOfAControlWhateverItsLength) {
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE, 0, 0, 100, 40, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, edit);
  SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);  // beyond the edit control's default 30000
  for (const std::string& text : {std::string(), std::string("Lunch with Ann"),
                                  std::string("line 1\r\nline 2"), std::string(70000, 'x')}) {
    SetWindowTextA(edit, text.c_str());
    EXPECT_EQ(text, fw::WindowText(edit)) << text.size() << " characters";
  }
  DestroyWindow(edit);
  EXPECT_EQ("", fw::WindowText(edit)) << "a window that is gone";
}

}  // namespace
