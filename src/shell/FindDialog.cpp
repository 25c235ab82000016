#include "shell/FindDialog.h"

#include "resource.h"
#include "store/Search.h"

namespace shell {

FindDialog::FindDialog(fw::Prompter& prompter) : Dialog(IDD_FIND, prompter) {}

bool FindDialog::OnInitDialog() {
  icon_.Apply(Handle());
  return Dialog::OnInitDialog();
}

void FindDialog::DoDataExchange(fw::DataExchange& exchange) {
  exchange.Text(IDC_FIND_TEXT, text, store::kSearchTextChars);
  exchange.Check(IDC_FIND_CASE_INSENSITIVE, caseInsensitive);
}

void RunFindCommand(HWND owner, store::All_Appointments& book, store::SearchOutlets& outlets,
                    fw::Prompter& prompter) {
  FindDialog dialog(prompter);
  if (dialog.DoModal(owner) != IDOK) return;
  store::FindCommand(book, dialog.text, dialog.caseInsensitive, outlets);
}

}  // namespace shell
