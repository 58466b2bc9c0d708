#include "vendor/AdvOfficePagerParts.h"

#include "framework/controls/DragDrop.h"
#include "vendor/AdvOfficePager.h"

#include <algorithm>

using namespace framework;

namespace vendor {

// --- TAdvOfficePage ---------------------------------------------------------------------------

const TClassInfo& TAdvOfficePage::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TAdvOfficePage, TCustomControl>("TAdvOfficePage")
            .String<TAdvOfficePage>("Caption", &TAdvOfficePage::Caption, &TAdvOfficePage::SetCaption)
            .Integer<TAdvOfficePage>("ImageIndex", &TAdvOfficePage::ImageIndex,
                                     &TAdvOfficePage::SetImageIndex, -1)
            .Object<TAdvOfficePage, TAdvOfficePager>("AdvOfficePager", &TAdvOfficePage::AdvOfficePager,
                                                     &TAdvOfficePage::SetAdvOfficePager)
            .Bool<TAdvOfficePage>("ShowCheckBox", &TAdvOfficePage::ShowCheckBox,
                                  &TAdvOfficePage::SetShowCheckBox, false)
            .Bool<TAdvOfficePage>("Checked", &TAdvOfficePage::Checked, &TAdvOfficePage::SetChecked, false);
    return info;
}

TAdvOfficePage::TAdvOfficePage(TComponent* AOwner) : TCustomControl(AOwner) { SetColor(clWindow); }

TAdvOfficePage::~TAdvOfficePage() { SetAdvOfficePager(nullptr); }

void TAdvOfficePage::SetImageIndex(int Value) {
    m_imageIndex = Value;
    if (m_pager)
        m_pager->Relayout();
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

void TAdvOfficePage::SetParent(TWinControl* AParent) {
    TAdvOfficePager* pager = m_pager;
    if (pager && AParent != pager && !HasState(csDestroying)) {
        pager->RemovePage(this);
        const TDragObject* drag = CurrentDragObject();
        if (drag && drag->Control() == this && pager->OnTabUnDock)
            pager->OnTabUnDock(pager, this);
    }
    TCustomControl::SetParent(AParent);
}

void TAdvOfficePage::SetEnabled(bool Value) {
    TCustomControl::SetEnabled(Value);
    if (m_pager)
        m_pager->Invalidate();
}

void TAdvOfficePage::SetShowCheckBox(bool Value) {
    m_showCheckBox = Value;
    if (m_pager)
        m_pager->Relayout();
}

void TAdvOfficePage::SetChecked(bool Value) {
    m_checked = Value;
    if (m_pager)
        m_pager->Invalidate();
}

void TAdvOfficePage::TextChanged() {
    if (m_pager)
        m_pager->Relayout();
}

// --- TPagerTabSettings, TAdvHintInfo ----------------------------------------------------------

const TClassInfo& TPagerTabSettings::ClassInfo() {
    using T = TPagerTabSettings;
    static const TClassInfo info =
        TClassInfo::Derive<T, TPersistent>("TPagerTabSettings")
            .Integer<T>("EndMargin", &T::RightMargin, &T::SetRightMargin, 6)
            .Integer<T>("Height", &T::Height, &T::SetHeight, TPagerTabSettings::kDesignHeight)
            .Integer<T>("LeftMargin", &T::LeftMargin, &T::SetLeftMargin, 6)
            .Integer<T>("RightMargin", &T::RightMargin, &T::SetRightMargin, 6)
            .StoredWhen([](const TObject&) { return false; })  // EndMargin says it
            .Integer<T>("Spacing", &T::Spacing, &T::SetSpacing, 2)
            .Integer<T>("StartMargin", &T::StartMargin, &T::SetStartMargin, 2)
            .Integer<T>("Width", &T::Width, &T::SetWidth, 0);
    return info;
}

void TPagerTabSettings::Change(int& Field, int Value) {
    if (Field == Value)
        return;
    Field = Value;
    if (OnChange)
        OnChange(this);
}

void TPagerTabSettings::Assign(const TPersistent* Source) {
    const auto* other = dynamic_cast<const TPagerTabSettings*>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    m_height = other->m_height;
    m_width = other->m_width;
    m_leftMargin = other->m_leftMargin;
    m_rightMargin = other->m_rightMargin;
    m_startMargin = other->m_startMargin;
    m_spacing = other->m_spacing;
    if (OnChange)
        OnChange(this);
}

const TClassInfo& TAdvHintInfo::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TAdvHintInfo, TPersistent>("TAdvHintInfo")
            .String<TAdvHintInfo>("Notes", &TAdvHintInfo::Notes, &TAdvHintInfo::Notes)
            .String<TAdvHintInfo>("Title", &TAdvHintInfo::Title, &TAdvHintInfo::Title);
    return info;
}

void TAdvHintInfo::Assign(const TPersistent* Source) {
    const auto* other = dynamic_cast<const TAdvHintInfo*>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    Title = other->Title;
    Notes = other->Notes;
}

}  // namespace vendor
