#pragma once
// The suite's styled list controls and their palette registration.

#include "controls/StyledListbox.h"

namespace lm7::My_StyledTMSComponents {

// Puts the unit's classes on the designer's "Samples" page, one call per class.
void Register();

}  // namespace lm7::My_StyledTMSComponents
