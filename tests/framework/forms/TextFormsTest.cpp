#include "framework/forms/TextForms.h"
#include "framework/classes/Collection.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Button.h"
#include "framework/controls/ColorBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/ImageList.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Panel.h"
#include "framework/controls/RadioGroup.h"
#include "framework/graphics/ColorProp.h"
#include "support/FormFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace framework;
using namespace testsupport;

namespace {

class TSampleItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    static const TClassInfo& ClassInfo() {
        static const TClassInfo info =
            TClassInfo::Derive<TSampleItem, TCollectionItem>("TSampleItem")
                .String<TSampleItem>("Caption", &TSampleItem::caption, &TSampleItem::caption)
                .Integer<TSampleItem>("Width", &TSampleItem::width, &TSampleItem::width, 50)
                .Object<TSampleItem, TComponent>("Link", &TSampleItem::link, &TSampleItem::link);
        return info;
    }
    TClass ClassType() const override { return &ClassInfo(); }
    std::string caption;
    int width = 50;
    TComponent* link = nullptr;
};

enum TShape { shCircle, shSquare, shStar };

// A component with a published property of every kind, logging what loading looks like.
class TSample : public TComponent {
public:
    explicit TSample(TComponent* AOwner) : TComponent(AOwner) {}
    static const TClassInfo& ClassInfo() {
        static const TClassInfo info =
            TClassInfo::Derive<TSample, TComponent>("TSample")
                .Integer<TSample>("Count", &TSample::Count, &TSample::SetCount)
                .Integer<TSample>("Level", &TSample::level, &TSample::level, 3)
                .Bool<TSample>("Active", &TSample::active, &TSample::active, false)
                .Enum<TSample>("Shape", {"shCircle", "shSquare", "shStar"}, &TSample::shape, &TSample::shape,
                               shCircle)
                .SetOf<TSample>("Options", {"opA", "opB", "opC"}, &TSample::options, &TSample::options, 0)
                .Float<TSample>("Scale", &TSample::scale, &TSample::scale)
                .String<TSample>("Title", &TSample::title, &TSample::title)
                .Property(ColorProperty<TSample>("Colour", &TSample::colour, &TSample::SetColour, clWindow))
                .Object<TSample, TComponent>("Buddy", &TSample::Buddy, &TSample::SetBuddy)
                .Object<TSample, TStrings>("Lines", &TSample::Lines, &TSample::SetLines)
                .Object<TSample, TCollection>("Columns", &TSample::Columns)
                .Binary<TSample>("Data", &TSample::Data, &TSample::SetData)
                .Object<TSample, TFont>("Font", &TSample::Font, &TSample::SetFont)
                .Integer<TSample>("ReadOnlyValue", &TSample::level)
                .Event<TSample>("OnPing", &TSample::OnPing);
        return info;
    }
    TClass ClassType() const override { return &ClassInfo(); }

    int Count() const { return count; }
    void SetCount(int Value) {
        count = Value;
        stateWhenSet = ComponentState();
    }
    void SetColour(TColor Value) { colour = Value; }
    TComponent* Buddy() const { return buddy; }
    void SetBuddy(TComponent* Value) {
        buddy = Value;
        if (buddy)
            buddy->FreeNotification(this);
    }
    TStrings* Lines() const { return lines.get(); }
    void SetLines(TStrings* Value) { lines->Assign(Value); }
    TCollection* Columns() const { return columns.get(); }
    std::string Data() const { return data; }
    void SetData(std::string_view Value) { data = Value; }
    TFont* Font() const { return font.get(); }
    void SetFont(TFont* Value) { font->Assign(Value); }

    int count = 0;
    int level = 3;
    bool active = false;
    TShape shape = shCircle;
    unsigned options = 0;
    double scale = 0;
    std::string title;
    TColor colour = clWindow;
    TComponent* buddy = nullptr;
    std::unique_ptr<TStringList, TFreeDeleter> lines{Create<TStringList>()};
    std::unique_ptr<TCollection, TFreeDeleter> columns{
        Create<TCollection>(&TSampleItem::ClassInfo(), &TCollection::MakeItem<TSampleItem>)};
    std::string data;
    std::unique_ptr<TFont, TFreeDeleter> font{Create<TFont>()};
    TNotifyEvent OnPing;

