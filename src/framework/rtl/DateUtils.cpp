#include "framework/rtl/DateUtils.h"

#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

namespace framework {
namespace {

constexpr long long kUnixEpochDelta = 25569;  // 1970-01-01 as a TDateTime
constexpr long long kMSecsPerDay = 86400000;

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (m <= 2));
}

void CheckRange(TDateTime value) {
    if (!(value >= MinDateTime && value < MaxDateTime + 1e-8))
        throw EConvertError("Invalid date value");
}

// Milliseconds into the day; a negative value's fraction is still counted forward.
long long TimeOfDayMSecs(TDateTime value) {
    const double frac = std::fabs(value - std::trunc(value));
    const long long ms = std::llround(frac * static_cast<double>(kMSecsPerDay));
    return ms >= kMSecsPerDay ? kMSecsPerDay - 1 : ms;
}

struct Parts {
    int Year = 0, Month = 0, Day = 0, DayOfWeek = 0;
    int Hour = 0, Min = 0, Sec = 0, MSec = 0;
};

Parts Split(TDateTime value) {
    CheckRange(value);
    Parts p;
    const auto days = static_cast<long long>(std::trunc(value));
    CivilFromDays(days - kUnixEpochDelta, p.Year, p.Month, p.Day);
    p.DayOfWeek = static_cast<int>(((days - 1) % 7 + 7) % 7) + 1;
    const long long ms = TimeOfDayMSecs(value);
    p.Hour = static_cast<int>(ms / 3600000);
    p.Min = static_cast<int>(ms / 60000 % 60);
    p.Sec = static_cast<int>(ms / 1000 % 60);
    p.MSec = static_cast<int>(ms % 1000);
    return p;
}

std::string Padded(int value, int width) {
    std::string s = std::to_string(value);
    if (static_cast<int>(s.size()) < width)
        s.insert(0, static_cast<std::size_t>(width) - s.size(), '0');
    return s;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

bool StartsWithNoCase(std::string_view s, std::size_t pos, std::string_view prefix) {
    if (s.size() - pos < prefix.size())
        return false;
    for (std::size_t k = 0; k < prefix.size(); ++k)
        if (Upper(s[pos + k]) != Upper(prefix[k]))
            return false;
    return true;
}

// Whether an am/pm marker follows, which turns hours into the 12-hour clock.
bool HasAmPm(std::string_view f, std::size_t pos) {
    while (pos < f.size()) {
        const char c = f[pos];
        if (c == '"' || c == '\'') {
            const auto close = f.find(c, pos + 1);
            if (close == std::string_view::npos)
                return false;
            pos = close + 1;
        } else if (StartsWithNoCase(f, pos, "am/pm") || StartsWithNoCase(f, pos, "a/p") ||
                   StartsWithNoCase(f, pos, "ampm")) {
            return true;
        } else {
            ++pos;
        }
    }
    return false;
}

class DateFormatter {
public:
    DateFormatter(const Parts& p, const TFormatSettings& s) : m_p(p), m_s(s) {}

    void Append(std::string& out, std::string_view f, int level) {
        char last = '\0';
        std::size_t i = 0;
        while (i < f.size()) {
            const char c = f[i];
            const char u = Upper(c);
            std::size_t count = 1;
            while (i + count < f.size() && Upper(f[i + count]) == u && u >= 'A' && u <= 'Z')
                ++count;
            switch (u) {
            case '"':
            case '\'': {
                const auto close = f.find(c, i + 1);
                const auto end = close == std::string_view::npos ? f.size() : close;
                out.append(f.substr(i + 1, end - i - 1));
                i = close == std::string_view::npos ? f.size() : close + 1;
                continue;
            }
            case '/':
                if (m_s.DateSeparator != '\0')
                    out += m_s.DateSeparator;
                break;
            case ':':
                if (m_s.TimeSeparator != '\0')
                    out += m_s.TimeSeparator;
                break;
            case 'A':
                if (AppendAmPm(out, f, i))
                    continue;
                out += c;
                break;
            case 'C':
                Nested(out, m_s.ShortDateFormat, level);
                if (m_p.Hour || m_p.Min || m_p.Sec || m_p.MSec) {
                    out += ' ';
                    Nested(out, m_s.LongTimeFormat, level);
                }
                break;
            case 'D':
                if (count <= 2)
                    out += Padded(m_p.Day, static_cast<int>(count));
                else if (count == 3)
                    out += m_s.ShortDayNames[static_cast<std::size_t>(m_p.DayOfWeek - 1)];
                else if (count == 4)
                    out += m_s.LongDayNames[static_cast<std::size_t>(m_p.DayOfWeek - 1)];
                else
                    Nested(out, count == 5 ? m_s.ShortDateFormat : m_s.LongDateFormat, level);
                break;
            case 'H': {
                int h = m_p.Hour;
                if (HasAmPm(f, i + count)) {
                    h %= 12;
                    if (h == 0)
                        h = 12;
                }
                out += Padded(h, count >= 2 ? 2 : 1);
                break;
            }
            case 'M':
                if (last == 'H') {
                    out += Padded(m_p.Min, count >= 2 ? 2 : 1);
                    last = 'N';
                    i += count;
                    continue;
                }
                if (count <= 2)
                    out += Padded(m_p.Month, static_cast<int>(count));
                else if (count == 3)
                    out += m_s.ShortMonthNames[static_cast<std::size_t>(m_p.Month - 1)];
                else
                    out += m_s.LongMonthNames[static_cast<std::size_t>(m_p.Month - 1)];
                break;
            case 'N':
                out += Padded(m_p.Min, count >= 2 ? 2 : 1);
                break;
            case 'S':
                out += Padded(m_p.Sec, count >= 2 ? 2 : 1);
                break;
            case 'T':
                Nested(out, count == 1 ? m_s.ShortTimeFormat : m_s.LongTimeFormat, level);
                break;
            case 'Y':
                out += count <= 2 ? Padded(m_p.Year % 100, 2) : Padded(m_p.Year, 4);
                break;
            case 'Z':
                out += Padded(m_p.MSec, count <= 2 ? 1 : 3);
                break;
            default:
                out.append(f.substr(i, count));
                break;
            }
            if (u >= 'A' && u <= 'Z')
                last = u;
            i += count;
        }
    }

private:
    // A pattern may name another (ddddd is ShortDateFormat); two levels are enough and stop a
    // pattern that names itself from recursing for ever.
    void Nested(std::string& out, std::string_view f, int level) {
        if (level < 2)
            Append(out, f, level + 1);
    }

    bool AppendAmPm(std::string& out, std::string_view f, std::size_t& i) {
        const bool pm = m_p.Hour >= 12;
        if (StartsWithNoCase(f, i, "am/pm")) {
            const std::string_view word = f.substr(pm ? i + 3 : i, 2);
            out.append(word);
            i += 5;
        } else if (StartsWithNoCase(f, i, "a/p")) {
            out += f[pm ? i + 2 : i];
            i += 3;
        } else if (StartsWithNoCase(f, i, "ampm")) {
            out += pm ? m_s.TimePMString : m_s.TimeAMString;
            i += 4;
        } else {
            return false;
        }
        return true;
    }

    const Parts& m_p;
    const TFormatSettings& m_s;
};

enum class DateOrder { MDY, DMY, YMD };

DateOrder OrderOf(std::string_view shortFormat) {
    for (char c : shortFormat) {
        switch (Upper(c)) {
        case 'Y':
            return DateOrder::YMD;
        case 'M':
            return DateOrder::MDY;
        case 'D':
            return DateOrder::DMY;
        default:
            break;
        }
    }
    return DateOrder::MDY;
}

}  // namespace

