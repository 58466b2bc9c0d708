#pragma once
// TForm: a top-level window. It has no parent window; it paints itself and its children into
// its own surface and can hand out a picture of the whole (Snapshot). Input reaches it through
// SendMouseInput and SendKeyInput, from a window host or from a test.

#include "framework/controls/Button.h"
#include "framework/controls/ScrollBars.h"
#include "framework/forms/Monitors.h"

#include <memory>
#include <optional>
#include <utility>

namespace framework {

enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;

// The message a form posts to itself to be freed once the handler that asked has returned.
inline constexpr std::uint32_t CM_RELEASE = CM_BASE + 33;

class TCustomForm : public TScrollingWinControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(TAccessible& A) const override;

    // OnCreate runs here, after every constructor; OnDestroy before any destructor.
    void AfterConstruction() override;
    void BeforeDestruction() override;

    // The pixels per inch the form was designed for; scaling from there follows the screen.
    int PixelsPerInch() const { return m_pixelsPerInch; }
    void SetPixelsPerInch(int Value);
    bool Scaled() const { return m_scaled; }
    void SetScaled(bool Value) { m_scaled = Value; }

    // The focused control; before the form is first shown, the control that will take the
    // focus then (as a form description names it).
    TWinControl* ActiveControl() const;
    void SetActiveControl(TWinControl* Control);
    bool Active() const { return m_active; }

    // Shows the form (OnShow), creates its window and activates it (OnActivate).
    void Show();
    void Hide();
    // Asks OnCloseQuery, then OnClose decides: hide (the default), free later, or nothing.
    void Close();
    // Frees the form once the messages queued before this have been handled.
    void Release();
    // Shows the form and waits, in a loop of its own, until it is given a ModalResult (by a
    // button's ModalResult, by Close, or by the program) that its close handling accepts; the
    // other forms take no input meanwhile. Answers the result; mrCancel when the form was
    // freed while it ran. The waiting is Application->HandleMessage's, so it needs a window
    // host, or messages already queued that answer it (else EInvalidOperation).
    TModalResult ShowModal();
    TModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(TModalResult Value) { m_modalResult = Value; }
    // Whether ShowModal is running for the form.
    bool Modal() const { return m_modal; }
    // Sent when the form becomes or stops being the active one.
    void Activate();
    void Deactivate();

    // Everything the form shows, painted as of now.
    std::unique_ptr<TBitmap, TFreeDeleter> Snapshot();

    // Input as a window host delivers it: the deepest visible, enabled windowed control under
    // the point gets the mouse message in its own coordinates, unless a window of this form
    // holds the capture. A button pressed on a control that captures the mouse keeps the
    // following messages until it is released, wherever the pointer goes. A press asks the
    // control under it (MouseActivate) first: maNoActivate keeps the focus where it is, the
    // "AndEat" answers swallow the press. The control under the pointer is told when the
    // pointer enters and leaves it (CM_MOUSEENTER, CM_MOUSELEAVE); a drag in progress takes the
    // mouse and shows its cursor. Keys go to the focused control, or to a popped-up menu;
    // Tab and Shift+Tab move the focus instead, Escape cancels a drag.
    void SendMouseInput(std::uint32_t Msg, int X, int Y, TShiftState Shift = 0);
    void SendKeyMessage(std::uint32_t Msg, std::uint16_t Key, TShiftState Shift = 0);
    // A key pressed and released.
    void SendKeyInput(std::uint16_t Key, TShiftState Shift = 0);
    // Moves the focus to the next (or previous) control in tab order after Current, round.
    void SelectNext(TWinControl* Current, bool GoForward);
    // A typed character; with ssAlt it is an accelerator offered to every control until one
    // takes it (a label moves the focus to its control).
    void SendCharInput(char32_t Char, TShiftState Shift = 0);
    // The pointer left the window: the control under it is told.
    void SendMouseLeave();

    void ChangeScale(int M, int D) override;

    // Where the form's desktop window stands: a window host keeps it while the window is open,
    // and opens the window there when it was set before (from the form's saved state).
    const std::optional<TWindowPlacement>& WindowPlacement() const { return m_windowPlacement; }
    void SetWindowPlacement(std::optional<TWindowPlacement> Value) { m_windowPlacement = std::move(Value); }

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnPaint;

protected:
    bool IsTopLevelWindow() const override { return true; }
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual bool CloseQuery();
    void PaintWindow(TCanvas& Canvas) override;
    void CMRelease(TMessage& Message);
    void CMSetModalResult(TMessage& Message);
    // Enter and Escape: the Default or Cancel button is pressed. True when the key was used.
    virtual bool DialogKey(std::uint16_t Key);
    void WMClose(TMessage& Message);
    void CMActivate(TMessage& Message);
    void CMDeactivate(TMessage& Message);
    void WMDpiChanged(TMessage& Message);
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

private:
    // The control under the pointer changes: leave and enter follow.
    void SetMouseControl(TControl* Control);
    // A popped-up menu's list, which takes the keys while it holds the capture; else null.
    TWinControl* KeyCapture() const;
    void ShowDragCursor();
    // Asks the close handling whether a ModalResult given ends the modal loop.
    void CloseModal();

    int m_pixelsPerInch = 96;
    bool m_scaled = true;
    bool m_active = false;
    HWND m_buttonGrab = 0;               // the capture a button press took, released with the button
    TControl* m_mouseControl = nullptr;  // under the pointer; cleared when it goes
    TWinControl* m_loadedActiveControl = nullptr;  // focused when the form is shown; cleared when it goes
    bool m_dragCursorShown = false;
    TCursor m_cursorBeforeDrag = crDefault;
    TModalResult m_modalResult = mrNone;
    bool m_modal = false;
    std::optional<TWindowPlacement> m_windowPlacement;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

// The form a control sits on, or null.
TCustomForm* GetParentForm(const TControl* Control);

}  // namespace framework
