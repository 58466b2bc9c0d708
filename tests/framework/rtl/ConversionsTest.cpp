#include "framework/rtl/Exceptions.h"
#include "framework/rtl/FloatConv.h"
#include "framework/rtl/IntConv.h"
#include "framework/rtl/Rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace framework;

namespace {

bool ParsesTo(const char* text, int expected) {
    int v = 12345;
    return TryStrToInt(text, v) && v == expected;
}

bool Rejected(const char* text) {
    int v = 12345;
    return !TryStrToInt(text, v) && v == 12345;
}

}  // namespace

TEST(TryStrToInt, RangeEdges) {
    EXPECT_TRUE(ParsesTo("2147483647", 2147483647));
    EXPECT_TRUE(ParsesTo("-2147483648", -2147483647 - 1));
    EXPECT_TRUE(Rejected("2147483648"));
    EXPECT_TRUE(Rejected("-2147483649"));
    EXPECT_TRUE(Rejected("99999999999999999999999"));
}

TEST(TryStrToInt, HexFillsThirtyTwoBits) {
    EXPECT_TRUE(ParsesTo("$FFFFFFFF", -1));
    EXPECT_TRUE(ParsesTo("$ff", 255));
    EXPECT_TRUE(ParsesTo("0xFF", 255));
    EXPECT_TRUE(ParsesTo("x1F", 31));
    EXPECT_TRUE(ParsesTo("-$10", -16));
    EXPECT_TRUE(ParsesTo("$80000000", -2147483647 - 1));
    EXPECT_TRUE(Rejected("$100000000"));
    EXPECT_TRUE(Rejected("$"));
    EXPECT_TRUE(Rejected("0x"));
    EXPECT_TRUE(Rejected("$G"));
}

TEST(TryStrToInt, BlanksSignsAndJunk) {
    EXPECT_TRUE(ParsesTo(" 12", 12));
    EXPECT_TRUE(ParsesTo("+12", 12));
    EXPECT_TRUE(ParsesTo("012", 12));
    EXPECT_TRUE(Rejected("12 "));
    EXPECT_TRUE(Rejected(""));
    EXPECT_TRUE(Rejected(" "));
    EXPECT_TRUE(Rejected("-"));
    EXPECT_TRUE(Rejected("1.0"));
    EXPECT_TRUE(Rejected("1e3"));
    EXPECT_TRUE(Rejected("- 1"));
    EXPECT_TRUE(Rejected("&17"));
}

TEST(TryStrToInt, NineAndTenDigits) {
    EXPECT_TRUE(ParsesTo("999999999", 999999999));
    EXPECT_TRUE(ParsesTo("000000007", 7));
    EXPECT_TRUE(ParsesTo("1234567890", 1234567890));
    EXPECT_TRUE(Rejected("12345678a"));
    EXPECT_TRUE(Rejected("1/"));
    EXPECT_TRUE(Rejected(":1"));
    std::int64_t v = 0;
    EXPECT_TRUE(TryStrToInt64("123456789", v));
    EXPECT_EQ(v, 123456789);
}

TEST(TryStrToInt64, RangeAndHex) {
    std::int64_t v = 0;
    EXPECT_TRUE(TryStrToInt64("-9223372036854775808", v));
    EXPECT_EQ(v, std::numeric_limits<std::int64_t>::min());
    EXPECT_FALSE(TryStrToInt64("9223372036854775808", v));
    EXPECT_TRUE(TryStrToInt64("$FFFFFFFFFFFFFFFF", v));
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(TryStrToInt64("$FFFFFFFF", v));
    EXPECT_EQ(v, 4294967295);
}

TEST(StrToInt, RaisesWithTheText) {
    EXPECT_EQ(StrToInt("-42"), -42);
    try {
        StrToInt("abc");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }
    EXPECT_THROW(StrToInt64("12x"), EConvertError);
    EXPECT_EQ(StrToIntDef("x", 7), 7);
    EXPECT_EQ(StrToInt64Def("", -3), -3);
}

