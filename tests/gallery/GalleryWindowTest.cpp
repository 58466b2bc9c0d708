#include "GalleryWindow.h"
#include "GalleryFixture.h"

#include "controls/ColourListBoxesAndCombos.h"
#include "controls/NotepadGrabPanel.h"
#include "controls/StyledViews.h"
#include "framework/controls/DropFiles.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Messages.h"
#include "framework/controls/Panel.h"
#include "framework/controls/ScrollBars.h"
#include "framework/forms/Application.h"
#include "framework/platform/FakePlatform.h"
#include "package/LM7StyledListboxPack.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

using namespace framework;
using namespace testsupport;

namespace {

// The gallery window as the program opens it, moved to a screen of another resolution.
class GalleryWindow : public GalleryFixture {
protected:
    ~GalleryWindow() override {
        Close();
        Screen->SetPixelsPerInch(96);
    }

    // The window shown, then moved to a screen of that resolution as the desktop host does it.
    gallery::TGalleryWindow& Open(int ppi) {
        Screen->SetPixelsPerInch(96);
        window.reset(Create<gallery::TGalleryWindow>(nullptr));
        window->Show();
        Screen->SetPixelsPerInch(ppi);
        if (ppi != 96)
            window->Perform(WM_DPICHANGED, MakeWParam(ppi, ppi), 0);
        Application->ProcessMessages();
        return *window;
    }
    template <class T> T* First() const {
        for (int i = 0; i < window->ComponentCount(); ++i)
            if (auto* c = As<T>(window->Components(i)))
                return c;
        return nullptr;
    }
};

constexpr TColor kCrownGold = RGB(250, 200, 40);

}  // namespace

// At 144 pixels per inch every section takes one and a half times its room at 96: the views'
// columns, colour rows counted once, the margin panel's handles at its edges, and the drawings.
TEST_F(GalleryWindow, EverySectionScalesToTheResolution) {
    struct Seen {
        int column, colourRow, crownWidth, crownHeight;
    };
    Seen at[2];
    for (int i = 0; i < 2; ++i) {
        const int ppi = i == 0 ? 96 : 144;
        SCOPED_TRACE(ppi);
        Open(ppi);
        auto* list = First<lm7::TMyAdvListView>();
        ASSERT_NE(list, nullptr);
        auto* colours = First<lm7::TColourSharingListbox>();
        ASSERT_NE(colours, nullptr);
        auto* margins = First<lm7::TNotepadGrabPanel>();
        ASSERT_NE(margins, nullptr);
        const int s = margins->Midpoint(lm7::t_right).Width();
        EXPECT_GT(s, 0);
        EXPECT_EQ(margins->Midpoint(lm7::t_right).Right, margins->Width());
        EXPECT_EQ(margins->Midpoint(lm7::t_bottom).Bottom, margins->Height());
        const auto crown = BoundsOfColor(*Picture(*window), kCrownGold);
        ASSERT_TRUE(crown);
        at[i] = {list->Columns(0)->Width, colours->ItemHeight(), crown->Width(), crown->Height()};
    }
    EXPECT_EQ(at[0].colourRow, 16);
    EXPECT_EQ(at[1].colourRow, 24);
    EXPECT_EQ(at[1].column, at[0].column * 3 / 2);
    EXPECT_NEAR(at[1].crownWidth, at[0].crownWidth * 3 / 2, 2);
    EXPECT_NEAR(at[1].crownHeight, at[0].crownHeight * 3 / 2, 2);
}

namespace {
// The titled areas of the gallery, in the order of its layout.
std::vector<TControl*> sectionAreas(TScrollBox& Box) {
    std::vector<TControl*> areas;
    for (int i = 0; i < Box.ControlCount(); ++i)
        if (Box.Controls(i)->Name().rfind("Area", 0) == 0)
            areas.push_back(Box.Controls(i));
    return areas;
}
}  // namespace

