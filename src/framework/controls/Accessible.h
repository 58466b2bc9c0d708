#pragma once
// What a screen reader is told of a control: its role, name, states, value, text and the
// actions it offers. Each control describes itself (TControl::DescribeAccessible); items that
// a control draws itself (list rows, tree rows, pager tabs) are described by their control.
// The desktop host turns these descriptions into the desktop's accessibility objects.

#include "framework/rtl/Types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace framework {

class TControl;

enum class TAccessibleRole : std::uint8_t {
    Unknown,
    Frame,
    Dialog,
    PushButton,
    CheckBox,
    RadioButton,
    ComboBox,
    List,
    ListItem,
    TreeTable,
    TableCell,
    PageTabList,
    PageTab,
    Text,
    SpinButton,
    Label,
    Panel,
    ScrollBar,
    Menu,
    MenuItem,
    ToolTip,
    ProgressBar,
    StatusBar,
    Image,
    Table,
};

// The states a description carries, as bits.
enum TAccessibleState : std::uint32_t {
    asEnabled = 1u << 0,  // also "sensitive": it takes input
    asFocusable = 1u << 1,
    asFocused = 1u << 2,
    asSelectable = 1u << 3,
    asSelected = 1u << 4,
    asCheckable = 1u << 5,
    asChecked = 1u << 6,
    asExpandable = 1u << 7,
    asExpanded = 1u << 8,
    asEditable = 1u << 9,
    asMultiLine = 1u << 10,
    asSingleLine = 1u << 11,
    asVisible = 1u << 12,
    asShowing = 1u << 13,
    asModal = 1u << 14,
    asHorizontal = 1u << 15,
    asVertical = 1u << 16,
};

struct TAccessibleValue {
    double Current = 0;
    double Minimum = 0;
    double Maximum = 0;
    double Step = 1;
};

// An edit's text; offsets count characters (code points).
struct TAccessibleText {
    std::string Text;
    int Caret = 0;
    int SelStart = 0;
    int SelLength = 0;
};

struct TAccessible {
    TAccessibleRole Role = TAccessibleRole::Unknown;
    std::string Name;
    std::string Description;
    std::uint32_t States = 0;
    std::optional<TAccessibleValue> Value;
    std::vector<std::string> Actions;  // "click", "press", "toggle", "expand", "collapse"
    TRect Bounds;                      // in the top-level window's client coordinates
    int Level = -1;                    // a tree row's depth, 0 at the top; -1 elsewhere

    bool Has(TAccessibleState State) const { return (States & State) != 0; }
};

// The text of a label whose FocusControl is Control (the label that names it), or "".
std::string AccessibleLabelFor(const TControl& Control);

// The description of Control itself (Item -1) or of one of its items.
TAccessible DescribeAccessible(const TControl& Control, int Item = -1);

// The children a screen reader sees under Control: its visible child controls, in the order
// they were placed.
std::vector<TControl*> AccessibleChildren(const TControl& Control);

}  // namespace framework
