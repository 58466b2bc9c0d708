#include "host/WorkArea.h"

#include <SDL_syswm.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace host {

using namespace framework;

namespace {
// Start and length of a span of Want that fits between Low and High with Before and After
// beside it: shortened to the room there is, moved in from whichever edge it passes, the low
// edge last so that it wins.
void fitSpan(int Low, int High, int Before, int After, int& Start, int& Length) {
    const int room = High - Low - Before - After;
    Length = std::max(1, std::min(Length, room));
    if (Start + Length + After > High)
        Start = High - After - Length;
    if (Start - Before < Low)
        Start = Low + Before;
}
}  // namespace

TRect KeepOnWorkArea(const TRect& WorkArea, const TFrameExtents& Frame, const TRect& Client) {
    if (WorkArea.IsEmpty())
        return Client;
    int left = Client.Left, width = Client.Width(), top = Client.Top, height = Client.Height();
    fitSpan(WorkArea.Left, WorkArea.Right, Frame.Left, Frame.Right, left, width);
    fitSpan(WorkArea.Top, WorkArea.Bottom, Frame.Top, Frame.Bottom, top, height);
    return Bounds(left, top, width, height);
}

TRect CentreOnWorkArea(const TRect& WorkArea, const TFrameExtents& Frame, TPoint Size) {
    const TRect fitted = KeepOnWorkArea(WorkArea, Frame, Bounds(WorkArea.Left, WorkArea.Top, Size.X, Size.Y));
    const int outerWidth = fitted.Width() + Frame.Left + Frame.Right;
    const int outerHeight = fitted.Height() + Frame.Top + Frame.Bottom;
    const int left = WorkArea.Left + std::max(0, (WorkArea.Width() - outerWidth) / 2) + Frame.Left;
    const int top = WorkArea.Top + std::max(0, (WorkArea.Height() - outerHeight) / 2) + Frame.Top;
    return Bounds(left, top, fitted.Width(), fitted.Height());
}

namespace {
// The work area of SDL's display Index (of the first for none); empty when there is none.
TRect displayWorkArea(int Index) {
    SDL_Rect area{};
    if (Index < 0)
        Index = 0;
    if (SDL_GetDisplayUsableBounds(Index, &area) != 0 && SDL_GetDisplayBounds(Index, &area) != 0)
        return TRect{};
    return Bounds(area.x, area.y, area.w, area.h);
}
}  // namespace

TRect WindowWorkArea(SDL_Window* Window) {
    return displayWorkArea(Window ? SDL_GetWindowDisplayIndex(Window) : 0);
}

std::vector<TMonitor> DesktopMonitors() {
    std::vector<TMonitor> monitors;
    for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
        SDL_Rect bounds{}, usable{};
        if (SDL_GetDisplayBounds(i, &bounds) != 0)
            continue;
        if (SDL_GetDisplayUsableBounds(i, &usable) != 0)
            usable = bounds;
        const char* name = SDL_GetDisplayName(i);
        monitors.push_back(TMonitor{name ? name : "", Bounds(bounds.x, bounds.y, bounds.w, bounds.h),
                                    Bounds(usable.x, usable.y, usable.w, usable.h), i == 0});
    }
    return monitors;
}

TRect WorkAreaUnder(const TRect& Client) {
    const SDL_Rect rect{Client.Left, Client.Top, std::max(Client.Width(), 1), std::max(Client.Height(), 1)};
    return displayWorkArea(SDL_GetRectDisplayIndex(&rect));
}

namespace {
#if defined(SDL_VIDEO_DRIVER_X11)
// The window manager's _NET_FRAME_EXTENTS of an X window, when it has set them.
bool readFrameExtents(Display* X, Window W, Atom Extents, TFrameExtents& Frame) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const int status =
        XGetWindowProperty(X, W, Extents, 0, 4, False, XA_CARDINAL, &type, &format, &count, &after, &data);
    const bool found = status == Success && data && format == 32 && count == 4;
    if (found) {
        const auto* v = reinterpret_cast<const long*>(data);
        Frame = TFrameExtents{static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]),
                              static_cast<int>(v[3])};
    }
    if (data)
        XFree(data);
    return found;
}

// Whether the running window manager says it answers Atom (in _NET_SUPPORTED on the root).
bool windowManagerSupports(Display* X, Atom Wanted) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(X, DefaultRootWindow(X), XInternAtom(X, "_NET_SUPPORTED", False), 0, 4096, False,
                           XA_ATOM, &type, &format, &count, &after, &data) == Success &&
        data && format == 32) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        found = std::find(atoms, atoms + count, Wanted) != atoms + count;
    }
    if (data)
        XFree(data);
    return found;
}

// The frame the window manager has set on the window (_NET_FRAME_EXTENTS). Before a window is
// mapped, a window manager that says it does sets it when asked (_NET_REQUEST_FRAME_EXTENTS);
// its answer is awaited for a second at most. False where the window is not on X11.
bool x11FrameExtents(SDL_Window* AWindow, TFrameExtents& Frame) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(AWindow, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    Display* x = info.info.x11.display;
    const Window w = info.info.x11.window;
    const Atom extents = XInternAtom(x, "_NET_FRAME_EXTENTS", False);
    const Atom request = XInternAtom(x, "_NET_REQUEST_FRAME_EXTENTS", False);
    if (readFrameExtents(x, w, extents, Frame) || (SDL_GetWindowFlags(AWindow) & SDL_WINDOW_SHOWN) ||
        !windowManagerSupports(x, request))
        return true;
    XEvent ask{};
    ask.xclient.type = ClientMessage;
    ask.xclient.window = w;
    ask.xclient.message_type = request;
    ask.xclient.format = 32;
    XSendEvent(x, DefaultRootWindow(x), False, SubstructureRedirectMask | SubstructureNotifyMask, &ask);
    XFlush(x);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (std::chrono::steady_clock::now() < end && !readFrameExtents(x, w, extents, Frame))
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return true;
}
#else
bool x11FrameExtents(SDL_Window*, TFrameExtents&) { return false; }
#endif
}  // namespace

TFrameExtents WindowFrameExtents(SDL_Window* Window) {
    TFrameExtents frame;
    if (!Window)
        return frame;
    // Shown, the window's frame is what SDL last heard from the window manager.
    if ((SDL_GetWindowFlags(Window) & SDL_WINDOW_SHOWN) &&
        SDL_GetWindowBordersSize(Window, &frame.Top, &frame.Left, &frame.Bottom, &frame.Right) == 0)
        return frame;
    frame = TFrameExtents{};
    x11FrameExtents(Window, frame);
    return frame;
}

}  // namespace host
