// Two styled list boxes side by side in two colour styles: texts with values, numbers painted
// as numbers, a path shortened to fit, and the two reserved values.

#include "GallerySection.h"

#include "controls/StyledListbox.h"
#include "framework/controls/Label.h"

using namespace framework;

namespace {

void AddList(TWinControl& area, int left, vendor::TTMSStyle style) {
    auto* caption = Create<TLabel>(area.Owner());
    caption->SetBounds(left, 8, 0, 0);
    caption->SetCaption(std::string(vendor::TMSStyleName(style)) + " style");
    caption->SetParent(&area);

    auto* list = Create<lm7::TStyledListbox>(area.Owner());
    list->SetBounds(left, 28, 215, 220);
    list->SetParent(&area);
    list->SetShowValues(true);
    TStrings& items = *list->Items();
    items.AddObject("the", TStrings::IntToObject(61847));
    items.AddObject("of", TStrings::IntToObject(29391));
    items.AddObject("corpus linguistics", TStrings::IntToObject(412));
    items.AddObject("/home/reader/corpora/newspapers/1994/guardian.txt",
                    TStrings::IntToObject(lm7::kNoValue));
    items.AddObject("frequency", TStrings::IntToObject(lm7::kNoValue));
    items.AddObject("type/token ratio", TStrings::IntToObject(lm7::kNotApplicable));
    items.Add("1234.5");
    items.Add("42");
    items.Add("-999999");
    items.AddObject("\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD",
                    TStrings::IntToObject(lm7::kNoValue));
    list->SetItemIndex(2);
    list->SetComponentStyle(style);
}

void Build(TWinControl& area) {
    AddList(area, 12, vendor::tsLight);
    AddList(area, 243, vendor::tsDark);
}

const bool registered = gallery::RegisterGallerySection({"AreaStyledLists", Build});

}  // namespace
