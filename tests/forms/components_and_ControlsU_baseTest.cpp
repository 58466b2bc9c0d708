#include "forms/components_and_ControlsU_base.h"

#include "framework/controls/Edits.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "support/FormFixture.h"

#include <gtest/gtest.h>

#include <climits>

using namespace framework;
using namespace lm7;
using testsupport::FormPtr;
using testsupport::MakeForm;

namespace {

// A component that publishes an image-list reference, as image-holding controls do.
class TImageHolder : public TComponent {
public:
    using TComponent::TComponent;
    static const TClassInfo& ClassInfo() {
        static const TClassInfo info =
            TClassInfo::Derive<TImageHolder, TComponent>("TImageHolder")
                .Object<TImageHolder, TComponent>("Images", &TImageHolder::images, &TImageHolder::images);
        return info;
    }
    TClass ClassType() const override { return &ClassInfo(); }
    TComponent* images = nullptr;
};

// An edit on a panel on a form, plus an unnamed panel holding a named edit.
class Walks : public ::testing::Test {
protected:
    FormPtr form = MakeForm();
    TPanel* panel = Create<TPanel>(form.get());
    TEdit* edit = Create<TEdit>(form.get());
    TPanel* anonymous = Create<TPanel>(form.get());
    TEdit* hidden = Create<TEdit>(form.get());
    std::vector<std::string> calls;
    TDoThisProc record = TDoThisProc::Lambda([this](TControl* c) { calls.push_back(c->Name()); });

    void SetUp() override {
        panel->SetName("Panel1");
        panel->SetParent(form.get());
        edit->SetName("Edit1");
        edit->SetParent(panel);
        anonymous->SetParent(form.get());
        hidden->SetName("Hidden");
        hidden->SetParent(anonymous);
    }
    static std::vector<TObject*> Items(const TList& list) {
        std::vector<TObject*> out;
        for (int i = 0; i < list.Count(); ++i)
            out.push_back(static_cast<TObject*>(list.Items(i)));
        return out;
    }
};

}  // namespace

TEST_F(Walks, PropertyWalkFindsNestedControlsTwice) {
    TList list;
    edit->SetReadOnly(true);
    FindComponentsWPropertyOfTypes(form.get(), &list, "ReadOnly", 0);
    EXPECT_EQ(Items(list), (std::vector<TObject*>{edit, edit}));
    FindComponentsWPropertyOfTypes(form.get(), nullptr, "ReadOnly", 0);
}

TEST_F(Walks, ClassWalkAppendsOnceAndSkipsUnnamedBranches) {
    TList list;
    LoadAllRelevantComponentsOfForm(form.get(), {&TEdit::ClassInfo()}, &list);
    // Hidden is reached as an owned component, but not through its unnamed panel.
    EXPECT_EQ(Items(list), (std::vector<TObject*>{edit, hidden}));
    TList none;
    LoadAllRelevantComponentsOfForm(form.get(), {}, &none);
    EXPECT_EQ(none.Count(), 0);
}

TEST_F(Walks, ComponentsWithImagesAreCollectedWhateverTheirClass) {
    auto* holder = Create<TImageHolder>(form.get());
    holder->SetName("Holder");
    TList list;
    LoadAllRelevantComponentsOfForm(form.get(), {&TListBox::ClassInfo()}, &list);
    EXPECT_EQ(list.Count(), 0);  // no image list yet
    EXPECT_FALSE(ObjHasPropertyAndNotValue(holder, "Images", 0));
    holder->images = panel;
    EXPECT_TRUE(ObjHasPropertyAndNotValue(holder, "Images", 0));
    LoadAllRelevantComponentsOfForm(form.get(), {&TListBox::ClassInfo()}, &list);
    EXPECT_EQ(Items(list), (std::vector<TObject*>{holder}));
    TList none;
    LoadAllRelevantComponentsOfForm(form.get(), {}, &none);  // no classes: not even images
    EXPECT_EQ(none.Count(), 0);
    EXPECT_TRUE(TrySetPropValue(holder, "Images", static_cast<TObject*>(nullptr)));
    EXPECT_EQ(holder->images, nullptr);
}

TEST_F(Walks, DoThisWalksCallPerMatchingEntry) {
    SetAllOfXTypesComponentsToDoThis(form.get(), record, {&TEdit::ClassInfo(), &TCustomEdit::ClassInfo()});
    // Edit1: owned and on Panel1, two matching entries each; Hidden: owned and on the unnamed panel.
    EXPECT_EQ(calls, (std::vector<std::string>{"Edit1", "Edit1", "Edit1", "Edit1", "Hidden", "Hidden",
                                               "Hidden", "Hidden"}));
    calls.clear();
    SetAllOfXTypesComponentsToDoThis(form.get(), TDoThisProc(), {&TEdit::ClassInfo()});
    SetAllOfXTypesComponentsToDoThis(form.get(), record, {});
    EXPECT_TRUE(calls.empty());
}

