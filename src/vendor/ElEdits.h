#pragma once
// The ElPack pack's text fields: the edit family (TCustomElEdit), its memo, the file-name and
// folder-name edits with a browse button, and the integer and float spin edits.

#include "framework/classes/StringList.h"
#include "framework/controls/Edits.h"
#include "framework/dialogs/Dialogs.h"

#include <algorithm>
#include <cstdint>
#include <memory>

namespace vendor {

// The file dialog's options behind a file-name edit are the framework's.
using framework::OpenOptionBit;
using framework::TOpenOptions;
using enum framework::TOpenOption;

class TCustomElEdit : public framework::TCustomEdit {
public:
    using framework::TCustomEdit::TCustomEdit;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
};

class TElEdit : public TCustomElEdit {
public:
    using TCustomElEdit::TCustomElEdit;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
};

// Several lines in the ElPack edit family.
class TElMemo : public TCustomElEdit {
public:
    explicit TElMemo(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    framework::TStrings* Lines() const { return MultiLines(); }
};

// An edit with a browse button at its right end. Pressing and releasing the mouse on the button
// calls ButtonClick.
class TCustomElButtonEdit : public TCustomElEdit {
public:
    using TCustomElEdit::TCustomElEdit;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
    static constexpr int kButtonWidth = 19;

    framework::TRect ButtonRect() const;
    // What the button does: the file and folder edits open the desktop's chooser.
    virtual void ButtonClick() {}

protected:
    void Paint() override;
    int ButtonsWidth() const override { return kButtonWidth; }
    void MouseDown(framework::TMouseButton Button, framework::TShiftState Shift, int X, int Y) override;
    void MouseUp(framework::TMouseButton Button, framework::TShiftState Shift, int X, int Y) override;

private:
    bool m_buttonDown = false;
};

// A path to a file. With ofAllowMultiSelect in Options it keeps the chosen files in Files
// (each with an object value) besides its Text.
class TElFileNameEdit : public TCustomElButtonEdit {
public:
    explicit TElFileNameEdit(framework::TComponent* AOwner);
    ~TElFileNameEdit() override;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    TOpenOptions Options() const { return m_options; }
    void SetOptions(TOpenOptions Value) { m_options = Value; }
    framework::TStrings* Files() const { return m_files.get(); }
    // Where the browse dialog starts.
    const std::string& InitialDir() const { return m_initialDir; }
    void SetInitialDir(const std::string& Value) { m_initialDir = Value; }

    // Opens the file chooser at the text (or InitialDir); a choice becomes the text, and with
    // ofAllowMultiSelect also the Files. A chooser that cannot open is told to the user.
    void ButtonClick() override;

protected:
    void DoDropFiles(const std::vector<std::string>& Dropped, framework::TPoint At) override;

private:
    std::string m_initialDir;
    TOpenOptions m_options = OpenOptionBit(ofHideReadOnly);
    std::unique_ptr<framework::TStringList, framework::TFreeDeleter> m_files;
};

class TElFolderNameEdit : public TCustomElButtonEdit {
public:
    explicit TElFolderNameEdit(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    // Opens the folder chooser at the text; a chosen folder becomes the text.
    void ButtonClick() override;

protected:
    void DoDropFiles(const std::vector<std::string>& Dropped, framework::TPoint At) override;
};

// An integer between MinValue and MaxValue; the text shows the value, and text that is a
// number in range sets it. The arrows, Up/Down, Page Up/Page Down (ten steps) and the wheel
// step it by Increment; text that is no number is put back to the value when the focus leaves.
class TElSpinEdit : public TCustomElEdit {
public:
    explicit TElSpinEdit(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(framework::TAccessible& A) const override;

    int Value() const { return m_value; }
    void SetValue(int Value);
    int MinValue() const { return m_min; }
    int MaxValue() const { return m_max; }
    void SetMinValue(int Value) { SetRange(Value, std::max(Value, m_max)); }
    void SetMaxValue(int Value) { SetRange(std::min(Value, m_min), Value); }
    void SetRange(int Min, int Max);
    int Increment() const { return m_increment; }
    void SetIncrement(int Value) { m_increment = Value; }

protected:
    void Change() override;
    void Spin(int Steps) override;
    void SpinLeave() override;
    bool AcceptChar(char32_t Char) override;

private:
    int m_value = 0;
    int m_min = 0;
    int m_max = 100;
    int m_increment = 1;
};

class TElFloatSpinEdit : public TCustomElEdit {
public:
    explicit TElFloatSpinEdit(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(framework::TAccessible& A) const override;

    double Value() const { return m_value; }
    void SetValue(double Value);
    double Increment() const { return m_increment; }
    void SetIncrement(double Value) { m_increment = Value; }

protected:
    void Change() override;
    void Spin(int Steps) override;
    void SpinLeave() override;
    bool AcceptChar(char32_t Char) override;

private:
    double m_value = 0;
    double m_increment = 1;
};

}  // namespace vendor
