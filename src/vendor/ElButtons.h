#pragma once
// The ElPack pack's check box, radio button, check group, radio group and date-time picker.

#include "framework/controls/CheckBox.h"
#include "framework/controls/RadioGroup.h"
#include "framework/rtl/DateUtils.h"

#include <vector>

namespace vendor {

class TElCheckBox : public framework::TCustomCheckBox {
public:
    using framework::TCustomCheckBox::TCustomCheckBox;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
};

class TElRadioButton : public framework::TRadioButton {
public:
    using framework::TRadioButton::TRadioButton;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
};

class TElRadioGroup : public framework::TCustomRadioGroup {
public:
    using framework::TCustomRadioGroup::TCustomRadioGroup;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
};

// A group box of items, each with its own check mark. Items added later start unchecked.
class TElCheckGroup : public framework::TCustomRadioGroup {
public:
    using framework::TCustomRadioGroup::TCustomRadioGroup;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessibleItem(int Index, framework::TAccessible& A) const override;
    bool DoAccessibleAction(int AItem, const std::string& Action) override;

    // Raises EListError for an index outside the items.
    bool Checked(int Index) const;
    void SetChecked(int Index, bool Value);

protected:
    void Paint() override;
    void MouseDown(framework::TMouseButton Button, framework::TShiftState Shift, int X, int Y) override;

private:
    void CheckIndex(int Index) const;
    mutable std::vector<bool> m_checked;  // grows with the items
};

// A date and time, shown as the short date of the program's format settings.
class TElDateTimePicker : public framework::TCustomControl {
public:
    explicit TElDateTimePicker(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    framework::TDateTime DateTime() const { return m_dateTime; }
    void SetDateTime(framework::TDateTime Value);
    int ClientInset() const override { return 2; }

protected:
    void Paint() override;
    void PaintBorder(framework::TCanvas& Canvas, framework::TRect Bounds) override;

private:
    framework::TDateTime m_dateTime = 0;
};

}  // namespace vendor
