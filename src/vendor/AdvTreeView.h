#pragma once
// The TMS tree view: a grid of columns over a tree of nodes that expand and collapse. Nodes
// come from a collection (TAdvTreeViewNode, texts per column) or, when OnGetNumberOfNodes is
// assigned, from callbacks alone; either way the tree keeps one virtual node per node, in
// depth-first order, and the texts it paints pass through OnGetNodeText. Only the rows on
// the screen are looked at when painting, so a tree of a million nodes paints as fast as a
// small one.

#include "framework/controls/WinControl.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace vendor {

class TAdvTreeView;
class TAdvTreeViewNode;

// Why a text is asked for; the first value is the one used for painting.
enum TAdvTreeViewNodeTextMode { tmDrawing, tmEditing };

enum TAdvTreeViewFillKind { fkNone, fkSolid, fkGradient };

// A fill: the plain colour, or a top-to-bottom gradient from StartColor to EndColor.
struct TAdvTreeViewFill {
    TAdvTreeViewFillKind Kind = fkSolid;
    framework::TColor Color = framework::clWindow;
    framework::TColor StartColor = framework::clWindow;
    framework::TColor EndColor = framework::clWindow;
};

// An outline pen.
struct TAdvTreeViewStroke {
    framework::TColor Color = framework::clGray;
    int Width = 1;
};

struct TAdvTreeViewColumnsAppearance {
    TAdvTreeViewFill Fill{fkGradient, framework::clBtnFace, framework::clWhite, framework::clBtnFace};
    framework::TColor TopFontColor = framework::clWindowText;
    TAdvTreeViewStroke Stroke;  // the header's bottom line and the column separators
    int TopSize = 24;           // height of the column header row
};

struct TAdvTreeViewNodesAppearance {
    framework::TColor FontColor = framework::clWindowText;
    framework::TColor SelectedFontColor = framework::clHighlightText;
    TAdvTreeViewFill SelectedFill{fkSolid, framework::clHighlight, framework::clHighlight,
                                  framework::clHighlight};
    TAdvTreeViewStroke SelectedStroke{framework::clHighlight, 1};  // outline of the selected row
    int FixedHeight = 20;                                          // height of a row
    int LevelIndent = 16;                                          // indent per level
};

class TAdvTreeViewColumn {
public:
    std::string Text;
    int Width = 100;
};

// One node as the tree lays it out. Pointers to virtual nodes stay valid until the nodes
// change (a node added or removed, or the callback counts reloaded).
struct TAdvTreeViewVirtualNode {
    TAdvTreeViewNode* Node = nullptr;               // the collection node; null in a callback tree
    TAdvTreeViewVirtualNode* ParentNode = nullptr;  // null for a top-level node
    int Index = 0;                                  // among its parent's children
    int VirtualIndex = 0;                           // its place in depth-first order
    int Level = 0;
    int Children = 0;       // direct children
    int TotalChildren = 0;  // all descendants
    bool Expanded = false;
};

// A node of the collection: a text per column and children of its own.
class TAdvTreeViewNode {
public:
    ~TAdvTreeViewNode();
    const std::string& Text(int Column) const;
    void SetText(int Column, std::string Value);
    TAdvTreeViewNode* AddChild();
    int ChildCount() const { return static_cast<int>(m_children.size()); }
    TAdvTreeViewNode* Child(int Index) const;  // raises EListError out of range
    TAdvTreeViewNode* Parent() const { return m_parent; }
    bool Expanded() const { return m_expanded; }
    void SetExpanded(bool Value);

private:
    friend class TAdvTreeView;
    TAdvTreeViewNode(TAdvTreeView* Tree, TAdvTreeViewNode* Parent) : m_tree(Tree), m_parent(Parent) {}
    static void FreeNodes(std::vector<std::unique_ptr<TAdvTreeViewNode>>& Nodes);
    TAdvTreeView* m_tree;
    TAdvTreeViewNode* m_parent;
    std::vector<std::string> m_texts;
    std::vector<std::unique_ptr<TAdvTreeViewNode>> m_children;
    bool m_expanded = false;
    int m_virtualIndex = -1;  // where the tree's layout holds it
};

using TAdvTreeViewGetNodeTextEvent = framework::TEvent<framework::TObject*, TAdvTreeViewVirtualNode*, int,
                                                       TAdvTreeViewNodeTextMode, std::string&>;
// The number of children of a node (null: of the top level) in a tree without a collection.
using TAdvTreeViewGetNumberOfNodesEvent =
    framework::TEvent<framework::TObject*, TAdvTreeViewVirtualNode*, int&>;

class TAdvTreeView : public framework::TCustomControl {
public:
    explicit TAdvTreeView(framework::TComponent* AOwner);
    ~TAdvTreeView() override;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(framework::TAccessible& A) const override;
    int AccessibleItemCount() const override;
    void DescribeAccessibleItem(int Index, framework::TAccessible& A) const override;
    int AccessibleFocusedItem() const override;
    bool DoAccessibleAction(int AItem, const std::string& Action) override;

