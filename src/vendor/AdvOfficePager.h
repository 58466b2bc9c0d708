#pragma once
// The TMS office pager: tabs along the top, each with an image of the pager's Images and its
// page's caption, and under them the active page.

#include "framework/controls/ImageList.h"
#include "framework/controls/WinControl.h"

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

class TAdvOfficePager : public framework::TCustomControl {
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

    std::vector<TAdvOfficePage*> m_pages;  // the pages are child controls, not owned here
    TAdvOfficePage* m_active = nullptr;
    framework::TCustomImageList* m_images = nullptr;  // not owned; cleared when it goes
};

}  // namespace vendor
