#include "framework/forms/TextForms.h"
#include "framework/controls/Button.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Panel.h"
#include "support/FormFixture.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace testsupport;

namespace {

// A form with published handlers, as a tool window's class has them.
class TTextForm : public TForm {
public:
    using TForm::TForm;
    static const TClassInfo& ClassInfo() {
        static const TClassInfo info = TClassInfo::Derive<TTextForm, TForm>("TTextForm")
                                           .Method<&TTextForm::ButtonClick>("ButtonClick")
                                           .Method<&TTextForm::ListKey>("ListKey");
        return info;
    }
    TClass ClassType() const override { return &ClassInfo(); }
    void ButtonClick(TObject* Sender) { clicked.push_back(static_cast<TComponent*>(Sender)->Name()); }
    void ListKey(TObject*, std::uint16_t&, TShiftState) {}
    std::vector<std::string> clicked;
};

using TextFormPtr = std::unique_ptr<TComponent, TFreeDeleter>;

TextFormPtr Read(std::string_view text) {
    RegisterClass(&TTextForm::ClassInfo());
    return TextFormPtr(CreateFromTextForm(text, nullptr, "test.txt"));
}

constexpr std::string_view kLayout = R"(object Main: TTextForm
  Left = 10
  Top = 20
  Caption = 'It''s a ' + 'form'#13#10'two'
  OnShow = ButtonClick
  object Panel1: TPanel
    Align = alTop
    object OK: TButton
      Caption = 'OK'
      Font.Name = 'Liberation Sans'
      Font.Style = [fsBold, fsItalic]
      OnClick = ButtonClick
    end
  end
  object List: TListBox
    ItemIndex = 1
    Items.Strings = (
      'one'
      'two')
  end
end
)";

TEST(TextFormRead, BuildsNestedControlsWithEveryKindOfValue) {
    auto root = Read(kLayout);
    auto* form = As<TTextForm>(root.get());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Name(), "Main");
    EXPECT_EQ(form->Caption(), "It's a form\r\ntwo");
    auto* ok = As<TButton>(form->FindComponent("OK"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->Parent(), form->FindComponent("Panel1"));
    EXPECT_EQ(ok->Font()->Style(), fsBold | fsItalic);
    ok->OnClick(ok);
    EXPECT_EQ(form->clicked, std::vector<std::string>{"OK"});
    auto* list = As<TListBox>(form->FindComponent("List"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Items()->Count(), 2);
    EXPECT_EQ(list->ItemIndex(), 1);
}

TEST(TextFormWrite, WritingWhatWasReadGivesTheSameText) {
    auto first = Read(kLayout);
    const std::string text = WriteTextForm(first.get());
    auto second = Read(text);
    EXPECT_EQ(WriteTextForm(second.get()), text) << text;
}

}  // namespace
