#pragma once
// The editing that every text field of the framework shares: lines of UTF-8 text with a caret
// and a selection, moved by keys and the mouse over whole characters; typing, deleting,
// the clipboard, many levels of undo with redo; and the view onto the text (scrolled to keep
// the caret in sight, only the visible part measured and painted, caret, selection and an
// input method's composition drawn). The control that holds a core gives it a canvas with its
// font and hears of changes.

#include "framework/controls/ControlParts.h"
#include "framework/graphics/Canvas.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace framework {

// A place in the text: a line and a byte offset in it, always at a character boundary.
struct TEditPos {
    int Line = 0;
    int Byte = 0;
    auto operator<=>(const TEditPos&) const = default;
};

// The timer that blinks a focused field's caret (WM_TIMER WParam), and its period.
inline constexpr std::uint32_t kEditCaretTimer = 1;
inline constexpr int kEditCaretBlinkTime = 530;

// What the core needs from the control that holds it.
class TEditCoreOwner {
public:
    // A canvas set up with the control's font, for measuring and painting.
    virtual TCanvas& EditCanvas() = 0;
    // The area the text is shown in, in client coordinates.
    virtual TRect EditViewRect() = 0;
    // The text changed: once for every change, whoever made it.
    virtual void EditChanged() = 0;
    // Something shown changed (caret, selection, scrolling): repaint.
    virtual void EditInvalidate() = 0;

protected:
    ~TEditCoreOwner() = default;
};

// The colours the core paints with.
struct TEditColors {
    TColor Text = clWindowText;
    TColor Highlight = clHighlight;
    TColor HighlightText = clHighlightText;
};

class TEditCore {
public:
    TEditCore(TEditCoreOwner& Owner, bool MultiLine);

    bool MultiLine() const { return m_multiLine; }
    void SetMultiLine(bool Value);
    // '\0' shows the text; any other character is shown once for every character.
    char PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(char Value);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool Value) { m_readOnly = Value; }
    // 0: no limit; otherwise the text holds at most this many characters (code points, a line
    // break counting one) that the user types or pastes.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int Value) { m_maxLength = Value < 0 ? 0 : Value; }

    // --- The text --------------------------------------------------------------------------
    int LineCount() const { return static_cast<int>(m_lines.size()); }
    const std::string& Line(int Index) const { return m_lines[static_cast<std::size_t>(Index)]; }
    // The lines joined with LF.
    std::string Text() const;
    // Replaces the whole text as a program does: no undo step, Modified cleared, caret at the
    // start. A single-line core keeps the text as one line whatever it holds.
    void SetText(std::string_view Value);
    // Line operations as a memo's Lines make them (no undo; the caret stays where it can).
    void PutLine(int Index, std::string_view Value);
    void InsertLine(int Index, std::string_view Value);
    void DeleteLine(int Index);
    // Characters in the text (code points, a line break counting one).
    std::size_t Length() const { return m_length; }
    // Characters as the user counts them (a base with its marks is one), as the password mask
    // shows them.
    std::string MaskedLine(int Index) const;

    // --- Caret and selection ---------------------------------------------------------------
    TEditPos Caret() const { return m_caret; }
    TEditPos Anchor() const { return m_anchor; }
    bool HasSelection() const { return m_caret != m_anchor; }
    TEditPos SelectionStart() const { return std::min(m_caret, m_anchor); }
    TEditPos SelectionEnd() const { return std::max(m_caret, m_anchor); }
    // Selects from Anchor to Caret (each moved to the nearest boundary in the text).
    void Select(TEditPos Anchor, TEditPos Caret);
    void SelectAll();
    // Character offsets over the whole text, a line break counting one, as SelStart counts.
    int IndexOf(TEditPos Pos) const;
    TEditPos PosOf(int Index) const;
    std::string TextBetween(TEditPos From, TEditPos To) const;
    std::string SelText() const { return TextBetween(SelectionStart(), SelectionEnd()); }

    // --- Changes ---------------------------------------------------------------------------
    // Replaces the selection with Text as the user does (an undo step; ReadOnly and MaxLength
    // hold). False when nothing could change.
    bool ReplaceSelection(std::string_view Text);
    // The same for a program (SelText): ReadOnly and MaxLength do not hold.
    void ProgramReplaceSelection(std::string_view Text);
    bool DeleteSelection();

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    bool Undo();
    bool Redo();
    void ClearUndo();
    bool Modified() const { return m_modified; }
    void SetModified(bool Value) { m_modified = Value; }

    // The clipboard: copying needs a selection and no password; cutting also needs writing.
    bool CanCopy() const { return HasSelection() && m_passwordChar == '\0'; }
    bool CanCut() const { return CanCopy() && !m_readOnly; }
    bool CanPaste() const;
    bool Copy();
    bool Cut();
    bool Paste();
    // Inserts text from outside (clipboard, primary selection) at the selection.
    bool InsertIncoming(std::string_view Raw);

    // --- Input -----------------------------------------------------------------------------
    // Keys that move, select, delete and reach the clipboard and undo; true when taken.
    bool KeyDown(std::uint16_t Key, TShiftState Shift);
    // A typed character (Backspace, Enter and control characters included); true when taken.
    bool CharInput(char32_t Char, TShiftState Shift = 0);
    // The mouse in client coordinates. A press with ssDouble selects a word; a third press soon
    // after, a line or everything; Shift extends.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    void MouseMove(TShiftState Shift, int X, int Y);
    void MouseUp(TMouseButton Button, int X, int Y);
    bool Dragging() const { return m_dragging; }
    // While a drag holds the pointer beyond the view, the view scrolls on each call.
    bool DragBeyondView() const;
    void DragTick();

    // An input method's text not yet committed, shown underlined at the caret.
    const std::string& Composition() const { return m_composition; }
    void SetComposition(std::string_view Text);

    // --- The view --------------------------------------------------------------------------
    void FontChanged() { ++m_version; }
    int LineHeight();
    int ScrollX() const { return m_scrollX; }
    int TopLine() const { return m_topLine; }
    void SetTopLine(int Value);
    // Lines that fit into the view.
    int VisibleLines();
    // Scrolls so that the caret can be seen. Changes ask for it; it is done when the view is
    // next used, so a run of changes measures once.
    void ScrollToCaret();
    void Settle() {
        if (m_scrollPending)
            ScrollToCaret();
    }
    // The caret's rectangle in client coordinates, as wide as the resolution asks.
    TRect CaretRect();
    // The boundary nearest to a client point.
    TEditPos PosAtPoint(int X, int Y);
    // The pen position of Pos in its line, from the line's start, in pixels.
    int XOf(TEditPos Pos);
    void Paint(TCanvas& Canvas, const TEditColors& Colors, bool ShowCaret, bool ShowSelection);

