#include "framework/controls/Grids.h"

#include "framework/controls/DrawText.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"

#include <algorithm>

namespace framework {

namespace {
constexpr int kLine = 1;  // the grid lines are one pixel wide
}  // namespace

const TClassInfo& TCustomDrawGrid::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TCustomDrawGrid, TCustomControl>("TCustomDrawGrid")
            .Integer<TCustomDrawGrid>("ColCount", &TCustomDrawGrid::ColCount, &TCustomDrawGrid::SetColCount,
                                      5)
            .Integer<TCustomDrawGrid>("RowCount", &TCustomDrawGrid::RowCount, &TCustomDrawGrid::SetRowCount,
                                      5)
            .Integer<TCustomDrawGrid>("FixedCols", &TCustomDrawGrid::FixedCols,
                                      &TCustomDrawGrid::SetFixedCols, 1)
            .Integer<TCustomDrawGrid>("FixedRows", &TCustomDrawGrid::FixedRows,
                                      &TCustomDrawGrid::SetFixedRows, 1)
            .Integer<TCustomDrawGrid>("DefaultColWidth", &TCustomDrawGrid::DefaultColWidth,
                                      &TCustomDrawGrid::SetDefaultColWidth, 64)
            .Integer<TCustomDrawGrid>("DefaultRowHeight", &TCustomDrawGrid::DefaultRowHeight,
                                      &TCustomDrawGrid::SetDefaultRowHeight, 24);
    return info;
}

const TClassInfo& TDrawGrid::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TDrawGrid, TCustomDrawGrid>("TDrawGrid");
    return info;
}

const TClassInfo& TStringGrid::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TStringGrid, TDrawGrid>("TStringGrid");
    return info;
}

TCustomDrawGrid::TCustomDrawGrid(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 320, 120);
    SetTabStop(true);
}

void TCustomDrawGrid::SetColCount(int Value) {
    m_colCount = std::max(Value, m_fixedCols + 1);
    m_col = std::min(m_col, m_colCount - 1);
    Invalidate();
}

void TCustomDrawGrid::SetRowCount(int Value) {
    m_rowCount = std::max(Value, m_fixedRows + 1);
    m_row = std::min(m_row, m_rowCount - 1);
    Invalidate();
}

void TCustomDrawGrid::SetFixedCols(int Value) {
    m_fixedCols = std::clamp(Value, 0, m_colCount - 1);
    m_col = std::max(m_col, m_fixedCols);
    m_leftCol = m_fixedCols;
    Invalidate();
}

void TCustomDrawGrid::SetFixedRows(int Value) {
    m_fixedRows = std::clamp(Value, 0, m_rowCount - 1);
    m_row = std::max(m_row, m_fixedRows);
    m_topRow = m_fixedRows;
    Invalidate();
}

void TCustomDrawGrid::SetDefaultColWidth(int Value) {
    if (Value > 0 && Value != m_defaultColWidth) {
        m_defaultColWidth = Value;
        Invalidate();
    }
}

void TCustomDrawGrid::SetDefaultRowHeight(int Value) {
    if (Value > 0 && Value != m_defaultRowHeight) {
        m_defaultRowHeight = Value;
        Invalidate();
    }
}

void TCustomDrawGrid::ChangeScale(int M, int D) {
    if (M != D && D != 0) {
        SetDefaultColWidth(MulDiv(m_defaultColWidth, M, D));
        SetDefaultRowHeight(MulDiv(m_defaultRowHeight, M, D));
    }
    TCustomControl::ChangeScale(M, D);
}

void TCustomDrawGrid::SetCol(int Value) {
    if (Value >= m_fixedCols && Value < m_colCount) {
        m_col = Value;
        Invalidate();
    }
}

void TCustomDrawGrid::SetRow(int Value) {
    if (Value >= m_fixedRows && Value < m_rowCount) {
        m_row = Value;
        Invalidate();
    }
}

int TCustomDrawGrid::VisibleRowCount() const {
    const int step = m_defaultRowHeight + kLine;
    return std::max((ClientHeight() - m_fixedRows * step) / step, 1);
}

int TCustomDrawGrid::VisibleColCount() const {
    const int step = m_defaultColWidth + kLine;
    return std::max((ClientWidth() - m_fixedCols * step) / step, 1);
}

void TCustomDrawGrid::SetTopRow(int Value) {
    Value = std::clamp(Value, m_fixedRows, std::max(m_rowCount - VisibleRowCount(), m_fixedRows));
    if (Value != m_topRow) {
        m_topRow = Value;
        Invalidate();
    }
}

void TCustomDrawGrid::SetLeftCol(int Value) {
    Value = std::clamp(Value, m_fixedCols, std::max(m_colCount - VisibleColCount(), m_fixedCols));
    if (Value != m_leftCol) {
        m_leftCol = Value;
        Invalidate();
    }
}

