// The gallery painted in every colour style, and every text it shows found from its controls'
// places and measured against what lies behind it: the contrast ratio of relative luminance,
// as accessibility guidelines measure it.

#include "GalleryFixture.h"

#include "controls/ColourListBoxesAndCombos.h"
#include "controls/NotepadGrabPanel.h"
#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Panel.h"
#include "framework/controls/RadioGroup.h"
#include "sibling/Tms_utils.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"
#include "vendor/AdvControls.h"
#include "vendor/AdvGlowButton.h"
#include "vendor/AdvListView.h"
#include "vendor/AdvProgressBar.h"
#include "vendor/AdvSmoothButton.h"
#include "vendor/AdvTreeView.h"
#include "vendor/ElButtons.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace framework;
using namespace testsupport;

namespace {

// A place where something must stand out: text, or a ruled line or check mark.
struct Place {
    std::string What;
    TRect Rect;  // in the window's client coordinates
    bool Mark;   // a line or mark (3:1) rather than text
};

class GalleryLegibility : public GalleryFixture {
protected:
    TRect InWindow(TControl* c, TRect r) const {
        const TPoint o = c->ClientToScreen(TPoint{0, 0});
        const TPoint w = window->ClientToScreen(TPoint{0, 0});
        r.Offset(o.X - w.X, o.Y - w.Y);
        return r;
    }

    void Add(TControl* c, const std::string& what, TRect r, bool mark = false) {
        r = Rect(std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, c->ClientWidth()),
                 std::min(r.Bottom, c->ClientHeight()));
        if (r.Width() > 0 && r.Height() > 0)
            runs.push_back({c->Name() + " " + what, InWindow(c, r), mark});
    }

    // The places of the texts, lines and marks of one control, from its kind and its layout.
    void Collect(TControl* c) {
        if (!c->Visible() || !c->Enabled())
            return;  // disabled text is drawn in grey on purpose
        const int w = c->ClientWidth(), h = c->ClientHeight();
        if (auto* list = As<TCustomListBox>(c)) {
            // A colour list's rows begin with the colour itself.
            const int textLeft = c->Is<lm7::TColourSharingListbox>() ? w * 2 / 5 : 0;
            for (int i = list->TopIndex(); i < list->Count(); ++i) {
                TRect row = list->ItemRect(i);
                if (row.Bottom > h)
                    break;  // a row cut off at the bottom shows only part of its text
                row.Left += textLeft;
                Add(c, "row " + std::to_string(i), row);
            }
        } else if (auto* view = As<vendor::TAdvListView>(c)) {
            Add(c, "header", Rect(0, 0, w, view->HeaderHeight()));
            for (int i = view->TopIndex(); i < view->ItemCount(); ++i) {
                const TRect row = view->ItemRect(i);
                if (row.Bottom > h)
                    break;  // a row cut off at the bottom shows only part of its text
                Add(c, "row " + std::to_string(i), row);
            }
        } else if (auto* tree = As<vendor::TAdvTreeView>(c)) {
            for (int i = 0; i < tree->RowCount(); ++i) {
                TRect row = tree->RowRect(i);
                if (row.Bottom > h)
                    break;       // a row cut off at the bottom shows only part of its text
                row.Left += 40;  // past the expanders
                Add(c, "row " + std::to_string(i), row);
            }
        } else if (auto* group = As<TCustomRadioGroup>(c)) {
            Add(c, "caption",
                Rect(8, 0, std::min(w - 8, 8 + 6 * static_cast<int>(group->Caption().size())), 14));
            auto* checks = As<vendor::TElCheckGroup>(c);
            for (int i = 0; i < group->Items()->Count(); ++i) {
                const TRect r = group->ItemRect(i);
                Add(c, "item " + std::to_string(i),
                    Rect(r.Left + kCheckMarkSize + 4, r.Top, r.Right, r.Bottom));
                const bool marked = checks ? checks->Checked(i) : i == group->ItemIndex();
                const int top = r.Top + (r.Height() - kCheckMarkSize) / 2;
                if (marked)
                    Add(c, "mark " + std::to_string(i),
                        Rect(r.Left + 1, top + 1, r.Left + kCheckMarkSize - 1, top + kCheckMarkSize - 1),
                        true);
            }
        } else if (auto* box = As<TCustomGroupBox>(c)) {
            Add(c, "caption",
                Rect(8, 0, std::min(w - 8, 8 + 6 * static_cast<int>(box->Caption().size())), 14));
        } else if (auto* button = As<TButtonControl>(c)) {
            const auto* office = As<vendor::TCustomAdvOfficeCheckBox>(c);
            const int mark = office ? office->MarkSize() : kCheckMarkSize;
            if (!button->Caption().empty())
                Add(c, "caption", Rect(mark + 4, 0, w, h));
            const int top = (h - mark) / 2;
            if (button->Checked())
                Add(c, "mark", Rect(1, top + 1, mark - 1, top + mark - 1), true);
        } else if (c->Is<TCustomLabel>()) {
            if (!c->Caption().empty())
                Add(c, "caption", Rect(0, 0, w, h));
        } else if (c->Is<TCustomEdit>()) {
            // Edits with a button or spin arrows at their right end.
            Add(c, "text", Rect(3, 3, w - 20, h - 3));
        } else if (c->Is<lm7::TColourSharingCombo>()) {
            Add(c, "text", Rect(h + 4, 3, w - 20, h - 3));
        } else if (c->Is<TCustomComboBox>()) {
            Add(c, "text", Rect(3, 3, w - 20, h - 3));
        } else if (c->Is<TCustomButton>() || c->Is<vendor::TAdvCustomGlowButton>() ||
                   c->Is<vendor::TAdvSmoothButton>()) {
            Add(c, "caption", Rect(w * 2 / 5, 3, w - 3, h - 3));  // the image stands at the left
        } else if (auto* bar = As<vendor::TAdvProgressBar>(c)) {
            const long long range = static_cast<long long>(bar->Max()) - bar->Min();
            const int filled = range > 0 ? static_cast<int>((bar->Position() - bar->Min()) * w / range) : 0;
            Add(c, "figure", Rect(1, 1, std::min(filled, w / 2 + 14), h - 1));
        } else if (auto* margins = As<lm7::TNotepadGrabPanel>(c)) {
            Add(c, "ruled lines", Rect(8, 8, w - 8, h - 8), true);
            for (int where = 0; where < 4; ++where)
                Add(c, "handle " + std::to_string(where), margins->Midpoint(static_cast<lm7::TWhere>(where)),
                    true);
        } else if (auto* panel = As<TCustomPanel>(c)) {
            if (!panel->Caption().empty() && panel->ControlCount() == 0)
                Add(c, "caption", Rect(2, 2, w - 2, h - 2));
        }
        if (auto* parent = As<TWinControl>(c))
            for (int i = 0; i < parent->ControlCount(); ++i)
                Collect(parent->Controls(i));
    }

