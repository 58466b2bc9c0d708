#include "framework/controls/Grids.h"

#include "framework/rtl/Exceptions.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

#include <vector>

using namespace framework;
using namespace testsupport;

namespace {

struct Grids : ::testing::Test {
    FormPtr form = MakeForm(300, 200);
    TStringGrid* grid = Create<TStringGrid>(form.get());
    void SetUp() override {
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 300, 200);
        grid->SetColCount(3);
        grid->SetRowCount(4);
    }
};

TEST_F(Grids, RowsTakeTheDefaultRowHeight) {
    EXPECT_EQ(grid->CellRect(1, 2), Rect(65, 50, 129, 74));
    grid->SetDefaultRowHeight(30);
    EXPECT_EQ(grid->CellRect(1, 2), Rect(65, 62, 129, 92));
    EXPECT_TRUE(grid->CellRect(3, 0).IsEmpty());
    auto pic = Picture(*form);
    // The fixed first row is button face down to its line; the selected cell is highlighted.
    EXPECT_TRUE(RectIs(*pic, Rect(0, 0, 64, 30), clBtnFace));
    EXPECT_TRUE(RectIs(*pic, Rect(65, 31, 129, 61), clHighlight));
    EXPECT_TRUE(PixelIs(*pic, 10, 30, clBtnShadow));
}

TEST_F(Grids, ScalingScalesTheCellsWithTheBounds) {
    grid->ChangeScale(3, 2);
    EXPECT_EQ(grid->DefaultColWidth(), 96);
    EXPECT_EQ(grid->DefaultRowHeight(), 36);
    EXPECT_EQ(grid->Width(), 450);
}

TEST_F(Grids, StringGridKeepsAndPaintsItsCells) {
    EXPECT_EQ(grid->Cells(2, 3), "");
    grid->SetCells(2, 3, "42");
    EXPECT_EQ(grid->Cells(2, 3), "42");
    EXPECT_THROW(grid->SetCells(3, 0, "x"), EListError);
    EXPECT_THROW(grid->Cells(0, -1), EListError);
    auto pic = Picture(*form);
    const auto text = BoundsOfColor(*pic, clWindowText);
    ASSERT_TRUE(text);
    EXPECT_TRUE(grid->CellRect(2, 3).Contains(Point(text->Left, text->Top)));
}

TEST_F(Grids, ClickSelectsACellButNeverAFixedOne) {
    ClickAt(*form, 140, 80);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 3);
    ClickAt(*form, 10, 10);
    EXPECT_EQ(grid->Col(), 2);
    std::vector<int> drawn;
    auto* draw = Create<TDrawGrid>(form.get());
    draw->SetParent(form.get());
    draw->OnDrawCell = TDrawCellEvent::Lambda([&](TObject*, int c, int r, TRect, TGridDrawState state) {
        drawn.push_back(c * 10 + r + ((state & gdFixed) ? 100 : 0));
    });
    Picture(*form);
    EXPECT_EQ(drawn.size(), 25u);
    EXPECT_EQ(drawn.front(), 100);  // the corner cell is fixed
}

}  // namespace

// Rows and columns past the grid scroll by whole cells; the fixed ones stay.
TEST_F(Grids, BarsScrollTheCellsButNotTheFixedOnes) {
    Picture(*form);
    EXPECT_EQ(grid->WindowStyle(), 0u);  // three columns and four rows fit
    grid->SetColCount(20);
    grid->SetRowCount(50);
    Picture(*form);
    EXPECT_EQ(grid->WindowStyle(), WS_HSCROLL | WS_VSCROLL);
    TScrollInfo info;
    grid->GetScrollInfo(SB_VERT, info);
    EXPECT_EQ(info.nMin, 1);
    EXPECT_EQ(info.nMax, 49);
    EXPECT_EQ(info.nPage, grid->VisibleRowCount());
    grid->Perform(WM_VSCROLL, SB_LINEDOWN);
    grid->Perform(WM_HSCROLL, SB_PAGERIGHT);
    EXPECT_EQ(grid->TopRow(), 2);
    EXPECT_EQ(grid->LeftCol(), 1 + grid->VisibleColCount());
    // The fixed row and column keep their place; the first cell shown follows them.
    EXPECT_EQ(grid->CellRect(0, 0), Rect(0, 0, 64, 24));
    EXPECT_EQ(grid->CellRect(grid->LeftCol(), 2), Rect(65, 25, 129, 49));
    EXPECT_TRUE(grid->CellRect(1, 1).IsEmpty());  // scrolled away
    int col = 0, row = 0;
    ASSERT_TRUE(grid->MouseToCell(70, 30, col, row));
    EXPECT_EQ(col, grid->LeftCol());
    EXPECT_EQ(row, 2);
    grid->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(grid->TopRow(), 50 - grid->VisibleRowCount());
    grid->SetRowCount(3);  // fewer rows than shown: back to the first
    Picture(*form);
    EXPECT_EQ(grid->TopRow(), 1);
    EXPECT_FALSE(grid->WindowStyle() & WS_VSCROLL);
}
