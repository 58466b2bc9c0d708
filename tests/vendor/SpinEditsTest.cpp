// The spin edits worked as users work them: arrows held down, keys, the wheel, typed text.

#include "framework/controls/ComboBox.h"
#include "vendor/AdvControls.h"
#include "vendor/AdvEditBtn.h"
#include "vendor/ElEdits.h"

#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace vendor;
using namespace testsupport;

namespace {

struct SpinEdits : ::testing::Test {
    FormPtr form = MakeForm(300, 120);
    TElSpinEdit* spin = Create<TElSpinEdit>(form.get());
    TEdit* other = Create<TEdit>(form.get());
    int changes = 0;

    void SetUp() override {
        spin->SetBounds(10, 10, 100, 24);
        spin->SetParent(form.get());
        spin->SetRange(0, 50);
        spin->SetValue(10);
        spin->SetIncrement(5);
        spin->OnChange = TNotifyEvent::Lambda([this](TObject*) { ++changes; });
        other->SetBounds(10, 60, 100, 21);
        other->SetParent(form.get());
        spin->SetFocus();
    }
    // The middle of the up and down arrows, in the form.
    TPoint Up() const { return {10 + 2 + spin->ClientWidth() - 7, 10 + 2 + 3}; }
    TPoint Down() const { return {10 + 2 + spin->ClientWidth() - 7, 10 + 2 + spin->ClientHeight() - 3}; }
};

}  // namespace

TEST_F(SpinEdits, KeysAndTheWheelStepByIncrementWithinTheRange) {
    form->SendKeyInput(VK_UP);
    EXPECT_EQ(spin->Value(), 15);
    EXPECT_EQ(spin->Text(), "15");
    EXPECT_EQ(changes, 1);
    form->SendKeyInput(VK_DOWN);
    form->SendKeyInput(VK_DOWN);
    EXPECT_EQ(spin->Value(), 5);
    form->SendKeyInput(VK_PRIOR);  // ten steps, held at the top
    EXPECT_EQ(spin->Value(), 50);
    EXPECT_EQ(changes, 4);
    form->SendKeyInput(VK_UP);  // nothing more to step: no change
    EXPECT_EQ(changes, 4);
    form->SendKeyInput(VK_NEXT);
    EXPECT_EQ(spin->Value(), 0);
    form->SendMouseInput(WM_MOUSEWHEEL, Up().X, Up().Y, MakeWParam(0, 240));  // two notches up
    EXPECT_EQ(spin->Value(), 10);
    EXPECT_EQ(changes, 6);
}

TEST_F(SpinEdits, AnArrowHeldDownRepeats) {
    form->SendMouseInput(WM_LBUTTONDOWN, Up().X, Up().Y);
    EXPECT_EQ(spin->Value(), 15);
    EXPECT_TRUE(TimerSet(spin->Handle(), TCustomEdit::kSpinTimer));
    spin->Perform(WM_TIMER, TCustomEdit::kSpinTimer);
    spin->Perform(WM_TIMER, TCustomEdit::kSpinTimer);
    EXPECT_EQ(spin->Value(), 25);
    EXPECT_EQ(changes, 3);
    form->SendMouseInput(WM_LBUTTONUP, Up().X, Up().Y);
    EXPECT_FALSE(TimerSet(spin->Handle(), TCustomEdit::kSpinTimer));
    spin->Perform(WM_TIMER, TCustomEdit::kSpinTimer);  // a late tick changes nothing
    EXPECT_EQ(spin->Value(), 25);
    ClickAt(*form, Down().X, Down().Y);
    EXPECT_EQ(spin->Value(), 20);
    // The press on an arrow leaves the text's caret alone.
    EXPECT_EQ(spin->Text(), "20");
}

TEST_F(SpinEdits, TextThatIsNoNumberIsRefusedOrRestoredOnLeaving) {
    spin->SelectAll();
    for (char32_t c : {U'4', U'x', U'2'})
        form->SendCharInput(c);
    EXPECT_EQ(spin->Text(), "42");  // the letter never went in
    EXPECT_EQ(spin->Value(), 42);
    // Pasted text is not typed: it may be anything until the focus leaves.
    spin->SelectAll();
    spin->SetSelText("4a");
    EXPECT_EQ(spin->Value(), 42);
    other->SetFocus();
    EXPECT_EQ(spin->Text(), "42");
    // A number beyond the range is held at its end.
    spin->SetFocus();
    spin->SelectAll();
    spin->SetSelText("99");
    other->SetFocus();
    EXPECT_EQ(spin->Value(), 50);
    EXPECT_EQ(spin->Text(), "50");
}

