// The pieces a tool window is built from, laid out in the gallery's description: the suite's
// pager with a page of word counts, and on it the controls whose sizes follow the screen
// resolution and whose colours follow the window's style (tab set, office check boxes, progress
// bar, smooth button, a string grid). Here they get what a description cannot hold: values,
// cells and the master image lists.

#include "GallerySection.h"

#include "controls/StyledListbox.h"
#include "forms/My_TMSAdvOfficePagerU.h"
#include "framework/controls/Grids.h"
#include "framework/rtl/Exceptions.h"
#include "imaging/tool_imagelist_master.h"
#include "vendor/AdvSmoothButton.h"

using namespace framework;

namespace {

template <class T> T& Find(TWinControl& area, const char* name) {
    auto* found = As<T>(area.Owner()->FindComponent(name));
    if (!found)
        throw EComponentError(std::string("The gallery's layout has no ") + name);
    return *found;
}

void Build(TWinControl& area) {
    Find<lm7::TLMAdvOfficePager>(area, "Pager").SetImages(lm7::ImageLists[sibling::id16]);

    auto& words = Find<lm7::TStyledListboxOwnerDrawnFixed>(area, "WordList");
    words.SetShowValues(true);
    words.Items()->AddObject("whale", TStrings::IntToObject(1226));
    words.Items()->AddObject("sea", TStrings::IntToObject(455));
    words.Items()->AddObject("ship", TStrings::IntToObject(438));
    words.Items()->AddObject("captain", TStrings::IntToObject(329));
    words.SetItemIndex(0);

    auto& grid = Find<TStringGrid>(area, "Concordance");
    const char* cells[4][3] = {
        {"Node", "Left", "Right"}, {"whale", "the", "of"}, {"sea", "the", "and"}, {"ship", "a", "was"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            grid.SetCells(c, r, cells[r][c]);

    Find<vendor::TAdvSmoothButton>(area, "SearchButton").SetImages(lm7::ImageLists[sibling::id20]);
}

const bool registered = gallery::RegisterGallerySection({"AreaToolWindow", Build});

}  // namespace
