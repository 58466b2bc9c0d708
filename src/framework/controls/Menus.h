#pragma once
// Menus: TMenuItem trees under a TMainMenu or TPopupMenu. An item's Tag, caption, sub-items
// and ImageIndex are its own; the images come from the menu's Images list.

#include "framework/controls/DropDownList.h"
#include "framework/controls/ImageList.h"
#include "framework/rtl/Exceptions.h"

#include <memory>
#include <string>
#include <vector>

namespace framework {

class EMenuError : public Exception {
    using Exception::Exception;
};

class TMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;  // frees its sub-items and leaves its parent
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& Value) { m_caption = Value; }
    // A separator: the caption "-".
    bool IsLine() const { return m_caption == "-"; }
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int Value) { m_imageIndex = Value; }
    // A disabled item is shown grey and cannot be picked.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool Value) { m_enabled = Value; }

    // The item was picked.
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
    std::string m_caption;
    int m_imageIndex = -1;
    bool m_enabled = true;
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

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    std::unique_ptr<TMenuItem, TFreeDeleter> m_items;
    TCustomImageList* m_images = nullptr;  // not owned; cleared when it goes
};

class TMainMenu : public TMenu {
public:
    using TMenu::TMenu;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

// A menu that pops up at a point: its top-level items as a list on the window, picked with the
// mouse or the arrow keys and Enter, dismissed with Escape or a press elsewhere.
class TPopupMenu : public TMenu, private TDropDownSource {
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
    // top-level window (the active form's when there is no such control), kept inside it.
    virtual void Popup(int X, int Y);
    bool PoppedUp() const;
    // The list the items show in while popped up; null otherwise.
    TDropDownList* PopupList() const { return PoppedUp() ? m_list : nullptr; }
    void ClosePopup();

    TNotifyEvent OnPopup;

protected:
    virtual void DoPopup();
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    int DropDownEntryCount() override;
    int DropDownEntryHeight(int Index) override;
    void DropDownPaintEntry(TCanvas& Canvas, int Index, TRect Rect, TOwnerDrawState State) override;
    void DropDownChoose(int Index) override;
    bool DropDownCanChoose(int Index) override;
    void DropDownDismiss() override { ClosePopup(); }

    bool m_autoPopup = true;
    TComponent* m_popupComponent = nullptr;  // not owned; cleared when it goes
    TDropDownList* m_list = nullptr;         // owned as a component, made on the first popup
};

// Where a menu without a popup component shows: the forms layer answers the active form.
void SetPopupWindowFinder(TWinControl* (*Finder)());

}  // namespace framework
