// Where an office pager's tabs and pages lie, and how the tabs are painted.

#include "vendor/AdvOfficePager.h"

#include "framework/controls/DrawText.h"

#include <algorithm>

using namespace framework;

namespace vendor {

namespace {
constexpr int kImagePadding = 6;  // above and below a tab's image
constexpr int kCloseButtonSize = 9;
constexpr int kGap = 3;  // between a tab's check box, image, caption and close button
constexpr int kCheckBoxSize = 11;
constexpr int kNavButtonSize = 14;

TColor Mix(TColor A, TColor B) {
    A = ColorToRGB(A);
    B = ColorToRGB(B);
    return RGB((GetRValue(A) + GetRValue(B)) / 2, (GetGValue(A) + GetGValue(B)) / 2,
               (GetBValue(A) + GetBValue(B)) / 2);
}
}  // namespace

void TAdvOfficePager::Relayout() {
    m_layoutValid = false;
    ArrangePages();
}

void TAdvOfficePager::FontChanged() {
    TCustomControl::FontChanged();
    Relayout();
}

int TAdvOfficePager::TabHeight() const {
    const int image = m_images ? m_images->Height() + 2 * kImagePadding : 0;
    return std::max({m_tabSettings->Height(), m_minTabHeight, image});
}

void TAdvOfficePager::PrepareCaptionFont(TCanvas& Canvas) {
    Canvas.Font()->Assign(Font());
    Canvas.Font()->SetHeight(-MulDiv(m_tavoFontSize, m_pixelsPerInch, 72));
}

int TAdvOfficePager::NaturalTabLength(int Index) {
    if (!m_measure)
        m_measure.reset(Create<TBitmap>(1, 1));
    TCanvas& canvas = *m_measure->Canvas();
    PrepareCaptionFont(canvas);
    const TAdvOfficePage* page = m_pages[static_cast<std::size_t>(Index)];
    int length =
        m_tabSettings->LeftMargin() + canvas.TextWidth(page->Caption()) + m_tabSettings->RightMargin();
    if (m_images && page->ImageIndex() >= 0)
        length += (SideTabs() && m_rotateTabLeftRight ? m_images->Height() : m_images->Width()) + kGap;
    if (ShowsCloseButton(Index))
        length += kCloseButtonSize + kGap;
    if (page->ShowCheckBox())
        length += kCheckBoxSize + kGap;
    return length;
}

// A piece of row Row of the tab band: Length long from Pos along the edge, as thick as a row.
TRect TAdvOfficePager::BandRect(int Row, int Pos, int Length, int Thickness) const {
    const int outer = Row * Thickness, inner = (Row + 1) * Thickness;
    switch (m_tabPosition) {
    case tpBottom:
        return Rect(Pos, Height() - inner, Pos + Length, Height() - outer - 2);
    case tpLeft:
        return Rect(outer + 2, Pos, inner, Pos + Length);
    case tpRight:
        return Rect(Width() - inner, Pos, Width() - outer - 2, Pos + Length);
    case tpTop:
        break;
    }
    return Rect(Pos, outer + 2, Pos + Length, inner);
}

// Tabs run along the pager's edge from StartMargin, Spacing apart; with MultiLine a tab that
// would pass the far end starts a new row further in. Side tabs that are not rotated stand
// one under the other, as wide as the widest caption needs. On one row that cannot hold them
// all, the row scrolls (the tabs before m_firstTab are hidden) so that the active tab shows
// before the navigation buttons at the far end.
void TAdvOfficePager::LayoutTabs() {
    if (m_layoutValid)
        return;
    const int count = AdvPageCount();
    const bool along = !SideTabs() || m_rotateTabLeftRight;
    const int rowHeight = TabHeight();
    std::vector<int> lengths(static_cast<std::size_t>(count));
    int widest = 0;
    for (int i = 0; i < count; ++i) {
        lengths[static_cast<std::size_t>(i)] =
            m_tabSettings->Width() > 0 ? m_tabSettings->Width() : NaturalTabLength(i);
        widest = std::max(widest, lengths[static_cast<std::size_t>(i)]);
    }
    for (int& length : lengths)
        length = !along ? rowHeight - 2 : m_fixedTabs ? widest : length;
    m_thickness = along ? rowHeight : widest + 2;
    const int edge = SideTabs() ? Height() : Width();
    const int start = m_tabSettings->StartMargin(), spacing = m_tabSettings->Spacing();
    // Where tab Last ends when the row begins with tab First.
    auto endOf = [&](int First, int Last) {
        int pos = start;
        for (int k = First; k < Last; ++k)
            pos += lengths[static_cast<std::size_t>(k)] + spacing;
        return pos + lengths[static_cast<std::size_t>(Last)];
    };
    const int reserved = ListButtonsLength();
    m_scrolling = !m_multiLine && count > 0 && endOf(0, count - 1) > edge - start - reserved;
    if (!m_scrolling) {
        m_firstTab = 0;
    } else {
        const int limit = edge - 4 * kNavButtonSize - reserved - start;
        const int active = ActivePageIndex();
        m_firstTab = std::clamp(m_firstTab, 0, count - 1);
        if (active >= 0 && active < m_firstTab)
            m_firstTab = active;
        while (active >= 0 && m_firstTab < active && endOf(m_firstTab, active) > limit)
            ++m_firstTab;
    }
    m_tabRects.assign(static_cast<std::size_t>(count), TRect{});
    int row = 0, pos = start;
    for (int i = m_firstTab; i < count; ++i) {
        const int length = lengths[static_cast<std::size_t>(i)];
        if (m_multiLine && pos > start && pos + length > edge - start) {
            ++row;
            pos = start;
        }
        m_tabRects[static_cast<std::size_t>(i)] = BandRect(row, pos, length, m_thickness);
        pos += length + spacing;
    }
    m_rows = row + 1;
    m_band = m_rows * m_thickness;
    m_layoutValid = true;
}

int TAdvOfficePager::ListButtonsLength() const {
    return (m_pageListMenu ? kNavButtonSize : 0) + (m_closedListMenu ? kNavButtonSize : 0);
}

// The list buttons stand at the far end of the first row, before the navigation buttons.
TRect TAdvOfficePager::PageListButtonRect() {
    LayoutTabs();
    if (!m_pageListMenu)
        return TRect{};
    const int edge = (SideTabs() ? Height() : Width()) - (m_scrolling ? 4 * kNavButtonSize : 0);
    return BandRect(0, edge - kNavButtonSize - 1, kNavButtonSize, m_thickness);
}

TRect TAdvOfficePager::ClosedListButtonRect() {
    LayoutTabs();
    if (!m_closedListMenu)
        return TRect{};
    const int edge = (SideTabs() ? Height() : Width()) - (m_scrolling ? 4 * kNavButtonSize : 0) -
                     (m_pageListMenu ? kNavButtonSize : 0);
    return BandRect(0, edge - kNavButtonSize - 1, kNavButtonSize, m_thickness);
}

TRect TAdvOfficePager::NavButtonRect(TNavButton Which) {
    LayoutTabs();
    if (!m_scrolling)
        return TRect{};
    const int edge = SideTabs() ? Height() : Width();
    return BandRect(0, edge - (4 - Which) * kNavButtonSize - 1, kNavButtonSize, m_thickness);
}

TRect TAdvOfficePager::CloseButtonRect(int Index) {
    if (!ShowsCloseButton(Index))
        return TRect{};
    const TRect tab = TabRect(Index);
    const bool atStart = m_closeOnTabPosition == cpLeft;
    const int inset = atStart ? m_tabSettings->LeftMargin() : m_tabSettings->RightMargin();
    if (SideTabs() && m_rotateTabLeftRight) {
        const int left = tab.Left + (tab.Width() - kCloseButtonSize) / 2;
        // A left tab reads upwards, so its start is at the bottom and its end at the top.
        const bool atTop = (m_tabPosition == tpLeft) != atStart;
        const int top = atTop ? tab.Top + inset : tab.Bottom - inset - kCloseButtonSize;
        return Bounds(left, top, kCloseButtonSize, kCloseButtonSize);
    }
    const int top = tab.Top + (tab.Height() - kCloseButtonSize) / 2;
    const int left = atStart ? tab.Left + inset : tab.Right - inset - kCloseButtonSize;
    return Bounds(left, top, kCloseButtonSize, kCloseButtonSize);
}

TRect TAdvOfficePager::CheckBoxRect(int Index) {
    if (Index < 0 || Index >= AdvPageCount() || !m_pages[static_cast<std::size_t>(Index)]->ShowCheckBox())
        return TRect{};
    const TRect tab = TabRect(Index);
    // After a close button that stands at the start.
    const int start =
        m_tabSettings->LeftMargin() +
        (m_closeOnTabPosition == cpLeft && ShowsCloseButton(Index) ? kCloseButtonSize + kGap : 0);
    if (SideTabs() && m_rotateTabLeftRight) {
        const int left = tab.Left + (tab.Width() - kCheckBoxSize) / 2;
        const int top = m_tabPosition == tpLeft ? tab.Bottom - start - kCheckBoxSize : tab.Top + start;
        return Bounds(left, top, kCheckBoxSize, kCheckBoxSize);
    }
    return Bounds(tab.Left + start, tab.Top + (tab.Height() - kCheckBoxSize) / 2, kCheckBoxSize,
                  kCheckBoxSize);
}

TRect TAdvOfficePager::InsertButtonRect() {
    if (!OnInsertPage)
        return TRect{};
    LayoutTabs();
    const int spacing = m_tabSettings->Spacing();
    TRect last = m_tabRects.empty() ? TRect{} : m_tabRects.back();
    if (m_tabRects.empty()) {
        // Where a first tab would stand.
        const int start = m_tabSettings->StartMargin(), row = TabHeight();
        switch (m_tabPosition) {
        case tpTop:
            return Rect(start, 2, start + row - 2, row);
        case tpBottom:
            return Rect(start, Height() - row, start + row - 2, Height() - 2);
        case tpLeft:
            return Rect(2, start, row, start + row - 2);
        case tpRight:
            return Rect(Width() - row, start, Width() - 2, start + row - 2);
        }
    }
    // A square as thick as the last tab, just after it.
    if (SideTabs())
        return Rect(last.Left, last.Bottom + spacing, last.Right, last.Bottom + spacing + last.Width());
    return Rect(last.Right + spacing, last.Top, last.Right + spacing + last.Height(), last.Bottom);
}

TRect TAdvOfficePager::TabRect(int Index) {
    LayoutTabs();
    return Index >= 0 && Index < AdvPageCount() ? m_tabRects[static_cast<std::size_t>(Index)] : TRect{};
}

int TAdvOfficePager::TabRows() {
    LayoutTabs();
    return m_rows;
}

int TAdvOfficePager::TabAt(int X, int Y) {
    LayoutTabs();
    for (int i = 0; i < AdvPageCount(); ++i)
        if (m_tabRects[static_cast<std::size_t>(i)].Contains(Point(X, Y)))
            return i;
    return -1;
}

TRect TAdvOfficePager::PageRect() {
    LayoutTabs();
    const int m = m_pageMargin;
    switch (m_tabPosition) {
    case tpBottom:
        return Rect(m, m, Width() - m, Height() - m_band);
    case tpLeft:
        return Rect(m_band, m, Width() - m, Height() - m);
    case tpRight:
        return Rect(m, m, Width() - m_band, Height() - m);
    case tpTop:
        break;
    }
    return Rect(m, m_band, Width() - m, Height() - m);
}

void TAdvOfficePager::ArrangePages() {
    if (HasState(csDestroying))
        return;
    const TRect client = PageRect();
    for (TAdvOfficePage* page : m_pages) {
        page->SetBoundsRect(client);
        page->SetVisible(page == m_active);
    }
    Invalidate();
}

void TAdvOfficePager::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    Relayout();
}

