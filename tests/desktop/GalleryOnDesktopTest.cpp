// The gallery in a window on a virtual desktop of a size people have, with a window manager
// (Openbox, started here when none runs), used as a person uses it: xdotool moves the real
// pointer and types on the real keyboard, another program sends the suite's style broadcast, the
// X resources change the resolution, and the window is closed as a window manager closes it.
// What the window reports arrives in its log; what it shows is read back from screenshots
// (ImageMagick's import). Where to point and which colour to expect come from a copy of the
// same window built in this process from the same layout, at the size the window was given.
// LM7_DESKTOP_PPI sets the desktop's resolution (Xft.dpi) before the gallery starts.
//
// Runs under xvfb-run and dbus-run-session; skips when there is no display, no session bus or
// no X tools.

#include "DesktopProcess.h"
#include "GalleryWindow.h"
#include "WindowClose.h"
#include "X11Desktop.h"

#include "controls/ColourListBoxesAndCombos.h"
#include "controls/NotepadGrabPanel.h"
#include "controls/StyledListbox.h"
#include "dialogs/FileFolderOpenDlgU.h"
#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Menus.h"
#include "framework/forms/Application.h"
#include "framework/platform/LinuxFileChoosers.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/Paths.h"
#include "package/LM7StyledListboxPack.h"
#include "sibling/Inifilebase.h"
#include "sibling/My_tmsstylebase.h"
#include "sibling/Tms_utils.h"
#include "support/PixelAssert.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace framework;
using namespace std::chrono_literals;

namespace {

using testsupport::ReadFile;
using testsupport::TChild;
using testsupport::WaitFor;

// Runs a program to its end; its output, or a failure naming it and its status.
std::string RunTool(const std::string& Program, const std::vector<std::string>& Arguments) {
    const platform::ProgramResult result = platform::RunProgram(Program, Arguments);
    EXPECT_EQ(result.ExitStatus, 0) << Program << " " << (Arguments.empty() ? "" : Arguments[0]) << ": "
                                    << result.Output;
    return result.Output;
}

TPoint Centre(const TRect& R) { return TPoint{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }

std::string Coordinate(int Value) { return std::to_string(Value); }

class GalleryOnDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        const char* virtualDesktop = std::getenv("LM7_VIRTUAL_DESKTOP");
        if (!display || !*display || !virtualDesktop)
            GTEST_SKIP() << "no virtual desktop: xvfb-run or dbus-run-session is not installed (the test "
                            "would take over this desktop's pointer)";
        const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS");
        if (!bus || !*bus)
            GTEST_SKIP() << "no session bus; run under dbus-run-session";
        const char* searchPath = std::getenv("PATH");
        for (const char* tool : {"xdotool", "import", "xprop", "openbox"}) {
            const auto found = platform::FindProgram(tool, searchPath ? searchPath : "");
            if (!found)
                GTEST_SKIP() << tool << " is not installed";
            tools[tool] = *found;
        }
        folder = ExtractFilePath(Application->ExeName());
        screenSize = testsupport::ScreenSize();
        ASSERT_GT(screenSize.X, 0) << "cannot open the display " << display;
        // The desktop's window manager, as people have one; it places, frames and maximises the
        // window.
        // It is started once and runs until this program ends.
        static std::unique_ptr<TChild> windowManager;
        static const std::string windowManagerOutput = temp.Path("openbox.out");
        if (!windowManager && !testsupport::WindowManagerRunning()) {
            windowManager = std::make_unique<TChild>(std::vector<std::string>{tools["openbox"]},
                                                     testsupport::EnvironmentWith({}), windowManagerOutput);
            ASSERT_TRUE(WaitFor(testsupport::WindowManagerRunning)) << ReadFile(windowManagerOutput);
        }
        if (const char* ppi = std::getenv("LM7_DESKTOP_PPI"); ppi && *ppi)
            desktopPpi = std::atoi(ppi);
        if (desktopPpi != 96)
            SetDesktopResolution(desktopPpi);
        // The copy of the window keeps its state apart from the gallery's.
        ::setenv("HOME", copyHome.Root().c_str(), 1);
        lm7::Initialize();
        packageStarted = true;
        sibling::Global_TMSStyle = vendor::tsLight;
        Screen->SetPixelsPerInch(96);
        copy.reset(Create<gallery::TGalleryWindow>(nullptr));
        copy->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        gallery.reset();
        if (tools.count("openbox"))
            SetDesktopResolution(96);  // the next test finds the desktop as it was
        copy.reset();
        if (packageStarted)
            lm7::Finalize();
        Screen->SetPixelsPerInch(96);
    }

    // A control of the copy by name, also among the components of its frames.
    static TComponent* Find(TComponent* Owner, const char* Name) {
        if (TComponent* c = Owner->FindComponent(Name))
            return c;
        for (int i = 0; i < Owner->ComponentCount(); ++i)
            if (TComponent* c = Find(Owner->Components(i), Name))
                return c;
        return nullptr;
    }
    template <class T> T& Control(const char* Name) {
        auto* control = As<T>(Find(copy.get(), Name));
        if (!control)
            throw std::runtime_error(std::string("the gallery has no ") + Name);
        return *control;
    }

    void SetDesktopResolution(int Ppi) {
        RunTool(tools["xprop"], {"-root", "-f", "RESOURCE_MANAGER", "8s", "-set", "RESOURCE_MANAGER",
                                 "Xft.dpi:\t" + std::to_string(Ppi) + "\n"});
    }

