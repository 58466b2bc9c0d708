#pragma once
// Fixed texts of the suite's runtime, second part.

#include <string_view>

namespace sibling {

// Painted where a number does not apply.
inline constexpr std::string_view _LMNonApplicable = "n/a";

}  // namespace sibling
