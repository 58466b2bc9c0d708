#pragma once
// The TMS office tab set: a row of tabs without pages, each with its caption and, when the tab
// set has Images, the image of the same number as the tab. It follows the form styler's style,
// and its tab height follows the screen resolution.

#include "framework/classes/StringList.h"
#include "framework/controls/ImageList.h"
#include "framework/controls/WinControl.h"
#include "vendor/Advstyleif.h"

#include <memory>

namespace vendor {

class TAdvOfficeTabSet : public framework::TCustomControl, public ITMSStyle {
public:
    explicit TAdvOfficeTabSet(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(framework::TAccessible& A) const override;
    int AccessibleItemCount() const override;
    void DescribeAccessibleItem(int Index, framework::TAccessible& A) const override;
    int AccessibleFocusedItem() const override;
    bool DoAccessibleAction(int AItem, const std::string& Action) override;

    // The tabs' captions; a change repaints the row and keeps the active tab in range.
    framework::TStrings* AdvOfficeTabs() const { return m_tabs.get(); }
    void SetAdvOfficeTabs(framework::TStrings* Value) { m_tabs->Assign(Value); }
    framework::TCustomImageList* Images() const { return m_images; }
    void SetImages(framework::TCustomImageList* Value);
    // -1 when there are no tabs.
    int ActiveTabIndex() const { return m_activeTab; }
    void SetActiveTabIndex(int Value);
    int TabHeight() const { return m_tabHeight; }
    framework::TRect TabRect(int Index);

    void SetComponentStyle(TTMSStyle AStyle) override;
    // The tab height of the design (26 pixels at 96 pixels per inch) times Scale.
    void CorrectForScreenResolucao(float Scale);

    framework::TNotifyEvent OnChange;

protected:
    void Paint() override;
    void Notification(framework::TComponent* AComponent, framework::TOperation Operation) override;
    void MouseDown(framework::TMouseButton Button, framework::TShiftState Shift, int X, int Y) override;
    // The arrows take the tab before or after the active one, Home and End the first and last.
    void KeyDown(std::uint16_t& Key, framework::TShiftState Shift) override;
    // The focus frame goes round the active tab.
    framework::TRect FocusFrameRect() override;

private:
    void TabsChanged(framework::TObject* Sender);

    std::unique_ptr<framework::TStringList, framework::TFreeDeleter> m_tabs;
    framework::TCustomImageList* m_images = nullptr;  // not owned; cleared when it goes
    int m_activeTab = -1;
    int m_tabHeight;
    TTMSStyle m_style = tsLight;
};

}  // namespace vendor