TEST_F(Walks, ChildControlWalkMeetsEachControlOnce) {
    std::vector<std::pair<std::string, int>> got;
    auto rec = TDoThisIntegerProc::Lambda([&](TControl* c, int v) { got.emplace_back(c->Name(), v); });
    SetAllOfXTypesChildControlsToDoThisInt(form.get(), rec, {&TEdit::ClassInfo()}, 5);
    EXPECT_EQ(got, (std::vector<std::pair<std::string, int>>{{"Edit1", 5}, {"Hidden", 5}}));
}

TEST_F(Walks, PendingMessagesAreHandledDuringAWalk) {
    int handled = 0;
    auto counter = TDoThisProc::Lambda([&](TControl*) { ++handled; });
    // A message posted now is delivered before the walk reaches its first component.
    form->OnPaint = TNotifyEvent::Lambda([&](TObject*) { handled += 100; });
    form->Invalidate();
    SetAllOfXTypesComponentsToDoThis(form.get(), counter, {&TEdit::ClassInfo()});
    EXPECT_GE(handled, 100);
}

TEST(PropertyAccess, OrdinalsObjectsAndUnknownNames) {
    FormPtr form = MakeForm();
    TListBox* list = Create<TListBox>(form.get());
    EXPECT_TRUE(ObjHasPropertyAndNotValue(list, "ItemHeight", 0));
    EXPECT_FALSE(ObjHasPropertyAndNotValue(list, "ItemHeight", 16));
    EXPECT_FALSE(ObjHasPropertyAndNotValue(list, "Images", 0));  // no such property
    EXPECT_TRUE(ObjHasPropertyAndNotValue(list, "Items", 0));    // an object reads as its address
    EXPECT_FALSE(ObjHasPropertyAndNotValue(nullptr, "Items", 0));
    TEdit* edit = Create<TEdit>(form.get());
    EXPECT_FALSE(ObjHasPropertyAndNotValue(edit, "Text", 0));  // not an ordinal: no answer
}

TEST(PropertyAccess, TrySetNeverRaises) {
    FormPtr form = MakeForm();
    TEdit* edit = Create<TEdit>(form.get());
    EXPECT_TRUE(TrySetPropValue(edit, "Text", TValue(std::string("set"))));
    EXPECT_EQ(edit->Text(), "set");
    EXPECT_TRUE(TrySetPropValue(edit, "MaxLength", TValue(std::string("12"))));
    EXPECT_EQ(edit->MaxLength(), 12);
    EXPECT_FALSE(TrySetPropValue(edit, "MaxLength", TValue(std::string("twelve"))));
    EXPECT_EQ(edit->MaxLength(), 12);
    EXPECT_FALSE(TrySetPropValue(edit, "NoSuch", TValue(std::int64_t{1})));
    EXPECT_FALSE(TrySetPropValue(nullptr, "Text", TValue(std::string("x"))));
    TMemo* memo = Create<TMemo>(form.get());
    EXPECT_FALSE(TrySetPropValue(memo, "Lines", static_cast<TObject*>(form.get())));  // wrong class
    EXPECT_FALSE(TrySetPropValue(memo, "NoSuch", static_cast<TObject*>(nullptr)));
}

TEST(CallingProgramMessage, DecodesAndMarksHandled) {
    TMessage m{WM_USER + 232, 703, -3, 99};
    TCallingProgramMessageRec r = MessageFromCallingProgram(m);
    EXPECT_EQ(r.Command, 703);
    EXPECT_EQ(r.Detail, 0);
    EXPECT_EQ(r.Value, 3);
    EXPECT_EQ(m.Result, 0);
    m = TMessage{0, 0xAB12FFFFu, -3, 5};
    r = MessageExtraFromCallingProgram(m);
    EXPECT_EQ(r.Command, 0xFFFF);
    EXPECT_EQ(r.Detail, 0x12);
    EXPECT_EQ(r.Value, -3);
    m.LParam = INT_MIN;
    EXPECT_EQ(MessageFromCallingProgram(m).Value, INT_MIN);
}

TEST(ComponentList, ClearAndDestructionFreeTheHolders) {
    FormPtr form = MakeForm();
    auto* list = new TMyComponentList;
    list->AddObject("form", new TMyComponentHolder({&TForm::ClassInfo(), form.get()}));
    list->AddObject("none", nullptr);
    EXPECT_EQ(static_cast<TMyComponentHolder*>(list->Objects(0))->data.obj, form.get());
    list->Clear();
    EXPECT_EQ(list->Count(), 0);
    list->AddObject("again", new TMyComponentHolder({&TForm::ClassInfo(), form.get()}));
    list->Free();  // the sanitizer build reports the holder if it leaks
}