    // The gallery, started with its own home folder and a log.
    void StartGallery(std::vector<std::string> Overrides = {}) {
        Overrides.push_back("HOME=" + home.Root());
        std::vector<std::string> environment = testsupport::EnvironmentWith(Overrides);
        // The window's pixels without GL: no system GL driver is loaded and unloaded, whose
        // allocations LeakSanitizer could not tell from the gallery's own.
        environment.push_back("SDL_FRAMEBUFFER_ACCELERATION=0");
        gallery = std::make_unique<TChild>(
            std::vector<std::string>{folder + "gallery", "--window", "--log", log}, environment, output);
        ASSERT_TRUE(gallery->Started()) << "cannot start " << folder << "gallery";
        std::string found;
        ASSERT_TRUE(WaitFor([&] {
            found = platform::RunProgram(tools["xdotool"], {"search", "--name", "^Gallery$"}).Output;
            return !found.empty() || gallery->Exited();
        })) << "no gallery window appeared";
        ASSERT_FALSE(gallery->Exited()) << ReadFile(output);
        window = found.substr(0, found.find('\n'));
        // Framed and placed by the window manager: where the window's client area is on the screen,
        // once it has stayed there for a moment.
        ASSERT_TRUE(WaitFor([&] {
            const auto before = testsupport::DesktopWindow(std::stoul(window));
            std::this_thread::sleep_for(200ms);
            const auto after = testsupport::DesktopWindow(std::stoul(window));
            if (after)
                placedWindow = *after;
            return before && after && after->Frame != after->Client && before->Frame == after->Frame &&
                   before->Client == after->Client;
        })) << "the window manager did not frame the gallery";
        // The window shows the gallery at the desktop's resolution and at the window's size.
        if (desktopPpi != copy->PixelsPerInch()) {
            Screen->SetPixelsPerInch(desktopPpi);
            const auto dpi = static_cast<std::uint16_t>(desktopPpi);
            copy->Perform(WM_DPICHANGED, MakeWParam(dpi, dpi), 0);
        }
        FitCopyToWindow();
    }

    // The copy takes the size of the window as it is now, and lays out as the gallery does.
    void FitCopyToWindow() {
        if (auto placed = testsupport::DesktopWindow(std::stoul(window)))
            placedWindow = *placed;
        copy->SetClientWidth(placedWindow.Client.Width());
        copy->SetClientHeight(placedWindow.Client.Height());
        Application->ProcessMessages();
    }

    // The whole frame of the window, title bar first, is on the screen.
    ::testing::AssertionResult OnScreen() {
        const auto placed = testsupport::DesktopWindow(std::stoul(window));
        if (!placed)
            return ::testing::AssertionFailure() << "the window has gone";
        const TRect& f = placed->Frame;
        if (f.Left >= 0 && f.Top >= 0 && f.Right <= screenSize.X && f.Bottom <= screenSize.Y)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << Format("the window's frame %d,%d-%d,%d is not inside the %dx%d screen",
                         {f.Left, f.Top, f.Right, f.Bottom, screenSize.X, screenSize.Y});
    }

    // A point inside a control, from its top-left client corner, on the screen.
    TPoint At(const TControl& Control, int X, int Y) const {
        const TPoint origin = Control.ClientOrigin();
        return TPoint{placedWindow.Client.Left + origin.X + X, placedWindow.Client.Top + origin.Y + Y};
    }
    // Whether the user sees that point of the control in the window: not beyond the window's
    // edge, nor under the status line.
    bool InView(const TControl& Control, int X, int Y) const {
        const TPoint p = At(Control, X, Y);
        const TControl* status = As<TControl>(Find(copy.get(), "StatusLine"));
        const int bottom = status ? placedWindow.Client.Top + status->Top() : placedWindow.Client.Bottom;
        return p.X >= placedWindow.Client.Left && p.X < placedWindow.Client.Right &&
               p.Y >= placedWindow.Client.Top && p.Y < bottom;
    }

    void Xdotool(std::vector<std::string> Arguments) { RunTool(tools["xdotool"], Arguments); }
    void Click(TPoint P) { Xdotool({"mousemove", Coordinate(P.X), Coordinate(P.Y), "click", "1"}); }

