#pragma once
// A form in a desktop window. The host paints the form into the window, turns the desktop's
// input into the framework's (SdlInput.h), shows the cursor the form asks for, keeps the
// pointer while a button is held, delivers posted messages between events, tells the form
// when the display's resolution changes, and passes on the suite's broadcast. When the window
// closes, the form runs its close handling and is freed, so it saves its state.

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

class TAccessBridge;
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

    // The steps of Run, for callers that drive the window themselves.
    void Open(framework::TCustomForm* AForm);
    // SDL's numbers for the windows of the form's popups shown now.
    std::vector<std::uint32_t> PopupWindowIDs() const;
    // Hands one event to the form (those of its popups' windows too); false once the form has
    // gone or closed for good. A drop event's file is the host's to free (SDL_free), as SDL's
    // own are.
    bool HandleEvent(const SDL_Event& Event);
    // Delivers posted messages and broadcasts, repaints what was invalidated and presents it.
    void Flush();
    // Frees the form if it is still there and closes the window.
    void Close();

    framework::TCustomForm* Form() const;
    int PixelsPerInch() const { return m_ppi; }
    // SDL's number for the window, which its window events carry; 0 while none is open.
    std::uint32_t WindowID() const { return m_window ? SDL_GetWindowID(m_window) : 0; }
    // The form's picture as last presented: the window's own pixels, where they are words of
    // the framework's layout.
    const framework::TCanvas& Frame() const { return m_frame; }

private:
    static bool PopupScreen(const framework::TWinControl& Top, framework::TPopupScreen& Screen);
    bool FormAlive() const;
    void CheckResolution();
    void ChangeResolution(int NewPpi);
    void RescaleForm(int NewPpi);
    void FitWindowToForm();
    void KeepTitleBarOnScreen();
    void Drop(const SDL_DropEvent& Event);
    void Present(bool Everything);
    void AttachFrame(const SDL_Surface& Surface);
    void UpdateCursor();

    class TFormWatch;
    THostOptions m_options;
    std::unique_ptr<TFormWatch, framework::TFreeDeleter> m_watch;  // knows when the form goes
    std::unique_ptr<TSdlInput> m_input;
    std::unique_ptr<TBroadcastListener> m_broadcast;
    TAccessBridge* m_access = nullptr;        // the process's, for screen readers; null without a bus
    std::unique_ptr<TPopupWindows> m_popups;  // the form's drop-downs and menus, in windows of their own
    SDL_Window* m_window = nullptr;
    framework::TCanvas m_frame;      // on the window's pixels, or on m_converted's
    framework::TBitmap m_converted;  // for windows whose pixels are in another format
    framework::TPoint m_fittedSize;  // the form's client size the window was last fitted to
    TFrameExtents m_frameExtents;    // the window manager's frame it was fitted with
    bool m_presentAll = false;       // the window's pixels are new: compose and show them all
    int m_ppi = 96;
    std::map<framework::TCursor, SDL_Cursor*> m_cursors;
    framework::TCursor m_shownCursor = framework::crDefault;
    bool m_capturing = false;
    std::vector<std::string> m_dropped;  // files of a drop under way
    bool m_dropping = false;
    bool m_sdlStarted = false;
};

}  // namespace host
