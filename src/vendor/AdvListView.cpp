#include "vendor/AdvListView.h"

#include "framework/controls/DrawText.h"
#include "framework/controls/Panel.h"
#include "framework/graphics/ColorProp.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"

#include <algorithm>

using namespace framework;

namespace vendor {

namespace {
constexpr int kCellPadding = 4;
constexpr int kIconSpacing = 8;

[[noreturn]] void badIndex(int Index) { throw EListError(Format("List index out of bounds (%d)", {Index})); }

std::uint32_t alignFormat(TAlignment Alignment) {
    switch (Alignment) {
    case taRightJustify:
        return DT_RIGHT;
    case taCenter:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}
}  // namespace

int TListItem::Index() const { return m_index; }

void TListItem::SetSelected(bool Value) {
    if (Value == m_selected)
        return;
    if (Value && !m_owner->m_multiSelect)
        m_owner->DeselectAll();
    m_owner->MarkSelected(this, Value);
    m_owner->SelectionChanged();
}

const TClassInfo& TAdvListView::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TAdvListView, TCustomControl>("TAdvListView")
            .Integer<TAdvListView>("ItemHeight", &TAdvListView::ItemHeight, &TAdvListView::SetItemHeight, 17)
            .Object<TAdvListView, TCustomImageList>("SmallImages", &TAdvListView::SmallImages,
                                                    &TAdvListView::SetSmallImages)
            .Object<TAdvListView, TCustomImageList>("LargeImages", &TAdvListView::LargeImages,
                                                    &TAdvListView::SetLargeImages)
            .Enum<TAdvListView>("ViewStyle", {"vsIcon", "vsReport"}, &TAdvListView::ViewStyle,
                                &TAdvListView::SetViewStyle, vsReport)
            .Bool<TAdvListView>("ShowColumnHeaders", &TAdvListView::ShowColumnHeaders,
                                &TAdvListView::SetShowColumnHeaders, true)
            .Bool<TAdvListView>("MultiSelect", &TAdvListView::MultiSelect, &TAdvListView::SetMultiSelect,
                                false)
            .Bool<TAdvListView>("OwnerDraw", &TAdvListView::OwnerDraw, &TAdvListView::SetOwnerDraw, false)
            .Bool<TAdvListView>("HeaderOwnerDraw", &TAdvListView::HeaderOwnerDraw,
                                &TAdvListView::SetHeaderOwnerDraw, false)
            .Property(ColorProperty<TAdvListView>("HeaderColor", &TAdvListView::HeaderColor,
                                                  &TAdvListView::SetHeaderColor, clBtnFace))
            .Object<TAdvListView, TFont>("HeaderFont", &TAdvListView::HeaderFont,
                                         &TAdvListView::SetHeaderFont)
            .Property(ColorProperty<TAdvListView>("SelectionColor", &TAdvListView::SelectionColor,
                                                  &TAdvListView::SetSelectionColor, clHighlight))
            .Property(ColorProperty<TAdvListView>("SelectionTextColor", &TAdvListView::SelectionTextColor,
                                                  &TAdvListView::SetSelectionTextColor, clHighlightText));
    return info;
}

TAdvListView::TAdvListView(TComponent* AOwner) : TCustomControl(AOwner), m_headerFont(Create<TFont>()) {
    SetBounds(0, 0, 250, 150);
    SetColor(clWindow);
    SetTabStop(true);
    m_headerFont->OnChange = TNotifyEvent::Of<&TAdvListView::HeaderFontChanged>(this);
}

TAdvListView::~TAdvListView() { m_headerFont->OnChange = nullptr; }

// Column widths, rows and the header's font follow a new resolution as the list's own font does.
void TAdvListView::ChangeScale(int M, int D) {
    if (M != D && D != 0) {
        for (auto& column : m_columns)
            column->Width = MulDiv(column->Width, M, D);
        m_itemHeight = std::max(MulDiv(m_itemHeight, M, D), 1);
        m_headerFont->SetHeight(MulDiv(m_headerFont->Height(), M, D));
    }
    TCustomControl::ChangeScale(M, D);
}

// --- Columns and items --------------------------------------------------------------------------

TListColumn* TAdvListView::AddColumn(const std::string& Caption, int Width) {
    auto column = std::make_unique<TListColumn>();
    column->Caption = Caption;
    column->Width = std::max(Width, 0);
    m_columns.push_back(std::move(column));
    Invalidate();
    return m_columns.back().get();
}

TListColumn* TAdvListView::Columns(int Index) const {
    if (Index < 0 || Index >= ColumnCount())
        badIndex(Index);
    return m_columns[static_cast<std::size_t>(Index)].get();
}

void TAdvListView::ClearColumns() {
    m_columns.clear();
    Invalidate();
}

TListItem* TAdvListView::AddItem(const std::string& Caption) {
    m_items.push_back(std::unique_ptr<TListItem>(new TListItem(this)));
    m_items.back()->m_index = ItemCount() - 1;
    m_items.back()->Caption = Caption;
    Invalidate();
    return m_items.back().get();
}

TListItem* TAdvListView::Items(int Index) const {
    if (Index < 0 || Index >= ItemCount())
        badIndex(Index);
    return m_items[static_cast<std::size_t>(Index)].get();
}

void TAdvListView::DeleteItem(int Index) {
    if (Index < 0 || Index >= ItemCount())
        badIndex(Index);
    const bool wasSelected = m_items[static_cast<std::size_t>(Index)]->m_selected;
    m_items.erase(m_items.begin() + Index);
    // The items after it move up one place, and so do the selected ones among them.
    for (std::size_t i = static_cast<std::size_t>(Index); i < m_items.size(); ++i)
        m_items[i]->m_index = static_cast<int>(i);
    std::set<int> moved;
    for (int selected : m_selection)
        if (selected != Index)
            moved.insert(moved.end(), selected > Index ? selected - 1 : selected);
    m_selection.swap(moved);
    SetTopIndex(m_topIndex);
    if (wasSelected)
        SelectionChanged();
    Invalidate();
}

void TAdvListView::ClearItems() {
    const bool anySelected = ItemIndex() >= 0;
    m_items.clear();
    m_selection.clear();
    m_topIndex = 0;
    if (anySelected)
        SelectionChanged();
    Invalidate();
}

int TAdvListView::ItemIndex() const { return m_selection.empty() ? -1 : *m_selection.begin(); }

void TAdvListView::MarkSelected(TListItem* Item, bool Value) {
    Item->m_selected = Value;
    if (Value)
        m_selection.insert(Item->m_index);
    else
        m_selection.erase(Item->m_index);
}

void TAdvListView::DeselectAll() {
    for (int index : m_selection)
        m_items[static_cast<std::size_t>(index)]->m_selected = false;
    m_selection.clear();
}

void TAdvListView::SetItemIndex(int Value) {
    if (Value < -1 || Value >= ItemCount())
        badIndex(Value);
    DeselectAll();
    if (Value >= 0) {
        MarkSelected(m_items[static_cast<std::size_t>(Value)].get(), true);
        if (Value < m_topIndex)
            SetTopIndex(Value);
        else if (Value >= m_topIndex + VisibleRowCount())
            SetTopIndex(Value - VisibleRowCount() + 1);
    }
    SelectionChanged();
}

void TAdvListView::SelectionChanged() {
    Invalidate();
    if (OnSelectItem)
        OnSelectItem(this);
}

// --- Appearance ---------------------------------------------------------------------------------

void TAdvListView::SetItemHeight(int Value) {
    m_itemHeight = std::max(Value, 1);
    SetTopIndex(m_topIndex);
    Invalidate();
}

void TAdvListView::SetSmallImages(TCustomImageList* Value) {
    ReferenceImageList(this, m_smallImages, Value);
    Invalidate();
}

void TAdvListView::SetLargeImages(TCustomImageList* Value) {
    ReferenceImageList(this, m_largeImages, Value);
    Invalidate();
}

void TAdvListView::SetViewStyle(TViewStyle Value) {
    m_viewStyle = Value;
    m_topIndex = 0;
    Invalidate();
}

void TAdvListView::SetShowColumnHeaders(bool Value) {
    m_showHeaders = Value;
    SetTopIndex(m_topIndex);
    Invalidate();
}

void TAdvListView::SetOwnerDraw(bool Value) {
    m_ownerDraw = Value;
    Invalidate();
}

void TAdvListView::SetHeaderOwnerDraw(bool Value) {
    m_headerOwnerDraw = Value;
    Invalidate();
}

void TAdvListView::SetHeaderColor(TColor Value) {
    m_headerColor = Value;
    Invalidate();
}

void TAdvListView::SetSelectionColor(TColor Value) {
    m_selectionColor = Value;
    Invalidate();
}

void TAdvListView::SetSelectionTextColor(TColor Value) {
    m_selectionTextColor = Value;
    Invalidate();
}

void TAdvListView::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove)
        return;
    if (AComponent == m_smallImages)
        m_smallImages = nullptr;
    if (AComponent == m_largeImages)
        m_largeImages = nullptr;
    Invalidate();
}

