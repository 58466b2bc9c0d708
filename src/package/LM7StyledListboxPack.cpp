#include "package/LM7StyledListboxPack.h"

#include "controls/ColourListBoxesAndCombos.h"
#include "controls/Containers.h"
#include "controls/My_StyledTMSComponents.h"
#include "controls/NotepadGrabPanel.h"
#include "controls/StyledViews.h"
#include "dialogs/FileFolderOpenDlgU.h"
#include "forms/My_TMSAdvOfficePagerU.h"
#include "framework/dialogs/Dialogs.h"
#include "framework/forms/TextForms.h"
#include "imaging/tool_imagelist_master.h"
#include "package/UnitLifetime.h"
#include "sibling/My_advcombou.h"
#include "vendor/VendorClasses.h"

#include <array>

namespace lm7 {

namespace {

constexpr std::array<std::string_view, 13> kRequiredPackages{"LM7FileDialogComponents",
                                                             "LM7AdvProgressBarPack",
                                                             "LM7GeneralRuntimePack2",
                                                             "LM7GeneralRuntimePack1",
                                                             "vclZipForged15",
                                                             "lmdelcore11rt_150",
                                                             "lmdrtlx11rt_150",
                                                             "lmdrtl11rt_150",
                                                             "tmsexd2011",
                                                             "tmsd2011",
                                                             "vclx150",
                                                             "vcl150",
                                                             "rtl150"};

constexpr std::array<std::string_view, 14> kContainedUnits{"LM7StyledListboxPack",
                                                           "dialog_stuff",
                                                           "FileFolderOpenDlgU",
                                                           "SysInit",
                                                           "My_TMSAdvOfficePagerU",
                                                           "My_StyledTMSComponents",
                                                           "graphics_utilities",
                                                           "ReadAndSaveIni",
                                                           "user_and_system_utils",
                                                           "Drive_Utils",
                                                           "ColourListBoxesAndCombos",
                                                           "tool_imagelist_master",
                                                           "components_and_ControlsU_base",
                                                           "TMSStyleableF"};

// Units with no work of their own only count their start-ups and shut-downs.
template <int N> struct CountingUnit {
    static TUnitLifetime& Lifetime() {
        static TUnitLifetime lifetime;
        return lifetime;
    }
    static void Initialization() { Lifetime().Start(); }
    static void Finalization() { Lifetime().Stop(); }
};

// In dependency order. A unit with work of its own (the master image lists) stands after
// everything it depends on, as the last entry with routines.
const std::array<TUnitEntry, 12> kUnitTable{{
    {"dialog_stuff", &CountingUnit<0>::Initialization, &CountingUnit<0>::Finalization},
    {"FileFolderOpenDlgU", &CountingUnit<1>::Initialization, &CountingUnit<1>::Finalization},
    {"My_TMSAdvOfficePagerU", &CountingUnit<2>::Initialization, &CountingUnit<2>::Finalization},
    {"My_StyledTMSComponents", &CountingUnit<3>::Initialization, &CountingUnit<3>::Finalization},
    {"graphics_utilities", &CountingUnit<4>::Initialization, &CountingUnit<4>::Finalization},
    {"Drive_Utils", &CountingUnit<5>::Initialization, &CountingUnit<5>::Finalization},
    {"user_and_system_utils", &CountingUnit<6>::Initialization, &CountingUnit<6>::Finalization},
    {"ReadAndSaveIni", &CountingUnit<7>::Initialization, &CountingUnit<7>::Finalization},
    {"components_and_ControlsU_base", &CountingUnit<8>::Initialization, &CountingUnit<8>::Finalization},
    {"ColourListBoxesAndCombos", &CountingUnit<9>::Initialization, &CountingUnit<9>::Finalization},
    {"TMSStyleableF", &CountingUnit<10>::Initialization, &CountingUnit<10>::Finalization},
    {"tool_imagelist_master", &Tool_imagelist_master::initialization, &Tool_imagelist_master::Finalization},
}};

}  // namespace

const TPackageInfo& PackageInfo() {
    static const TPackageInfo info{"LM7StyledListboxPack",
                                   "Styled list boxes and related controls of the suite's tool windows",
                                   true,
                                   true,
                                   "Styled listbox",
                                   "English (United Kingdom)",
                                   1252};
    return info;
}

std::span<const std::string_view> RequiredPackages() { return kRequiredPackages; }
std::span<const std::string_view> ContainedUnits() { return kContainedUnits; }
std::span<const TUnitEntry> GetPackageInfoTable() { return kUnitTable; }

void RegisterPackageClasses() {
    framework::RegisterFrameworkClasses();
    vendor::RegisterVendorClasses();
    for (framework::TClass cls :
         {&sibling::TmyAdvFilterCombo::ClassInfo(), &TStyledListbox::ClassInfo(),
          &TStyledListboxOwnerDrawnFixed::ClassInfo(), &TColourSharingListbox::ClassInfo(),
          &TColourSharingCombo::ClassInfo(), &TMyAdvTreeView::ClassInfo(), &TMyAdvListView::ClassInfo(),
          &TTransparentContainingGroup::ClassInfo(), &TContainBox::ClassInfo(),
          &TNotepadGrabPanel::ClassInfo(), &TMyOpenFolderDialog::ClassInfo(), &TMyOpenFileDialog::ClassInfo(),
          &framework::TOpenDialog::ClassInfo(), &framework::TSaveDialog::ClassInfo(),
          &framework::TFileOpenDialog::ClassInfo(), &TLMAdvOfficePager::ClassInfo()})
        framework::RegisterClass(cls);
}

void Initialize() {
    RegisterPackageClasses();
    for (const TUnitEntry& entry : kUnitTable)
        if (entry.Initialization)
            entry.Initialization();
}

void Finalize() {
    for (auto it = kUnitTable.rbegin(); it != kUnitTable.rend(); ++it)
        if (it->Finalization)
            it->Finalization();
}

void RegisterAll() {
    My_StyledTMSComponents::Register();
    ColourListBoxesAndCombos::Register();
    FileFolderOpenDlgU::Register();
    My_TMSAdvOfficePagerU::Register();
}

}  // namespace lm7
