#pragma once
// TButton: a push button with a caption and, when it has Images, image ImageIndex at its left.

#include "framework/controls/ImageList.h"
#include "framework/controls/WinControl.h"

namespace framework {

class TCustomButton : public TCustomControl {
public:
    explicit TCustomButton(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(TAccessible& A) const override;
    bool DoAccessibleAction(int AItem, const std::string& Action) override;

    TCustomImageList* Images() const { return m_images; }
    void SetImages(TCustomImageList* Value);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int Value);

protected:
    void Paint() override;
    void TextChanged() override { Invalidate(); }
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TCustomImageList* m_images = nullptr;  // not owned; cleared when it goes
    int m_imageIndex = -1;
};

class TButton : public TCustomButton {
public:
    using TCustomButton::TCustomButton;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

}  // namespace framework
