#include "host/SdlInput.h"
#include "framework/controls/Edits.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Panel.h"
#include "support/FormFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace framework;
using namespace host;
using namespace testsupport;

namespace {

SDL_Event motion(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    return e;
}
SDL_Event button(bool down, Uint8 which, int x, int y, Uint8 clicks = 1) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = which;
    e.button.clicks = clicks;
    e.button.x = x;
    e.button.y = y;
    return e;
}
SDL_Event key(bool down, SDL_Keycode sym, Uint16 mod = 0) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    return e;
}
SDL_Event text(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
    return e;
}
SDL_Event window(Uint8 what, int data1 = 0, int data2 = 0) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = what;
    e.window.data1 = data1;
    e.window.data2 = data2;
    return e;
}

// Two panels and an edit that log what reaches them through their events.
class SdlInputTranslation : public ::testing::Test {
protected:
    SdlInputTranslation() {
        panel->SetParent(form.get());
        panel->SetBounds(10, 10, 100, 80);
        panel->OnMouseDown =
            TMouseEvent::Lambda([this](TObject*, TMouseButton b, TShiftState s, int x, int y) {
                log.push_back("down" + std::to_string(b) + " " + std::to_string(s) + " " + std::to_string(x) +
                              "," + std::to_string(y));
            });
        panel->OnMouseMove = TMouseMoveEvent::Lambda([this](TObject*, TShiftState s, int x, int y) {
            log.push_back("move " + std::to_string(s) + " " + std::to_string(x) + "," + std::to_string(y));
        });
        panel->OnMouseUp = TMouseEvent::Lambda([this](TObject*, TMouseButton b, TShiftState s, int x, int y) {
            log.push_back("up" + std::to_string(b) + " " + std::to_string(s) + " " + std::to_string(x) + "," +
                          std::to_string(y));
        });
        panel->OnDblClick = TNotifyEvent::Lambda([this](TObject*) { log.push_back("dblclick"); });
        edit->SetParent(form.get());
        edit->SetBounds(10, 100, 100, 20);
        edit->OnKeyDown = TKeyEvent::Lambda([this](TObject*, std::uint16_t& k, TShiftState s) {
            log.push_back("keydown " + std::to_string(k) + " " + std::to_string(s));
        });
        edit->OnKeyUp = TKeyEvent::Lambda(
            [this](TObject*, std::uint16_t& k, TShiftState) { log.push_back("keyup " + std::to_string(k)); });
        edit->OnKeyPress = TKeyPressEvent::Lambda([this](TObject*, char32_t& c) {
            log.push_back("char " + std::to_string(static_cast<unsigned>(c)));
        });
        second->SetParent(form.get());
        second->SetBounds(120, 100, 60, 20);
        edit->SetFocus();
    }
    ~SdlInputTranslation() override { ReleaseCapture(); }

    FormPtr form = MakeForm(200, 150);
    TPanel* panel = Create<TPanel>(form.get());
    TEdit* edit = Create<TEdit>(form.get());
    TEdit* second = Create<TEdit>(form.get());
    TSdlInput input{*form};
    std::vector<std::string> log;
};

}  // namespace

TEST_F(SdlInputTranslation, ADragReportsHeldButtonsAndStaysWithThePressedControl) {
    input.Deliver(motion(20, 30));
    input.Deliver(button(true, SDL_BUTTON_LEFT, 20, 30));
    EXPECT_TRUE(input.ButtonsDown());
    input.Deliver(motion(300, -20));  // outside the window: still the panel's
    input.Deliver(button(false, SDL_BUTTON_LEFT, 300, -20));
    EXPECT_FALSE(input.ButtonsDown());
    const std::string left = std::to_string(ssLeft);
    EXPECT_EQ(log, (std::vector<std::string>{"move 0 10,20", "down0 " + left + " 10,20",
                                             "move " + left + " 290,-30", "up0 0 290,-30"}));
    EXPECT_EQ(input.Pointer(), (TPoint{300, -20}));
}

