#pragma once

#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace nt {

inline constexpr std::string_view kAdministrativePhrase = "TranType=Administrative";
inline constexpr std::string_view kEntrySeparator = "----------";
inline constexpr std::string_view kDailyLogPrefix = "CAN";

// "[HH:MM:SS]" on the 24-hour clock; the fields must be in their LocalTime ranges.
std::string TimeStamp(const LocalTime& time);

// "CANmmddyyyy.log" for the given local date.
std::string DailyLogName(const LocalTime& date);

// Appends text with every "\n" written as "\r\n", as the original platform's text mode wrote it
// (so a "\r\n" of the text becomes "\r\r\n").
void AppendTextMode(std::string& out, std::string_view text);

// Appends one daily log entry: the line after the administrative filter, a line end, the
// separator and a line end. The filter removes the first "TranType=Administrative" together
// with the one character that follows it; later occurrences stay.
void AppendDailyEntry(std::string& out, std::string_view line);

// Appends one receipt file entry: the line and a line end.
void AppendReceiptEntry(std::string& out, std::string_view line);

}  // namespace nt
