#pragma once
// The TMS tool button: a flat graphic button that shows one image of its Images.

#include "framework/controls/ImageList.h"

#include "framework/controls/Control.h"

namespace vendor {

class TAdvToolButton : public framework::TGraphicControl {
public:
    explicit TAdvToolButton(framework::TComponent* AOwner);
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
    void Notification(framework::TComponent* AComponent, framework::TOperation Operation) override;

private:
    framework::TCustomImageList* m_images = nullptr;  // not owned; cleared when it goes
    int m_imageIndex = -1;
};

}  // namespace vendor
