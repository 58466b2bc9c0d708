#pragma once
// Sizes that follow the monitor: a design size at 96 pixels per inch becomes the size at the
// screen's current resolution and the user's font scale.

namespace vendor {

// The screen's pixels per inch over the design's 96 (1.0 at 96, 1.5 at 144).
double CurrentDPIScale();
// The scale of a monitor of that resolution, in single precision as the suite keeps it.
float CurrentDPIScale(int PixelsPerInch);
// A design size at the screen's current resolution; rounding is the caller's.
double ScreenScaled(double Value);
// A design size on a monitor of that font scale. The scale of a monitor is that of its
// resolution (CurrentDPIScale), so it is applied alone: multiplying by the screen's scale as
// well would count the resolution twice (36-pixel rows for 16 at 144 pixels per inch).
double ScreenScaled(double Value, float FontScale);

}  // namespace vendor
