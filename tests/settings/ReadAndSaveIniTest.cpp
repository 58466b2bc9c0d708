#include "settings/ReadAndSaveIni.h"

#include "SettingsFixture.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/CheckListBox.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Frames.h"
#include "framework/controls/Panel.h"
#include "framework/controls/RadioGroup.h"
#include "framework/platform/LinuxPlatform.h"
#include "framework/rtl/DateUtils.h"
#include "framework/rtl/Exceptions.h"
#include "sibling/My_advcombou.h"
#include "sibling/My_string_functions.h"
#include "vendor/AdvControls.h"
#include "vendor/ElButtons.h"
#include "vendor/ElEdits.h"
#include "vendor/VendorCombos.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

using namespace framework;
using namespace vendor;
using namespace lm7;
using testsupport::FormPtr;
using testsupport::MakeForm;

namespace {

template <class T> T* Add(TComponent* owner, const std::string& name, TWinControl* parent = nullptr) {
    T* c = Create<T>(owner);
    if (!name.empty())
        c->SetName(name);
    if (parent)
        c->SetParent(parent);
    return c;
}

// Restores the switches every test may change.
struct SwitchGuard {
    bool lists = MEMINI_include_Listboxes, memos = MEMINI_include_Memos, files = MEMINI_check_filenames;
    bool checks = sibling::MEMINI_include_checklistbox_checkeds;
    ~SwitchGuard() {
        MEMINI_include_Listboxes = lists;
        MEMINI_include_Memos = memos;
        MEMINI_check_filenames = files;
        sibling::MEMINI_include_checklistbox_checkeds = checks;
    }
};

class FormState : public settingstest::SettingsMachine {
protected:
    SwitchGuard guard;
    std::string ini = tmp.Path("state/tool.ini");
};

}  // namespace

// --- The file as it is written ---

TEST_F(FormState, WorkedExampleGivesFourSectionsInOrder) {
    tmp.MakeFolder("media/STICK/texts/novels");
    FormPtr form = MakeForm();
    auto* corpus = Add<TElFolderNameEdit>(form.get(), "EditCorpus", form.get());
    corpus->SetText(stick + "/texts/novels");
    auto* sort = Add<TRadioGroup>(form.get(), "RadioSort", form.get());
    sort->Items()->SetText("name\nsize\ndate\n");
    sort->SetItemIndex(2);
    auto* spin = Add<TAdvSpinEdit>(form.get(), "SpinMax", form.get());
    spin->SetValue(100);
    auto* cols = Add<TElCheckGroup>(form.get(), "GroupCols", form.get());
    cols->Items()->SetText("a\nb\n");
    cols->SetChecked(0, true);

    SaveIni(form.get(), ini);
    EXPECT_EQ(tmp.Read("state/tool.ini"), "[EditCorpus]\ntext=app_drive$texts/novels\n\n"
                                          "[RadioSort]\ni=2\n\n"
                                          "[SpinMax]\nvalue=100\n\n"
                                          "[GroupCols]\nchecked0=true\nchecked1=false\n\n");

    FormPtr fresh = MakeForm();
    auto* corpus2 = Add<TElFolderNameEdit>(fresh.get(), "EditCorpus", fresh.get());
    auto* sort2 = Add<TRadioGroup>(fresh.get(), "RadioSort", fresh.get());
    sort2->Items()->SetText("name\nsize\ndate\n");
    auto* spin2 = Add<TAdvSpinEdit>(fresh.get(), "SpinMax", fresh.get());
    auto* cols2 = Add<TElCheckGroup>(fresh.get(), "GroupCols", fresh.get());
    cols2->Items()->SetText("a\nb\n");
    cols2->SetChecked(1, true);
    ReadIni(fresh.get(), ini);
    EXPECT_EQ(corpus2->Text(), stick + "/texts/novels");
    EXPECT_EQ(sort2->ItemIndex(), 2);
    EXPECT_EQ(spin2->Value(), 100);
    EXPECT_TRUE(cols2->Checked(0));
    EXPECT_FALSE(cols2->Checked(1));
}

