#include "framework/controls/DrawText.h"
#include "framework/controls/Menus.h"
#include "framework/controls/ScrollInfo.h"

#include <algorithm>
#include <cmath>

namespace framework {

namespace {
TWinControl* (*popupWindowFinder)() = nullptr;

// How long the pointer rests on an item before its sub-menu opens (or another one closes).
constexpr unsigned kSubMenuDelay = 250;
constexpr std::uintptr_t kSubMenuTimer = 1;

int scaled(int Value) { return MulDiv(Value, SystemMetricsPixelsPerInch(), 96); }

bool hasSubMenu(const TMenuItem* Item) { return Item && Item->Count() > 0; }

int visibleCount(const TMenuItem* Item) {
    int n = 0;
    for (int i = 0; i < Item->Count(); ++i)
        n += Item->Items(i)->Visible() ? 1 : 0;
    return n;
}

// As the platform's menus: on a desktop a list has a window of its own and stays on the screen's
// work area, on no desktop it stays on the window.
TRect popupArea(const TWinControl& Top, bool& Apart) {
    TRect area;
    Apart = PopupWorkArea(Top, area);
    return Apart ? area : Top.ClientRect();
}

// A tick of a 7 by 7 design, drawn column by column at the resolution: three pixels thick,
// down to its lowest point at the third column, then up to the top right.
void paintCheckMark(TCanvas& Canvas, TRect Cell) {
    const double unit = SystemMetricsPixelsPerInch() / 96.0;
    const int size = static_cast<int>(std::lround(7 * unit));
    const int x0 = Cell.Left + (Cell.Width() - size) / 2, y0 = Cell.Top + (Cell.Height() - size) / 2;
    for (int x = 0; x < size; ++x) {
        const double c = (x + 0.5) / unit;
        const double lowest = c <= 2.5 ? 4 + c : 6 - (c - 2.5);  // the stroke's bottom, in design rows
        const int top = static_cast<int>(std::lround((lowest - 2.5) * unit));
        const int bottom = static_cast<int>(std::lround((lowest + 0.5) * unit));
        Canvas.FillRect(Rect(x0 + x, y0 + std::max(top, 0), x0 + x + 1, y0 + std::min(bottom, size)));
    }
}

// The bullet of a checked radio item: a round dot of 6 pixels at 96 pixels per inch.
void paintBullet(TCanvas& Canvas, TRect Cell) {
    const int size = std::max(scaled(6), 2);
    const int x = Cell.Left + (Cell.Width() - size) / 2, y = Cell.Top + (Cell.Height() - size) / 2;
    Canvas.Pen()->SetColor(Canvas.Brush()->Color());
    Canvas.Ellipse(x, y, x + size, y + size);
}

// The arrow of an item with a sub-menu: a triangle pointing right, 4 by 7 pixels at 96.
// Bounds from Place for a list of Size; where they cut it short it scrolls, and its bar takes
// room beside the entries.
template <class Place> TRect fitted(TPoint Size, Place place) {
    const TRect bounds = place(Size);
    if (bounds.Height() >= Size.Y)
        return bounds;
    return place(TPoint{Size.X + GetSystemMetrics(SM_CXVSCROLL), Size.Y});
}

void paintArrow(TCanvas& Canvas, TRect Cell) {
    const int half = std::max(scaled(3), 1);
    const int x0 = Cell.Left + (Cell.Width() - (half + 1)) / 2, cy = Cell.Top + Cell.Height() / 2;
    for (int i = 0; i <= half; ++i)
        Canvas.FillRect(Rect(x0 + i, cy - (half - i), x0 + i + 1, cy + (half - i) + 1));
}
}  // namespace

void SetPopupWindowFinder(TWinControl* (*Finder)()) { popupWindowFinder = Finder; }

// One open level of a popup menu: the list of an item's visible sub-items, which measures and
// paints them and hands the pointer's and the keyboard's doings to its menu.
class TMenuPopupList : private TDropDownSource, public TDropDownList {
public:
    TMenuPopupList(TPopupMenu* Menu, int Level)
        : TDropDownList(Menu, static_cast<TDropDownSource*>(this)), m_menu(Menu), m_level(Level) {}
    static const TClassInfo& ClassInfo() {
        static const TClassInfo info = TClassInfo::Derive<TMenuPopupList, TDropDownList>("TMenuPopupList");
        return info;
    }
    TClass ClassType() const override { return &ClassInfo(); }

