#include "controls/NotepadGrabPanel.h"

#include "framework/forms/Application.h"
#include "framework/graphics/ColorProp.h"
#include "framework/rtl/Rounding.h"
#include "sibling/My_tmsstylebase.h"
#include "sibling/Rectangle_utilities.h"
#include "sibling/Tms_utils.h"
#include "sibling/Wingenok.h"

#include <algorithm>
#include <string>

using namespace framework;

namespace lm7 {

namespace {
constexpr TColor kMonochromeFrame = 0x808080;

bool inSquare(const TRect& R, int X, int Y) {
    return R.Left <= X && X <= R.Right && R.Top <= Y && Y <= R.Bottom;
}

TPoint pointerPos() {
    TPoint p;
    GetCursorPos(p);
    return p;
}
}  // namespace

const TClassInfo& TNotepadGrabPanel::ClassInfo() {
    static const TClassInfo info = [] {
        TPropInfo handleColour = ColorProperty<TNotepadGrabPanel>(
            "HandleColour", &TNotepadGrabPanel::HandleColour, &TNotepadGrabPanel::SetHandleColour, clNone);
        handleColour.Default.reset();  // always stored
        return TClassInfo::Derive<TNotepadGrabPanel, TPanel>("TNotepadGrabPanel")
            .Property(std::move(handleColour))
            .Bool<TNotepadGrabPanel>("Monochrome", &TNotepadGrabPanel::Monochrome,
                                     &TNotepadGrabPanel::SetMonochrome)
            .Object<TNotepadGrabPanel, TCustomControl>("ParentControl", &TNotepadGrabPanel::ParentControl,
                                                       &TNotepadGrabPanel::SetParentControl);
    }();
    return info;
}

TNotepadGrabPanel::TNotepadGrabPanel(TComponent* AOwner) : TPanel(AOwner) {
    SetWidth(100);
    SetHeight(150);
    SetCaption("");
}

// The style is taken through the virtual call, so a descendant's override is reached.
void TNotepadGrabPanel::AfterConstruction() {
    TPanel::AfterConstruction();
    ClearSettings();
}

void TNotepadGrabPanel::SetComponentStyle(vendor::TTMSStyle) {
    SetColor(sibling::GetABaseTMSBackgroundColour(sibling::Global_TMSStyle));
    fHandleColour = sibling::GetABaseTMSTextColour_MOSTFREQUENT(sibling::Global_TMSStyle);
    Invalidate();
}

void TNotepadGrabPanel::ClearSettings() {
    SetComponentStyle(sibling::Global_TMSStyle);
    grabbed_midpoint = kNoHandle;
    midpoints.fill(TRect{});
}

void TNotepadGrabPanel::SetMonochrome(bool Value) {
    fMonochrome = Value;
    Invalidate();
}

void TNotepadGrabPanel::Notification(TComponent* AComponent, TOperation Operation) {
    TPanel::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == fParentControl)
        fParentControl = nullptr;
}

void TNotepadGrabPanel::SetParentControl(TCustomControl* Value) {
    if (fParentControl && fParentControl != Value)
        fParentControl->RemoveFreeNotification(this);
    fParentControl = Value;
    if (!Value) {
        ClearSettings();  // the page size keeps its last values
        return;
    }
    Value->FreeNotification(this);
    OuterRect = Value->ClientRect();
    outer_height = OuterRect.Bottom - OuterRect.Top;
    outer_width = OuterRect.Right - OuterRect.Left;
    RecomputeAllMidpoints();
    OnMouseDown = TMouseEvent::Of<&TNotepadGrabPanel::ControlMouseDown>(this);
    OnMouseMove = TMouseMoveEvent::Of<&TNotepadGrabPanel::ControlMouseMove>(this);
    OnMouseUp = TMouseEvent::Of<&TNotepadGrabPanel::ControlMouseUp>(this);
    Invalidate();
}

