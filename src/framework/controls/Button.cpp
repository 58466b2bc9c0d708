#include "framework/controls/Button.h"

#include "framework/controls/DrawText.h"
#include "framework/controls/Panel.h"

#include <algorithm>

namespace framework {

namespace {
constexpr int kImageMargin = 4;
}

const TClassInfo& TCustomButton::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TCustomButton, TCustomControl>("TCustomButton")
            .String<TCustomButton>("Caption", &TCustomButton::Caption, &TCustomButton::SetCaption)
            .Object<TCustomButton, TCustomImageList>("Images", &TCustomButton::Images,
                                                     &TCustomButton::SetImages)
            .Integer<TCustomButton>("ImageIndex", &TCustomButton::ImageIndex, &TCustomButton::SetImageIndex,
                                    -1)
            .Integer<TCustomButton>("ModalResult", &TCustomButton::ModalResult,
                                    &TCustomButton::SetModalResult, mrNone)
            .Bool<TCustomButton>("Default", &TCustomButton::Default, &TCustomButton::SetDefault, false)
            .Bool<TCustomButton>("Cancel", &TCustomButton::Cancel, &TCustomButton::SetCancel, false)
            .Message<TCustomButton>(WM_KEYDOWN, &TCustomButton::WMKeyDown);
    return info;
}

const TClassInfo& TButton::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TButton, TCustomButton>("TButton");
    return info;
}

TCustomButton::TCustomButton(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 75, 25);
    SetColor(clBtnFace);
    SetTabStop(true);
}

void TCustomButton::SetImages(TCustomImageList* Value) {
    ReferenceImageList(this, m_images, Value);
    Invalidate();
}

void TCustomButton::SetImageIndex(int Value) {
    if (Value != m_imageIndex) {
        m_imageIndex = Value;
        Invalidate();
    }
}

void TCustomButton::SetDefault(bool Value) {
    if (Value != m_default) {
        m_default = Value;
        Invalidate();  // the default button has a darker frame
    }
}

namespace {
// The top-level control the button sits on: its form.
TWinControl* topOf(TControl* Control) {
    TWinControl* top = Control->Parent();
    while (top && top->Parent())
        top = top->Parent();
    return top;
}
}  // namespace

void TCustomButton::Click() {
    // The form is told through a message, as the forms layer sits above this one.
    if (m_modalResult != mrNone)
        if (TWinControl* form = topOf(this))
            form->Perform(CM_SETMODALRESULT, static_cast<std::uint32_t>(m_modalResult));
    TCustomControl::Click();
}

// Space and Enter press the focused button.
void TCustomButton::WMKeyDown(TMessage& Message) {
    if (Message.WParam == VK_SPACE || Message.WParam == VK_RETURN)
        Click();
}

void TCustomButton::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    if (m_default) {
        canvas->Brush()->SetColor(cl3DDkShadow);
        canvas->FrameRect(r);
        r.Inflate(-1, -1);
    }
    Frame3D(*canvas, r, clBtnHighlight, cl3DDkShadow, 1);
    Frame3D(*canvas, r, clBtnFace, clBtnShadow, 1);
    if (m_images && m_imageIndex >= 0 && m_imageIndex < m_images->Count()) {
        m_images->Draw(canvas, r.Left + kImageMargin, r.Top + (r.Height() - m_images->Height()) / 2,
                       m_imageIndex, Enabled());
        r.Left += kImageMargin + m_images->Width();
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetColor(Enabled() ? clBtnText : clGrayText);
    const std::string text = Caption();
    DrawText(*canvas, text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TCustomButton::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_images) {
        m_images = nullptr;
        Invalidate();
    }
}

}  // namespace framework
