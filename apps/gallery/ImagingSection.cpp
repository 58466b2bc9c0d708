// The master image lists at work: a tool bar, buttons, a pager and a status bar that take
// their images from the list of the current height, the list itself as a contact sheet, and a
// context menu (a right click on the section) with images, check marks and a sub-menu.

#include "GallerySection.h"

#include "framework/controls/Button.h"
#include "framework/controls/Label.h"
#include "framework/controls/Menus.h"
#include "imaging/tool_imagelist_master.h"
#include "vendor/AdvGlowButton.h"
#include "vendor/AdvToolBtn.h"

using namespace framework;

namespace {

// Twelve icons drawn in code: a coloured disc or square on transparency, one per master number.
void FillDemoIcons(TImageList& list) {
    static const TColor colours[] = {clRed,  clGreen, clBlue,    clMaroon, clNavy, clPurple,
                                     clTeal, clOlive, clFuchsia, clGray,   clAqua, clLime};
    for (int i = 0; i < 12; ++i) {
        const int s = list.Width();
        TBitmap icon(s, s);
        icon.SetPixelFormat(pf32bit);
        for (int y = 0; y < s; ++y)
            for (int x = 0; x < s; ++x)
                icon.ScanLine(y)[x] = 0;  // transparent
        TCanvas& c = *icon.Canvas();
        c.Brush()->SetColor(colours[i]);
        c.Pen()->SetColor(clBlack);
        if (i % 2)
            c.Ellipse(1, 1, s - 1, s - 1);
        else
            c.Rectangle(2, 2, s - 2, s - 2);
        list.Add(icon);
    }
}

TMenuItem* AddItem(TMenuItem* Parent, const char* Caption, int Tag = 0, const char* Keys = "") {
    auto* item = Create<TMenuItem>(Parent->GetParentMenu());
    item->SetCaption(Caption);
    item->SetTag(Tag);
    item->SetShortCut(TextToShortCut(Keys));
    Parent->Add(item);
    return item;
}

// Items carry their master icon numbers in their tags, as the suite's menus do; the check and
// radio items show their marks instead of an image.
void BuildMenu(TControl& Target, TComponent* Owner) {
    auto* menu = Create<TPopupMenu>(Owner);
    TMenuItem* root = menu->Items();
    AddItem(root, "&Open", 8, "Ctrl+O")->SetDefault(true);
    AddItem(root, "&Save", 9, "Ctrl+S");
    AddItem(root, "-");
    TMenuItem* view = AddItem(root, "&View", 3);
    TMenuItem* bar = AddItem(view, "&Tool bar");
    TMenuItem* status = AddItem(view, "&Status bar");
    AddItem(view, "-");
    TMenuItem* small = AddItem(view, "S&mall icons");
    TMenuItem* large = AddItem(view, "&Large icons");
    TMenuItem* more = AddItem(root, "&Export", 4);
    AddItem(more, "As &PNG", 5, "Ctrl+E");
    AddItem(more, "As &EMF", 6)->SetEnabled(false);
    AddItem(root, "-");
    AddItem(root, "&Delete", 10, "Shift+Del");
    AddItem(root, "&Refresh", 11, "F5");
    lm7::SetImagesForListOfMenuItems(menu);
    for (TMenuItem* item : {bar, status, small, large}) {
        item->SetImageIndex(-1);
        item->SetAutoCheck(true);
    }
    for (TMenuItem* item : {small, large}) {
        item->SetRadioItem(true);
        item->SetGroupIndex(1);
    }
    bar->SetChecked(true);
    large->SetChecked(true);
    Target.SetPopupMenu(menu);
}

void Build(TWinControl& area) {
    TComponent* owner = area.Owner();
    // The gallery's main has started the package, and with it the master lists. Each gets
    // the icons at its own size, so a window that moves to another resolution finds them.
    for (int d = 0; d < sibling::kImageDimensionCount; ++d) {
        TImageList* list = lm7::ImageLists[static_cast<std::size_t>(d)];
        if (list->Count() > 0)
            continue;
        const int size = sibling::ImageDimensionSizes[static_cast<std::size_t>(d)];
        list->SetSize(size, size);
        FillDemoIcons(*list);
    }
    sibling::GlobalImageHeight = 24;
    TImageList* main = lm7::ImageListMain();

    auto* toolbar = Create<TToolBar>(owner);
    toolbar->SetParent(&area);
    for (int i = 0; i < 8; ++i) {
        auto* b = Create<TToolButton>(owner);
        b->SetParent(toolbar);
        lm7::SetImagesAndNumberForToolbarButton(toolbar, b, i);
    }

    auto* button = Create<TButton>(owner);
    button->SetBounds(12, 50, 110, 32);
    button->SetCaption("Open");
    button->SetParent(&area);
    lm7::SetImagesAndNumberForButton(button, 8);
    auto* glow = Create<vendor::TAdvGlowButton>(owner);
    glow->SetBounds(132, 50, 110, 32);
    glow->SetCaption("Save");
    glow->SetParent(&area);
    lm7::SetImagesAndNumberForButton(glow, 9);

    auto* pager = Create<vendor::TAdvOfficePager>(owner);
    pager->SetBounds(12, 92, 230, 110);
    pager->SetTabStop(true);  // its tabs are chosen with the arrows
    pager->SetParent(&area);
    const char* pages[] = {"Corpus", "Words", "Plots"};
    for (int i = 0; i < 3; ++i) {
        auto* page = Create<vendor::TAdvOfficePage>(owner);
        page->SetCaption(pages[i]);
        page->SetAdvOfficePager(pager);
        lm7::SetImagesAndNumberForAdvOfficePager(pager, page, 3 + i);
    }

    // The contact sheet: every image of the list.
    auto* sheet = Create<TLabel>(owner);
    sheet->SetBounds(256, 50, 200, 16);
    sheet->SetCaption("ImageListMain24: 12 images");
    sheet->SetParent(&area);
    for (int i = 0; i < main->Count(); ++i) {
        auto* tool = Create<vendor::TAdvToolButton>(owner);
        tool->SetBounds(256 + (i % 6) * 32, 72 + (i / 6) * 32, 30, 30);
        tool->SetParent(&area);
        lm7::SetImagesAndNumberForButton(tool, i);
    }

    auto* status = Create<vendor::TAdvOfficeStatusBar>(owner);
    status->SetParent(&area);
    status->SetHeight(30);
    for (const char* text : {"12 images", "24 pixels", "Ready"}) {
        auto* panel = status->Panels()->Add();
        panel->SetText(text);
        panel->SetWidth(120);
    }
    for (int i = 0; i < 3; ++i)
        lm7::SetImagesAndNumberForStatusBarPanel(status, i, 10 - i);
    BuildMenu(area, owner);
}

const bool registered = gallery::RegisterGallerySection({"AreaImages", Build});

}  // namespace
