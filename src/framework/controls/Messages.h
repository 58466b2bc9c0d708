#pragma once
// Message numbers, virtual-key codes and the posted-message queue. Windows are named by
// handle numbers; a message posted to a window that has gone is dropped, never delivered to
// freed memory.

#include "framework/classes/Message.h"
#include "framework/rtl/Types.h"

#include <cstdint>

namespace framework {

using HWND = std::uintptr_t;

// Window messages.
inline constexpr std::uint32_t WM_NULL = 0x0000;
inline constexpr std::uint32_t WM_DESTROY = 0x0002;
inline constexpr std::uint32_t WM_SIZE = 0x0005;
inline constexpr std::uint32_t WM_SETFOCUS = 0x0007;
inline constexpr std::uint32_t WM_KILLFOCUS = 0x0008;
inline constexpr std::uint32_t WM_PAINT = 0x000F;
inline constexpr std::uint32_t WM_CLOSE = 0x0010;
inline constexpr std::uint32_t WM_ERASEBKGND = 0x0014;
// A right click asks for a context menu: LParam holds the pointer in top-level coordinates.
inline constexpr std::uint32_t WM_CONTEXTMENU = 0x007B;
inline constexpr std::uint32_t WM_KEYDOWN = 0x0100;
inline constexpr std::uint32_t WM_KEYUP = 0x0101;
inline constexpr std::uint32_t WM_CHAR = 0x0102;
// An input method's text not yet committed: LParam a token (TLParamPointer) for the UTF-8
// std::string, empty when the composition ends without text.
inline constexpr std::uint32_t WM_IME_COMPOSITION = 0x010F;
// A timer set with SetTimer is due: WParam is its id.
inline constexpr std::uint32_t WM_TIMER = 0x0113;
// A scroll bar was used: the SB_ code in WParam's low word, the thumb position in its high word
// (cut to 16 bits: GetScrollInfo's nTrackPos has it whole), LParam the scroll bar control's
// handle or 0 for a window's own bar.
inline constexpr std::uint32_t WM_HSCROLL = 0x0114;
inline constexpr std::uint32_t WM_VSCROLL = 0x0115;
inline constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
inline constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
inline constexpr std::uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr std::uint32_t WM_RBUTTONDBLCLK = 0x0206;
inline constexpr std::uint32_t WM_MBUTTONDOWN = 0x0207;
inline constexpr std::uint32_t WM_MBUTTONUP = 0x0208;
inline constexpr std::uint32_t WM_MOUSEWHEEL = 0x020A;
inline constexpr std::uint32_t WM_DPICHANGED = 0x02E0;
inline constexpr std::uint32_t WM_CUT = 0x0300;
inline constexpr std::uint32_t WM_COPY = 0x0301;
inline constexpr std::uint32_t WM_PASTE = 0x0302;
inline constexpr std::uint32_t WM_CLEAR = 0x0303;
inline constexpr std::uint32_t WM_UNDO = 0x0304;
inline constexpr std::uint32_t WM_USER = 0x0400;
// The hit-test code of a point in a window's client area.
inline constexpr int HTCLIENT = 1;

// The framework's own control messages.
inline constexpr std::uint32_t CM_BASE = 0xB000;
inline constexpr std::uint32_t CM_ACTIVATE = CM_BASE + 0;
inline constexpr std::uint32_t CM_DEACTIVATE = CM_BASE + 1;
// An accelerator key (Alt+letter): WParam the character; a control that takes it answers 1.
// A key the focused control's parents may take before it (Ctrl+Tab for a pager): nonzero taken.
inline constexpr std::uint32_t CM_DIALOGKEY = CM_BASE + 5;
inline constexpr std::uint32_t CM_DIALOGCHAR = CM_BASE + 6;
inline constexpr std::uint32_t CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr std::uint32_t CM_PARENTCOLORCHANGED = CM_BASE + 9;
inline constexpr std::uint32_t CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr std::uint32_t CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr std::uint32_t CM_COLORCHANGED = CM_BASE + 13;
inline constexpr std::uint32_t CM_FONTCHANGED = CM_BASE + 14;
inline constexpr std::uint32_t CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr std::uint32_t CM_MOUSEENTER = CM_BASE + 19;
inline constexpr std::uint32_t CM_MOUSELEAVE = CM_BASE + 20;
// Where a text field's caret is, for an input method's window: LParam a token for a TRect that
// the field fills in its own client coordinates; Result 1 when it did.
inline constexpr std::uint32_t CM_GETCARETRECT = CM_BASE + 60;

// Virtual-key codes.
inline constexpr std::uint16_t VK_BACK = 0x08;
inline constexpr std::uint16_t VK_TAB = 0x09;
inline constexpr std::uint16_t VK_RETURN = 0x0D;
inline constexpr std::uint16_t VK_SHIFT = 0x10;
inline constexpr std::uint16_t VK_CONTROL = 0x11;
inline constexpr std::uint16_t VK_ESCAPE = 0x1B;
inline constexpr std::uint16_t VK_SPACE = 0x20;
inline constexpr std::uint16_t VK_PRIOR = 0x21;
inline constexpr std::uint16_t VK_NEXT = 0x22;
inline constexpr std::uint16_t VK_END = 0x23;
inline constexpr std::uint16_t VK_HOME = 0x24;
inline constexpr std::uint16_t VK_LEFT = 0x25;
inline constexpr std::uint16_t VK_UP = 0x26;
inline constexpr std::uint16_t VK_RIGHT = 0x27;
inline constexpr std::uint16_t VK_DOWN = 0x28;
inline constexpr std::uint16_t VK_MENU = 0x12;
inline constexpr std::uint16_t VK_INSERT = 0x2D;
inline constexpr std::uint16_t VK_DELETE = 0x2E;
inline constexpr std::uint16_t VK_F1 = 0x70;  // VK_F1 + n - 1 is Fn, up to F12

// Mouse positions travel in LParam as two signed 16-bit halves, as on the classic platform.
inline std::int32_t MakeLParam(int x, int y) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16) |
                                     static_cast<std::uint16_t>(x));
}
inline int LParamX(std::int32_t l) {
    return static_cast<std::int16_t>(static_cast<std::uint32_t>(l) & 0xFFFF);
}
inline int LParamY(std::int32_t l) { return static_cast<std::int16_t>(static_cast<std::uint32_t>(l) >> 16); }

