#pragma once
// Painting single lines of text in either reading direction, and telling numbers from text.

#include "framework/graphics/WinGdi.h"
#include "framework/rtl/Types.h"

#include <string_view>

namespace sibling {

// True exactly for the texts that StrToFloat converts under the global format settings.
bool IsANumber(std::string_view Text);

// True when the first character with a strong direction is written right to left (Hebrew,
// Arabic, Syriac, Thaana, N'Ko and their presentation forms).
bool IsRightToLeftText(std::string_view Text);

// Paints Text on one line inside Rect with the canvas's font and brush, two pixels in from the
// edge its reading direction starts from: left-to-right text from the left, right-to-left text
// from the right. A text wider than the room (TextWidth says how wide it is) is cut at its end
// and the cut marked with an ellipsis. Nothing is painted outside Rect.
void EllipsisOutputALine(framework::HDC DC, std::string_view Text, const framework::TRect& Rect,
                         int TextWidth);

}  // namespace sibling
