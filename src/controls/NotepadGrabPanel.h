#pragma once
// A page-margin editor: the panel stands for the printable area of a page, its parent control
// for the whole page, and its distances from the page's edges are the margins. It shows rows
// of dots as mock text, a handle square at the middle of each edge and a frame; dragging a
// handle moves that edge and reports the panel's rectangle at every step.

#include "framework/controls/Panel.h"
#include "vendor/Advstyleif.h"

#include <array>

namespace lm7 {

// The four edges and their handles, in this order.
enum TWhere { t_left, t_top, t_right, t_bottom };
inline constexpr int kNoHandle = 4;

using TStateMarginsEvent = framework::TEvent<framework::TObject*, framework::TRect>;

class TNotepadGrabPanel : public framework::TPanel, public vendor::ITMSStyle {
public:
    explicit TNotepadGrabPanel(framework::TComponent* AOwner);
    void AfterConstruction() override;
    void BeforeDestruction() override;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    // Background and handles in the current Global_TMSStyle's colours (the argument is not used).
    virtual void SetComponentStyle(vendor::TTMSStyle AStyle) override;
    // Restyles and forgets the handle squares and the grabbed handle.
    void ClearSettings();
    // Takes the page size from the control, sets the squares and takes over the panel's mouse
    // events; with null it only clears the settings.
    void SetParentControl(framework::TCustomControl* Value);
    framework::TCustomControl* ParentControl() const { return fParentControl; }
    // Places the panel from margins in inches on a paper of PaperWidth x PaperHeight mm, as
    // the page on the screen shows that paper. Reports nothing.
    void SetToMargins(float LeftMargin, float TopMargin, float RightMargin, float BottomMargin,
                      int PaperWidth, int PaperHeight);
    // Squares of the width of "x" at the middle of each edge.
    void RecomputeAllMidpoints();
    // Reports the panel's rectangle in its parent through OnStateMargins.
    void ShowMargins();

    framework::TColor HandleColour() const { return fHandleColour; }
    void SetHandleColour(framework::TColor Value) { fHandleColour = Value; }
    bool Monochrome() const { return fMonochrome; }
    void SetMonochrome(bool Value);
    TStateMarginsEvent OnStateMargins;

    // The drag protocol; the panel takes them as its own mouse events.
    void ControlMouseDown(framework::TObject* Sender, framework::TMouseButton Button,
                          framework::TShiftState Shift, int X, int Y);
    void ControlMouseMove(framework::TObject* Sender, framework::TShiftState Shift, int X, int Y);
    void ControlMouseUp(framework::TObject* Sender, framework::TMouseButton Button,
                        framework::TShiftState Shift, int X, int Y);

    const framework::TRect& Midpoint(TWhere Where) const { return midpoints[Where]; }
    int GrabbedMidpoint() const { return grabbed_midpoint; }
    bool Altering() const { return altering; }
    int OuterWidth() const { return outer_width; }
    int OuterHeight() const { return outer_height; }
    // A new resolution scales the page it stands on and the panel with it: the squares are
    // measured again at the new size, unless a drag is under way.
    void ChangeScale(int M, int D) override;

protected:
    void Paint() override;
    void Notification(framework::TComponent* AComponent, framework::TOperation Operation) override;
    // The squares are as wide as "x" in the panel's font.
    void FontChanged() override;

private:
    int TextWidthOfX();
    void DragStep();

    int x_width = 0;
    int outer_width = 0;
    int outer_height = 0;
    bool altering = false;
    framework::TRect OuterRect;
    framework::TPoint oldPos;
    int grabbed_midpoint = kNoHandle;
    std::array<framework::TRect, 4> midpoints{};
    bool fMonochrome = false;
    framework::TCustomControl* fParentControl = nullptr;  // not owned; cleared when it goes
    framework::TColor fHandleColour = framework::clBlack;
};

}  // namespace lm7