bool TCustomDrawGrid::ScrollContent(int Bar, TScrollInfo& Info) {
    // Rows or columns added, removed or newly fitting may leave the first one shown too far on.
    if (Bar == SB_VERT) {
        SetTopRow(m_topRow);
        Info.nMin = m_fixedRows;
        Info.nMax = std::max(m_rowCount - 1, m_fixedRows);
        Info.nPage = VisibleRowCount();
        Info.nPos = m_topRow;
    } else {
        SetLeftCol(m_leftCol);
        Info.nMin = m_fixedCols;
        Info.nMax = std::max(m_colCount - 1, m_fixedCols);
        Info.nPage = VisibleColCount();
        Info.nPos = m_leftCol;
    }
    return true;
}

void TCustomDrawGrid::ScrollContentTo(int Bar, int Pos) {
    if (Bar == SB_VERT)
        SetTopRow(Pos);
    else
        SetLeftCol(Pos);
}

TRect TCustomDrawGrid::CellRect(int ACol, int ARow) const {
    if (ACol < 0 || ACol >= m_colCount || ARow < 0 || ARow >= m_rowCount)
        return TRect{};
    const int col = ShownAt(ACol, m_fixedCols, m_leftCol), row = ShownAt(ARow, m_fixedRows, m_topRow);
    if (col < 0 || row < 0)
        return TRect{};
    const int left = col * (m_defaultColWidth + kLine);
    const int top = row * (m_defaultRowHeight + kLine);
    return Rect(left, top, left + m_defaultColWidth, top + m_defaultRowHeight);
}

bool TCustomDrawGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
    if (X < 0 || Y < 0)
        return false;
    ACol = Shown(X / (m_defaultColWidth + kLine), m_fixedCols, m_leftCol);
    ARow = Shown(Y / (m_defaultRowHeight + kLine), m_fixedRows, m_topRow);
    return ACol < m_colCount && ARow < m_rowCount;
}

void TCustomDrawGrid::Paint() {
    TCanvas& canvas = *Canvas();
    const TRect client = ClientRect();
    // The fixed rows and columns, then the scrolled ones from the first shown.
    for (int place = 0;; ++place) {
        const int row = Shown(place, m_fixedRows, m_topRow);
        if (row >= m_rowCount || CellRect(Shown(0, m_fixedCols, m_leftCol), row).Top >= client.Bottom)
            break;
        for (int colPlace = 0;; ++colPlace) {
            const int col = Shown(colPlace, m_fixedCols, m_leftCol);
            if (col >= m_colCount)
                break;
            const TRect cell = CellRect(col, row);
            if (cell.Left >= client.Right)
                break;
            const bool fixed = col < m_fixedCols || row < m_fixedRows;
            TGridDrawState state = fixed ? TGridDrawState{gdFixed} : 0u;
            if (!fixed && col == m_col && row == m_row)
                state |= gdSelected | (Focused() ? TGridDrawState{gdFocused} : 0u);
            // The cell and the lines to its right and below.
            canvas.Brush()->SetStyle(bsSolid);
            canvas.Brush()->SetColor(fixed ? clBtnShadow : clSilver);
            canvas.FillRect(Rect(cell.Left, cell.Top, cell.Right + kLine, cell.Bottom + kLine));
            canvas.Brush()->SetColor(fixed ? clBtnFace : (state & gdSelected) ? clHighlight : Color());
            canvas.FillRect(cell);
            DrawCell(col, row, cell, state);
        }
    }
}

void TCustomDrawGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) {
    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow, ARect, AState);
}

void TCustomDrawGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    int col = 0, row = 0;
    if (Button == mbLeft && MouseToCell(X, Y, col, row)) {
        SetCol(col);
        SetRow(row);
    }
}

void TStringGrid::CheckCell(int ACol, int ARow) const {
    if (ACol < 0 || ACol >= ColCount() || ARow < 0 || ARow >= RowCount())
        throw EListError(Format("Grid index out of range (%d, %d)", {ACol, ARow}));
}

std::string TStringGrid::Cells(int ACol, int ARow) const {
    CheckCell(ACol, ARow);
    const auto r = static_cast<std::size_t>(ARow), c = static_cast<std::size_t>(ACol);
    return r < m_cells.size() && c < m_cells[r].size() ? m_cells[r][c] : std::string();
}

void TStringGrid::SetCells(int ACol, int ARow, const std::string& Value) {
    CheckCell(ACol, ARow);
    const auto r = static_cast<std::size_t>(ARow), c = static_cast<std::size_t>(ACol);
    if (m_cells.size() <= r)
        m_cells.resize(r + 1);
    if (m_cells[r].size() <= c)
        m_cells[r].resize(c + 1);
    m_cells[r][c] = Value;
    Invalidate();
}

void TStringGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) {
    TCanvas& canvas = *Canvas();
    canvas.Font()->Assign(Font());
    canvas.Font()->SetColor((AState & gdSelected) ? clHighlightText : clWindowText);
    canvas.Brush()->SetStyle(bsClear);
    ARect.Inflate(-2, 0);
    DrawText(canvas, Cells(ACol, ARow), ARect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

}  // namespace framework
