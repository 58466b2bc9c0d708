#include "host/WindowHost.h"

#include "framework/controls/DropFiles.h"
#include "framework/forms/Application.h"
#include "framework/platform/FileChooser.h"
#include "framework/rtl/Exceptions.h"
#include "host/AccessBridge.h"
#include "host/Broadcast.h"
#include "host/DisplayResolution.h"
#include "host/PopupWindows.h"
#include "host/WorkArea.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace host {

using namespace framework;

namespace {
// Gives back SDL's video; once nothing of SDL is in use any more, also what SDL set up for
// itself on the way (its session-bus connection, its hints).
void stopVideo() {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (SDL_WasInit(0) == 0)
        SDL_Quit();
}

bool environmentSet(const char* Name) {
    const char* value = std::getenv(Name);
    return value && *value;
}

// Starts SDL's video on a display a user sees. SDL falls back to drivers that show nothing
// (offscreen, dummy) when it reaches no display; a window there would run unseen for good, so
// those count only when SDL_VIDEODRIVER asks for them. False, with the reason, otherwise.
bool startVideo(std::string& Why) {
    const bool named = environmentSet("SDL_VIDEODRIVER");
    if (!named && !environmentSet("DISPLAY") && !environmentSet("WAYLAND_DISPLAY")) {
        Why = "neither DISPLAY nor WAYLAND_DISPLAY is set";
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        Why = std::string("the display cannot be reached: ") + SDL_GetError();
        stopVideo();
        return false;
    }
    const std::string_view driver = SDL_GetCurrentVideoDriver();
    if (!named && (driver == "offscreen" || driver == "dummy")) {
        stopVideo();
        const char* display = std::getenv("DISPLAY");
        Why = std::string("the display ") + (display && *display ? display : std::getenv("WAYLAND_DISPLAY")) +
              " cannot be reached";
        return false;
    }
    return true;
}
}  // namespace

class TWindowHost::TFormWindow {
public:
    TFormWindow(const THostOptions& Options, TCustomForm* AForm);
    ~TFormWindow();
    TFormWindow(const TFormWindow&) = delete;
    TFormWindow& operator=(const TFormWindow&) = delete;
    // Shows the window: centred on Near's window where given, else on its monitor's work area.
    void Open(const TFormWindow* Near);
    // Takes the window off the desktop; the object lives on while a call into it runs.
    void Shut();
    bool Shown() const { return m_window && !m_shut; }
    bool OwnsWindow(std::uint32_t ID) const;
    void HandleEvent(const SDL_Event& Event);
    void Flush();
    void CheckResolution();
    void Raise();

    TCustomForm* Form() const;
    bool FormAlive() const { return Form() != nullptr; }
    SDL_Window* Window() const { return m_window; }
    std::vector<std::uint32_t> PopupWindowIDs() const;
    int PixelsPerInch() const { return m_ppi; }
    const TCanvas& Frame() const { return m_frame; }

    static bool PopupScreen(const TWinControl& Top, TPopupScreen& Screen);
    // The windows on the desktop, for the framework's popups to find the desktop round a form.
    static std::vector<TFormWindow*>& OpenWindows() {
        static std::vector<TFormWindow*> windows;
        return windows;
    }

private:
    void ChangeResolution(int NewPpi);
    void RescaleForm(int NewPpi);
    void FitWindowToForm();
    void KeepTitleBarOnScreen();
    void KeepPlacement();
    void PutWhereWanted();
    void Drop(const SDL_DropEvent& Event);
    void Present(bool Everything);
    void AttachFrame(const SDL_Surface& Surface);
    void UpdateCursor();

    class TFormWatch;
    const THostOptions& m_options;
    std::unique_ptr<TFormWatch, TFreeDeleter> m_watch;  // knows when the form goes
    std::unique_ptr<TSdlInput> m_input;
    std::unique_ptr<TPopupWindows> m_popups;  // the form's drop-downs and menus, in windows of their own
    TAccessBridge* m_access = nullptr;        // the process's, for screen readers; null without a bus
    SDL_Window* m_window = nullptr;
    bool m_shut = false;
    TCanvas m_frame;                       // on the window's pixels, or on m_converted's
    TBitmap m_converted;                   // for windows whose pixels are in another format
    TPoint m_fittedSize;                   // the form's client size the window was last fitted to
    TFrameExtents m_frameExtents;          // the window manager's frame it was fitted with
    std::optional<TPoint> m_wantedOrigin;  // where the form's placement puts the window
    int m_placingTries = 0;                // times it was put back there
    Uint64 m_placingUntil = 0;             // while it is being framed (SDL's ticks)
    bool m_presentAll = false;             // the window's pixels are new: compose and show them all
    int m_ppi = 96;
    std::map<TCursor, SDL_Cursor*> m_cursors;
    TCursor m_shownCursor = crDefault;
    bool m_capturing = false;
    std::vector<std::string> m_dropped;  // files of a drop under way
    bool m_dropping = false;
};

