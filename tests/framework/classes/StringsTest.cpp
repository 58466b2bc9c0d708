#include "framework/classes/Streams.h"
#include "framework/classes/StringList.h"
#include "framework/platform/FakePlatform.h"
#include "framework/rtl/Exceptions.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace framework;

namespace {

std::string Joined(const TStrings& s) {
    std::string out;
    for (int i = 0; i < s.Count(); ++i)
        out += (i ? "|" : "") + s.Strings(i);
    return out;
}

// --- Sorting, duplicates and case rules -----------------------------------------------------

TEST(StringListSorted, DuplicatesRules) {
    TStringList list;
    list.SetSorted(true);
    EXPECT_EQ(list.Add("b"), 0);
    EXPECT_EQ(list.Add("a"), 0);
    EXPECT_EQ(list.Add("B"), 1);  // dupIgnore: the existing "b", compared without case
    EXPECT_EQ(list.Count(), 2);
    list.SetDuplicates(TDuplicates::dupError);
    EXPECT_THROW(list.Add("A"), EStringListError);
    list.SetDuplicates(TDuplicates::dupAccept);
    list.Add("A");
    EXPECT_EQ(Joined(list), "a|A|b");
    EXPECT_THROW(list.Insert(0, "z"), EStringListError);
    EXPECT_THROW(list.Put(0, "z"), EStringListError);
    EXPECT_THROW(list.Exchange(0, 1), EStringListError);
}

TEST(StringListSorted, FindAndIndexOfFollowCaseSensitivity) {
    TStringList list;
    list.SetCommaText("pear,Apple,fig,apple");
    EXPECT_EQ(list.IndexOf("APPLE"), 1);  // unsorted: first match, no case
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("apple"), 3);
    EXPECT_EQ(list.IndexOf("APPLE"), -1);
    list.SetSorted(true);
    EXPECT_EQ(Joined(list), "apple|Apple|fig|pear");  // the letter order puts small before capital
    int index = -1;
    EXPECT_FALSE(list.Find("banana", index));
    EXPECT_EQ(index, 2);
    list.SetCaseSensitive(false);
    EXPECT_TRUE(list.Find("APPLE", index));
    EXPECT_EQ(index, 0);  // the first of the equal ones
}

TEST(StringListSorted, NonAsciiLettersFoldAndSortDeterministically) {
    TStringList list;
    list.SetSorted(true);
    list.Add("Übel");
    list.Add("zebra");
    list.Add("apfel");
    EXPECT_EQ(list.IndexOf("übel"), list.IndexOf("ÜBEL"));
    EXPECT_GE(list.IndexOf("ÜBEL"), 0);
    EXPECT_EQ(list.Strings(0), "apfel");
}

TEST(StringListSorted, CustomSortSeesIndexesAndKeepsObjects) {
    TStringList list;
    list.AddObject("ccc", TStrings::IntToObject(3));
    list.AddObject("a", TStrings::IntToObject(1));
    list.AddObject("bb", TStrings::IntToObject(2));
    list.CustomSort([](TStringList* l, int a, int b) {
        return static_cast<int>(l->StringRef(a).size()) - static_cast<int>(l->StringRef(b).size());
    });
    EXPECT_EQ(Joined(list), "a|bb|ccc");
    EXPECT_EQ(TStrings::ObjectToInt(list.Objects(2)), 3);
    EXPECT_EQ(list.IndexOfObject(TStrings::IntToObject(2)), 1);
}

// --- Text ------------------------------------------------------------------------------------

