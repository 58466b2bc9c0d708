#include "sibling/File_utils.h"
#include "sibling/My_advcombou.h"
#include "sibling/My_string_functions.h"
#include "sibling/Useful_classes.h"

#include "support/FormFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string_view>

using namespace sibling;

TEST(CardinalList, KeepsAddedOrderUntilSortedAndGuardsItsIndexes) {
    TCardinalList list;
    EXPECT_EQ(list.AddOne(0xFFFFFFFFu), 0);  // the whole unsigned range, not a signed one
    EXPECT_EQ(list.AddOne(7), 1);
    EXPECT_EQ(list.AddOne(7), 2);
    EXPECT_EQ(list.Items(0), 0xFFFFFFFFu);
    list.SortAscendingDefault();
    EXPECT_EQ(list.Values(), (std::vector<std::uint32_t>{7, 7, 0xFFFFFFFFu}));
    EXPECT_THROW(list.Items(3), framework::EListError);
    EXPECT_THROW(list.Items(-1), framework::EListError);
}

TEST(PasswordCoding, RoundTripsWithoutShowingThePassword) {
    for (std::string pwd : {std::string(), std::string("a"), std::string("aaaaaaaa"),
                            std::string("pässwörd ✓"), std::string("\0\xFF\x01", 3), std::string(300, 'z')}) {
        const std::string coded = PwdToNumStr(pwd);
        EXPECT_EQ(FromNumStr(coded), pwd);
        EXPECT_EQ(coded.find_first_not_of("0123456789"), std::string::npos);
        if (pwd.size() > 2) {
            EXPECT_EQ(coded.find(pwd), std::string::npos);
        }
    }
    // Repeated letters do not give repeated numbers.
    const std::string coded = PwdToNumStr("aaaa");
    EXPECT_NE(coded.substr(0, 3), coded.substr(3, 3));
    // Files already written hold this coding; a kept buffer is overwritten, not appended to.
    std::string buffer = "stale text that is longer";
    PwdToNumStr("ab", buffer);
    EXPECT_EQ(buffer, "059029");
    EXPECT_EQ(PwdToNumStr("ab"), "059029");
}

TEST(PasswordCoding, JunkGivesNothing) {
    for (const char* junk : {"12", "12a", "999", "-12345", "plain password", "256000", "/00", ":00", "00/",
                             "09:", "100 00", "100:00"})
        EXPECT_EQ(FromNumStr(junk), "") << junk;
}

namespace {

// The decoding as it was first written: a number at a time, each checked on its own.
std::string FromNumStrAsFirstWritten(std::string_view NumStr) {
    if (NumStr.size() % 3 != 0)
        return {};
    std::string out(NumStr.size() / 3, '\0');
    for (std::size_t n = 0; n < out.size(); ++n) {
        const auto d0 = static_cast<unsigned>(NumStr[3 * n] - '0');
        const auto d1 = static_cast<unsigned>(NumStr[3 * n + 1] - '0');
        const auto d2 = static_cast<unsigned>(NumStr[3 * n + 2] - '0');
        if (d0 > 9 || d1 > 9 || d2 > 9)
            return {};
        const unsigned v = d0 * 100 + d1 * 10 + d2;
        if (v > 255)
            return {};
        out[n] = static_cast<char>(v ^ static_cast<std::uint8_t>(0x5A + 37 * n + ((n * n) >> 1)));
    }
    return out;
}

}  // namespace

TEST(PasswordCoding, DecodesEveryRunAsBefore) {
    std::mt19937 random(7);
    const auto below = [&random](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    // Bytes around the digits, and the high ones, are where a quick check would slip.
    const std::string odd = std::string("/:;@ \x00\x7F\x80\xB0\xBA\xFF\x10\x20\x2A", 14) + "aA";
    for (int round = 0; round < 20000; ++round) {
        std::string run;
        const std::size_t numbers = below(40);
        for (std::size_t n = 0; n < numbers; ++n) {
            const unsigned v =
                below(8) == 0 ? static_cast<unsigned>(256 + below(744)) : static_cast<unsigned>(below(256));
            run += std::to_string(1000 + v).substr(1);
        }
        if (!run.empty() && below(3) == 0)
            run[below(run.size())] = odd[below(odd.size())];
        if (below(10) == 0)
            run.push_back(static_cast<char>('0' + below(10)));
        ASSERT_EQ(FromNumStr(run), FromNumStrAsFirstWritten(run)) << run;
    }
    // Every position of a run of eight numbers, with every byte there.
    const std::string good = PwdToNumStr("abcdefgh");
    for (std::size_t at = 0; at < good.size(); ++at)
        for (int b = 0; b < 256; ++b) {
            std::string run = good;
            run[at] = static_cast<char>(b);
            ASSERT_EQ(FromNumStr(run), FromNumStrAsFirstWritten(run)) << at << ' ' << b;
        }
}

TEST(StringList, SeparatorOnlyBetweenEntries) {
    std::string line;
    AddToListWithSeparatorIfNeeded(line, "a", "\t");
    AddToListWithSeparatorIfNeeded(line, "b", "\t");
    EXPECT_EQ(line, "a\tb");
}

TEST(FileChecks, UnreachableThingsDoNotExist) {
    testsupport::TempFolder tmp;
    const std::string file = tmp.Write("f.txt", "x");
    EXPECT_TRUE(DriveAndFileExist(file));
    EXPECT_FALSE(DriveAndFolderExist(file));
    EXPECT_TRUE(DriveAndFolderExist(tmp.Root()));
    EXPECT_FALSE(DriveAndFileExist(tmp.Root()));
    for (const std::string& bad : {std::string(), std::string("/no/such/mount/x"), std::string("a\0b", 3),
                                   std::string(100000, 'a'), file + "/inside"}) {
        EXPECT_FALSE(DriveAndFileExist(bad));
        EXPECT_FALSE(DriveAndFolderExist(bad));
    }
}

TEST(FilterCombo, BuildsListsAndFindsMasks) {
    auto form = testsupport::MakeForm();
    auto* combo = framework::Create<TmyAdvFilterCombo>(form.get());
    combo->SetFilter("Text files|*.txt|Corpora|*.cor;*.crp|dangling");
    combo->BuildList();
    EXPECT_EQ(combo->Items()->Text(), "Text files\nCorpora\n");
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->GetAFileMask(1), "*.cor;*.crp");
    EXPECT_EQ(combo->GetAFileMask(2), "");
    combo->InsertLastText("*.xyz");
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->GetAFileMask(0), "*.xyz");
    EXPECT_EQ(combo->Text(), "*.xyz");
}