    TMenuItem* Item() const { return m_item; }
    // The visible sub-item shown as an entry; null for -1 or past the end.
    TMenuItem* Entry(int Index) const {
        if (Index < 0 || !m_item)
            return nullptr;
        for (int i = 0; i < m_item->Count(); ++i)
            if (TMenuItem* sub = m_item->Items(i); sub->Visible() && Index-- == 0)
                return sub;
        return nullptr;
    }
    int EntryOf(const TMenuItem* Sub) const {
        for (int i = 0, n = 0; m_item && i < m_item->Count(); ++i)
            if (TMenuItem* sub = m_item->Items(i); sub->Visible()) {
                if (sub == Sub)
                    return n;
                ++n;
            }
        return -1;
    }
    TMenuItem* HotItem() const { return Entry(Hot()); }
    void SelectFirst() {
        for (int i = 0; i < DropDownEntryCount(); ++i)
            if (DropDownCanChoose(i)) {
                SetHot(i);
                return;
            }
    }

    // Takes Item's sub-items, on Top to measure them; answers the size they need.
    TPoint Prepare(TWinControl& Top, TMenuItem* Item);
    TPoint ToTop(TPoint P) const { return TPoint{Left() + ClientInset() + P.X, Top() + ClientInset() + P.Y}; }
    TPoint FromTop(TPoint P) const {
        return TPoint{P.X - Left() - ClientInset(), P.Y - Top() - ClientInset()};
    }

    // A reader sees a menu of its entries: each a menu item, checked or with a sub-menu as drawn.
    void DescribeAccessible(TAccessible& A) const override {
        TDropDownList::DescribeAccessible(A);
        A.Role = TAccessibleRole::Menu;
        A.Name = m_item ? StripAccelPrefixes(m_item->Caption()) : std::string();
    }
    int AccessibleItemCount() const override { return m_item ? visibleCount(m_item) : 0; }
    void DescribeAccessibleItem(int Index, TAccessible& A) const override {
        const TMenuItem* item = Entry(Index);
        if (!item || item->IsLine())
            return;
        A.Role = TAccessibleRole::MenuItem;
        A.Name = StripAccelPrefixes(item->Caption());
        A.Description = ShortCutToText(item->ShortCut());
        A.States = asVisible | asShowing | asSelectable;
        if (item->Enabled())
            A.States |= asEnabled | asFocusable;
        if (Index == Hot())
            A.States |= asSelected | asFocused;
        if (item->Checked())
            A.States |= asCheckable | asChecked;
        if (item->Count() > 0)
            A.States |= asExpandable;
        A.Actions = {"click"};
    }
    int AccessibleFocusedItem() const override { return Hot(); }
    bool DoAccessibleAction(int AItem, const std::string& Action) override {
        if (Action != "click" || !DropDownCanChoose(AItem))
            return false;
        DropDownChoose(AItem);
        return true;
    }

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void WndProc(TMessage& Message) override;

private:
    int DropDownEntryCount() override { return m_item ? visibleCount(m_item) : 0; }
    int DropDownEntryHeight(int Index) override {
        const TMenuItem* item = Entry(Index);
        return item && item->IsLine() ? m_separatorHeight : m_rowHeight;
    }
    void DropDownPaintEntry(TCanvas& Canvas, int Index, TRect Rect, TOwnerDrawState State) override;
    void DropDownChoose(int Index) override { m_menu->Activate(m_level, Index, true); }
    bool DropDownCanChoose(int Index) override {
        const TMenuItem* item = Entry(Index);
        return item && !item->IsLine() && item->Enabled();
    }
    void DropDownDismiss() override { m_menu->ClosePopup(); }
    // The pointer at a point of this list: the entry under it is highlighted.
    void PointAt(TPoint P);

