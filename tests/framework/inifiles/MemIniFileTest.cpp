#include "framework/classes/StringList.h"
#include "framework/inifiles/IniFiles.h"
#include "framework/platform/FakePlatform.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StrUtils.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <random>
#include <thread>
#include <utility>
#include <vector>

using namespace framework;

namespace {

class IniFixture : public ::testing::Test {
protected:
    testsupport::TempFolder dir;
    std::string path = dir.Path("state.ini");

    std::unique_ptr<TMemIniFile> Reload() { return std::make_unique<TMemIniFile>(path); }
};

// --- Loading ---------------------------------------------------------------------------------

using IniLoad = IniFixture;

TEST_F(IniLoad, TrimsSplitsAtFirstEqualsAndDropsComments) {
    dir.Write("state.ini",
              "orphan=1\n  [ Main ]  \r\n; note\n\n  Key  =  a = b  \r#hash\nbare\n[Other]\r\nx=\n");
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadString("main", "KEY", "?"), "a = b");
    EXPECT_EQ(ini.ReadString("Main", "#hash", "?"), "?");  // a key without a value
    EXPECT_TRUE(ini.ValueExists("Main", "#hash"));
    EXPECT_TRUE(ini.ValueExists("MAIN", "bare"));
    EXPECT_EQ(ini.ReadString("Other", "x", "?"), "");  // empty, not the default
    EXPECT_FALSE(ini.ValueExists("Main", "; note"));
    EXPECT_FALSE(ini.ValueExists("Main", "orphan"));
    TStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections.CommaText(), "Main,Other");
    EXPECT_EQ(ini.SaveToBytes(), "[Main]\nKey=a = b\n#hash\nbare\n\n[Other]\nx=\n\n");
}

TEST_F(IniLoad, RepeatedSectionIsMergedSoNothingIsLostOnRewrite) {
    dir.Write("state.ini", "[A]\nk=1\nk=2\n[B]\nb=1\n[a]\nK=3\nnew=4\n");
    {
        TMemIniFile ini(path);
        EXPECT_EQ(ini.ReadString("A", "k", ""), "1");
        EXPECT_EQ(ini.ReadString("A", "new", ""), "4");
        ini.UpdateFile();
    }
    EXPECT_EQ(dir.Read("state.ini"), "[A]\nk=1\nk=2\nnew=4\n\n[B]\nb=1\n\n");

    // A third time, keys repeated inside a repeat, and a section that grows past the size at
    // which it keeps an index of its keys while it is merged.
    std::string text = "[Big]\n";
    for (int i = 0; i < 10; ++i)
        text += "k" + std::to_string(i) + "=first\n";
    text += "[Other]\no=1\n[BIG]\nk3=second\nx=1\nx=2\n";
    for (int i = 10; i < 20; ++i)
        text += "K" + std::to_string(i) + "=second\n";
    text += "[Other]\no=2\np=2\n[big]\nx=3\ny=3\nk15=third\n";
    dir.Write("state.ini", text);
    TMemIniFile ini(path);
    TStringList keys;
    ini.ReadSections(keys);
    EXPECT_EQ(keys.Text(), "Big\nOther\n");
    ini.ReadSection("Big", keys);
    ASSERT_EQ(keys.Count(), 22);
    EXPECT_EQ(keys.Strings(10), "x");
    EXPECT_EQ(keys.Strings(11), "K10");
    EXPECT_EQ(keys.Strings(21), "y");
    EXPECT_EQ(ini.ReadString("big", "k3", ""), "first");
    EXPECT_EQ(ini.ReadString("big", "X", ""), "1");
    EXPECT_EQ(ini.ReadString("big", "k15", ""), "second");
    EXPECT_EQ(ini.ReadString("big", "y", ""), "3");
    EXPECT_EQ(ini.ReadString("Other", "p", ""), "2");
    EXPECT_EQ(ini.ReadString("Other", "o", ""), "1");
    ini.WriteString("Big", "z", "new");  // the merged chain takes new keys at its end
    ini.ReadSectionValues("Big", keys);
    EXPECT_EQ(keys.Strings(keys.Count() - 1), "z=new");
}

TEST_F(IniLoad, MissingFileIsEmptyFolderRaises) {
    TMemIniFile missing(dir.Path("none.ini"));
    EXPECT_EQ(missing.ReadInteger("s", "k", 7), 7);
    EXPECT_FALSE(missing.Modified());
    EXPECT_THROW(TMemIniFile(dir.MakeFolder("folder.ini")), EFOpenError);
}

