#pragma once
// The TMS progress bar: a bar filled from the left to its position, in the style's colours,
// with the percentage written over it. Its text keeps a pixel size of its own, which follows
// the screen resolution.

#include "framework/controls/WinControl.h"
#include "vendor/Advstyleif.h"

namespace vendor {

class TAdvProgressBar : public framework::TCustomControl, public ITMSStyle {
public:
    explicit TAdvProgressBar(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(framework::TAccessible& A) const override;

    int Min() const { return m_min; }
    void SetMin(int Value);
    int Max() const { return m_max; }
    void SetMax(int Value);
    // Kept between Min and Max.
    int Position() const { return m_position; }
    void SetPosition(int Value);
    bool ShowPercentage() const { return m_showPercentage; }
    void SetShowPercentage(bool Value);
    // The filled part of the client area.
    framework::TRect FilledRect() const;

    void SetComponentStyle(TTMSStyle AStyle) override;
    // The text's pixel height of the design (11 pixels at 96 pixels per inch) times Scale.
    void CorrectForScreenResolucao(float Scale);

protected:
    void Paint() override;

private:
    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    bool m_showPercentage = true;
    TTMSStyle m_style = tsLight;
};

}  // namespace vendor
