#include "vendor/AdvOfficePager.h"

#include "framework/controls/DragDrop.h"
#include "framework/controls/DrawText.h"
#include "framework/controls/Messages.h"
#include "framework/forms/Application.h"
#include "framework/forms/Forms.h"
#include "framework/graphics/ColorProp.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/Rounding.h"

#include <algorithm>
#include <cctype>
#include <utility>

using namespace framework;

namespace vendor {

// --- TAdvOfficePager: properties and pages ----------------------------------------------------

namespace {
// ActivePage names one of the pager's pages. The page's table names the pager's class, so this
// table may not name the page's while it is being built: the value's class is checked on use.
TPropInfo activePageProperty() {
    TPropInfo info;
    info.Name = "ActivePage";
    info.Kind = TTypeKind::tkClass;
    info.PropClass = &TCustomControl::ClassInfo();
    info.Default = 0;
    info.Get = [](const TObject& obj) -> TValue {
        return TValue(static_cast<TObject*>(static_cast<const TAdvOfficePager&>(obj).ActivePage()));
    };
    info.Set = [desc = info](TObject& obj, const TValue& value) {
        TObject* page = ValueToObject(desc, value);
        if (page && !page->Is<TAdvOfficePage>())
            throw EPropertyConvertError("Invalid property value for ActivePage: a " + page->ClassName() +
                                        " is not a TAdvOfficePage");
        static_cast<TAdvOfficePager&>(obj).SetActivePage(static_cast<TAdvOfficePage*>(page));
    };
    return info;
}
}  // namespace

const TClassInfo& TAdvOfficePager::ClassInfo() {
    using P = TAdvOfficePager;
    static const TClassInfo info =
        TClassInfo::Derive<P, TCustomControl>("TAdvOfficePager")
            .Object<P, TAdvOfficePagerStyler>("AdvOfficePagerStyler", &P::AdvOfficePagerStyler,
                                              &P::SetAdvOfficePagerStyler)
            .Property(activePageProperty())
            .Bool<P>("AntiAlias", &P::AntiAlias, &P::SetAntiAlias, true)
            .Bool<P>("CloseOnTab", &P::CloseOnTab, &P::SetCloseOnTab, false)
            .Enum<P>("CloseOnTabPosition", {"cpRight", "cpLeft"}, &P::CloseOnTabPosition,
                     &P::SetCloseOnTabPosition, cpRight)
            .Object<P, TPopupMenu>("ClosedListMenu", &P::ClosedListMenu, &P::SetClosedListMenu)
            .Object<P, TCustomImageList>("DisabledImages", &P::DisabledImages, &P::SetDisabledImages)
            .Bool<P>("FreeOnClose", &P::FreeOnClose, &P::SetFreeOnClose, false)
            .Bool<P>("FixedTabs", &P::FixedTabs, &P::SetFixedTabs, false)
            .Bool<P>("Glow", &P::Glow, &P::SetGlow, true)
            .Object<P, TCustomImageList>("Images", &P::Images, &P::SetImages)
            .Integer<P>("TavoFontSize", &P::TavoFontSize, &P::SetTavoFontSize)
            .Bool<P>("MultiLine", &P::MultiLine, &P::SetMultiLine, false)
            .Object<P, TAdvHintInfo>("OfficeHint", &P::OfficeHint, &P::SetOfficeHint)
            .Integer<P>("PageMargin", &P::PageMargin, &P::SetPageMargin, 1)
            .Object<P, TPopupMenu>("PageListMenu", &P::PageListMenu, &P::SetPageListMenu)
            .Bool<P>("RotateTabLeftRight", &P::RotateTabLeftRight, &P::SetRotateTabLeftRight, true)
            .Bool<P>("ShowCloseOnNonSelectedTabs", &P::ShowCloseOnNonSelectedTabs,
                     &P::SetShowCloseOnNonSelectedTabs, false)
            .Bool<P>("ShowNonSelectedTabs", &P::ShowNonSelectedTabs, &P::SetShowNonSelectedTabs, false)
            .Bool<P>("ShowShortCutHints", &P::ShowShortCutHints, &P::SetShowShortCutHints)
            .Bool<P>("ShowTabHint", &P::ShowTabHint, &P::SetShowTabHint, false)
            .Enum<P>("TabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"}, &P::TabPosition,
                     &P::SetTabPosition, tpTop)
            .Object<P, TPagerTabSettings>("TabSettings", &P::TabSettings, &P::SetTabSettings)
            .Bool<P>("TabReorder", &P::TabReorder, &P::SetTabReorder, false)
            .Property(ColorProperty<P>("TabReorderIndicatorColor", &P::TabReorderIndicatorColor,
                                       &P::SetTabReorderIndicatorColor, clBlue))
            .Bool<P>("Transparent", &P::Transparent, &P::SetTransparent, false)
            .String<P>("Version", &P::Version, &P::SetVersion)
            .Bool<P>("TabStop", &P::TabStop, &P::SetTabStop, false)
            .Event<P>("OnChange", &P::OnChange)
            .Event<P>("OnChanging", &P::OnChanging)
            .Event<P>("OnClosePage", &P::OnClosePage)
            .Event<P>("OnClosedPage", &P::OnClosedPage)
            .Event<P>("OnDrawTab", &P::OnDrawTab)
            .Event<P>("OnTabMoved", &P::OnTabMoved)
            .Event<P>("OnTabClick", &P::OnTabClick)
            .Event<P>("OnTabDblClick", &P::OnTabDblClick)
            .Event<P>("OnTabRightClick", &P::OnTabRightClick)
            .Event<P>("OnTabCheckBoxClick", &P::OnTabCheckBoxClick)
            .Event<P>("OnTabDock", &P::OnTabDock)
            .Event<P>("OnTabUnDock", &P::OnTabUnDock)
            .Event<P>("OnTabUnDocking", &P::OnTabUnDocking)
            .Event<P>("OnClosedListClick", &P::OnClosedListClick)
            .Event<P>("OnPageListClick", &P::OnPageListClick)
            .Event<P>("OnFirstClick", &P::OnFirstClick)
            .Event<P>("OnPrevClick", &P::OnPrevClick)
            .Event<P>("OnNextClick", &P::OnNextClick)
            .Event<P>("OnLastClick", &P::OnLastClick)
            .Event<P>("OnInsertPage", &P::OnInsertPage)
            .Event<P>("OnTabMouseEnter", &P::OnTabMouseEnter)
            .Event<P>("OnTabMouseLeave", &P::OnTabMouseLeave)
            .Message<P>(CM_DIALOGCHAR, &P::CMDialogChar)
            .Message<P>(CM_DIALOGKEY, &P::CMDialogKey)
            .Message<P>(CM_MOUSELEAVE, &P::CMMouseLeave);
    return info;
}

