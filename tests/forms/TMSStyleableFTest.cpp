#include "forms/TMSStyleableF.h"

#include "controls/ColourListBoxesAndCombos.h"
#include "controls/StyledListbox.h"
#include "framework/controls/CheckListBox.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Grids.h"
#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "framework/forms/TextForms.h"
#include "framework/inifiles/MemIniFile.h"
#include "imaging/tool_imagelist_master.h"
#include "package/LM7StyledListboxPack.h"
#include "sibling/Colour_utils.h"
#include "sibling/Logging_utilities.h"
#include "sibling/My_tmsstylebase.h"
#include "sibling/Tms_utils.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"
#include "support/SolidImages.h"
#include "support/TempFolder.h"
#include "vendor/AdvControls.h"
#include "vendor/AdvGlowButton.h"
#include "vendor/AdvListView.h"
#include "vendor/AdvMenuStyler.h"
#include "vendor/AdvOfficeTabSet.h"
#include "vendor/AdvProgressBar.h"
#include "vendor/AdvSmoothButton.h"
#include "vendor/VendorCombos.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

using namespace framework;
using namespace lm7;
using namespace testsupport;
using sibling::Global_TMSStyle;
using sibling::GlobalImageHeight;

namespace {

// A tool window as the suite's programs write one: it attaches its styler itself and may
// keep its state in an ini file.
class TToolWindow : public TTMSStylableForm {
public:
    using TTMSStylableForm::AddAFormStyler;
    using TTMSStylableForm::ComponentsToResize;
    using TTMSStylableForm::EnableOrDisableButtons;
    using TTMSStylableForm::GetCentreofMainForm;
    using TTMSStylableForm::TTMSStylableForm;

    std::string TheIniName() override { return iniName; }
    TCustomForm* GetChildForm() override { return child; }
    void MudancaDeEstilo(TObject* Sender) override {
        ++restyles;
        TTMSStylableForm::MudancaDeEstilo(Sender);
    }

    std::string iniName;
    TCustomForm* child = nullptr;
    int restyles = 0;
};

// A list box of a class the correction does not know.
class TOtherListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
};

using WindowPtr = std::unique_ptr<TToolWindow, TFreeDeleter>;

class StylableForm : public ::testing::Test {
protected:
    StylableForm() { Tool_imagelist_master::initialization(); }
    ~StylableForm() override {
        window.reset();
        Screen->SetPixelsPerInch(96);
        Global_TMSStyle = vendor::tsLight;
        Tool_imagelist_master::Finalization();
    }

    // A window at the screen's present resolution, with FormShow connected as a layout does.
    TToolWindow* MakeWindow() {
        window.reset(Create<TToolWindow>(nullptr));
        window->SetName("ToolWindow");
        window->OnShow = TNotifyEvent::Of<&TTMSStylableForm::FormShow>(window.get());
        window->SetBounds(0, 0, 600, 400);
        return window.get();
    }
    template <class T> T* Add(const std::string& name) {
        T* c = Create<T>(window.get());
        c->SetName(name);
        if (auto* control = As<TControl>(c))
            control->SetParent(window.get());
        return c;
    }

    WindowPtr window;
};

TEST_F(StylableForm, CreationStepsSetUpTheWindow) {
    TToolWindow* w = MakeWindow();
    EXPECT_FALSE(w->Scaled());
    EXPECT_TRUE(w->OnActivate ==
                TNotifyEvent::Of<&TTMSStylableForm::FormActivate>(static_cast<TTMSStylableForm*>(w)));
    EXPECT_EQ(w->Font()->Height(), Application->DefaultFont()->Height());
    EXPECT_EQ(w->GetFormStyler(), nullptr);
    EXPECT_EQ(w->ComponentsToResize->Count(), 0);
}