TEST_F(FormState, SaveRewritesTheWholeFile) {
    tmp.Write("state/tool.ini", "[Gone]\ntext=old\n\n[Edit1]\ntext=old\n");
    FormPtr form = MakeForm();
    Add<TEdit>(form.get(), "Edit1")->SetText("new");
    SaveIni(form.get(), ini);
    EXPECT_EQ(tmp.Read("state/tool.ini"), "[Edit1]\ntext=new\n\n");
}

TEST_F(FormState, ReadingAMissingFileChangesNothing) {
    FormPtr form = MakeForm();
    auto* edit = Add<TEdit>(form.get(), "Edit1");
    edit->SetText("designed");
    auto* box = Add<TCheckBox>(form.get(), "Check1");
    box->SetChecked(true);
    ReadIni(form.get(), ini);
    ReadIni(form.get(), std::string());
    EXPECT_EQ(edit->Text(), "designed");
    EXPECT_TRUE(box->Checked());
    EXPECT_FALSE(tmp.Exists("state/tool.ini"));
}

TEST_F(FormState, MissingKeysGiveDefaultsButSelectionsStay) {
    tmp.Write("state/tool.ini", "[Other]\nx=1\n");
    FormPtr form = MakeForm();
    auto* edit = Add<TEdit>(form.get(), "Edit1");
    edit->SetText("designed");
    auto* box = Add<TCheckBox>(form.get(), "Check1");
    box->SetChecked(true);
    auto* group = Add<TRadioGroup>(form.get(), "Group1");
    group->Items()->SetText("a\nb\n");
    group->SetItemIndex(1);
    auto* spin = Add<TElSpinEdit>(form.get(), "Spin1");
    spin->SetValue(5);
    ReadIni(form.get(), ini);
    EXPECT_EQ(edit->Text(), "");
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(spin->Value(), 0);
}

TEST_F(FormState, NamesThatAreNotAbsolutePathsSaveNothing) {
    FormPtr form = MakeForm();
    Add<TEdit>(form.get(), "Edit1")->SetText("x");
    for (const char* name : {"", "x.ini", "a/x.ini", "ab/x.ini"})
        EXPECT_NO_THROW(SaveIni(form.get(), name)) << name;
    EXPECT_FALSE(std::filesystem::exists("x.ini"));
    EXPECT_FALSE(std::filesystem::exists("ab/x.ini"));
    SaveIni(form.get(), tmp.Path("deep/new/folders/x.ini"));
    EXPECT_EQ(tmp.Read("deep/new/folders/x.ini"), "[Edit1]\ntext=x\n\n");
}

TEST_F(FormState, OverloadsNameTheFileAfterTheProgram) {
    FormPtr form = MakeForm();
    Add<TEdit>(form.get(), "Edit1")->SetText("beside");
    SaveIni(form.get());
    EXPECT_TRUE(tmp.Exists("media/STICK/tools/tool.ini"));
    EXPECT_EQ(DefaultIniFilename(false), stick + "/tools/tool.ini");
    EXPECT_EQ(DefaultIniFilename(true), home + "/Documents/lumo7/tool.ini");

    auto* edit = static_cast<TEdit*>(form->FindComponent("Edit1"));
    edit->SetText("changed");
    ReadIni(form.get(), true);  // nothing in the documents folder yet
    EXPECT_EQ(edit->Text(), "changed");
    SaveIni(form.get(), true);  // creates the suite's documents folder
    EXPECT_TRUE(tmp.Exists("home/u/Documents/lumo7/tool.ini"));
    edit->SetText("");
    ReadIni(form.get());
    EXPECT_EQ(edit->Text(), "beside");
    fake.UnsetEnv("HOME");
    EXPECT_THROW(SaveIni(form.get(), true), Exception);
}

// --- The walk ---

