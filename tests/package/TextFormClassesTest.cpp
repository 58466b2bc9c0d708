#include "controls/ColourListBoxesAndCombos.h"
#include "controls/Containers.h"
#include "controls/StyledListbox.h"
#include "framework/controls/Control.h"
#include "framework/controls/Menus.h"
#include "framework/controls/WinControl.h"
#include "framework/forms/Forms.h"
#include "framework/forms/TextForms.h"
#include "package/LM7StyledListboxPack.h"
#include "sibling/Colour_utils.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace lm7;

namespace {

using ComponentPtr = std::unique_ptr<TComponent, TFreeDeleter>;

// Every class a description of the suite's windows can name, from the framework, the vendor
// packs, the sibling runtime and the package.
const char* const kClasses[] = {"TForm",
                                "TFrame",
                                "TButton",
                                "TCheckBox",
                                "TRadioButton",
                                "TLabel",
                                "TEdit",
                                "TMemo",
                                "TRichEdit",
                                "TListBox",
                                "TCheckListBox",
                                "TComboBox",
                                "TCustomColorBox",
                                "TPanel",
                                "TGroupBox",
                                "TRadioGroup",
                                "TImageList",
                                "TToolBar",
                                "TToolButton",
                                "TMainMenu",
                                "TPopupMenu",
                                "TMenuItem",
                                "TAdvGlowButton",
                                "TElComboBox",
                                "TAdvCustomComboBox",
                                "TAdvOfficePage",
                                "TAdvOfficePager",
                                "TAdvOfficePagerStyler",
                                "TLMAdvOfficePager",
                                "TAdvFormStyler",
                                "TAdvOfficeTabSet",
                                "TAdvMenuStyler",
                                "TAdvProgressBar",
                                "TAdvSmoothButton",
                                "TDrawGrid",
                                "TStringGrid",
                                "TElCheckBox",
                                "TElRadioButton",
                                "TElRadioGroup",
                                "TElCheckGroup",
                                "TElDateTimePicker",
                                "TElEdit",
                                "TElMemo",
                                "TElFileNameEdit",
                                "TElFolderNameEdit",
                                "TElSpinEdit",
                                "TElFloatSpinEdit",
                                "TAdvOfficeStatusBar",
                                "TAdvToolButton",
                                "TAdvOfficeCheckBox",
                                "TAdvOfficeRadioButton",
                                "TAdvOfficeRadioGroup",
                                "TAdvSpinEdit",
                                "TmyAdvFilterCombo",
                                "TStyledListbox",
                                "TStyledListboxOwnerDrawnFixed",
                                "TColourSharingListbox",
                                "TColourSharingCombo",
                                "TImage",
                                "TAdvListView",
                                "TAdvTreeView",
                                "TMyAdvTreeView",
                                "TMyAdvListView",
                                "TTransparentContainingGroup",
                                "TContainBox",
                                "TNotepadGrabPanel",
                                "TAdvEditBtn",
                                "TMyOpenFolderDialog",
                                "TMyOpenFileDialog",
                                "TOpenDialog",
                                "TSaveDialog",
                                "TFileOpenDialog"};

class TextFormClasses : public ::testing::Test {
protected:
    TextFormClasses() { RegisterPackageClasses(); }
    TColorArray saved = sibling::MyColourArray;
    void TearDown() override { sibling::MyColourArray = saved; }
};

// A fresh instance of every class, as it is when dropped on a form, is written and read
// back to the same text: nothing its constructor sets is written in a form the reader refuses.
TEST_F(TextFormClasses, EveryRegisteredClassGoesRoundTrip) {
    for (const char* name : kClasses) {
        SCOPED_TRACE(name);
        TClass cls = GetClass(name);
        ASSERT_NE(cls, nullptr);
        ComponentPtr form(Create<TForm>(nullptr));
        form->SetName("Host");
        TComponent* c = cls->CreateInstance(form.get());
        c->SetName("C");
        if (auto* control = As<TControl>(c); control && !c->Is<TCustomForm>())
            control->SetParent(static_cast<TForm*>(form.get()));
        const std::string text = WriteTextForm(form.get());
        form.reset();
        ComponentPtr again;
        try {
            again.reset(CreateFromTextForm(text, nullptr, name));
        } catch (const Exception& e) {
            ADD_FAILURE() << e.Message() << "\n" << text;
            continue;
        }
        EXPECT_EQ(WriteTextForm(again.get()), text);
        ASSERT_NE(again->FindComponent("C"), nullptr);
        EXPECT_EQ(again->FindComponent("C")->ClassType(), cls);
    }
}

// A tool window's layout with the package's controls, their own properties and sub-properties.
TEST_F(TextFormClasses, AToolWindowLayoutReadsAndWritesBack) {
    sibling::MyColourArray = {{clBlue, "blue"}, {clRed, "red"}, {clYellow, "yellow"}};
    ComponentPtr form(CreateFromTextForm(R"(object Tool: TForm
  object Styled: TStyledListbox
    Items.Strings = (
      'alpha'
      'beta')
  end
  object Colours: TColourSharingListbox
    ShowText = [ts_index, ts_hex]
    DefaultColour = clRed
    ItemIndex = 2
  end
  object Combo: TColourSharingCombo
    LabelCaption = 'Colour'
    LabelPosition = lpTopLeft
    LabelFont.Style = [fsBold]
  end
  object Pager: TAdvOfficePager
    object Page1: TAdvOfficePage
    end
  end
  object Spin: TAdvSpinEdit
  end
  object Menu: TPopupMenu
    object CopyItem: TMenuItem
      Caption = 'Copy'
    end
  end
  object Box: TContainBox
    Anchors = [akLeft, akTop, akRight, akBottom]
    Padding.Top = 4
    PopupMenu = Menu
    Touch.InteractiveGestureOptions = [igoPanInertia]
    object Group: TTransparentContainingGroup
      Anchors = [akRight]
    end
  end
  object Tree: TMyAdvTreeView
    PopupMenu = Menu
  end
end
)",
                                         nullptr, "tool.txt"));
    auto* box = static_cast<TContainBox*>(form->FindComponent("Box"));
    auto* menu = As<TPopupMenu>(form->FindComponent("Menu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(box->Anchors(), akLeft | akTop | akRight | akBottom);
    EXPECT_EQ(box->Padding()->Top(), 4);
    EXPECT_EQ(box->PopupMenu(), menu);
    EXPECT_EQ(box->Touch()->InteractiveGestureOptions(), igoPanInertia);
    EXPECT_EQ(static_cast<TControl*>(form->FindComponent("Group"))->Anchors(), akRight);
    EXPECT_EQ(static_cast<TControl*>(form->FindComponent("Tree"))->PopupMenu(), menu);
    // Tab orders are written for every windowed control, in the order they were placed.
    EXPECT_EQ(box->TabOrder(), 5);
    auto* combo = static_cast<TColourSharingCombo*>(form->FindComponent("Combo"));
    ASSERT_NE(combo->Label(), nullptr);
    EXPECT_EQ(combo->Label()->Caption(), "Colour");
    EXPECT_EQ(combo->LabelPosition(), lpTopLeft);
    EXPECT_EQ(combo->LabelFont()->Style(), fsBold);
    auto* colours = static_cast<TColourSharingListbox*>(form->FindComponent("Colours"));
    EXPECT_EQ(colours->DefaultColour(), clRed);
    colours->HandleNeeded();
    EXPECT_EQ(colours->ItemIndex(), 2);
    EXPECT_EQ(static_cast<TStyledListbox*>(form->FindComponent("Styled"))->Items()->Count(), 2);
    const std::string text = WriteTextForm(form.get());
    form.reset();
    ComponentPtr again(CreateFromTextForm(text, nullptr, "again.txt"));
    EXPECT_EQ(WriteTextForm(again.get()), text);
}

// A form that picks a colour in its own Loaded, before its pickers have their entries.
class TPickerForm : public TForm {
public:
    using TForm::TForm;
    static const TClassInfo& ClassInfo() {
        static const TClassInfo info = TClassInfo::Derive<TPickerForm, TForm>("TPickerForm");
        return info;
    }
    TClass ClassType() const override { return &ClassInfo(); }

protected:
    void Loaded() override {
        TForm::Loaded();
        static_cast<TColourSharingListbox*>(FindComponent("List"))->SetSelectedColour(clYellow);
        static_cast<TColourSharingCombo*>(FindComponent("Combo"))->SetSelectedColour(clRed);
    }
};

TEST_F(TextFormClasses, PickersKeepAColourChosenWhileTheFormLoads) {
    sibling::MyColourArray = {{clBlue, "blue"}, {clRed, "red"}, {clYellow, "yellow"}};
    ComponentPtr form(Create<TPickerForm>(nullptr));
    ReadTextForm(R"(object Pickers: TPickerForm
  object List: TColourSharingListbox
    ShowText = [ts_hex]
    DefaultColour = clBlue
  end
  object Combo: TColourSharingCombo
    LabelCaption = 'Colour'
  end
end
)",
                 form.get(), "pickers.txt");
    auto* list = static_cast<TColourSharingListbox*>(form->FindComponent("List"));
    auto* combo = static_cast<TColourSharingCombo*>(form->FindComponent("Combo"));
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(list->SelectedColour(), clYellow);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->SelectedColour(), clRed);
    EXPECT_EQ(combo->GetLabelCaption(), "Colour");
}

// A colour list box's ItemIndex is stored with the form; its entries come with its window.
TEST_F(TextFormClasses, AStoredItemIndexWaitsForTheSharedTable) {
    sibling::MyColourArray = {{clBlue, "blue"}, {clRed, "red"}, {clYellow, "yellow"}};
    ComponentPtr form(CreateFromTextForm(R"(object Pickers: TForm
  object List: TColourSharingListbox
    ItemIndex = 1
  end
end
)",
                                         nullptr, "index.txt"));
    auto* list = static_cast<TColourSharingListbox*>(form->FindComponent("List"));
    list->HandleNeeded();
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(list->SelectedColourName(), "red");
}

}  // namespace
