#pragma once
// Windowed controls: each has a window handle, created the first time it is needed, a pixel
// surface of its own the size of its client area, child controls, keyboard focus and a brush
// that erases its background. TCustomControl adds a canvas on that surface and Paint.

#include "framework/controls/Control.h"
#include "framework/controls/ScrollInfo.h"

#include <vector>

namespace framework {

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;  // frees its child controls, as the classic framework does

    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(TAccessible& A) const override;

    int ControlCount() const { return static_cast<int>(m_controls.size()); }
    TControl* Controls(int Index) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    // The child at a client point: the topmost visible one, windowed children included or not.
    TControl* ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls = false) const;
    bool ContainsControl(const TControl* Control) const;
    void GetChildren(std::vector<TComponent*>& Children, const TComponent* Root) const override;

    // The window is created when first needed and again after RecreateWnd.
    HWND Handle();
    bool HandleAllocated() const { return m_handle != 0; }
    void HandleNeeded() { Handle(); }
    void RecreateWnd();
    // The control that owns a window handle; null when there is no such window.
    static TWinControl* FindControl(HWND Wnd);

    // The window's pixels (client area). Valid while the handle exists.
    TBitmap* Surface() { return m_surface.get(); }
    TBrush* Brush() const { return m_brush.get(); }

    // The windowed controls below this one that Tab visits, in tab order, depth first.
    std::vector<TWinControl*> TabOrderList() const;
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool Value) { m_tabStop = Value; }
    // The place among the parent's windowed children that Tab visits them in; -1 without a
    // parent. Setting it moves the control there and the others up or down by one; a value
    // past the end puts it last. A value read from a form description is applied once its
    // siblings are all there.
    int TabOrder() const;
    void SetTabOrder(int Value);
    // Space inside the client area that aligned children keep free.
    TPadding* Padding() const { return m_padding.get(); }
    void SetPadding(const TPadding* Value) { m_padding->Assign(Value); }
    // Every window here already paints into a surface of its own before it is shown, so the
    // setting is kept (and written with the form) but changes nothing on this platform.
    bool DoubleBuffered() const { return m_doubleBuffered; }
    void SetDoubleBuffered(bool Value) { m_doubleBuffered = Value; }
    // A dock site takes a control dragged onto it with DragKind dkDock as its own child.
    bool DockSite() const { return m_dockSite; }
    void SetDockSite(bool Value) { m_dockSite = Value; }
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    void DragDrop(TObject* Source, int X, int Y) override;
    // A dock site is asked whether it takes a control dragged over it (Accept comes in true),
    // and told once it has; the site a control leaves may keep it.
    TDragOverEvent OnDockOver;
    TDragDropEvent OnDockDrop;
    TUnDockEvent OnUnDock;
    bool Focused() const;
    virtual bool CanFocus() const;
    virtual void SetFocus();
    // The control with the keyboard focus among this top-level window's controls, or null.
    TWinControl* FocusedControl() const;

    void Invalidate() override;
    // Only Rect of the client area has changed: the window is painted whole as ever, but only
    // that part is presented again. Invalidate() makes it the whole window again.
    void InvalidateRect(const TRect& Rect);
    void Repaint() override;
    // Paints this window now if it was invalidated, then its windowed children.
    void PaintInvalid();
    // Top-level windows: the outer rectangles of the windows painted since the last call, in
    // this window's coordinates, so a window host presents only what changed. Many small ones
    // are kept as one rectangle round them all.
    std::vector<TRect> TakePaintedRects();
    // Copies this window and its visible windowed children, clipped to their parents, onto Dest
    // with this window's client origin at (X, Y). Children outside Dest's clip are skipped.
    void PaintTo(TCanvas& Dest, int X, int Y);
    // Whether the window takes files dropped on it from the desktop (DragAcceptFiles).
    bool AcceptsDroppedFiles() const { return m_acceptsDroppedFiles; }
    void SetAcceptsDroppedFiles(bool Value) { m_acceptsDroppedFiles = Value; }
    // Files dropped on the window (WM_DROPFILES); At is in its client coordinates.
    TEvent<TObject*, const std::vector<std::string>&, TPoint> OnDropFiles;
    // A child shown in a desktop window of its own (a popup): its parent's picture leaves it out.
    virtual bool ShownApart() const { return false; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // The client area is the bounds less the border on every side.
    TRect ClientRect() const override;
    void ChangeScale(int M, int D) override;
    void WndProc(TMessage& Message) override;

    // The window's own scroll bars (SB_HORZ, SB_VERT), right of and below the client area while
    // the content does not fit, as thick as GetSystemMetrics says. A control that scrolls reports
    // its range through ScrollContent and follows the bars through ScrollContentTo; any other
    // window sets the values itself and handles WM_HSCROLL and WM_VSCROLL. Set answers the
    // position the bar keeps; an unknown bar is ignored (Get answers false).
    int SetScrollInfo(int Bar, const TScrollInfo& Info, bool Redraw = true);
    bool GetScrollInfo(int Bar, TScrollInfo& Info);
    int SetScrollPos(int Bar, int Pos, bool Redraw = true);
    int GetScrollPos(int Bar);
    bool ScrollBarShown(int Bar) const;
    // WS_HSCROLL and WS_VSCROLL while those bars are shown.
    std::uint32_t WindowStyle() const;
    // Asks ScrollContent again and shows or hides the bars to match; painting does it too.
    void UpdateScrollBars();
    // The bars' colours; a styled control sets its style's.
    TScrollBarColors ScrollBarColors() const;
    void SetScrollBarColors(const TScrollBarColors& Value);
    // A press on a bar is being followed (a thumb dragged, an arrow held).
    bool ScrollBarTracking() const;

    // Set by the form for one mouse press whose activation was refused: the press does not focus.
    void SetMouseNoActivate(bool Value) { m_mouseNoActivate = Value; }

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    // Creates the window: runs once when the handle is first needed (and after RecreateWnd).
    virtual void CreateWnd();
    virtual void DestroyWnd();
    // A paint erases the background with the brush, paints the window, then its graphic children.
    virtual void EraseBackground(TCanvas& Canvas);
    // Paints the border (ClientInset pixels wide) inside Bounds, in the parent's picture.
    virtual void PaintBorder(TCanvas& Canvas, TRect Bounds);
    // The border changed width: the client area and the window follow.
    void BorderChanged();
    virtual void PaintWindow(TCanvas& Canvas);
    void PaintControls(TCanvas& Canvas);
    // Where the control, while it has the focus, shows the focus frame (client coordinates):
    // the client area of a control that Tab stops at; empty where the control shows the focus
    // itself (a list on its focused item) or not at all.
    virtual TRect FocusFrameRect();
    virtual void KeyDown(std::uint16_t& Key, TShiftState Shift);
    virtual void KeyUp(std::uint16_t& Key, TShiftState Shift);
    virtual void KeyPress(char32_t& Key);
    virtual void DoEnter();
    // Files dropped on the window: OnDropFiles, if assigned.
    virtual void DoDropFiles(const std::vector<std::string>& Files, TPoint At);
    virtual void DoExit();
    // Lays out the aligned children in the client area.
    virtual void AlignControls(TRect& R);
    void Realign();
    bool IsWindowed() const override { return true; }
    // Forms have no parent window; every other windowed control needs one for its handle.
    virtual bool IsTopLevelWindow() const { return false; }
    void ColorChanged() override;
    void FontChanged() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

    void WMPaint(TMessage& Message);
    void WMKey(TMessage& Message);

    // A control that scrolls fills Info (range, page, position, in its own units) for the bar and
    // answers true; it is asked whenever it is painted or its bars are read.
    virtual bool ScrollContent(int /*Bar*/, TScrollInfo& /*Info*/) { return false; }
    // A bar of a control that reports its content moved to Pos (already within the range).
    virtual void ScrollContentTo(int /*Bar*/, int /*Pos*/) {}
    // How far one arrow click moves, in the control's units.
    virtual int ScrollLineSize(int /*Bar*/) const { return 1; }

private:
    // Control as a windowed control, or null: the class test without a walk up the class
    // chain, for the walks over every child that each paint makes.
    static TWinControl* Windowed(TControl* Control);
    void NotifyControls(std::uint32_t Msg);
    void PaddingChange(TObject* Sender);
    // Sorts the tab list by the tab orders read from a form description.
    void FixupTabList();
    void DestroyHandle();
    void ResizeSurface();
    // The window's own scroll bars, made when first used (WindowScrollBars.cpp).
    class TWindowScrollBars;
    struct TScrollBarsDeleter {
        void operator()(TWindowScrollBars* Bars) const;
    };
    TWindowScrollBars& Bars();
    // Handles the message when it is for the window's own bars.
    bool ScrollBarMessage(TMessage& Message);
    void PaintScrollBars(TCanvas& Dest, int X, int Y);
    void ScrollBarsShownChanged();
    void CancelScrollBarTracking();
    std::unique_ptr<TWindowScrollBars, TScrollBarsDeleter> m_scrollBars;

    std::vector<TControl*> m_controls;    // not owned by the list; freed with the window
    std::vector<TWinControl*> m_tabList;  // the windowed ones among them, in tab order
    int m_loadedTabOrder = -1;            // read from a description, not yet applied
    std::unique_ptr<TPadding, TFreeDeleter> m_padding;
    bool m_doubleBuffered = false;
    bool m_dockSite = false;
    bool m_mouseNoActivate = false;
    bool m_acceptsDroppedFiles = false;
    HWND m_handle = 0;
    std::unique_ptr<TBitmap, TFreeDeleter> m_surface;
    std::unique_ptr<TBrush, TFreeDeleter> m_brush;
    bool m_invalid = true;
    std::optional<TRect> m_invalidPart;  // when only this part of the client area changed
    bool m_tabStop = false;
    bool m_aligning = false;
    TWinControl* m_focused = nullptr;  // top-level windows only: who has the focus
    std::vector<TRect> m_painted;      // top-level windows only: painted since last taken
    friend class TControl;
};

// A windowed control that paints itself through a canvas on its surface.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    // The canvas on the control's surface; asking for it creates the window.
    TCanvas* Canvas();

protected:
    virtual void Paint() {}
    void PaintWindow(TCanvas& Canvas) override;
    void CreateWnd() override;
    void FontChanged() override;
};

}  // namespace framework
