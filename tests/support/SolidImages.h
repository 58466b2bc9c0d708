#pragma once
// An image list for paint tests: one opaque square per colour, so that where each image lands
// can be found on a picture by its colour.

#include "framework/controls/ImageList.h"

#include <initializer_list>
#include <memory>
#include <vector>

namespace testsupport {

using ImageListPtr = std::unique_ptr<framework::TImageList, framework::TFreeDeleter>;

inline ImageListPtr SolidImages(int size, std::initializer_list<framework::TColor> colours) {
    ImageListPtr list{framework::Create<framework::TImageList>(nullptr)};
    list->SetSize(size, size);
    for (framework::TColor colour : colours)
        list->AddPixels(std::vector<framework::TPixel>(static_cast<std::size_t>(size * size),
                                                       framework::ColorToPixel(colour)));
    return list;
}

}  // namespace testsupport
