#pragma once
// TGroupBox, a captioned frame around other controls, and TRadioGroup, a group box holding a
// list of choices painted as radio marks, at most one of them selected.

#include "framework/classes/StringList.h"
#include "framework/controls/WinControl.h"

#include <memory>
#include <optional>

namespace framework {

class TCustomGroupBox : public TCustomControl {
public:
    explicit TCustomGroupBox(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(TAccessible& A) const override;

protected:
    // The frame, with the caption set into its top edge.
    void Paint() override;
    // Where the frame's inside starts below the caption.
    int CaptionHeight();
};

class TGroupBox : public TCustomGroupBox {
public:
    using TCustomGroupBox::TCustomGroupBox;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

class TCustomRadioGroup : public TCustomGroupBox {
public:
    explicit TCustomRadioGroup(TComponent* AOwner);
    ~TCustomRadioGroup() override;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
    int AccessibleItemCount() const override;
    void DescribeAccessibleItem(int Index, TAccessible& A) const override;
    int AccessibleFocusedItem() const override;
    bool DoAccessibleAction(int AItem, const std::string& Action) override;

    TStrings* Items() const { return m_items.get(); }
    void SetItems(TStrings* Value) { m_items->Assign(Value); }
    // -1 for none; a larger index than the items allow selects the last one, as the classic
    // group does.
    int ItemIndex() const { return m_loadedItemIndex ? *m_loadedItemIndex : m_itemIndex; }
    void SetItemIndex(int Value);
    int Columns() const { return m_columns; }
    void SetColumns(int Value);

    // The rectangle of choice Index, in client coordinates.
    TRect ItemRect(int Index);

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // The arrows choose the item before or after the chosen one (Up and Left before).
    void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
    void Loaded() override;

private:
    void ItemsChanged(TObject* Sender);
    std::optional<int> m_loadedItemIndex;  // read before the items, applied in Loaded
    std::unique_ptr<TStringList, TFreeDeleter> m_items;
    int m_itemIndex = -1;
    int m_columns = 1;
};

class TRadioGroup : public TCustomRadioGroup {
public:
    using TCustomRadioGroup::TCustomRadioGroup;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

}  // namespace framework
