#include "host/WindowHost.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/DropFiles.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "framework/forms/Hints.h"
#include "framework/rtl/Exceptions.h"
#include "host/DisplayResolution.h"
#include "host/WorkArea.h"
#include "support/FormFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

using namespace framework;
using namespace host;

namespace {

// A form that keeps what the resolution messages told it, and scales as a tool window does.
class TDpiForm : public TForm {
public:
    using TForm::TForm;
    static const TClassInfo& ClassInfo() {
        static const TClassInfo info = TClassInfo::Derive<TDpiForm, TForm>("TDpiForm")
                                           .Message<TDpiForm>(WM_DPICHANGED, &TDpiForm::WMDpi);
        return info;
    }
    TClass ClassType() const override { return &ClassInfo(); }
    std::vector<std::uint32_t> wparams;
    std::vector<TRect> suggested;
    bool* destroyed = nullptr;

protected:
    void BeforeDestruction() override {
        if (destroyed)
            *destroyed = true;
        TForm::BeforeDestruction();
    }
    void WMDpi(TMessage& Message) {
        wparams.push_back(Message.WParam);
        if (auto* r = static_cast<const TRect*>(PointerFromLParam(Message.LParam)))
            suggested.push_back(*r);
        const int dpi = static_cast<int>(Message.WParam & 0xFFFF);
        ChangeScale(dpi, PixelsPerInch());
        SetPixelsPerInch(dpi);
    }
};

// SDL's offscreen driver: a real window and renderer without a display.
class WindowHostOffscreen : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        // The software renderer is enough here. Mesa's EGL, loaded and unloaded with each window,
        // leaves allocations behind that LeakSanitizer reports against an unknown module.
        setenv("SDL_VIDEO_EGL_DRIVER", "none", 1);
        Screen->SetPixelsPerInch(96);
    }
    void TearDown() override {
        Screen->SetPixelsPerInch(96);
        unsetenv("SDL_VIDEODRIVER");
        unsetenv("SDL_VIDEO_EGL_DRIVER");
    }
    TDpiForm* MakeForm() {
        auto* form = Create<TDpiForm>(nullptr);
        form->SetClientWidth(200);
        form->SetClientHeight(100);
        form->SetColor(clWhite);
        list = Create<TListBox>(form);
        list->SetParent(form);
        list->SetBounds(10, 10, 100, 60);
        for (const char* s : {"one", "two", "three"})
            list->Items()->Add(s);
        form->destroyed = &destroyed;
        return form;
    }
    static SDL_Event press(bool down, int x, int y) {
        SDL_Event e{};
        e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.button.button = SDL_BUTTON_LEFT;
        e.button.clicks = 1;
        e.button.x = x;
        e.button.y = y;
        return e;
    }
    TListBox* list = nullptr;
    bool destroyed = false;
};

}  // namespace

TEST_F(WindowHostOffscreen, AClickRepaintsTheListAndPresentsIt) {
    TWindowHost host(THostOptions{0, false, true});
    host.Open(MakeForm());
    const TPoint origin = list->ClientOrigin();
    const TColor before = host.Frame().Pixels(origin.X + 50, origin.Y + 16 + 8);
    ASSERT_TRUE(host.HandleEvent(press(true, origin.X + 50, origin.Y + 16 + 8)));
    ASSERT_TRUE(host.HandleEvent(press(false, origin.X + 50, origin.Y + 16 + 8)));
    host.Flush();
    EXPECT_EQ(list->ItemIndex(), 1);
    // The second item is now painted selected in the presented picture, the rest unchanged.
    EXPECT_NE(host.Frame().Pixels(origin.X + 50, origin.Y + 16 + 8), before);
    EXPECT_EQ(host.Frame().Pixels(150, 90), clWhite);
    EXPECT_EQ(host.Frame().Pixels(origin.X + 50, origin.Y + 16 + 8),
              list->Surface()->Canvas()->Pixels(50, 16 + 8));
}