bool IsLeapYear(int Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

int DaysInAMonth(int Year, int Month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month < 1 || Month > 12)
        return 0;
    return Month == 2 && IsLeapYear(Year) ? 29 : kDays[Month - 1];
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date) {
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInAMonth(Year, Month))
        return false;
    Date = static_cast<double>(DaysFromCivil(Year, static_cast<unsigned>(Month), static_cast<unsigned>(Day)) +
                               kUnixEpochDelta);
    return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
    TDateTime d = 0;
    if (!TryEncodeDate(Year, Month, Day, d))
        throw EConvertError("Invalid argument to date encode");
    return d;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time) {
    if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 || MSec > 999)
        return false;
    Time = static_cast<double>(((Hour * 60LL + Min) * 60 + Sec) * 1000 + MSec) /
           static_cast<double>(kMSecsPerDay);
    return true;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
    TDateTime t = 0;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, t))
        throw EConvertError("Invalid argument to time encode");
    return t;
}

void DecodeDate(TDateTime Date, std::uint16_t& Year, std::uint16_t& Month, std::uint16_t& Day) {
    const Parts p = Split(Date);
    Year = static_cast<std::uint16_t>(p.Year);
    Month = static_cast<std::uint16_t>(p.Month);
    Day = static_cast<std::uint16_t>(p.Day);
}

void DecodeTime(TDateTime Time, std::uint16_t& Hour, std::uint16_t& Min, std::uint16_t& Sec,
                std::uint16_t& MSec) {
    const Parts p = Split(Time);
    Hour = static_cast<std::uint16_t>(p.Hour);
    Min = static_cast<std::uint16_t>(p.Min);
    Sec = static_cast<std::uint16_t>(p.Sec);
    MSec = static_cast<std::uint16_t>(p.MSec);
}

int DayOfWeek(TDateTime Date) { return Split(Date).DayOfWeek; }

TDateTime Now() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), static_cast<int>(ms));
}

