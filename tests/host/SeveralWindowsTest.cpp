#include "framework/controls/Button.h"
#include "framework/forms/Application.h"
#include "framework/forms/MessageDialogs.h"
#include "framework/platform/FileChooser.h"
#include "host/WindowHost.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

using namespace framework;
using namespace host;

namespace {

// Several forms of one program on SDL's offscreen driver.
class SeveralWindows : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_VIDEO_EGL_DRIVER", "none", 1);
        Screen->SetPixelsPerInch(96);
        main = Create<TForm>(nullptr);
        main->SetClientWidth(300);
        main->SetClientHeight(200);
        main->SetColor(clWhite);
        button = Create<TButton>(main);
        button->SetBounds(10, 10, 80, 30);
        button->SetParent(main);
        button->OnClick = TNotifyEvent::Lambda([this](TObject*) { ++mainClicks; });
        host.Open(main);
    }
    void TearDown() override {
        host.Close();
        Application->SetMessagePump(nullptr);
        unsetenv("SDL_VIDEODRIVER");
        unsetenv("SDL_VIDEO_EGL_DRIVER");
    }
    TForm* makeSecond(TColor Color) {
        auto* form = Create<TForm>(main);
        form->SetClientWidth(120);
        form->SetClientHeight(80);
        form->SetColor(Color);
        return form;
    }
    static SDL_Event click(std::uint32_t Window, bool Down, int X, int Y) {
        SDL_Event e{};
        e.type = Down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.button.windowID = Window;
        e.button.button = SDL_BUTTON_LEFT;
        e.button.state = Down ? SDL_PRESSED : SDL_RELEASED;
        e.button.clicks = 1;
        e.button.x = X;
        e.button.y = Y;
        return e;
    }
    void clickMainButton() {
        host.HandleEvent(click(host.WindowID(), true, 20, 20));
        host.HandleEvent(click(host.WindowID(), false, 20, 20));
    }
    static SDL_Event key(std::uint32_t Window, SDL_Keycode Key) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.windowID = Window;
        e.key.state = SDL_PRESSED;
        e.key.keysym.sym = Key;
        e.key.keysym.scancode = SDL_GetScancodeFromKey(Key);
        return e;
    }
    static SDL_Event closeRequest(std::uint32_t Window) {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.event = SDL_WINDOWEVENT_CLOSE;
        e.window.windowID = Window;
        return e;
    }
    // Runs a modal loop through the host's own pump, handing the loop Step on each turn once
    // the modal form has its window.
    void driveModal(TCustomForm*& Modal, std::function<void(std::uint32_t Window)> Step) {
        Application->SetMessagePump([this, &Modal, Step] {
            ASSERT_LT(++turns, 100) << "the modal loop did not end";
            host.Pump(0);
            if (!Modal)
                for (int i = 0; i < Screen->FormCount(); ++i)
                    if (Screen->Forms(i)->Modal())
                        Modal = Screen->Forms(i);
            if (const std::uint32_t window = Modal ? host.WindowIDOf(Modal) : 0)
                Step(window);
        });
    }

    TWindowHost host{THostOptions{0, false, true}};
    TForm* main = nullptr;
    TButton* button = nullptr;
    int mainClicks = 0;
    int turns = 0;
};

TEST_F(SeveralWindows, AShownFormGetsAWindowOfItsOwnThatGoesWhenItHidesOrGoes) {
    TForm* second = makeSecond(clRed);
    second->Show();
    host.Flush();
    const std::uint32_t window = host.WindowIDOf(second);
    ASSERT_NE(window, 0u);
    EXPECT_NE(window, host.WindowID());
    EXPECT_EQ(host.Forms(), (std::vector<TCustomForm*>{main, second}));
    ASSERT_NE(host.FrameOf(second), nullptr);
    EXPECT_EQ(host.FrameOf(second)->Pixels(60, 40), ColorToRGB(clRed));
    EXPECT_EQ(host.Frame().Pixels(200, 150), clWhite);

    // Its window's close hides it (the classic default for a form that is not the main one);
    // the program goes on.
    EXPECT_TRUE(host.HandleEvent(closeRequest(window)));
    host.Flush();
    EXPECT_FALSE(second->Visible());
    EXPECT_EQ(host.WindowIDOf(second), 0u);
    EXPECT_TRUE(main->Visible());

    second->Show();
    host.Flush();
    EXPECT_NE(host.WindowIDOf(second), 0u);
    second->Free();
    host.Flush();
    EXPECT_EQ(host.Forms(), (std::vector<TCustomForm*>{main}));

    // The main window's close ends the program.
    EXPECT_FALSE(host.HandleEvent(closeRequest(host.WindowID())));
}

TEST_F(SeveralWindows, AModalFormRunsInTheHostsLoopWithTheMainWindowRefusingInput) {
    EXPECT_TRUE(Application->HasMessagePump());
    auto* dialog = makeSecond(clBtnFace);
    auto* ok = Create<TButton>(dialog);
    ok->SetModalResult(mrOk);
    ok->SetDefault(true);
    ok->SetParent(dialog);
    TCustomForm* modal = nullptr;
    bool mainRefused = false;
    driveModal(modal, [&](std::uint32_t window) {
        clickMainButton();
        mainRefused = mainClicks == 0 && !main->Enabled();
        host.HandleEvent(key(window, SDLK_RETURN));
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(mainRefused);
    host.Flush();
    EXPECT_EQ(host.WindowIDOf(dialog), 0u);
    clickMainButton();
    EXPECT_EQ(mainClicks, 1);
}

TEST_F(SeveralWindows, AMessageDialogShowsInAWindowAndAnswersByKeys) {
    TCustomForm* modal = nullptr;
    int width = 0;
    driveModal(modal, [&](std::uint32_t window) {
        width = host.FrameOf(modal)->Surface().Width;
        host.HandleEvent(key(window, SDLK_ESCAPE));
    });
    EXPECT_EQ(MessageDlg("Save the changes?", mtConfirmation, mbYesNoCancel, 0), mrCancel);
    EXPECT_GT(width, 0);
    EXPECT_EQ(Screen->FormCount(), 1);  // the dialog has gone
}

TEST_F(SeveralWindows, AModalFormFreedWhileItRunsAnswersCancel) {
    auto* dialog = makeSecond(clBtnFace);
    TCustomForm* modal = nullptr;
    driveModal(modal, [&](std::uint32_t) {
        modal->Free();
        modal = nullptr;
    });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    host.Flush();
    EXPECT_EQ(host.Forms(), (std::vector<TCustomForm*>{main}));
    EXPECT_TRUE(main->Enabled());
}

TEST_F(SeveralWindows, WhileAChooserIsOpenTheWindowPaintsAndACloseWaitsForIt) {
    {
        platform::ChooserWait chooser;
        clickMainButton();
        EXPECT_EQ(mainClicks, 0);
        EXPECT_TRUE(host.HandleEvent(closeRequest(host.WindowID())));
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        EXPECT_TRUE(host.HandleEvent(quit));
        EXPECT_TRUE(main->Visible());
        // What changes meanwhile is painted.
        main->SetColor(clYellow);
        EXPECT_TRUE(host.Pump(0));
        EXPECT_EQ(host.Frame().Pixels(200, 150), ColorToRGB(clYellow));
    }
    // The chooser answered: input is taken again, and the close is carried out.
    EXPECT_FALSE(host.Pump(0));
    EXPECT_FALSE(main->Visible());
}

}  // namespace