TEST_F(WindowHostOffscreen, AClickComposesOnlyTheRepaintedListAgain) {
    TWindowHost host(THostOptions{0, false, true});
    TDpiForm* form = MakeForm();
    int formPaints = 0;
    form->OnPaint = TNotifyEvent::Lambda([&](TObject*) { ++formPaints; });
    host.Open(form);
    // A mark on the form's own pixels, behind the framework's back: the window shows it only
    // where the host composes the form again.
    form->Surface()->Canvas()->SetPixel(150, 90, clRed);
    formPaints = 0;
    const TPoint origin = list->ClientOrigin();
    host.HandleEvent(press(true, origin.X + 50, origin.Y + 8));
    host.HandleEvent(press(false, origin.X + 50, origin.Y + 8));
    host.Flush();
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_EQ(formPaints, 0);
    EXPECT_EQ(host.Frame().Pixels(origin.X + 50, origin.Y + 8), list->Surface()->Canvas()->Pixels(50, 8));
    EXPECT_EQ(host.Frame().Pixels(150, 90), clWhite);
    // Composed again, the form shows the mark.
    EXPECT_EQ(form->Snapshot()->Canvas()->Pixels(150, 90), clRed);
}

TEST_F(WindowHostOffscreen, ClosingTheWindowClosesAndFreesTheForm) {
    TWindowHost host(THostOptions{0, false, true});
    TDpiForm* form = MakeForm();
    bool closed = false;
    form->OnClose = TCloseEvent::Lambda([&](TObject*, TCloseAction&) { closed = true; });
    host.Open(form);
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    // An event of another window is not this form's.
    close.window.windowID = 999;
    EXPECT_TRUE(host.HandleEvent(close));
    EXPECT_FALSE(closed);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_FALSE(host.HandleEvent(quit));
    EXPECT_TRUE(closed);
    EXPECT_FALSE(destroyed);
    host.Close();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(host.Form(), nullptr);
}

TEST_F(WindowHostOffscreen, AGivenResolutionReachesTheFormAsAResolutionChange) {
    TWindowHost host(THostOptions{144, false, true});
    TDpiForm* form = MakeForm();
    host.Open(form);
    EXPECT_EQ(Screen->PixelsPerInch(), 144);
    ASSERT_EQ(form->wparams, (std::vector<std::uint32_t>{144u | 144u << 16}));
    ASSERT_EQ(form->suggested.size(), 1u);
    EXPECT_EQ(form->suggested[0].Width(), 300);
    EXPECT_EQ(form->suggested[0].Height(), 150);
    // The window and its picture follow the rescaled form.
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(host.Frame().Surface().Width, 300);
    EXPECT_EQ(host.Frame().Surface().Height, 150);
}

TEST_F(WindowHostOffscreen, AFormAlreadyAtTheDisplaysResolutionHearsNothing) {
    TWindowHost host(THostOptions{0, false, true});
    TDpiForm* form = MakeForm();
    host.Open(form);
    EXPECT_EQ(host.PixelsPerInch(), DisplayPixelsPerInch(nullptr));
    EXPECT_EQ(form->wparams.empty(), host.PixelsPerInch() == 96);
}

TEST_F(WindowHostOffscreen, AFormLargerThanTheMonitorOpensInsideItsWorkAreaAndLaysOutThere) {
    TWindowHost host(THostOptions{144, false, true});
    TDpiForm* form = MakeForm();
    form->SetClientWidth(900);
    form->SetClientHeight(1000);  // 1350x1500 at 144 pixels per inch
    auto* status = Create<TPanel>(form);
    status->SetParent(form);
    status->SetHeight(20);
    status->SetAlign(alBottom);
    host.Open(form);
    const TRect area = WindowWorkArea(nullptr);
    ASSERT_FALSE(area.IsEmpty());
    ASSERT_LT(area.Height(), 1500);
    EXPECT_LE(form->ClientHeight(), area.Height());
    EXPECT_LE(form->ClientWidth(), area.Width());
    EXPECT_EQ(host.Frame().Surface().Height, form->ClientHeight());
    EXPECT_EQ(host.Frame().Surface().Width, form->ClientWidth());
    // The form took the window's size: what is aligned to its bottom is where the user sees it.
    EXPECT_EQ(status->Top() + status->Height(), form->ClientHeight());
    EXPECT_EQ(host.Frame().Pixels(5, form->ClientHeight() - 10),
              form->Snapshot()->Canvas()->Pixels(5, form->ClientHeight() - 10));
    // The first picture shows the form from its top: the list where the form has it.
    EXPECT_EQ(list->BoundsRect(), Bounds(15, 15, 150, 90));
    const TPoint origin = list->ClientOrigin();
    EXPECT_EQ(host.Frame().Pixels(origin.X + 20, origin.Y + 12), list->Surface()->Canvas()->Pixels(20, 12));
}

