// The gallery's search edit on a virtual desktop, worked with the real keyboard and pointer
// (xdotool) and the desktop's clipboard and primary selection, which xclip reads and fills as
// any other program does. What the edit holds arrives in the gallery's log.
//
// Runs under xvfb-run and dbus-run-session; skips when there is no display or no X tools.

#include "DesktopProcess.h"
#include "GalleryWindow.h"
#include "X11Desktop.h"

#include "framework/controls/Edits.h"
#include "framework/controls/Messages.h"
#include "framework/forms/Application.h"
#include "framework/platform/LinuxFileChoosers.h"
#include "framework/rtl/Paths.h"
#include "package/LM7StyledListboxPack.h"
#include "sibling/My_tmsstylebase.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace framework;
using namespace std::chrono_literals;

namespace {

using testsupport::ReadFile;
using testsupport::TChild;
using testsupport::WaitFor;

class EditsOnDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display || !std::getenv("LM7_VIRTUAL_DESKTOP"))
            GTEST_SKIP() << "no virtual desktop: xvfb-run is not installed (the test would take over this "
                            "desktop's pointer and clipboard)";
        const char* searchPath = std::getenv("PATH");
        for (const char* tool : {"xdotool", "xclip"}) {
            const auto found = platform::FindProgram(tool, searchPath ? searchPath : "");
            if (!found)
                GTEST_SKIP() << tool << " is not installed";
            tools[tool] = *found;
        }
        ::setenv("HOME", copyHome.Root().c_str(), 1);
        lm7::Initialize();
        started = true;
        sibling::Global_TMSStyle = vendor::tsLight;
        Screen->SetPixelsPerInch(96);
        copy.reset(Create<gallery::TGalleryWindow>(nullptr));
        copy->Show();
        Application->ProcessMessages();
        edit = As<TEdit>(Find(copy.get(), "EditSearch"));
        ASSERT_TRUE(edit) << "the gallery has no EditSearch";
        std::ofstream(empty).flush();
    }
    void TearDown() override {
        holder.reset();
        gallery.reset();
        copy.reset();
        if (started)
            lm7::Finalize();
    }
    static TComponent* Find(TComponent* Owner, const char* Name) {
        if (TComponent* c = Owner->FindComponent(Name))
            return c;
        for (int i = 0; i < Owner->ComponentCount(); ++i)
            if (TComponent* c = Find(Owner->Components(i), Name))
                return c;
        return nullptr;
    }

    std::string Run(const std::string& Tool, const std::vector<std::string>& Arguments) {
        const platform::ProgramResult result = platform::RunProgram(tools[Tool], Arguments);
        EXPECT_EQ(result.ExitStatus, 0) << Tool << ": " << result.Output;
        return result.Output;
    }
    void Xdotool(const std::vector<std::string>& Arguments) { Run("xdotool", Arguments); }
    // What xclip reads from a selection ("clipboard" or "primary").
    std::string Selection(const char* Which) {
        return platform::RunProgram(tools["xclip"], {"-o", "-selection", Which}).Output;
    }
    // xclip owns the selection with Text until it is stopped.
    void Own(const char* Which, const std::string& Text) {
        holder.reset();
        const std::string input = temp.Path("input.txt");
        std::ofstream(input, std::ios::binary) << Text;
        holder = std::make_unique<TChild>(
            std::vector<std::string>{tools["xclip"], "-quiet", "-i", "-selection", Which},
            testsupport::EnvironmentWith({}), temp.Path("xclip.out"), input);
        ASSERT_TRUE(holder->Started());
        ASSERT_TRUE(WaitFor([&] { return Selection(Which) == Text; })) << Which << ": " << Selection(Which);
    }
    ::testing::AssertionResult Reported(const std::string& Line) {
        if (WaitFor([&] { return ReadFile(log).find(Line + "\n") != std::string::npos; }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "no \"" << Line << "\" in the log:\n"
                                             << ReadFile(log) << ReadFile(output);
    }
    // A point of the search edit on the screen: X pixels into its text, in the middle.
    std::vector<std::string> Point(int X) {
        const TPoint origin = edit->ClientOrigin();
        return {std::to_string(offset.X + origin.X + 1 + X),
                std::to_string(offset.Y + origin.Y + edit->ClientHeight() / 2)};
    }
    int TextWidth(const std::string& Text) { return edit->Canvas()->TextWidth(Text); }

    testsupport::TempFolder home, copyHome, temp;
    std::string log = temp.Path("gallery.log"), output = temp.Path("gallery.out"), empty = temp.Path("empty");
    std::map<std::string, std::string> tools;
    bool started = false;
    std::unique_ptr<gallery::TGalleryWindow, TFreeDeleter> copy;
    TEdit* edit = nullptr;
    std::unique_ptr<TChild> gallery, holder;
    TPoint offset;  // the window's client area on the screen
};

}  // namespace

