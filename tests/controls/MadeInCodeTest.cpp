// Controls made in code: through Create<T>(owner), which runs AfterConstruction once the whole
// object stands; `new T(owner)`, which would skip it, does not compile for any component.

#include "controls/ColourListBoxesAndCombos.h"
#include "controls/NotepadGrabPanel.h"
#include "controls/StyledListbox.h"
#include "dialogs/FileFolderOpenDlgU.h"
#include "framework/classes/StringList.h"
#include "framework/controls/ListBox.h"
#include "package/LM7StyledListboxPack.h"
#include "support/FormFixture.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace lm7;

namespace {

template <class T>
concept MadeWithNew = requires(TComponent* owner) {
    new T(owner);
};
template <class T>
concept MadeWithNewArray = requires {
    new T[2];
};

}  // namespace

TEST(MadeInCode, NoComponentCanBeMadeWithNew) {
    EXPECT_FALSE(MadeWithNew<TComponent>);
    EXPECT_FALSE(MadeWithNew<TListBox>);
    EXPECT_FALSE(MadeWithNew<TColourSharingCombo>);
    EXPECT_FALSE(MadeWithNew<TColourSharingListbox>);
    EXPECT_FALSE(MadeWithNew<TStyledListbox>);
    EXPECT_FALSE(MadeWithNew<TNotepadGrabPanel>);
    EXPECT_FALSE(MadeWithNew<TMyOpenFolderDialog>);
    EXPECT_FALSE(MadeWithNewArray<TComponent>);
    // Objects that are no components are still plain values.
    EXPECT_TRUE(requires { new TStringList; });
}

// A colour combo made in code is whole: its entries are there once it has a window.
TEST(MadeInCode, AColourComboMadeWithCreateHasItsEntries) {
    lm7::Initialize();
    {
        const testsupport::FormPtr form = testsupport::MakeForm(300, 200);
        auto* combo = Create<TColourSharingCombo>(form.get());
        combo->SetBounds(10, 10, 170, 0);
        combo->SetParent(form.get());
        combo->SetSelectedColour(clRed);
        EXPECT_GT(combo->Items()->Count(), 0);
        EXPECT_EQ(combo->SelectedColour(), clRed);
    }
    lm7::Finalize();
}
