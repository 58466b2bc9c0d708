#include "framework/controls/EditCore.h"

#include "framework/controls/EditText.h"
#include "framework/controls/Messages.h"
#include "framework/platform/Clipboard.h"
#include "framework/rtl/Unicode.h"

#include <algorithm>

namespace framework {

namespace {

// Undo keeps this many steps, and drops the oldest beyond this many bytes of text.
constexpr std::size_t kUndoSteps = 500;
constexpr std::size_t kUndoBytes = 16u << 20;

// Code points in Text, a line break counting one.
std::size_t lengthOf(std::string_view Text) { return Utf8Length(Text); }

// The lines of Text as a memo takes them: CR LF, CR and LF each end a line.
std::vector<std::string> splitLines(std::string_view Text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] != '\r' && Text[i] != '\n')
            continue;
        lines.emplace_back(Text.substr(start, i - start));
        if (Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    lines.emplace_back(Text.substr(start));
    return lines;
}

bool endsWordRun(std::string_view Inserted, char32_t Next) {
    if (Inserted.empty())
        return false;
    std::size_t p = PrevCharBoundary(Inserted, Inserted.size());
    const char32_t last = Utf8Decode(Inserted, p);
    // A word and the spaces after it are one step; the next word starts another.
    return !IsWordChar(last) && IsWordChar(Next);
}

}  // namespace

TEditCore::TEditCore(TEditCoreOwner& Owner, bool MultiLine) : m_owner(Owner), m_multiLine(MultiLine) {}

void TEditCore::SetMultiLine(bool Value) {
    if (m_multiLine == Value)
        return;
    const std::string text = Text();
    m_multiLine = Value;
    SetText(text);
}

void TEditCore::SetPasswordChar(char Value) {
    if (m_passwordChar == Value)
        return;
    m_passwordChar = Value;
    ++m_version;
    m_owner.EditInvalidate();
}

std::string TEditCore::Text() const {
    if (m_lines.size() == 1)
        return m_lines[0];
    std::string text;
    std::size_t size = m_lines.size();
    for (const std::string& line : m_lines)
        size += line.size();
    text.reserve(size);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (i)
            text.push_back('\n');
        text += m_lines[i];
    }
    return text;
}

void TEditCore::SetText(std::string_view Value) {
    const std::string clean = IsValidUtf8(Value) ? std::string(Value) : Utf8Repair(Value);
    if (m_multiLine)
        m_lines = splitLines(clean);
    else
        m_lines.assign(1, clean);
    m_length = m_lines.size() - 1;  // the line breaks
    for (const std::string& line : m_lines)
        m_length += lengthOf(line);
    m_caret = m_anchor = TEditPos{};
    m_scrollX = m_topLine = 0;
    m_goalX = -1;
    m_modified = false;
    ClearUndo();
    Changed();
}

void TEditCore::PutLine(int Index, std::string_view Value) {
    std::string& line = m_lines.at(static_cast<std::size_t>(Index));
    m_length = m_length - lengthOf(line) + lengthOf(Value);
    line.assign(Value);
    ClearUndo();
    m_caret = Clamp(m_caret);
    m_anchor = Clamp(m_anchor);
    Changed();
}

void TEditCore::InsertLine(int Index, std::string_view Value) {
    if (Index < 0 || Index > LineCount())
        return;
    m_lines.insert(m_lines.begin() + Index, std::string(Value));
    m_length += lengthOf(Value) + 1;
    ClearUndo();
    for (TEditPos* p : {&m_caret, &m_anchor})
        if (p->Line >= Index)
            ++p->Line;
    Changed();
}

void TEditCore::DeleteLine(int Index) {
    if (Index < 0 || Index >= LineCount())
        return;
    m_length -= lengthOf(m_lines[Index]);
    if (m_lines.size() == 1) {
        m_lines[0].clear();
    } else {
        m_lines.erase(m_lines.begin() + Index);
        --m_length;
    }
    ClearUndo();
    for (TEditPos* p : {&m_caret, &m_anchor}) {
        if (p->Line > Index)
            --p->Line;
        else if (p->Line == Index)
            p->Byte = 0;
        *p = Clamp(*p);
    }
    Changed();
}