TAdvOfficePager::TAdvOfficePager(TComponent* AOwner)
    : TCustomControl(AOwner), m_tabSettings(Create<TPagerTabSettings>()),
      m_officeHint(Create<TAdvHintInfo>()), m_pixelsPerInch(Screen->PixelsPerInch()) {
    m_tabSettings->OnChange = TNotifyEvent::Of<&TAdvOfficePager::SettingsChanged>(this);
    SetTabStop(false);
    SetBounds(0, 0, 300, 200);
    SetComponentStyle(tsLight);
}

TAdvOfficePager::~TAdvOfficePager() {
    // The pages are freed as child controls after this; they must not call back.
    for (TAdvOfficePage* page : m_pages)
        page->m_pager = nullptr;
    m_pages.clear();
    SetAdvOfficePagerStyler(nullptr);
}

void TAdvOfficePager::SetImages(TCustomImageList* Value) {
    ReferenceImageList(this, m_images, Value);
    Relayout();
}

void TAdvOfficePager::SetDisabledImages(TCustomImageList* Value) {
    ReferenceImageList(this, m_disabledImages, Value);
    Invalidate();
}

void TAdvOfficePager::SetAdvOfficePagerStyler(TAdvOfficePagerStyler* Value) {
    if (Value == m_styler)
        return;
    if (m_styler) {
        std::erase(m_styler->m_pagers, this);
        m_styler->RemoveFreeNotification(this);
    }
    m_styler = Value;
    if (m_styler) {
        m_styler->m_pagers.push_back(this);
        m_styler->FreeNotification(this);
    }
    if (!HasState(csDestroying))
        Invalidate();
}

TAdvOfficePage* TAdvOfficePager::AdvPages(int Index) const {
    if (Index < 0 || Index >= AdvPageCount())
        throw EListError(Format("List index out of bounds (%d)", {Index}));
    return m_pages[static_cast<std::size_t>(Index)];
}

