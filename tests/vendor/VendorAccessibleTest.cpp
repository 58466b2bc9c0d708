#include "framework/controls/Accessible.h"
#include "vendor/AdvListView.h"
#include "vendor/AdvOfficePager.h"
#include "vendor/AdvOfficePagerParts.h"
#include "vendor/AdvProgressBar.h"
#include "vendor/AdvTreeView.h"
#include "vendor/ElEdits.h"

#include "support/FormFixture.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace vendor;
using namespace testsupport;

namespace {

// A tree's rows: what they show, at their level, open or closed.
struct TreeRowsSpeak : ::testing::Test {
    FormPtr form = MakeForm(300, 200);
    TAdvTreeView* tree = Create<TAdvTreeView>(form.get());

    void SetUp() override {
        tree->SetParent(form.get());
        tree->SetBounds(0, 0, 300, 200);
        tree->AddColumn("Word", 100);
        tree->AddColumn("Count", 60);
        TAdvTreeViewNode* a = tree->AddNode();
        a->SetText(0, "reading");
        a->SetText(1, "231");
        a->AddChild()->SetText(0, "reader");
        tree->AddNode()->SetText(0, "writing");
    }
};

}  // namespace

TEST_F(TreeRowsSpeak, RowsCarryTheirColumnsAndLevel) {
    ASSERT_EQ(tree->AccessibleItemCount(), 2);  // the child is hidden while its parent is closed
    TAccessible row = DescribeAccessible(*tree, 0);
    EXPECT_EQ(row.Role, TAccessibleRole::TableCell);
    EXPECT_EQ(row.Name, "reading, 231");
    EXPECT_EQ(row.Level, 0);
    EXPECT_TRUE(row.Has(asExpandable));
    EXPECT_FALSE(row.Has(asExpanded));
    EXPECT_EQ(row.Actions, (std::vector<std::string>{"click", "expand"}));
    EXPECT_FALSE(DescribeAccessible(*tree, 1).Has(asExpandable));
}

TEST_F(TreeRowsSpeak, ExpandShowsTheChildAtTheNextLevel) {
    EXPECT_TRUE(tree->DoAccessibleAction(0, "expand"));
    ASSERT_EQ(tree->AccessibleItemCount(), 3);
    const TAccessible child = DescribeAccessible(*tree, 1);
    EXPECT_EQ(child.Name, "reader");
    EXPECT_EQ(child.Level, 1);
    EXPECT_TRUE(DescribeAccessible(*tree, 0).Has(asExpanded));
    EXPECT_FALSE(tree->DoAccessibleAction(1, "expand"));  // a leaf has nothing to open
    EXPECT_TRUE(tree->DoAccessibleAction(0, "collapse"));
    EXPECT_EQ(tree->AccessibleItemCount(), 2);
    EXPECT_FALSE(tree->DoAccessibleAction(5, "click"));
}

TEST_F(TreeRowsSpeak, ClickSelectsAndTheFocusFollows) {
    EXPECT_EQ(tree->AccessibleFocusedItem(), -1);
    EXPECT_TRUE(tree->DoAccessibleAction(1, "click"));
    EXPECT_EQ(tree->AccessibleFocusedItem(), 1);
    EXPECT_TRUE(DescribeAccessible(*tree, 1).Has(asSelected));
    EXPECT_FALSE(DescribeAccessible(*tree, 0).Has(asSelected));
}

TEST(PagerTabs, PagesAreTabsAndTheActiveOneIsSelected) {
    FormPtr form = MakeForm(300, 200);
    auto* pager = Create<TAdvOfficePager>(form.get());
    pager->SetParent(form.get());
    auto* one = Create<TAdvOfficePage>(form.get());
    one->SetCaption("Concordance");
    one->SetAdvOfficePager(pager);
    auto* two = Create<TAdvOfficePage>(form.get());
    two->SetCaption("Word list");
    two->SetAdvOfficePager(pager);
    pager->SetActivePage(one);
    EXPECT_EQ(DescribeAccessible(*pager).Role, TAccessibleRole::PageTabList);
    const TAccessible tab = DescribeAccessible(*two);
    EXPECT_EQ(tab.Role, TAccessibleRole::PageTab);
    EXPECT_EQ(tab.Name, "Word list");
    EXPECT_FALSE(tab.Has(asSelected));
    EXPECT_TRUE(two->DoAccessibleAction(-1, "click"));
    EXPECT_EQ(pager->ActivePage(), two);
    EXPECT_TRUE(DescribeAccessible(*two).Has(asSelected));
    EXPECT_FALSE(DescribeAccessible(*one).Has(asSelected));
}

TEST(VendorValues, ProgressAndSpinEditsTellTheirValues) {
    FormPtr form = MakeForm(300, 200);
    auto* progress = Create<TAdvProgressBar>(form.get());
    progress->SetParent(form.get());
    progress->SetMax(200);
    progress->SetPosition(50);
    TAccessible a = DescribeAccessible(*progress);
    EXPECT_EQ(a.Role, TAccessibleRole::ProgressBar);
    ASSERT_TRUE(a.Value);
    EXPECT_EQ(a.Value->Current, 50);
    EXPECT_EQ(a.Value->Maximum, 200);
    auto* spin = Create<TElSpinEdit>(form.get());
    spin->SetParent(form.get());
    spin->SetMaxValue(10);
    spin->SetValue(7);
    a = DescribeAccessible(*spin);
    EXPECT_EQ(a.Role, TAccessibleRole::SpinButton);
    ASSERT_TRUE(a.Value);
    EXPECT_EQ(a.Value->Current, 7);
    EXPECT_EQ(a.Value->Maximum, 10);
}

TEST(ListViewRows, ReadAsTheirColumns) {
    FormPtr form = MakeForm(300, 200);
    auto* view = Create<TAdvListView>(form.get());
    view->SetParent(form.get());
    view->SetBounds(0, 0, 200, 150);
    view->AddColumn("Word", 100);
    view->AddColumn("Count", 60);
    view->AddItem("read")->SubItems = {"412"};
    view->AddItem("write");
    EXPECT_EQ(DescribeAccessible(*view).Role, TAccessibleRole::List);
    ASSERT_EQ(view->AccessibleItemCount(), 2);
    EXPECT_EQ(DescribeAccessible(*view, 0).Name, "read, 412");
    EXPECT_EQ(DescribeAccessible(*view, 1).Name, "write");
    EXPECT_TRUE(view->DoAccessibleAction(1, "click"));
    EXPECT_EQ(view->ItemIndex(), 1);
    EXPECT_TRUE(DescribeAccessible(*view, 1).Has(asSelected));
    EXPECT_FALSE(view->DoAccessibleAction(2, "click"));
}
