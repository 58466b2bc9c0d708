// The pieces a tool window is built from: the suite's pager with a page of word counts, and on
// it the controls whose sizes follow the screen resolution and whose colours follow the
// window's style (tab set, office check boxes, progress bar, smooth button, a string grid).

#include "GallerySection.h"

#include "controls/StyledListbox.h"
#include "forms/My_TMSAdvOfficePagerU.h"
#include "framework/controls/Grids.h"
#include "imaging/tool_imagelist_master.h"
#include "vendor/AdvControls.h"
#include "vendor/AdvMenuStyler.h"
#include "vendor/AdvOfficeTabSet.h"
#include "vendor/AdvProgressBar.h"
#include "vendor/AdvSmoothButton.h"

using namespace framework;
using namespace vendor;

namespace {

template <class T> T* Place(TComponent* owner, TWinControl* parent, int x, int y, int w, int h) {
    T* c = Create<T>(owner);
    c->SetBounds(x, y, w, h);
    c->SetParent(parent);
    return c;
}

void Build(TWinControl& area) {
    TComponent* owner = area.Owner();
    auto* pager = Place<lm7::TLMAdvOfficePager>(owner, &area, 12, 8, 446, 274);
    pager->SetImages(lm7::ImageLists[sibling::id16]);
    pager->SetShowNonSelectedTabs(true);
    pager->SetCloseOnTab(true);
    TAdvOfficePage* first = nullptr;
    for (const char* caption : {"Concordance", "Word list", "Plots"}) {
        auto* page = Create<TAdvOfficePage>(owner);
        page->SetCaption(caption);
        page->SetImageIndex(pager->AdvPageCount());
        page->SetAdvOfficePager(pager);
        if (!first)
            first = page;
    }
    pager->SetActivePage(first);

    auto* tabs = Place<TAdvOfficeTabSet>(owner, first, 8, 8, 280, 30);
    for (const char* tab : {"Left", "Right", "Both"})
        tabs->AdvOfficeTabs()->Add(tab);

    auto* words = Place<lm7::TStyledListboxOwnerDrawnFixed>(owner, first, 8, 46, 170, 120);
    words->SetShowValues(true);
    words->Items()->AddObject("whale", TStrings::IntToObject(1226));
    words->Items()->AddObject("sea", TStrings::IntToObject(455));
    words->Items()->AddObject("ship", TStrings::IntToObject(438));
    words->Items()->AddObject("captain", TStrings::IntToObject(329));
    words->SetItemIndex(0);

    auto* grid = Place<TStringGrid>(owner, first, 186, 46, 232, 120);
    grid->SetColCount(3);
    grid->SetRowCount(4);
    grid->SetDefaultColWidth(72);
    grid->SetDefaultRowHeight(22);
    const char* cells[4][3] = {
        {"Node", "Left", "Right"}, {"whale", "the", "of"}, {"sea", "the", "and"}, {"ship", "a", "was"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            grid->SetCells(c, r, cells[r][c]);

    auto* sorted = Place<TAdvOfficeCheckBox>(owner, first, 8, 174, 130, 20);
    sorted->SetCaption("Sorted");
    sorted->SetChecked(true);
    Place<TAdvOfficeCheckBox>(owner, first, 8, 198, 130, 20)->SetCaption("Case sensitive");

    auto* progress = Place<TAdvProgressBar>(owner, first, 146, 176, 150, 18);
    progress->SetPosition(64);
    auto* go = Place<TAdvSmoothButton>(owner, first, 306, 172, 112, 34);
    go->SetCaption("Search");
    go->SetImages(lm7::ImageLists[sibling::id20]);
    go->SetImageIndex(3);

    // Menus of the window are painted by its menu styler, which also follows the resolution.
    Create<TAdvMenuStyler>(owner);
}

const bool registered = gallery::RegisterGallerySection({"A tool window's controls", 70, Build});

}  // namespace
