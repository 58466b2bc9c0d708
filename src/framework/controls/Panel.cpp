#include "framework/controls/Panel.h"

#include "framework/controls/DrawText.h"

#include <algorithm>

namespace framework {

void Frame3D(TCanvas& Canvas, TRect& R, TColor TopColor, TColor BottomColor, int Width) {
    TBrush& brush = *Canvas.Brush();
    const TColor oldColor = brush.Color();
    const TBrushStyle oldStyle = brush.Style();
    brush.SetStyle(bsSolid);
    for (int i = 0; i < Width && !R.IsEmpty(); ++i) {
        brush.SetColor(TopColor);
        Canvas.FillRect(Rect(R.Left, R.Top, R.Right - 1, R.Top + 1));    // top
        Canvas.FillRect(Rect(R.Left, R.Top, R.Left + 1, R.Bottom - 1));  // left
        brush.SetColor(BottomColor);
        Canvas.FillRect(Rect(R.Right - 1, R.Top, R.Right, R.Bottom));    // right
        Canvas.FillRect(Rect(R.Left, R.Bottom - 1, R.Right, R.Bottom));  // bottom
        R.Inflate(-1, -1);
    }
    brush.SetColor(oldColor);
    brush.SetStyle(oldStyle);
}

const TClassInfo& TCustomPanel::ClassInfo() {
    static const std::vector<std::string> bevels{"bvNone", "bvLowered", "bvRaised", "bvSpace"};
    static const TClassInfo info =
        TClassInfo::Derive<TCustomPanel, TCustomControl>("TCustomPanel")
            .String<TCustomPanel>("Caption", &TCustomPanel::Caption, &TCustomPanel::SetCaption)
            .Enum<TCustomPanel>("BevelOuter", bevels, &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter,
                                bvRaised)
            .Enum<TCustomPanel>("BevelInner", bevels, &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner,
                                bvNone)
            .Integer<TCustomPanel>("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth, 1)
            .Enum<TCustomPanel>("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
                                &TCustomPanel::Alignment, &TCustomPanel::SetAlignment, taCenter)
            .Bool<TCustomPanel>("ShowCaption", &TCustomPanel::ShowCaption, &TCustomPanel::SetShowCaption,
                                true);
    return info;
}

const TClassInfo& TPanel::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TPanel, TCustomPanel>("TPanel");
    return info;
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::Paint() {
    TCanvas& canvas = *Canvas();
    TRect r = ClientRect();
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone)
            return;
        const TColor top = cut == bvLowered ? clBtnShadow : clBtnHighlight;
        const TColor bottom = cut == bvLowered ? clBtnHighlight : clBtnShadow;
        if (cut == bvSpace)
            r.Inflate(-m_bevelWidth, -m_bevelWidth);
        else
            Frame3D(canvas, r, top, bottom, m_bevelWidth);
    };
    bevel(m_bevelOuter);
    bevel(m_bevelInner);
    canvas.Brush()->SetColor(Color());
    canvas.Brush()->SetStyle(bsSolid);
    canvas.FillRect(r);
    if (!m_showCaption || Caption().empty())
        return;
    std::uint32_t format = DT_SINGLELINE | DT_VCENTER;
    if (m_alignment == taCenter)
        format |= DT_CENTER;
    else if (m_alignment == taRightJustify)
        format |= DT_RIGHT;
    canvas.Brush()->SetStyle(bsClear);
    DrawText(canvas, Caption(), r, format);
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
    m_bevelOuter = Value;
    Invalidate();
}
void TCustomPanel::SetBevelInner(TBevelCut Value) {
    m_bevelInner = Value;
    Invalidate();
}
void TCustomPanel::SetBevelWidth(int Value) {
    m_bevelWidth = std::max(Value, 1);
    Invalidate();
}
void TCustomPanel::SetAlignment(TAlignment Value) {
    m_alignment = Value;
    Invalidate();
}
void TCustomPanel::SetShowCaption(bool Value) {
    m_showCaption = Value;
    Invalidate();
}

}  // namespace framework
