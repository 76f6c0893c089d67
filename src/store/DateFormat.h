// Stored and displayed forms of dates and times: the eight-digit date key, the time text
// "hh:mm:ss", the stamp "yyyymmdd-hhmmss" and the three display orders.
#pragma once

#include <string>
#include <string_view>

#include "store/DateTime.h"

namespace nimbus::dates {

// Display order chosen in the preferences.
enum DateOrder : int {
    DayMonthYear = 0,
    MonthDayYear = 1,
    YearMonthDay = 2,
};

std::string dateKey(DateTime t);    // "20240305"
std::string stamp(DateTime t);      // "20240305-140709"
std::string timeText(DateTime t);   // "14:07:09"
// "05/03/2024 14:07:09" in the given order (an unknown order falls back to day first).
std::string displayDateTime(DateTime t, int order);
// Day first with all the year's digits; the form of the program's own logs.
std::string logDateTime(DateTime t);
// The same as stamp(); kept as its own name because callers use it for file names.
std::string compactStamp(DateTime t);

// Text slicing of stored forms for display; no validation, short input gives short output.
std::string displayDate(std::string_view dateKey, int order);
std::string displayStamp(std::string_view stamp, int order);

// "The date picker format" of an order: "dd'/'MM'/'yyyy" and its two siblings.
std::string datePickerFormat(int order);

// Parses a date key. On success result becomes that date at midnight; otherwise result is
// left as it was and false is returned.
bool parseDateKey(std::string_view text, DateTime &result);
// Parses "hh:mm:ss" (optionally ".zzz"). On success result becomes the time of day (a
// date-time on day 0); otherwise it is left as it was and false is returned.
bool parseTimeText(std::string_view text, DateTime &result);
// True for the empty text and "00:00:00": no time of day was given.
bool isNoTime(std::string_view timeText);

// Leading integer of a slice, 0 when it is not a number (as the stored forms are read).
int sliceToInt(std::string_view text, std::size_t start, std::size_t count);

}  // namespace nimbus::dates
