#include "vendor/AdvOfficePager.h"

#include "framework/controls/DrawText.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"

#include <algorithm>

using namespace framework;

namespace vendor {

namespace {
constexpr int kTabPadding = 6;
constexpr TColor kTabRow = 0x00F0E4D8;
constexpr TColor kTabBorder = 0x00B99D7F;
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
                                      &TAdvOfficePager::SetActivePageIndex);
    return info;
}

TAdvOfficePager::TAdvOfficePager(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 300, 200);
    SetColor(kTabRow);
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
    if (Value && Value->m_pager != this)
        return;
    m_active = Value;
    ArrangePages();
}

int TAdvOfficePager::ActivePageIndex() const { return m_active ? m_active->PageIndex() : -1; }

void TAdvOfficePager::SetActivePageIndex(int Value) {
    SetActivePage(Value >= 0 && Value < AdvPageCount() ? m_pages[static_cast<std::size_t>(Value)] : nullptr);
}

int TAdvOfficePager::TabHeight() const {
    const int image = m_images ? m_images->Height() : 0;
    return std::max(image, 16) + 2 * kTabPadding;
}

TRect TAdvOfficePager::TabRect(int Index) {
    int left = 2;
    for (int i = 0; i <= Index && i < AdvPageCount(); ++i) {
        const TAdvOfficePage* page = m_pages[static_cast<std::size_t>(i)];
        int width = Canvas()->TextWidth(page->Caption()) + 2 * kTabPadding;
        if (m_images && page->ImageIndex() >= 0)
            width += m_images->Width() + kTabPadding / 2;
        if (i == Index)
            return Rect(left, 2, left + width, TabHeight());
        left += width + 2;
    }
    return Rect(left, 2, left, TabHeight());
}

void TAdvOfficePager::ArrangePages() {
    if (HasState(csDestroying))
        return;
    const TRect client = Rect(0, TabHeight(), Width(), Height());
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
    if (m_active == Page)
        m_active = m_pages.empty() ? nullptr : m_pages.front();
    if (Page->Parent() == this && !Page->HasState(csDestroying))
        Page->SetParent(nullptr);
    ArrangePages();
}

void TAdvOfficePager::Paint() {
    TCanvas* canvas = Canvas();
    for (int i = 0; i < AdvPageCount(); ++i) {
        const TAdvOfficePage* page = m_pages[static_cast<std::size_t>(i)];
        TRect tab = TabRect(i);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(page == m_active ? clWindow : kTabRow);
        canvas->FillRect(tab);
        canvas->Brush()->SetColor(kTabBorder);
        canvas->FrameRect(tab);
        tab.Inflate(-kTabPadding, 0);
        if (m_images && page->ImageIndex() >= 0) {
            m_images->Draw(canvas, tab.Left, tab.Top + (tab.Height() - m_images->Height()) / 2,
                           page->ImageIndex());
            tab.Left += m_images->Width() + kTabPadding / 2;
        }
        canvas->Brush()->SetStyle(bsClear);
        canvas->Font()->SetColor(clBtnText);
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
    for (int i = 0; i < AdvPageCount(); ++i)
        if (TabRect(i).Contains(Point(X, Y))) {
            SetActivePageIndex(i);
            return;
        }
}

}  // namespace vendor
