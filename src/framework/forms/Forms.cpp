#include "framework/forms/Forms.h"

#include "framework/controls/DragDrop.h"
#include "framework/controls/Menus.h"
#include "framework/forms/Application.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>

namespace framework {

const TClassInfo& TCustomForm::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TCustomForm, TScrollingWinControl>("TCustomForm")
            .String<TCustomForm>("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption)
            .Integer<TCustomForm>("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
            .Integer<TCustomForm>("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
            .Integer<TCustomForm>("PixelsPerInch", &TCustomForm::PixelsPerInch,
                                  &TCustomForm::SetPixelsPerInch)
            .Bool<TCustomForm>("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled, true)
            .Object<TCustomForm, TWinControl>("ActiveControl", &TCustomForm::ActiveControl,
                                              &TCustomForm::SetActiveControl)
            .Event<TCustomForm>("OnCreate", &TCustomForm::OnCreate)
            .Event<TCustomForm>("OnDestroy", &TCustomForm::OnDestroy)
            .Event<TCustomForm>("OnShow", &TCustomForm::OnShow)
            .Event<TCustomForm>("OnHide", &TCustomForm::OnHide)
            .Event<TCustomForm>("OnActivate", &TCustomForm::OnActivate)
            .Event<TCustomForm>("OnDeactivate", &TCustomForm::OnDeactivate)
            .Event<TCustomForm>("OnClose", &TCustomForm::OnClose)
            .Event<TCustomForm>("OnCloseQuery", &TCustomForm::OnCloseQuery)
            .Event<TCustomForm>("OnPaint", &TCustomForm::OnPaint)
            .Message<TCustomForm>(CM_RELEASE, &TCustomForm::CMRelease)
            .Message<TCustomForm>(CM_SETMODALRESULT, &TCustomForm::CMSetModalResult)
            .Message<TCustomForm>(WM_CLOSE, &TCustomForm::WMClose)
            .Message<TCustomForm>(CM_ACTIVATE, &TCustomForm::CMActivate)
            .Message<TCustomForm>(CM_DEACTIVATE, &TCustomForm::CMDeactivate)
            .Message<TCustomForm>(WM_DPICHANGED, &TCustomForm::WMDpiChanged);
    return info;
}

const TClassInfo& TForm::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TForm, TCustomForm>("TForm");
    return info;
}

TCustomForm::TCustomForm(TComponent* AOwner) : TScrollingWinControl(AOwner) {
    SetVisible(false);
    SetBounds(0, 0, 320, 240);
    SetColor(clBtnFace);
    SetFont(Application->DefaultFont());
    SetParentFont(false);
    m_pixelsPerInch = Screen->PixelsPerInch();
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm() { Screen->RemoveForm(this); }

void TCustomForm::AfterConstruction() {
    TScrollingWinControl::AfterConstruction();
    DoCreate();
}

void TCustomForm::BeforeDestruction() {
    TScrollingWinControl::BeforeDestruction();
    Screen->RemoveForm(this);
    DoDestroy();
}

void TCustomForm::DoCreate() {
    if (OnCreate)
        OnCreate(this);
}

void TCustomForm::DoDestroy() {
    if (OnDestroy)
        OnDestroy(this);
}

void TCustomForm::DoShow() {
    if (OnShow)
        OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide)
        OnHide(this);
}

void TCustomForm::SetPixelsPerInch(int Value) {
    if (Value > 0)
        m_pixelsPerInch = Value;
}

TWinControl* TCustomForm::ActiveControl() const {
    if (TWinControl* focused = FocusedControl())
        return focused;
    return m_loadedActiveControl;
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
    ReferenceComponent(this, m_loadedActiveControl, static_cast<TWinControl*>(nullptr));
    if (!Control) {
        if (TWinControl* old = FocusedControl())
            old->Perform(WM_KILLFOCUS);
        return;
    }
    if (!ContainsControl(Control))
        throw EInvalidOperation("Cannot focus a control that is not on the form");
    // A description names the control that had the focus; it takes it when the form is shown.
    if (HasState(csLoading)) {
        ReferenceComponent(this, m_loadedActiveControl, Control);
        return;
    }
    Control->SetFocus();
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();
    // A form read while it is on the screen focuses the control its description names now.
    if (TWinControl* wanted = m_loadedActiveControl; wanted && Visible() && HandleAllocated()) {
        ReferenceComponent(this, m_loadedActiveControl, static_cast<TWinControl*>(nullptr));
        if (wanted->CanFocus())
            wanted->SetFocus();
    }
}

void TCustomForm::Show() {
    if (!Visible()) {
        SetVisible(true);
        DoShow();
    }
    HandleNeeded();
    if (TWinControl* wanted = m_loadedActiveControl) {
        ReferenceComponent(this, m_loadedActiveControl, static_cast<TWinControl*>(nullptr));
        if (!FocusedControl() && wanted->CanFocus())
            wanted->SetFocus();
    }
    if (!FocusedControl())
        if (std::vector<TWinControl*> tabs = TabOrderList(); !tabs.empty())
            tabs.front()->SetFocus();
    Activate();
}

void TCustomForm::Hide() {
    if (!Visible())
        return;
    Deactivate();
    SetVisible(false);
    DoHide();
}

void TCustomForm::Activate() {
    if (TCustomForm* current = Screen->ActiveForm(); current && current != this)
        current->Deactivate();
    Screen->SetActiveForm(this);
    if (!m_active)
        Perform(CM_ACTIVATE);
}

void TCustomForm::Deactivate() {
    if (m_active)
        Perform(CM_DEACTIVATE);
    if (Screen->ActiveForm() == this)
        Screen->SetActiveForm(nullptr);
}

void TCustomForm::CMActivate(TMessage&) {
    m_active = true;
    if (OnActivate)
        OnActivate(this);
}

// Moved to a monitor of another resolution, a scaled form scales its controls and fonts to it;
// forms that scale themselves turn Scaled off.
void TCustomForm::WMDpiChanged(TMessage& Message) {
    const int dpi = static_cast<int>(Message.WParam & 0xFFFF);
    if (!m_scaled || dpi <= 0 || dpi == m_pixelsPerInch)
        return;
    ChangeScale(dpi, m_pixelsPerInch);
}

void TCustomForm::CMDeactivate(TMessage&) {
    m_active = false;
    if (OnDeactivate)
        OnDeactivate(this);
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
    if (OnClose)
        OnClose(this, Action);
}

void TCustomForm::Close() {
    // A modal form closes by ending its loop, which asks the close handling then.
    if (m_modal) {
        m_modalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (Application->MainForm() == this && action != caNone) {
        Application->Terminate();
        Hide();
        return;
    }
    switch (action) {
    case caHide:
    case caMinimize:
        Hide();
        break;
    case caFree:
        Hide();
        Release();
        break;
    case caNone:
        break;
    }
}

void TCustomForm::Release() { PostMessage(Handle(), CM_RELEASE, 0, 0); }

void TCustomForm::CMSetModalResult(TMessage& Message) {
    m_modalResult = static_cast<TModalResult>(Message.WParam);
}

void TCustomForm::CloseModal() {
    TCloseAction action = caHide;
    if (!CloseQuery())
        action = caNone;
    else
        DoClose(action);
    switch (action) {
    case caNone:
        m_modalResult = mrNone;  // the loop goes on
        break;
    case caFree:
        Release();
        break;
    default:
        break;
    }
}

TModalResult TCustomForm::ShowModal() {
    if (m_modal || Visible() || !Enabled())
        throw EInvalidOperation("Cannot make a visible window modal");
    // The other forms refuse input while this one runs; they are found again by their handles,
    // as any of them may be freed meanwhile.
    std::vector<HWND> disabled;
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (TCustomForm* other = Screen->Forms(i); other != this && other->Enabled()) {
            disabled.push_back(other->Handle());
            other->SetEnabled(false);
        }
    const auto enableOthers = [&disabled] {
        for (HWND wnd : disabled)
            if (auto* other = As<TCustomForm>(FindControl(wnd)))
                other->SetEnabled(true);
    };
    TCustomForm* activeBefore = Screen->ActiveForm();
    const HWND activeWnd = activeBefore ? activeBefore->Handle() : 0;
    m_modal = true;
    m_modalResult = mrNone;
    const HWND self = Handle();
    const auto alive = [self] { return FindControl(self) != nullptr; };
    try {
        Show();
        while (alive()) {
            Application->HandleMessage();
            if (!alive())
                break;
            if (Application->Terminated() && m_modalResult == mrNone)
                m_modalResult = mrCancel;
            if (m_modalResult != mrNone) {
                CloseModal();
                if (!alive() || m_modalResult != mrNone)
                    break;
            }
        }
    } catch (...) {
        enableOthers();
        if (alive()) {
            m_modal = false;
            Hide();
        }
        throw;
    }
    enableOthers();
    if (!alive())
        return mrCancel;
    m_modal = false;
    Hide();
    if (auto* before = As<TCustomForm>(FindControl(activeWnd)); before && before->Visible())
        before->Activate();
    return m_modalResult;
}

// Nothing of the form is touched after Free: the message was posted, so no handler of this
// form is still running.
void TCustomForm::CMRelease(TMessage&) { Free(); }

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::PaintWindow(TCanvas&) {
    if (OnPaint)
        OnPaint(this);
}

std::unique_ptr<TBitmap, TFreeDeleter> TCustomForm::Snapshot() {
    std::unique_ptr<TBitmap, TFreeDeleter> picture(Create<TBitmap>());
    // The whole window: the client area and the form's own scroll bars beside it.
    picture->SetSize(Width(), Height());
    PaintTo(*picture->Canvas(), 0, 0);
    return picture;
}

namespace {
bool isButtonDown(std::uint32_t Msg) {
    return Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONDBLCLK || Msg == WM_RBUTTONDOWN ||
           Msg == WM_RBUTTONDBLCLK || Msg == WM_MBUTTONDOWN;
}
TMouseButton buttonOf(std::uint32_t Msg) {
    switch (Msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        return mbRight;
    case WM_MBUTTONDOWN:
        return mbMiddle;
    default:
        return mbLeft;
    }
}

bool isButtonUp(std::uint32_t Msg) {
    return Msg == WM_LBUTTONUP || Msg == WM_RBUTTONUP || Msg == WM_MBUTTONUP;
}
}  // namespace

void TCustomForm::SetMouseControl(TControl* Control) {
    if (Control == m_mouseControl)
        return;
    TControl* old = m_mouseControl;
    if (old)
        old->RemoveFreeNotification(this);
    m_mouseControl = Control;
    if (Control)
        Control->FreeNotification(this);
    if (old)
        old->Perform(CM_MOUSELEAVE);
    if (Control && m_mouseControl == Control)  // the leave handler may have freed it
        Control->Perform(CM_MOUSEENTER);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    TScrollingWinControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_mouseControl)
        m_mouseControl = nullptr;
    if (Operation == TOperation::opRemove && AComponent == m_loadedActiveControl)
        m_loadedActiveControl = nullptr;
}

void TCustomForm::SendMouseLeave() {
    SetMouseControl(nullptr);
    Application->HintMouseMessage(nullptr);
}

void TCustomForm::ShowDragCursor() {
    const bool dragging = CurrentDragObject() != nullptr;
    if (dragging && !m_dragCursorShown) {
        m_cursorBeforeDrag = Screen->Cursor();
        m_dragCursorShown = true;
    }
    if (dragging) {
        Screen->SetCursor(DragCursorNow());
    } else if (m_dragCursorShown) {
        Screen->SetCursor(m_cursorBeforeDrag);
        m_dragCursorShown = false;
    }
}

void TCustomForm::SendMouseInput(std::uint32_t Msg, int X, int Y, TShiftState Shift) {
    // A disabled form (the owner of a modal one) takes no input.
    if (!Enabled())
        return;
    HandleNeeded();
    const bool wheel = Msg == WM_MOUSEWHEEL;
    if (!wheel) {
        SetCursorPos(X, Y);
        SetMouseControl(ControlUnder(this, TPoint{X, Y}, true));
    }
    // A press or the wheel takes a tooltip away; a move may start one (after the control has
    // seen it, as it may change its hint with the part under the pointer).
    if (Msg != WM_MOUSEMOVE)
        Application->CancelHint();
    if (DragInProgress() && DragMouseInput(this, Msg, TPoint{X, Y})) {
        if (isButtonUp(Msg))
            m_buttonGrab = 0;  // the drag has released the capture
        ShowDragCursor();
        return;
    }
    TWinControl* target = this;
    TPoint p{X, Y};
    auto* captured = FindControl(GetCapture());
    // The form's own bars keep the mouse while a press on them lasts.
    if (captured && (captured != this || ScrollBarTracking()) && ContainsControl(captured) && !wheel) {
        target = captured;
        p = captured->ScreenToClient(p);
    } else {
        for (;;) {
            // A point on a window's own scroll bars or border is the window's, whatever lies
            // below them.
            if (target != this && !target->ClientRect().Contains(p))
                break;
            if (target == this && (target->ScrollBarShown(SB_VERT) || target->ScrollBarShown(SB_HORZ)) &&
                !target->ClientRect().Contains(p))
                break;
            auto* child = As<TWinControl>(target->ControlAtPos(p, false, true));
            if (!child)
                break;
            p = TPoint{p.X - child->Left() - child->ClientInset(), p.Y - child->Top() - child->ClientInset()};
            target = child;
        }
    }
    target->HandleNeeded();
    const HWND wnd = target->Handle();
    bool noActivate = false;
    if (isButtonDown(Msg) && !captured) {
        TPoint local;
        TControl* pressed = ControlUnder(this, TPoint{X, Y}, false, &local);
        const TMouseActivate answer =
            pressed->MouseActivate(buttonOf(Msg), Shift, local.X, local.Y, HTCLIENT);
        if (answer == maActivateAndEat || answer == maNoActivateAndEat)
            return;
        noActivate = answer == maNoActivate;
        if (!FindControl(wnd))
            return;  // the handler took the window away
    }
    // A press takes the capture for the control, as the classic controls do, unless a window
    // already holds it (the handler below may still take it itself).
    if (isButtonDown(Msg) && !captured && (target->ControlStyle() & csCaptureMouse)) {
        SetCapture(wnd);
        m_buttonGrab = wnd;
    }
    target->SetMouseNoActivate(noActivate);
    SendMessage(wnd, Msg, Shift, MakeLParam(p.X, p.Y));
    if (TWinControl* still = FindControl(wnd))
        still->SetMouseNoActivate(false);
    if (isButtonUp(Msg) && m_buttonGrab) {
        if (GetCapture() == m_buttonGrab)
            ReleaseCapture();
        m_buttonGrab = 0;
    }
    if (Msg == WM_MOUSEMOVE && !DragInProgress() && !GetCapture())
        Application->HintMouseMessage(m_mouseControl);
    ShowDragCursor();
}

TWinControl* TCustomForm::KeyCapture() const {
    TWinControl* grab = FindControl(GetCapture());
    return grab && ContainsControl(grab) && (grab->ControlStyle() & csCaptureKeys) ? grab : nullptr;
}

namespace {
// The first visible, enabled button below Parent for which Wanted says yes, depth first.
TCustomButton* findButton(TWinControl* Parent, bool (TCustomButton::*Wanted)() const) {
    for (int i = 0; i < Parent->ControlCount(); ++i) {
        TControl* child = Parent->Controls(i);
        if (!child->Visible() || !child->Enabled())
            continue;
        if (auto* button = As<TCustomButton>(child); button && (button->*Wanted)())
            return button;
        if (auto* win = As<TWinControl>(child))
            if (TCustomButton* found = findButton(win, Wanted))
                return found;
    }
    return nullptr;
}
}  // namespace

bool TCustomForm::DialogKey(std::uint16_t Key) {
    TWinControl* focused = FocusedControl();
    // A focused button takes Enter itself; a control that wants the key keeps it.
    if (focused &&
        ((Key == VK_RETURN && As<TCustomButton>(focused)) || focused->Perform(CM_WANTSPECIALKEY, Key) != 0))
        return false;
    TCustomButton* button =
        findButton(this, Key == VK_RETURN ? &TCustomButton::Default : &TCustomButton::Cancel);
    if (!button)
        return false;
    button->Click();
    return true;
}

void TCustomForm::SendKeyMessage(std::uint32_t Msg, std::uint16_t Key, TShiftState Shift) {
    if (!Enabled())
        return;
    if (Msg == WM_KEYDOWN)
        Application->CancelHint();
    if (Key == VK_ESCAPE && DragInProgress()) {
        if (Msg == WM_KEYDOWN) {
            CancelDrag();
            ShowDragCursor();
        }
        return;
    }
    if (TWinControl* grab = KeyCapture()) {
        SendMessage(grab->Handle(), Msg, Key, static_cast<std::int32_t>(Shift));
        return;
    }
    if (Msg == WM_KEYDOWN && (Key == VK_RETURN || Key == VK_ESCAPE) && !(Shift & (ssCtrl | ssAlt)) &&
        DialogKey(Key))
        return;
    TWinControl* target = FocusedControl() ? FocusedControl() : this;
    if (Key == VK_TAB && !(Shift & (ssCtrl | ssAlt))) {
        if (Msg == WM_KEYDOWN)
            SelectNext(FocusedControl(), !(Shift & ssShift));
        return;
    }
    // Ctrl+Tab is offered to the focused control and its parents, the nearest first.
    if (Key == VK_TAB && (Shift & ssCtrl) && !(Shift & ssAlt) && Msg == WM_KEYDOWN)
        for (TWinControl* c = target; c; c = c->Parent())
            if (c->Perform(CM_DIALOGKEY, Key, static_cast<std::int32_t>(Shift)) != 0)
                return;
    // The shortcuts of the popup menus of the focused control and its parents come first.
    if (Msg == WM_KEYDOWN)
        for (TControl* c = target; c; c = c->Parent())
            if (TPopupMenu* menu = c->PopupMenu(); menu && menu->IsShortCut(Key, Shift))
                return;
    SendMessage(target->Handle(), Msg, Key, static_cast<std::int32_t>(Shift));
}

void TCustomForm::SendKeyInput(std::uint16_t Key, TShiftState Shift) {
    // The key-up goes to whoever has the focus then; nothing if the window went.
    SendKeyMessage(WM_KEYDOWN, Key, Shift);
    SendKeyMessage(WM_KEYUP, Key, Shift);
}

void TCustomForm::SelectNext(TWinControl* Current, bool GoForward) {
    const std::vector<TWinControl*> tabs = TabOrderList();
    if (tabs.empty())
        return;
    const auto count = static_cast<std::ptrdiff_t>(tabs.size());
    const auto at = std::find(tabs.begin(), tabs.end(), Current) - tabs.begin();
    std::ptrdiff_t next;
    if (at == count)
        next = GoForward ? 0 : count - 1;
    else
        next = (at + (GoForward ? 1 : count - 1)) % count;
    tabs[static_cast<std::size_t>(next)]->SetFocus();
}

namespace {
// Offers an accelerator to every control below parent, depth first; true when one took it.
bool offerDialogChar(TWinControl* parent, char32_t c) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* child = parent->Controls(i);
        if (!child->Visible())
            continue;
        if (child->Perform(CM_DIALOGCHAR, static_cast<std::uint32_t>(c)) != 0)
            return true;
        if (auto* win = As<TWinControl>(child); win && offerDialogChar(win, c))
            return true;
    }
    return false;
}
}  // namespace

void TCustomForm::SendCharInput(char32_t Char, TShiftState Shift) {
    if (!Enabled())
        return;
    TWinControl* target = KeyCapture();
    if (!target && (Shift & ssAlt) && offerDialogChar(this, Char))
        return;
    if (!target)
        target = FocusedControl() ? FocusedControl() : this;
    SendMessage(target->Handle(), WM_CHAR, static_cast<std::uint32_t>(Char),
                static_cast<std::int32_t>(Shift));
}

void TCustomForm::ChangeScale(int M, int D) {
    if (M == D || D == 0)
        return;
    const int left = Left(), top = Top();
    TScrollingWinControl::ChangeScale(M, D);
    if (ParentFont()) {
        // A form has no parent whose font it could follow: its own font scales too.
        Font()->SetHeight(MulDiv(Font()->Height(), M, D));
        SetParentFont(true);
    }
    SetBounds(left, top, Width(), Height());  // a form keeps its place on the screen
    m_pixelsPerInch = MulDiv(m_pixelsPerInch, M, D);
}

TCustomForm* GetParentForm(const TControl* Control) {
    const TControl* c = Control;
    while (c && c->Parent())
        c = c->Parent();
    return As<TCustomForm>(const_cast<TControl*>(c));
}

}  // namespace framework

namespace framework {

void TCustomForm::DescribeAccessible(TAccessible& A) const {
    TWinControl::DescribeAccessible(A);
    // A form shown modally is a dialog to a reader, one the rest of the program waits for.
    A.Role = m_modal ? TAccessibleRole::Dialog : TAccessibleRole::Frame;
    if (m_modal)
        A.States |= asModal;
    A.States &= ~asFocusable;
}

}  // namespace framework
