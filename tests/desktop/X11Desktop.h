#pragma once
// What the X server says about the desktop and a window on it, for the desktop tests: the
// screen's size, whether a window manager runs, where a window's client area stands and how
// wide the frame round it is.

#include "framework/rtl/Types.h"

#include <optional>
#include <vector>

namespace testsupport {

struct TDesktopWindow {
    framework::TRect Client;  // the client area, in the screen's coordinates
    framework::TRect Frame;   // the client area with the window manager's frame round it
};

// The size of the default screen; (0, 0) when the display cannot be opened.
framework::TPoint ScreenSize();
// True once a window manager has announced itself on the root window (_NET_SUPPORTING_WM_CHECK).
bool WindowManagerRunning();
// The window's client area and frame as the server has them now; none when it is not there.
std::optional<TDesktopWindow> DesktopWindow(unsigned long Window);
// The screen rectangles of the shown windows that no window manager frames (popups, tooltips).
std::vector<framework::TRect> OverrideRedirectWindows();

}  // namespace testsupport