// Clears the host's pointer to its form when the form is freed, whoever frees it.
class TWindowHost::TFormWindow::TFormWatch : public TComponent {
public:
    explicit TFormWatch(TCustomForm* Form) : TComponent(nullptr), form(Form) { Form->FreeNotification(this); }
    ~TFormWatch() override {
        if (form)
            form->RemoveFreeNotification(this);
    }
    TCustomForm* form;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == TOperation::opRemove && AComponent == form)
            form = nullptr;
    }
};

bool DisplayAvailable(std::string* Why) {
    std::string why;
    if (!startVideo(why)) {
        if (Why)
            *Why = why;
        return false;
    }
    stopVideo();
    return true;
}

TWindowHost::TWindowHost(THostOptions Options) : m_options(Options) {}

TWindowHost::~TWindowHost() { Close(); }

// --- one form in one window -------------------------------------------------------------------

TWindowHost::TFormWindow::TFormWindow(const THostOptions& Options, TCustomForm* AForm)
    : m_options(Options), m_watch(Create<TFormWatch>(AForm)) {}

TWindowHost::TFormWindow::~TFormWindow() {
    if (m_access && FormAlive())
        m_access->RemoveWindow(*Form());
    if (m_capturing)
        SDL_CaptureMouse(SDL_FALSE);
    m_input.reset();
    m_popups.reset();
    m_watch.reset();
    auto& windows = OpenWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
    if (windows.empty())
        SetPopupScreenFinder(nullptr);
    for (auto& [shape, cursor] : m_cursors)
        SDL_FreeCursor(cursor);
    if (m_window)
        SDL_DestroyWindow(m_window);
}

bool TWindowHost::TFormWindow::PopupScreen(const TWinControl& Top, TPopupScreen& Screen) {
    for (TFormWindow* window : OpenWindows())
        if (window->Form() == &Top && window->Shown()) {
            SDL_GetWindowPosition(window->m_window, &Screen.ClientOrigin.X, &Screen.ClientOrigin.Y);
            Screen.WorkArea = WindowWorkArea(window->m_window);
            return true;
        }
    return false;
}

std::vector<std::uint32_t> TWindowHost::TFormWindow::PopupWindowIDs() const {
    return m_popups ? m_popups->WindowIDs() : std::vector<std::uint32_t>{};
}

TCustomForm* TWindowHost::TFormWindow::Form() const { return m_watch ? m_watch->form : nullptr; }

bool TWindowHost::TFormWindow::OwnsWindow(std::uint32_t ID) const {
    if (!Shown())
        return false;
    if (SDL_GetWindowID(m_window) == ID)
        return true;
    const std::vector<std::uint32_t> popups = PopupWindowIDs();
    return std::find(popups.begin(), popups.end(), ID) != popups.end();
}

void TWindowHost::TFormWindow::Raise() {
    if (Shown())
        SDL_RaiseWindow(m_window);
}

void TWindowHost::TFormWindow::Shut() {
    if (!Shown())
        return;
    m_shut = true;
    if (m_access && FormAlive())
        m_access->RemoveWindow(*Form());
    m_access = nullptr;
    // A freed form's popups went with it.
    if (m_popups && FormAlive())
        m_popups->Dismiss();
    if (m_capturing)
        SDL_CaptureMouse(SDL_FALSE);
    m_capturing = false;
    SDL_HideWindow(m_window);
}