    TComponentState stateWhenSet = 0;
    TComponentState stateInLoaded = 0;
    TComponent* buddyInLoaded = nullptr;
    std::vector<std::string>* loadedLog = nullptr;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == TOperation::opRemove && AComponent == buddy)
            buddy = nullptr;
    }
    void Loaded() override {
        TComponent::Loaded();
        stateInLoaded = ComponentState();
        buddyInLoaded = buddy;
        if (loadedLog)
            loadedLog->push_back(Name());
    }
};

// A form class with published handlers, as a tool window's class has them.
class TTextForm : public TForm {
public:
    using TForm::TForm;
    static const TClassInfo& ClassInfo() {
        static const TClassInfo info = TClassInfo::Derive<TTextForm, TForm>("TTextForm")
                                           .Method<&TTextForm::Ping>("Ping")
                                           .Method<&TTextForm::KeyHandler>("KeyHandler");
        return info;
    }
    TClass ClassType() const override { return &ClassInfo(); }
    void Ping(TObject* Sender) { pinged.push_back(static_cast<TComponent*>(Sender)->Name()); }
    void KeyHandler(TObject*, std::uint16_t&, TShiftState) {}
    std::vector<std::string> pinged;
};

using ComponentPtr = std::unique_ptr<TComponent, TFreeDeleter>;

struct TextForms : ::testing::Test {
    TextForms() {
        RegisterClass(&TTextForm::ClassInfo());
        RegisterClass(&TSample::ClassInfo());
    }
    ComponentPtr Read(std::string_view text) {
        return ComponentPtr(CreateFromTextForm(text, owner.get(), "test.txt"));
    }
    // Reading must fail at that line and property, leaving nothing behind.
    ETextFormError Fails(std::string_view text, int line, const std::string& path) {
        try {
            Read(text);
        } catch (const ETextFormError& e) {
            EXPECT_EQ(e.FileName, "test.txt");
            EXPECT_EQ(e.Line, line) << e.Message();
            EXPECT_EQ(e.PropertyPath, path) << e.Message();
            EXPECT_EQ(owner->ComponentCount(), 0) << "a half-built form was left";
            return e;
        }
        ADD_FAILURE() << "no error for:\n" << text;
        return ETextFormError({}, 0, {}, {});
    }
    ComponentPtr owner{Create<TComponent>(nullptr)};
};

constexpr std::string_view kEveryKind = R"(object Main: TTextForm
  Caption = 'It''s ' + 'one'#13#10 +
    'two'#$263A
  object S1: TSample
    Count = -42
    Level = 7
    Active = True
    Shape = shStar
    Options = [opA, opC]
    Scale = 1.25E2
    Title = #9'tab'
    Colour = clRed
    Buddy = S2
    Lines.Strings = (
      'first'
      ''
      'third'#13)
    Columns = <
      item
        Caption = 'Name'
        Width = 120
      end
      item
        Caption = 'Size'
      end>
    Data = {
      00FF10
      7f}
    Font.Name = 'Liberation Sans'
    Font.Style = [fsBold]
    Font.Color = $000080FF
    OnPing = Ping
  end
  object S2: TSample
    Buddy = Main
  end
end
)";

TEST_F(TextForms, EveryKindOfValueIsRead) {
    auto root = Read(kEveryKind);
    auto* form = As<TTextForm>(root.get());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Owner(), owner.get());
    EXPECT_EQ(form->Caption(), "It's one\r\ntwo\xE2\x98\xBA");
    auto* s1 = As<TSample>(form->FindComponent("S1"));
    auto* s2 = As<TSample>(form->FindComponent("S2"));
    ASSERT_TRUE(s1 && s2);
    EXPECT_EQ(s1->count, -42);
    EXPECT_EQ(s1->level, 7);
    EXPECT_TRUE(s1->active);
    EXPECT_EQ(s1->shape, shStar);
    EXPECT_EQ(s1->options, 0b101u);
    EXPECT_DOUBLE_EQ(s1->scale, 125.0);
    EXPECT_EQ(s1->title, "\ttab");
    EXPECT_EQ(s1->colour, clRed);
    EXPECT_EQ(s1->buddy, s2);  // a reference to a component read later
    EXPECT_EQ(s2->buddy, form);
    EXPECT_EQ(s1->lines->Text(), "first\n\nthird\r\n");
    ASSERT_EQ(s1->columns->Count(), 2);
    EXPECT_EQ(static_cast<TSampleItem*>(s1->columns->Items(0))->caption, "Name");
    EXPECT_EQ(static_cast<TSampleItem*>(s1->columns->Items(0))->width, 120);
    EXPECT_EQ(static_cast<TSampleItem*>(s1->columns->Items(1))->width, 50);
    EXPECT_EQ(s1->data, std::string("\x00\xFF\x10\x7F", 4));
    EXPECT_EQ(s1->font->Name(), "Liberation Sans");
    EXPECT_EQ(s1->font->Style(), fsBold);
    EXPECT_EQ(s1->font->Color(), 0x000080FF);
    ASSERT_TRUE(s1->OnPing);
    s1->OnPing(s1);
    EXPECT_EQ(form->pinged, std::vector<std::string>{"S1"});
    EXPECT_FALSE(s2->OnPing);
}

