#include "controls/ColourListBoxesAndCombos.h"

#include "framework/classes/Palette.h"
#include "framework/controls/DrawText.h"
#include "framework/forms/Application.h"
#include "framework/graphics/ColorProp.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/Rounding.h"
#include "framework/rtl/StrUtils.h"
#include "sibling/Colour_utils.h"
#include "sibling/Tms_utils.h"
#include "vendor/Monitor_functions.h"

#include <algorithm>

namespace lm7 {

using namespace framework;

// --- Table routines ---------------------------------------------------------------------------

const TColorArray& ActiveColourArray(bool UseShared, const TColorArray& OwnArray) {
    return UseShared ? sibling::MyColourArray : OwnArray;
}

int ValueOfAColour(int Index, bool UseShared, const TColorArray& OwnArray) {
    const TColorArray& table = ActiveColourArray(UseShared, OwnArray);
    return Index >= 0 && Index < static_cast<int>(table.size()) ? table[static_cast<std::size_t>(Index)].Value
                                                                : 0;
}

std::string NameOfAColour(int Index, bool UseShared, const TColorArray& OwnArray) {
    const TColorArray& table = ActiveColourArray(UseShared, OwnArray);
    return Index >= 0 && Index < static_cast<int>(table.size()) ? table[static_cast<std::size_t>(Index)].Name
                                                                : std::string();
}

int IndexOfAColour(TColor Colour, bool UseShared, const TColorArray& OwnArray) {
    const TColorArray& table = ActiveColourArray(UseShared, OwnArray);
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].Value == Colour)
            return static_cast<int>(i);
    return sibling::NearestColourIndex(Colour, table);
}

void SortAColourArray(bool UseShared, TColorArray& OwnArray, TColorArraySortType SortType) {
    TColorArray& table = UseShared ? sibling::MyColourArray : OwnArray;
    SortColorArray(table, 0, static_cast<int>(table.size()) - 1, SortType, false);
}

void ChangeSharing(bool Value, bool& UsesShared, TColorArray& OwnArray) {
    if (Value == UsesShared)
        return;
    UsesShared = Value;
    if (!Value)
        OwnArray = sibling::MyColourArray;
}

// --- TColourSharingListbox --------------------------------------------------------------------

const TClassInfo& TColourSharingListbox::ClassInfo() {
    static const TClassInfo info = [] {
        TPropInfo defaultColour =
            ColorProperty<TColourSharingListbox>("DefaultColour", &TColourSharingListbox::DefaultColour,
                                                 &TColourSharingListbox::SetDefaultColour, clNone);
        defaultColour.Default.reset();  // always stored
        // The list paints its entries itself, always as a virtual owner-drawn list as long as
        // the colour table: it keeps every property of the list box but its colour, its style
        // and its count, which the window sets.
        std::vector<std::string> inherited;
        for (const TPropInfo* prop : TCustomListBox::ClassInfo().Props())
            if (!SameText(prop->Name, "Color") && !SameText(prop->Name, "Style") &&
                !SameText(prop->Name, "Count"))
                inherited.push_back(prop->Name);
        return TClassInfo::Derive<TColourSharingListbox, TCustomListBox>("TColourSharingListbox")
            .Publishing(std::move(inherited))
            .SetOf<TColourSharingListbox>("ShowText", {"ts_index", "ts_hex", "ts_description"},
                                          &TColourSharingListbox::ShowText,
                                          &TColourSharingListbox::SetShowText)
            .Property(std::move(defaultColour));
    }();
    return info;
}

TColourSharingListbox::TColourSharingListbox(TComponent* AOwner) : TCustomListBox(AOwner) {
    SetWidth(80);
    SetHeight(70);
}

TColourSharingListbox::~TColourSharingListbox() { fOwnArray.clear(); }

void TColourSharingListbox::CreateWnd() {
    TCustomListBox::CreateWnd();
    OnDrawItem = TDrawItemEvent::Of<&TColourSharingListbox::MyDrawItem>(this);
    SetStyle(lbVirtualOwnerDraw);
    SetParentFont(true);
    // The shared table's length, also while the own table is active.
    SetCount(static_cast<int>(sibling::MyColourArray.size()));
    if (m_loadedColour && !HasState(csLoading))
        SetASelected(*m_loadedColour);
}