TEST_F(WindowHostOffscreen, TheFormFollowsTheWindowWhenTheDesktopResizesIt) {
    TWindowHost host(THostOptions{0, false, true});
    TDpiForm* form = MakeForm();
    auto* status = Create<TPanel>(form);
    status->SetParent(form);
    status->SetHeight(20);
    status->SetAlign(alBottom);
    host.Open(form);
    // A maximised window, as the window manager reports it.
    SDL_Event resized{};
    resized.type = SDL_WINDOWEVENT;
    resized.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    resized.window.windowID = host.WindowID();
    resized.window.data1 = 400;
    resized.window.data2 = 300;
    ASSERT_TRUE(host.HandleEvent(resized));
    host.Flush();
    EXPECT_EQ(form->ClientWidth(), 400);
    EXPECT_EQ(form->ClientHeight(), 300);
    EXPECT_EQ(status->Top(), 280);
    EXPECT_EQ(status->Width(), 400);
    EXPECT_EQ(host.Frame().Surface().Height, 300);
}

TEST_F(WindowHostOffscreen, AHintOpensInATooltipWindowOfItsOwnAndMakesWayForThePointer) {
    TWindowHost host(THostOptions{96, false, true});
    TDpiForm* form = MakeForm();
    list->SetHint("Words|Every word of the text");
    list->SetShowHint(true);
    host.Open(form);
    // A drop-down's window, once closed, is kept; the tooltip gets a window of its own kind.
    auto* combo = Create<TComboBox>(form);
    combo->SetParent(form);
    combo->SetBounds(120, 10, 70, 0);
    combo->Items()->Add("one");
    combo->SetDroppedDown(true);
    host.Flush();
    combo->SetDroppedDown(false);
    host.Flush();
    ASSERT_TRUE(host.PopupWindowIDs().empty());
    form->SendMouseInput(WM_MOUSEMOVE, 50, 65);
    THintWindow* hint = nullptr;
    for (int i = 0; i < form->ControlCount(); ++i)
        if (auto* w = As<THintWindow>(form->Controls(i)))
            hint = w;
    ASSERT_NE(hint, nullptr);
    hint->Perform(WM_TIMER, THintWindow::kHintTimer);
    host.Flush();
    ASSERT_TRUE(hint->ShownApart());
    EXPECT_GT(hint->Top() + hint->Height(), form->ClientHeight());  // past the form's edge
    const std::vector<std::uint32_t> ids = host.PopupWindowIDs();
    ASSERT_EQ(ids.size(), 1u);
    SDL_Window* tip = SDL_GetWindowFromID(ids[0]);
    EXPECT_TRUE(SDL_GetWindowFlags(tip) & SDL_WINDOW_TOOLTIP);
    EXPECT_FALSE(SDL_GetWindowFlags(tip) & SDL_WINDOW_POPUP_MENU);
    int w = 0, h = 0;
    SDL_GetWindowSize(tip, &w, &h);
    EXPECT_EQ(w, hint->Width());
    EXPECT_EQ(h, hint->Height());
    // The pointer on the tooltip: it goes.
    SDL_Event move{};
    move.type = SDL_MOUSEMOTION;
    move.motion.windowID = ids[0];
    move.motion.x = 3;
    move.motion.y = 3;
    ASSERT_TRUE(host.HandleEvent(move));
    host.Flush();
    EXPECT_FALSE(hint->Visible());
    EXPECT_TRUE(host.PopupWindowIDs().empty());
    Application->CancelHint();
}

