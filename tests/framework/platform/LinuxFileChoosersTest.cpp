#include "framework/platform/LinuxFileChoosers.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <sys/stat.h>

using namespace framework;
using namespace framework::platform;

namespace {

FileChooserRequest OpenTextRequest() {
    FileChooserRequest r;
    r.Title = "Pick a text";
    r.OkLabel = "Take it";
    r.Filters = {{"Text files (*.txt)", {"*.txt"}}, {"Batch files (*.zip*)", {"*.ZIP*"}}, {"All", {"*.*"}}};
    r.CurrentFilter = 1;
    r.StartFolder = "/data/my texts";
    r.FileName = "a.txt";
    return r;
}

// A script standing in for a chooser program: it prints what it is told and exits as told.
std::string WriteProgram(const testsupport::TempFolder& temp, const std::string& name,
                         const std::string& body) {
    const std::string path = temp.Write("bin/" + name, "#!/bin/sh\n" + body + "\n");
    ::chmod(path.c_str(), 0755);
    return path;
}

}  // namespace

TEST(ChooserMasks, LettersMatchInEitherCaseAndAllFilesMatchesEverything) {
    EXPECT_EQ(CaseInsensitiveMask("*.txt"), "*.[tT][xX][tT]");
    EXPECT_EQ(CaseInsensitiveMask("*.VWR"), "*.[vV][wW][rR]");
    EXPECT_EQ(CaseInsensitiveMask("*.ZIP*"), "*.[zZ][iI][pP]*");
    EXPECT_EQ(CaseInsensitiveMask("*.??_srt"), "*.??_[sS][rR][tT]");
    EXPECT_EQ(CaseInsensitiveMask("*.*"), "*");
    EXPECT_EQ(CaseInsensitiveMask("*.[ab]x"), "*.[ab][xX]");  // a group of its own stays
    EXPECT_EQ(CaseInsensitiveMask("*.7z"), "*.7[zZ]");
    EXPECT_EQ(CaseInsensitiveMask("*.é"), "*.é");  // only ASCII letters are doubled
}

TEST(ChooserMasks, TheCurrentFilterComesFirstAndTheTextsStayAsBuilt) {
    const auto filters = ChooserFilters(OpenTextRequest());
    ASSERT_EQ(filters.size(), 3u);
    EXPECT_EQ(filters[0], (FileFilter{"Batch files (*.zip*)", {"*.[zZ][iI][pP]*"}}));
    EXPECT_EQ(filters[1], (FileFilter{"Text files (*.txt)", {"*.[tT][xX][tT]"}}));
    EXPECT_EQ(filters[2], (FileFilter{"All", {"*"}}));
    FileChooserRequest outOfRange = OpenTextRequest();
    outOfRange.CurrentFilter = 7;
    EXPECT_EQ(ChooserFilters(outOfRange)[0].Name, "Text files (*.txt)");
}

TEST(ChooserStart, NameInsideTheFolderOrAnAbsoluteNameOnItsOwn) {
    testsupport::TempFolder temp;
    FileChooserRequest r;
    EXPECT_EQ(ChooserStartPath(r), "");
    r.StartFolder = "/data/";
    EXPECT_EQ(ChooserStartPath(r), "/data/");
    r.FileName = "x.txt";
    EXPECT_EQ(ChooserStartPath(r), "/data/x.txt");
    r.FileName = temp.Root();  // an existing folder opens
    EXPECT_EQ(ChooserStartPath(r), temp.Root() + "/");
    r.FileName = temp.Path("missing");
    EXPECT_EQ(ChooserStartPath(r), temp.Path("missing"));
    r.StartFolder = r.FileName = "relative/dir";  // a picker's text as both: once
    EXPECT_EQ(ChooserStartPath(r), "relative/dir");
}

TEST(ZenityCommand, FilesWithTitleStartAndCaseInsensitiveFilters) {
    EXPECT_EQ(ZenityArguments(OpenTextRequest()),
              (std::vector<std::string>{
                  "--file-selection", "--title=Pick a text", "--filename=/data/my texts/a.txt",
                  "--file-filter=Batch files (*.zip*) | *.[zZ][iI][pP]*",
                  "--file-filter=Text files (*.txt) | *.[tT][xX][tT]", "--file-filter=All | *"}));
}

TEST(ZenityCommand, FolderModeHasNoFiltersAndMultipleChoicesAreSeparated) {
    FileChooserRequest r = OpenTextRequest();
    r.PickFolders = true;
    r.FileName.clear();
    EXPECT_EQ(ZenityArguments(r), (std::vector<std::string>{"--file-selection", "--title=Pick a text",
                                                            "--directory", "--filename=/data/my texts/"}));
    FileChooserRequest m;
    m.MultiSelect = true;
    m.Save = true;
    m.ConfirmOverwrite = true;
    const auto args = ZenityArguments(m);
    EXPECT_EQ(args, (std::vector<std::string>{"--file-selection", "--save", "--confirm-overwrite",
                                              "--multiple", "--separator=\n//\n"}));
}