// The panel's canvas needs a window, which a panel off any form has not; the width of "x" in
// the panel's font does not need one.
int TNotepadGrabPanel::TextWidthOfX() {
    if (HandleAllocated())
        return Canvas()->TextWidth("x");
    TBitmap probe(1, 1);
    probe.Canvas()->Font()->Assign(Font());
    return probe.Canvas()->TextWidth("x");
}

void TNotepadGrabPanel::RecomputeAllMidpoints() {
    if (HasState(csDesigning))
        return;
    const int s = x_width = TextWidthOfX();
    const int w = Width(), h = Height();
    const int midX = (w - s) / 2, midY = (h - s) / 2;
    midpoints[t_left] = Rect(0, midY, s, midY + s);
    midpoints[t_top] = Rect(midX, 0, midX + s, s);
    midpoints[t_right] = Rect(w - s, midY, w, midY + s);
    midpoints[t_bottom] = Rect(midX, h - s, midX + s, h);
}

void TNotepadGrabPanel::SetToMargins(float LeftMargin, float TopMargin, float RightMargin, float BottomMargin,
                                     int PaperWidth, int PaperHeight) {
    SetParentControl(fParentControl);
    if (outer_width == 0 || outer_height == 0)
        return;
    const double ppi = Screen->PixelsPerInch();
    // Page inches on the screen, and paper inches per screen inch, each kept as a 32-bit float.
    const float a = static_cast<float>(outer_width / ppi);
    const float kx = static_cast<float>(PaperWidth / static_cast<double>(sibling::inch_to_mm) / a);
    const float b = static_cast<float>(outer_height / ppi);
    const float ky = static_cast<float>(PaperHeight / static_cast<double>(sibling::inch_to_mm) / b);
    auto pixels = [&](float inches, float k) { return static_cast<int>(RoundHalfEven(ppi * inches / k)); };
    const int l = pixels(LeftMargin, kx), r = pixels(RightMargin, kx);
    const int t = pixels(TopMargin, ky), bt = pixels(BottomMargin, ky);
    // Margins wider than the page leave an empty panel, never one of negative size.
    SetBounds(l, t, std::max(outer_width - l - r, 0), std::max(outer_height - t - bt, 0));
    RecomputeAllMidpoints();
    Invalidate();
}

void TNotepadGrabPanel::ChangeScale(int M, int D) {
    TPanel::ChangeScale(M, D);
    if (M == D || D == 0 || !fParentControl)
        return;
    // The page is scaled after the controls on it; its client size scales as the panel's did.
    OuterRect = Rect(MulDiv(OuterRect.Left, M, D), MulDiv(OuterRect.Top, M, D), MulDiv(OuterRect.Right, M, D),
                     MulDiv(OuterRect.Bottom, M, D));
    outer_width = OuterRect.Width();
    outer_height = OuterRect.Height();
    if (!altering)
        RecomputeAllMidpoints();
    Invalidate();
}

void TNotepadGrabPanel::FontChanged() {
    TPanel::FontChanged();
    if (fParentControl && !altering && !HasState(csDestroying)) {
        RecomputeAllMidpoints();
        Invalidate();
    }
}

void TNotepadGrabPanel::ShowMargins() {
    if (OnStateMargins)
        OnStateMargins(this, Bounds(Left(), Top(), Width(), Height()));
}

// --- The drag protocol --------------------------------------------------------------------------

void TNotepadGrabPanel::ControlMouseDown(TObject* Sender, TMouseButton Button, TShiftState, int, int) {
    auto* window = As<TWinControl>(Sender);
    if (!window || Button != mbLeft)
        return;
    altering = true;
    SetCapture(window->Handle());
    oldPos = pointerPos();
}