TEST_F(WindowHostOffscreen, ClosingWithADropDownShownFreesTheFormAndItsPopupsSoundly) {
    TWindowHost host(THostOptions{96, false, true});
    TDpiForm* form = MakeForm();
    auto* combo = Create<TComboBox>(form);
    combo->SetParent(form);
    combo->SetBounds(120, 70, 70, 0);
    combo->Items()->Add("one");
    host.Open(form);
    combo->SetDroppedDown(true);
    host.Flush();
    ASSERT_EQ(host.PopupWindowIDs().size(), 1u);
    host.Close();  // the form goes first, its popups with it; their windows close after
    EXPECT_EQ(host.Form(), nullptr);
    EXPECT_TRUE(host.PopupWindowIDs().empty());
}

TEST_F(WindowHostOffscreen, AComboListOpensInAPopupWindowPastTheFormsEdgeAndIsPickedThere) {
    TWindowHost host(THostOptions{96, false, true});
    TDpiForm* form = MakeForm();
    auto* combo = Create<TComboBox>(form);
    combo->SetParent(form);
    combo->SetBounds(120, 70, 70, 0);
    for (const char* s : {"one", "two", "three", "four", "five", "six"})
        combo->Items()->Add(s);
    host.Open(form);
    ASSERT_TRUE(host.PopupWindowIDs().empty());
    combo->SetDroppedDown(true);
    host.Flush();
    const std::vector<std::uint32_t> ids = host.PopupWindowIDs();
    ASSERT_EQ(ids.size(), 1u);
    auto* dropped = As<TDropDownList>(form->Controls(form->ControlCount() - 1));
    ASSERT_TRUE(dropped && dropped->ShownApart());
    EXPECT_GT(dropped->Top() + dropped->Height(), form->ClientHeight());
    // The popup's window stands where the list is, beside the form's window, and shows it.
    SDL_Window* popup = SDL_GetWindowFromID(ids[0]);
    SDL_Window* owner = SDL_GetWindowFromID(host.WindowID());
    int px = 0, py = 0, ox = 0, oy = 0, pw = 0, ph = 0;
    SDL_GetWindowPosition(popup, &px, &py);
    SDL_GetWindowPosition(owner, &ox, &oy);
    SDL_GetWindowSize(popup, &pw, &ph);
    EXPECT_EQ(px - ox, dropped->Left());
    EXPECT_EQ(py - oy, dropped->Top());
    EXPECT_EQ(pw, dropped->Width());
    EXPECT_EQ(ph, dropped->Height());
    SDL_Surface* shown = SDL_GetWindowSurface(popup);
    ASSERT_NE(shown, nullptr);
    const int row = 1 + combo->ItemHeight() * 2 + combo->ItemHeight() / 2;  // "three"
    Uint32 pixel = 0;
    SDL_LockSurface(shown);
    std::memcpy(&pixel, static_cast<Uint8*>(shown->pixels) + row * shown->pitch + 30 * 4, 4);
    SDL_UnlockSurface(shown);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(pixel, shown->format, &r, &g, &b);
    const TColor expected = ColorToRGB(dropped->Surface()->Canvas()->Pixels(29, row - 1));
    EXPECT_EQ(RGB(r, g, b), expected);
    // A click in the popup's window picks the entry under it; the window goes with the list.
    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.windowID = ids[0];
    click.button.button = SDL_BUTTON_LEFT;
    click.button.clicks = 1;
    click.button.x = 30;
    click.button.y = row;
    ASSERT_TRUE(host.HandleEvent(click));
    click.type = SDL_MOUSEBUTTONUP;
    ASSERT_TRUE(host.HandleEvent(click));
    host.Flush();
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_TRUE(host.PopupWindowIDs().empty());
    // Opened again, it comes in the same window; the desktop's focus leaving takes it away.
    combo->SetDroppedDown(true);
    host.Flush();
    EXPECT_EQ(host.PopupWindowIDs(), ids);
    SDL_Event away{};
    away.type = SDL_WINDOWEVENT;
    away.window.windowID = host.WindowID();
    away.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    host.HandleEvent(away);
    host.Flush();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_TRUE(host.PopupWindowIDs().empty());
}

