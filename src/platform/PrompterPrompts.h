#pragma once
// The store's message prompts, shown through the framework's Prompter (a
// MessageBoxA in the program, a scripted answer in tests). The Prompter
// carries the program's caption, "Lumetta", which is the caption every
// prompt of the store asks for; the caption argument is therefore not
// passed on.

#include <windows.h>

#include "framework/Prompter.h"
#include "store/Platform.h"

namespace platform {

class PrompterPrompts : public store::Prompts {
 public:
  // The boxes are owned by `owner`; the main window sets itself once it exists.
  explicit PrompterPrompts(fw::Prompter& prompter, HWND owner = nullptr)
      : prompter_(prompter), owner_(owner) {}

  void SetOwner(HWND owner) { owner_ = owner; }

  store::PromptAnswer Show(const std::string& text, const std::string& caption,
                           store::PromptButtons buttons, store::PromptIcon icon) override;

  // MessageBox type flags for the buttons and icon.
  static UINT TypeFor(store::PromptButtons buttons, store::PromptIcon icon);
  // The answer for a MessageBox result; a closed box (0 or an unknown id)
  // counts as the cancelling answer of its buttons.
  static store::PromptAnswer AnswerFor(int result, store::PromptButtons buttons);

 private:
  fw::Prompter& prompter_;
  HWND owner_;
};

}  // namespace platform
