#include "framework/controls/Messages.h"
#include "framework/controls/WinControl.h"

#include <algorithm>
#include <deque>

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

bool HasPostedMessages() { return !queue().empty(); }

void DropPostedMessages(HWND Wnd) {
    auto& q = queue();
    q.erase(std::remove_if(q.begin(), q.end(), [Wnd](const PostedMessage& m) { return m.Wnd == Wnd; }),
            q.end());
}

}  // namespace framework
