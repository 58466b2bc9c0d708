#include "vendor/AdvControls.h"

#include "framework/controls/DrawText.h"
#include "framework/rtl/FloatConv.h"
#include "framework/rtl/IntConv.h"
#include "framework/rtl/Rounding.h"

#include <algorithm>

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
    r.Left = m_markSize + 4;
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
            .Float<TAdvSpinEdit>("FloatValue", &TAdvSpinEdit::FloatValue, &TAdvSpinEdit::SetFloatValue);
    return info;
}

TAdvSpinEdit::TAdvSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner) { ShowValue(); }

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

void TAdvSpinEdit::TextChanged() {
    if (!m_showing) {
        // Typed text that reads as a value of the spin type sets it.
        if (m_spinType == sptFloat) {
            double v = 0;
            if (TryStrToFloat(Text(), v))
                m_floatValue = v;
        } else {
            int v = 0;
            if (TryStrToInt(m_spinType == sptHex ? "$" + Text() : Text(), v))
                m_value = v;
        }
    }
    TCustomEdit::TextChanged();
}

void TAdvSpinEdit::Paint() {
    TCanvas& canvas = *Canvas();
    const int w = 15;
    canvas.IntersectClipRect(Rect(0, 0, ClientWidth() - w, ClientHeight()));
    TCustomEdit::Paint();
    canvas.ResetClip();
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(Rect(ClientWidth() - w, 0, ClientWidth(), ClientHeight()));
    canvas.Brush()->SetColor(clWindowText);
    const int cx = ClientWidth() - w / 2 - 1, mid = ClientHeight() / 2;
    for (int i = 0; i < 3; ++i) {
        canvas.FillRect(Rect(cx - i, mid - 5 + i, cx + i + 1, mid - 4 + i));  // up
        canvas.FillRect(Rect(cx - i, mid + 4 - i, cx + i + 1, mid + 5 - i));  // down
    }
}

}  // namespace vendor
