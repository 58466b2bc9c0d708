#include "package/PackageResources.h"

#include "framework/graphics/Colors.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StrUtils.h"

#include <array>
#include <string>

namespace lm7 {

namespace {

// A closed folder, 14 x 14: '#' the black outline, 'f' the fill, '.' the background.
// clang-format off
constexpr std::array<std::string_view, 14> kFolder{
    "..............",
    "..............",
    ".#####........",
    "#fffff#######.",
    "#fffffffffff#.",
    "#fffffffffff#.",
    "#fffffffffff#.",
    "#fffffffffff#.",
    "#fffffffffff#.",
    "#fffffffffff#.",
    "#fffffffffff#.",
    "#############.",
    "..............",
    "..............",
};
// clang-format on

// In the standard 16-colour palette: the fill alternates white and yellow pixel by pixel,
// and the olive background is the glyph's transparent colour (its bottom-left pixel).
std::unique_ptr<framework::TBitmap, framework::TFreeDeleter> drawFolder() {
    std::unique_ptr<framework::TBitmap, framework::TFreeDeleter> bitmap(
        framework::Create<framework::TBitmap>(14, 14));
    bitmap->SetPixelFormat(framework::pf4bit);
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 14; ++x) {
            const char cell = kFolder[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            framework::TColor colour = framework::clOlive;
            if (cell == '#')
                colour = framework::clBlack;
            else if (cell == 'f')
                colour = (x + y) % 2 == 0 ? framework::clWhite : framework::clYellow;
            bitmap->Canvas()->SetPixel(x, y, colour);
        }
    bitmap->SetTransparent(true);
    return bitmap;
}

}  // namespace

std::unique_ptr<framework::TBitmap, framework::TFreeDeleter> LoadPackageBitmap(std::string_view Name) {
    if (framework::SameText(Name, "IMG_1") || framework::SameText(Name, "TMYOPENFOLDERDIALOG"))
        return drawFolder();
    throw framework::EResNotFound("Resource " + std::string(Name) + " not found");
}

}  // namespace lm7
