#pragma once
// TCustomColorBox: a drop-down list of colours, each entry a swatch and the colour's name. Its
// style flags choose which colours it lists (the standard sixteen, the extended ones, the
// system colours, "none" and "default", a custom entry) or let OnGetColors supply the entries.

#include "framework/controls/ComboBox.h"

#include <optional>

namespace framework {

class TCustomColorBox;

// The entries' colours travel in the item objects, as plain integers.
using TGetColorsEvent = TEvent<TCustomColorBox*, TStrings*>;

enum TColorBoxStyle {
    cbStandardColors,
    cbExtendedColors,
    cbSystemColors,
    cbIncludeNone,
    cbIncludeDefault,
    cbCustomColor,   // a first entry "Custom..." that holds a colour not in the list
    cbPrettyNames,   // names without the "cl" prefix
    cbCustomColors,  // the entries come from OnGetColors
};
// A set of TColorBoxStyle: bit i for element i.
using TColorBoxStyles = std::uint32_t;
constexpr TColorBoxStyles ColorBoxStyles(std::initializer_list<TColorBoxStyle> Flags) {
    TColorBoxStyles s = 0;
    for (TColorBoxStyle f : Flags)
        s |= 1u << f;
    return s;
}
inline constexpr TColorBoxStyles kDefaultColorBoxStyle =
    ColorBoxStyles({cbStandardColors, cbExtendedColors, cbSystemColors});

class TCustomColorBox : public TCustomComboBox {
public:
    explicit TCustomColorBox(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    TColorBoxStyles Style() const { return m_colorStyle; }
    void SetStyle(TColorBoxStyles Value);
    bool HasStyle(TColorBoxStyle Flag) const { return (m_colorStyle & (1u << Flag)) != 0; }

    // The colour of an entry (0 outside the list) and its name.
    TColor Colors(int Index) const;
    std::string ColorNames(int Index) const;
    // The selected entry's colour, black when none is. Selecting a colour that is not listed
    // puts it in the custom entry when there is one, else selects nothing.
    // A colour read from a form description is kept until the entries are built.
    TColor Selected() const;
    void SetSelected(TColor Value);
    // What the swatches of the "default" and "none" entries show.
    TColor DefaultColorColor() const { return m_defaultColorColor; }
    void SetDefaultColorColor(TColor Value);
    TColor NoneColorColor() const { return m_noneColorColor; }
    void SetNoneColorColor(TColor Value);

    // Builds the entries again from the style (and OnGetColors), keeping the selected colour.
    void PopulateList();
    // An index given before the window builds the entries is kept, and reported, until they
    // are built.
    int ItemIndex() const { return m_loadedIndex ? *m_loadedIndex : TCustomComboBox::ItemIndex(); }
    void SetItemIndex(int Value) override;

    TGetColorsEvent OnGetColors;

protected:
    void CreateWnd() override;
    void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
    void Loaded() override;
    // The entry index chosen before the entries existed, if one waits for them.
    std::optional<int> PendingItemIndex() const { return m_loadedIndex; }

private:
    // A selection made before the entries exist, by colour or by index (at most one of them).
    std::optional<TColor> m_loadedSelected;
    std::optional<int> m_loadedIndex;
    TColorBoxStyles m_colorStyle = kDefaultColorBoxStyle;
    TColor m_defaultColorColor = clBlack;
    TColor m_noneColorColor = clBlack;
};

}  // namespace framework