TEST(StringListCapacity, ReservesWithoutChangingOrReporting) {
    TStringList list;
    int changes = 0;
    list.OnChange = TNotifyEvent::Lambda([&](TObject*) { ++changes; });
    list.AddObject("a", TStrings::IntToObject(7));
    list.Add("b");
    changes = 0;
    list.SetCapacity(100);
    EXPECT_GE(list.Capacity(), 100);
    list.SetCapacity(2);  // down to exactly what is held
    EXPECT_EQ(list.Capacity(), 2);
    EXPECT_EQ(Joined(list), "a|b");
    EXPECT_EQ(TStrings::ObjectToInt(list.Objects(0)), 7);
    EXPECT_EQ(changes, 0);
    EXPECT_THROW(list.SetCapacity(1), EStringListError);
    EXPECT_EQ(list.Count(), 2);
}

TEST(StringListCapacity, ClearingKeepsTheStoreOnlyWhenAsked) {
    TStringList list;
    int changing = 0, changed = 0;
    list.OnChanging = TNotifyEvent::Lambda([&](TObject*) { ++changing; });
    list.OnChange = TNotifyEvent::Lambda([&](TObject*) { ++changed; });
    list.SetCapacity(5);
    list.ClearKeepingCapacity();  // nothing to clear: no events
    EXPECT_EQ(changing + changed, 0);
    list.Add("a long string that does not fit in place");
    list.Add("b");
    changing = changed = 0;
    list.ClearKeepingCapacity();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 5);
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 1);
    list.Add("c");
    EXPECT_EQ(Joined(list), "c");
    list.Clear();  // Clear itself still gives the store back
    EXPECT_EQ(list.Capacity(), 0);
}

TEST(StringsText, EveryLineEndsWithTheBreak) {
    TStringList list;
    EXPECT_EQ(list.Text(), "");
    list.SetCommaText("b,A,a");
    EXPECT_EQ(list.Text(), "b\nA\na\n");
    list.SetTrailingLineBreak(false);
    EXPECT_EQ(list.Text(), "b\nA\na");
}

TEST(StringsText, CrLfAndCrLfEachEndALine) {
    TStringList list;
    list.SetText("x\ry\r\nz\n\n");
    EXPECT_EQ(Joined(list), "x|y|z|");
    EXPECT_EQ(list.Count(), 4);
    list.SetText("\n");
    EXPECT_EQ(list.Count(), 1);
    list.SetText("last");
    EXPECT_EQ(Joined(list), "last");
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringsText, OtherLineBreakSplitsOnlyOnIt) {
    TStringList list;
    list.SetLineBreak("||");
    list.SetText("a\nb||c||");
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Strings(0), "a\nb");
    EXPECT_EQ(list.Text(), "a\nb||c||");
}

TEST(StringsDelimited, QuotesWhatNeedsIt) {
    TStringList list;
    list.Add("plain");
    list.Add("with space");
    list.Add("say \"hi\"");
    list.Add("");
    EXPECT_EQ(list.CommaText(), "plain,\"with space\",\"say \"\"hi\"\"\",");
    TStringList back;
    back.SetCommaText(list.CommaText());
    EXPECT_TRUE(back.Equals(list));
}

TEST(StringsDelimited, BlanksSeparateUnlessStrict) {
    TStringList list;
    list.SetDelimiter(';');
    list.SetDelimitedText("a b; c ;");
    EXPECT_EQ(Joined(list), "a|b|c|");
    list.SetStrictDelimiter(true);
    list.SetDelimitedText("a b; c ;");
    EXPECT_EQ(Joined(list), "a b| c |");
    list.SetDelimitedText("\"unclosed;x");
    EXPECT_EQ(Joined(list), "unclosed;x");
}

// --- Names and values ----------------------------------------------------------------------

TEST(StringsValues, EmptyValueDeletesTheLine) {
    TStringList list;
    list.SetText("Key=1\nkey=2\nflag\nOther=a=b\n");
    EXPECT_EQ(list.Values("KEY"), "1");
    EXPECT_EQ(list.Values("other"), "a=b");
    EXPECT_EQ(list.Values("flag"), "");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.ValueFromIndex(2), "");
    list.SetValues("key", "");
    EXPECT_EQ(Joined(list), "key=2|flag|Other=a=b");
    list.SetValues("new", "v");
    list.SetValues("Other", "c");
    EXPECT_EQ(Joined(list), "key=2|flag|Other=c|new=v");
    list.SetValues("missing", "");
    EXPECT_EQ(list.Count(), 4);
}