TEST_F(SdlInputTranslation, EverySecondClickOfASeriesIsADoubleClick) {
    for (Uint8 clicks = 1; clicks <= 3; ++clicks) {
        input.Deliver(button(true, SDL_BUTTON_LEFT, 20, 30, clicks));
        input.Deliver(button(false, SDL_BUTTON_LEFT, 20, 30, clicks));
    }
    const std::string left = std::to_string(ssLeft);
    const std::string twice = std::to_string(ssLeft | ssDouble);
    EXPECT_EQ(log, (std::vector<std::string>{"down0 " + left + " 10,20", "up0 0 10,20", "dblclick",
                                             "down0 " + twice + " 10,20", "up0 0 10,20",
                                             "down0 " + left + " 10,20", "up0 0 10,20"}));
}

TEST_F(SdlInputTranslation, RightAndMiddleButtonsArriveAndExtraButtonsDoNot) {
    input.Deliver(button(true, SDL_BUTTON_RIGHT, 20, 30));
    input.Deliver(button(false, SDL_BUTTON_RIGHT, 20, 30));
    input.Deliver(button(true, SDL_BUTTON_MIDDLE, 20, 30));
    input.Deliver(button(true, SDL_BUTTON_X1, 20, 30));
    EXPECT_EQ(log, (std::vector<std::string>{"down1 " + std::to_string(ssRight) + " 10,20", "up1 0 10,20",
                                             "down2 " + std::to_string(ssMiddle) + " 10,20"}));
}

TEST(SdlInputWheel, TheWheelScrollsTheListUnderThePointerEitherWay) {
    FormPtr form = MakeForm(200, 200);
    auto* list = Create<TListBox>(form.get());
    list->SetParent(form.get());
    list->SetBounds(0, 0, 200, 100);
    for (int i = 0; i < 50; ++i)
        list->Items()->Add("item " + std::to_string(i));
    TSdlInput input(*form);
    input.Deliver(motion(50, 50));
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = -2;  // two notches towards the user: down the list
    input.Deliver(wheel);
    EXPECT_EQ(list->TopIndex(), 6);
    wheel.wheel.y = -1;
    wheel.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;  // "natural" scrolling reports the other sign
    input.Deliver(wheel);
    EXPECT_EQ(list->TopIndex(), 3);
    input.Deliver(motion(50, 150));  // off the list: the form has no use for it
    input.Deliver(wheel);
    EXPECT_EQ(list->TopIndex(), 3);
}

TEST_F(SdlInputTranslation, KeysCarryTheirModifiersToTheFocusedControl) {
    input.Deliver(key(true, SDLK_LCTRL, KMOD_LCTRL));
    input.Deliver(key(true, SDLK_F5, KMOD_LCTRL));
    input.Deliver(key(false, SDLK_F5, KMOD_LCTRL));
    input.Deliver(key(false, SDLK_LCTRL, 0));
    input.Deliver(key(true, SDLK_CAPSLOCK));  // no classic code here: nothing arrives
    EXPECT_EQ(log,
              (std::vector<std::string>{"keydown 17 " + std::to_string(ssCtrl),
                                        "keydown 116 " + std::to_string(ssCtrl), "keyup 116", "keyup 17"}));
}

TEST_F(SdlInputTranslation, TextArrivesAsCodePointsAndControlKeysTypeTheirCharacters) {
    input.Deliver(text("a\xC3\xA9\xE2\x82\xAC"));  // a, e acute, euro sign
    input.Deliver(key(true, SDLK_RETURN));
    input.Deliver(key(true, SDLK_BACKSPACE));
    EXPECT_EQ(log, (std::vector<std::string>{"char 97", "char 233", "char 8364", "keydown 13 0", "char 13",
                                             "keydown 8 0", "char 8"}));
}

TEST_F(SdlInputTranslation, AltWithALetterTypesItOnceAsAnAccelerator) {
    input.Deliver(key(true, SDLK_s, KMOD_LALT));
    input.Deliver(text("s"));  // what some desktops send as well: left out
    EXPECT_EQ(log, (std::vector<std::string>{"keydown 83 " + std::to_string(ssAlt), "char 115"}));
}