// --- Geometry and scrolling ---------------------------------------------------------------------

int TAdvListView::HeaderHeight() {
    if (m_viewStyle != vsReport || !m_showHeaders)
        return 0;
    TCanvas& canvas = *Canvas();
    TCanvasStateSaver saved(canvas);
    canvas.Font()->Assign(m_headerFont.get());
    return canvas.TextHeight("Ag") + 2 * kCellPadding;
}

int TAdvListView::VisibleRowCount() const {
    // The header height needs the canvas; a row count only needs a lower bound of it.
    const int header = m_viewStyle == vsReport && m_showHeaders ? m_itemHeight : 0;
    return std::max((ClientHeight() - header) / m_itemHeight, 1);
}

void TAdvListView::SetTopIndex(int Value) {
    const int maxTop = std::max(ItemCount() - VisibleRowCount(), 0);
    Value = std::clamp(Value, 0, maxTop);
    if (Value != m_topIndex) {
        m_topIndex = Value;
        Invalidate();
    }
}

int TAdvListView::IconCellWidth() const {
    return (m_largeImages ? m_largeImages->Width() : 32) + 2 * kIconSpacing + 24;
}

int TAdvListView::IconCellHeight() {
    return (m_largeImages ? m_largeImages->Height() : 32) + Canvas()->TextHeight("Ag") + 2 * kIconSpacing;
}