// A path that is no regular file is refused at once: nothing waits for a pipe's writer or
// reads a device without end.
TEST_F(IniLoad, OnlyRegularFilesAreLoaded) {
    for (const std::string& special : dir.MakeSpecialFiles()) {
        try {
            TMemIniFile ini(special);
            ADD_FAILURE() << special << " was loaded";
        } catch (const EFOpenError& e) {
            EXPECT_NE(e.Message().find("Not a regular file"), std::string::npos) << e.Message();
        }
        EXPECT_THROW(TIniFile ini(special), EFOpenError) << special;
    }
}

// A comment after a section header, as hand-edited files have it, still starts the section.
TEST_F(IniLoad, SectionHeaderMayBeFollowedByAComment) {
    dir.Write("state.ini",
              "[Options] ; set by hand\nk=1\n[Other]]\nj=2\n[Broken ; no end\nx=3\n[a] b\ny=4\n");
    TMemIniFile ini(path);
    TStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections.Text(), "Options\nOther]\n");
    EXPECT_EQ(ini.ReadString("Options", "k", ""), "1");
    // Lines that are no header stay key lines of the section before.
    EXPECT_TRUE(ini.ValueExists("Other]", "[Broken ; no end"));
    EXPECT_TRUE(ini.ValueExists("Other]", "[a] b"));
    EXPECT_EQ(ini.SaveToBytes(), "[Options]\nk=1\n\n[Other]]\nj=2\n[Broken ; no end\nx=3\n[a] b\ny=4\n\n");
}

// Settings copied from a Windows install are Windows-1252: a file that is not UTF-8 as a whole
// is read in that code page and written back as UTF-8. UTF-8 files, also those with a mark
// and a bad byte, are read as UTF-8.
TEST_F(IniLoad, FilesThatAreNotUtf8AreReadAsWindows1252) {
    dir.Write("state.ini", "[R\xE9glages]\nnom=caf\xE9 \x80\x93 na\xEFve \x81\n");
    {
        TMemIniFile ini(path);
        EXPECT_EQ(ini.ReadString("R\xC3\xA9glages", "nom", ""),
                  "caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x9C na\xC3\xAFve \xC2\x81");
        ini.UpdateFile();
    }
    EXPECT_EQ(dir.Read("state.ini"),
              "[R\xC3\xA9glages]\nnom=caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x9C na\xC3\xAFve \xC2\x81\n\n");
    EXPECT_EQ(Reload()->ReadString("r\xC3\x89glages", "nom", "").substr(0, 5), "caf\xC3\xA9");
    dir.Write("state.ini", "\xEF\xBB\xBF[S]\nk=caf\xE9\n");
    EXPECT_EQ(Reload()->ReadString("S", "k", ""), "caf\xEF\xBF\xBD");
}

// One stray byte does not make the whole file Windows-1252: the UTF-8 around it reads back as
// it was written, and a load and a save leave it byte for byte.
TEST_F(IniLoad, AStrayByteGarblesNothingElse) {
    const std::string file =
        "[Cidades]\nnome=S\xC3\xA3o Paulo\nantigo=caf\xE9\nambos=S\xC3\xA3o caf\xE9 \xF0\x9F\x98\x80\n"
        "corte=\xC3\n\n";
    dir.Write("state.ini", file);
    {
        TMemIniFile ini(path);
        EXPECT_EQ(ini.ReadString("Cidades", "nome", ""), "S\xC3\xA3o Paulo");
        EXPECT_EQ(ini.ReadString("Cidades", "antigo", ""), "caf\xC3\xA9");
        EXPECT_EQ(ini.ReadString("Cidades", "ambos", ""), "S\xC3\xA3o caf\xC3\xA9 \xF0\x9F\x98\x80");
        EXPECT_EQ(ini.ReadString("Cidades", "corte", ""),
                  "\xC3\x83");  // a lead byte cut off by the line's end
        ini.WriteString("Cidades", "antigo", "caf\xC3\xA9");
        ini.UpdateFile();
    }
    const std::string saved = dir.Read("state.ini");
    EXPECT_NE(saved.find("nome=S\xC3\xA3o Paulo\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("antigo=caf\xC3\xA9\n"), std::string::npos) << saved;
    // Read and saved again, the now all-UTF-8 file stays as it is.
    Reload()->UpdateFile();
    EXPECT_EQ(dir.Read("state.ini"), saved);
}

TEST_F(IniLoad, BinaryJunkGivesDefaults) {
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 7919 + 13) % 256);
    dir.Write("state.ini", junk);
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadString("Main", "text", "dflt"), "dflt");
    ini.WriteString("Main", "text", "ok");
    ini.UpdateFile();
    EXPECT_EQ(Reload()->ReadString("Main", "text", ""), "ok");
}