TEST_F(SdlInputTranslation, TabMovesTheFocusInsteadOfReachingTheControl) {
    input.Deliver(key(true, SDLK_TAB));
    EXPECT_EQ(form->ActiveControl(), second);
    input.Deliver(key(true, SDLK_TAB, KMOD_LSHIFT));
    EXPECT_EQ(form->ActiveControl(), edit);
    EXPECT_TRUE(log.empty());
}

TEST_F(SdlInputTranslation, WindowEventsResizeActivateAndClose) {
    std::vector<std::string> events;
    form->OnActivate = TNotifyEvent::Lambda([&](TObject*) { events.push_back("activate"); });
    form->OnDeactivate = TNotifyEvent::Lambda([&](TObject*) { events.push_back("deactivate"); });
    form->OnClose = TCloseEvent::Lambda([&](TObject*, TCloseAction&) { events.push_back("close"); });
    input.Deliver(window(SDL_WINDOWEVENT_SIZE_CHANGED, 320, 240));
    EXPECT_EQ(form->ClientWidth(), 320);
    EXPECT_EQ(form->ClientHeight(), 240);
    input.Deliver(window(SDL_WINDOWEVENT_FOCUS_LOST));
    input.Deliver(window(SDL_WINDOWEVENT_FOCUS_GAINED));
    input.Deliver(window(SDL_WINDOWEVENT_CLOSE));
    EXPECT_EQ(events, (std::vector<std::string>{"deactivate", "activate", "close", "deactivate"}));
    EXPECT_FALSE(form->Visible());
    SDL_Event other{};
    other.type = SDL_USEREVENT;
    EXPECT_FALSE(input.Deliver(other));
}

TEST_F(SdlInputTranslation, ThePointerEntersAndLeavesControlsAndTheWindow) {
    std::vector<std::string> events;
    panel->OnMouseEnter = TNotifyEvent::Lambda([&](TObject*) { events.push_back("enter"); });
    panel->OnMouseLeave = TNotifyEvent::Lambda([&](TObject*) { events.push_back("leave"); });
    input.Deliver(motion(20, 20));
    input.Deliver(motion(30, 20));
    input.Deliver(window(SDL_WINDOWEVENT_LEAVE));
    input.Deliver(motion(30, 20));
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave", "enter"}));
}

TEST(SdlKeys, LettersDigitsAndFunctionKeysGetTheirClassicCodes) {
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_a), 'A');
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_z), 'Z');
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_7), '7');
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_F4), 0x73);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_F12), 0x7B);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_ENTER), VK_RETURN);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_PAGEDOWN), VK_NEXT);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_F13), 0);
    EXPECT_EQ(ShiftFromSdl(KMOD_RSHIFT | KMOD_RALT), ssShift | ssAlt);
}

TEST_F(SdlInputTranslation, TheCursorComesFromScreenThenTheControlThenItsParents) {
    panel->SetCursor(crHandPoint);
    auto* inner = Create<TPanel>(form.get());
    inner->SetParent(panel);
    inner->SetBounds(50, 40, 20, 20);
    EXPECT_EQ(CursorAt(*form, TPoint{15, 15}), crHandPoint);
    EXPECT_EQ(CursorAt(*form, TPoint{12 + 50 + 5, 12 + 40 + 5}), crHandPoint);  // inherited from the panel
    inner->SetCursor(crIBeam);
    EXPECT_EQ(CursorAt(*form, TPoint{12 + 50 + 5, 12 + 40 + 5}), crIBeam);
    EXPECT_EQ(CursorAt(*form, TPoint{190, 5}), crDefault);
    // The window holding the capture decides, wherever the pointer is.
    SetCapture(panel->Handle());
    EXPECT_EQ(CursorAt(*form, TPoint{190, 5}), crHandPoint);
    ReleaseCapture();
    Screen->SetCursor(crSizeWE);
    EXPECT_EQ(CursorAt(*form, TPoint{15, 15}), crSizeWE);
    Screen->SetCursor(crDefault);
}
