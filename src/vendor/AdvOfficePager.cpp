#include "vendor/AdvOfficePager.h"

#include "framework/controls/DrawText.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/Rounding.h"

#include <algorithm>

using namespace framework;

namespace vendor {

namespace {
constexpr int kTabPadding = 6;
constexpr int kDesignTabHeight = 16 + 2 * kTabPadding;
constexpr int kCloseButtonSize = 9;
}  // namespace

const TClassInfo& TAdvOfficePage::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TAdvOfficePage, TCustomControl>("TAdvOfficePage")
            .String<TAdvOfficePage>("Caption", &TAdvOfficePage::Caption, &TAdvOfficePage::SetCaption)
            .Integer<TAdvOfficePage>("ImageIndex", &TAdvOfficePage::ImageIndex,
                                     &TAdvOfficePage::SetImageIndex, -1)
            .Object<TAdvOfficePage, TAdvOfficePager>("AdvOfficePager", &TAdvOfficePage::AdvOfficePager,
                                                     &TAdvOfficePage::SetAdvOfficePager);
    return info;
}

TAdvOfficePage::TAdvOfficePage(TComponent* AOwner) : TCustomControl(AOwner) { SetColor(clWindow); }

TAdvOfficePage::~TAdvOfficePage() { SetAdvOfficePager(nullptr); }

void TAdvOfficePage::SetImageIndex(int Value) {
    m_imageIndex = Value;
    if (m_pager)
        m_pager->Invalidate();
}

void TAdvOfficePage::SetAdvOfficePager(TAdvOfficePager* Value) {
    if (Value == m_pager)
        return;
    if (m_pager)
        m_pager->RemovePage(this);
    if (Value)
        Value->AddPage(this);
}

int TAdvOfficePage::PageIndex() const {
    if (!m_pager)
        return -1;
    const auto& pages = m_pager->m_pages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TAdvOfficePage::TextChanged() {
    if (m_pager)
        m_pager->Invalidate();
}

const TClassInfo& TAdvOfficePager::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TAdvOfficePager, TCustomControl>("TAdvOfficePager")
            .Object<TAdvOfficePager, TCustomImageList>("Images", &TAdvOfficePager::Images,
                                                       &TAdvOfficePager::SetImages)
            .Integer<TAdvOfficePager>("ActivePageIndex", &TAdvOfficePager::ActivePageIndex,
                                      &TAdvOfficePager::SetActivePageIndex)
            .Integer<TAdvOfficePager>("PageMargin", &TAdvOfficePager::PageMargin,
                                      &TAdvOfficePager::SetPageMargin, 1)
            .Bool<TAdvOfficePager>("ShowNonSelectedTabs", &TAdvOfficePager::ShowNonSelectedTabs,
                                   &TAdvOfficePager::SetShowNonSelectedTabs, false)
            .Bool<TAdvOfficePager>("Transparent", &TAdvOfficePager::Transparent,
                                   &TAdvOfficePager::SetTransparent, false)
            .Bool<TAdvOfficePager>("CloseOnTab", &TAdvOfficePager::CloseOnTab,
                                   &TAdvOfficePager::SetCloseOnTab, false)
            .Bool<TAdvOfficePager>("ShowCloseOnNonSelectedTabs", &TAdvOfficePager::ShowCloseOnNonSelectedTabs,
                                   &TAdvOfficePager::SetShowCloseOnNonSelectedTabs, false)
            .Bool<TAdvOfficePager>("FreeOnClose", &TAdvOfficePager::FreeOnClose,
                                   &TAdvOfficePager::SetFreeOnClose, false)
            .Event<TAdvOfficePager>("OnChange", &TAdvOfficePager::OnChange)
            .Event<TAdvOfficePager>("OnChanging", &TAdvOfficePager::OnChanging)
            .Event<TAdvOfficePager>("OnClosePage", &TAdvOfficePager::OnClosePage);
    return info;
}

TAdvOfficePager::TAdvOfficePager(TComponent* AOwner)
    : TCustomControl(AOwner), m_minTabHeight(kDesignTabHeight) {
    SetBounds(0, 0, 300, 200);
    SetComponentStyle(tsLight);
}

