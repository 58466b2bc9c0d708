#pragma once
// The user's regional settings as the suite's tools use them.

#include "framework/rtl/FormatSettings.h"

namespace sibling {

// The settings for dates and numbers shown to and typed by the user: the program's global
// settings, which the host sets from the user's locale. Dates in form-state files are written
// and read with these, as the user sees them.
extern framework::TFormatSettings& UserDefaultFormatSettings;

}  // namespace sibling

namespace sibling {

// Millimetres per inch.
inline constexpr float inch_to_mm = 25.4f;

}  // namespace sibling
