#include "host/DisplayResolution.h"

#include <SDL_syswm.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace host {

namespace {
std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

#if defined(SDL_VIDEO_DRIVER_X11)
// The resource database as the X server holds it now (the root window's RESOURCE_MANAGER),
// read afresh each time, as Xlib keeps only the text it found when the display was opened.
std::string currentXResources(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return {};
    Display* display = info.info.x11.display;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, 0,
                                          1 << 20, False, XA_STRING, &type, &format, &count, &after, &data);
    std::string text;
    if (status == Success && data && format == 8)
        text.assign(reinterpret_cast<const char*>(data), count);
    if (data)
        XFree(data);
    return text;
}
#else
std::string currentXResources(SDL_Window*) { return {}; }
#endif
}  // namespace

int XftDpiFromResources(std::string_view Resources) {
    while (!Resources.empty()) {
        const std::size_t end = Resources.find('\n');
        std::string_view line = Resources.substr(0, end);
        Resources = end == std::string_view::npos ? std::string_view{} : Resources.substr(end + 1);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || trim(line.substr(0, colon)) != "Xft.dpi")
            continue;
        const std::string value(trim(line.substr(colon + 1)));
        if (value.empty())
            return 0;
        char* stop = nullptr;
        const double dpi = std::strtod(value.c_str(), &stop);
        if (stop != value.c_str() + value.size() || !(dpi >= 1 && dpi <= 10000))
            return 0;
        return static_cast<int>(std::lround(dpi));
    }
    return 0;
}

int DisplayPixelsPerInch(SDL_Window* Window) {
    const int index = Window ? SDL_GetWindowDisplayIndex(Window) : 0;
    float ddpi = 0;
    if (index >= 0 && SDL_GetDisplayDPI(index, &ddpi, nullptr, nullptr) == 0 && ddpi >= 1 && ddpi <= 10000)
        return static_cast<int>(std::lround(ddpi));
    if (const int xft = XftDpiFromResources(currentXResources(Window)); xft > 0)
        return xft;
    return 96;
}

}  // namespace host
