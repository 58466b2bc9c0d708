#include "framework/controls/Menus.h"

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
