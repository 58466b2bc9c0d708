#pragma once
// Two plain containers for grouping child controls: a transparent one that draws nothing of
// its own, and an opaque one in its parent's colour.

#include "framework/controls/TransparentControl.h"

namespace lm7 {

class TTransparentContainingGroup : public framework::TCustomTransparentControl {
public:
    explicit TTransparentContainingGroup(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
};

class TContainBox : public framework::TCustomControl {
public:
    explicit TContainBox(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
};

}  // namespace lm7
