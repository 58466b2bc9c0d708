#pragma once
// The TMS office pager: a row (or, with MultiLine, rows) of tabs along one side, each with an
// image of the pager's Images and its page's caption, and beside them the active page.

#include "framework/controls/ImageList.h"
#include "framework/controls/Menus.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Bitmap.h"
#include "vendor/AdvOfficePagerParts.h"
#include "vendor/AdvOfficePagerStyler.h"
#include "vendor/Advstyleif.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vendor {

class TAdvOfficePager : public framework::TCustomControl, public ITMSStyle {
public:
    explicit TAdvOfficePager(framework::TComponent* AOwner);
    ~TAdvOfficePager() override;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(framework::TAccessible& A) const override;

    framework::TCustomImageList* Images() const { return m_images; }
    void SetImages(framework::TCustomImageList* Value);
    // The images of disabled pages' tabs; without it they show Images greyed.
    framework::TCustomImageList* DisabledImages() const { return m_disabledImages; }
    void SetDisabledImages(framework::TCustomImageList* Value);
    int AdvPageCount() const { return static_cast<int>(m_pages.size()); }
    TAdvOfficePage* AdvPages(int Index) const;  // raises EListError out of range
    TAdvOfficePage* ActivePage() const { return m_active; }
    void SetActivePage(TAdvOfficePage* Value);
    int ActivePageIndex() const;
    void SetActivePageIndex(int Value);
    // Moves page From to place To among the pages, as a tab dragged there does.
    void MovePage(int From, int To);

    // The tab of page Index (empty when there is none), the thickness of one row of tabs, and
    // the number of rows.
    framework::TRect TabRect(int Index);
    int TabHeight() const;
    int TabRows();
    // The tab under a point, or -1.
    int TabAt(int X, int Y);
    // The close button of a tab; empty when the tab shows none.
    framework::TRect CloseButtonRect(int Index);
    // The check box of a tab; empty when its page shows none.
    framework::TRect CheckBoxRect(int Index);
    // The button after the last tab that adds a page; it shows while OnInsertPage is assigned.
    framework::TRect InsertButtonRect();
    // The buttons at the far end of the tabs that pop up PageListMenu (every page, to choose
    // one) and ClosedListMenu (the pages closed and kept, to open one again); each shows
    // while its menu is set.
    framework::TPopupMenu* PageListMenu() const { return m_pageListMenu; }
    void SetPageListMenu(framework::TPopupMenu* Value);
    framework::TPopupMenu* ClosedListMenu() const { return m_closedListMenu; }
    void SetClosedListMenu(framework::TPopupMenu* Value);
    framework::TRect PageListButtonRect();
    framework::TRect ClosedListButtonRect();
    // Pages closed without being freed, most recent last; OpenClosedPage puts one back.
    int ClosedPageCount() const { return static_cast<int>(m_closedPages.size()); }
    void OpenClosedPage(int Index);
    // A navigation button; empty while every tab fits.
    framework::TRect NavButtonRect(TNavButton Which);
    // Adds a page at the end, with the pager's owner as its owner, chooses it and reports it.
    TAdvOfficePage* InsertPage();

    TPagerTabSettings* TabSettings() const { return m_tabSettings.get(); }
    void SetTabSettings(TPagerTabSettings* Value) { m_tabSettings->Assign(Value); }
    TTabPosition TabPosition() const { return m_tabPosition; }
    void SetTabPosition(TTabPosition Value);
    // Tabs that do not fit wrap into further rows instead of running off the edge.
    bool MultiLine() const { return m_multiLine; }
    void SetMultiLine(bool Value);
    // Tabs on the left or right lie on their side, their caption running along them.
    bool RotateTabLeftRight() const { return m_rotateTabLeftRight; }
    void SetRotateTabLeftRight(bool Value);
    // Every tab as long as the longest.
    bool FixedTabs() const { return m_fixedTabs; }
    void SetFixedTabs(bool Value);
    // The tab under the mouse lights up.
    bool Glow() const { return m_glow; }
    void SetGlow(bool Value);
    // Tab corners are smoothed into what lies behind them instead of ending square.
    bool AntiAlias() const { return m_antiAlias; }
    void SetAntiAlias(bool Value);
    // The size of the tabs' captions in points.
    int TavoFontSize() const { return m_tavoFontSize; }
    void SetTavoFontSize(int Value);
    // A tab dragged onto another moves its page there; the drop place shows in the colour.
    bool TabReorder() const { return m_tabReorder; }
    void SetTabReorder(bool Value) { m_tabReorder = Value; }
    framework::TColor TabReorderIndicatorColor() const { return m_tabReorderIndicatorColor; }
    void SetTabReorderIndicatorColor(framework::TColor Value);
    // Alt and the key of a tab (its caption's accelerator, else its first letter) choose it.
    bool ShowShortCutHints() const { return m_showShortCutHints; }
    void SetShowShortCutHints(bool Value) { m_showShortCutHints = Value; }
    // Over a tab, the pager's hint is the page's own; elsewhere OfficeHint's, when it has a title.
    bool ShowTabHint() const { return m_showTabHint; }
    void SetShowTabHint(bool Value) { m_showTabHint = Value; }
    TAdvHintInfo* OfficeHint() const { return m_officeHint.get(); }
    void SetOfficeHint(TAdvHintInfo* Value) { m_officeHint->Assign(Value); }
    // The colours come from this styler while one is set, else from the pager's own style.
    TAdvOfficePagerStyler* AdvOfficePagerStyler() const { return m_styler; }
    void SetAdvOfficePagerStyler(TAdvOfficePagerStyler* Value);
    // The pack's version; a form description that names another leaves it as it is.
    std::string Version() const { return "1.0.0.0"; }
    void SetVersion(const std::string&) {}