    // Waits for the window to report Line; fails with the log so far when it does not.
    ::testing::AssertionResult Reported(const std::string& Line) {
        if (WaitFor([&] { return ReadFile(log).find(Line + "\n") != std::string::npos; }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "the gallery did not report \"" << Line << "\"; it reported:\n"
               << ReadFile(log) << "its output:\n"
               << ReadFile(output);
    }

    // The desktop as it is now.
    const TBitmap& Screenshot() {
        const std::string file = temp.Path("screen.png");
        RunTool(tools["import"], {"-window", "root", "png:" + file});
        screen.LoadFromFile(file);
        return screen;
    }

    // Waits until every point shows its colour; on failure names the first that does not and
    // keeps the screenshot for a look.
    ::testing::AssertionResult Shows(std::vector<std::pair<TPoint, TColor>> Points) {
        const bool shown = WaitFor([&] {
            const TBitmap& picture = Screenshot();
            for (const auto& [p, colour] : Points)
                if (testsupport::PixelAt(picture, p.X, p.Y) != ColorToRGB(colour))
                    return false;
            return true;
        });
        if (shown)
            return ::testing::AssertionSuccess();
        for (const auto& [p, colour] : Points)
            if (auto result = testsupport::PixelIs(screen, p.X, p.Y, colour); !result)
                return result;
        return ::testing::AssertionFailure() << "the screen changed while it was looked at";
    }

    // A point of the form's background: in the gap right of the sections' first column (as wide
    // as the gap left of it), half way down the box that scrolls them, wherever it has scrolled to.
    TPoint Background() {
        const TControl& title = Control<TControl>("TitleFramework");
        const TControl& box = Control<TControl>("Sections");
        return TPoint{placedWindow.Client.Left + title.ClientOrigin().X + title.Width() + title.Left() / 2,
                      placedWindow.Client.Top + box.ClientOrigin().Y + box.ClientHeight() / 2};
    }

    // Turns the wheel over the sections' background, on the desktop and on the copy alike, until
    // Control stands in the upper third of the view, or as near to it as the sections scroll.
    void ScrollIntoView(const TControl& Control) {
        const TControl* status = As<TControl>(Find(copy.get(), "StatusLine"));
        for (int turn = 0; turn < 200; ++turn) {
            const int top = At(Control, 0, 0).Y;
            const int viewTop = placedWindow.Client.Top;
            const int viewBottom =
                status ? placedWindow.Client.Top + status->Top() : placedWindow.Client.Bottom;
            const bool up = top < viewTop;
            if (!up && top - viewTop <= (viewBottom - viewTop) / 3)
                return;
            const TPoint p = Background();
            copy->SendMouseInput(WM_MOUSEWHEEL, p.X - placedWindow.Client.Left, p.Y - placedWindow.Client.Top,
                                 MakeWParam(0, static_cast<std::uint16_t>(up ? 120 : -120)));
            if (At(Control, 0, 0).Y == top)
                return;  // the sections scroll no further
            Xdotool({"mousemove", Coordinate(p.X), Coordinate(p.Y), "click", up ? "4" : "5"});
        }
    }

    // A free point of a list row: right of its text, left of its value.
    TPoint InRow(const lm7::TStyledListbox& List, int Index) const {
        const TRect r = List.ItemRect(Index);
        return At(List, r.Left + r.Width() * 3 / 5, (r.Top + r.Bottom) / 2);
    }

    testsupport::TempFolder home, copyHome, temp;
    std::string log = temp.Path("gallery.log"), output = temp.Path("gallery.out");
    std::string folder, window;
    TPoint screenSize;
    int desktopPpi = 96;
    testsupport::TDesktopWindow placedWindow;  // the window as last looked at
    std::map<std::string, std::string> tools;
    bool packageStarted = false;
    std::unique_ptr<gallery::TGalleryWindow, TFreeDeleter> copy;
    std::unique_ptr<TChild> gallery;
    TBitmap screen;
};

}  // namespace

TEST_F(GalleryOnDesktop, TheWindowFitsTheScreenAndItsFirstPictureIsTheCopys) {
    ASSERT_NO_FATAL_FAILURE(StartGallery());
    ASSERT_TRUE(Reported(Format("Style 0 (Light), %d pixels per inch", {desktopPpi})));
    EXPECT_TRUE(OnScreen());
    // The gallery is larger than the screen at either resolution: the window takes what the
    // screen has room for, and the form the window's size.
    EXPECT_EQ(placedWindow.Frame.Bottom, screenSize.Y);
    // The first picture shows the window from its top as the copy does at that size: every pixel
    // of the upper half (the lower one holds the status line, which tells other things).
    const TColor light = sibling::GetABaseTMSBackgroundColour(vendor::tsLight);
    ASSERT_TRUE(Shows({{Background(), light}}));
    const auto expected = copy->Snapshot();
    const TBitmap& picture = Screenshot();
    int differing = 0;
    TPoint first{-1, -1};
    for (int y = 0; y < placedWindow.Client.Height() / 2; ++y)
        for (int x = 0; x < placedWindow.Client.Width(); ++x)
            if (testsupport::PixelAt(picture, placedWindow.Client.Left + x, placedWindow.Client.Top + y) !=
                ColorToRGB(expected->Canvas()->Pixels(x, y)))
                if (differing++ == 0)
                    first = TPoint{x, y};
    EXPECT_EQ(differing, 0) << "first at " << first.X << "," << first.Y;
    // The first click lands where the user sees the row.
    auto& list = Control<lm7::TStyledListbox>("StyledListbox1");
    Click(InRow(list, 3));
    EXPECT_TRUE(Reported("StyledListbox1: item 3 \"" + list.Items()->Strings(3) + "\""));
}

TEST_F(GalleryOnDesktop, AComboListReachesBelowTheWindowAndIsPickedThere) {
    ASSERT_NO_FATAL_FAILURE(StartGallery());
    ASSERT_TRUE(Reported(Format("Style 0 (Light), %d pixels per inch", {desktopPpi})));
    // The window made just taller than the closed colour combo and the status line below it:
    // its list has no room inside.
    auto& combo = Control<lm7::TColourSharingCombo>("ColourSharingCombo1");
    ScrollIntoView(combo);
    const int height = combo.ClientOrigin().Y + combo.Height() + Control<TControl>("StatusLine").Height() + 4;
    Xdotool({"windowsize", window, std::to_string(placedWindow.Client.Width()), std::to_string(height)});
    ASSERT_TRUE(WaitFor([&] {
        const auto placed = testsupport::DesktopWindow(std::stoul(window));
        return placed && placed->Client.Height() == height;
    }));
    FitCopyToWindow();
    const TPoint field = At(combo, 0, 0);
    Click(At(combo, combo.Width() / 2, combo.Height() / 2));
    // The first whole entry below the window's frame, other than the chosen one. The list opens
    // scrolled so far that the chosen entry is its last row, when it is further down.
    const int listTop = field.Y + combo.Height() - 2 + 1;  // the combo's border, then the list's
    const int rows = std::min(combo.DropDownCount(), combo.Items()->Count());
    const int first = std::max(0, combo.ItemIndex() - rows + 1);
    int row = (placedWindow.Frame.Bottom + 4 - listTop + combo.ItemHeight() - 1) / combo.ItemHeight();
    if (first + row == combo.ItemIndex())
        ++row;
    ASSERT_LT(row, rows);
    // Left of the list's scroll bar, right of the entry's name.
    const int bar = MulDiv(17, desktopPpi, 96);
    const TPoint entry{field.X + combo.Width() - bar - 8,
                       listTop + row * combo.ItemHeight() + combo.ItemHeight() / 2};
    ASSERT_GT(entry.Y, placedWindow.Frame.Bottom);
    EXPECT_TRUE(Shows({{entry, combo.Color()}})) << "no list below the window";
    const int chosen = combo.ItemIndex();
    combo.SetItemIndex(first + row);
    const std::string name = combo.SelectedColourName();
    combo.SetItemIndex(chosen);
    Click(entry);
    EXPECT_TRUE(Reported("ColourSharingCombo1: " + name));
}

// The copy places its popups as the gallery's host does: against the window on the screen.
TPoint copyClientOrigin;
TPoint copyScreenSize;
bool CopyOnTheDesktop(const TWinControl&, TPopupScreen& Desktop) {
    Desktop.ClientOrigin = copyClientOrigin;
    Desktop.WorkArea = Rect(0, 0, copyScreenSize.X, copyScreenSize.Y);
    return true;
}

TEST_F(GalleryOnDesktop, AContextMenusSubMenuOpensInItsOwnWindowBelowTheWindow) {
    ASSERT_NO_FATAL_FAILURE(StartGallery());
    ASSERT_TRUE(Reported(Format("Style 0 (Light), %d pixels per inch", {desktopPpi})));
    // The window ends just below the point the menu pops up at.
    auto& area = Control<TControl>("AreaImages");
    ScrollIntoView(area);
    const TPoint point{400, 40};
    const int height = area.ClientOrigin().Y + point.Y + 10 + Control<TControl>("StatusLine").Height();
    Xdotool({"windowsize", window, std::to_string(placedWindow.Client.Width()), std::to_string(height)});
    ASSERT_TRUE(WaitFor([&] {
        const auto placed = testsupport::DesktopWindow(std::stoul(window));
        return placed && placed->Client.Height() == height;
    }));
    FitCopyToWindow();
    const TPoint at = At(area, point.X, point.Y);
    Xdotool({"mousemove", Coordinate(at.X), Coordinate(at.Y), "click", "3"});
    Xdotool({"key", "Down", "Down", "Down", "Right"});  // Open, Save, over the line to View, its sub-menu
    // The same on the copy shows where the sub-menu stands.
    copyClientOrigin = TPoint{placedWindow.Client.Left, placedWindow.Client.Top};
    copyScreenSize = screenSize;
    SetPopupScreenFinder(&CopyOnTheDesktop);
    TPopupMenu* menu = area.PopupMenu();
    ASSERT_NE(menu, nullptr);
    const TPoint inForm = copy->ScreenToClient(area.ClientToScreen(point));
    menu->Popup(inForm.X, inForm.Y);
    for (std::uint16_t key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT})
        copy->SendKeyInput(key);
    TDropDownList* sub = menu->PopupList(1);
    ASSERT_NE(sub, nullptr);
    const TRect first = sub->ItemRect(0), second = sub->ItemRect(1);
    const TPoint origin{copyClientOrigin.X + sub->Left() + sub->ClientInset(),
                        copyClientOrigin.Y + sub->Top() + sub->ClientInset()};
    const TPoint hot{origin.X + first.Right - 4, origin.Y + first.Top + first.Height() / 2};
    const TPoint plain{origin.X + second.Right - 4, origin.Y + second.Top + second.Height() / 2};
    menu->ClosePopup();
    SetPopupScreenFinder(nullptr);
    ASSERT_GT(plain.Y, placedWindow.Frame.Bottom);
    EXPECT_TRUE(Shows({{hot, clHighlight}, {plain, clMenu}})) << "no sub-menu below the window";
    // A pick closes the whole chain.
    Click(plain);
    EXPECT_TRUE(WaitFor([&] {
        return testsupport::PixelAt(Screenshot(), plain.X, plain.Y) != ColorToRGB(clMenu);
    })) << "the menu stayed open";
}