TEST_F(FormState, FramesAreWalkedIntoAndShareSectionsByName) {
    FormPtr form = MakeForm();
    auto* frame1 = Add<TFrame>(form.get(), "Frame1", form.get());
    auto* frame2 = Add<TFrame>(form.get(), "Frame2", form.get());
    Add<TEdit>(frame1, "Edit1", frame1)->SetText("first");
    Add<TEdit>(frame2, "Edit1", frame2)->SetText("second");
    SaveIni(form.get(), ini);
    EXPECT_EQ(tmp.Read("state/tool.ini"), "[Edit1]\ntext=second\n\n");
    static_cast<TEdit*>(frame1->Components(0))->SetText("");
    ReadIni(form.get(), ini);
    EXPECT_EQ(static_cast<TEdit*>(frame1->Components(0))->Text(), "second");
}

TEST_F(FormState, OwnershipNotParentageDecides) {
    FormPtr form = MakeForm();
    auto* panel = Add<TPanel>(form.get(), "Panel1", form.get());
    Add<TEdit>(form.get(), "OnPanel", panel)->SetText("owned by the form");
    // Owned by a named edit: a handled control is not walked into.
    auto* holder = Add<TEdit>(form.get(), "Holder");
    Add<TEdit>(holder, "Inner")->SetText("never");
    Add<TEdit>(form.get(), "")->SetText("unnamed");
    SaveIni(form.get(), ini);
    EXPECT_EQ(tmp.Read("state/tool.ini"), "[OnPanel]\ntext=owned by the form\n\n[Holder]\ntext=\n\n");
}

TEST_F(FormState, RichEditIsNeitherStoredNorWalkedInto) {
    FormPtr form = MakeForm();
    auto* rich = Add<TRichEdit>(form.get(), "Rich1");
    rich->SetText("formatted");
    Add<TEdit>(rich, "Inside")->SetText("x");
    MEMINI_include_Memos = true;
    SaveIni(form.get(), ini);
    EXPECT_EQ(tmp.Read("state/tool.ini"), "");
    tmp.Write("state/tool.ini", "[Rich1]\ncount=1\nitem0=other\ntext=other\n\n[Inside]\ntext=y\n");
    ReadIni(form.get(), ini);
    EXPECT_EQ(rich->Text(), "formatted\n");
    EXPECT_EQ(static_cast<TEdit*>(rich->Components(0))->Text(), "x");
}

namespace {

// A control that counts its paintings.
template <class Base> struct Counted : Base {
    using Base::Base;
    int painted = 0;
    void Paint() override {
        ++painted;
        Base::Paint();
    }
};

}  // namespace

TEST_F(FormState, ReadingBackTheSavedStateRepaintsNothing) {
    FormPtr form = MakeForm(400, 400);
    auto* check = Add<Counted<TCheckBox>>(form.get(), "Check", form.get());
    check->SetChecked(true);
    auto* group = Add<Counted<TRadioGroup>>(form.get(), "Group", form.get());
    group->Items()->SetText("a\nb\n");
    group->SetItemIndex(1);
    auto* spin = Add<Counted<TElSpinEdit>>(form.get(), "Spin", form.get());
    spin->SetValue(7);
    auto* marks = Add<Counted<TElCheckGroup>>(form.get(), "Marks", form.get());
    marks->Items()->SetText("a\nb\nc\n");
    marks->SetChecked(2, true);
    auto* password = Add<Counted<TElEdit>>(form.get(), "Password", form.get());
    password->SetPasswordChar('*');
    password->SetText("secret");
    auto* file = Add<Counted<TElFileNameEdit>>(form.get(), "File", form.get());
    file->SetText(stick + "/gone/a.txt");
    int changes = 0;
    spin->OnChange = password->OnChange = file->OnChange = TNotifyEvent::Lambda([&](TObject*) { ++changes; });
    const std::vector<int*> paints = {&check->painted, &group->painted,    &spin->painted,
                                      &marks->painted, &password->painted, &file->painted};
    SaveIni(form.get(), ini);
    testsupport::Picture(*form);
    std::vector<int> before;
    for (const int* p : paints)
        before.push_back(*p);

    ReadIni(form.get(), ini);
    testsupport::Picture(*form);
    for (std::size_t i = 0; i < paints.size(); ++i)
        EXPECT_EQ(*paints[i], before[i]) << i;
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(check->Checked() && group->ItemIndex() == 1 && spin->Value() == 7 && marks->Checked(2));
}