    // The pages stand this many pixels in from the pager's other sides.
    int PageMargin() const { return m_pageMargin; }
    void SetPageMargin(int Value);
    // Without it, only the active tab paints its face and border; the others show their caption.
    bool ShowNonSelectedTabs() const { return m_showNonSelectedTabs; }
    void SetShowNonSelectedTabs(bool Value);
    // The tab row shows the parent's colour instead of its own.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool Value);
    // The active tab (with ShowCloseOnNonSelectedTabs, every tab) shows a close button; a click
    // on it closes the page: the page leaves the pager, hidden, or with FreeOnClose is freed.
    bool CloseOnTab() const { return m_closeOnTab; }
    void SetCloseOnTab(bool Value);
    // At the right (the tab's far end, the default) or before the check box, image and caption.
    TCloseOnTabPos CloseOnTabPosition() const { return m_closeOnTabPosition; }
    void SetCloseOnTabPosition(TCloseOnTabPos Value);
    bool ShowCloseOnNonSelectedTabs() const { return m_showCloseOnNonSelectedTabs; }
    void SetShowCloseOnNonSelectedTabs(bool Value);
    bool FreeOnClose() const { return m_freeOnClose; }
    void SetFreeOnClose(bool Value) { m_freeOnClose = Value; }
    // Closes page Index as a click on its close button does; false when OnClosePage refused.
    bool ClosePage(int Index);

    void SetComponentStyle(TTMSStyle AStyle) override;
    // The least tab row height of the design (28 pixels at 96 pixels per inch) times Scale.
    void CorrectForScreenResolucao(float Scale);
    // Tab sizes and the caption size follow the resolution as bounds and fonts do.
    void ChangeScale(int M, int D) override;

    // Before the active page changes (from the old index to the new): clearing the flag keeps it.
    TTabChangingEvent OnChanging;
    framework::TNotifyEvent OnChange;
    // Before a page closes: clearing the flag keeps it. Then, once it is off the pager.
    TClosePageEvent OnClosePage;
    TTabEvent OnClosedPage;
    TTabEvent OnTabClick;
    TTabEvent OnTabDblClick;
    TTabEvent OnTabRightClick;
    // A navigation button was clicked; the page it leads to is chosen next.
    framework::TNotifyEvent OnFirstClick;
    framework::TNotifyEvent OnPrevClick;
    framework::TNotifyEvent OnNextClick;
    framework::TNotifyEvent OnLastClick;
    // A list button was clicked; its menu, filled afresh, pops up next.
    framework::TNotifyEvent OnPageListClick;
    framework::TNotifyEvent OnClosedListClick;
    // Docking: with DockSite, a control dragged for docking onto the pager becomes a page (a
    // page joins as it is; another control gets a page of its own, captioned with its text).
    // A page whose DragKind is dkDock is dragged off by its tab, after OnTabUnDocking allowed
    // it; OnTabUnDock follows once it has gone to another site.
    TTabDockEvent OnTabDock;
    TTabUnDockingEvent OnTabUnDocking;
    TTabUnDockEvent OnTabUnDock;
    void DragDrop(framework::TObject* Source, int X, int Y) override;
    TTabEvent OnTabCheckBoxClick;
    TInsertPageEvent OnInsertPage;
    TTabEvent OnTabMouseEnter;
    TTabEvent OnTabMouseLeave;
    TTabMovedEvent OnTabMoved;
    // Paints a tab in place of the pager (on Canvas, inside the rectangle given).
    TDrawTabEvent OnDrawTab;
    // Lays the pages out beside the tabs; only the active page shows.
    void ArrangePages();
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void Paint() override;
    void Notification(framework::TComponent* AComponent, framework::TOperation Operation) override;
    void MouseDown(framework::TMouseButton Button, framework::TShiftState Shift, int X, int Y) override;
    void MouseMove(framework::TShiftState Shift, int X, int Y) override;
    void MouseUp(framework::TMouseButton Button, framework::TShiftState Shift, int X, int Y) override;
    void FontChanged() override;
    void Loaded() override;
    // While the pager has the focus the arrows take the tab before or after the active one,
    // Home and End the first and the last.
    void KeyDown(std::uint16_t& Key, framework::TShiftState Shift) override;
    // The focus frame goes round the active tab.
    framework::TRect FocusFrameRect() override;

private:
    friend class TAdvOfficePage;
    friend class TAdvOfficePagerStyler;
    // Ctrl+Tab (with Shift: backwards) from the pager or a control on it: the next page, round
    // from the last to the first.
    void CMDialogKey(framework::TMessage& Message);
    // Shows the page at Index; a focus left on a page now hidden goes to the first control of
    // the page shown, else to the pager.
    void ShowPageByKey(int Index);
    void CMDialogChar(framework::TMessage& Message);
    void CMMouseLeave(framework::TMessage& Message);
    int ListButtonsLength() const;
    void PopUpList(framework::TPopupMenu* Menu, const framework::TRect& Button, bool Closed);
    void ListItemClick(framework::TObject* Sender);
    void ClosedItemClick(framework::TObject* Sender);
    void AddPage(TAdvOfficePage* Page);
    void RemovePage(TAdvOfficePage* Page);
    bool ShowsCloseButton(int Index) const;
    void SettingsChanged(framework::TObject* Sender);
    void Relayout();
    void LayoutTabs();
    framework::TRect BandRect(int Row, int Pos, int Length, int Thickness) const;
    void Navigate(TNavButton Which);
    void PaintNavButtons(framework::TCanvas& Canvas, const TAdvOfficePagerColors& Colors);
    int NaturalTabLength(int Index);
    bool SideTabs() const { return m_tabPosition == tpLeft || m_tabPosition == tpRight; }
    framework::TRect PageRect();
    void PrepareCaptionFont(framework::TCanvas& Canvas);
    void SetHotTab(int Index);
    TAdvOfficePagerColors Colors() const;
    void PaintTab(framework::TCanvas& Canvas, const TAdvOfficePagerColors& Colors, int Index);
    void PaintCaption(framework::TCanvas& Canvas, const TAdvOfficePage& Page, framework::TRect Area,
                      framework::TColor Face);
    void PaintCheckBox(framework::TCanvas& Canvas, const framework::TRect& Box, bool Checked,
                       framework::TColor Mark);
    void PaintCorners(framework::TCanvas& Canvas, const framework::TRect& Tab, framework::TColor Border);

