#pragma once
// The suite-wide current colour style.

#include "vendor/Advstyleif.h"

namespace sibling {

// Read at every restyle; written by the style broadcast of the launching program.
extern vendor::TTMSStyle Global_TMSStyle;

}  // namespace sibling
