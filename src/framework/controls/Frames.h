#pragma once
// TFrame: a reusable panel of controls. The frame owns the controls placed on it, so a form
// that holds a frame reaches them through the frame's own components.

#include "framework/controls/WinControl.h"

namespace framework {

class TCustomFrame : public TCustomControl {
public:
    explicit TCustomFrame(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

class TFrame : public TCustomFrame {
public:
    using TCustomFrame::TCustomFrame;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

}  // namespace framework