std::string TEditCore::MaskedLine(int Index) const {
    return std::string(CharCount(Line(Index)), m_passwordChar);
}

// --- Positions ---------------------------------------------------------------------------

TEditPos TEditCore::Clamp(TEditPos Pos) const {
    Pos.Line = std::clamp(Pos.Line, 0, LineCount() - 1);
    const std::string& line = m_lines[Pos.Line];
    Pos.Byte =
        static_cast<int>(CharBoundaryAtOrBefore(line, static_cast<std::size_t>(std::max(Pos.Byte, 0))));
    return Pos;
}

int TEditCore::IndexOf(TEditPos Pos) const {
    Pos = Clamp(Pos);
    std::size_t index = 0;
    for (int i = 0; i < Pos.Line; ++i)
        index += lengthOf(m_lines[i]) + 1;
    index += lengthOf(std::string_view(m_lines[Pos.Line]).substr(0, Pos.Byte));
    return static_cast<int>(index);
}

TEditPos TEditCore::PosOf(int Index) const {
    std::size_t left = static_cast<std::size_t>(std::max(Index, 0));
    for (int i = 0; i < LineCount(); ++i) {
        const std::string& line = m_lines[i];
        std::size_t pos = 0;
        while (left > 0 && pos < line.size()) {
            Utf8Decode(line, pos);
            --left;
        }
        if (left == 0 || i == LineCount() - 1)
            return Clamp(TEditPos{i, static_cast<int>(pos)});
        --left;  // the line break
    }
    return End();
}

std::string TEditCore::TextBetween(TEditPos From, TEditPos To) const {
    From = Clamp(From);
    To = Clamp(To);
    if (To < From)
        std::swap(From, To);
    if (From.Line == To.Line)
        return m_lines[From.Line].substr(From.Byte, To.Byte - From.Byte);
    std::string text = m_lines[From.Line].substr(From.Byte);
    for (int i = From.Line + 1; i < To.Line; ++i)
        (text += '\n') += m_lines[i];
    (text += '\n') += std::string_view(m_lines[To.Line]).substr(0, To.Byte);
    return text;
}

TEditPos TEditCore::EndOf(TEditPos At, std::string_view Text) const {
    // One line keeps a line break a program put there as a character like any other.
    const std::size_t lastBreak = m_multiLine ? Text.rfind('\n') : std::string_view::npos;
    if (lastBreak == std::string_view::npos)
        return TEditPos{At.Line, At.Byte + static_cast<int>(Text.size())};
    const auto breaks = static_cast<int>(std::count(Text.begin(), Text.end(), '\n'));
    return TEditPos{At.Line + breaks, static_cast<int>(Text.size() - lastBreak - 1)};
}

void TEditCore::Select(TEditPos Anchor, TEditPos Caret) {
    m_anchor = Clamp(Anchor);
    m_caret = Clamp(Caret);
    m_goalX = -1;
    SelectionMoved();
}

void TEditCore::SelectAll() { Select(TEditPos{}, End()); }

void TEditCore::SelectionMoved() {
    m_scrollPending = true;
    m_owner.EditInvalidate();
}

void TEditCore::MoveCaret(TEditPos To, bool Extend) {
    m_caret = Clamp(To);
    if (!Extend)
        m_anchor = m_caret;
    SelectionMoved();
}

void TEditCore::OfferPrimarySelection() {
    if (CanCopy())
        PrimarySelection().SetAsText(SelText());
}

// --- Changes ------------------------------------------------------------------------------

