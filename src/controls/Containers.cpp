#include "controls/Containers.h"

using namespace framework;

namespace lm7 {

namespace {
// What every control publishes, whatever its class.
std::vector<std::string> publishedWith(std::initializer_list<const char*> names) {
    std::vector<std::string> all{"Name", "Tag", "Left", "Top", "Width", "Height", "Hint"};
    all.insert(all.end(), names.begin(), names.end());
    return all;
}
}  // namespace

const TClassInfo& TTransparentContainingGroup::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TTransparentContainingGroup, TCustomTransparentControl>(
            "TTransparentContainingGroup")
            .Publishing(publishedWith({"Align", "Anchors", "Enabled", "TabOrder", "Visible"}));
    return info;
}

TTransparentContainingGroup::TTransparentContainingGroup(TComponent* AOwner)
    : TCustomTransparentControl(AOwner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
}

const TClassInfo& TContainBox::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TContainBox, TCustomControl>("TContainBox")
            .Publishing(publishedWith({"Align",           "Anchors",     "Enabled",      "Padding",
                                       "PopupMenu",       "TabOrder",    "TabStop",      "Touch",
                                       "Visible",         "OnDragOver",  "OnEnter",      "OnExit",
                                       "OnMouseActivate", "OnMouseDown", "OnMouseEnter", "OnMouseLeave",
                                       "OnMouseMove",     "OnMouseUp",   "OnResize",     "OnStartDrag"}));
    return info;
}

TContainBox::TContainBox(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetParentColor(true);
}

}  // namespace lm7
