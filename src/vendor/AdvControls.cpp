#include "vendor/AdvControls.h"

#include "framework/controls/DrawText.h"
#include "framework/rtl/FloatConv.h"
#include "framework/rtl/IntConv.h"
#include "framework/rtl/Rounding.h"

#include <algorithm>
#include <cstdint>

namespace vendor {

using namespace framework;

const TClassInfo& TCustomAdvOfficeCheckBox::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TCustomAdvOfficeCheckBox, TCustomCheckBox>("TCustomAdvOfficeCheckBox");
    return info;
}

const TClassInfo& TAdvOfficeCheckBox::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TAdvOfficeCheckBox, TCustomAdvOfficeCheckBox>("TAdvOfficeCheckBox");
    return info;
}

void TCustomAdvOfficeCheckBox::CorrectForScreenResImageHeight(int ImageHeight) {
    m_markSize = std::max(kCheckMarkSize, static_cast<int>(RoundHalfEven(ImageHeight * 0.65)));
    if (Height() < m_markSize + 4)
        SetHeight(m_markSize + 4);
    Invalidate();
}

void TCustomAdvOfficeCheckBox::Paint() {
    TCanvas& canvas = *Canvas();
    PaintMark(canvas, 0, (ClientHeight() - m_markSize) / 2);
    canvas.Font()->Assign(Font());
    if (!Enabled())
        canvas.Font()->SetColor(clGrayText);
    canvas.Brush()->SetStyle(bsClear);
    TRect r = ClientRect();
    r.Left = CaptionLeft();
    DrawText(canvas, Caption(), r, DT_SINGLELINE | DT_VCENTER);
}

void TCustomAdvOfficeCheckBox::PaintMark(TCanvas& Canvas, int X, int Y) {
    TBrush& brush = *Canvas.Brush();
    brush.SetStyle(bsSolid);
    brush.SetColor(clBtnShadow);
    Canvas.FrameRect(Rect(X, Y, X + m_markSize, Y + m_markSize));
    brush.SetColor(Enabled() ? clWindow : clBtnFace);
    Canvas.FillRect(Rect(X + 1, Y + 1, X + m_markSize - 1, Y + m_markSize - 1));
    if (State() != cbUnchecked) {
        const int inset = m_markSize / 4;
        brush.SetColor(State() == cbChecked && Enabled() ? clWindowText : clBtnShadow);
        Canvas.FillRect(Rect(X + inset, Y + inset, X + m_markSize - inset, Y + m_markSize - inset));
    }
}

const TClassInfo& TAdvOfficeRadioButton::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TAdvOfficeRadioButton, TRadioButton>("TAdvOfficeRadioButton");
    return info;
}

const TClassInfo& TAdvOfficeRadioGroup::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TAdvOfficeRadioGroup, TCustomRadioGroup>("TAdvOfficeRadioGroup");
    return info;
}

const TClassInfo& TAdvSpinEdit::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TAdvSpinEdit, TCustomEdit>("TAdvSpinEdit")
            .Enum<TAdvSpinEdit>("SpinType", {"sptNormal", "sptFloat", "sptDate", "sptTime", "sptHex"},
                                &TAdvSpinEdit::SpinType, &TAdvSpinEdit::SetSpinType, sptNormal)
            .Integer<TAdvSpinEdit>("Value", &TAdvSpinEdit::Value, &TAdvSpinEdit::SetValue, 0)
            .Float<TAdvSpinEdit>("FloatValue", &TAdvSpinEdit::FloatValue, &TAdvSpinEdit::SetFloatValue)
            .Integer<TAdvSpinEdit>("Increment", &TAdvSpinEdit::Increment, &TAdvSpinEdit::SetIncrement, 1)
            .Float<TAdvSpinEdit>("IncrementFloat", &TAdvSpinEdit::IncrementFloat,
                                 &TAdvSpinEdit::SetIncrementFloat)
            .Integer<TAdvSpinEdit>("MinValue", &TAdvSpinEdit::MinValue, &TAdvSpinEdit::SetMinValue, 0)
            .Integer<TAdvSpinEdit>("MaxValue", &TAdvSpinEdit::MaxValue, &TAdvSpinEdit::SetMaxValue, 0);
    return info;
}

TAdvSpinEdit::TAdvSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
    SetSpinButtons(true);
    ShowValue();
}

void TAdvSpinEdit::SetSpinType(TAdvSpinType Value) {
    m_spinType = Value;
    ShowValue();
}

void TAdvSpinEdit::SetValue(int Value) {
    m_value = Value;
    ShowValue();
}

void TAdvSpinEdit::SetFloatValue(double Value) {
    m_floatValue = Value;
    ShowValue();
}

void TAdvSpinEdit::ShowValue() {
    m_showing = true;
    if (m_spinType == sptFloat)
        SetText(FloatToStr(m_floatValue));
    else if (m_spinType == sptHex)
        SetText(IntToHex(m_value, 1));
    else
        SetText(IntToStr(m_value));
    m_showing = false;
}

bool TAdvSpinEdit::ReadText(int& Value, double& FloatValue) const {
    if (m_spinType == sptFloat)
        return TryStrToFloat(Text(), FloatValue);
    return TryStrToInt(m_spinType == sptHex ? "$" + Text() : Text(), Value);
}

void TAdvSpinEdit::Change() {
    if (!m_showing) {
        // Typed text that reads as a value of the spin type sets it.
        int v = m_value;
        double f = m_floatValue;
        if (ReadText(v, f)) {
            m_value = v;
            m_floatValue = f;
        }
    }
    TCustomEdit::Change();
}

int TAdvSpinEdit::Bounded(long long Value) const {
    if (m_min == 0 && m_max == 0)
        return static_cast<int>(std::clamp<long long>(Value, INT32_MIN, INT32_MAX));
    return static_cast<int>(std::clamp<long long>(Value, std::min(m_min, m_max), std::max(m_min, m_max)));
}

void TAdvSpinEdit::Spin(int Steps) {
    if (m_spinType == sptFloat) {
        double next = m_floatValue + Steps * m_incrementFloat;
        if (m_min != 0 || m_max != 0)
            next = std::clamp(next, static_cast<double>(std::min(m_min, m_max)),
                              static_cast<double>(std::max(m_min, m_max)));
        SetFloatValue(next);
    } else if (m_spinType == sptNormal || m_spinType == sptHex) {
        SetValue(Bounded(static_cast<long long>(m_value) + static_cast<long long>(Steps) * m_increment));
    }
    SelectAll();
}

void TAdvSpinEdit::SpinLeave() {
    int v = 0;
    double f = 0;
    if (!ReadText(v, f))
        ShowValue();
}

bool TAdvSpinEdit::AcceptChar(char32_t Char) {
    switch (m_spinType) {
    case sptNormal:
        return (Char >= '0' && Char <= '9') || Char == '-' || Char == '+';
    case sptFloat:
        return (Char >= '0' && Char <= '9') || Char == '-' || Char == '+' || Char == '.' || Char == ',' ||
               Char == 'e' || Char == 'E';
    case sptHex:
        return (Char >= '0' && Char <= '9') || (Char >= 'a' && Char <= 'f') || (Char >= 'A' && Char <= 'F');
    default:
        return true;
    }
}

}  // namespace vendor