TEST_F(GalleryOnDesktop, ATooltipOpensInAWindowOfItsOwnWhileThePointerRests) {
    ASSERT_NO_FATAL_FAILURE(StartGallery());
    ASSERT_TRUE(Reported(Format("Style 0 (Light), %d pixels per inch", {desktopPpi})));
    TControl* picker = nullptr;
    const std::function<void(TComponent*)> findPicker = [&](TComponent* Owner) {
        for (int i = 0; i < Owner->ComponentCount() && !picker; ++i) {
            picker = As<lm7::TMyOpenFolderDialog>(Owner->Components(i));
            if (!picker)
                findPicker(Owner->Components(i));
        }
    };
    findPicker(copy.get());
    ASSERT_NE(picker, nullptr) << "the gallery has no folder picker";
    ASSERT_TRUE(picker->ShowHint());
    ScrollIntoView(*picker);
    const TPoint p = At(*picker, 12, picker->Height() / 2);
    ASSERT_TRUE(InView(*picker, 12, picker->Height() / 2));
    Xdotool({"mousemove", Coordinate(p.X - 1), Coordinate(p.Y)});
    Xdotool({"mousemove", Coordinate(p.X), Coordinate(p.Y)});
    // An unframed window of its own, a cursor's height below the pointer.
    const TPoint corner{p.X, p.Y + MulDiv(20, desktopPpi, 96)};
    TRect tip;
    ASSERT_TRUE(WaitFor([&] {
        for (const TRect& r : testsupport::OverrideRedirectWindows())
            if (r.Left == corner.X && r.Top == corner.Y) {
                tip = r;
                return true;
            }
        return false;
    })) << "no tooltip window appeared at "
        << corner.X << "," << corner.Y;
    EXPECT_GT(tip.Width(), MulDiv(40, desktopPpi, 96));
    EXPECT_LE(tip.Width(), MulDiv(400, desktopPpi, 96));
    EXPECT_GT(tip.Height(), MulDiv(12, desktopPpi, 96));
    // Its border and its background in the info colours, and the short hint's text inside.
    EXPECT_TRUE(Shows({{corner, clInfoText},
                       {TPoint{tip.Right - 1, tip.Bottom - 1}, clInfoText},
                       {TPoint{corner.X + 1, corner.Y + 1}, clInfoBk}}));
    int text = 0;
    for (int y = tip.Top + 1; y < tip.Bottom - 1; ++y)
        for (int x = tip.Left + 1; x < tip.Right - 1; ++x)
            text += testsupport::PixelAt(screen, x, y) != ColorToRGB(clInfoBk);
    EXPECT_GT(text, 20) << "no text in the tooltip";
    // It goes after its hide pause, while the pointer still rests there.
    EXPECT_TRUE(WaitFor([&] {
        for (const TRect& r : testsupport::OverrideRedirectWindows())
            if (r == tip)
                return false;
        return true;
    })) << "the tooltip stayed";
}

