#include "sibling/File_utils.h"
#include "sibling/My_advcombou.h"
#include "sibling/My_string_functions.h"

#include "support/FormFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace sibling;

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
}

TEST(PasswordCoding, JunkGivesNothing) {
    for (const char* junk : {"12", "12a", "999", "-12345", "plain password", "256000", "/00", ":00", "00/",
                             "09:", "100 00", "100:00"})
        EXPECT_EQ(FromNumStr(junk), "") << junk;
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