TEditPos TEditCore::Replace(TEditPos From, TEditPos To, std::string_view Text) {
    const std::string head = m_lines[From.Line].substr(0, From.Byte);
    const std::string tail = m_lines[To.Line].substr(To.Byte);
    m_length -= lengthOf(TextBetween(From, To));
    m_length += lengthOf(Text);
    TEditPos end;
    if (Text.find('\n') == std::string_view::npos || !m_multiLine) {
        std::string& line = m_lines[From.Line];
        line.assign(head).append(Text).append(tail);
        if (To.Line > From.Line)
            m_lines.erase(m_lines.begin() + From.Line + 1, m_lines.begin() + To.Line + 1);
        end = TEditPos{From.Line, From.Byte + static_cast<int>(Text.size())};
    } else {
        std::vector<std::string> pieces = splitLines(Text);
        pieces.front().insert(0, head);
        end =
            TEditPos{From.Line + static_cast<int>(pieces.size()) - 1, static_cast<int>(pieces.back().size())};
        pieces.back() += tail;
        m_lines[From.Line] = std::move(pieces.front());
        const auto removed = static_cast<std::size_t>(To.Line - From.Line);
        const std::size_t added = pieces.size() - 1;
        // Reuse the lines that go for the new ones, then insert or erase only the difference.
        std::size_t i = 0;
        for (; i < std::min(removed, added); ++i)
            m_lines[From.Line + 1 + i] = std::move(pieces[1 + i]);
        if (added > removed)
            m_lines.insert(m_lines.begin() + From.Line + 1 + static_cast<std::ptrdiff_t>(i),
                           std::make_move_iterator(pieces.begin() + 1 + static_cast<std::ptrdiff_t>(i)),
                           std::make_move_iterator(pieces.end()));
        else if (removed > added)
            m_lines.erase(m_lines.begin() + From.Line + 1 + static_cast<std::ptrdiff_t>(i),
                          m_lines.begin() + To.Line + 1);
    }
    ++m_version;
    return end;
}

void TEditCore::Changed() {
    ++m_version;
    m_composition.clear();
    m_scrollPending = true;
    m_owner.EditInvalidate();
    m_owner.EditChanged();
}

void TEditCore::Apply(TEditPos From, TEditPos To, std::string_view Text, TStepKind Kind) {
    TStep step{From, TextBetween(From, To), std::string(Text), m_caret, m_anchor, Kind};
    m_redo.clear();
    // A run of typing (one word and the spaces after it) or of deleting is one step.
    bool merged = false;
    if (!m_undo.empty() && Kind != TStepKind::Other && m_undo.back().Kind == Kind) {
        TStep& last = m_undo.back();
        if (Kind == TStepKind::Typing && step.Removed.empty() && last.Removed.empty() &&
            EndOf(last.At, last.Inserted) == From) {
            std::size_t p = 0;
            if (!endsWordRun(last.Inserted, Utf8Decode(Text, p))) {
                last.Inserted += Text;
                merged = true;
            }
        } else if (Kind == TStepKind::BackDelete && last.At == To) {
            last.At = From;
            last.Removed.insert(0, step.Removed);
            merged = true;
        } else if (Kind == TStepKind::ForwardDelete && last.At == From) {
            last.Removed += step.Removed;
            merged = true;
        }
    }
    m_undoBytes += step.Removed.size() + step.Inserted.size();
    if (!merged)
        m_undo.push_back(std::move(step));
    while (m_undo.size() > 1 && (m_undo.size() > kUndoSteps || m_undoBytes > kUndoBytes)) {
        m_undoBytes -= m_undo.front().Removed.size() + m_undo.front().Inserted.size();
        m_undo.pop_front();
    }
    m_caret = m_anchor = Replace(From, To, Text);
    m_goalX = -1;
    m_modified = true;
    Changed();
}

std::size_t TEditCore::Room() const {
    if (m_maxLength <= 0)
        return SIZE_MAX;
    const std::size_t kept = m_length - lengthOf(SelText());
    return kept >= static_cast<std::size_t>(m_maxLength) ? 0 : m_maxLength - kept;
}

bool TEditCore::ReplaceSelection(std::string_view Text) {
    if (m_readOnly)
        return false;
    std::string_view text = Text;
    const std::size_t room = Room();
    if (room != SIZE_MAX && lengthOf(text) > room) {
        // Keep as many whole characters as there is room for.
        std::size_t cut = 0, count = 0;
        while (cut < text.size()) {
            const std::size_t next = NextCharBoundary(text, cut);
            count += lengthOf(text.substr(cut, next - cut));
            if (count > room)
                break;
            cut = next;
        }
        text = text.substr(0, cut);
    }
    if (text.empty() && !HasSelection())
        return false;
    Apply(SelectionStart(), SelectionEnd(), text, TStepKind::Other);
    return true;
}

