#include "framework/rtl/StrUtils.h"
#include "framework/rtl/Unicode.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using namespace framework;

TEST(SameText, FoldsAsciiOnly) {
    EXPECT_TRUE(SameText("abc", "ABC"));
    EXPECT_FALSE(SameText("Äb", "äB"));
    EXPECT_FALSE(SameText("abc", "abcd"));
    EXPECT_TRUE(SameText("", ""));
    EXPECT_EQ(UpperCase("aä"), "Aä");
    EXPECT_EQ(LowerCase("AÄ"), "aÄ");
}

TEST(CompareText, ComparesAsUpperCase) {
    EXPECT_EQ(CompareText("abc", "ABD"), -1);
    EXPECT_EQ(CompareText("ABC", "abc"), 0);
    EXPECT_EQ(CompareText("ab", "ABC"), -1);
    EXPECT_GT(CompareText("a_", "AB"), 0);  // '_' sorts after the capitals
    EXPECT_GT(CompareStr("a", "B"), 0);
}

TEST(AnsiCase, LatinGreekAndCyrillic) {
    EXPECT_EQ(AnsiUpperCase("äöüÿ éñ"), "ÄÖÜŸ ÉÑ");
    EXPECT_EQ(AnsiLowerCase("ÄÖÜŸ ÉÑ"), "äöüÿ éñ");
    EXPECT_EQ(AnsiUpperCase("ßµ×÷"), "ßµ×÷");  // no one-letter capitals, and signs stay
    EXPECT_EQ(AnsiUpperCase("łńżčőŀ"), "ŁŃŻČŐĿ");
    EXPECT_EQ(AnsiLowerCase("ŁŃŻČŐĿ"), "łńżčőŀ");
    EXPECT_EQ(AnsiUpperCase("αβγ άέώ ς"), "ΑΒΓ ΆΈΏ Σ");
    EXPECT_EQ(AnsiLowerCase("ΑΒΓ ΆΈΏ"), "αβγ άέώ");
    EXPECT_EQ(AnsiUpperCase("привет ёђ ґ"), "ПРИВЕТ ЁЂ Ґ");
    EXPECT_EQ(AnsiLowerCase("ПРИВЕТ ЁЂ Ґ"), "привет ёђ ґ");
    EXPECT_EQ(AnsiUpperCase("a\xFF b"), "A\xFF B");  // broken bytes are kept
}

TEST(AnsiCompareText, APlainPrefixChangesNoAnswer) {
    const std::pair<std::string, std::string> pairs[] = {{"Äpfel", "äPFEL"}, {"a", "ä"},    {"ä", "b"},
                                                         {"Zürich", "zz"},   {"ab", "abc"}, {"x", "X"},
                                                         {"É", "e"},         {"", ""}};
    for (const auto& [a, b] : pairs) {
        EXPECT_EQ(AnsiCompareText("same " + a, "same " + b), AnsiCompareText(a, b)) << a << ' ' << b;
        EXPECT_EQ(AnsiCompareText("mixed " + a, "MIXED " + b), AnsiCompareText(a, b)) << a << ' ' << b;
        EXPECT_EQ(AnsiCompareStr("same " + a, "same " + b), AnsiCompareStr(a, b)) << a << ' ' << b;
    }
}

TEST(AnsiCompareText, IgnoresCaseAndOrdersAccentsNextToTheirLetter) {
    EXPECT_TRUE(AnsiSameText("Äpfel", "äPFEL"));
    EXPECT_TRUE(AnsiSameText("ΣΟΦΙΑ", "σοφια"));
    EXPECT_FALSE(AnsiSameText("apfel", "äpfel"));
    EXPECT_LT(AnsiCompareText("a", "ä"), 0);
    EXPECT_LT(AnsiCompareText("ä", "b"), 0);
    EXPECT_LT(AnsiCompareText("Zürich", "zz"), 0);
    EXPECT_LT(AnsiCompareText("ab", "abc"), 0);
    EXPECT_LT(AnsiCompareStr("a", "A"), 0);
    EXPECT_LT(AnsiCompareStr("A", "b"), 0);
    EXPECT_NE(AnsiCompareStr("a\xFF", "a\xFE"), 0);
}

