#include "vendor/Advstyleif.h"

#include <array>

namespace vendor {

using framework::RGB;

namespace {
// One row per style, in the order of TTMSStyle.
constexpr std::array<TTMSStyleColors, kTMSStyleCount> kStyleColors{{
    {RGB(240, 242, 245), RGB(170, 176, 186), RGB(0, 95, 184), RGB(32, 32, 32), RGB(255, 255, 255)},
    {RGB(214, 230, 250), RGB(120, 156, 206), RGB(31, 78, 160), RGB(16, 38, 82), RGB(255, 255, 255)},
    {RGB(224, 226, 230), RGB(150, 154, 162), RGB(88, 96, 110), RGB(40, 42, 46), RGB(255, 255, 255)},
    {RGB(226, 232, 206), RGB(150, 162, 110), RGB(92, 110, 40), RGB(44, 52, 20), RGB(255, 255, 255)},
    {RGB(45, 47, 51), RGB(90, 94, 100), RGB(86, 156, 214), RGB(226, 228, 232), RGB(16, 18, 20)},
    {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 0), RGB(255, 255, 255), RGB(0, 0, 0)},
}};
}  // namespace

const TTMSStyleColors& TMSStyleColors(TTMSStyle AStyle) {
    const auto index = static_cast<std::size_t>(AStyle);
    return kStyleColors[index < kStyleColors.size() ? index : 0];
}

std::string_view TMSStyleName(TTMSStyle AStyle) {
    switch (AStyle) {
    case tsLight:
        return "Light";
    case tsBlue:
        return "Blue";
    case tsSilver:
        return "Silver";
    case tsOlive:
        return "Olive";
    case tsDark:
        return "Dark";
    case tsHighContrast:
        return "High contrast";
    }
    return "Light";
}

}  // namespace vendor
