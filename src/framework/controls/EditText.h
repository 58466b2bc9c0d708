#pragma once
// Where a caret may stand in a line of UTF-8 text and where words begin and end, as the edits
// move over text: by whole characters as a reader counts them (a base with its combining marks,
// an emoji with its modifiers, joiners and variation selectors), never inside a code point.

#include <cstddef>
#include <string>
#include <string_view>

namespace framework {

// A code point that belongs to the character before it: combining marks (Latin, Hebrew points
// and cantillation, Arabic harakat, ...), variation selectors, emoji skin tones, the joiners.
bool IsCharExtender(char32_t C);
// Letters, digits, marks and the underscore make words; spaces and punctuation part them.
bool IsWordChar(char32_t C);

// The boundary after the character at Pos (S.size() at the end).
std::size_t NextCharBoundary(std::string_view S, std::size_t Pos);
// The boundary before Pos (0 at the start).
std::size_t PrevCharBoundary(std::string_view S, std::size_t Pos);
// Pos itself when it is a boundary, else the boundary before it.
std::size_t CharBoundaryAtOrBefore(std::string_view S, std::size_t Pos);
// Characters in S as NextCharBoundary counts them.
std::size_t CharCount(std::string_view S);

// Ctrl+Right: past the rest of the word and the spaces after it.
std::size_t NextWordBoundary(std::string_view S, std::size_t Pos);
// Ctrl+Left: back over spaces, then to the start of the word.
std::size_t PrevWordBoundary(std::string_view S, std::size_t Pos);
// The word (or the run of spaces or punctuation) around Pos, as a double click selects it.
void WordAround(std::string_view S, std::size_t Pos, std::size_t& Start, std::size_t& End);

// Text that came from outside (the clipboard, an input method) made fit for an edit: broken
// UTF-8 and NUL bytes become U+FFFD; CR LF and a lone CR become LF. A single-line edit keeps
// what comes before the first line break.
std::string CleanIncomingText(std::string_view S, bool MultiLine);

}  // namespace framework
