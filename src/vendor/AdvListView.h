#pragma once
// The TMS list view: items with sub-items under column headers (report view), or large
// images with their captions (icon view). With owner drawing on and no draw event, it paints
// items and header in its own colours (HeaderColor, HeaderFont, SelectionColor,
// SelectionTextColor); with owner drawing off it paints in the system's colours.

#include "framework/controls/ImageList.h"
#include "framework/controls/ListBox.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace vendor {

class TAdvListView;

class TListColumn {
public:
    std::string Caption;
    int Width = 50;
    framework::TAlignment Alignment = framework::taLeftJustify;
};

class TListItem {
public:
    std::string Caption;
    std::vector<std::string> SubItems;  // the texts of the second and later columns
    int ImageIndex = -1;
    void* Data = nullptr;

    TAdvListView* ListView() const { return m_owner; }
    int Index() const;
    bool Selected() const { return m_selected; }
    void SetSelected(bool Value);

private:
    friend class TAdvListView;
    explicit TListItem(TAdvListView* Owner) : m_owner(Owner) {}
    TAdvListView* m_owner;
    int m_index = 0;  // its place in the list, kept up to date by the list
    bool m_selected = false;
};

enum TViewStyle { vsIcon, vsReport };

// Draw events: the item's rectangle (a whole row) and its state; the header's whole row.
using TLVDrawItemEvent =
    framework::TEvent<framework::TObject*, TListItem*, framework::TRect, framework::TOwnerDrawState>;
using TLVDrawHeaderEvent = framework::TEvent<framework::TObject*, framework::TCanvas*, framework::TRect>;

class TAdvListView : public framework::TCustomControl {
public:
    explicit TAdvListView(framework::TComponent* AOwner);
    ~TAdvListView() override;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(framework::TAccessible& A) const override;
    int AccessibleItemCount() const override;
    void DescribeAccessibleItem(int Index, framework::TAccessible& A) const override;
    int AccessibleFocusedItem() const override;
    bool DoAccessibleAction(int AItem, const std::string& Action) override;

    // Columns, in order; changing a column's fields calls for Invalidate.
    TListColumn* AddColumn(const std::string& Caption, int Width);
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    TListColumn* Columns(int Index) const;  // raises EListError out of range
    void ClearColumns();

    TListItem* AddItem(const std::string& Caption);
    int ItemCount() const { return static_cast<int>(m_items.size()); }
    TListItem* Items(int Index) const;  // raises EListError out of range
    void DeleteItem(int Index);
    void ClearItems();

    // The first selected item, or -1; setting it selects that item alone (-1: none).
    int ItemIndex() const;
    void SetItemIndex(int Value);
    bool MultiSelect() const { return m_multiSelect; }
    void SetMultiSelect(bool Value) { m_multiSelect = Value; }

    // Height of a report row in pixels (at least 1).
    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int Value);
    // The images of the report rows and the images of the icon view.
    framework::TCustomImageList* SmallImages() const { return m_smallImages; }
    void SetSmallImages(framework::TCustomImageList* Value);
    framework::TCustomImageList* LargeImages() const { return m_largeImages; }
    void SetLargeImages(framework::TCustomImageList* Value);
    TViewStyle ViewStyle() const { return m_viewStyle; }
    void SetViewStyle(TViewStyle Value);
    bool ShowColumnHeaders() const { return m_showHeaders; }
    void SetShowColumnHeaders(bool Value);

    bool OwnerDraw() const { return m_ownerDraw; }
    void SetOwnerDraw(bool Value);
    bool HeaderOwnerDraw() const { return m_headerOwnerDraw; }
    void SetHeaderOwnerDraw(bool Value);
    framework::TColor HeaderColor() const { return m_headerColor; }
    void SetHeaderColor(framework::TColor Value);
    framework::TFont* HeaderFont() const { return m_headerFont.get(); }
    void SetHeaderFont(const framework::TFont* Value) { m_headerFont->Assign(Value); }
    framework::TColor SelectionColor() const { return m_selectionColor; }
    void SetSelectionColor(framework::TColor Value);
    framework::TColor SelectionTextColor() const { return m_selectionTextColor; }
    void SetSelectionTextColor(framework::TColor Value);

    // Scrolling (report view): the first row shown, kept so the last page stays full.
    int TopIndex() const { return m_topIndex; }
    void SetTopIndex(int Value);
    int VisibleRowCount() const;
    int HeaderHeight();
    // The row of an item in client coordinates (report view), or the cell (icon view).
    framework::TRect ItemRect(int Index);
    // The item under a client point, or -1.
    int ItemAtPos(framework::TPoint Pos);

    TLVDrawItemEvent OnDrawItem;
    TLVDrawHeaderEvent OnDrawHeader;
    framework::TNotifyEvent OnSelectItem;

    void ChangeScale(int M, int D) override;

protected:
    void Paint() override;
    void PaintBorder(framework::TCanvas& Canvas, framework::TRect Bounds) override;
    int ClientInset() const override { return 1; }
    void MouseDown(framework::TMouseButton Button, framework::TShiftState Shift, int X, int Y) override;
    void KeyDown(std::uint16_t& Key, framework::TShiftState Shift) override;
    void WndProc(framework::TMessage& Message) override;
    void Notification(framework::TComponent* AComponent, framework::TOperation Operation) override;
    // Report view: the vertical bar counts rows, the horizontal one the pixels of the columns.
    bool ScrollContent(int Bar, framework::TScrollInfo& Info) override;
    void ScrollContentTo(int Bar, int Pos) override;
    int ScrollLineSize(int Bar) const override { return Bar == framework::SB_HORZ ? 16 : 1; }
    // Paints one item in its own way; the default paints the captions in the view's colours.
    virtual void DrawItem(TListItem* Item, framework::TRect Rect, framework::TOwnerDrawState State);
    virtual void DrawHeader(framework::TCanvas& Canvas, framework::TRect Rect);

private:
    friend class TListItem;
    void SelectionChanged();
    void MarkSelected(TListItem* Item, bool Value);
    void DeselectAll();
    void HeaderFontChanged(framework::TObject*) { Invalidate(); }
    void PaintReport(framework::TCanvas& Canvas);
    void PaintIcons(framework::TCanvas& Canvas);
    int IconCellWidth() const;
    int IconCellHeight();
    int IconColumns() const;
    int ColumnsWidth() const;

    std::vector<std::unique_ptr<TListColumn>> m_columns;
    std::vector<std::unique_ptr<TListItem>> m_items;
    std::set<int> m_selection;  // the indexes of the selected items, so the first is found at once
    std::unique_ptr<framework::TFont, framework::TFreeDeleter> m_headerFont;
    framework::TCustomImageList* m_smallImages = nullptr;  // not owned; cleared when it goes
    framework::TCustomImageList* m_largeImages = nullptr;  // not owned; cleared when it goes
    TViewStyle m_viewStyle = vsReport;
    bool m_showHeaders = true;
    bool m_multiSelect = false;
    bool m_ownerDraw = false;
    bool m_headerOwnerDraw = false;
    int m_itemHeight = 17;
    int m_topIndex = 0;
    int m_scrollX = 0;  // how far columns wider than the view are scrolled
    framework::TColor m_headerColor = framework::clBtnFace;
    framework::TColor m_selectionColor = framework::clHighlight;
    framework::TColor m_selectionTextColor = framework::clHighlightText;
};

}  // namespace vendor