TEST_F(GalleryOnDesktop, PointerKeyboardBroadcastResolutionAndCloseReachTheWindow) {
    ASSERT_NO_FATAL_FAILURE(StartGallery());
    ASSERT_TRUE(Reported(Format("Style 0 (Light), %d pixels per inch", {desktopPpi})));
    const TColor light = sibling::GetABaseTMSBackgroundColour(vendor::tsLight);
    ASSERT_TRUE(Shows({{Background(), light}}));

    // A styled list: a click on the fifth row, then two rows down with the arrow key.
    auto& list = Control<lm7::TStyledListbox>("StyledListbox1");
    const int clicked = 4, keyed = 6;
    const int before = list.ItemIndex();
    ASSERT_NE(before, clicked);
    ASSERT_GT(list.Count(), keyed);
    Click(InRow(list, clicked));
    EXPECT_TRUE(Reported("StyledListbox1: item 4 \"" + list.Items()->Strings(clicked) + "\""));
    Xdotool({"key", "Down", "Down"});
    EXPECT_TRUE(Reported("StyledListbox1: item 6 \"" + list.Items()->Strings(keyed) + "\""));
    EXPECT_TRUE(Shows({{InRow(list, keyed), list._SelectedColour()},
                       {InRow(list, clicked), list.Color()},
                       {InRow(list, before), list.Color()}}));

    // The closed colour combo: a click opens its list, a click on the entry above the chosen
    // colour picks that one. The entry is found by its colour sample in the list.
    auto& combo = Control<lm7::TColourSharingCombo>("ColourSharingCombo1");
    ASSERT_FALSE(combo.DroppedDown());
    ScrollIntoView(combo);
    const int shown = combo.ItemIndex();
    ASSERT_GE(shown, 1);
    combo.SetItemIndex(shown - 1);
    const TColor pickedColour = combo.SelectedColour();
    const std::string pickedName = combo.SelectedColourName();
    const TPoint field = At(combo, 0, 0);
    Click(At(combo, combo.Width() / 2, combo.Height() / 2));
    // The samples are squares at the entries' left, nearly an entry's height wide and high: the
    // top of the first square of that colour between Top and Bottom.
    const int side = combo.ItemHeight() - 6;
    auto sampleRow = [&](const TBitmap& picture, int top, int bottom) {
        int rows = 0;
        for (int y = top; y < bottom; ++y) {
            int run = 0;
            for (int x = field.X; x < field.X + combo.ItemHeight() + 4 && run < side; ++x)
                run = testsupport::PixelAt(picture, x, y) == ColorToRGB(pickedColour) ? run + 1 : 0;
            rows = run >= side ? rows + 1 : 0;
            if (rows == side)
                return y - side + 1;
        }
        return -1;
    };
    const int fieldBottom = field.Y + combo.Height();
    int entry = -1;
    ASSERT_TRUE(WaitFor([&] {
        return (entry = sampleRow(Screenshot(), fieldBottom, fieldBottom + 400)) >= 0;
    })) << "the colour combo's list did not open with "
        << testsupport::DescribeColor(pickedColour) << " in it";
    Click(TPoint{field.X + combo.Width() / 2, entry + 3});
    EXPECT_TRUE(Reported("ColourSharingCombo1: " + pickedName));
    // The field now shows the picked colour's sample.
    EXPECT_TRUE(WaitFor([&] { return sampleRow(Screenshot(), field.Y, fieldBottom) >= 0; }));

    // The first margin panel: its left handle pressed, then dragged 21 pixels to the right. On a
    // screen that shows only the upper part of the window, the panel is out of reach.
    auto& panel = Control<lm7::TNotepadGrabPanel>("NotepadGrabPanel1");
    const TPoint grip = Centre(panel.Midpoint(lm7::t_left));
    const TPoint handle = At(panel, grip.X, grip.Y);
    if (InView(panel, grip.X + 22, grip.Y + 2)) {
        auto to = [&](int dx) {
            return std::vector<std::string>{"mousemove", Coordinate(handle.X + dx), Coordinate(handle.Y)};
        };
        Xdotool(to(0));
        Xdotool({"mousedown", "1"});
        for (int dx : {1, 11, 21})
            Xdotool(to(dx));
        Xdotool({"mouseup", "1"});
        EXPECT_TRUE(Reported(Format(
            "NotepadGrabPanel1: left %d, top %d, right %d, bottom %d",
            {panel.Left() + 21, panel.Top(), panel.Left() + panel.Width(), panel.Top() + panel.Height()})));
    }

    // Another program broadcasts the dark style to the suite's windows.
    RunTool(folder + "lm7tool", {"broadcast-style", std::to_string(vendor::tsDark)});
    EXPECT_TRUE(Reported(Format("Style 4 (Dark), %d pixels per inch", {desktopPpi})));
    const TColor dark = sibling::GetABaseTMSBackgroundColour(vendor::tsDark);
    ASSERT_NE(ColorToRGB(dark), ColorToRGB(light));
    EXPECT_TRUE(Shows({{Background(), dark}}));

    // The desktop's resolution changes (to 144 pixels per inch, or back to 96): the window takes
    // the size the copy takes for it as far as the screen has room, its frame stays on the
    // screen, and a click lands on the rescaled list.
    const int otherPpi = desktopPpi == 96 ? 144 : 96;
    SetDesktopResolution(otherPpi);
    EXPECT_TRUE(Reported(Format("Style 4 (Dark), %d pixels per inch", {otherPpi})));
    Screen->SetPixelsPerInch(otherPpi);
    copy->Perform(WM_DPICHANGED, MakeWParam(otherPpi, otherPpi), 0);
    Application->ProcessMessages();
    const int roomX = screenSize.X - (placedWindow.Frame.Width() - placedWindow.Client.Width());
    const int roomY = screenSize.Y - (placedWindow.Frame.Height() - placedWindow.Client.Height());
    const TPoint size{std::min(copy->ClientWidth(), roomX), std::min(copy->ClientHeight(), roomY)};
    EXPECT_TRUE(WaitFor([&] {
        const auto placed = testsupport::DesktopWindow(std::stoul(window));
        return placed && placed->Client.Width() == size.X && placed->Client.Height() == size.Y;
    })) << "the window is not "
        << size.X << "x" << size.Y;
    EXPECT_TRUE(OnScreen());
    FitCopyToWindow();
    EXPECT_TRUE(Shows({{Background(), dark}}));
    ScrollIntoView(list);
    Click(InRow(list, 1));
    EXPECT_TRUE(Reported("StyledListbox1: item 1 \"" + list.Items()->Strings(1) + "\""));

    // Remembered state: text typed at the end of the search edit, the match-case box cleared.
    auto& edit = Control<TEdit>("EditSearch");
    auto& check = Control<TCheckBox>("CheckCase");
    ASSERT_TRUE(check.Checked());
    const bool editable = InView(edit, edit.Width() / 2, edit.Height() / 2);
    const bool checkable = InView(check, check.Height() / 2, check.Height() / 2);
    if (editable) {
        Click(At(edit, edit.Width() / 2, edit.Height() / 2));
        Xdotool({"key", "End"});
        Xdotool({"type", " dick"});
    }
    if (checkable)
        Click(At(check, check.Height() / 2, check.Height() / 2));

    // Closed as a window manager closes it: the form closes, is freed, and saves its state.
    std::string why;
    ASSERT_TRUE(testsupport::AskWindowToClose(std::stoul(window), why)) << why;
    ASSERT_TRUE(WaitFor([&] { return gallery->Exited(); }))
        << "the gallery did not end after its window closed";
    EXPECT_EQ(gallery->Status(), 0) << ReadFile(output);
    const std::string ini = home.Path("Documents/lumo7/gallery.ini");
    EXPECT_TRUE(Reported("Closed; state kept in " + ini));
    sibling::TMyMemIniFile kept(ini);
    EXPECT_EQ(kept.ReadString("EditSearch", "text", "?"), edit.Text() + (editable ? " dick" : ""));
    EXPECT_EQ(kept.ReadBool("CheckCase", "checked", true), !checkable);
}

