#include "framework/rtl/Format.h"
#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace framework;

TEST(FormatIntegers, PrecisionPadsDigitsAfterTheSign) {
    EXPECT_EQ(Format("%.3d", {1}), "001");
    EXPECT_EQ(Format("%.3d", {-7}), "-007");
    EXPECT_EQ(Format("%6.3d", {7}), "   007");
    EXPECT_EQ(Format("%5d|%-5d|", {-7, 42}), "   -7|42   |");
    EXPECT_EQ(Format("%d", {std::int64_t{-9223372036854775807} - 1}), "-9223372036854775808");
    EXPECT_EQ(Format("%d", {-2147483647 - 1}), "-2147483648");
}

TEST(FormatIntegers, HexShowsThirtyTwoBitTwosComplement) {
    EXPECT_EQ(Format("%x", {-1}), "FFFFFFFF");
    EXPECT_EQ(Format("%.8x", {-16777211}), "FF000005");
    EXPECT_EQ(Format("%.8x", {255}), "000000FF");
    EXPECT_EQ(Format("%.2x", {4095}), "FFF");
    EXPECT_EQ(Format("%x", {std::int64_t{-1}}), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(Format("%u", {-1}), "4294967295");
    EXPECT_EQ(Format("%u", {4000000000u}), "4000000000");
}

TEST(FormatFloats, NumberInsertsThousandsInTheIntegerPartOnly) {
    EXPECT_EQ(Format("%.2n", {1234.5}), "1,234.50");
    EXPECT_EQ(Format("%.2n", {-1234.5}), "-1,234.50");
    EXPECT_EQ(Format("%.2n", {1234567.125}), "1,234,567.13");
    EXPECT_EQ(Format("%n", {999.999}), "1,000.00");
    EXPECT_EQ(Format("%.0n", {123456.0}), "123,456");
    EXPECT_EQ(Format("%.2n", {0.5}), "0.50");
}

TEST(FormatFloats, NumberUsesTheGivenSeparators) {
    TFormatSettings german = TFormatSettings::Create();
    german.DecimalSeparator = ',';
    german.ThousandSeparator = '.';
    EXPECT_EQ(Format("%.2n", {1234567.5}, german), "1.234.567,50");
    EXPECT_EQ(Format("%.1f", {-0.25}, german), "-0,3");
    german.ThousandSeparator = '\0';
    EXPECT_EQ(Format("%.2n", {1234567.5}, german), "1234567,50");
}

TEST(FormatFloats, RoundsHalfAwayFromZeroOnTheExactBinaryValue) {
    EXPECT_EQ(Format("%.2n", {0.125}), "0.13");
    EXPECT_EQ(Format("%.0n", {2.5}), "3");
    EXPECT_EQ(Format("%.1f", {0.25}), "0.3");
    EXPECT_EQ(Format("%.0f", {-2.5}), "-3");
    // These doubles lie just below the half, so they round down.
    EXPECT_EQ(Format("%.2n", {129809.495}), "129,809.49");
    EXPECT_EQ(Format("%.2f", {1.005}), "1.00");
    // Rounding to zero drops the sign.
    EXPECT_EQ(Format("%.2f", {-0.001}), "0.00");
}

TEST(FormatFloats, FixedExponentAndGeneral) {
    EXPECT_EQ(Format("%f", {3.14159}), "3.14");
    EXPECT_EQ(Format("%.2f", {1e20}), "100000000000000000000.00");
    EXPECT_EQ(Format("%e", {1234.5}), "1.23450000000000E+003");
    EXPECT_EQ(Format("%.3e", {-0.00012345}), "-1.23E-004");
    EXPECT_EQ(Format("%g", {0.5}), "0.5");
    EXPECT_EQ(Format("%g", {1e20}), "1E020");
    EXPECT_EQ(Format("%f", {1.0 / 0.0}), "INF");
    EXPECT_EQ(Format("%8.1f|", {2.25}), "     2.3|");
}

TEST(FormatStrings, PrecisionCutsAndWidthPadsInCharacters) {
    EXPECT_EQ(Format("%s", {"abc"}), "abc");
    EXPECT_EQ(Format("%.2s", {"abc"}), "ab");
    EXPECT_EQ(Format("%.2s", {"äöü"}), "äö");
    EXPECT_EQ(Format("%4s|%-4s|", {"ä", 'x'}), "   ä|x   |");
    EXPECT_EQ(Format("100%%", {}), "100%");
}

TEST(FormatArguments, IndexesAndStars) {
    EXPECT_EQ(Format("%1:s %0:s %s", {"a", "b", "c"}), "b a b");
    EXPECT_EQ(Format("%*d|", {5, 42}), "   42|");
    EXPECT_EQ(Format("%-*d|", {4, 7}), "7   |");
    EXPECT_EQ(Format("%.*f", {3, 2.0}), "2.000");
    const std::vector<TVarRec> args{12, std::string("x")};
    EXPECT_EQ(Format("%d: %s", args), "12: x");
}

TEST(FormatErrors, MismatchesRaiseConvertError) {
    try {
        Format("%d", {1.5});
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Format '%d' invalid or incompatible with argument");
    }
    EXPECT_THROW(Format("%f", {1}), EConvertError);
    EXPECT_THROW(Format("%n", {1}), EConvertError);
    EXPECT_THROW(Format("%s", {1}), EConvertError);
    EXPECT_THROW(Format("%x", {'a'}), EConvertError);
    EXPECT_THROW(Format("%*d", {"5", 1}), EConvertError);
    EXPECT_THROW(Format("%q", {1}), EConvertError);
    EXPECT_THROW(Format("abc%", {}), EConvertError);
    EXPECT_THROW(Format("%d %d", {1}), EConvertError);
    EXPECT_THROW(Format("%5:d", {1}), EConvertError);
}

TEST(FormatErrors, HugeWidthIsRefusedNotAllocated) {
    EXPECT_THROW(Format("%999999999d", {1}), EConvertError);
    EXPECT_THROW(Format("%.99999999999999999999f", {1.0}), EConvertError);
    EXPECT_THROW(Format("%*d", {1 << 30, 1}), EConvertError);
}

TEST(FormatSettingsGlobal, OverloadsWithoutSettingsReadTheGlobal) {
    const TFormatSettings saved = FormatSettings;
    FormatSettings.DecimalSeparator = ',';
    FormatSettings.ThousandSeparator = ' ';
    const std::string text = Format("%.1n", {1234.25});
    const TFormatSettings invariant = TFormatSettings::Invariant();
    FormatSettings = saved;
    EXPECT_EQ(text, "1 234,3");
    EXPECT_EQ(invariant.DecimalSeparator, '.');
    EXPECT_EQ(Format("%.1n", {1234.25}, invariant), "1,234.3");
}