// Text that is not UTF-8, set as lines rather than loaded from a file, is repaired wherever the
// bad bytes stand.
TEST_F(IniLoad, BadBytesAnywhereInTheTextAreRepaired) {
    for (std::size_t at = 0; at < 200; at += 7) {
        std::string value(200, 'v');
        value[at] = '\xFF';
        TStringList lines;
        lines.Add("[S]");
        lines.Add("k=" + value);
        TMemIniFile ini("");
        ini.SetStrings(lines);
        const std::string back = ini.ReadString("S", "k", "");
        EXPECT_EQ(back.find('\xFF'), std::string::npos) << at;
        EXPECT_EQ(back.substr(at, 3), "\xEF\xBF\xBD") << at;
    }
}

// Lines of every length up to a few hundred bytes, with '=' and blanks anywhere and every kind
// of line end, load as a plain line-by-line reader reads them.
TEST_F(IniLoad, LinesOfEveryShapeLoadAsALineByLineReaderReadsThem) {
    std::mt19937 rng(7);
    const auto pick = [&rng](const char* from) { return from[rng() % std::strlen(from)]; };
    for (const char* end : {"\n", "\r\n", "\r"}) {
        std::string text = "[S]";
        text += end;
        std::vector<std::string> expected;  // "key=value" or "key" for each kept line
        for (int n = 0; n < 400; ++n) {
            std::string line(static_cast<std::size_t>(rng() % 300), 'x');
            for (char& c : line)
                c = pick("abcXYZ ==\t;[");  // no ']': no line opens a section
            text += line + end;
            const std::string trimmed(TrimView(line));
            if (trimmed.empty() || trimmed.front() == ';')
                continue;
            const std::size_t eq = trimmed.find('=');
            expected.push_back(eq == std::string::npos ? trimmed
                                                       : std::string(TrimView(trimmed.substr(0, eq))) + "=" +
                                                             std::string(TrimView(trimmed.substr(eq + 1))));
        }
        if (text.back() == '\n')
            text.pop_back();  // a last line without an end
        TMemIniFile ini("");
        ini.LoadFromBytes(text);
        TStringList values;
        ini.ReadSectionValues("S", values);
        std::vector<std::string> got;
        for (int i = 0; i < values.Count(); ++i)
            got.push_back(values.Strings(i));
        EXPECT_EQ(got, expected) << "line end " << (end[0] == '\n' ? "LF" : end[1] ? "CR LF" : "CR");
    }
}

TEST_F(IniLoad, HugeLineLoadsWithoutCrashing) {
    {
        std::ofstream out(path, std::ios::binary);
        out << "[S]\nbefore=1\nlong=";
        const std::string chunk(1 << 20, 'v');
        for (int i = 0; i < 100; ++i)
            out << chunk;
        out << "\nafter=2\n";
    }
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("S", "before", 0), 1);
    EXPECT_EQ(ini.ReadInteger("S", "after", 0), 2);
    EXPECT_EQ(ini.ReadString("S", "long", "").size(), std::size_t{100} << 20);
}

TEST_F(IniLoad, Utf16FilesAreReadAndWrittenBackInUtf16) {
    dir.Write("state.ini", std::string("\xFF\xFE[\0S\0]\0\n\0k\0=\0\xE9\0\n\0", 18));
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadString("s", "K", ""), "\xC3\xA9");
    ini.WriteString("S", "n", "1");
    ini.UpdateFile();
    EXPECT_EQ(dir.Read("state.ini"), std::string("\xFF\xFE[\0S\0]\0\n\0k\0=\0\xE9\0\n\0n\0=\0"
                                                 "1\0\n\0\n\0",
                                                 28));
    // A file cut in the middle of a UTF-16 character still loads.
    dir.Write("state.ini", std::string("\xFE\xFF\0[\0S\0]\0\n\0k\0=\xD8", 15));
    EXPECT_TRUE(Reload()->ValueExists("S", "k"));
}

TEST_F(IniLoad, Utf8MarkIsKept) {
    dir.Write("state.ini", "\xEF\xBB\xBF[S]\nk=v\n");
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadString("S", "k", ""), "v");
    ini.UpdateFile();
    EXPECT_EQ(dir.Read("state.ini"), "\xEF\xBB\xBF[S]\nk=v\n\n");
}

