#include "framework/controls/CheckListBox.h"

#include "framework/controls/CheckBox.h"

namespace framework {

namespace {
constexpr int kMarkArea = kCheckMarkSize + 4;  // the mark and the gap after it
}

const TClassInfo& TCheckListBox::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TCheckListBox, TCustomListBox>("TCheckListBox")
                                       .Event<TCheckListBox>("OnClickCheck", &TCheckListBox::OnClickCheck);
    return info;
}

void TCheckListBox::CheckAll(bool Value) {
    for (int i = 0; i < Count(); ++i)
        SetItemFlag(i, Value);
}

void TCheckListBox::DrawStandardItem(int Index, TRect Rect, TOwnerDrawState State) {
    TCanvas& canvas = *Canvas();
    if (Index >= Count()) {
        TCustomListBox::DrawStandardItem(Index, Rect, State);
        return;
    }
    // The mark sits on the list's own colour; the selection colours start after it.
    const TColor itemColor = canvas.Brush()->Color();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(framework::Rect(Rect.Left, Rect.Top, Rect.Left + kMarkArea, Rect.Bottom));
    PaintCheckMark(canvas, Rect.Left + 2, Rect.Top + (Rect.Height() - kCheckMarkSize) / 2,
                   Checked(Index) ? cbChecked : cbUnchecked, Enabled());
    canvas.Brush()->SetColor(itemColor);
    canvas.Brush()->SetStyle(bsSolid);
    Rect.Left += kMarkArea;
    TCustomListBox::DrawStandardItem(Index, Rect, State);
}

void TCheckListBox::Toggle(int Index) {
    SetChecked(Index, !Checked(Index));
    if (OnClickCheck)
        OnClickCheck(this);
}

void TCheckListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && X < kMarkArea) {
        const int index = ItemAtPos(TPoint{X, Y}, true);
        if (index >= 0)
            Toggle(index);
    }
    TCustomListBox::MouseDown(Button, Shift, X, Y);
}

void TCheckListBox::KeyPress(char32_t& Key) {
    TCustomListBox::KeyPress(Key);
    if (Key == U' ' && ItemIndex() >= 0 && !MultiSelect())
        Toggle(ItemIndex());
}

}  // namespace framework
