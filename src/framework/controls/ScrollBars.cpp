#include "framework/controls/ScrollBars.h"

#include "framework/controls/Panel.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>

namespace framework {

// --- the classic calls -----------------------------------------------------------------------

int SetScrollInfo(HWND Wnd, int Bar, const TScrollInfo& Info, bool Redraw) {
    TWinControl* window = TWinControl::FindControl(Wnd);
    if (!window)
        return 0;
    if (Bar == SB_CTL) {
        auto* bar = As<TScrollBar>(window);
        if (!bar)
            return 0;
        TScrollBarValues values = bar->Values();
        values.Set(Info);
        bar->SetParams(values.Pos(), values.Min(), values.Max());
        if (Info.fMask & SIF_PAGE)
            bar->SetPageSize(values.Page());
        return bar->Position();
    }
    return window->SetScrollInfo(Bar, Info, Redraw);
}

bool GetScrollInfo(HWND Wnd, int Bar, TScrollInfo& Info) {
    TWinControl* window = TWinControl::FindControl(Wnd);
    if (!window)
        return false;
    if (Bar == SB_CTL) {
        auto* bar = As<TScrollBar>(window);
        if (bar)
            bar->Values().Get(Info);
        return bar != nullptr;
    }
    return window->GetScrollInfo(Bar, Info);
}

int SetScrollPos(HWND Wnd, int Bar, int Pos, bool Redraw) {
    TScrollInfo info;
    info.fMask = SIF_POS;
    info.nPos = Pos;
    return SetScrollInfo(Wnd, Bar, info, Redraw);
}

int GetScrollPos(HWND Wnd, int Bar) {
    TScrollInfo info;
    info.fMask = SIF_POS;
    return GetScrollInfo(Wnd, Bar, info) ? info.nPos : 0;
}

bool SetScrollRange(HWND Wnd, int Bar, int MinPos, int MaxPos, bool Redraw) {
    if (!TWinControl::FindControl(Wnd) || MaxPos < MinPos)
        return false;
    TScrollInfo info;
    info.fMask = SIF_RANGE;
    info.nMin = MinPos;
    info.nMax = MaxPos;
    SetScrollInfo(Wnd, Bar, info, Redraw);
    return true;
}

// --- TScrollBar ------------------------------------------------------------------------------

const TClassInfo& TScrollBar::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TScrollBar, TWinControl>("TScrollBar")
            .Enum<TScrollBar>("Kind", {"sbHorizontal", "sbVertical"}, &TScrollBar::Kind, &TScrollBar::SetKind,
                              sbHorizontal)
            .Integer<TScrollBar>("Max", &TScrollBar::Max, &TScrollBar::SetMax, 100)
            .Integer<TScrollBar>("Min", &TScrollBar::Min, &TScrollBar::SetMin, 0)
            .Integer<TScrollBar>("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize, 0)
            .Integer<TScrollBar>("Position", &TScrollBar::Position, &TScrollBar::SetPosition, 0)
            .Integer<TScrollBar>("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange, 1)
            .Integer<TScrollBar>("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange, 1)
            .Event<TScrollBar>("OnChange", &TScrollBar::OnChange)
            .Event<TScrollBar>("OnScroll", &TScrollBar::OnScroll);
    return info;
}

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
    TScrollInfo info;
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMax = 100;
    m_values.Set(info);
}

void TScrollBar::SetKind(TScrollBarKind Value) {
    if (Value == m_kind)
        return;
    m_kind = Value;
    if (!HasState(csLoading))
        SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
    if (AMax < AMin)
        throw EInvalidOperation("Scroll bar property out of range");
    if (m_values.Page() > static_cast<long long>(AMax) - AMin + 1)
        throw EInvalidOperation("Scroll bar property out of range");
    TScrollInfo info;
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMin = AMin;
    info.nMax = AMax;
    info.nPos = APosition;
    const int old = m_values.Pos();
    m_values.Set(info);
    Invalidate();
    if (m_values.Pos() != old)
        Change();
}

void TScrollBar::SetPageSize(int Value) {
    if (Value < 0 || Value > static_cast<long long>(Max()) - Min() + 1)
        throw EInvalidOperation("Scroll bar property out of range");
    TScrollInfo info;
    info.fMask = SIF_PAGE;
    info.nPage = Value;
    const int old = m_values.Pos();
    m_values.Set(info);
    Invalidate();
    if (m_values.Pos() != old)
        Change();
}

void TScrollBar::Change() {
    if (OnChange)
        OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos) {
    if (OnScroll)
        OnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::BarScroll(int, int Code, int Pos) {
    // The classic bar tells its parent, which hands the message back to it; here it goes
    // straight to the bar, with its handle as the message says.
    Perform(m_kind == sbVertical ? WM_VSCROLL : WM_HSCROLL,
            MakeWParam(static_cast<std::uint16_t>(Code), static_cast<std::uint16_t>(Pos)),
            static_cast<std::int32_t>(Handle()));
}

void TScrollBar::DoScroll(int Code, int Pos) {
    long long pos = Position();
    switch (Code) {
    case SB_LINEUP:
        pos -= m_smallChange;
        break;
    case SB_LINEDOWN:
        pos += m_smallChange;
        break;
    case SB_PAGEUP:
        pos -= m_largeChange;
        break;
    case SB_PAGEDOWN:
        pos += m_largeChange;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        pos = Pos;
        break;
    case SB_TOP:
        pos = Min();
        break;
    case SB_BOTTOM:
        pos = m_values.MaxPos();
        break;
    case SB_ENDSCROLL:
        break;
    default:
        return;
    }
    int scrollPos = static_cast<int>(std::clamp<long long>(pos, Min(), m_values.MaxPos()));
    Scroll(static_cast<TScrollCode>(Code), scrollPos);
    if (Code != SB_ENDSCROLL)
        SetPosition(scrollPos);
}

void TScrollBar::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL: {
        // A dragged thumb has its whole position; the message has 16 bits of it.
        const int code = static_cast<int>(Message.WParam & 0xFFFF);
        const bool thumb = code == SB_THUMBTRACK || code == SB_THUMBPOSITION;
        DoScroll(code,
                 thumb && m_values.Tracking() ? m_values.TrackPos() : static_cast<int>(Message.WParam >> 16));
        return;
    }
    case WM_TIMER:
        if (Message.WParam == static_cast<std::uint32_t>(TScrollBarTracker::kRepeatTimer)) {
            m_tracker.Timer(*this);
            return;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (Enabled())
            m_tracker.MouseDown(*this, SB_CTL, TPoint{LParamX(Message.LParam), LParamY(Message.LParam)});
        break;
    case WM_MOUSEMOVE:
        m_tracker.MouseMove(*this, TPoint{LParamX(Message.LParam), LParamY(Message.LParam)});
        break;
    case WM_LBUTTONUP:
        m_tracker.MouseUp(*this);
        break;
    case WM_MOUSEWHEEL: {
        const int notches = static_cast<std::int16_t>(Message.WParam >> 16) / 120;
        for (int i = 0; i < std::abs(notches); ++i)
            DoScroll(notches > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        return;
    }
    case WM_KEYDOWN:
        switch (Message.WParam) {
        case VK_UP:
        case VK_LEFT:
            DoScroll(SB_LINEUP, 0);
            return;
        case VK_DOWN:
        case VK_RIGHT:
            DoScroll(SB_LINEDOWN, 0);
            return;
        case VK_PRIOR:
            DoScroll(SB_PAGEUP, 0);
            return;
        case VK_NEXT:
            DoScroll(SB_PAGEDOWN, 0);
            return;
        case VK_HOME:
            DoScroll(SB_TOP, 0);
            return;
        case VK_END:
            DoScroll(SB_BOTTOM, 0);
            return;
        default:
            break;
        }
        break;
    default:
        break;
    }
    TWinControl::WndProc(Message);
}

void TScrollBar::PaintWindow(TCanvas& Canvas) {
    const TScrollBarLayout layout(m_values, ClientRect(), m_kind == sbVertical);
    PaintScrollBar(Canvas, layout, ScrollBarColors(), Enabled() && m_values.Needed(), m_tracker.Pressed());
}

// --- TControlScrollBar -----------------------------------------------------------------------

const TClassInfo& TControlScrollBar::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TControlScrollBar, TPersistent>("TControlScrollBar")
            .Integer<TControlScrollBar>("Increment", &TControlScrollBar::Increment,
                                        &TControlScrollBar::SetIncrement, 8)
            .Integer<TControlScrollBar>("Margin", &TControlScrollBar::Margin, &TControlScrollBar::SetMargin,
                                        0)
            .Integer<TControlScrollBar>("Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange, 0)
            .Integer<TControlScrollBar>("Position", &TControlScrollBar::Position,
                                        &TControlScrollBar::SetPosition, 0)
            .Bool<TControlScrollBar>("Tracking", &TControlScrollBar::Tracking,
                                     &TControlScrollBar::SetTracking, false)
            .Bool<TControlScrollBar>("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible,
                                     true);
    return info;
}

void TControlScrollBar::SetRange(int Value) {
    m_range = std::max(Value, 0);
    if (m_control)
        m_control->Invalidate();
}

void TControlScrollBar::SetMargin(int Value) {
    m_margin = std::max(Value, 0);
    if (m_control)
        m_control->Invalidate();
}

void TControlScrollBar::SetVisible(bool Value) {
    m_visible = Value;
    if (m_control) {
        if (!Value)
            m_control->BarPositionChanged(m_bar, 0);
        m_control->UpdateScrollBars();
    }
}

void TControlScrollBar::SetPosition(int Value) {
    if (!m_control) {
        m_position = std::max(Value, 0);
        return;
    }
    m_control->UpdateScrollBars();
    TScrollInfo info;
    m_control->ScrollContent(m_bar, info);
    m_control->BarPositionChanged(m_bar, std::clamp(Value, 0, std::max(info.nMax + 1 - info.nPage, 0)));
    m_control->UpdateScrollBars();
}

void TControlScrollBar::Assign(const TPersistent* Source) {
    if (const auto* src = As<TControlScrollBar>(const_cast<TPersistent*>(Source))) {
        m_increment = src->m_increment;
        m_margin = src->m_margin;
        m_range = src->m_range;
        m_tracking = src->m_tracking;
        SetVisible(src->m_visible);
        SetPosition(src->m_position);
        return;
    }
    TPersistent::Assign(Source);
}

// --- TScrollingWinControl --------------------------------------------------------------------

const TClassInfo& TScrollingWinControl::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TScrollingWinControl, TWinControl>("TScrollingWinControl")
            .Bool<TScrollingWinControl>("AutoScroll", &TScrollingWinControl::AutoScroll,
                                        &TScrollingWinControl::SetAutoScroll, true)
            .Object<TScrollingWinControl, TControlScrollBar>("HorzScrollBar",
                                                             &TScrollingWinControl::HorzScrollBar,
                                                             &TScrollingWinControl::SetHorzScrollBar)
            .Object<TScrollingWinControl, TControlScrollBar>("VertScrollBar",
                                                             &TScrollingWinControl::VertScrollBar,
                                                             &TScrollingWinControl::SetVertScrollBar);
    return info;
}

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner), m_horz(Create<TControlScrollBar>()), m_vert(Create<TControlScrollBar>()) {
    m_horz->m_control = this;
    m_horz->m_bar = SB_HORZ;
    m_vert->m_control = this;
    m_vert->m_bar = SB_VERT;
}

TScrollingWinControl::~TScrollingWinControl() {
    m_horz->m_control = nullptr;
    m_vert->m_control = nullptr;
}

void TScrollingWinControl::SetAutoScroll(bool Value) {
    if (m_autoScroll == Value)
        return;
    m_autoScroll = Value;
    UpdateScrollBars();
    Invalidate();
}

int TScrollingWinControl::ContentExtent(int ABar) const {
    const TControlScrollBar& bar = Bar(ABar);
    if (!m_autoScroll)
        return bar.m_range;
    // The furthest edge of the children that scroll, in content coordinates. Children aligned
    // to the client area, or to the far side, follow the window instead of reaching past it.
    int extent = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl* c = Controls(i);
        if (!c->Visible())
            continue;
        // A popup in a desktop window of its own may reach past the window; it is no content.
        if (const auto* win = As<TWinControl>(Controls(i)); win && win->ShownApart())
            continue;
        const TAlign align = c->Align();
        if (ABar == SB_HORZ) {
            if (align == alClient || align == alRight || align == alTop || align == alBottom ||
                (c->Anchors() & akRight))
                continue;
            extent = std::max(extent, c->Left() + c->Width() + bar.m_position);
        } else {
            if (align == alClient || align == alBottom || align == alLeft || align == alRight ||
                (c->Anchors() & akBottom))
                continue;
            extent = std::max(extent, c->Top() + c->Height() + bar.m_position);
        }
    }
    return extent > 0 ? extent + bar.m_margin : 0;
}

