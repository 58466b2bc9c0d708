#include "vendor/AdvMenuStyler.h"

#include "framework/controls/DrawText.h"
#include "framework/rtl/Rounding.h"

#include <algorithm>

namespace vendor {

using namespace framework;

namespace {
constexpr int kDesignItemHeight = 22;
constexpr int kSeparatorHeight = 7;
constexpr int kTextPadding = 8;
}  // namespace

const TClassInfo& TCustomAdvMenuStyler::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TCustomAdvMenuStyler, TComponent>("TCustomAdvMenuStyler")
            .Integer<TCustomAdvMenuStyler>("ItemHeight", &TCustomAdvMenuStyler::ItemHeight,
                                           &TCustomAdvMenuStyler::SetItemHeight, kDesignItemHeight);
    return info;
}

const TClassInfo& TAdvMenuStyler::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TAdvMenuStyler, TCustomAdvMenuStyler>("TAdvMenuStyler");
    return info;
}

TCustomAdvMenuStyler::TCustomAdvMenuStyler(TComponent* AOwner)
    : TComponent(AOwner), m_itemHeight(kDesignItemHeight) {}

void TCustomAdvMenuStyler::SetItemHeight(int Value) {
    if (Value > 0)
        m_itemHeight = Value;
}

void TCustomAdvMenuStyler::CorrectForScreenResolucao(float Scale) {
    SetItemHeight(static_cast<int>(RoundHalfEven(kDesignItemHeight * static_cast<double>(Scale))));
}

TPoint TCustomAdvMenuStyler::MenuExtent(TMenuItem* Item, TCanvas& Canvas) const {
    int width = 0, height = 0;
    for (int i = 0; i < Item->Count(); ++i) {
        const TMenuItem* sub = Item->Items(i);
        height += sub->IsLine() ? kSeparatorHeight : m_itemHeight;
        if (!sub->IsLine())
            width = std::max(width, Canvas.TextWidth(sub->Caption()));
    }
    return Point(m_itemHeight + 2 * kTextPadding + width + 2, height + 2);
}

void TCustomAdvMenuStyler::PaintMenu(TMenuItem* Item, TCanvas& Canvas, int X, int Y, int Selected) const {
    const TTMSStyleColors& colors = TMSStyleColors(m_style);
    const TPoint extent = MenuExtent(Item, Canvas);
    const TCustomImageList* images = Item->GetImageList();
    TCanvasStateSaver saved(Canvas);
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(colors.Face);
    Canvas.FillRect(Bounds(X, Y, extent.X, extent.Y));
    Canvas.Brush()->SetColor(colors.Border);
    Canvas.FrameRect(Bounds(X, Y, extent.X, extent.Y));
    int top = Y + 1;
    for (int i = 0; i < Item->Count(); ++i) {
        const TMenuItem* sub = Item->Items(i);
        if (sub->IsLine()) {
            Canvas.Brush()->SetColor(colors.Border);
            Canvas.FillRect(Rect(X + m_itemHeight + 2, top + kSeparatorHeight / 2, X + extent.X - 2,
                                 top + kSeparatorHeight / 2 + 1));
            top += kSeparatorHeight;
            continue;
        }
        const TRect row = Rect(X + 1, top, X + extent.X - 1, top + m_itemHeight);
        const bool selected = i == Selected;
        Canvas.Brush()->SetStyle(bsSolid);
        Canvas.Brush()->SetColor(selected ? colors.Selected : colors.Face);
        Canvas.FillRect(row);
        if (images && sub->ImageIndex() >= 0 && sub->ImageIndex() < images->Count())
            images->Draw(&Canvas, row.Left + (m_itemHeight - images->Width()) / 2,
                         row.Top + (m_itemHeight - images->Height()) / 2, sub->ImageIndex());
        Canvas.Brush()->SetStyle(bsClear);
        Canvas.Font()->SetColor(selected ? colors.SelectedText : colors.Text);
        TRect text = row;
        text.Left += m_itemHeight + kTextPadding;
        DrawText(Canvas, sub->Caption(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        top += m_itemHeight;
    }
}

}  // namespace vendor
