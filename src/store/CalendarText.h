// Calendar texts shared by every window: month and weekday names, ordinals,
// the time-of-day text, and month lengths.
#pragma once

#include <string>
#include <string_view>

namespace store {

// "January" .. "December"; "" outside 1..12.
const char* MonthName(int month);
// "Jan", "Feb", "March", "April", "May", "June", "July", "Aug", "Sept", "Oct",
// "Nov", "Dec"; "" outside 1..12.
const char* MonthAbbrev(int month);
// weekdayNumber 1 = "Sunday" .. 7 = "Saturday"; "" outside 1..7.
const char* WeekdayName(int weekdayNumber);

// The first of "Sun", "Mon", "Tue", "Wed", "Thu", "Fri" found in the text
// (case-sensitive, in that order) gives 1..6; anything else is 7 (Saturday).
// "every other Thursday" gives 5.
int WeekdayNumber(std::string_view text);

// Days (0..6) from a day of weekday number `fromWeekdayNumber` forward to the
// next day, that day included, whose weekday is named in the text.
int DaysUntilWeekday(int fromWeekdayNumber, std::string_view text);

// 31 / 30 days by month; February has 29 in every year divisible by 4 (no
// century rule); any other month value gives 30.
int DaysInMonth(int year, int month);

// "9:05" (twenty-four-hour) or "9:05am", "12:30am", "12:00pm", "1:30pm".
std::string TimeText(int hour, int minute, bool twentyFourHour);

// "1st", "2nd", "3rd", "21st", "22nd", "23rd", "31st", otherwise "%dth".
std::string DayOrdinal(int day);

// The week of the month a day falls in: "1st" (1..7) .. "5th" (29..31).
// nullptr for day 0 or less: the caller keeps the text it had.
const char* WeekOrdinal(int day);

}  // namespace store
