#include "settings/IniHandlers.h"

#include "SettingsFixture.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/CheckListBox.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Frames.h"
#include "framework/controls/RadioGroup.h"
#include "framework/rtl/DateUtils.h"
#include "settings/ReadAndSaveIni.h"
#include "sibling/Inifilebase.h"
#include "sibling/My_advcombou.h"
#include "vendor/AdvControls.h"
#include "vendor/ElButtons.h"
#include "vendor/ElEdits.h"
#include "vendor/VendorCombos.h"

using namespace framework;
using namespace vendor;
using namespace lm7;
using testsupport::FormPtr;
using testsupport::MakeForm;

namespace {

template <class T> T* Add(TComponent* owner, const std::string& name) {
    T* c = Create<T>(owner);
    if (!name.empty())
        c->SetName(name);
    return c;
}

// One control of every dispatch row, and the awkward cases around them.
struct AllKinds {
    FormPtr form = MakeForm();
    TCheckListBox* checkList;
    TListBox* list;
    TElCheckGroup* checkGroup;
    TElDateTimePicker* date;
    TElCheckBox* elCheck;
    TAdvOfficeCheckBox* officeCheck;
    TCheckBox* check;
    TElSpinEdit* elSpin;
    TAdvSpinEdit* intSpin;
    TAdvSpinEdit* floatSpin;
    TElRadioButton* elRadio;
    TAdvOfficeRadioButton* officeRadio;
    TRadioButton* radio;
    TElRadioGroup* elGroup;
    TAdvOfficeRadioGroup* officeGroup;
    TRadioGroup* group;
    TElComboBox* elCombo;
    sibling::TmyAdvFilterCombo* filter;
    TAdvCustomCombo* advCombo;
    TAdvCustomComboBox* fontCombo;
    TElEdit* elEdit;
    TElEdit* password;
    TElFileNameEdit* fileEdit;
    TElFolderNameEdit* folderEdit;
    TElFileNameEdit* multiFile;
    TElMemo* elMemo;
    TElFloatSpinEdit* floatElSpin;
    TEdit* edit;
    TMemo* memo;
    TRichEdit* rich;
    TEdit* unnamed;
    TEdit* inFrame;

