#include "vendor/AdvEditBtn.h"

#include "framework/controls/Panel.h"

#include <algorithm>

using namespace framework;

namespace vendor {

const TClassInfo& TAdvEditBtn::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TAdvEditBtn, TCustomEdit>("TAdvEditBtn")
            .Object<TAdvEditBtn, TBitmap>("Glyph", &TAdvEditBtn::Glyph, &TAdvEditBtn::SetGlyph)
            .Integer<TAdvEditBtn>("ButtonWidth", &TAdvEditBtn::ButtonWidth, &TAdvEditBtn::SetButtonWidth, 18);
    return info;
}

TAdvEditBtn::TAdvEditBtn(TComponent* AOwner) : TCustomEdit(AOwner), m_glyph(Create<TBitmap>()) {
    m_glyph->SetTransparent(true);
}

TAdvEditBtn::~TAdvEditBtn() = default;

void TAdvEditBtn::SetGlyph(TBitmap* Value) {
    if (Value)
        m_glyph->Assign(Value);
    else
        m_glyph->SetSize(0, 0);
    m_glyph->SetTransparent(true);
    Invalidate();
}

void TAdvEditBtn::SetButtonWidth(int Value) {
    Value = std::max(Value, 0);
    if (Value == m_buttonWidth)
        return;
    m_buttonWidth = Value;
    Invalidate();
}

TRect TAdvEditBtn::ButtonRect() const {
    const TRect client = ClientRect();
    return Rect(std::max(client.Right - m_buttonWidth, 0), 0, client.Right, client.Bottom);
}

void TAdvEditBtn::BtnClick(TObject* Sender) {
    if (OnClickBtn)
        OnClickBtn(Sender);
}

void TAdvEditBtn::Paint() {
    TCanvas& canvas = *Canvas();
    const TRect button = ButtonRect();
    // The text stops where the button starts.
    canvas.IntersectClipRect(Rect(0, 0, button.Left, button.Bottom));
    TCustomEdit::Paint();
    canvas.ResetClip();
    if (button.Width() <= 0)
        return;
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(button);
    TRect frame = button;
    if (m_buttonDown)
        Frame3D(canvas, frame, clBtnShadow, clBtnHighlight, 1);
    else
        Frame3D(canvas, frame, clBtnHighlight, clBtnShadow, 1);
    if (const TBitmap& glyph = ShownGlyph(); !glyph.Empty()) {
        // A pressed button shows its glyph one pixel down and to the right.
        const int shift = m_buttonDown ? 1 : 0;
        canvas.Draw(button.Left + (button.Width() - glyph.Width()) / 2 + shift,
                    button.Top + (button.Height() - glyph.Height()) / 2 + shift, glyph);
    }
}

void TAdvEditBtn::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomEdit::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && Enabled() && ButtonRect().Contains(TPoint{X, Y})) {
        m_buttonDown = true;
        Invalidate();
    }
}

void TAdvEditBtn::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomEdit::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !m_buttonDown)
        return;
    m_buttonDown = false;
    Invalidate();
    // Released away from the button: no click, as with any push button.
    if (ButtonRect().Contains(TPoint{X, Y}))
        BtnClick(this);
}

}  // namespace vendor
