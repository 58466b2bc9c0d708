#include "controls/My_StyledTMSComponents.h"

#include "framework/classes/Palette.h"

namespace lm7::My_StyledTMSComponents {

void Register() {
    framework::RegisterComponents("Samples", {&TTransparentContainingGroup::ClassInfo()});
    framework::RegisterComponents("Samples", {&TContainBox::ClassInfo()});
    framework::RegisterComponents("Samples", {&TMyAdvTreeView::ClassInfo()});
    framework::RegisterComponents("Samples", {&TMyAdvListView::ClassInfo()});
    framework::RegisterComponents("Samples", {&TStyledListbox::ClassInfo()});
    framework::RegisterComponents("Samples", {&TStyledListboxOwnerDrawnFixed::ClassInfo()});
    framework::RegisterComponents("Samples", {&TNotepadGrabPanel::ClassInfo()});
}

}  // namespace lm7::My_StyledTMSComponents
