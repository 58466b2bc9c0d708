// The colour pickers: a colour list box showing number, hexadecimal value and name with the
// default colour marked, and two colour combos with caption labels.

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

    auto* text = Create<TColourSharingCombo>(owner);
    text->SetParent(&area);
    text->SetBounds(290, 36, 170, 0);
    text->SetLabelPosition(lpTopLeft);
    text->SetLabelCaption("&Text colour:");
    text->SetSelectedColour(clBlack);

    auto* background = Create<TColourSharingCombo>(owner);
    background->SetParent(&area);
    background->SetBounds(290, 100, 170, 0);
    background->SetLabelPosition(lpTopLeft);
    background->SetLabelCaption("&Background:");
    background->SetSelectedColour(WebNamedColors()[9].Value);
    background->SetDropDownCount(7);
}

const bool registered = gallery::RegisterGallerySection({"AreaColours", Build});

}  // namespace
