#include "vendor/VendorClasses.h"

#include "vendor/AdvControls.h"
#include "vendor/AdvEditBtn.h"
#include "vendor/AdvFormStyler.h"
#include "vendor/AdvGlowButton.h"
#include "vendor/AdvListView.h"
#include "vendor/AdvMenuStyler.h"
#include "vendor/AdvOfficePager.h"
#include "vendor/AdvOfficeStatusBar.h"
#include "vendor/AdvOfficeTabSet.h"
#include "vendor/AdvProgressBar.h"
#include "vendor/AdvSmoothButton.h"
#include "vendor/AdvToolBtn.h"
#include "vendor/AdvTreeView.h"
#include "vendor/ElButtons.h"
#include "vendor/ElEdits.h"
#include "vendor/VendorCombos.h"

namespace vendor {

void RegisterVendorClasses() {
    static const bool done = [] {
        for (framework::TClass cls : {
                 &TAdvGlowButton::ClassInfo(),
                 &TElComboBox::ClassInfo(),
                 &TAdvCustomComboBox::ClassInfo(),
                 &TAdvOfficePage::ClassInfo(),
                 &TAdvOfficePager::ClassInfo(),
                 &TAdvOfficePagerStyler::ClassInfo(),
                 &TElCheckBox::ClassInfo(),
                 &TElRadioButton::ClassInfo(),
                 &TElRadioGroup::ClassInfo(),
                 &TElCheckGroup::ClassInfo(),
                 &TElDateTimePicker::ClassInfo(),
                 &TElEdit::ClassInfo(),
                 &TElMemo::ClassInfo(),
                 &TElFileNameEdit::ClassInfo(),
                 &TElFolderNameEdit::ClassInfo(),
                 &TElSpinEdit::ClassInfo(),
                 &TElFloatSpinEdit::ClassInfo(),
                 &TAdvOfficeStatusBar::ClassInfo(),
                 &TAdvToolButton::ClassInfo(),
                 &TAdvOfficeCheckBox::ClassInfo(),
                 &TAdvOfficeRadioButton::ClassInfo(),
                 &TAdvOfficeRadioGroup::ClassInfo(),
                 &TAdvSpinEdit::ClassInfo(),
                 &TAdvListView::ClassInfo(),
                 &TAdvEditBtn::ClassInfo(),
                 &TAdvTreeView::ClassInfo(),
                 &TAdvFormStyler::ClassInfo(),
                 &TAdvOfficeTabSet::ClassInfo(),
                 &TAdvMenuStyler::ClassInfo(),
                 &TAdvProgressBar::ClassInfo(),
                 &TAdvSmoothButton::ClassInfo(),
             })
            framework::RegisterClass(cls);
        return true;
    }();
    (void)done;
}

}  // namespace vendor
