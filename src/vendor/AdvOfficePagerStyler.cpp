#include "vendor/AdvOfficePagerStyler.h"

#include "framework/graphics/ColorProp.h"
#include "vendor/AdvOfficePager.h"

#include <algorithm>

namespace vendor {

using namespace framework;

namespace {
// A quarter of the way from Face to Toward.
TColor Tinted(TColor Face, TColor Toward) {
    auto channel = [](int f, int t) { return f + (t - f) / 4; };
    return RGB(channel(GetRValue(Face), GetRValue(Toward)), channel(GetGValue(Face), GetGValue(Toward)),
               channel(GetBValue(Face), GetBValue(Toward)));
}
}  // namespace

TAdvOfficePagerColors PagerColorsOfStyle(TTMSStyle AStyle) {
    const TTMSStyleColors& c = TMSStyleColors(AStyle);
    return {c.Face, c.Selected, Tinted(c.Face, c.Selected), c.Border, c.Text, c.SelectedText};
}

const TClassInfo& TAdvOfficePagerStyler::ClassInfo() {
    using S = TAdvOfficePagerStyler;
    static const TAdvOfficePagerColors light = PagerColorsOfStyle(tsLight);
    static const TClassInfo info =
        TClassInfo::Derive<S, TComponent>("TAdvOfficePagerStyler")
            .Property(ColorProperty<S>("BorderColor", &S::BorderColor, &S::SetBorderColor, light.Border))
            .Property(ColorProperty<S>("GlowColor", &S::GlowColor, &S::SetGlowColor, light.Glow))
            .Property(ColorProperty<S>("TabColor", &S::TabColor, &S::SetTabColor, light.Tab))
            .Property(ColorProperty<S>("TabColorSelected", &S::TabColorSelected, &S::SetTabColorSelected,
                                       light.TabSelected))
            .Property(ColorProperty<S>("TextColor", &S::TextColor, &S::SetTextColor, light.Text))
            .Property(ColorProperty<S>("TextColorSelected", &S::TextColorSelected, &S::SetTextColorSelected,
                                       light.TextSelected));
    return info;
}

TAdvOfficePagerStyler::TAdvOfficePagerStyler(TComponent* AOwner)
    : TComponent(AOwner), m_colors(PagerColorsOfStyle(tsLight)) {}

TAdvOfficePagerStyler::~TAdvOfficePagerStyler() {
    // The pagers were told through FreeNotification; none may still point here.
    for (TAdvOfficePager* pager : std::vector<TAdvOfficePager*>(m_pagers))
        pager->SetAdvOfficePagerStyler(nullptr);
}

void TAdvOfficePagerStyler::SetComponentStyle(TTMSStyle AStyle) {
    m_colors = PagerColorsOfStyle(AStyle);
    Changed();
}

void TAdvOfficePagerStyler::Change(TColor& Field, TColor Value) {
    if (Field == Value)
        return;
    Field = Value;
    Changed();
}

void TAdvOfficePagerStyler::Changed() {
    for (TAdvOfficePager* pager : m_pagers)
        pager->Invalidate();
}

}  // namespace vendor
