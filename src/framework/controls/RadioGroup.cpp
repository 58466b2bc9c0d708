#include "framework/controls/RadioGroup.h"

#include "framework/controls/CheckBox.h"
#include "framework/controls/DrawText.h"
#include "framework/controls/Messages.h"

#include <algorithm>

namespace framework {

const TClassInfo& TCustomGroupBox::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TCustomGroupBox, TCustomControl>("TCustomGroupBox")
            .String<TCustomGroupBox>("Caption", &TCustomGroupBox::Caption, &TCustomGroupBox::SetCaption);
    return info;
}

const TClassInfo& TGroupBox::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TGroupBox, TCustomGroupBox>("TGroupBox");
    return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetBounds(0, 0, 185, 105);
    SetParentColor(true);
}

int TCustomGroupBox::CaptionHeight() {
    Canvas()->Font()->Assign(Font());
    return Canvas()->TextHeight("Wg");
}

void TCustomGroupBox::Paint() {
    TCanvas& canvas = *Canvas();
    const int textHeight = CaptionHeight();
    const int top = textHeight / 2;
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clBtnShadow);
    canvas.FrameRect(Rect(0, top, ClientWidth() - 1, ClientHeight() - 1));
    canvas.Brush()->SetColor(clBtnHighlight);
    canvas.FrameRect(Rect(1, top + 1, ClientWidth(), ClientHeight()));
    if (Caption().empty())
        return;
    // The caption interrupts the top edge.
    canvas.Brush()->SetColor(Color());
    TRect r = Rect(8, 0, ClientWidth() - 8, textHeight);
    DrawText(canvas, Caption(), r, DT_SINGLELINE | DT_CALCRECT);
    canvas.Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
    DrawText(canvas, Caption(), r, DT_SINGLELINE);
}

// --- TCustomRadioGroup ---------------------------------------------------------------------

const TClassInfo& TCustomRadioGroup::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TCustomRadioGroup, TCustomGroupBox>("TCustomRadioGroup")
                                       .Object<TCustomRadioGroup, TStrings>(
                                           "Items", &TCustomRadioGroup::Items, &TCustomRadioGroup::SetItems)
                                       .Integer<TCustomRadioGroup>("ItemIndex", &TCustomRadioGroup::ItemIndex,
                                                                   &TCustomRadioGroup::SetItemIndex, -1)
                                       .Integer<TCustomRadioGroup>("Columns", &TCustomRadioGroup::Columns,
                                                                   &TCustomRadioGroup::SetColumns, 1);
    return info;
}

const TClassInfo& TRadioGroup::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TRadioGroup, TCustomRadioGroup>("TRadioGroup");
    return info;
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner) : TCustomGroupBox(AOwner), m_items(new TStringList) {
    SetTabStop(true);
    m_items->OnChange = TNotifyEvent::Of<&TCustomRadioGroup::ItemsChanged>(this);
}

TCustomRadioGroup::~TCustomRadioGroup() { m_items->OnChange = nullptr; }

void TCustomRadioGroup::ItemsChanged(TObject*) {
    if (m_itemIndex >= m_items->Count())
        m_itemIndex = m_items->Count() - 1;
    Invalidate();
}

void TCustomRadioGroup::SetItemIndex(int Value) {
    // A description may give the index before the items; it is applied once they are read.
    if (HasState(csLoading)) {
        m_loadedItemIndex = Value;
        return;
    }
    m_loadedItemIndex.reset();
    Value = std::clamp(Value, -1, m_items->Count() - 1);
    if (m_itemIndex == Value)
        return;
    m_itemIndex = Value;
    Invalidate();
}

void TCustomRadioGroup::Loaded() {
    TCustomGroupBox::Loaded();
    if (m_loadedItemIndex)
        SetItemIndex(*m_loadedItemIndex);
}

void TCustomRadioGroup::SetColumns(int Value) {
    m_columns = std::clamp(Value, 1, 16);
    Invalidate();
}

TRect TCustomRadioGroup::ItemRect(int Index) {
    const int count = m_items->Count();
    if (Index < 0 || Index >= count)
        return Rect(0, 0, 0, 0);
    const int rows = (count + m_columns - 1) / m_columns;
    const int top = CaptionHeight() + 2;
    const int rowHeight = std::max((ClientHeight() - top - 4) / std::max(rows, 1), 1);
    const int colWidth = std::max((ClientWidth() - 16) / m_columns, 1);
    const int col = Index / rows, row = Index % rows;
    return Rect(8 + col * colWidth, top + row * rowHeight, 8 + (col + 1) * colWidth,
                top + (row + 1) * rowHeight);
}

void TCustomRadioGroup::Paint() {
    TCustomGroupBox::Paint();
    TCanvas& canvas = *Canvas();
    for (int i = 0; i < m_items->Count(); ++i) {
        TRect r = ItemRect(i);
        PaintRadioMark(canvas, r.Left, r.Top + (r.Height() - kCheckMarkSize) / 2, i == m_itemIndex,
                       Enabled());
        canvas.Font()->Assign(Font());
        canvas.Brush()->SetStyle(bsClear);
        r.Left += kCheckMarkSize + 4;
        DrawText(canvas, m_items->StringRef(i), r, DT_SINGLELINE | DT_VCENTER);
    }
}

void TCustomRadioGroup::KeyDown(std::uint16_t& Key, TShiftState Shift) {
    TCustomGroupBox::KeyDown(Key, Shift);
    const int last = m_items->Count() - 1;
    if (Key == VK_UP || Key == VK_LEFT) {
        Key = 0;
        SetItemIndex(std::max(m_itemIndex - 1, std::min(0, last)));
    } else if (Key == VK_DOWN || Key == VK_RIGHT) {
        Key = 0;
        SetItemIndex(std::min(m_itemIndex + 1, last));
    }
}

void TCustomRadioGroup::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft)
        for (int i = 0; i < m_items->Count(); ++i)
            if (ItemRect(i).Contains(TPoint{X, Y})) {
                SetItemIndex(i);
                break;
            }
    TCustomGroupBox::MouseDown(Button, Shift, X, Y);
}

}  // namespace framework
