#include "host/WindowHost.h"

#include "framework/controls/DropFiles.h"
#include "framework/forms/Application.h"
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
#include <string>
#include <string_view>

namespace host {

using namespace framework;

// Clears the host's pointer to its form when the form is freed, whoever frees it.
class TWindowHost::TFormWatch : public TComponent {
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

namespace {
// The hosts with an open window, for the framework's popups to find the desktop round a form.
std::vector<TWindowHost*>& openHosts() {
    static std::vector<TWindowHost*> hosts;
    return hosts;
}
}  // namespace

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

bool TWindowHost::PopupScreen(const TWinControl& Top, TPopupScreen& Screen) {
    for (TWindowHost* host : openHosts())
        if (host->Form() == &Top && host->m_window) {
            SDL_GetWindowPosition(host->m_window, &Screen.ClientOrigin.X, &Screen.ClientOrigin.Y);
            Screen.WorkArea = WindowWorkArea(host->m_window);
            return true;
        }
    return false;
}

std::vector<std::uint32_t> TWindowHost::PopupWindowIDs() const {
    return m_popups ? m_popups->WindowIDs() : std::vector<std::uint32_t>{};
}

TCustomForm* TWindowHost::Form() const { return m_watch ? m_watch->form : nullptr; }

bool TWindowHost::FormAlive() const { return Form() != nullptr; }

void TWindowHost::Open(TCustomForm* AForm) {
    if (m_window)
        throw EInvalidOperation("The window host already shows a form");
    if (std::string why; !startVideo(why))
        throw Exception("Cannot open a desktop window: " + why);
    m_sdlStarted = true;
    // The window stays hidden until the form has its size for this resolution and the window
    // has been fitted onto the monitor's work area: its first picture is its final one.
    m_window = SDL_CreateWindow(AForm->Caption().c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                std::max(AForm->Width(), 1), std::max(AForm->Height(), 1),
                                SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
    if (!m_window) {
        const std::string why = SDL_GetError();
        Close();
        throw Exception("Cannot open a desktop window: " + why);
    }
    m_watch.reset(Create<TFormWatch>(AForm));
    m_input = std::make_unique<TSdlInput>(*AForm);
    // Errors that no caller can take (a state that could not be saved) are shown on the desktop.
    Application->SetErrorDisplay([this](const std::string& Message) {
        // Titled as the program (or the window) it comes from.
        const char* title = !Application->Title().empty()               ? Application->Title().c_str()
                            : m_window && *SDL_GetWindowTitle(m_window) ? SDL_GetWindowTitle(m_window)
                                                                        : "Error";
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title, Message.c_str(), m_window);
    });
    m_popups = std::make_unique<TPopupWindows>(*AForm, m_window, m_options.Hidden);
    openHosts().push_back(this);
    SetPopupScreenFinder(&TWindowHost::PopupScreen);
    if (m_options.Broadcast) {
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
    SDL_StartTextInput();

    m_ppi = m_options.PixelsPerInch > 0 ? m_options.PixelsPerInch : DisplayPixelsPerInch(m_window);
    Screen->SetPixelsPerInch(m_ppi);
    AForm->Show();
    // A form made for another resolution hears of this one as of a move to another monitor.
    if (FormAlive() && AForm->PixelsPerInch() != m_ppi)
        RescaleForm(m_ppi);
    if (!FormAlive()) {
        Close();
        return;
    }
    const TFrameExtents frame = WindowFrameExtents(m_window);
    const TRect placed =
        CentreOnWorkArea(WindowWorkArea(m_window), frame, TPoint{AForm->Width(), AForm->Height()});
    SDL_SetWindowSize(m_window, placed.Width(), placed.Height());
    // A window not yet shown is placed by the top-left corner of its frame.
    SDL_SetWindowPosition(m_window, placed.Left - frame.Left, placed.Top - frame.Top);
    AForm->SetWidth(placed.Width());
    if (FormAlive())
        AForm->SetHeight(placed.Height());
    if (!FormAlive()) {
        Close();
        return;
    }
    if (!m_options.Hidden) {
        SDL_ShowWindow(m_window);
        // The window manager's answers (the frame, where the window now stands) reach SDL as
        // events; a window manager that gave no frame before may need the window moved in.
        SDL_PumpEvents();
    }
    FitWindowToForm();
    if (!m_options.Hidden)
        if ((m_access = TAccessBridge::Start()))
            m_access->AddWindow(*AForm, m_window);
    if (!SDL_GetWindowSurface(m_window)) {
        const std::string why = SDL_GetError();
        Close();
        throw Exception("Cannot open a desktop window: " + why);
    }
    Flush();
}

void TWindowHost::RescaleForm(int NewPpi) {
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

void TWindowHost::ChangeResolution(int NewPpi) {
    RescaleForm(NewPpi);
    if (FormAlive())
        FitWindowToForm();
}

void TWindowHost::CheckResolution() {
    if (m_options.PixelsPerInch > 0 || !FormAlive())
        return;
    if (const int ppi = DisplayPixelsPerInch(m_window); ppi != m_ppi)
        ChangeResolution(ppi);
}

// The window takes the form's size where the monitor's work area has room for it; where it has
// not, the window stays inside the work area and the form takes the window's size, so that its
// aligned and anchored controls lay out again in what the user can see.
void TWindowHost::FitWindowToForm() {
    TCustomForm* form = Form();
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(m_window, &x, &y);
    SDL_GetWindowSize(m_window, &w, &h);
    const bool maximised = SDL_GetWindowFlags(m_window) & (SDL_WINDOW_MAXIMIZED | SDL_WINDOW_FULLSCREEN);
    m_frameExtents = WindowFrameExtents(m_window);
    const TRect wanted = maximised ? Bounds(x, y, w, h)
                                   : KeepOnWorkArea(WindowWorkArea(m_window), m_frameExtents,
                                                    Bounds(x, y, form->Width(), form->Height()));
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

// A window manager that frames the window late (one that starts after it, or adopts it) may
// leave the frame past the work area, the title bar above it where it cannot be reached to move
// the window: a new frame fits the window again, and the title bar is kept on the screen.
void TWindowHost::KeepTitleBarOnScreen() {
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
void TWindowHost::Drop(const SDL_DropEvent& Event) {
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

bool TWindowHost::HandleEvent(const SDL_Event& AnEvent) {
    if (!FormAlive())
        return false;
    SDL_Event Event = AnEvent;
    if (Event.type == SDL_DROPBEGIN || Event.type == SDL_DROPFILE || Event.type == SDL_DROPTEXT ||
        Event.type == SDL_DROPCOMPLETE) {
        Drop(Event.drop);
        return FormAlive() && Form()->Visible() && !Application->Terminated();
    }
    if (m_popups->Route(Event) == TPopupWindows::TRoute::Done)
        return Form()->Visible() && !Application->Terminated();
    if (Event.type == SDL_WINDOWEVENT && Event.window.windowID != SDL_GetWindowID(m_window))
        return true;
    // The desktop's focus went to another program: its popups go, as with a press elsewhere.
    if (Event.type == SDL_WINDOWEVENT && Event.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
        m_popups->Dismiss();
    if (!FormAlive())
        return false;
    m_input->Deliver(Event);
    if (!FormAlive())
        return false;
    if (Event.type == SDL_WINDOWEVENT) {
        switch (Event.window.event) {
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            m_presentAll = true;  // SDL made the window's pixels anew
            break;
        case SDL_WINDOWEVENT_MOVED:
        case SDL_WINDOWEVENT_DISPLAY_CHANGED:
            KeepTitleBarOnScreen();
            CheckResolution();
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
    return FormAlive() && Form()->Visible() && !Application->Terminated();
}

void TWindowHost::Flush() {
    if (m_access)
        m_access->Pump();  // readers' requests, then what changed for them
    if (m_broadcast)
        for (const TBroadcast& b : m_broadcast->Receive())
            Application->BroadcastToForms(WM_BROADCASTBYSHELL, b.WParam, b.LParam);
    DeliverPostedMessages();  // the timers that are due too
    if (!FormAlive())
        return;
    TCustomForm* form = Form();
    // A new frame from the window manager fits the window again, as a new size of the form does.
    if (form->Width() != m_fittedSize.X || form->Height() != m_fittedSize.Y ||
        ((SDL_GetWindowFlags(m_window) & SDL_WINDOW_SHOWN) && WindowFrameExtents(m_window) != m_frameExtents))
        FitWindowToForm();
    form->PaintInvalid();
    Present(false);
    UpdateCursor();
    m_input->PlaceInputMethod();
}

// The form is composed into the window's own pixels (SDL's window surface), which keep what
// was presented: only what the form repainted is composed again and shown.
void TWindowHost::Present(bool Everything) {
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
void TWindowHost::AttachFrame(const SDL_Surface& Surface) {
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

void TWindowHost::UpdateCursor() {
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
    SDL_Event event;
    bool open = true;
    while (open) {
        // Wake now and then without input: broadcasts and resolution changes need no event, and
        // a timer (a blinking caret, a held scroll arrow) wakes when it is due.
        if (SDL_WaitEventTimeout(&event, TimerWait(100))) {
            // Messages posted by one event's handlers are delivered before the next event.
            do {
                open = HandleEvent(event) && open;
                DeliverPostedMessages();
            } while (open && SDL_PollEvent(&event));
        } else {
            DeliverPostedMessages();
            CheckResolution();
            open = FormAlive() && Form()->Visible() && !Application->Terminated();
        }
        if (FormAlive())
            Flush();
        open = open && FormAlive();
    }
    Close();
}

void TWindowHost::Close() {
    if (m_capturing)
        SDL_CaptureMouse(SDL_FALSE);
    m_capturing = false;
    // The form's destruction saves its state; messages it posts on the way are dropped with it.
    if (TCustomForm* form = Form()) {
        if (m_access)
            m_access->RemoveWindow(*form);
        form->Free();
    }
    m_access = nullptr;
    m_watch.reset();
    m_input.reset();
    m_popups.reset();
    auto& hosts = openHosts();
    hosts.erase(std::remove(hosts.begin(), hosts.end(), this), hosts.end());
    if (hosts.empty())
        SetPopupScreenFinder(nullptr);
    m_broadcast.reset();
    if (m_window)
        Application->SetErrorDisplay(nullptr);
    for (auto& [shape, cursor] : m_cursors)
        SDL_FreeCursor(cursor);
    m_cursors.clear();
    m_shownCursor = crDefault;
    if (m_window)
        SDL_DestroyWindow(m_window);
    m_window = nullptr;
    m_frame.SetSurface(TPixelSurface{});
    m_converted.SetSize(0, 0);
    m_fittedSize = TPoint{};
    if (m_sdlStarted)
        stopVideo();
    m_sdlStarted = false;
}

}  // namespace host
