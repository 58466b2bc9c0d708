#include "framework/controls/WinControl.h"
#include "support/FormFixture.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace testsupport;

namespace {

constexpr std::uint32_t WM_TEST = WM_USER + 10;
constexpr std::uint32_t WM_NESTED = WM_USER + 11;

// Records the messages it handles; WM_NESTED posts another and pumps the queue from inside.
class TRecorder : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<std::string> log;
    static const TClassInfo& ClassInfo() {
        static const TClassInfo info = TClassInfo::Derive<TRecorder, TCustomControl>("TRecorder")
                                           .Message<TRecorder>(WM_TEST, &TRecorder::WMTest)
                                           .Message<TRecorder>(WM_NESTED, &TRecorder::WMNested);
        return info;
    }
    TClass ClassType() const override { return &ClassInfo(); }
    void WMTest(TMessage& m) {
        log.push_back("test " + std::to_string(m.WParam));
        m.Result = 7;
    }
    void WMNested(TMessage&) {
        log.push_back("nested begin");
        PostMessage(Handle(), WM_TEST, 99, 0);
        Application->ProcessMessages();
        log.push_back("nested end");
    }
    void DefaultHandler(TMessage& m) override {
        if (m.Msg >= WM_USER && m.Msg < CM_BASE)
            log.push_back("default " + std::to_string(m.Msg - WM_USER));
        TCustomControl::DefaultHandler(m);
    }
};

struct MessageQueue : ::testing::Test {
    FormPtr form = MakeForm();
    TRecorder* rec = nullptr;
    void SetUp() override {
        rec = Create<TRecorder>(form.get());
        rec->SetParent(form.get());
    }
};

}  // namespace

TEST_F(MessageQueue, PerformDispatchesByNumberAndFallsBackToDefaultHandler) {
    EXPECT_EQ(rec->Perform(WM_TEST, 1), 7);
    rec->Perform(WM_USER + 50);
    EXPECT_EQ(rec->log, (std::vector<std::string>{"test 1", "default 50"}));
    EXPECT_EQ(SendMessage(rec->Handle(), WM_TEST, 2, 0), 7);
}

TEST_F(MessageQueue, PostedMessagesWaitForProcessMessagesInOrder) {
    ASSERT_TRUE(PostMessage(rec->Handle(), WM_TEST, 1, 0));
    ASSERT_TRUE(PostMessage(rec->Handle(), WM_TEST, 2, 0));
    EXPECT_TRUE(rec->log.empty());
    Application->ProcessMessages();
    EXPECT_EQ(rec->log, (std::vector<std::string>{"test 1", "test 2"}));
}

TEST_F(MessageQueue, ReentrantProcessMessagesDeliversEachMessageOnce) {
    PostMessage(rec->Handle(), WM_NESTED, 0, 0);
    PostMessage(rec->Handle(), WM_TEST, 1, 0);
    Application->ProcessMessages();
    // The nested pump delivers what was queued behind it, then its own posting.
    EXPECT_EQ(rec->log, (std::vector<std::string>{"nested begin", "test 1", "test 99", "nested end"}));
    EXPECT_FALSE(HasPostedMessages());
}

TEST_F(MessageQueue, MessagesForAFreedWindowAreDropped) {
    HWND wnd = rec->Handle();
    PostMessage(wnd, WM_TEST, 1, 0);
    rec->Free();
    EXPECT_FALSE(HasPostedMessages());
    Application->ProcessMessages();  // must not touch the freed control
    EXPECT_FALSE(PostMessage(wnd, WM_TEST, 1, 0));
    EXPECT_EQ(SendMessage(wnd, WM_TEST, 1, 0), 0);
}

TEST(MouseInput, ClicksReachTheDeepestControlInItsCoordinates) {
    FormPtr form = MakeForm(100, 100);
    auto* outer = Create<TCustomControl>(form.get());
    outer->SetBounds(10, 10, 60, 60);
    outer->SetParent(form.get());
    auto* inner = Create<TCustomControl>(form.get());
    inner->SetBounds(5, 5, 20, 20);
    inner->SetParent(outer);
    TPoint at{-1, -1};
    int clicks = 0;
    inner->OnMouseDown = TMouseEvent::Lambda([&](TObject*, TMouseButton, TShiftState, int x, int y) {
        at = {x, y};
    });
    inner->OnClick = TNotifyEvent::Lambda([&](TObject*) { ++clicks; });
    ClickAt(*form, 18, 19);
    EXPECT_EQ(at, (TPoint{3, 4}));
    EXPECT_EQ(clicks, 1);
    ClickAt(*form, 50, 50);  // on the outer control only
    EXPECT_EQ(clicks, 1);
}
