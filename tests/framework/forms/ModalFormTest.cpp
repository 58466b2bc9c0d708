#include "framework/controls/Edits.h"
#include "framework/forms/Application.h"
#include "framework/forms/Forms.h"
#include "framework/rtl/Exceptions.h"
#include "support/FormFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace framework;
using namespace testsupport;

namespace {

// A modal loop driven by the test: each turn of the pump runs the next step, as a window host
// would deliver the next input.
class ModalForms : public ::testing::Test {
protected:
    void SetUp() override {
        owner = MakeForm(300, 200);
        dialog.reset(Create<TForm>(nullptr));
        dialog->SetClientWidth(200);
        dialog->SetClientHeight(100);
        ok = addButton("OK", mrOk, 10);
        cancel = addButton("Cancel", mrCancel, 100);
        Application->SetMessagePump([this] {
            ++turns;
            ASSERT_LT(turns, 50) << "the modal loop did not end";
            if (!steps.empty()) {
                const std::function<void()> step = steps.front();
                steps.erase(steps.begin());
                step();
            }
            Application->ProcessMessages();
        });
    }
    void TearDown() override { Application->SetMessagePump(nullptr); }
    TButton* addButton(const char* caption, TModalResult result, int left) {
        auto* b = Create<TButton>(dialog.get());
        b->SetCaption(caption);
        b->SetModalResult(result);
        b->SetBounds(left, 60, 75, 25);
        b->SetParent(dialog.get());
        return b;
    }

    FormPtr owner;
    FormPtr dialog;
    TButton* ok = nullptr;
    TButton* cancel = nullptr;
    std::vector<std::function<void()>> steps;
    int turns = 0;
};

TEST_F(ModalForms, AButtonsModalResultEndsTheLoopAndTheOwnerTakesNoInputMeanwhile) {
    int ownerClicks = 0;
    auto* ownerButton = Create<TButton>(owner.get());
    ownerButton->SetBounds(0, 0, 80, 30);
    ownerButton->SetParent(owner.get());
    ownerButton->OnClick = TNotifyEvent::Lambda([&](TObject*) { ++ownerClicks; });
    bool ownerEnabledWhileModal = true, dialogShown = false, readAsDialog = false;
    steps.push_back([&] {
        ownerEnabledWhileModal = owner->Enabled();
        dialogShown = dialog->Visible() && dialog->Modal() && Screen->ActiveForm() == dialog.get();
        readAsDialog = DescribeAccessible(*dialog).Role == TAccessibleRole::Dialog &&
                       DescribeAccessible(*dialog).Has(asModal);
        ClickAt(*owner, 10, 10);  // refused
        owner->SendKeyInput(VK_RETURN);
    });
    steps.push_back([&] { ClickAt(*dialog, cancel->Left() + 5, cancel->Top() + 5); });

    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_FALSE(ownerEnabledWhileModal);
    EXPECT_TRUE(dialogShown);
    EXPECT_TRUE(readAsDialog);  // a reader hears a dialog while it runs, a frame otherwise
    EXPECT_EQ(DescribeAccessible(*dialog).Role, TAccessibleRole::Frame);
    EXPECT_EQ(ownerClicks, 0);
    EXPECT_TRUE(owner->Enabled());
    EXPECT_FALSE(dialog->Visible());
    EXPECT_FALSE(dialog->Modal());
    EXPECT_EQ(Screen->ActiveForm(), owner.get());

    // Shown again, it answers anew.
    steps.push_back([&] { ClickAt(*dialog, ok->Left() + 5, ok->Top() + 5); });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
}

TEST_F(ModalForms, EnterPressesTheDefaultButtonAndEscapeTheCancelOne) {
    ok->SetDefault(true);
    cancel->SetCancel(true);
    auto* edit = Create<TEdit>(dialog.get());
    edit->SetBounds(10, 10, 100, 20);
    edit->SetParent(dialog.get());
    steps.push_back([&] {
        edit->SetFocus();
        dialog->SendKeyInput(VK_RETURN);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);

    steps.push_back([&] {
        edit->SetFocus();
        dialog->SendKeyInput(VK_ESCAPE);
    });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);

    // A focused button takes Enter itself, whichever is the default.
    steps.push_back([&] {
        cancel->SetFocus();
        dialog->SendKeyInput(VK_RETURN);
    });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    // A memo takes Enter for a new line; Escape still cancels.
    auto* memo = Create<TMemo>(dialog.get());
    memo->SetBounds(10, 30, 100, 20);
    memo->SetParent(dialog.get());
    steps.push_back([&] {
        memo->SetFocus();
        dialog->SendCharInput(U'a');
        dialog->SendKeyInput(VK_RETURN);
        dialog->SendCharInput(VK_RETURN);
        dialog->SendCharInput(U'b');
    });
    steps.push_back([&] { dialog->SendKeyInput(VK_ESCAPE); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(memo->Lines()->Count(), 2);
    // Ctrl+Enter is not a dialog key.
    steps.push_back([&] {
        edit->SetFocus();
        dialog->SendKeyInput(VK_RETURN, ssCtrl);
    });
    steps.push_back([&] { dialog->SetModalResult(mrAbort); });
    EXPECT_EQ(dialog->ShowModal(), mrAbort);
}

TEST_F(ModalForms, CloseAnswersCancelAndTheCloseHandlingCanKeepTheFormOpen) {
    int queries = 0;
    dialog->OnCloseQuery =
        TCloseQueryEvent::Lambda([&](TObject*, bool& canClose) { canClose = ++queries > 1; });
    steps.push_back([&] { dialog->Close(); });  // refused by OnCloseQuery
    bool stillModal = false;
    steps.push_back([&] {
        stillModal = dialog->Visible() && dialog->ModalResult() == mrNone;
        ClickAt(*dialog, ok->Left() + 5, ok->Top() + 5);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(stillModal);
    EXPECT_EQ(queries, 2);
}

TEST_F(ModalForms, AModalFormFreedWhileItRunsAnswersCancel) {
    TForm* doomed = dialog.release();
    steps.push_back([&] { doomed->Free(); });
    EXPECT_EQ(doomed->ShowModal(), mrCancel);
    EXPECT_TRUE(owner->Enabled());
    EXPECT_EQ(Screen->FormCount(), 1);

    // Released by its close handling (caFree) it answers what it was given, and goes.
    auto* released = Create<TForm>(nullptr);
    released->OnClose = TCloseEvent::Lambda([](TObject*, TCloseAction& action) { action = caFree; });
    steps.push_back([&] { released->SetModalResult(mrYes); });
    EXPECT_EQ(released->ShowModal(), mrYes);
    Application->ProcessMessages();
    EXPECT_EQ(Screen->FormCount(), 1);
}

TEST_F(ModalForms, WithoutAHostOnlyWhatIsQueuedCanAnswer) {
    Application->SetMessagePump(nullptr);
    // A key already posted to the button presses it.
    dialog->Show();
    dialog->Hide();
    PostMessage(ok->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(dialog->ShowModal(), mrOk);

    // Nothing queued: an error instead of a wait without end, and everything as it was.
    EXPECT_THROW(dialog->ShowModal(), EInvalidOperation);
    EXPECT_FALSE(dialog->Visible());
    EXPECT_FALSE(dialog->Modal());
    EXPECT_TRUE(owner->Enabled());

    // A visible form cannot be made modal.
    dialog->Show();
    EXPECT_THROW(dialog->ShowModal(), EInvalidOperation);
}

}  // namespace
