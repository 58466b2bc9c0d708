#include "vendor/AdvControls.h"
#include "vendor/ElButtons.h"
#include "vendor/ElEdits.h"
#include "vendor/VendorCombos.h"

#include "framework/controls/DropFiles.h"
#include "framework/forms/Application.h"
#include "framework/rtl/DateUtils.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Paths.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace framework;
using namespace vendor;
using namespace testsupport;

namespace {

struct Vendor : ::testing::Test {
    FormPtr form = MakeForm(240, 160);
    template <class T> T* Place(int top, int height = 21) {
        T* c = Create<T>(form.get());
        c->SetBounds(0, top, 200, height);
        c->SetParent(form.get());
        return c;
    }
};

}  // namespace

TEST_F(Vendor, SpinEditsKeepValueAndTextTogether) {
    auto* el = Place<TElSpinEdit>(0);
    el->SetRange(-10, 10);
    el->SetValue(25);
    EXPECT_EQ(el->Value(), 10);
    EXPECT_EQ(el->Text(), "10");
    el->SetText("-3");
    EXPECT_EQ(el->Value(), -3);
    el->SetText("abc");  // stays as typed, the value keeps its last number
    EXPECT_EQ(el->Value(), -3);

    auto* adv = Place<TAdvSpinEdit>(30);
    adv->SetValue(255);
    adv->SetSpinType(sptHex);
    EXPECT_EQ(adv->Text(), "FF");
    adv->SetSpinType(sptFloat);
    adv->SetFloatValue(0.25);
    EXPECT_EQ(adv->Text(), "0.25");
    adv->SetText("1.5");
    EXPECT_EQ(adv->FloatValue(), 1.5);
    EXPECT_EQ(adv->Value(), 255);
    EXPECT_TRUE(adv->Is<TCustomEdit>());
    auto pic = Picture(*form);
    EXPECT_GT(CountOfColor(*pic, clWindowText), 0);
}

TEST_F(Vendor, CheckGroupMarksEveryItemOnItsOwn) {
    auto* group = Place<TElCheckGroup>(0, 100);
    group->Items()->SetText("a\nb\nc\n");
    group->SetChecked(0, true);
    group->SetChecked(2, true);
    EXPECT_TRUE(group->Checked(0) && !group->Checked(1) && group->Checked(2));
    group->Items()->Add("d");
    EXPECT_FALSE(group->Checked(3));
    EXPECT_THROW(group->SetChecked(4, true), EListError);
    const TRect r = group->ItemRect(1);
    ClickAt(*form, r.Left + 4, r.Top + r.Height() / 2);
    EXPECT_TRUE(group->Checked(1));
    EXPECT_EQ(group->ItemIndex(), -1);  // checking is not selecting
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

TEST_F(Vendor, SettersRepaintOnlyForAChange) {
    auto* group = Place<Counted<TElCheckGroup>>(0, 80);
    group->Items()->SetText("a\nb\n");
    group->SetChecked(1, true);
    auto* spin = Place<Counted<TElSpinEdit>>(90);
    spin->SetValue(4);
    int changes = 0;
    spin->OnChange = TNotifyEvent::Lambda([&](TObject*) { ++changes; });
    Picture(*form);
    const int groupPaints = group->painted, spinPaints = spin->painted;

    group->SetChecked(0, false);
    group->SetChecked(1, true);
    spin->SetValue(4);
    Application->ProcessMessages();
    EXPECT_EQ(group->painted, groupPaints);
    EXPECT_EQ(spin->painted, spinPaints);
    EXPECT_EQ(changes, 0);
    EXPECT_THROW(group->SetChecked(2, false), EListError);  // an unchanged mark is still checked for range

    group->SetChecked(0, true);
    spin->SetValue(5);
    Application->ProcessMessages();
    EXPECT_EQ(group->painted, groupPaints + 1);
    EXPECT_EQ(spin->painted, spinPaints + 1);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(group->Checked(0) && group->Checked(1));
    EXPECT_EQ(spin->Value(), 5);
    EXPECT_EQ(spin->Text(), "5");

    // Text that is no number shows the value again, even when the value is the same.
    spin->SetText("abc");
    spin->SetValue(5);
    EXPECT_EQ(spin->Text(), "5");
    EXPECT_EQ(changes, 3);
    spin->SetRange(-2147483647 - 1, 2147483647);
    spin->SetValue(-2147483647 - 1);
    EXPECT_EQ(spin->Text(), "-2147483648");
}

TEST_F(Vendor, DatePickerShowsAndRefusesImpossibleDates) {
    auto* picker = Place<TElDateTimePicker>(0);
    picker->SetDateTime(EncodeDate(2024, 3, 5));
    EXPECT_THROW(picker->SetDateTime(std::nan("")), EConvertError);
    EXPECT_THROW(picker->SetDateTime(1e9), EConvertError);
    EXPECT_EQ(picker->DateTime(), EncodeDate(2024, 3, 5));
    auto pic = Picture(*form);
    EXPECT_GT(CountOfColor(*pic, clWindowText), 20);
}

TEST_F(Vendor, FileEditsKeepFilesAndPaintTheirButton) {
    auto* files = Place<TElFileNameEdit>(0);
    EXPECT_FALSE(files->Options() & OpenOptionBit(ofAllowMultiSelect));
    SetPropFromText(files, GetPropInfo(files, "Options"), "[ofHideReadOnly,ofAllowMultiSelect]");
    EXPECT_TRUE(files->Options() & OpenOptionBit(ofAllowMultiSelect));
    files->Files()->AddObject("/a", TStrings::IntToObject(1));
    EXPECT_EQ(files->Files()->Count(), 1);
    auto pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, 200 - 2 - 5, 10, clBtnFace));  // inside the browse button
}