TAdvOfficePagerColors TAdvOfficePager::Colors() const {
    return m_styler ? m_styler->Colors() : PagerColorsOfStyle(m_style);
}

void TAdvOfficePager::Paint() {
    TCanvas* canvas = Canvas();
    LayoutTabs();
    const TAdvOfficePagerColors colors = Colors();
    for (int i = 0; i < AdvPageCount(); ++i)
        PaintTab(*canvas, colors, i);
    if (const TRect plus = InsertButtonRect(); !plus.IsEmpty()) {
        // A plus sign, a third of the button each way from its middle.
        const int cx = (plus.Left + plus.Right) / 2, cy = (plus.Top + plus.Bottom) / 2;
        const int arm = std::min(plus.Width(), plus.Height()) / 3;
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(colors.Text);
        canvas->FillRect(Rect(cx - arm, cy, cx + arm + 1, cy + 1));
        canvas->FillRect(Rect(cx, cy - arm, cx + 1, cy + arm + 1));
    }
    PaintNavButtons(*canvas, colors);
    for (const bool closed : {false, true}) {
        const TRect r = closed ? ClosedListButtonRect() : PageListButtonRect();
        if (r.IsEmpty())
            continue;
        // A triangle pointing down; the closed list's has a bar over it.
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(r);
        const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2, a = 3;
        canvas->Brush()->SetColor(colors.Text);
        canvas->Pen()->SetColor(colors.Text);
        const TPoint down[3] = {Point(cx - a, cy - 1), Point(cx + a, cy - 1), Point(cx, cy + a - 1)};
        canvas->Polygon(down);
        if (closed)
            canvas->FillRect(Rect(cx - a, cy - 3, cx + a + 1, cy - 2));
    }
    if (m_dropAt >= 0 && m_dragFrom >= 0) {
        // A bar on the side of the tab where the dragged one will land.
        const TRect tab = TabRect(m_dropAt);
        const bool after = m_dropAt > m_dragFrom;
        TRect bar = SideTabs() ? Rect(tab.Left, after ? tab.Bottom : tab.Top - 2, tab.Right,
                                      after ? tab.Bottom + 2 : tab.Top)
                               : Rect(after ? tab.Right : tab.Left - 2, tab.Top,
                                      after ? tab.Right + 2 : tab.Left, tab.Bottom);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(m_tabReorderIndicatorColor);
        canvas->FillRect(bar);
    }
}

