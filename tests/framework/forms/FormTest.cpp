#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "framework/rtl/Exceptions.h"
#include "support/FormFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

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

TEST(FormScaling, AScaledFormFollowsANewResolutionOnceAndOneThatScalesItselfIsLeftAlone) {
    FormPtr form = MakeForm(200, 100);
    auto* panel = Create<TPanel>(form.get());
    panel->SetBounds(10, 20, 50, 25);
    panel->SetParent(form.get());
    const auto moveTo = [&](int ppi) {
        const TRect suggested = Bounds(0, 0, 1, 1);
        TLParamPointer rect(&suggested);
        const auto dpi = static_cast<std::uint16_t>(ppi);
        SendMessage(form->Handle(), WM_DPICHANGED, MakeWParam(dpi, dpi), rect.LParam());
    };
    moveTo(144);
    EXPECT_EQ(panel->BoundsRect(), Rect(15, 30, 90, 68));
    EXPECT_EQ(form->PixelsPerInch(), 144);
    moveTo(144);  // the same resolution again: nothing more
    EXPECT_EQ(panel->Width(), 75);
    moveTo(96);  // back, from the resolution it has now
    EXPECT_EQ(panel->BoundsRect(), Rect(10, 20, 60, 45));
    form->SetScaled(false);
    moveTo(192);
    EXPECT_EQ(panel->Width(), 50);
    EXPECT_EQ(form->PixelsPerInch(), 96);
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

namespace {

// A window whose state cannot be kept: its save, in BeforeDestruction, fails.
class TUnsavableForm : public TForm {
public:
    using TForm::TForm;
    void BeforeDestruction() override {
        TForm::BeforeDestruction();
        throw EFCreateError("Cannot create file \"/state/tool.ini\". Not a directory");
    }
};

}  // namespace

// A save that fails while a window is destroyed never ends the program: the window goes, the
// user reads the error on stderr and, where a host runs, on the desktop, and it is counted so
// that the program can end with a failing status.
TEST(ApplicationErrors, AFailedSaveWhileAWindowGoesIsShownAndCounted) {
    std::vector<std::string> shown;
    Application->SetErrorDisplay([&shown](const std::string& Message) { shown.push_back(Message); });
    const int before = Application->HandledExceptionCount();
    testing::internal::CaptureStderr();
    {
        std::unique_ptr<TUnsavableForm, TFreeDeleter> form(Create<TUnsavableForm>(nullptr));
        form->Show();
    }
    const std::string stderrText = testing::internal::GetCapturedStderr();
    Application->SetErrorDisplay(nullptr);
    EXPECT_EQ(Screen->FormCount(), 0);
    EXPECT_EQ(Application->HandledExceptionCount(), before + 1);
    EXPECT_NE(stderrText.find(": Cannot create file \"/state/tool.ini\". Not a directory\n"),
              std::string::npos)
        << stderrText;
    EXPECT_EQ(shown, (std::vector<std::string>{"Cannot create file \"/state/tool.ini\". Not a directory"}));

    // An OnException handler takes the errors instead, with the object that raised them.
    TObject* sender = &*Application;
    std::string taken;
    Application->OnException = TExceptionEvent::Lambda([&](TObject* Sender, const std::exception& E) {
        sender = Sender;
        taken = E.what();
    });
    Application->HandleException(nullptr, EInvalidOperation("handled"));
    Application->OnException = nullptr;
    EXPECT_EQ(sender, nullptr);
    EXPECT_EQ(taken, "handled");
    EXPECT_EQ(Application->HandledExceptionCount(), before + 2);
}
