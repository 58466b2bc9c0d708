#include "framework/controls/Menus.h"
#include "framework/classes/TypInfo.h"

#include <gtest/gtest.h>

#include <memory>

using namespace framework;

namespace {

struct Menus : ::testing::Test {
    std::unique_ptr<TMainMenu, TFreeDeleter> menu{Create<TMainMenu>(nullptr)};
    TMenuItem* file = Item("File");
    TMenuItem* open = Item("Open", file);
    TMenuItem* line = Item("-", file);
    TMenuItem* recent = Item("Recent", file);
    TMenuItem* first = Item("first.txt", recent);

    // Items are owned by the menu, as a form's designer makes them.
    TMenuItem* Item(const char* caption, TMenuItem* parent = nullptr) {
        auto* item = Create<TMenuItem>(menu.get());
        item->SetCaption(caption);
        (parent ? parent : menu->Items())->Add(item);
        return item;
    }
};

}  // namespace

TEST_F(Menus, ItemsFormATreeUnderTheRootItem) {
    ASSERT_EQ(menu->Items()->Count(), 1);
    EXPECT_EQ(file->Count(), 3);
    EXPECT_EQ(file->Items(2), recent);
    EXPECT_EQ(first->Parent(), recent);
    EXPECT_EQ(file->IndexOf(line), 1);
    EXPECT_EQ(file->IndexOf(first), -1);  // a grandchild is not a child
    EXPECT_TRUE(line->IsLine());
    EXPECT_FALSE(open->IsLine());
    EXPECT_EQ(first->GetParentMenu(), menu.get());
    EXPECT_THROW(file->Items(3), EListError);
    EXPECT_THROW(file->Items(-1), EListError);
    auto* fresh = Create<TMenuItem>(menu.get());
    file->Insert(0, fresh);
    EXPECT_EQ(file->Items(0), fresh);
    EXPECT_EQ(file->Items(1), open);
}

TEST_F(Menus, AnItemHasOnePlace) {
    EXPECT_THROW(recent->Add(open), EMenuError);  // still under File
    EXPECT_THROW(first->Add(file), EMenuError);   // under itself, through its children
    auto* loose = Create<TMenuItem>(menu.get());
    EXPECT_EQ(loose->GetParentMenu(), nullptr);
    EXPECT_THROW(loose->Add(loose), EMenuError);
    EXPECT_THROW(file->Insert(9, loose), EListError);
    EXPECT_EQ(loose->Parent(), nullptr);
    file->Remove(open);
    EXPECT_EQ(open->Parent(), nullptr);
    EXPECT_THROW(file->Remove(open), EMenuError);
    recent->Add(open);  // free again, so it can go elsewhere
    EXPECT_EQ(open->GetParentMenu(), menu.get());
}

TEST_F(Menus, TagAndImageIndexStayWithTheItem) {
    recent->SetTag(-12);
    recent->SetImageIndex(3);
    file->Remove(recent);
    menu->Items()->Add(recent);
    EXPECT_EQ(recent->Tag(), -12);
    EXPECT_EQ(recent->ImageIndex(), 3);
    EXPECT_EQ(open->ImageIndex(), -1);
}

TEST_F(Menus, FreeingAnItemFreesItsSubItemsAndLeavesItsParent) {
    const int owned = menu->ComponentCount();
    recent->Free();
    EXPECT_EQ(file->Count(), 2);
    EXPECT_EQ(menu->ComponentCount(), owned - 2);  // first.txt went with it
}

TEST_F(Menus, ItemsTakeTheirImagesFromTheMenusList) {
    auto images = std::unique_ptr<TImageList, TFreeDeleter>(Create<TImageList>(nullptr));
    EXPECT_EQ(first->GetImageList(), nullptr);
    menu->SetImages(images.get());
    EXPECT_EQ(first->GetImageList(), images.get());
    std::unique_ptr<TPopupMenu, TFreeDeleter> popup{Create<TPopupMenu>(nullptr)};
    popup->SetImages(images.get());
    images.reset();  // both menus are told
    EXPECT_EQ(menu->Images(), nullptr);
    EXPECT_EQ(popup->Images(), nullptr);
    EXPECT_EQ(first->GetImageList(), nullptr);
}

namespace {

// A View menu: two radio groups and a plain check item among siblings.
struct MenuChecks : Menus {
    TMenuItem* view = Item("View");
    TMenuItem* small = Radio("Small", 1);
    TMenuItem* large = Radio("Large", 1);
    TMenuItem* list = Radio("List", 1);
    TMenuItem* byName = Radio("By name", 2);
    TMenuItem* bySize = Radio("By size", 2);
    TMenuItem* toolbar = Item("Tool bar", view);
    TMenuItem* elsewhere = Item("Elsewhere", file);  // a radio item of group 1 under another parent

