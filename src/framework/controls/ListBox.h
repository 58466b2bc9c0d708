#pragma once
// TCustomListBox: a scrolling list of strings with associated objects, single or multiple
// selection, keyboard and mouse selection, and owner drawing with fixed or variable item
// heights. The virtual styles keep no strings: the owner supplies Count and the texts.

#include "framework/classes/Strings.h"
#include "framework/controls/WinControl.h"

#include <memory>
#include <optional>
#include <vector>

namespace framework {

enum TBorderStyle { bsNone, bsSingle };
enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };

// The state of an item being drawn, as a bit set.
using TOwnerDrawState = std::uint32_t;
enum : std::uint32_t {
    odSelected = 1u << 0,
    odGrayed = 1u << 1,
    odDisabled = 1u << 2,
    odChecked = 1u << 3,
    odFocused = 1u << 4,
    odDefault = 1u << 5,
    odHotLight = 1u << 6,
    odInactive = 1u << 7,
    odNoAccel = 1u << 8,
    odNoFocusRect = 1u << 9,
    odReserved1 = 1u << 10,
    odReserved2 = 1u << 11,
    odComboBoxEdit = 1u << 12,
};

using TDrawItemEvent = TEvent<TWinControl*, int, TRect, TOwnerDrawState>;
using TMeasureItemEvent = TEvent<TWinControl*, int, int&>;
using TLBGetDataEvent = TEvent<TWinControl*, int, std::string&>;
using TLBGetDataObjectEvent = TEvent<TWinControl*, int, TObject*&>;

// The classic focus rectangle: every other pixel of the border inverted, so drawing it twice
// restores the picture.
void DrawFocusRect(TCanvas& Canvas, const TRect& R);

class TCustomListBox : public TCustomControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(TAccessible& A) const override;
    int AccessibleItemCount() const override;
    void DescribeAccessibleItem(int Index, TAccessible& A) const override;
    int AccessibleFocusedItem() const override;
    bool DoAccessibleAction(int AItem, const std::string& Action) override;

    TStrings* Items() const { return m_strings.get(); }
    void SetItems(TStrings* Value) { m_strings->Assign(Value); }
    // The number of items; the virtual styles take it from SetCount.
    int Count() const;
    void SetCount(int Value);
    void Clear();

    // An index read from a description while the list has no entries yet is kept, and reported,
    // until they come.
    int ItemIndex() const { return m_loadedItemIndex && Count() == 0 ? *m_loadedItemIndex : m_itemIndex; }
    void SetItemIndex(int Value);
    bool MultiSelect() const { return m_multiSelect; }
    void SetMultiSelect(bool Value);
    bool ExtendedSelect() const { return m_extendedSelect; }
    void SetExtendedSelect(bool Value) { m_extendedSelect = Value; }
    bool Selected(int Index) const;
    void SetSelected(int Index, bool Value);
    int SelCount() const;  // -1 for a single-selection list, as the classic one answers
    void ClearSelection();
    void SelectAll();

    TListBoxStyle Style() const { return m_style; }
    void SetStyle(TListBoxStyle Value);
    int ItemHeight() const { return m_itemHeight; }
    virtual void SetItemHeight(int Value);
    int TopIndex() const { return m_topIndex; }
    void SetTopIndex(int Value);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    int ClientInset() const override { return m_borderStyle == bsSingle ? 2 : 0; }
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool Value);
    // How many whole items fit in the client area from TopIndex on.
    int ItemsPerPage() const;

    // The rectangle of an item in client coordinates (Index = Count gives the one below the last).
    TRect ItemRect(int Index) const;
    // The item at a client point; -1 (Existing) or Count (not Existing) below the last one.
    int ItemAtPos(TPoint Pos, bool Existing) const;

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;
    TLBGetDataEvent OnData;
    TLBGetDataObjectEvent OnDataObject;

    // The text of an item in every style (the virtual ones ask OnData).
    std::string ItemText(int Index) const;

protected:
    // Paints one item of an owner-drawn list: OnDrawItem when assigned, else the default.
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    // The framework's own item: the rectangle filled, the text two pixels in.
    void DefaultDrawItem(int Index, TRect Rect);
    virtual void MeasureItem(int Index, int& Height);
    void Paint() override;
    void PaintBorder(TCanvas& Canvas, TRect Bounds) override;
    void CreateWnd() override;
    void Loaded() override;
    void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WndProc(TMessage& Message) override;
    // The focused item shows the focus itself; the whole list does while no item is in view.
    TRect FocusFrameRect() override;
    // The vertical bar counts items: the range is the list, the page the items that fit whole.
    bool ScrollContent(int Bar, TScrollInfo& Info) override;
    void ScrollContentTo(int Bar, int Pos) override;
    bool IsOwnerDraw() const { return m_style != lbStandard && m_style != lbVirtual; }
    bool IsVirtual() const { return m_style == lbVirtual || m_style == lbVirtualOwnerDraw; }
    // Paints an item of a list box that is not owner-drawn; descendants add to the plain text.
    virtual void DrawStandardItem(int Index, TRect Rect, TOwnerDrawState State);
    // A mark kept with each item, moving with it when items are inserted, deleted or sorted
    // (a check-list box keeps its check marks here). False for virtual lists.
    bool ItemFlag(int Index) const;
    void SetItemFlag(int Index, bool Value);

private:
    class TListBoxStrings;
    friend class TListBoxStrings;
    struct Item {
        std::string Text;
        TObject* Object = nullptr;
        int Height = 0;  // variable style only
        bool Flag = false;
    };

    void PaintItem(TCanvas& Canvas, int Index);
    int ItemHeightAt(int Index) const;
    void MeasureAll();
    void ItemsInserted(int Index);
    void ItemsDeleted(int Index);
    void MoveCaret(int NewIndex, TShiftState Shift);
    void MakeVisible(int Index);
    void SelectRange(int From, int To, bool Value);

    std::vector<Item> m_items;
    std::vector<bool> m_selected;  // multi-select flags, one per item
    std::unique_ptr<TStrings, TFreeDeleter> m_strings;
    int m_virtualCount = 0;
    int m_itemIndex = -1;  // the selected item, or the caret in a multi-select list
    // An ItemIndex read from a form description before the list held that item (the items come
    // later in the description, or with the window): applied once they are there.
    std::optional<int> m_loadedItemIndex;
    void ApplyLoadedItemIndex();
    int m_anchor = -1;  // where a shift-extended selection starts
    int m_topIndex = 0;
    int m_itemHeight = 16;
    TListBoxStyle m_style = lbStandard;
    bool m_multiSelect = false;
    bool m_extendedSelect = true;
    bool m_sorted = false;
    TBorderStyle m_borderStyle = bsSingle;
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

}  // namespace framework
