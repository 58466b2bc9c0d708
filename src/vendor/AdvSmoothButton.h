#pragma once
// The TMS smooth button: a rounded button with a soft two-tone face in the style's colours, an
// image of its Images above or beside the caption. Its images are its own choice: they are
// picked for the button's look, not for the toolbar size of the screen.

#include "framework/controls/ImageList.h"
#include "framework/controls/WinControl.h"
#include "vendor/Advstyleif.h"

namespace vendor {

class TAdvSmoothButton : public framework::TCustomControl, public ITMSStyle {
public:
    explicit TAdvSmoothButton(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(framework::TAccessible& A) const override;
    bool DoAccessibleAction(int AItem, const std::string& Action) override;

    framework::TCustomImageList* Images() const { return m_images; }
    void SetImages(framework::TCustomImageList* Value);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int Value);

    void SetComponentStyle(TTMSStyle AStyle) override;

protected:
    void Paint() override;
    void TextChanged() override { Invalidate(); }
    void Notification(framework::TComponent* AComponent, framework::TOperation Operation) override;
    // Space presses the focused button.
    void KeyPress(char32_t& Key) override;

private:
    framework::TCustomImageList* m_images = nullptr;  // not owned; cleared when it goes
    int m_imageIndex = -1;
    TTMSStyle m_style = tsLight;
};

}  // namespace vendor
