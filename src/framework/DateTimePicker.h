#pragma once
// The value of a date-and-time picker control: a local date and time of
// day (DTM_SETSYSTEMTIME, DTM_GETSYSTEMTIME).

#include <windows.h>

namespace fw {

// Shows the date and time in the picker; the picker works out the weekday.
void SetPickerTime(HWND picker, int year, int month, int day, int hour, int minute, int second);
// The date and time the picker shows; false when it holds none.
bool GetPickerTime(HWND picker, SYSTEMTIME& time);

}  // namespace fw