TEST(ZenityAnswer, SpacesLineBreaksAndLettersOfAnyScriptSurvive) {
    const FileChoice one = ParseZenityAnswer(0, "/home/ana/Meus textos/ação\nnova.txt\n", false);
    EXPECT_TRUE(one.Accepted);
    EXPECT_EQ(one.Paths, (std::vector<std::string>{"/home/ana/Meus textos/ação\nnova.txt"}));
    const FileChoice many = ParseZenityAnswer(0, "/a b/x\n\n//\n/\n//\n/Ωμέγα/y\n", true);
    EXPECT_EQ(many.Paths, (std::vector<std::string>{"/a b/x\n", "/", "/Ωμέγα/y"}));
    EXPECT_FALSE(ParseZenityAnswer(1, "", false).Accepted);
    EXPECT_FALSE(ParseZenityAnswer(0, "", false).Accepted);
    EXPECT_FALSE(ParseZenityAnswer(5, "/timed/out\n", false).Accepted);
}

TEST(KdialogCommand, FolderOpenAndSaveWithKdeStyleFilters) {
    FileChooserRequest r = OpenTextRequest();
    EXPECT_EQ(KdialogArguments(r),
              (std::vector<std::string>{
                  "--title", "Pick a text", "--getopenfilename", "/data/my texts/a.txt",
                  "*.[zZ][iI][pP]*|Batch files (*.zip*)\n*.[tT][xX][tT]|Text files (*.txt)\n*|All"}));
    r.PickFolders = true;
    EXPECT_EQ(KdialogArguments(r),
              (std::vector<std::string>{"--title", "Pick a text", "--getexistingdirectory",
                                        "/data/my texts/a.txt"}));
    FileChooserRequest m;
    m.MultiSelect = true;
    EXPECT_EQ(KdialogArguments(m),
              (std::vector<std::string>{"--multiple", "--separate-output", "--getopenfilename", "."}));
    m.Save = true;
    EXPECT_EQ(KdialogArguments(m), (std::vector<std::string>{"--getsavefilename", "."}));
}

TEST(KdialogAnswer, LinesNotStartingWithASlashContinueTheName) {
    EXPECT_EQ(ParseKdialogAnswer(0, "/a b/ação\nnova\n/c\n", true).Paths,
              (std::vector<std::string>{"/a b/ação\nnova", "/c"}));
    EXPECT_EQ(ParseKdialogAnswer(0, "/one\nline\n", false).Paths, (std::vector<std::string>{"/one\nline"}));
    EXPECT_FALSE(ParseKdialogAnswer(1, "/x\n", false).Accepted);
}

TEST(FileUris, EscapesAreUndoneAndOtherSchemesRefused) {
    EXPECT_EQ(FileUriToPath("file:///home/ana/Meus%20textos/a%C3%A7%C3%A3o%0Anova.txt"),
              "/home/ana/Meus textos/ação\nnova.txt");
    EXPECT_EQ(FileUriToPath("file://localhost/x%2"), "/x%2");
    EXPECT_EQ(FileUriToPath("sftp://host/x"), std::nullopt);
    EXPECT_EQ(FileUriToPath("file://"), std::nullopt);
}

TEST(ChooserPrograms, FoundOnlyAsExecutableFilesInTheSearchPath) {
    testsupport::TempFolder temp;
    const std::string zenity = WriteProgram(temp, "zenity", "exit 0");
    temp.Write("plain/zenity", "not executable");
    EXPECT_EQ(FindProgram("zenity", temp.Path("plain") + "::" + temp.Path("bin")), zenity);
    EXPECT_EQ(FindProgram("kdialog", temp.Path("bin")), std::nullopt);
    EXPECT_EQ(FindProgram("zenity", ""), std::nullopt);
}

TEST(ChooserPrograms, TheDesktopChooserRunsZenityAndReadsItsAnswer) {
    testsupport::TempFolder temp;
    // The stand-in records its arguments one a line and answers a path with a space in it.
    WriteProgram(temp, "zenity",
                 "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"" + temp.Path("args") +
                     "\"; done\nprintf '/chosen dir/ü\\n'");
    DesktopFileChooser chooser({"unix:path=" + temp.Path("no-bus"), temp.Path("bin")});
    FileChooserRequest r;
    r.PickFolders = true;
    r.Title = "T";
    const FileChoice choice = chooser.Choose(r);
    EXPECT_TRUE(choice.Accepted);
    EXPECT_EQ(choice.Paths, (std::vector<std::string>{"/chosen dir/ü"}));
    EXPECT_EQ(temp.Read("args"), "--file-selection\n--title=T\n--directory\n");
}

TEST(ChooserPrograms, KdialogStandsInWhenZenityIsMissing) {
    testsupport::TempFolder temp;
    WriteProgram(temp, "kdialog", "printf '/k\\n'; exit 0");
    DesktopFileChooser chooser({"unix:path=" + temp.Path("no-bus"), temp.Path("bin")});
    EXPECT_EQ(chooser.Choose({}).Paths, (std::vector<std::string>{"/k"}));
    EXPECT_TRUE(chooser.Confirm("t", "q"));
}

