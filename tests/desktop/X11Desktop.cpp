#include "X11Desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <memory>
#include <vector>

namespace testsupport {

using framework::Bounds;
using framework::TPoint;
using framework::TRect;

namespace {
struct TDisplayCloser {
    void operator()(Display* D) const { XCloseDisplay(D); }
};
using DisplayPtr = std::unique_ptr<Display, TDisplayCloser>;

// A property of 32-bit items on a window; empty when it is not set.
std::vector<long> Cardinals(Display* X, Window W, const char* Name, Atom Type) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<long> values;
    if (XGetWindowProperty(X, W, XInternAtom(X, Name, False), 0, 16, False, Type, &type, &format, &count,
                           &after, &data) == Success &&
        data && format == 32)
        values.assign(reinterpret_cast<const long*>(data), reinterpret_cast<const long*>(data) + count);
    if (data)
        XFree(data);
    return values;
}
}  // namespace

TPoint ScreenSize() {
    const DisplayPtr x(XOpenDisplay(nullptr));
    if (!x)
        return TPoint{};
    return TPoint{DisplayWidth(x.get(), DefaultScreen(x.get())),
                  DisplayHeight(x.get(), DefaultScreen(x.get()))};
}

bool WindowManagerRunning() {
    const DisplayPtr x(XOpenDisplay(nullptr));
    return x &&
           !Cardinals(x.get(), DefaultRootWindow(x.get()), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).empty();
}

std::optional<TDesktopWindow> DesktopWindow(unsigned long W) {
    const DisplayPtr x(XOpenDisplay(nullptr));
    if (!x)
        return std::nullopt;
    XWindowAttributes attributes{};
    int left = 0, top = 0;
    Window child = 0;
    if (!XGetWindowAttributes(x.get(), W, &attributes) ||
        !XTranslateCoordinates(x.get(), W, DefaultRootWindow(x.get()), 0, 0, &left, &top, &child))
        return std::nullopt;
    TDesktopWindow window;
    window.Client = Bounds(left, top, attributes.width, attributes.height);
    window.Frame = window.Client;
    // Left, right, top, bottom, as the window manager sets them.
    if (const std::vector<long> frame = Cardinals(x.get(), W, "_NET_FRAME_EXTENTS", XA_CARDINAL);
        frame.size() == 4)
        window.Frame = TRect{window.Client.Left - static_cast<int>(frame[0]),
                             window.Client.Top - static_cast<int>(frame[2]),
                             window.Client.Right + static_cast<int>(frame[1]),
                             window.Client.Bottom + static_cast<int>(frame[3])};
    return window;
}

std::vector<TRect> OverrideRedirectWindows() {
    std::vector<TRect> shown;
    const DisplayPtr x(XOpenDisplay(nullptr));
    if (!x)
        return shown;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(x.get(), DefaultRootWindow(x.get()), &root, &parent, &children, &count))
        return shown;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes a{};
        if (XGetWindowAttributes(x.get(), children[i], &a) && a.override_redirect &&
            a.map_state == IsViewable)
            shown.push_back(Bounds(a.x, a.y, a.width, a.height));
    }
    if (children)
        XFree(children);
    return shown;
}

}  // namespace testsupport
