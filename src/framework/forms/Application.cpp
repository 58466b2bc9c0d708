#include "framework/forms/Application.h"

#include "framework/controls/Menus.h"
#include "framework/forms/Hints.h"
#include "framework/platform/Platform.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

namespace framework {

const TClassInfo& TApplication::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TApplication, TComponent>("TApplication")
            .String<TApplication>("Title", &TApplication::Title, &TApplication::SetTitle);
    return info;
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), m_defaultFont(Create<TFont>()) {
    // What fails while an object is freed is an error no caller can take; it comes here.
    SetDestructionErrorHandler([](const std::exception& E) { Application->HandleException(nullptr, E); });
}

TApplication::~TApplication() { SetDestructionErrorHandler(nullptr); }

std::string TApplication::ExeName() const { return platform::Platform().ExecutablePath(); }

void TApplication::HandleException(TObject* Sender, const std::exception& E) {
    ++m_handledExceptions;
    if (OnException) {
        OnException(Sender, E);
        return;
    }
    ShowException(E);
}

void TApplication::ShowException(const std::exception& E) {
    // Named once: errors may come while the program ends, after the platform has gone.
    static const std::string program = [] {
        const std::string exe = platform::Platform().ExecutablePath();
        const std::string name = exe.substr(exe.rfind('/') + 1);
        return name.empty() ? std::string("error") : name;
    }();
    std::fprintf(stderr, "%s: %s\n", program.c_str(), E.what());
    std::fflush(stderr);
    if (m_errorDisplay)
        m_errorDisplay(E.what());
}

void TApplication::SetMainForm(TCustomForm* Form) {
    if (m_mainForm)
        m_mainForm->RemoveFreeNotification(this);
    m_mainForm = Form;
    if (Form)
        Form->FreeNotification(this);
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove)
        return;
    if (AComponent == m_mainForm)
        m_mainForm = nullptr;
    if (AComponent == m_hintWindow)
        m_hintWindow = nullptr;
    if (AComponent == m_hintControl) {
        m_hintControl = nullptr;
        CancelHint();
    }
}

void TApplication::ProcessMessages() {
    DeliverPostedMessages();
    // Painting comes last, as the platform sends paint messages only when nothing else waits.
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (form->Visible())
            form->PaintInvalid();
    }
}

void TApplication::HandleMessage() {
    if (m_pump) {
        // A copy: the pump may be replaced (the host closing) while it runs.
        const TMessagePump pump = m_pump;
        pump();
        return;
    }
    if (!HasPostedMessages()) {
        constexpr int kLongest = 60000;
        const int wait = TimerWait(kLongest);
        if (wait >= kLongest)
            throw EInvalidOperation("Nothing can answer a modal form: no window host runs and no "
                                    "message or timer is queued");
        std::this_thread::sleep_for(std::chrono::milliseconds(wait));
    }
    ProcessMessages();
}

void TApplication::BroadcastToForms(std::uint32_t Msg, std::uint32_t WParam, std::int32_t LParam) {
    // A handler may close or create forms; take the handles first and skip any that went.
    std::vector<HWND> targets;
    for (int i = 0; i < Screen->FormCount(); ++i)
        targets.push_back(Screen->Forms(i)->Handle());
    for (HWND wnd : targets)
        SendMessage(wnd, Msg, WParam, LParam);
}

const TClassInfo& TScreen::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TScreen, TComponent>("TScreen");
    return info;
}

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {
    SetPixelsPerInch(platform::Platform().ScreenPixelsPerInch());
    SetPopupWindowFinder([]() -> TWinControl* { return Screen->ActiveForm(); });
}

void TScreen::SetPixelsPerInch(int Value) {
    m_pixelsPerInch = Value > 0 ? Value : 96;
    SetSystemMetricsPixelsPerInch(m_pixelsPerInch);  // scroll bars follow the screen
}

void TScreen::SetSize(int W, int H) {
    m_width = std::max(W, 1);
    m_height = std::max(H, 1);
}

TCustomForm* TScreen::Forms(int Index) const {
    if (Index < 0 || Index >= FormCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return m_forms[static_cast<std::size_t>(Index)];
}

void TScreen::AddForm(TCustomForm* Form) {
    if (std::find(m_forms.begin(), m_forms.end(), Form) == m_forms.end())
        m_forms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) {
    m_forms.erase(std::remove(m_forms.begin(), m_forms.end(), Form), m_forms.end());
    if (m_activeForm == Form)
        m_activeForm = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* Form) { m_activeForm = Form; }

TApplication* TApplicationAccess::Get() {
    // Kept for the life of the process: forms may outlive any other static object's order.
    static TApplication* app = Create<TApplication>(nullptr);
    return app;
}

TScreen* TScreenAccess::Get() {
    static TScreen* screen = Create<TScreen>(nullptr);
    return screen;
}

}  // namespace framework
