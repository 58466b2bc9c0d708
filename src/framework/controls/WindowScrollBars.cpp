// A window's own scroll bars: their values, the room they take from the client area, their
// picture beside it, the mouse on them, and the default scrolling of a control that reports its
// content.

#include "framework/controls/WinControl.h"

#include <algorithm>

namespace framework {

class TWinControl::TWindowScrollBars final : public TScrollBarClient {
public:
    explicit TWindowScrollBars(TWinControl& Owner) : m_owner(Owner) {}

    TScrollBarValues Values[2];
    bool Shown[2] = {false, false};
    TScrollBarTracker Tracker;
    TScrollBarColors Colors;
    bool Updating = false;

    TScrollBarValues& BarValues(int Bar) override { return Values[Bar]; }
    // In client coordinates: the vertical bar right of the client area, the horizontal one below.
    TRect BarRect(int Bar) override {
        const TRect c = m_owner.ClientRect();
        const int t = GetSystemMetrics(SM_CXVSCROLL);
        return Bar == SB_VERT ? Rect(c.Right, 0, c.Right + t, c.Bottom)
                              : Rect(0, c.Bottom, c.Right, c.Bottom + t);
    }
    void BarScroll(int Bar, int Code, int Pos) override {
        m_owner.Perform(Bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL,
                        MakeWParam(static_cast<std::uint16_t>(Code), static_cast<std::uint16_t>(Pos)), 0);
    }
    void BarChanged(int) override { m_owner.Invalidate(); }
    HWND BarTimerWindow() override { return m_owner.Handle(); }

private:
    TWinControl& m_owner;
};

void TWinControl::TScrollBarsDeleter::operator()(TWindowScrollBars* Bars) const { delete Bars; }

TWinControl::TWindowScrollBars& TWinControl::Bars() {
    if (!m_scrollBars)
        m_scrollBars.reset(new TWindowScrollBars(*this));
    return *m_scrollBars;
}

namespace {
bool windowBar(int Bar) { return Bar == SB_HORZ || Bar == SB_VERT; }
}  // namespace

int TWinControl::SetScrollInfo(int Bar, const TScrollInfo& Info, bool Redraw) {
    if (!windowBar(Bar))
        return 0;
    TWindowScrollBars& bars = Bars();
    const int pos = bars.Values[Bar].Set(Info);
    if (bars.Values[Bar].Shown() != bars.Shown[Bar]) {
        bars.Shown[Bar] = !bars.Shown[Bar];
        ScrollBarsShownChanged();
    } else if (Redraw && bars.Shown[Bar]) {
        Invalidate();
    }
    return pos;
}

bool TWinControl::GetScrollInfo(int Bar, TScrollInfo& Info) {
    if (!windowBar(Bar))
        return false;
    UpdateScrollBars();
    Bars().Values[Bar].Get(Info);
    return true;
}

int TWinControl::SetScrollPos(int Bar, int Pos, bool Redraw) {
    TScrollInfo info;
    info.fMask = SIF_POS;
    info.nPos = Pos;
    return SetScrollInfo(Bar, info, Redraw);
}

int TWinControl::GetScrollPos(int Bar) {
    TScrollInfo info;
    info.fMask = SIF_POS;
    return GetScrollInfo(Bar, info) ? info.nPos : 0;
}

bool TWinControl::ScrollBarShown(int Bar) const {
    return windowBar(Bar) && m_scrollBars && m_scrollBars->Shown[Bar];
}

std::uint32_t TWinControl::WindowStyle() const {
    return (ScrollBarShown(SB_HORZ) ? WS_HSCROLL : 0u) | (ScrollBarShown(SB_VERT) ? WS_VSCROLL : 0u);
}

TScrollBarColors TWinControl::ScrollBarColors() const {
    return m_scrollBars ? m_scrollBars->Colors : TScrollBarColors{};
}

void TWinControl::SetScrollBarColors(const TScrollBarColors& Value) {
    if (ScrollBarColors() == Value)
        return;
    Bars().Colors = Value;
    Invalidate();
}

void TWinControl::CancelScrollBarTracking() {
    if (m_scrollBars)
        m_scrollBars->Tracker.Cancel(*m_scrollBars);
}

bool TWinControl::ScrollBarTracking() const { return m_scrollBars && m_scrollBars->Tracker.Active(); }

void TWinControl::UpdateScrollBars() {
    if (m_scrollBars && m_scrollBars->Updating)
        return;
    // The bars take room from each other: showing one can make the other needed, so a second
    // round settles what the first changed.
    for (int round = 0; round < 3; ++round) {
        bool changed = false;
        for (int bar : {SB_VERT, SB_HORZ}) {
            TScrollInfo info;
            if (!ScrollContent(bar, info))
                continue;
            TWindowScrollBars& bars = Bars();
            info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            bars.Updating = true;
            bars.Values[bar].Set(info);
            bars.Updating = false;
            if (bars.Values[bar].Shown() != bars.Shown[bar]) {
                bars.Shown[bar] = !bars.Shown[bar];
                changed = true;
                ScrollBarsShownChanged();
            }
        }
        if (!changed)
            break;
    }
}

void TWinControl::ScrollBarsShownChanged() {
    TWindowScrollBars& bars = Bars();
    if (bars.Tracker.Active() && !bars.Shown[bars.Tracker.ActiveBar()])
        bars.Tracker.Cancel(bars);
    ResizeSurface();
    Realign();
    Invalidate();
    Resize();
}

void TWinControl::PaintScrollBars(TCanvas& Dest, int X, int Y) {
    TWindowScrollBars& bars = *m_scrollBars;
    const int t = GetSystemMetrics(SM_CXVSCROLL);
    for (int bar : {SB_VERT, SB_HORZ}) {
        if (!bars.Shown[bar])
            continue;
        TRect r = bars.BarRect(bar);
        r = Rect(r.Left + X, r.Top + Y, r.Right + X, r.Bottom + Y);
        const TScrollBarLayout layout(bars.Values[bar], r, bar == SB_VERT);
        const TScrollBarPart pressed =
            bars.Tracker.ActiveBar() == bar ? bars.Tracker.Pressed() : TScrollBarPart::None;
        PaintScrollBar(Dest, layout, bars.Colors, Enabled() && bars.Values[bar].Needed(), pressed);
    }
    if (bars.Shown[SB_VERT] && bars.Shown[SB_HORZ]) {
        TCanvasStateSaver saved(Dest);
        Dest.Brush()->SetStyle(bsSolid);
        Dest.Brush()->SetColor(bars.Colors.Face);
        Dest.FillRect(Bounds(X + ClientWidth(), Y + ClientHeight(), t, t));
    }
}

bool TWinControl::ScrollBarMessage(TMessage& Message) {
    const std::uint32_t msg = Message.Msg;
    if (msg == WM_TIMER && Message.WParam == static_cast<std::uint32_t>(TScrollBarTracker::kRepeatTimer)) {
        if (m_scrollBars)
            m_scrollBars->Tracker.Timer(*m_scrollBars);
        return true;
    }
    if ((msg == WM_VSCROLL || msg == WM_HSCROLL) && Message.LParam == 0) {
        const int bar = msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
        TScrollInfo info;
        if (!ScrollContent(bar, info))
            return false;  // the window's own handler decides
        TScrollBarValues& values = Bars().Values[bar];
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        values.Set(info);
        const long long line = std::max(ScrollLineSize(bar), 1);
        const long long page = std::max(values.Page(), 1);
        long long pos = values.Pos();
        switch (static_cast<int>(Message.WParam & 0xFFFF)) {
        case SB_LINEUP:
            pos -= line;
            break;
        case SB_LINEDOWN:
            pos += line;
            break;
        case SB_PAGEUP:
            pos -= page;
            break;
        case SB_PAGEDOWN:
            pos += page;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            // A dragged thumb has its whole position; a message sent by hand has 16 bits of it.
            pos = values.Tracking() ? values.TrackPos() : static_cast<long long>(Message.WParam >> 16);
            break;
        case SB_TOP:
            pos = values.Min();
            break;
        case SB_BOTTOM:
            pos = values.MaxPos();
            break;
        default:
            return true;
        }
        pos = std::clamp<long long>(pos, values.Min(), values.MaxPos());
        if (pos != values.Pos())
            ScrollContentTo(bar, static_cast<int>(pos));
        UpdateScrollBars();
        return true;
    }
    if (msg == WM_MOUSEWHEEL) {
        // Over a control that does not take the wheel itself: its own bar scrolls three lines a
        // notch (Shift turns the wheel sideways), else the parent is offered the wheel.
        const int delta = static_cast<std::int16_t>(Message.WParam >> 16);
        const bool sideways = (Message.WParam & 0xFFFF) & ssShift;
        UpdateScrollBars();
        const int bar = sideways || !ScrollBarShown(SB_VERT) ? SB_HORZ : SB_VERT;
        if (ScrollBarShown(bar) && m_scrollBars->Values[bar].Needed()) {
            const int notches = delta / 120;
            const std::uint32_t code = notches > 0 ? SB_LINEUP : SB_LINEDOWN;
            for (int i = 0; i < 3 * std::abs(notches); ++i)
                Perform(bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, code, 0);
            return true;
        }
        if (m_parent) {
            Message.Result = m_parent->Perform(Message.Msg, Message.WParam, Message.LParam);
            return true;
        }
        return false;
    }
    if (msg < WM_MOUSEMOVE || msg > WM_MBUTTONUP || !m_scrollBars)
        return false;
    TWindowScrollBars& bars = *m_scrollBars;
    const TPoint p{LParamX(Message.LParam), LParamY(Message.LParam)};
    if (bars.Tracker.Active()) {
        if (msg == WM_MOUSEMOVE)
            bars.Tracker.MouseMove(bars, p);
        else if (msg == WM_LBUTTONUP)
            bars.Tracker.MouseUp(bars);
        return true;
    }
    for (int bar : {SB_VERT, SB_HORZ}) {
        if (!bars.Shown[bar] || !bars.BarRect(bar).Contains(p))
            continue;
        if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
            if (Enabled())
                bars.Tracker.MouseDown(bars, bar, p);
        }
        return true;  // the bars are not the client area: nothing else sees the mouse on them
    }
    // The corner between two bars is not the client area either.
    return bars.Shown[SB_VERT] && bars.Shown[SB_HORZ] && !ClientRect().Contains(p) && p.X >= 0 && p.Y >= 0;
}

}  // namespace framework
