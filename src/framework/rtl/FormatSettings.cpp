#include "framework/rtl/FormatSettings.h"

namespace framework {

TFormatSettings FormatSettings = TFormatSettings::Create();

TFormatSettings TFormatSettings::Create() { return TFormatSettings{}; }

TFormatSettings TFormatSettings::Invariant() {
    TFormatSettings s;
    s.ThousandSeparator = ',';
    s.DecimalSeparator = '.';
    s.DateSeparator = '/';
    s.TimeSeparator = ':';
    s.ShortDateFormat = "MM/dd/yyyy";
    s.LongDateFormat = "dddd, dd mmmm yyyy";
    s.ShortTimeFormat = "HH:nn";
    s.LongTimeFormat = "HH:nn:ss";
    s.TwoDigitYearCenturyWindow = 50;
    return s;
}

}  // namespace framework
