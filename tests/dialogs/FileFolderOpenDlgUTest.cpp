#include "dialogs/FileFolderOpenDlgU.h"

#include "framework/classes/Palette.h"
#include "framework/forms/TextForms.h"
#include "framework/platform/FakePlatform.h"
#include "package/LM7StyledListboxPack.h"
#include "package/PackageResources.h"
#include "support/FormFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace framework;
using namespace lm7;
using platform::FakePlatform;
using platform::FileChooserRequest;
using testsupport::FormPtr;
using testsupport::TempFolder;

namespace {

class PickerFixture : public ::testing::Test {
protected:
    FakePlatform fake;
    platform::ScopedPlatform scope{fake};
    platform::ScriptedFileChooser& chooser = fake.Chooser();
    TempFolder temp;
    FormPtr form = testsupport::MakeForm(240, 80);
    TMyOpenFolderDialog* picker = Create<TMyOpenFolderDialog>(form.get());
    std::vector<std::string> events;

    void SetUp() override {
        picker->SetBounds(10, 10, 200, 22);
        picker->SetParent(form.get());
        picker->OnButtonPressing = TNotifyEvent::Lambda([this](TObject* s) {
            EXPECT_EQ(s, picker);
            events.push_back("pressing:" + picker->Text());
        });
        picker->OnFolderChosen = TNotifyEvent::Lambda([this](TObject* s) {
            EXPECT_EQ(s, picker);
            events.push_back("chosen:" + picker->Text());
        });
        chooser.WhileOpen = [this](const FileChooserRequest&) {
            events.push_back("chooser:" + picker->Text());
        };
    }

    // A real press: mouse down and up on the picker's button, through the form.
    void PressButton() {
        const TRect button = picker->ButtonRect();
        const int inset = picker->ClientInset();
        testsupport::ClickAt(*form, picker->Left() + inset + button.Left + button.Width() / 2,
                             picker->Top() + inset + button.Height() / 2);
    }
};

}  // namespace

TEST_F(PickerFixture, FolderModeOffersTheTextAsStartAndEventsSurroundTheChoice) {
    const std::string file = temp.Write("notes.txt", "x");
    picker->SetText(file);
    chooser.AnswerWith({temp.Root()});
    PressButton();
    ASSERT_EQ(chooser.Requests().size(), 1u);
    const FileChooserRequest& asked = chooser.Requests()[0];
    EXPECT_TRUE(asked.PickFolders);
    EXPECT_FALSE(asked.MultiSelect);
    EXPECT_TRUE(asked.Filters.empty());
    EXPECT_EQ(asked.StartFolder, file);
    EXPECT_EQ(asked.FileName, file);
    EXPECT_EQ(asked.Title, "Select a folder");
    EXPECT_EQ(asked.OkLabel, "Select");
    EXPECT_EQ(events,
              (std::vector<std::string>{"pressing:" + file, "chooser:" + file, "chosen:" + temp.Root()}));
    EXPECT_EQ(picker->FolderOrFile(), temp.Root());
    EXPECT_EQ(picker->LastChoice(), temp.Root());
}

TEST_F(PickerFixture, CancellingRaisesOnlyTheButtonEventAndKeepsEverything) {
    picker->SetText("/first");
    chooser.AnswerWith({temp.Root()});
    PressButton();
    events.clear();
    picker->SetText("typed later");
    chooser.AnswerCancel();
    PressButton();
    EXPECT_EQ(events, (std::vector<std::string>{"pressing:typed later", "chooser:typed later"}));
    EXPECT_EQ(picker->Text(), "typed later");
    EXPECT_EQ(picker->LastChoice(), temp.Root());
}

TEST_F(PickerFixture, ButtonPressingMayChangeTheTextTheChooserStartsAt) {
    picker->OnButtonPressing = TNotifyEvent::Lambda([this](TObject*) { picker->SetText("/from/event"); });
    PressButton();
    ASSERT_EQ(chooser.Requests().size(), 1u);
    EXPECT_EQ(chooser.Requests()[0].StartFolder, "/from/event");
}

TEST_F(PickerFixture, ReleasingAwayFromTheButtonOrClickingTheTextOpensNothing) {
    const TRect button = picker->ButtonRect();
    const int inset = picker->ClientInset();
    const int y = picker->Top() + inset + button.Height() / 2;
    form->SendMouseInput(WM_LBUTTONDOWN, picker->Left() + inset + button.Left + 2, y, 0);
    form->SendMouseInput(WM_LBUTTONUP, picker->Left() + inset + 5, y, 0);
    testsupport::ClickAt(*form, picker->Left() + inset + 5, y);
    EXPECT_TRUE(chooser.Requests().empty());
    EXPECT_TRUE(events.empty());
}

