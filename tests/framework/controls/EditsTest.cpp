#include "framework/controls/Edits.h"

#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace testsupport;

namespace {

struct EditFixture : ::testing::Test {
    FormPtr form = MakeForm(200, 120);
    template <class T> T* Place(int top, int height) {
        T* c = Create<T>(form.get());
        c->SetBounds(0, top, 150, height);
        c->SetParent(form.get());
        return c;
    }
};

}  // namespace

TEST_F(EditFixture, TextIsPaintedAndPasswordsAreHidden) {
    auto* edit = Place<TEdit>(0, 21);
    edit->SetText("WWW");
    auto shown = Picture(*form);
    const auto plainInk = BoundsOfColor(*shown, clWindowText);
    ASSERT_TRUE(plainInk);
    EXPECT_GE(plainInk->Left, 2);
    edit->SetPasswordChar('*');
    EXPECT_EQ(edit->DisplayText(), "***");
    EXPECT_EQ(edit->Text(), "WWW");
    auto hidden = Picture(*form);
    EXPECT_NE(CountOfColor(*hidden, clWindowText), CountOfColor(*shown, clWindowText));
    edit->SetText("äö");  // characters, not bytes
    EXPECT_EQ(edit->DisplayText(), "**");
}

TEST_F(EditFixture, TypingRespectsReadOnlyAndMaxLength) {
    auto* edit = Place<TEdit>(0, 21);
    int changes = 0;
    edit->OnChange = TNotifyEvent::Lambda([&](TObject*) { ++changes; });
    edit->SetFocus();
    for (char32_t c : {U'a', U'ß', U'c'})
        form->SendCharInput(c);
    EXPECT_EQ(edit->Text(), "aßc");
    form->SendCharInput(VK_BACK);
    form->SendCharInput(VK_BACK);
    EXPECT_EQ(edit->Text(), "a");
    edit->SetMaxLength(2);
    form->SendCharInput(U'x');
    form->SendCharInput(U'y');
    EXPECT_EQ(edit->Text(), "ax");
    edit->SetReadOnly(true);
    form->SendCharInput(VK_BACK);
    EXPECT_EQ(edit->Text(), "ax");
    EXPECT_EQ(changes, 6);  // three letters, two deletions, one letter within the limit
}

TEST_F(EditFixture, MemoLinesAndTextAreOne) {
    auto* memo = Place<TMemo>(30, 80);
    memo->SetText("one\r\ntwo\nthree");
    EXPECT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ(memo->Text(), "one\ntwo\nthree\n");
    memo->Lines()->Add("four");
    EXPECT_EQ(memo->Text(), "one\ntwo\nthree\nfour\n");
    // The text seen without a copy is the lines' text too; an edit's is its own string.
    std::string buffer;
    EXPECT_EQ(memo->TextView(buffer), "one\ntwo\nthree\nfour\n");
    auto* edit = Place<TEdit>(200, 21);
    edit->SetText("kept");
    EXPECT_EQ(edit->TextView(buffer), "kept");
    memo->SetFocus();
    // The caret starts at the top; Ctrl+End takes it to the end.
    form->SendKeyInput(VK_END, ssCtrl);
    form->SendCharInput(VK_BACK);
    form->SendCharInput(U'!');
    form->SendCharInput(VK_RETURN);
    form->SendCharInput(U'5');
    EXPECT_EQ(memo->Lines()->Text(), "one\ntwo\nthree\nfou!\n5\n");
    // Every line is painted, each below the one before.
    auto pic = Picture(*form);
    const auto ink = BoundsOfColor(*pic, clWindowText);
    ASSERT_TRUE(ink);
    EXPECT_GT(ink->Height(), 50);
}

TEST_F(EditFixture, RichEditIsAMemo) {
    auto* rich = Place<TRichEdit>(0, 40);
    rich->SetText("a\nb");
    EXPECT_TRUE(rich->Is<TCustomMemo>());
    EXPECT_EQ(rich->Lines()->Count(), 2);
    EXPECT_TRUE(GetPropInfo(rich, "Lines"));
}
