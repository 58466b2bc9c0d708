#include "framework/controls/Messages.h"
#include "framework/controls/WinControl.h"

#include <algorithm>
#include <deque>
#include <unordered_map>

namespace framework {

namespace {
struct PostedMessage {
    HWND Wnd;
    TMessage Message;
};
std::deque<PostedMessage>& queue() {
    static std::deque<PostedMessage> q;
    return q;
}
}  // namespace

bool PostMessage(HWND Wnd, std::uint32_t Msg, std::uint32_t WParam, std::int32_t LParam) {
    if (!TWinControl::FindControl(Wnd))
        return false;
    queue().push_back({Wnd, TMessage{Msg, WParam, LParam, 0}});
    return true;
}

std::intptr_t SendMessage(HWND Wnd, std::uint32_t Msg, std::uint32_t WParam, std::int32_t LParam) {
    TWinControl* target = TWinControl::FindControl(Wnd);
    return target ? target->Perform(Msg, WParam, LParam) : 0;
}

int DeliverPostedMessages() {
    int delivered = 0;
    // Take one message at a time: a handler may post more, or pump the queue itself.
    while (!queue().empty()) {
        PostedMessage m = queue().front();
        queue().pop_front();
        if (TWinControl* target = TWinControl::FindControl(m.Wnd)) {
            target->Perform(m.Message.Msg, m.Message.WParam, m.Message.LParam);
            ++delivered;
        }
    }
    return delivered;
}

namespace {
struct LParamPointers {
    std::unordered_map<std::int32_t, const void*> live;
    std::int32_t next = 0;
};
LParamPointers& lparamPointers() {
    static LParamPointers table;
    return table;
}
HWND& captureWindow() {
    static HWND wnd = 0;
    return wnd;
}
TPoint& cursorPos() {
    static TPoint p;
    return p;
}
}  // namespace

TLParamPointer::TLParamPointer(const void* P) {
    LParamPointers& table = lparamPointers();
    // Tokens run through the positive numbers and skip 0, so a plain 0 never names a pointer.
    do
        table.next = table.next == INT32_MAX ? 1 : table.next + 1;
    while (table.live.count(table.next));
    m_token = table.next;
    table.live[m_token] = P;
}

TLParamPointer::~TLParamPointer() { lparamPointers().live.erase(m_token); }

const void* PointerFromLParam(std::int32_t LParam) {
    const auto& live = lparamPointers().live;
    auto it = live.find(LParam);
    return it == live.end() ? nullptr : it->second;
}

HWND SetCapture(HWND Wnd) {
    const HWND previous = GetCapture();
    captureWindow() = TWinControl::FindControl(Wnd) ? Wnd : 0;
    return previous;
}

void ReleaseCapture() { captureWindow() = 0; }

HWND GetCapture() {
    HWND& wnd = captureWindow();
    if (wnd && !TWinControl::FindControl(wnd))
        wnd = 0;
    return wnd;
}

bool GetCursorPos(TPoint& Point) {
    Point = cursorPos();
    return true;
}

void SetCursorPos(int X, int Y) { cursorPos() = TPoint{X, Y}; }

bool HasPostedMessages() { return !queue().empty(); }

void DropPostedMessages(HWND Wnd) {
    auto& q = queue();
    q.erase(std::remove_if(q.begin(), q.end(), [Wnd](const PostedMessage& m) { return m.Wnd == Wnd; }),
            q.end());
}

}  // namespace framework
