#pragma once
// The ATK object behind each node of the accessible tree, shared by the tree and the ATK
// interfaces its objects offer (AccessibleInterfaces.cpp).

#include "framework/controls/Accessible.h"
#include "framework/controls/Control.h"
#include "host/AccessibleTree.h"

#include <atk/atk.h>

#include <string>

namespace host {

// An ATK object over a control (Item -1) or one of its items; the application's root has no
// control. Control is cleared when the control is freed, and the object is then defunct.
struct LmAccessible {
    AtkObject parent;
    TAccessibleTree::TImpl* impl;
    framework::TControl* control;
    int item;
    gchar* name;
    gchar* description;
};

struct LmAccessibleClass {
    AtkObjectClass parent_class;
};

inline LmAccessible* node(gpointer Object) { return reinterpret_cast<LmAccessible*>(Object); }

inline framework::TAccessible describe(const LmAccessible& N) {
    return N.control ? framework::DescribeAccessible(*N.control, N.item) : framework::TAccessible{};
}

inline int characterCount(const std::string& Text) {
    return static_cast<int>(g_utf8_strlen(Text.c_str(), static_cast<gssize>(Text.size())));
}

// The object of a control or of one of its items, made on first use.
AtkObject* ItemObject(TAccessibleTree::TImpl& Impl, framework::TControl& Control, int Item);

void InitTextInterface(gpointer Iface, gpointer Data);
void InitValueInterface(gpointer Iface, gpointer Data);
void InitSelectionInterface(gpointer Iface, gpointer Data);

}  // namespace host