    TMenuItem* Radio(const char* caption, int group) {
        TMenuItem* item = Item(caption, view);
        item->SetRadioItem(true);
        item->SetGroupIndex(static_cast<std::uint8_t>(group));
        return item;
    }
};

}  // namespace

TEST_F(MenuChecks, CheckingARadioItemUnchecksItsGroupOnly) {
    elsewhere->SetRadioItem(true);
    elsewhere->SetGroupIndex(1);
    elsewhere->SetChecked(true);
    toolbar->SetChecked(true);
    byName->SetChecked(true);
    small->SetChecked(true);
    large->SetChecked(true);
    EXPECT_FALSE(small->Checked());
    EXPECT_TRUE(large->Checked());
    EXPECT_TRUE(byName->Checked());     // another group
    EXPECT_TRUE(toolbar->Checked());    // not a radio item
    EXPECT_TRUE(elsewhere->Checked());  // not a sibling
    // Unchecking touches nobody else; a group may be left with none checked.
    large->SetChecked(false);
    EXPECT_FALSE(small->Checked());
    EXPECT_TRUE(byName->Checked());
    // A checked item that becomes a radio item, or moves into a group, turns the others off.
    bySize->SetRadioItem(false);
    bySize->SetChecked(true);
    EXPECT_TRUE(byName->Checked());
    bySize->SetRadioItem(true);
    EXPECT_FALSE(byName->Checked());
    list->SetChecked(true);
    bySize->SetGroupIndex(1);
    EXPECT_FALSE(list->Checked());
    EXPECT_TRUE(bySize->Checked());
}

TEST_F(MenuChecks, AutoCheckTurnsTheMarkOverBeforeOnClick) {
    bool seen = false;
    struct Probe {
        bool* seen;
        void Clicked(TObject* Sender) { *seen = static_cast<TMenuItem*>(Sender)->Checked(); }
    } probe{&seen};
    toolbar->OnClick = TNotifyEvent::Of<&Probe::Clicked>(&probe);
    toolbar->Click();
    EXPECT_FALSE(toolbar->Checked());  // AutoCheck is off by default
    toolbar->SetAutoCheck(true);
    toolbar->Click();
    EXPECT_TRUE(toolbar->Checked());
    EXPECT_TRUE(seen);
    toolbar->Click();
    EXPECT_FALSE(toolbar->Checked());
    // A radio item is picked to be checked; a second pick keeps it so.
    small->SetAutoCheck(true);
    large->SetChecked(true);
    small->Click();
    EXPECT_TRUE(small->Checked());
    EXPECT_FALSE(large->Checked());
    small->Click();
    EXPECT_TRUE(small->Checked());
    // A disabled item does nothing; an item with sub-items is not turned over as it opens.
    toolbar->SetEnabled(false);
    toolbar->Click();
    EXPECT_FALSE(toolbar->Checked());
    view->SetAutoCheck(true);
    view->Click();
    EXPECT_FALSE(view->Checked());
}

TEST_F(MenuChecks, PropertiesReadAndWriteByNameWithinTheirRange) {
    SetOrdProp(toolbar, "ShortCut", ShortCut('S', ssCtrl));
    EXPECT_EQ(ShortCutToText(toolbar->ShortCut()), "Ctrl+S");
    SetOrdProp(small, "GroupIndex", 7);
    EXPECT_EQ(small->GroupIndex(), 7);
    // A group index is one byte, a shortcut one word: larger values are refused, nothing changes.
    EXPECT_THROW(SetOrdProp(small, "GroupIndex", 256), EPropertyConvertError);
    EXPECT_THROW(SetOrdProp(small, "GroupIndex", -1), EPropertyConvertError);
    EXPECT_EQ(small->GroupIndex(), 7);
    EXPECT_THROW(SetOrdProp(toolbar, "ShortCut", 0x10000), EPropertyConvertError);
    EXPECT_EQ(ShortCutToText(toolbar->ShortCut()), "Ctrl+S");
    SetPropValue(toolbar, "Visible", TValue(false));
    EXPECT_FALSE(toolbar->Visible());
    SetPropValue(toolbar, "Default", TValue(true));
    EXPECT_TRUE(toolbar->Default());
    EXPECT_EQ(GetOrdProp(byName, "RadioItem"), 1);
}
