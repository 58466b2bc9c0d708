#include "controls/Containers.h"

#include "framework/classes/TypInfo.h"
#include "framework/controls/Panel.h"
#include "framework/rtl/Exceptions.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace lm7;
using namespace testsupport;

namespace {

struct Containers : ::testing::Test {
    FormPtr form = MakeForm(200, 150);

    // A red panel inside the container, 10 pixels in.
    TPanel* RedChildOf(TWinControl* container) {
        auto* child = Create<TPanel>(form.get());
        child->SetBevelOuter(bvNone);
        child->SetColor(clRed);
        child->SetParent(container);
        child->SetBounds(10, 10, 20, 20);
        return child;
    }
};

}  // namespace

TEST_F(Containers, TransparentGroupShowsWhatLiesBehindAndHoldsChildren) {
    form->SetColor(clYellow);
    auto* group = Create<TTransparentContainingGroup>(form.get());
    EXPECT_TRUE(group->ControlStyle() & csAcceptsControls);
    group->SetParent(form.get());
    group->SetBounds(50, 40, 100, 80);
    RedChildOf(group);
    auto pic = Picture(*form);
    EXPECT_TRUE(RectIs(*pic, Rect(50, 40, 150, 50), clYellow));
    EXPECT_EQ(BoundsOfColor(*pic, clRed), Rect(60, 50, 80, 70));
    // The parent repaints: the group follows without being asked.
    form->SetColor(clBlue);
    auto blue = Picture(*form);
    EXPECT_TRUE(RectIs(*blue, Rect(50, 40, 150, 50), clBlue));
}

TEST_F(Containers, ContainBoxTakesItsParentsColour) {
    auto* holder = Create<TPanel>(form.get());
    holder->SetBevelOuter(bvNone);
    holder->SetParent(form.get());
    holder->SetBounds(0, 0, 200, 150);
    holder->SetColor(clLime);
    auto* box = Create<TContainBox>(form.get());
    EXPECT_TRUE(box->ParentColor());
    EXPECT_TRUE(box->ControlStyle() & csAcceptsControls);
    box->SetParent(holder);
    box->SetBounds(20, 20, 100, 80);
    RedChildOf(box);
    EXPECT_EQ(box->Color(), clLime);
    holder->SetColor(clAqua);
    EXPECT_EQ(box->Color(), clAqua);
    auto pic = Picture(*form);
    EXPECT_TRUE(RectIs(*pic, Rect(20, 60, 120, 100), clAqua));
    EXPECT_EQ(BoundsOfColor(*pic, clRed), Rect(30, 30, 50, 50));
}

namespace {
std::vector<std::string> PublishedNames(TClass cls) {
    std::vector<std::string> names;
    for (const TPropInfo* prop : cls->Props())
        names.push_back(prop->Name);
    return names;
}
}  // namespace

TEST_F(Containers, EachPublishesOnlyWhatAContainerNeeds) {
    EXPECT_EQ(PublishedNames(&TTransparentContainingGroup::ClassInfo()),
              (std::vector<std::string>{"Name", "Tag", "Left", "Top", "Width", "Height", "Align", "Visible",
                                        "Enabled", "Hint"}));
    EXPECT_EQ(PublishedNames(&TContainBox::ClassInfo()),
              (std::vector<std::string>{"Name", "Tag", "Left", "Top", "Width", "Height", "Align", "Visible",
                                        "Enabled", "Hint", "OnResize", "OnMouseDown", "OnMouseUp",
                                        "OnMouseMove", "TabStop", "OnEnter", "OnExit"}));
    auto* box = Create<TContainBox>(form.get());
    SetPropValue(box, "align", TValue(std::string("alClient")));
    EXPECT_EQ(box->Align(), alClient);
    EXPECT_EQ(GetPropInfo(box, "Color"), nullptr);  // follows its parent's colour, not stored
    EXPECT_THROW(SetPropValue(box, "Color", TValue(std::int64_t{clRed})), EPropertyError);
    EXPECT_NE(GetPropInfo(&TCustomControl::ClassInfo(), "Color"), nullptr);  // the base keeps it
}