int TAdvListView::IconColumns() const { return std::max(ClientWidth() / IconCellWidth(), 1); }

TRect TAdvListView::ItemRect(int Index) {
    if (Index < 0 || Index >= ItemCount())
        return TRect{};
    if (m_viewStyle == vsIcon) {
        const int column = Index % IconColumns(), row = Index / IconColumns();
        return Bounds(column * IconCellWidth(), row * IconCellHeight(), IconCellWidth(), IconCellHeight());
    }
    const int top = HeaderHeight() + (Index - m_topIndex) * m_itemHeight;
    return Rect(0, top, std::max(ClientWidth(), ColumnsWidth()), top + m_itemHeight);
}

int TAdvListView::ItemAtPos(TPoint Pos) {
    if (Pos.X < 0 || Pos.X >= std::max(ClientWidth(), m_viewStyle == vsReport ? ColumnsWidth() : 0) ||
        Pos.Y < 0)
        return -1;
    int index = -1;
    if (m_viewStyle == vsIcon) {
        const int column = Pos.X / IconCellWidth();
        if (column < IconColumns())
            index = Pos.Y / IconCellHeight() * IconColumns() + column;
    } else if (Pos.Y >= HeaderHeight()) {
        index = m_topIndex + (Pos.Y - HeaderHeight()) / m_itemHeight;
    }
    return index < ItemCount() ? index : -1;
}

// --- Input --------------------------------------------------------------------------------------

void TAdvListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        const int index = ItemAtPos(Point(X + m_scrollX, Y));
        if (index >= 0 && m_multiSelect && (Shift & ssCtrl))
            m_items[static_cast<std::size_t>(index)]->SetSelected(
                !m_items[static_cast<std::size_t>(index)]->m_selected);
        else if (index >= 0)
            SetItemIndex(index);
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TAdvListView::KeyDown(std::uint16_t& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (ItemCount() == 0 || m_viewStyle != vsReport)
        return;
    const int current = ItemIndex();
    int next = current;
    if (Key == VK_DOWN)
        next = std::min(current + 1, ItemCount() - 1);
    else if (Key == VK_UP)
        next = std::max(current - 1, 0);
    if (next != current) {
        SetItemIndex(next);
        Key = 0;
    }
}

