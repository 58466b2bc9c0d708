// The framework's own controls: a panel, labels with an accelerator and word wrapping, and a
// list box with a selected item.

#include "GallerySection.h"

#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Panel.h"

using namespace framework;

namespace {

void Build(TWinControl& area) {
    TComponent* owner = area.Owner();

    auto* caption = Create<TLabel>(owner);
    caption->SetBounds(12, 8, 0, 0);
    caption->SetCaption("&Recent corpora:");
    caption->SetParent(&area);

    auto* list = Create<TListBox>(owner);
    list->SetBounds(12, 28, 220, 180);
    for (const char* item : {"Shakespeare, complete works", "British newspapers 1990-1999",
                             "Parliamentary debates", "Learner essays (advanced)", "Twitter sample 2024",
                             "Children's literature", "Scientific abstracts", "Song lyrics"})
        list->Items()->Add(item);
    list->SetItemIndex(2);
    list->SetParent(&area);
    caption->SetFocusControl(list);

    auto* side = Create<TPanel>(owner);
    side->SetBounds(244, 8, 214, 200);
    side->SetBevelOuter(bvLowered);
    side->SetColor(clWindow);
    side->SetCaption("");
    side->SetParent(&area);

    auto* note = Create<TLabel>(owner);
    note->SetWordWrap(true);
    note->SetBounds(10, 10, 194, 0);
    note->SetCaption("Each tool window of the suite is built from these controls: list boxes that paint "
                     "their own items, labels with accelerators, panels with bevels.");
    note->SetParent(side);

    auto* status = Create<TPanel>(owner);
    status->SetBounds(12, 222, 446, 24);
    status->SetBevelOuter(bvLowered);
    status->SetAlignment(taLeftJustify);
    status->SetCaption(" 8 corpora");
    status->SetParent(&area);
}

const bool registered = gallery::RegisterGallerySection({"AreaFramework", Build});

}  // namespace
