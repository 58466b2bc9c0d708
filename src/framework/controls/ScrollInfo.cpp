#include "framework/controls/ScrollInfo.h"

#include "framework/graphics/GraphicsObjects.h"

#include <algorithm>
#include <array>

namespace framework {

int ScrollBarSize(int PixelsPerInch) { return std::max(MulDiv(17, std::max(PixelsPerInch, 1), 96), 1); }

namespace {
int& metricsPixelsPerInch() {
    static int ppi = 96;
    return ppi;
}
}  // namespace

void SetSystemMetricsPixelsPerInch(int PixelsPerInch) {
    metricsPixelsPerInch() = PixelsPerInch > 0 ? PixelsPerInch : 96;
}

int SystemMetricsPixelsPerInch() { return metricsPixelsPerInch(); }

int GetSystemMetrics(int Index) {
    switch (Index) {
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return ScrollBarSize(metricsPixelsPerInch());
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER:
        return std::max(MulDiv(1, metricsPixelsPerInch(), 96), 1);
    default:
        return 0;
    }
}

// --- values ----------------------------------------------------------------------------------

namespace {
// Range lengths are counted in 64 bits: a bar from INT_MIN to INT_MAX is a sound request.
long long rangeLength(int Min, int Max) { return static_cast<long long>(Max) - Min + 1; }
}  // namespace

int TScrollBarValues::MaxPos() const {
    const long long last = static_cast<long long>(m_max) - std::max(m_page - 1, 0);
    return static_cast<int>(std::max<long long>(last, m_min));
}

bool TScrollBarValues::Needed() const {
    // Without a page the bar is needed for any range longer than one position.
    return m_page > 0 ? rangeLength(m_min, m_max) > m_page : m_max > m_min;
}

int TScrollBarValues::Set(const TScrollInfo& Info) {
    if (Info.fMask & SIF_RANGE) {
        m_min = Info.nMin;
        m_max = std::max(Info.nMax, Info.nMin);  // a range given backwards holds one position
    }
    if (Info.fMask & SIF_PAGE)
        m_page = Info.nPage;
    m_page = static_cast<int>(std::clamp<long long>(m_page, 0, rangeLength(m_min, m_max)));
    if (Info.fMask & SIF_POS)
        m_pos = Info.nPos;
    m_pos = std::clamp(m_pos, m_min, MaxPos());
    m_trackPos = std::clamp(m_trackPos, m_min, MaxPos());
    if (Info.fMask & (SIF_RANGE | SIF_PAGE | SIF_POS))
        m_disableNoScroll = (Info.fMask & SIF_DISABLENOSCROLL) != 0;
    return m_pos;
}

void TScrollBarValues::Get(TScrollInfo& Info) const {
    if (Info.fMask & SIF_RANGE) {
        Info.nMin = m_min;
        Info.nMax = m_max;
    }
    if (Info.fMask & SIF_PAGE)
        Info.nPage = m_page;
    if (Info.fMask & SIF_POS)
        Info.nPos = m_pos;
    if (Info.fMask & SIF_TRACKPOS)
        Info.nTrackPos = TrackPos();
}

void TScrollBarValues::StartTracking() {
    m_tracking = true;
    m_trackPos = m_pos;
}

void TScrollBarValues::SetTrackPos(int Value) { m_trackPos = std::clamp(Value, m_min, MaxPos()); }

// --- layout ----------------------------------------------------------------------------------

TScrollBarLayout::TScrollBarLayout(const TScrollBarValues& Values, TRect ABar, bool AVertical)
    : Bar(ABar), Vertical(AVertical), m_values(Values) {
    const int length = Vertical ? Bar.Height() : Bar.Width();
    const int thickness = Vertical ? Bar.Width() : Bar.Height();
    const int arrow = std::max(std::min(thickness, length / 2), 0);
    const int start = Vertical ? Bar.Top : Bar.Left;
    auto span = [&](int from, int to) {
        return Vertical ? Rect(Bar.Left, from, Bar.Right, to) : Rect(from, Bar.Top, to, Bar.Bottom);
    };
    LineUp = span(start, start + arrow);
    LineDown = span(start + length - arrow, start + length);
    Track = span(start + arrow, start + length - arrow);
    const int track = length - 2 * arrow;
    const int minThumb = std::max((thickness + 1) / 2, 1);
    if (track < minThumb || !Values.Needed())
        return;
    const long long range = rangeLength(Values.Min(), Values.Max());
    int thumb = Values.Page() > 0 ? static_cast<int>(track * static_cast<long long>(Values.Page()) / range)
                                  : thickness;
    thumb = std::clamp(thumb, minThumb, track);
    const long long steps = static_cast<long long>(Values.MaxPos()) - Values.Min();
    const long long at = static_cast<long long>(Values.TrackPos()) - Values.Min();
    const int offset = steps > 0 ? static_cast<int>((track - thumb) * at / steps) : 0;
    const int thumbStart = start + arrow + offset;
    Thumb = span(thumbStart, thumbStart + thumb);
}

TScrollBarPart TScrollBarLayout::PartAt(TPoint P) const {
    if (!Bar.Contains(P))
        return TScrollBarPart::None;
    if (LineUp.Contains(P))
        return TScrollBarPart::LineUp;
    if (LineDown.Contains(P))
        return TScrollBarPart::LineDown;
    if (Thumb.IsEmpty())
        return TScrollBarPart::None;
    if (Thumb.Contains(P))
        return TScrollBarPart::Thumb;
    const int thumbStart = Vertical ? Thumb.Top : Thumb.Left;
    return Along(P) < thumbStart ? TScrollBarPart::PageUp : TScrollBarPart::PageDown;
}

int TScrollBarLayout::PosForThumbAt(int Offset) const {
    const int trackStart = Vertical ? Track.Top : Track.Left;
    const int room = (Vertical ? Track.Height() - Thumb.Height() : Track.Width() - Thumb.Width());
    const long long steps = static_cast<long long>(m_values.MaxPos()) - m_values.Min();
    if (room <= 0 || steps <= 0)
        return m_values.Min();
    const long long into = std::clamp(Offset - trackStart, 0, room);
    // The nearest position to the thumb's place, so that each position has a place to drag to.
    return static_cast<int>(m_values.Min() + (into * steps + room / 2) / room);
}

// --- painting --------------------------------------------------------------------------------

namespace {
// A raised button face: light top and left, shadowed bottom and right.
void paintFace(TCanvas& Canvas, TRect R, const TScrollBarColors& Colors, bool Pressed) {
    if (R.IsEmpty())
        return;
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(Pressed ? Colors.Edge : Colors.Face);
    Canvas.FillRect(R);
    Canvas.Brush()->SetColor(Colors.Edge);
    Canvas.FrameRect(R);
}

// A filled triangle pointing along the bar, in the middle of R.
void paintArrow(TCanvas& Canvas, TRect R, bool Vertical, bool Forward, TColor Color) {
    const int size = std::max(std::min(R.Width(), R.Height()) / 4, 2);
    const int cx = R.Left + R.Width() / 2, cy = R.Top + R.Height() / 2;
    std::array<TPoint, 3> p;
    if (Vertical) {
        const int tip = Forward ? cy + size / 2 : cy - size / 2;
        const int base = Forward ? tip - size : tip + size;
        p = {TPoint{cx - size, base}, TPoint{cx + size, base}, TPoint{cx, tip}};
    } else {
        const int tip = Forward ? cx + size / 2 : cx - size / 2;
        const int base = Forward ? tip - size : tip + size;
        p = {TPoint{base, cy - size}, TPoint{base, cy + size}, TPoint{tip, cy}};
    }
    Canvas.Pen()->SetColor(Color);
    Canvas.Brush()->SetColor(Color);
    Canvas.Polygon(p);
}
}  // namespace

void PaintScrollBar(TCanvas& Canvas, const TScrollBarLayout& Layout, const TScrollBarColors& Colors,
                    bool Enabled, TScrollBarPart Pressed) {
    TCanvasStateSaver saved(Canvas);
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(Colors.Track);
    Canvas.FillRect(Layout.Track);
    if (Pressed == TScrollBarPart::PageUp || Pressed == TScrollBarPart::PageDown) {
        // The pressed side of the track darkens, as it does while it repeats.
        const TRect& t = Layout.Track;
        const TRect& th = Layout.Thumb;
        TRect side = Pressed == TScrollBarPart::PageUp
                         ? (Layout.Vertical ? Rect(t.Left, t.Top, t.Right, th.Top)
                                            : Rect(t.Left, t.Top, th.Left, t.Bottom))
                         : (Layout.Vertical ? Rect(t.Left, th.Bottom, t.Right, t.Bottom)
                                            : Rect(th.Right, t.Top, t.Right, t.Bottom));
        Canvas.Brush()->SetColor(Colors.Edge);
        Canvas.FillRect(side);
    }
    const TColor arrow = Enabled ? Colors.Arrow : clGrayText;
    paintFace(Canvas, Layout.LineUp, Colors, Pressed == TScrollBarPart::LineUp);
    paintArrow(Canvas, Layout.LineUp, Layout.Vertical, false, arrow);
    paintFace(Canvas, Layout.LineDown, Colors, Pressed == TScrollBarPart::LineDown);
    paintArrow(Canvas, Layout.LineDown, Layout.Vertical, true, arrow);
    if (Enabled)
        paintFace(Canvas, Layout.Thumb, Colors, false);
}

// --- the mouse -------------------------------------------------------------------------------

namespace {
int codeOf(TScrollBarPart Part) {
    switch (Part) {
    case TScrollBarPart::LineUp:
        return SB_LINEUP;
    case TScrollBarPart::LineDown:
        return SB_LINEDOWN;
    case TScrollBarPart::PageUp:
        return SB_PAGEUP;
    default:
        return SB_PAGEDOWN;
    }
}
}  // namespace

bool TScrollBarTracker::MouseDown(TScrollBarClient& Client, int Bar, TPoint P) {
    TScrollBarValues& values = Client.BarValues(Bar);
    const TScrollBarLayout layout(values, Client.BarRect(Bar), Client.BarVertical(Bar));
    const TScrollBarPart part = layout.PartAt(P);
    if (!layout.Bar.Contains(P))
        return false;
    if (part == TScrollBarPart::None || !values.Needed())
        return true;  // a disabled bar, or a track too short for a thumb, takes the press and does nothing
    m_bar = Bar;
    m_part = part;
    m_pointer = P;
    m_timerWindow = Client.BarTimerWindow();
    if (part == TScrollBarPart::Thumb) {
        m_grab = layout.Along(P) - (layout.Vertical ? layout.Thumb.Top : layout.Thumb.Left);
        values.StartTracking();
        Client.BarChanged(Bar);
        return true;
    }
    Step(Client);
    if (Active())  // the handler may have taken the bar away
        SetTimer(m_timerWindow, kRepeatTimer, kFirstDelay);
    return true;
}

void TScrollBarTracker::Step(TScrollBarClient& Client) {
    const int bar = m_bar;
    TScrollBarValues& values = Client.BarValues(bar);
    Client.BarScroll(bar, codeOf(m_part), values.Pos());
    Client.BarChanged(bar);
}

void TScrollBarTracker::MouseMove(TScrollBarClient& Client, TPoint P) {
    if (!Active())
        return;
    m_pointer = P;
    if (m_part != TScrollBarPart::Thumb)
        return;
    TScrollBarValues& values = Client.BarValues(m_bar);
    const TScrollBarLayout layout(values, Client.BarRect(m_bar), Client.BarVertical(m_bar));
    const int pos = layout.PosForThumbAt(layout.Along(P) - m_grab);
    if (pos == values.TrackPos())
        return;
    values.SetTrackPos(pos);
    Client.BarScroll(m_bar, SB_THUMBTRACK, pos);
    if (Active())
        Client.BarChanged(m_bar);
}

void TScrollBarTracker::Timer(TScrollBarClient& Client) {
    if (!Active() || m_part == TScrollBarPart::Thumb)
        return;
    SetTimer(m_timerWindow, kRepeatTimer, kRepeatDelay);
    // The repeat goes on only while the pointer is on the pressed part; a page press stops
    // once the thumb has reached the pointer.
    const TScrollBarLayout layout(Client.BarValues(m_bar), Client.BarRect(m_bar), Client.BarVertical(m_bar));
    if (layout.PartAt(m_pointer) == m_part)
        Step(Client);
}

void TScrollBarTracker::MouseUp(TScrollBarClient& Client) {
    if (!Active())
        return;
    const int bar = m_bar;
    const TScrollBarPart part = m_part;
    KillTimer(m_timerWindow, kRepeatTimer);
    m_bar = -1;
    m_part = TScrollBarPart::None;
    TScrollBarValues& values = Client.BarValues(bar);
    if (part == TScrollBarPart::Thumb) {
        const int pos = values.TrackPos();
        Client.BarScroll(bar, SB_THUMBPOSITION, pos);
        values.StopTracking();
    }
    Client.BarScroll(bar, SB_ENDSCROLL, values.Pos());
    Client.BarChanged(bar);
}

void TScrollBarTracker::Cancel(TScrollBarClient& Client) {
    if (!Active())
        return;
    KillTimer(m_timerWindow, kRepeatTimer);
    Client.BarValues(m_bar).StopTracking();
    m_bar = -1;
    m_part = TScrollBarPart::None;
}

}  // namespace framework