private:
    enum class TStepKind { Typing, BackDelete, ForwardDelete, Other };
    struct TStep {
        TEditPos At;
        std::string Removed;
        std::string Inserted;
        TEditPos CaretBefore, AnchorBefore;
        TStepKind Kind = TStepKind::Other;
    };
    // The pen positions of a line's character boundaries.
    struct TLayout {
        int Line = -1;
        std::uint64_t Version = 0;
        std::vector<int> Bytes;
        std::vector<int> X;
    };

    // The one place the lines change: From..To becomes Text; answers the end of Text.
    TEditPos Replace(TEditPos From, TEditPos To, std::string_view Text);
    void Apply(TEditPos From, TEditPos To, std::string_view Text, TStepKind Kind);
    void Changed();
    TEditPos EndOf(TEditPos At, std::string_view Text) const;
    TEditPos Clamp(TEditPos Pos) const;
    void MoveCaret(TEditPos To, bool Extend);
    void SelectionMoved();
    void OfferPrimarySelection();
    // Characters that may still come in when the selection goes.
    std::size_t Room() const;
    TEditPos Left(TEditPos P, bool Word) const;
    TEditPos Right(TEditPos P, bool Word) const;
    TEditPos LineEnd(int Line) const {
        return TEditPos{Line, static_cast<int>(Line < 0 ? 0 : m_lines[Line].size())};
    }
    TEditPos End() const { return LineEnd(LineCount() - 1); }
    TEditPos Vertical(int Lines);
    const TLayout& LayoutOf(int Line);
    void BuildLayout(TLayout& Out, std::string_view Text, bool Masked);
    int CaretWidth() const;
    void PaintLine(TCanvas& Canvas, const TEditColors& Colors, int Line, int Y, const TRect& View,
                   bool ShowSelection);

    TEditCoreOwner& m_owner;
    std::vector<std::string> m_lines{std::string()};
    std::size_t m_length = 0;
    bool m_multiLine;
    char m_passwordChar = '\0';
    bool m_readOnly = false;
    int m_maxLength = 0;
    bool m_modified = false;
    TEditPos m_caret, m_anchor;
    std::deque<TStep> m_undo;
    std::vector<TStep> m_redo;
    std::size_t m_undoBytes = 0;

    std::uint64_t m_version = 1;  // moves on with every change of text or font
    TLayout m_layouts[2];
    int m_scrollX = 0;
    int m_topLine = 0;
    int m_goalX = -1;              // where Up and Down aim, kept over a run of them
    bool m_scrollPending = false;  // the caret moved: scroll to it before the view is used
    std::string m_composition;

    bool m_dragging = false;
    TPoint m_dragPoint;
    bool m_wordDrag = false;
    std::chrono::steady_clock::time_point m_lastDouble{};
    TPoint m_lastDoublePoint;
};

}  // namespace framework