// --- Writing ---------------------------------------------------------------------------------

using IniWrite = IniFixture;

TEST_F(IniWrite, LayoutIsByteExact) {
    TMemIniFile ini(path);
    ini.WriteString("Form1", "Left", "10");
    ini.WriteInteger("Edit1", "value", -5);
    ini.WriteBool("Form1", "Visible", true);
    ini.WriteString("form1", "LEFT", "12");  // replaced in place, spelling of the first write kept
    ini.UpdateFile();
    EXPECT_EQ(dir.Read("state.ini"), "[Form1]\nLeft=12\nVisible=1\n\n[Edit1]\nvalue=-5\n\n");
    EXPECT_FALSE(ini.Modified());
}

// A fresh ini saved while it is still being written, then written on and saved again, saves
// its sections each ended by one empty line.
TEST_F(IniWrite, SavedBetweenWritesKeepsTheLayout) {
    TMemIniFile ini(path);
    ini.UpdateFile();
    EXPECT_EQ(dir.Read("state.ini"), "");
    ini.WriteString("A", "k", "1");
    ini.UpdateFile();
    EXPECT_EQ(dir.Read("state.ini"), "[A]\nk=1\n\n");
    ini.WriteString("A", "j", "2");
    ini.WriteString("B", "k", "3");
    ini.UpdateFile();
    EXPECT_EQ(dir.Read("state.ini"), "[A]\nk=1\nj=2\n\n[B]\nk=3\n\n");
    EXPECT_EQ(ini.SaveToBytes(), dir.Read("state.ini"));
    ini.SetEncoding(TEncoding::UTF8());  // with a mark
    ini.UpdateFile();
    EXPECT_EQ(dir.Read("state.ini"), "\xEF\xBB\xBF[A]\nk=1\nj=2\n\n[B]\nk=3\n\n");
}

TEST_F(IniWrite, HostileValuesRoundTripThroughAFreshLoad) {
    const std::string values[] = {
        "a=b=c",
        ";not a comment",
        "[not a section]",
        "]",
        "\"quoted\"",
        "'single'",
        "#hash",
        "tab\tinside",
        "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80",
        std::string(100000, 'x') + "=end",
        "",
    };
    {
        TMemIniFile ini(path);
        for (std::size_t i = 0; i < std::size(values); ++i)
            ini.WriteString("S", "k" + std::to_string(i), values[i]);
        ini.WriteString("[odd #name;", "key#;[x", "v");
        ini.UpdateFile();
    }
    auto back = Reload();
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(back->ReadString("S", "k" + std::to_string(i), "?"), values[i]) << i;
    EXPECT_EQ(back->ReadString("[odd #name;", "key#;[x", ""), "v");
}

TEST_F(IniWrite, TextTheLayoutCannotHoldIsRefused) {
    TMemIniFile ini(path);
    for (const char* key : {"a=b", " lead", "trail ", ";comment", "[bracket", "line\nbreak", "cr\r"})
        EXPECT_THROW(ini.WriteString("S", key, "v"), EIniFileException) << key;
    for (const char* section : {"a]b", " pad", "two\nlines"})
        EXPECT_THROW(ini.WriteString(section, "k", "v"), EIniFileException) << section;
    EXPECT_THROW(ini.WriteString("S", "k", "one\ntwo"), EIniFileException);
    EXPECT_THROW(ini.WriteString("S", "k", std::string("nul\0", 4)), EIniFileException);
    EXPECT_FALSE(ini.Modified());
    EXPECT_FALSE(ini.SectionExists("S"));
}

TEST_F(IniWrite, BlanksAtTheEndsStayInMemoryAndFileButALoadTrimsThem) {
    TMemIniFile ini(path);
    ini.WriteString("S", "k", "  padded  ");
    EXPECT_EQ(ini.ReadString("S", "k", ""), "  padded  ");
    ini.UpdateFile();
    EXPECT_EQ(dir.Read("state.ini"), "[S]\nk=  padded  \n\n");
    EXPECT_EQ(Reload()->ReadString("S", "k", ""), "padded");
}