TEST_F(PickerFixture, FilePickerOffersTextXmlAndAllFilesInThatOrder) {
    auto* files = Create<TMyOpenFileDialog>(form.get());
    EXPECT_TRUE(files->OnlyFolderAllowed());  // placed without changes it picks folders
    files->SetOnlyFolderAllowed(false);
    const std::string first = temp.Write("b.xml", "<b/>"), second = temp.Write("c.xml", "<c/>");
    chooser.AnswerWith({first, second});
    ASSERT_TRUE(files->ChosenExistingFileOrFolder("/a/"));
    EXPECT_EQ(files->LastChoice(), first);  // further items are not used
    const FileChooserRequest& asked = chooser.Requests().at(0);
    EXPECT_FALSE(asked.PickFolders);
    EXPECT_TRUE(asked.MultiSelect);
    ASSERT_EQ(asked.Filters.size(), 3u);
    EXPECT_EQ(asked.Filters[0], (platform::FileFilter{"Text files", {"*.txt"}}));
    EXPECT_EQ(asked.Filters[1], (platform::FileFilter{"XML files", {"*.xml"}}));
    EXPECT_EQ(asked.Filters[2], (platform::FileFilter{"All files", {"*.*"}}));
    EXPECT_EQ(asked.Title, "Select a folder");  // the folder title also when files are picked
}

TEST_F(PickerFixture, SwitchingToFoldersInCodeTurnsAFileIntoItsFolder) {
    const std::string file = temp.Write("sub/a.txt", "x");
    picker->SetOnlyFolderAllowed(false);
    picker->SetText(file);
    picker->SetOnlyFolderAllowed(true);
    EXPECT_EQ(picker->Text(), temp.Root() + "/sub/");
    // Something other than an existing file stays.
    picker->SetText(temp.Root() + "/sub");
    picker->SetOnlyFolderAllowed(true);
    EXPECT_EQ(picker->Text(), temp.Root() + "/sub");
    picker->SetText(temp.Path("missing.txt"));
    picker->SetOnlyFolderAllowed(true);
    EXPECT_EQ(picker->Text(), temp.Path("missing.txt"));
    // Switching off never touches the text.
    picker->SetText(file);
    picker->SetOnlyFolderAllowed(false);
    EXPECT_EQ(picker->Text(), file);
}

TEST_F(PickerFixture, TheSameValueAppliedWhileTheFormLoadsKeepsTheStoredText) {
    const std::string file = temp.Write("a.txt", "x");
    for (const bool readingOnly : {false, true}) {
        picker->SetText(file);
        form->BeginLoading();
        if (readingOnly)
            form->EndReading();  // still loading, no longer reading
        ASSERT_TRUE(form->HasState(csLoading));
        SetPropValue(picker, "OnlyFolderAllowed", TValue(true));
        form->FinishLoading();
        EXPECT_EQ(picker->Text(), file);
        EXPECT_TRUE(picker->OnlyFolderAllowed());
    }
    // Without an owner a picker counts as not loading.
    std::unique_ptr<TMyOpenFolderDialog, TFreeDeleter> alone(Create<TMyOpenFolderDialog>(nullptr));
    alone->SetText(file);
    alone->SetOnlyFolderAllowed(true);
    EXPECT_EQ(alone->Text(), temp.Root() + "/");
}

TEST_F(PickerFixture, NoChooserOnTheDesktopIsShownToTheUserAndChangesNothing) {
    picker->SetText("/kept");
    chooser.AnswerError("No file chooser is available: looked for zenity");
    PressButton();
    ASSERT_EQ(chooser.Messages().size(), 1u);
    EXPECT_EQ(chooser.Messages()[0].Text, "No file chooser is available: looked for zenity");
    EXPECT_EQ(picker->Text(), "/kept");
    EXPECT_EQ(events, (std::vector<std::string>{"pressing:/kept", "chooser:/kept"}));
}

TEST_F(PickerFixture, ClassicBrowserPicksFoldersAndACancelIsNoChoice) {
    fake.SetSystemMajorVersion(5);
    picker->SetOnlyFolderAllowed(false);  // not used by the classic browser
    picker->SetText(temp.Root());
    chooser.AnswerCancel();
    PressButton();
    EXPECT_EQ(events, (std::vector<std::string>{"pressing:" + temp.Root(), "chooser:" + temp.Root()}));
    EXPECT_EQ(picker->LastChoice(), "");

    const std::string other = temp.MakeFolder("other");
    chooser.AnswerWith({other});
    PressButton();
    const FileChooserRequest& asked = chooser.Requests().at(1);
    EXPECT_TRUE(asked.PickFolders);
    EXPECT_EQ(asked.StartFolder, temp.Root());
    EXPECT_EQ(picker->Text(), other);
}

