#pragma once
// The separators, date and time patterns and names that conversions between text and numbers
// or dates use. Every routine that depends on them has an overload taking a record; the others
// read the global FormatSettings.

#include <array>
#include <string>

namespace framework {

struct TFormatSettings {
    char ThousandSeparator = ',';  // '\0' means none
    char DecimalSeparator = '.';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char ListSeparator = ',';
    std::string ShortDateFormat = "dd/mm/yyyy";
    std::string LongDateFormat = "dddd, d mmmm yyyy";
    std::string ShortTimeFormat = "hh:nn";
    std::string LongTimeFormat = "hh:nn:ss";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonthNames{"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    // Sunday first, as DayOfWeek counts.
    std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
    // Two-digit years fall in the hundred years starting this many years before the current
    // one; 0 puts them in the current century.
    int TwoDigitYearCenturyWindow = 50;

    // The program's default settings: English separators and names, day-first short dates.
    static TFormatSettings Create();
    // Fixed settings for text that machines read back: '.' decimals, no thousands separator,
    // month-first dates with '/'. Never changes with the global FormatSettings.
    static TFormatSettings Invariant();
};

// The settings in force for the overloads without a settings record. Programs may change it.
extern TFormatSettings FormatSettings;

}  // namespace framework