// Plain ASCII orders by its upper case, then (case-sensitively) lower case before upper, at
// the first place where the texts differ so.
TEST(AnsiCompareText, AsciiOrdersByUpperCaseThenLowerBeforeUpper) {
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    for (int x = 1; x < 128; ++x)
        for (int y = 1; y < 128; ++y) {
            const char cx = static_cast<char>(x), cy = static_cast<char>(y);
            const std::string a = std::string("k") + cx + "m", b = std::string("K") + cy + "M";
            const int primary = sign(upper(cx) - upper(cy));
            EXPECT_EQ(sign(AnsiCompareText(a, b)), primary) << x << ' ' << y;
            // a starts lower case, b upper case: with the same upper case, a sorts first.
            EXPECT_EQ(sign(AnsiCompareStr(a, b)), primary != 0 ? primary : -1) << x << ' ' << y;
            EXPECT_EQ(sign(AnsiCompareText(a + "\u00e9", b + "\u00c9")), primary) << x << ' ' << y;
        }
}

TEST(Trim, RemovesControlsAndBlanksOnly) {
    EXPECT_EQ(Trim(" \t\r\n x y \x01"), "x y");
    EXPECT_EQ(TrimLeft("  x  "), "x  ");
    EXPECT_EQ(TrimRight("  x  "), "  x");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim("\xC2\xA0x"), "\xC2\xA0x");  // a no-break space is not a control
}

TEST(StringReplace, FlagsAndCaseFolding) {
    EXPECT_EQ(StringReplace("aXaXa", "X", "yy"), "ayyaXa");
    EXPECT_EQ(StringReplace("aXaXa", "X", "yy", {rfReplaceAll}), "ayyayya");
    EXPECT_EQ(StringReplace("aXaxa", "x", "-", {rfReplaceAll}), "aXa-a");
    EXPECT_EQ(StringReplace("aXaxa", "x", "-", {rfReplaceAll, rfIgnoreCase}), "a-a-a");
    EXPECT_EQ(StringReplace("Grüße GRÜSSE", "ü", "ue", {rfIgnoreCase, rfReplaceAll}), "Grueße GRueSSE");
    EXPECT_EQ(StringReplace("aaa", "aa", "a", {rfReplaceAll}), "aa");
    EXPECT_EQ(StringReplace("abc", "", "x", {rfReplaceAll}), "abc");
    EXPECT_EQ(StringReplace("ſ and S", "s", "z", {rfReplaceAll, rfIgnoreCase}), "z and z");
}

TEST(QuotedStr, DoublesInnerQuotesAndReadsBack) {
    EXPECT_EQ(QuotedStr("It's"), "'It''s'");
    EXPECT_EQ(QuotedStr(""), "''");
    EXPECT_EQ(AnsiDequotedStr("'It''s' tail", '\''), "It's");
    EXPECT_EQ(AnsiDequotedStr("''", '\''), "");
    EXPECT_EQ(AnsiDequotedStr("plain", '\''), "plain");
    EXPECT_EQ(AnsiDequotedStr(AnsiQuotedStr("a\"b", '"'), '"'), "a\"b");
}

TEST(Utf8, LengthCopyAndValidation) {
    EXPECT_EQ(Utf8Length("aä€😀"), 4u);
    EXPECT_EQ(Utf8Copy("aä€😀", 1, 2), "ä€");
    EXPECT_EQ(Utf8Copy("ab", 5, 2), "");
    EXPECT_TRUE(IsValidUtf8("aä€😀"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong '/'
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // a surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));          // cut short
    // Long ASCII runs are passed in words: a bad byte right after or inside one still counts.
    EXPECT_FALSE(IsValidUtf8("abcdefgh\xFF"));
    EXPECT_FALSE(IsValidUtf8("abcdefghijk\xC0\xAFlmnopqrstu"));
    EXPECT_FALSE(IsValidUtf8("abcdefghijklmnop\xE2\x82"));
    EXPECT_TRUE(IsValidUtf8("abcdefg\xE2\x82\xAC"
                            "abcdefghijklmnop"));
    EXPECT_EQ(Utf8Repair("a\xE2\x82z\xFF"), "a\xEF\xBF\xBDz\xEF\xBF\xBD");
    EXPECT_EQ(Utf8Length("a\xE2\x82z"), 3u);
}

TEST(Utf8, Utf16ConversionReplacesBrokenInput) {
    const std::u16string wide = Utf8ToUtf16("aä€😀");
    EXPECT_EQ(wide, (std::u16string{u'a', 0xE4, 0x20AC, 0xD83D, 0xDE00}));
    EXPECT_EQ(Utf16ToUtf8(wide), "aä€😀");
    EXPECT_EQ(Utf16ToUtf8(std::u16string{u'x', 0xD800, u'y'}), "x\xEF\xBF\xBDy");
    EXPECT_EQ(Utf16ToUtf8(std::u16string{0xDC00}), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf8ToUtf16("\xFF"), std::u16string{0xFFFD});
}