    std::vector<Place> runs;
};

// The contrast of what is drawn in a place against its background: the background is the
// colour most of the place has, the ink the pixel that stands out most from it. A place with
// nothing drawn in it, or drawn in its background colour, has a contrast of 1.
double ContrastIn(const TBitmap& picture, const TRect& r, TColor& background, TColor& ink) {
    std::map<TColor, int> counts;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            ++counts[PixelAt(picture, x, y)];
    background = counts.begin()->first;
    for (const auto& [colour, count] : counts)
        if (count > counts[background])
            background = colour;
    ink = background;
    double best = 1;
    for (const auto& [colour, count] : counts) {
        const double ratio = sibling::ContrastRatio(colour, background);
        if (ratio > best) {
            best = ratio;
            ink = colour;
        }
    }
    return best;
}

}  // namespace

// Labels, captions of check boxes, radio buttons and group boxes, list, view and tree rows,
// edits, buttons and panels: at least 4.5:1 (7:1 in the high-contrast style) against their
// background; ruled lines, handles and check marks at least 3:1.
TEST_F(GalleryLegibility, EveryTextLineAndMarkStandsOutInEveryStyle) {
    for (int style = 0; style < vendor::kTMSStyleCount; ++style) {
        SCOPED_TRACE("style " + std::to_string(style));
        Open(static_cast<vendor::TTMSStyle>(style));
        runs.clear();
        for (int i = 0; i < window->ControlCount(); ++i)
            Collect(window->Controls(i));
        ASSERT_GT(runs.size(), 100u);
        const auto picture = Picture(*window);
        const double textMinimum = style == vendor::tsHighContrast ? 7.0 : 4.5;
        int failures = 0;
        for (const Place& run : runs) {
            TColor background = 0, ink = 0;
            const double ratio = ContrastIn(*picture, run.Rect, background, ink);
            const double minimum = run.Mark ? 3.0 : textMinimum;
            if (ratio < minimum) {
                ++failures;
                ADD_FAILURE() << run.What << ": " << DescribeColor(ink) << " on " << DescribeColor(background)
                              << ", " << ratio << ":1, needs " << minimum << ":1";
            }
        }
        if (failures)
            SaveForInspection(*picture, "gallery-style-" + std::to_string(style));
    }
}

// The framework's system colours follow the style, as a desktop's dark theme changes them, and
// go back to the desktop's light ones with a light style.
TEST_F(GalleryLegibility, SystemColoursFollowTheStyle) {
    Open(vendor::tsDark);
    EXPECT_EQ(ColorToRGB(clWindowText), sibling::GetABaseTMSTextColour(vendor::tsDark));
    EXPECT_EQ(ColorToRGB(clHighlight), sibling::GetABaseTMSHighlightBackgroundColour(vendor::tsDark));
    EXPECT_EQ(ColorToRGB(clHighlightText), sibling::GetABaseTMSHighlightedTextColour(vendor::tsDark));
    for (const TColor paper : {clWindow, clBtnFace}) {
        for (const TColor text : {clWindowText, clBtnText})
            EXPECT_GE(sibling::ContrastRatio(paper, text), 4.5) << paper << " " << text;
        EXPECT_GE(sibling::ContrastRatio(paper, clGrayText), 3.0) << paper;   // disabled, yet readable
        EXPECT_GE(sibling::ContrastRatio(paper, clBtnShadow), 3.0) << paper;  // check box outlines
    }

    // A style broadcast takes the window to high contrast and back to light.
    TMessage message{lm7::WM_BROADCASTBYSHELL, 703, vendor::tsHighContrast, 0};
    window->Dispatch(message);
    EXPECT_EQ(ColorToRGB(clWindow), clBlack);
    EXPECT_EQ(ColorToRGB(clWindowText), clWhite);
    message = TMessage{lm7::WM_BROADCASTBYSHELL, 703, vendor::tsLight, 0};
    window->Dispatch(message);
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
}