void TWindowHost::TFormWindow::Open(const TFormWindow* Near) {
    TCustomForm* AForm = Form();
    // The window stays hidden until the form has its size for this resolution and the window
    // has been fitted onto the monitor's work area: its first picture is its final one.
    m_window = SDL_CreateWindow(AForm->Caption().c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                std::max(AForm->Width(), 1), std::max(AForm->Height(), 1),
                                SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
    if (!m_window)
        throw Exception(std::string("Cannot open a desktop window: ") + SDL_GetError());
    m_input = std::make_unique<TSdlInput>(*AForm);
    m_popups = std::make_unique<TPopupWindows>(*AForm, m_window, m_options.Hidden);
    OpenWindows().push_back(this);
    SetPopupScreenFinder(&TFormWindow::PopupScreen);

    // A window opened near another starts on that one's monitor, at its resolution.
    if (Near && Near->Shown()) {
        int x = 0, y = 0;
        SDL_GetWindowPosition(Near->m_window, &x, &y);
        SDL_SetWindowPosition(m_window, x, y);
    }
    m_ppi = m_options.PixelsPerInch > 0 ? m_options.PixelsPerInch : DisplayPixelsPerInch(m_window);
    Screen->SetPixelsPerInch(m_ppi);
    Screen->SetMonitors(DesktopMonitors());
    AForm->Show();
    // A form made for another resolution hears of this one as of a move to another monitor.
    if (FormAlive() && AForm->PixelsPerInch() != m_ppi)
        RescaleForm(m_ppi);
    if (!FormAlive())
        return;
    const TFrameExtents frame = WindowFrameExtents(m_window);
    const TRect area = WindowWorkArea(m_window);
    // Where the form's window stood last time (its saved state may say), title bar on the
    // screen; else in the middle of the work area, or of the window it is opened from.
    const std::optional<TWindowPlacement> wanted = AForm->WindowPlacement();
    TRect placed = CentreOnWorkArea(area, frame, TPoint{AForm->Width(), AForm->Height()});
    if (wanted) {
        placed = KeepOnWorkArea(WorkAreaUnder(wanted->Bounds), frame, wanted->Bounds);
        m_wantedOrigin = TPoint{placed.Left, placed.Top};
        m_placingUntil = SDL_GetTicks64() + 1000;
    } else if (Near && Near->Shown()) {
        // Centred on the other window, as a dialog on its owner, and kept on the work area.
        int x = 0, y = 0, w = 0, h = 0;
        SDL_GetWindowPosition(Near->m_window, &x, &y);
        SDL_GetWindowSize(Near->m_window, &w, &h);
        placed = KeepOnWorkArea(area, frame,
                                Bounds(x + (w - AForm->Width()) / 2, y + (h - AForm->Height()) / 2,
                                       AForm->Width(), AForm->Height()));
    }
    SDL_SetWindowSize(m_window, placed.Width(), placed.Height());
    // A window not yet shown is placed by the top-left corner of its frame.
    SDL_SetWindowPosition(m_window, placed.Left - frame.Left, placed.Top - frame.Top);
    AForm->SetWidth(placed.Width());
    if (FormAlive())
        AForm->SetHeight(placed.Height());
    if (!FormAlive())
        return;
    if (!m_options.Hidden) {
        SDL_ShowWindow(m_window);
        if (wanted && wanted->Maximized)
            SDL_MaximizeWindow(m_window);
        // The window manager's answers (the frame, where the window now stands) reach SDL as
        // events; a window manager that gave no frame before may need the window moved in.
        SDL_PumpEvents();
    }
    FitWindowToForm();
    if (!m_options.Hidden)
        if ((m_access = TAccessBridge::Start()))
            m_access->AddWindow(*AForm, m_window);
    if (!SDL_GetWindowSurface(m_window))
        throw Exception(std::string("Cannot open a desktop window: ") + SDL_GetError());
    KeepPlacement();
}

// --- the host -----------------------------------------------------------------------------------

std::vector<std::uint32_t> TWindowHost::PopupWindowIDs() const {
    return Main() ? Main()->PopupWindowIDs() : std::vector<std::uint32_t>{};
}

TCustomForm* TWindowHost::Form() const { return Main() ? Main()->Form() : nullptr; }

int TWindowHost::PixelsPerInch() const { return Main() ? Main()->PixelsPerInch() : 96; }

std::uint32_t TWindowHost::WindowID() const {
    return Main() && Main()->Shown() ? SDL_GetWindowID(Main()->Window()) : 0;
}

const TCanvas& TWindowHost::Frame() const {
    static const TCanvas none;
    return Main() ? Main()->Frame() : none;
}

std::vector<TCustomForm*> TWindowHost::Forms() const {
    std::vector<TCustomForm*> forms;
    for (const auto& window : m_windows)
        if (window->Shown() && window->FormAlive())
            forms.push_back(window->Form());
    return forms;
}

std::uint32_t TWindowHost::WindowIDOf(const TCustomForm* AForm) const {
    for (const auto& window : m_windows)
        if (window->Shown() && window->Form() == AForm)
            return SDL_GetWindowID(window->Window());
    return 0;
}

const TCanvas* TWindowHost::FrameOf(const TCustomForm* AForm) const {
    for (const auto& window : m_windows)
        if (window->Shown() && window->Form() == AForm)
            return &window->Frame();
    return nullptr;
}

bool TWindowHost::MainOpen() const {
    TFormWindow* main = Main();
    return main && main->FormAlive() && main->Form()->Visible() && !Application->Terminated();
}

void TWindowHost::StartBroadcasts() {
    // A broadcast wakes the event loop at once: an SDL event pushed from the listener's
    // watcher, as the loop waits for SDL's events only.
    const Uint32 wake = SDL_RegisterEvents(1);
    std::function<void()> arrival;
    if (wake != static_cast<Uint32>(-1))
        arrival = [wake] {
            SDL_Event event{};
            event.type = wake;
            SDL_PushEvent(&event);
        };
    m_broadcast = std::make_unique<TBroadcastListener>(std::move(arrival));
    if (!m_broadcast->Connected())
        std::fprintf(stderr, "%s; this window works on without them.\n", m_broadcast->Error().c_str());
}

void TWindowHost::Open(TCustomForm* AForm) {
    if (!m_windows.empty())
        throw EInvalidOperation("The window host already shows a form");
    if (std::string why; !startVideo(why))
        throw Exception("Cannot open a desktop window: " + why);
    m_sdlStarted = true;
    m_windows.push_back(std::make_shared<TFormWindow>(m_options, AForm));
    try {
        Main()->Open(nullptr);
    } catch (...) {
        Close();
        throw;
    }
    if (!Main()->FormAlive()) {
        Close();
        return;
    }
    // Errors that no caller can take (a state that could not be saved) are shown on the desktop.
    Application->SetErrorDisplay([this](const std::string& Message) {
        // Titled as the program (or the window) it comes from.
        SDL_Window* window = Main() && Main()->Shown() ? Main()->Window() : nullptr;
        const char* title = !Application->Title().empty()           ? Application->Title().c_str()
                            : window && *SDL_GetWindowTitle(window) ? SDL_GetWindowTitle(window)
                                                                    : "Error";
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title, Message.c_str(), window);
    });
    // Modal forms and the desktop's choosers wait through this host's loop.
    Application->SetMessagePump([this] { Pump(100); });
    platform::SetChooserPump([this] { Pump(0); });
    if (m_options.Broadcast)
        StartBroadcasts();
    SDL_StartTextInput();
    Flush();
}