TEST(IntToHex, DigitsAndTwosComplement) {
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(std::int64_t{-2}, 1), "FFFFFFFFFFFFFFFE");
    EXPECT_EQ(IntToHex(0, 0), "0");
    EXPECT_EQ(IntToHex(1, 1000).size(), 32u);
    EXPECT_EQ(IntToStr(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(IntToHex(-1), "FFFFFFFF");
}

TEST(StrToFloat, OnlyTheSettingsDecimalSeparator) {
    TFormatSettings comma = TFormatSettings::Create();
    comma.DecimalSeparator = ',';
    comma.ThousandSeparator = '.';
    double v = 0;
    EXPECT_TRUE(TryStrToFloat("1,5", v, comma));
    EXPECT_EQ(v, 1.5);
    EXPECT_FALSE(TryStrToFloat("1.5", v, comma));
    EXPECT_TRUE(TryStrToFloat("1.5", v));
    EXPECT_EQ(v, 1.5);
    EXPECT_FALSE(TryStrToFloat("1,5", v));
    EXPECT_FALSE(TryStrToFloat("1,000.5", v));
}

TEST(StrToFloat, Grammar) {
    const auto parse = [](const char* s) {
        double v = -99;
        return TryStrToFloat(s, v) ? v : std::nan("");
    };
    EXPECT_EQ(parse(".5"), 0.5);
    EXPECT_EQ(parse("5."), 5.0);
    EXPECT_EQ(parse("+1.5"), 1.5);
    EXPECT_EQ(parse("-1E+3"), -1000.0);
    EXPECT_EQ(parse("1.5e-2"), 0.015);
    EXPECT_EQ(parse("  2.25  "), 2.25);
    EXPECT_EQ(parse("0.1"), 0.1);
    EXPECT_EQ(parse("1e-400"), 0.0);
    for (const char* bad : {"", ".", "e5", "1e", "1e+", "$10", "INF", "NAN", "1.5.2", "1 5", "0x10", "1e400"})
        EXPECT_TRUE(std::isnan(parse(bad))) << bad;
    EXPECT_THROW(StrToFloat("abc"), EConvertError);
    EXPECT_EQ(StrToFloatDef("abc", 2.5), 2.5);
}

TEST(FloatToStr, FifteenSignificantDigitsGeneral) {
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToStr(1e-5), "0.00001");
    EXPECT_EQ(FloatToStr(1e-6), "1E-6");
    EXPECT_EQ(FloatToStr(-1.5e-7), "-1.5E-7");
    EXPECT_EQ(FloatToStr(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(FloatToStr(1.23456789012345678e17), "1.23456789012346E17");
    EXPECT_EQ(FloatToStr(0.0), "0");
    EXPECT_EQ(FloatToStr(-2.5), "-2.5");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(std::nan("")), "NAN");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
    TFormatSettings comma = TFormatSettings::Create();
    comma.DecimalSeparator = ',';
    EXPECT_EQ(FloatToStr(1.25, comma), "1,25");
}

TEST(FloatToStr, ReadsBackThroughStrToFloat) {
    for (double x : {0.1, 1.0 / 3.0, 123.456, -7.25e-3, 9.87654321e12}) {
        double y = 0;
        ASSERT_TRUE(TryStrToFloat(FloatToStrF(x, ffGeneral, 17, 0), y)) << x;
        EXPECT_EQ(x, y);
    }
}

TEST(FloatToStrF, FixedWithLimitedPrecision) {
    EXPECT_EQ(FloatToStrF(1234.5678, ffFixed, 15, 2), "1234.57");
    EXPECT_EQ(FloatToStrF(1234.5678, ffNumber, 15, 1), "1,234.6");
    EXPECT_EQ(FloatToStrF(123456.0, ffFixed, 3, 2), "1.23E+005");
    EXPECT_EQ(FloatToStrF(0.5, ffExponent, 1, 0), "5E-1");
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(2.4999999999999996), 2);
    EXPECT_EQ(RoundHalfEven(2.5000000000000004), 3);
    EXPECT_EQ(RoundHalfEven(-9223372036854775808.0), std::numeric_limits<std::int64_t>::min());
}

TEST(RoundHalfEven, OutOfRangeRaisesInvalidOp) {
    EXPECT_THROW(RoundHalfEven(9223372036854775808.0), EInvalidOp);
    EXPECT_THROW(RoundHalfEven(std::nan("")), EInvalidOp);
    EXPECT_THROW(RoundHalfEven(1e300), EInvalidOp);
    EXPECT_THROW(Trunc(-std::numeric_limits<double>::infinity()), EInvalidOp);
    EXPECT_EQ(Trunc(-2.7), -2);
    EXPECT_EQ(Trunc(2.7), 2);
}

TEST(IntToHex, WidthFollowsTheArgumentType) {
    EXPECT_EQ(IntToHex(std::int16_t{-1}), "FFFF");
    EXPECT_EQ(IntToHex(std::uint8_t{10}), "0A");
    EXPECT_EQ(IntToHex(-1LL), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(IntToStr(std::uint64_t{18446744073709551615u}), "18446744073709551615");
}
