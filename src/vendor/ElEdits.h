#pragma once
// The ElPack pack's text fields: the edit family (TCustomElEdit), its memo, the file-name and
// folder-name edits with a browse button, and the integer and float spin edits.

#include "framework/classes/StringList.h"
#include "framework/controls/Edits.h"
#include "framework/dialogs/Dialogs.h"

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
    ~TElMemo() override;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    framework::TStrings* Lines() const { return m_lines.get(); }
    std::string_view TextView(std::string& Buffer) const override { return Buffer = GetText(); }

protected:
    std::string GetText() const override;
    bool TextEquals(std::string_view Value) const override { return GetText() == Value; }
    void TextChanged() override;
    void Paint() override;

private:
    void LinesChanged(framework::TObject* Sender);
    std::unique_ptr<framework::TStringList, framework::TFreeDeleter> m_lines;
};

// An edit with a browse button at its right end.
class TCustomElButtonEdit : public TCustomElEdit {
public:
    using TCustomElEdit::TCustomElEdit;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
    static constexpr int kButtonWidth = 19;

protected:
    void Paint() override;
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

protected:
    void DoDropFiles(const std::vector<std::string>& Dropped, framework::TPoint At) override;
};

// An integer between MinValue and MaxValue; the text shows the value, and text that is a
// number in range sets it.
class TElSpinEdit : public TCustomElEdit {
public:
    explicit TElSpinEdit(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    int Value() const { return m_value; }
    void SetValue(int Value);
    int MinValue() const { return m_min; }
    int MaxValue() const { return m_max; }
    void SetRange(int Min, int Max);

protected:
    void TextChanged() override;
    void Paint() override;

private:
    int m_value = 0;
    int m_min = 0;
    int m_max = 100;
};

class TElFloatSpinEdit : public TCustomElEdit {
public:
    explicit TElFloatSpinEdit(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    double Value() const { return m_value; }
    void SetValue(double Value);

protected:
    void TextChanged() override;

private:
    double m_value = 0;
};

}  // namespace vendor