// A tool window's layout connects the base form's handlers by name and holds the suite's pager.
TEST_F(StylableForm, ALayoutConnectsTheHandlersAndHoldsThePager) {
    RegisterPackageClasses();
    Screen->SetPixelsPerInch(144);
    TToolWindow* w = MakeWindow();
    w->OnShow = nullptr;
    ReadTextForm(R"(object ToolWindow: TTMSStylableForm
  OnShow = FormShow
  object Pager: TLMAdvOfficePager
    PageMargin = 4
    CloseOnTab = True
  end
end
)",
                 w, "tool.lfm");
    auto* pager = As<TLMAdvOfficePager>(w->FindComponent("Pager"));
    ASSERT_NE(pager, nullptr);
    EXPECT_TRUE(pager->CloseOnTab());
    EXPECT_NE(WriteTextForm(w).find("PageMargin = 4"), std::string::npos);
    w->AddAFormStyler(w);
    w->Show();
    EXPECT_EQ(pager->TabHeight(), 42);  // FormShow ran and corrected the pager
}

TEST_F(StylableForm, AtNinetySixShowingCorrectsNothing) {
    TToolWindow* w = MakeWindow();
    auto* list = Add<TListBox>("List");
    list->SetItemHeight(30);
    w->AddAFormStyler(w);
    w->Show();
    EXPECT_EQ(GlobalImageHeight, IntegerToNearestImageHeight(19));
    EXPECT_FLOAT_EQ(sibling::GlobalMonitorFontScale, 1.0f);
    EXPECT_EQ(list->ItemHeight(), 30);
}

// Every row of the correction at 144 pixels per inch: the same height R for the plain list
// kinds and grids, each vendor correction visible, nothing for a foreign list box.
TEST_F(StylableForm, AtOneFortyFourEveryCollectedComponentIsCorrected) {
    Screen->SetPixelsPerInch(144);
    TToolWindow* w = MakeWindow();
    auto* view = Add<vendor::TAdvListView>("View");
    auto* plain = Add<TListBox>("Plain");
    auto* checks = Add<TCheckListBox>("Checks");
    auto* other = Add<TOtherListBox>("Other");
    other->SetItemHeight(30);
    auto* combo = Add<TColourSharingCombo>("ColourCombo");
    auto* grid = Add<TDrawGrid>("Grid");
    auto* strings = Add<TStringGrid>("Strings");
    auto* styled = Add<TStyledListbox>("Styled");
    styled->SetParentFont(false);
    auto* colours = Add<TColourSharingListbox>("Colours");
    auto* check = Add<vendor::TAdvOfficeCheckBox>("Check");
    auto* tabs = Add<vendor::TAdvOfficeTabSet>("Tabs");
    auto* pager = Add<TLMAdvOfficePager>("Pager");
    ImageListPtr own = SolidImages(16, {clRed});
    pager->SetImages(own.get());
    auto* advCombo = Add<vendor::TAdvCustomComboBox>("AdvCombo");
    auto* menus = Add<vendor::TAdvMenuStyler>("Menus");
    auto* bar = Add<vendor::TAdvProgressBar>("Bar");
    auto* glow = Add<vendor::TAdvGlowButton>("Glow");
    glow->SetImages(own.get());
    glow->SetImageIndex(0);
    auto* smooth = Add<vendor::TAdvSmoothButton>("Smooth");
    smooth->SetImages(own.get());

    w->AddAFormStyler(w);
    w->Show();

    EXPECT_EQ(GlobalImageHeight, IntegerToNearestImageHeight(29));
    EXPECT_EQ(GlobalImageHeight, 32);
    const int R = 26;  // 32 * 0.8, to the nearest
    for (int height : {view->ItemHeight(), plain->ItemHeight(), checks->ItemHeight(), combo->ItemHeight(),
                       grid->DefaultRowHeight(), strings->DefaultRowHeight()})
        EXPECT_EQ(height, R);
    EXPECT_TRUE(plain->ParentFont());
    EXPECT_EQ(other->ItemHeight(), 30);
    EXPECT_TRUE(styled->ParentFont());
    EXPECT_FLOAT_EQ(colours->currentFontScale, 1.5f);
    EXPECT_EQ(check->MarkSize(), 21);
    EXPECT_EQ(tabs->TabHeight(), 39);
    EXPECT_EQ(advCombo->ItemHeight(), 24);
    EXPECT_EQ(menus->ItemHeight(), 33);
    EXPECT_EQ(bar->Font()->Height(), -16);
    // Images and size both: the pager shows the master list of the new size, in a taller row.
    const sibling::TImageDimensions dim = sibling::IntegerToImageDimension(32);
    EXPECT_EQ(pager->Images(), ImageLists[dim]);
    EXPECT_EQ(pager->TabHeight(), 42);
    EXPECT_EQ(glow->Images(), ImageListMain());
    EXPECT_EQ(smooth->Images(), own.get());
}