    TPopupMenu* m_menu;
    int m_level;
    TMenuItem* m_item = nullptr;  // not owned; the menu closes this level before it goes
    int m_rowHeight = 0;
    int m_separatorHeight = 0;
    int m_imageColumn = 0;  // the check mark or the image, at the left of every row
    int m_arrowColumn = 0;  // the sub-menu arrow, at the right
};

TPoint TMenuPopupList::Prepare(TWinControl& Top, TMenuItem* Item) {
    m_item = Item;
    SetColor(clMenu);
    SetParentFont(false);
    SetFont(Top.Font());
    // Measured on the list's own canvas, which needs a window: it is made on the form first.
    SetBounds(0, 0, 0, 0);
    SetParent(&Top);
    TCanvas& canvas = *Canvas();
    const TCustomImageList* images = m_menu->Images();
    const int imageWidth = images ? images->Width() : 0, imageHeight = images ? images->Height() : 0;
    m_imageColumn = std::max(scaled(20), imageWidth + scaled(4));
    m_arrowColumn = scaled(20);
    m_rowHeight = std::max(canvas.TextHeight("Wg") + scaled(6), imageHeight + scaled(4));
    m_separatorHeight = scaled(8);
    int captions = 0, shortCuts = 0, height = 0;
    for (int i = 0; i < DropDownEntryCount(); ++i) {
        const TMenuItem* item = Entry(i);
        height += DropDownEntryHeight(i);
        if (item->IsLine())
            continue;
        TCanvasStateSaver saved(canvas);
        if (item->Default())
            canvas.Font()->SetStyle(canvas.Font()->Style() | fsBold);
        captions = std::max(captions, canvas.TextWidth(StripAccelPrefixes(item->Caption())));
        if (item->ShortCut() != scNone)
            shortCuts = std::max(shortCuts, canvas.TextWidth(ShortCutToText(item->ShortCut())));
    }
    const int inset = ClientInset();
    int width = m_imageColumn + captions + m_arrowColumn + 2 * inset;
    if (shortCuts > 0)
        width += scaled(24) + shortCuts;
    return TPoint{width, height + 2 * inset};
}

void TMenuPopupList::DropDownPaintEntry(TCanvas& Canvas, int Index, TRect Rect, TOwnerDrawState State) {
    const TMenuItem* item = Entry(Index);
    if (!item)
        return;
    const bool hot = (State & odSelected) != 0;
    TCanvasStateSaver saved(Canvas);
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
    const TColor ink = !item->Enabled() ? clGrayText : hot ? clHighlightText : clMenuText;
    const TRect cell = ::framework::Rect(Rect.Left, Rect.Top, Rect.Left + m_imageColumn, Rect.Bottom);
    const TCustomImageList* images = m_menu->Images();
    if (images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count()) {
        const int x = cell.Left + (cell.Width() - images->Width()) / 2;
        const int y = cell.Top + (cell.Height() - images->Height()) / 2;
        images->Draw(&Canvas, x, y, item->ImageIndex(), item->Enabled());
        if (item->Checked()) {  // a checked item with an image shows it framed
            Canvas.Brush()->SetColor(ink);
            Canvas.FrameRect(Bounds(x - 1, y - 1, images->Width() + 2, images->Height() + 2));
        }
    } else if (item->Checked()) {
        Canvas.Brush()->SetColor(ink);
        if (item->RadioItem())
            paintBullet(Canvas, cell);
        else
            paintCheckMark(Canvas, cell);
    }
    if (hasSubMenu(item)) {
        Canvas.Brush()->SetColor(ink);
        paintArrow(Canvas, ::framework::Rect(Rect.Right - m_arrowColumn, Rect.Top, Rect.Right, Rect.Bottom));
    }
    Canvas.Font()->SetColor(ink);
    if (item->Default())
        Canvas.Font()->SetStyle(Canvas.Font()->Style() | fsBold);
    Canvas.Brush()->SetStyle(bsClear);
    TRect text = ::framework::Rect(cell.Right, Rect.Top, Rect.Right - m_arrowColumn, Rect.Bottom);
    DrawText(Canvas, item->Caption(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (item->ShortCut() != scNone)
        DrawText(Canvas, ShortCutToText(item->ShortCut()), text,
                 DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// Every list of the chain sees the pointer through the deepest one, which holds the mouse: the
// point is handed to the list it lies on.
void TMenuPopupList::PointAt(TPoint P) {
    const int before = Hot();
    if (const int i = ItemAt(P.X, P.Y); i >= 0)
        SetHot(i);
    if (Hot() != before)
        m_menu->Hovered(m_level);
}

void TMenuPopupList::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    const TPoint p = ToTop(TPoint{X, Y});
    if (const int level = m_menu->LevelAt(p); level >= 0) {
        TMenuPopupList& over = *m_menu->m_lists[static_cast<std::size_t>(level)];
        over.PointAt(over.FromTop(p));
    }
}

void TMenuPopupList::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (m_menu->LevelAt(ToTop(TPoint{X, Y})) < 0)
        m_menu->ClosePopup();  // a press outside every list of the chain
}

// Either button picks, as the classic popup menus do; on an item with a sub-menu it opens it.
void TMenuPopupList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    const TPoint p = ToTop(TPoint{X, Y});
    const int level = m_menu->LevelAt(p);
    if (level < 0)
        return;
    TMenuPopupList& over = *m_menu->m_lists[static_cast<std::size_t>(level)];
    const TPoint local = over.FromTop(p);
    if (const int i = over.ItemAt(local.X, local.Y); i >= 0 && over.DropDownCanChoose(i))
        m_menu->Activate(level, i, false);
}

void TMenuPopupList::KeyDown(std::uint16_t& Key, TShiftState Shift) {
    switch (Key) {
    case VK_RIGHT:
        if (hasSubMenu(HotItem()))
            m_menu->OpenSubMenu(m_level, Hot(), true);
        Key = 0;
        return;
    case VK_LEFT:
    case VK_ESCAPE:
        // A sub-menu closes one level; Escape on the menu itself dismisses it.
        if (m_level > 0) {
            m_menu->CloseFrom(m_level);
            Key = 0;
            return;
        }
        if (Key == VK_LEFT) {
            Key = 0;
            return;
        }
        break;
    default:
        break;
    }
    TDropDownList::KeyDown(Key, Shift);
}

// An item's accelerator letter picks it (or opens its sub-menu); where several items have the
// letter, each press highlights the next of them.
void TMenuPopupList::KeyPress(char32_t& Key) {
    TDropDownList::KeyPress(Key);
    std::vector<int> matches;
    for (int i = 0; i < DropDownEntryCount(); ++i)
        if (DropDownCanChoose(i) && IsAccel(Key, Entry(i)->Caption()))
            matches.push_back(i);
    if (matches.empty())
        return;
    Key = 0;
    if (matches.size() == 1) {
        m_menu->Activate(m_level, matches.front(), true);
        return;
    }
    const auto next = std::upper_bound(matches.begin(), matches.end(), Hot());
    SetHot(next == matches.end() ? matches.front() : *next);
}

void TMenuPopupList::WndProc(TMessage& Message) {
    if (Message.Msg == WM_TIMER && Message.WParam == kSubMenuTimer) {
        KillTimer(Handle(), kSubMenuTimer);
        m_menu->HoverTimer();
        return;
    }
    TDropDownList::WndProc(Message);
}

// --- TPopupMenu ------------------------------------------------------------------------------

const TClassInfo& TPopupMenu::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TPopupMenu, TMenu>("TPopupMenu")
            .Bool<TPopupMenu>("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup, true)
            .Event<TPopupMenu>("OnPopup", &TPopupMenu::OnPopup);
    return info;
}

TPopupMenu::~TPopupMenu() { ClosePopup(); }

void TPopupMenu::SetPopupComponent(TComponent* Value) { ReferenceComponent(this, m_popupComponent, Value); }

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMenu::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove)
        return;
    if (AComponent == m_popupComponent)
        m_popupComponent = nullptr;
    for (std::size_t i = 0; i < m_lists.size(); ++i)
        if (m_lists[i] == AComponent) {
            m_lists[i] = nullptr;
            m_levels = std::min(m_levels, static_cast<int>(i));
        }
}

