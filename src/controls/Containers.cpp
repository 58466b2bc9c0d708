#include "controls/Containers.h"

using namespace framework;

namespace lm7 {

const TClassInfo& TTransparentContainingGroup::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TTransparentContainingGroup, TCustomTransparentControl>(
        "TTransparentContainingGroup");
    return info;
}

TTransparentContainingGroup::TTransparentContainingGroup(TComponent* AOwner)
    : TCustomTransparentControl(AOwner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
}

const TClassInfo& TContainBox::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TContainBox, TCustomControl>("TContainBox");
    return info;
}

TContainBox::TContainBox(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetParentColor(true);
}

}  // namespace lm7