// --- Paths and the drive token ---

TEST_F(FormState, PathsComeBackOnTheSticksNewMountPoint) {
    tmp.Write("media/STICK/texts/a.txt", "a");
    tmp.Write("media/OTHER/texts/a.txt", "a");
    FormPtr form = MakeForm();
    auto* file = Add<TElFileNameEdit>(form.get(), "File1");
    file->SetText(stick + "/texts/a.txt");
    SaveIni(form.get(), ini);
    EXPECT_NE(tmp.Read("state/tool.ini").find("text=app_drive$texts/a.txt"), std::string::npos);

    MoveStickTo(other);
    FormPtr fresh = MakeForm();
    auto* file2 = Add<TElFileNameEdit>(fresh.get(), "File1");
    ReadIni(fresh.get(), ini);
    EXPECT_EQ(file2->Text(), other + "/texts/a.txt");
}

// Folder choosers give the mount root without its '/': it travels with the stick all the same.
TEST_F(FormState, TheMountRootWithoutItsSlashComesBackOnTheNewMountPoint) {
    FormPtr form = MakeForm();
    auto* bare = Add<TElFolderNameEdit>(form.get(), "Bare");
    auto* slashed = Add<TElFolderNameEdit>(form.get(), "Slashed");
    bare->SetText(stick);
    slashed->SetText(stick + "/");
    EXPECT_EQ(EncodeAppDrivePath(stick), "app_drive$");
    EXPECT_EQ(EncodeAppDrivePath(stick + "x"), stick + "x");  // another mount beside it
    SaveIni(form.get(), ini);
    EXPECT_EQ(tmp.Read("state/tool.ini"), "[Bare]\ntext=app_drive$\n\n[Slashed]\ntext=app_drive$\n\n");

    MoveStickTo(other);
    FormPtr fresh = MakeForm();
    auto* bare2 = Add<TElFolderNameEdit>(fresh.get(), "Bare");
    auto* slashed2 = Add<TElFolderNameEdit>(fresh.get(), "Slashed");
    ReadIni(fresh.get(), ini);
    EXPECT_EQ(bare2->Text(), other + "/");
    EXPECT_EQ(slashed2->Text(), other + "/");
    // Run from the system disk, a stick's mount point is another drive, with or without '/'.
    fake.SetExecutablePath(home + "/tool");
    EXPECT_EQ(EncodeAppDrivePath(other), other);
    EXPECT_EQ(EncodeAppDrivePath(other + "/"), other + "/");
}

// An ini path that is no regular file is a clear error at once, and no control changes.
TEST_F(FormState, ReadingAnIniThatIsNoRegularFileRaises) {
    FormPtr form = MakeForm();
    auto* edit = Add<TEdit>(form.get(), "Edit1");
    edit->SetText("designed");
    tmp.MakeFolder("state");
    for (const std::string& special : tmp.MakeSpecialFiles()) {
        std::filesystem::remove(ini);
        std::filesystem::create_symlink(special, ini);
        EXPECT_THROW(ReadIni(form.get(), ini), EFOpenError) << special;
        EXPECT_EQ(edit->Text(), "designed");
    }
}

TEST_F(FormState, PathsElsewhereAreKeptAsWritten) {
    FormPtr form = MakeForm();
    const std::string elsewhere = tmp.Write("home/u/notes.txt", "n");
    const std::string onOther = tmp.Write("media/OTHER/x.txt", "x");
    EXPECT_EQ(EncodeAppDrivePath(elsewhere), elsewhere);
    EXPECT_EQ(EncodeAppDrivePath(onOther), onOther);
    EXPECT_EQ(EncodeAppDrivePath(stick + "/x"), "app_drive$x");
    EXPECT_EQ(EncodeAppDrivePath(""), "");
    // A program on the system disk: "/" starts every path, but a stick below it is elsewhere.
    fake.SetExecutablePath(home + "/tool");
    EXPECT_EQ(AppDriveRoot(), "/");
    EXPECT_EQ(EncodeAppDrivePath(elsewhere), "app_drive$" + elsewhere.substr(1));
    EXPECT_EQ(EncodeAppDrivePath(onOther), onOther);
}

