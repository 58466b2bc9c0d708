// Margin panels on two pages: one placed from margins of 1 inch on A4 paper and dragged at its
// left edge, one in monochrome, with the rectangle the drag reported.

#include "GallerySection.h"

#include "controls/NotepadGrabPanel.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/rtl/Format.h"

using namespace framework;

namespace {

lm7::TNotepadGrabPanel* AddPage(TWinControl& area, int left, bool monochrome) {
    auto* page = Create<TPanel>(area.Owner());
    page->SetBevelOuter(bvNone);
    page->SetCaption("");
    page->SetColor(clWhite);
    page->SetBounds(left, 8, 180, 254);  // A4 in proportion
    page->SetParent(&area);
    auto* panel = Create<lm7::TNotepadGrabPanel>(area.Owner());
    panel->SetParent(page);
    panel->SetParentControl(page);
    panel->SetMonochrome(monochrome);
    panel->SetToMargins(1, 1, 1, 1.5f, 210, 297);
    return panel;
}

void Build(TWinControl& area) {
    auto* report = Create<TLabel>(area.Owner());
    report->SetBounds(8, 268, 0, 0);
    report->SetParent(&area);

    lm7::TNotepadGrabPanel* panel = AddPage(area, 8, false);
    panel->OnStateMargins = lm7::TStateMarginsEvent::Lambda([report](TObject*, TRect r) {
        report->SetCaption(Format("OnStateMargins: left %d, top %d, right %d, bottom %d",
                                  {r.Left, r.Top, r.Right, r.Bottom}));
    });
    // A drag of the left handle 12 pixels to the right, as the mouse would do it.
    const TRect handle = panel->Midpoint(lm7::t_left);
    auto mouse = [panel](std::uint32_t msg, int x, int y) {
        SetCursorPos(panel->ClientOrigin().X + x, panel->ClientOrigin().Y + y);
        panel->Perform(msg, 0, MakeLParam(x, y));
    };
    mouse(WM_LBUTTONDOWN, handle.Left + 2, handle.Top + 2);
    mouse(WM_MOUSEMOVE, handle.Left + 2, handle.Top + 2);
    mouse(WM_MOUSEMOVE, handle.Left + 14, handle.Top + 2);
    mouse(WM_LBUTTONUP, handle.Left + 2, handle.Top + 2);  // the panel has moved under the pointer

    AddPage(area, 200, true);
}

const bool registered = gallery::RegisterGallerySection({"AreaMarginPanel", Build});

}  // namespace
