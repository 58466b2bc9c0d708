#pragma once
// Colour tables and colour arithmetic of the classic graphics utilities: the web-named colours,
// sorting a colour table by name, value or a colour component, and the hue-luminance-saturation
// model (hue, luminance and saturation each 0..240) with the lighter and darker shades built
// on it.

#include "framework/graphics/Colors.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace framework {

// A value with its name, as the classic identifier maps hold them.
struct TIdentMapEntry {
    int Value = 0;
    std::string Name;
    bool operator==(const TIdentMapEntry&) const = default;
};
using TColorArray = std::vector<TIdentMapEntry>;

inline constexpr int WebNamedColorsCount = 138;
// The CSS colours by name ("clWebSnow", ...), light tints first, then by colour family.
const std::array<TIdentMapEntry, WebNamedColorsCount>& WebNamedColors();

// The components a colour table can be ordered by. stName and stValue come after the classic
// seven, whose ordinals stay 0 to 6.
enum TColorArraySortType {
    stHue,
    stSaturation,
    stLuminance,
    stRed,
    stGreen,
    stBlue,
    stCombo,
    stName,
    stValue
};

// Sorts A[L..R] (both inclusive) in place, ascending, or descending with Reverse. Entries with
// equal keys keep their order. A system colour is judged by its current value; names compare
// without regard to case; values compare as unsigned 32-bit numbers. Indices outside the
// table are cut to it, so a range that misses it sorts nothing.
void SortColorArray(TColorArray& A, int L, int R, TColorArraySortType SortType, bool Reverse = false);

inline constexpr int HLSMAX = 240;
inline constexpr int RGBMAX = 255;

// Hue, luminance and saturation of a plain 0x00BBGGRR colour; a grey has hue 160, saturation 0.
void ColorRGBToHLS(TColor clrRGB, int& Hue, int& Luminance, int& Saturation);
// The colour of those components, each taken into 0..240 first.
TColor ColorHLSToRGB(int Hue, int Luminance, int Saturation);
// The colour (system colours resolved) with its luminance moved by n steps, kept in 0..240.
TColor ColorAdjustLuma(TColor RGB, int n, bool fScale);
// A lighter shade for highlights: Luminance steps lighter, but darker for a colour so
// saturated (above 220) that lightening would wash it out. The button face at the default
// answers the system's button highlight colour itself.
TColor GetHighLightColor(TColor Color, int Luminance = 19);
// A darker shade for shadows; the button face at the default answers the button shadow colour.
TColor GetShadowColor(TColor Color, int Luminance = -50);

}  // namespace framework
