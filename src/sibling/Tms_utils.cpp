#include "sibling/Tms_utils.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace sibling {

using framework::RGB;

namespace {

struct StyleColours {
    TColor Background;
    TColor Text;
    TColor HighlightBackground;
    TColor HighlightedText;
    TColor GradientDark;
    TColor GradientLight;
    TColor ScrollDark;
    TColor ScrollText;
    TColor MostFrequent;
    TColor SearchWord;
};

// One row per style, in the order of TTMSStyle.
constexpr std::array<StyleColours, vendor::kTMSStyleCount> kStyles{{
    // Light: white paper, near-black text, a calm blue selection.
    {RGB(255, 255, 255), RGB(32, 32, 32), RGB(0, 95, 184), RGB(255, 255, 255), RGB(218, 222, 228),
     RGB(246, 247, 249), RGB(205, 210, 218), RGB(32, 32, 32), RGB(160, 40, 30), RGB(0, 100, 40)},
    // Blue: pale blue panes, navy text.
    {RGB(234, 242, 252), RGB(16, 38, 82), RGB(31, 78, 160), RGB(255, 255, 255), RGB(176, 202, 236),
     RGB(222, 234, 250), RGB(160, 190, 230), RGB(16, 38, 82), RGB(170, 30, 60), RGB(0, 100, 60)},
    // Silver: grey panes, charcoal text.
    {RGB(238, 239, 241), RGB(40, 42, 46), RGB(88, 96, 110), RGB(255, 255, 255), RGB(196, 200, 206),
     RGB(232, 234, 237), RGB(182, 186, 194), RGB(40, 42, 46), RGB(150, 40, 40), RGB(20, 90, 60)},
    // Olive: warm green-grey panes, dark olive text.
    {RGB(240, 242, 230), RGB(44, 52, 20), RGB(92, 110, 40), RGB(255, 255, 255), RGB(200, 208, 170),
     RGB(236, 240, 222), RGB(186, 196, 150), RGB(44, 52, 20), RGB(150, 50, 20), RGB(20, 80, 110)},
    // Dark: charcoal panes, light grey text, a bright blue selection with dark text.
    {RGB(32, 34, 37), RGB(226, 228, 232), RGB(86, 156, 214), RGB(16, 18, 20), RGB(24, 25, 28),
     RGB(54, 57, 62), RGB(60, 63, 68), RGB(226, 228, 232), RGB(255, 160, 120), RGB(140, 220, 150)},
    // High contrast: black and white with a yellow selection.
    {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 0), RGB(0, 0, 0), RGB(0, 0, 0), RGB(40, 40, 40),
     RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 255, 255), RGB(0, 255, 0)},
}};

const StyleColours& colours(TTMSStyle AStyle) {
    const auto index = static_cast<std::size_t>(AStyle);
    return kStyles[index < kStyles.size() ? index : 0];
}

