#pragma once
// The translation of SDL's events into the framework's input for one form: mouse, wheel, keys,
// typed text and the window's own events (close, resize, focus). It needs no display, so the
// whole of it can be driven by hand-made events.

#include "framework/forms/Forms.h"

#include <SDL.h>

#include <cstdint>
#include <memory>

namespace host {

// The classic virtual-key code of an SDL key; 0 for keys that have none here.
std::uint16_t VirtualKeyFromSdl(SDL_Keycode Key);
// Shift, Ctrl and Alt from SDL's modifier bits.
framework::TShiftState ShiftFromSdl(std::uint16_t Mod);

// The shape the pointer takes at a point of the form: Screen's cursor when it is set, else the
// cursor of the deepest control there (or of the window holding the capture), else of the
// nearest parent that has one; crDefault when none has.
framework::TCursor CursorAt(framework::TCustomForm& Form, framework::TPoint Point);

// The desktop's clipboard and, where SDL offers it, the X11 primary selection, as the
// framework's clipboard stores while they live. Text whose owner has gone reads as empty.
class TSdlClipboards {
public:
    TSdlClipboards();
    ~TSdlClipboards();
    TSdlClipboards(const TSdlClipboards&) = delete;
    TSdlClipboards& operator=(const TSdlClipboards&) = delete;

private:
    class TStore;
    std::unique_ptr<TStore> m_clipboard;
    std::unique_ptr<TStore> m_primary;
};

class TSdlInput {
public:
    explicit TSdlInput(framework::TCustomForm& Form);
    ~TSdlInput();

    // Hands the event to the form; false when it is none of the events this class translates.
    bool Deliver(const SDL_Event& Event);
    // Where the pointer was last seen, in the form's client coordinates.
    framework::TPoint Pointer() const { return m_pointer; }
    // True while a mouse button is held (the host keeps the desktop's pointer grabbed then).
    bool ButtonsDown() const { return m_buttons != 0; }
    // Tells the input method where the focused field's caret is, so its window opens there.
    void PlaceInputMethod();

private:
    void Mouse(const SDL_Event& Event);
    void Key(const SDL_KeyboardEvent& Event);
    void Text(const char* Utf8);
    void Editing(const char* Utf8);
    void Window(const SDL_WindowEvent& Event);
    framework::TShiftState Shift() const { return ShiftFromSdl(m_mod) | m_buttons; }

    framework::TCustomForm& m_form;
    framework::TPoint m_pointer;
    framework::TShiftState m_buttons = 0;          // ssLeft, ssRight, ssMiddle as held now
    std::uint16_t m_mod = 0;                       // SDL's modifiers as the last key event left them
    framework::TRect m_inputRect;                  // where the input method was last placed
    std::unique_ptr<TSdlClipboards> m_clipboards;  // while SDL's video runs
};

}  // namespace host