TEST_F(TextForms, WritingGivesOnlyStoredValuesAndReadsBackTheSame) {
    auto first = Read(kEveryKind);
    const std::string text = WriteTextForm(first.get());
    first.reset();
    // Values at their defaults are left out; the others are all there.
    EXPECT_EQ(text.find("Level = 3"), std::string::npos);
    EXPECT_EQ(text.find("ReadOnlyValue"), std::string::npos);
    EXPECT_NE(text.find("    Level = 7\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    Options = [opA, opC]\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    Colour = clRed\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    Title = #9'tab'\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    OnPing = Ping\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    Data = {\n      00FF107F}\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    Buddy = Main\n"), std::string::npos) << text;

    auto second = Read(text);
    EXPECT_EQ(WriteTextForm(second.get()), text);
    auto* s1 = As<TSample>(second->FindComponent("S1"));
    ASSERT_NE(s1, nullptr);
    EXPECT_EQ(s1->buddy, second->FindComponent("S2"));
    EXPECT_EQ(s1->data, std::string("\x00\xFF\x10\x7F", 4));
    EXPECT_EQ(s1->lines->Text(), "first\n\nthird\r\n");
    EXPECT_EQ(As<TCustomForm>(second.get())->Caption(), "It's one\r\ntwo\xE2\x98\xBA");
}

TEST_F(TextForms, LongTextIsContinuedAndReadBackWhole) {
    auto root = Read("object Main: TTextForm\nend\n");
    std::string caption;
    for (int i = 0; i < 40; ++i)
        caption += "w\xC3\xA9rd" + std::to_string(i) + "'";
    As<TCustomForm>(root.get())->SetCaption(caption);
    const std::string text = WriteTextForm(root.get());
    EXPECT_NE(text.find("' +\n"), std::string::npos) << text;
    auto again = Read(text);
    EXPECT_EQ(As<TCustomForm>(again.get())->Caption(), caption);
}

TEST_F(TextForms, ComponentsCarryLoadingStatesUntilLoaded) {
    std::vector<std::string> log;
    auto root = Read("object Main: TTextForm\n end\n");
    // Fill an existing root, so the log can be hooked before the read: one sample exists.
    auto* existing = Create<TSample>(root.get());
    existing->SetName("Old");
    existing->loadedLog = &log;
    ReadTextForm(R"(inherited Main: TTextForm
  inherited Old: TSample
    Count = 1
    Buddy = New
  end
  object New: TSample
    Count = 2
  end
end
)",
                 root.get(), "more.txt");
    auto* created = As<TSample>(root->FindComponent("New"));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(existing->stateWhenSet & (csLoading | csReading), csLoading | csReading);
    EXPECT_EQ(created->stateWhenSet & (csLoading | csReading), csLoading | csReading);
    EXPECT_EQ(existing->stateInLoaded & (csLoading | csReading), 0u);
    EXPECT_EQ(existing->buddyInLoaded, created);  // references are resolved before Loaded
    EXPECT_EQ(log, std::vector<std::string>{"Old"});
    EXPECT_FALSE(root->HasState(csLoading | csReading));
    EXPECT_FALSE(created->HasState(csLoading | csReading));
}

