#pragma once
// Grids: rows and columns of cells, the first rows and columns fixed (headings, painted in the
// button face colour). A draw grid leaves its cells to OnDrawCell; a string grid holds a text
// per cell and paints it. Every row has the default row height, every column the default
// column width.

#include "framework/controls/WinControl.h"

#include <string>
#include <vector>

namespace framework {

enum : std::uint32_t { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = std::uint32_t;
using TDrawCellEvent = TEvent<TObject*, int, int, TRect, TGridDrawState>;

class TCustomDrawGrid : public TCustomControl {
public:
    explicit TCustomDrawGrid(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(TAccessible& A) const override;

    int ColCount() const { return m_colCount; }
    void SetColCount(int Value);
    int RowCount() const { return m_rowCount; }
    void SetRowCount(int Value);
    int FixedCols() const { return m_fixedCols; }
    void SetFixedCols(int Value);
    int FixedRows() const { return m_fixedRows; }
    void SetFixedRows(int Value);
    int DefaultColWidth() const { return m_defaultColWidth; }
    void SetDefaultColWidth(int Value);
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void SetDefaultRowHeight(int Value);
    // The selected cell; the fixed cells cannot be selected.
    int Col() const { return m_col; }
    int Row() const { return m_row; }
    void SetCol(int Value);
    void SetRow(int Value);

    // The first row and column shown after the fixed ones; the grid scrolls by whole cells and
    // keeps its last page full.
    int TopRow() const { return m_topRow; }
    void SetTopRow(int Value);
    int LeftCol() const { return m_leftCol; }
    void SetLeftCol(int Value);
    // The whole rows and columns that fit after the fixed ones (at least one).
    int VisibleRowCount() const;
    int VisibleColCount() const;

    // The cell in client coordinates, lines excluded; empty outside the grid or scrolled away.
    TRect CellRect(int ACol, int ARow) const;
    // The cell under a client point; false outside every cell.
    bool MouseToCell(int X, int Y, int& ACol, int& ARow) const;

    // Bounds, font, and the default column width and row height.
    void ChangeScale(int M, int D) override;

    TDrawCellEvent OnDrawCell;

protected:
    void Paint() override;
    // Paints one cell after its background: an assigned OnDrawCell draws it.
    virtual void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState);
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // The bars count the rows and columns that scroll.
    bool ScrollContent(int Bar, TScrollInfo& Info) override;
    void ScrollContentTo(int Bar, int Pos) override;

private:
    // Where a row or column is shown, counted in cells from the grid's start; -1 when it is
    // scrolled away. Shown is the reverse.
    int ShownAt(int Index, int Fixed, int First) const {
        return Index < Fixed ? Index : Index >= First ? Fixed + Index - First : -1;
    }
    int Shown(int Place, int Fixed, int First) const { return Place < Fixed ? Place : First + Place - Fixed; }

    int m_colCount = 5;
    int m_rowCount = 5;
    int m_fixedCols = 1;
    int m_fixedRows = 1;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 24;
    int m_col = 1;
    int m_row = 1;
    int m_topRow = 1;
    int m_leftCol = 1;
};

class TDrawGrid : public TCustomDrawGrid {
public:
    using TCustomDrawGrid::TCustomDrawGrid;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

class TStringGrid : public TDrawGrid {
public:
    using TDrawGrid::TDrawGrid;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
    int AccessibleItemCount() const override;
    void DescribeAccessibleItem(int Index, TAccessible& A) const override;
    int AccessibleFocusedItem() const override;

    // Empty for a cell never set; raises EListError outside the grid.
    std::string Cells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const std::string& Value);

protected:
    void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;

private:
    void CheckCell(int ACol, int ARow) const;
    std::vector<std::vector<std::string>> m_cells;  // by row, then column; grown when set
};

}  // namespace framework
