#pragma once
// Small rectangle helpers of the suite.

#include "framework/rtl/Types.h"

namespace sibling {

// R with By pixels taken off every side (grown for a negative By).
inline framework::TRect ShrinkRect(framework::TRect R, int By) {
    R.Inflate(-By, -By);
    return R;
}

}  // namespace sibling
