#pragma once
// UTF-8 text as the framework stores it in std::string: code-point counting, checking, repair,
// conversion to and from UTF-16, and simple case mapping. Broken input never fails: each
// ill-formed sequence reads as one U+FFFD, the way text editors show it.

#include <cstddef>
#include <string>
#include <string_view>

namespace framework {

constexpr char32_t kReplacementChar = 0xFFFD;

// The code point starting at S[Pos]; Pos moves past it. An ill-formed sequence gives U+FFFD and
// moves past its longest valid-looking start (at least one byte). Pos must be below S.size().
char32_t Utf8Decode(std::string_view S, std::size_t& Pos);
// Appends the UTF-8 form of C; surrogates and values beyond U+10FFFF append U+FFFD.
void Utf8Append(std::string& Out, char32_t C);

// Code points in S, counting each ill-formed sequence as one.
std::size_t Utf8Length(std::string_view S);
// Count code points of S from code point Start (fewer at the end); never splits a sequence.
std::string Utf8Copy(std::string_view S, std::size_t Start, std::size_t Count);
// Well-formed UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view S);
// S with every ill-formed sequence replaced by U+FFFD.
std::string Utf8Repair(std::string_view S);

// Text in Windows-1252 (the Western code page of Windows) as UTF-8.
std::string Windows1252ToUtf8(std::string_view S);

std::u16string Utf8ToUtf16(std::string_view S);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view S);

// Simple one-to-one case mapping for ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic;
// other code points map to themselves.
char32_t UnicodeToUpper(char32_t C);
char32_t UnicodeToLower(char32_t C);
// Whole-string case mapping with the tables above; ill-formed bytes are kept as they are.
std::string Utf8UpperCase(std::string_view S);
std::string Utf8LowerCase(std::string_view S);

}  // namespace framework
