#include "sibling/Inifilebase.h"

#include "framework/classes/StringList.h"
#include "framework/classes/TypInfo.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <limits>

using namespace framework;
using namespace sibling;

namespace {

// Values that plain ini text would change, and values it must leave exactly as they are.
const std::string kAwkward[] = {
    "",
    " leading",
    "trailing ",
    "\ttabbed\t",
    "line\nbreak",
    "cr\rlf\r\n",
    std::string("nul\0inside", 10),
    "C:\\new\\temp\\x.txt",
    "\\n is not a line break here",
    "\"quoted\"",
    "\"",
    "\"\\\"",
    "key=value; [section] # not a comment",
    ";starts like a comment",
    "[looks like a section]",
    "ünïcødé ✓ 𝄞",
    std::string("bad utf-8 \xFF\xC0\x80 and \xED\xA0\x80 end", 25),
    "\x01\x02\x7F controls",
    std::string(5000, 'x') + " ",
};

}  // namespace

class MyMemIniFile : public ::testing::Test {
protected:
    testsupport::TempFolder tmp;
    std::string name = tmp.Path("a.ini");
};

TEST_F(MyMemIniFile, EveryValueReadsBackExactlyFromDisk) {
    {
        TMyMemIniFile ini(name);
        int n = 0;
        for (const std::string& v : kAwkward)
            ini.WriteString("S", "k" + std::to_string(n++), v);
        ini.UpdateFile();
    }
    TMyMemIniFile back(name);
    int n = 0;
    for (const std::string& v : kAwkward)
        EXPECT_EQ(back.ReadString("S", "k" + std::to_string(n++), "default"), v) << n;
}

TEST_F(MyMemIniFile, PlainValuesStayPlainAndReadable) {
    TMyMemIniFile ini(name);
    ini.WriteString("S", "path", "C:\\new\\x.txt");
    ini.WriteString("S", "spaced", "  two  ");
    ini.WriteString("S", "lines", "a\nb");
    ini.UpdateFile();
    EXPECT_EQ(tmp.Read("a.ini"), "[S]\npath=C:\\new\\x.txt\nspaced=\"  two  \"\nlines=\"a\\nb\"\n\n");
    // Files written by hand or by the plain ini class read as they stand.
    tmp.Write("b.ini", "[S]\npath=C:\\temp\\new\nempty=\nnovalue\nhalf=\"open\n");
    TMyMemIniFile plain(tmp.Path("b.ini"));
    EXPECT_EQ(plain.ReadString("S", "path", ""), "C:\\temp\\new");
    EXPECT_EQ(plain.ReadString("S", "empty", "d"), "");
    EXPECT_EQ(plain.ReadString("S", "novalue", "d"), "d");
    EXPECT_EQ(plain.ReadString("S", "half", ""), "\"open");
    EXPECT_EQ(plain.ReadString("S", "missing", "d"), "d");
}

TEST(IniEscapes, DamagedEscapesAreKeptAsText) {
    EXPECT_EQ(UnescapeIniValue("\"a\\qb\""), "a\\qb");
    EXPECT_EQ(UnescapeIniValue("\"a\\x4\""), "a\\x4");
    EXPECT_EQ(UnescapeIniValue("\"a\\x41\""), "aA");
    EXPECT_EQ(UnescapeIniValue("\"end\\\""), "end\\");
    EXPECT_EQ(EscapeIniValue("plain"), "plain");
    EXPECT_EQ(EscapeIniValue(std::string("\xFF", 1)), "\"\\xFF\"");
}

TEST(IniEscapes, AwkwardBytesAreFoundAnywhereInALongValue) {
    for (const std::size_t size : {24, 29})
        for (std::size_t at = 1; at + 1 < size; ++at)
            for (const char bad : {'\n', '\r', '\0', '\xFF', '\x80'}) {
                std::string v(size, 'a');
                v[at] = bad;
                EXPECT_EQ(EscapeIniValue(v).front(), '"') << size << ' ' << at << ' ' << int(bad);
            }
    // Tabs, DEL and whole UTF-8 sequences stay plain, wherever they stand.
    for (std::size_t at = 1; at < 21; ++at) {
        std::string v(24, 'a');
        v.replace(at, 3, "\tő");
        EXPECT_EQ(EscapeIniValue(v), v) << at;
        v[at] = '\x7F';
        EXPECT_EQ(EscapeIniValue(v), v) << at;
        v[at + 2] = 'b';  // a lead byte without its continuation
        EXPECT_EQ(EscapeIniValue(v).front(), '"') << at;
    }
}

