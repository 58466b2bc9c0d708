#include "vendor/AdvFormStyler.h"

namespace vendor {

using namespace framework;

const TClassInfo& TAdvFormStyler::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TAdvFormStyler, TComponent>("TAdvFormStyler")
            .Enum<TAdvFormStyler>("Style",
                                  {"tsLight", "tsBlue", "tsSilver", "tsOlive", "tsDark", "tsHighContrast"},
                                  &TAdvFormStyler::Style, &TAdvFormStyler::SetStyle, tsLight);
    return info;
}

TAdvFormStyler::TAdvFormStyler(TComponent* AOwner) : TComponent(AOwner) {}

void TAdvFormStyler::SetStyle(TTMSStyle Value) {
    if (Value == m_style)
        return;
    m_style = Value;
    // While a form description is read, the components are styled once it is loaded.
    if (!HasState(csLoading) && Owner())
        StyleComponents(Owner());
    if (OnChange)
        OnChange(this);
}

void TAdvFormStyler::Loaded() {
    TComponent::Loaded();
    if (Owner())
        StyleComponents(Owner());
}

void TAdvFormStyler::StyleComponents(TComponent* Container) {
    // A styled component may create or free others; re-read the count every time round.
    for (int i = 0; i < Container->ComponentCount(); ++i) {
        TComponent* c = Container->Components(i);
        if (ITMSStyle* styled = SupportsTMSStyle(c))
            styled->SetComponentStyle(m_style);
        if (c != this)
            StyleComponents(c);
    }
}

}  // namespace vendor