void TEditCore::ProgramReplaceSelection(std::string_view Text) {
    const std::string clean = IsValidUtf8(Text) ? std::string(Text) : Utf8Repair(Text);
    if (clean.empty() && !HasSelection())
        return;
    Apply(SelectionStart(), SelectionEnd(), clean, TStepKind::Other);
}

bool TEditCore::DeleteSelection() {
    if (m_readOnly || !HasSelection())
        return false;
    Apply(SelectionStart(), SelectionEnd(), {}, TStepKind::Other);
    return true;
}

bool TEditCore::Undo() {
    if (m_undo.empty())
        return false;
    TStep step = std::move(m_undo.back());
    m_undo.pop_back();
    m_undoBytes -= step.Removed.size() + step.Inserted.size();
    Replace(step.At, EndOf(step.At, step.Inserted), step.Removed);
    m_caret = Clamp(step.CaretBefore);
    m_anchor = Clamp(step.AnchorBefore);
    m_redo.push_back(std::move(step));
    m_modified = true;
    Changed();
    return true;
}

bool TEditCore::Redo() {
    if (m_redo.empty())
        return false;
    TStep step = std::move(m_redo.back());
    m_redo.pop_back();
    m_caret = m_anchor = Replace(step.At, EndOf(step.At, step.Removed), step.Inserted);
    m_undoBytes += step.Removed.size() + step.Inserted.size();
    step.Kind = TStepKind::Other;  // a redone step takes no more typing
    m_undo.push_back(std::move(step));
    m_modified = true;
    Changed();
    return true;
}

void TEditCore::ClearUndo() {
    m_undo.clear();
    m_redo.clear();
    m_undoBytes = 0;
}

bool TEditCore::CanPaste() const { return !m_readOnly && Clipboard().HasFormat(CF_TEXT); }

bool TEditCore::Copy() {
    if (!CanCopy())
        return false;
    Clipboard().SetAsText(SelText());
    return true;
}

bool TEditCore::Cut() {
    if (!CanCut())
        return false;
    Clipboard().SetAsText(SelText());
    return DeleteSelection();
}

bool TEditCore::Paste() { return !m_readOnly && InsertIncoming(Clipboard().AsText()); }

bool TEditCore::InsertIncoming(std::string_view Raw) {
    const std::string text = CleanIncomingText(Raw, m_multiLine);
    return !text.empty() && ReplaceSelection(text);
}

// --- Keys ---------------------------------------------------------------------------------

TEditPos TEditCore::Left(TEditPos P, bool Word) const {
    if (P.Byte == 0)
        return P.Line > 0 ? LineEnd(P.Line - 1) : P;
    if (Word && m_passwordChar != '\0')
        return TEditPos{P.Line, 0};  // a password shows no words
    const std::string& line = m_lines[P.Line];
    const std::size_t b = Word ? PrevWordBoundary(line, P.Byte) : PrevCharBoundary(line, P.Byte);
    return TEditPos{P.Line, static_cast<int>(b)};
}

TEditPos TEditCore::Right(TEditPos P, bool Word) const {
    const std::string& line = m_lines[P.Line];
    if (P.Byte >= static_cast<int>(line.size()))
        return P.Line + 1 < LineCount() ? TEditPos{P.Line + 1, 0} : P;
    if (Word && m_passwordChar != '\0')
        return LineEnd(P.Line);
    const std::size_t b = Word ? NextWordBoundary(line, P.Byte) : NextCharBoundary(line, P.Byte);
    return TEditPos{P.Line, static_cast<int>(b)};
}

