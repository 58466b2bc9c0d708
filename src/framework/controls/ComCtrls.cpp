#include "framework/controls/ComCtrls.h"

#include "framework/controls/Panel.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"

#include <algorithm>

namespace framework {

const TClassInfo& TToolButton::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TToolButton, TGraphicControl>("TToolButton")
            .Integer<TToolButton>("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex, -1)
            .Bool<TToolButton>("Down", &TToolButton::Down, &TToolButton::SetDown, false);
    return info;
}

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 23, 22); }

void TToolButton::SetImageIndex(int Value) {
    if (Value != m_imageIndex) {
        m_imageIndex = Value;
        Invalidate();
    }
}

void TToolButton::SetDown(bool Value) {
    if (Value != m_down) {
        m_down = Value;
        Invalidate();
    }
}

TToolBar* TToolButton::ToolBar() const { return As<TToolBar>(Parent()); }

void TToolButton::SetParent(TWinControl* AParent) {
    TToolBar* old = ToolBar();
    TGraphicControl::SetParent(AParent);
    if (old && old != AParent)
        old->ArrangeButtons();
    if (TToolBar* bar = ToolBar())
        bar->ArrangeButtons();
}

void TToolButton::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    if (m_down) {
        Frame3D(*canvas, r, clBtnShadow, clBtnHighlight, 1);
    }
    const TToolBar* bar = ToolBar();
    const TCustomImageList* images = bar ? bar->Images() : nullptr;
    if (images) {
        const int offset = m_down ? 1 : 0;
        images->Draw(canvas, (Width() - images->Width()) / 2 + offset,
                     (Height() - images->Height()) / 2 + offset, m_imageIndex, Enabled());
    }
}

const TClassInfo& TToolBar::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TToolBar, TCustomControl>("TToolBar")
            .Object<TToolBar, TCustomImageList>("Images", &TToolBar::Images, &TToolBar::SetImages)
            .Integer<TToolBar>("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth, 23)
            .Integer<TToolBar>("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight, 22);
    return info;
}

TToolBar::TToolBar(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
    SetColor(clBtnFace);
}

void TToolBar::SetImages(TCustomImageList* Value) {
    ReferenceImageList(this, m_images, Value);
    ArrangeButtons();
}

void TToolBar::SetButtonWidth(int Value) {
    m_buttonWidth = std::max(Value, 0);
    ArrangeButtons();
}

void TToolBar::SetButtonHeight(int Value) {
    m_buttonHeight = std::max(Value, 0);
    ArrangeButtons();
}

int TToolBar::ButtonCount() const {
    int n = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (Controls(i)->Is<TToolButton>())
            ++n;
    return n;
}

TToolButton* TToolBar::Buttons(int Index) const {
    int n = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = As<TToolButton>(Controls(i)); b && n++ == Index)
            return b;
    throw EListError(Format("List index out of bounds (%d)", {Index}));
}

TSize TToolBar::ButtonSize() const {
    // Room for an image and the classic margins around it.
    if (m_images)
        return TSize{std::max(m_buttonWidth, m_images->Width() + 7),
                     std::max(m_buttonHeight, m_images->Height() + 6)};
    return TSize{m_buttonWidth, m_buttonHeight};
}

void TToolBar::ArrangeButtons() {
    if (HasState(csDestroying))
        return;
    const TSize size = ButtonSize();
    int x = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = As<TToolButton>(Controls(i))) {
            b->SetBounds(x, 2, size.cx, size.cy);
            x += size.cx;
        }
    if (Height() < size.cy + 4)
        SetHeight(size.cy + 4);
    Invalidate();
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_images) {
        m_images = nullptr;
        ArrangeButtons();
    }
}

}  // namespace framework
