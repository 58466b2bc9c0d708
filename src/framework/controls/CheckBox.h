#pragma once
// Buttons that hold a state: TCheckBox (checked, unchecked or greyed) and TRadioButton (checking
// one unchecks the radio buttons beside it on the same parent). Also the two marks they paint,
// which check-list boxes, radio groups and other packs' controls paint the same way.

#include "framework/controls/WinControl.h"

namespace framework {

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// The size of a check box or radio mark, in pixels.
inline constexpr int kCheckMarkSize = 13;

// A 13-pixel check box with its top-left corner at (X, Y).
void PaintCheckMark(TCanvas& Canvas, int X, int Y, TCheckBoxState State, bool Enabled = true);
// A 13-pixel round radio mark with its top-left corner at (X, Y).
void PaintRadioMark(TCanvas& Canvas, int X, int Y, bool Checked, bool Enabled = true);

// A button with a caption beside a mark; a click (or Space) changes its state.
class TButtonControl : public TCustomControl {
public:
    explicit TButtonControl(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    virtual bool Checked() const = 0;
    virtual void SetChecked(bool Value) = 0;

protected:
    // Paints the mark at the left, the caption after it.
    void Paint() override;
    virtual void PaintMark(TCanvas& Canvas, int X, int Y) = 0;
    void KeyPress(char32_t& Key) override;
    // Where the caption starts, past the mark.
    virtual int CaptionLeft() const { return kCheckMarkSize + 4; }
    // The focus frame goes round the caption; round the whole control without one.
    TRect FocusFrameRect() override;

private:
    // Alt with the caption's accelerator letter focuses the control and clicks it.
    void CMDialogChar(TMessage& Message);
};

class TCustomCheckBox : public TButtonControl {
public:
    using TButtonControl::TButtonControl;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(TAccessible& A) const override;
    bool DoAccessibleAction(int AItem, const std::string& Action) override;

    bool Checked() const override { return m_state == cbChecked; }
    void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return m_state; }
    void SetState(TCheckBoxState Value);
    // A click goes unchecked, checked, greyed when allowed; otherwise between the first two.
    bool AllowGrayed() const { return m_allowGrayed; }
    void SetAllowGrayed(bool Value) { m_allowGrayed = Value; }

    void Click() override;

protected:
    void PaintMark(TCanvas& Canvas, int X, int Y) override;

private:
    TCheckBoxState m_state = cbUnchecked;
    bool m_allowGrayed = false;
};

class TCheckBox : public TCustomCheckBox {
public:
    using TCustomCheckBox::TCustomCheckBox;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

class TRadioButton : public TButtonControl {
public:
    using TButtonControl::TButtonControl;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(TAccessible& A) const override;
    bool DoAccessibleAction(int AItem, const std::string& Action) override;

    bool Checked() const override { return m_checked; }
    // Checking unchecks every other radio button on the same parent.
    void SetChecked(bool Value) override;

    void Click() override;

protected:
    void PaintMark(TCanvas& Canvas, int X, int Y) override;

private:
    bool m_checked = false;
};

}  // namespace framework
