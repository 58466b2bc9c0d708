#include "forms/My_TMSAdvOfficePagerU.h"

#include "framework/classes/TypInfo.h"
#include "framework/forms/Forms.h"
#include "framework/forms/TextForms.h"
#include "package/LM7StyledListboxPack.h"

#include <gtest/gtest.h>

#include <optional>

using namespace framework;
using namespace lm7;

namespace {

using ComponentPtr = std::unique_ptr<TComponent, TFreeDeleter>;

struct Published {
    const char* Name;
    std::optional<std::int64_t> Default;  // for the ordinal ones that declare one
};

}  // namespace

// The suite's pager publishes its base's properties and events with the defaults a tool window's
// description relies on: a value equal to the default is not written, so it must also be the
// value a fresh pager has.
TEST(SuitePager, PublishesThePagersPropertiesWithTheirDefaults) {
    const Published props[] = {{"AdvOfficePagerStyler", 0},
                               {"Align", 0},
                               {"Anchors", 3},
                               {"ActivePage", 0},
                               {"AntiAlias", 1},
                               {"Constraints", {}},
                               {"CloseOnTab", 0},
                               {"CloseOnTabPosition", 0},
                               {"ClosedListMenu", 0},
                               {"DoubleBuffered", 0},
                               {"DockSite", 0},
                               {"PageListMenu", 0},
                               {"PopupMenu", 0},
                               {"TabOrder", -1},
                               {"DisabledImages", 0},
                               {"FreeOnClose", 0},
                               {"FixedTabs", 0},
                               {"Glow", 1},
                               {"Images", 0},
                               {"TavoFontSize", {}},
                               {"MultiLine", 0},
                               {"OfficeHint", {}},
                               {"PageMargin", 1},
                               {"RotateTabLeftRight", 1},
                               {"ShowCloseOnNonSelectedTabs", 0},
                               {"ShowNonSelectedTabs", 0},
                               {"ShowTabHint", 0},
                               {"ShowHint", {}},
                               {"ShowShortCutHints", {}},
                               {"TabPosition", 0},
                               {"TabSettings", {}},
                               {"TabReorder", 0},
                               {"TabReorderIndicatorColor", 16711680},
                               {"Transparent", 0},
                               {"Version", {}},
                               {"Visible", 1},
                               {"TabStop", 0}};
    ComponentPtr pager(Create<TLMAdvOfficePager>(nullptr));
    for (const Published& p : props) {
        SCOPED_TRACE(p.Name);
        const TPropInfo* info = GetPropInfo(pager.get(), p.Name);
        ASSERT_NE(info, nullptr);
        if (p.Default) {
            EXPECT_EQ(info->Default, p.Default);
            EXPECT_EQ(GetOrdProp(pager.get(), info), *p.Default);
        }
    }
    for (const char* event : {"OnChange",        "OnChanging",      "OnClosePage",
                              "OnClosedPage",    "OnDrawTab",       "OnEnter",
                              "OnExit",          "OnTabMoved",      "OnTabClick",
                              "OnTabDblClick",   "OnTabRightClick", "OnKeyDown",
                              "OnKeyUp",         "OnKeyPress",      "OnMouseDown",
                              "OnMouseMove",     "OnMouseUp",       "OnResize",
                              "OnTabMouseEnter", "OnTabMouseLeave", "OnTabCheckBoxClick",
                              "OnInsertPage",    "OnPrevClick",     "OnNextClick",
                              "OnFirstClick",    "OnLastClick",     "OnClosedListClick",
                              "OnPageListClick", "OnDragDrop",      "OnDragOver",
                              "OnEndDrag",       "OnStartDrag",     "OnTabDock",
                              "OnTabUnDock",     "OnTabUnDocking",  "OnDockDrop",
                              "OnDockOver",      "OnEndDock",       "OnStartDock",
                              "OnUnDock"}) {
        SCOPED_TRACE(event);
        const TPropInfo* info = GetPropInfo(pager.get(), event);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->Kind, TTypeKind::tkMethod);
    }
}

// A description names the active page, the styler and the tab settings; reading it shows that
// page, and writing the pager gives the same text back.
TEST(SuitePager, ADescriptionChoosesThePageByName) {
    RegisterPackageClasses();
    const char* text = R"(object Tool: TForm
  object Styler: TAdvOfficePagerStyler
    TabColorSelected = clRed
  end
  object Pager: TLMAdvOfficePager
    AdvOfficePagerStyler = Styler
    ActivePage = PageB
    MultiLine = True
    OfficeHint.Title = 'Views'
    TabPosition = tpLeft
    TabSettings.Height = 34
    TabSettings.StartMargin = 4
    TavoFontSize = 9
    object PageA: TAdvOfficePage
      Caption = 'A'
      AdvOfficePager = Pager
    end
    object PageB: TAdvOfficePage
      Caption = 'B'
      AdvOfficePager = Pager
    end
  end
end
)";
    ComponentPtr form(CreateFromTextForm(text, nullptr, "tool.txt"));
    auto* pager = static_cast<TLMAdvOfficePager*>(form->FindComponent("Pager"));
    EXPECT_EQ(pager->ActivePage(), form->FindComponent("PageB"));
    EXPECT_TRUE(pager->ActivePage()->Visible());
    EXPECT_FALSE(static_cast<TControl*>(form->FindComponent("PageA"))->Visible());
    EXPECT_EQ(pager->AdvOfficePagerStyler()->TabColorSelected(), clRed);
    EXPECT_EQ(pager->TabRect(0), Rect(2, 4, 34, pager->TabRect(0).Bottom));  // a rotated tab on the left
    EXPECT_EQ(pager->OfficeHint()->Title, "Views");
    const std::string written = WriteTextForm(form.get());
    EXPECT_NE(written.find("ActivePage = PageB"), std::string::npos);
    ComponentPtr again(CreateFromTextForm(written, nullptr, "again.txt"));
    EXPECT_EQ(WriteTextForm(again.get()), written);

    // An active page that is no page of the pager is refused with the line that names it.
    std::string wrong = text;
    wrong.replace(wrong.find("ActivePage = PageB"), 18, "ActivePage = Styler");
    try {
        ComponentPtr bad(CreateFromTextForm(wrong, nullptr, "wrong.txt"));
        ADD_FAILURE() << "read";
    } catch (const ETextFormError& e) {
        EXPECT_NE(std::string(e.Message()).find("ActivePage"), std::string::npos) << e.Message();
    }
}
