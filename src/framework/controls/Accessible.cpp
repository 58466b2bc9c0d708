#include "framework/controls/Accessible.h"

#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/DrawText.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Grids.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Panel.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/ScrollBars.h"
#include "framework/controls/WinControl.h"

namespace framework {

namespace {
// The component that owns the whole window of Control: its labels may sit anywhere in it.
const TComponent* topOwner(const TControl& Control) {
    const TControl* top = &Control;
    while (top->Parent())
        top = top->Parent();
    return top;
}

const TCustomLabel* labelIn(const TComponent& Owner, const TControl& Control) {
    for (int i = 0; i < Owner.ComponentCount(); ++i) {
        const TComponent* c = Owner.Components(i);
        if (c->Is<TCustomLabel>()) {
            const auto* label = static_cast<const TCustomLabel*>(c);
            if (label->FocusControl() == &Control)
                return label;
        }
        if (const TCustomLabel* found = labelIn(*c, Control))
            return found;
    }
    return nullptr;
}

// Captions mark their accelerator with "&"; a reader says the word without it.
std::string withoutAccelerator(const std::string& Caption) { return StripAccelPrefixes(Caption); }

TRect boundsOf(const TControl& Control) {
    if (!Control.Parent())
        return Rect(0, 0, Control.Width(), Control.Height());
    const TPoint at = Control.Parent()->ClientToScreen(TPoint{Control.Left(), Control.Top()});
    return Bounds(at.X, at.Y, Control.Width(), Control.Height());
}

// A row's rectangle inside its control, in the window's coordinates, clipped to the control.
TRect rowBounds(const TControl& Control, TRect Row) {
    const TPoint origin = Control.ClientOrigin();
    Row = IntersectRect(Row, Control.ClientRect());
    return Bounds(origin.X + Row.Left, origin.Y + Row.Top, Row.Width(), Row.Height());
}
}  // namespace

std::string AccessibleLabelFor(const TControl& Control) {
    const TCustomLabel* label = nullptr;
    const TComponent* top = topOwner(Control);
    if (Control.Owner())
        label = labelIn(*Control.Owner(), Control);
    // The window's own components hold the owner's; they are searched once.
    if (!label && Control.Owner() != top)
        label = labelIn(*top, Control);
    return label ? withoutAccelerator(label->Caption()) : std::string();
}

TAccessible DescribeAccessible(const TControl& Control, int Item) {
    TAccessible a;
    if (Item < 0)
        Control.DescribeAccessible(a);
    else
        Control.DescribeAccessibleItem(Item, a);
    return a;
}

std::vector<TControl*> AccessibleChildren(const TControl& Control) {
    std::vector<TControl*> children;
    if (!Control.Is<TWinControl>())
        return children;
    const auto& parent = static_cast<const TWinControl&>(Control);
    for (int i = 0; i < parent.ControlCount(); ++i)
        if (TControl* c = parent.Controls(i); c->Visible())
            children.push_back(c);
    return children;
}

// --- Controls ---------------------------------------------------------------------------------

void TControl::DescribeAccessible(TAccessible& A) const {
    A.Name = withoutAccelerator(Caption());
    A.Description = Hint();
    A.Bounds = boundsOf(*this);
    bool enabled = Enabled();
    for (const TControl* p = Parent(); p && enabled; p = p->Parent())
        enabled = p->Enabled();
    if (enabled)
        A.States |= asEnabled;
    if (Visible())
        A.States |= asVisible;
    if (Showing())
        A.States |= asShowing;
}

void TControl::DescribeAccessibleItem(int, TAccessible& A) const { A.Role = TAccessibleRole::Unknown; }

bool TControl::DoAccessibleAction(int, const std::string&) { return false; }

void TWinControl::DescribeAccessible(TAccessible& A) const {
    TControl::DescribeAccessible(A);
    if (A.Role == TAccessibleRole::Unknown && ControlCount() > 0)
        A.Role = TAccessibleRole::Panel;
    if (TabStop() && A.Has(asEnabled))
        A.States |= asFocusable;
    if (Focused())
        A.States |= asFocused;
}

void TCustomLabel::DescribeAccessible(TAccessible& A) const {
    TControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::Label;
}

void TCustomPanel::DescribeAccessible(TAccessible& A) const {
    TWinControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::Panel;
}

void TCustomGroupBox::DescribeAccessible(TAccessible& A) const {
    TWinControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::Panel;
}

// A radio group draws its buttons itself: they are its items.
int TCustomRadioGroup::AccessibleItemCount() const { return Items()->Count(); }

void TCustomRadioGroup::DescribeAccessibleItem(int Index, TAccessible& A) const {
    A.Role = TAccessibleRole::RadioButton;
    if (Index < 0 || Index >= Items()->Count())
        return;
    A.Name = withoutAccelerator(Items()->Strings(Index));
    A.States = asCheckable | asVisible | (Showing() ? asShowing : 0u);
    bool enabled = Enabled();
    for (const TControl* p = Parent(); p && enabled; p = p->Parent())
        enabled = p->Enabled();
    if (enabled)
        A.States |= asEnabled;
    if (Index == ItemIndex())
        A.States |= asChecked | (Focused() ? asFocused : 0u);
    A.Bounds = rowBounds(*this, const_cast<TCustomRadioGroup*>(this)->ItemRect(Index));
    A.Actions = {"click"};
}

int TCustomRadioGroup::AccessibleFocusedItem() const { return ItemIndex(); }

bool TCustomRadioGroup::DoAccessibleAction(int AItem, const std::string& Action) {
    if (AItem < 0 || AItem >= Items()->Count() || Action != "click" || !Enabled())
        return false;
    SetItemIndex(AItem);
    Click();
    return true;
}

void TCustomButton::DescribeAccessible(TAccessible& A) const {
    TWinControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::PushButton;
    A.Actions = {"click"};
}

bool TCustomButton::DoAccessibleAction(int AItem, const std::string& Action) {
    if (AItem >= 0 || Action != "click" || !Enabled())
        return false;
    Click();
    return true;
}

void TCustomCheckBox::DescribeAccessible(TAccessible& A) const {
    TWinControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::CheckBox;
    A.States |= asCheckable;
    if (Checked())
        A.States |= asChecked;
    A.Actions = {"toggle"};
}

bool TCustomCheckBox::DoAccessibleAction(int AItem, const std::string& Action) {
    if (AItem >= 0 || (Action != "toggle" && Action != "click") || !Enabled())
        return false;
    Click();  // toggles, then tells OnClick
    return true;
}

void TRadioButton::DescribeAccessible(TAccessible& A) const {
    TWinControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::RadioButton;
    A.States |= asCheckable;
    if (Checked())
        A.States |= asChecked;
    A.Actions = {"click"};
}

bool TRadioButton::DoAccessibleAction(int AItem, const std::string& Action) {
    if (AItem >= 0 || Action != "click" || !Enabled())
        return false;
    SetChecked(true);
    return true;
}

void TScrollBar::DescribeAccessible(TAccessible& A) const {
    TWinControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::ScrollBar;
    A.States |= Kind() == sbHorizontal ? asHorizontal : asVertical;
    A.Value = TAccessibleValue{static_cast<double>(Position()), static_cast<double>(Min()),
                               static_cast<double>(Max()), 1.0};
}

void TToolButton::DescribeAccessible(TAccessible& A) const {
    TControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::PushButton;
    if (A.Name.empty())
        A.Name = Hint();  // a button that shows only its image is named by its hint
    if (Down())
        A.States |= asChecked;
    A.Actions = {"click"};
}

bool TToolButton::DoAccessibleAction(int AItem, const std::string& Action) {
    if (AItem >= 0 || Action != "click" || !Enabled())
        return false;
    Click();
    return true;
}

void TImage::DescribeAccessible(TAccessible& A) const {
    TControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::Image;
}

// --- Lists ------------------------------------------------------------------------------------

void TCustomListBox::DescribeAccessible(TAccessible& A) const {
    TWinControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::List;
    if (A.Name.empty())
        A.Name = AccessibleLabelFor(*this);
}

int TCustomListBox::AccessibleItemCount() const { return Count(); }

void TCustomListBox::DescribeAccessibleItem(int Index, TAccessible& A) const {
    A.Role = TAccessibleRole::ListItem;
    if (Index < 0 || Index >= Count())
        return;
    A.Name = Items()->Strings(Index);
    A.States = asSelectable | (Enabled() ? asEnabled : 0u) | asVisible;
    A.States |= Enabled() ? asFocusable : 0u;
    const TRect row = ItemRect(Index);
    if (Showing() && !IntersectRect(row, ClientRect()).IsEmpty())
        A.States |= asShowing;
    if (Selected(Index))
        A.States |= asSelected;
    if (Focused() && Index == ItemIndex())
        A.States |= asFocused;
    A.Bounds = rowBounds(*this, row);
    A.Actions = {"click"};
}

int TCustomListBox::AccessibleFocusedItem() const { return ItemIndex(); }

bool TCustomListBox::DoAccessibleAction(int AItem, const std::string& Action) {
    if (AItem < 0 || AItem >= Count() || Action != "click" || !Enabled())
        return false;
    SetItemIndex(AItem);
    Click();
    return true;
}

void TCustomComboBox::DescribeAccessible(TAccessible& A) const {
    TWinControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::ComboBox;
    // The caption of a combo is its text, which the selected item already says.
    A.Name = AccessibleLabelFor(*this);
    A.States |= asExpandable | (DroppedDown() ? asExpanded : 0u);
    if (Style() == csDropDown)
        A.States |= asEditable;
    A.Actions = {"press"};
}

int TCustomComboBox::AccessibleItemCount() const { return Items()->Count(); }

void TCustomComboBox::DescribeAccessibleItem(int Index, TAccessible& A) const {
    A.Role = TAccessibleRole::ListItem;
    if (Index < 0 || Index >= Items()->Count())
        return;
    A.Name = Items()->Strings(Index);
    A.States = asSelectable | asVisible | (Enabled() ? asEnabled : 0u);
    if (Index == ItemIndex())
        A.States |= asSelected | (Focused() ? asFocused : 0u);
    A.Actions = {"click"};
}

int TCustomComboBox::AccessibleFocusedItem() const { return ItemIndex(); }

bool TCustomComboBox::DoAccessibleAction(int AItem, const std::string& Action) {
    if (!Enabled())
        return false;
    if (AItem < 0 && Action == "press") {
        SetDroppedDown(!DroppedDown());
        return true;
    }
    if (AItem >= 0 && AItem < Items()->Count() && Action == "click") {
        Choose(AItem);
        return true;
    }
    return false;
}

// A grid's cells are its items, row by row.
void TCustomDrawGrid::DescribeAccessible(TAccessible& A) const {
    TWinControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::Table;
    if (A.Name.empty())
        A.Name = AccessibleLabelFor(*this);
}

int TStringGrid::AccessibleItemCount() const { return RowCount() * ColCount(); }

void TStringGrid::DescribeAccessibleItem(int Index, TAccessible& A) const {
    A.Role = TAccessibleRole::TableCell;
    if (Index < 0 || Index >= RowCount() * ColCount())
        return;
    const int col = Index % ColCount(), row = Index / ColCount();
    A.Name = Cells(col, row);
    A.States = asSelectable | asVisible | (Enabled() ? asEnabled : 0u);
    const TRect cell = CellRect(col, row);
    if (Showing() && !cell.IsEmpty())
        A.States |= asShowing;
    if (col == Col() && row == Row())
        A.States |= asSelected | (Focused() ? asFocused : 0u);
    A.Bounds = rowBounds(*this, cell);
}

int TStringGrid::AccessibleFocusedItem() const { return Row() * ColCount() + Col(); }

// --- Edits ------------------------------------------------------------------------------------

void TCustomEdit::DescribeAccessible(TAccessible& A) const {
    TWinControl::DescribeAccessible(A);
    A.Role = SpinButtons() ? TAccessibleRole::SpinButton : TAccessibleRole::Text;
    // The caption of an edit is what the user typed; its name is the label that points at it.
    A.Name = AccessibleLabelFor(*this);
    if (!ReadOnly())
        A.States |= asEditable;
    A.States |= m_core.MultiLine() ? asMultiLine : asSingleLine;
}

bool TCustomEdit::AccessibleText(TAccessibleText& Text) const {
    // A password field tells its mask, never what was typed.
    Text.Text = DisplayText();
    Text.Caret = m_core.IndexOf(m_core.Caret());
    Text.SelStart = SelStart();
    Text.SelLength = SelLength();
    return true;
}

}  // namespace framework
