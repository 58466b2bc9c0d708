#pragma once
// The colours of each style. Every getter maps a style to one colour and has no side effects.
// Text is legible on its background: text on background and highlighted text on the
// highlight each have a contrast ratio of at least 4.5 to 1.

#include "framework/controls/ScrollInfo.h"
#include "framework/graphics/Colors.h"
#include "vendor/Advstyleif.h"

namespace sibling {

using framework::TColor;
using vendor::TTMSStyle;

TColor GetABaseTMSBackgroundColour(TTMSStyle AStyle);
TColor GetABaseTMSTextColour(TTMSStyle AStyle);
TColor GetABaseTMSHighlightBackgroundColour(TTMSStyle AStyle);
TColor GetABaseTMSHighlightedTextColour(TTMSStyle AStyle);
TColor GetABaseTMSGradientBackgroundDarkColour(TTMSStyle AStyle);
TColor GetABaseTMSGradientBackgroundLightColour(TTMSStyle AStyle);
TColor GetABaseTMSScrollDarkBackgroundColour(TTMSStyle AStyle);
TColor GetABaseTMSScrollTextColour(TTMSStyle AStyle);
// The text colours that mark the most frequent words and the searched word in a list.
TColor GetABaseTMSTextColour_MOSTFREQUENT(TTMSStyle AStyle);
TColor GetABaseTMSTextColour_SEARCHWORD(TTMSStyle AStyle);

// A scroll bar in the style: its arrows and thumb in the scroll colours (the pair the style
// keeps legible), on a track of the background colour, edged in the dark gradient colour.
framework::TScrollBarColors GetABaseTMSScrollBarColours(TTMSStyle AStyle);

// The framework's system colours (clWindow, clWindowText, clBtnFace, clHighlight, ...) as a
// desktop theme of the style sets them, so that whatever is painted in system colours stays
// legible in the style. The light styles keep the desktop's light colours; the dark and the
// high-contrast style bring their own. Called whenever a window takes a style.
void ApplyTMSStyleToSystemColours(TTMSStyle AStyle);

// The contrast ratio of two colours (1 to 21), by relative luminance; system colours resolved.
double ContrastRatio(TColor A, TColor B);

}  // namespace sibling
