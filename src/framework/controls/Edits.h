#pragma once
// Text fields: TCustomEdit, a one-line field that can hide its text behind a password
// character; TCustomMemo, several lines, also seen as a string list; TCustomRichEdit, the memo
// that rich-text fields build on. They all edit through one core (EditCore.h): caret,
// selection, keys, mouse, clipboard, undo, the messages of the classic edit control, a context
// menu, and, for the spin edits built on them, arrow buttons that step a value.

#include "framework/classes/Strings.h"
#include "framework/controls/EditCore.h"
#include "framework/controls/WinControl.h"

#include <memory>
#include <string>

namespace framework {

class TPopupMenu;
class TMenuItem;

// Edit messages of the classic platform.
inline constexpr std::uint32_t EM_GETSEL = 0x00B0;
inline constexpr std::uint32_t EM_SETSEL = 0x00B1;
inline constexpr std::uint32_t EM_CANUNDO = 0x00C6;
inline constexpr std::uint32_t EM_UNDO = 0x00C7;

class TCustomEdit : public TCustomControl, protected TEditCoreOwner {
public:
    explicit TCustomEdit(TComponent* AOwner);
    ~TCustomEdit() override;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(TAccessible& A) const override;
    bool AccessibleText(TAccessibleText& Text) const override;

    // '\0' shows the text; any other character is shown once for every character of the text.
    char PasswordChar() const { return m_core.PasswordChar(); }
    void SetPasswordChar(char Value) { m_core.SetPasswordChar(Value); }
    bool ReadOnly() const { return m_core.ReadOnly(); }
    void SetReadOnly(bool Value) { m_core.SetReadOnly(Value); }
    // 0: no limit; otherwise typing and pasting stop at this many characters.
    int MaxLength() const { return m_core.MaxLength(); }
    void SetMaxLength(int Value) { m_core.SetMaxLength(Value); }
    // The selection is shown only while the field has the focus, unless this is false.
    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool Value);
    // The selection's colours: the system's highlight unless a style sets its own.
    TColor SelectionColor() const { return m_selectionColor; }
    void SetSelectionColor(TColor Value);
    TColor SelectionTextColor() const { return m_selectionTextColor; }
    void SetSelectionTextColor(TColor Value);
    int ClientInset() const override { return 2; }

    // The text as the field shows it.
    std::string DisplayText() const;
    std::string_view TextView(std::string& Buffer) const override;

    // The classic interface. Offsets count characters (code points) over the whole text, a
    // line break counting one.
    int SelStart() const { return m_core.IndexOf(m_core.SelectionStart()); }
    void SetSelStart(int Value);
    int SelLength() const;
    void SetSelLength(int Value);
    std::string SelText() const { return m_core.SelText(); }
    void SetSelText(const std::string& Value) { m_core.ProgramReplaceSelection(Value); }
    void SelectAll() { m_core.SelectAll(); }
    void ClearSelection() { m_core.DeleteSelection(); }
    void CopyToClipboard() { m_core.Copy(); }
    void CutToClipboard() { m_core.Cut(); }
    void PasteFromClipboard() { m_core.Paste(); }
    void Undo() { m_core.Undo(); }
    void Redo() { m_core.Redo(); }
    bool CanUndo() const { return m_core.CanUndo(); }
    bool CanRedo() const { return m_core.CanRedo(); }
    void ClearUndo() { m_core.ClearUndo(); }
    bool Modified() const { return m_core.Modified(); }
    void SetModified(bool Value) { m_core.SetModified(Value); }
    // The editing core, for controls and tests that need its positions.
    const TEditCore& Editor() const { return m_core; }

    // The menu a right click shows when no PopupMenu is set; null until first shown.
    TPopupMenu* EditMenu() const { return m_menu.get(); }

    void WndProc(TMessage& Message) override;

    TNotifyEvent OnChange;

    // Timers of an edit (WM_TIMER WParam).
    static constexpr std::uint32_t kCaretTimer = kEditCaretTimer;
    static constexpr std::uint32_t kDragTimer = 2;
    static constexpr std::uint32_t kSpinTimer = 3;
    static constexpr int kCaretBlinkTime = kEditCaretBlinkTime;
    static constexpr int kSpinButtonWidth = 15;

protected:
    std::string GetText() const override;
    bool TextEquals(std::string_view Value) const override;
    void TextChanged() override;
    void Paint() override;
    void PaintBorder(TCanvas& Canvas, TRect Bounds) override;
    // The caret shows where the focus is; a frame would only crowd the text.
    TRect FocusFrameRect() override { return TRect{}; }
    void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // A memo's vertical bar counts lines; the page is the lines that fit whole.
    bool ScrollContent(int Bar, TScrollInfo& Info) override;
    void ScrollContentTo(int Bar, int Pos) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DoEnter() override;
    void DoExit() override;
    void FontChanged() override;
    void CreateWnd() override;
    void Resize() override;
    // The text changed, by the user or the program: OnChange.
    virtual void Change();

    // Width kept free at the right end for buttons; the text stops before it.
    virtual int ButtonsWidth() const { return m_spinButtons ? SpinButtonWidth() : 0; }
    // As wide as the field is high, in proportion: 15 pixels at the standard height.
    int SpinButtonWidth() const;

    // Several lines, also seen as Lines: for the memos.
    void MakeMultiLine();
    TStrings* MultiLines() const;

    // Spin edits: the buttons at the right end, Up/Down (one step), Page Up/Page Down (ten)
    // and the wheel call Spin; when the focus leaves, SpinLeave may restore the text.
    void SetSpinButtons(bool Value);
    bool SpinButtons() const { return m_spinButtons; }
    virtual void Spin(int /*Steps*/) {}
    virtual void SpinLeave() {}
    TRect SpinUpRect() const;
    TRect SpinDownRect() const;
    // Whether a typed character may go into the text; spin edits take only what makes numbers.
    virtual bool AcceptChar(char32_t /*Char*/) { return true; }

    // TEditCoreOwner
    TCanvas& EditCanvas() override;
    TRect EditViewRect() override;
    void EditChanged() override { Change(); }
    void EditInvalidate() override;

private:
    class TMemoStrings;
    void ShowEditMenu(int X, int Y);
    void MenuUndo(TObject*) { m_core.Undo(); }
    void MenuCut(TObject*) { m_core.Cut(); }
    void MenuCopy(TObject*) { m_core.Copy(); }
    void MenuPaste(TObject*) { m_core.Paste(); }
    void MenuDelete(TObject*) { m_core.DeleteSelection(); }
    void MenuSelectAll(TObject*) { m_core.SelectAll(); }
    void StartSpin(int Direction);
    void PaintSpinButtons(TCanvas& Canvas);
    void RestartCaretBlink();

    TEditCore m_core{*this, false};
    std::unique_ptr<TMemoStrings> m_lines;  // multi-line fields only
    std::unique_ptr<TPopupMenu, TFreeDeleter> m_menu;
    TColor m_selectionColor = clHighlight;
    TColor m_selectionTextColor = clHighlightText;
    bool m_hideSelection = true;
    bool m_caretOn = true;
    bool m_canvasFontSet = false;
    bool m_spinButtons = false;
    int m_spinDirection = 0;  // the arrow held down: 1 up, -1 down
    TShiftState m_charShift = 0;
    friend class TMemoStrings;
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

// Several lines; Text is the lines, each followed by a line break.
class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    TStrings* Lines() const { return MultiLines(); }
    void SetLines(TStrings* Value) { MultiLines()->Assign(Value); }
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