void TAdvOfficePager::SetActivePage(TAdvOfficePage* Value) {
    if (HasState(csLoading) && Value && Value->m_pager != this) {
        // A description may name the page before the page names its pager.
        m_loadedActive = Value;
        Value->FreeNotification(this);
        return;
    }
    if ((Value && Value->m_pager != this) || Value == m_active)
        return;
    if (OnChanging && !HasState(csLoading)) {
        bool allow = true;
        OnChanging(this, ActivePageIndex(), Value ? Value->PageIndex() : -1, allow);
        if (!allow)
            return;
    }
    m_active = Value;
    Relayout();
    if (OnChange && !HasState(csLoading))
        OnChange(this);
}

int TAdvOfficePager::ActivePageIndex() const { return m_active ? m_active->PageIndex() : -1; }

void TAdvOfficePager::SetActivePageIndex(int Value) {
    SetActivePage(Value >= 0 && Value < AdvPageCount() ? m_pages[static_cast<std::size_t>(Value)] : nullptr);
}

void TAdvOfficePager::MovePage(int From, int To) {
    TAdvOfficePage* page = AdvPages(From);
    AdvPages(To);  // raises for a place off the pager
    if (From == To)
        return;
    m_pages.erase(m_pages.begin() + From);
    m_pages.insert(m_pages.begin() + To, page);
    Relayout();
    if (OnTabMoved)
        OnTabMoved(this, From, To);
}

void TAdvOfficePager::Loaded() {
    TCustomControl::Loaded();
    TAdvOfficePage* named = std::exchange(m_loadedActive, nullptr);
    if (named)
        SetActivePage(named);
}

void TAdvOfficePager::SetTabPosition(TTabPosition Value) {
    m_tabPosition = Value;
    Relayout();
}

void TAdvOfficePager::SetMultiLine(bool Value) {
    m_multiLine = Value;
    Relayout();
}

void TAdvOfficePager::SetRotateTabLeftRight(bool Value) {
    m_rotateTabLeftRight = Value;
    Relayout();
}

void TAdvOfficePager::SetFixedTabs(bool Value) {
    m_fixedTabs = Value;
    Relayout();
}

void TAdvOfficePager::SetGlow(bool Value) {
    m_glow = Value;
    Invalidate();
}

void TAdvOfficePager::SetAntiAlias(bool Value) {
    m_antiAlias = Value;
    Invalidate();
}

void TAdvOfficePager::SetTavoFontSize(int Value) {
    m_tavoFontSize = std::max(1, Value);
    Relayout();
}

void TAdvOfficePager::SetTabReorderIndicatorColor(TColor Value) {
    m_tabReorderIndicatorColor = Value;
    Invalidate();
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
    Relayout();
}

void TAdvOfficePager::SetCloseOnTabPosition(TCloseOnTabPos Value) {
    m_closeOnTabPosition = Value;
    Invalidate();
}

void TAdvOfficePager::SetShowCloseOnNonSelectedTabs(bool Value) {
    m_showCloseOnNonSelectedTabs = Value;
    Relayout();
}

void TAdvOfficePager::SetComponentStyle(TTMSStyle AStyle) {
    m_style = AStyle;
    if (!m_transparent)
        SetColor(TMSStyleColors(AStyle).Face);
    Invalidate();
}

void TAdvOfficePager::CorrectForScreenResolucao(float Scale) {
    m_minTabHeight = std::max(
        1, static_cast<int>(RoundHalfEven(TPagerTabSettings::kDesignHeight * static_cast<double>(Scale))));
    Relayout();
}

void TAdvOfficePager::ChangeScale(int M, int D) {
    if (M != D && D != 0) {
        TPagerTabSettings& s = *m_tabSettings;
        const TNotifyEvent saved = s.OnChange;
        s.OnChange = {};  // one layout once all have changed
        s.SetHeight(MulDiv(s.Height(), M, D));
        s.SetWidth(MulDiv(s.Width(), M, D));
        s.SetLeftMargin(MulDiv(s.LeftMargin(), M, D));
        s.SetRightMargin(MulDiv(s.RightMargin(), M, D));
        s.SetStartMargin(MulDiv(s.StartMargin(), M, D));
        s.SetSpacing(MulDiv(s.Spacing(), M, D));
        s.OnChange = saved;
        m_pixelsPerInch = MulDiv(m_pixelsPerInch, M, D);
        m_layoutValid = false;
    }
    TCustomControl::ChangeScale(M, D);
}

void TAdvOfficePager::SettingsChanged(TObject*) { Relayout(); }

