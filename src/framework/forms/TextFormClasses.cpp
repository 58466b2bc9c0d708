#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/CheckListBox.h"
#include "framework/controls/ColorBox.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Frames.h"
#include "framework/controls/Grids.h"
#include "framework/controls/Image.h"
#include "framework/controls/ImageList.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Panel.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/ScrollBars.h"
#include "framework/forms/Forms.h"
#include "framework/forms/TextForms.h"

namespace framework {

void RegisterFrameworkClasses() {
    static const bool done = [] {
        for (TClass cls : {
                 &TForm::ClassInfo(),           &TFrame::ClassInfo(),        &TButton::ClassInfo(),
                 &TCheckBox::ClassInfo(),       &TRadioButton::ClassInfo(),  &TLabel::ClassInfo(),
                 &TEdit::ClassInfo(),           &TMemo::ClassInfo(),         &TRichEdit::ClassInfo(),
                 &TListBox::ClassInfo(),        &TCheckListBox::ClassInfo(), &TComboBox::ClassInfo(),
                 &TCustomColorBox::ClassInfo(), &TPanel::ClassInfo(),        &TGroupBox::ClassInfo(),
                 &TRadioGroup::ClassInfo(),     &TImageList::ClassInfo(),    &TToolBar::ClassInfo(),
                 &TToolButton::ClassInfo(),     &TMainMenu::ClassInfo(),     &TPopupMenu::ClassInfo(),
                 &TMenuItem::ClassInfo(),       &TImage::ClassInfo(),        &TDrawGrid::ClassInfo(),
                 &TStringGrid::ClassInfo(),     &TScrollBar::ClassInfo(),    &TScrollBox::ClassInfo(),
             })
            RegisterClass(cls);
        return true;
    }();
    (void)done;
}

}  // namespace framework
