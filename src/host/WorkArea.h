#pragma once
// Where a window may stand on the desktop: the monitor's work area (the screen less the panels
// the desktop keeps), the frame the window manager puts round the window, and the placements
// that keep the whole frame, title bar first, inside the work area.

#include "framework/forms/Monitors.h"
#include "framework/rtl/Types.h"

#include <SDL.h>

#include <vector>

namespace host {

// The widths of the window manager's frame on each side of the window's client area.
struct TFrameExtents {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TFrameExtents&) const = default;
};

// The client area that fits Client into WorkArea with its frame: as large as it asked for, but
// no larger than the work area leaves room for; where it was, but moved in just so far that its
// frame lies inside (the top edge, where the title bar is, wins over the bottom).
framework::TRect KeepOnWorkArea(const framework::TRect& WorkArea, const TFrameExtents& Frame,
                                const framework::TRect& Client);
// The client area of Size, fitted as above and centred on WorkArea.
framework::TRect CentreOnWorkArea(const framework::TRect& WorkArea, const TFrameExtents& Frame,
                                  framework::TPoint Size);

// The work area of the monitor the window stands on (of the first monitor when SDL cannot
// tell); empty when SDL knows no monitor at all.
framework::TRect WindowWorkArea(SDL_Window* Window);
// The desktop's monitors by SDL's names, the first of them the primary one.
std::vector<framework::TMonitor> DesktopMonitors();
// The work area of the monitor that holds most of Client (of the first when none does); empty
// when SDL knows no monitor at all.
framework::TRect WorkAreaUnder(const framework::TRect& Client);
// The window manager's frame round Window: once the window is shown, what SDL last heard of it
// (no round trip to the display); before that, on X11, what the window manager answers a
// request for it. Zero where there is no frame or nothing answers.
TFrameExtents WindowFrameExtents(SDL_Window* Window);

}  // namespace host
