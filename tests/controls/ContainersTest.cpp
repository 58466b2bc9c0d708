#include "controls/Containers.h"

#include "framework/classes/TypInfo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Panel.h"
#include "framework/forms/TextForms.h"
#include "framework/rtl/Exceptions.h"
#include "package/LM7StyledListboxPack.h"
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

// A windowed control below the group has a picture of its own; it shows through the group as
// the parent's picture does, and the group follows when it changes.
TEST_F(Containers, TransparentGroupShowsTheWindowsBehindIt) {
    form->SetColor(clYellow);
    auto* behind = Create<TPanel>(form.get());
    behind->SetBevelOuter(bvNone);
    behind->SetColor(clLime);
    behind->SetParent(form.get());
    behind->SetBounds(40, 30, 60, 50);
    auto* group = Create<TTransparentContainingGroup>(form.get());
    group->SetParent(form.get());
    group->SetBounds(50, 40, 100, 80);
    RedChildOf(group);
    auto pic = Picture(*form);
    EXPECT_TRUE(RectIs(*pic, Rect(80, 40, 100, 80), clLime));      // the panel, through the group
    EXPECT_TRUE(RectIs(*pic, Rect(100, 40, 150, 120), clYellow));  // the form beside it
    EXPECT_EQ(BoundsOfColor(*pic, clRed), Rect(60, 50, 80, 70));   // the group's own child on top
    behind->SetColor(clBlue);
    auto blue = Picture(*form);
    EXPECT_TRUE(RectIs(*blue, Rect(80, 40, 100, 80), clBlue));
    EXPECT_TRUE(RectIs(*blue, Rect(40, 30, 100, 40), clBlue));  // the part outside the group
    // A window above the group is not the group's to show.
    auto* above = Create<TPanel>(form.get());
    above->SetBevelOuter(bvNone);
    above->SetColor(clAqua);
    above->SetParent(form.get());
    above->SetBounds(120, 100, 60, 40);
    auto withAbove = Picture(*form);
    EXPECT_TRUE(RectIs(*withAbove, Rect(120, 100, 180, 140), clAqua));
    EXPECT_TRUE(RectIs(*withAbove, Rect(100, 40, 150, 100), clYellow));
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
                                        "Enabled", "Hint", "Anchors", "TabOrder"}));
    EXPECT_EQ(PublishedNames(&TContainBox::ClassInfo()),
              (std::vector<std::string>{"Name",       "Tag",          "Left",         "Top",
                                        "Width",      "Height",       "Align",        "Visible",
                                        "Enabled",    "Hint",         "OnResize",     "OnMouseDown",
                                        "OnMouseUp",  "OnMouseMove",  "Anchors",      "PopupMenu",
                                        "Touch",      "OnMouseEnter", "OnMouseLeave", "OnMouseActivate",
                                        "OnDragOver", "OnStartDrag",  "TabStop",      "TabOrder",
                                        "Padding",    "OnEnter",      "OnExit"}));
    auto* box = Create<TContainBox>(form.get());
    SetPropValue(box, "align", TValue(std::string("alClient")));
    EXPECT_EQ(box->Align(), alClient);
    EXPECT_EQ(GetPropInfo(box, "Color"), nullptr);  // follows its parent's colour, not stored
    EXPECT_THROW(SetPropValue(box, "Color", TValue(std::int64_t{clRed})), EPropertyError);
    EXPECT_NE(GetPropInfo(&TCustomControl::ClassInfo(), "Color"), nullptr);  // the base keeps it
}

namespace {
// A tool window whose handlers log what the containers tell them.
class TToolForm : public TForm {
public:
    using TForm::TForm;
    static const TClassInfo& ClassInfo() {
        static const TClassInfo info = TClassInfo::Derive<TToolForm, TForm>("TToolForm")
                                           .Method<&TToolForm::BoxEnter>("BoxEnter")
                                           .Method<&TToolForm::BoxLeave>("BoxLeave")
                                           .Method<&TToolForm::CopyClick>("CopyClick");
        return info;
    }
    TClass ClassType() const override { return &ClassInfo(); }