namespace {
// The windows of that title shown on the desktop now, by xdotool's numbers.
std::vector<std::string> VisibleWindows(const std::string& Xdotool, const std::string& Title) {
    std::istringstream found(
        platform::RunProgram(Xdotool, {"search", "--onlyvisible", "--name", Title}).Output);
    std::vector<std::string> windows;
    for (std::string line; std::getline(found, line);)
        if (!line.empty())
            windows.push_back(line);
    return windows;
}
}  // namespace

TEST_F(GalleryOnDesktop, ASecondWindowAndAMessageBoxOpenAndCloseByKeys) {
    ASSERT_NO_FATAL_FAILURE(StartGallery());
    ASSERT_TRUE(Reported(Format("Style 0 (Light), %d pixels per inch", {desktopPpi})));
    auto& second = Control<TButton>("ButtonSecondWindow");
    auto& message = Control<TButton>("ButtonMessageBox");
    ScrollIntoView(second);
    ASSERT_TRUE(InView(second, second.Width() / 2, second.Height() / 2));

    // A second window of the program, beside the gallery's; Escape presses its Close button.
    Click(At(second, second.Width() / 2, second.Height() / 2));
    std::vector<std::string> opened;
    ASSERT_TRUE(WaitFor([&] {
        return !(opened = VisibleWindows(tools["xdotool"], "^Gallery: second window$")).empty();
    })) << "no second window appeared";
    EXPECT_FALSE(VisibleWindows(tools["xdotool"], "^Gallery$").empty());
    Xdotool({"windowactivate", "--sync", opened.front()});
    Xdotool({"key", "Escape"});
    EXPECT_TRUE(WaitFor([&] { return VisibleWindows(tools["xdotool"], "^Gallery: second window$").empty(); }))
        << "Escape did not close the second window";

    // A message box, drawn in the gallery's style with the information icon: Enter presses OK,
    // Escape Cancel.
    // The light style's button face, as the copy here has it.
    const TColor face = ColorToRGB(clBtnFace);
    for (const char* keyName : {"Return", "Escape"}) {
        Xdotool({"windowactivate", "--sync", window});
        // The pointer comes to rest on the button before it presses: a window that has just gone
        // from under it may leave the desktop's last word on the pointer with that window.
        const TPoint button = At(message, message.Width() / 2, message.Height() / 2);
        Xdotool({"mousemove", Coordinate(button.X), Coordinate(button.Y)});
        std::this_thread::sleep_for(300ms);
        Xdotool({"click", "1"});
        std::vector<std::string> box;
        ASSERT_TRUE(WaitFor([&] {
            return !(box = VisibleWindows(tools["xdotool"], "^Information$")).empty();
        })) << "no message box appeared";
        std::optional<testsupport::TDesktopWindow> placed;
        ASSERT_TRUE(WaitFor(
            [&] { return (placed = testsupport::DesktopWindow(std::stoul(box.front()))).has_value(); }));
        // The icon's circle left of its mark, and the dialog's face below the icon.
        const auto scaled = [&](int v) { return MulDiv(v, desktopPpi, 96); };
        const TPoint icon{placed->Client.Left + scaled(12 + 5), placed->Client.Top + scaled(12 + 16)};
        const TPoint below{placed->Client.Left + scaled(12 + 16), placed->Client.Top + scaled(12 + 32 + 6)};
        EXPECT_TRUE(Shows({{icon, RGB(0x1F, 0x5F, 0xBF)}, {below, face}}));
        Xdotool({"windowactivate", "--sync", box.front()});
        Xdotool({"key", keyName});
        EXPECT_TRUE(
            Reported(std::string("Message box: ") + (keyName == std::string("Return") ? "OK" : "Cancel")));
        EXPECT_TRUE(WaitFor([&] { return VisibleWindows(tools["xdotool"], "^Information$").empty(); }));
    }
}