TEST_F(IniWrite, FailedUpdateRaisesAndKeepsTheOldFile) {
    dir.Write("state.ini", "[Old]\nk=1\n");
    platform::FakePlatform fake;
    platform::ScopedPlatform scoped(fake);
    TMemIniFile ini(path);
    ini.WriteString("New", "k", "2");
    for (auto step : {platform::WriteStep::Write, platform::WriteStep::Sync, platform::WriteStep::Rename}) {
        fake.FailWriteAt(step, ENOSPC);
        EXPECT_THROW(ini.UpdateFile(), EFCreateError);
        EXPECT_EQ(dir.Read("state.ini"), "[Old]\nk=1\n");
        EXPECT_TRUE(ini.Modified());
    }
    EXPECT_EQ(dir.Exists("state.ini") ? dir.Read("state.ini").size() : 0, 10u);
}

TEST_F(IniWrite, IniFileSavesOnDestructionAndSwallowsFailure) {
    {
        TIniFile ini(path);
        ini.WriteString("S", "k", "v");
    }
    EXPECT_EQ(dir.Read("state.ini"), "[S]\nk=v\n\n");
    platform::FakePlatform fake;
    platform::ScopedPlatform scoped(fake);
    fake.FailWriteAt(platform::WriteStep::Rename, EACCES);
    {
        auto* ini = Create<TIniFile>(path);
        ini->WriteString("S", "k", "changed");
        ini->Free();  // must not throw
    }
    EXPECT_EQ(dir.Read("state.ini"), "[S]\nk=v\n\n");
    fake.ClearWriteFault();
    { TIniFile unchanged(path); }
    EXPECT_EQ(fake.AtomicWriteCalls(), 1);  // nothing changed: nothing written
}

// --- Lookups and editing ---------------------------------------------------------------------

using IniEdit = IniFixture;

TEST_F(IniEdit, SectionsAndKeysIgnoreCaseAlsoInLargeSections) {
    TMemIniFile ini(path);
    for (int i = 0; i < 40; ++i)
        ini.WriteInteger("Big", "Key" + std::to_string(i), i);
    ini.WriteString("\xC3\x9C"
                    "ber",
                    "\xC3\x84rger", "1");
    EXPECT_EQ(ini.ReadInteger("BIG", "key39", -1), 39);
    EXPECT_EQ(ini.ReadString("\xC3\xBC"
                             "BER",
                             "\xC3\xA4RGER", ""),
              "1");
    ini.DeleteKey("big", "KEY0");
    EXPECT_FALSE(ini.ValueExists("Big", "Key0"));
    EXPECT_EQ(ini.ReadInteger("Big", "Key20", -1), 20);  // still found after the index is rebuilt
    ini.EraseSection("BIG");
    EXPECT_FALSE(ini.SectionExists("Big"));
    EXPECT_TRUE(ini.SectionExists("\xC3\xBC"
                                  "ber"));
}

// Names of every length up to 24 bytes, differing from their neighbours in one byte only, at
// every position, are found in any case and only themselves.
TEST_F(IniEdit, NamesOfEveryLengthAreFoundInAnyCaseAndOnlyThemselves) {
    TMemIniFile ini(path);
    const auto flipCase = [](std::string s) {
        for (char& c : s)
            if (std::isalpha(static_cast<unsigned char>(c)))
                c = static_cast<char>(c ^ 0x20);
        return s;
    };
    for (std::size_t length = 1; length <= 24; ++length) {
        const std::string base = std::string("aB3_zY9.qRs-kLmN0pQ+xWv@e").substr(0, length);
        const std::string section = "S" + base;
        for (std::size_t at = 0; at < length; ++at) {
            std::string key = base;
            key[at] = at % 2 ? 'j' : 'J';
            ini.WriteString(section, key, std::to_string(at));
        }
        for (std::size_t at = 0; at < length; ++at) {
            std::string key = base;
            key[at] = at % 2 ? 'j' : 'J';
            EXPECT_EQ(ini.ReadString(flipCase(section), flipCase(key), "-"), std::to_string(at))
                << "length " << length << " at " << at;
            key[at] = '!';
            EXPECT_FALSE(ini.ValueExists(section, key)) << "length " << length << " at " << at;
        }
        EXPECT_FALSE(ini.SectionExists(section + "x"));
        EXPECT_FALSE(ini.SectionExists(section.substr(0, length) + "~"));
    }
    // Letters outside ASCII in a short key, and a value read from the ini and written back.
    ini.WriteString("Mixed", "\xC3\xA9t\xC3\xA9", "summer");
    ini.WriteString("mixed", "ETE", *ini.FindValue("MIXED", "\xC3\x89T\xC3\x89"));
    EXPECT_EQ(ini.ReadString("MIXED", "ete", ""), "summer");
    EXPECT_FALSE(ini.ValueExists("Mixed", "\xC3\xA9t"));
    ini.UpdateFile();
    auto again = Reload();
    EXPECT_EQ(again->ReadString("s" + std::string("aB3_zY9.qRs-kLmN0pQ+xWv@e").substr(0, 17),
                                "AB3_ZY9.QJS-KLMN0", ""),
              "9");
}