void TWindowHost::TFormWindow::RescaleForm(int NewPpi) {
    TCustomForm* form = Form();
    m_ppi = NewPpi;
    Screen->SetPixelsPerInch(NewPpi);
    const int old = form->PixelsPerInch();
    // The suggested window: the same place, the size scaled to the new resolution.
    int x = 0, y = 0;
    SDL_GetWindowPosition(m_window, &x, &y);
    const TRect suggested =
        Bounds(x, y, MulDiv(form->Width(), NewPpi, old), MulDiv(form->Height(), NewPpi, old));
    TLParamPointer rect(&suggested);
    const auto dpi = static_cast<std::uint16_t>(NewPpi);
    SendMessage(form->Handle(), WM_DPICHANGED, MakeWParam(dpi, dpi), rect.LParam());
}

void TWindowHost::TFormWindow::ChangeResolution(int NewPpi) {
    RescaleForm(NewPpi);
    if (FormAlive())
        FitWindowToForm();
}

void TWindowHost::TFormWindow::CheckResolution() {
    if (m_options.PixelsPerInch > 0 || !FormAlive())
        return;
    if (const int ppi = DisplayPixelsPerInch(m_window); ppi != m_ppi)
        ChangeResolution(ppi);
}

// The window takes the form's size where the monitor's work area has room for it; where it has
// not, the window stays inside the work area and the form takes the window's size, so that its
// aligned and anchored controls lay out again in what the user can see.
void TWindowHost::TFormWindow::FitWindowToForm() {
    TCustomForm* form = Form();
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(m_window, &x, &y);
    SDL_GetWindowSize(m_window, &w, &h);
    const bool maximised = SDL_GetWindowFlags(m_window) & (SDL_WINDOW_MAXIMIZED | SDL_WINDOW_FULLSCREEN);
    m_frameExtents = WindowFrameExtents(m_window);
    // Fitted from where it is, or from where the form's placement wants it while it is not there
    // yet.
    TPoint from{x, y};
    if (m_wantedOrigin && !maximised)
        from = *m_wantedOrigin;
    const TRect wanted = maximised ? Bounds(x, y, w, h)
                                   : KeepOnWorkArea(WindowWorkArea(m_window), m_frameExtents,
                                                    Bounds(from.X, from.Y, form->Width(), form->Height()));
    if (wanted.Width() != w || wanted.Height() != h)
        SDL_SetWindowSize(m_window, wanted.Width(), wanted.Height());
    if (wanted.Left != x || wanted.Top != y)
        SDL_SetWindowPosition(m_window, wanted.Left, wanted.Top);
    // The window manager has the last word on the size.
    SDL_GetWindowSize(m_window, &w, &h);
    if (form->Width() != w)
        form->SetWidth(w);
    if (FormAlive() && form->Height() != h)
        form->SetHeight(h);
    m_fittedSize = TPoint{w, h};
}

