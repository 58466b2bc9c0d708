#pragma once
// The TMS office pager: tabs along the top, each with an image of the pager's Images and its
// page's caption, and under them the active page.

#include "framework/controls/ImageList.h"
#include "framework/controls/WinControl.h"
#include "vendor/Advstyleif.h"

#include <vector>

namespace vendor {

class TAdvOfficePager;

class TAdvOfficePage : public framework::TCustomControl {
public:
    explicit TAdvOfficePage(framework::TComponent* AOwner);
    ~TAdvOfficePage() override;  // leaves its pager
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int Value);
    TAdvOfficePager* AdvOfficePager() const { return m_pager; }
    // Moves the page onto a pager (as its last page) or, with null, off it.
    void SetAdvOfficePager(TAdvOfficePager* Value);
    int PageIndex() const;

protected:
    void TextChanged() override;

private:
    friend class TAdvOfficePager;
    TAdvOfficePager* m_pager = nullptr;  // not owned
    int m_imageIndex = -1;
};

using TTabChangingEvent = framework::TEvent<framework::TObject*, int, int, bool&>;
using TClosePageEvent = framework::TEvent<framework::TObject*, int, bool&>;

class TAdvOfficePager : public framework::TCustomControl, public ITMSStyle {
public:
    explicit TAdvOfficePager(framework::TComponent* AOwner);
    ~TAdvOfficePager() override;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    framework::TCustomImageList* Images() const { return m_images; }
    void SetImages(framework::TCustomImageList* Value);
    int AdvPageCount() const { return static_cast<int>(m_pages.size()); }
    TAdvOfficePage* AdvPages(int Index) const;  // raises EListError out of range
    TAdvOfficePage* ActivePage() const { return m_active; }
    void SetActivePage(TAdvOfficePage* Value);
    int ActivePageIndex() const;
    void SetActivePageIndex(int Value);

    // The tab of page Index, and the height of the tab row.
    framework::TRect TabRect(int Index);
    int TabHeight() const;
    // The close button of a tab; empty when the tab shows none.
    framework::TRect CloseButtonRect(int Index);

    // The pages stand this many pixels in from the pager's sides and bottom.
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
    bool ShowCloseOnNonSelectedTabs() const { return m_showCloseOnNonSelectedTabs; }
    void SetShowCloseOnNonSelectedTabs(bool Value);
    bool FreeOnClose() const { return m_freeOnClose; }
    void SetFreeOnClose(bool Value) { m_freeOnClose = Value; }
    // Closes page Index as a click on its close button does; false when OnClosePage refused.
    bool ClosePage(int Index);

    void SetComponentStyle(TTMSStyle AStyle) override;
    // The least tab row height of the design (28 pixels at 96 pixels per inch) times Scale.
    void CorrectForScreenResolucao(float Scale);

    // Before the active page changes (from the old index to the new): clearing the flag keeps it.
    TTabChangingEvent OnChanging;
    framework::TNotifyEvent OnChange;
    // Before a page closes: clearing the flag keeps it.
    TClosePageEvent OnClosePage;
    // Lays the pages out under the tabs; only the active page shows.
    void ArrangePages();
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void Paint() override;
    void Notification(framework::TComponent* AComponent, framework::TOperation Operation) override;
    void MouseDown(framework::TMouseButton Button, framework::TShiftState Shift, int X, int Y) override;

private:
    friend class TAdvOfficePage;
    void AddPage(TAdvOfficePage* Page);
    void RemovePage(TAdvOfficePage* Page);
    bool ShowsCloseButton(int Index) const;

    std::vector<TAdvOfficePage*> m_pages;  // the pages are child controls, not owned here
    TAdvOfficePage* m_active = nullptr;
    framework::TCustomImageList* m_images = nullptr;  // not owned; cleared when it goes
    int m_minTabHeight;
    int m_pageMargin = 1;
    bool m_showNonSelectedTabs = false;
    bool m_transparent = false;
    bool m_closeOnTab = false;
    bool m_showCloseOnNonSelectedTabs = false;
    bool m_freeOnClose = false;
    TTMSStyle m_style = tsLight;
};

}  // namespace vendor