    std::vector<TAdvOfficePage*> m_pages;  // the pages are child controls, not owned here
    TAdvOfficePage* m_active = nullptr;
    TAdvOfficePage* m_loadedActive = nullptr;  // named while loading, before it joined; cleared when it goes
    framework::TCustomImageList* m_images = nullptr;          // not owned; cleared when it goes
    framework::TCustomImageList* m_disabledImages = nullptr;  // not owned; cleared when it goes
    TAdvOfficePagerStyler* m_styler = nullptr;                // not owned; cleared when it goes
    framework::TPopupMenu* m_pageListMenu = nullptr;          // not owned; cleared when it goes
    framework::TPopupMenu* m_closedListMenu = nullptr;        // not owned; cleared when it goes
    std::vector<TAdvOfficePage*> m_closedPages;               // not owned; each leaves as it goes
    std::unique_ptr<TPagerTabSettings, framework::TFreeDeleter> m_tabSettings;
    std::unique_ptr<TAdvHintInfo, framework::TFreeDeleter> m_officeHint;
    std::unique_ptr<framework::TBitmap, framework::TFreeDeleter>
        m_measure;                             // measures captions without a window
    std::vector<framework::TRect> m_tabRects;  // by page, valid while m_layoutValid
    int m_rows = 1;
    int m_band = 0;       // the thickness of all rows of tabs together
    int m_thickness = 0;  // of one row
    int m_firstTab = 0;   // the first tab shown while the row scrolls
    bool m_scrolling = false;
    bool m_layoutValid = false;
    int m_minTabHeight = 0;  // set by the resolution correction
    int m_pixelsPerInch;     // the resolution the captions are sized for
    int m_pageMargin = 1;
    int m_tavoFontSize = 8;
    int m_hotTab = -1;
    int m_dragFrom = -1;
    int m_dropAt = -1;
    std::string m_ownHint;  // the pager's hint while a tab's hint shows instead
    bool m_showingTabHint = false;
    framework::TColor m_tabReorderIndicatorColor = framework::clBlue;
    TTabPosition m_tabPosition = tpTop;
    TCloseOnTabPos m_closeOnTabPosition = cpRight;
    bool m_multiLine = false;
    bool m_rotateTabLeftRight = true;
    bool m_fixedTabs = false;
    bool m_glow = true;
    bool m_antiAlias = true;
    bool m_tabReorder = false;
    bool m_showTabHint = false;
    bool m_showShortCutHints = false;
    bool m_showNonSelectedTabs = false;
    bool m_transparent = false;
    bool m_closeOnTab = false;
    bool m_showCloseOnNonSelectedTabs = false;
    bool m_freeOnClose = false;
    TTMSStyle m_style = tsLight;
};

}  // namespace vendor
