#include "framework/controls/ColorBox.h"

#include "framework/graphics/ColorProp.h"

#include <array>
#include <string>
#include <vector>

namespace framework {

namespace {

constexpr std::array<TColor, 16> kStandardColors{clBlack, clMaroon,  clGreen,  clOlive, clNavy, clPurple,
                                                 clTeal,  clGray,    clSilver, clRed,   clLime, clYellow,
                                                 clBlue,  clFuchsia, clAqua,   clWhite};
constexpr std::array<TColor, 4> kExtendedColors{clMoneyGreen, clSkyBlue, clCream, clMedGray};

TObject* colorObject(TColor c) { return reinterpret_cast<TObject*>(static_cast<std::intptr_t>(c)); }

// The entries come from the style, built with the window: a description does not hold them.
std::vector<std::string> allButItems() {
    std::vector<std::string> names;
    for (const TPropInfo* prop : TCustomComboBox::ClassInfo().Props())
        if (prop->Name != "Items")
            names.push_back(prop->Name);
    return names;
}

}  // namespace

const TClassInfo& TCustomColorBox::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TCustomColorBox, TCustomComboBox>("TCustomColorBox")
            .Publishing(allButItems())
            .Integer<TCustomColorBox>("ItemIndex", &TCustomColorBox::ItemIndex,
                                      &TCustomColorBox::SetItemIndex, -1)
            .SetOf<TCustomColorBox>(
                "Style",
                {"cbStandardColors", "cbExtendedColors", "cbSystemColors", "cbIncludeNone",
                 "cbIncludeDefault", "cbCustomColor", "cbPrettyNames", "cbCustomColors"},
                &TCustomColorBox::Style, &TCustomColorBox::SetStyle, kDefaultColorBoxStyle)
            .Property(ColorProperty<TCustomColorBox>("Selected", &TCustomColorBox::Selected,
                                                     &TCustomColorBox::SetSelected, clBlack))
            .Property(ColorProperty<TCustomColorBox>("DefaultColorColor", &TCustomColorBox::DefaultColorColor,
                                                     &TCustomColorBox::SetDefaultColorColor, clBlack))
            .Property(ColorProperty<TCustomColorBox>("NoneColorColor", &TCustomColorBox::NoneColorColor,
                                                     &TCustomColorBox::SetNoneColorColor, clBlack));
    return info;
}

TCustomColorBox::TCustomColorBox(TComponent* AOwner) : TCustomComboBox(AOwner) {
    TCustomComboBox::SetStyle(csOwnerDrawFixed);
}

void TCustomColorBox::SetStyle(TColorBoxStyles Value) {
    if (Value == m_colorStyle)
        return;
    m_colorStyle = Value;
    if (HandleAllocated())
        PopulateList();
}

void TCustomColorBox::SetDefaultColorColor(TColor Value) {
    m_defaultColorColor = Value;
    Invalidate();
}

void TCustomColorBox::SetNoneColorColor(TColor Value) {
    m_noneColorColor = Value;
    Invalidate();
}

TColor TCustomColorBox::Colors(int Index) const {
    if (Index < 0 || Index >= Items()->Count())
        return 0;
    return static_cast<TColor>(reinterpret_cast<std::intptr_t>(Items()->Objects(Index)));
}

std::string TCustomColorBox::ColorNames(int Index) const {
    return Index >= 0 && Index < Items()->Count() ? Items()->Strings(Index) : std::string();
}

TColor TCustomColorBox::Selected() const {
    if (m_loadedSelected)
        return *m_loadedSelected;
    const int index = TCustomComboBox::ItemIndex();
    return index >= 0 ? Colors(index) : clBlack;
}

void TCustomColorBox::SetSelected(TColor Value) {
    // Before the window builds the entries, the colour waits for them.
    if (HasState(csLoading) || (Items()->Count() == 0 && (m_loadedSelected || !HandleAllocated()))) {
        m_loadedSelected = Value;
        m_loadedIndex.reset();
        return;
    }
    m_loadedSelected.reset();
    m_loadedIndex.reset();
    for (int i = 0; i < Items()->Count(); ++i)
        if (Colors(i) == Value && !(i == 0 && HasStyle(cbCustomColor))) {
            SetItemIndex(i);
            return;
        }
    if (HasStyle(cbCustomColor) && Items()->Count() > 0) {
        Items()->PutObject(0, colorObject(Value));
        SetItemIndex(0);
        Invalidate();
        return;
    }
    SetItemIndex(-1);
}

