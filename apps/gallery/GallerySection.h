#pragma once
// A section of the gallery: an area of the gallery window's layout that a feature fills with
// its controls (or, where the layout holds them, with their data). Each section registers
// itself from its own file, so features add pictures without touching one another's code.

#include "framework/controls/WinControl.h"

#include <functional>
#include <string>
#include <vector>

namespace gallery {

struct GallerySection {
    std::string Area;  // the name of the section's panel in the window's layout
    std::function<void(framework::TWinControl& Area)> Build;
};

// Adds a section; answers true so a file can register itself with a static initializer.
bool RegisterGallerySection(GallerySection Section);
const std::vector<GallerySection>& GallerySections();

// Every section's area has this size.
inline constexpr int kSectionWidth = 470;
inline constexpr int kSectionHeight = 290;

}  // namespace gallery
