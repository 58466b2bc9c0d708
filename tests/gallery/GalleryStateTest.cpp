// The gallery as a user meets it: what its status line reports, what its "Remembered settings"
// memo shows, and what it remembers from one start to the next.

#include "GalleryFixture.h"

#include "controls/ColourListBoxesAndCombos.h"
#include "controls/NotepadGrabPanel.h"
#include "controls/StyledListbox.h"
#include "dialogs/FileFolderOpenDlgU.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Edits.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Panel.h"
#include "framework/controls/RadioGroup.h"
#include "framework/rtl/Files.h"
#include "support/FormFixture.h"
#include "vendor/AdvControls.h"
#include "vendor/AdvListView.h"
#include "vendor/AdvOfficeTabSet.h"
#include "vendor/AdvTreeView.h"
#include "vendor/ElButtons.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace framework;
using namespace testsupport;

namespace {

class GalleryState : public GalleryFixture {
protected:
    // A left click at a point of a control, through the window as the mouse gives it.
    void ClickOn(TControl* c, TPoint p) {
        const TPoint o = c->ClientToScreen(p);
        const TPoint w = window->ClientToScreen(TPoint{0, 0});
        ClickAt(*window, o.X - w.X, o.Y - w.Y);
    }
    std::string Status() const { return Named<TPanel>("StatusLine")->Caption(); }
    static std::string FileText(const std::string& name) {
        std::ifstream in(name);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

TPoint Middle(const TRect& r) { return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

}  // namespace

TEST_F(GalleryState, TheColourCombosStartClosed) {
    Open();
    int combos = 0;
    for (int i = 0; i < window->ComponentCount(); ++i)
        if (auto* combo = As<lm7::TColourSharingCombo>(window->Components(i))) {
            ++combos;
            EXPECT_FALSE(combo->DroppedDown()) << combo->Name();
        }
    EXPECT_EQ(combos, 2);
}

// Each kind of control tells the status line what the user did with it.
TEST_F(GalleryState, TheStatusLineReportsWhatEachControlReports) {
    Open();
    auto* colours = Named<lm7::TColourSharingListbox>("ColourSharingListbox1");
    ASSERT_NE(colours, nullptr);
    ClickOn(colours, Middle(colours->ItemRect(8)));
    EXPECT_EQ(Status(), " ColourSharingListbox1: item 8 \"Wheat\"");

    auto* tree = Named<vendor::TAdvTreeView>("MyAdvTreeView1");
    ASSERT_NE(tree, nullptr);
    ClickOn(tree, TPoint{150, Middle(tree->RowRect(3)).Y});
    EXPECT_EQ(Status(), " MyAdvTreeView1: node \"readings\"");

    auto* view = Named<vendor::TAdvListView>("MyAdvListView1");
    ASSERT_NE(view, nullptr);
    ClickOn(view, Middle(view->ItemRect(2)));
    EXPECT_EQ(Status(), " MyAdvListView1: item 2 \"reading\"");

    auto* tabs = Named<vendor::TAdvOfficeTabSet>("TabsContext");
    ASSERT_NE(tabs, nullptr);
    ClickOn(tabs, Middle(tabs->TabRect(1)));
    EXPECT_EQ(Status(), " TabsContext: tab 1 \"Right\"");

    auto* check = Named<TCheckBox>("CheckCase");
    ASSERT_NE(check, nullptr);
    ClickOn(check, TPoint{5, check->ClientHeight() / 2});
    EXPECT_EQ(Status(), " CheckCase: not checked");

    auto* radios = Named<TRadioGroup>("RadioSort");
    ASSERT_NE(radios, nullptr);
    ClickOn(radios, Middle(radios->ItemRect(0)));
    EXPECT_EQ(Status(), " RadioSort: item 0 \"frequency\"");

    auto* columns = Named<vendor::TElCheckGroup>("GroupCols");
    ASSERT_NE(columns, nullptr);
    ClickOn(columns, Middle(columns->ItemRect(1)));
    EXPECT_EQ(Status(), " GroupCols: checked word, frequency, range");

    auto* spin = Named<vendor::TAdvSpinEdit>("SpinMax");
    ASSERT_NE(spin, nullptr);
    spin->SetValue(300);
    EXPECT_EQ(Status(), " SpinMax: value 300");

    const std::string folder = tmp.MakeFolder("texts");
    fake.Chooser().AnswerWith({folder});
    auto* picker = Named<lm7::TMyOpenFolderDialog>("MyOpenFolderDialog1");
    ASSERT_NE(picker, nullptr);
    ClickOn(picker, Middle(picker->ButtonRect()));
    EXPECT_EQ(Status(), " MyOpenFolderDialog1: \"" + folder + "\"");
}

// The memo shows the ini text the window would save now; closed, the window saves just that.
TEST_F(GalleryState, TheRememberedSettingsAreWhatTheWindowSaves) {
    Open();
    auto* memo = Named<TMemo>("RememberedSettings");
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Text(), window->RememberedText());
    EXPECT_NE(memo->Text().find("[CheckCase]\nchecked=true\n"), std::string::npos) << memo->Text();

    auto* check = Named<TCheckBox>("CheckCase");
    ClickOn(check, TPoint{5, check->ClientHeight() / 2});
    EXPECT_NE(memo->Text().find("[CheckCase]\nchecked=false\n"), std::string::npos) << memo->Text();
    const std::string shown = memo->Text();
    const std::string ini = window->TheIniName();
    Close();
    std::string saved = FileText(ini);
    if (saved.starts_with("\xEF\xBB\xBF"))
        saved.erase(0, 3);
    EXPECT_EQ(saved, shown);
}

TEST_F(GalleryState, ColoursMarginsAndSelectionsSurviveARestart) {
    Open();
    Named<lm7::TColourSharingCombo>("ColourSharingCombo1")->SetSelectedColour(clRed);
    Named<lm7::TColourSharingCombo>("ColourSharingCombo2")->SetSelectedColour(clTeal);
    auto* colours = Named<lm7::TColourSharingListbox>("ColourSharingListbox1");
    colours->SetItemIndex(11);
    const int colour = colours->SelectedColour();
    auto* margins = Named<lm7::TNotepadGrabPanel>("NotepadGrabPanel1");
    margins->SetBounds(30, 25, 100, 150);
    margins->RecomputeAllMidpoints();
    Named<TListBox>("ListBox1")->SetItemIndex(5);
    Named<lm7::TStyledListbox>("StyledListbox1")->SetItemIndex(4);
    Named<vendor::TAdvListView>("MyAdvListView1")->SetItemIndex(6);
    auto* tree = Named<vendor::TAdvTreeView>("MyAdvTreeView1");
    tree->SelectVirtualNode(tree->NodeAtRow(5));
    Close();

    Open();
    EXPECT_EQ(Status(), " Style 0 (Light), 96 pixels per inch");  // the restore reports nothing
    EXPECT_EQ(Named<lm7::TColourSharingCombo>("ColourSharingCombo1")->SelectedColour(), clRed);
    EXPECT_EQ(Named<lm7::TColourSharingCombo>("ColourSharingCombo2")->SelectedColour(), clTeal);
    EXPECT_EQ(Named<lm7::TColourSharingListbox>("ColourSharingListbox1")->SelectedColour(), colour);
    margins = Named<lm7::TNotepadGrabPanel>("NotepadGrabPanel1");
    EXPECT_EQ(margins->BoundsRect(), Rect(30, 25, 130, 175));
    EXPECT_EQ(margins->Midpoint(lm7::t_right).Right, margins->Width());
    EXPECT_EQ(Named<TListBox>("ListBox1")->ItemIndex(), 5);
    EXPECT_EQ(Named<lm7::TStyledListbox>("StyledListbox1")->ItemIndex(), 4);
    EXPECT_EQ(Named<vendor::TAdvListView>("MyAdvListView1")->ItemIndex(), 6);
    tree = Named<vendor::TAdvTreeView>("MyAdvTreeView1");
    EXPECT_EQ(tree->SelectedVirtualNode(), tree->NodeAtRow(5));
}

// A hand-edited file with values that name nothing leaves the window as it starts.
TEST_F(GalleryState, OwnStateThatMakesNoSenseIsPassedOver) {
    Open();
    const int before = Named<lm7::TColourSharingCombo>("ColourSharingCombo1")->SelectedColour();
    const TRect place = Named<lm7::TNotepadGrabPanel>("NotepadGrabPanel1")->BoundsRect();
    const int row = Named<vendor::TAdvListView>("MyAdvListView1")->ItemIndex();
    const std::string ini = window->TheIniName();
    Close();
    std::ofstream(ini)
        << "[ColourSharingCombo1]\ncolour=clNoSuchColour\n\n[NotepadGrabPanel1]\nmargins=5,5,9999,10\n\n"
           "[MyAdvListView1]\ni=99999\n";
    Open();
    EXPECT_EQ(Named<lm7::TColourSharingCombo>("ColourSharingCombo1")->SelectedColour(), before);
    EXPECT_EQ(Named<lm7::TNotepadGrabPanel>("NotepadGrabPanel1")->BoundsRect(), place);
    EXPECT_EQ(Named<vendor::TAdvListView>("MyAdvListView1")->ItemIndex(), row);
}