TEST_F(TextForms, ADescendantReadsItsOwnLayoutOverItsBase) {
    ComponentPtr form(Create<TTextForm>(owner.get()));
    ReadTextForm(R"(object Base: TForm
  Caption = 'Base'
  object Panel1: TPanel
    object OK: TButton
      Caption = 'OK'
    end
  end
end
)",
                 form.get(), "base.txt");
    ReadTextForm(R"(inherited Tool: TTextForm
  Caption = 'Tool'
  inherited Panel1: TPanel
    inherited OK: TButton
      Caption = 'Go'
      OnClick = Ping
    end
    object Cancel: TButton
      Caption = 'Cancel'
    end
  end
end
)",
                 form.get(), "tool.txt");
    auto* tool = As<TTextForm>(form.get());
    EXPECT_EQ(tool->Name(), "Tool");
    EXPECT_EQ(tool->Caption(), "Tool");
    auto* panel = As<TPanel>(tool->FindComponent("Panel1"));
    auto* ok = As<TButton>(tool->FindComponent("OK"));
    auto* cancel = As<TButton>(tool->FindComponent("Cancel"));
    ASSERT_TRUE(panel && ok && cancel);
    EXPECT_EQ(ok->Caption(), "Go");
    EXPECT_EQ(ok->Parent(), panel);
    EXPECT_EQ(cancel->Parent(), panel);
    ok->OnClick(ok);
    EXPECT_EQ(tool->pinged, std::vector<std::string>{"OK"});
}

TEST_F(TextForms, ReferencesInItemsThatWereReplacedAreDropped) {
    auto root = Read(R"(object Main: TTextForm
  object S1: TSample
    Columns = <
      item
        Link = S1
      end>
    Columns = <
      item
        Caption = 'again'
      end>
  end
end
)");
    auto* s1 = As<TSample>(root->FindComponent("S1"));
    ASSERT_EQ(s1->columns->Count(), 1);
    EXPECT_EQ(static_cast<TSampleItem*>(s1->columns->Items(0))->caption, "again");
    EXPECT_EQ(static_cast<TSampleItem*>(s1->columns->Items(0))->link, nullptr);
}

TEST_F(TextForms, ASecondFormOfAClassGetsAFreshName) {
    auto first = Read("object Main: TTextForm\nend\n");
    auto second = Read("object Main: TTextForm\nend\n");
    EXPECT_EQ(second->Name(), "Main_1");
}

TEST_F(TextForms, SelectionsReadBeforeTheirItemsAreKept) {
    auto root = Read(R"(object Main: TTextForm
  object List: TListBox
    ItemIndex = 2
    Items.Strings = (
      'a'
      'b'
      'c')
  end
  object Combo: TComboBox
    Style = csDropDownList
    ItemIndex = 1
    Items.Strings = (
      'x'
      'y')
  end
  object Colours: TCustomColorBox
    Selected = clLime
  end
  object Radio: TRadioGroup
    ItemIndex = 1
    Items.Strings = (
      'one'
      'two'
      'three')
  end
end
)");
    EXPECT_EQ(As<TRadioGroup>(root->FindComponent("Radio"))->ItemIndex(), 1);
    EXPECT_EQ(As<TListBox>(root->FindComponent("List"))->ItemIndex(), 2);
    auto* combo = As<TComboBox>(root->FindComponent("Combo"));
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "y");
    // The colour box builds its entries with its window; the colour waits for them.
    auto* colours = As<TCustomColorBox>(root->FindComponent("Colours"));
    EXPECT_EQ(colours->Selected(), clLime);
    colours->HandleNeeded();
    ASSERT_GE(colours->ItemIndex(), 0);
    EXPECT_EQ(colours->Colors(colours->ItemIndex()), clLime);
    // An index no item ever matches selects nothing once set outside loading.
    As<TListBox>(root->FindComponent("List"))->SetItemIndex(7);
    EXPECT_EQ(As<TListBox>(root->FindComponent("List"))->ItemIndex(), -1);
}

