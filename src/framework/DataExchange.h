#pragma once
// Moves values between a dialog's controls and the dialog's data, in one
// direction per pass: filling the controls when the dialog opens, reading
// and checking them on OK.
//
// On the first value that fails its check the standard message is shown
// ("Enter an integer between 1 and 31.", "Enter no more than 50
// characters."), the control gets the focus with its text selected, and the
// rest of the pass does nothing; Failed() then tells the dialog to stay open.

#include <windows.h>

#include <string>

#include "framework/Prompter.h"

namespace fw {

class DataExchange {
 public:
  DataExchange(HWND dialog, bool saving, Prompter& prompter);

  bool Saving() const { return saving_; }
  bool Failed() const { return failed_; }

  // Text of an edit control or any control with a window text.
  void Text(int controlId, std::string& value);
  // The same, limited to maxChars characters: the edit control refuses more
  // typing, and a longer text (pasted or set) is refused on OK.
  void Text(int controlId, std::string& value, size_t maxChars);
  // A whole number in [minimum, maximum]; anything else is refused on OK.
  void Integer(int controlId, int& value, int minimum, int maximum);
  // A check box: checked or not.
  void Check(int controlId, bool& value);
  // A group of radio buttons with consecutive ids firstId..lastId: value is
  // the index of the checked one, -1 when none is.
  void Radio(int firstId, int lastId, int& value);

 private:
  HWND Control(int controlId) const;
  std::string ReadText(int controlId) const;
  // Shows the message, focuses and selects the control, ends the pass.
  void Refuse(int controlId, const std::string& message);

  HWND dialog_;
  bool saving_;
  Prompter& prompter_;
  bool failed_ = false;
};

}  // namespace fw
