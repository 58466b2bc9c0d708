#pragma once
// The bitmaps the package carries as resources, found by name as resource names are,
// without regard to case.

#include "framework/graphics/Bitmap.h"

#include <memory>
#include <string_view>

namespace lm7 {

// "IMG_1" (the folder pickers' button glyph) and "TMYOPENFOLDERDIALOG" (their palette picture).
// Raises EResNotFound for any other name.
std::unique_ptr<framework::TBitmap, framework::TFreeDeleter> LoadPackageBitmap(std::string_view Name);

}  // namespace lm7