// A colour box builds its entries with its window: an entry chosen before that, by index or by
// colour, by hand or from a description of a shown form, is chosen once the entries are there.
TEST_F(TextForms, AColourBoxKeepsASelectionMadeBeforeItsEntries) {
    auto root = Read("object Main: TTextForm\nend\n");
    auto* form = As<TCustomForm>(root.get());
    auto* byIndex = Create<TCustomColorBox>(form);
    byIndex->SetName("ByIndex");
    byIndex->SetParent(form);
    byIndex->SetItemIndex(3);
    auto* byColour = Create<TCustomColorBox>(form);
    byColour->SetName("ByColour");
    byColour->SetParent(form);
    byColour->SetSelected(clNavy);
    auto* first = Create<TCustomColorBox>(form);
    first->SetName("First");
    first->SetParent(form);
    first->SetItemIndex(0);  // black: the colour is the default, so only the index is written
    form->Show();
    form->PaintInvalid();  // every window made
    ASSERT_GT(byIndex->Items()->Count(), 3);
    EXPECT_EQ(byIndex->ItemIndex(), 3);
    EXPECT_EQ(byColour->Selected(), clNavy);
    EXPECT_EQ(byColour->Colors(byColour->ItemIndex()), clNavy);
    EXPECT_EQ(first->ItemIndex(), 0);

    const std::string text = WriteTextForm(form);
    auto again = Read(text);
    As<TCustomForm>(again.get())->Show();
    As<TCustomForm>(again.get())->PaintInvalid();
    EXPECT_EQ(As<TCustomColorBox>(again->FindComponent("ByIndex"))->ItemIndex(), 3) << text;
    EXPECT_EQ(As<TCustomColorBox>(again->FindComponent("ByColour"))->Selected(), clNavy);
    EXPECT_EQ(As<TCustomColorBox>(again->FindComponent("First"))->ItemIndex(), 0);
}

TEST_F(TextForms, MenusImageListsAndControlsGoRoundTrip) {
    auto root = Read(R"(object Main: TTextForm
  object Menu: TMainMenu
    Images = Icons
    object File1: TMenuItem
      Caption = '&File'
      object Open1: TMenuItem
        Caption = 'Open'
        ImageIndex = 0
      end
    end
  end
  object Icons: TImageList
    Width = 2
    Height = 1
  end
  object Label1: TLabel
    Caption = 'Label'
    Cursor = crHandPoint
  end
end
)");
    auto* icons = As<TImageList>(root->FindComponent("Icons"));
    icons->AddPixels({0xFF112233u, 0x80445566u});
    auto* menu = As<TMainMenu>(root->FindComponent("Menu"));
    ASSERT_EQ(menu->Items()->Count(), 1);
    ASSERT_EQ(menu->Items()->Items(0)->Count(), 1);
    EXPECT_EQ(menu->Items()->Items(0)->Items(0)->Name(), "Open1");
    EXPECT_EQ(menu->Images(), icons);
    EXPECT_EQ(As<TLabel>(root->FindComponent("Label1"))->Parent(), root.get());
    EXPECT_EQ(As<TLabel>(root->FindComponent("Label1"))->Cursor(), crHandPoint);

    const std::string text = WriteTextForm(root.get());
    EXPECT_NE(text.find("    Cursor = crHandPoint\n"), std::string::npos) << text;
    const std::vector<TPixel> pixels = icons->Pixels(0);
    root.reset();
    auto again = Read(text);
    EXPECT_EQ(WriteTextForm(again.get()), text);
    auto* icons2 = As<TImageList>(again->FindComponent("Icons"));
    ASSERT_EQ(icons2->Count(), 1);
    EXPECT_EQ(icons2->Pixels(0), pixels);
    EXPECT_EQ(As<TMainMenu>(again->FindComponent("Menu"))->Items()->Items(0)->Items(0)->Caption(), "Open");
}

TEST_F(TextForms, FilesAreReadAndBadFilesNamed) {
    TempFolder folder;
    const std::string path = folder.Path("main.txt");
    std::ofstream(path) << "object Main: TTextForm\n  Caption = 'From a file'\nend\n";
    ComponentPtr root(CreateFromTextFormFile(path, owner.get()));
    EXPECT_EQ(As<TCustomForm>(root.get())->Caption(), "From a file");
    EXPECT_THROW(CreateFromTextFormFile(folder.Path("none.txt"), owner.get()), EFOpenError);
    std::ofstream(path) << "object Main: TTextForm\n  Caption = 3\nend\n";
    try {
        CreateFromTextFormFile(path, owner.get());
        ADD_FAILURE();
    } catch (const ETextFormError& e) {
        EXPECT_NE(e.Message().find(path), std::string::npos);
        EXPECT_NE(e.Message().find("line 2"), std::string::npos);
        EXPECT_NE(e.Message().find("Main.Caption"), std::string::npos);
    }
}

