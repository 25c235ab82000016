#include "framework/DataExchange.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <initializer_list>

#include "framework/WindowText.h"

namespace fw {
namespace {

const char kIntegerRangeMessage[] = "Enter an integer between %1 and %2.";
const char kMaxCharsMessage[] = "Enter no more than %1 characters.";

// Replaces %1, %2, ... with the given values, the way the standard
// validation messages are worded.
std::string FillPlaceholders(const char* pattern, std::initializer_list<std::string> values) {
  std::string result;
  for (const char* p = pattern; *p != '\0'; ++p) {
    if (p[0] == '%' && p[1] >= '1' && p[1] <= '9') {
      const size_t index = static_cast<size_t>(p[1] - '1');
      if (index < values.size()) {
        result += *(values.begin() + index);
        ++p;
        continue;
      }
    }
    result += *p;
  }
  return result;
}

// A whole decimal number, optionally signed and surrounded by blanks.
bool ParseInteger(const std::string& text, int& value) {
  const char* begin = text.c_str();
  while (std::isspace(static_cast<unsigned char>(*begin))) ++begin;
  if (*begin == '\0') return false;
  char* end = nullptr;
  errno = 0;
  const long long parsed = std::strtoll(begin, &end, 10);
  if (end == begin || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) return false;
  while (std::isspace(static_cast<unsigned char>(*end))) ++end;
  if (*end != '\0') return false;
  value = static_cast<int>(parsed);
  return true;
}

}  // namespace

DataExchange::DataExchange(HWND dialog, bool saving, Prompter& prompter)
    : dialog_(dialog), saving_(saving), prompter_(prompter) {}

HWND DataExchange::Control(int controlId) const { return GetDlgItem(dialog_, controlId); }

std::string DataExchange::ReadText(int controlId) const { return WindowText(Control(controlId)); }

void DataExchange::Refuse(int controlId, const std::string& message) {
  failed_ = true;
  prompter_.Show(dialog_, message, MB_OK | MB_ICONEXCLAMATION);
  HWND control = Control(controlId);
  if (control == nullptr) return;
  SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  SendMessageA(control, EM_SETSEL, 0, -1);
}

void DataExchange::Text(int controlId, std::string& value) {
  if (failed_) return;
  if (saving_) {
    value = ReadText(controlId);
  } else {
    SetDlgItemTextA(dialog_, controlId, value.c_str());
  }
}

void DataExchange::Text(int controlId, std::string& value, size_t maxChars) {
  if (failed_) return;
  if (saving_) {
    std::string text = ReadText(controlId);
    if (text.size() > maxChars) {
      Refuse(controlId, FillPlaceholders(kMaxCharsMessage, {std::to_string(maxChars)}));
      return;
    }
    value = std::move(text);
  } else {
    SendDlgItemMessageA(dialog_, controlId, EM_LIMITTEXT, maxChars, 0);
    SetDlgItemTextA(dialog_, controlId, value.c_str());
  }
}

void DataExchange::Integer(int controlId, int& value, int minimum, int maximum) {
  if (failed_) return;
  if (!saving_) {
    SetDlgItemTextA(dialog_, controlId, std::to_string(value).c_str());
    return;
  }
  int parsed = 0;
  if (!ParseInteger(ReadText(controlId), parsed) || parsed < minimum || parsed > maximum) {
    Refuse(controlId, FillPlaceholders(kIntegerRangeMessage,
                                       {std::to_string(minimum), std::to_string(maximum)}));
    return;
  }
  value = parsed;
}

void DataExchange::Check(int controlId, bool& value) {
  if (failed_) return;
  if (saving_) {
    value = IsDlgButtonChecked(dialog_, controlId) == BST_CHECKED;
  } else {
    CheckDlgButton(dialog_, controlId, value ? BST_CHECKED : BST_UNCHECKED);
  }
}

void DataExchange::Radio(int firstId, int lastId, int& value) {
  if (failed_) return;
  if (saving_) {
    value = -1;
    for (int id = firstId; id <= lastId; ++id) {
      if (IsDlgButtonChecked(dialog_, id) == BST_CHECKED) {
        value = id - firstId;
        break;
      }
    }
  } else {
    for (int id = firstId; id <= lastId; ++id) {
      CheckDlgButton(dialog_, id, id - firstId == value ? BST_CHECKED : BST_UNCHECKED);
    }
  }
}

}  // namespace fw