bool TScrollingWinControl::ScrollContent(int ABar, TScrollInfo& Info) {
    const TControlScrollBar& bar = Bar(ABar);
    const int client = ABar == SB_VERT ? ClientHeight() : ClientWidth();
    const int extent = bar.m_visible ? ContentExtent(ABar) : 0;
    // Content that has shrunk, or a window that has grown, scrolls back to keep the view full.
    const int maxPos = std::max(extent - client, 0);
    if (bar.m_position > maxPos)
        BarPositionChanged(ABar, maxPos);
    Info.nMin = 0;
    Info.nMax = std::max(extent - 1, 0);
    Info.nPage = client;
    Info.nPos = bar.m_position;
    return true;
}

void TScrollingWinControl::ScrollContentTo(int ABar, int Pos) { BarPositionChanged(ABar, Pos); }

int TScrollingWinControl::ScrollLineSize(int ABar) const { return Bar(ABar).m_increment; }

void TScrollingWinControl::BarPositionChanged(int ABar, int Pos) {
    TControlScrollBar& bar = Bar(ABar);
    Pos = std::max(Pos, 0);
    const int delta = bar.m_position - Pos;
    if (delta == 0)
        return;
    bar.m_position = Pos;
    if (ABar == SB_VERT)
        ScrollBy(0, delta);
    else
        ScrollBy(delta, 0);
}

