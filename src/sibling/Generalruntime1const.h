#pragma once
// Fixed texts of the suite's runtime: descriptions formatted with one "%s" (a tool's or list
// kind's name), each reading well directly before "(", and the chooser's labels.

#include <string_view>

namespace sibling {

inline constexpr std::string_view _LMMainFiles = "%s files ";
inline constexpr std::string_view _LMXFiles = "%s ";
inline constexpr std::string_view _LMSelect = "Select";
inline constexpr std::string_view _LMSelectFolder = "Select a folder";

}  // namespace sibling
