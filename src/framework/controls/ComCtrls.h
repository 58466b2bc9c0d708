#pragma once
// TToolBar and TToolButton: a row of buttons that show images of the tool bar's image list.

#include "framework/controls/ImageList.h"
#include "framework/controls/WinControl.h"

namespace framework {

class TToolBar;

// A button on a tool bar: a flat face with image ImageIndex of the tool bar's Images.
class TToolButton : public TGraphicControl {
public:
    explicit TToolButton(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(TAccessible& A) const override;
    bool DoAccessibleAction(int AItem, const std::string& Action) override;

    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int Value);
    bool Down() const { return m_down; }
    void SetDown(bool Value);
    // The tool bar this button stands on, or null.
    TToolBar* ToolBar() const;
    void SetParent(TWinControl* AParent) override;

protected:
    void Paint() override;

private:
    int m_imageIndex = -1;
    bool m_down = false;
};

// A bar along the top of its parent; its buttons stand left to right in the order they were
// put on it, each at least as large as an image of Images with a small margin.
class TToolBar : public TCustomControl {
public:
    explicit TToolBar(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    TCustomImageList* Images() const { return m_images; }
    void SetImages(TCustomImageList* Value);
    int ButtonWidth() const { return m_buttonWidth; }
    void SetButtonWidth(int Value);
    int ButtonHeight() const { return m_buttonHeight; }
    void SetButtonHeight(int Value);
    int ButtonCount() const;
    TToolButton* Buttons(int Index) const;  // raises EListError out of range

    // Puts the buttons in a row again; buttons call it when they come and go.
    void ArrangeButtons();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TSize ButtonSize() const;
    TCustomImageList* m_images = nullptr;  // not owned; cleared when it goes
    int m_buttonWidth = 23;
    int m_buttonHeight = 22;
};

}  // namespace framework
