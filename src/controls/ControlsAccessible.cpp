// What screen readers are told of the package's owner-drawn items: what the rows show.

#include "controls/ColourListBoxesAndCombos.h"
#include "controls/StyledListbox.h"
#include "framework/rtl/IntConv.h"
#include "sibling/Generalruntime2const.h"
#include "sibling/Rtl_and_ltr_painting.h"

#include <string>

namespace lm7 {

using namespace framework;

// A row reads as it is drawn: its text, then its value ("corpus linguistics, 412"); a row whose
// text is a number reads as that number.
void TStyledListbox::DescribeAccessibleItem(int Index, TAccessible& A) const {
    TCustomListBox::DescribeAccessibleItem(Index, A);
    if (Index < 0 || Index >= Items()->Count())
        return;
    int value = kNoValue;
    std::string text;
    if (fOnGetStringAndInt) {
        sibling::TStringAndIntegerRec rec;
        fOnGetStringAndInt(const_cast<TStyledListbox*>(this), Index, rec);
        text = rec.S;
        value = rec.I;
    } else {
        text = Items()->Strings(Index);
        if (fShowValues)
            value = static_cast<int>(TStrings::ObjectToInt(Items()->Objects(Index)));
    }
    int asInteger = 0;
    if (TryStrToInt(text, asInteger) || sibling::IsANumber(text) || value == kNoValue)
        A.Name = text;
    else if (value == kNotApplicable)
        A.Name = text + ", " + std::string(sibling::_LMNonApplicable);
    else
        A.Name = text + ", " + std::to_string(value);
}

// A colour row reads as its colour's name and number.
void TColourSharingListbox::DescribeAccessibleItem(int Index, TAccessible& A) const {
    TCustomListBox::DescribeAccessibleItem(Index, A);
    const std::string name = NameOfAColour(Index, fUsesSharedArray, fOwnArray);
    if (!name.empty())
        A.Name = name + ", " + std::to_string(Index + 1);
}

void TColourSharingCombo::DescribeAccessibleItem(int Index, TAccessible& A) const {
    TCustomColorBox::DescribeAccessibleItem(Index, A);
    const std::string name = NameOfAColour(Index, fUsesSharedArray, fOwnArray);
    if (!name.empty())
        A.Name = name + ", " + std::to_string(Index + 1);
}

}  // namespace lm7
