#pragma once
// The owner-drawn list box of the suite's tool windows: each item a text at the left,
// shortened to fit, and an optional value right-aligned at the right edge; texts that are
// numbers are painted as right-aligned numbers. Its colours follow the suite's style.

#include "framework/controls/ListBox.h"
#include "sibling/Basic_types.h"
#include "vendor/Advstyleif.h"

namespace lm7 {

using framework::TColor;
using framework::TOwnerDrawState;
using framework::TRect;

// An item value that paints nothing, and one that paints the not-applicable text.
inline constexpr int kNoValue = -999998;
inline constexpr int kNotApplicable = -999999;

// Column layout record offered to the list box's users.
struct TColumnInfoRec {
    framework::TAlignment Alignment = framework::taLeftJustify;
    int Left = 0;
    int Width = 0;
};

class TStyledListbox : public framework::TCustomListBox, public vendor::ITMSStyle {
public:
    explicit TStyledListbox(framework::TComponent* AOwner);
    void AfterConstruction() override;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessibleItem(int Index, framework::TAccessible& A) const override;

    // Takes the style's text, background and selection colours, then repaints.
    virtual void SetComponentStyle(vendor::TTMSStyle AStyle) override;

    sibling::TOnGetStringAndInt OnGetStringAndInt() const { return fOnGetStringAndInt; }
    void SetOnGetStringAndInt(sibling::TOnGetStringAndInt Value) { fOnGetStringAndInt = Value; }
    TColor _SelectedColour() const { return fSelectionColour; }
    void Set_SelectedColour(TColor Value) { fSelectionColour = Value; }
    TColor _SelectedTextColour() const { return fSelectionTextColour; }
    void Set_SelectedTextColour(TColor Value) { fSelectionTextColour = Value; }
    bool Show_Values() const { return fShowValues; }
    void SetShowValues(bool Value);
    // The widest item text painted so far, before shortening; the host may reset it.
    int MaxWidthOfStrings() const { return max_width_of_strings; }
    void SetMaxWidthOfStrings(int Value) { max_width_of_strings = Value; }
    TColor _BackgroundColour() const { return fNormalBack; }
    void Set_BackgroundColour(TColor Value) { fNormalBack = Value; }
    TColor _TextColour() const { return fTextColour; }
    void Set_TextColour(TColor Value) { fTextColour = Value; }

    // ItemHeight := (text height of "gh" * 5) div 4.
    void MySetItemHeight();
    // Takes the parent's font again and sets the item height from it; the scale is not used.
    void CorrectForScreenResolucao(float Scale);

    // Paints one item on the list box's own canvas (Control is not used).
    void StandardDrawItem(framework::TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    // Paints Value right-aligned, ending one "." short of the right edge.
    void DrawAnInteger(int Value, TRect Rect);
    // Paints Value with two decimals and the locale's separators, right-aligned.
    void DrawAFloat(double Value, TRect Rect);

protected:
    bool fShowValues = false;
    TColor fSelectionColour = framework::clHighlight;
    TColor fSelectionTextColour = framework::clHighlightText;
    TColor fNormalBack = framework::clWindow;
    TColor fTextColour = framework::clWindowText;

private:
    void PaintRightAligned(const std::string& Text, TRect Rect);

    sibling::TOnGetStringAndInt fOnGetStringAndInt;
    int max_width_of_strings = 0;
};

// The same painting even when the draw event is cleared, and an item height of its own each
// time its window is created.
class TStyledListboxOwnerDrawnFixed : public TStyledListbox {
public:
    explicit TStyledListboxOwnerDrawnFixed(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    // Height := round(text height of "Yg" * 1.2); used only with variable item heights.
    void MyMeasureItem(framework::TWinControl* Control, int Index, int& Height);

protected:
    void CreateWnd() override;
    void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
};

}  // namespace lm7
