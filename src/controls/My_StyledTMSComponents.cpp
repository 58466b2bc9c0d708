#include "controls/My_StyledTMSComponents.h"

#include "framework/classes/Palette.h"

namespace lm7::My_StyledTMSComponents {

void Register() {
    // The container, tree view, list view and margin-panel classes join this list, in front of
    // and after the list boxes, as they are built.
    framework::RegisterComponents("Samples", {&TStyledListbox::ClassInfo()});
    framework::RegisterComponents("Samples", {&TStyledListboxOwnerDrawnFixed::ClassInfo()});
}

}  // namespace lm7::My_StyledTMSComponents
