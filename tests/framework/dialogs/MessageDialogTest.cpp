#include "framework/dialogs/Dialogs.h"

#include "framework/controls/Label.h"
#include "framework/forms/Application.h"
#include "framework/platform/FakePlatform.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace framework;

namespace {

using FormPtr = std::unique_ptr<TCustomForm, TFreeDeleter>;

std::vector<TButton*> ButtonsOf(TCustomForm& Form) {
    std::vector<TButton*> buttons;
    for (int i = 0; i < Form.ControlCount(); ++i)
        if (auto* b = As<TButton>(Form.Controls(i)))
            buttons.push_back(b);
    std::sort(buttons.begin(), buttons.end(), [](TButton* a, TButton* b) { return a->Left() < b->Left(); });
    return buttons;
}

// A window host stood in for by a pump that presses keys on the dialog shown.
class MessageDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        Screen->SetPixelsPerInch(96);
        Application->SetMessagePump([this] {
            ASSERT_LT(++turns, 20) << "the dialog did not answer";
            TCustomForm* dialog = Screen->ActiveForm();
            ASSERT_NE(dialog, nullptr);
            ASSERT_TRUE(dialog->Modal());
            shownCaption = dialog->Caption();
            if (turns == 1)
                for (std::uint16_t key : keys)
                    dialog->SendKeyInput(key);
            Application->ProcessMessages();
        });
    }
    void TearDown() override {
        Application->SetMessagePump(nullptr);
        ResetSysColors();
    }
    int Answer(std::function<int()> Show, std::vector<std::uint16_t> Keys) {
        keys = std::move(Keys);
        turns = 0;
        return Show();
    }
    std::vector<std::uint16_t> keys;
    int turns = 0;
    std::string shownCaption;
};

TEST_F(MessageDialogs, ButtonsComeInTheClassicOrderWithTheirCaptionsAndResults) {
    FormPtr all(CreateMessageDialog(nullptr, "All of them", mtCustom, (MsgDlgBtnBit(mbClose) << 1) - 1));
    std::vector<std::string> captions;
    std::vector<TModalResult> results;
    int defaults = 0, cancels = 0;
    for (TButton* b : ButtonsOf(*all)) {
        captions.push_back(b->Caption());
        results.push_back(b->ModalResult());
        defaults += b->Default();
        cancels += b->Cancel();
        if (b->Default()) {
            EXPECT_EQ(b->Caption(), "OK");
        }
        if (b->Cancel()) {
            EXPECT_EQ(b->Caption(), "Cancel");
        }
    }
    EXPECT_EQ(captions,
              (std::vector<std::string>{"&Yes", "&No", "OK", "Cancel", "&Abort", "&Retry", "&Ignore", "&All",
                                        "N&o to All", "Yes to &All", "&Help", "&Close"}));
    EXPECT_EQ(results, (std::vector<TModalResult>{mrYes, mrNo, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore,
                                                  mrAll, mrNoToAll, mrYesToAll, mrNone, mrClose}));
    EXPECT_EQ(defaults, 1);
    EXPECT_EQ(cancels, 1);
    // No buttons asked for: OK.
    FormPtr none(CreateMessageDialog(nullptr, "None", mtWarning, 0));
    ASSERT_EQ(ButtonsOf(*none).size(), 1u);
    EXPECT_EQ(ButtonsOf(*none)[0]->Caption(), "OK");
    // The title tells the kind of message; a custom one is the program's.
    EXPECT_EQ(none->Caption(), "Warning");
    EXPECT_EQ(MsgDlgTitle(mtError), "Error");
    EXPECT_EQ(MsgDlgTitle(mtInformation), "Information");
    EXPECT_EQ(MsgDlgTitle(mtConfirmation), "Confirm");
    const std::string title = Application->Title();
    Application->SetTitle("Word counter");
    EXPECT_EQ(MsgDlgTitle(mtCustom), "Word counter");
    Application->SetTitle(title);
}

