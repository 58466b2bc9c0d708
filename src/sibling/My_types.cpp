#include "sibling/My_types.h"
#include "sibling/My_types_mini.h"

#include <array>
#include <string_view>

namespace sibling {

tool_type current_tool_var = tt_launcher;

namespace {
constexpr std::array<std::string_view, kToolCount> kToolNames{
    "Launcher",       "Context tool",    "Frequency tool", "Cluster tool", "Keyness tool", "Text tool",
    "Collocate tool", "Dispersion tool", "Corpus builder", "Tessellator",  "Orvane"};
}  // namespace

std::string Tool_Name(tool_type Tool) {
    if (Tool < 0 || Tool >= kToolCount)
        return std::string();
    return std::string(kToolNames[static_cast<std::size_t>(Tool)]);
}

}  // namespace sibling
