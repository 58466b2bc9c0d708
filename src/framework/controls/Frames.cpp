#include "framework/controls/Frames.h"

namespace framework {

const TClassInfo& TCustomFrame::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TCustomFrame, TCustomControl>("TCustomFrame");
    return info;
}

const TClassInfo& TFrame::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TFrame, TCustomFrame>("TFrame");
    return info;
}

TCustomFrame::TCustomFrame(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetBounds(0, 0, 320, 240);
    SetParentColor(true);
}

}  // namespace framework