TEST_F(PickerFixture, ClassicBrowserAsksBeforeCreatingAMissingFolder) {
    fake.SetSystemMajorVersion(5);
    const std::string missing = temp.Path("new/folder");
    chooser.AnswerWith({missing});
    chooser.ConfirmWith(false);
    EXPECT_EQ(ChosenFolderOrFile("t", "ok", temp.Root(), true), "");
    EXPECT_FALSE(temp.Exists("new"));
    chooser.AnswerWith({missing});
    chooser.ConfirmWith(true);
    EXPECT_EQ(ChosenFolderOrFile("t", "ok", temp.Root(), true), missing);
    EXPECT_TRUE(temp.Exists("new/folder"));
    EXPECT_EQ(chooser.Questions().size(), 2u);
}

TEST_F(PickerFixture, NewStyleAsksBeforeAcceptingANameThatDoesNotExist) {
    chooser.AnswerWith({temp.Path("typed")});
    chooser.ConfirmWith(false);  // no: the chooser opens again
    chooser.AnswerWith({temp.Root()});
    EXPECT_EQ(ChosenFolderOrFile("t", "ok", "", true), temp.Root());
    EXPECT_EQ(chooser.Requests().size(), 2u);
    EXPECT_EQ(chooser.Questions().size(), 1u);
}

TEST_F(PickerFixture, LinkedCheckboxIsOnlyKeptAndForgottenWhenFreed) {
    picker->SetText("/some/where");
    const auto before = testsupport::Picture(*form);
    auto* box = Create<vendor::TAdvOfficeCheckBox>(form.get());
    picker->SetLinkedCheckbox(box);
    EXPECT_EQ(GetObjectProp(picker, "LinkedCheckbox"), box);
    const auto after = testsupport::Picture(*form);
    for (int y = 0; y < before->Height(); ++y)
        for (int x = 0; x < before->Width(); ++x)
            ASSERT_EQ(before->Canvas()->Pixels(x, y), after->Canvas()->Pixels(x, y)) << x << "," << y;
    box->Free();
    EXPECT_EQ(picker->LinkedCheckbox(), nullptr);
}

// --- The folder bitmaps -------------------------------------------------------------------------

TEST(FolderBitmaps, AClosedFolderOutlinedInBlackFilledWhiteAndYellowOnOlive) {
    for (const char* name : {"IMG_1", "TMYOPENFOLDERDIALOG", "img_1"}) {
        SCOPED_TRACE(name);
        const auto bitmap = LoadPackageBitmap(name);
        ASSERT_EQ(bitmap->Width(), 14);
        ASSERT_EQ(bitmap->Height(), 14);
        EXPECT_EQ(bitmap->PixelFormat(), pf4bit);
        EXPECT_TRUE(bitmap->Transparent());
        EXPECT_EQ(bitmap->TransparentColorValue(), clOlive);  // the bottom-left pixel
        const TCanvas& c = *bitmap->Canvas();
        auto at = [&](int x, int y) {
            return x < 0 || y < 0 || x >= 14 || y >= 14 ? clOlive : c.Pixels(x, y);
        };
        int fill = 0, outline = 0;
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 14; ++x) {
                const TColor p = at(x, y);
                ASSERT_TRUE(p == clBlack || p == clWhite || p == clYellow || p == clOlive) << x << "," << y;
                if (p == clBlack)
                    ++outline;
                if (p != clWhite && p != clYellow)
                    continue;
                ++fill;
                // Closed: the fill touches only fill and outline; it alternates pixel by pixel.
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    const TColor n = at(x + dx, y + dy);
                    ASSERT_NE(n, clOlive) << x << "," << y;
                    if (n != clBlack) {
                        EXPECT_NE(n, p) << x << "," << y;
                    }
                }
            }
        EXPECT_GT(fill, 60);
        EXPECT_GT(outline, 30);
        // The outline borders the olive background all round: every outline pixel touches fill
        // or background, never only outline.
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 14; ++x)
                if (at(x, y) == clBlack) {
                    bool touchesOther = false;
                    for (auto [dx, dy] :
                         {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {-1, -1}, {1, -1}, {-1, 1}})
                        touchesOther |= at(x + dx, y + dy) != clBlack;
                    EXPECT_TRUE(touchesOther) << x << "," << y;
                }
    }
    EXPECT_THROW(LoadPackageBitmap("IMG_2"), EResNotFound);
}

TEST(FolderBitmaps, TheGlyphIsLoadedOnlyWhenPlacedInTheDesigner) {
    FormPtr form = testsupport::MakeForm();
    auto* runtime = Create<TMyOpenFolderDialog>(form.get());
    EXPECT_TRUE(runtime->Glyph()->Empty());
    form->SetDesigning(true);
    auto* placed = Create<TMyOpenFolderDialog>(form.get());
    EXPECT_EQ(placed->Glyph()->Width(), 14);
    form->BeginLoading();
    auto* read = Create<TMyOpenFolderDialog>(form.get());
    EXPECT_TRUE(read->Glyph()->Empty());
    form->FinishLoading();
}