TEST_F(FormState, DecodingChecksWhatIsLeft) {
    const std::string folder = tmp.MakeFolder("media/STICK/texts");
    EXPECT_EQ(DecodeAppDrivePath("app_drive$texts/gone.txt", true), folder + "/");
    EXPECT_EQ(DecodeAppDrivePath("app_drive$nowhere/gone.txt", true), stick + "/nowhere/gone.txt");
    EXPECT_EQ(DecodeAppDrivePath("app_drive$texts", false), folder);
    EXPECT_EQ(DecodeAppDrivePath("app_drive$vanished", false), "");
    EXPECT_EQ(DecodeAppDrivePath("App_Drive$texts", false), "");  // the token is case-sensitive
    EXPECT_EQ(DecodeAppDrivePath("", true), "");
}

// Every shape of stored text, for a file and for a folder, decoded one after another: what
// one decoding learnt about missing folders does not spill into the next.
TEST_F(FormState, DecodingEveryShapeOfStoredText) {
    tmp.Write("media/STICK/texts/a.txt", "a");
    const std::string root = stick + "/";
    const struct {
        std::string_view Stored;
        std::string AsFile, AsFolder;
    } cases[] = {
        {"app_drive$texts/a.txt", root + "texts/a.txt", root + "texts/a.txt"},
        {"app_drive$texts/gone.txt", root + "texts/", ""},
        {"app_drive$gone/b.txt", root + "gone/b.txt", ""},
        {"app_drive$texts", root, root + "texts"},
        {"", "", ""},
        {"/elsewhere/c.txt", "/elsewhere/c.txt", ""},
        {"app_drive$", root, root},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeAppDrivePath(c.Stored, true), c.AsFile) << c.Stored;
        EXPECT_EQ(DecodeAppDrivePath(c.Stored, false), c.AsFolder) << c.Stored;
    }
}

// The path edits of one read, each with its own text: long after short, short after long, a
// password and an empty one between them.
TEST_F(FormState, EveryPathEditOfAReadGetsItsOwnPath) {
    tmp.Write("media/STICK/texts/a.txt", "a");
    FormPtr form = MakeForm();
    const std::vector<std::pair<std::string, std::string>> stored = {
        {"app_drive$texts/a.txt", stick + "/texts/a.txt"},
        {"app_drive$texts/a much longer name that is gone.txt", stick + "/texts/"},
        {"app_drive$gone/b.txt", stick + "/gone/b.txt"},
        {"", ""},
        {"app_drive$gone/deeper/still/c.txt", stick + "/gone/deeper/still/c.txt"},
        {"app_drive$t.txt", stick + "/"},
    };
    std::string text;
    std::vector<TElFileNameEdit*> edits;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        edits.push_back(Add<TElFileNameEdit>(form.get(), "File" + std::to_string(i)));
        edits.back()->SetText("before");
        text += "[File" + std::to_string(i) + "]\ntext=" + stored[i].first + "\n";
        auto* password = Add<TElEdit>(form.get(), "Password" + std::to_string(i));
        password->SetPasswordChar('*');
        text += "[Password" + std::to_string(i) +
                "]\ntext=" + sibling::PwdToNumStr("pw" + std::to_string(i)) + "\n";
    }
    auto* folder = Add<TElFolderNameEdit>(form.get(), "Folder");
    text += "[Folder]\ntext=app_drive$texts\n";
    tmp.Write("state/tool.ini", text);
    ReadIni(form.get(), ini);
    for (std::size_t i = 0; i < stored.size(); ++i) {
        EXPECT_EQ(edits[i]->Text(), stored[i].second) << stored[i].first;
        EXPECT_EQ(static_cast<TElEdit*>(form->FindComponent("Password" + std::to_string(i)))->Text(),
                  "pw" + std::to_string(i));
    }
    EXPECT_EQ(folder->Text(), stick + "/texts");
}

