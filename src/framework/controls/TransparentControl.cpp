#include "framework/controls/TransparentControl.h"

namespace framework {

const TClassInfo& TCustomTransparentControl::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TCustomTransparentControl, TCustomControl>("TCustomTransparentControl");
    return info;
}

TCustomTransparentControl::TCustomTransparentControl(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle((ControlStyle() & ~csOpaque) | csParentBackground);
    SetBounds(0, 0, 100, 100);
}

}  // namespace framework
