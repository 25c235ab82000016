#include "framework/DateTimePicker.h"

#include <commctrl.h>

namespace fw {

void SetPickerTime(HWND picker, int year, int month, int day, int hour, int minute, int second) {
  SYSTEMTIME st = {};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  st.wHour = static_cast<WORD>(hour);
  st.wMinute = static_cast<WORD>(minute);
  st.wSecond = static_cast<WORD>(second);
  SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

bool GetPickerTime(HWND picker, SYSTEMTIME& time) {
  SYSTEMTIME st = {};
  if (SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID) {
    return false;
  }
  time = st;
  return true;
}

}  // namespace fw
