#pragma once
// The find dialog (template IDD_FIND, "Find a day planner entry"): a search
// text of at most 50 characters and the case-insensitive check box, checked
// when the dialog opens.

#include <windows.h>

#include <string>

#include "framework/Dialog.h"
#include "framework/DialogTrim.h"

namespace store {
class All_Appointments;
class SearchOutlets;
}  // namespace store

namespace shell {

class FindDialog : public fw::Dialog {
 public:
  explicit FindDialog(fw::Prompter& prompter);

  std::string text;
  bool caseInsensitive = true;

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(fw::DataExchange& exchange) override;

 private:
  fw::SmallWindowIcon icon_;
};

// The Find command: the dialog, then on OK the search (or the message about
// a blank text). Hits open their day planner or the results file through
// `outlets`; the book's prompts show the messages.
void RunFindCommand(HWND owner, store::All_Appointments& book, store::SearchOutlets& outlets,
                    fw::Prompter& prompter);

}  // namespace shell
