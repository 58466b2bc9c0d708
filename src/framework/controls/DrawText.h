#pragma once
// Formatted text in a rectangle, as the classic platform's DrawText does it: alignment,
// single or several lines, word wrapping, measuring without painting, and '&' accelerator
// prefixes ("&File" shows "File" with F underlined, "&&" shows "&").

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/rtl/Types.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace framework {

inline constexpr std::uint32_t DT_TOP = 0x0000;
inline constexpr std::uint32_t DT_LEFT = 0x0000;
inline constexpr std::uint32_t DT_CENTER = 0x0001;
inline constexpr std::uint32_t DT_RIGHT = 0x0002;
inline constexpr std::uint32_t DT_VCENTER = 0x0004;
inline constexpr std::uint32_t DT_BOTTOM = 0x0008;
inline constexpr std::uint32_t DT_WORDBREAK = 0x0010;
inline constexpr std::uint32_t DT_SINGLELINE = 0x0020;
inline constexpr std::uint32_t DT_EXPANDTABS = 0x0040;
inline constexpr std::uint32_t DT_NOCLIP = 0x0100;
inline constexpr std::uint32_t DT_EXTERNALLEADING = 0x0200;
inline constexpr std::uint32_t DT_CALCRECT = 0x0400;
inline constexpr std::uint32_t DT_NOPREFIX = 0x0800;
inline constexpr std::uint32_t DT_END_ELLIPSIS = 0x8000;
inline constexpr std::uint32_t DT_HIDEPREFIX = 0x00100000;

// Paints Text in R with the canvas's font (and its brush behind each line unless the brush is
// clear). With DT_CALCRECT nothing is painted: R's right and bottom are set to fit the text.
// Answers the height of the text.
int DrawText(TCanvas& Canvas, std::string_view Text, TRect& R, std::uint32_t Format);

// The text as shown: prefixes removed. Sets UnderlineIndex to the byte offset of the
// underlined character in the result, or -1.
std::string StripAccelPrefixes(std::string_view Text, int* UnderlineIndex = nullptr);
// True when Text marks Char (any case) as its accelerator with a single '&'.
bool IsAccel(char32_t Char, std::string_view Text);

}  // namespace framework
