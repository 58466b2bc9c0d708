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
            .Event<TMenuItem>("OnClick", &TMenuItem::OnClick);
    return info;
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

void TMenuItem::Click() {
    if (m_enabled && OnClick)
        OnClick(this);
}

TMenuItem::~TMenuItem() {
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

const TClassInfo& TPopupMenu::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TPopupMenu, TMenu>("TPopupMenu")
            .Bool<TPopupMenu>("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup, true)
            .Event<TPopupMenu>("OnPopup", &TPopupMenu::OnPopup);
    return info;
}

namespace {
TWinControl* (*popupWindowFinder)() = nullptr;
constexpr int kSeparatorHeight = 8;
constexpr int kTextIndent = 20;  // room at the left for a check mark or image
}  // namespace

void SetPopupWindowFinder(TWinControl* (*Finder)()) { popupWindowFinder = Finder; }

TPopupMenu::~TPopupMenu() { ClosePopup(); }

void TPopupMenu::SetPopupComponent(TComponent* Value) { ReferenceComponent(this, m_popupComponent, Value); }

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMenu::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove)
        return;
    if (AComponent == m_popupComponent)
        m_popupComponent = nullptr;
    if (AComponent == m_list)
        m_list = nullptr;
}

void TPopupMenu::DoPopup() {
    if (OnPopup)
        OnPopup(this);
}

bool TPopupMenu::PoppedUp() const { return m_list && m_list->Parent(); }

void TPopupMenu::Popup(int X, int Y) {
    ClosePopup();
    DoPopup();
    TWinControl* top = nullptr;
    if (auto* control = As<TControl>(m_popupComponent))
        top = control->Parent() ? control->Parent() : As<TWinControl>(control);
    else if (popupWindowFinder)
        top = popupWindowFinder();
    while (top && top->Parent())
        top = top->Parent();
    if (!top || DropDownEntryCount() == 0)
        return;  // nowhere to show it, or nothing to show
    if (!m_list) {
        m_list = Create<TDropDownList>(this, static_cast<TDropDownSource*>(this));
        m_list->FreeNotification(this);
    }
    m_list->SetColor(clMenu);
    m_list->SetParentFont(false);
    m_list->SetFont(top->Font());
    // Measured on the list's own canvas, which needs a window: it is made on the form first.
    m_list->SetBounds(0, 0, 0, 0);
    m_list->SetParent(top);
    TCanvas& canvas = *m_list->Canvas();
    int width = 0, height = 0;
    for (int i = 0; i < DropDownEntryCount(); ++i) {
        width = std::max(width, canvas.TextWidth(StripAccelPrefixes(Items()->Items(i)->Caption())));
        height += DropDownEntryHeight(i);
    }
    const int inset = m_list->ClientInset();
    width += 2 * kTextIndent + 2 * inset;
    height += 2 * inset;
    // As the platform's menus: it opens to the left of or above the point when it does not fit
    // to the right or below; on a desktop it has a window of its own and stays on the screen,
    // on no desktop it stays on the window.
    TRect area;
    const bool apart = PopupWorkArea(*top, area);
    m_list->SetShownApart(apart);
    if (apart) {
        m_list->Popup(top, PlacePopup(area, TPoint{width, height}, Rect(X, Y, X, Y), true));
        return;
    }
    area = top->ClientRect();
    int left = X + width > area.Right && X - width >= 0 ? X - width : X;
    int topY = Y + height > area.Bottom && Y - height >= 0 ? Y - height : Y;
    left = std::max(std::min(left, area.Right - width), 0);
    topY = std::max(std::min(topY, area.Bottom - height), 0);
    m_list->Popup(top, Bounds(left, topY, width, height));
}

void TPopupMenu::ClosePopup() {
    if (PoppedUp())
        m_list->Close();
}

int TPopupMenu::DropDownEntryCount() { return Items()->Count(); }

int TPopupMenu::DropDownEntryHeight(int Index) {
    if (Items()->Items(Index)->IsLine())
        return kSeparatorHeight;
    return m_list->Canvas()->TextHeight("Wg") + 6;
}

bool TPopupMenu::DropDownCanChoose(int Index) {
    const TMenuItem* item = Items()->Items(Index);
    return !item->IsLine() && item->Enabled();
}

void TPopupMenu::DropDownPaintEntry(TCanvas& Canvas, int Index, TRect Rect, TOwnerDrawState State) {
    const TMenuItem* item = Items()->Items(Index);
    const bool hot = (State & odSelected) != 0;
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(hot ? clHighlight : clMenu);
    Canvas.FillRect(Rect);
    if (item->IsLine()) {
        const int y = Rect.Top + Rect.Height() / 2 - 1;
        Canvas.Brush()->SetColor(clBtnShadow);
        Canvas.FillRect(::framework::Rect(Rect.Left + 2, y, Rect.Right - 2, y + 1));
        Canvas.Brush()->SetColor(clBtnHighlight);
        Canvas.FillRect(::framework::Rect(Rect.Left + 2, y + 1, Rect.Right - 2, y + 2));
        return;
    }
    Canvas.Font()->SetColor(!item->Enabled() ? clGrayText : hot ? clHighlightText : clMenuText);
    Canvas.Brush()->SetStyle(bsClear);
    TRect text = Rect;
    text.Left += kTextIndent;
    DrawText(Canvas, item->Caption(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

// The list goes first, so the item's handler sees the menu closed and may pop it up again.
void TPopupMenu::DropDownChoose(int Index) {
    TMenuItem* item = Items()->Items(Index);
    ClosePopup();
    item->Click();
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
