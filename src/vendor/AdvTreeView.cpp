#include "vendor/AdvTreeView.h"

#include "framework/controls/DrawText.h"
#include "framework/graphics/ColorProp.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"

#include <algorithm>

using namespace framework;

namespace vendor {

namespace {
constexpr int kCellPadding = 4;
constexpr int kExpanderSize = 9;

[[noreturn]] void badIndex(int Index) { throw EListError(Format("List index out of bounds (%d)", {Index})); }

const std::string& noText() {
    static const std::string empty;
    return empty;
}

int channel(TColor c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

// Fills R with the fill: its colour, or a gradient from the top row to the bottom one.
void paintFill(TCanvas& Canvas, const TRect& R, const TAdvTreeViewFill& Fill) {
    if (Fill.Kind == fkNone || R.IsEmpty())
        return;
    Canvas.Brush()->SetStyle(bsSolid);
    if (Fill.Kind == fkSolid || R.Height() == 1) {
        Canvas.Brush()->SetColor(Fill.Color);
        Canvas.FillRect(R);
        return;
    }
    const TColor from = ColorToRGB(Fill.StartColor), to = ColorToRGB(Fill.EndColor);
    const int steps = R.Height() - 1;
    for (int y = 0; y <= steps; ++y) {
        auto mix = [&](int shift) {
            return channel(from, shift) + (channel(to, shift) - channel(from, shift)) * y / steps;
        };
        Canvas.Brush()->SetColor(RGB(mix(0), mix(8), mix(16)));
        Canvas.FillRect(Rect(R.Left, R.Top + y, R.Right, R.Top + y + 1));
    }
}

void line(TCanvas& Canvas, int X1, int Y1, int X2, int Y2) {
    Canvas.MoveTo(X1, Y1);
    Canvas.LineTo(X2, Y2);
}
}  // namespace

// --- Collection nodes ---------------------------------------------------------------------------

const std::string& TAdvTreeViewNode::Text(int Column) const {
    return Column >= 0 && Column < static_cast<int>(m_texts.size())
               ? m_texts[static_cast<std::size_t>(Column)]
               : noText();
}

void TAdvTreeViewNode::SetText(int Column, std::string Value) {
    if (Column < 0)
        badIndex(Column);
    if (Column >= static_cast<int>(m_texts.size()))
        m_texts.resize(static_cast<std::size_t>(Column) + 1);
    m_texts[static_cast<std::size_t>(Column)] = std::move(Value);
    m_tree->Invalidate();
}

TAdvTreeViewNode* TAdvTreeViewNode::AddChild() {
    m_children.push_back(std::unique_ptr<TAdvTreeViewNode>(new TAdvTreeViewNode(m_tree, this)));
    m_tree->NodesChanged();
    return m_children.back().get();
}

TAdvTreeViewNode* TAdvTreeViewNode::Child(int Index) const {
    if (Index < 0 || Index >= ChildCount())
        badIndex(Index);
    return m_children[static_cast<std::size_t>(Index)].get();
}

void TAdvTreeViewNode::SetExpanded(bool Value) {
    if (Value == m_expanded)
        return;
    m_expanded = Value;
    if (m_tree->m_layoutValid && m_virtualIndex >= 0)
        m_tree->m_virtual[static_cast<std::size_t>(m_virtualIndex)].Expanded = Value;
    m_tree->ExpansionChanged();
}

// --- The tree -----------------------------------------------------------------------------------

const TClassInfo& TAdvTreeView::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TAdvTreeView, TCustomControl>("TAdvTreeView")
            .Property(ColorProperty<TAdvTreeView>("BorderColor", &TAdvTreeView::BorderColor,
                                                  &TAdvTreeView::SetBorderColor, clGray));
    return info;
}

TAdvTreeView::TAdvTreeView(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 250, 200);
    SetColor(clWindow);
    SetTabStop(true);
}

TAdvTreeView::~TAdvTreeView() { TAdvTreeViewNode::FreeNodes(m_nodes); }