TEST_F(MessageDialogs, EnterPressesTheDefaultButtonAndEscapeTheCancelOneOrCloses) {
    auto dlg = [](TMsgDlgButtons Buttons) {
        return [Buttons] { return MessageDlg("Go on?", mtConfirmation, Buttons, 0); };
    };
    EXPECT_EQ(Answer(dlg(mbYesNoCancel), {VK_RETURN}), mrYes);
    EXPECT_EQ(shownCaption, "Confirm");
    EXPECT_EQ(Answer(dlg(mbYesNoCancel), {VK_ESCAPE}), mrCancel);
    EXPECT_EQ(Answer(dlg(mbYesNo), {VK_ESCAPE}), mrNo);
    EXPECT_EQ(Answer(dlg(MsgDlgBtnBit(mbOK)), {VK_ESCAPE}), mrOk);
    // Without a cancelling button Escape closes the dialog, which answers Cancel.
    EXPECT_EQ(Answer(dlg(mbAbortRetryIgnore), {VK_ESCAPE}), mrCancel);
    // Tab moves to the next button, Enter presses the focused one.
    EXPECT_EQ(Answer(dlg(mbYesNoCancel), {VK_TAB, VK_RETURN}), mrNo);
    // The help button shows no help and leaves the dialog open.
    EXPECT_EQ(Answer(dlg(MsgDlgBtnBit(mbHelp) | MsgDlgBtnBit(mbOK)), {VK_TAB, VK_SPACE, VK_TAB, VK_RETURN}),
              mrOk);
    EXPECT_EQ(Screen->FormCount(), 0);  // every dialog has gone

    // Application->MessageBox: the flags' buttons, the nth one default, the caller's caption.
    EXPECT_EQ(Answer([] { return Application->MessageBox("Delete it?", "Lists", MB_YESNO | MB_DEFBUTTON2); },
                     {VK_RETURN}),
              IDNO);
    EXPECT_EQ(shownCaption, "Lists");
    EXPECT_EQ(Answer([] { return Application->MessageBox("Again?", "", MB_RETRYCANCEL | MB_ICONWARNING); },
                     {VK_RETURN}),
              IDRETRY);
    EXPECT_EQ(shownCaption, "Warning");
    // ShowMessage: a dialog titled as the program.
    const std::string title = Application->Title();
    Application->SetTitle("Word counter");
    Answer(
        [] {
            ShowMessage("Saved.");
            return 0;
        },
        {VK_RETURN});
    Application->SetTitle(title);
    EXPECT_EQ(shownCaption, "Word counter");
}

TEST_F(MessageDialogs, TheDialogIsSizedToItsWrappedText) {
    FormPtr short_(CreateMessageDialog(nullptr, "Done.", mtInformation, MsgDlgBtnBit(mbOK)));
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "several words of a long message ";
    FormPtr long_(CreateMessageDialog(nullptr, text, mtInformation, MsgDlgBtnBit(mbOK)));
    auto* shortLabel = As<TLabel>(short_->FindComponent("Message"));
    auto* longLabel = As<TLabel>(long_->FindComponent("Message"));
    ASSERT_TRUE(shortLabel && longLabel);
    EXPECT_GT(longLabel->Height(), 5 * shortLabel->Height());
    EXPECT_LE(long_->ClientWidth(), Screen->Width() / 2 + 100);
    EXPECT_LT(short_->ClientWidth(), long_->ClientWidth());
    // The buttons stand below the text, inside the form, centred.
    TButton* ok = ButtonsOf(*long_)[0];
    EXPECT_GE(ok->Top(), longLabel->Top() + longLabel->Height());
    EXPECT_LE(ok->Top() + ok->Height(), long_->ClientHeight());
    EXPECT_NEAR(ok->Left() + ok->Width() / 2, long_->ClientWidth() / 2, 1);
    // At 144 pixels per inch everything is half as large again.
    Screen->SetPixelsPerInch(144);
    FormPtr large(CreateMessageDialog(nullptr, "Done.", mtInformation, MsgDlgBtnBit(mbOK)));
    Screen->SetPixelsPerInch(96);
    EXPECT_EQ(ButtonsOf(*large)[0]->Height(), 38);
    EXPECT_NEAR(large->ClientHeight(), short_->ClientHeight() * 3 / 2, 2);
}

