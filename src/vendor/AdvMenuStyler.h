#pragma once
// The TMS menu styler: a non-visual component that paints the menus attached to it in its
// colour style, each item a row of its item height with the menu's image in a side band.

#include "framework/controls/Menus.h"
#include "vendor/Advstyleif.h"

namespace vendor {

class TCustomAdvMenuStyler : public framework::TComponent, public ITMSStyle {
public:
    explicit TCustomAdvMenuStyler(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int Value);
    TTMSStyle Style() const { return m_style; }

    void SetComponentStyle(TTMSStyle AStyle) override { m_style = AStyle; }
    // The item height of the design (22 pixels at 96 pixels per inch) times Scale.
    void CorrectForScreenResolucao(float Scale);

    // The width a drop-down of Item's sub-items needs, and its height.
    framework::TPoint MenuExtent(framework::TMenuItem* Item, framework::TCanvas& Canvas) const;
    // Paints Item's sub-items as a drop-down with its top left at (X, Y); Selected is the index
    // of the highlighted item or -1. Separators are thin rows with a line.
    void PaintMenu(framework::TMenuItem* Item, framework::TCanvas& Canvas, int X, int Y,
                   int Selected = -1) const;

private:
    int m_itemHeight;
    TTMSStyle m_style = tsLight;
};

class TAdvMenuStyler : public TCustomAdvMenuStyler {
public:
    using TCustomAdvMenuStyler::TCustomAdvMenuStyler;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
};

}  // namespace vendor