TEST_F(GalleryOnDesktop, AChooserThatStaysOpenLeavesTheWindowPaintingAndItsCloseWaits) {
    // A zenity that says it has started, then answers only when the test lets it.
    const std::string bin = temp.MakeFolder("bin");
    const std::string started = temp.Path("zenity-started"), release = temp.Path("zenity-release");
    const std::string chosen = temp.MakeFolder("Chosen");
    {
        std::ofstream zenity(bin + "/zenity");
        zenity << "#!/bin/sh\n: > '" << started << "'\n"
               << "for i in $(seq 600); do [ -e '" << release << "' ] && break; sleep 0.1; done\n"
               << "echo '" << chosen << "'\n";
    }
    ::chmod((bin + "/zenity").c_str(), 0755);
    const char* path = std::getenv("PATH");
    ASSERT_NO_FATAL_FAILURE(StartGallery({"PATH=" + bin + ":" + (path ? path : "/usr/bin:/bin")}));
    ASSERT_TRUE(Reported(Format("Style 0 (Light), %d pixels per inch", {desktopPpi})));
    const TColor light = sibling::GetABaseTMSBackgroundColour(vendor::tsLight);
    ASSERT_TRUE(Shows({{Background(), light}}));

    auto& picker = Control<lm7::TMyOpenFolderDialog>("MyOpenFolderDialog1");
    ScrollIntoView(picker);
    const TRect button = picker.ButtonRect();
    Click(At(picker, button.Left + button.Width() / 2, button.Top + button.Height() / 2));
    ASSERT_TRUE(WaitFor([&] { return ::access(started.c_str(), F_OK) == 0; })) << "the chooser did not start";

    // While it is open the window is moved: it paints itself whole at its new place, as the copy
    // shows it.
    Xdotool(
        {"windowmove", window, Coordinate(placedWindow.Frame.Left + 40), Coordinate(placedWindow.Frame.Top)});
    ASSERT_TRUE(WaitFor([&] {
        const auto now = testsupport::DesktopWindow(std::stoul(window));
        return now && now->Client.Left != placedWindow.Client.Left;
    }));
    FitCopyToWindow();
    ASSERT_TRUE(Shows({{Background(), light}}));
    const auto expected = copy->Snapshot();
    int differing = 0;
    EXPECT_TRUE(WaitFor([&] {
        const TBitmap& picture = Screenshot();
        differing = 0;
        for (int y = 0; y < placedWindow.Client.Height() / 2; y += 2)
            for (int x = 0; x < placedWindow.Client.Width(); x += 2)
                if (testsupport::PixelAt(picture, placedWindow.Client.Left + x,
                                         placedWindow.Client.Top + y) !=
                    ColorToRGB(expected->Canvas()->Pixels(x, y)))
                    ++differing;
        return differing == 0;
    })) << differing
        << " pixels of the upper half differ from the copy's";

    // The style broadcast still arrives and is shown; a click on a list row is refused.
    auto& list = Control<lm7::TStyledListbox>("StyledListbox1");
    RunTool(folder + "lm7tool", {"broadcast-style", std::to_string(vendor::tsDark)});
    EXPECT_TRUE(Reported(Format("Style 4 (Dark), %d pixels per inch", {desktopPpi})));
    const TColor dark = sibling::GetABaseTMSBackgroundColour(vendor::tsDark);
    EXPECT_TRUE(Shows({{Background(), dark}}));
    if (InView(list, 4, 4))
        Click(InRow(list, 1));

    // A close asked meanwhile waits for the chooser's answer, then the window closes.
    std::string why;
    ASSERT_TRUE(testsupport::AskWindowToClose(std::stoul(window), why)) << why;
    std::this_thread::sleep_for(1s);
    EXPECT_FALSE(gallery->Exited()) << "the window closed while the chooser was open";
    { std::ofstream(release.c_str()) << "\n"; }
    ASSERT_TRUE(WaitFor([&] { return gallery->Exited(); }))
        << "the close did not follow the chooser's answer";
    EXPECT_EQ(gallery->Status(), 0) << ReadFile(output);
    const std::string reports = ReadFile(log);
    EXPECT_NE(reports.find("MyOpenFolderDialog1: \"" + chosen), std::string::npos) << reports;
    EXPECT_EQ(reports.find("StyledListbox1: item 1"), std::string::npos) << reports;
}

