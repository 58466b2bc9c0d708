#include "vendor/AdvOfficeTabSet.h"

#include "framework/controls/DrawText.h"
#include "framework/controls/Messages.h"
#include "framework/rtl/Rounding.h"

#include <algorithm>

namespace vendor {

using namespace framework;

namespace {
constexpr int kDesignTabHeight = 26;
constexpr int kTabPadding = 8;
}  // namespace

const TClassInfo& TAdvOfficeTabSet::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TAdvOfficeTabSet, TCustomControl>("TAdvOfficeTabSet")
            .Object<TAdvOfficeTabSet, TStrings>("AdvOfficeTabs", &TAdvOfficeTabSet::AdvOfficeTabs,
                                                &TAdvOfficeTabSet::SetAdvOfficeTabs)
            .Object<TAdvOfficeTabSet, TCustomImageList>("Images", &TAdvOfficeTabSet::Images,
                                                        &TAdvOfficeTabSet::SetImages)
            .Integer<TAdvOfficeTabSet>("ActiveTabIndex", &TAdvOfficeTabSet::ActiveTabIndex,
                                       &TAdvOfficeTabSet::SetActiveTabIndex, -1)
            .Event<TAdvOfficeTabSet>("OnChange", &TAdvOfficeTabSet::OnChange);
    return info;
}

TAdvOfficeTabSet::TAdvOfficeTabSet(TComponent* AOwner)
    : TCustomControl(AOwner), m_tabs(Create<TStringList>()), m_tabHeight(kDesignTabHeight) {
    m_tabs->OnChange = TNotifyEvent::Of<&TAdvOfficeTabSet::TabsChanged>(this);
    SetBounds(0, 0, 300, kDesignTabHeight + 4);
    SetComponentStyle(tsLight);
}

void TAdvOfficeTabSet::SetImages(TCustomImageList* Value) {
    ReferenceImageList(this, m_images, Value);
    Invalidate();
}

void TAdvOfficeTabSet::SetActiveTabIndex(int Value) {
    if (Value < -1 || Value >= m_tabs->Count() || Value == m_activeTab)
        return;
    m_activeTab = Value;
    Invalidate();
    if (OnChange)
        OnChange(this);
}

void TAdvOfficeTabSet::TabsChanged(TObject*) {
    if (m_activeTab >= m_tabs->Count() || (m_activeTab < 0 && m_tabs->Count() > 0))
        m_activeTab = m_tabs->Count() > 0 ? 0 : -1;
    Invalidate();
}

TRect TAdvOfficeTabSet::TabRect(int Index) {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    const int imageWidth = m_images ? m_images->Width() + kTabPadding / 2 : 0;
    int left = 2;
    for (int i = 0; i < m_tabs->Count(); ++i) {
        const int width = canvas->TextWidth(m_tabs->Strings(i)) + imageWidth + 2 * kTabPadding;
        if (i == Index)
            return Rect(left, 2, left + width, 2 + m_tabHeight);
        left += width + 2;
    }
    return Rect(left, 2, left, 2 + m_tabHeight);
}

void TAdvOfficeTabSet::SetComponentStyle(TTMSStyle AStyle) {
    m_style = AStyle;
    SetColor(TMSStyleColors(AStyle).Face);
    Invalidate();
}

void TAdvOfficeTabSet::CorrectForScreenResolucao(float Scale) {
    m_tabHeight = std::max(1, static_cast<int>(RoundHalfEven(kDesignTabHeight * static_cast<double>(Scale))));
    Invalidate();
}

void TAdvOfficeTabSet::Paint() {
    TCanvas* canvas = Canvas();
    const TTMSStyleColors& colors = TMSStyleColors(m_style);
    for (int i = 0; i < m_tabs->Count(); ++i) {
        TRect tab = TabRect(i);
        const bool active = i == m_activeTab;
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(active ? colors.Selected : colors.Face);
        canvas->FillRect(tab);
        canvas->Brush()->SetColor(colors.Border);
        canvas->FrameRect(tab);
        tab.Inflate(-kTabPadding, 0);
        if (m_images && i < m_images->Count()) {
            m_images->Draw(canvas, tab.Left, tab.Top + (tab.Height() - m_images->Height()) / 2, i, Enabled());
            tab.Left += m_images->Width() + kTabPadding / 2;
        }
        canvas->Brush()->SetStyle(bsClear);
        canvas->Font()->SetColor(active ? colors.SelectedText : colors.Text);
        DrawText(*canvas, m_tabs->Strings(i), tab, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
}

void TAdvOfficeTabSet::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_images) {
        m_images = nullptr;
        Invalidate();
    }
}

void TAdvOfficeTabSet::KeyDown(std::uint16_t& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    const int last = m_tabs->Count() - 1;
    switch (Key) {
    case VK_LEFT:
    case VK_UP:
        SetActiveTabIndex(std::max(m_activeTab - 1, 0));
        break;
    case VK_RIGHT:
    case VK_DOWN:
        SetActiveTabIndex(std::min(m_activeTab + 1, last));
        break;
    case VK_HOME:
        SetActiveTabIndex(std::min(0, last));
        break;
    case VK_END:
        SetActiveTabIndex(last);
        break;
    default:
        return;
    }
    Key = 0;
}

TRect TAdvOfficeTabSet::FocusFrameRect() {
    if (m_activeTab < 0)
        return TCustomControl::FocusFrameRect();
    return IntersectRect(TabRect(m_activeTab), ClientRect());
}

void TAdvOfficeTabSet::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    for (int i = 0; i < m_tabs->Count(); ++i)
        if (TabRect(i).Contains(Point(X, Y))) {
            SetActiveTabIndex(i);
            return;
        }
}

}  // namespace vendor
