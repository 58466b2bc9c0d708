#pragma once
// The suite's styled list controls and their palette registration.

#include "controls/Containers.h"
#include "controls/NotepadGrabPanel.h"
#include "controls/StyledListbox.h"
#include "controls/StyledViews.h"

namespace lm7::My_StyledTMSComponents {

// Puts the unit's classes on the designer's "Samples" page, one call per class.
void Register();

}  // namespace lm7::My_StyledTMSComponents