double channel(int v) {
    const double c = v / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(TColor color) {
    const TColor rgb = framework::ColorToRGB(color);
    return 0.2126 * channel(framework::GetRValue(rgb)) + 0.7152 * channel(framework::GetGValue(rgb)) +
           0.0722 * channel(framework::GetBValue(rgb));
}

// The system colours that a dark or high-contrast desktop theme changes, in the style's colours.
// Panels and buttons take a face a step away from the window paper; lines and outlines drawn
// in the frame and button-shadow colours (check boxes, edit buttons) stay visible on both, and
// disabled text keeps a readable grey.
void setThemedSystemColours(const StyleColours& c, bool highContrast) {
    using namespace framework;
    const TColor face = highContrast ? c.Background : c.GradientLight;
    const TColor paper = highContrast ? c.Background : c.GradientDark;
    const TColor line = highContrast ? c.Text : RGB(134, 138, 144);
    const TColor shadow = highContrast ? c.Text : RGB(12, 12, 14);
    const TColor light = highContrast ? c.Text : RGB(84, 88, 94);
    const TColor gray = highContrast ? RGB(0, 255, 0) : RGB(150, 153, 158);
    const std::pair<int, TColor> entries[] = {
        {COLOR_SCROLLBAR, c.ScrollDark},
        {COLOR_BACKGROUND, c.Background},
        {COLOR_ACTIVECAPTION, c.HighlightBackground},
        {COLOR_INACTIVECAPTION, c.ScrollDark},
        {COLOR_MENU, c.Background},
        {COLOR_WINDOW, paper},
        {COLOR_WINDOWFRAME, line},
        {COLOR_MENUTEXT, c.Text},
        {COLOR_WINDOWTEXT, c.Text},
        {COLOR_CAPTIONTEXT, c.HighlightedText},
        {COLOR_ACTIVEBORDER, line},
        {COLOR_INACTIVEBORDER, line},
        {COLOR_APPWORKSPACE, c.Background},
        {COLOR_HIGHLIGHT, c.HighlightBackground},
        {COLOR_HIGHLIGHTTEXT, c.HighlightedText},
        {COLOR_BTNFACE, face},
        {COLOR_BTNSHADOW, line},
        {COLOR_GRAYTEXT, gray},
        {COLOR_BTNTEXT, c.Text},
        {COLOR_INACTIVECAPTIONTEXT, c.Text},
        {COLOR_BTNHIGHLIGHT, light},
        {COLOR_3DDKSHADOW, shadow},
        {COLOR_3DLIGHT, light},
        {COLOR_INFOTEXT, c.Text},
        {COLOR_INFOBK, c.ScrollDark},
        {COLOR_HOTLIGHT, c.SearchWord},
        {COLOR_GRADIENTACTIVECAPTION, c.HighlightBackground},
        {COLOR_GRADIENTINACTIVECAPTION, c.ScrollDark},
        {COLOR_MENUHILIGHT, c.HighlightBackground},
        {COLOR_MENUBAR, c.Background},
    };
    for (const auto& [index, colour] : entries)
        SetSysColor(index, colour);
}

}  // namespace

TColor GetABaseTMSBackgroundColour(TTMSStyle AStyle) { return colours(AStyle).Background; }
TColor GetABaseTMSTextColour(TTMSStyle AStyle) { return colours(AStyle).Text; }
TColor GetABaseTMSHighlightBackgroundColour(TTMSStyle AStyle) { return colours(AStyle).HighlightBackground; }
TColor GetABaseTMSHighlightedTextColour(TTMSStyle AStyle) { return colours(AStyle).HighlightedText; }
TColor GetABaseTMSGradientBackgroundDarkColour(TTMSStyle AStyle) { return colours(AStyle).GradientDark; }
TColor GetABaseTMSGradientBackgroundLightColour(TTMSStyle AStyle) { return colours(AStyle).GradientLight; }
TColor GetABaseTMSScrollDarkBackgroundColour(TTMSStyle AStyle) { return colours(AStyle).ScrollDark; }
TColor GetABaseTMSScrollTextColour(TTMSStyle AStyle) { return colours(AStyle).ScrollText; }
TColor GetABaseTMSTextColour_MOSTFREQUENT(TTMSStyle AStyle) { return colours(AStyle).MostFrequent; }
TColor GetABaseTMSTextColour_SEARCHWORD(TTMSStyle AStyle) { return colours(AStyle).SearchWord; }

framework::TScrollBarColors GetABaseTMSScrollBarColours(TTMSStyle AStyle) {
    framework::TScrollBarColors c;
    c.Track = colours(AStyle).Background;
    c.Face = colours(AStyle).ScrollDark;
    c.Arrow = colours(AStyle).ScrollText;
    c.Edge = colours(AStyle).GradientDark;
    return c;
}

void ApplyTMSStyleToSystemColours(TTMSStyle AStyle) {
    framework::ResetSysColors();
    if (AStyle == vendor::tsDark || AStyle == vendor::tsHighContrast)
        setThemedSystemColours(colours(AStyle), AStyle == vendor::tsHighContrast);
}

double ContrastRatio(TColor A, TColor B) {
    const double la = luminance(A), lb = luminance(B);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace sibling
