#include "framework/rtl/DateUtils.h"
#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace framework;

namespace {

TFormatSettings WithShortDate(const char* format, char separator) {
    TFormatSettings s = TFormatSettings::Create();
    s.ShortDateFormat = format;
    s.DateSeparator = separator;
    return s;
}

}  // namespace

TEST(EncodeDate, KnownDaysAndInvalidDates) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2024, 1, 5), 45296.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), MinDateTime);
    TDateTime d = 0;
    EXPECT_TRUE(TryEncodeDate(2024, 2, 29, d));
    EXPECT_FALSE(TryEncodeDate(2023, 2, 29, d));
    EXPECT_FALSE(TryEncodeDate(1900, 2, 29, d));
    EXPECT_TRUE(TryEncodeDate(2000, 2, 29, d));
    EXPECT_FALSE(TryEncodeDate(2024, 13, 1, d));
    EXPECT_FALSE(TryEncodeDate(0, 1, 1, d));
    EXPECT_FALSE(TryEncodeDate(10000, 1, 1, d));
    EXPECT_THROW(EncodeDate(2024, 2, 31), EConvertError);
}

TEST(DecodeDate, RoundTripsAndNegativeValues) {
    for (TDateTime d : {MinDateTime, -1.0, 0.0, 45296.0, 2958465.0}) {
        std::uint16_t y = 0, m = 0, day = 0;
        DecodeDate(d, y, m, day);
        EXPECT_EQ(EncodeDate(y, m, day), d);
    }
    std::uint16_t y = 0, m = 0, day = 0, h = 0, n = 0, s = 0, ms = 0;
    DecodeDate(-1.25, y, m, day);  // 29 December 1899, 6 in the morning
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ(day, 29);
    EXPECT_EQ(h, 6);
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 5)), 6);  // a Friday
    EXPECT_THROW(DecodeDate(std::nan(""), y, m, day), EConvertError);
    EXPECT_THROW(DecodeDate(1e12, y, m, day), EConvertError);
}

TEST(FormatDateTime, Patterns) {
    const TDateTime t = EncodeDate(2024, 1, 5) + EncodeTime(14, 7, 9, 45);
    const TFormatSettings s = WithShortDate("dd/mm/yyyy", '.');
    EXPECT_EQ(FormatDateTime("d/m/yy h:n:s", t, s), "5.1.24 14:7:9");
    EXPECT_EQ(FormatDateTime("dd mm yyyy hh:mm:ss.zzz", t, s), "05 01 2024 14:07:09.045");
    EXPECT_EQ(FormatDateTime("ddd dddd mmm mmmm", t, s), "Fri Friday Jan January");
    EXPECT_EQ(FormatDateTime("h:nn am/pm", t, s), "2:07 pm");
    EXPECT_EQ(FormatDateTime("hh AMPM", EncodeTime(0, 30, 0, 0), s), "12 AM");
    EXPECT_EQ(FormatDateTime("'dd' \"mm\" ddddd", t, s), "dd mm 05.01.2024");
    EXPECT_EQ(FormatDateTime("yyyy", EncodeDate(24, 3, 1), s), "0024");
    EXPECT_EQ(DateTimeToStr(t, s), "05.01.2024 14:07:09");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 1, 5), s), "05.01.2024");
}

TEST(FormatDateTime, SelfReferringPatternStops) {
    TFormatSettings s = TFormatSettings::Create();
    s.ShortDateFormat = "ddddd";
    EXPECT_EQ(FormatDateTime("ddddd", EncodeDate(2024, 1, 5), s), "");
}

TEST(DateToStr, SeparatorReplacesOnlySlash) {
    const TDateTime d = EncodeDate(2024, 1, 5);
    EXPECT_EQ(DateToStr(d), "05/01/2024");
    EXPECT_EQ(DateToStr(d, WithShortDate("dd/mm/yyyy", '.')), "05.01.2024");
    EXPECT_EQ(DateToStr(d, WithShortDate("yyyy-mm-dd", '.')), "2024-01-05");
    EXPECT_EQ(DateToStr(d, WithShortDate("d/m/yyyy", '/')), "5/1/2024");
    EXPECT_EQ(DateToStr(d, WithShortDate("m/d/yy", '-')), "1-5-24");
}

