#include "settings/FormGeometry.h"

#include "SettingsFixture.h"
#include "framework/controls/Edits.h"
#include "framework/forms/Application.h"
#include "settings/ReadAndSaveIni.h"

#include <vector>

using namespace framework;
using namespace lm7;
using testsupport::FormPtr;
using testsupport::MakeForm;

namespace {

// A desktop of two monitors: the primary one with a panel along its bottom, a larger one to its
// right. The switch, the monitors and the resolution are put back after each test.
class FormGeometry : public settingstest::SettingsMachine {
protected:
    void SetUp() override {
        SettingsMachine::SetUp();
        Screen->SetMonitors(
            {TMonitor{"DP-1", Bounds(0, 0, 1920, 1080), Bounds(0, 0, 1920, 1040), true},
             TMonitor{"HDMI-1", Bounds(1920, 0, 2560, 1440), Bounds(1920, 0, 2560, 1440), false}});
        form->SetName("ToolForm");
        edit->SetName("Edit1");
        edit->SetText("kept");
    }
    void TearDown() override {
        MEMINI_include_FormGeometry = switchWas;
        Screen->SetMonitors(monitorsWere);
        Screen->SetPixelsPerInch(ppiWas);
    }
    // A fresh form of the same name, read from the file.
    FormPtr ReadBack() {
        FormPtr fresh = MakeForm();
        fresh->SetName("ToolForm");
        ReadIni(fresh.get(), ini);
        return fresh;
    }

    bool switchWas = MEMINI_include_FormGeometry;
    std::vector<TMonitor> monitorsWere = Screen->Monitors();
    int ppiWas = Screen->PixelsPerInch();
    std::string ini = tmp.Path("state/tool.ini");
    FormPtr form = MakeForm();
    TEdit* edit = Create<TEdit>(form.get());
};

TEST_F(FormGeometry, OffByDefaultTheFileIsAsBefore) {
    EXPECT_FALSE(MEMINI_include_FormGeometry);
    form->SetWindowPlacement(TWindowPlacement{Bounds(100, 50, 800, 600), true, "DP-1"});
    SaveIni(form.get(), ini);
    EXPECT_EQ(tmp.Read("state/tool.ini"), "[Edit1]\ntext=kept\n\n");
    // A file that holds a geometry is not read for it either.
    tmp.Write("state/tool.ini", "[Edit1]\ntext=kept\n\n[ToolForm]\nmonitor=DP-1\nleft=1\ntop=2\nwidth=300\n"
                                "height=200\nmaximized=false\n\n");
    EXPECT_FALSE(ReadBack()->WindowPlacement().has_value());
}

TEST_F(FormGeometry, KeptOnItsMonitorInUnitsOf96PerInch) {
    MEMINI_include_FormGeometry = true;
    Screen->SetPixelsPerInch(144);
    form->SetWindowPlacement(TWindowPlacement{Bounds(1920 + 150, 300, 1200, 900), true, "HDMI-1"});
    SaveIni(form.get(), ini);
    EXPECT_EQ(tmp.Read("state/tool.ini"),
              "[Edit1]\ntext=kept\n\n[ToolForm]\nmonitor=HDMI-1\nleft=100\ntop=200\n"
              "width=800\nheight=600\nmaximized=true\n\n");
    // Read at 96 pixels per inch: the same place and size in inches, on the same monitor.
    Screen->SetPixelsPerInch(96);
    FormPtr fresh = ReadBack();
    ASSERT_TRUE(fresh->WindowPlacement().has_value());
    EXPECT_EQ(*fresh->WindowPlacement(),
              (TWindowPlacement{Bounds(1920 + 100, 200, 800, 600), true, "HDMI-1"}));
    // Saved again unchanged (the fresh form has no edit), the section is the same to the byte.
    const std::string first = tmp.Read("state/tool.ini");
    SaveIni(fresh.get(), ini);
    EXPECT_EQ(tmp.Read("state/tool.ini"), first.substr(first.find("[ToolForm]")));
}

TEST_F(FormGeometry, AMonitorThatIsGoneGivesThePrimaryTitleBarOnTheWorkArea) {
    MEMINI_include_FormGeometry = true;
    tmp.Write("state/tool.ini", "[ToolForm]\nmonitor=DVI-9\nleft=3000\ntop=-50\nwidth=2500\nheight=500\n");
    FormPtr fresh = ReadBack();
    ASSERT_TRUE(fresh->WindowPlacement().has_value());
    EXPECT_EQ(*fresh->WindowPlacement(), (TWindowPlacement{Bounds(0, 0, 1920, 500), false, "DP-1"}));
    // Past the bottom of the primary's work area: moved up, not off the top.
    tmp.Write("state/tool.ini", "[ToolForm]\nmonitor=\nleft=10\ntop=900\nwidth=400\nheight=1500\n");
    fresh = ReadBack();
    ASSERT_TRUE(fresh->WindowPlacement().has_value());
    EXPECT_EQ(fresh->WindowPlacement()->Bounds, Bounds(10, 0, 400, 1040));
}

TEST_F(FormGeometry, DamagedValuesChangeNothing) {
    MEMINI_include_FormGeometry = true;
    const TWindowPlacement before{Bounds(5, 6, 70, 80), false, "DP-1"};
    for (const char* damaged :
         {"left=1\ntop=2\nwidth=abc\nheight=200\n", "left=1\ntop=2\nwidth=0\nheight=200\n",
          "left=1\nwidth=300\nheight=200\n", "left=99999999999\ntop=2\nwidth=300\nheight=200\n",
          "left=1\ntop=2\nwidth=300\nheight=-5\n", "left=1\ntop=2\nwidth=3000000\nheight=200\n",
          "left=\ntop=2\nwidth=300\nheight=200\n"}) {
        tmp.Write("state/tool.ini", std::string("[Edit1]\ntext=read\n\n[ToolForm]\n") + damaged);
        form->SetWindowPlacement(before);
        edit->SetText("");
        ReadIni(form.get(), ini);
        EXPECT_EQ(form->WindowPlacement(), before) << damaged;
        EXPECT_EQ(edit->Text(), "read") << damaged;  // the rest of the file is read all the same
    }
}

TEST_F(FormGeometry, WithoutADesktopThePlaceIsKeptForTheNextSave) {
    MEMINI_include_FormGeometry = true;
    Screen->SetMonitors({});
    const std::string stored =
        "[ToolForm]\nmonitor=HDMI-1\nleft=-40\ntop=30\nwidth=640\nheight=480\nmaximized=false\n\n";
    tmp.Write("state/tool.ini", stored);
    FormPtr fresh = ReadBack();
    SaveIni(fresh.get(), ini);
    EXPECT_EQ(tmp.Read("state/tool.ini"), stored);
}

TEST_F(FormGeometry, AFormWithoutANameOrAPlaceWritesNone) {
    MEMINI_include_FormGeometry = true;
    SaveIni(form.get(), ini);
    EXPECT_EQ(tmp.Read("state/tool.ini"), "[Edit1]\ntext=kept\n\n");
    form->SetName("");
    form->SetWindowPlacement(TWindowPlacement{Bounds(1, 2, 3, 4), false, "DP-1"});
    SaveIni(form.get(), ini);
    EXPECT_EQ(tmp.Read("state/tool.ini"), "[Edit1]\ntext=kept\n\n");
}

}  // namespace