// Nodes are freed from a work list, not by each node freeing its children in turn, so that a
// tree of any depth is freed without running out of stack.
void TAdvTreeViewNode::FreeNodes(std::vector<std::unique_ptr<TAdvTreeViewNode>>& Nodes) {
    std::vector<std::unique_ptr<TAdvTreeViewNode>> pending = std::move(Nodes);
    Nodes.clear();
    while (!pending.empty()) {
        std::unique_ptr<TAdvTreeViewNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->m_children)
            pending.push_back(std::move(child));
        node->m_children.clear();
    }
}

TAdvTreeViewNode::~TAdvTreeViewNode() { FreeNodes(m_children); }

void TAdvTreeView::ChangeScale(int M, int D) {
    if (M != D && D != 0) {
        for (auto& column : m_columns)
            column->Width = MulDiv(column->Width, M, D);
        m_columnsAppearance.TopSize = MulDiv(m_columnsAppearance.TopSize, M, D);
        m_nodesAppearance.FixedHeight = std::max(MulDiv(m_nodesAppearance.FixedHeight, M, D), 1);
        m_nodesAppearance.LevelIndent = MulDiv(m_nodesAppearance.LevelIndent, M, D);
    }
    TCustomControl::ChangeScale(M, D);
}

TAdvTreeViewColumn* TAdvTreeView::AddColumn(const std::string& Text, int Width) {
    m_columns.push_back(std::make_unique<TAdvTreeViewColumn>());
    m_columns.back()->Text = Text;
    m_columns.back()->Width = std::max(Width, 0);
    SetTopRow(m_topRow);  // the header may have come
    Invalidate();
    return m_columns.back().get();
}

TAdvTreeViewColumn* TAdvTreeView::Columns(int Index) const {
    if (Index < 0 || Index >= ColumnCount())
        badIndex(Index);
    return m_columns[static_cast<std::size_t>(Index)].get();
}

void TAdvTreeView::ClearColumns() {
    m_columns.clear();
    Invalidate();
}

TAdvTreeViewNode* TAdvTreeView::AddNode() {
    m_nodes.push_back(std::unique_ptr<TAdvTreeViewNode>(new TAdvTreeViewNode(this, nullptr)));
    NodesChanged();
    return m_nodes.back().get();
}

TAdvTreeViewNode* TAdvTreeView::Nodes(int Index) const {
    if (Index < 0 || Index >= NodeCount())
        badIndex(Index);
    return m_nodes[static_cast<std::size_t>(Index)].get();
}

void TAdvTreeView::ClearNodes() {
    TAdvTreeViewNode::FreeNodes(m_nodes);
    NodesChanged();
}

void TAdvTreeView::ReloadVirtualNodes() { NodesChanged(); }

void TAdvTreeView::NodesChanged() {
    m_layoutValid = false;
    m_rowsValid = false;
    Invalidate();
}

void TAdvTreeView::ExpansionChanged() {
    m_rowsValid = false;
    SetTopRow(m_topRow);
    Invalidate();
}

