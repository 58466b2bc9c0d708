#pragma once
// The kinds of list the suite's tools save: their names, their file extensions (with the
// dot), the tool each belongs to, which of them can be saved, and each tool's own extension.

#include "sibling/My_types.h"

#include <array>
#include <bitset>
#include <string>
#include <string_view>

namespace sibling {

// Ordinals 0 to 42; values outside that range are no list kind.
using TLumoraList = int;
inline constexpr int kListKindCount = 43;

// The display name of each list kind.
extern const std::array<std::string_view, kListKindCount> list_type_as_string;
// The list kinds that can be saved to a file of their own.
extern const std::bitset<kListKindCount> SaveableListTypes;

// A tool's own extension; "" for an ordinal outside the suite.
std::string DefaultExtFromToolType(tool_type Tool);
// The extension of a list kind's files; "" when the kind has none or is no list kind.
std::string DefaultExtFromListType(TLumoraList List);
// The tool a list kind belongs to; the launcher for a value that is no list kind.
tool_type ToolTypeFromListType(TLumoraList List);
// The extension without its leading dot; anything else as it is.
std::string WithoutDotDefaultExt(std::string_view Ext);

}  // namespace sibling