void TAdvOfficePager::PaintTab(TCanvas& Canvas, const TAdvOfficePagerColors& Colors, int Index) {
    const TAdvOfficePage* page = m_pages[static_cast<std::size_t>(Index)];
    TRect tab = m_tabRects[static_cast<std::size_t>(Index)];
    if (OnDrawTab) {
        OnDrawTab(this, Index, tab);
        return;
    }
    const bool active = page == m_active;
    const bool hot = m_glow && Index == m_hotTab && !active && page->Enabled();
    TColor face = Color();
    if (active || hot || m_showNonSelectedTabs) {
        face = active ? Colors.TabSelected : hot ? Colors.Glow : Colors.Tab;
        Canvas.Brush()->SetStyle(bsSolid);
        Canvas.Brush()->SetColor(face);
        Canvas.FillRect(tab);
        Canvas.Brush()->SetColor(Colors.Border);
        Canvas.FrameRect(tab);
        PaintCorners(Canvas, tab, Colors.Border);
    }
    const TColor text = !page->Enabled() ? clGrayText : active ? Colors.TextSelected : Colors.Text;
    if (ShowsCloseButton(Index)) {
        // A cross of two diagonals, one pixel wide.
        const TRect close = CloseButtonRect(Index);
        Canvas.Brush()->SetStyle(bsSolid);
        Canvas.Brush()->SetColor(text);
        for (int d = 0; d < close.Width(); ++d) {
            Canvas.FillRect(Rect(close.Left + d, close.Top + d, close.Left + d + 1, close.Top + d + 1));
            Canvas.FillRect(Rect(close.Right - 1 - d, close.Top + d, close.Right - d, close.Top + d + 1));
        }
        // The rest of the tab's contents stand before the button, or after it at the start (a
        // rotated left tab starts at its bottom, a rotated right one at its top).
        const int start = m_tabSettings->LeftMargin();
        const bool atStart = m_closeOnTabPosition == cpLeft;
        if (!SideTabs() || !m_rotateTabLeftRight) {
            if (atStart)
                tab.Left = close.Right + kGap - start;
            else
                tab.Right = close.Left;
        } else if (m_tabPosition == tpLeft) {
            if (atStart)
                tab.Bottom = close.Top - kGap + start;
            else
                tab.Top = close.Bottom;
        } else if (atStart) {
            tab.Top = close.Bottom + kGap - start;
        } else {
            tab.Bottom = close.Top;
        }
    }
    if (const TRect box = CheckBoxRect(Index); !box.IsEmpty()) {
        PaintCheckBox(Canvas, box, page->Checked(), text);
        // The image and caption follow the box.
        const int start = m_tabSettings->LeftMargin();
        if (!SideTabs() || !m_rotateTabLeftRight)
            tab.Left = box.Right + kGap - start;
        else if (m_tabPosition == tpLeft)
            tab.Bottom = box.Top - kGap + start;
        else
            tab.Top = box.Bottom + kGap - start;
    }
    Canvas.Font()->SetColor(text);
    PaintCaption(Canvas, *page, tab, face);
}

