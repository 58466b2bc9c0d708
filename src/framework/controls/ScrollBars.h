#pragma once
// Scroll bars as controls and as containers: TScrollBar, a bar on its own that keeps a position;
// TScrollingWinControl, a window whose children scroll under its own bars when they reach past
// its client area (the base of TScrollBox and of forms); and the classic API on window handles.

#include "framework/controls/ListBox.h"
#include "framework/controls/WinControl.h"

namespace framework {

class TScrollingWinControl;

enum TScrollBarKind { sbHorizontal, sbVertical };
// What moved a bar, in the order of the SB_ codes.
enum TScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};
using TScrollEvent = TEvent<TObject*, TScrollCode, int&>;

// The classic calls on a window handle: SB_HORZ and SB_VERT name the window's own bars, SB_CTL
// a TScrollBar control. An unknown window or bar does nothing (Get answers false, Set 0).
int SetScrollInfo(HWND Wnd, int Bar, const TScrollInfo& Info, bool Redraw);
bool GetScrollInfo(HWND Wnd, int Bar, TScrollInfo& Info);
int SetScrollPos(HWND Wnd, int Bar, int Pos, bool Redraw);
int GetScrollPos(HWND Wnd, int Bar);
bool SetScrollRange(HWND Wnd, int Bar, int MinPos, int MaxPos, bool Redraw);

// A scroll bar control: arrows, track and thumb over its whole client area. Arrows move the
// position by SmallChange, the track by LargeChange; OnScroll sees every move (and may change
// where it goes), OnChange every new position.
class TScrollBar : public TWinControl, private TScrollBarClient {
public:
    explicit TScrollBar(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(TAccessible& A) const override;

    TScrollBarKind Kind() const { return m_kind; }
    // Turning the bar swaps its width and height.
    void SetKind(TScrollBarKind Value);
    int Min() const { return m_values.Min(); }
    int Max() const { return m_values.Max(); }
    int PageSize() const { return m_values.Page(); }
    int Position() const { return m_values.Pos(); }
    void SetMin(int Value) { SetParams(Position(), Value, Max()); }
    void SetMax(int Value) { SetParams(Position(), Min(), Value); }
    // A page that is negative or longer than the range raises EInvalidOperation, as does a
    // maximum below the minimum; nothing changes then.
    void SetPageSize(int Value);
    // The position is kept between Min and the last position that still fills a page.
    void SetPosition(int Value) { SetParams(Value, Min(), Max()); }
    void SetParams(int APosition, int AMin, int AMax);
    int SmallChange() const { return m_smallChange; }
    void SetSmallChange(int Value) { m_smallChange = std::max(Value, 1); }
    int LargeChange() const { return m_largeChange; }
    void SetLargeChange(int Value) { m_largeChange = std::max(Value, 1); }
    const TScrollBarValues& Values() const { return m_values; }
    bool Tracking() const { return m_tracker.Active(); }

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

protected:
    virtual void Change();
    virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);
    void PaintWindow(TCanvas& Canvas) override;
    void WndProc(TMessage& Message) override;

private:
    TScrollBarValues& BarValues(int) override { return m_values; }
    TRect BarRect(int) override { return ClientRect(); }
    bool BarVertical(int) const override { return m_kind == sbVertical; }
    void BarScroll(int Bar, int Code, int Pos) override;
    void BarChanged(int) override { Invalidate(); }
    HWND BarTimerWindow() override { return Handle(); }
    // Moves as the code says, the way the classic control answers its own scroll message.
    void DoScroll(int Code, int Pos);

    TScrollBarKind m_kind = sbHorizontal;
    TScrollBarValues m_values;
    TScrollBarTracker m_tracker;
    int m_smallChange = 1;
    int m_largeChange = 1;
};

// One bar of a scrolling window (its HorzScrollBar or VertScrollBar): the extent of the content
// in pixels, how far it is scrolled, and how far an arrow moves it.
class TControlScrollBar : public TPersistent {
public:
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    // The content's extent; an AutoScroll window computes it from its children.
    int Range() const { return m_range; }
    void SetRange(int Value);
    // How far the content is scrolled, 0 at its start.
    int Position() const { return m_position; }
    void SetPosition(int Value);
    int Increment() const { return m_increment; }
    void SetIncrement(int Value) { m_increment = std::max(Value, 1); }
    // A bar that is not Visible never shows, and its content does not scroll that way.
    bool Visible() const { return m_visible; }
    void SetVisible(bool Value);
    // Tracking scrolls while the thumb is dragged; else only where it is let go.
    bool Tracking() const { return m_tracking; }
    void SetTracking(bool Value) { m_tracking = Value; }
    // Space kept past the furthest child.
    int Margin() const { return m_margin; }
    void SetMargin(int Value);

    void Assign(const TPersistent* Source) override;

private:
    friend class TScrollingWinControl;
    TScrollingWinControl* m_control = nullptr;  // the window the bar belongs to
    int m_bar = SB_HORZ;
    int m_range = 0;
    int m_position = 0;
    int m_increment = 8;
    int m_margin = 0;
    bool m_visible = true;
    bool m_tracking = false;
};

// A window whose children scroll: with AutoScroll its bars show as soon as a child reaches past
// the client area, and scrolling moves the children.
class TScrollingWinControl : public TWinControl {
public:
    explicit TScrollingWinControl(TComponent* AOwner);
    ~TScrollingWinControl() override;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    bool AutoScroll() const { return m_autoScroll; }
    void SetAutoScroll(bool Value);
    TControlScrollBar* HorzScrollBar() const { return m_horz.get(); }
    TControlScrollBar* VertScrollBar() const { return m_vert.get(); }
    void SetHorzScrollBar(const TControlScrollBar* Value) { m_horz->Assign(Value); }
    void SetVertScrollBar(const TControlScrollBar* Value) { m_vert->Assign(Value); }
    // Moves every child by the distance, as the content scrolls by it the other way.
    void ScrollBy(int DeltaX, int DeltaY);
    // Scrolls the least distance that shows the whole control (or as much of it as fits).
    void ScrollInView(TControl* AControl);
    // The content is scaled from its start: the window scrolls back to it first.
    void ChangeScale(int M, int D) override;

protected:
    bool ScrollContent(int Bar, TScrollInfo& Info) override;
    void ScrollContentTo(int Bar, int Pos) override;
    int ScrollLineSize(int Bar) const override;
    // Aligned children are laid out over the whole content, scrolled with it.
    void AlignControls(TRect& R) override;
    void WndProc(TMessage& Message) override;

private:
    friend class TControlScrollBar;
    TControlScrollBar& Bar(int ABar) const { return ABar == SB_VERT ? *m_vert : *m_horz; }
    // The content's extent along the bar: the range, or the furthest child with AutoScroll.
    int ContentExtent(int ABar) const;
    void BarPositionChanged(int ABar, int Pos);

    bool m_autoScroll = true;
    std::unique_ptr<TControlScrollBar, TFreeDeleter> m_horz;
    std::unique_ptr<TControlScrollBar, TFreeDeleter> m_vert;
};

// A bordered box whose children scroll.
class TScrollBox : public TScrollingWinControl {
public:
    explicit TScrollBox(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    int ClientInset() const override { return m_borderStyle == bsSingle ? 2 : 0; }
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle Value);

protected:
    void PaintBorder(TCanvas& Canvas, TRect Bounds) override;

private:
    TBorderStyle m_borderStyle = bsSingle;
};

}  // namespace framework
