#include "vendor/AdvSmoothButton.h"

#include "framework/controls/DrawText.h"

namespace vendor {

using namespace framework;

const TClassInfo& TAdvSmoothButton::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TAdvSmoothButton, TCustomControl>("TAdvSmoothButton")
            .String<TAdvSmoothButton>("Caption", &TAdvSmoothButton::Caption, &TAdvSmoothButton::SetCaption)
            .Object<TAdvSmoothButton, TCustomImageList>("Images", &TAdvSmoothButton::Images,
                                                        &TAdvSmoothButton::SetImages)
            .Integer<TAdvSmoothButton>("ImageIndex", &TAdvSmoothButton::ImageIndex,
                                       &TAdvSmoothButton::SetImageIndex, -1);
    return info;
}

void TAdvSmoothButton::KeyPress(char32_t& Key) {
    TCustomControl::KeyPress(Key);
    if (Key == U' ') {
        Key = 0;
        Click();
    }
}

TAdvSmoothButton::TAdvSmoothButton(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 120, 36);
    SetTabStop(true);
    SetParentColor(true);
}

void TAdvSmoothButton::SetImages(TCustomImageList* Value) {
    ReferenceImageList(this, m_images, Value);
    Invalidate();
}

void TAdvSmoothButton::SetImageIndex(int Value) {
    m_imageIndex = Value;
    Invalidate();
}

void TAdvSmoothButton::SetComponentStyle(TTMSStyle AStyle) {
    m_style = AStyle;
    Invalidate();
}

void TAdvSmoothButton::Paint() {
    TCanvas& canvas = *Canvas();
    const TTMSStyleColors& colors = TMSStyleColors(m_style);
    TRect face = ClientRect();
    // Rounded corners: the border is drawn as three overlapping bands with the corners cut.
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(colors.Border);
    canvas.FillRect(Rect(face.Left + 2, face.Top, face.Right - 2, face.Bottom));
    canvas.FillRect(Rect(face.Left, face.Top + 2, face.Right, face.Bottom - 2));
    canvas.FillRect(Rect(face.Left + 1, face.Top + 1, face.Right - 1, face.Bottom - 1));
    face.Inflate(-1, -1);
    canvas.Brush()->SetColor(Enabled() ? colors.Selected : colors.Border);
    canvas.FillRect(Rect(face.Left + 1, face.Top, face.Right - 1, face.Bottom));
    canvas.FillRect(Rect(face.Left, face.Top + 1, face.Right, face.Bottom - 1));
    // The shine along the top edge.
    canvas.Brush()->SetColor(colors.Face);
    canvas.FillRect(Rect(face.Left + 2, face.Top + 1, face.Right - 2, face.Top + 2));
    face.Inflate(-4, -2);
    if (m_images && m_imageIndex >= 0 && m_imageIndex < m_images->Count()) {
        m_images->Draw(&canvas, face.Left, face.Top + (face.Height() - m_images->Height()) / 2, m_imageIndex,
                       Enabled());
        face.Left += m_images->Width() + 4;
    }
    canvas.Font()->Assign(Font());
    canvas.Font()->SetColor(colors.SelectedText);
    canvas.Brush()->SetStyle(bsClear);
    DrawText(canvas, Caption(), face, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TAdvSmoothButton::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_images) {
        m_images = nullptr;
        Invalidate();
    }
}

}  // namespace vendor