// A window opened where the form's placement says may be framed off that place by a window
// manager that had not told its frame yet: it is put back there, a few times at most (a window
// manager may insist on a place of its own) and only while it is being framed, never after the
// user has moved it.
void TWindowHost::TFormWindow::PutWhereWanted() {
    if (!m_wantedOrigin)
        return;
    int x = 0, y = 0;
    SDL_GetWindowPosition(m_window, &x, &y);
    if ((TPoint{x, y}) == *m_wantedOrigin || ++m_placingTries > 3 || SDL_GetTicks64() > m_placingUntil)
        m_wantedOrigin.reset();
    else
        FitWindowToForm();
}

// The form knows where its window stands, for its saved state: the place and size it has when
// not maximised, whether it is, and the monitor's name.
void TWindowHost::TFormWindow::KeepPlacement() {
    if (!FormAlive())
        return;
    TWindowPlacement placement = Form()->WindowPlacement().value_or(TWindowPlacement{});
    const Uint32 flags = SDL_GetWindowFlags(m_window);
    placement.Maximized = flags & SDL_WINDOW_MAXIMIZED;
    if (!(flags & (SDL_WINDOW_MAXIMIZED | SDL_WINDOW_MINIMIZED | SDL_WINDOW_FULLSCREEN))) {
        int x = 0, y = 0, w = 0, h = 0;
        SDL_GetWindowPosition(m_window, &x, &y);
        SDL_GetWindowSize(m_window, &w, &h);
        placement.Bounds = Bounds(x, y, w, h);
    }
    const int display = SDL_GetWindowDisplayIndex(m_window);
    const char* name = display >= 0 ? SDL_GetDisplayName(display) : nullptr;
    placement.Monitor = name ? name : "";
    Form()->SetWindowPlacement(placement);
}

// A window manager that frames the window late (one that starts after it, or adopts it) may
// leave the frame past the work area, the title bar above it where it cannot be reached to move
// the window: a new frame fits the window again, and the title bar is kept on the screen.
void TWindowHost::TFormWindow::KeepTitleBarOnScreen() {
    const TRect area = WindowWorkArea(m_window);
    const TFrameExtents frame = WindowFrameExtents(m_window);
    if (frame != m_frameExtents) {
        FitWindowToForm();
        return;
    }
    int x = 0, y = 0;
    SDL_GetWindowPosition(m_window, &x, &y);
    if (!area.IsEmpty() && y - frame.Top < area.Top)
        SDL_SetWindowPosition(m_window, x, area.Top + frame.Top);
}

// Files dropped from the desktop come one by one between the drop's begin and its end; at the end
// they go together to the window under the pointer that takes them. A file dropped without a
// begin (another of SDL's video drivers) goes alone.
void TWindowHost::TFormWindow::Drop(const SDL_DropEvent& Event) {
    if (Event.file) {
        if (Event.type == SDL_DROPFILE)
            m_dropped.emplace_back(Event.file);
        SDL_free(Event.file);
    }
    if (Event.type == SDL_DROPBEGIN) {
        m_dropped.clear();
        m_dropping = true;
        return;
    }
    if (Event.type == SDL_DROPFILE && m_dropping)
        return;
    m_dropping = false;
    std::vector<std::string> files;
    files.swap(m_dropped);
    if (files.empty())
        return;
    // Nothing moves the pointer over the window during a drag: where it is comes from the
    // desktop, where that knows it.
    TPoint at = m_input->Pointer();
    if (std::string_view(SDL_GetCurrentVideoDriver()) == "x11") {
        int gx = 0, gy = 0, wx = 0, wy = 0;
        SDL_GetGlobalMouseState(&gx, &gy);
        SDL_GetWindowPosition(m_window, &wx, &wy);
        at = TPoint{gx - wx, gy - wy};
    }
    DropFilesOnto(*Form(), at.X, at.Y, files);
}