TEST_F(MessageDialogs, TheIconAndButtonsAreDrawnInTheCurrentColourStyle) {
    const auto picture = [](TMsgDlgType Type) {
        FormPtr dialog(CreateMessageDialog(nullptr, "Text", Type, mbOKCancel));
        dialog->Show();
        return testsupport::Picture(*dialog);
    };
    // Where the icon's circle or triangle is, left of its mark, and its corner outside it.
    const int x = 12 + 6, y = 12 + 20;
    for (bool dark : {false, true}) {
        if (dark) {
            SetSysColor(COLOR_BTNFACE, RGB(0x20, 0x24, 0x28));
            SetSysColor(COLOR_BTNTEXT, RGB(0xF0, 0xF0, 0xF0));
            SetSysColor(COLOR_3DDKSHADOW, RGB(0x90, 0x90, 0x90));
        }
        auto error = picture(mtError);
        EXPECT_TRUE(testsupport::PixelIs(*error, x, y, RGB(0xD0, 0x30, 0x30)));
        EXPECT_TRUE(testsupport::PixelIs(*error, 12, 12, clBtnFace));
        EXPECT_TRUE(testsupport::PixelIs(*picture(mtWarning), 12 + 10, 12 + 28, RGB(0xF2, 0xC1, 0x1C)));
        EXPECT_TRUE(testsupport::PixelIs(*picture(mtInformation), x, y, RGB(0x1F, 0x5F, 0xBF)));
        EXPECT_TRUE(testsupport::PixelIs(*picture(mtCustom), x, y, clBtnFace));

        // The default button has a dark outer frame, the other not; the captions are drawn in
        // the style's button text.
        FormPtr dialog(CreateMessageDialog(nullptr, "Text", mtError, mbOKCancel));
        dialog->Show();
        auto shown = testsupport::Picture(*dialog);
        const std::vector<TButton*> buttons = ButtonsOf(*dialog);
        ASSERT_EQ(buttons.size(), 2u);
        EXPECT_TRUE(testsupport::PixelIs(*shown, buttons[0]->Left(), buttons[0]->Top() + 10, cl3DDkShadow));
        EXPECT_TRUE(testsupport::PixelIs(*shown, buttons[1]->Left(), buttons[1]->Top() + 10, clBtnHighlight));
        int text = 0;
        for (TButton* b : buttons)
            for (int py = b->Top(); py < b->Top() + b->Height(); ++py)
                for (int px = b->Left() + 4; px < b->Left() + b->Width() - 4; ++px)
                    text += testsupport::PixelAt(*shown, px, py) == ColorToRGB(clBtnText);
        EXPECT_GT(text, 8);
    }
}

TEST(MessageDialogsWithoutAHost, TheDesktopsDialogProgramAsks) {
    platform::FakePlatform fake;
    platform::ScopedPlatform scope{fake};
    platform::ScriptedFileChooser& chooser = fake.Chooser();
    chooser.ConfirmWith(true);
    chooser.ConfirmWith(false);
    chooser.ConfirmWith(false);
    EXPECT_EQ(MessageDlg("Keep it?", mtConfirmation, mbYesNo, 0), mrYes);
    EXPECT_EQ(MessageDlg("Keep it?", mtConfirmation, mbYesNo, 0), mrNo);
    EXPECT_EQ(Application->MessageBox("Go on?", "Lists", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(MessageDlg("Stopped.", mtError, MsgDlgBtnBit(mbOK), 0), mrOk);
    ShowMessage("Saved.");
    ASSERT_EQ(chooser.Messages().size(), 2u);
    EXPECT_EQ(chooser.Messages()[0].Title, "Error");
    EXPECT_EQ(chooser.Messages()[0].Text, "Stopped.");
    EXPECT_EQ(chooser.Messages()[1].Text, "Saved.");
    EXPECT_EQ(Screen->FormCount(), 0);
}

}  // namespace
