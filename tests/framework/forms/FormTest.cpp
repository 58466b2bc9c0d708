#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "support/FormFixture.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace testsupport;

namespace {

// A form that logs its life and checks that its components still exist when OnDestroy runs.
class TLoggingForm : public TForm {
public:
    explicit TLoggingForm(TComponent* AOwner, std::vector<std::string>& log) : TForm(AOwner), m_log(log) {
        panel = Create<TPanel>(this);
        panel->SetName("Panel1");
        panel->SetParent(this);
        OnCreate = TNotifyEvent::Lambda([this](TObject*) { m_log.push_back("create " + panel->Name()); });
        OnShow = TNotifyEvent::Lambda([this](TObject*) { m_log.push_back("show"); });
        OnActivate = TNotifyEvent::Lambda([this](TObject*) { m_log.push_back("activate"); });
        OnDestroy = TNotifyEvent::Lambda(
            [this](TObject*) { m_log.push_back("destroy " + FindComponent("Panel1")->Name()); });
    }
    TPanel* panel = nullptr;

private:
    std::vector<std::string>& m_log;
};

}  // namespace

TEST(FormLifecycle, EventsRunInOrderWithTheWholeFormPresent) {
    std::vector<std::string> log;
    auto* form = Create<TLoggingForm>(nullptr, log);
    form->Show();
    form->Show();  // already shown: no second OnShow or OnActivate
    form->Free();
    EXPECT_EQ(log, (std::vector<std::string>{"create Panel1", "show", "activate", "destroy Panel1"}));
}

TEST(FormLifecycle, CloseWithFreeReleasesAfterTheHandlerReturns) {
    std::vector<std::string> log;
    auto* form = Create<TLoggingForm>(nullptr, log);
    form->Show();
    form->OnClose = TCloseEvent::Lambda([](TObject*, TCloseAction& action) { action = caFree; });
    const int before = Screen->FormCount();
    form->Close();
    EXPECT_EQ(Screen->FormCount(), before);  // still there until the queue is pumped
    EXPECT_FALSE(form->Visible());
    Application->ProcessMessages();
    EXPECT_EQ(Screen->FormCount(), before - 1);
    EXPECT_EQ(log.back(), "destroy Panel1");
}

TEST(FormLifecycle, CloseQueryCanRefuse) {
    FormPtr form = MakeForm();
    form->OnCloseQuery = TCloseQueryEvent::Lambda([](TObject*, bool& can) { can = false; });
    form->Close();
    EXPECT_TRUE(form->Visible());
}

TEST(FormScaling, ChangeScaleScalesChildrenAndFontButNotThePosition) {
    FormPtr form = MakeForm(200, 100);
    form->SetLeft(30);
    auto* panel = Create<TPanel>(form.get());
    panel->SetBounds(10, 20, 50, 25);
    panel->SetParent(form.get());
    const int fontHeight = form->Font()->Height();
    form->ChangeScale(3, 2);
    EXPECT_EQ(panel->BoundsRect(), Rect(15, 30, 90, 68));
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(form->Left(), 30);
    EXPECT_EQ(form->PixelsPerInch(), 144);
    EXPECT_EQ(form->Font()->Height(), MulDiv(fontHeight, 3, 2));
    EXPECT_EQ(panel->Font()->Height(), form->Font()->Height());  // follows its parent
}

TEST(FormMessages, BroadcastReachesEveryFormAndSurvivesOneFreeingItself) {
    FormPtr a = MakeForm();
    auto* b = Create<TForm>(nullptr);
    b->Show();
    b->OnClose = TCloseEvent::Lambda([](TObject*, TCloseAction& action) { action = caFree; });
    const int before = Screen->FormCount();
    Application->BroadcastToForms(WM_CLOSE, 0, 0);
    EXPECT_FALSE(a->Visible());      // closed by hiding, the default
    Application->ProcessMessages();  // b frees itself here
    EXPECT_EQ(Screen->FormCount(), before - 1);
    Application->BroadcastToForms(WM_USER + 232, 703, 3);  // handled by nobody: no harm done
    EXPECT_EQ(GetParentForm(a.get()), a.get());
}
