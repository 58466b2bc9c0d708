#pragma once
// Text fields: TCustomEdit, a one-line field that can hide its text behind a password
// character; TCustomMemo, several lines kept as a string list; TCustomRichEdit, the memo that
// rich-text fields build on. Typing reaches the end of the text (there is no caret to move).

#include "framework/classes/StringList.h"
#include "framework/controls/WinControl.h"

#include <memory>
#include <string>

namespace framework {

class TCustomEdit : public TCustomControl {
public:
    explicit TCustomEdit(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    // '\0' shows the text; any other character is shown once for every character of the text.
    char PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(char Value);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool Value) { m_readOnly = Value; }
    // 0: no limit; otherwise typing stops at this many characters.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int Value) { m_maxLength = Value < 0 ? 0 : Value; }
    int ClientInset() const override { return 2; }

    // The text as the field shows it.
    std::string DisplayText() const;

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void PaintBorder(TCanvas& Canvas, TRect Bounds) override;
    void KeyPress(char32_t& Key) override;
    void TextChanged() override;
    virtual void Change();

private:
    char m_passwordChar = '\0';
    bool m_readOnly = false;
    int m_maxLength = 0;
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

// Several lines; Text is the lines joined with line breaks.
class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    TStrings* Lines() const { return m_lines.get(); }
    std::string_view TextView(std::string& Buffer) const override { return Buffer = GetText(); }
    void SetLines(TStrings* Value) { m_lines->Assign(Value); }

protected:
    std::string GetText() const override;
    bool TextEquals(std::string_view Value) const override { return GetText() == Value; }
    void TextChanged() override;
    void Paint() override;
    void KeyPress(char32_t& Key) override;
    // The vertical bar counts lines; the page is the lines that fit whole.
    bool ScrollContent(int Bar, TScrollInfo& Info) override;
    void ScrollContentTo(int Bar, int Pos) override;

private:
    void LinesChanged(TObject* Sender);
    int m_topLine = 0;  // the first line shown
    std::unique_ptr<TStringList, TFreeDeleter> m_lines;
    bool m_settingText = false;
};

class TMemo : public TCustomMemo {
public:
    using TCustomMemo::TCustomMemo;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

// A memo whose text may carry formatting; this one keeps plain text with one colour and font
// for the whole field, which is all its users set.
class TCustomRichEdit : public TCustomMemo {
public:
    using TCustomMemo::TCustomMemo;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

class TRichEdit : public TCustomRichEdit {
public:
    using TCustomRichEdit::TCustomRichEdit;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

}  // namespace framework