TEST_F(StylableForm, OnceCorrectedAlwaysCorrectedAlsoBackAtNinetySix) {
    Screen->SetPixelsPerInch(144);
    TToolWindow* w = MakeWindow();
    auto* panel = Add<TPanel>("Panel");
    panel->SetBounds(30, 60, 90, 45);
    auto* list = Add<TListBox>("List");
    auto* smooth = Add<vendor::TAdvSmoothButton>("Smooth");
    ImageListPtr own = SolidImages(16, {clRed});
    smooth->SetImages(own.get());
    w->AddAFormStyler(w);
    w->Show();
    EXPECT_EQ(list->ItemHeight(), 26);
    const int fontHeight = w->Font()->Height();

    w->Perform(WM_DPICHANGED, MakeWParam(96, 96), 0);
    EXPECT_EQ(w->PixelsPerInch(), 96);
    EXPECT_EQ(panel->BoundsRect(), Rect(20, 40, 80, 70));
    EXPECT_EQ(w->Font()->Height(), MulDiv(fontHeight, 96, 144));
    EXPECT_EQ(GlobalImageHeight, 20);
    EXPECT_EQ(list->ItemHeight(), 16);  // corrected again, now for 96
    w->FormShow(w);
    EXPECT_EQ(list->ItemHeight(), 16);
    EXPECT_EQ(smooth->Images(), own.get());
}

// A colour row is 16 pixels at 96 and 24 at 144, whether the window starts at 144 or moves
// there: the monitor's scale already holds the resolution and is applied once.
TEST_F(StylableForm, ColourRowsTakeTheResolutionOnce) {
    const TColorArray saved = sibling::MyColourArray;
    sibling::MyColourArray = {{clRed, "red"}, {clLime, "lime"}, {clBlue, "blue"}};
    auto addList = [this] {
        auto* colours = Add<TColourSharingListbox>("Colours");
        colours->SetBounds(10, 10, 200, 120);
        window->AddAFormStyler(window.get());
        window->Show();
        return colours;
    };
    auto swatchHeight = [this] {
        const auto swatch = BoundsOfColor(*Picture(*window), clLime);  // the second row's
        return swatch ? swatch->Height() : 0;
    };
    for (int ppi : {96, 144}) {
        SCOPED_TRACE(ppi);
        Screen->SetPixelsPerInch(ppi);
        MakeWindow();
        auto* colours = addList();
        EXPECT_EQ(colours->ItemHeight(), ppi / 6);
        EXPECT_EQ(swatchHeight(), ppi / 6 - 2);  // a pixel in from the row's top and bottom
    }
    Screen->SetPixelsPerInch(96);
    MakeWindow();
    auto* moved = addList();
    window->Perform(WM_DPICHANGED, MakeWParam(144, 144), 0);
    EXPECT_EQ(moved->ItemHeight(), 24);
    EXPECT_EQ(swatchHeight(), 22);
    sibling::MyColourArray = saved;
}

