#include "framework/graphics/GraphUtil.h"

#include "framework/rtl/Rounding.h"
#include "framework/rtl/StrUtils.h"

#include <algorithm>
#include <cmath>

namespace framework {

const std::array<TIdentMapEntry, WebNamedColorsCount>& WebNamedColors() {
    // Values are 0x00BBGGRR of the CSS colours.
    static const std::array<TIdentMapEntry, WebNamedColorsCount> table{{
        {0xFAFAFF, "clWebSnow"},
        {0xF0FAFF, "clWebFloralWhite"},
        {0xF5F0FF, "clWebLavenderBlush"},
        {0xE6F5FD, "clWebOldLace"},
        {0xF0FFFF, "clWebIvory"},
        {0xDCF8FF, "clWebCornSilk"},
        {0xDCF5F5, "clWebBeige"},
        {0xD7EBFA, "clWebAntiqueWhite"},
        {0xB3DEF5, "clWebWheat"},
        {0xFFF8F0, "clWebAliceBlue"},
        {0xFFF8F8, "clWebGhostWhite"},
        {0xFAE6E6, "clWebLavender"},
        {0xEEF5FF, "clWebSeashell"},
        {0xE0FFFF, "clWebLightYellow"},
        {0xD5EFFF, "clWebPapayaWhip"},
        {0xADDEFF, "clWebNavajoWhite"},
        {0xB5E4FF, "clWebMoccasin"},
        {0x87B8DE, "clWebBurlywood"},
        {0xFFFFF0, "clWebAzure"},
        {0xFAFFF5, "clWebMintcream"},
        {0xF0FFF0, "clWebHoneydew"},
        {0xE6F0FA, "clWebLinen"},
        {0xCDFAFF, "clWebLemonChiffon"},
        {0xCDEBFF, "clWebBlanchedAlmond"},
        {0xC4E4FF, "clWebBisque"},
        {0xB9DAFF, "clWebPeachPuff"},
        {0x8CB4D2, "clWebTan"},
        {0x00FFFF, "clWebYellow"},
        {0x008CFF, "clWebDarkOrange"},
        {0x0000FF, "clWebRed"},
        {0x00008B, "clWebDarkRed"},
        {0x000080, "clWebMaroon"},
        {0x5C5CCD, "clWebIndianRed"},
        {0x7280FA, "clWebSalmon"},
        {0x507FFF, "clWebCoral"},
        {0x00D7FF, "clWebGold"},
        {0x4763FF, "clWebTomato"},
        {0x3C14DC, "clWebCrimson"},
        {0x2A2AA5, "clWebBrown"},
        {0x1E69D2, "clWebChocolate"},
        {0x60A4F4, "clWebSandyBrown"},
        {0x7AA0FF, "clWebLightSalmon"},
        {0x8080F0, "clWebLightCoral"},
        {0x00A5FF, "clWebOrange"},
        {0x0045FF, "clWebOrangeRed"},
        {0x2222B2, "clWebFirebrick"},
        {0x13458B, "clWebSaddleBrown"},
        {0x2D52A0, "clWebSienna"},
        {0x3F85CD, "clWebPeru"},
        {0x7A96E9, "clWebDarkSalmon"},
        {0x8F8FBC, "clWebRosyBrown"},
        {0xAAE8EE, "clWebPaleGoldenrod"},
        {0xD2FAFA, "clWebLightGoldenrodYellow"},
        {0x008080, "clWebOlive"},
        {0x228B22, "clWebForestGreen"},
        {0x2FFFAD, "clWebGreenYellow"},
        {0x00FF7F, "clWebChartreuse"},
        {0x90EE90, "clWebLightGreen"},
        {0xD4FF7F, "clWebAquamarine"},
        {0x578B2E, "clWebSeaGreen"},
        {0x20A5DA, "clWebGoldenRod"},
        {0x8CE6F0, "clWebKhaki"},
        {0x238E6B, "clWebOliveDrab"},
        {0x008000, "clWebGreen"},
        {0x32CD9A, "clWebYellowGreen"},
        {0x00FC7C, "clWebLawnGreen"},
        {0x98FB98, "clWebPaleGreen"},
        {0xAACD66, "clWebMediumAquamarine"},
        {0x71B33C, "clWebMediumSeaGreen"},
        {0x0B86B8, "clWebDarkGoldenRod"},
        {0x6BB7BD, "clWebDarkKhaki"},
        {0x2F6B55, "clWebDarkOliveGreen"},
        {0x006400, "clWebDarkgreen"},
        {0x32CD32, "clWebLimeGreen"},
        {0x00FF00, "clWebLime"},
        {0x7FFF00, "clWebSpringGreen"},
        {0x9AFA00, "clWebMediumSpringGreen"},
        {0x8FBC8F, "clWebDarkSeaGreen"},
        {0xAAB220, "clWebLightSeaGreen"},
        {0xEEEEAF, "clWebPaleTurquoise"},
        {0xFFFFE0, "clWebLightCyan"},
        {0xE6D8AD, "clWebLightBlue"},
        {0xFACE87, "clWebLightSkyBlue"},
        {0xED9564, "clWebCornFlowerBlue"},
        {0x8B0000, "clWebDarkBlue"},
        {0x82004B, "clWebIndigo"},
        {0xCCD148, "clWebMediumTurquoise"},
        {0xD0E040, "clWebTurquoise"},
        {0xFFFF00, "clWebCyan"},
        {0xE6E0B0, "clWebPowderBlue"},
        {0xEBCE87, "clWebSkyBlue"},
        {0xE16941, "clWebRoyalBlue"},
        {0xCD0000, "clWebMediumBlue"},
        {0x701919, "clWebMidnightBlue"},
        {0xD1CE00, "clWebDarkTurquoise"},
        {0xA09E5F, "clWebCadetBlue"},
        {0x8B8B00, "clWebDarkCyan"},
        {0x808000, "clWebTeal"},
        {0xFFBF00, "clWebDeepskyBlue"},
        {0xFF901E, "clWebDodgerBlue"},
        {0xFF0000, "clWebBlue"},
        {0x800000, "clWebNavy"},
        {0xD30094, "clWebDarkViolet"},
        {0xCC3299, "clWebDarkOrchid"},
        {0xFF00FF, "clWebMagenta"},
        {0x8B008B, "clWebDarkMagenta"},
        {0x8515C7, "clWebMediumVioletRed"},
        {0x9370DB, "clWebPaleVioletRed"},
        {0xE22B8A, "clWebBlueViolet"},
        {0xD355BA, "clWebMediumOrchid"},
        {0xDB7093, "clWebMediumPurple"},
        {0x800080, "clWebPurple"},
        {0x9314FF, "clWebDeepPink"},
        {0xC1B6FF, "clWebLightPink"},
        {0xEE82EE, "clWebViolet"},
        {0xD670DA, "clWebOrchid"},
        {0xDDA0DD, "clWebPlum"},
        {0xD8BFD8, "clWebThistle"},
        {0xB469FF, "clWebHotPink"},
        {0xCBC0FF, "clWebPink"},
        {0xDEC4B0, "clWebLightSteelBlue"},
        {0xEE687B, "clWebMediumSlateBlue"},
        {0x998877, "clWebLightSlateGray"},
        {0xFFFFFF, "clWebWhite"},
        {0xD3D3D3, "clWebLightgrey"},
        {0x808080, "clWebGray"},
        {0xB48246, "clWebSteelBlue"},
        {0xCD5A6A, "clWebSlateBlue"},
        {0x908070, "clWebSlateGray"},
        {0xF5F5F5, "clWebWhiteSmoke"},
        {0xC0C0C0, "clWebSilver"},
        {0x696969, "clWebDimGray"},
        {0xE1E4FF, "clWebMistyRose"},
        {0x8B3D48, "clWebDarkSlateBlue"},
        {0x4F4F2F, "clWebDarkSlategray"},
        {0xDCDCDC, "clWebGainsboro"},
        {0xA9A9A9, "clWebDarkGray"},
        {0x000000, "clWebBlack"},
    }};
    return table;
}

namespace {

int hlsKey(TColor color, TColorArraySortType SortType) {
    int h = 0, l = 0, s = 0;
    ColorRGBToHLS(ColorToRGB(color), h, l, s);
    return SortType == stHue ? h : SortType == stLuminance ? l : s;
}

// The number an entry is ordered by, for every sort type but the name.
std::int64_t sortKey(const TIdentMapEntry& e, TColorArraySortType SortType) {
    const TColor rgb = ColorToRGB(e.Value);
    switch (SortType) {
    case stHue:
    case stSaturation:
    case stLuminance:
        return hlsKey(rgb, SortType);
    case stRed:
        return GetRValue(rgb);
    case stGreen:
        return GetGValue(rgb);
    case stBlue:
        return GetBValue(rgb);
    case stCombo:
        return GetRValue(rgb) + GetGValue(rgb) + GetBValue(rgb);
    default:
        return static_cast<std::uint32_t>(e.Value);
    }
}

}  // namespace

void SortColorArray(TColorArray& A, int L, int R, TColorArraySortType SortType, bool Reverse) {
    L = std::max(L, 0);
    R = std::min(R, static_cast<int>(A.size()) - 1);
    if (L >= R)
        return;
    const auto first = A.begin() + L, last = A.begin() + R + 1;
    if (SortType == stName) {
        std::stable_sort(first, last, [Reverse](const TIdentMapEntry& a, const TIdentMapEntry& b) {
            const int c = CompareText(a.Name, b.Name);
            return Reverse ? c > 0 : c < 0;
        });
        return;
    }
    // Keys are computed once per entry, not once per comparison: tables may be long.
    struct Keyed {
        std::int64_t key;
        int index;
    };
    std::vector<Keyed> keys;
    keys.reserve(static_cast<std::size_t>(R - L + 1));
    for (int i = L; i <= R; ++i)
        keys.push_back({sortKey(A[static_cast<std::size_t>(i)], SortType), i});
    std::stable_sort(keys.begin(), keys.end(), [Reverse](const Keyed& a, const Keyed& b) {
        return Reverse ? a.key > b.key : a.key < b.key;
    });
    TColorArray sorted;
    sorted.reserve(keys.size());
    for (const Keyed& k : keys)
        sorted.push_back(std::move(A[static_cast<std::size_t>(k.index)]));
    std::move(sorted.begin(), sorted.end(), first);
}

// The integer model of the platform's colour dialog: components rounded at every step.
namespace {
int round(double X) { return static_cast<int>(RoundHalfEven(X)); }
}  // namespace

void ColorRGBToHLS(TColor clrRGB, int& Hue, int& Luminance, int& Saturation) {
    const int r = GetRValue(clrRGB), g = GetGValue(clrRGB), b = GetBValue(clrRGB);
    const int cMax = std::max({r, g, b}), cMin = std::min({r, g, b});
    Luminance = round(((cMax + cMin) * HLSMAX + RGBMAX) / (2.0 * RGBMAX));
    if (cMax == cMin) {
        Saturation = 0;
        Hue = HLSMAX * 2 / 3;
        return;
    }
    const double delta = cMax - cMin;
    if (Luminance <= HLSMAX / 2)
        Saturation = round((delta * HLSMAX + (cMax + cMin) / 2.0) / (cMax + cMin));
    else
        Saturation =
            round((delta * HLSMAX + (2.0 * RGBMAX - cMax - cMin) / 2.0) / (2.0 * RGBMAX - cMax - cMin));
    auto part = [&](int c) { return round(((cMax - c) * (HLSMAX / 6.0) + delta / 2.0) / delta); };
    const int rDelta = part(r), gDelta = part(g), bDelta = part(b);
    if (r == cMax)
        Hue = bDelta - gDelta;
    else if (g == cMax)
        Hue = HLSMAX / 3 + rDelta - bDelta;
    else
        Hue = 2 * HLSMAX / 3 + gDelta - rDelta;
    if (Hue < 0)
        Hue += HLSMAX;
    if (Hue > HLSMAX)
        Hue -= HLSMAX;
}

namespace {

double hueToRGB(double n1, double n2, double hue) {
    if (hue < 0)
        hue += HLSMAX;
    if (hue > HLSMAX)
        hue -= HLSMAX;
    if (hue < HLSMAX / 6.0)
        return n1 + ((n2 - n1) * hue + HLSMAX / 12.0) / (HLSMAX / 6.0);
    if (hue < HLSMAX / 2.0)
        return n2;
    if (hue < HLSMAX * 2.0 / 3.0)
        return n1 + ((n2 - n1) * (HLSMAX * 2.0 / 3.0 - hue) + HLSMAX / 12.0) / (HLSMAX / 6.0);
    return n1;
}

int component(double value) {
    return static_cast<int>(std::clamp<std::int64_t>(RoundHalfEven(value), 0, RGBMAX));
}

}  // namespace

TColor ColorHLSToRGB(int Hue, int Luminance, int Saturation) {
    // Components outside the model would wrap round in the packed colour; they are cut first.
    const double h = std::clamp(Hue, 0, HLSMAX), l = std::clamp(Luminance, 0, HLSMAX),
                 s = std::clamp(Saturation, 0, HLSMAX);
    if (s == 0) {
        const int grey = component(l * RGBMAX / HLSMAX);
        return RGB(grey, grey, grey);
    }
    const double magic2 = l <= HLSMAX / 2.0 ? (l * (HLSMAX + s) + HLSMAX / 2.0) / HLSMAX
                                            : l + s - (l * s + HLSMAX / 2.0) / HLSMAX;
    const double magic1 = 2 * l - magic2;
    auto channel = [&](double hue) {
        return component((hueToRGB(magic1, magic2, hue) * RGBMAX + HLSMAX / 2.0) / HLSMAX);
    };
    return RGB(channel(h + HLSMAX / 3.0), channel(h), channel(h - HLSMAX / 3.0));
}

TColor ColorAdjustLuma(TColor RGB, int n, bool /*fScale*/) {
    int h = 0, l = 0, s = 0;
    ColorRGBToHLS(ColorToRGB(RGB), h, l, s);
    return ColorHLSToRGB(h, l + n, s);
}

TColor GetHighLightColor(TColor Color, int Luminance) {
    if (Color == clBtnFace && Luminance == 19)
        return clBtnHighlight;
    int h = 0, l = 0, s = 0;
    ColorRGBToHLS(ColorToRGB(Color), h, l, s);
    if (s > 220)
        return ColorHLSToRGB(h, l - Luminance, s);
    return ColorAdjustLuma(Color, Luminance, false);
}

TColor GetShadowColor(TColor Color, int Luminance) {
    if (Color == clBtnFace && Luminance == -50)
        return clBtnShadow;
    int h = 0, l = 0, s = 0;
    ColorRGBToHLS(ColorToRGB(Color), h, l, s);
    return ColorHLSToRGB(h, l + Luminance, s);
}

}  // namespace framework