TEST_F(FormState, PathsBelowAMissingFolderAreAskedAboutOnce) {
    tmp.MakeFolder("media/STICK/gone2/texts");  // shares a prefix with the missing folder
    FormPtr form = MakeForm();
    std::vector<TElFileNameEdit*> edits;
    for (int i = 0; i < 40; ++i) {
        edits.push_back(Add<TElFileNameEdit>(form.get(), "File" + std::to_string(i)));
        edits.back()->SetText(stick + "/gone/project " + std::to_string(i) + "/a.txt");
    }
    auto* sibling = Add<TElFileNameEdit>(form.get(), "Sibling");
    sibling->SetText(stick + "/gone2/texts/a.txt");
    auto* folder = Add<TElFolderNameEdit>(form.get(), "Folder");
    folder->SetText(stick + "/gone/project 1");
    SaveIni(form.get(), ini);

    const int before = fake.StatCalls();
    ReadIni(form.get(), ini);
    EXPECT_LT(fake.StatCalls() - before, 20);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(edits[static_cast<std::size_t>(i)]->Text(),
                  stick + "/gone/project " + std::to_string(i) + "/a.txt");
    EXPECT_EQ(sibling->Text(), stick + "/gone2/texts/");
    EXPECT_EQ(folder->Text(), "");

    // What was missing during one read is asked about again by the next.
    tmp.MakeFolder("media/STICK/gone/project 3");
    ReadIni(form.get(), ini);
    EXPECT_EQ(edits[3]->Text(), stick + "/gone/project 3/");
    EXPECT_EQ(edits[4]->Text(), stick + "/gone/project 4/a.txt");
}

TEST_F(FormState, PathEditsWithoutTheSwitchStoreTheirTextAsIs) {
    MEMINI_check_filenames = false;
    FormPtr form = MakeForm();
    auto* file = Add<TElFileNameEdit>(form.get(), "File1");
    file->SetText(stick + "/gone/a.txt");
    SaveIni(form.get(), ini);
    file->SetText("");
    ReadIni(form.get(), ini);
    EXPECT_EQ(file->Text(), stick + "/gone/a.txt");
}

TEST_F(FormState, FolderPickerIsAPlainEdit) {
    // The suite's folder picker is a framework edit: its text goes in unchanged.
    FormPtr form = MakeForm();
    Add<TEdit>(form.get(), "Folder1")->SetText(stick + "/texts");
    SaveIni(form.get(), ini);
    EXPECT_EQ(tmp.Read("state/tool.ini"), "[Folder1]\ntext=" + stick + "/texts\n\n");
}

// --- Safe saving ---

class FailedSave : public FormState {
protected:
    FormPtr form = MakeForm();
    void SetUp() override {
        FormState::SetUp();
        Add<TEdit>(form.get(), "Edit1")->SetText(std::string(100000, 'n'));
        tmp.Write("state/tool.ini", "[Edit1]\ntext=old\n\n");
    }
    void ExpectOldFile() {
        EXPECT_EQ(tmp.Read("state/tool.ini"), "[Edit1]\ntext=old\n\n");
        for (const auto& e : std::filesystem::directory_iterator(tmp.Path("state")))
            EXPECT_EQ(e.path().filename(), "tool.ini");  // no temporary file left behind
    }
};

TEST_F(FailedSave, WriteErrorMidwayReachesTheCallerAndKeepsTheOldFile) {
    fake.FailWriteAt(platform::WriteStep::Write, EIO, 4096);
    EXPECT_THROW(SaveIni(form.get(), ini), EFCreateError);
    ExpectOldFile();
}

TEST_F(FailedSave, FullDiskKeepsTheOldFile) {
    fake.FailWriteAt(platform::WriteStep::Sync, ENOSPC);
    EXPECT_THROW(SaveIni(form.get(), ini), Exception);
    ExpectOldFile();
    fake.FailWriteAt(platform::WriteStep::Rename, ENOSPC);
    EXPECT_THROW(SaveIni(form.get(), ini), Exception);
    ExpectOldFile();
}