void TCustomColorBox::SetItemIndex(int Value) {
    // An entry chosen before the window builds the entries is chosen once they are built.
    if (Value >= 0 && Items()->Count() == 0 && (HasState(csLoading) || !HandleAllocated())) {
        m_loadedIndex = Value;
        m_loadedSelected.reset();
        return;
    }
    m_loadedIndex.reset();
    TCustomComboBox::SetItemIndex(Value);
}

void TCustomColorBox::PopulateList() {
    const bool hadSelection = TCustomComboBox::ItemIndex() >= 0;
    const TColor selected = Selected();
    TStrings& items = *Items();
    auto name = [this](TColor c) {
        std::string ident;
        ColorToIdent(c, ident);
        return HasStyle(cbPrettyNames) && ident.rfind("cl", 0) == 0 ? ident.substr(2) : ident;
    };
    items.BeginUpdate();
    try {
        items.Clear();
        if (HasStyle(cbIncludeNone))
            items.AddObject(HasStyle(cbPrettyNames) ? "None" : "clNone", colorObject(clNone));
        if (HasStyle(cbIncludeDefault))
            items.AddObject(HasStyle(cbPrettyNames) ? "Default" : "clDefault", colorObject(clDefault));
        if (HasStyle(cbCustomColor))
            items.InsertObject(0, "Custom...", colorObject(clBlack));
        if (HasStyle(cbCustomColors) && OnGetColors)
            OnGetColors(this, &items);
        if (HasStyle(cbStandardColors))
            for (TColor c : kStandardColors)
                items.AddObject(name(c), colorObject(c));
        if (HasStyle(cbExtendedColors))
            for (TColor c : kExtendedColors)
                items.AddObject(name(c), colorObject(c));
        if (HasStyle(cbSystemColors))
            for (int index = 0; index < kSysColorCount; ++index) {
                std::string ident;
                if (ColorToIdent(SysColor(index), ident))
                    items.AddObject(name(SysColor(index)), colorObject(SysColor(index)));
            }
    } catch (...) {
        items.EndUpdate();
        throw;
    }
    items.EndUpdate();
    if (m_loadedIndex)
        SetItemIndex(*m_loadedIndex);
    else if (m_loadedSelected || hadSelection)
        SetSelected(selected);
    else
        SetItemIndex(-1);
}

void TCustomColorBox::Loaded() {
    TCustomComboBox::Loaded();
    if (Items()->Count() == 0)
        return;
    if (m_loadedIndex)
        SetItemIndex(*m_loadedIndex);
    else if (m_loadedSelected)
        SetSelected(*m_loadedSelected);
}

void TCustomColorBox::CreateWnd() {
    TCustomComboBox::CreateWnd();
    PopulateList();
}

void TCustomColorBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    TCanvas& canvas = *Canvas();
    canvas.FillRect(Rect);
    if (Index < 0 || Index >= Items()->Count())
        return;
    const TColor background = canvas.Brush()->Color();
    TColor color = Colors(Index);
    if (color == clNone)
        color = m_noneColorColor;
    else if (color == clDefault)
        color = m_defaultColorColor;
    TRect swatch = framework::Rect(Rect.Left, Rect.Top, Rect.Left + Rect.Height(), Rect.Bottom);
    swatch.Inflate(-1, -1);
    canvas.Brush()->SetColor(color);
    canvas.FillRect(swatch);
    // A light swatch gets a black frame; a dark one a white frame on the selection colour.
    const TColor rgb = ColorToRGB(color);
    if (GetRValue(rgb) > 192 || GetGValue(rgb) > 192 || GetBValue(rgb) > 192)
        canvas.Brush()->SetColor(clBlack);
    else if (State & odSelected)
        canvas.Brush()->SetColor(clWhite);
    canvas.FrameRect(swatch);
    canvas.Brush()->SetColor(background);
    TRect text = Rect;
    text.Left = swatch.Right + 5;
    const std::string caption = ColorNames(Index);
    canvas.TextRect(text, text.Left, Rect.Top + (Rect.Height() - canvas.TextHeight(caption)) / 2, caption);
}

}  // namespace framework