TEST_F(MyMemIniFile, IntegersAreWrittenAsPlainDecimals) {
    TMyMemIniFile ini(name);
    for (int v : {0, -1, 42, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
        ini.WriteInteger("S", "n", v);
        EXPECT_EQ(ini.ReadString("S", "n", ""), std::to_string(v));
        EXPECT_EQ(ini.ReadInteger("S", "n", 7), v);
    }
}

TEST_F(MyMemIniFile, BooleanWordsMatchOnlyWhole) {
    TMyMemIniFile ini(name);
    for (const char* yes : {"On", "yEs", "tRUE"}) {
        ini.WriteString("S", "v", yes);
        EXPECT_TRUE(ini.ReadBool("S", "v", false)) << yes;
    }
    for (const char* no : {"oFF", "nO", "fALSE"}) {
        ini.WriteString("S", "v", no);
        EXPECT_FALSE(ini.ReadBool("S", "v", true)) << no;
    }
    for (const char* junk : {"tru", "truee", "onn", "of", "y", "0n", "yes1", "o\xCEn"}) {
        ini.WriteString("S", "v", junk);
        EXPECT_TRUE(ini.ReadBool("S", "v", true)) << junk;
        EXPECT_FALSE(ini.ReadBool("S", "v", false)) << junk;
    }
}

TEST_F(MyMemIniFile, BooleansAsWordsAndNumbers) {
    TMyMemIniFile ini(name);
    ini.WriteBool("S", "t", true);
    ini.WriteBool("S", "f", false);
    EXPECT_EQ(ini.ReadString("S", "t", ""), "true");
    EXPECT_EQ(ini.ReadString("S", "f", ""), "false");
    for (const char* yes : {"1", "-1", "2", "0x1", "TRUE", "yes", " on "}) {
        ini.WriteString("S", "v", yes);
        EXPECT_TRUE(ini.ReadBool("S", "v", false)) << yes;
    }
    for (const char* no : {"0", "False", "NO", "off"}) {
        ini.WriteString("S", "v", no);
        EXPECT_FALSE(ini.ReadBool("S", "v", true)) << no;
    }
    for (const char* junk : {"", "maybe", "1.5", "12abc"}) {
        ini.WriteString("S", "v", junk);
        EXPECT_TRUE(ini.ReadBool("S", "v", true)) << junk;
        EXPECT_FALSE(ini.ReadBool("S", "v", false)) << junk;
    }
    EXPECT_TRUE(ini.ReadBool("S", "missing", true));
}

TEST(StoredBool, WrittenWordsAndEverythingNearThem) {
    using sibling::StoredBool;
    using namespace std::string_view_literals;
    EXPECT_TRUE(StoredBool("true"sv, false));
    EXPECT_FALSE(StoredBool("false"sv, true));
    EXPECT_TRUE(StoredBool(std::nullopt, true));
    EXPECT_FALSE(StoredBool(std::nullopt, false));
    // Same lengths or the same first letters as the written words, and the words quoted.
    for (const std::string_view yes : {"True"sv, "\"true\""sv, "true\0"sv, "1234"sv, "yes"sv})
        EXPECT_TRUE(StoredBool(yes, false)) << yes;
    for (const std::string_view no : {"falsE"sv, "\"false\""sv, " false"sv, "00000"sv, "off"sv})
        EXPECT_FALSE(StoredBool(no, true)) << no;
    for (const std::string_view junk :
         {""sv, "tru"sv, "fals"sv, "trues"sv, "falsey"sv, "tr\0e"sv, "fa se"sv}) {
        EXPECT_TRUE(StoredBool(junk, true)) << junk;
        EXPECT_FALSE(StoredBool(junk, false)) << junk;
    }
}

TEST_F(MyMemIniFile, FloatsComeBackExactly) {
    TMyMemIniFile ini(name);
    for (double v :
         {0.1, 1.0 / 3.0, -2.5e-300, 1e21, 123456789.123456789, std::numeric_limits<double>::max()}) {
        ini.WriteFloat("S", "f", v);
        EXPECT_EQ(ini.ReadFloat("S", "f", 0), v);
    }
    ini.WriteFloat("S", "f", 0.5);
    EXPECT_EQ(ini.ReadString("S", "f", ""), "0.5");  // short numbers stay short
}

class MultiString : public MyMemIniFile {
protected:
    TMyMemIniFile ini{""};
    TStringList list;
    void Fill(int n) {
        list.Clear();
        for (int i = 0; i < n; ++i)
            list.AddObject(" item " + std::to_string(i), TStrings::IntToObject(i % 2));
    }
};

TEST_F(MultiString, ListsReadBackInOrderWithObjects) {
    Fill(3);
    list.Add("line\nbreak");
    ini.WriteString("L", "i", "2");
    ini.WriteString("L", "text", "own");
    ini.WriteMultiString("L", list);
    TStringList back;
    back.Add("old");
    ASSERT_TRUE(ini.ReadMultiString("L", back));
    ASSERT_EQ(back.Count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(back.Strings(i), list.Strings(i));
        EXPECT_EQ(back.Objects(i), list.Objects(i));
    }
    EXPECT_EQ(ini.ReadString("L", "i", ""), "2");
    EXPECT_EQ(ini.ReadString("L", "text", ""), "own");
    // A sorted list sorts what it is given; its events come once for the whole list.
    TStringList sorted;
    sorted.SetSorted(true);
    int changes = 0;
    sorted.OnChange = TNotifyEvent::Lambda([&changes](TObject*) { ++changes; });
    ASSERT_TRUE(ini.ReadMultiString("L", sorted));
    ASSERT_EQ(sorted.Count(), 4);
    for (int i = 1; i < 4; ++i)
        EXPECT_LT(sorted.Strings(i - 1), sorted.Strings(i));
    EXPECT_EQ(sorted.Objects(sorted.IndexOf(list.Strings(2))), list.Objects(2));
    EXPECT_EQ(changes, 1);
    changes = 0;
    back.OnChange = TNotifyEvent::Lambda([&changes](TObject*) { ++changes; });
    ASSERT_TRUE(ini.ReadMultiString("L", back));
    EXPECT_EQ(changes, 1);
}

TEST_F(MultiString, LimitKeepsTheFirstEntriesAndStaleKeysGo) {
    Fill(80);
    ini.WriteMultiString("L", list, 50);
    TStringList back;
    ini.ReadMultiString("L", back);
    EXPECT_EQ(back.Count(), 50);
    EXPECT_EQ(back.Strings(49), " item 49");
    Fill(2);
    ini.WriteMultiString("L", list);
    EXPECT_FALSE(ini.ValueExists("L", "item2"));
    EXPECT_FALSE(ini.ValueExists("L", "object3"));
    ini.ReadMultiString("L", back);
    EXPECT_EQ(back.Count(), 2);
}

TEST_F(MultiString, ObjectValuesGoneSinceTheLastWriteAreRemoved) {
    Fill(4);  // objects 0, 1, 0, 1
    ini.WriteMultiString("L", list);
    EXPECT_FALSE(ini.ValueExists("L", "object0"));
    EXPECT_TRUE(ini.ValueExists("L", "object1"));
    for (int i = 0; i < 4; ++i)
        list.PutObject(i, nullptr);
    ini.WriteMultiString("L", list);
    EXPECT_FALSE(ini.ValueExists("L", "object1"));
    EXPECT_FALSE(ini.ValueExists("L", "object3"));
    TStringList back;
    ini.ReadMultiString("L", back);
    EXPECT_EQ(back.Count(), 4);
    EXPECT_EQ(back.IndexOfObject(TStrings::IntToObject(1)), -1);
}

TEST_F(MultiString, NoListLeavesTheTargetAlone) {
    TStringList back;
    back.Add("designed");
    EXPECT_FALSE(ini.ReadMultiString("Nothing", back));
    ini.WriteString("L", "count", "junk");
    EXPECT_FALSE(ini.ReadMultiString("L", back));
    EXPECT_EQ(back.Text(), "designed\n");
}

TEST_F(MultiString, DamagedCountsStopAtTheItemsThere) {
    ini.WriteString("L", "count", "2147483647");
    ini.WriteString("L", "item0", "a");
    ini.WriteString("L", "item1", "b");
    ini.WriteString("L", "object1", "not a number");
    TStringList back;
    ASSERT_TRUE(ini.ReadMultiString("L", back));
    EXPECT_EQ(back.Text(), "a\nb\n");
    EXPECT_EQ(back.Objects(1), nullptr);
}

TEST_F(MultiString, ObjectAddressesAreNotStored) {
    TStringList owner;
    list.AddObject("real object", &owner);
    list.AddObject("number", TStrings::IntToObject(-5));
    ini.WriteMultiString("L", list);
    TStringList back;
    ini.ReadMultiString("L", back);
    EXPECT_EQ(back.Objects(0), nullptr);
    EXPECT_EQ(TStrings::ObjectToInt(back.Objects(1)), -5);
}

// A list edited by hand, as a reader of the keys one by one would take it: keys in any case,
// in any order, the first of a repeated key, numbers only as they are written, objects in
// every form an integer reads from.
TEST_F(MultiString, HandEditedListsReadAsKeyByKey) {
    TStringList lines;
    lines.SetText("[L]\n"
                  "COUNT=5\n"
                  "Item2=third\n"
                  "object2=0x1F\n"
                  "ITEM0=first\n"
                  "item01=not item one\n"
                  "item1\n"
                  "item0=repeated\n"
                  "OBJECT0=\"7\"\n"
                  "object1=-3\n"
                  "object1=9\n"
                  "item+3=not item three\n"
                  "item3=fourth\n"
                  "object3=junk\n"
                  "object4=4\n"
                  "[Other]\n"
                  "item4=elsewhere\n");
    ini.SetStrings(lines);
    TStringList back;
    ASSERT_TRUE(ini.ReadMultiString("l", back));
    EXPECT_EQ(back.Text(), "first\n\nthird\nfourth\n");  // item4 is missing: the list ends there
    EXPECT_EQ(TStrings::ObjectToInt(back.Objects(0)), 7);
    EXPECT_EQ(TStrings::ObjectToInt(back.Objects(1)), -3);
    EXPECT_EQ(TStrings::ObjectToInt(back.Objects(2)), 31);
    EXPECT_EQ(back.Objects(3), nullptr);
}

namespace {

// A string list with a Clear of its own, as a list that owns its objects has.
class TCountingList : public TStringList {
public:
    static const TClassInfo& ClassInfo() {
        static const TClassInfo info = TClassInfo::Derive<TCountingList, TStringList>("TCountingList");
        return info;
    }
    TClass ClassType() const override { return &ClassInfo(); }
    void Clear() override {
        ++Clears;
        TStringList::Clear();
    }
    int Clears = 0;
};

}  // namespace

// The selection read along with the list is what ReadInteger gives for "i": the first line of
// the key in any case, quoted or not; a line without '=' or no line gives -1. It comes back
// whether or not the section holds a list, and the list reads as without it.
TEST_F(MultiString, SelectionReadWithTheListIsTheIntegerLookup) {
    const struct {
        const char* Body;
        int Index;
        const char* Text;
    } cases[] = {
        {"count=2\nitem0=a\nitem1=b\ni=1\n", 1, "a\nb\n"},
        {"I=1\ncount=1\nitem0=a\ni=0\n", 1, "a\n"},
        {"count=1\ni\ni=0\nitem0=a\n", -1, "a\n"},
        {"count=1\nitem0=a\ni=\"0x1\"\n", 1, "a\n"},
        {"count=1\nitem0=a\ni=junk\n", -1, "a\n"},
        {"count=1\nitem0=a\n", -1, "a\n"},
        {"count=junk\ni=2\n", 2, "old\n"},
        {"count=1\nitem=x\nitems=y\nitem0=a\ni=3\n", 3, "a\n"},
        {"i=-4\n", -4, "old\n"},
    };
    for (const auto& c : cases) {
        TStringList lines;
        lines.SetText(std::string("[L]\n") + c.Body);
        ini.SetStrings(lines);
        TStringList back, alone;
        back.Add("old");
        alone.Add("old");
        int index = 99;
        const bool listed = ini.ReadMultiString("L", back, index);
        EXPECT_EQ(index, c.Index) << c.Body;
        EXPECT_EQ(index, ini.ReadInteger("L", "i", -1)) << c.Body;
        EXPECT_EQ(back.Text(), c.Text) << c.Body;
        EXPECT_EQ(listed, ini.ReadMultiString("L", alone)) << c.Body;
        EXPECT_EQ(alone.Text(), c.Text) << c.Body;
    }
    TStringList back;
    int index = 99;
    EXPECT_FALSE(ini.ReadMultiString("Missing", back, index));
    EXPECT_EQ(index, -1);
}

// Repeated keys count by their first line, even one without '='; the list ends at the first
// missing item whatever the count says.
TEST_F(MultiString, RepeatedCountsAndGapsInTheItems) {
    const struct {
        const char* Body;
        bool Listed;
        const char* Text;
    } cases[] = {
        {"count=2\ncount=3\nitem0=a\nitem1=b\nitem2=c\n", true, "a\nb\n"},
        {"count\ncount=1\nitem0=a\n", false, "old\n"},
        {"Count=0\nitem0=a\n", true, ""},
        {"count=3\nitem0=a\nitem2=c\n", true, "a\n"},
        {"count=2\nitem1=b\nitem0=a\nITEM1=not b\n", true, "a\nb\n"},
        {"count=2\nitem0\nitem1=b\n", true, "\nb\n"},
        // Counts as they are written and as hands may have changed them.
        {"count=0002\nitem0=a\nitem1=b\n", true, "a\nb\n"},
        {"count= 1 \nitem0=a\n", true, "a\n"},
        {"count=+1\nitem0=a\n", true, "a\n"},
        {"count=-1\nitem0=a\n", false, "old\n"},
        {"count=1x\nitem0=a\n", false, "old\n"},
        {"count=999999999\nitem0=a\n", true, "a\n"},
        {"count=99999999999\nitem0=a\n", false, "old\n"},
    };
    for (const auto& c : cases) {
        TStringList lines;
        lines.SetText(std::string("[L]\n") + c.Body);
        ini.SetStrings(lines);
        TStringList back;
        back.Add("old");
        EXPECT_EQ(ini.ReadMultiString("L", back), c.Listed) << c.Body;
        EXPECT_EQ(back.Text(), c.Text) << c.Body;
    }
}

// A read leaves Capacity() where Clear and SetCapacity leave it, whatever the list held
// before; a list with a Clear of its own has it called.
TEST_F(MultiString, CapacityAfterAReadIsAsBefore) {
    Fill(3);
    ini.WriteMultiString("L", list);
    TStringList back;
    for (const int held : {3, 10, 1}) {
        back.Clear();
        for (int i = 0; i < held; ++i)
            back.Add("a string too long to be kept in place " + std::to_string(i));
        back.SetCapacity(held);
        ASSERT_TRUE(ini.ReadMultiString("L", back));
        EXPECT_EQ(back.Capacity(), 3) << held;
        EXPECT_EQ(back.Text(), list.Text()) << held;
        EXPECT_EQ(back.Objects(1), list.Objects(1)) << held;
    }
    back.Clear();
    back.SetCapacity(100);  // an empty list keeps the room it was given
    ASSERT_TRUE(ini.ReadMultiString("L", back));
    EXPECT_EQ(back.Capacity(), 100);
    TCountingList own;
    ASSERT_TRUE(ini.ReadMultiString("L", own));
    ASSERT_TRUE(ini.ReadMultiString("L", own));
    EXPECT_EQ(own.Clears, 2);
    EXPECT_EQ(own.Text(), list.Text());
}
