#include "TestDialog.h"

#include "test_resource.h"

TestDialog::TestDialog(fw::Prompter& prompter, ExchangeData& data)
    : Dialog(IDD_TEST_EXCHANGE, prompter), data_(data) {}

void TestDialog::DoDataExchange(fw::DataExchange& exchange) {
  exchange.Integer(IDC_TEST_DAY, data_.day, 1, 31);
  exchange.Text(IDC_TEST_NAME, data_.name, 5);
  exchange.Check(IDC_TEST_FLAG, data_.flag);
  exchange.Radio(IDC_TEST_RADIO_FIRST, IDC_TEST_RADIO_THIRD, data_.choice);
}

INT_PTR TestDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbeMessage && probe) {
    probe(Handle());
    return TRUE;
  }
  return Dialog::HandleMessage(message, wParam, lParam);
}
