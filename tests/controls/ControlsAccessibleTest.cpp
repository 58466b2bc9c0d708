#include "controls/ColourListBoxesAndCombos.h"
#include "controls/StyledListbox.h"
#include "framework/controls/Accessible.h"
#include "sibling/Basic_types.h"
#include "sibling/Colour_utils.h"
#include "support/FormFixture.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace lm7;
using namespace testsupport;

namespace {

// A styled list's rows read as they are drawn: the text, then the value.
struct StyledRowsSpeak : ::testing::Test {
    FormPtr form = MakeForm(220, 120);
    TStyledListbox* list = Create<TStyledListbox>(form.get());

    void SetUp() override {
        list->SetBounds(0, 0, 200, 100);
        list->SetParent(form.get());
        list->SetShowValues(true);
        TStrings& items = *list->Items();
        items.AddObject("corpus linguistics", TStrings::IntToObject(412));
        items.AddObject("frequency", TStrings::IntToObject(kNoValue));
        items.AddObject("type/token ratio", TStrings::IntToObject(kNotApplicable));
        items.Add("42");
    }
};

}  // namespace

TEST_F(StyledRowsSpeak, TextThenValue) {
    EXPECT_EQ(DescribeAccessible(*list, 0).Name, "corpus linguistics, 412");
    EXPECT_EQ(DescribeAccessible(*list, 1).Name, "frequency");  // no value is drawn
    EXPECT_EQ(DescribeAccessible(*list, 2).Name, "type/token ratio, n/a");
    EXPECT_EQ(DescribeAccessible(*list, 3).Name, "42");  // a number stands for itself
    EXPECT_EQ(DescribeAccessible(*list, 0).Role, TAccessibleRole::ListItem);
    EXPECT_EQ(DescribeAccessible(*list, 4).Name, "");
}

TEST_F(StyledRowsSpeak, ValuesHiddenAreNotSpoken) {
    list->SetShowValues(false);
    EXPECT_EQ(DescribeAccessible(*list, 0).Name, "corpus linguistics");
}

TEST_F(StyledRowsSpeak, TheCallbackGivesWhatIsDrawn) {
    list->SetOnGetStringAndInt(
        sibling::TOnGetStringAndInt::Lambda([](TObject*, int Index, sibling::TStringAndIntegerRec& Rec) {
            Rec.S = "row " + std::to_string(Index);
            Rec.I = Index * 10;
        }));
    EXPECT_EQ(DescribeAccessible(*list, 2).Name, "row 2, 20");
}

namespace {

struct ColourRowsSpeak : ::testing::Test {
    TColorArray saved = sibling::MyColourArray;
    FormPtr form = MakeForm(300, 200);

    void SetUp() override { sibling::MyColourArray = {{clYellow, "yellow"}, {clNavy, "navy"}}; }
    void TearDown() override { sibling::MyColourArray = saved; }
};

}  // namespace

TEST_F(ColourRowsSpeak, NameAndNumber) {
    auto* list = Create<TColourSharingListbox>(form.get());
    list->SetParent(form.get());
    list->HandleNeeded();
    ASSERT_EQ(list->AccessibleItemCount(), 2);
    EXPECT_EQ(DescribeAccessible(*list, 1).Name, "navy, 2");
    auto* combo = Create<TColourSharingCombo>(form.get());
    combo->SetParent(form.get());
    combo->HandleNeeded();
    combo->SetLabelCaption("&Highlight");
    EXPECT_EQ(DescribeAccessible(*combo).Name, "Highlight");  // the label the combo made
    EXPECT_EQ(DescribeAccessible(*combo, 0).Name, "yellow, 1");
}