void TColourSharingListbox::CorrectForScreenResolucao(float aFontScale) {
    const int ppi = Screen->PixelsPerInch();
    if (currentFontScale == aFontScale && current_PPI == ppi)
        return;
    currentFontScale = aFontScale;
    current_PPI = ppi;
    SetItemHeight(static_cast<int>(RoundHalfEven(vendor::ScreenScaled(16, aFontScale))));
}

std::string TColourSharingListbox::SelectedColourName() const {
    return NameOfAColour(ItemIndex(), fUsesSharedArray, fOwnArray);
}

bool TColourSharingListbox::Sorted() const {
    return !sibling::MyColourArray.empty() && sibling::MyColourArray[0].Value != WebNamedColors()[0].Value;
}

void TColourSharingListbox::SortTheColours(TColorArraySortType method) {
    SortAColourArray(fUsesSharedArray, fOwnArray, method);
    Repaint();
}

int TColourSharingListbox::GetAColour(int Index) const {
    return ValueOfAColour(Index, fUsesSharedArray, fOwnArray);
}
int TColourSharingListbox::GetASelected() const {
    return m_loadedColour ? *m_loadedColour : GetAColour(ItemIndex());
}
void TColourSharingListbox::SetASelected(int Colour) {
    // The entries exist once the window does; without a parent there is none yet, and the
    // colour waits for it.
    if (HasState(csLoading) || (!HandleAllocated() && !Parent())) {
        m_loadedColour = Colour;
        return;
    }
    m_loadedColour.reset();
    HandleNeeded();
    SetItemIndex(IndexOfAColour(Colour, fUsesSharedArray, fOwnArray));
}
void TColourSharingListbox::Loaded() {
    TCustomListBox::Loaded();
    if (m_loadedColour)
        SetASelected(*m_loadedColour);
}

void TColourSharingListbox::SetUseSharedArray(bool Value) {
    ChangeSharing(Value, fUsesSharedArray, fOwnArray);
}

void TColourSharingListbox::SetShowText(TShowHexOrDescriptionSet Value) {
    if (Value == fShowText)
        return;
    fShowText = Value;
    Repaint();
}

void TColourSharingListbox::SetComponentStyle(vendor::TTMSStyle AStyle) {
    fTextColour = sibling::GetABaseTMSTextColour(AStyle);
    fBackgroundColour = sibling::GetABaseTMSBackgroundColour(AStyle);
    fSelectedText = sibling::GetABaseTMSHighlightedTextColour(AStyle);
    fSelectedBackgound = sibling::GetABaseTMSHighlightBackgroundColour(AStyle);
    SetScrollBarColors(sibling::GetABaseTMSScrollBarColours(AStyle));
    Invalidate();
}

void TColourSharingListbox::MyDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState State) {
    const TColorArray& table = ActiveColourArray(fUsesSharedArray, fOwnArray);
    if (Index < 0 || Index >= Count() || Index >= static_cast<int>(table.size()))
        return;
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetStyle(bsSolid);
    const int w = canvas.TextWidth("M");
    // The marker: a small circle centred in the free strip at the left of the item.
    const int diameter = std::max(std::min(w, Rect.Height()) - 4, 3);
    const TRect marker =
        Bounds(Rect.Left + (w - diameter) / 2, Rect.Top + (Rect.Height() - diameter) / 2, diameter, diameter);
    canvas.Font()->SetColor(fTextColour);
    canvas.Brush()->SetColor(fBackgroundColour);
    canvas.FillRect(Rect);
    if (State & (odSelected | odFocused)) {
        canvas.Font()->SetColor(fSelectedText);
        canvas.Brush()->SetColor(fSelectedBackgound);
        canvas.FillRect(Rect);
    }
    TRect work = Rect;
    work.Left += w;
    const TIdentMapEntry& entry = table[static_cast<std::size_t>(Index)];
    if (entry.Value == fDefaultColour) {
        canvas.Brush()->SetColor(GetHighLightColor(fSelectedBackgound, 19));
        canvas.Ellipse(marker);
    }
    canvas.Brush()->SetColor(entry.Value);
    work.Inflate(-1, -1);
    work.Right = work.Left + std::min(canvas.TextWidth("99999999"), ClientWidth() / 4);
    canvas.FillRect(work);
    std::string text;
    if (fShowText & (1u << ts_index))
        text = Format("%.3d", {Index + 1});
    if (fShowText & (1u << ts_hex)) {
        if (!text.empty())
            text += ' ';
        text += Format("%.8x", {entry.Value});
    }
    if (fShowText & (1u << ts_description)) {
        if (!text.empty())
            text += ' ';
        text += Format("%s", {entry.Name});
    }
    canvas.Brush()->SetStyle(bsClear);
    if (!text.empty())
        canvas.TextOut(work.Right + w, Rect.Top + 2, text);
}

