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

namespace {
using Clock = std::chrono::steady_clock;
struct Timer {
    HWND Wnd;
    std::uintptr_t Id;
    Clock::duration Period;
    Clock::time_point Due;
};
std::vector<Timer>& timers() {
    static std::vector<Timer> list;
    return list;
}
}  // namespace

// Each timer that is due is delivered once and set for its next period from now, as the
// platform folds a late timer's missed periods into one message.
int DeliverDueTimers() {
    int delivered = 0;
    const Clock::time_point now = Clock::now();
    std::vector<std::pair<HWND, std::uintptr_t>> due;
    for (Timer& t : timers())
        if (t.Due <= now) {
            due.emplace_back(t.Wnd, t.Id);
            t.Due = now + t.Period;
        }
    // A handler may kill or set timers, or free windows: each is looked up again.
    for (auto [wnd, id] : due)
        if (TWinControl* target = TWinControl::FindControl(wnd)) {
            target->Perform(WM_TIMER, static_cast<std::uint32_t>(id), 0);
            ++delivered;
        }
    return delivered;
}

bool SetTimer(HWND Wnd, std::uintptr_t Id, unsigned Elapse) {
    if (!TWinControl::FindControl(Wnd))
        return false;
    const auto period = std::chrono::milliseconds(std::max(Elapse, 1u));
    for (Timer& t : timers())
        if (t.Wnd == Wnd && t.Id == Id) {
            t.Period = period;
            t.Due = Clock::now() + period;
            return true;
        }
    timers().push_back(Timer{Wnd, Id, period, Clock::now() + period});
    return true;
}

bool KillTimer(HWND Wnd, std::uintptr_t Id) {
    auto& list = timers();
    const auto it =
        std::find_if(list.begin(), list.end(), [&](const Timer& t) { return t.Wnd == Wnd && t.Id == Id; });
    if (it == list.end())
        return false;
    list.erase(it);
    return true;
}

bool TimerSet(HWND Wnd, std::uintptr_t Id) {
    return std::any_of(timers().begin(), timers().end(),
                       [&](const Timer& t) { return t.Wnd == Wnd && t.Id == Id; });
}

int TimerWait(int Limit) {
    const Clock::time_point now = Clock::now();
    long long wait = Limit;
    for (const Timer& t : timers())
        wait = std::min<long long>(wait, std::chrono::ceil<std::chrono::milliseconds>(t.Due - now).count());
    return static_cast<int>(std::max<long long>(wait, 0));
}

int DeliverPostedMessages() {
    int delivered = DeliverDueTimers();
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
    auto& t = timers();
    t.erase(std::remove_if(t.begin(), t.end(), [Wnd](const Timer& x) { return x.Wnd == Wnd; }), t.end());
}

}  // namespace framework