    explicit AllKinds(bool designed) {
        TComponent* f = form.get();
        checkList = Add<TCheckListBox>(f, "CheckList");
        list = Add<TListBox>(f, "List");
        checkGroup = Add<TElCheckGroup>(f, "CheckGroup");
        date = Add<TElDateTimePicker>(f, "Date");
        elCheck = Add<TElCheckBox>(f, "ElCheck");
        officeCheck = Add<TAdvOfficeCheckBox>(f, "OfficeCheck");
        check = Add<TCheckBox>(f, "Check");
        elSpin = Add<TElSpinEdit>(f, "ElSpin");
        intSpin = Add<TAdvSpinEdit>(f, "IntSpin");
        floatSpin = Add<TAdvSpinEdit>(f, "FloatSpin");
        floatSpin->SetSpinType(sptFloat);
        elRadio = Add<TElRadioButton>(f, "ElRadio");
        officeRadio = Add<TAdvOfficeRadioButton>(f, "OfficeRadio");
        radio = Add<TRadioButton>(f, "Radio");
        elGroup = Add<TElRadioGroup>(f, "ElGroup");
        officeGroup = Add<TAdvOfficeRadioGroup>(f, "OfficeGroup");
        group = Add<TRadioGroup>(f, "Group");
        elCombo = Add<TElComboBox>(f, "ElCombo");
        filter = Add<sibling::TmyAdvFilterCombo>(f, "Filter");
        advCombo = Add<TAdvCustomCombo>(f, "AdvCombo");
        fontCombo = Add<TAdvCustomComboBox>(f, "FontCombo");
        elEdit = Add<TElEdit>(f, "ElEdit");
        password = Add<TElEdit>(f, "Password");
        password->SetPasswordChar('*');
        fileEdit = Add<TElFileNameEdit>(f, "FileEdit");
        folderEdit = Add<TElFolderNameEdit>(f, "FolderEdit");
        multiFile = Add<TElFileNameEdit>(f, "MultiFile");
        multiFile->SetOptions(multiFile->Options() | OpenOptionBit(ofAllowMultiSelect));
        elMemo = Add<TElMemo>(f, "ElMemo");
        floatElSpin = Add<TElFloatSpinEdit>(f, "FloatElSpin");
        edit = Add<TEdit>(f, "Edit");
        memo = Add<TMemo>(f, "Memo");
        rich = Add<TRichEdit>(f, "Rich");
        unnamed = Add<TEdit>(f, "");
        auto* frame = Add<TFrame>(f, "Frame");
        inFrame = Add<TEdit>(frame, "InFrame");
        for (TCustomRadioGroup* g :
             std::initializer_list<TCustomRadioGroup*>{checkGroup, elGroup, officeGroup, group})
            g->Items()->SetText("a\nb\nc\n");
        checkList->Items()->SetText("x\ny\nz\n");
        if (designed)
            return;
        checkList->SetChecked(1, true);
        checkList->SetItemIndex(2);
        list->Items()->SetText("  lead\nb=c;d\n[e]\n");
        list->SetItemIndex(0);
        checkGroup->SetChecked(2, true);
        date->SetDateTime(EncodeDate(2024, 2, 29) + 0.5);
        elCheck->SetChecked(true);
        officeCheck->SetChecked(true);
        check->SetChecked(true);
        elSpin->SetValue(42);
        intSpin->SetValue(-7);
        floatSpin->SetFloatValue(1.0 / 3.0);
        elRadio->SetChecked(true);
        officeRadio->SetChecked(true);
        radio->SetChecked(true);
        elGroup->SetItemIndex(0);
        officeGroup->SetItemIndex(1);
        group->SetItemIndex(2);
        elCombo->Items()->SetText("one\ntwo\n");
        elCombo->SetItemIndex(1);
        filter->SetFilter("Text files|*.txt|All files|*.*");
        filter->BuildList();
        advCombo->SetText("typed");
        fontCombo->SetText("DejaVu Sans");
        elEdit->SetText(" spaced \\ \"quoted\" ");
        password->SetText("s3cret");
        elMemo->Lines()->SetText("first\n\n  third  \n");
        floatElSpin->SetText("2.5");
        edit->SetText("line\nbreak");
        memo->Lines()->SetText("m1\nm2\n");
        rich->SetText("rich");
        unnamed->SetText("nobody");
        inFrame->SetText("framed");
    }
};

class AllRows : public settingstest::SettingsMachine {
protected:
    std::string ini = tmp.Path("all.ini");
    bool lists = MEMINI_include_Listboxes, memos = MEMINI_include_Memos;
    bool checks = sibling::MEMINI_include_checklistbox_checkeds;
    void TearDown() override {
        MEMINI_include_Listboxes = lists;
        MEMINI_include_Memos = memos;
        sibling::MEMINI_include_checklistbox_checkeds = checks;
    }
    void Files(TElFileNameEdit* e, int n) {
        for (int i = 0; i < n; ++i)
            e->Files()->AddObject(tmp.Write("media/STICK/f" + std::to_string(i), ""),
                                  TStrings::IntToObject(i % 2));
    }
};

}  // namespace

