#pragma once
// TCustomComboBox: a one-line field with a list that drops down below it. The plain styles show
// item texts; the owner-drawn styles paint every entry through DrawItem, in the field and in the
// dropped-down list alike. The list opens on a click, Alt+Down or F4, follows the mouse and the
// arrow keys, and closes on a choice (click or Enter), on Escape, or when the focus leaves.
// The field of csDropDown is an edit like every other (EditCore.h): caret, selection, the
// clipboard and undo; Up and Down still choose the next or previous entry.

#include "framework/classes/StringList.h"
#include "framework/controls/DropDownList.h"
#include "framework/controls/EditCore.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/WinControl.h"

#include <memory>
#include <optional>
#include <vector>

namespace framework {

enum TComboBoxStyle { csDropDown, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

inline constexpr std::uint16_t VK_F4 = 0x73;

class TCustomComboBox : public TCustomControl, private TDropDownSource, protected TEditCoreOwner {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(TAccessible& A) const override;
    int AccessibleItemCount() const override;
    void DescribeAccessibleItem(int Index, TAccessible& A) const override;
    int AccessibleFocusedItem() const override;
    bool DoAccessibleAction(int AItem, const std::string& Action) override;

    TStrings* Items() const { return m_items.get(); }
    void SetItems(TStrings* Value) { m_items->Assign(Value); }
    // -1 for no selection; an index outside the list selects nothing.
    int ItemIndex() const { return m_itemIndex; }
    virtual void SetItemIndex(int Value);
    void Clear();

    TComboBoxStyle Style() const { return m_style; }
    void SetStyle(TComboBoxStyle Value);
    // The height of one entry; the control is always this plus its frame high.
    int ItemHeight() const { return m_itemHeight; }
    virtual void SetItemHeight(int Value);
    int DropDownCount() const { return m_dropDownCount; }
    void SetDropDownCount(int Value) { m_dropDownCount = std::max(Value, 1); }
    bool DroppedDown() const;
    void SetDroppedDown(bool Value);
    TBorderStyle BorderStyle() const { return bsSingle; }
    int ClientInset() const override { return 2; }

    // The canvas entries are painted on: the field's, or the dropped-down list's while that paints.
    TCanvas* Canvas();

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TNotifyEvent OnChange;    // the user changed the selection or the typed text
    TNotifyEvent OnSelect;    // the user chose an entry
    TNotifyEvent OnDropDown;  // the list is about to open
    TNotifyEvent OnCloseUp;   // the list has closed
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    // The width of the drop-down button at the right of the field.
    static constexpr int kButtonWidth = 17;

    // The typed field's editing (csDropDown), for its caret and selection.
    const TEditCore& Editor() {
        SyncEdit();
        return m_edit;
    }
    void WndProc(TMessage& Message) override;

protected:
    // Paints one entry in Rect of Canvas(); the default fills it and writes the item's text.
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);
    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    bool IsOwnerDraw() const { return m_style == csOwnerDrawFixed || m_style == csOwnerDrawVariable; }

    void Paint() override;
    void PaintBorder(TCanvas& Canvas, TRect Bounds) override;
    void TextChanged() override;
    void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DoEnter() override;
    void DoExit() override;
    void FontChanged() override;

    // TEditCoreOwner
    TCanvas& EditCanvas() override;
    TRect EditViewRect() override;
    void EditChanged() override;
    void EditInvalidate() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    int DropDownEntryCount() override { return m_items->Count(); }
    int DropDownEntryHeight(int Index) override { return EntryHeight(Index); }
    void DropDownPaintEntry(TCanvas& Target, int Index, TRect Rect, TOwnerDrawState State) override {
        PaintEntry(Target, Index, Rect, State);
    }
    void DropDownChoose(int Index) override { Choose(Index); }
    // A press outside the open list (the combo's own field included) closes it.
    void DropDownDismiss() override { SetDroppedDown(false); }
    void ItemsChange(TObject* Sender);
    // Sets up the canvas for an entry (selection colours when selected) and paints it.
    void PaintEntry(TCanvas& Target, int Index, TRect Rect, TOwnerDrawState State);
    // The user picked Index: the selection, the text and the events follow.
    void Choose(int Index);
    int EntryHeight(int Index);
    // The field's editor shows the text a program or a choice put there.
    void SyncEdit();

    std::unique_ptr<TStringList, TFreeDeleter> m_items;
    TDropDownList* m_list = nullptr;  // owned as a component; exists while dropped down
    TCanvas* m_itemCanvas = nullptr;  // the list's canvas while it paints
    std::vector<int> m_heights;       // measured entry heights of the variable style
    int m_itemIndex = -1;
    // An ItemIndex read from a form description before the combo held that item (the items
    // come later in the description, or with the window): applied once they are there.
    std::optional<int> m_loadedItemIndex;
    void ApplyLoadedItemIndex();
    int m_itemHeight = 16;
    int m_dropDownCount = 8;
    TComboBoxStyle m_style = csDropDown;
    TEditCore m_edit{*this, false};
    bool m_syncing = false;  // set while the editor takes the text from m_text
    bool m_caretOn = true;
    bool m_canvasFontSet = false;
};

class TComboBox : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

}  // namespace framework
