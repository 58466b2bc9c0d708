#pragma once
// The nine toolbar image sizes and the process-wide image height they are chosen by.

#include <array>
#include <cstdint>

namespace sibling {

// The image sizes the suite ships, smallest first: 16, 20, 24, 32, 40, 48, 64, 96 and 128 pixels.
enum TImageDimensions : std::uint8_t { id16, id20, id24, id32, id40, id48, id64, id96, id128 };
inline constexpr int kImageDimensionCount = 9;

// The pixel size of each dimension.
extern const std::array<int, kImageDimensionCount> ImageDimensionSizes;

// The current toolbar image height in pixels, and its dimension; written by the stylable form.
extern int GlobalImageHeight;
extern TImageDimensions GlobalImageDimension;
// The monitor's font scale (1.0 at 96 pixels per inch).
extern float GlobalMonitorFontScale;

// The dimension for a height in pixels, by the bands 0-17, 18-21, 22-26, 27-35, 36-43, 44-55,
// 56-79 and 80-111; anything else (negative, or 112 and more) gives id20.
TImageDimensions IntegerToImageDimension(int Height);
int ImageDimensionToInteger(TImageDimensions Dim);

}  // namespace sibling