TEST(TryStrToDate, RoundTripsWithEveryFormat) {
    const TDateTime dates[] = {EncodeDate(2024, 1, 5), EncodeDate(1999, 12, 31), EncodeDate(2030, 2, 28)};
    const TFormatSettings settings[] = {WithShortDate("dd/mm/yyyy", '/'), WithShortDate("dd/mm/yyyy", '.'),
                                        WithShortDate("yyyy-mm-dd", '.'), WithShortDate("m/d/yyyy", '-'),
                                        WithShortDate("yyyy/mm/dd", '/'), WithShortDate("d.m.yy", '/')};
    for (const TFormatSettings& s : settings) {
        for (TDateTime d : dates) {
            TDateTime back = 0;
            const std::string text = DateToStr(d, s);
            ASSERT_TRUE(TryStrToDate(text, back, s)) << text << " with " << s.ShortDateFormat;
            EXPECT_EQ(back, d) << text << " with " << s.ShortDateFormat;
        }
    }
}

TEST(TryStrToDate, RefusesImpossibleAndMalformedDates) {
    const TFormatSettings s = WithShortDate("d/m/yyyy", '/');
    TDateTime d = 0;
    EXPECT_TRUE(TryStrToDate(" 5 / 1 / 2024 ", d, s));
    EXPECT_EQ(d, EncodeDate(2024, 1, 5));
    for (const char* bad : {"31/2/2024", "29/2/2023", "0/1/2024", "5/13/2024", "", "5", "5/", "5/1/",
                            "5/1/2024x", "5-1-2024", "5/1/2024/1", "5/1/10000", "5/1/9999999999"})
        EXPECT_FALSE(TryStrToDate(bad, d, s)) << bad;
    EXPECT_THROW(StrToDate("31/2/2024", s), EConvertError);
    EXPECT_EQ(StrToDateDef("x", 7.0, s), 7.0);
}

TEST(TryStrToDate, TwoDigitYearsFollowTheCenturyWindow) {
    TFormatSettings s = WithShortDate("d/m/yyyy", '/');
    const int pivot = CurrentYear() - 50;
    auto yearOf = [&](const char* text) {
        TDateTime d = 0;
        EXPECT_TRUE(TryStrToDate(text, d, s)) << text;
        std::uint16_t y = 0, m = 0, day = 0;
        DecodeDate(d, y, m, day);
        return int(y);
    };
    const int y24 = yearOf("1/1/24");
    EXPECT_EQ(y24 % 100, 24);
    EXPECT_TRUE(y24 >= pivot && y24 < pivot + 100);
    const int y99 = yearOf("1/1/99");
    EXPECT_TRUE(y99 >= pivot && y99 < pivot + 100);
    EXPECT_EQ(yearOf("1/1/0024"), 24);  // four digits are taken as written
    s.TwoDigitYearCenturyWindow = 0;
    EXPECT_EQ(yearOf("1/1/99"), CurrentYear() / 100 * 100 + 99);
    // Two numbers are day and month of this year.
    EXPECT_EQ(yearOf("3/4"), CurrentYear());
}

TEST(TryStrToDate, OrderComesFromShortDateFormat) {
    TDateTime d = 0;
    ASSERT_TRUE(TryStrToDate("2/3/2024", d, WithShortDate("mm/dd/yyyy", '/')));
    EXPECT_EQ(d, EncodeDate(2024, 2, 3));
    ASSERT_TRUE(TryStrToDate("2/3/2024", d, WithShortDate("dd/mm/yyyy", '/')));
    EXPECT_EQ(d, EncodeDate(2024, 3, 2));
    ASSERT_TRUE(TryStrToDate("2024/3/2", d, WithShortDate("yyyy/mm/dd", '/')));
    EXPECT_EQ(d, EncodeDate(2024, 3, 2));
}