// On a small screen, and on a large one at 144 pixels per inch, every section is brought into
// view by the scroll box's bars; a wider window lays the sections out again in more columns.
TEST_F(GalleryWindow, EverySectionIsReachedByScrollingAndResizingLaysItOutAgain) {
    struct Screenful {
        int ppi, width, height;
    };
    for (const Screenful& s : {Screenful{96, 1366, 768}, Screenful{144, 1920, 1080}}) {
        SCOPED_TRACE(s.ppi);
        Open(s.ppi);
        window->SetClientWidth(s.width);
        window->SetClientHeight(s.height);
        Picture(*window);
        auto* box = As<TScrollBox>(window->FindComponent("Sections"));
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->WindowStyle() & WS_VSCROLL);
        EXPECT_FALSE(box->WindowStyle() & WS_HSCROLL);  // the columns fit the width
        EXPECT_EQ(box->Width(), s.width);
        const std::vector<TControl*> areas = sectionAreas(*box);
        ASSERT_EQ(areas.size(), 10u);
        for (TControl* area : areas) {
            SCOPED_TRACE(area->Name());
            // Dragging the thumb to the area's place shows the whole of it.
            TScrollInfo info;
            box->GetScrollInfo(SB_VERT, info);
            const int wanted = std::clamp(area->Top() + box->VertScrollBar()->Position() - 26, info.nMin,
                                          info.nMax - info.nPage + 1);
            box->Perform(WM_VSCROLL, MakeWParam(SB_THUMBPOSITION, static_cast<std::uint16_t>(wanted)));
            EXPECT_GE(area->Top(), 0);
            EXPECT_LE(area->Top() + area->Height(), box->ClientHeight());
            EXPECT_GE(area->Left(), 0);
            EXPECT_LE(area->Left() + area->Width(), box->ClientWidth());
        }
        // The last section's bottom is reached.
        box->Perform(WM_VSCROLL, SB_BOTTOM);
        EXPECT_EQ(areas.back()->Top() + areas.back()->Height(), box->ClientHeight());
    }
    // Wide enough for four columns: the fifth section below the first.
    window->SetClientWidth(4 * (705 + 12) + 12 + 17 + 100);
    Picture(*window);
    auto* box = As<TScrollBox>(window->FindComponent("Sections"));
    const std::vector<TControl*> areas = sectionAreas(*box);
    EXPECT_EQ(areas[3]->Top(), areas[0]->Top());
    EXPECT_EQ(areas[4]->Left(), areas[0]->Left());
    EXPECT_GT(areas[4]->Top(), areas[0]->Top());
    // Narrow: one column, every section below the one before it.
    window->SetClientWidth(800);
    Picture(*window);
    for (std::size_t i = 1; i < areas.size(); ++i)
        EXPECT_GT(areas[i]->Top(), areas[i - 1]->Top());
}

// The pointer as a user moves it: the wheel over the sections' background, then the box's thumb
// dragged to the end.
TEST_F(GalleryWindow, TheWheelAndTheThumbScrollTheSections) {
    Open(144);
    window->SetClientWidth(1920);
    window->SetClientHeight(1040);
    Picture(*window);
    auto* box = As<TScrollBox>(window->FindComponent("Sections"));
    ASSERT_NE(box, nullptr);
    window->SendMouseInput(WM_MOUSEWHEEL, 1860, 300, MakeWParam(0, static_cast<std::uint16_t>(-120)));
    EXPECT_EQ(box->VertScrollBar()->Position(), 3 * box->VertScrollBar()->Increment());
    const int x = box->Width() - 8;
    window->SendMouseInput(WM_LBUTTONDOWN, x, 60);
    window->SendMouseInput(WM_MOUSEMOVE, x, 300);
    window->SendMouseInput(WM_MOUSEMOVE, x, 1300);
    window->SendMouseInput(WM_LBUTTONUP, x, 1300);
    TScrollInfo info;
    box->GetScrollInfo(SB_VERT, info);
    EXPECT_EQ(box->VertScrollBar()->Position(), info.nMax - info.nPage + 1);
}

// A text file dropped on the tool window's word list is counted into it, the most frequent word
// first; a file that cannot be read leaves the list as it was.
TEST_F(GalleryWindow, ATextFileDroppedOnTheWordListIsCountedIntoIt) {
    Open(96);
    auto* words = As<TCustomListBox>(window->FindComponent("WordList"));
    ASSERT_NE(words, nullptr);
    const std::string text =
        tmp.Write("Wörter mit Leerzeichen.txt", "The whale, the WHALE; the sea.\nSchiff\xff sea whale");
    const TPoint at{words->ClientOrigin().X + 5, words->ClientOrigin().Y + 5};
    ASSERT_TRUE(DropFilesOnto(*window, at.X, at.Y, {text}));
    ASSERT_EQ(words->Items()->Count(), 4);
    EXPECT_EQ(words->Items()->Strings(0), "the");
    EXPECT_EQ(TStrings::ObjectToInt(words->Items()->Objects(0)), 3);
    EXPECT_EQ(words->Items()->Strings(1), "whale");
    EXPECT_EQ(words->Items()->Strings(3), "schiff\xff");
    auto* status = As<TPanel>(window->FindComponent("StatusLine"));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->Caption(), " WordList: \"" + text + "\" dropped, 4 items");
    ASSERT_TRUE(DropFilesOnto(*window, at.X, at.Y, {tmp.Path("missing.txt")}));
    EXPECT_EQ(words->Items()->Count(), 4);
    Picture(*window);
}
