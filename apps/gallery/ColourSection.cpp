// The colour pickers: a colour list box showing number, hexadecimal value and name with the
// default colour marked, and two colour combos with caption labels, one open and one closed.

#include "GallerySection.h"

#include "controls/ColourListBoxesAndCombos.h"

using namespace framework;
using namespace lm7;

namespace {

void Build(TWinControl& area) {
    TComponent* owner = area.Owner();

    auto* list = Create<TColourSharingListbox>(owner);
    list->SetBounds(12, 12, 250, 260);
    list->SetParent(&area);
    list->SetShowText(ShowSet({ts_index, ts_hex, ts_description}));
    list->SetDefaultColour(WebNamedColors()[2].Value);
    list->SetComponentStyle(vendor::tsBlue);
    list->SetSelectedColour(WebNamedColors()[4].Value);

    auto* closed = Create<TColourSharingCombo>(owner);
    closed->SetParent(&area);
    closed->SetBounds(290, 36, 170, 0);
    closed->SetLabelPosition(lpTopLeft);
    closed->SetLabelCaption("&Text colour:");
    closed->SetSelectedColour(clBlack);

    auto* open = Create<TColourSharingCombo>(owner);
    open->SetParent(&area);
    open->SetBounds(290, 100, 170, 0);
    open->SetLabelPosition(lpTopLeft);
    open->SetLabelCaption("&Background:");
    open->SetSelectedColour(WebNamedColors()[9].Value);
    open->SetDropDownCount(7);
    open->SetDroppedDown(true);
}

const bool registered = gallery::RegisterGallerySection({"AreaColours", Build});

}  // namespace