// An ini made after another one was freed, on this thread or another, starts empty: nothing of
// the old content shows through.
TEST_F(IniEdit, AnIniMadeAfterAnotherStartsEmpty) {
    const auto fill = [](TMemIniFile& ini) {
        for (int i = 0; i < 50; ++i)
            ini.WriteString("Section" + std::to_string(i), "key", "value " + std::to_string(i));
    };
    const auto expectEmpty = [](const TMemIniFile& ini) {
        TStringList sections;
        ini.ReadSections(sections);
        EXPECT_EQ(sections.Count(), 0);
        EXPECT_FALSE(ini.SectionExists("Section49"));  // the section last found in the old one
        EXPECT_FALSE(ini.FindValue("Section0", "key"));
    };
    {
        TMemIniFile first("");
        fill(first);
    }
    TMemIniFile second("");
    expectEmpty(second);
    second.WriteString("New", "k", "v");
    TStringList lines;
    second.GetStrings(lines);
    EXPECT_EQ(lines.Text(), "[New]\nk=v\n\n");
    std::thread([&] {
        TMemIniFile onThread("");
        expectEmpty(onThread);
        fill(onThread);
        onThread.Clear();
        expectEmpty(onThread);
        fill(onThread);
    }).join();
    std::thread([&] {
        TMemIniFile onThread("");
        expectEmpty(onThread);
    }).join();
}