inline std::uint32_t MakeWParam(std::uint16_t Low, std::uint16_t High) {
    return static_cast<std::uint32_t>(High) << 16 | Low;
}

// A message whose LParam points at data (the suggested rectangle of WM_DPICHANGED) carries a
// token for the pointer, as LParam has only 32 bits. The token is valid while its guard lives,
// which spans a SendMessage; afterwards it reads back as null, never as a stale pointer.
class TLParamPointer {
public:
    explicit TLParamPointer(const void* P);
    ~TLParamPointer();
    TLParamPointer(const TLParamPointer&) = delete;
    TLParamPointer& operator=(const TLParamPointer&) = delete;
    std::int32_t LParam() const { return m_token; }

private:
    std::int32_t m_token;
};
// The pointer an LParam token stands for; null for 0, an expired token or any other value.
const void* PointerFromLParam(std::int32_t LParam);

// Mouse capture: while a window holds it, every mouse message of its top-level window goes to
// it, wherever the pointer is, also outside the window. Answers the previous holder.
HWND SetCapture(HWND Wnd);
void ReleaseCapture();
// The window holding the capture; 0 when none holds it or it has gone.
HWND GetCapture();
// The pointer position in top-level window coordinates, as the last mouse input left it.
bool GetCursorPos(TPoint& Point);
void SetCursorPos(int X, int Y);

// Queues a message for the window; false when no such window exists. Application's
// ProcessMessages delivers the queue in order.
bool PostMessage(HWND Wnd, std::uint32_t Msg, std::uint32_t WParam, std::int32_t LParam);
// Delivers at once and answers the handler's Result; 0 for a window that does not exist.
std::intptr_t SendMessage(HWND Wnd, std::uint32_t Msg, std::uint32_t WParam, std::int32_t LParam);
// Delivers every queued message, including those posted while delivering; answers how many.
// Re-entrant: a handler may call it again and the queue is shared.
int DeliverPostedMessages();
bool HasPostedMessages();
// Drops messages still queued for a window that is going away.
void DropPostedMessages(HWND Wnd);

// Timers: once Elapse milliseconds have passed, and again every Elapse after that, the window
// gets WM_TIMER with the id, delivered with the posted messages (or by DeliverDueTimers). One
// that fell behind fires once, not for every period missed. Setting an id the window already
// uses starts it again with the new period. A window that goes takes its timers with it.
bool SetTimer(HWND Wnd, std::uintptr_t Id, unsigned Elapse);
bool KillTimer(HWND Wnd, std::uintptr_t Id);
bool TimerSet(HWND Wnd, std::uintptr_t Id);
int DeliverDueTimers();
// Milliseconds until the next timer is due (0 when one is due now), at most Limit.
int TimerWait(int Limit);

}  // namespace framework