TEST_F(FailedSave, ReadOnlyFileSystemKeepsTheOldFile) {
    // What a read-only mount answers, also when the tests run as root.
    fake.FailWriteAt(platform::WriteStep::CreateTemp, EROFS);
    EXPECT_THROW(SaveIni(form.get(), ini), EFCreateError);
    ExpectOldFile();
}

TEST_F(FailedSave, ReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    chmod(tmp.Path("state").c_str(), 0555);
    EXPECT_THROW(SaveIni(form.get(), ini), EFCreateError);
    chmod(tmp.Path("state").c_str(), 0755);
    ExpectOldFile();
}

TEST_F(FailedSave, OneAtomicWriteAndNoReadPerSaveOneReadPerRestore) {
    const int writes = fake.AtomicWriteCalls();
    SaveIni(form.get(), ini);
    EXPECT_EQ(fake.AtomicWriteCalls(), writes + 1);
    EXPECT_EQ(fake.ReadFileCalls(ini), 0);
    ReadIni(form.get(), ini);
    EXPECT_EQ(fake.ReadFileCalls(ini), 1);
    EXPECT_EQ(fake.AtomicWriteCalls(), writes + 1);
}

TEST_F(FailedSave, DamagedOldFileDoesNotStopASave) {
    tmp.Write("state/tool.ini", std::string("\xFF\xFE[\0E\0", 6) + std::string(3, '\x01'));
    SaveIni(form.get(), ini);
    EXPECT_NE(tmp.Read("state/tool.ini").find("[Edit1]\ntext=nnn"), std::string::npos);
}

// --- Damaged files on reading ---

TEST_F(FormState, DamagedFilesGiveDefaultsNeverACrash) {
    FormPtr form = MakeForm();
    Add<TEdit>(form.get(), "Edit1");
    auto* group = Add<TRadioGroup>(form.get(), "Group1");
    group->Items()->SetText("a\nb\n");
    group->SetItemIndex(1);
    MEMINI_include_Listboxes = true;
    auto* list = Add<TListBox>(form.get(), "List1");
    list->Items()->SetText("designed\n");
    const std::string junk[] = {
        std::string("\0\1\2\3[Edit1]\0text=\xFF\xFE", 20),
        std::string("\xFF\xFE[\0E\0d\0i\0t\0"
                    "1\0]\0\n\0t\0e\0x\0t\0=\0",
                    27),  // UTF-16 cut mid-character
        "[Group1]\ni=99999999999999999999\n[List1]\ncount=2147483647\nitem0=x\n",
        "[Group1]\ni=-5\n[List1]\ncount=-3\n[Edit1]\ntext=\"\\x\\\n",
    };
    for (const std::string& bytes : junk) {
        tmp.Write("state/tool.ini", bytes);
        EXPECT_NO_THROW(ReadIni(form.get(), ini));
        EXPECT_EQ(group->ItemIndex(), 1);
        EXPECT_GE(list->Count(), 1);
    }
    EXPECT_EQ(list->Items()->Text(), "x\n");  // a count of -3 is no list: the last one read stays
}

TEST_F(FormState, HundredMegabyteLineIsReadOrRefusedCleanly) {
    std::string big = "[Edit1]\ntext=";
    big.append(100u << 20, 'x');
    big += "\n";
    tmp.Write("state/tool.ini", big);
    FormPtr form = MakeForm();
    auto* edit = Add<TEdit>(form.get(), "Edit1");
    ReadIni(form.get(), ini);
    EXPECT_EQ(edit->Text().size(), 100u << 20);
}

TEST_F(FormState, UnreadableFileIsAClearError) {
    tmp.MakeFolder("state/tool.ini");  // a folder where the file should be
    FormPtr form = MakeForm();
    Add<TEdit>(form.get(), "Edit1")->SetText("kept");
    EXPECT_NO_THROW(ReadIni(form.get(), ini));  // not a file: nothing to read
    EXPECT_THROW(SaveIni(form.get(), ini), EFCreateError);
}
