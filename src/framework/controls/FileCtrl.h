#pragma once
// Shortening a path to a width in pixels for display.

#include "framework/graphics/Canvas.h"

#include <string>

namespace framework {

// Replaces leading folders of FileName with "..." until it fits MaxLen pixels in the canvas's
// font; a name without folders comes back unchanged, even when it is too wide.
std::string MinimizeName(const std::string& FileName, TCanvas& Canvas, int MaxLen);

}  // namespace framework