TEST_F(SpinEdits, AReadOnlySpinEditDoesNotStep) {
    spin->SetReadOnly(true);
    form->SendKeyInput(VK_UP);
    ClickAt(*form, Up().X, Up().Y);
    form->SendMouseInput(WM_MOUSEWHEEL, Up().X, Up().Y, MakeWParam(0, 120));
    EXPECT_EQ(spin->Value(), 10);
    EXPECT_EQ(changes, 0);
}

TEST(AdvSpinEdit, StepsItsValueInTheFormOfItsType) {
    FormPtr form = MakeForm(200, 60);
    auto* spin = Create<TAdvSpinEdit>(form.get());
    spin->SetBounds(10, 10, 100, 24);
    spin->SetParent(form.get());
    spin->SetFocus();
    int changes = 0;
    spin->OnChange = TNotifyEvent::Lambda([&](TObject*) { ++changes; });
    form->SendKeyInput(VK_UP);
    EXPECT_EQ(spin->Value(), 1);
    spin->SetMinValue(0);
    spin->SetMaxValue(3);
    form->SendKeyInput(VK_PRIOR);
    EXPECT_EQ(spin->Value(), 3);
    EXPECT_EQ(changes, 2);
    spin->SetSpinType(sptFloat);
    spin->SetFloatValue(1.5);
    form->SendKeyInput(VK_DOWN);
    EXPECT_DOUBLE_EQ(spin->FloatValue(), 1.4);
    spin->SetSpinType(sptHex);
    spin->SetMaxValue(0);  // no bounds
    spin->SetValue(15);
    form->SendKeyInput(VK_UP);
    EXPECT_EQ(spin->Text(), "10");
    form->SendCharInput(U'g');
    EXPECT_EQ(spin->Text(), "10");
}

TEST(ElFloatSpinEdit, StepsAndRestoresItsText) {
    FormPtr form = MakeForm(200, 90);
    auto* spin = Create<TElFloatSpinEdit>(form.get());
    spin->SetBounds(10, 10, 100, 24);
    spin->SetParent(form.get());
    auto* other = Create<TEdit>(form.get());
    other->SetBounds(10, 50, 50, 21);
    other->SetParent(form.get());
    spin->SetFocus();
    spin->SetIncrement(0.5);
    form->SendKeyInput(VK_UP);
    EXPECT_DOUBLE_EQ(spin->Value(), 0.5);
    spin->SelectAll();
    spin->SetSelText("-");
    other->SetFocus();
    EXPECT_EQ(spin->Text(), "0.5");
}

// Every edit of the package edits the same way: the file and folder edits, the edit with a
// button, and the memo of the ElPack family.
TEST(EditFamily, EveryEditGetsTheCaretSelectionAndUndo) {
    FormPtr form = MakeForm(300, 200);
    std::vector<TCustomEdit*> edits = {Create<TElFileNameEdit>(form.get()),
                                       Create<TElFolderNameEdit>(form.get()), Create<TAdvEditBtn>(form.get()),
                                       Create<TElEdit>(form.get())};
    int top = 0;
    for (TCustomEdit* e : edits) {
        e->SetBounds(0, top, 200, 24);
        e->SetParent(form.get());
        top += 30;
        e->SetText("corpus.txt");
        e->SetFocus();
        form->SendKeyInput(VK_END);
        form->SendKeyInput(VK_LEFT, ssShift | ssCtrl);
        EXPECT_EQ(e->SelText(), "txt") << e->ClassName();
        form->SendCharInput(U'm');
        EXPECT_EQ(e->Text(), "corpus.m") << e->ClassName();
        form->SendKeyInput('Z', ssCtrl);
        EXPECT_EQ(e->Text(), "corpus.txt") << e->ClassName();
    }
    // The text stops before the button.
    auto* fileEdit = static_cast<TElFileNameEdit*>(edits[0]);
    fileEdit->SetText(std::string(60, 'w'));
    fileEdit->SetFocus();
    form->SendKeyInput(VK_END);
    const auto pic = Picture(*form);
    const int buttonLeft = 2 + fileEdit->ClientWidth() - TCustomElButtonEdit::kButtonWidth;
    EXPECT_EQ(PixelAt(*pic, buttonLeft + 2, 2 + fileEdit->ClientHeight() / 2 - 4), ColorToRGB(clBtnFace));
    auto* memo = Create<TElMemo>(form.get());
    memo->SetBounds(0, 130, 200, 60);
    memo->SetParent(form.get());
    memo->SetFocus();
    form->SendCharInput(U'a');
    form->SendCharInput(U'\r');
    form->SendCharInput(U'b');
    EXPECT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Text(), "a\nb\n");
}
