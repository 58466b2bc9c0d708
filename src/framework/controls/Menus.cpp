#include "framework/controls/Menus.h"

#include "framework/controls/DrawText.h"
#include "framework/rtl/Format.h"

#include <algorithm>

namespace framework {

const TClassInfo& TMenuItem::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TMenuItem, TComponent>("TMenuItem")
            .String<TMenuItem>("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
            .Integer<TMenuItem>("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex, -1)
            .Bool<TMenuItem>("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true)
            .Bool<TMenuItem>("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, true)
            .Bool<TMenuItem>("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, false)
            .Bool<TMenuItem>("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem, false)
            .Integer<TMenuItem>("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex, 0)
            .Bool<TMenuItem>("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck, false)
            .Integer<TMenuItem>("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut, 0)
            .Bool<TMenuItem>("Default", &TMenuItem::Default, &TMenuItem::SetDefault, false)
            .Event<TMenuItem>("OnClick", &TMenuItem::OnClick);
    return info;
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

void TMenuItem::Click() {
    if (!m_enabled)
        return;
    // A radio item is picked to be the one checked; clicking it again leaves it so.
    if (m_autoCheck && m_items.empty() && !(m_radioItem && m_checked))
        SetChecked(!m_checked);
    if (OnClick)
        OnClick(this);
}

void TMenuItem::Changed() {
    if (TMenu* menu = GetParentMenu())
        menu->MenuChanged(this, false);
}

void TMenuItem::SetCaption(const std::string& Value) {
    m_caption = Value;
    Changed();
}

void TMenuItem::SetImageIndex(int Value) {
    m_imageIndex = Value;
    Changed();
}

void TMenuItem::SetEnabled(bool Value) {
    m_enabled = Value;
    Changed();
}

void TMenuItem::SetVisible(bool Value) {
    m_visible = Value;
    Changed();
}

void TMenuItem::SetChecked(bool Value) {
    m_checked = Value;
    if (Value && m_radioItem)
        TurnSiblingsOff();
    Changed();
}

void TMenuItem::SetRadioItem(bool Value) {
    m_radioItem = Value;
    if (m_checked && m_radioItem)
        TurnSiblingsOff();
    Changed();
}

void TMenuItem::SetGroupIndex(std::uint8_t Value) {
    m_groupIndex = Value;
    if (m_checked && m_radioItem)
        TurnSiblingsOff();
    Changed();
}

void TMenuItem::SetShortCut(TShortCut Value) {
    m_shortCut = Value;
    Changed();
}

void TMenuItem::SetDefault(bool Value) {
    m_default = Value;
    Changed();
}

void TMenuItem::TurnSiblingsOff() {
    if (!m_parent)
        return;
    for (TMenuItem* sibling : m_parent->m_items)
        if (sibling != this && sibling->m_radioItem && sibling->m_groupIndex == m_groupIndex &&
            sibling->m_checked) {
            sibling->m_checked = false;
            sibling->Changed();
        }
}

TMenuItem::~TMenuItem() {
    // A menu that shows the item, or its sub-items, closes that list first.
    if (TMenu* menu = GetParentMenu())
        menu->MenuChanged(this, true);
    // Each sub-item unlinks itself from m_items as it goes.
    while (!m_items.empty())
        m_items.back()->Free();
    if (m_parent)
        m_parent->Remove(this);
}

TMenuItem* TMenuItem::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError(Format("List index out of bounds (%d)", {Index}));
    return m_items[static_cast<std::size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
    if (!Item)
        return;
    if (Item->m_parent)
        throw EMenuError("Menu inserted twice");
    for (const TMenuItem* p = this; p; p = p->m_parent)
        if (p == Item)
            throw EMenuError("A menu item cannot be inserted under itself");
    if (Index < 0 || Index > Count())
        throw EListError(Format("List index out of bounds (%d)", {Index}));
    m_items.insert(m_items.begin() + Index, Item);
    Item->m_parent = this;
}

void TMenuItem::Remove(TMenuItem* Item) {
    auto it = std::find(m_items.begin(), m_items.end(), Item);
    if (it == m_items.end())
        throw EMenuError("Sub-menu is not in menu");
    m_items.erase(it);
    Item->m_parent = nullptr;
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
    auto it = std::find(m_items.begin(), m_items.end(), Item);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* p = this;
    while (p->m_parent)
        p = p->m_parent;
    return p->m_menu;
}

TComponent* TMenuItem::GetParentComponent() const {
    if (m_parent && m_parent->m_menu)
        return m_parent->m_menu;
    return m_parent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
    if (!Value)
        return;
    if (auto* item = As<TMenuItem>(Value))
        item->Add(this);
    else if (auto* menu = As<TMenu>(Value))
        menu->Items()->Add(this);
    else if (Value != Owner())  // a loose item stands at the top level of its form
        throw EMenuError("A " + Value->ClassName() + " cannot hold the menu item " + Name());
}

void TMenuItem::GetChildren(std::vector<TComponent*>& Children, const TComponent* Root) const {
    for (TMenuItem* item : m_items)
        if (item->Owner() == Root)
            Children.push_back(item);
}

void TMenu::GetChildren(std::vector<TComponent*>& Children, const TComponent* Root) const {
    m_items->GetChildren(Children, Root);
}

TCustomImageList* TMenuItem::GetImageList() const {
    const TMenu* menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

const TClassInfo& TMenu::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TMenu, TComponent>("TMenu").Object<TMenu, TCustomImageList>(
            "Images", &TMenu::Images, &TMenu::SetImages);
    return info;
}

const TClassInfo& TMainMenu::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TMainMenu, TMenu>("TMainMenu");
    return info;
}

namespace {
TMenuItem* findShortCut(TMenuItem* Parent, TShortCut Cut) {
    for (int i = 0; i < Parent->Count(); ++i) {
        TMenuItem* item = Parent->Items(i);
        if (!item->Enabled() || !item->Visible())
            continue;
        if (item->ShortCut() == Cut && item->Count() == 0)
            return item;
        if (TMenuItem* found = findShortCut(item, Cut))
            return found;
    }
    return nullptr;
}
}  // namespace

bool TMenu::IsShortCut(std::uint16_t Key, TShiftState Shift) {
    const TShortCut cut = ShortCut(Key, Shift & (ssShift | ssCtrl | ssAlt));
    if (cut == scNone || (cut & 0xFF) == 0)
        return false;
    TMenuItem* item = findShortCut(m_items.get(), cut);
    if (!item)
        return false;
    item->Click();
    return true;
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), m_items(Create<TMenuItem>(nullptr)) {
    m_items->m_menu = this;
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_images)
        m_images = nullptr;
}

}  // namespace framework