TEST_F(WindowHostOffscreen, AWindowOpensWhereTheFormWasAndTellsTheFormWhereItStands) {
    TWindowHost host(THostOptions{96, false, true});
    TDpiForm* form = MakeForm();
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    const TRect area = WindowWorkArea(nullptr);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    ASSERT_FALSE(area.IsEmpty());
    // Wider than the work area and past its top: shortened and moved in, title bar first.
    form->SetWindowPlacement(
        TWindowPlacement{Bounds(area.Left + 30, area.Top - 500, area.Width() + 100, 150), false, "gone"});
    host.Open(form);
    int x = 0, y = 0;
    SDL_GetWindowPosition(SDL_GetWindowFromID(host.WindowID()), &x, &y);
    EXPECT_EQ((TPoint{x, y}), (TPoint{area.Left, area.Top}));
    EXPECT_EQ(form->Width(), area.Width());
    EXPECT_EQ(form->Height(), 150);
    // The form hears where its window is, on the monitor SDL names.
    ASSERT_TRUE(form->WindowPlacement().has_value());
    EXPECT_EQ(form->WindowPlacement()->Bounds, Bounds(area.Left, area.Top, area.Width(), 150));
    EXPECT_EQ(form->WindowPlacement()->Monitor, SDL_GetDisplayName(0));
    EXPECT_FALSE(form->WindowPlacement()->Maximized);
    ASSERT_FALSE(Screen->Monitors().empty());
    EXPECT_EQ(Screen->Monitors().front().Name, SDL_GetDisplayName(0));
    EXPECT_TRUE(Screen->Monitors().front().Primary);
    // Framed by the window manager a little off that place: put back there.
    SDL_Window* shown = SDL_GetWindowFromID(host.WindowID());
    SDL_Event moved{};
    moved.type = SDL_WINDOWEVENT;
    moved.window.event = SDL_WINDOWEVENT_MOVED;
    moved.window.windowID = host.WindowID();
    SDL_SetWindowPosition(shown, area.Left + 2, area.Top + 1);
    ASSERT_TRUE(host.HandleEvent(moved));
    SDL_GetWindowPosition(shown, &x, &y);
    EXPECT_EQ((TPoint{x, y}), (TPoint{area.Left, area.Top}));
    ASSERT_TRUE(host.HandleEvent(moved));
    // Moved down by the user once it stands there: the form follows, and the window stays.
    SDL_SetWindowPosition(shown, area.Left, area.Top + 6);
    ASSERT_TRUE(host.HandleEvent(moved));
    SDL_GetWindowPosition(shown, &x, &y);
    EXPECT_EQ((TPoint{x, y}), (TPoint{area.Left, area.Top + 6}));
    EXPECT_EQ(form->WindowPlacement()->Bounds, Bounds(area.Left, area.Top + 6, area.Width(), 150));
}