bool TEditCore::KeyDown(std::uint16_t Key, TShiftState Shift) {
    const bool ctrl = Shift & ssCtrl, shift = Shift & ssShift;
    if (Shift & ssAlt)
        return false;
    if (ctrl) {
        switch (Key) {
        case 'A':
            SelectAll();
            return true;
        case 'C':
        case VK_INSERT:
            Copy();
            return true;
        case 'X':
            Cut();
            return true;
        case 'V':
            Paste();
            return true;
        case 'Z':
            shift ? Redo() : Undo();
            return true;
        case 'Y':
            Redo();
            return true;
        default:
            break;
        }
    }
    if (shift && Key == VK_INSERT) {
        Paste();
        return true;
    }
    if (shift && Key == VK_DELETE && !ctrl) {
        Cut();
        return true;
    }
    const int goal = m_goalX;
    TEditPos to = m_caret;
    switch (Key) {
    case VK_LEFT:
        to = HasSelection() && !shift && !ctrl ? SelectionStart() : Left(m_caret, ctrl);
        break;
    case VK_RIGHT:
        to = HasSelection() && !shift && !ctrl ? SelectionEnd() : Right(m_caret, ctrl);
        break;
    case VK_HOME:
        to = ctrl && m_multiLine ? TEditPos{} : TEditPos{m_caret.Line, 0};
        break;
    case VK_END:
        to = ctrl && m_multiLine ? End() : LineEnd(m_caret.Line);
        break;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
        if (!m_multiLine)
            return false;
        const int page = std::max(VisibleLines() - 1, 1);
        const int lines = Key == VK_UP ? -1 : Key == VK_DOWN ? 1 : Key == VK_PRIOR ? -page : page;
        if (Key == VK_PRIOR || Key == VK_NEXT)
            SetTopLine(m_topLine + lines);
        to = Vertical(lines);
        MoveCaret(to, shift);
        m_goalX = goal >= 0 ? goal : m_goalX;
        if (shift)
            OfferPrimarySelection();
        return true;
    }
    case VK_DELETE:
        if (HasSelection()) {
            DeleteSelection();
        } else if (!m_readOnly) {
            const TEditPos end = Right(m_caret, ctrl);
            if (end != m_caret)
                Apply(m_caret, end, {}, TStepKind::ForwardDelete);
        }
        return true;
    default:
        return false;
    }
    m_goalX = -1;
    MoveCaret(to, shift);
    if (shift)
        OfferPrimarySelection();
    return true;
}

TEditPos TEditCore::Vertical(int Lines) {
    if (m_goalX < 0)
        m_goalX = XOf(m_caret);
    const int line = std::clamp(m_caret.Line + Lines, 0, LineCount() - 1);
    if (line == m_caret.Line)
        return Lines < 0 ? TEditPos{line, 0} : LineEnd(line);
    const TLayout& layout = LayoutOf(line);
    std::size_t best = 0;
    for (std::size_t i = 1; i < layout.X.size(); ++i)
        if (std::abs(layout.X[i] - m_goalX) < std::abs(layout.X[best] - m_goalX))
            best = i;
    return TEditPos{line, layout.Bytes[best]};
}

bool TEditCore::CharInput(char32_t Char, TShiftState Shift) {
    if (Char == U'\b') {
        if (HasSelection()) {
            DeleteSelection();
        } else if (!m_readOnly) {
            const TEditPos from = Left(m_caret, Shift & ssCtrl);
            if (from != m_caret)
                Apply(from, m_caret, {}, TStepKind::BackDelete);
        }
        return true;
    }
    if (Char == U'\r' || Char == U'\n') {
        if (!m_multiLine)
            return false;
        if (!m_readOnly && Room() > 0)
            Apply(SelectionStart(), SelectionEnd(), "\n", TStepKind::Other);
        return true;
    }
    if (Char == U'\t' || Char < 0x20 || Char == 0x7F || (Char >= 0x80 && Char < 0xA0) || Char > 0x10FFFF ||
        (Char >= 0xD800 && Char <= 0xDFFF))
        return false;
    if (m_readOnly)
        return true;
    if (Room() == 0)
        return true;  // at the limit the character is taken and dropped
    std::string text;
    Utf8Append(text, Char);
    Apply(SelectionStart(), SelectionEnd(), text, HasSelection() ? TStepKind::Other : TStepKind::Typing);
    return true;
}

void TEditCore::SetComposition(std::string_view Text) {
    const std::string clean = CleanIncomingText(Text, false);
    if (clean == m_composition)
        return;
    m_composition = clean;
    m_scrollPending = true;
    m_owner.EditInvalidate();
}

}  // namespace framework