bool TAdvOfficePager::ShowsCloseButton(int Index) const {
    if (!m_closeOnTab || Index < 0 || Index >= AdvPageCount())
        return false;
    return m_showCloseOnNonSelectedTabs || m_pages[static_cast<std::size_t>(Index)] == m_active;
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
        m_closedPages.push_back(page);
        page->FreeNotification(this);
    }
    if (OnClosedPage)
        OnClosedPage(this, Index);
    return true;
}

void TAdvOfficePager::AddPage(TAdvOfficePage* Page) {
    m_pages.push_back(Page);
    Page->m_pager = this;
    Page->SetParent(this);
    if (!m_active)
        m_active = Page;
    Relayout();
}

void TAdvOfficePager::RemovePage(TAdvOfficePage* Page) {
    m_pages.erase(std::remove(m_pages.begin(), m_pages.end(), Page), m_pages.end());
    Page->m_pager = nullptr;
    m_hotTab = m_dragFrom = m_dropAt = -1;
    if (m_active == Page) {
        m_active = m_pages.empty() ? nullptr : m_pages.front();
        if (OnChange && !HasState(csDestroying))
            OnChange(this);
    }
    if (Page->Parent() == this && !Page->HasState(csDestroying))
        Page->SetParent(nullptr);
    Relayout();
}

void TAdvOfficePager::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove)
        return;
    if (AComponent == m_images) {
        m_images = nullptr;
        Relayout();
    }
    if (AComponent == m_disabledImages) {
        m_disabledImages = nullptr;
        Invalidate();
    }
    if (AComponent == m_styler)
        SetAdvOfficePagerStyler(nullptr);
    if (AComponent == m_loadedActive)
        m_loadedActive = nullptr;
    if (AComponent == m_pageListMenu)
        m_pageListMenu = nullptr;
    if (AComponent == m_closedListMenu)
        m_closedListMenu = nullptr;
    if (AComponent == m_pageListMenu || AComponent == m_closedListMenu)
        Relayout();
    std::erase(m_closedPages, AComponent);
}

// --- Mouse ------------------------------------------------------------------------------------

void TAdvOfficePager::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && InsertButtonRect().Contains(Point(X, Y))) {
        InsertPage();
        return;
    }
    if (Button == mbLeft && PageListButtonRect().Contains(Point(X, Y))) {
        PopUpList(m_pageListMenu, PageListButtonRect(), false);
        return;
    }
    if (Button == mbLeft && ClosedListButtonRect().Contains(Point(X, Y))) {
        PopUpList(m_closedListMenu, ClosedListButtonRect(), true);
        return;
    }
    for (TNavButton which : {nbFirst, nbPrev, nbNext, nbLast})
        if (Button == mbLeft && NavButtonRect(which).Contains(Point(X, Y))) {
            Navigate(which);
            return;
        }
    const int tab = TabAt(X, Y);
    if (tab < 0)
        return;
    if (Button == mbRight) {
        if (OnTabRightClick)
            OnTabRightClick(this, tab);
        return;
    }
    if (Button != mbLeft)
        return;
    if (CloseButtonRect(tab).Contains(Point(X, Y))) {
        ClosePage(tab);
        return;
    }
    if (CheckBoxRect(tab).Contains(Point(X, Y))) {
        TAdvOfficePage* page = m_pages[static_cast<std::size_t>(tab)];
        page->SetChecked(!page->Checked());
        if (OnTabCheckBoxClick)
            OnTabCheckBoxClick(this, tab);
        return;
    }
    if ((Shift & ssDouble) && OnTabDblClick)
        OnTabDblClick(this, tab);
    TAdvOfficePage* page = m_pages[static_cast<std::size_t>(tab)];
    if (!page->Enabled())
        return;
    SetActivePageIndex(tab);
    if (OnTabClick)
        OnTabClick(this, tab);
    if (page->DragKind() == dkDock) {
        bool allow = true;
        if (OnTabUnDocking)
            OnTabUnDocking(this, page, allow);
        if (allow)
            page->BeginDrag(false);
    } else if (m_tabReorder) {
        m_dragFrom = tab;
    }
}