TEST_F(GalleryOnDesktop, FilesDraggedFromAnotherProgramLandInTheFileEditAndTheWordList) {
    ASSERT_NO_FATAL_FAILURE(StartGallery());
    ASSERT_TRUE(Reported(Format("Style 0 (Light), %d pixels per inch", {desktopPpi})));
    // A text file whose name needs escapes in a URI: a blank, a percent sign, letters beyond ASCII.
    const std::string text = temp.Path("Wörter 100% ähnlich.txt");
    std::ofstream(text, std::ios::binary) << "Call me Ishmael. Some years ago, call me\n";
    // A second program drags it there by XDND, as a file manager does; it ends once the window
    // has taken the drop.
    auto dragTo = [&](TPoint P) {
        const platform::ProgramResult drag =
            platform::RunProgram(folder + "xdnd_source", {Coordinate(P.X), Coordinate(P.Y), text});
        return drag.ExitStatus == 0 ? ::testing::AssertionSuccess()
                                    : ::testing::AssertionFailure() << "xdnd_source: " << drag.Output;
    };

    auto& edit = Control<TControl>("FilePick");
    ScrollIntoView(edit);
    ASSERT_TRUE(InView(edit, 10, edit.Height() / 2));
    ASSERT_TRUE(dragTo(At(edit, 10, edit.Height() / 2)));
    EXPECT_TRUE(Reported("FilePick: \"" + text + "\""));

    // The word list counts the file's words into itself: six different ones.
    auto& words = Control<TControl>("WordList");
    ScrollIntoView(words);
    ASSERT_TRUE(InView(words, words.ClientWidth() / 2, 10));
    ASSERT_TRUE(dragTo(At(words, words.ClientWidth() / 2, 10)));
    EXPECT_TRUE(Reported("WordList: \"" + text + "\" dropped, 6 items"));
}

TEST_F(GalleryOnDesktop, TheWindowOpensAgainWhereItWasClosedAndMaximisedWhenItWas) {
    ASSERT_NO_FATAL_FAILURE(StartGallery());
    ASSERT_TRUE(Reported(Format("Style 0 (Light), %d pixels per inch", {desktopPpi})));
    // Moved and made smaller, as the user does with the window manager.
    Xdotool({"windowsize", window, "900", "501"});
    Xdotool({"windowmove", window, "40", "30"});
    testsupport::TDesktopWindow moved;
    ASSERT_TRUE(WaitFor([&] {
        const auto before = testsupport::DesktopWindow(std::stoul(window));
        std::this_thread::sleep_for(200ms);
        const auto after = testsupport::DesktopWindow(std::stoul(window));
        if (after)
            moved = *after;
        return before && after && before->Client == after->Client && after->Client.Width() == 900 &&
               after->Client.Height() == 501 && after->Frame.Left != placedWindow.Frame.Left;
    })) << "the window was not moved";
    auto closeGallery = [&] {
        std::string why;
        ASSERT_TRUE(testsupport::AskWindowToClose(std::stoul(window), why)) << why;
        ASSERT_TRUE(WaitFor([&] { return gallery->Exited(); })) << "the gallery did not end";
    };
    ASSERT_NO_FATAL_FAILURE(closeGallery());
    // Kept in units of 96 per inch, on the monitor it stood on.
    const std::string ini = home.Path("Documents/lumo7/gallery.ini");
    sibling::TMyMemIniFile kept(ini);
    EXPECT_EQ(kept.ReadInteger("GalleryWindow", "width", 0), MulDiv(900, 96, desktopPpi));
    EXPECT_EQ(kept.ReadInteger("GalleryWindow", "height", 0), MulDiv(501, 96, desktopPpi));
    EXPECT_NE(kept.ReadString("GalleryWindow", "monitor", ""), "");
    EXPECT_FALSE(kept.ReadBool("GalleryWindow", "maximized", true));

    // Started again, the window stands where it was, as large; at 144 pixels per inch a place
    // kept in units of 96 may come back a pixel off.
    ASSERT_NO_FATAL_FAILURE(StartGallery());
    const int slack = desktopPpi == 96 ? 0 : 1;
    EXPECT_LE(std::abs(placedWindow.Client.Left - moved.Client.Left), slack);
    EXPECT_LE(std::abs(placedWindow.Client.Top - moved.Client.Top), slack);
    EXPECT_EQ(placedWindow.Client.Width(), 900);
    EXPECT_EQ(placedWindow.Client.Height(), 501);
    EXPECT_TRUE(OnScreen());

    // Maximised when closed: maximised when started again.
    ASSERT_TRUE(testsupport::AskToMaximize(std::stoul(window)));
    ASSERT_TRUE(WaitFor([&] {
        const auto placed = testsupport::DesktopWindow(std::stoul(window));
        return placed && placed->Frame.Width() == screenSize.X;
    })) << "the window manager did not maximise the window";
    ASSERT_NO_FATAL_FAILURE(closeGallery());
    EXPECT_TRUE(sibling::TMyMemIniFile(ini).ReadBool("GalleryWindow", "maximized", false));
    ASSERT_NO_FATAL_FAILURE(StartGallery());
    EXPECT_TRUE(WaitFor([&] {
        const auto placed = testsupport::DesktopWindow(std::stoul(window));
        return placed && placed->Frame.Width() == screenSize.X;
    })) << "the window was not maximised again";
}