TEST_F(WindowHostOffscreen, FilesDroppedFromTheDesktopReachTheWindowUnderThePointerTogether) {
    TWindowHost host(THostOptions{96, false, true});
    TDpiForm* form = MakeForm();
    DragAcceptFiles(list, true);
    std::vector<std::vector<std::string>> drops;
    TPoint at;
    list->OnDropFiles = TEvent<TObject*, const std::vector<std::string>&, TPoint>::Lambda(
        [&](TObject*, const std::vector<std::string>& files, TPoint p) {
            drops.push_back(files);
            at = p;
        });
    host.Open(form);
    SDL_Event move{};
    move.type = SDL_MOUSEMOTION;
    move.motion.windowID = host.WindowID();
    move.motion.x = list->ClientOrigin().X + 7;
    move.motion.y = list->ClientOrigin().Y + 9;
    host.HandleEvent(move);
    auto drop = [&](Uint32 type, const char* file) {
        SDL_Event e{};
        e.type = type;
        e.drop.windowID = host.WindowID();
        e.drop.file = file ? SDL_strdup(file) : nullptr;
        return host.HandleEvent(e);
    };
    const std::vector<std::string> names{"/home/reader/Wörter list.txt", "/tmp/\xc3(bad utf-8).txt"};
    EXPECT_TRUE(drop(SDL_DROPBEGIN, nullptr));
    for (const std::string& n : names)
        EXPECT_TRUE(drop(SDL_DROPFILE, n.c_str()));
    EXPECT_TRUE(drops.empty());  // not before the drop is complete
    EXPECT_TRUE(drop(SDL_DROPCOMPLETE, nullptr));
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0], names);
    EXPECT_EQ(at, (TPoint{7, 9}));
    // Dropped text is no file; a drop with nothing in it reaches nobody.
    EXPECT_TRUE(drop(SDL_DROPBEGIN, nullptr));
    EXPECT_TRUE(drop(SDL_DROPTEXT, "some words"));
    EXPECT_TRUE(drop(SDL_DROPCOMPLETE, nullptr));
    EXPECT_EQ(drops.size(), 1u);
}

// A display that is named but not there: SDL would fall back to its offscreen driver, and a
// window there would run unseen for good.
TEST(DisplayAvailability, ANamedDisplayThatCannotBeReachedIsNoDisplay) {
    struct SavedEnvironment {
        std::vector<std::pair<std::string, std::optional<std::string>>> saved;
        void Set(const char* name, const char* value) {
            const char* old = std::getenv(name);
            saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
            if (value)
                setenv(name, value, 1);
            else
                unsetenv(name);
        }
        ~SavedEnvironment() {
            for (auto it = saved.rbegin(); it != saved.rend(); ++it)
                if (it->second)
                    setenv(it->first.c_str(), it->second->c_str(), 1);
                else
                    unsetenv(it->first.c_str());
        }
    } environment;
    environment.Set("SDL_VIDEODRIVER", nullptr);
    environment.Set("WAYLAND_DISPLAY", nullptr);
    environment.Set("DISPLAY", nullptr);
    std::string why;
    EXPECT_FALSE(DisplayAvailable(&why));
    EXPECT_EQ(why, "neither DISPLAY nor WAYLAND_DISPLAY is set");

    environment.Set("DISPLAY", "/nonexistent/x11-socket:0");
    EXPECT_FALSE(DisplayAvailable(&why));
    EXPECT_NE(why.find("cannot be reached"), std::string::npos) << why;
    TWindowHost host(THostOptions{0, false, true});
    testsupport::FormPtr form = testsupport::MakeForm(50, 50);
    EXPECT_THROW(host.Open(form.get()), Exception);

    // Asked for by name, the offscreen driver is taken as it is (tests, benchmarks).
    environment.Set("SDL_VIDEODRIVER", "offscreen");
    EXPECT_TRUE(DisplayAvailable(&why));
}

TEST(XftResources, TheDpiIsReadFromItsOwnLineOnly) {
    EXPECT_EQ(XftDpiFromResources("Xft.antialias:\t1\nXft.dpi:\t144\nXft.hinting:\t1\n"), 144);
    EXPECT_EQ(XftDpiFromResources("Xft.dpi: 120.6\r\n"), 121);
    EXPECT_EQ(XftDpiFromResources("Xft.dpiX:\t144\n*.dpi:\t200\n"), 0);
    EXPECT_EQ(XftDpiFromResources("Xft.dpi:\t\n"), 0);
    EXPECT_EQ(XftDpiFromResources("Xft.dpi:\t96abc\n"), 0);
    EXPECT_EQ(XftDpiFromResources("Xft.dpi:\t-5\n"), 0);
    EXPECT_EQ(XftDpiFromResources("Xft.dpi:\tnan\n"), 0);
    EXPECT_EQ(XftDpiFromResources(""), 0);
}
