#pragma once
// The focus frame: the solid outline a focused control shows where the focus is. The classic
// dotted rectangle inverts the pixels under it and is hard to see on dark colours; this one is
// drawn in the first of a few colours that stands out at least 3:1 from the pixels it covers.

#include "framework/graphics/Canvas.h"

namespace framework {

// The minimum luminance contrast of a focus indicator against what lies under it.
inline constexpr double kFocusFrameContrast = 3.0;

// The contrast ratio of the relative luminances of two colours (1 to 21), as accessibility
// guidelines measure it; system colours are resolved first.
double LuminanceContrast(TColor A, TColor B);

// The frame's width: 1 pixel at 96 pixels per inch, 2 at 144 (SM_CXFOCUSBORDER).
int FocusFrameWidth();

// The colour the frame inside R takes: Preferred (the control's text colour, say) when it
// stands out from the pixels the frame covers, else the highlight, black or white, whichever
// stands out from most of them.
TColor FocusFrameColor(TCanvas& Canvas, const TRect& R, TColor Preferred);

// Draws the frame along the inside of R, FocusFrameWidth() pixels wide.
void DrawFocusFrame(TCanvas& Canvas, const TRect& R, TColor Preferred);

}  // namespace framework