// The layout lists every node depth-first, each followed by its descendants, so that the
// node after a collapsed one's subtree is found by skipping TotalChildren entries.
void TAdvTreeView::BuildLayout() {
    if (m_layoutValid)
        return;
    TAdvTreeViewNode* selected =
        m_selected >= 0 ? m_virtual[static_cast<std::size_t>(m_selected)].Node : nullptr;
    m_virtual.clear();
    m_selected = -1;
    const bool callbacks = static_cast<bool>(OnGetNumberOfNodes);
    auto countOf = [&](int Parent, TAdvTreeViewNode* Node) {
        if (!callbacks)
            return Node ? Node->ChildCount() : NodeCount();
        int count = 0;
        OnGetNumberOfNodes(this, Parent >= 0 ? &m_virtual[static_cast<std::size_t>(Parent)] : nullptr, count);
        return std::max(count, 0);
    };
    struct Frame {
        int Parent;  // -1 for the top level
        TAdvTreeViewNode* Node;
        int Next;
        int Count;
    };
    std::vector<Frame> stack{{-1, nullptr, 0, countOf(-1, nullptr)}};
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.Next == frame.Count) {
            if (frame.Parent >= 0) {
                TAdvTreeViewVirtualNode& parent = m_virtual[static_cast<std::size_t>(frame.Parent)];
                parent.Children = frame.Count;
                parent.TotalChildren = static_cast<int>(m_virtual.size()) - frame.Parent - 1;
            }
            stack.pop_back();
            continue;
        }
        TAdvTreeViewVirtualNode node;
        if (!callbacks) {
            node.Node = frame.Node ? frame.Node->m_children[static_cast<std::size_t>(frame.Next)].get()
                                   : m_nodes[static_cast<std::size_t>(frame.Next)].get();
            node.Expanded = node.Node->m_expanded;
            node.Node->m_virtualIndex = static_cast<int>(m_virtual.size());
            if (node.Node == selected)
                m_selected = node.Node->m_virtualIndex;
        }
        node.ParentNode = frame.Parent >= 0 ? &m_virtual[static_cast<std::size_t>(frame.Parent)] : nullptr;
        node.Index = frame.Next++;
        node.Level = static_cast<int>(stack.size()) - 1;
        node.VirtualIndex = static_cast<int>(m_virtual.size());
        m_virtual.push_back(node);
        TAdvTreeViewNode* collectionNode = node.Node;
        const int children = countOf(node.VirtualIndex, collectionNode);
        stack.push_back({node.VirtualIndex, collectionNode, 0, children});  // frame is not used after this
    }
    m_layoutValid = true;
    m_rowsValid = false;
}

void TAdvTreeView::BuildRows() {
    BuildLayout();
    if (m_rowsValid)
        return;
    m_rows.clear();
    const int count = static_cast<int>(m_virtual.size());
    for (int i = 0; i < count;) {
        const TAdvTreeViewVirtualNode& node = m_virtual[static_cast<std::size_t>(i)];
        m_rows.push_back(i);
        i += node.Expanded ? 1 : 1 + node.TotalChildren;
    }
    m_rowsValid = true;
}

TAdvTreeViewVirtualNode* TAdvTreeView::GetFirstRootVirtualNode() {
    BuildLayout();
    return m_virtual.empty() ? nullptr : &m_virtual.front();
}

TAdvTreeViewVirtualNode* TAdvTreeView::GetNextVirtualNode(TAdvTreeViewVirtualNode* Node) {
    BuildLayout();
    if (!Node)
        return nullptr;
    const std::size_t next = static_cast<std::size_t>(Node->VirtualIndex) + 1;
    return next < m_virtual.size() ? &m_virtual[next] : nullptr;
}

int TAdvTreeView::TotalNodeCount() {
    BuildLayout();
    return static_cast<int>(m_virtual.size());
}

void TAdvTreeView::SetVirtualExpanded(TAdvTreeViewVirtualNode* Node, bool Value) {
    if (!Node || Node->Expanded == Value)
        return;
    if (Node->Node) {
        Node->Node->SetExpanded(Value);  // keeps the collection and the layout in step
        return;
    }
    Node->Expanded = Value;
    ExpansionChanged();
}

void TAdvTreeView::ExpandAll() {
    BuildLayout();
    for (TAdvTreeViewVirtualNode& node : m_virtual) {
        node.Expanded = true;
        if (node.Node)
            node.Node->m_expanded = true;
    }
    ExpansionChanged();
}

std::string TAdvTreeView::GetNodeText(TAdvTreeViewVirtualNode* Node, int Column,
                                      TAdvTreeViewNodeTextMode Mode) {
    std::string text = Node && Node->Node ? Node->Node->Text(Column) : std::string();
    if (OnGetNodeText)
        OnGetNodeText(this, Node, Column, Mode, text);
    return text;
}

TAdvTreeViewVirtualNode* TAdvTreeView::SelectedVirtualNode() {
    BuildLayout();
    return m_selected >= 0 ? &m_virtual[static_cast<std::size_t>(m_selected)] : nullptr;
}

