#pragma once
// The program and its screen: the executable's name, the default font, the message pump, the
// list of forms, the pixels per inch. Both exist once per process and are reached through
// `Application` and `Screen`, created on first use.

#include "framework/forms/Forms.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace framework {

using TExceptionEvent = TEvent<TObject*, const std::exception&>;
class THintWindow;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    // The running executable's full name.
    std::string ExeName() const;
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& Value) { m_title = Value; }
    // The font new forms take unless their description says otherwise.
    TFont* DefaultFont() const { return m_defaultFont.get(); }
    TCustomForm* MainForm() const { return m_mainForm; }

    // Creates a form owned by the application; the first one becomes the main form.
    template <class T> T* CreateForm() {
        T* form = Create<T>(this);
        if (!m_mainForm)
            SetMainForm(form);
        return form;
    }
    void SetMainForm(TCustomForm* Form);

    // Delivers every posted message (including those posted meanwhile), then paints every
    // window that was invalidated. A handler may call it again.
    void ProcessMessages();
    // Waits for the next input and handles it, as a modal loop does between its checks: the
    // window host's pump while one runs. Without one only what is queued can answer: the
    // posted messages, then a timer due within a minute; with nothing of that it raises
    // EInvalidOperation, as nothing else will ever arrive.
    void HandleMessage();
    // How a window host waits for and handles the desktop's next events; empty when none runs.
    using TMessagePump = std::function<void()>;
    void SetMessagePump(TMessagePump Pump) { m_pump = std::move(Pump); }
    bool HasMessagePump() const { return static_cast<bool>(m_pump); }
    // A message box drawn by the framework as a modal form while a window host runs, else
    // shown by the desktop's own dialog program. Flags are the MB_ values; answers ID_ values.
    int MessageBox(const std::string& Text, const std::string& Caption, std::uint32_t Flags = 0);
    // Sends a message to every form, as a broadcast to all top-level windows.
    void BroadcastToForms(std::uint32_t Msg, std::uint32_t WParam, std::int32_t LParam);
    void Terminate() { m_terminated = true; }
    bool Terminated() const { return m_terminated; }

    // Errors that no caller can take: a save that failed while a window was destroyed, a
    // restore that goes on with defaults. OnException gets them when assigned, else
    // ShowException shows them. Each one is counted, so that a program can end with a status
    // that says something failed.
    void HandleException(TObject* Sender, const std::exception& E);
    // Writes the message to stderr and, where a window host runs, shows it on the desktop.
    void ShowException(const std::exception& E);
    int HandledExceptionCount() const { return m_handledExceptions; }
    TExceptionEvent OnException;
    // How a window host shows an error on the desktop; empty when none runs.
    using TErrorDisplay = std::function<void(const std::string& Message)>;
    void SetErrorDisplay(TErrorDisplay Display) { m_errorDisplay = std::move(Display); }

    // Hints (Hints.cpp). Hint is the long part of the hint under the pointer, for a status line;
    // OnHint runs whenever it changes. A control with ShowHint and a hint shows its short part
    // in a tooltip once the pointer has rested on it for HintPause milliseconds (HintShortPause
    // when the pointer comes from another control whose tooltip shows), for HintHidePause; a
    // press, a key or the pointer leaving the control take it away. ShowHint switches
    // tooltips off for the whole program.
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& Value);
    TNotifyEvent OnHint;
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool Value);
    int HintPause() const { return m_hintPause; }
    void SetHintPause(int Value) { m_hintPause = std::max(Value, 0); }
    int HintHidePause() const { return m_hintHidePause; }
    void SetHintHidePause(int Value) { m_hintHidePause = std::max(Value, 0); }
    int HintShortPause() const { return m_hintShortPause; }
    void SetHintShortPause(int Value) { m_hintShortPause = std::max(Value, 0); }
    TColor HintColor() const { return m_hintColor; }
    void SetHintColor(TColor Value) { m_hintColor = Value; }
    // Takes the tooltip away and forgets its control: the next move over it waits again.
    void CancelHint();
    // Shows the tooltip of the control the pointer rests on now, at CursorPos (in the client
    // coordinates of that control's form), without waiting.
    void ActivateHint(TPoint CursorPos);
    // The pointer moved over Control (null: over nothing of the program). Forms call it for
    // their mouse input.
    void HintMouseMessage(TControl* Control);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class THintWindow;
    enum class THintState { Idle, Waiting, Shown, Expired };
    void SetHintControl(TControl* Control);
    // The hint window, made when first needed, on Form.
    THintWindow& HintWindowOn(TCustomForm& Form);
    void StartHintTimer(int Pause);
    void HideHint();
    // The hint window's timer ran out: the wait is over, or the tooltip has shown long enough.
    void HintTimerExpired();

    std::string m_hint;
    bool m_showHint = true;
    int m_hintPause = 500;
    int m_hintHidePause = 2500;
    int m_hintShortPause = 50;
    TColor m_hintColor = clInfoBk;
    TControl* m_hintControl = nullptr;  // not owned; the control whose tooltip waits or shows
    std::string m_hintText;             // the short hint it had when the pointer came
    THintState m_hintState = THintState::Idle;
    THintWindow* m_hintWindow = nullptr;  // owned; freed with the form it stands on, if first

    std::string m_title;
    std::unique_ptr<TFont, TFreeDeleter> m_defaultFont;
    TCustomForm* m_mainForm = nullptr;  // owned as a component, not through this pointer
    bool m_terminated = false;
    int m_handledExceptions = 0;
    TErrorDisplay m_errorDisplay;
    TMessagePump m_pump;
};

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    int PixelsPerInch() const { return m_pixelsPerInch; }
    // A window host sets it from the display; tests set it to try other resolutions.
    void SetPixelsPerInch(int Value);
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor Value) { m_cursor = Value; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetSize(int W, int H);

    int FormCount() const { return static_cast<int>(m_forms.size()); }
    TCustomForm* Forms(int Index) const;
    TCustomForm* ActiveForm() const { return m_activeForm; }

private:
    friend class TCustomForm;
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    void SetActiveForm(TCustomForm* Form);

    int m_pixelsPerInch = 96;
    TCursor m_cursor = crDefault;
    int m_width = 1920;
    int m_height = 1080;
    std::vector<TCustomForm*> m_forms;  // not owned
    TCustomForm* m_activeForm = nullptr;
};

// Reached as Application->ProcessMessages(); created on first use and kept for the process.
struct TApplicationAccess {
    TApplication* operator->() const { return Get(); }
    TApplication& operator*() const { return *Get(); }
    operator TApplication*() const { return Get(); }
    static TApplication* Get();
};
struct TScreenAccess {
    TScreen* operator->() const { return Get(); }
    TScreen& operator*() const { return *Get(); }
    operator TScreen*() const { return Get(); }
    static TScreen* Get();
};
inline constexpr TApplicationAccess Application{};
inline constexpr TScreenAccess Screen{};

}  // namespace framework