// Four buttons on the pager's face: a triangle pointing back or on, with a bar for the ends.
void TAdvOfficePager::PaintNavButtons(TCanvas& Canvas, const TAdvOfficePagerColors& Colors) {
    if (!m_scrolling)
        return;
    const bool side = SideTabs();
    for (TNavButton which : {nbFirst, nbPrev, nbNext, nbLast}) {
        const TRect r = NavButtonRect(which);
        Canvas.Brush()->SetStyle(bsSolid);
        Canvas.Brush()->SetColor(Color());
        Canvas.FillRect(r);
        const bool back = which == nbFirst || which == nbPrev;
        const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2, a = 3;
        Canvas.Brush()->SetColor(Colors.Text);
        Canvas.Pen()->SetColor(Colors.Text);
        const int d = back ? -a : a;
        const TPoint tri[3] = {side ? Point(cx, cy + d) : Point(cx + d, cy),
                               side ? Point(cx - a, cy - d) : Point(cx - d, cy - a),
                               side ? Point(cx + a, cy - d) : Point(cx - d, cy + a)};
        Canvas.Polygon(tri);
        if (which == nbFirst || which == nbLast)
            Canvas.FillRect(side ? Rect(cx - a, cy + d, cx + a + 1, cy + d + (back ? -1 : 1))
                                 : Rect(cx + d + (back ? -1 : 1), cy - a, cx + d, cy + a + 1));
    }
}