void TAdvListView::WndProc(TMessage& Message) {
    if (Message.Msg == WM_MOUSEWHEEL && ItemCount() > VisibleRowCount()) {
        // WParam's high word is the wheel distance; 120 is one notch of three rows.
        const int delta = static_cast<std::int16_t>(Message.WParam >> 16);
        SetTopIndex(m_topIndex - delta / 120 * 3);
        return;
    }
    TCustomControl::WndProc(Message);
}

// --- Painting -----------------------------------------------------------------------------------

void TAdvListView::PaintBorder(TCanvas& Canvas, TRect Bounds) {
    Canvas.Brush()->SetColor(clBtnShadow);
    Canvas.FrameRect(Bounds);
}

void TAdvListView::Paint() {
    TCanvas& canvas = *Canvas();
    TCanvasStateSaver saved(canvas);
    if (m_viewStyle == vsIcon)
        PaintIcons(canvas);
    else
        PaintReport(canvas);
}

int TAdvListView::ColumnsWidth() const {
    int width = 0;
    for (const auto& column : m_columns)
        width += column->Width;
    return width;
}

bool TAdvListView::ScrollContent(int Bar, TScrollInfo& Info) {
    Info.nMin = 0;
    if (m_viewStyle != vsReport) {
        Info.nMax = 0;
        return true;
    }
    if (Bar == SB_VERT) {
        Info.nMax = std::max(ItemCount() - 1, 0);
        Info.nPage = ItemCount() == 0 ? 0 : VisibleRowCount();
        Info.nPos = m_topIndex;
    } else {
        const int width = ColumnsWidth();
        m_scrollX = std::clamp(m_scrollX, 0, std::max(width - ClientWidth(), 0));
        Info.nMax = std::max(width - 1, 0);
        Info.nPage = ClientWidth();
        Info.nPos = m_scrollX;
    }
    return true;
}

void TAdvListView::ScrollContentTo(int Bar, int Pos) {
    if (Bar == SB_VERT) {
        SetTopIndex(Pos);
    } else if (Pos != m_scrollX) {
        m_scrollX = Pos;
        Invalidate();
    }
}

void TAdvListView::PaintReport(TCanvas& Canvas) {
    // Columns wider than the view are scrolled by moving the canvas's origin.
    Canvas.SetOrigin(Canvas.Origin().X - m_scrollX, Canvas.Origin().Y);
    const int header = HeaderHeight();
    if (header > 0) {
        TCanvasStateSaver headerState(Canvas);  // the rows are written in the list's own font
        const TRect headerRect = Rect(0, 0, std::max(ClientWidth(), ColumnsWidth()), header);
        if (m_headerOwnerDraw && OnDrawHeader)
            OnDrawHeader(this, &Canvas, headerRect);
        else
            DrawHeader(Canvas, headerRect);
    }
    // Only the rows on the screen are looked at.
    const int rows = (ClientHeight() - header + m_itemHeight - 1) / m_itemHeight;
    const int last = std::min(ItemCount(), m_topIndex + rows);
    for (int i = m_topIndex; i < last; ++i) {
        TListItem* item = m_items[static_cast<std::size_t>(i)].get();
        const TRect row = ItemRect(i);
        TCanvasStateSaver rowState(Canvas);
        Canvas.IntersectClipRect(Rect(0, header, m_scrollX + ClientWidth(), ClientHeight()));
        TOwnerDrawState state = 0;
        if (item->m_selected)
            state |= odSelected;
        if (Focused())
            state |= odFocused;
        if (m_ownerDraw && OnDrawItem)
            OnDrawItem(this, item, row, state);
        else
            DrawItem(item, row, state);
    }
}