void TPopupMenu::MenuChanged(TMenuItem* Item, bool Gone) {
    for (int level = 0; level < m_levels; ++level) {
        TMenuPopupList& list = *m_lists[static_cast<std::size_t>(level)];
        if (Gone && list.Item() == Item) {
            CloseFrom(level);
            break;
        }
        if (Gone && list.HotItem() == Item)
            list.ClearHot();
        list.Invalidate();
    }
}

void TPopupMenu::DoPopup() {
    if (OnPopup)
        OnPopup(this);
}

bool TPopupMenu::PoppedUp() const { return m_levels > 0 && m_lists.front()->Parent(); }

TDropDownList* TPopupMenu::PopupList(int Level) const {
    if (Level < 0 || Level >= m_levels || !m_lists[static_cast<std::size_t>(Level)]->Parent())
        return nullptr;
    return m_lists[static_cast<std::size_t>(Level)];
}

TMenuItem* TPopupMenu::PopupItem(int Level) const {
    return Level >= 0 && Level < m_levels ? m_lists[static_cast<std::size_t>(Level)]->Item() : nullptr;
}

TWinControl* TPopupMenu::PopupTop() const {
    TWinControl* top = nullptr;
    if (auto* control = As<TControl>(m_popupComponent))
        top = control->Parent() ? control->Parent() : As<TWinControl>(control);
    else if (popupWindowFinder)
        top = popupWindowFinder();
    while (top && top->Parent())
        top = top->Parent();
    return top;
}