TEST_F(AllRows, EveryKindSurvivesSaveAndReadWithEverySwitch) {
    for (int mask = 0; mask < 8; ++mask) {
        SCOPED_TRACE(mask);
        MEMINI_include_Listboxes = mask & 1;
        MEMINI_include_Memos = mask & 2;
        sibling::MEMINI_include_checklistbox_checkeds = mask & 4;
        tmp.MakeFolder("media/STICK/docs");
        AllKinds a(false);
        a.fileEdit->SetText(tmp.Write("media/STICK/docs/a.txt", ""));
        a.folderEdit->SetText(stick + "/docs");
        Files(a.multiFile, 80);
        a.multiFile->SetText(stick + "/f0");
        SaveIni(a.form.get(), ini);
        const std::string text = tmp.Read("all.ini");
        EXPECT_EQ(text.find("s3cret"), std::string::npos);
        EXPECT_EQ(text.find("[Rich]"), std::string::npos);
        EXPECT_EQ(text.find("nobody"), std::string::npos);

        AllKinds b(true);
        b.multiFile->Files()->Add("already there");
        ReadIni(b.form.get(), ini);
        EXPECT_EQ(b.checkList->Items()->Text(), MEMINI_include_Listboxes ? "x\ny\nz\n" : "x\ny\nz\n");
        EXPECT_EQ(b.checkList->ItemIndex(), MEMINI_include_Listboxes ? 2 : -1);
        EXPECT_EQ(b.checkList->Checked(1),
                  MEMINI_include_Listboxes && sibling::MEMINI_include_checklistbox_checkeds);
        EXPECT_EQ(b.list->Items()->Text(), MEMINI_include_Listboxes ? "  lead\nb=c;d\n[e]\n" : "");
        EXPECT_TRUE(b.checkGroup->Checked(2));
        EXPECT_FALSE(b.checkGroup->Checked(0));
        EXPECT_EQ(b.date->DateTime(), EncodeDate(2024, 2, 29));  // the time of day is not kept
        EXPECT_TRUE(b.elCheck->Checked() && b.officeCheck->Checked() && b.check->Checked());
        EXPECT_EQ(b.elSpin->Value(), 42);
        EXPECT_EQ(b.intSpin->Value(), -7);
        EXPECT_EQ(b.floatSpin->FloatValue(), 1.0 / 3.0);
        EXPECT_TRUE(b.elRadio->Checked() && b.officeRadio->Checked() && b.radio->Checked());
        EXPECT_EQ(b.elGroup->ItemIndex(), 0);
        EXPECT_EQ(b.officeGroup->ItemIndex(), 1);
        EXPECT_EQ(b.group->ItemIndex(), 2);
        EXPECT_EQ(b.elCombo->Items()->Text(), "one\ntwo\n");
        EXPECT_EQ(b.elCombo->Text(), "two");
        EXPECT_EQ(b.filter->Items()->Text(), "Text files\nAll files\n");
        EXPECT_EQ(b.advCombo->Text(), "typed");
        EXPECT_EQ(b.fontCombo->Text(), "DejaVu Sans");
        EXPECT_EQ(b.elEdit->Text(), " spaced \\ \"quoted\" ");
        EXPECT_EQ(b.password->Text(), "s3cret");
        EXPECT_EQ(b.fileEdit->Text(), stick + "/docs/a.txt");
        EXPECT_EQ(b.folderEdit->Text(), stick + "/docs");
        ASSERT_EQ(b.multiFile->Files()->Count(), 50);
        EXPECT_EQ(b.multiFile->Files()->Strings(49), stick + "/f49");
        EXPECT_EQ(TStrings::ObjectToInt(b.multiFile->Files()->Objects(1)), 1);
        EXPECT_EQ(b.multiFile->Text(), stick + "/f0");
        EXPECT_EQ(b.elMemo->Lines()->Text(), MEMINI_include_Memos ? "first\n\n  third  \n" : "");
        EXPECT_EQ(b.memo->Lines()->Text(), MEMINI_include_Memos ? "m1\nm2\n" : "");
        EXPECT_EQ(b.floatElSpin->Text(), "2.5");
        EXPECT_EQ(b.edit->Text(), "line\nbreak");
        EXPECT_EQ(b.rich->Text(), "");
        EXPECT_EQ(b.unnamed->Text(), "");
        EXPECT_EQ(b.inFrame->Text(), "framed");
    }
}

TEST_F(AllRows, ReadingTwiceDoesNotDoubleTheFiles) {
    AllKinds a(false);
    Files(a.multiFile, 3);
    SaveIni(a.form.get(), ini);
    AllKinds b(true);
    ReadIni(b.form.get(), ini);
    ReadIni(b.form.get(), ini);
    EXPECT_EQ(b.multiFile->Files()->Count(), 3);
}

TEST_F(AllRows, LongMemosKeepEveryLine) {
    MEMINI_include_Memos = true;
    AllKinds a(false);
    for (int i = 0; i < 120; ++i)
        a.memo->Lines()->Add(std::to_string(i));
    SaveIni(a.form.get(), ini);
    AllKinds b(true);
    ReadIni(b.form.get(), ini);
    EXPECT_EQ(b.memo->Lines()->Count(), 122);
}

TEST_F(AllRows, DispatchOrderRoutesSubclasses) {
    AllKinds a(true);
    // A check-list box is a list box, the filter combo a TMS combo, an ElPack spin edit an
    // ElPack edit, a rich edit a framework memo; each is taken by its own row.
    EXPECT_TRUE(a.checkList->Is<TCustomListBox>());
    EXPECT_TRUE(a.filter->Is<TAdvCustomCombo>());
    EXPECT_TRUE(a.elSpin->Is<TCustomElEdit>());
    EXPECT_TRUE(a.intSpin->Is<TCustomEdit>());
    EXPECT_TRUE(a.rich->Is<TCustomMemo>());
    sibling::TMyMemIniFile mem("");
    a.elSpin->SetValue(9);
    EXPECT_TRUE(DispatchIniHandler(a.elSpin, mem, false));
    EXPECT_EQ(mem.ReadString("ElSpin", "value", "-"), "9");  // the spin row, not the edit row
    EXPECT_EQ(mem.ReadString("ElSpin", "text", "-"), "-");
    a.filter->SetFilter("Text files|*.txt");
    a.filter->BuildList();
    a.filter->SetText("*.TXT");
    EXPECT_TRUE(DispatchIniHandler(a.filter, mem, false));
    EXPECT_EQ(a.filter->Items()->Count(), 1);  // a TMS combo row would have added the text
    EXPECT_TRUE(DispatchIniHandler(a.rich, mem, false));
    EXPECT_FALSE(mem.SectionExists("Rich"));
    EXPECT_FALSE(DispatchIniHandler(a.form->FindComponent("Frame"), mem, false));
}