// --- Updates ---------------------------------------------------------------------------------

TEST(StringsUpdate, NestedUpdatesReportOnce) {
    TStringList list;
    int changing = 0, changed = 0;
    list.OnChanging = TNotifyEvent::Lambda([&](TObject*) { ++changing; });
    list.OnChange = TNotifyEvent::Lambda([&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        ++changed;
    });
    list.Add("a");
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 1);
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add("b");
    list.SetText("x\ny\nz");
    list.EndUpdate();
    EXPECT_EQ(changed, 1);
    list.EndUpdate();
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);
    list.EndUpdate();  // unbalanced: ignored
    EXPECT_EQ(list.UpdateCount(), 0);
}

TEST(StringsUpdate, AppenderAddsAtTheEndAsOneChange) {
    TStringList list;
    list.Add("a");
    int changing = 0, changed = 0;
    list.OnChanging = TNotifyEvent::Lambda([&](TObject*) { ++changing; });
    list.OnChange = TNotifyEvent::Lambda([&](TObject*) { ++changed; });
    list.SetCapacity(8);
    const std::string text = "b,a name longer than sixteen bytes,c";
    {
        TStringList::TAppender appender(list);
        EXPECT_EQ(changing, 1);
        EXPECT_EQ(list.UpdateCount(), 1);
        appender.Add(std::string_view(text).substr(0, 1), TStrings::IntToObject(2));
        appender.Add(std::string_view(text).substr(2, 32), nullptr);  // views need no terminator
        appender.Add(std::string_view(text).substr(35), TStrings::IntToObject(-4));
        EXPECT_EQ(changed, 0);
    }
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(list.UpdateCount(), 0);
    EXPECT_EQ(Joined(list), "a|b|a name longer than sixteen bytes|c");
    EXPECT_EQ(TStrings::ObjectToInt(list.Objects(1)), 2);
    EXPECT_EQ(list.Objects(2), nullptr);
    EXPECT_EQ(TStrings::ObjectToInt(list.Objects(3)), -4);
    EXPECT_EQ(list.Capacity(), 8);  // the room reserved was enough, so it stays

    // Within an outer update the appender reports nothing of its own.
    list.BeginUpdate();
    { TStringList::TAppender(list).Add("d", nullptr); }
    EXPECT_EQ(changed, 1);
    list.EndUpdate();
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(Joined(list), "a|b|a name longer than sixteen bytes|c|d");
}

TEST(StringsUpdate, AppenderRefusesASortedListAndLeavesItAlone) {
    TStringList list;
    list.SetSorted(true);
    list.Add("b");
    int changing = 0;
    list.OnChanging = TNotifyEvent::Lambda([&](TObject*) { ++changing; });
    EXPECT_THROW(TStringList::TAppender{list}, EStringListError);
    EXPECT_EQ(list.UpdateCount(), 0);
    EXPECT_EQ(changing, 0);
    list.Add("a");  // still reports, still sorted
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(Joined(list), "a|b");
}

TEST(StringsUpdate, AssignCopiesStringsObjectsAndRules) {
    TStringList source;
    source.SetSorted(true);
    source.SetDuplicates(TDuplicates::dupAccept);
    source.AddObject("b", TStrings::IntToObject(7));
    source.Add("a");
    TStringList copy;
    copy.Add("old");
    copy.Assign(&source);
    EXPECT_EQ(Joined(copy), "a|b");
    EXPECT_TRUE(copy.Sorted());
    EXPECT_EQ(copy.Duplicates(), TDuplicates::dupAccept);
    EXPECT_EQ(TStrings::ObjectToInt(copy.Objects(1)), 7);
    EXPECT_THROW(copy.Assign(nullptr), EConvertError);
}

