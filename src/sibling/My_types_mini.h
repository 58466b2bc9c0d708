#pragma once
// The tool of the running program.

#include "sibling/My_types.h"

namespace sibling {

// Set once by each tool at start-up; the launcher until then.
extern tool_type current_tool_var;

}  // namespace sibling