void TWindowHost::TFormWindow::HandleEvent(const SDL_Event& AnEvent) {
    if (!FormAlive() || !Shown())
        return;
    SDL_Event Event = AnEvent;
    if (Event.type == SDL_DROPBEGIN || Event.type == SDL_DROPFILE || Event.type == SDL_DROPTEXT ||
        Event.type == SDL_DROPCOMPLETE) {
        Drop(Event.drop);
        return;
    }
    if (m_popups->Route(Event) == TPopupWindows::TRoute::Done)
        return;
    if (Event.type == SDL_WINDOWEVENT && Event.window.windowID != SDL_GetWindowID(m_window))
        return;
    // The desktop's focus went to another program: its popups go, as with a press elsewhere.
    if (Event.type == SDL_WINDOWEVENT && Event.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
        m_popups->Dismiss();
    if (!FormAlive())
        return;
    m_input->Deliver(Event);
    // A handler may have run a loop of its own (a modal form, a chooser) that shut the window.
    if (!FormAlive() || !Shown())
        return;
    if (Event.type == SDL_WINDOWEVENT) {
        switch (Event.window.event) {
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            m_presentAll = true;  // SDL made the window's pixels anew
            KeepPlacement();
            break;
        case SDL_WINDOWEVENT_MOVED:
        case SDL_WINDOWEVENT_DISPLAY_CHANGED:
            PutWhereWanted();
            KeepTitleBarOnScreen();
            CheckResolution();
            KeepPlacement();
            break;
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED:
            KeepPlacement();
            break;
        case SDL_WINDOWEVENT_SHOWN:
            KeepTitleBarOnScreen();
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            KeepTitleBarOnScreen();
            Present(true);
            break;
        default:
            break;
        }
    }
    // Held buttons keep the pointer for this window, so a drag goes on outside it.
    if (m_input->ButtonsDown() != m_capturing) {
        m_capturing = m_input->ButtonsDown();
        SDL_CaptureMouse(m_capturing ? SDL_TRUE : SDL_FALSE);
    }
}

void TWindowHost::TFormWindow::Flush() {
    if (!FormAlive() || !Shown())
        return;
    TCustomForm* form = Form();
    // A new frame from the window manager fits the window again, as a new size of the form does.
    if (form->Width() != m_fittedSize.X || form->Height() != m_fittedSize.Y ||
        ((SDL_GetWindowFlags(m_window) & SDL_WINDOW_SHOWN) && WindowFrameExtents(m_window) != m_frameExtents))
        FitWindowToForm();
    if (!FormAlive())
        return;
    form->PaintInvalid();
    Present(false);
    // The pointer's shape is the window's under it; the others leave it alone.
    if (SDL_GetMouseFocus() == m_window || m_options.Hidden)
        UpdateCursor();
    m_input->PlaceInputMethod();
}

namespace {
// The window an event is for; 0 for events of no window (the desktop's quit, a wake-up).
std::uint32_t windowOfEvent(const SDL_Event& Event) {
    switch (Event.type) {
    case SDL_WINDOWEVENT:
        return Event.window.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return Event.key.windowID;
    case SDL_TEXTINPUT:
        return Event.text.windowID;
    case SDL_TEXTEDITING:
        return Event.edit.windowID;
    case SDL_MOUSEMOTION:
        return Event.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return Event.button.windowID;
    case SDL_MOUSEWHEEL:
        return Event.wheel.windowID;
    case SDL_DROPBEGIN:
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
    case SDL_DROPCOMPLETE:
        return Event.drop.windowID;
    default:
        return 0;
    }
}

bool isInput(const SDL_Event& Event) {
    switch (Event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    case SDL_TEXTINPUT:
    case SDL_TEXTEDITING:
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
    case SDL_DROPBEGIN:
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
    case SDL_DROPCOMPLETE:
        return true;
    default:
        return false;
    }
}

void freeDroppedFile(const SDL_Event& Event) {
    if ((Event.type == SDL_DROPFILE || Event.type == SDL_DROPTEXT) && Event.drop.file)
        SDL_free(Event.drop.file);
}
}  // namespace

std::shared_ptr<TWindowHost::TFormWindow> TWindowHost::WindowFor(std::uint32_t WindowID) const {
    if (m_windows.empty())
        return nullptr;
    if (WindowID != 0)
        for (const auto& window : m_windows)
            if (window->OwnsWindow(WindowID))
                return window;
    // Events of no window, or of one gone meanwhile, go to the main one.
    return WindowID == 0 ? m_windows.front() : nullptr;
}

// Input to a window whose form is disabled (a modal form runs) is refused, as is input to any
// while a chooser is open; the desktop's focus coming to such a window goes on to the modal one.
// A close asked while a chooser is open waits for it; one asked of a disabled form is refused.
bool TWindowHost::Refused(const SDL_Event& Event, const TFormWindow& Window) {
    const bool chooser = platform::ChooserOpen();
    const bool disabled = Window.FormAlive() && !Window.Form()->Enabled();
    if (Event.type == SDL_QUIT && chooser) {
        m_quitWaiting = true;
        return true;
    }
    if (Event.type == SDL_WINDOWEVENT && Event.window.event == SDL_WINDOWEVENT_CLOSE) {
        if (chooser) {
            if (std::find(m_waitingCloses.begin(), m_waitingCloses.end(), Event.window.windowID) ==
                m_waitingCloses.end())
                m_waitingCloses.push_back(Event.window.windowID);
            return true;
        }
        return disabled;
    }
    if (Event.type == SDL_WINDOWEVENT && Event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED && disabled) {
        for (const auto& other : m_windows)
            if (other->FormAlive() && other->Form()->Modal() && other->Form()->Enabled())
                other->Raise();
        return true;
    }
    return isInput(Event) && (chooser || disabled);
}

bool TWindowHost::HandleEvent(const SDL_Event& Event) {
    std::shared_ptr<TFormWindow> window = WindowFor(windowOfEvent(Event));
    if (!window || Refused(Event, *window)) {
        freeDroppedFile(Event);
        return MainOpen();
    }
    // Held here: a handler may close the window while the call into it runs.
    window->HandleEvent(Event);
    return MainOpen();
}

// Closes asked while a chooser was open are carried out once it has answered.
void TWindowHost::CloseWaitingRequests() {
    if (platform::ChooserOpen() || (m_waitingCloses.empty() && !m_quitWaiting))
        return;
    std::vector<std::uint32_t> waiting;
    waiting.swap(m_waitingCloses);
    if (m_quitWaiting) {
        m_quitWaiting = false;
        if (TCustomForm* form = Form())
            form->Perform(WM_CLOSE);
    }
    for (std::uint32_t id : waiting) {
        SDL_Event close{};
        close.type = SDL_WINDOWEVENT;
        close.window.event = SDL_WINDOWEVENT_CLOSE;
        close.window.windowID = id;
        HandleEvent(close);
    }
}

// Every visible form without a parent has a window; one hidden or gone loses it. A new window
// is centred on its owner's (the form that owns it), else on the main one.
void TWindowHost::SyncWindows() {
    std::erase_if(m_windows, [this](const std::shared_ptr<TFormWindow>& window) {
        if (window.get() == Main() || (window->FormAlive() && window->Form()->Visible() && window->Shown()))
            return false;
        window->Shut();
        return true;
    });
    if (!MainOpen())
        return;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (!form->Visible() || form->Parent() || WindowIDOf(form) != 0)
            continue;
        const TFormWindow* near = Main();
        for (const auto& window : m_windows)
            if (window->Form() && window->Form() == form->Owner())
                near = window.get();
        auto window = std::make_shared<TFormWindow>(m_options, form);
        m_windows.push_back(window);
        window->Open(near);
        // The list may have changed while the form was shown; start again from the top.
        return SyncWindows();
    }
}

