// The host's text plumbing: the input method's composition, the keys that edit, and the
// desktop's clipboards as the framework's stores while SDL's video runs.

#include "host/SdlInput.h"

#include "framework/controls/Edits.h"
#include "framework/platform/Clipboard.h"
#include "support/FormFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

using namespace framework;
using namespace host;
using namespace testsupport;

namespace {

SDL_Event editing(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTEDITING;
    std::strncpy(e.edit.text, utf8, sizeof e.edit.text - 1);
    return e;
}
SDL_Event textInput(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
    return e;
}
SDL_Event key(SDL_Keycode sym, Uint16 mod = 0) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    return e;
}

}  // namespace

TEST(SdlTextInput, CompositionIsShownUntilTheCommittedTextArrives) {
    FormPtr form = MakeForm();
    auto* edit = Create<TEdit>(form.get());
    edit->SetBounds(10, 10, 150, 21);
    edit->SetParent(form.get());
    edit->SetFocus();
    TSdlInput input(*form);
    EXPECT_TRUE(input.Deliver(editing("\xE3\x81\x8B")));
    EXPECT_EQ(edit->Editor().Composition(), "\xE3\x81\x8B");
    EXPECT_EQ(edit->Text(), "");
    input.Deliver(editing(""));  // the input method took it back
    EXPECT_EQ(edit->Editor().Composition(), "");
    input.Deliver(editing("\xE3\x81\x8B"));
    input.Deliver(textInput("\xE3\x81\x8B"));
    EXPECT_EQ(edit->Text(), "\xE3\x81\x8B");
    EXPECT_EQ(edit->Editor().Composition(), "");
    // Ctrl with Backspace deletes the word before the caret, as the desktop's edits do.
    input.Deliver(textInput(" word"));
    input.Deliver(key(SDLK_BACKSPACE, KMOD_LCTRL));
    EXPECT_EQ(edit->Text(), "\xE3\x81\x8B ");
    // Placing the input method's window asks the focused edit where its caret is; without
    // a display it has nowhere to go, and nothing breaks.
    input.PlaceInputMethod();
}

TEST(SdlTextInput, TheDesktopsClipboardsAreTheStoresWhileVideoRuns) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        GTEST_SKIP() << "no SDL video here: " << SDL_GetError();
    {
        FormPtr form = MakeForm();
        TSdlInput input(*form);
        Clipboard().SetAsText("through SDL");
        char* text = SDL_GetClipboardText();
        ASSERT_TRUE(text);
        const std::string seen = text;
        SDL_free(text);
        EXPECT_EQ(seen, "through SDL");
        SDL_SetClipboardText("from the desktop");
        EXPECT_TRUE(Clipboard().HasFormat(CF_TEXT));
        EXPECT_EQ(Clipboard().AsText(), "from the desktop");
    }
    // Without the host the process keeps its own clipboard again.
    Clipboard().SetAsText("in process");
    SDL_SetClipboardText("elsewhere");
    EXPECT_EQ(Clipboard().AsText(), "in process");
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