TEST_F(StylableForm, ADpiChangeRescalesTheWindowAndCorrectsIt) {
    TToolWindow* w = MakeWindow();
    auto* list = Add<TListBox>("List");
    list->SetBounds(10, 20, 100, 80);
    list->SetItemHeight(40);
    w->AddAFormStyler(w);
    w->Show();
    EXPECT_EQ(list->ItemHeight(), 40);
    const TRect suggested = Rect(40, 50, 940, 650);
    const TLParamPointer rect(&suggested);
    w->Perform(WM_DPICHANGED, MakeWParam(144, 144), rect.LParam());
    EXPECT_EQ(w->RecommendedSize(), suggested);
    EXPECT_EQ(w->Left(), 0);  // recorded only
    EXPECT_EQ(list->BoundsRect(), Rect(15, 30, 165, 150));
    EXPECT_EQ(list->ItemHeight(), 26);
    EXPECT_EQ(w->PixelsPerInch(), 144);
}

TEST_F(StylableForm, TheStyleBroadcastSetsTheStyleOnlyForItsCommand) {
    TToolWindow* w = MakeWindow();
    auto* styled = Add<TStyledListbox>("Styled");
    w->AddAFormStyler(w);
    w->Show();
    EXPECT_EQ(w->Perform(WM_BROADCASTBYSHELL, 704, 2), 0);
    EXPECT_EQ(Global_TMSStyle, vendor::tsLight);
    EXPECT_EQ(w->restyles, 0);

    w->Perform(WM_BROADCASTBYSHELL, kStyleChangeCommand, -3);
    EXPECT_EQ(Global_TMSStyle, 3);
    EXPECT_EQ(w->GetFormStyler()->Style(), 3);
    EXPECT_EQ(w->Color(), sibling::GetABaseTMSBackgroundColour(vendor::tsOlive));
    EXPECT_EQ(styled->Color(), sibling::GetABaseTMSBackgroundColour(vendor::tsOlive));
    // The form restyles, the styler reports its change once, and the exchange ends there.
    EXPECT_EQ(w->restyles, 2);

    w->Perform(WM_BROADCASTBYSHELL, kStyleChangeCommand, 200);  // no such style
    EXPECT_EQ(Global_TMSStyle, 3);
}

TEST_F(StylableForm, StylerAndRestyleNeverCallEachOtherWithoutEnd) {
    TToolWindow* w = MakeWindow();
    w->AddAFormStyler(w);
    EXPECT_EQ(w->restyles, 0);                     // attaching reports nothing
    w->GetFormStyler()->SetStyle(vendor::tsDark);  // not the suite's style
    EXPECT_EQ(w->restyles, 2);
    EXPECT_EQ(w->GetFormStyler()->Style(), Global_TMSStyle);
    w->MudancaDeEstilo(nullptr);
    EXPECT_EQ(w->restyles, 3);
}

TEST_F(StylableForm, ABroadcastRepaintsEveryStyledControlInTheNewColours) {
    TToolWindow* w = MakeWindow();
    auto* styled = Add<TStyledListbox>("Styled");
    styled->SetBounds(10, 10, 120, 100);
    styled->Items()->Add("word");
    auto* colours = Add<TColourSharingListbox>("Colours");
    colours->SetBounds(140, 10, 150, 100);
    auto* tabs = Add<vendor::TAdvOfficeTabSet>("Tabs");
    tabs->SetBounds(10, 120, 300, 30);
    tabs->AdvOfficeTabs()->Add("One");
    auto* bar = Add<vendor::TAdvProgressBar>("Bar");
    bar->SetBounds(10, 160, 200, 20);
    bar->SetPosition(50);
    bar->SetShowPercentage(false);
    w->AddAFormStyler(w);
    w->Show();
    Picture(*w);

    w->Perform(WM_BROADCASTBYSHELL, kStyleChangeCommand, vendor::tsDark);
    Application->ProcessMessages();
    auto pic = w->Snapshot();
    const TColor back = sibling::GetABaseTMSBackgroundColour(vendor::tsDark);
    EXPECT_TRUE(PixelIs(*pic, w->ClientWidth() - 5, w->ClientHeight() - 5, back));  // the form
    EXPECT_TRUE(PixelIs(*pic, 100, 100, back));  // the styled list, below its one item
    // The colour list writes its colour names in the style's text colour.
    EXPECT_GT(CountOfColor(*pic, sibling::GetABaseTMSTextColour(vendor::tsDark)), 0);
    EXPECT_EQ(CountOfColor(*pic, sibling::GetABaseTMSTextColour(vendor::tsLight)), 0);
    EXPECT_TRUE(PixelIs(*pic, 300, 140, vendor::TMSStyleColors(vendor::tsDark).Face));     // the tab row
    EXPECT_TRUE(PixelIs(*pic, 30, 170, vendor::TMSStyleColors(vendor::tsDark).Selected));  // the filled bar
}

