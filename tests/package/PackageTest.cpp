#include "controls/StyledListbox.h"
#include "framework/classes/Palette.h"
#include "imaging/tool_imagelist_master.h"
#include "package/LM7StyledListboxPack.h"
#include "package/UnitLifetime.h"
#include "support/FormFixture.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace lm7;

TEST(UnitLifetime, WorkIsDoneOnTheFirstStartAndUndoneOnTheLastStop) {
    TUnitLifetime unit;
    EXPECT_FALSE(unit.Stop());  // a stop without a start does nothing
    EXPECT_TRUE(unit.Start());
    EXPECT_FALSE(unit.Start());
    EXPECT_FALSE(unit.Stop());
    EXPECT_TRUE(unit.Started());
    EXPECT_TRUE(unit.Stop());
    EXPECT_FALSE(unit.Started());
    EXPECT_TRUE(unit.Start());  // a later load starts afresh
    EXPECT_TRUE(unit.Stop());
}

TEST(PackageFrame, DescribesItselfAndItsUnits) {
    EXPECT_EQ(PackageInfo().Name, "LM7StyledListboxPack");
    EXPECT_EQ(PackageInfo().FileDescription, "Styled listbox");
    EXPECT_TRUE(PackageInfo().DesignTime && PackageInfo().RunTime);
    ASSERT_EQ(RequiredPackages().size(), 13u);
    EXPECT_EQ(RequiredPackages().front(), "LM7FileDialogComponents");
    EXPECT_EQ(RequiredPackages().back(), "rtl150");
    ASSERT_EQ(ContainedUnits().size(), 14u);
    EXPECT_EQ(ContainedUnits()[3], "SysInit");
    // The master image lists start after everything else of the package.
    EXPECT_EQ(GetPackageInfoTable().back().Unit, "tool_imagelist_master");
}

TEST(PackageFrame, StartingTwiceAndStoppingTwiceIsSafe) {
    Initialize();
    Initialize();
    Finalize();
    Finalize();
    Finalize();  // one too many: nothing to undo
    SUCCEED();
}

TEST(PackageFrame, AScopeStopsThePackageAlsoWhenTheProgramFails) {
    ASSERT_EQ(ImageLists[0], nullptr);
    try {
        const TPackageScope package;
        EXPECT_NE(ImageLists[0], nullptr);
        throw EInOutError("a failing tool", 5);
    } catch (const EInOutError&) {}
    EXPECT_EQ(ImageLists[0], nullptr);
}

TEST(PackageRegistration, ClassesReachTheSamplesPageInOrder) {
    ClearPalette();
    RegisterAll();
    const auto& entries = PaletteEntries();
    std::vector<std::string> names;
    for (const auto& e : entries) {
        EXPECT_EQ(e.Page, "Samples");
        names.push_back(e.Class->ClassName());
    }
    auto pos = [&](const std::string& n) { return std::find(names.begin(), names.end(), n) - names.begin(); };
    // The styled list controls' seven classes, one call each, side by side in this order.
    const std::vector<std::string> styled{"TTransparentContainingGroup",
                                          "TContainBox",
                                          "TMyAdvTreeView",
                                          "TMyAdvListView",
                                          "TStyledListbox",
                                          "TStyledListboxOwnerDrawnFixed",
                                          "TNotepadGrabPanel"};
    const long first = pos(styled.front());
    ASSERT_LE(first + 7, static_cast<long>(names.size()));
    EXPECT_EQ(std::vector<std::string>(names.begin() + first, names.begin() + first + 7), styled);
    EXPECT_EQ(names.back(), "TLMAdvOfficePager");  // the pager's unit registers last
    // Registered classes can be made by name, as a form description needs.
    std::unique_ptr<TComponent, TFreeDeleter> made(FindClass("TStyledListbox")->CreateInstance(nullptr));
    EXPECT_TRUE(made->Is<TStyledListbox>());
    ClearPalette();
}

TEST(PackageRegistration, ClassesWorkWithoutRegistering) {
    ClearPalette();
    testsupport::FormPtr form = testsupport::MakeForm();
    auto* list = Create<TStyledListbox>(form.get());
    list->SetParent(form.get());
    list->Items()->Add("works");
    testsupport::Picture(*form);
    EXPECT_GT(list->MaxWidthOfStrings(), 0);
    EXPECT_TRUE(PaletteEntries().empty());
}
