#include "framework/graphics/FontEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <set>
#include <string>

using namespace framework;

namespace {

// The first family name of every installed font that fontconfig's own tool says has the
// character, an expectation found without our code.
std::set<std::string> FamiliesWithCharacter(char32_t c) {
    char command[80];
    std::snprintf(command, sizeof command, "fc-list ':charset=%x' family 2>/dev/null",
                  static_cast<unsigned>(c));
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command, "r"), pclose);
    std::set<std::string> names;
    std::array<char, 512> buf{};
    while (pipe && fgets(buf.data(), buf.size(), pipe.get())) {
        std::string line = buf.data();
        line = line.substr(0, std::min(line.find(','), line.find('\n')));
        if (!line.empty())
            names.insert(line);
    }
    return names;
}

TEST(FontsForText, LatinGreekAndHebrewTogether) {
    const TTextCoverage c = FontsForText("Hello κόσμε שלום");
    EXPECT_EQ(c.Characters.size(), 14u);  // the repeated l once, the space once
    EXPECT_TRUE(c.Unshown.empty());
    const std::vector<std::string> complete = c.Complete();
    EXPECT_NE(std::find(complete.begin(), complete.end(), "DejaVu Sans"), complete.end());
    ASSERT_FALSE(c.Fonts.empty());
    EXPECT_EQ(c.Fonts.front().Shown, 14);
    EXPECT_TRUE(
        std::is_sorted(c.Fonts.begin(), c.Fonts.end(),
                       [](const TFontCoverage& a, const TFontCoverage& b) { return a.Shown > b.Shown; }));
}

TEST(FontsForText, AgreesWithFontconfigsOwnListing) {
    for (const auto& [c, text] :
         {std::pair<char32_t, std::string>{0x05D0, "א"}, {0x03B1, "α"}, {U'A', "A"}}) {
        const std::vector<std::string> found = FontsForText(text).Complete();
        const std::set<std::string> want = FamiliesWithCharacter(c);
        ASSERT_FALSE(want.empty());
        EXPECT_EQ(std::set<std::string>(found.begin(), found.end()), want) << text;
    }
}

TEST(FontsForText, NamesWhatNoFontShowsInTextOrder) {
    // Two code points of a private-use plane that no installed font fills, around plain letters.
    const TTextCoverage c = FontsForText("a\U0010FFFD b\U0010FFFC a");
    EXPECT_EQ(c.Unshown, (std::vector<char32_t>{0x10FFFD, 0x10FFFC}));
    EXPECT_TRUE(c.Complete().empty());
    ASSERT_FALSE(c.Fonts.empty());
    EXPECT_EQ(c.Fonts.front().Shown, 3);  // a, space and b
}

TEST(FontsForText, ControlCharactersAndEmptyTextsAskNothing) {
    EXPECT_EQ(FontsForText("a\tb\r\n").Characters, (std::vector<char32_t>{U'a', U'b'}));
    const TTextCoverage none = FontsForText("\n");
    EXPECT_TRUE(none.Characters.empty() && none.Fonts.empty() && none.Unshown.empty());
}

}  // namespace
