#pragma once
// The drag manager: one drag at a time, of a control, over the controls of its top-level
// window. TControl::BeginDrag starts it; the form hands its mouse input here while a drag holds
// the mouse; targets are asked through DragOver and given the drop through DragDrop.

#include "framework/controls/Control.h"

namespace framework {

// What is dragged. OnStartDrag may hand out an object of its own (which it keeps and frees);
// otherwise the manager makes one for the control and targets see the control as the source.
class TDragObject : public TObject {
public:
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    TControl* Control() const { return m_control; }
    // The pointer in top-level window coordinates, and where it grabbed the control.
    TPoint DragPos() const { return m_dragPos; }
    TPoint GrabOffset() const { return m_grabOffset; }
    TControl* DragTarget() const { return m_dragTarget; }
    bool Dropped() const { return m_dropped; }
    // The pointer's shape: the control's drag cursor over a target that accepts, crNo elsewhere.
    virtual TCursor GetDragCursor(bool Accepted, int X, int Y) const;

private:
    friend class TDragManager;
    TControl* m_control = nullptr;
    TPoint m_dragPos;
    TPoint m_grabOffset;
    TControl* m_dragTarget = nullptr;
    bool m_dropped = false;
};

// Whether a drag holds the mouse (started, or waiting for its threshold).
bool DragInProgress();
// The object of the drag that has started; null otherwise.
TDragObject* CurrentDragObject();
// Mouse input of the top-level window Root (P in its client coordinates) while a drag holds the
// mouse; false when the drag let the message pass (a release before the drag started).
bool DragMouseInput(TWinControl* Root, std::uint32_t Msg, TPoint P);
// The pointer's shape the drag asks for; crDefault when no drag has started.
TCursor DragCursorNow();
// Cancels the drag in progress (Escape): the target is left, OnEndDrag gets no target.
void CancelDrag();
// The deepest visible control under P (in Root's client coordinates), and P in its own
// client coordinates; null outside every control but Root, which is answered itself.
TControl* ControlUnder(TWinControl* Root, TPoint P, bool AllowDisabled, TPoint* Local = nullptr);

}  // namespace framework