void TAdvOfficePager::PaintCheckBox(TCanvas& Canvas, const TRect& Box, bool Checked, TColor Mark) {
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(clWindow);
    Canvas.FillRect(Box);
    Canvas.Brush()->SetColor(Mark);
    Canvas.FrameRect(Box);
    if (!Checked)
        return;
    // A tick: down from the left to a third of the way in, then up to the right.
    Canvas.Pen()->SetColor(Mark);
    Canvas.Pen()->SetWidth(1);
    Canvas.MoveTo(Box.Left + 2, Box.Top + 5);
    Canvas.LineTo(Box.Left + 4, Box.Top + 8);
    Canvas.LineTo(Box.Right - 2, Box.Top + 2);
}

// A tab's image, then its caption. A rotated left tab reads upwards from its bottom end, a
// rotated right tab downwards from its top end.
void TAdvOfficePager::PaintCaption(TCanvas& Canvas, const TAdvOfficePage& Page, TRect Area, TColor Face) {
    const TColor textColor = Canvas.Font()->Color();
    PrepareCaptionFont(Canvas);
    Canvas.Font()->SetColor(textColor);
    TCustomImageList* images = !Page.Enabled() && m_disabledImages ? m_disabledImages : m_images;
    const bool drawEnabled = Page.Enabled() || images == m_disabledImages;
    const bool hasImage = images && Page.ImageIndex() >= 0;
    const int start = m_tabSettings->LeftMargin();
    if (!SideTabs() || !m_rotateTabLeftRight) {
        Area.Left += start;
        if (hasImage) {
            images->Draw(&Canvas, Area.Left, Area.Top + (Area.Height() - images->Height()) / 2,
                         Page.ImageIndex(), drawEnabled);
            Area.Left += images->Width() + kGap;
        }
        Canvas.Brush()->SetStyle(bsClear);
        DrawText(Canvas, Page.Caption(), Area, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    const bool up = m_tabPosition == tpLeft;
    int along = up ? Area.Bottom - start : Area.Top + start;
    if (hasImage) {
        const int left = Area.Left + (Area.Width() - images->Width()) / 2;
        images->Draw(&Canvas, left, up ? along - images->Height() : along, Page.ImageIndex(), drawEnabled);
        along += up ? -(images->Height() + kGap) : images->Height() + kGap;
    }
    if (Page.Caption().empty())
        return;
    // The caption is written on a strip of the tab's face and turned onto the tab.
    const TSize size = Canvas.TextExtent(Page.Caption());
    TBitmap strip(size.cx, size.cy);
    strip.Canvas()->Font()->Assign(Canvas.Font());
    strip.Canvas()->Brush()->SetColor(Face);
    strip.Canvas()->FillRect(Rect(0, 0, size.cx, size.cy));
    strip.Canvas()->TextOut(0, 0, Page.Caption());
    const int across = Area.Left + (Area.Width() - size.cy) / 2;
    const TColor face = ColorToRGB(Face);
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            const TColor c = strip.Canvas()->Pixels(x, y);
            const TPoint at =
                up ? Point(across + y, along - 1 - x) : Point(across + size.cy - 1 - y, along + x);
            if (c != face && Area.Contains(at))
                Canvas.SetPixel(at.X, at.Y, c);
        }
}

// The two corners away from the page: smoothed into the colour behind, or left square.
void TAdvOfficePager::PaintCorners(TCanvas& Canvas, const TRect& Tab, TColor Border) {
    if (!m_antiAlias)
        return;
    const int l = Tab.Left, t = Tab.Top, r = Tab.Right - 1, b = Tab.Bottom - 1;
    TPoint corners[2];
    switch (m_tabPosition) {
    case tpTop:
        corners[0] = Point(l, t), corners[1] = Point(r, t);
        break;
    case tpBottom:
        corners[0] = Point(l, b), corners[1] = Point(r, b);
        break;
    case tpLeft:
        corners[0] = Point(l, t), corners[1] = Point(l, b);
        break;
    case tpRight:
        corners[0] = Point(r, t), corners[1] = Point(r, b);
        break;
    }
    const TColor smooth = Mix(Border, Color());
    for (const TPoint& p : corners)
        Canvas.SetPixel(p.X, p.Y, smooth);
}

}  // namespace vendor
