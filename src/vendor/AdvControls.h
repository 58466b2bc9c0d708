#pragma once
// The TMS pack's office check box, radio button and radio group, and its spin edit, which
// holds an integer or a floating-point value as its spin type says.

#include "framework/controls/CheckBox.h"
#include "framework/controls/Edits.h"
#include "framework/controls/RadioGroup.h"

namespace vendor {

// The office check box paints a square mark of its own size, filled when checked; the size
// follows the toolbar image height of the screen resolution.
class TCustomAdvOfficeCheckBox : public framework::TCustomCheckBox {
public:
    using framework::TCustomCheckBox::TCustomCheckBox;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    int MarkSize() const { return m_markSize; }
    // The mark takes 0.65 of the image height, never less than the 13 pixels of the design;
    // the control grows to hold it.
    void CorrectForScreenResImageHeight(int ImageHeight);

protected:
    void Paint() override;
    void PaintMark(framework::TCanvas& Canvas, int X, int Y) override;
    int CaptionLeft() const override { return m_markSize + 4; }

private:
    int m_markSize = framework::kCheckMarkSize;
};

class TAdvOfficeCheckBox : public TCustomAdvOfficeCheckBox {
public:
    using TCustomAdvOfficeCheckBox::TCustomAdvOfficeCheckBox;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
};

class TAdvOfficeRadioButton : public framework::TRadioButton {
public:
    using framework::TRadioButton::TRadioButton;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
};

class TAdvOfficeRadioGroup : public framework::TCustomRadioGroup {
public:
    using framework::TCustomRadioGroup::TCustomRadioGroup;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
};

enum TAdvSpinType { sptNormal, sptFloat, sptDate, sptTime, sptHex };

// A TMS spin edit is a text field: the text shows the value in the form of the spin type.
class TAdvSpinEdit : public framework::TCustomEdit {
public:
    explicit TAdvSpinEdit(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(framework::TAccessible& A) const override;

    TAdvSpinType SpinType() const { return m_spinType; }
    void SetSpinType(TAdvSpinType Value);
    int Value() const { return m_value; }
    void SetValue(int Value);
    double FloatValue() const { return m_floatValue; }
    void SetFloatValue(double Value);
    // The step of the arrows, keys and wheel; Page Up/Page Down make ten. MinValue and
    // MaxValue both 0 put no bounds on the value.
    int Increment() const { return m_increment; }
    void SetIncrement(int Value) { m_increment = Value; }
    double IncrementFloat() const { return m_incrementFloat; }
    void SetIncrementFloat(double Value) { m_incrementFloat = Value; }
    int MinValue() const { return m_min; }
    void SetMinValue(int Value) { m_min = Value; }
    int MaxValue() const { return m_max; }
    void SetMaxValue(int Value) { m_max = Value; }

protected:
    void Change() override;
    void Spin(int Steps) override;
    void SpinLeave() override;
    bool AcceptChar(char32_t Char) override;

private:
    void ShowValue();
    // Text that reads as a value of the spin type; false for other text.
    bool ReadText(int& Value, double& FloatValue) const;
    int Bounded(long long Value) const;
    TAdvSpinType m_spinType = sptNormal;
    int m_value = 0;
    double m_floatValue = 0;
    int m_increment = 1;
    double m_incrementFloat = 0.1;
    int m_min = 0;
    int m_max = 0;
    bool m_showing = false;
};

}  // namespace vendor
