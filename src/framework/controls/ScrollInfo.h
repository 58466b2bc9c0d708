#pragma once
// The scroll bars of the classic platform: the values one bar keeps (range, page, position, and
// the thumb's place while it is dragged), the parts it is drawn in, and the mouse on them. A
// window's own bars (SB_HORZ, SB_VERT) stand beside its client area; a TScrollBar control
// (SB_CTL) is a bar on its own. Both tell what happened with WM_HSCROLL or WM_VSCROLL.

#include "framework/controls/Messages.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "framework/rtl/Types.h"

#include <cstdint>

namespace framework {

// Which bar.
inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;
inline constexpr int SB_CTL = 2;
inline constexpr int SB_BOTH = 3;
// What was done with it (WParam's low word of WM_HSCROLL and WM_VSCROLL).
inline constexpr int SB_LINEUP = 0;
inline constexpr int SB_LINELEFT = 0;
inline constexpr int SB_LINEDOWN = 1;
inline constexpr int SB_LINERIGHT = 1;
inline constexpr int SB_PAGEUP = 2;
inline constexpr int SB_PAGELEFT = 2;
inline constexpr int SB_PAGEDOWN = 3;
inline constexpr int SB_PAGERIGHT = 3;
inline constexpr int SB_THUMBPOSITION = 4;
inline constexpr int SB_THUMBTRACK = 5;
inline constexpr int SB_TOP = 6;
inline constexpr int SB_LEFT = 6;
inline constexpr int SB_BOTTOM = 7;
inline constexpr int SB_RIGHT = 7;
inline constexpr int SB_ENDSCROLL = 8;
// The members of TScrollInfo that are set or asked for.
inline constexpr std::uint32_t SIF_RANGE = 0x01;
inline constexpr std::uint32_t SIF_PAGE = 0x02;
inline constexpr std::uint32_t SIF_POS = 0x04;
inline constexpr std::uint32_t SIF_DISABLENOSCROLL = 0x08;
inline constexpr std::uint32_t SIF_TRACKPOS = 0x10;
inline constexpr std::uint32_t SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
// The window style bits of a window whose bars are shown.
inline constexpr std::uint32_t WS_HSCROLL = 0x00100000;
inline constexpr std::uint32_t WS_VSCROLL = 0x00200000;

// The classic SCROLLINFO. The page is signed here so that a negative one reads as no page
// rather than as a huge one.
struct TScrollInfo {
    std::uint32_t fMask = SIF_ALL;
    int nMin = 0;
    int nMax = 0;
    int nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

// The colours a bar is drawn in; a styled control gives its style's.
struct TScrollBarColors {
    TColor Track = clScrollBar;
    TColor Face = clBtnFace;
    TColor Arrow = clBtnText;
    TColor Edge = clBtnShadow;
    bool operator==(const TScrollBarColors&) const = default;
};

// The thickness of a bar (and the length of its arrows) at a resolution: 17 at 96 pixels per inch.
int ScrollBarSize(int PixelsPerInch);
// The system's measures at the screen's resolution, which the screen keeps current.
inline constexpr int SM_CXVSCROLL = 2;
inline constexpr int SM_CYHSCROLL = 3;
inline constexpr int SM_CXFOCUSBORDER = 83;  // the focus frame's width: 1 at 96, 2 at 144
inline constexpr int SM_CYFOCUSBORDER = 84;
int GetSystemMetrics(int Index);
void SetSystemMetricsPixelsPerInch(int PixelsPerInch);
// The resolution the measures follow; menus size their columns by it too.
int SystemMetricsPixelsPerInch();

// One bar's values, kept sound as the platform keeps them: the page lies between 0 and the
// range, the position between the minimum and the last position that still fills a page.
class TScrollBarValues {
public:
    // Applies the members that Info.fMask names; answers the position after it.
    int Set(const TScrollInfo& Info);
    // Fills the members that Info.fMask names.
    void Get(TScrollInfo& Info) const;
    int Min() const { return m_min; }
    int Max() const { return m_max; }
    int Page() const { return m_page; }
    int Pos() const { return m_pos; }
    int TrackPos() const { return m_tracking ? m_trackPos : m_pos; }
    // The greatest position: a full page before the end.
    int MaxPos() const;
    // The content does not fit: the range is longer than the page.
    bool Needed() const;
    // A bar whose content fits is shown disabled rather than hidden (SIF_DISABLENOSCROLL).
    bool DisableNoScroll() const { return m_disableNoScroll; }
    bool Shown() const { return Needed() || m_disableNoScroll; }
    // The thumb is being dragged: it stands at TrackPos until it is let go.
    bool Tracking() const { return m_tracking; }
    void StartTracking();
    void StopTracking() { m_tracking = false; }
    void SetTrackPos(int Value);

private:
    int m_min = 0;
    int m_max = 0;
    int m_page = 0;
    int m_pos = 0;
    int m_trackPos = 0;
    bool m_tracking = false;
    bool m_disableNoScroll = false;
};

enum class TScrollBarPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };

// Where a bar's parts lie in its rectangle: two arrows as long as the bar is thick (shorter when
// the bar is short), the track between them, and a thumb as long as the page is to the range,
// never shorter than half the thickness; no thumb when the track has no room for one.
class TScrollBarLayout {
public:
    TScrollBarLayout(const TScrollBarValues& Values, TRect Bar, bool Vertical);
    TRect Bar;
    TRect LineUp;
    TRect LineDown;
    TRect Track;
    TRect Thumb;  // empty when there is none
    bool Vertical;
    TScrollBarPart PartAt(TPoint P) const;
    // The position meant by the thumb's leading edge at Offset along the bar.
    int PosForThumbAt(int Offset) const;
    // A point's offset along the bar.
    int Along(TPoint P) const { return Vertical ? P.Y : P.X; }

private:
    const TScrollBarValues& m_values;
};

void PaintScrollBar(TCanvas& Canvas, const TScrollBarLayout& Layout, const TScrollBarColors& Colors,
                    bool Enabled, TScrollBarPart Pressed);

// What the mouse does on a bar for the window it belongs to.
class TScrollBarClient {
public:
    virtual TScrollBarValues& BarValues(int Bar) = 0;
    // The bar's rectangle in the coordinates mouse messages come in.
    virtual TRect BarRect(int Bar) = 0;
    virtual bool BarVertical(int Bar) const { return Bar == SB_VERT; }
    // Sends WM_HSCROLL or WM_VSCROLL with the code and position.
    virtual void BarScroll(int Bar, int Code, int Pos) = 0;
    // The bar's picture changed.
    virtual void BarChanged(int Bar) = 0;
    // The window the repeat timer runs on, asked when a press starts.
    virtual HWND BarTimerWindow() = 0;

protected:
    ~TScrollBarClient() = default;
};

// The mouse on a bar: a press on an arrow or the track scrolls once and then again while the
// button is held and the pointer stays on that part (first after a pause, then quickly); a press
// on the thumb drags it, telling the window each new place (SB_THUMBTRACK) and where it was let
// go (SB_THUMBPOSITION); every press ends with SB_ENDSCROLL.
class TScrollBarTracker {
public:
    // The timer id the repeat uses on the client's window.
    static constexpr std::uintptr_t kRepeatTimer = 0xFFFF5B00;
    static constexpr unsigned kFirstDelay = 250;
    static constexpr unsigned kRepeatDelay = 50;

    bool Active() const { return m_bar >= 0; }
    int ActiveBar() const { return m_bar; }
    TScrollBarPart Pressed() const { return m_part; }
    // A press at P on the bar; false when P is on none of its parts.
    bool MouseDown(TScrollBarClient& Client, int Bar, TPoint P);
    void MouseMove(TScrollBarClient& Client, TPoint P);
    void MouseUp(TScrollBarClient& Client);
    // The repeat timer fired.
    void Timer(TScrollBarClient& Client);
    // The press ends without another message (the window goes or loses its bar).
    void Cancel(TScrollBarClient& Client);

private:
    void Step(TScrollBarClient& Client);

    int m_bar = -1;
    TScrollBarPart m_part = TScrollBarPart::None;
    int m_grab = 0;  // the pointer's offset into the thumb
    TPoint m_pointer;
    HWND m_timerWindow = 0;
};

}  // namespace framework
