#pragma once
// The pack's pager styler: a non-visual component that holds the colours office pagers paint
// their tabs with. Several pagers may share one; a change of colour (or of style, through
// ITMSStyle) repaints every pager that uses it.

#include "framework/classes/Component.h"
#include "framework/graphics/Colors.h"
#include "vendor/Advstyleif.h"

#include <vector>

namespace vendor {

class TAdvOfficePager;

// What a pager's tabs are painted with: the face of a tab, of the active tab and of the tab
// under the mouse, the tab border, the caption on a tab and on the active tab.
struct TAdvOfficePagerColors {
    framework::TColor Tab;
    framework::TColor TabSelected;
    framework::TColor Glow;
    framework::TColor Border;
    framework::TColor Text;
    framework::TColor TextSelected;
};
// The colours of a style.
TAdvOfficePagerColors PagerColorsOfStyle(TTMSStyle AStyle);

class TAdvOfficePagerStyler : public framework::TComponent, public ITMSStyle {
public:
    explicit TAdvOfficePagerStyler(framework::TComponent* AOwner);
    ~TAdvOfficePagerStyler() override;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    const TAdvOfficePagerColors& Colors() const { return m_colors; }
    framework::TColor TabColor() const { return m_colors.Tab; }
    void SetTabColor(framework::TColor Value) { Change(m_colors.Tab, Value); }
    framework::TColor TabColorSelected() const { return m_colors.TabSelected; }
    void SetTabColorSelected(framework::TColor Value) { Change(m_colors.TabSelected, Value); }
    framework::TColor GlowColor() const { return m_colors.Glow; }
    void SetGlowColor(framework::TColor Value) { Change(m_colors.Glow, Value); }
    framework::TColor BorderColor() const { return m_colors.Border; }
    void SetBorderColor(framework::TColor Value) { Change(m_colors.Border, Value); }
    framework::TColor TextColor() const { return m_colors.Text; }
    void SetTextColor(framework::TColor Value) { Change(m_colors.Text, Value); }
    framework::TColor TextColorSelected() const { return m_colors.TextSelected; }
    void SetTextColorSelected(framework::TColor Value) { Change(m_colors.TextSelected, Value); }

    // Takes every colour of the style.
    void SetComponentStyle(TTMSStyle AStyle) override;

private:
    friend class TAdvOfficePager;
    void Change(framework::TColor& Field, framework::TColor Value);
    void Changed();

    TAdvOfficePagerColors m_colors;
    std::vector<TAdvOfficePager*> m_pagers;  // not owned; each pager leaves as it goes
};

}  // namespace vendor