void TAdvListView::DrawHeader(TCanvas& Canvas, TRect Rect) {
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(m_headerOwnerDraw ? m_headerColor : clBtnFace);
    Canvas.FillRect(Rect);
    Canvas.Font()->Assign(m_headerFont.get());
    if (!m_headerOwnerDraw)
        Canvas.Font()->SetColor(clBtnText);
    Canvas.Brush()->SetStyle(bsClear);
    int left = Rect.Left;
    for (const auto& column : m_columns) {
        TRect cell = framework::Rect(left, Rect.Top, left + column->Width, Rect.Bottom);
        TRect text = cell;
        text.Inflate(-kCellPadding, 0);
        DrawText(Canvas, column->Caption, text,
                 alignFormat(column->Alignment) | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        Canvas.Pen()->SetColor(clBtnShadow);
        Canvas.MoveTo(cell.Right - 1, cell.Top + 2);
        Canvas.LineTo(cell.Right - 1, cell.Bottom - 2);
        left = cell.Right;
    }
    Canvas.Pen()->SetColor(clBtnShadow);
    Canvas.MoveTo(Rect.Left, Rect.Bottom - 1);
    Canvas.LineTo(Rect.Right, Rect.Bottom - 1);
}

void TAdvListView::DrawItem(TListItem* Item, TRect Rect, TOwnerDrawState State) {
    TCanvas& canvas = *Canvas();
    const bool selected = (State & odSelected) != 0;
    canvas.Brush()->SetStyle(bsSolid);
    if (selected) {
        canvas.Brush()->SetColor(m_ownerDraw ? m_selectionColor : clHighlight);
        canvas.Font()->SetColor(m_ownerDraw ? m_selectionTextColor : clHighlightText);
    } else {
        canvas.Brush()->SetColor(Color());
        canvas.Font()->SetColor(Font()->Color());
    }
    canvas.FillRect(Rect);
    canvas.Brush()->SetStyle(bsClear);
    // With no columns the caption takes the whole row.
    const std::size_t cells = std::max<std::size_t>(m_columns.size(), 1);
    int left = Rect.Left;
    for (std::size_t c = 0; c < cells; ++c) {
        const int width = m_columns.empty() ? Rect.Width() : m_columns[c]->Width;
        TRect cell = framework::Rect(left, Rect.Top, left + width, Rect.Bottom);
        left = cell.Right;
        cell.Inflate(-kCellPadding, 0);
        if (c == 0 && m_smallImages && Item->ImageIndex >= 0) {
            m_smallImages->Draw(&canvas, cell.Left, cell.Top + (cell.Height() - m_smallImages->Height()) / 2,
                                Item->ImageIndex);
            cell.Left += m_smallImages->Width() + kCellPadding;
        }
        const std::string* text = c == 0 ? &Item->Caption : nullptr;
        if (c > 0 && c - 1 < Item->SubItems.size())
            text = &Item->SubItems[c - 1];
        if (text && cell.Right > cell.Left) {
            const TAlignment alignment = m_columns.empty() ? taLeftJustify : m_columns[c]->Alignment;
            DrawText(canvas, *text, cell,
                     alignFormat(alignment) | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        }
    }
}

void TAdvListView::PaintIcons(TCanvas& Canvas) {
    const int rows = ClientHeight() / IconCellHeight() + 1;
    const int last = std::min(ItemCount(), rows * IconColumns());
    for (int i = 0; i < last; ++i) {
        TListItem* item = m_items[static_cast<std::size_t>(i)].get();
        const TRect cell = ItemRect(i);
        const int imageWidth = m_largeImages ? m_largeImages->Width() : 32;
        const int imageHeight = m_largeImages ? m_largeImages->Height() : 32;
        if (m_largeImages && item->ImageIndex >= 0)
            m_largeImages->Draw(&Canvas, cell.Left + (cell.Width() - imageWidth) / 2, cell.Top + kIconSpacing,
                                item->ImageIndex);
        TRect text = Rect(cell.Left, cell.Top + kIconSpacing + imageHeight, cell.Right, cell.Bottom);
        const bool selected = item->m_selected;
        Canvas.Brush()->SetStyle(bsSolid);
        Canvas.Brush()->SetColor(selected ? (m_ownerDraw ? m_selectionColor : clHighlight) : Color());
        Canvas.Font()->SetColor(selected ? (m_ownerDraw ? m_selectionTextColor : clHighlightText)
                                         : Font()->Color());
        Canvas.FillRect(text);
        Canvas.Brush()->SetStyle(bsClear);
        DrawText(Canvas, item->Caption, text,
                 DT_CENTER | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
}

}  // namespace vendor