TEST_F(StylableForm, AttachingTwiceKeepsOneStylerAndCollectsNothingTwice) {
    TToolWindow* w = MakeWindow();
    Add<TListBox>("List");
    Add<TStringGrid>("Grid");
    w->AddAFormStyler(w);
    vendor::TAdvFormStyler* styler = w->GetFormStyler();
    ASSERT_NE(styler, nullptr);
    EXPECT_EQ(w->ComponentsToResize->Count(), 2);
    w->AddAFormStyler(w);
    EXPECT_EQ(w->GetFormStyler(), styler);
    EXPECT_EQ(w->ComponentsToResize->Count(), 2);
}

TEST_F(StylableForm, AComponentThatGoesLeavesTheList) {
    Screen->SetPixelsPerInch(144);
    TToolWindow* w = MakeWindow();
    auto* list = Add<TListBox>("List");
    auto* keep = Add<TListBox>("Keep");
    w->AddAFormStyler(w);
    list->Free();
    EXPECT_EQ(w->ComponentsToResize->Count(), 1);
    w->Show();  // corrects what is left, and nothing that went
    EXPECT_EQ(keep->ItemHeight(), 26);
}

TEST_F(StylableForm, CentreIsOfTheChildFormOrElseOfTheWindow) {
    TToolWindow* w = MakeWindow();
    w->SetBounds(100, 50, 301, 201);
    EXPECT_EQ(w->GetCentreofMainForm(), Point(250, 150));
    FormPtr child = MakeForm();
    child->SetBounds(-10, -20, 40, 61);
    w->child = child.get();
    EXPECT_EQ(w->GetCentreofMainForm(), Point(10, 10));
}

TEST_F(StylableForm, EnableOrDisableButtonsTakesEveryControlOfTheArray) {
    TToolWindow* w = MakeWindow();
    std::array<TWinControl*, 2> controls{Add<TEdit>("A"), Add<TEdit>("B")};
    w->EnableOrDisableButtons(controls, ed_disable);
    EXPECT_FALSE(controls[0]->Enabled());
    EXPECT_FALSE(controls[1]->Enabled());
    w->EnableOrDisableButtons({}, ed_enable);
    EXPECT_FALSE(controls[0]->Enabled());
    w->EnableOrDisableButtons(controls, ed_enable);
    EXPECT_TRUE(controls[0]->Enabled() && controls[1]->Enabled());
}

TEST_F(StylableForm, DestructionWritesTheIniOfAWindowThatNamesOne) {
    TempFolder folder;
    TToolWindow* w = MakeWindow();
    w->iniName = folder.Path("settings/tool.ini");
    Add<TEdit>("Query")->SetText("corpus");
    w->Show();
    window.reset();
    ASSERT_TRUE(folder.Exists("settings/tool.ini"));
    EXPECT_NE(folder.Read("settings/tool.ini").find("corpus"), std::string::npos);

    TToolWindow* again = MakeWindow();
    again->iniName = folder.Path("settings/tool.ini");
    auto* query = Add<TEdit>("Query");
    again->Show();
    EXPECT_EQ(query->Text(), "corpus");
}

