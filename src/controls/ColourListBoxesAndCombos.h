#pragma once
// Two colour pickers over one colour table: a list box that paints each colour as a swatch with
// its number, hexadecimal value and/or name, and a drop-down colour combo with a caption label.
// Both read the process-wide table MyColourArray by default, so a sort through one reorders
// every sharing picker; either can take a private snapshot of the table and sort that alone.

#include "framework/controls/ColorBox.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/graphics/GraphUtil.h"
#include "vendor/Advstyleif.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace lm7 {

using framework::TColor;
using framework::TColorArray;
using framework::TColorArraySortType;

// --- The table routines both pickers use ------------------------------------------------------
// The active table is the shared one while UseShared is true, else OwnArray.

const TColorArray& ActiveColourArray(bool UseShared, const TColorArray& OwnArray);
// The colour of an entry; 0 outside the table.
int ValueOfAColour(int Index, bool UseShared, const TColorArray& OwnArray);
// The name of an entry; empty outside the table.
std::string NameOfAColour(int Index, bool UseShared, const TColorArray& OwnArray);
// The lowest index of exactly that colour, else the nearest colour's (-1 for an empty table).
int IndexOfAColour(TColor Colour, bool UseShared, const TColorArray& OwnArray);
// Sorts the whole active table in place, ascending.
void SortAColourArray(bool UseShared, TColorArray& OwnArray, TColorArraySortType SortType);
// Switching to the own table copies the shared one as it is now; switching back leaves the own
// table alone until the next switch overwrites it.
void ChangeSharing(bool Value, bool& UsesShared, TColorArray& OwnArray);

enum TShowHexOrDescription { ts_index, ts_hex, ts_description };
// A set of TShowHexOrDescription: bit i for element i.
using TShowHexOrDescriptionSet = std::uint8_t;
constexpr TShowHexOrDescriptionSet ShowSet(std::initializer_list<TShowHexOrDescription> Items) {
    TShowHexOrDescriptionSet s = 0;
    for (TShowHexOrDescription i : Items)
        s = static_cast<TShowHexOrDescriptionSet>(s | (1u << i));
    return s;
}

// A list box of the colour table; it stores no strings, only the table's length, and paints
// the entries it shows straight from the table.
class TColourSharingListbox : public framework::TCustomListBox, public vendor::ITMSStyle {
public:
    explicit TColourSharingListbox(framework::TComponent* AOwner);
    ~TColourSharingListbox() override;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessibleItem(int Index, framework::TAccessible& A) const override;

    void CorrectForScreenResolucao(float aFontScale);
    std::string SelectedColourName() const;
    // True when the shared table no longer begins with the first web-named colour.
    bool Sorted() const;
    void SortTheColours(TColorArraySortType method);

    TShowHexOrDescriptionSet ShowText() const { return fShowText; }
    void SetShowText(TShowHexOrDescriptionSet Value);
    TColor DefaultColour() const { return fDefaultColour; }
    void SetDefaultColour(TColor Value) { fDefaultColour = Value; }
    int SelectedColour() const { return GetASelected(); }
    void SetSelectedColour(int Colour) { SetASelected(Colour); }
    bool UsesSharedArray() const { return fUsesSharedArray; }
    void SetUseSharedArray(bool Value);
    int GetAColour(int Index) const;

    void SetComponentStyle(vendor::TTMSStyle AStyle) override;

    int current_PPI = 0;
    float currentFontScale = 0.0f;

protected:
    void CreateWnd() override;
    void Loaded() override;

private:
    int GetASelected() const;
    void SetASelected(int Colour);
    void MyDrawItem(framework::TWinControl* Control, int Index, framework::TRect Rect,
                    framework::TOwnerDrawState State);

    TColor fDefaultColour = framework::clNone;
    TColor fTextColour = framework::clBlack;
    TColor fBackgroundColour = framework::clWhite;
    TColor fSelectedText = framework::clWhite;
    TColor fSelectedBackgound = framework::clBlack;
    TColorArray fOwnArray;
    bool fUsesSharedArray = true;
    TShowHexOrDescriptionSet fShowText = ShowSet({ts_description});
    // A colour selected before the entries exist (while the form is loaded, or before the list
    // has a parent): applied in Loaded or once the window is made.
    std::optional<int> m_loadedColour;
};

enum TLabelPosition {
    lpLeftTop,
    lpLeftCenter,
    lpLeftBottom,
    lpTopLeft,
    lpBottomLeft,
    lpLeftTopLeft,
    lpLeftCenterLeft,
    lpLeftBottomLeft,
    lpTopCenter,
    lpBottomCenter
};

// The frame of a colour swatch: black round a light colour, white round a dark one that is
// selected, and the colour itself (no visible frame) otherwise. Rgb is a plain colour.
TColor SwatchFrameColour(TColor Rgb, framework::TOwnerDrawState State);

// A drop-down colour picker with a caption label that it places in one of ten positions and
// keeps in step with its font and enabled state.
class TColourSharingCombo : public framework::TCustomColorBox {
public:
    explicit TColourSharingCombo(framework::TComponent* AOwner);
    ~TColourSharingCombo() override;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessibleItem(int Index, framework::TAccessible& A) const override;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetParent(framework::TWinControl* AParent) override;
    std::string SelectedColourName() const;
    void SortTheColours(TColorArraySortType method);

    bool LabelAlwaysEnabled() const { return FlabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value);
    std::string GetLabelCaption() const;
    void SetLabelCaption(const std::string& Value);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition Value);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int Value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    framework::TFont* LabelFont() const { return FLabelFont.get(); }
    void SetLabelFont(framework::TFont* Value);
    // The caption label; null until a caption is first assigned.
    framework::TLabel* Label() const { return FLabel; }

    int SelectedColour() const { return GetSelected(); }
    void SetSelectedColour(int Colour) { SetSelected(Colour); }
    bool UsesSharedAray() const { return fUsesSharedArray; }
    void SetUseSharedArray(bool Value);
    int GetAColour(int Index) const;
    void SetItemIndex(int Value) override;

protected:
    void Loaded() override;
    void CreateWnd() override;
    void DrawItem(int Index, framework::TRect Rect, framework::TOwnerDrawState State) override;
    void Notification(framework::TComponent* AComponent, framework::TOperation Operation) override;

private:
    int GetSelected() const;
    void SetSelected(int Colour);
    void GetColours(framework::TCustomColorBox* Sender, framework::TStrings* Items);
    framework::TLabel* CreateLabel();
    void UpdateLabel();
    void UpdateLabelPos();
    void LabelFontChange(framework::TObject* Sender);

    framework::TLabel* FLabel = nullptr;  // owned as a component
    std::unique_ptr<framework::TFont, framework::TFreeDeleter> FLabelFont;
    TLabelPosition FLabelPosition = lpLeftTop;
    int FLabelMargin = 4;
    bool FlabelAlwaysEnabled = false;
    bool FParentFnt = true;
    bool FLabelTransparent = false;
    TColorArray fOwnArray;
    bool fUsesSharedArray = true;
    // A colour selected before the entries exist (while the form is loaded, or before the combo
    // has a parent): applied in Loaded or once the window is made.
    std::optional<int> m_loadedColour;
};

namespace ColourListBoxesAndCombos {
// Puts both pickers on the designer's "Samples" page.
void Register();
}  // namespace ColourListBoxesAndCombos

}  // namespace lm7
