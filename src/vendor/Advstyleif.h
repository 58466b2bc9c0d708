#pragma once
// The vendor pack's colour styles and the interface by which a control takes a style.

#include "framework/classes/Object.h"
#include "framework/graphics/Colors.h"

#include <cstdint>
#include <string_view>

namespace vendor {

// The colour styles of the suite. Ordinal 0 is the style every styled control starts with.
enum TTMSStyle : std::uint8_t { tsLight, tsBlue, tsSilver, tsOlive, tsDark, tsHighContrast };
inline constexpr int kTMSStyleCount = 6;

// The style's name as a user sees it in a style menu ("Light", "Dark", ...).
std::string_view TMSStyleName(TTMSStyle AStyle);

// The colours the pack's own controls (tab sets, pagers, progress bars, buttons, menus) paint
// with in a style: the face behind tabs and bars, its border, the selected tab or filled part,
// and the text on the face and on the selected part.
struct TTMSStyleColors {
    framework::TColor Face;
    framework::TColor Border;
    framework::TColor Selected;
    framework::TColor Text;
    framework::TColor SelectedText;
};
const TTMSStyleColors& TMSStyleColors(TTMSStyle AStyle);

// The interface {11AC2DDC-C087-4298-AB6E-EA1B5017511B}: a control that recolours itself for
// a style. A form's styler hands the style on to every control that implements it.
class ITMSStyle {
public:
    static constexpr std::string_view IID = "{11AC2DDC-C087-4298-AB6E-EA1B5017511B}";
    virtual ~ITMSStyle() = default;
    virtual void SetComponentStyle(TTMSStyle AStyle) = 0;
};

// The object's style interface, or null when it has none (the classic Supports).
inline ITMSStyle* SupportsTMSStyle(framework::TObject* Obj) { return dynamic_cast<ITMSStyle*>(Obj); }

}  // namespace vendor
