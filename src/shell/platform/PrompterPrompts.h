#pragma once
// The store's message prompts, shown through the framework's Prompter (a
// MessageBoxA in the program, a scripted answer in tests). The Prompter
// carries the program's caption, "Lumetta", which is the caption every
// prompt of the store asks for; the caption argument is therefore not
// passed on.

#include <windows.h>

#include "framework/Prompter.h"
#include "store/Platform.h"

class PrompterPrompts : public lumetta::Prompts {
 public:
  // The boxes are owned by `owner`; the main window sets itself once it exists.
  explicit PrompterPrompts(fw::Prompter& prompter, HWND owner = nullptr)
      : prompter_(prompter), owner_(owner) {}

  void SetOwner(HWND owner) { owner_ = owner; }

  lumetta::PromptAnswer Show(const std::string& text, const std::string& caption,
                             lumetta::PromptButtons buttons, lumetta::PromptIcon icon) override;

  // MessageBox type flags for the buttons and icon.
  static UINT TypeFor(lumetta::PromptButtons buttons, lumetta::PromptIcon icon);
  // The answer for a MessageBox result; a closed box (0 or an unknown id)
  // counts as the cancelling answer of its buttons.
  static lumetta::PromptAnswer AnswerFor(int result, lumetta::PromptButtons buttons);

 private:
  fw::Prompter& prompter_;
  HWND owner_;
};