TAdvOfficePager::~TAdvOfficePager() {
    // The pages are freed as child controls after this; they must not call back.
    for (TAdvOfficePage* page : m_pages)
        page->m_pager = nullptr;
    m_pages.clear();
}

void TAdvOfficePager::SetImages(TCustomImageList* Value) {
    ReferenceImageList(this, m_images, Value);
    ArrangePages();
}

TAdvOfficePage* TAdvOfficePager::AdvPages(int Index) const {
    if (Index < 0 || Index >= AdvPageCount())
        throw EListError(Format("List index out of bounds (%d)", {Index}));
    return m_pages[static_cast<std::size_t>(Index)];
}

void TAdvOfficePager::SetActivePage(TAdvOfficePage* Value) {
    if ((Value && Value->m_pager != this) || Value == m_active)
        return;
    if (OnChanging && !HasState(csLoading)) {
        bool allow = true;
        OnChanging(this, ActivePageIndex(), Value ? Value->PageIndex() : -1, allow);
        if (!allow)
            return;
    }
    m_active = Value;
    ArrangePages();
    if (OnChange && !HasState(csLoading))
        OnChange(this);
}

void TAdvOfficePager::SetPageMargin(int Value) {
    m_pageMargin = std::max(0, Value);
    ArrangePages();
}

void TAdvOfficePager::SetShowNonSelectedTabs(bool Value) {
    m_showNonSelectedTabs = Value;
    Invalidate();
}

void TAdvOfficePager::SetTransparent(bool Value) {
    m_transparent = Value;
    SetParentColor(Value);
    if (!Value)
        SetColor(TMSStyleColors(m_style).Face);
}

void TAdvOfficePager::SetCloseOnTab(bool Value) {
    m_closeOnTab = Value;
    Invalidate();
}

void TAdvOfficePager::SetShowCloseOnNonSelectedTabs(bool Value) {
    m_showCloseOnNonSelectedTabs = Value;
    Invalidate();
}

void TAdvOfficePager::SetComponentStyle(TTMSStyle AStyle) {
    m_style = AStyle;
    if (!m_transparent)
        SetColor(TMSStyleColors(AStyle).Face);
    Invalidate();
}

void TAdvOfficePager::CorrectForScreenResolucao(float Scale) {
    m_minTabHeight =
        std::max(1, static_cast<int>(RoundHalfEven(kDesignTabHeight * static_cast<double>(Scale))));
    ArrangePages();
}

bool TAdvOfficePager::ShowsCloseButton(int Index) const {
    if (!m_closeOnTab || Index < 0 || Index >= AdvPageCount())
        return false;
    return m_showCloseOnNonSelectedTabs || m_pages[static_cast<std::size_t>(Index)] == m_active;
}

TRect TAdvOfficePager::CloseButtonRect(int Index) {
    if (!ShowsCloseButton(Index))
        return TRect{};
    const TRect tab = TabRect(Index);
    const int top = tab.Top + (tab.Height() - kCloseButtonSize) / 2;
    return Rect(tab.Right - kTabPadding - kCloseButtonSize, top, tab.Right - kTabPadding,
                top + kCloseButtonSize);
}

bool TAdvOfficePager::ClosePage(int Index) {
    TAdvOfficePage* page = AdvPages(Index);
    bool allow = true;
    if (OnClosePage)
        OnClosePage(this, Index, allow);
    if (!allow)
        return false;
    if (m_freeOnClose) {
        page->Free();  // leaves the pager as it goes
    } else {
        page->SetAdvOfficePager(nullptr);
        page->SetVisible(false);
    }
    return true;
}

int TAdvOfficePager::ActivePageIndex() const { return m_active ? m_active->PageIndex() : -1; }

void TAdvOfficePager::SetActivePageIndex(int Value) {
    SetActivePage(Value >= 0 && Value < AdvPageCount() ? m_pages[static_cast<std::size_t>(Value)] : nullptr);
}

int TAdvOfficePager::TabHeight() const {
    const int image = m_images ? m_images->Height() + 2 * kTabPadding : 0;
    return std::max(image, m_minTabHeight);
}