TEST_F(Vendor, FileAndFolderEditsTakeDroppedFiles) {
    auto* file = Place<TElFileNameEdit>(0);
    auto* folder = Place<TElFolderNameEdit>(30);
    int changes = 0;
    file->OnChange = TNotifyEvent::Lambda([&](TObject*) { ++changes; });
    const std::string awkward = "/tmp/w\xc3\xb6rter list 100%.txt";
    ASSERT_TRUE(DropFilesOnto(*form, 20, 10, {awkward, "/tmp/second.txt"}));
    EXPECT_EQ(file->Text(), awkward);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(file->Files()->Count(), 0);  // one file only unless several may be chosen
    SetPropFromText(file, GetPropInfo(file, "Options"), "[ofAllowMultiSelect]");
    ASSERT_TRUE(DropFilesOnto(*form, 20, 10, {"/x/a.txt", "/x/b.txt"}));
    EXPECT_EQ(file->Files()->Count(), 2);
    EXPECT_EQ(file->Text(), "/x/a.txt");
    // A folder edit takes a dropped folder, or the folder of a dropped file.
    const std::string here = ExtractFileDir(Application->ExeName());
    ASSERT_TRUE(DropFilesOnto(*form, 20, 40, {here}));
    EXPECT_EQ(folder->Text(), here);
    ASSERT_TRUE(DropFilesOnto(*form, 20, 40, {"/nowhere/at all/list.txt"}));
    EXPECT_EQ(folder->Text(), "/nowhere/at all");
    Picture(*form);  // a name that is not UTF-8 paints
    ASSERT_TRUE(DropFilesOnto(*form, 20, 10, {"/tmp/\xff\xfe.txt"}));
    Picture(*form);
}

TEST_F(Vendor, MemoLinesAreItsText) {
    auto* memo = Place<TElMemo>(0, 80);
    memo->SetText("a\nb");
    EXPECT_EQ(memo->Lines()->Count(), 2);
    memo->Lines()->Add("c");
    EXPECT_EQ(memo->Text(), "a\nb\nc\n");
    std::string buffer;
    EXPECT_EQ(memo->TextView(buffer), "a\nb\nc\n");
}

TEST_F(Vendor, ElComboHistoryAndSorting) {
    auto* combo = Place<TElComboBox>(0);
    combo->Items()->SetText("b\nc\na\n");
    combo->SetItemIndex(1);
    combo->SetSorted(true);
    EXPECT_EQ(combo->Items()->Text(), "a\nb\nc\n");
    EXPECT_EQ(combo->Text(), "c");
    EXPECT_EQ(combo->ItemIndex(), 2);
    combo->SetHistoryLimit(3);
    combo->SetText("new");
    combo->AutoHistoryUpdate();
    EXPECT_EQ(combo->Items()->Text(), "a\nb\nnew\n");  // the last of the history went; sorting stays
    combo->SetSorted(false);
    combo->SetText("b");
    combo->AutoHistoryUpdate();
    EXPECT_EQ(combo->Items()->Strings(0), "b");
    EXPECT_EQ(combo->Items()->Count(), 3);
    EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(Vendor, ClassRelationsTheIniDispatchNeeds) {
    EXPECT_TRUE(Create<TElSpinEdit>(form.get())->Is<TCustomElEdit>());
    EXPECT_TRUE(Create<TElFloatSpinEdit>(form.get())->Is<TCustomElEdit>());
    EXPECT_FALSE(Create<TElFloatSpinEdit>(form.get())->Is<TElSpinEdit>());
    EXPECT_TRUE(Create<TElMemo>(form.get())->Is<TCustomElEdit>());
    EXPECT_FALSE(Create<TElMemo>(form.get())->Is<TCustomMemo>());
    EXPECT_TRUE(Create<TElFolderNameEdit>(form.get())->Is<TCustomElEdit>());
    EXPECT_FALSE(Create<TElCheckBox>(form.get())->Is<TCheckBox>());
    EXPECT_FALSE(Create<TAdvOfficeRadioGroup>(form.get())->Is<TRadioGroup>());
    EXPECT_TRUE(Create<TAdvCustomComboBox>(form.get())->Is<TCustomComboBox>());
}
