#include "framework/controls/EditText.h"

#include <gtest/gtest.h>

using namespace framework;

namespace {
// Every boundary from the start, by NextCharBoundary.
std::vector<std::size_t> forward(std::string_view s) {
    std::vector<std::size_t> out{0};
    for (std::size_t p = 0; p < s.size();)
        out.push_back(p = NextCharBoundary(s, p));
    return out;
}
std::vector<std::size_t> backward(std::string_view s) {
    std::vector<std::size_t> out{s.size()};
    for (std::size_t p = s.size(); p > 0;)
        out.insert(out.begin(), p = PrevCharBoundary(s, p));
    return out;
}
}  // namespace

TEST(EditTextCharacters, MarksModifiersAndJoinersStayWithTheirBase) {
    const std::string e = "e\xCC\x81x";  // e + combining acute, x
    EXPECT_EQ(forward(e), (std::vector<std::size_t>{0, 3, 4}));
    const std::string hebrew = "\xD7\xA9\xD7\x81\xD6\xB8\xD7\x9C";  // shin + shin dot + qamats, lamed
    EXPECT_EQ(forward(hebrew), (std::vector<std::size_t>{0, 6, 8}));
    const std::string family = "\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9"
                               "a";  // man ZWJ woman, a
    EXPECT_EQ(forward(family), (std::vector<std::size_t>{0, 11, 12}));
    const std::string thumb = "\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD";  // thumbs up + skin tone
    EXPECT_EQ(CharCount(thumb), 1u);
    const std::string flags = "\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7";  // DE FR
    EXPECT_EQ(forward(flags), (std::vector<std::size_t>{0, 8, 16}));
    for (const std::string& s : {e, hebrew, family, thumb, flags})
        EXPECT_EQ(backward(s), forward(s)) << s;
}

TEST(EditTextCharacters, NoBoundaryFallsInsideACodePoint) {
    const std::string s = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // a é € 😀
    for (std::size_t p = 0; p <= s.size(); ++p) {
        const std::size_t b = CharBoundaryAtOrBefore(s, p);
        EXPECT_LE(b, p);
        EXPECT_TRUE(b == s.size() || (static_cast<unsigned char>(s[b]) & 0xC0) != 0x80) << p;
    }
    EXPECT_EQ(CharBoundaryAtOrBefore(s, 2), 1u);
    EXPECT_EQ(PrevCharBoundary(s, 0), 0u);
    EXPECT_EQ(NextCharBoundary(s, s.size()), s.size());
}

TEST(EditTextWords, CtrlMovesStopAtWordStartsAndSkipSpaces) {
    const std::string s = "the  whale, \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D end";
    EXPECT_EQ(NextWordBoundary(s, 0), 5u);    // over "the" and both spaces
    EXPECT_EQ(NextWordBoundary(s, 5), 10u);   // "whale", stops at the comma
    EXPECT_EQ(NextWordBoundary(s, 10), 12u);  // the comma and its space
    EXPECT_EQ(NextWordBoundary(s, 12), 21u);  // the Hebrew word is a word
    EXPECT_EQ(PrevWordBoundary(s, 21), 12u);
    EXPECT_EQ(PrevWordBoundary(s, 5), 0u);
    EXPECT_EQ(PrevWordBoundary(s, 0), 0u);
    std::size_t a = 0, b = 0;
    WordAround(s, 7, a, b);
    EXPECT_EQ(s.substr(a, b - a), "whale");
    WordAround(s, s.size(), a, b);
    EXPECT_EQ(s.substr(a, b - a), "end");
    WordAround("", 0, a, b);
    EXPECT_EQ(a, 0u);
    EXPECT_EQ(b, 0u);
}

TEST(EditTextIncoming, BreaksBecomeLinefeedsAndBrokenBytesAreReplaced) {
    EXPECT_EQ(CleanIncomingText("a\r\nb\rc\nd", true), "a\nb\nc\nd");
    EXPECT_EQ(CleanIncomingText("a\r\nb", false), "a");
    EXPECT_EQ(CleanIncomingText("\nb", false), "");
    EXPECT_EQ(CleanIncomingText(std::string("x\0y", 3), true), "x\xEF\xBF\xBDy");
    EXPECT_EQ(CleanIncomingText("x\xFF\xC3y", true), "x\xEF\xBF\xBD\xEF\xBF\xBDy");
    EXPECT_EQ(CleanIncomingText("\xF0\x9F\x98", true), "\xEF\xBF\xBD");  // cut short at the end
}
