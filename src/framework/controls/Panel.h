#pragma once
// TPanel: a container with raised or lowered bevels and a centred caption.

#include "framework/controls/WinControl.h"

namespace framework {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// Draws a 3-D frame of Width pixels: TopColor on the top and left, BottomColor on the bottom
// and right. Rect shrinks by Width on every side.
void Frame3D(TCanvas& Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(TAccessible& A) const override;

    TBevelCut BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    TBevelCut BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TBevelCut Value);
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int Value);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment Value);
    bool ShowCaption() const { return m_showCaption; }
    void SetShowCaption(bool Value);

protected:
    void Paint() override;

private:
    TBevelCut m_bevelOuter = bvRaised;
    TBevelCut m_bevelInner = bvNone;
    int m_bevelWidth = 1;
    TAlignment m_alignment = taCenter;
    bool m_showCaption = true;
};

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

}  // namespace framework