void TScrollingWinControl::ScrollBy(int DeltaX, int DeltaY) {
    if (DeltaX == 0 && DeltaY == 0)
        return;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        c->SetBounds(c->Left() + DeltaX, c->Top() + DeltaY, c->Width(), c->Height());
    }
    Invalidate();
}

void TScrollingWinControl::ScrollInView(TControl* AControl) {
    if (!AControl || !ContainsControl(AControl) || AControl == this)
        return;
    // The control's place in this window's client coordinates.
    TRect r = AControl->BoundsRect();
    for (TWinControl* p = AControl->Parent(); p && p != this; p = p->Parent()) {
        const int inset = p->ClientInset();
        r = Bounds(r.Left + p->Left() + inset, r.Top + p->Top() + inset, r.Width(), r.Height());
    }
    auto scrollTo = [&](int ABar, int start, int end, int client) {
        TControlScrollBar& bar = Bar(ABar);
        if (start < 0)
            bar.SetPosition(bar.m_position + start);
        else if (end > client)
            bar.SetPosition(bar.m_position + std::min(end - client, start));
    };
    scrollTo(SB_HORZ, r.Left, r.Right, ClientWidth());
    scrollTo(SB_VERT, r.Top, r.Bottom, ClientHeight());
}

void TScrollingWinControl::ChangeScale(int M, int D) {
    if (M != D && D != 0) {
        BarPositionChanged(SB_HORZ, 0);
        BarPositionChanged(SB_VERT, 0);
    }
    TWinControl::ChangeScale(M, D);
}