// --- TColourSharingCombo ----------------------------------------------------------------------

TColor SwatchFrameColour(TColor Rgb, TOwnerDrawState State) {
    if (GetRValue(Rgb) > 192 || GetGValue(Rgb) > 192 || GetBValue(Rgb) > 192)
        return clBlack;
    if (State & odSelected)
        return clWhite;
    return Rgb;
}

const TClassInfo& TColourSharingCombo::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TColourSharingCombo, TCustomColorBox>("TColourSharingCombo")
            .Bool<TColourSharingCombo>("LabelAlwaysEnabled", &TColourSharingCombo::LabelAlwaysEnabled,
                                       &TColourSharingCombo::SetLabelAlwaysEnabled, false)
            .String<TColourSharingCombo>("LabelCaption", &TColourSharingCombo::GetLabelCaption,
                                         &TColourSharingCombo::SetLabelCaption)
            .Enum<TColourSharingCombo>(
                "LabelPosition",
                {"lpLeftTop", "lpLeftCenter", "lpLeftBottom", "lpTopLeft", "lpBottomLeft", "lpLeftTopLeft",
                 "lpLeftCenterLeft", "lpLeftBottomLeft", "lpTopCenter", "lpBottomCenter"},
                &TColourSharingCombo::LabelPosition, &TColourSharingCombo::SetLabelPosition, lpLeftTop)
            .Integer<TColourSharingCombo>("LabelMargin", &TColourSharingCombo::LabelMargin,
                                          &TColourSharingCombo::SetLabelMargin, 4)
            .Bool<TColourSharingCombo>("LabelTransparent", &TColourSharingCombo::LabelTransparent,
                                       &TColourSharingCombo::SetLabelTransparent, false)
            .Object<TColourSharingCombo, TFont>("LabelFont", &TColourSharingCombo::LabelFont,
                                                &TColourSharingCombo::SetLabelFont);
    return info;
}

TColourSharingCombo::TColourSharingCombo(TComponent* AOwner)
    : TCustomColorBox(AOwner), FLabelFont(Create<TFont>()) {
    FLabelFont->OnChange = TNotifyEvent::Of<&TColourSharingCombo::LabelFontChange>(this);
}

TColourSharingCombo::~TColourSharingCombo() {
    FreeAndNil(FLabel);
    FLabelFont->OnChange = nullptr;
    FLabelFont.reset();
    fOwnArray.clear();
}

void TColourSharingCombo::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomColorBox::Notification(AComponent, Operation);
    // The label goes with its parent window when that is freed before the combo.
    if (Operation == TOperation::opRemove && AComponent == FLabel)
        FLabel = nullptr;
}

void TColourSharingCombo::CreateWnd() {
    // A selection made before the entries existed: the base list's entries are replaced below,
    // so it is applied to the table's entries at the end.
    const std::optional<int> pendingIndex = PendingItemIndex();
    const std::optional<int> pendingColour = m_loadedColour;
    TCustomColorBox::CreateWnd();
    SetParentFont(true);
    // The handler goes in before the style asks for it, so a handler assigned earlier is
    // never asked; the list is built through GetColours either way.
    OnGetColors = TGetColorsEvent::Of<&TColourSharingCombo::GetColours>(this);
    const TColorBoxStyles custom = ColorBoxStyles({cbCustomColors});
    if (Style() == custom)
        PopulateList();
    else
        SetStyle(custom);
    if (HasState(csLoading)) {
        m_loadedColour = pendingColour;  // Loaded applies what the description gave
        return;
    }
    if (pendingColour)
        SetSelected(*pendingColour);
    else if (pendingIndex)
        SetItemIndex(*pendingIndex);
}

