#pragma once
// A windowed control that paints nothing of its own: its parent's picture shows through it,
// and it is repainted whenever its parent is.

#include "framework/controls/WinControl.h"

namespace framework {

class TCustomTransparentControl : public TCustomControl {
public:
    explicit TCustomTransparentControl(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

}  // namespace framework
