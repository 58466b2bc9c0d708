#pragma once
// TControl: a visible component with bounds inside a parent window, its own font and colour
// (or its parent's), mouse events and message handling. TGraphicControl paints on its
// parent's surface; windowed controls (WinControl.h) have surfaces of their own.

#include "framework/classes/Component.h"
#include "framework/classes/Events.h"
#include "framework/controls/Accessible.h"
#include "framework/controls/ControlParts.h"
#include "framework/controls/Messages.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/rtl/Types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace framework {

class TWinControl;
class TPopupMenu;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    // Bounds, in the parent's client coordinates.
    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetLeft(int Value) { SetBounds(Value, m_top, m_width, m_height); }
    void SetTop(int Value) { SetBounds(m_left, Value, m_width, m_height); }
    void SetWidth(int Value) { SetBounds(m_left, m_top, Value, m_height); }
    void SetHeight(int Value) { SetBounds(m_left, m_top, m_width, Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(m_left, m_top, m_width, m_height); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
    virtual TRect ClientRect() const { return Rect(0, 0, m_width, m_height); }
    // The width of the border around the client area (a windowed control's frame).
    virtual int ClientInset() const { return 0; }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int Value);
    void SetClientHeight(int Value);
    // The client origin in the coordinates of the top-level window (this platform's "screen").
    TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint P) const;
    TPoint ScreenToClient(TPoint P) const;
    TAlign Align() const { return m_align; }
    void SetAlign(TAlign Value);
    // When the parent's client area is resized, an anchored side keeps its distance to the same
    // side of the parent; anchored on both sides, the control stretches; on neither, its centre
    // keeps its place in proportion. Aligned controls follow their alignment instead.
    TAnchors Anchors() const { return m_anchors; }
    void SetAnchors(TAnchors Value);
    // The size limits SetBounds keeps to.
    TSizeConstraints* Constraints() const { return m_constraints.get(); }
    void SetConstraints(const TSizeConstraints* Value) { m_constraints->Assign(Value); }

    // The pointer's shape over this control, unless Screen's cursor overrides it.
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor Value) { m_cursor = Value; }

    // The menu a right click pops up (a control without one offers the click to its parent).
    TPopupMenu* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    TTouchManager* Touch() const { return m_touch.get(); }
    void SetTouch(const TTouchManager* Value) { m_touch->Assign(Value); }

    // Dragging: an automatic control starts a drag when the left button goes down on it; any
    // control can start one with BeginDrag. The form's mouse input then moves it, and the
    // release drops it on the control under the pointer if that one accepts it.
    TDragMode DragMode() const { return m_dragMode; }
    void SetDragMode(TDragMode Value) { m_dragMode = Value; }
    TDragKind DragKind() const { return m_dragKind; }
    void SetDragKind(TDragKind Value) { m_dragKind = Value; }
    TCursor DragCursor() const { return m_dragCursor; }
    void SetDragCursor(TCursor Value) { m_dragCursor = Value; }
    // Immediate starts the drag now; otherwise once the pointer has moved Threshold pixels
    // (a negative Threshold means the standard 5).
    void BeginDrag(bool Immediate, int Threshold = -1);
    // Drops (Drop) or cancels the drag of this control.
    void EndDrag(bool Drop);
    bool Dragging() const;

    // The drag protocol, called by the drag manager: targets are asked and told, the dragged
    // control starts and ends. Accept comes in false, or true when OnDragOver is assigned.
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    virtual void DragDrop(TObject* Source, int X, int Y);
    virtual void DoStartDrag(TDragObject*& DragObject);
    virtual void DoEndDrag(TObject* Target, int X, int Y);
    // A mouse press is about to activate this control: OnMouseActivate answers, and maDefault
    // asks the parent.
    virtual TMouseActivate MouseActivate(TMouseButton Button, TShiftState Shift, int X, int Y, int HitTest);

    TControlStyle ControlStyle() const { return m_controlStyle; }
    void SetControlStyle(TControlStyle Value) { m_controlStyle = Value; }

    TWinControl* Parent() const { return m_parent; }
    virtual void SetParent(TWinControl* AParent);
    bool HasParent() const { return m_parent != nullptr; }
    TComponent* GetParentComponent() const override;
    // A control is placed on a windowed control; anything else raises EComponentError.
    void SetParentComponent(TComponent* Value) override;

    bool Visible() const { return m_visible; }
    void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible here and in every parent.
    bool Showing() const;
    bool Enabled() const { return m_enabled; }
    virtual void SetEnabled(bool Value);

    TColor Color() const { return m_color; }
    void SetColor(TColor Value);
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool Value);
    TFont* Font() const { return m_font.get(); }
    void SetFont(const TFont* Value) { m_font->Assign(Value); }
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool Value);

    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& Value) { SetText(Value); }
    std::string Text() const { return GetText(); }
    // The text without a copy where the control keeps it as one string, else made in Buffer;
    // valid until the text or Buffer changes. Saving thousands of controls copies no texts.
    virtual std::string_view TextView(std::string& /*Buffer*/) const { return m_text; }
    void SetText(std::string_view Value);
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& Value) { m_hint = Value; }
    // Whether the hint shows as a tooltip; while ParentShowHint is set, the parent's setting
    // counts, and setting ShowHint clears ParentShowHint.
    bool ShowHint() const;
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return m_parentShowHint; }
    void SetParentShowHint(bool Value) { m_parentShowHint = Value; }

    // Painting: Invalidate marks for the next paint; Repaint paints now.
    virtual void Invalidate();
    virtual void Repaint();
    void Update();

    // Messages: Perform delivers through WndProc, which dispatches by number.
    std::intptr_t Perform(std::uint32_t Msg, std::uint32_t WParam = 0, std::int32_t LParam = 0);
    virtual void WndProc(TMessage& Message);

    // Multiplies bounds and font size by M/D, as when a form moves to another resolution.
    virtual void ChangeScale(int M, int D);
    void ScaleBy(int M, int D) { ChangeScale(M, D); }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseActivateEvent OnMouseActivate;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TStartDragEvent OnStartDrag;
    TEndDragEvent OnEndDrag;
    // A drag that docks (DragKind dkDock) starts and ends through these instead.
    TStartDragEvent OnStartDock;
    TEndDragEvent OnEndDock;

    virtual void Click();
    virtual void DblClick();

    // What a screen reader is told (Accessible.h). Overrides call the base, which gives the
    // name, description, states and bounds, and set their role and what they add.
    virtual void DescribeAccessible(TAccessible& A) const;
    // Items the control draws itself (rows, tabs), described as controls are.
    virtual int AccessibleItemCount() const { return 0; }
    virtual void DescribeAccessibleItem(int Index, TAccessible& A) const;
    // The item the keyboard is on, -1 for none.
    virtual int AccessibleFocusedItem() const { return -1; }
    // The text the user edits here, with caret and selection; false where there is none.
    virtual bool AccessibleText(TAccessibleText& /*Text*/) const { return false; }
    // Runs an action its description names, on the control (AItem -1) or an item; false when
    // it offers no such action.
    virtual bool DoAccessibleAction(int AItem, const std::string& Action);

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Takes the current bounds and parent size as the base that anchoring works from.
    void UpdateAnchorRules();
    // Places the control for its parent's new client size, from the anchoring base.
    void AnchorTo(int ParentWidth, int ParentHeight);
    // A descendant that keeps its text elsewhere overrides both, and TextView.
    virtual std::string GetText() const { return m_text; }
    virtual bool TextEquals(std::string_view Value) const { return m_text == Value; }
    virtual void TextChanged() {}
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void Resize();
    virtual void FontChanged();
    virtual void ColorChanged();
    // Where this control is painted and how mouse input reaches it: windowed controls override.
    virtual bool IsWindowed() const { return false; }

    void CMParentFontChanged(TMessage& Message);
    void CMParentColorChanged(TMessage& Message);
    void WMMouse(TMessage& Message);
    void WMContextMenu(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

    std::string m_text;

private:
    void FontChange(TObject* Sender);
    void ConstraintsChange(TObject* Sender);
    friend class TWinControl;

    TControlStyle m_controlStyle = csCaptureMouse | csClickEvents | csDoubleClicks;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    TAlign m_align = alNone;
    TAnchors m_anchors = akLeft | akTop;
    TRect m_anchorBase;         // the bounds anchoring starts from
    TPoint m_anchorParentSize;  // the parent's client size when they were taken
    bool m_anchorMove = false;  // set while anchoring moves the control
    std::unique_ptr<TSizeConstraints, TFreeDeleter> m_constraints;
    std::unique_ptr<TTouchManager, TFreeDeleter> m_touch;
    TPopupMenu* m_popupMenu = nullptr;  // not owned; cleared when it goes
    TDragMode m_dragMode = dmManual;
    TDragKind m_dragKind = dkDrag;
    TCursor m_dragCursor = crDrag;
    TCursor m_cursor = crDefault;
    TWinControl* m_parent = nullptr;  // not owned
    bool m_visible = true;
    bool m_enabled = true;
    TColor m_color = clWindow;
    bool m_parentColor = false;
    std::unique_ptr<TFont, TFreeDeleter> m_font;
    bool m_parentFont = true;
    bool m_fontFromParent = false;  // set while the parent's font is being copied in
    std::string m_hint;
    bool m_showHint = false;
    bool m_parentShowHint = true;
};

// A control without a window of its own: it paints on its parent's surface.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    // The canvas this control paints on: the parent's surface, shifted and clipped to the
    // control while it paints; a measuring canvas with the control's font otherwise.
    TCanvas* Canvas();
    // Called by the parent while it paints, with the canvas set up for this control.
    void PaintOn(TCanvas& ParentCanvas);

protected:
    virtual void Paint() {}
    void FontChanged() override;

private:
    TBitmap m_measure{1, 1};  // lets the canvas measure text before any painting
    TCanvas* m_paintCanvas = nullptr;
};

}  // namespace framework
