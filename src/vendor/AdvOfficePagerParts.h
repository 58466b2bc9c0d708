#pragma once
// The parts of the TMS office pager: its pages, the sizes of its tabs, its office hint, and the
// kinds and events the pager speaks in.

#include "framework/controls/WinControl.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace vendor {

class TAdvOfficePager;

class TAdvOfficePage : public framework::TCustomControl {
public:
    explicit TAdvOfficePage(framework::TComponent* AOwner);
    ~TAdvOfficePage() override;  // leaves its pager
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(framework::TAccessible& A) const override;
    bool DoAccessibleAction(int AItem, const std::string& Action) override;

    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int Value);
    TAdvOfficePager* AdvOfficePager() const { return m_pager; }
    // Moves the page onto a pager (as its last page) or, with null, off it.
    void SetAdvOfficePager(TAdvOfficePager* Value);
    int PageIndex() const;
    // A disabled page's tab greys out and cannot be chosen.
    void SetEnabled(bool Value) override;
    // A page put on another parent (docked elsewhere) leaves its pager.
    void SetParent(framework::TWinControl* AParent) override;
    // The tab shows a check box before its image; a click on it turns Checked over.
    bool ShowCheckBox() const { return m_showCheckBox; }
    void SetShowCheckBox(bool Value);
    bool Checked() const { return m_checked; }
    void SetChecked(bool Value);

protected:
    void TextChanged() override;

private:
    friend class TAdvOfficePager;
    TAdvOfficePager* m_pager = nullptr;  // not owned
    int m_imageIndex = -1;
    bool m_showCheckBox = false;
    bool m_checked = false;
};

// The buttons at the far end of a row of tabs too long for the pager.
enum TNavButton : std::uint8_t { nbFirst, nbPrev, nbNext, nbLast };

// The end of a tab its close button stands at.
enum TCloseOnTabPos : std::uint8_t { cpRight, cpLeft };

// The side the tabs stand on.
enum TTabPosition : std::uint8_t { tpTop, tpBottom, tpLeft, tpRight };

// The sizes of a pager's tabs, in pixels: the tab row's height (a rotated side tab's width),
// a fixed tab length (0: each tab as long as its image and caption need), the space inside a
// tab before and after its contents, before the first tab, and between tabs.
class TPagerTabSettings : public framework::TPersistent {
public:
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    // The tab row's height at 96 pixels per inch.
    static constexpr int kDesignHeight = 28;

    int Height() const { return m_height; }
    void SetHeight(int Value) { Change(m_height, std::max(1, Value)); }
    int Width() const { return m_width; }
    void SetWidth(int Value) { Change(m_width, std::max(0, Value)); }
    int LeftMargin() const { return m_leftMargin; }
    void SetLeftMargin(int Value) { Change(m_leftMargin, std::max(0, Value)); }
    int RightMargin() const { return m_rightMargin; }
    void SetRightMargin(int Value) { Change(m_rightMargin, std::max(0, Value)); }
    int StartMargin() const { return m_startMargin; }
    void SetStartMargin(int Value) { Change(m_startMargin, std::max(0, Value)); }
    int Spacing() const { return m_spacing; }
    void SetSpacing(int Value) { Change(m_spacing, std::max(0, Value)); }

    void Assign(const framework::TPersistent* Source) override;
    framework::TNotifyEvent OnChange;

private:
    void Change(int& Field, int Value);

    int m_height = kDesignHeight;
    int m_width = 0;
    int m_leftMargin = 6;
    int m_rightMargin = 6;
    int m_startMargin = 2;
    int m_spacing = 2;
};

// The hint a pager shows where no tab hint applies: a title and notes beneath it.
class TAdvHintInfo : public framework::TPersistent {
public:
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    std::string Title;
    std::string Notes;
    void Assign(const framework::TPersistent* Source) override;
};

using TTabChangingEvent = framework::TEvent<framework::TObject*, int, int, bool&>;
using TClosePageEvent = framework::TEvent<framework::TObject*, int, bool&>;
using TTabEvent = framework::TEvent<framework::TObject*, int>;
using TTabMovedEvent = framework::TEvent<framework::TObject*, int, int>;
using TDrawTabEvent = framework::TEvent<framework::TObject*, int, framework::TRect>;
using TInsertPageEvent = framework::TEvent<framework::TObject*, TAdvOfficePage*>;
// A control docked onto the pager and the page that now holds it (the page itself when a page
// was docked).
using TTabDockEvent = framework::TEvent<framework::TObject*, framework::TControl*, TAdvOfficePage*>;
using TTabUnDockingEvent = framework::TEvent<framework::TObject*, TAdvOfficePage*, bool&>;
using TTabUnDockEvent = framework::TEvent<framework::TObject*, TAdvOfficePage*>;

}  // namespace vendor
