#include "framework/controls/CheckBox.h"

#include "framework/controls/DrawText.h"
#include "framework/controls/FocusFrame.h"
#include "framework/controls/Messages.h"

namespace framework {

void PaintCheckMark(TCanvas& Canvas, int X, int Y, TCheckBoxState State, bool Enabled) {
    TBrush& brush = *Canvas.Brush();
    const TBrushStyle oldStyle = brush.Style();
    brush.SetStyle(bsSolid);
    brush.SetColor(clBtnShadow);
    Canvas.FrameRect(Rect(X, Y, X + kCheckMarkSize, Y + kCheckMarkSize));
    brush.SetColor(State == cbGrayed || !Enabled ? clBtnFace : clWindow);
    Canvas.FillRect(Rect(X + 1, Y + 1, X + kCheckMarkSize - 1, Y + kCheckMarkSize - 1));
    if (State != cbUnchecked) {
        // A tick three pixels thick: down from (3,5) to (5,7), then up to (9,3).
        brush.SetColor(Enabled && State == cbChecked ? clWindowText : clBtnShadow);
        for (int i = 0; i < 3; ++i) {
            Canvas.FillRect(Rect(X + 3 + i, Y + 5 + i, X + 4 + i, Y + 8 + i));
            Canvas.FillRect(Rect(X + 6 + i, Y + 6 - i, X + 7 + i, Y + 9 - i));
        }
        Canvas.FillRect(Rect(X + 9, Y + 3, X + 10, Y + 6));
    }
    brush.SetStyle(oldStyle);
}

void PaintRadioMark(TCanvas& Canvas, int X, int Y, bool Checked, bool Enabled) {
    TBrush& brush = *Canvas.Brush();
    TPen& pen = *Canvas.Pen();
    const TBrushStyle oldStyle = brush.Style();
    const TColor oldPen = pen.Color();
    brush.SetStyle(bsSolid);
    brush.SetColor(Enabled ? clWindow : clBtnFace);
    pen.SetColor(clBtnShadow);
    Canvas.Ellipse(X, Y, X + kCheckMarkSize, Y + kCheckMarkSize);
    if (Checked) {
        brush.SetColor(Enabled ? clWindowText : clBtnShadow);
        pen.SetColor(brush.Color());
        Canvas.Ellipse(X + 4, Y + 4, X + kCheckMarkSize - 4, Y + kCheckMarkSize - 4);
    }
    pen.SetColor(oldPen);
    brush.SetStyle(oldStyle);
}

// --- TButtonControl ------------------------------------------------------------------------

const TClassInfo& TButtonControl::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TButtonControl, TCustomControl>("TButtonControl")
            .String<TButtonControl>("Caption", &TButtonControl::Caption, &TButtonControl::SetCaption)
            .Bool<TButtonControl>("Checked", &TButtonControl::Checked, &TButtonControl::SetChecked, false)
            .Message<TButtonControl>(CM_DIALOGCHAR, &TButtonControl::CMDialogChar);
    return info;
}

TButtonControl::TButtonControl(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
    SetParentColor(true);
}

void TButtonControl::Paint() {
    TCanvas& canvas = *Canvas();
    const int top = (ClientHeight() - kCheckMarkSize) / 2;
    PaintMark(canvas, 0, top);
    canvas.Font()->Assign(Font());
    if (!Enabled())
        canvas.Font()->SetColor(clGrayText);
    canvas.Brush()->SetStyle(bsClear);
    TRect r = ClientRect();
    r.Left = CaptionLeft();
    DrawText(canvas, Caption(), r, DT_SINGLELINE | DT_VCENTER);
}

TRect TButtonControl::FocusFrameRect() {
    const TRect client = ClientRect();
    if (Caption().empty())
        return TCustomControl::FocusFrameRect();
    TCanvas& canvas = *Canvas();
    TCanvasStateSaver saved(canvas);
    canvas.Font()->Assign(Font());
    TRect text = client;
    text.Left = CaptionLeft();
    DrawText(canvas, Caption(), text, DT_SINGLELINE | DT_CALCRECT);
    // A pixel of room round the text, then the frame, all within the control.
    const int room = 1 + FocusFrameWidth();
    const int height = text.Height();
    const int top = (client.Height() - height) / 2;
    return IntersectRect(Rect(CaptionLeft() - room, top - room, text.Right + room, top + height + room),
                         client);
}

void TButtonControl::CMDialogChar(TMessage& Message) {
    if (IsAccel(static_cast<char32_t>(Message.WParam), Caption()) && CanFocus()) {
        SetFocus();
        Click();
        Message.Result = 1;
    }
}

void TButtonControl::KeyPress(char32_t& Key) {
    TCustomControl::KeyPress(Key);
    if (Key == U' ')
        Click();
}

// --- TCustomCheckBox -----------------------------------------------------------------------

const TClassInfo& TCustomCheckBox::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TCustomCheckBox, TButtonControl>("TCustomCheckBox")
            .Enum<TCustomCheckBox>("State", {"cbUnchecked", "cbChecked", "cbGrayed"}, &TCustomCheckBox::State,
                                   &TCustomCheckBox::SetState, cbUnchecked)
            .Bool<TCustomCheckBox>("AllowGrayed", &TCustomCheckBox::AllowGrayed,
                                   &TCustomCheckBox::SetAllowGrayed, false);
    return info;
}

const TClassInfo& TCheckBox::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TCheckBox, TCustomCheckBox>("TCheckBox");
    return info;
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
    if (m_state == Value)
        return;
    m_state = Value;
    Invalidate();
}

void TCustomCheckBox::Click() {
    if (m_state == cbUnchecked)
        SetState(cbChecked);
    else if (m_state == cbChecked && m_allowGrayed)
        SetState(cbGrayed);
    else
        SetState(cbUnchecked);
    TButtonControl::Click();
}

void TCustomCheckBox::PaintMark(TCanvas& Canvas, int X, int Y) {
    PaintCheckMark(Canvas, X, Y, m_state, Enabled());
}

// --- TRadioButton --------------------------------------------------------------------------

const TClassInfo& TRadioButton::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TRadioButton, TButtonControl>("TRadioButton");
    return info;
}

void TRadioButton::SetChecked(bool Value) {
    if (m_checked == Value)
        return;
    m_checked = Value;
    Invalidate();
    if (!Value || !Parent())
        return;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* other = As<TRadioButton>(Parent()->Controls(i)); other && other != this)
            other->SetChecked(false);
}

void TRadioButton::Click() {
    SetChecked(true);
    TButtonControl::Click();
}

void TRadioButton::PaintMark(TCanvas& Canvas, int X, int Y) {
    PaintRadioMark(Canvas, X, Y, m_checked, Enabled());
}

}  // namespace framework