// --- Files and encodings ---------------------------------------------------------------------

class StringsFile : public ::testing::Test {
protected:
    testsupport::TempFolder dir;
    TStringList list;
};

TEST_F(StringsFile, BomsDecideTheEncodingAndAreKeptForSaving) {
    struct Case {
        std::string bytes;
        const TEncoding* encoding;
    };
    const Case cases[] = {
        {"a\xC3\xA9\nb\n", TEncoding::Default()},
        {"\xEF\xBB\xBF"
         "a\xC3\xA9\nb\n",
         TEncoding::UTF8()},
        {std::string("\xFF\xFE"
                     "a\0\xE9\0\n\0b\0\n\0",
                     12),
         TEncoding::Unicode()},
        {std::string("\xFE\xFF\0a\0\xE9\0\n\0b\0\n", 12), TEncoding::BigEndianUnicode()},
    };
    for (const Case& c : cases) {
        const std::string path = dir.Write("in.txt", c.bytes);
        list.LoadFromFile(path);
        EXPECT_EQ(Joined(list), "a\xC3\xA9|b");
        EXPECT_EQ(list.Encoding(), c.encoding);
        list.SaveToFile(dir.Path("out.txt"));
        EXPECT_EQ(dir.Read("out.txt"), c.bytes);
    }
}

TEST_F(StringsFile, NewListSavesUtf8WithoutMark) {
    list.Add("\xC3\xA9");
    list.SaveToFile(dir.Path("new.txt"));
    EXPECT_EQ(dir.Read("new.txt"), "\xC3\xA9\n");
}

TEST_F(StringsFile, BrokenTextDecodesWithReplacementCharacters) {
    const std::string fffd = "\xEF\xBF\xBD";
    // A UTF-16 file cut off in the middle: an odd byte, and a lone high surrogate before it.
    list.LoadFromFile(dir.Write("cut.txt", std::string("\xFF\xFEo\0k\0\x3D\xD8X", 9)));
    EXPECT_EQ(Joined(list), "ok" + fffd + fffd);
    list.LoadFromFile(dir.Write("lone.txt", std::string("\xFE\xFF\xDC\x00\0a", 6)));
    EXPECT_EQ(Joined(list), fffd + "a");
    // Invalid UTF-8: a stray continuation byte, a cut sequence, an overlong form.
    list.LoadFromFile(dir.Write("bad.txt", "a\x80"
                                           "b\xE2\x82"
                                           "c\xC0\xAF"));
    EXPECT_EQ(Joined(list), "a" + fffd + "b" + fffd + "c" + fffd + fffd);
}

TEST_F(StringsFile, MissingFileAndFailedSaveRaise) {
    EXPECT_THROW(list.LoadFromFile(dir.Path("missing.txt")), EFOpenError);
    const std::string path = dir.Write("keep.txt", "old\n");
    platform::FakePlatform fake;
    platform::ScopedPlatform scoped(fake);
    fake.FailWriteAt(platform::WriteStep::Write, ENOSPC);
    list.Add("new");
    EXPECT_THROW(list.SaveToFile(path), EFCreateError);
    EXPECT_EQ(dir.Read("keep.txt"), "old\n");
}

TEST_F(StringsFile, StreamsRoundTripUtf16) {
    list.SetText("one\ntwo\xE2\x82\xAC");
    TMemoryStream stream;
    list.SaveToStream(stream, TEncoding::BigEndianUnicode());
    EXPECT_EQ(stream.Size(), 2 + 2 * 9);
    TStringList back;
    stream.SetPosition(0);
    back.LoadFromStream(stream);
    EXPECT_TRUE(back.Equals(list));
    EXPECT_EQ(back.Encoding(), TEncoding::BigEndianUnicode());
}

}  // namespace