void TAdvTreeView::SelectVirtualNode(TAdvTreeViewVirtualNode* Node) {
    BuildLayout();
    const int index = Node ? Node->VirtualIndex : -1;
    if (index == m_selected)
        return;
    m_selected = index;
    if (index >= 0) {
        // A node hidden in a collapsed parent comes into view.
        for (TAdvTreeViewVirtualNode* p = Node->ParentNode; p; p = p->ParentNode)
            SetVirtualExpanded(p, true);
        MakeRowVisible(RowOf(index));
    }
    Invalidate();
    if (OnSelectNode)
        OnSelectNode(this);
}

// --- Rows and scrolling -------------------------------------------------------------------------

int TAdvTreeView::RowCount() {
    BuildRows();
    return static_cast<int>(m_rows.size());
}

TAdvTreeViewVirtualNode* TAdvTreeView::NodeAtRow(int Row) {
    BuildRows();
    if (Row < 0 || Row >= static_cast<int>(m_rows.size()))
        return nullptr;
    return &m_virtual[static_cast<std::size_t>(m_rows[static_cast<std::size_t>(Row)])];
}

// Rows hold their nodes in depth-first order, so a node's row is found by bisection.
int TAdvTreeView::RowOf(int VirtualIndex) {
    BuildRows();
    auto it = std::lower_bound(m_rows.begin(), m_rows.end(), VirtualIndex);
    return it != m_rows.end() && *it == VirtualIndex ? static_cast<int>(it - m_rows.begin()) : -1;
}

int TAdvTreeView::VisibleRowCount() const {
    const int header = m_columns.empty() ? 0 : m_columnsAppearance.TopSize;
    return std::max((ClientHeight() - header) / std::max(m_nodesAppearance.FixedHeight, 1), 1);
}

void TAdvTreeView::SetTopRow(int Value) {
    // The row count is only known once the rows are laid out; until then any top is kept.
    const int maxTop = m_rowsValid ? std::max(static_cast<int>(m_rows.size()) - VisibleRowCount(), 0) : Value;
    Value = std::clamp(Value, 0, std::max(maxTop, 0));
    if (Value != m_topRow) {
        m_topRow = Value;
        Invalidate();
    }
}

void TAdvTreeView::MakeRowVisible(int Row) {
    BuildRows();
    if (Row < 0)
        return;
    if (Row < m_topRow)
        SetTopRow(Row);
    else if (Row >= m_topRow + VisibleRowCount())
        SetTopRow(Row - VisibleRowCount() + 1);
}

TRect TAdvTreeView::RowRect(int Row) const {
    const int header = m_columns.empty() ? 0 : m_columnsAppearance.TopSize;
    const int height = std::max(m_nodesAppearance.FixedHeight, 1);
    const int top = header + (Row - m_topRow) * height;
    return Rect(0, top, std::max(ClientWidth(), ColumnsWidth()), top + height);
}

int TAdvTreeView::RowAtPos(TPoint Pos) {
    const int header = m_columns.empty() ? 0 : m_columnsAppearance.TopSize;
    if (Pos.X < 0 || Pos.X >= std::max(ClientWidth(), ColumnsWidth()) || Pos.Y < header ||
        Pos.Y >= ClientHeight())
        return -1;
    const int row = m_topRow + (Pos.Y - header) / std::max(m_nodesAppearance.FixedHeight, 1);
    return row < RowCount() ? row : -1;
}

TRect TAdvTreeView::ExpanderRect(int Row, int Level) const {
    const TRect row = RowRect(Row);
    const int left =
        Level * m_nodesAppearance.LevelIndent + (m_nodesAppearance.LevelIndent - kExpanderSize) / 2;
    const int top = row.Top + (row.Height() - kExpanderSize) / 2;
    return Bounds(left, top, kExpanderSize, kExpanderSize);
}

void TAdvTreeView::SetBorderColor(TColor Value) {
    m_borderColor = Value;
    Invalidate();
    if (Parent())
        Parent()->Invalidate();  // the border lies in the parent's picture
}