TEST_F(TextForms, UnknownNamesAreErrors) {
    Fails("object Main: TTextForm\n  object X: TNoSuchClass\n  end\nend\n", 2, "");
    Fails("object Main: TTextForm\n  object X: TSample\n    Nope = 1\n  end\nend\n", 3, "X.Nope");
    Fails("object Main: TTextForm\n  object X: TSample\n    Font.Nope = 1\n  end\nend\n", 3, "X.Font.Nope");
    Fails("object Main: TTextForm\n  object X: TSample\n    Count.Sub = 1\n  end\nend\n", 3, "X.Count");
    Fails("object Main: TTextForm\n  object X: TSample\n    OnPing = Nope\n  end\nend\n", 3, "X.OnPing");
    Fails("object Main: TTextForm\n  object X: TSample\n    Buddy = Nobody\n  end\nend\n", 3, "X.Buddy");
    Fails("object Main: TTextForm\n  inherited X: TSample\n  end\nend\n", 2, "");
    Fails("object Main: TNoSuchForm\nend\n", 1, "");
    // Not a component class, and a class that cannot be made.
    RegisterClass(&TSampleItem::ClassInfo());
    Fails("object Main: TTextForm\n  object X: TSampleItem\n  end\nend\n", 2, "");
    Fails("object Main: TTextForm\n  object X: TControl\n  end\nend\n", 2, "");
}

TEST_F(TextForms, ValuesOfTheWrongKindAreErrors) {
    const std::string head = "object Main: TTextForm\n  object X: TSample\n";
    auto bad = [&](const std::string& line, const std::string& path) {
        Fails(head + "    " + line + "\n  end\nend\n", 3, "X." + path);
    };
    bad("Count = 'text'", "Count");
    bad("Count = 99999999999", "Count");
    bad("Count = 1.5", "Count");
    bad("Level = clNoColour", "Level");
    bad("Active = 1", "Active");
    bad("Shape = shHexagon", "Shape");
    bad("Options = [opA, opZ]", "Options");
    bad("Options = opA", "Options");
    bad("Scale = 'big'", "Scale");
    bad("Title = 12", "Title");
    bad("Colour = clNotAColour", "Colour");
    bad("ReadOnlyValue = 1", "ReadOnlyValue");
    bad("Lines = 'one'", "Lines");
    bad("Lines.Strings = ('one' 2)", "Lines.Strings");
    bad("Columns = < item Caption = 5 end >", "Columns[0].Caption");
    bad("Columns = < thing >", "Columns");
    bad("Data = 00FF", "Data");
    bad("OnPing = KeyHandler", "OnPing");  // a handler of another signature
    bad("Buddy = 'S2'", "Buddy");
    bad("Name = '1X'", "Name");
}

TEST_F(TextForms, BrokenTextIsAnError) {
    Fails("object Main: TTextForm\n  Caption = 'open\nend\n", 2, "Main.Caption");
    Fails("object Main: TTextForm\n  Caption = #99999999\nend\n", 2, "Main.Caption");
    Fails("object Main: TTextForm\n  Caption = 'a' +\nend\n", 3, "Main.Caption");
    Fails("object Main: TTextForm\n  object X: TSample\n    Data = {0F\n    F}\n  end\nend\n", 4, "X.Data");
    Fails("object Main: TTextForm\n  object X: TSample\n    Data = {00\n", 3, "X.Data");
    Fails("object Main: TTextForm\n  object X: TSample\n  end\n", 4, "");   // no end
    Fails("object Main: TTextForm\nend\nobject Y: TSample\nend\n", 3, "");  // text after the end
    Fails("object Main: TTextForm\n  object X: TSample\n  end\n  Caption = 'late'\nend\n", 4, "");
    Fails("object Main: TTextForm\n  object X: TSample\n  end\n  object X: TSample\n  end\nend\n", 4, "X");
    Fails("Main: TTextForm\nend\n", 1, "");
    Fails("inherited Main: TTextForm\nend\n", 1, "");  // nothing to inherit from
    // Objects inside a holder that cannot take them.
    Fails("object Main: TTextForm\n  object L: TLabel\n    object B: TButton\n    end\n  end\nend\n", 3, "B");
    Fails("object Main: TTextForm\n  object P: TPanel\n    object M: TMenuItem\n    end\n  end\nend\n", 3,
          "M");
    Fails("object Main: TTextForm\n  Caption 'x'\nend\n", 2, "");
    Fails("", 1, "");
    std::string deep = "object Main: TTextForm\n";
    for (int i = 0; i < 300; ++i)
        deep += "object P" + std::to_string(i) + ": TPanel\n";
    Fails(deep, 202, "");
}