// Collects what the application is handed instead of showing it.
class HandedErrors {
public:
    HandedErrors() {
        Application->OnException = TExceptionEvent::Lambda(
            [this](TObject* Sender, const std::exception& E) { errors.emplace_back(Sender, E.what()); });
    }
    ~HandedErrors() { Application->OnException = nullptr; }
    std::vector<std::pair<TObject*, std::string>> errors;
};

// The window goes, the old file stays whole, and the error reaches the user through the
// application (and is counted, for the program's exit status).
TEST_F(StylableForm, AnIniThatCannotBeWrittenDoesNotStopTheWindowGoing) {
    TempFolder folder;
    folder.Write("blocker", "a file where a folder should be");
    TToolWindow* w = MakeWindow();
    w->iniName = folder.Path("blocker/tool.ini");
    Add<TEdit>("Query")->SetText("lost");
    HandedErrors handed;
    const int before = Application->HandledExceptionCount();
    EXPECT_NO_THROW(window.reset());
    EXPECT_EQ(Screen->FormCount(), 0);
    ASSERT_EQ(handed.errors.size(), 1u);
    EXPECT_NE(handed.errors[0].second.find(folder.Path("blocker/tool.ini")), std::string::npos)
        << handed.errors[0].second;
    EXPECT_EQ(Application->HandledExceptionCount(), before + 1);
    EXPECT_EQ(folder.Read("blocker"), "a file where a folder should be");
}

// A state file that cannot be read does not stop the window's restore: the window shows with
// its defaults and its styler, the user is told which file and why, and the file is left as it
// is, also when the window closes.
TEST_F(StylableForm, AStateFileThatCannotBeReadLeavesDefaultsAndTheFileAlone) {
    TempFolder folder;
    const std::string ini = folder.Write("tool.ini", "[Query]\ntext=kept\n");
    const auto huge = static_cast<off_t>(TMemIniFile::MaxFileSize() + 1);  // sparse: costs no disk
    ASSERT_EQ(::truncate(ini.c_str(), huge), 0);
    Global_TMSStyle = vendor::tsDark;
    TToolWindow* w = MakeWindow();
    w->iniName = ini;
    auto* query = Add<TEdit>("Query");
    query->SetText("designed");
    w->AddAFormStyler(w);
    HandedErrors handed;
    EXPECT_NO_THROW(w->Show());
    EXPECT_EQ(query->Text(), "designed");
    EXPECT_EQ(w->GetFormStyler()->Style(), vendor::tsDark);  // the rest of the show still ran
    ASSERT_EQ(handed.errors.size(), 1u);
    EXPECT_EQ(handed.errors[0].first, w);
    EXPECT_NE(handed.errors[0].second.find(ini), std::string::npos) << handed.errors[0].second;
    EXPECT_NE(handed.errors[0].second.find("defaults"), std::string::npos) << handed.errors[0].second;
    query->SetText("typed later");
    window.reset();
    EXPECT_EQ(std::filesystem::file_size(ini), static_cast<std::uintmax_t>(huge));  // not saved over
}

TEST_F(StylableForm, LogsTheShowAndEachCorrectedComponent) {
    TempFolder folder;
    const std::string before = sibling::LogFileName();
    sibling::SetLogFileName(folder.Path("tool.log"));
    sibling::global_keeping_log = true;
    Screen->SetPixelsPerInch(144);
    TToolWindow* w = MakeWindow();
    Add<TListBox>("Words");
    w->AddAFormStyler(w);
    w->Show();
    sibling::global_keeping_log = false;
    sibling::SetLogFileName(before);
    const std::string log = folder.Read("tool.log");
    EXPECT_NE(log.find("FormShow ToolWindow\n"), std::string::npos);
    EXPECT_NE(log.find("ToolWindow componentstoresize start\n"), std::string::npos);
    EXPECT_NE(log.find("\t1: Words\n"), std::string::npos);
}

}  // namespace
