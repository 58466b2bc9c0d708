#include "vendor/AdvToolBtn.h"

using namespace framework;

namespace vendor {

const TClassInfo& TAdvToolButton::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TAdvToolButton, TGraphicControl>("TAdvToolButton")
                                       .Object<TAdvToolButton, TCustomImageList>(
                                           "Images", &TAdvToolButton::Images, &TAdvToolButton::SetImages)
                                       .Integer<TAdvToolButton>("ImageIndex", &TAdvToolButton::ImageIndex,
                                                                &TAdvToolButton::SetImageIndex, -1);
    return info;
}

TAdvToolButton::TAdvToolButton(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 23, 22); }

void TAdvToolButton::SetImages(TCustomImageList* Value) {
    ReferenceImageList(this, m_images, Value);
    Invalidate();
}

void TAdvToolButton::SetImageIndex(int Value) {
    if (Value != m_imageIndex) {
        m_imageIndex = Value;
        Invalidate();
    }
}

void TAdvToolButton::Paint() {
    if (m_images)
        m_images->Draw(Canvas(), (Width() - m_images->Width()) / 2, (Height() - m_images->Height()) / 2,
                       m_imageIndex, Enabled());
}

void TAdvToolButton::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_images) {
        m_images = nullptr;
        Invalidate();
    }
}

}  // namespace vendor
