#include "vendor/AdvOfficeStatusBar.h"

#include "framework/controls/DrawText.h"
#include "framework/controls/Panel.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"

#include <algorithm>

using namespace framework;

namespace vendor {

void TAdvOfficeStatusPanel::SetText(const std::string& Value) {
    m_text = Value;
    Changed();
}
void TAdvOfficeStatusPanel::SetWidth(int Value) {
    m_width = std::max(Value, 0);
    Changed();
}
void TAdvOfficeStatusPanel::SetImageIndex(int Value) {
    m_imageIndex = Value;
    Changed();
}
void TAdvOfficeStatusPanel::Changed() { m_bar->Invalidate(); }

TAdvOfficeStatusPanel* TAdvOfficeStatusPanels::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError(Format("List index out of bounds (%d)", {Index}));
    return m_items[static_cast<std::size_t>(Index)].get();
}

TAdvOfficeStatusPanel* TAdvOfficeStatusPanels::Add() {
    m_items.push_back(std::unique_ptr<TAdvOfficeStatusPanel>(new TAdvOfficeStatusPanel(m_bar)));
    m_bar->Invalidate();
    return m_items.back().get();
}

void TAdvOfficeStatusPanels::Delete(int Index) {
    Items(Index);
    m_items.erase(m_items.begin() + Index);
    m_bar->Invalidate();
}

void TAdvOfficeStatusPanels::Clear() {
    m_items.clear();
    m_bar->Invalidate();
}

const TClassInfo& TAdvOfficeStatusBar::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TAdvOfficeStatusBar, TCustomControl>("TAdvOfficeStatusBar")
            .Object<TAdvOfficeStatusBar, TCustomImageList>("Images", &TAdvOfficeStatusBar::Images,
                                                           &TAdvOfficeStatusBar::SetImages);
    return info;
}

TAdvOfficeStatusBar::TAdvOfficeStatusBar(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 200, 22);
    SetAlign(alBottom);
    SetColor(clBtnFace);
}

void TAdvOfficeStatusBar::SetImages(TCustomImageList* Value) {
    ReferenceImageList(this, m_images, Value);
    Invalidate();
}

void TAdvOfficeStatusBar::ChangeScale(int M, int D) {
    if (M != D && D != 0)
        for (int i = 0; i < m_panels.Count(); ++i) {
            TAdvOfficeStatusPanel* panel = m_panels.Items(i);
            panel->SetWidth(MulDiv(panel->Width(), M, D));
        }
    TCustomControl::ChangeScale(M, D);
}

TRect TAdvOfficeStatusBar::PanelRect(int Index) const {
    int left = 0;
    for (int i = 0; i < Index; ++i)
        left += m_panels.Items(i)->Width();
    const int right = Index == m_panels.Count() - 1 ? ClientWidth() : left + m_panels.Items(Index)->Width();
    return Rect(left, 0, std::max(left, right), ClientHeight());
}

void TAdvOfficeStatusBar::Paint() {
    TCanvas* canvas = Canvas();
    for (int i = 0; i < m_panels.Count(); ++i) {
        const TAdvOfficeStatusPanel* panel = m_panels.Items(i);
        TRect r = PanelRect(i);
        r.Inflate(-1, -1);
        Frame3D(*canvas, r, clBtnShadow, clBtnHighlight, 1);
        if (m_images && panel->ImageIndex() >= 0 && panel->ImageIndex() < m_images->Count()) {
            m_images->Draw(canvas, r.Left + 2, r.Top + (r.Height() - m_images->Height()) / 2,
                           panel->ImageIndex());
            r.Left += m_images->Width() + 2;
        }
        r.Left += 2;
        canvas->Brush()->SetStyle(bsClear);
        canvas->Font()->SetColor(clBtnText);
        DrawText(*canvas, panel->Text(), r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
}

void TAdvOfficeStatusBar::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_images) {
        m_images = nullptr;
        Invalidate();
    }
}

}  // namespace vendor
