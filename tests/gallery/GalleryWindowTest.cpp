#include "GalleryWindow.h"

#include "controls/ColourListBoxesAndCombos.h"
#include "controls/NotepadGrabPanel.h"
#include "controls/StyledViews.h"
#include "framework/controls/DropFiles.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Messages.h"
#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "framework/platform/FakePlatform.h"
#include "package/LM7StyledListboxPack.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace framework;
using namespace testsupport;

namespace {

// The gallery window as the program opens it: its layout beside the program, a home folder of
// its own for its ini file, the package started.
class GalleryWindow : public ::testing::Test {
protected:
    GalleryWindow() {
        fake.SetEnv("HOME", tmp.MakeFolder("home"));
        std::ifstream layout(LM7_GALLERY_LAYOUT);
        std::stringstream text;
        text << layout.rdbuf();
        tmp.Write("bin/Gallery.lfm", text.str());
        fake.SetExecutablePath(tmp.Path("bin/gallery"));
        lm7::Initialize();
    }
    ~GalleryWindow() override {
        window.reset();
        lm7::Finalize();
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

    TempFolder tmp;
    platform::FakePlatform fake;
    platform::ScopedPlatform scoped{fake};
    std::unique_ptr<gallery::TGalleryWindow, TFreeDeleter> window;
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