void TAdvOfficePager::DragDrop(TObject* Source, int X, int Y) {
    const TDragObject* drag = CurrentDragObject();
    TControl* control = drag ? drag->Control() : nullptr;
    const TWinControl* before = control ? control->Parent() : nullptr;
    // As any dock site: the control, if it may come, becomes a child here.
    TCustomControl::DragDrop(Source, X, Y);
    if (!control || control->Parent() != this)
        return;
    if (before == this) {
        ArrangePages();  // one of the pager's own pages dropped on it: it stays where it was
        return;
    }
    auto* page = As<TAdvOfficePage>(control);
    if (page) {
        page->SetAdvOfficePager(this);
    } else {
        // Another control gets a page of its own and fills it.
        page = Create<TAdvOfficePage>(Owner() ? Owner() : this);
        page->SetCaption(control->Caption());
        page->SetAdvOfficePager(this);
        control->SetParent(page);
        control->SetAlign(alClient);
    }
    SetActivePage(page);
    if (OnTabDock)
        OnTabDock(this, control, page);
}

void TAdvOfficePager::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    const int tab = TabAt(X, Y);
    SetHotTab(tab);
    if (m_dragFrom >= 0 && (Shift & ssLeft)) {
        const int drop = tab >= 0 && tab != m_dragFrom ? tab : -1;
        if (drop != m_dropAt) {
            m_dropAt = drop;
            Invalidate();
        }
    }
}

void TAdvOfficePager::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    const int from = m_dragFrom, to = m_dropAt;
    m_dragFrom = m_dropAt = -1;
    if (Button == mbLeft && from >= 0 && to >= 0)
        MovePage(from, to);
    else if (to >= 0)
        Invalidate();
}

void TAdvOfficePager::SetPageListMenu(TPopupMenu* Value) {
    if (m_pageListMenu)
        m_pageListMenu->RemoveFreeNotification(this);
    m_pageListMenu = Value;
    if (Value)
        Value->FreeNotification(this);
    Relayout();
}

void TAdvOfficePager::SetClosedListMenu(TPopupMenu* Value) {
    if (m_closedListMenu)
        m_closedListMenu->RemoveFreeNotification(this);
    m_closedListMenu = Value;
    if (Value)
        Value->FreeNotification(this);
    Relayout();
}

// The menu takes one item per page (or closed page), tagged with its place, then pops up
// under the button.
void TAdvOfficePager::PopUpList(TPopupMenu* Menu, const TRect& Button, bool Closed) {
    const TNotifyEvent& clicked = Closed ? OnClosedListClick : OnPageListClick;
    if (clicked)
        clicked(this);
    TMenuItem* root = Menu->Items();
    while (root->Count() > 0)
        root->Items(root->Count() - 1)->Free();
    const std::vector<TAdvOfficePage*>& pages = Closed ? m_closedPages : m_pages;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        auto* item = Create<TMenuItem>(Menu);
        item->SetCaption(pages[i]->Caption());
        item->SetTag(static_cast<std::intptr_t>(i));
        item->OnClick = Closed ? TNotifyEvent::Of<&TAdvOfficePager::ClosedItemClick>(this)
                               : TNotifyEvent::Of<&TAdvOfficePager::ListItemClick>(this);
        root->Add(item);
    }
    Menu->SetPopupComponent(this);
    const TPoint origin = ClientOrigin();
    Menu->Popup(origin.X + Button.Left, origin.Y + Button.Bottom);
}

void TAdvOfficePager::ListItemClick(TObject* Sender) {
    SetActivePageIndex(static_cast<int>(static_cast<TMenuItem*>(Sender)->Tag()));
}

void TAdvOfficePager::ClosedItemClick(TObject* Sender) {
    const auto index = static_cast<int>(static_cast<TMenuItem*>(Sender)->Tag());
    if (index >= 0 && index < ClosedPageCount())
        OpenClosedPage(index);
}

void TAdvOfficePager::OpenClosedPage(int Index) {
    if (Index < 0 || Index >= ClosedPageCount())
        throw EListError(Format("List index out of bounds (%d)", {Index}));
    TAdvOfficePage* page = m_closedPages[static_cast<std::size_t>(Index)];
    m_closedPages.erase(m_closedPages.begin() + Index);
    page->RemoveFreeNotification(this);
    page->SetAdvOfficePager(this);
    SetActivePage(page);
}

void TAdvOfficePager::CMMouseLeave(TMessage& Message) {
    TCustomControl::CMMouseLeave(Message);
    SetHotTab(-1);
}

