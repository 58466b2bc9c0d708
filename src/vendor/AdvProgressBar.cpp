#include "vendor/AdvProgressBar.h"

#include "framework/controls/DrawText.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/Rounding.h"

#include <algorithm>

namespace vendor {

using namespace framework;

namespace {
constexpr int kDesignTextHeight = 11;
}  // namespace

const TClassInfo& TAdvProgressBar::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TAdvProgressBar, TCustomControl>("TAdvProgressBar")
            .Integer<TAdvProgressBar>("Min", &TAdvProgressBar::Min, &TAdvProgressBar::SetMin, 0)
            .Integer<TAdvProgressBar>("Max", &TAdvProgressBar::Max, &TAdvProgressBar::SetMax, 100)
            .Integer<TAdvProgressBar>("Position", &TAdvProgressBar::Position, &TAdvProgressBar::SetPosition,
                                      0)
            .Bool<TAdvProgressBar>("ShowPercentage", &TAdvProgressBar::ShowPercentage,
                                   &TAdvProgressBar::SetShowPercentage, true);
    return info;
}

TAdvProgressBar::TAdvProgressBar(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 150, 18);
    Font()->SetHeight(-kDesignTextHeight);
    SetComponentStyle(tsLight);
}

void TAdvProgressBar::SetMin(int Value) {
    m_min = Value;
    m_max = std::max(m_max, m_min);
    SetPosition(m_position);
    Invalidate();
}

void TAdvProgressBar::SetMax(int Value) {
    m_max = Value;
    m_min = std::min(m_min, m_max);
    SetPosition(m_position);
    Invalidate();
}

void TAdvProgressBar::SetPosition(int Value) {
    m_position = std::clamp(Value, m_min, m_max);
    Invalidate();
}

void TAdvProgressBar::SetShowPercentage(bool Value) {
    m_showPercentage = Value;
    Invalidate();
}

TRect TAdvProgressBar::FilledRect() const {
    const TRect client = ClientRect();
    const long long range = static_cast<long long>(m_max) - m_min;
    const long long done = static_cast<long long>(m_position) - m_min;
    const int width = range > 0 ? static_cast<int>(done * (client.Width() - 2) / range) : 0;
    return Rect(client.Left + 1, client.Top + 1, client.Left + 1 + width, client.Bottom - 1);
}

void TAdvProgressBar::SetComponentStyle(TTMSStyle AStyle) {
    m_style = AStyle;
    SetColor(TMSStyleColors(AStyle).Face);
    Invalidate();
}

void TAdvProgressBar::CorrectForScreenResolucao(float Scale) {
    Font()->SetHeight(
        -std::max(1, static_cast<int>(RoundHalfEven(kDesignTextHeight * static_cast<double>(Scale)))));
    Invalidate();
}

void TAdvProgressBar::Paint() {
    TCanvas& canvas = *Canvas();
    const TTMSStyleColors& colors = TMSStyleColors(m_style);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(colors.Border);
    canvas.FrameRect(ClientRect());
    canvas.Brush()->SetColor(colors.Selected);
    canvas.FillRect(FilledRect());
    if (!m_showPercentage)
        return;
    const long long range = static_cast<long long>(m_max) - m_min;
    const int percent =
        range > 0 ? static_cast<int>((static_cast<long long>(m_position) - m_min) * 100 / range) : 0;
    canvas.Font()->Assign(Font());
    canvas.Brush()->SetStyle(bsClear);
    // The figure straddles the bar: over the filled part it is drawn in the selected text
    // colour, over the rest in the text colour, so it reads on both.
    const std::string figure = Format("%d%%", {percent});
    const TRect filled = FilledRect();
    const TRect client = ClientRect();
    const TRect parts[] = {filled, Rect(filled.Right, client.Top, client.Right, client.Bottom)};
    const TColor colours[] = {colors.SelectedText, colors.Text};
    for (int i = 0; i < 2; ++i) {
        if (parts[i].Right <= parts[i].Left)
            continue;
        const TCanvasStateSaver saved(canvas);
        canvas.IntersectClipRect(parts[i]);
        canvas.Font()->SetColor(colours[i]);
        TRect r = client;
        DrawText(canvas, figure, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

}  // namespace vendor
