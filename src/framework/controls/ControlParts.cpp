#include "framework/controls/ControlParts.h"

#include "framework/classes/TypInfo.h"

#include <algorithm>

namespace framework {

const TClassInfo& TSizeConstraints::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TSizeConstraints, TPersistent>("TSizeConstraints")
                                       .Integer<TSizeConstraints>("MaxHeight", &TSizeConstraints::MaxHeight,
                                                                  &TSizeConstraints::SetMaxHeight, 0)
                                       .Integer<TSizeConstraints>("MaxWidth", &TSizeConstraints::MaxWidth,
                                                                  &TSizeConstraints::SetMaxWidth, 0)
                                       .Integer<TSizeConstraints>("MinHeight", &TSizeConstraints::MinHeight,
                                                                  &TSizeConstraints::SetMinHeight, 0)
                                       .Integer<TSizeConstraints>("MinWidth", &TSizeConstraints::MinWidth,
                                                                  &TSizeConstraints::SetMinWidth, 0);
    return info;
}

int TSizeConstraints::Constrain(int Value, int Min, int Max) {
    if (Max > 0)
        Value = std::min(Value, Max);
    return std::max(Value, Min);
}

void TSizeConstraints::SetLimits(int Value, int& Min, int& Max, bool SettingMin) {
    Value = std::max(Value, 0);
    if ((SettingMin ? Min : Max) == Value)
        return;
    if (SettingMin) {
        Min = Value;
        if (Max > 0 && Max < Min)
            Max = Min;
    } else {
        Max = Value;
        if (Max > 0 && Min > Max)
            Min = Max;
    }
    if (OnChange)
        OnChange(this);
}

void TSizeConstraints::Assign(const TPersistent* Source) {
    if (const auto* src = As<TSizeConstraints>(const_cast<TPersistent*>(Source))) {
        m_minWidth = src->m_minWidth;
        m_minHeight = src->m_minHeight;
        m_maxWidth = src->m_maxWidth;
        m_maxHeight = src->m_maxHeight;
        if (OnChange)
            OnChange(this);
        return;
    }
    TPersistent::Assign(Source);
}

const TClassInfo& TPadding::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TPadding, TPersistent>("TPadding")
            .Integer<TPadding>("Left", &TPadding::Left, &TPadding::SetLeft, 0)
            .Integer<TPadding>("Top", &TPadding::Top, &TPadding::SetTop, 0)
            .Integer<TPadding>("Right", &TPadding::Right, &TPadding::SetRight, 0)
            .Integer<TPadding>("Bottom", &TPadding::Bottom, &TPadding::SetBottom, 0);
    return info;
}

void TPadding::Change(int& Field, int Value) {
    Value = std::max(Value, 0);
    if (Field == Value)
        return;
    Field = Value;
    if (OnChange)
        OnChange(this);
}

void TPadding::Assign(const TPersistent* Source) {
    if (const auto* src = As<TPadding>(const_cast<TPersistent*>(Source))) {
        m_left = src->m_left;
        m_top = src->m_top;
        m_right = src->m_right;
        m_bottom = src->m_bottom;
        if (OnChange)
            OnChange(this);
        return;
    }
    TPersistent::Assign(Source);
}

const TClassInfo& TTouchManager::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TTouchManager, TPersistent>("TTouchManager")
            .SetOf<TTouchManager>(
                "InteractiveGestures", {"igZoom", "igPan", "igRotate", "igTwoFingerTap", "igPressAndTap"},
                &TTouchManager::InteractiveGestures, &TTouchManager::SetInteractiveGestures, kDefaultGestures)
            .SetOf<TTouchManager>("InteractiveGestureOptions",
                                  {"igoPanSingleFingerHorizontal", "igoPanSingleFingerVertical",
                                   "igoPanInertia", "igoPanGutter", "igoParentPassthrough"},
                                  &TTouchManager::InteractiveGestureOptions,
                                  &TTouchManager::SetInteractiveGestureOptions, kDefaultOptions);
    return info;
}

void TTouchManager::Assign(const TPersistent* Source) {
    if (const auto* src = As<TTouchManager>(const_cast<TPersistent*>(Source))) {
        m_gestures = src->m_gestures;
        m_options = src->m_options;
        return;
    }
    TPersistent::Assign(Source);
}

}  // namespace framework
