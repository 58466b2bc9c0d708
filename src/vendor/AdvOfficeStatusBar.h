#pragma once
// The TMS office status bar: a bar along the bottom of a form, cut into panels that each show
// an image of the bar's Images and a text.

#include "framework/controls/ImageList.h"
#include "framework/controls/WinControl.h"

#include <memory>
#include <string>
#include <vector>

namespace vendor {

class TAdvOfficeStatusBar;

class TAdvOfficeStatusPanel {
public:
    const std::string& Text() const { return m_text; }
    void SetText(const std::string& Value);
    int Width() const { return m_width; }
    void SetWidth(int Value);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int Value);

private:
    friend class TAdvOfficeStatusPanels;
    explicit TAdvOfficeStatusPanel(TAdvOfficeStatusBar* bar) : m_bar(bar) {}
    void Changed();
    TAdvOfficeStatusBar* m_bar;  // the bar that owns this panel
    std::string m_text;
    int m_width = 50;
    int m_imageIndex = -1;
};

// The panels of a bar, left to right; the bar owns them.
class TAdvOfficeStatusPanels {
public:
    explicit TAdvOfficeStatusPanels(TAdvOfficeStatusBar* bar) : m_bar(bar) {}
    int Count() const { return static_cast<int>(m_items.size()); }
    TAdvOfficeStatusPanel* Items(int Index) const;  // raises EListError out of range
    TAdvOfficeStatusPanel* Add();
    void Delete(int Index);
    void Clear();

private:
    TAdvOfficeStatusBar* m_bar;
    std::vector<std::unique_ptr<TAdvOfficeStatusPanel>> m_items;
};

class TAdvOfficeStatusBar : public framework::TCustomControl {
public:
    explicit TAdvOfficeStatusBar(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(framework::TAccessible& A) const override;

    TAdvOfficeStatusPanels* Panels() { return &m_panels; }
    framework::TCustomImageList* Images() const { return m_images; }
    void SetImages(framework::TCustomImageList* Value);
    // The area panel Index takes on the bar; the last panel runs to the right edge.
    framework::TRect PanelRect(int Index) const;
    // The panels' widths follow a new resolution as the bar's bounds and font do.
    void ChangeScale(int M, int D) override;

protected:
    void Paint() override;
    void Notification(framework::TComponent* AComponent, framework::TOperation Operation) override;

private:
    TAdvOfficeStatusPanels m_panels{this};
    framework::TCustomImageList* m_images = nullptr;  // not owned; cleared when it goes
};

}  // namespace vendor
