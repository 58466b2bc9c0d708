#pragma once
// Sizes that follow the monitor: a design size at 96 pixels per inch becomes the size at the
// screen's current resolution and the user's font scale.

namespace vendor {

// The screen's pixels per inch over the design's 96 (1.0 at 96, 1.5 at 144).
double CurrentDPIScale();
// The scale of a monitor of that resolution, in single precision as the suite keeps it.
float CurrentDPIScale(int PixelsPerInch);
// A design size at the current resolution and font scale; rounding is the caller's.
double ScreenScaled(double Value, float FontScale = 1.0f);

}  // namespace vendor