    std::vector<std::string> log;
    void BoxEnter(TObject*) { log.push_back("enter"); }
    void BoxLeave(TObject*) { log.push_back("leave"); }
    void CopyClick(TObject*) { log.push_back("copy"); }
};
}  // namespace

// A tool window's container as a description gives it: anchored, padded, with a menu and the
// pointer events, all working once read.
TEST_F(Containers, AContainBoxReadFromADescriptionStretchesPadsAndPopsUpItsMenu) {
    RegisterPackageClasses();
    std::unique_ptr<TToolForm, TFreeDeleter> tool(Create<TToolForm>(nullptr));
    ReadTextForm("object Tool: TToolForm\n"
                 "  ClientWidth = 200\n"
                 "  ClientHeight = 150\n"
                 "  Color = clWhite\n"
                 "  object Menu: TPopupMenu\n"
                 "    object CopyItem: TMenuItem\n"
                 "      Caption = 'Copy'\n"
                 "      OnClick = CopyClick\n"
                 "    end\n"
                 "  end\n"
                 "  object Box: TContainBox\n"
                 "    Left = 10\n"
                 "    Top = 10\n"
                 "    Width = 180\n"
                 "    Height = 100\n"
                 "    Anchors = [akLeft, akTop, akRight]\n"
                 "    Padding.Left = 8\n"
                 "    PopupMenu = Menu\n"
                 "    TabOrder = 1\n"
                 "    Touch.InteractiveGestures = [igPan]\n"
                 "    OnMouseEnter = BoxEnter\n"
                 "    OnMouseLeave = BoxLeave\n"
                 "    object Inner: TPanel\n"
                 "      Align = alClient\n"
                 "      BevelOuter = bvNone\n"
                 "      Color = clRed\n"
                 "    end\n"
                 "  end\n"
                 "  object Group: TTransparentContainingGroup\n"
                 "    Top = 120\n"
                 "    Width = 50\n"
                 "    Height = 20\n"
                 "    Anchors = [akLeft, akBottom]\n"
                 "    TabOrder = 0\n"
                 "  end\n"
                 "end\n",
                 tool.get(), "tool");
    tool->Show();
    auto* box = static_cast<TContainBox*>(tool->FindComponent("Box"));
    auto* group = static_cast<TTransparentContainingGroup*>(tool->FindComponent("Group"));
    EXPECT_EQ(group->TabOrder(), 0);
    EXPECT_EQ(box->TabOrder(), 1);
    EXPECT_EQ(box->Touch()->InteractiveGestures(), igPan);

    tool->SetClientWidth(300);
    tool->SetClientHeight(170);
    EXPECT_EQ(box->BoundsRect(), Bounds(10, 10, 280, 100));
    EXPECT_EQ(group->Top(), 140);
    auto pic = Picture(*tool);
    EXPECT_EQ(BoundsOfColor(*pic, clRed), Rect(18, 10, 290, 110));  // the padding shows the box

    tool->SendMouseInput(WM_MOUSEMOVE, 100, 50);
    tool->SendMouseInput(WM_RBUTTONUP, 100, 50);  // on the inner panel: the box's menu answers
    auto* menu = static_cast<TPopupMenu*>(tool->FindComponent("Menu"));
    ASSERT_TRUE(menu->PoppedUp());
    const TRect shown = menu->PopupList()->BoundsRect();
    ClickAt(*tool, shown.Left + 10, shown.Top + shown.Height() / 2);
    EXPECT_EQ(tool->log, (std::vector<std::string>{"copy"}));  // the pointer was on the inner panel
    tool->SendMouseInput(WM_MOUSEMOVE, 15, 50);                // the box's own padding
    tool->SendMouseInput(WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(tool->log, (std::vector<std::string>{"copy", "enter", "leave"}));

    const std::string written = WriteTextForm(tool.get());
    EXPECT_NE(written.find("    Anchors = [akLeft, akTop, akRight]\n"), std::string::npos) << written;
    EXPECT_NE(written.find("    PopupMenu = Menu\n"), std::string::npos);
    EXPECT_NE(written.find("    OnMouseLeave = BoxLeave\n"), std::string::npos);
}
