#include "platform/PrompterPrompts.h"

namespace platform {

using store::PromptAnswer;
using store::PromptButtons;
using store::PromptIcon;

UINT PrompterPrompts::TypeFor(PromptButtons buttons, PromptIcon icon) {
  UINT type = MB_OK;
  switch (buttons) {
    case PromptButtons::Ok:
      type = MB_OK;
      break;
    case PromptButtons::OkCancel:
      type = MB_OKCANCEL;
      break;
    case PromptButtons::YesNo:
      type = MB_YESNO;
      break;
    case PromptButtons::YesNoCancel:
      type = MB_YESNOCANCEL;
      break;
  }
  switch (icon) {
    case PromptIcon::None:
      break;
    case PromptIcon::Information:
      type |= MB_ICONINFORMATION;
      break;
    case PromptIcon::Question:
      type |= MB_ICONQUESTION;
      break;
    case PromptIcon::Warning:
      type |= MB_ICONWARNING;
      break;
    case PromptIcon::Error:
      type |= MB_ICONERROR;
      break;
  }
  return type;
}

PromptAnswer PrompterPrompts::AnswerFor(int result, PromptButtons buttons) {
  switch (result) {
    case IDOK:
      return PromptAnswer::Ok;
    case IDCANCEL:
      return PromptAnswer::Cancel;
    case IDYES:
      return PromptAnswer::Yes;
    case IDNO:
      return PromptAnswer::No;
    default:
      break;
  }
  // MessageBox failed or answered something unexpected: the safe answer.
  switch (buttons) {
    case PromptButtons::Ok:
      return PromptAnswer::Ok;
    case PromptButtons::YesNo:
      return PromptAnswer::No;
    case PromptButtons::OkCancel:
    case PromptButtons::YesNoCancel:
      break;
  }
  return PromptAnswer::Cancel;
}

PromptAnswer PrompterPrompts::Show(const std::string& text, const std::string&,
                                   PromptButtons buttons, PromptIcon icon) {
  return AnswerFor(prompter_.Show(owner_, text, TypeFor(buttons, icon)), buttons);
}

}  // namespace platform
