#include "framework/controls/DragDrop.h"

#include "framework/controls/WinControl.h"

#include <cstdlib>
#include <memory>

namespace framework {

const TClassInfo& TDragObject::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TDragObject, TObject>("TDragObject");
    return info;
}

TCursor TDragObject::GetDragCursor(bool Accepted, int, int) const {
    return Accepted && m_control ? m_control->DragCursor() : crNo;
}

// The one drag in progress. A component, so that a control freed during the drag (the source
// or the target) is forgotten rather than left dangling.
class TDragManager : public TComponent {
public:
    TDragManager() : TComponent(nullptr) {}

    static TDragManager& Instance() {
        static TDragManager manager;
        return manager;
    }

    bool Active() const { return m_source != nullptr; }
    TControl* Source() const { return m_source; }
    TDragObject* Object() const { return m_started ? m_object : nullptr; }
    TCursor Cursor() const {
        return m_started && m_object ? m_object->GetDragCursor(m_accepted, 0, 0) : crDefault;
    }

    void Begin(TControl* Source, bool Immediate, int Threshold) {
        if (m_source)
            return;
        TWinControl* root = Source->Parent();
        while (root && root->Parent())
            root = root->Parent();
        if (!root || !root->HandleAllocated())
            return;  // a control on no window has nowhere to be dragged
        m_root = root;
        m_source = Source;
        m_source->FreeNotification(this);
        m_threshold = Threshold < 0 ? 5 : Threshold;
        GetCursorPos(m_start);
        SetCapture(root->Handle());
        if (Immediate)
            Start();
    }

    bool Mouse(TWinControl* Root, std::uint32_t Msg, TPoint P) {
        if (Root != m_root)
            return false;
        switch (Msg) {
        case WM_MOUSEMOVE:
            Move(P);
            return true;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            return Release(P);
        default:
            return true;
        }
    }

    // Drops the drag at P; false when it had not started (the release is then an ordinary one).
    bool Release(TPoint P) {
        if (!m_started) {
            Finish(nullptr, P, false);
            return false;
        }
        Move(P);
        if (m_source)
            Finish(m_accepted ? m_target : nullptr, P, m_accepted);
        return true;
    }

    void Cancel() {
        if (!m_source)
            return;
        if (m_started && m_target)
            Ask(m_target, m_object->m_dragPos, dsDragLeave);
        Finish(nullptr, m_object ? m_object->m_dragPos : m_start, false);
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation != TOperation::opRemove)
            return;
        if (AComponent == m_target)
            m_target = nullptr;
        if (AComponent == m_source) {
            // The dragged control went: the drag ends with it, telling nobody.
            m_source = nullptr;
            if (m_target)
                m_target->RemoveFreeNotification(this);
            Reset();
        }
    }

