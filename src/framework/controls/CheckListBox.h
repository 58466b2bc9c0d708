#pragma once
// TCheckListBox: a list box with a check box before every item. The check marks move with
// their items; a click on a mark or Space on the caret's item toggles it.

#include "framework/controls/ListBox.h"

namespace framework {

class TCheckListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    bool Checked(int Index) const { return ItemFlag(Index); }
    void SetChecked(int Index, bool Value) { SetItemFlag(Index, Value); }
    // Checks or unchecks every item.
    void CheckAll(bool Value);

    TNotifyEvent OnClickCheck;

protected:
    void DrawStandardItem(int Index, TRect Rect, TOwnerDrawState State) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyPress(char32_t& Key) override;

private:
    void Toggle(int Index);
};

}  // namespace framework