void TNotepadGrabPanel::ControlMouseMove(TObject*, TShiftState, int X, int Y) {
    if (!altering)
        return;
    const TCursor cursor = Screen->Cursor();
    if (cursor == crSizeWE || cursor == crSizeNS) {
        DragStep();
        return;
    }
    // Pressed but not yet dragging: hovering over a handle picks it. The first step then
    // measures from where the button went down or the pointer last left the handles.
    for (int where = t_left; where <= t_bottom; ++where)
        if (inSquare(midpoints[static_cast<std::size_t>(where)], X, Y)) {
            grabbed_midpoint = where;
            Screen->SetCursor(where == t_left || where == t_right ? crSizeWE : crSizeNS);
            return;
        }
    grabbed_midpoint = kNoHandle;
    Screen->SetCursor(crDefault);
    oldPos = pointerPos();
}

// Moves the grabbed edge by the pointer's travel: the left and top edges stay between 2 pixels
// and two thirds of the page, the right and bottom ones between two thirds and the page's far
// edge. No edge passes the opposite one, so the panel's size never goes below zero.
void TNotepadGrabPanel::DragStep() {
    const TPoint pos = pointerPos();
    const int dx = pos.X - oldPos.X, dy = pos.Y - oldPos.Y;
    const int l = Left(), t = Top(), w = Width(), h = Height();
    const int ow = outer_width, oh = outer_height;
    switch (grabbed_midpoint) {
    case t_left: {
        const int newLeft = std::min({2 * (ow / 3), std::max(2, l + dx), l + w});
        SetBounds(newLeft, t, (l + w) - newLeft, h);
        break;
    }
    case t_top: {
        const int newTop = std::min({2 * (oh / 3), std::max(2, t + dy), t + h});
        SetBounds(l, newTop, w, (t + h) - newTop);
        break;
    }
    case t_right: {
        const int newRight = std::max({2 * (ow / 3), std::min(ow, l + w + dx), l});
        SetWidth(newRight - l);
        break;
    }
    case t_bottom: {
        const int newBottom = std::max({2 * (oh / 3), std::min(oh, t + h + dy), t});
        SetHeight(newBottom - t);
        break;
    }
    default:
        break;
    }
    ShowMargins();
    oldPos = pos;
}

void TNotepadGrabPanel::ControlMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
    if (!altering)
        return;
    Screen->SetCursor(crDefault);
    ReleaseCapture();
    RecomputeAllMidpoints();
    Invalidate();
    altering = false;
}

// --- Painting -----------------------------------------------------------------------------------

void TNotepadGrabPanel::Paint() {
    TCanvas& canvas = *Canvas();
    const TRect r = ClientRect();
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(sibling::GetABaseTMSBackgroundColour(sibling::Global_TMSStyle));
    canvas.FillRect(r);

    // Mock text: rows of as many full stops as fit the text area, at most 100 of them.
    const int h = canvas.TextHeight("x");
    const TRect area = sibling::ShrinkRect(r, 3);
    std::string dots(100, '.');
    while (dots.size() > 2 && canvas.TextWidth(dots) >= area.Width())
        dots.pop_back();
    for (int i = 0; i <= 100 && area.Top + i * h < area.Bottom - 3; ++i)
        canvas.TextOut(area.Left, area.Top + i * h, dots);

    // Monochrome handles are black, or white where the style's background is too dark for black.
    const TColor monochromeHandle =
        sibling::ContrastRatio(clBlack, sibling::GetABaseTMSBackgroundColour(sibling::Global_TMSStyle)) < 3
            ? clWhite
            : clBlack;
    canvas.Pen()->SetColor(fMonochrome ? monochromeHandle : fHandleColour);
    canvas.Brush()->SetStyle(bsClear);
    for (const TRect& square : midpoints)
        canvas.Rectangle(square);
    canvas.Brush()->SetStyle(bsSolid);

    canvas.Brush()->SetColor(
        fMonochrome ? kMonochromeFrame : sibling::GetABaseTMSTextColour_SEARCHWORD(sibling::Global_TMSStyle));
    canvas.FrameRect(r);
}

}  // namespace lm7
