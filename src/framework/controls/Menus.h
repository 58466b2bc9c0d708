#pragma once
// Menus: TMenuItem trees under a TMainMenu or TPopupMenu. An item's Tag, caption, sub-items
// and ImageIndex are its own; the images come from the menu's Images list.

#include "framework/controls/DropDownList.h"
#include "framework/controls/ImageList.h"
#include "framework/controls/ShortCuts.h"
#include "framework/rtl/Exceptions.h"

#include <memory>
#include <string>
#include <vector>

namespace framework {

class EMenuError : public Exception {
    using Exception::Exception;
};

class TMenu;
class TMenuPopupList;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;  // frees its sub-items and leaves its parent
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    // The caption; an '&' marks the letter that picks the item from the keyboard.
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& Value);
    // A separator: the caption "-".
    bool IsLine() const { return m_caption == "-"; }
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int Value);
    // A disabled item is shown grey, cannot be picked and opens no sub-menu.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool Value);
    // A hidden item takes no row.
    bool Visible() const { return m_visible; }
    void SetVisible(bool Value);
    // A check mark (a bullet for a radio item) where the item has no image, or its image framed.
    bool Checked() const { return m_checked; }
    void SetChecked(bool Value);
    // Checking a radio item unchecks the radio items of its group among its siblings.
    bool RadioItem() const { return m_radioItem; }
    void SetRadioItem(bool Value);
    std::uint8_t GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(std::uint8_t Value);
    // A pick turns the check mark over (a radio item is only ever checked by it).
    bool AutoCheck() const { return m_autoCheck; }
    void SetAutoCheck(bool Value) { m_autoCheck = Value; }
    // Shown at the right of the row, as ShortCutToText gives it.
    TShortCut ShortCut() const { return m_shortCut; }
    void SetShortCut(TShortCut Value);
    // The menu's default action, shown in bold.
    bool Default() const { return m_default; }
    void SetDefault(bool Value);

    // The item was picked: AutoCheck, then OnClick. An item with sub-items is clicked as its
    // sub-menu opens, so that OnClick can fill it.
    virtual void Click();
    TNotifyEvent OnClick;

    int Count() const { return static_cast<int>(m_items.size()); }
    TMenuItem* Items(int Index) const;  // raises EListError out of range
    TMenuItem* Parent() const { return m_parent; }
    // An item has one place: adding one that has a parent raises EMenuError.
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    void Remove(TMenuItem* Item);  // the item stays alive, without a parent
    int IndexOf(const TMenuItem* Item) const;

    // The menu the item belongs to, through its parents; null for a loose item.
    TMenu* GetParentMenu() const;
    // The list this item's image comes from: its menu's Images.
    TCustomImageList* GetImageList() const;

    // In a form description an item stands inside its parent item, or inside its menu.
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;
    void GetChildren(std::vector<TComponent*>& Children, const TComponent* Root) const override;

private:
    friend class TMenu;
    // The menu repaints what shows the item.
    void Changed();
    void TurnSiblingsOff();

    std::string m_caption;
    int m_imageIndex = -1;
    bool m_enabled = true;
    bool m_visible = true;
    bool m_checked = false;
    bool m_radioItem = false;
    bool m_autoCheck = false;
    bool m_default = false;
    std::uint8_t m_groupIndex = 0;
    TShortCut m_shortCut = scNone;
    TMenuItem* m_parent = nullptr;    // not owned
    std::vector<TMenuItem*> m_items;  // freed with this item
    TMenu* m_menu = nullptr;          // set on a menu's root item only
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    // The root item: its sub-items are the menu's top-level items.
    TMenuItem* Items() const { return m_items.get(); }
    TCustomImageList* Images() const { return m_images; }
    void SetImages(TCustomImageList* Value) { ReferenceImageList(this, m_images, Value); }
    void GetChildren(std::vector<TComponent*>& Children, const TComponent* Root) const override;
    // Clicks the enabled, visible item whose ShortCut the key makes (in an enabled, visible
    // sub-menu too) and answers true; false when no item has it.
    bool IsShortCut(std::uint16_t Key, TShiftState Shift);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // An item of the menu changed how it looks, or is going (Gone).
    virtual void MenuChanged(TMenuItem* /*Item*/, bool /*Gone*/) {}

private:
    friend class TMenuItem;
    std::unique_ptr<TMenuItem, TFreeDeleter> m_items;
    TCustomImageList* m_images = nullptr;  // not owned; cleared when it goes
};

class TMainMenu : public TMenu {
public:
    using TMenu::TMenu;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

// A menu that pops up at a point: its visible top-level items as a list on the window, picked
// with the mouse, the arrow keys and Enter or an item's accelerator letter, dismissed with Escape
// or a press elsewhere. An item with sub-items opens its sub-menu beside it when the pointer
// rests on it, when it is clicked, or with Right or Enter; Left or Escape close that level only.
class TPopupMenu : public TMenu {
public:
    using TMenu::TMenu;
    ~TPopupMenu() override;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    // Whether a right click on a control that has this menu pops it up.
    bool AutoPopup() const { return m_autoPopup; }
    void SetAutoPopup(bool Value) { m_autoPopup = Value; }
    // The control the menu last popped up for.
    TComponent* PopupComponent() const { return m_popupComponent; }
    void SetPopupComponent(TComponent* Value);
    // OnPopup first, then the items at (X, Y) in the coordinates of the popup component's
    // top-level window (the active form's when there is no such control), kept on the screen's
    // work area where a window host shows the window, else inside the window.
    virtual void Popup(int X, int Y);
    bool PoppedUp() const;
    // The list of the menu (Level 0) or of an open sub-menu (1, 2, ...); null when not shown.
    TDropDownList* PopupList(int Level = 0) const;
    // How many lists are open: the menu's and its open sub-menus'.
    int PopupLevels() const { return m_levels; }
    // The item whose sub-items the list of Level shows.
    TMenuItem* PopupItem(int Level) const;
    void ClosePopup();

    TNotifyEvent OnPopup;

protected:
    virtual void DoPopup();
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MenuChanged(TMenuItem* Item, bool Gone) override;

private:
    friend class TMenuPopupList;
    TWinControl* PopupTop() const;
    TMenuPopupList& ListOf(int Level);
    // The entry of Level was picked: an item opens its sub-menu (its first entry highlighted
    // when Select), any other is clicked.
    void Activate(int Level, int Entry, bool Select);
    void OpenSubMenu(int Level, int Entry, bool Select);
    // Closes the lists from Level on; the list below keeps the mouse and the keys.
    void CloseFrom(int Level);
    void Pick(TMenuItem* Item);
    // The deepest open list under a point of the top-level window, else -1.
    int LevelAt(TPoint P) const;
    // The pointer highlighted another entry of Level; after a pause HoverTimer opens or closes
    // sub-menus to match.
    void Hovered(int Level);
    void HoverTimer();

    bool m_autoPopup = true;
    TComponent* m_popupComponent = nullptr;  // not owned; cleared when it goes
    std::vector<TMenuPopupList*> m_lists;    // owned as components, made as levels first open
    int m_levels = 0;                        // lists open, from m_lists' front
    int m_hoverLevel = 0;                    // the level whose highlight the timer follows
};

// Where a menu without a popup component shows: the forms layer answers the active form.
void SetPopupWindowFinder(TWinControl* (*Finder)());

}  // namespace framework
