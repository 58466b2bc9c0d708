#include "controls/StyledListbox.h"

#include "framework/controls/FileCtrl.h"
#include "framework/graphics/ColorProp.h"
#include "framework/rtl/FloatConv.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/IntConv.h"
#include "framework/rtl/Rounding.h"
#include "sibling/Generalruntime2const.h"
#include "sibling/Rtl_and_ltr_painting.h"
#include "sibling/Tms_utils.h"

namespace lm7 {

using namespace framework;

namespace {
// Colour properties that are always written when a form is stored: they have no default.
template <class T, class G, class S> TPropInfo storedColour(std::string name, G getter, S setter) {
    TPropInfo info = ColorProperty<T>(std::move(name), getter, setter, clNone);
    info.Default.reset();
    return info;
}
}  // namespace

const TClassInfo& TStyledListbox::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TStyledListbox, TCustomListBox>("TStyledListbox")
            .Property(storedColour<TStyledListbox>("_SelectedColour", &TStyledListbox::_SelectedColour,
                                                   &TStyledListbox::Set_SelectedColour))
            .Property(storedColour<TStyledListbox>("_SelectedTextColour",
                                                   &TStyledListbox::_SelectedTextColour,
                                                   &TStyledListbox::Set_SelectedTextColour))
            .Bool<TStyledListbox>("Show_Values", &TStyledListbox::Show_Values, &TStyledListbox::SetShowValues)
            .Integer<TStyledListbox>("MaxWidthOfStrings", &TStyledListbox::MaxWidthOfStrings,
                                     &TStyledListbox::SetMaxWidthOfStrings)
            .Property(storedColour<TStyledListbox>("_BackgroundColour", &TStyledListbox::_BackgroundColour,
                                                   &TStyledListbox::Set_BackgroundColour))
            .Property(storedColour<TStyledListbox>("_TextColour", &TStyledListbox::_TextColour,
                                                   &TStyledListbox::Set_TextColour));
    return info;
}

TStyledListbox::TStyledListbox(TComponent* AOwner) : TCustomListBox(AOwner) {
    SetStyle(lbOwnerDrawFixed);
    OnDrawItem = TDrawItemEvent::Of<&TStyledListbox::StandardDrawItem>(this);
}

// The first style is taken through the virtual call, so a descendant's override is reached.
void TStyledListbox::AfterConstruction() {
    TCustomListBox::AfterConstruction();
    SetComponentStyle(static_cast<vendor::TTMSStyle>(0));
}

void TStyledListbox::SetComponentStyle(vendor::TTMSStyle AStyle) {
    fTextColour = sibling::GetABaseTMSTextColour(AStyle);
    fNormalBack = sibling::GetABaseTMSBackgroundColour(AStyle);
    SetColor(fNormalBack);
    fSelectionColour = sibling::GetABaseTMSHighlightBackgroundColour(AStyle);
    fSelectionTextColour = sibling::GetABaseTMSHighlightedTextColour(AStyle);
    SetScrollBarColors(sibling::GetABaseTMSScrollBarColours(AStyle));
    Invalidate();
}

void TStyledListbox::SetShowValues(bool Value) {
    fShowValues = Value;
    Invalidate();
}

void TStyledListbox::MySetItemHeight() { SetItemHeight((Canvas()->TextHeight("gh") * 5) / 4); }

void TStyledListbox::CorrectForScreenResolucao(float) {
    SetParentFont(true);
    MySetItemHeight();
}

void TStyledListbox::StandardDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState State) {
    if (Index < 0 || Index >= Items()->Count())
        return;
    TCanvas& canvas = *Canvas();
    int value = kNoValue;
    std::string text;
    if (fOnGetStringAndInt) {
        sibling::TStringAndIntegerRec rec;
        fOnGetStringAndInt(this, Index, rec);
        text = rec.S;
        value = rec.I;
    } else {
        text = Items()->Strings(Index);
        if (fShowValues)
            value = static_cast<int>(TStrings::ObjectToInt(Items()->Objects(Index)));
    }

    const bool selected = (State & odSelected) != 0;
    canvas.Brush()->SetColor(selected ? fSelectionColour : fNormalBack);
    canvas.Font()->SetColor(selected ? fSelectionTextColour : fTextColour);
    canvas.FillRect(Rect);

    const int fullWidth = canvas.TextWidth(text);
    if (fullWidth > max_width_of_strings)
        max_width_of_strings = fullWidth;
    const std::string shown = MinimizeName(text, canvas, Rect.Right - Rect.Left);

    int asInteger = 0;
    if (TryStrToInt(shown, asInteger)) {
        DrawAnInteger(asInteger, Rect);  // a number stands for itself; the item's value is not shown
    } else if (sibling::IsANumber(shown)) {
        DrawAFloat(StrToFloat(shown), Rect);
    } else {
        sibling::EllipsisOutputALine(canvas.Handle(), shown, Rect, canvas.TextWidth(shown));
        if (value != kNoValue)
            DrawAnInteger(value, Rect);
    }

    // Below the last item nothing else paints: clear the strip so no stale pixels remain.
    if (Index == Items()->Count() - 1 && Rect.Bottom < Height()) {
        canvas.Brush()->SetColor(Color());
        canvas.Pen()->SetColor(Color());
        canvas.Rectangle(Rect.Left, Rect.Bottom, Rect.Right, Height());
    }
}

void TStyledListbox::PaintRightAligned(const std::string& Text, TRect Rect) {
    TCanvas& canvas = *Canvas();
    const int x = Rect.Right - canvas.TextWidth(Text + ".");
    canvas.TextOut(x, Rect.Top, Text);
}

void TStyledListbox::DrawAnInteger(int Value, TRect Rect) {
    if (Value == kNoValue)
        return;
    PaintRightAligned(
        Value == kNotApplicable ? std::string(sibling::_LMNonApplicable) : Format("%d", {Value}), Rect);
}

void TStyledListbox::DrawAFloat(double Value, TRect Rect) {
    PaintRightAligned(Format("%.2n", {Value}), Rect);
}

// --- TStyledListboxOwnerDrawnFixed -------------------------------------------------------------

const TClassInfo& TStyledListboxOwnerDrawnFixed::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TStyledListboxOwnerDrawnFixed, TStyledListbox>("TStyledListboxOwnerDrawnFixed");
    return info;
}

TStyledListboxOwnerDrawnFixed::TStyledListboxOwnerDrawnFixed(TComponent* AOwner) : TStyledListbox(AOwner) {
    OnMeasureItem = TMeasureItemEvent::Of<&TStyledListboxOwnerDrawnFixed::MyMeasureItem>(this);
    SetStyle(lbOwnerDrawFixed);
}

void TStyledListboxOwnerDrawnFixed::CreateWnd() {
    TStyledListbox::CreateWnd();
    MySetItemHeight();
}

void TStyledListboxOwnerDrawnFixed::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
    if (OnDrawItem)
        OnDrawItem(this, Index, Rect, State);
    else
        StandardDrawItem(this, Index, Rect, State);
}

void TStyledListboxOwnerDrawnFixed::MyMeasureItem(TWinControl*, int, int& Height) {
    Height = static_cast<int>(RoundHalfEven(Canvas()->TextHeight("Yg") * 1.2));
}

}  // namespace lm7
