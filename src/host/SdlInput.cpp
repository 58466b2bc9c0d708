#include "host/SdlInput.h"

#include "framework/forms/Application.h"
#include "framework/platform/Clipboard.h"
#include "framework/rtl/Unicode.h"

#include <string_view>

namespace host {

using namespace framework;

std::uint16_t VirtualKeyFromSdl(SDL_Keycode Key) {
    if (Key >= SDLK_a && Key <= SDLK_z)
        return static_cast<std::uint16_t>('A' + (Key - SDLK_a));
    if (Key >= SDLK_0 && Key <= SDLK_9)
        return static_cast<std::uint16_t>('0' + (Key - SDLK_0));
    if (Key >= SDLK_F1 && Key <= SDLK_F12)
        return static_cast<std::uint16_t>(VK_F1 + (Key - SDLK_F1));
    switch (Key) {
    case SDLK_BACKSPACE:
        return VK_BACK;
    case SDLK_TAB:
        return VK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return VK_RETURN;
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_SPACE:
        return VK_SPACE;
    case SDLK_PAGEUP:
        return VK_PRIOR;
    case SDLK_PAGEDOWN:
        return VK_NEXT;
    case SDLK_END:
        return VK_END;
    case SDLK_HOME:
        return VK_HOME;
    case SDLK_LEFT:
        return VK_LEFT;
    case SDLK_UP:
        return VK_UP;
    case SDLK_RIGHT:
        return VK_RIGHT;
    case SDLK_DOWN:
        return VK_DOWN;
    case SDLK_INSERT:
        return VK_INSERT;
    case SDLK_DELETE:
        return VK_DELETE;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT:
        return VK_MENU;
    default:
        return 0;
    }
}

TShiftState ShiftFromSdl(std::uint16_t Mod) {
    TShiftState shift = 0;
    if (Mod & KMOD_SHIFT)
        shift |= ssShift;
    if (Mod & KMOD_CTRL)
        shift |= ssCtrl;
    if (Mod & KMOD_ALT)
        shift |= ssAlt;
    return shift;
}

TCursor CursorAt(TCustomForm& Form, TPoint Point) {
    if (Screen->Cursor() != crDefault)
        return Screen->Cursor();
    TControl* control = &Form;
    if (TWinControl* captured = TWinControl::FindControl(GetCapture());
        captured && Form.ContainsControl(captured)) {
        control = captured;
    } else {
        TPoint p = Point;
        while (auto* win = As<TWinControl>(control)) {
            TControl* child = win->ControlAtPos(p, false, true);
            if (!child)
                break;
            p = TPoint{p.X - child->Left() - child->ClientInset(), p.Y - child->Top() - child->ClientInset()};
            control = child;
        }
    }
    for (; control; control = control->Parent())
        if (control->Cursor() != crDefault)
            return control->Cursor();
    return crDefault;
}

// --- The desktop's clipboards --------------------------------------------------------------

class TSdlClipboards::TStore : public TClipboardStore {
public:
    explicit TStore(bool Primary) : m_primary(Primary) {}
    bool HasText() override {
        return (m_primary ? SDL_HasPrimarySelectionText() : SDL_HasClipboardText()) == SDL_TRUE;
    }
    std::string GetText() override {
        char* text = m_primary ? SDL_GetPrimarySelectionText() : SDL_GetClipboardText();
        if (!text)
            return {};
        std::string result(text);
        SDL_free(text);
        return result;
    }
    void SetText(const std::string& Text) override {
        if (m_primary)
            SDL_SetPrimarySelectionText(Text.c_str());
        else
            SDL_SetClipboardText(Text.c_str());
    }
    void Clear() override { SetText(""); }

private:
    bool m_primary;
};

TSdlClipboards::TSdlClipboards()
    : m_clipboard(std::make_unique<TStore>(false)), m_primary(std::make_unique<TStore>(true)) {
    SetClipboardStore(TClipboardKind::Clipboard, m_clipboard.get());
    SetClipboardStore(TClipboardKind::PrimarySelection, m_primary.get());
}

TSdlClipboards::~TSdlClipboards() {
    SetClipboardStore(TClipboardKind::Clipboard, nullptr);
    SetClipboardStore(TClipboardKind::PrimarySelection, nullptr);
}

// --- Input -----------------------------------------------------------------------------------

TSdlInput::TSdlInput(TCustomForm& Form) : m_form(Form) {
    // SDL's clipboard needs its video; without it the framework's own stores stay.
    if (SDL_WasInit(SDL_INIT_VIDEO))
        m_clipboards = std::make_unique<TSdlClipboards>();
}

TSdlInput::~TSdlInput() = default;

bool TSdlInput::Deliver(const SDL_Event& Event) {
    switch (Event.type) {
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
        Mouse(Event);
        return true;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        Key(Event.key);
        return true;
    case SDL_TEXTINPUT:
        Text(Event.text.text);
        return true;
    case SDL_TEXTEDITING:
        Editing(Event.edit.text);
        return true;
    case SDL_WINDOWEVENT:
        Window(Event.window);
        return true;
    case SDL_QUIT:
        m_form.Perform(WM_CLOSE);
        return true;
    default:
        return false;
    }
}

namespace {
TShiftState buttonBit(Uint8 Button) {
    switch (Button) {
    case SDL_BUTTON_LEFT:
        return ssLeft;
    case SDL_BUTTON_RIGHT:
        return ssRight;
    case SDL_BUTTON_MIDDLE:
        return ssMiddle;
    default:
        return 0;
    }
}
}  // namespace

void TSdlInput::Mouse(const SDL_Event& Event) {
    switch (Event.type) {
    case SDL_MOUSEMOTION:
        m_pointer = TPoint{Event.motion.x, Event.motion.y};
        m_form.SendMouseInput(WM_MOUSEMOVE, m_pointer.X, m_pointer.Y, Shift());
        return;
    case SDL_MOUSEWHEEL: {
        // One notch is 120, positive away from the user, as the classic wheel message says.
        int notches = Event.wheel.y;
        if (Event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
            notches = -notches;
        if (notches == 0)
            return;
        const auto delta = static_cast<std::uint16_t>(static_cast<std::int16_t>(notches * 120));
        m_form.SendMouseInput(WM_MOUSEWHEEL, m_pointer.X, m_pointer.Y,
                              MakeWParam(static_cast<std::uint16_t>(Shift()), delta));
        return;
    }
    default:
        break;
    }
    const SDL_MouseButtonEvent& b = Event.button;
    const TShiftState bit = buttonBit(b.button);
    if (!bit)
        return;  // extra buttons have no message here
    m_pointer = TPoint{b.x, b.y};
    const bool down = Event.type == SDL_MOUSEBUTTONDOWN;
    // The shift state of a message tells the buttons held after it, as the classic one does.
    if (down)
        m_buttons |= bit;
    else
        m_buttons &= ~bit;
    // Every second click of a series is a double click; a third starts over with a press.
    const bool twice = down && b.clicks >= 2 && b.clicks % 2 == 0;
    std::uint32_t msg = 0;
    switch (bit) {
    case ssLeft:
        msg = !down ? WM_LBUTTONUP : twice ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
        break;
    case ssRight:
        msg = !down ? WM_RBUTTONUP : twice ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
        break;
    default:
        msg = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
        break;
    }
    m_form.SendMouseInput(msg, m_pointer.X, m_pointer.Y, Shift());
}

void TSdlInput::Key(const SDL_KeyboardEvent& Event) {
    m_mod = Event.keysym.mod;
    const std::uint16_t vk = VirtualKeyFromSdl(Event.keysym.sym);
    if (vk == 0)
        return;
    const TShiftState shift = ShiftFromSdl(m_mod);
    if (Event.type == SDL_KEYUP) {
        m_form.SendKeyMessage(WM_KEYUP, vk, shift);
        return;
    }
    m_form.SendKeyMessage(WM_KEYDOWN, vk, shift);
    // Keys that type a control character, which SDL reports as no text.
    switch (vk) {
    case VK_RETURN:
        m_form.SendCharInput(U'\r', shift);
        return;
    case VK_BACK:
        m_form.SendCharInput(U'\b', shift);
        return;
    case VK_ESCAPE:
        m_form.SendCharInput(U'\x1b', shift);
        return;
    default:
        break;
    }
    // Alt with a letter or digit is an accelerator; its text, if any, is left out below.
    const bool printable = (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9');
    if ((shift & ssAlt) && !(shift & ssCtrl) && printable)
        m_form.SendCharInput(static_cast<char32_t>(vk >= 'A' && vk <= 'Z' ? vk - 'A' + 'a' : vk), shift);
}

void TSdlInput::Text(const char* Utf8) {
    if (ShiftFromSdl(m_mod) & ssAlt)
        return;
    const std::string_view text(Utf8);
    for (std::size_t pos = 0; pos < text.size();)
        m_form.SendCharInput(Utf8Decode(text, pos));
}

void TSdlInput::Editing(const char* Utf8) {
    TWinControl* target = m_form.FocusedControl();
    if (!target)
        return;
    const std::string text(Utf8);
    TLParamPointer token(&text);
    SendMessage(target->Handle(), WM_IME_COMPOSITION, 0, token.LParam());
}

void TSdlInput::PlaceInputMethod() {
    TWinControl* target = m_form.FocusedControl();
    if (!target)
        return;
    TRect caret;
    TLParamPointer token(&caret);
    if (SendMessage(target->Handle(), CM_GETCARETRECT, 0, token.LParam()) == 0)
        return;
    const TPoint origin = target->ClientToScreen(TPoint{caret.Left, caret.Top});
    const TRect placed = Bounds(origin.X, origin.Y, caret.Width(), caret.Height());
    if (placed == m_inputRect)
        return;
    m_inputRect = placed;
    SDL_Rect rect{placed.Left, placed.Top, placed.Width(), placed.Height()};
    SDL_SetTextInputRect(&rect);
}

void TSdlInput::Window(const SDL_WindowEvent& Event) {
    switch (Event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        m_form.Perform(WM_CLOSE);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        m_form.SetBounds(m_form.Left(), m_form.Top(), Event.data1, Event.data2);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        m_form.Activate();
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        m_form.Deactivate();
        break;
    case SDL_WINDOWEVENT_LEAVE:
        m_form.SendMouseLeave();
        break;
    default:
        break;
    }
}

}  // namespace host
