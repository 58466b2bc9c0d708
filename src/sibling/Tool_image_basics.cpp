#include "sibling/Tool_image_basics.h"

namespace sibling {

const std::array<int, kImageDimensionCount> ImageDimensionSizes{16, 20, 24, 32, 40, 48, 64, 96, 128};

int GlobalImageHeight = 16;
TImageDimensions GlobalImageDimension = id16;
float GlobalMonitorFontScale = 1.0f;

TImageDimensions IntegerToImageDimension(int Height) {
    // The upper end of each band; dimension 8 is never chosen by height.
    static constexpr std::array<int, 8> kBandTop{17, 21, 26, 35, 43, 55, 79, 111};
    if (Height < 0)
        return id20;
    for (std::size_t i = 0; i < kBandTop.size(); ++i)
        if (Height <= kBandTop[i])
            return static_cast<TImageDimensions>(i);
    return id20;
}

int ImageDimensionToInteger(TImageDimensions Dim) {
    const auto index = static_cast<std::size_t>(Dim);
    return index < ImageDimensionSizes.size() ? ImageDimensionSizes[index] : ImageDimensionSizes[0];
}

}  // namespace sibling