void TColourSharingCombo::SetItemIndex(int Value) {
    // The latest choice wins over a colour that still waits for the entries.
    if (!HasState(csLoading))
        m_loadedColour.reset();
    TCustomColorBox::SetItemIndex(Value);
}

void TColourSharingCombo::GetColours(TCustomColorBox*, TStrings* Items) {
    Items->Clear();
    for (std::size_t i = 0; i < sibling::MyColourArray.size(); ++i)
        Items->Add(" ");
}

void TColourSharingCombo::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
    const TColorArray& table = ActiveColourArray(fUsesSharedArray, fOwnArray);
    if (Index < 0 || Index >= static_cast<int>(table.size()))
        return;
    const TIdentMapEntry& entry = table[static_cast<std::size_t>(Index)];
    TCanvas& canvas = *Canvas();
    canvas.FillRect(Rect);
    const TColor remembered = canvas.Brush()->Color();
    const int side = Rect.Bottom - Rect.Top;
    TRect swatch = framework::Rect(Rect.Left, Rect.Top, Rect.Left + side, Rect.Bottom);
    swatch.Inflate(-1, -1);
    canvas.Brush()->SetColor(entry.Value);
    canvas.FillRect(swatch);
    canvas.Brush()->SetColor(SwatchFrameColour(ColorToRGB(entry.Value), State));
    canvas.FrameRect(swatch);
    canvas.Brush()->SetColor(remembered);
    TRect text = Rect;
    text.Left = swatch.Right + 5;
    canvas.TextRect(text, text.Left, Rect.Top + (side - canvas.TextHeight(entry.Name)) / 2, entry.Name);
}

std::string TColourSharingCombo::SelectedColourName() const {
    return NameOfAColour(ItemIndex(), fUsesSharedArray, fOwnArray);
}

void TColourSharingCombo::SortTheColours(TColorArraySortType method) {
    SortAColourArray(fUsesSharedArray, fOwnArray, method);
    Repaint();
}

int TColourSharingCombo::GetAColour(int Index) const {
    return ValueOfAColour(Index, fUsesSharedArray, fOwnArray);
}
int TColourSharingCombo::GetSelected() const {
    return m_loadedColour ? *m_loadedColour : GetAColour(ItemIndex());
}

void TColourSharingCombo::SetSelected(int Colour) {
    // The entries exist once the window does; without a parent there is none yet, and the
    // colour waits for it.
    if (HasState(csLoading) || (!HandleAllocated() && !Parent())) {
        m_loadedColour = Colour;
        return;
    }
    HandleNeeded();
    SetItemIndex(IndexOfAColour(Colour, fUsesSharedArray, fOwnArray));
}

void TColourSharingCombo::SetUseSharedArray(bool Value) { ChangeSharing(Value, fUsesSharedArray, fOwnArray); }

TLabel* TColourSharingCombo::CreateLabel() {
    TLabel* label = Create<TLabel>(this);
    label->SetParent(Parent());
    label->SetFocusControl(this);
    label->SetFont(Font());
    return label;
}

void TColourSharingCombo::SetParent(TWinControl* AParent) {
    TCustomColorBox::SetParent(AParent);
    // A label made before the combo had a window to stand on joins the first one it gets.
    if (FLabel && !FLabel->Parent() && AParent) {
        FLabel->SetParent(AParent);
        UpdateLabel();
    }
}

std::string TColourSharingCombo::GetLabelCaption() const {
    return FLabel ? FLabel->Caption() : std::string();
}

void TColourSharingCombo::SetLabelCaption(const std::string& Value) {
    if (!FLabel)
        FLabel = CreateLabel();
    FLabel->SetCaption(Value);
    UpdateLabel();
}

void TColourSharingCombo::SetLabelFont(TFont* Value) { FLabelFont->Assign(Value); }

