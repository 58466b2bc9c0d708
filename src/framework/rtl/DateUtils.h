#pragma once
// Dates and times as the classic TDateTime: a double counting days since 30 December 1899,
// the fraction being the time of day. Text conversions follow the settings record:
// DateToStr writes ShortDateFormat, StrToDate reads two or three numbers in its order.

#include "framework/rtl/FormatSettings.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace framework {

using TDateTime = double;

// 0001-01-01 and the last moment of 9999-12-31, the range every routine here accepts.
constexpr TDateTime MinDateTime = -693593.0;
constexpr TDateTime MaxDateTime = 2958465.99999999;

bool IsLeapYear(int Year);
int DaysInAMonth(int Year, int Month);

// Year 1..9999, a real month and day; EncodeDate raises EConvertError otherwise.
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date);
TDateTime EncodeDate(int Year, int Month, int Day);
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time);
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
// Raise EConvertError for values outside MinDateTime..MaxDateTime and NaN. A negative value's
// fraction is still the time of day, counted forward.
void DecodeDate(TDateTime Date, std::uint16_t& Year, std::uint16_t& Month, std::uint16_t& Day);
void DecodeTime(TDateTime Time, std::uint16_t& Hour, std::uint16_t& Min, std::uint16_t& Sec,
                std::uint16_t& MSec);
// 1 for Sunday to 7 for Saturday.
int DayOfWeek(TDateTime Date);

// The local date and time of the machine.
TDateTime Date();
TDateTime Now();
int CurrentYear();

// Patterns: d dd ddd dddd ddddd dddddd, m mm mmm mmmm, yy yyyy, h hh, n nn, s ss, z zzz,
// am/pm a/p ampm, c t tt, '/' for DateSeparator, ':' for TimeSeparator, "..." and '...' for
// literal text; anything else is copied. An m straight after an h means minutes.
std::string FormatDateTime(std::string_view Format, TDateTime DateTime);
std::string FormatDateTime(std::string_view Format, TDateTime DateTime, const TFormatSettings& Settings);

std::string DateToStr(TDateTime Date);
std::string DateToStr(TDateTime Date, const TFormatSettings& Settings);
std::string TimeToStr(TDateTime Time);
std::string TimeToStr(TDateTime Time, const TFormatSettings& Settings);
std::string DateTimeToStr(TDateTime DateTime);
std::string DateTimeToStr(TDateTime DateTime, const TFormatSettings& Settings);

// Two or three numbers split by DateSeparator (or by the literal separator ShortDateFormat
// itself uses, so that DateToStr always reads back), in ShortDateFormat's order of day, month
// and year. Two numbers are day and month of the current year. Years of one or two digits fall
// in the TwoDigitYearCenturyWindow; longer ones are taken as written. Blanks around the
// numbers are allowed; impossible dates such as 31/2 fail.
bool TryStrToDate(std::string_view S, TDateTime& Value);
bool TryStrToDate(std::string_view S, TDateTime& Value, const TFormatSettings& Settings);
// Raise EConvertError "'<S>' is not a valid date".
TDateTime StrToDate(std::string_view S);
TDateTime StrToDate(std::string_view S, const TFormatSettings& Settings);
TDateTime StrToDateDef(std::string_view S, TDateTime Default);
TDateTime StrToDateDef(std::string_view S, TDateTime Default, const TFormatSettings& Settings);

}  // namespace framework