TEST_F(AllRows, CheckListWithoutTheSiblingSwitchKeepsItemsNotMarks) {
    MEMINI_include_Listboxes = true;
    sibling::MEMINI_include_checklistbox_checkeds = false;
    AllKinds a(false);
    a.checkList->Items()->Add("w");
    SaveIni(a.form.get(), ini);
    AllKinds b(true);
    b.checkList->SetChecked(0, true);
    ReadIni(b.form.get(), ini);
    EXPECT_EQ(b.checkList->Items()->Text(), "x\ny\nz\nw\n");
    EXPECT_EQ(b.checkList->ItemIndex(), 2);
    EXPECT_FALSE(b.checkList->Checked(1));
}

TEST_F(AllRows, IndexesOutsideTheItemsAreIgnored) {
    tmp.Write("all.ini", "[Group]\ni=7\n[ElCombo]\ncount=1\nitem0=only\ni=3\n");
    AllKinds b(true);
    b.group->Items()->SetText("1\n2\n3\n4\n5\n");
    b.group->SetItemIndex(1);
    ReadIni(b.form.get(), ini);
    EXPECT_EQ(b.group->ItemIndex(), 1);
    EXPECT_EQ(b.elCombo->Items()->Text(), "only\n");
    EXPECT_EQ(b.elCombo->ItemIndex(), -1);
}

TEST_F(AllRows, CheckGroupItemsAddedSinceTheSaveAreUnchecked) {
    tmp.Write("all.ini", "[CheckGroup]\nchecked0=true\n");
    AllKinds b(true);
    b.checkGroup->SetChecked(1, true);
    b.checkGroup->SetChecked(2, true);
    ReadIni(b.form.get(), ini);
    EXPECT_TRUE(b.checkGroup->Checked(0));
    EXPECT_FALSE(b.checkGroup->Checked(1));
    EXPECT_FALSE(b.checkGroup->Checked(2));
}

// Each mark reads as ReadBool reads its key: the first line of the key in any case counts, a
// line without '=' or none leaves the item unchecked, and words, numbers and quoted values read
// as booleans do. Long groups read the same way.
TEST_F(AllRows, CheckGroupMarksReadAsTheirKeysDo) {
    tmp.Write("all.ini", "[CheckGroup]\n"
                         "CHECKED0=yes\n"
                         "checked1\n"
                         "checked1=true\n"
                         "checked2=junk\n"
                         "Checked3=1\n"
                         "checked3=0\n"
                         "checked04=1\n"
                         "checked5=\"on\"\n"
                         "checked6=0x0\n"
                         "cHeCkEd7=-2\n"
                         "checked8=True\n"
                         "checked40=true\n"
                         "checked39=on\n");
    const bool expected[] = {true, false, false, true, false, true, false, true, true};
    const sibling::TMyMemIniFile keys(ini);
    for (const int items : {9, 40}) {
        AllKinds b(true);
        std::string names;
        for (int n = 0; n < items; ++n)
            names += std::to_string(n) + "\n";
        b.checkGroup->Items()->SetText(names);
        for (int n = 0; n < items; ++n)
            b.checkGroup->SetChecked(n, true);
        ReadIni(b.form.get(), ini);
        for (int n = 0; n < items; ++n) {
            EXPECT_EQ(b.checkGroup->Checked(n), n < 9 ? expected[n] : n == 39) << items << " items, " << n;
            EXPECT_EQ(b.checkGroup->Checked(n),
                      keys.ReadBool("CheckGroup", sibling::NumberedKey("checked", n), false))
                << items << " items, " << n;
        }
    }
}

// A combo's selection is the first "i" line in any case, also when the list beside it is damaged.
TEST_F(AllRows, ComboSelectionsReadAsTheirKeyDoes) {
    tmp.Write("all.ini", "[ElCombo]\nI=1\ncount=2\nitem0=a\nitem1=b\ni=0\n"
                         "[AdvCombo]\ncount=x\ni=1\n"
                         "[FontCombo]\ncount=1\nitem0=f\ni\ni=0\n");
    AllKinds b(true);
    b.advCombo->Items()->SetText("p\nq\n");
    ReadIni(b.form.get(), ini);
    EXPECT_EQ(b.elCombo->Items()->Text(), "a\nb\n");
    EXPECT_EQ(b.elCombo->ItemIndex(), 1);
    EXPECT_EQ(b.advCombo->Items()->Text(), "p\nq\n");
    EXPECT_EQ(b.advCombo->ItemIndex(), 1);
    EXPECT_EQ(b.fontCombo->Items()->Text(), "f\n");
    EXPECT_EQ(b.fontCombo->ItemIndex(), -1);
}