void TScrollingWinControl::AlignControls(TRect& R) {
    // The aligned children cover the whole content, scrolled as the rest of it.
    R = Rect(R.Left - m_horz->m_position, R.Top - m_vert->m_position, R.Right - m_horz->m_position,
             R.Bottom - m_vert->m_position);
    TWinControl::AlignControls(R);
}

void TScrollingWinControl::WndProc(TMessage& Message) {
    // While the thumb is dragged the content follows only when the bar is Tracking; else the
    // thumb moves alone until it is let go.
    if ((Message.Msg == WM_VSCROLL || Message.Msg == WM_HSCROLL) && Message.LParam == 0 &&
        (Message.WParam & 0xFFFF) == SB_THUMBTRACK &&
        !Bar(Message.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ).m_tracking) {
        Invalidate();
        return;
    }
    TWinControl::WndProc(Message);
}

// --- TScrollBox ------------------------------------------------------------------------------

const TClassInfo& TScrollBox::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TScrollBox, TScrollingWinControl>("TScrollBox")
            .Enum<TScrollBox>("BorderStyle", {"bsNone", "bsSingle"}, &TScrollBox::BorderStyle,
                              &TScrollBox::SetBorderStyle, bsSingle);
    return info;
}

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner) {
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TScrollBox::SetBorderStyle(TBorderStyle Value) {
    if (m_borderStyle == Value)
        return;
    m_borderStyle = Value;
    BorderChanged();
}

void TScrollBox::PaintBorder(TCanvas& Canvas, TRect Bounds) {
    Frame3D(Canvas, Bounds, clBtnShadow, clBtnHighlight, 1);
    Frame3D(Canvas, Bounds, cl3DDkShadow, cl3DLight, 1);
}

}  // namespace framework