TMenuPopupList& TPopupMenu::ListOf(int Level) {
    const auto at = static_cast<std::size_t>(Level);
    if (m_lists.size() <= at)
        m_lists.resize(at + 1, nullptr);
    if (!m_lists[at]) {
        m_lists[at] = Create<TMenuPopupList>(this, Level);
        m_lists[at]->FreeNotification(this);
    }
    return *m_lists[at];
}

void TPopupMenu::Popup(int X, int Y) {
    ClosePopup();
    DoPopup();
    TWinControl* top = PopupTop();
    if (!top || visibleCount(Items()) == 0)
        return;  // nowhere to show it, or nothing to show
    TMenuPopupList& list = ListOf(0);
    const TPoint size = list.Prepare(*top, Items());
    bool apart = false;
    const TRect area = popupArea(*top, apart);
    const TRect at = Rect(X, Y, X, Y);
    list.SetShownApart(apart);
    list.Popup(top, fitted(size, [&](TPoint s) { return PlacePopup(area, s, at, true); }));
    m_levels = 1;
}

void TPopupMenu::ClosePopup() { CloseFrom(0); }

void TPopupMenu::CloseFrom(int Level) {
    Level = std::max(Level, 0);
    if (Level == 0 && !m_lists.empty() && m_lists.front() && m_lists.front()->HandleAllocated())
        KillTimer(m_lists.front()->Handle(), kSubMenuTimer);
    while (m_levels > Level) {
        --m_levels;
        m_lists[static_cast<std::size_t>(m_levels)]->Close();
    }
    if (m_levels > 0)
        SetCapture(m_lists[static_cast<std::size_t>(m_levels - 1)]->Handle());
}

int TPopupMenu::LevelAt(TPoint P) const {
    for (int level = m_levels - 1; level >= 0; --level)
        if (m_lists[static_cast<std::size_t>(level)]->BoundsRect().Contains(P))
            return level;
    return -1;
}