void TAdvOfficePager::Navigate(TNavButton Which) {
    const TNotifyEvent& event = Which == nbFirst  ? OnFirstClick
                                : Which == nbPrev ? OnPrevClick
                                : Which == nbNext ? OnNextClick
                                                  : OnLastClick;
    if (event)
        event(this);
    // The nearest enabled page that way (from the ends for First and Last).
    const int count = AdvPageCount(), active = ActivePageIndex();
    const bool on = Which == nbNext || Which == nbLast;
    int i = Which == nbFirst ? 0 : Which == nbLast ? count - 1 : active + (on ? 1 : -1);
    while (i >= 0 && i < count && !m_pages[static_cast<std::size_t>(i)]->Enabled())
        i += Which == nbFirst || Which == nbNext ? 1 : -1;
    if (i >= 0 && i < count)
        SetActivePageIndex(i);
}

TAdvOfficePage* TAdvOfficePager::InsertPage() {
    auto* page = Create<TAdvOfficePage>(Owner() ? Owner() : this);
    page->SetAdvOfficePager(this);
    SetActivePage(page);
    if (OnInsertPage)
        OnInsertPage(this, page);
    return page;
}

void TAdvOfficePager::KeyDown(std::uint16_t& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    const int count = AdvPageCount(), at = ActivePageIndex();
    int to = -1;
    switch (Key) {
    case VK_LEFT:
    case VK_UP:
        to = std::max(at - 1, 0);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        to = std::min(at + 1, count - 1);
        break;
    case VK_HOME:
        to = 0;
        break;
    case VK_END:
        to = count - 1;
        break;
    default:
        return;
    }
    Key = 0;
    if (to >= 0 && to != at)
        ShowPageByKey(to);
}

TRect TAdvOfficePager::FocusFrameRect() {
    if (ActivePageIndex() < 0)
        return TCustomControl::FocusFrameRect();
    return IntersectRect(TabRect(ActivePageIndex()), ClientRect());
}

void TAdvOfficePager::CMDialogKey(TMessage& Message) {
    const auto shift = static_cast<TShiftState>(Message.LParam);
    if (Message.WParam != VK_TAB || !(shift & ssCtrl) || AdvPageCount() < 2 || !Enabled())
        return;
    const int count = AdvPageCount();
    const int at = std::max(ActivePageIndex(), 0);
    ShowPageByKey((at + ((shift & ssShift) ? count - 1 : 1)) % count);
    Message.Result = 1;
}

void TAdvOfficePager::ShowPageByKey(int Index) {
    TCustomForm* form = GetParentForm(this);
    TWinControl* focused = form ? form->FocusedControl() : nullptr;
    const bool focusOnPage = focused && focused != this && ContainsControl(focused);
    SetActivePageIndex(Index);
    if (!focusOnPage || (m_active && m_active->ContainsControl(focused)))
        return;
    if (m_active)
        if (const std::vector<TWinControl*> tabs = m_active->TabOrderList(); !tabs.empty()) {
            tabs.front()->SetFocus();
            return;
        }
    if (CanFocus())
        SetFocus();
}

void TAdvOfficePager::CMDialogChar(TMessage& Message) {
    if (!m_showShortCutHints || !Enabled())
        return;
    const auto key = static_cast<char32_t>(Message.WParam);
    auto firstLetter = [key](const std::string& caption) {
        const std::string plain = StripAccelPrefixes(caption);
        return !plain.empty() && key < 128 &&
               std::tolower(static_cast<unsigned char>(plain[0])) == std::tolower(static_cast<int>(key));
    };
    // A caption's accelerator first, then first letters, each in tab order.
    for (const bool byAccel : {true, false})
        for (TAdvOfficePage* page : m_pages)
            if (page->Enabled() && (byAccel ? IsAccel(key, page->Caption()) : firstLetter(page->Caption()))) {
                SetActivePage(page);
                Message.Result = 1;
                return;
            }
}

void TAdvOfficePager::SetHotTab(int Index) {
    if (Index == m_hotTab)
        return;
    const int left = m_hotTab;
    m_hotTab = Index;
    if (m_showTabHint) {
        // The pager's own hint comes back when the mouse leaves the tabs, unless the office
        // hint ("title|notes") stands for the pager there.
        if (!m_showingTabHint)
            m_ownHint = Hint();
        m_showingTabHint = true;
        if (Index >= 0)
            SetHint(m_pages[static_cast<std::size_t>(Index)]->Hint());
        else if (!m_officeHint->Title.empty())
            SetHint(m_officeHint->Title + "|" + m_officeHint->Notes);
        else
            SetHint(m_ownHint);
    }
    if (left >= 0 && OnTabMouseLeave)
        OnTabMouseLeave(this, left);
    if (Index >= 0 && OnTabMouseEnter)
        OnTabMouseEnter(this, Index);
    if (m_glow)
        Invalidate();
}

}  // namespace vendor
