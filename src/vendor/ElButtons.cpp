#include "vendor/ElButtons.h"

#include "framework/controls/DrawText.h"
#include "framework/controls/Panel.h"
#include "framework/rtl/Exceptions.h"

#include <cmath>

namespace vendor {

using namespace framework;

const TClassInfo& TElCheckBox::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TElCheckBox, TCustomCheckBox>("TElCheckBox");
    return info;
}

const TClassInfo& TElRadioButton::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TElRadioButton, TRadioButton>("TElRadioButton");
    return info;
}

const TClassInfo& TElRadioGroup::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TElRadioGroup, TCustomRadioGroup>("TElRadioGroup");
    return info;
}

// --- TElCheckGroup -------------------------------------------------------------------------

const TClassInfo& TElCheckGroup::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TElCheckGroup, TCustomRadioGroup>("TElCheckGroup");
    return info;
}

void TElCheckGroup::CheckIndex(int Index) const {
    const int count = Items()->Count();
    if (Index < 0 || Index >= count)
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    if (m_checked.size() < static_cast<std::size_t>(count))
        m_checked.resize(static_cast<std::size_t>(count), false);
}

bool TElCheckGroup::Checked(int Index) const {
    CheckIndex(Index);
    return m_checked[static_cast<std::size_t>(Index)];
}

void TElCheckGroup::SetChecked(int Index, bool Value) {
    CheckIndex(Index);
    auto mark = m_checked[static_cast<std::size_t>(Index)];
    if (mark == Value)
        return;  // nothing to paint again
    mark = Value;
    Invalidate();
}

void TElCheckGroup::Paint() {
    TCustomGroupBox::Paint();
    TCanvas& canvas = *Canvas();
    for (int i = 0; i < Items()->Count(); ++i) {
        TRect r = ItemRect(i);
        PaintCheckMark(canvas, r.Left, r.Top + (r.Height() - kCheckMarkSize) / 2,
                       Checked(i) ? cbChecked : cbUnchecked, Enabled());
        canvas.Font()->Assign(Font());
        canvas.Brush()->SetStyle(bsClear);
        r.Left += kCheckMarkSize + 4;
        DrawText(canvas, Items()->Strings(i), r, DT_SINGLELINE | DT_VCENTER);
    }
}

void TElCheckGroup::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft)
        for (int i = 0; i < Items()->Count(); ++i)
            if (ItemRect(i).Contains(TPoint{X, Y})) {
                SetChecked(i, !Checked(i));
                break;
            }
    TCustomGroupBox::MouseDown(Button, Shift, X, Y);
}

// --- TElDateTimePicker ---------------------------------------------------------------------

const TClassInfo& TElDateTimePicker::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TElDateTimePicker, TCustomControl>("TElDateTimePicker")
                                       .Float<TElDateTimePicker>("DateTime", &TElDateTimePicker::DateTime,
                                                                 &TElDateTimePicker::SetDateTime);
    return info;
}

TElDateTimePicker::TElDateTimePicker(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
    m_dateTime = Now();
}

void TElDateTimePicker::SetDateTime(TDateTime Value) {
    // Dates outside the calendar's range (and NaN) cannot be shown or stored; they are refused.
    if (!(Value >= MinDateTime && Value <= MaxDateTime))
        throw EConvertError("Invalid date and time");
    m_dateTime = Value;
    Invalidate();
}

void TElDateTimePicker::PaintBorder(TCanvas& Canvas, TRect Bounds) {
    Frame3D(Canvas, Bounds, clBtnShadow, clBtnHighlight, 1);
    Frame3D(Canvas, Bounds, cl3DDkShadow, cl3DLight, 1);
}

void TElDateTimePicker::Paint() {
    TCanvas& canvas = *Canvas();
    const int buttonLeft = ClientWidth() - 17;
    canvas.Font()->Assign(Font());
    canvas.Brush()->SetStyle(bsClear);
    TRect r = Rect(2, 0, buttonLeft, ClientHeight());
    DrawText(canvas, DateToStr(m_dateTime), r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    // The drop-down button with its arrow.
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(Rect(buttonLeft, 0, ClientWidth(), ClientHeight()));
    canvas.Brush()->SetColor(clWindowText);
    const int cx = buttonLeft + 8, cy = ClientHeight() / 2 - 1;
    for (int i = 0; i < 4; ++i)
        canvas.FillRect(Rect(cx - 3 + i, cy + i, cx + 4 - i, cy + i + 1));
}

}  // namespace vendor