// A value whose text cannot be spelled out names its property, as a value of the wrong kind does.
TEST_F(TextForms, ValuesThatCannotBeSpelledOutNameTheirProperty) {
    const std::string head = "object Main: TTextForm\n  object X: TSample\n";
    auto bad = [&](const std::string& line, const std::string& path) {
        const ETextFormError e = Fails(head + "    " + line + "\n  end\nend\n", 3, "X." + path);
        EXPECT_NE(e.Message().find("property X." + path), std::string::npos) << e.Message();
    };
    bad("Count = 123456789012345678901234", "Count");  // beyond 64 bits
    bad("Count = $1FFFFFFFFFFFFFFFFF", "Count");
    bad("Scale = 1E400", "Scale");
    bad("Data = {0G}", "Data");
    bad("Title = #55357'x'", "Title");  // the first half of a pair alone
    bad("Title = #56832", "Title");     // the second half alone
}

// Descriptions of UTF-16 strings give a character beyond U+FFFF as its two surrogate codes.
TEST_F(TextForms, SurrogatePairsAreReadAsOneCharacter) {
    auto root = Read("object Main: TTextForm\n  Caption = 'a'#55357#56832'b'#$D83D#$DE00\nend\n");
    EXPECT_EQ(As<TCustomForm>(root.get())->Caption(), "a\xF0\x9F\x98\x80"
                                                      "b\xF0\x9F\x98\x80");
    // What the writer gives for it reads back the same.
    auto again = Read(WriteTextForm(root.get()));
    EXPECT_EQ(As<TCustomForm>(again.get())->Caption(), As<TCustomForm>(root.get())->Caption());
}

// A description names the control that had the focus; a hidden form being read cannot focus
// it, so it takes the focus when the form is shown.
TEST_F(TextForms, TheActiveControlTakesTheFocusWhenTheFormIsShown) {
    constexpr std::string_view text = R"(object Main: TTextForm
  ActiveControl = Second
  object First: TButton
  end
  object Second: TButton
  end
end
)";
    auto root = Read(text);
    auto* form = As<TCustomForm>(root.get());
    auto* second = As<TButton>(root->FindComponent("Second"));
    EXPECT_EQ(form->ActiveControl(), second);
    EXPECT_FALSE(second->Focused());
    form->Show();
    EXPECT_TRUE(second->Focused());
    EXPECT_EQ(form->ActiveControl(), second);

    // The writer's text for the shown form reads back and focuses the same control.
    const std::string written = WriteTextForm(form);
    EXPECT_NE(written.find("ActiveControl = Second"), std::string::npos) << written;
    auto again = Read(written);
    As<TCustomForm>(again.get())->Show();
    EXPECT_TRUE(As<TButton>(again->FindComponent("Second"))->Focused());

    // The named control may go before the form is shown.
    auto third = Read(text);
    third->FindComponent("Second")->Free();
    EXPECT_EQ(As<TCustomForm>(third.get())->ActiveControl(), nullptr);
    As<TCustomForm>(third.get())->Show();
    EXPECT_EQ(As<TCustomForm>(third.get())->ActiveControl(), third->FindComponent("First"));
    // Outside reading, a control that cannot take the focus is still refused.
    auto hidden = Read(text);
    EXPECT_THROW(As<TCustomForm>(hidden.get())->SetActiveControl(As<TButton>(hidden->FindComponent("First"))),
                 EInvalidOperation);
}

TEST_F(TextForms, AFailedReadIntoAFormFreesWhatItMade) {
    ComponentPtr form(Create<TTextForm>(owner.get()));
    auto* kept = Create<TButton>(form.get());
    kept->SetName("Kept");
    kept->SetParent(As<TTextForm>(form.get()));
    EXPECT_THROW(ReadTextForm(R"(object Main: TTextForm
  object Panel1: TPanel
    object Inner: TButton
    end
  end
  inherited Kept: TButton
    Caption = 'Changed'
  end
  object Bad: TSample
    Shape = shNone
  end
end
)",
                              form.get(), "fill.txt"),
                 ETextFormError);
    ASSERT_EQ(form->ComponentCount(), 1);
    EXPECT_EQ(form->Components(0), kept);
    EXPECT_FALSE(kept->HasState(csLoading | csReading));
    EXPECT_FALSE(form->HasState(csLoading | csReading));
    EXPECT_THROW(ReadTextForm("object Main: TPanel\nend\n", form.get(), "other.txt"), ETextFormError);
}

}  // namespace
