#pragma once
// The types of a control's properties, styles and events (mouse and keys, alignment, cursors,
// anchors, dragging, activation), and the persistent parts it publishes as sub-properties: its
// size limits, the padding inside its client area and its touch settings.

#include "framework/classes/Events.h"
#include "framework/classes/Object.h"

#include <cstdint>

namespace framework {

class TObject;
class TDragObject;
class TControl;
class TWinControl;

// The sides of its parent a control keeps its distance to when the parent is resized.
using TAnchors = std::uint32_t;
enum : std::uint32_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

enum TDragMode { dmManual, dmAutomatic };
// A drag that docks moves the control itself onto a dock site; a plain one only tells targets.
enum TDragKind { dkDrag, dkDock };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
// What a mouse press on an inactive control does: the default asks the parent.
enum TMouseActivate { maDefault, maActivate, maActivateAndEat, maNoActivate, maNoActivateAndEat };

// Source is the drag object that OnStartDrag made, or the dragged control.
using TDragOverEvent = TEvent<TObject*, TObject*, int, int, TDragState, bool&>;
using TDragDropEvent = TEvent<TObject*, TObject*, int, int>;
using TStartDragEvent = TEvent<TObject*, TDragObject*&>;
// Target is null when the drag was cancelled or dropped where nothing accepted it.
using TEndDragEvent = TEvent<TObject*, TObject*, int, int>;
// The dock site a control leaves (Sender), the control, the site it goes to, and whether it may.
using TUnDockEvent = TEvent<TObject*, TControl*, TWinControl*, bool&>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
using TShiftState = std::uint32_t;
enum : std::uint32_t {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64
};
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// How a control behaves, as a bit set.
using TControlStyle = std::uint32_t;
enum : std::uint32_t {
    csAcceptsControls = 1u << 0,
    csCaptureMouse = 1u << 1,
    csClickEvents = 1u << 2,  // a button released over the control is a click
    csOpaque = 1u << 3,       // paints its whole area; the background need not be erased
    csDoubleClicks = 1u << 4,
    csParentBackground = 1u << 5,  // shows its parent's picture behind it, repainted with the parent
    csCaptureKeys = 1u << 6,       // while it holds the mouse capture it has the keys too (a menu)
};

// Cursor shapes: the standard ones are negative; a window host shows them as the desktop's.
enum : int {
    crDefault = 0,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crSizeNWSE = -6,
    crSizeNS = -7,
    crSizeNESW = -8,
    crSizeWE = -9,
    crHourGlass = -11,
    crDrag = -12,
    crNo = -18,
    crHandPoint = -21
};
using TCursor = int;

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;
using TKeyEvent = TEvent<TObject*, std::uint16_t&, TShiftState>;
using TKeyPressEvent = TEvent<TObject*, char32_t&>;
// Sender, button, shift, X, Y, hit-test code, and the answer (maDefault as it comes in).
using TMouseActivateEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int, int, TMouseActivate&>;

// Limits for a control's size; 0 is no limit. As in the classic framework, a minimum set above
// the maximum raises the maximum with it, and a maximum set below the minimum lowers the minimum.
class TSizeConstraints : public TPersistent {
public:
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    int MinWidth() const { return m_minWidth; }
    int MinHeight() const { return m_minHeight; }
    int MaxWidth() const { return m_maxWidth; }
    int MaxHeight() const { return m_maxHeight; }
    void SetMinWidth(int Value) { SetLimits(Value, m_minWidth, m_maxWidth, true); }
    void SetMinHeight(int Value) { SetLimits(Value, m_minHeight, m_maxHeight, true); }
    void SetMaxWidth(int Value) { SetLimits(Value, m_minWidth, m_maxWidth, false); }
    void SetMaxHeight(int Value) { SetLimits(Value, m_minHeight, m_maxHeight, false); }
    // The width and height these limits allow.
    int ConstrainWidth(int Width) const { return Constrain(Width, m_minWidth, m_maxWidth); }
    int ConstrainHeight(int Height) const { return Constrain(Height, m_minHeight, m_maxHeight); }

    void Assign(const TPersistent* Source) override;
    TNotifyEvent OnChange;

private:
    static int Constrain(int Value, int Min, int Max);
    void SetLimits(int Value, int& Min, int& Max, bool SettingMin);

    int m_minWidth = 0;
    int m_minHeight = 0;
    int m_maxWidth = 0;
    int m_maxHeight = 0;
};

// Space kept free inside a control's client area when its children are aligned.
class TPadding : public TPersistent {
public:
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Right() const { return m_right; }
    int Bottom() const { return m_bottom; }
    void SetLeft(int Value) { Change(m_left, Value); }
    void SetTop(int Value) { Change(m_top, Value); }
    void SetRight(int Value) { Change(m_right, Value); }
    void SetBottom(int Value) { Change(m_bottom, Value); }

    void Assign(const TPersistent* Source) override;
    TNotifyEvent OnChange;

private:
    void Change(int& Field, int Value);

    int m_left = 0;
    int m_top = 0;
    int m_right = 0;
    int m_bottom = 0;
};

// Which touch gestures a control handles itself, as bit sets of the classic elements.
using TInteractiveGestures = std::uint32_t;
enum : std::uint32_t { igZoom = 1, igPan = 2, igRotate = 4, igTwoFingerTap = 8, igPressAndTap = 16 };
using TInteractiveGestureOptions = std::uint32_t;
enum : std::uint32_t {
    igoPanSingleFingerHorizontal = 1,
    igoPanSingleFingerVertical = 2,
    igoPanInertia = 4,
    igoPanGutter = 8,
    igoParentPassthrough = 16
};

// A control's touch settings. The window host delivers no touch input, so they are kept and
// written with the form for the platforms that do.
class TTouchManager : public TPersistent {
public:
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    static constexpr TInteractiveGestures kDefaultGestures = igPan | igPressAndTap;
    static constexpr TInteractiveGestureOptions kDefaultOptions = igoPanSingleFingerHorizontal |
                                                                  igoPanSingleFingerVertical | igoPanInertia |
                                                                  igoPanGutter | igoParentPassthrough;

    TInteractiveGestures InteractiveGestures() const { return m_gestures; }
    void SetInteractiveGestures(TInteractiveGestures Value) { m_gestures = Value & 31; }
    TInteractiveGestureOptions InteractiveGestureOptions() const { return m_options; }
    void SetInteractiveGestureOptions(TInteractiveGestureOptions Value) { m_options = Value & 31; }

    void Assign(const TPersistent* Source) override;

private:
    TInteractiveGestures m_gestures = kDefaultGestures;
    TInteractiveGestureOptions m_options = kDefaultOptions;
};

}  // namespace framework