TEST(FolderBitmaps, TheButtonPaintsTheGlyphLeavingOliveOut) {
    FormPtr form = testsupport::MakeForm(240, 60);
    auto* picker = Create<TMyOpenFolderDialog>(form.get());
    picker->SetBounds(10, 10, 200, 24);
    picker->SetParent(form.get());
    picker->SetGlyph(LoadPackageBitmap("IMG_1").get());
    const auto picture = testsupport::Picture(*form);
    const TRect button = picker->ButtonRect();
    const int left = 10 + picker->ClientInset() + button.Left + (button.Width() - 14) / 2;
    const int top = 10 + picker->ClientInset() + (button.Height() - 14) / 2;
    const auto glyph = LoadPackageBitmap("IMG_1");
    int drawn = 0;
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 14; ++x) {
            const TColor want = glyph->Canvas()->Pixels(x, y);
            const TColor got = picture->Canvas()->Pixels(left + x, top + y);
            if (want == clOlive) {
                EXPECT_NE(got, clOlive) << x << "," << y;
            } else {
                EXPECT_EQ(got, want) << x << "," << y;
                ++drawn;
            }
        }
    EXPECT_GT(drawn, 90);
}

TEST(PickerRegistration, TheFolderPickerIsOnTheSamplesPageAndBothCanBeMadeByName) {
    ClearPalette();
    RegisterAll();
    std::vector<std::string> names;
    for (const TPaletteEntry& e : PaletteEntries())
        if (e.Class->InheritsFrom(&TMyOpenFolderDialog::ClassInfo()))
            names.push_back(e.Class->ClassName() + "@" + e.Page);
    EXPECT_EQ(names, (std::vector<std::string>{"TMyOpenFolderDialog@Samples"}));
    for (const char* name : {"TMyOpenFolderDialog", "TMyOpenFileDialog"}) {
        std::unique_ptr<TComponent, TFreeDeleter> made(FindClass(name)->CreateInstance(nullptr));
        EXPECT_EQ(made->ClassName(), name);
    }
    ClearPalette();
}

TEST(PickerForms, AStoredFilePickerReadsBackWithItsTextAndMode) {
    FileFolderOpenDlgU::Register();
    TempFolder temp;
    const std::string file = temp.Write("stored.txt", "x");
    // Stored as a folder picker whose text names a file: reading must not turn it into a folder.
    const std::string description = "object Tool: TForm\n"
                                    "  object Picker: TMyOpenFileDialog\n"
                                    "    FolderOrFile = '" +
                                    file +
                                    "'\n"
                                    "    OnlyFolderAllowed = True\n"
                                    "  end\n"
                                    "end\n";
    FormPtr form(Create<TForm>(nullptr));
    ReadTextForm(description, form.get());
    auto* picker = As<TMyOpenFileDialog>(form->FindComponent("Picker"));
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->FolderOrFile(), file);
    EXPECT_TRUE(picker->OnlyFolderAllowed());

    // A file picker is written with its mode, as the value has no default.
    picker->SetOnlyFolderAllowed(false);
    const std::string written = WriteTextForm(form.get());
    EXPECT_NE(written.find("OnlyFolderAllowed = False"), std::string::npos) << written;
    FormPtr again(Create<TForm>(nullptr));
    ReadTextForm(written, again.get());
    auto* read = As<TMyOpenFileDialog>(again->FindComponent("Picker"));
    ASSERT_NE(read, nullptr);
    EXPECT_FALSE(read->OnlyFolderAllowed());
    EXPECT_EQ(read->FolderOrFile(), file);
}

// A picker made in code and given no glyph shows the package's folder glyph on its button; the
// Glyph itself stays empty, so a stored form keeps none.
TEST(FolderBitmaps, APickerGivenNoGlyphShowsTheFolderGlyph) {
    FormPtr form = testsupport::MakeForm(240, 60);
    auto* picker = Create<TMyOpenFileDialog>(form.get());
    picker->SetBounds(10, 10, 200, 24);
    picker->SetParent(form.get());
    const auto picture = testsupport::Picture(*form);
    const TRect button = picker->ButtonRect();
    const int left = 10 + picker->ClientInset() + button.Left + (button.Width() - 14) / 2;
    const int top = 10 + picker->ClientInset() + (button.Height() - 14) / 2;
    const auto glyph = LoadPackageBitmap("IMG_1");
    int same = 0;
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 14; ++x)
            if (glyph->Canvas()->Pixels(x, y) != clOlive)
                same += picture->Canvas()->Pixels(left + x, top + y) == glyph->Canvas()->Pixels(x, y);
    EXPECT_GT(same, 90);
    EXPECT_TRUE(picker->Glyph()->Empty());
}