void TPopupMenu::Activate(int Level, int Entry, bool Select) {
    TMenuItem* item = m_lists[static_cast<std::size_t>(Level)]->Entry(Entry);
    if (!item || !item->Enabled())
        return;
    if (hasSubMenu(item))
        OpenSubMenu(Level, Entry, Select);
    else
        Pick(item);
}

// The lists go first, so the item's handler sees the menu closed and may pop it up again.
void TPopupMenu::Pick(TMenuItem* Item) {
    ClosePopup();
    Item->Click();
}

void TPopupMenu::OpenSubMenu(int Level, int Entry, bool Select) {
    TMenuPopupList& parent = *m_lists[static_cast<std::size_t>(Level)];
    TMenuItem* item = parent.Entry(Entry);
    if (!item || !item->Enabled() || !hasSubMenu(item))
        return;
    parent.SetHot(Entry);
    if (m_levels > Level + 1 && m_lists[static_cast<std::size_t>(Level + 1)]->Item() == item) {
        CloseFrom(Level + 2);  // already open: it takes the keys again
        if (Select && m_lists[static_cast<std::size_t>(Level + 1)]->Hot() < 0)
            m_lists[static_cast<std::size_t>(Level + 1)]->SelectFirst();
        return;
    }
    CloseFrom(Level + 1);
    item->Click();  // its handler may fill the sub-menu, or close the menu
    TWinControl* top = parent.Parent();
    if (m_levels != Level + 1 || !top || parent.Entry(Entry) != item || visibleCount(item) == 0)
        return;
    TMenuPopupList& list = ListOf(Level + 1);
    const TPoint size = list.Prepare(*top, item);
    bool apart = false;
    const TRect area = popupArea(*top, apart);
    // The sub-menu's first entry stands level with the item, its border over the parent's.
    TRect row = parent.ItemRect(Entry);
    const TPoint rowTop = parent.ToTop(TPoint{0, row.Top});
    const int inset = list.ClientInset();
    row = Rect(rowTop.X, rowTop.Y - inset, rowTop.X + row.Width(), rowTop.Y + row.Height() + inset);
    TRect beside = parent.BoundsRect();
    beside.Left += parent.ClientInset();
    beside.Right -= parent.ClientInset();
    list.SetShownApart(apart);
    list.Popup(top, fitted(size, [&](TPoint s) { return PlaceSubMenu(area, s, beside, row); }));
    m_levels = Level + 2;
    if (Select)
        list.SelectFirst();
}

void TPopupMenu::Hovered(int Level) {
    // The items that lead to the pointer stay highlighted in the lists below it.
    for (int level = Level; level > 0; --level) {
        TMenuPopupList& below = *m_lists[static_cast<std::size_t>(level - 1)];
        if (const int entry = below.EntryOf(m_lists[static_cast<std::size_t>(level)]->Item()); entry >= 0)
            below.SetHot(entry);
    }
    TMenuPopupList& list = *m_lists[static_cast<std::size_t>(Level)];
    const TMenuItem* hot = list.HotItem();
    const bool openHere = m_levels > Level + 1 && m_lists[static_cast<std::size_t>(Level + 1)]->Item() == hot;
    const bool nothingToDo = m_levels == Level + 1 && !hasSubMenu(hot);
    if (openHere || nothingToDo) {
        KillTimer(m_lists.front()->Handle(), kSubMenuTimer);
        return;
    }
    m_hoverLevel = Level;
    SetTimer(m_lists.front()->Handle(), kSubMenuTimer, kSubMenuDelay);
}

void TPopupMenu::HoverTimer() {
    const int level = m_hoverLevel;
    if (level >= m_levels)
        return;
    TMenuPopupList& list = *m_lists[static_cast<std::size_t>(level)];
    const TMenuItem* hot = list.HotItem();
    if (m_levels > level + 1 && m_lists[static_cast<std::size_t>(level + 1)]->Item() != hot)
        CloseFrom(level + 1);
    if (m_levels == level + 1 && hasSubMenu(hot))
        OpenSubMenu(level, list.Hot(), false);
}

}  // namespace framework
