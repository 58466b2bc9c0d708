#pragma once
// A section of the gallery: a titled area of the gallery window that a feature fills with its
// controls. Each section registers itself from its own file, so features add pictures without
// touching one another's code.

#include "framework/controls/WinControl.h"

#include <functional>
#include <string>
#include <vector>

namespace gallery {

struct GallerySection {
    std::string Title;
    int Order = 0;  // sections stand in increasing order, left to right, then down
    // Fills Area (a panel of the section's size) with the feature's controls.
    std::function<void(framework::TWinControl& Area)> Build;
};

// Adds a section; answers true so a file can register itself with a static initializer.
bool RegisterGallerySection(GallerySection Section);
const std::vector<GallerySection>& GallerySections();

// Every section gets an area of this size.
inline constexpr int kSectionWidth = 470;
inline constexpr int kSectionHeight = 290;

}  // namespace gallery
