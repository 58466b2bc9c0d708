#pragma once
// The desktop's monitors and where a form's window stands on them. A window host fills the
// list (Screen->Monitors) and keeps each open form's placement up to date; code below the host,
// the form-state memory among it, reads them, and a placement given to a form before its window
// opens is where the host opens the window.

#include "framework/rtl/Types.h"

#include <string>
#include <string_view>
#include <vector>

namespace framework {

struct TMonitor {
    std::string Name;    // as the desktop names it; may be empty
    TRect BoundsRect;    // in the desktop's pixels
    TRect WorkareaRect;  // BoundsRect less the desktop's panels
    bool Primary = false;
};

// Where a form's window stands, in the desktop's pixels.
struct TWindowPlacement {
    TRect Bounds;  // the window's client area when it is not maximised
    bool Maximized = false;
    std::string Monitor;  // the name of the monitor it stands on
    bool operator==(const TWindowPlacement&) const = default;
};

// The monitor named Name, or null.
const TMonitor* FindMonitor(const std::vector<TMonitor>& Monitors, std::string_view Name);
// The primary monitor, else the first; null when none is known.
const TMonitor* PrimaryMonitor(const std::vector<TMonitor>& Monitors);

}  // namespace framework
