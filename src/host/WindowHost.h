#pragma once
// The forms of the program in desktop windows. The host shows the form Run gets (the main form)
// and every other visible top-level form in a window of its own, paints each form into its
// window, turns the desktop's input into the framework's (SdlInput.h), shows the cursor the
// form asks for, keeps the pointer while a button is held, delivers posted messages between
// events, tells each form when its monitor's resolution changes, and passes on the suite's
// broadcast. One loop serves every window; it is also the framework's message pump, which
// modal forms and open desktop choosers run meanwhile: a form that is disabled (the owner of a
// modal one) takes no input, and while a chooser is open no form does and a close asked of a
// window waits until the chooser has answered. When the main window closes, the form runs its
// close handling and is freed, so it saves its state; another form's window closes as the form
// hides or goes.

#include "framework/controls/DropDownList.h"
#include "framework/forms/Forms.h"
#include "host/SdlInput.h"
#include "host/WorkArea.h"

#include <SDL.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace host {

class TBroadcastListener;
class TPopupWindows;

// The broadcast of the suite's launching program, as every window of the suite receives it.
inline constexpr std::uint32_t WM_BROADCASTBYSHELL = framework::WM_USER + 232;

struct THostOptions {
    int PixelsPerInch = 0;  // 0: the display's; otherwise this one, whatever the display says
    bool Broadcast = true;  // listen for the suite's broadcast on the session bus
    bool Hidden = false;    // no window shown on the desktop (benchmarks)
};

// Whether a desktop window can be opened here: a display is named (DISPLAY, WAYLAND_DISPLAY,
// or SDL told to use another driver) and SDL's video starts on it. When not, Why says what is
// missing, in words for the user.
bool DisplayAvailable(std::string* Why = nullptr);

class TWindowHost {
public:
    explicit TWindowHost(THostOptions Options = {});
    ~TWindowHost();
    TWindowHost(const TWindowHost&) = delete;
    TWindowHost& operator=(const TWindowHost&) = delete;

    // Shows Form in a window and runs until the window is closed and the form freed. Raises
    // framework::Exception when no window can be opened.
    void Run(framework::TCustomForm* AForm);

    // The steps of Run, for callers that drive the windows themselves.
    void Open(framework::TCustomForm* AForm);
    // SDL's numbers for the windows of the main form's popups shown now.
    std::vector<std::uint32_t> PopupWindowIDs() const;
    // Hands one event to the window it belongs to (the popups' windows too; events of no window
    // go to the main one); false once the main form has gone or closed for good. A drop event's
    // file is the host's to free (SDL_free), as SDL's own are.
    bool HandleEvent(const SDL_Event& Event);
    // Opens and closes windows as forms are shown and hidden, delivers posted messages and
    // broadcasts, carries out a close that waited for a chooser, repaints what was invalidated
    // and presents it.
    void Flush();
    // One turn of the loop: waits for the desktop's events (at most WaitMs, less when a timer is
    // due sooner), handles them all, then flushes. False once the main form has gone or closed.
    bool Pump(int WaitMs);
    // Frees the main form if it is still there and closes every window.
    void Close();

    framework::TCustomForm* Form() const;
    int PixelsPerInch() const;
    // SDL's number for the main window, which its window events carry; 0 while none is open.
    std::uint32_t WindowID() const;
    // The main form's picture as last presented: the window's own pixels, where they are words
    // of the framework's layout.
    const framework::TCanvas& Frame() const;
    // The forms shown in windows now, the main one first; the window of one, and its picture.
    std::vector<framework::TCustomForm*> Forms() const;
    std::uint32_t WindowIDOf(const framework::TCustomForm* AForm) const;  // 0: none
    const framework::TCanvas* FrameOf(const framework::TCustomForm* AForm) const;

private:
    class TFormWindow;  // one form in one window
    std::shared_ptr<TFormWindow> WindowFor(std::uint32_t WindowID) const;
    TFormWindow* Main() const { return m_windows.empty() ? nullptr : m_windows.front().get(); }
    bool MainOpen() const;
    void SyncWindows();
    bool Refused(const SDL_Event& Event, const TFormWindow& Window);
    void CloseWaitingRequests();
    void StartBroadcasts();

    THostOptions m_options;
    std::vector<std::shared_ptr<TFormWindow>> m_windows;  // the main one first
    std::unique_ptr<TBroadcastListener> m_broadcast;
    std::vector<std::uint32_t> m_waitingCloses;  // windows whose close waits for a chooser
    bool m_quitWaiting = false;                  // the desktop's quit, waiting likewise
    bool m_sdlStarted = false;
};

}  // namespace host