TRect TAdvOfficePager::TabRect(int Index) {
    int left = 2;
    for (int i = 0; i <= Index && i < AdvPageCount(); ++i) {
        const TAdvOfficePage* page = m_pages[static_cast<std::size_t>(i)];
        int width = Canvas()->TextWidth(page->Caption()) + 2 * kTabPadding;
        if (m_images && page->ImageIndex() >= 0)
            width += m_images->Width() + kTabPadding / 2;
        if (ShowsCloseButton(i))
            width += kCloseButtonSize + kTabPadding / 2;
        if (i == Index)
            return Rect(left, 2, left + width, TabHeight());
        left += width + 2;
    }
    return Rect(left, 2, left, TabHeight());
}

void TAdvOfficePager::ArrangePages() {
    if (HasState(csDestroying))
        return;
    const TRect client = Rect(m_pageMargin, TabHeight(), Width() - m_pageMargin, Height() - m_pageMargin);
    for (TAdvOfficePage* page : m_pages) {
        page->SetBoundsRect(client);
        page->SetVisible(page == m_active);
    }
    Invalidate();
}

void TAdvOfficePager::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    ArrangePages();
}

void TAdvOfficePager::AddPage(TAdvOfficePage* Page) {
    m_pages.push_back(Page);
    Page->m_pager = this;
    Page->SetParent(this);
    if (!m_active)
        m_active = Page;
    ArrangePages();
}

void TAdvOfficePager::RemovePage(TAdvOfficePage* Page) {
    m_pages.erase(std::remove(m_pages.begin(), m_pages.end(), Page), m_pages.end());
    Page->m_pager = nullptr;
    if (m_active == Page) {
        m_active = m_pages.empty() ? nullptr : m_pages.front();
        if (OnChange && !HasState(csDestroying))
            OnChange(this);
    }
    if (Page->Parent() == this && !Page->HasState(csDestroying))
        Page->SetParent(nullptr);
    ArrangePages();
}

void TAdvOfficePager::Paint() {
    TCanvas* canvas = Canvas();
    const TTMSStyleColors& colors = TMSStyleColors(m_style);
    for (int i = 0; i < AdvPageCount(); ++i) {
        const TAdvOfficePage* page = m_pages[static_cast<std::size_t>(i)];
        const bool active = page == m_active;
        TRect tab = TabRect(i);
        if (active || m_showNonSelectedTabs) {
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(active ? colors.Selected : colors.Face);
            canvas->FillRect(tab);
            canvas->Brush()->SetColor(colors.Border);
            canvas->FrameRect(tab);
        }
        if (ShowsCloseButton(i)) {
            // A cross of two diagonals, one pixel wide.
            const TRect close = CloseButtonRect(i);
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(active ? colors.SelectedText : colors.Text);
            for (int d = 0; d < close.Width(); ++d) {
                canvas->FillRect(Rect(close.Left + d, close.Top + d, close.Left + d + 1, close.Top + d + 1));
                canvas->FillRect(
                    Rect(close.Right - 1 - d, close.Top + d, close.Right - d, close.Top + d + 1));
            }
            tab.Right = close.Left;
        }
        tab.Inflate(-kTabPadding, 0);
        if (m_images && page->ImageIndex() >= 0) {
            m_images->Draw(canvas, tab.Left, tab.Top + (tab.Height() - m_images->Height()) / 2,
                           page->ImageIndex());
            tab.Left += m_images->Width() + kTabPadding / 2;
        }
        canvas->Brush()->SetStyle(bsClear);
        canvas->Font()->SetColor(active ? colors.SelectedText : colors.Text);
        DrawText(*canvas, page->Caption(), tab, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
}

void TAdvOfficePager::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_images) {
        m_images = nullptr;
        ArrangePages();
    }
}

void TAdvOfficePager::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    for (int i = 0; i < AdvPageCount(); ++i) {
        if (CloseButtonRect(i).Contains(Point(X, Y))) {
            ClosePage(i);
            return;
        }
        if (TabRect(i).Contains(Point(X, Y))) {
            SetActivePageIndex(i);
            return;
        }
    }
}

}  // namespace vendor
