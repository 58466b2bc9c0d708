#include "framework/controls/Messages.h"
#include "framework/controls/WinControl.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <unordered_map>
#include <vector>

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

namespace {
using Clock = std::chrono::steady_clock;
struct Timer {
    HWND Wnd;
    std::uint32_t Id;
    std::chrono::milliseconds Elapse;
    Clock::time_point Due;
};
std::vector<Timer>& timers() {
    static std::vector<Timer> t;
    return t;
}
}  // namespace

bool SetTimer(HWND Wnd, std::uint32_t IDEvent, unsigned Elapse) {
    if (!TWinControl::FindControl(Wnd))
        return false;
    const std::chrono::milliseconds elapse{std::max(Elapse, 1u)};
    for (Timer& t : timers())
        if (t.Wnd == Wnd && t.Id == IDEvent) {
            t.Elapse = elapse;
            t.Due = Clock::now() + elapse;
            return true;
        }
    timers().push_back({Wnd, IDEvent, elapse, Clock::now() + elapse});
    return true;
}

bool KillTimer(HWND Wnd, std::uint32_t IDEvent) {
    auto& t = timers();
    const auto it =
        std::find_if(t.begin(), t.end(), [&](const Timer& x) { return x.Wnd == Wnd && x.Id == IDEvent; });
    if (it == t.end())
        return false;
    t.erase(it);
    return true;
}

bool TimerSet(HWND Wnd, std::uint32_t IDEvent) {
    return std::any_of(timers().begin(), timers().end(),
                       [&](const Timer& x) { return x.Wnd == Wnd && x.Id == IDEvent; });
}

int DeliverDueTimers() {
    const Clock::time_point now = Clock::now();
    // A handler may set or kill timers: collect the due ones first.
    std::vector<std::pair<HWND, std::uint32_t>> due;
    auto& t = timers();
    t.erase(
        std::remove_if(t.begin(), t.end(), [](const Timer& x) { return !TWinControl::FindControl(x.Wnd); }),
        t.end());
    for (Timer& x : t)
        if (x.Due <= now) {
            x.Due = now + x.Elapse;
            due.emplace_back(x.Wnd, x.Id);
        }
    int delivered = 0;
    for (const auto& [wnd, id] : due)
        if (TimerSet(wnd, id)) {
            SendMessage(wnd, WM_TIMER, id, 0);
            ++delivered;
        }
    return delivered;
}

int TimerWait(int Limit) {
    const Clock::time_point now = Clock::now();
    int wait = Limit;
    for (const Timer& x : timers()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(x.Due - now).count();
        wait = std::min<int>(wait, static_cast<int>(std::max<long long>(left, 0)));
    }
    return wait;
}

}  // namespace framework