void TWindowHost::Flush() {
    // Screen readers' requests, then what changed for them.
    if (!m_options.Hidden && !m_windows.empty())
        if (TAccessBridge* access = TAccessBridge::Start())
            access->Pump();
    if (m_broadcast)
        for (const TBroadcast& b : m_broadcast->Receive())
            Application->BroadcastToForms(WM_BROADCASTBYSHELL, b.WParam, b.LParam);
    DeliverPostedMessages();  // the timers that are due too
    CloseWaitingRequests();
    SyncWindows();
    // A copy: painting may run handlers that show or hide forms.
    const std::vector<std::shared_ptr<TFormWindow>> windows = m_windows;
    for (const auto& window : windows)
        window->Flush();
}

bool TWindowHost::Pump(int WaitMs) {
    if (m_windows.empty())
        return false;
    SDL_Event event;
    // Wake now and then without input: broadcasts and resolution changes need no event, and
    // a timer (a blinking caret, a held scroll arrow) wakes when it is due.
    if (SDL_WaitEventTimeout(&event, TimerWait(std::max(WaitMs, 0)))) {
        // Messages posted by one event's handlers are delivered before the next event.
        do {
            HandleEvent(event);
            DeliverPostedMessages();
        } while (!m_windows.empty() && SDL_PollEvent(&event));
    } else {
        DeliverPostedMessages();
        const std::vector<std::shared_ptr<TFormWindow>> windows = m_windows;
        for (const auto& window : windows)
            window->CheckResolution();
    }
    if (m_windows.empty())
        return false;
    Flush();
    return MainOpen();
}