// --- Input --------------------------------------------------------------------------------------

void TAdvTreeView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        const int row = RowAtPos(Point(X + m_scrollX, Y));
        if (TAdvTreeViewVirtualNode* node = NodeAtRow(row)) {
            TRect expander = ExpanderRect(row, node->Level);
            expander.Inflate(2, 2);  // a little room around the small box
            if (node->Children > 0 && expander.Contains(Point(X + m_scrollX, Y)))
                SetVirtualExpanded(node, !node->Expanded);
            else
                SelectVirtualNode(node);
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TAdvTreeView::KeyDown(std::uint16_t& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    TAdvTreeViewVirtualNode* selected = SelectedVirtualNode();
    const int row = selected ? RowOf(selected->VirtualIndex) : -1;
    switch (Key) {
    case VK_DOWN:
        if (TAdvTreeViewVirtualNode* next = NodeAtRow(row + 1))
            SelectVirtualNode(next);
        break;
    case VK_UP:
        if (TAdvTreeViewVirtualNode* previous = NodeAtRow(row - 1))
            SelectVirtualNode(previous);
        break;
    case VK_RIGHT:
        SetVirtualExpanded(selected, true);
        break;
    case VK_LEFT:
        SetVirtualExpanded(selected, false);
        break;
    default:
        return;
    }
    Key = 0;
}

void TAdvTreeView::WndProc(TMessage& Message) {
    if (Message.Msg == WM_MOUSEWHEEL && RowCount() > VisibleRowCount()) {
        // WParam's high word is the wheel distance; 120 is one notch of three rows.
        const int delta = static_cast<std::int16_t>(Message.WParam >> 16);
        BuildRows();
        SetTopRow(m_topRow - delta / 120 * 3);
        return;
    }
    TCustomControl::WndProc(Message);
}

// --- Painting -----------------------------------------------------------------------------------

void TAdvTreeView::PaintBorder(TCanvas& Canvas, TRect Bounds) {
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(m_borderColor);
    Canvas.FrameRect(Bounds);
}

int TAdvTreeView::ColumnsWidth() const {
    int width = 0;
    for (const auto& column : m_columns)
        width += column->Width;
    return width;
}

bool TAdvTreeView::ScrollContent(int Bar, TScrollInfo& Info) {
    Info.nMin = 0;
    if (Bar == SB_VERT) {
        const int rows = RowCount();
        Info.nMax = std::max(rows - 1, 0);
        Info.nPage = rows == 0 ? 0 : VisibleRowCount();
        Info.nPos = m_topRow;
    } else {
        const int width = ColumnsWidth();
        m_scrollX = std::clamp(m_scrollX, 0, std::max(width - ClientWidth(), 0));
        Info.nMax = std::max(width - 1, 0);
        Info.nPage = ClientWidth();
        Info.nPos = m_scrollX;
    }
    return true;
}

void TAdvTreeView::ScrollContentTo(int Bar, int Pos) {
    if (Bar == SB_VERT) {
        SetTopRow(Pos);
    } else if (Pos != m_scrollX) {
        m_scrollX = Pos;
        Invalidate();
    }
}

void TAdvTreeView::Paint() {
    TCanvas& canvas = *Canvas();
    TCanvasStateSaver saved(canvas);
    // Columns wider than the view are scrolled by moving the canvas's origin.
    canvas.SetOrigin(canvas.Origin().X - m_scrollX, canvas.Origin().Y);
    BuildRows();
    SetTopRow(m_topRow);
    if (!m_columns.empty())
        PaintHeader(canvas);
    const int last = std::min(RowCount(), m_topRow + VisibleRowCount() + 1);
    for (int row = m_topRow; row < last; ++row)
        PaintRow(canvas, row);
    // The control's own pen separates the columns below the header.
    const int header = m_columns.empty() ? 0 : m_columnsAppearance.TopSize;
    canvas.Pen()->SetColor(m_stroke.Color);
    canvas.Pen()->SetWidth(m_stroke.Width);
    int right = 0;
    for (const auto& column : m_columns) {
        right += column->Width;
        line(canvas, right - 1, header, right - 1, ClientHeight());
    }
}

void TAdvTreeView::PaintHeader(TCanvas& Canvas) {
    const TAdvTreeViewColumnsAppearance& look = m_columnsAppearance;
    const int height = look.TopSize;
    int columnsWidth = 0;
    for (const auto& column : m_columns)
        columnsWidth += column->Width;
    // The fill's gradient lies under the columns; its plain colour fills the rest of the row.
    paintFill(Canvas, Rect(0, 0, std::min(columnsWidth, ClientWidth()), height), look.Fill);
    TAdvTreeViewFill rest = look.Fill;
    rest.Kind = look.Fill.Kind == fkNone ? fkNone : fkSolid;
    paintFill(Canvas, Rect(columnsWidth, 0, ClientWidth(), height), rest);
    Canvas.Font()->Assign(Font());
    Canvas.Font()->SetColor(look.TopFontColor);
    Canvas.Brush()->SetStyle(bsClear);
    Canvas.Pen()->SetColor(look.Stroke.Color);
    Canvas.Pen()->SetWidth(look.Stroke.Width);
    int left = 0;
    for (const auto& column : m_columns) {
        TRect text = Rect(left + kCellPadding, 0, left + column->Width - kCellPadding, height);
        DrawText(Canvas, column->Text, text,
                 DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        left += column->Width;
        line(Canvas, left - 1, 0, left - 1, height);
    }
    line(Canvas, 0, height - 1, ClientWidth(), height - 1);
}

void TAdvTreeView::PaintRow(TCanvas& Canvas, int Row) {
    const TAdvTreeViewNodesAppearance& look = m_nodesAppearance;
    TAdvTreeViewVirtualNode* node = NodeAtRow(Row);
    const TRect rect = RowRect(Row);
    TCanvasStateSaver rowState(Canvas);
    Canvas.IntersectClipRect(
        Rect(0, m_columns.empty() ? 0 : m_columnsAppearance.TopSize, ClientWidth(), ClientHeight()));
    const bool selected = node->VirtualIndex == m_selected;
    if (selected) {
        paintFill(Canvas, rect, look.SelectedFill);
        Canvas.Brush()->SetStyle(bsClear);
        Canvas.Pen()->SetColor(look.SelectedStroke.Color);
        Canvas.Pen()->SetWidth(look.SelectedStroke.Width);
        Canvas.Rectangle(rect);
    }
    const int indent = node->Level * look.LevelIndent;
    if (node->Children > 0) {
        const TRect box = ExpanderRect(Row, node->Level);
        Canvas.Brush()->SetStyle(bsSolid);
        Canvas.Brush()->SetColor(Color());
        Canvas.Pen()->SetColor(clGray);
        Canvas.Pen()->SetWidth(1);
        Canvas.Rectangle(box);
        Canvas.Pen()->SetColor(look.FontColor);
        const int midY = box.Top + kExpanderSize / 2, midX = box.Left + kExpanderSize / 2;
        line(Canvas, box.Left + 2, midY, box.Right - 2, midY);
        if (!node->Expanded)
            line(Canvas, midX, box.Top + 2, midX, box.Bottom - 2);
    }
    Canvas.Font()->Assign(Font());
    Canvas.Font()->SetColor(selected ? look.SelectedFontColor : look.FontColor);
    Canvas.Brush()->SetStyle(bsClear);
    const int columns = std::max(ColumnCount(), 1);
    int left = 0;
    for (int c = 0; c < columns; ++c) {
        const int width = m_columns.empty() ? rect.Width() : m_columns[static_cast<std::size_t>(c)]->Width;
        TRect cell = Rect(left + kCellPadding, rect.Top, left + width - kCellPadding, rect.Bottom);
        if (c == 0)
            cell.Left += indent + look.LevelIndent;
        left += width;
        if (cell.Right <= cell.Left)
            continue;
        DrawText(Canvas, GetNodeText(node, c), cell,
                 DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
}

}  // namespace vendor