    TAdvTreeViewColumn* AddColumn(const std::string& Text, int Width);
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    TAdvTreeViewColumn* Columns(int Index) const;  // raises EListError out of range
    void ClearColumns();

    // The collection's top-level nodes.
    TAdvTreeViewNode* AddNode();
    int NodeCount() const { return static_cast<int>(m_nodes.size()); }
    TAdvTreeViewNode* Nodes(int Index) const;  // raises EListError out of range
    void ClearNodes();
    // A callback tree asks OnGetNumberOfNodes again (after its data changed).
    void ReloadVirtualNodes();

    // Every node in depth-first order, collapsed or not; null after the last.
    TAdvTreeViewVirtualNode* GetFirstRootVirtualNode();
    TAdvTreeViewVirtualNode* GetNextVirtualNode(TAdvTreeViewVirtualNode* Node);
    int TotalNodeCount();
    void ExpandVirtualNode(TAdvTreeViewVirtualNode* Node) { SetVirtualExpanded(Node, true); }
    void CollapseVirtualNode(TAdvTreeViewVirtualNode* Node) { SetVirtualExpanded(Node, false); }
    void ExpandAll();
    // The text a node shows in a column: the collection's, as OnGetNodeText leaves it.
    std::string GetNodeText(TAdvTreeViewVirtualNode* Node, int Column,
                            TAdvTreeViewNodeTextMode Mode = tmDrawing);

    TAdvTreeViewVirtualNode* SelectedVirtualNode();
    void SelectVirtualNode(TAdvTreeViewVirtualNode* Node);

    // Rows are the nodes whose parents are all expanded.
    int RowCount();
    TAdvTreeViewVirtualNode* NodeAtRow(int Row);  // null outside the rows
    int TopRow() const { return m_topRow; }
    void SetTopRow(int Value);
    int VisibleRowCount() const;
    framework::TRect RowRect(int Row) const;
    int RowAtPos(framework::TPoint Pos);  // -1 for none

    framework::TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(framework::TColor Value);
    TAdvTreeViewStroke& Stroke() { return m_stroke; }
    TAdvTreeViewColumnsAppearance& ColumnsAppearance() { return m_columnsAppearance; }
    TAdvTreeViewNodesAppearance& NodesAppearance() { return m_nodesAppearance; }

    TAdvTreeViewGetNodeTextEvent OnGetNodeText;
    TAdvTreeViewGetNumberOfNodesEvent OnGetNumberOfNodes;
    framework::TNotifyEvent OnSelectNode;

    // Column widths, the header row, node rows and indents follow a new resolution as the font does.
    void ChangeScale(int M, int D) override;

protected:
    void Paint() override;
    void PaintBorder(framework::TCanvas& Canvas, framework::TRect Bounds) override;
    int ClientInset() const override { return 1; }
    void MouseDown(framework::TMouseButton Button, framework::TShiftState Shift, int X, int Y) override;
    void KeyDown(std::uint16_t& Key, framework::TShiftState Shift) override;
    void WndProc(framework::TMessage& Message) override;
    // The vertical bar counts rows, the horizontal one the pixels of the columns.
    bool ScrollContent(int Bar, framework::TScrollInfo& Info) override;
    void ScrollContentTo(int Bar, int Pos) override;
    int ScrollLineSize(int Bar) const override { return Bar == framework::SB_HORZ ? 16 : 1; }

private:
    friend class TAdvTreeViewNode;
    int ColumnsWidth() const;
    void NodesChanged();
    void ExpansionChanged();
    void BuildLayout();
    void BuildRows();
    void SetVirtualExpanded(TAdvTreeViewVirtualNode* Node, bool Value);
    int RowOf(int VirtualIndex);
    void MakeRowVisible(int Row);
    framework::TRect ExpanderRect(int Row, int Level) const;
    void PaintHeader(framework::TCanvas& Canvas);
    void PaintRow(framework::TCanvas& Canvas, int Row);

    std::vector<std::unique_ptr<TAdvTreeViewColumn>> m_columns;
    std::vector<std::unique_ptr<TAdvTreeViewNode>> m_nodes;
    std::deque<TAdvTreeViewVirtualNode> m_virtual;  // depth-first; grows without moving its nodes
    std::vector<int> m_rows;                        // the virtual nodes shown, by row
    bool m_layoutValid = false;
    bool m_rowsValid = false;
    int m_selected = -1;  // index into m_virtual
    int m_topRow = 0;
    int m_scrollX = 0;  // how far columns wider than the view are scrolled
    framework::TColor m_borderColor = framework::clGray;
    TAdvTreeViewStroke m_stroke;
    TAdvTreeViewColumnsAppearance m_columnsAppearance;
    TAdvTreeViewNodesAppearance m_nodesAppearance;
};

}  // namespace vendor