// The form is composed into the window's own pixels (SDL's window surface), which keep what
// was presented: only what the form repainted is composed again and shown.
void TWindowHost::TFormWindow::Present(bool Everything) {
    TCustomForm* form = Form();
    SDL_Surface* surface = form ? SDL_GetWindowSurface(m_window) : nullptr;
    if (!surface)
        return;
    AttachFrame(*surface);
    const TPixelSurface& pixels = m_frame.Surface();
    const TRect whole = Rect(0, 0, pixels.Width, pixels.Height);
    TRect dirty;
    const std::vector<TRect> painted = form->TakePaintedRects();
    for (const TRect& r : painted)
        dirty = UnionRect(dirty, IntersectRect(r, whole));
    m_popups->Update(painted);
    if (m_presentAll) {
        // New pixels: all of them, beyond the form too if the window is larger.
        dirty = whole;
        m_frame.Brush()->SetColor(form->Color());
        m_frame.FillRect(whole);
    }
    if (!dirty.IsEmpty()) {
        m_frame.SetClipRect(dirty);
        form->PaintTo(m_frame, 0, 0);
        m_frame.ResetClip();
        if (!m_converted.Empty())
            SDL_ConvertPixels(dirty.Width(), dirty.Height(), SDL_PIXELFORMAT_ARGB8888,
                              m_converted.ScanLine(dirty.Top) + dirty.Left, pixels.Stride * 4,
                              surface->format->format,
                              static_cast<Uint8*>(surface->pixels) + dirty.Top * surface->pitch +
                                  dirty.Left * surface->format->BytesPerPixel,
                              surface->pitch);
    }
    if (Everything)
        dirty = whole;
    const SDL_Rect area{dirty.Left, dirty.Top, dirty.Width(), dirty.Height()};
    if (!dirty.IsEmpty() && SDL_UpdateWindowSurfaceRects(m_window, &area, 1) == 0)
        m_presentAll = false;
}

// Points the frame's canvas at the window's pixels where they are 32-bit words laid out as the
// framework's (0x..RRGGBB), else at a bitmap converted into them after each composition.
void TWindowHost::TFormWindow::AttachFrame(const SDL_Surface& Surface) {
    const Uint32 format = Surface.format->format;
    const bool direct = format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888;
    TPixelSurface pixels{static_cast<TPixel*>(Surface.pixels), Surface.w, Surface.h, Surface.pitch / 4};
    if (direct) {
        if (!m_converted.Empty())
            m_converted.SetSize(0, 0);
    } else {
        if (m_converted.Width() != Surface.w || m_converted.Height() != Surface.h)
            m_converted.SetSize(Surface.w, Surface.h);
        pixels = m_converted.Surface();
    }
    const TPixelSurface& now = m_frame.Surface();
    if (pixels.Bits == now.Bits && pixels.Width == now.Width && pixels.Height == now.Height &&
        pixels.Stride == now.Stride)
        return;
    m_frame.SetSurface(pixels);
    m_presentAll = true;
}

namespace {
SDL_SystemCursor systemCursor(TCursor Cursor) {
    switch (Cursor) {
    case crCross:
        return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case crIBeam:
        return SDL_SYSTEM_CURSOR_IBEAM;
    case crSizeNWSE:
        return SDL_SYSTEM_CURSOR_SIZENWSE;
    case crSizeNS:
        return SDL_SYSTEM_CURSOR_SIZENS;
    case crSizeNESW:
        return SDL_SYSTEM_CURSOR_SIZENESW;
    case crSizeWE:
        return SDL_SYSTEM_CURSOR_SIZEWE;
    case crHourGlass:
        return SDL_SYSTEM_CURSOR_WAIT;
    case crNo:
        return SDL_SYSTEM_CURSOR_NO;
    case crDrag:
    case crHandPoint:
        return SDL_SYSTEM_CURSOR_HAND;
    default:
        return SDL_SYSTEM_CURSOR_ARROW;
    }
}
}  // namespace

void TWindowHost::TFormWindow::UpdateCursor() {
    const TCursor wanted = CursorAt(*Form(), m_input->Pointer());
    if (wanted == m_shownCursor)
        return;
    SDL_Cursor*& cursor = m_cursors[wanted];
    if (!cursor)
        cursor = SDL_CreateSystemCursor(systemCursor(wanted));
    if (cursor)
        SDL_SetCursor(cursor);
    m_shownCursor = wanted;
}

void TWindowHost::Run(TCustomForm* AForm) {
    Open(AForm);
    while (Pump(100)) {}
    Close();
}

void TWindowHost::Close() {
    // The loop is no longer there for modal forms and choosers to wait through.
    if (!m_windows.empty()) {
        Application->SetMessagePump(nullptr);
        platform::SetChooserPump(nullptr);
        Application->SetErrorDisplay(nullptr);
    }
    // The main form's destruction saves its state; messages it posts on the way are dropped
    // with it. The other forms are the program's: their windows close.
    if (TCustomForm* form = Form())
        form->Free();
    std::vector<std::shared_ptr<TFormWindow>> windows;
    windows.swap(m_windows);
    for (const auto& window : windows)
        window->Shut();
    windows.clear();
    m_broadcast.reset();
    m_waitingCloses.clear();
    m_quitWaiting = false;
    if (m_sdlStarted)
        stopVideo();
    m_sdlStarted = false;
}

}  // namespace host