TEST(ChooserPrograms, NothingToShowAChooserNamesWhatWasLookedFor) {
    testsupport::TempFolder temp;
    DesktopFileChooser chooser({"unix:path=" + temp.Path("no-bus"), temp.Path("bin")});
    try {
        chooser.Choose({});
        FAIL() << "no error raised";
    } catch (const EFileChooserError& e) {
        EXPECT_NE(e.Message().find("portal"), std::string::npos);
        EXPECT_NE(e.Message().find("zenity"), std::string::npos);
        EXPECT_NE(e.Message().find("kdialog"), std::string::npos);
    }
    EXPECT_FALSE(chooser.Confirm("t", "q"));  // nobody to ask: no
}

// zenity exits with 1 both when the user cancels and when it cannot reach the display; the
// second is an error the user sees, not a cancel. Other failures are errors too.
TEST(ChooserPrograms, AChooserThatCannotOpenIsAnErrorNotACancel) {
    testsupport::TempFolder temp;
    DesktopFileChooser chooser({"unix:path=" + temp.Path("no-bus"), temp.Path("bin")});
    WriteProgram(temp, "zenity", "echo 'Gtk-Message: mapped without a transient parent' >&2; exit 1");
    EXPECT_FALSE(chooser.Choose({}).Accepted);  // cancelled
    WriteProgram(temp, "zenity",
                 "echo '(zenity:7): Gtk-WARNING **: 02:37:18.974: cannot open display: :77' >&2; exit 1");
    try {
        chooser.Choose({});
        FAIL() << "no error raised";
    } catch (const EFileChooserError& e) {
        EXPECT_EQ(e.Message(), "The file chooser (zenity) could not be shown: (zenity:7): Gtk-WARNING **: "
                               "02:37:18.974: cannot open display: :77");
    }
    WriteProgram(temp, "zenity", "exit 255");
    EXPECT_THROW(chooser.Choose({}), EFileChooserError);
    WriteProgram(temp, "zenity", "kill -9 $$");
    EXPECT_THROW(chooser.Choose({}), EFileChooserError);
    // kdialog alone, without a display.
    ::unlink(temp.Path("bin/zenity").c_str());
    WriteProgram(temp, "kdialog", "echo 'qt.qpa.xcb: could not connect to display' >&2; exit 1");
    EXPECT_THROW(chooser.Choose({}), EFileChooserError);
}

// The real zenity, where one is installed, on a display that does not exist.
TEST(ChooserPrograms, RealZenityWithoutADisplayRaises) {
    const std::optional<std::string> zenity = FindProgram("zenity", "/usr/bin:/bin");
    if (!zenity)
        GTEST_SKIP() << "zenity is not installed";
    testsupport::TempFolder temp;
    ::symlink(zenity->c_str(), temp.Path("zenity").c_str());
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const std::string savedDisplay = display ? display : "", savedWayland = wayland ? wayland : "";
    ::setenv("DISPLAY", ":7391", 1);  // nobody serves it
    ::unsetenv("WAYLAND_DISPLAY");
    DesktopFileChooser chooser({"unix:path=" + temp.Path("no-bus"), temp.Root()});
    EXPECT_THROW(chooser.Choose({}), EFileChooserError);
    if (display)
        ::setenv("DISPLAY", savedDisplay.c_str(), 1);
    else
        ::unsetenv("DISPLAY");
    if (wayland)
        ::setenv("WAYLAND_DISPLAY", savedWayland.c_str(), 1);
}

TEST(ChooserPrograms, AProgramThatCannotStartRaises) {
    EXPECT_THROW(RunProgram("/nonexistent/zenity", {}), EFileChooserError);
}

// While a chooser program runs its wait runs the pump now and then, and says a chooser is open;
// what the program writes comes back whole all the same.
TEST(ChooserPrograms, TheWaitRunsThePumpAndTheAnswerIsUnchanged) {
    int turns = 0;
    bool openWhilePumped = true;
    SetChooserPump([&] {
        ++turns;
        openWhilePumped = openWhilePumped && ChooserOpen();
    });
    const ProgramResult run = RunProgram(
        "/bin/sh", {"-c", "printf 'first\\n'; sleep 0.3; printf 'second\\n'; echo oops >&2; exit 3"});
    SetChooserPump(nullptr);
    EXPECT_EQ(run.Output, "first\nsecond\n");
    EXPECT_EQ(run.Errors, "oops\n");
    EXPECT_EQ(run.ExitStatus, 3);
    EXPECT_GE(turns, 5);  // 300 ms in polls of 20
    EXPECT_TRUE(openWhilePumped);
    EXPECT_FALSE(ChooserOpen());

    // Without a pump the wait just waits.
    turns = 0;
    EXPECT_EQ(RunProgram("/bin/sh", {"-c", "sleep 0.1; echo done"}).Output, "done\n");
    EXPECT_EQ(turns, 0);
}
