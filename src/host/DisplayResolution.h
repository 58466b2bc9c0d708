#pragma once
// The resolution of the display a window is on, in pixels per inch, as Screen.PixelsPerInch
// takes it: what the display reports; where it reports none (a virtual X server reports 0),
// the desktop's "Xft.dpi" resource; else 96.

#include <SDL.h>

#include <string_view>

namespace host {

// The value of "Xft.dpi" in the text of the X resource database ("name:\tvalue" lines), taken
// to the nearest integer; 0 when it is missing, not a number, or not between 1 and 10000.
int XftDpiFromResources(std::string_view Resources);

// The resolution for a window: the display's, then Xft.dpi, then 96.
int DisplayPixelsPerInch(SDL_Window* Window);

}  // namespace host