TDateTime Date() { return std::trunc(Now()); }

int CurrentYear() { return Split(Date()).Year; }

std::string FormatDateTime(std::string_view Format, TDateTime DateTime, const TFormatSettings& Settings) {
    const Parts p = Split(DateTime);
    std::string out;
    DateFormatter(p, Settings).Append(out, Format, 0);
    return out;
}

std::string FormatDateTime(std::string_view Format, TDateTime DateTime) {
    return FormatDateTime(Format, DateTime, FormatSettings);
}

std::string DateToStr(TDateTime Date, const TFormatSettings& Settings) {
    return FormatDateTime(Settings.ShortDateFormat, Date, Settings);
}
std::string DateToStr(TDateTime Date) { return DateToStr(Date, FormatSettings); }

std::string TimeToStr(TDateTime Time, const TFormatSettings& Settings) {
    return FormatDateTime(Settings.LongTimeFormat, Time, Settings);
}
std::string TimeToStr(TDateTime Time) { return TimeToStr(Time, FormatSettings); }

std::string DateTimeToStr(TDateTime DateTime, const TFormatSettings& Settings) {
    return FormatDateTime("c", DateTime, Settings);
}
std::string DateTimeToStr(TDateTime DateTime) { return DateTimeToStr(DateTime, FormatSettings); }

bool TryStrToDate(std::string_view S, TDateTime& Value, const TFormatSettings& Settings) {
    // Separators: the settings' own, and whatever ShortDateFormat writes between its fields.
    std::string separators;
    if (Settings.DateSeparator != '\0')
        separators += Settings.DateSeparator;
    for (char c : Settings.ShortDateFormat) {
        const char u = Upper(c);
        if (!(u >= 'A' && u <= 'Z') && c != '/' && c != '"' && c != '\'' && c != ' ' &&
            static_cast<unsigned char>(c) < 0x80)
            separators += c;
    }
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < S.size() && S[i] == ' ')
            ++i;
    };
    auto number = [&](int& value, int& digits) {
        skipBlanks();
        value = 0;
        digits = 0;
        while (i < S.size() && S[i] >= '0' && S[i] <= '9') {
            if (++digits > 9)
                return false;
            value = value * 10 + (S[i++] - '0');
        }
        return digits > 0;
    };
    auto separator = [&] {
        const std::size_t before = i;
        skipBlanks();
        if (i < S.size() && separators.find(S[i]) != std::string::npos) {
            ++i;
            return true;
        }
        return i > before && separators.find(' ') != std::string::npos;
    };
    int n[3] = {0, 0, 0}, len[3] = {0, 0, 0};
    if (!number(n[0], len[0]) || !separator() || !number(n[1], len[1]))
        return false;
    int count = 2;
    const std::size_t afterSecond = i;
    if (separator()) {
        if (!number(n[2], len[2]))
            return false;
        count = 3;
    } else {
        i = afterSecond;
    }
    skipBlanks();
    if (i != S.size())
        return false;

    const DateOrder order = OrderOf(Settings.ShortDateFormat);
    int year = 0, month = 0, day = 0, yearDigits = 4;
    if (count == 2) {
        year = CurrentYear();
        if (order == DateOrder::DMY) {
            day = n[0];
            month = n[1];
        } else {
            month = n[0];
            day = n[1];
        }
    } else if (order == DateOrder::YMD) {
        year = n[0], yearDigits = len[0], month = n[1], day = n[2];
    } else if (order == DateOrder::DMY) {
        day = n[0], month = n[1], year = n[2], yearDigits = len[2];
    } else {
        month = n[0], day = n[1], year = n[2], yearDigits = len[2];
    }
    if (yearDigits <= 2) {
        const int pivot = CurrentYear() - Settings.TwoDigitYearCenturyWindow;
        year += pivot / 100 * 100;
        if (Settings.TwoDigitYearCenturyWindow > 0 && year < pivot)
            year += 100;
    }
    return TryEncodeDate(year, month, day, Value);
}

bool TryStrToDate(std::string_view S, TDateTime& Value) { return TryStrToDate(S, Value, FormatSettings); }

TDateTime StrToDate(std::string_view S, const TFormatSettings& Settings) {
    TDateTime d = 0;
    if (!TryStrToDate(S, d, Settings))
        throw EConvertError("'" + std::string(S) + "' is not a valid date");
    return d;
}
TDateTime StrToDate(std::string_view S) { return StrToDate(S, FormatSettings); }

TDateTime StrToDateDef(std::string_view S, TDateTime Default, const TFormatSettings& Settings) {
    TDateTime d = 0;
    return TryStrToDate(S, d, Settings) ? d : Default;
}
TDateTime StrToDateDef(std::string_view S, TDateTime Default) {
    return StrToDateDef(S, Default, FormatSettings);
}

}  // namespace framework