private:
    // The source as targets see it: a drag object of OnStartDrag's own, or the control.
    TObject* SourceArg() const {
        return m_object == m_own.get() ? static_cast<TObject*>(m_source) : m_object;
    }

    void Start() {
        m_started = true;
        TDragObject* object = nullptr;
        m_source->DoStartDrag(object);
        if (!m_source)
            return;  // the handler freed the control
        if (!object) {
            m_own = std::make_unique<TDragObject>();
            object = m_own.get();
        }
        m_object = object;
        m_object->m_control = m_source;
        m_object->m_dragPos = m_start;
        const TPoint origin = m_source->ClientToScreen(TPoint{0, 0});
        m_object->m_grabOffset = TPoint{m_start.X - origin.X, m_start.Y - origin.Y};
    }

    bool Ask(TControl* Target, TPoint P, TDragState State) {
        const TPoint local = Target->ScreenToClient(P);
        bool accept = false;
        Target->DragOver(SourceArg(), local.X, local.Y, State, accept);
        return accept;
    }

    void Move(TPoint P) {
        if (!m_started) {
            if (std::abs(P.X - m_start.X) <= m_threshold && std::abs(P.Y - m_start.Y) <= m_threshold)
                return;
            Start();
            if (!m_source)
                return;
        }
        m_object->m_dragPos = P;
        TControl* target = ControlUnder(m_root, P, false);
        if (target != m_target) {
            if (TControl* old = m_target) {
                Ask(old, P, dsDragLeave);
                if (!m_source)
                    return;  // the handler freed the dragged control: the drag is over
                if (m_target == old)
                    old->RemoveFreeNotification(this);
            }
            m_target = target;
            if (m_target)
                m_target->FreeNotification(this);
            m_accepted = m_target && Ask(m_target, P, dsDragEnter);
        } else {
            m_accepted = m_target && Ask(m_target, P, dsDragMove);
        }
        if (m_object)
            m_object->m_dragTarget = m_target;
    }

    void Finish(TControl* Target, TPoint P, bool Drop) {
        if (m_root->HandleAllocated() && GetCapture() == m_root->Handle())
            ReleaseCapture();
        TControl* source = m_source;
        const bool started = m_started;
        TObject* sourceArg = started ? SourceArg() : nullptr;
        TPoint local{0, 0};
        if (Target) {
            local = Target->ScreenToClient(P);
            m_object->m_dropped = Drop;
            Target->DragDrop(sourceArg, local.X, local.Y);
        }
        if (m_source && started)  // the drop handler may have freed the source
            source->DoEndDrag(Target, local.X, local.Y);
        if (m_source)
            m_source->RemoveFreeNotification(this);
        if (m_target)
            m_target->RemoveFreeNotification(this);
        Reset();
    }

    void Reset() {
        m_source = nullptr;
        m_target = nullptr;
        m_root = nullptr;
        m_object = nullptr;
        m_own.reset();
        m_started = false;
        m_accepted = false;
    }

    TWinControl* m_root = nullptr;  // the source's top-level window
    TControl* m_source = nullptr;
    TControl* m_target = nullptr;
    TDragObject* m_object = nullptr;  // m_own, or OnStartDrag's
    std::unique_ptr<TDragObject> m_own;
    TPoint m_start;
    int m_threshold = 5;
    bool m_started = false;
    bool m_accepted = false;
};

bool DragInProgress() { return TDragManager::Instance().Active(); }
TDragObject* CurrentDragObject() { return TDragManager::Instance().Object(); }
bool DragMouseInput(TWinControl* Root, std::uint32_t Msg, TPoint P) {
    return TDragManager::Instance().Mouse(Root, Msg, P);
}
TCursor DragCursorNow() { return TDragManager::Instance().Cursor(); }
void CancelDrag() { TDragManager::Instance().Cancel(); }

TControl* ControlUnder(TWinControl* Root, TPoint P, bool AllowDisabled, TPoint* Local) {
    TControl* found = Root;
    for (auto* win = Root; win;) {
        TControl* child = win->ControlAtPos(P, AllowDisabled, true);
        if (!child)
            break;
        const int inset = child->ClientInset();
        P = TPoint{P.X - child->Left() - inset, P.Y - child->Top() - inset};
        found = child;
        win = As<TWinControl>(child);
    }
    if (Local)
        *Local = P;
    return found;
}

// --- the control's side ------------------------------------------------------------------------

void TControl::BeginDrag(bool Immediate, int Threshold) {
    TDragManager::Instance().Begin(this, Immediate, Threshold);
}

void TControl::EndDrag(bool Drop) {
    if (TDragManager::Instance().Source() != this)
        return;
    TPoint p;
    GetCursorPos(p);
    if (!Drop || !TDragManager::Instance().Release(p))
        TDragManager::Instance().Cancel();
}

bool TControl::Dragging() const {
    const TDragObject* object = CurrentDragObject();
    return object && object->Control() == this;
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    Accept = false;
    if (OnDragOver) {
        Accept = true;
        OnDragOver(this, Source, X, Y, State, Accept);
    }
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
    if (OnDragDrop)
        OnDragDrop(this, Source, X, Y);
}

void TControl::DoStartDrag(TDragObject*& DragObject) {
    const TStartDragEvent& started = m_dragKind == dkDock ? OnStartDock : OnStartDrag;
    if (started)
        started(this, DragObject);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y) {
    const TEndDragEvent& ended = m_dragKind == dkDock ? OnEndDock : OnEndDrag;
    if (ended)
        ended(this, Target, X, Y);
}

}  // namespace framework