TEST_F(IniEdit, SectionReadersClearTheTargetList) {
    dir.Write("state.ini", "[S]\na=1\nflag\nb=x=y\n[Empty]\n");
    TMemIniFile ini(path);
    TStringList list;
    list.Add("stale");
    ini.ReadSection("S", list);
    EXPECT_EQ(list.CommaText(), "a,flag,b");
    ini.ReadSectionValues("s", list);
    EXPECT_EQ(list.Text(), "a=1\nflag\nb=x=y\n");
    EXPECT_EQ(list.Values("b"), "x=y");
    EXPECT_TRUE(ini.SectionExists("Empty"));  // an empty section counts
    ini.ReadSection("missing", list);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(IniEdit, GetAndSetStringsAndClear) {
    TMemIniFile ini(path);
    TStringList lines;
    lines.SetText("[A]\nx=1\n[B]\ny=2\n");
    ini.SetStrings(lines);
    EXPECT_EQ(ini.ReadInteger("B", "y", 0), 2);
    // Room asked for beforehand changes nothing of what is there or written after.
    ini.Reserve(1000, 2000, 64000);
    ini.WriteString("A", "z", std::string(*ini.FindValue("B", "y")) + "0");
    ini.GetStrings(lines);
    EXPECT_EQ(lines.Text(), "[A]\nx=1\nz=20\n\n[B]\ny=2\n\n");
    ini.Clear();
    EXPECT_TRUE(ini.Modified());
    ini.GetStrings(lines);
    EXPECT_EQ(lines.Count(), 0);
}

TEST_F(IniEdit, LongEditingSessionMatchesASimpleModel) {
    // Writes, rewrites, deletions and erased sections in a random order, many times over, on
    // top of a loaded file: the content always equals a plain list of sections and keys.
    dir.Write("state.ini", "[S0]\nk0=loaded\nk1=loaded\n[S1]\nk2=loaded\n");
    TMemIniFile ini(path);
    using Keys = std::vector<std::pair<std::string, std::string>>;
    std::vector<std::pair<std::string, Keys>> model{{"S0", {{"k0", "loaded"}, {"k1", "loaded"}}},
                                                    {"S1", {{"k2", "loaded"}}}};
    auto sectionOf = [&](const std::string& name) {
        return std::find_if(model.begin(), model.end(), [&](const auto& s) { return s.first == name; });
    };
    std::mt19937 rng(7);
    for (int step = 0; step < 30000; ++step) {
        const std::string section = "S" + std::to_string(rng() % 6);
        const std::string key = "k" + std::to_string(rng() % 20);
        const unsigned op = rng() % 100;
        auto s = sectionOf(section);
        if (op < 60) {
            std::string value = std::string(rng() % 40, 'v') + std::to_string(step);
            // Now and then a value read from the ini itself is written back under another key.
            if (const auto stored = ini.FindValue("S0", "k1"); stored && op < 10) {
                value = std::string(*stored);
                ini.WriteString(section, key == "k3" ? "K3" : key, *stored);
            }
            ini.WriteString(section, key == "k3" ? "K3" : key, value);  // any case finds the key
            if (s == model.end())
                s = model.insert(model.end(), {section, {}});
            auto k = std::find_if(s->second.begin(), s->second.end(),
                                  [&](const auto& e) { return SameText(e.first, key); });
            if (k == s->second.end())
                s->second.emplace_back(key == "k3" ? "K3" : key, value);
            else
                k->second = value;
        } else if (op < 97) {
            ini.DeleteKey(section, key);
            if (s != model.end())
                std::erase_if(s->second, [&](const auto& e) { return SameText(e.first, key); });
        } else {
            ini.EraseSection(section);
            if (s != model.end())
                model.erase(s);
        }
    }
    std::string expected;
    for (const auto& [name, keys] : model) {
        expected += "[" + name + "]\n";
        for (const auto& [k, v] : keys)
            expected += k + "=" + v + "\n";
        expected += "\n";
    }
    EXPECT_EQ(ini.SaveToBytes(), expected);
    for (const auto& [name, keys] : model)
        for (const auto& [k, v] : keys)
            ASSERT_EQ(ini.ReadString(name, k, "?"), v);
    ini.UpdateFile();
    EXPECT_EQ(Reload()->SaveToBytes(), expected);
}

// A fresh ini written section after section is kept as its text until a write needs more than
// appending. Whatever is written, it holds and saves what an ini with loaded content does.
TEST_F(IniEdit, FreshIniWrittenInAnyOrderMatchesALoadedOne) {
    const std::vector<std::string> sections{"Main", "main", "Zürich", "Bad\xFF", "", "Next"};
    const std::vector<std::string> keys{"k", "K", "longer key name", "clé", "x\xFE", "=", "[k"};
    const std::vector<std::string> values{"v", "  padded  ", "a=b", "\xC3", "", "\"q\"", "é"};
    std::mt19937 rng(11);
    for (int round = 0; round < 200; ++round) {
        TMemIniFile fresh("");
        TMemIniFile loaded("");
        loaded.LoadFromBytes("");  // content loaded, even if empty: kept as lines from the start
        // Mostly what a save of a form writes: new sections in turn, each key once.
        const int steps = static_cast<int>(rng() % 16);
        for (int step = 0; step < steps; ++step) {
            const std::string& section = sections[rng() % sections.size()];
            const std::string& key = keys[rng() % keys.size()];
            const std::string& value = values[rng() % values.size()];
            // Now and then something else than a write: the fresh ini must follow it too.
            const unsigned other = rng() % 20;
            const auto write = [&](TMemIniFile& ini) {
                try {
                    if (other == 0)
                        ini.DeleteKey(section, key);
                    else if (other == 1)
                        ini.EraseSection(section);
                    else if (other == 2)
                        ini.Clear();
                    else
                        ini.WriteString(section, key, value);
                    return std::string();
                } catch (const EIniFileException& e) {
                    return std::string(e.Message());
                }
            };
            ASSERT_EQ(write(fresh), write(loaded));
            ASSERT_EQ(fresh.SaveToBytes(), loaded.SaveToBytes()) << round << " " << step;
        }
        for (const std::string& section : sections) {
            ASSERT_EQ(fresh.SectionExists(section), loaded.SectionExists(section));
            for (const std::string& key : keys)
                ASSERT_EQ(fresh.ReadString(section, key, "?"), loaded.ReadString(section, key, "?"));
        }
        fresh.WriteString("After", "reading", "still writes");
        loaded.WriteString("After", "reading", "still writes");
        ASSERT_EQ(fresh.SaveToBytes(), loaded.SaveToBytes());
    }
}

// Names that are not UTF-8 are stored repaired; written again, they find what was stored, so a
// reload cannot merge the newer value away.
TEST_F(IniEdit, NamesThatAreNotUtf8AreRewrittenNotRepeated) {
    for (bool loadedFirst : {false, true}) {
        TMemIniFile ini(path);
        if (loadedFirst)
            ini.LoadFromBytes("[Other]\nx=1\n");
        ini.WriteString("Bad\xFF", "k\xFE", "old");
        ini.WriteString("Between", "k", "v");
        ini.WriteString("Bad\xFF", "k\xFE", "new");
        ini.UpdateFile();
        const std::string saved = dir.Read("state.ini");
        EXPECT_EQ(saved.find("[Bad\xEF\xBF\xBD]"), saved.rfind("[Bad\xEF\xBF\xBD]")) << saved;
        EXPECT_EQ(Reload()->ReadString("Bad\xEF\xBF\xBD", "k\xEF\xBF\xBD", ""), "new");
    }
}

// An empty value is a value, also one written before the ini held any written text (a new
// thread's first ini has none yet).
TEST_F(IniEdit, EmptyValuesAreFoundNotMissing) {
    std::thread([] {
        TMemIniFile ini("");
        ini.LoadFromBytes("[S]\nk=1\n");
        ini.WriteString("S", "k", "");
        EXPECT_TRUE(ini.FindValue("S", "k").has_value());
        EXPECT_EQ(ini.ReadString("S", "k", "?"), "");
        EXPECT_FALSE(ini.FindValue("S", "other").has_value());
    }).join();
}

// Readers of one ini shared between threads, all asking at once, find what was written, and
// one of them saving it meanwhile saves all of it.
TEST_F(IniEdit, FreshIniReadFromManyThreadsAtOnce) {
    for (int round = 0; round < 20; ++round) {
        TMemIniFile ini("");
        for (int s = 0; s < 200; ++s)
            ini.WriteInteger("S" + std::to_string(s), "n", s);
        const TMemIniFile& shared = ini;
        std::vector<int> wrong(4, 0);
        std::vector<std::thread> readers;
        for (int t = 0; t < 4; ++t)
            readers.emplace_back([&shared, &wrong, t] {
                int& faults = wrong[static_cast<std::size_t>(t)];
                if (t == 0)  // one of them saves the text as it is kept
                    faults += shared.SaveToBytes().rfind("[S199]\nn=199\n\n") == std::string::npos;
                for (int s = 199; s >= 0; --s) {
                    const std::string section = "S" + std::to_string(s);
                    faults += !shared.SectionExists(section);
                    faults += shared.ReadInteger(section, "n", -1) != s;
                }
            });
        for (std::thread& r : readers)
            r.join();
        EXPECT_EQ(wrong, std::vector<int>(4, 0));
    }
}

// --- Typed values ----------------------------------------------------------------------------

using IniTyped = IniFixture;

TEST_F(IniTyped, IntegersBoolsAndFloatsFallBackToDefaults) {
    dir.Write("state.ini", "[N]\nhex=0x1F\ndollar=$1F\nx=x1F\nbad=12abc\nfrac=1.5\nempty=\nbig=99999999999\n"
                           "t=true\nneg=-1\nzero=0\nf=2.5\nfbad=2,5\n");
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("N", "hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("N", "dollar", 0), 31);
    EXPECT_EQ(ini.ReadInteger("N", "x", 0), 31);
    for (const char* key : {"bad", "frac", "empty", "big", "missing"})
        EXPECT_EQ(ini.ReadInteger("N", key, -7), -7) << key;
    EXPECT_EQ(ini.ReadInt64("N", "big", 0), 99999999999);
    EXPECT_TRUE(ini.ReadBool("N", "neg", false));
    EXPECT_FALSE(ini.ReadBool("N", "zero", true));
    EXPECT_TRUE(ini.ReadBool("N", "t", true));  // not an integer: the default
    EXPECT_FALSE(ini.ReadBool("N", "t", false));
    EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "f", 0), 2.5);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "fbad", -1), -1);
}

TEST_F(IniTyped, FloatsAndDatesUseTheIniFormatSettings) {
    TMemIniFile ini(path);
    TFormatSettings fs = TFormatSettings::Create();
    fs.DecimalSeparator = ',';
    fs.DateSeparator = '.';
    fs.ShortDateFormat = "dd/mm/yyyy";
    ini.SetFormatSettings(fs);
    ini.WriteFloat("S", "f", 1.25);
    ini.WriteDate("S", "d", EncodeDate(2024, 1, 5));
    EXPECT_EQ(ini.ReadString("S", "f", ""), "1,25");
    EXPECT_EQ(ini.ReadString("S", "d", ""), "05.01.2024");
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "f", 0), 1.25);
    EXPECT_DOUBLE_EQ(ini.ReadDate("S", "d", 0), EncodeDate(2024, 1, 5));
    ini.WriteString("S", "d", "31.02.2024");
    EXPECT_DOUBLE_EQ(ini.ReadDate("S", "d", -1), -1);
}

}  // namespace