TEST_F(EditsOnDesktop, TypedSelectedCopiedAndPastedThroughTheDesktopsClipboards) {
    const std::string folder = ExtractFilePath(Application->ExeName());
    gallery = std::make_unique<TChild>(
        std::vector<std::string>{folder + "gallery", "--window", "--log", log},
        testsupport::EnvironmentWith({"HOME=" + home.Root(), "SDL_FRAMEBUFFER_ACCELERATION=0"}), output,
        empty);
    ASSERT_TRUE(gallery->Started());
    std::string window;
    ASSERT_TRUE(WaitFor([&] {
        window =
            platform::RunProgram(tools["xdotool"], {"search", "--onlyvisible", "--name", "^Gallery$"}).Output;
        return !window.empty();
    })) << ReadFile(output);
    window = window.substr(0, window.find('\n'));
    // The copy takes the window's size and lays out as the gallery does; the wheel over the
    // sections' background, turned on both alike, brings the search edit into view.
    std::optional<testsupport::TDesktopWindow> placed;
    ASSERT_TRUE(
        WaitFor([&] { return (placed = testsupport::DesktopWindow(std::stoul(window))).has_value(); }));
    offset = TPoint{placed->Client.Left, placed->Client.Top};
    copy->SetBounds(copy->Left(), copy->Top(), placed->Client.Width(), placed->Client.Height());
    Application->ProcessMessages();
    const auto* title = As<TControl>(Find(copy.get(), "TitleFramework"));
    const auto* box = As<TControl>(Find(copy.get(), "Sections"));
    const auto* status = As<TControl>(Find(copy.get(), "StatusLine"));
    ASSERT_TRUE(title && box && status);
    for (int turn = 0; turn < 200 && edit->ClientOrigin().Y + edit->Height() > status->Top(); ++turn) {
        const TPoint p{
            (title->ClientOrigin().X + title->Width() + box->ClientOrigin().X + box->ClientWidth()) / 2,
            box->ClientOrigin().Y + box->ClientHeight() / 2};
        Xdotool({"mousemove", std::to_string(offset.X + p.X), std::to_string(offset.Y + p.Y), "click", "5"});
        copy->SendMouseInput(WM_MOUSEWHEEL, p.X, p.Y, MakeWParam(0, static_cast<std::uint16_t>(-120)));
    }

    // The window is ready for the keyboard once a probe typed into the edit arrives; until the
    // desktop has given the new window the focus, SDL passes on no text.
    Xdotool({"windowfocus", "--sync", window});
    auto at = Point(5);
    bool ready = false;
    for (int attempt = 0; attempt < 10 && !ready; ++attempt) {
        Xdotool({"mousemove", at[0], at[1], "click", "1"});
        Xdotool({"key", "ctrl+a", "x"});
        ready = WaitFor([&] { return ReadFile(log).find("EditSearch: \"x\"\n") != std::string::npos; }, 1s);
    }
    ASSERT_TRUE(ready) << ReadFile(log) << ReadFile(output);

    // Typed into, all of the old text replaced.
    Xdotool({"key", "ctrl+a"});
    Xdotool({"type", "--delay", "20", "harpoon line"});
    ASSERT_TRUE(Reported("EditSearch: \"harpoon line\""));

    // Shift with the arrows selects; Ctrl+C puts it on the desktop's clipboard.
    Xdotool({"key", "End", "shift+Left", "shift+Left", "shift+Left", "shift+Left", "ctrl+c"});
    EXPECT_TRUE(WaitFor([&] { return Selection("clipboard") == "line"; })) << Selection("clipboard");

    // A drag over the first word selects it, which makes it the primary selection.
    const auto from = Point(0), to = Point(TextWidth("harpoon") - 1);
    Xdotool({"mousemove", from[0], from[1], "mousedown", "1"});
    Xdotool({"mousemove", to[0], to[1]});
    Xdotool({"mouseup", "1"});
    EXPECT_TRUE(WaitFor([&] { return Selection("primary") == "harpoon"; })) << Selection("primary");
    Xdotool({"key", "ctrl+c"});
    EXPECT_TRUE(WaitFor([&] { return Selection("clipboard") == "harpoon"; })) << Selection("clipboard");

    // Text another program put on the clipboard is pasted over everything.
    Own("clipboard", "from xclip");
    Xdotool({"key", "ctrl+a", "ctrl+v"});
    ASSERT_TRUE(Reported("EditSearch: \"from xclip\""));

    // The middle button pastes the primary selection where it is pressed: past the text's end.
    Own("primary", " and primary");
    at = Point(TextWidth("from xclip") + 20);
    Xdotool({"mousemove", at[0], at[1], "click", "2"});
    ASSERT_TRUE(Reported("EditSearch: \"from xclip and primary\""));

    // A clipboard whose owner has gone pastes nothing; the edit works on.
    Own("clipboard", "gone");
    holder.reset();
    Xdotool({"key", "End", "ctrl+v", "exclam"});
    ASSERT_TRUE(Reported("EditSearch: \"from xclip and primary!\""));
    EXPECT_EQ(ReadFile(log).find("gone"), std::string::npos);
}
