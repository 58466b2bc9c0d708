#pragma once
// The TMS glow button: a button with a two-tone face, an image of its Images at the left and
// a caption.

#include "framework/controls/ImageList.h"
#include "framework/controls/WinControl.h"

namespace vendor {

class TAdvCustomGlowButton : public framework::TCustomControl {
public:
    explicit TAdvCustomGlowButton(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(framework::TAccessible& A) const override;
    bool DoAccessibleAction(int AItem, const std::string& Action) override;

    framework::TCustomImageList* Images() const { return m_images; }
    void SetImages(framework::TCustomImageList* Value);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int Value);

protected:
    void Paint() override;
    void TextChanged() override { Invalidate(); }
    void Notification(framework::TComponent* AComponent, framework::TOperation Operation) override;
    // Space presses the focused button.
    void KeyPress(char32_t& Key) override;

private:
    framework::TCustomImageList* m_images = nullptr;  // not owned; cleared when it goes
    int m_imageIndex = -1;
};

class TAdvGlowButton : public TAdvCustomGlowButton {
public:
    using TAdvCustomGlowButton::TAdvCustomGlowButton;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
};

}  // namespace vendor