TEST_F(AllRows, PasswordsAreHiddenOnlyBehindAStar) {
    AllKinds a(true);
    a.password->SetText("hunter2");
    a.elEdit->SetPasswordChar('#');
    a.elEdit->SetText("visible");
    a.edit->SetPasswordChar('*');  // a framework edit gets no treatment
    a.edit->SetText("plain");
    SaveIni(a.form.get(), ini);
    const std::string text = tmp.Read("all.ini");
    EXPECT_EQ(text.find("hunter2"), std::string::npos);
    EXPECT_NE(text.find("text=visible"), std::string::npos);
    EXPECT_NE(text.find("[Edit]\ntext=plain"), std::string::npos);
}

TEST_F(AllRows, EditCombosGainTheirTextOnce) {
    AllKinds a(true);
    a.advCombo->Items()->SetText("Alpha\nbeta\n");
    a.advCombo->SetText("ALPHA");  // IndexOf ignores case
    a.fontCombo->SetText("");
    SaveIni(a.form.get(), ini);
    EXPECT_EQ(a.advCombo->Items()->Text(), "Alpha\nbeta\n");
    EXPECT_EQ(a.fontCombo->Items()->Text(), "\n");  // the empty text too becomes the first item
    a.advCombo->SetText("gamma");
    SaveIni(a.form.get(), ini);
    EXPECT_EQ(a.advCombo->Items()->Text(), "gamma\nAlpha\nbeta\n");
    EXPECT_EQ(a.advCombo->ItemIndex(), 0);
}

TEST_F(AllRows, FilterCombosKeepTypedMasks) {
    AllKinds a(true);
    a.filter->SetFilter("Text files|*.txt|All files|*.*");
    a.filter->BuildList();
    a.filter->SetText("novel");  // no '.': stored without change
    SaveIni(a.form.get(), ini);
    EXPECT_EQ(a.filter->Items()->Count(), 2);
    a.filter->SetText("*.ALL");
    SaveIni(a.form.get(), ini);
    EXPECT_EQ(a.filter->Items()->Strings(0), "*.ALL");
    EXPECT_EQ(a.filter->ItemIndex(), 0);
    // Read into a combo with a long filter and fewer than two items: the list is built.
    tmp.Write("all.ini", "[Filter]\ncount=0\n");
    AllKinds b(true);
    b.filter->SetFilter("Text files|*.txt|All files|*.*");
    ReadIni(b.form.get(), ini);
    EXPECT_EQ(b.filter->Items()->Text(), "Text files\nAll files\n");
}

TEST_F(AllRows, ElComboLosesItsSortingAndKeepsItsHistory) {
    AllKinds a(true);
    a.elCombo->Items()->SetText("b\na\n");
    a.elCombo->SetSorted(true);
    a.elCombo->SetAutoHistory(true);
    a.elCombo->SetText("typed");
    SaveIni(a.form.get(), ini);
    EXPECT_FALSE(a.elCombo->Sorted());
    EXPECT_EQ(a.elCombo->Items()->Text(), "typed\na\nb\n");
}

TEST_F(AllRows, SpinEditTextsLongerThanTenAreIgnored) {
    tmp.Write("all.ini", "[FloatElSpin]\ntext=12345678901\n[ElEdit]\ntext=12345678901\n");
    AllKinds b(true);
    b.floatElSpin->SetValue(1.5);
    ReadIni(b.form.get(), ini);
    EXPECT_EQ(b.floatElSpin->Value(), 1.5);
    EXPECT_EQ(b.elEdit->Text(), "12345678901");
}

TEST_F(AllRows, UnreadableDatesLeaveThePickerAlone) {
    AllKinds b(true);
    b.date->SetDateTime(EncodeDate(2020, 1, 1));
    for (const char* text : {"", "31/02/2024", "soon", "99/99/99999"}) {
        tmp.Write("all.ini", std::string("[Date]\ntext=") + text + "\n");
        ReadIni(b.form.get(), ini);
        EXPECT_EQ(b.date->DateTime(), EncodeDate(2020, 1, 1)) << text;
    }
}
