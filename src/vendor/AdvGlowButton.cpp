#include "vendor/AdvGlowButton.h"

#include "framework/controls/DrawText.h"

using namespace framework;

namespace vendor {

namespace {
constexpr TColor kFaceTop = 0x00FDF4EA;     // light upper half of the face
constexpr TColor kFaceBottom = 0x00F5DEC2;  // the glow below it
constexpr TColor kBorder = 0x00B99D7F;
constexpr TColor kCaption = 0x00000000;
constexpr TColor kDisabledCaption = 0x006D6D6D;
}  // namespace

const TClassInfo& TAdvCustomGlowButton::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TAdvCustomGlowButton, TCustomControl>("TAdvCustomGlowButton")
            .String<TAdvCustomGlowButton>("Caption", &TAdvCustomGlowButton::Caption,
                                          &TAdvCustomGlowButton::SetCaption)
            .Object<TAdvCustomGlowButton, TCustomImageList>("Images", &TAdvCustomGlowButton::Images,
                                                            &TAdvCustomGlowButton::SetImages)
            .Integer<TAdvCustomGlowButton>("ImageIndex", &TAdvCustomGlowButton::ImageIndex,
                                           &TAdvCustomGlowButton::SetImageIndex, -1);
    return info;
}

const TClassInfo& TAdvGlowButton::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TAdvGlowButton, TAdvCustomGlowButton>("TAdvGlowButton");
    return info;
}

void TAdvCustomGlowButton::KeyPress(char32_t& Key) {
    TCustomControl::KeyPress(Key);
    if (Key == U' ') {
        Key = 0;
        Click();
    }
}

TAdvCustomGlowButton::TAdvCustomGlowButton(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 100, 32);
    SetTabStop(true);
}

void TAdvCustomGlowButton::SetImages(TCustomImageList* Value) {
    ReferenceImageList(this, m_images, Value);
    Invalidate();
}

void TAdvCustomGlowButton::SetImageIndex(int Value) {
    if (Value != m_imageIndex) {
        m_imageIndex = Value;
        Invalidate();
    }
}

void TAdvCustomGlowButton::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(kFaceTop);
    canvas->FillRect(Rect(r.Left, r.Top, r.Right, r.Top + r.Height() / 2));
    canvas->Brush()->SetColor(kFaceBottom);
    canvas->FillRect(Rect(r.Left, r.Top + r.Height() / 2, r.Right, r.Bottom));
    canvas->Brush()->SetColor(kBorder);
    canvas->FrameRect(r);
    r.Inflate(-3, -2);
    if (m_images && m_imageIndex >= 0 && m_imageIndex < m_images->Count()) {
        m_images->Draw(canvas, r.Left, r.Top + (r.Height() - m_images->Height()) / 2, m_imageIndex,
                       Enabled());
        r.Left += m_images->Width() + 3;
    }
    canvas->Brush()->SetStyle(bsClear);
    // The face keeps its own light colours in every theme, so its caption keeps dark ones.
    canvas->Font()->SetColor(Enabled() ? kCaption : kDisabledCaption);
    const std::string text = Caption();
    DrawText(*canvas, text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TAdvCustomGlowButton::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_images) {
        m_images = nullptr;
        Invalidate();
    }
}

}  // namespace vendor