void TColourSharingCombo::SetLabelMargin(int Value) {
    FLabelMargin = Value;
    if (FLabel)
        UpdateLabel();
}

void TColourSharingCombo::SetLabelPosition(TLabelPosition Value) {
    FLabelPosition = Value;
    if (FLabel)
        UpdateLabel();
}

void TColourSharingCombo::SetLabelTransparent(bool Value) {
    FLabelTransparent = Value;
    if (FLabel)
        UpdateLabel();
}

void TColourSharingCombo::SetLabelAlwaysEnabled(bool Value) {
    FlabelAlwaysEnabled = Value;
    if (FLabel && Value)
        FLabel->SetEnabled(true);
    Invalidate();
}

void TColourSharingCombo::LabelFontChange(TObject*) {
    if (FLabel)
        UpdateLabel();
}

void TColourSharingCombo::UpdateLabel() {
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->SetFont(FParentFnt ? Font() : FLabelFont.get());
    UpdateLabelPos();
}

void TColourSharingCombo::UpdateLabelPos() {
    // The caption's width as shown: accelerator ampersands take no room.
    TRect measured = Rect(0, 0, 1000, 255);
    DrawText(*FLabel->Canvas(), FLabel->Caption(), measured, DT_CALCRECT | DT_HIDEPREFIX);
    const int cw = measured.Right;
    const int l = Left(), t = Top(), w = Width(), h = Height();
    const int lw = FLabel->Width(), lh = FLabel->Height(), m = FLabelMargin;
    int top = t, left = l;
    switch (FLabelPosition) {
    case lpLeftTop:
        top = t;
        left = l - cw - m;
        break;
    case lpLeftCenter:
        top = t + (h - lh) / 2;
        left = l - cw - m;
        break;
    case lpLeftBottom:
        top = t + h - lh;
        left = l - cw - m;
        break;
    case lpTopLeft:
        top = t - lh - m;
        left = l;
        break;
    case lpBottomLeft:
        top = t + h + m;
        left = l;
        break;
    case lpLeftTopLeft:
        top = t;
        left = l - m;
        break;
    case lpLeftCenterLeft:
        top = t + (h - lh) / 2;
        left = l - m;
        break;
    case lpLeftBottomLeft:
        top = t + h - lh;
        left = l - m;
        break;
    case lpTopCenter:
        top = t - lh - m;
        left = l + (w - lw) / 2;
        break;
    case lpBottomCenter:
        top = t + h + m;
        left = l + (w - lw) / 2;
        break;
    }
    FLabel->SetTop(top);
    FLabel->SetLeft(left);
}

void TColourSharingCombo::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (FLabel) {
        const TAlign align = Align();
        const bool besideLeft =
            FLabelPosition == lpLeftTop || FLabelPosition == lpLeftCenter || FLabelPosition == lpLeftBottom;
        const bool above = FLabelPosition == lpTopLeft || FLabelPosition == lpTopCenter;
        if (besideLeft && (align == alTop || align == alBottom || align == alClient)) {
            ALeft += FLabel->Width() + FLabelMargin;
            AWidth -= FLabel->Width() + FLabelMargin;
        } else if (above && (align == alTop || align == alLeft || align == alRight || align == alClient)) {
            ATop += FLabel->Height();
        }
    }
    TCustomColorBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FLabel)
        UpdateLabel();
}

void TColourSharingCombo::Loaded() {
    TCustomColorBox::Loaded();
    SetBounds(Left(), Top(), Width(), Height());
    if (FLabel && !Enabled() && !FlabelAlwaysEnabled)
        FLabel->SetEnabled(false);
    if (FLabel)
        UpdateLabel();
    if (ParentFont() && FLabel)
        FLabel->SetFont(Font());
    FParentFnt = ParentFont();
    if (FLabel)
        UpdateLabel();
    if (m_loadedColour)
        SetSelected(*m_loadedColour);
}

namespace ColourListBoxesAndCombos {
void Register() {
    RegisterComponents("Samples", {&TColourSharingListbox::ClassInfo(), &TColourSharingCombo::ClassInfo()});
}
}  // namespace ColourListBoxesAndCombos

}  // namespace lm7
