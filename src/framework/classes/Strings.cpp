#include "framework/classes/Strings.h"

#include "framework/classes/Streams.h"
#include "framework/classes/TypInfo.h"
#include "framework/platform/Platform.h"
#include "framework/rtl/Exceptions.h"

#include <cstring>

namespace framework {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at i and moves past it. A malformed sequence gives U+FFFD and moves
// past its maximal valid prefix only, so the next well-formed character is never swallowed.
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
        ++i;
        return b;
    }
    int need = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    char32_t cp = 0;
    if (b >= 0xC2 && b <= 0xDF) {
        need = 1;
        cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        need = 2;
        cp = b & 0x0F;
        if (b == 0xE0)
            lo = 0xA0;
        else if (b == 0xED)
            hi = 0x9F;  // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        need = 3;
        cp = b & 0x07;
        if (b == 0xF0)
            lo = 0x90;
        else if (b == 0xF4)
            hi = 0x8F;
    } else {
        ++i;
        return kReplacement;
    }
    std::size_t j = i + 1;
    for (int k = 0; k < need; ++k, ++j) {
        if (j >= s.size()) {
            i = j;
            return kReplacement;
        }
        const auto c = static_cast<unsigned char>(s[j]);
        if (c < lo || c > hi) {
            i = j;
            return kReplacement;
        }
        lo = 0x80;
        hi = 0xBF;
        cp = (cp << 6) | (c & 0x3F);
    }
    i = j;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    auto unitAt = [&](std::size_t u) -> char32_t {
        const auto b0 = static_cast<unsigned char>(bytes[2 * u]);
        const auto b1 = static_cast<unsigned char>(bytes[2 * u + 1]);
        return bigEndian ? char32_t((b0 << 8) | b1) : char32_t((b1 << 8) | b0);
    };
    for (std::size_t u = 0; u < units; ++u) {
        const char32_t c = unitAt(u);
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (u + 1 < units) {
                const char32_t c2 = unitAt(u + 1);
                if (c2 >= 0xDC00 && c2 <= 0xDFFF) {
                    AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (c2 - 0xDC00));
                    ++u;
                    continue;
                }
            }
            AppendUtf8(out, kReplacement);
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, c);
        }
    }
    if (bytes.size() % 2 != 0) AppendUtf8(out, kReplacement);  // a file cut off in the middle of a character
    return out;
}

std::string EncodeUtf16(std::string_view text, bool bigEndian) {
    std::string out;
    out.reserve(text.size() * 2);
    auto put = [&](char32_t unit) {
        const char hiByte = static_cast<char>(unit >> 8), loByte = static_cast<char>(unit & 0xFF);
        out += bigEndian ? hiByte : loByte;
        out += bigEndian ? loByte : hiByte;
    };
    for (std::size_t i = 0; i < text.size();) {
        const char32_t cp = NextCodePoint(text, i);
        if (cp >= 0x10000) {
            put(0xD800 + ((cp - 0x10000) >> 10));
            put(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            put(cp);
        }
    }
    return out;
}

// Simple case folding of the letters that carry case in the common European scripts.
char32_t FoldCodePoint(char32_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    if (c >= 0x100 && c <= 0x17F) {
        // Latin Extended-A pairs capitals and small letters on even/odd code points, except
        // in the stretches U+0139..U+0148 and U+0179..U+017E, where capitals are odd.
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 1) ? c + 1 : c;
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        if (c == 0x178) return 0xFF;
        return (c % 2 == 0) ? c + 1 : c;
    }
    return c;
}

bool IsAsciiBlank(char c) { return static_cast<unsigned char>(c) <= ' ' && c != '\0'; }

}  // namespace

// --- Encodings -------------------------------------------------------------------------------

const TEncoding* TEncoding::UTF8() {
    static const TEncoding e(Form::UTF8, "\xEF\xBB\xBF");
    return &e;
}
const TEncoding* TEncoding::Default() {
    static const TEncoding e(Form::UTF8, "");
    return &e;
}
const TEncoding* TEncoding::Unicode() {
    static const TEncoding e(Form::UTF16LE, "\xFF\xFE");
    return &e;
}
const TEncoding* TEncoding::BigEndianUnicode() {
    static const TEncoding e(Form::UTF16BE, "\xFE\xFF");
    return &e;
}

const TEncoding* TEncoding::GetBufferEncoding(std::string_view Buffer, std::size_t& PreambleSize) {
    for (const TEncoding* e : {UTF8(), Unicode(), BigEndianUnicode()}) {
        if (Buffer.starts_with(e->Preamble())) {
            PreambleSize = e->Preamble().size();
            return e;
        }
    }
    PreambleSize = 0;
    return Default();
}

std::string TEncoding::GetString(std::string_view Bytes) const {
    switch (m_form) {
    case Form::UTF16LE:
        return DecodeUtf16(Bytes, false);
    case Form::UTF16BE:
        return DecodeUtf16(Bytes, true);
    case Form::UTF8:
        break;
    }
    return SanitizeUtf8(Bytes);
}

std::string TEncoding::GetBytes(std::string_view Text) const {
    switch (m_form) {
    case Form::UTF16LE:
        return EncodeUtf16(Text, false);
    case Form::UTF16BE:
        return EncodeUtf16(Text, true);
    case Form::UTF8:
        break;
    }
    return SanitizeUtf8(Text);
}

std::string SanitizeUtf8(std::string_view Bytes) {
    std::string out;
    out.reserve(Bytes.size());
    std::size_t i = 0;
    while (i < Bytes.size()) {
        // Runs of ASCII are the common case; copy them without decoding.
        std::size_t run = i;
        while (run < Bytes.size() && static_cast<unsigned char>(Bytes[run]) < 0x80) ++run;
        out.append(Bytes.data() + i, run - i);
        i = run;
        while (i < Bytes.size() && static_cast<unsigned char>(Bytes[i]) >= 0x80) {
            const std::size_t start = i;
            const char32_t cp = NextCodePoint(Bytes, i);
            if (cp == kReplacement && !(i - start == 3 && Bytes.substr(start, 3) == "\xEF\xBF\xBD"))
                AppendUtf8(out, kReplacement);
            else
                out.append(Bytes.data() + start, i - start);
        }
    }
    return out;
}

int CompareTextFolded(std::string_view S1, std::string_view S2) {
    std::size_t i = 0, j = 0;
    while (i < S1.size() && j < S2.size()) {
        const auto a = static_cast<unsigned char>(S1[i]), b = static_cast<unsigned char>(S2[j]);
        char32_t ca, cb;
        if ((a | b) < 0x80) {
            ca = FoldCodePoint(a);
            cb = FoldCodePoint(b);
            ++i;
            ++j;
        } else {
            ca = FoldCodePoint(NextCodePoint(S1, i));
            cb = FoldCodePoint(NextCodePoint(S2, j));
        }
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (i < S1.size()) return 1;
    return j < S2.size() ? -1 : 0;
}

bool SameTextFolded(std::string_view S1, std::string_view S2) {
    if (S1.size() != S2.size()) return false;
    for (std::size_t i = 0; i < S1.size(); ++i) {
        const auto a = static_cast<unsigned char>(S1[i]), b = static_cast<unsigned char>(S2[i]);
        if ((a | b) >= 0x80) return CompareTextFolded(S1.substr(i), S2.substr(i)) == 0;
        if (a != b && FoldCodePoint(a) != FoldCodePoint(b)) return false;
    }
    return true;
}

std::size_t HashTextFolded(std::string_view S) {
    // FNV-1a over the folded code points; ASCII bytes are folded without decoding.
    std::uint64_t h = 1469598103934665603ull;
    for (std::size_t i = 0; i < S.size();) {
        const auto b = static_cast<unsigned char>(S[i]);
        char32_t c;
        if (b < 0x80) {
            c = (b >= 'A' && b <= 'Z') ? b + 32u : b;
            ++i;
        } else {
            c = FoldCodePoint(NextCodePoint(S, i));
        }
        h = (h ^ c) * 1099511628211ull;
    }
    return static_cast<std::size_t>(h ^ (h >> 29));
}

// --- TStrings: storage helpers -----------------------------------------------------------------

const TClassInfo& TStrings::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TStrings, TPersistent>("TStrings");
    return info;
}

void TStrings::IndexError(int Index) {
    throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
}

void TStrings::Put(int Index, const std::string& S) {
    BeginUpdate();
    try {
        TObject* obj = Objects(Index);
        Delete(Index);
        InsertObject(Index, S, obj);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

TObject* TStrings::Objects(int Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    return nullptr;
}

void TStrings::PutObject(int /*Index*/, TObject* /*AObject*/) {}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject) {
    Insert(Index, S);
    PutObject(Index, AObject);
}

int TStrings::Add(const std::string& S) {
    const int index = Count();
    Insert(index, S);
    return index;
}

int TStrings::AddObject(const std::string& S, TObject* AObject) {
    const int index = Add(S);
    PutObject(index, AObject);
    return index;
}

void TStrings::Exchange(int Index1, int Index2) {
    BeginUpdate();
    try {
        const std::string s1 = Strings(Index1);
        TObject* o1 = Objects(Index1);
        Put(Index1, Strings(Index2));
        PutObject(Index1, Objects(Index2));
        Put(Index2, s1);
        PutObject(Index2, o1);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    if (NewIndex < 0 || NewIndex >= Count()) IndexError(NewIndex);
    BeginUpdate();
    try {
        const std::string s = Strings(CurIndex);
        TObject* obj = Objects(CurIndex);
        Delete(CurIndex);
        InsertObject(NewIndex, s, obj);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TStrings::IndexOf(std::string_view S) const {
    for (int i = 0, n = Count(); i < n; ++i)
        if (CompareStrings(Strings(i), S) == 0) return i;
    return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const {
    for (int i = 0, n = Count(); i < n; ++i)
        if (Objects(i) == AObject) return i;
    return -1;
}

void TStrings::AddStrings(const TStrings& Strings) {
    BeginUpdate();
    try {
        for (int i = 0, n = Strings.Count(); i < n; ++i) AddObject(Strings.Strings(i), Strings.Objects(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

bool TStrings::Equals(const TStrings& Strings) const {
    const int n = Count();
    if (n != Strings.Count()) return false;
    for (int i = 0; i < n; ++i)
        if (this->Strings(i) != Strings.Strings(i)) return false;
    return true;
}

int TStrings::CompareStrings(std::string_view S1, std::string_view S2) const {
    return CompareTextFolded(S1, S2);
}

// --- Names and values ----------------------------------------------------------------------

int TStrings::IndexOfName(std::string_view Name) const {
    for (int i = 0, n = Count(); i < n; ++i) {
        const std::string s = Strings(i);
        const std::size_t p = s.find(m_nameValueSeparator);
        if (p != std::string::npos && CompareStrings(std::string_view(s).substr(0, p), Name) == 0) return i;
    }
    return -1;
}

std::string TStrings::Names(int Index) const {
    const std::string s = Strings(Index);
    const std::size_t p = s.find(m_nameValueSeparator);
    return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStrings::Values(std::string_view Name) const {
    const int i = IndexOfName(Name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValues(std::string_view Name, std::string_view Value) {
    const int i = IndexOfName(Name);
    std::string line(Name);
    line += m_nameValueSeparator;
    line += Value;
    if (!Value.empty()) {
        if (i < 0)
            Add(line);
        else
            Put(i, line);
    } else if (i >= 0) {
        Delete(i);
    }
}

std::string TStrings::ValueFromIndex(int Index) const {
    const std::string s = Strings(Index);
    const std::size_t p = s.find(m_nameValueSeparator);
    return p == std::string::npos ? std::string() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(int Index, std::string_view Value) {
    if (Value.empty()) {
        Delete(Index);
        return;
    }
    std::string line = Names(Index);
    line += m_nameValueSeparator;
    line += Value;
    Put(Index, line);
}

// --- Text ----------------------------------------------------------------------------------

std::string TStrings::Text() const {
    const int n = Count();
    std::string out;
    for (int i = 0; i < n; ++i) {
        out += Strings(i);
        if (m_trailingLineBreak || i + 1 < n) out += m_lineBreak;
    }
    return out;
}

void TStrings::SetText(std::string_view Value) {
    BeginUpdate();
    try {
        Clear();
        std::size_t pos = 0;
        const bool anyBreak = m_lineBreak == "\n" || m_lineBreak == "\r\n" || m_lineBreak.empty();
        while (pos < Value.size()) {
            std::size_t end, next;
            if (anyBreak) {
                end = Value.find_first_of("\r\n", pos);
                if (end == std::string_view::npos) {
                    end = next = Value.size();
                } else {
                    next = end + 1;
                    if (Value[end] == '\r' && next < Value.size() && Value[next] == '\n') ++next;
                }
            } else {
                end = Value.find(m_lineBreak, pos);
                next = end == std::string_view::npos ? Value.size() : end + m_lineBreak.size();
                if (end == std::string_view::npos) end = Value.size();
            }
            Add(std::string(Value.substr(pos, end - pos)));
            pos = next;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// --- Delimited text ------------------------------------------------------------------------

std::string TStrings::DelimitedText() const {
    const int n = Count();
    if (n == 1 && Strings(0).empty()) return std::string(2, m_quoteChar);
    std::string out;
    for (int i = 0; i < n; ++i) {
        const std::string s = Strings(i);
        bool quote = false;
        for (char c : s)
            if (c == m_quoteChar || c == m_delimiter ||
                (!m_strictDelimiter && static_cast<unsigned char>(c) <= ' '))
                quote = true;
        if (quote) {
            out += m_quoteChar;
            for (char c : s) {
                if (c == m_quoteChar) out += c;
                out += c;
            }
            out += m_quoteChar;
        } else {
            out += s;
        }
        if (i + 1 < n) out += m_delimiter;
    }
    return out;
}

void TStrings::SetDelimitedText(std::string_view Value) {
    BeginUpdate();
    try {
        Clear();
        std::size_t p = 0;
        const std::size_t n = Value.size();
        auto skipBlanks = [&] {
            if (!m_strictDelimiter)
                while (p < n && IsAsciiBlank(Value[p])) ++p;
        };
        skipBlanks();
        while (p < n) {
            std::string item;
            if (Value[p] == m_quoteChar) {
                // A quoted item: a doubled quote stands for one; an unclosed quote runs to the end.
                ++p;
                while (p < n) {
                    if (Value[p] == m_quoteChar) {
                        if (p + 1 < n && Value[p + 1] == m_quoteChar) {
                            item += m_quoteChar;
                            p += 2;
                            continue;
                        }
                        ++p;
                        break;
                    }
                    item += Value[p++];
                }
            } else {
                const std::size_t start = p;
                while (p < n && Value[p] != m_delimiter && (m_strictDelimiter || !IsAsciiBlank(Value[p])))
                    ++p;
                item.assign(Value.substr(start, p - start));
            }
            Add(item);
            skipBlanks();
            if (p < n && Value[p] == m_delimiter) {
                ++p;
                if (p == n) Add(std::string());
                skipBlanks();
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

std::string TStrings::CommaText() const {
    // The same list viewed with the comma settings; a copy keeps this one untouched.
    struct Saved {
        TStrings& s;
        char d, q;
        bool strict;
        ~Saved() {
            s.m_delimiter = d;
            s.m_quoteChar = q;
            s.m_strictDelimiter = strict;
        }
    } saved{const_cast<TStrings&>(*this), m_delimiter, m_quoteChar, m_strictDelimiter};
    saved.s.m_delimiter = ',';
    saved.s.m_quoteChar = '"';
    saved.s.m_strictDelimiter = false;
    return DelimitedText();
}

void TStrings::SetCommaText(std::string_view Value) {
    const char d = m_delimiter, q = m_quoteChar;
    const bool strict = m_strictDelimiter;
    m_delimiter = ',';
    m_quoteChar = '"';
    m_strictDelimiter = false;
    try {
        SetDelimitedText(Value);
    } catch (...) {
        m_delimiter = d;
        m_quoteChar = q;
        m_strictDelimiter = strict;
        throw;
    }
    m_delimiter = d;
    m_quoteChar = q;
    m_strictDelimiter = strict;
}

// --- Updates -------------------------------------------------------------------------------

void TStrings::BeginUpdate() {
    if (m_updateCount == 0) SetUpdateState(true);
    ++m_updateCount;
}

void TStrings::EndUpdate() {
    if (m_updateCount <= 0) return;
    if (--m_updateCount == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool Updating) {
    if (Updating)
        Changing();
    else
        Changed();
}

// --- Files and streams ---------------------------------------------------------------------

void TStrings::LoadFromBytes(std::string_view Bytes, const TEncoding* Encoding) {
    std::size_t preamble = 0;
    const TEncoding* found = TEncoding::GetBufferEncoding(Bytes, preamble);
    if (Encoding && Encoding->EncodingForm() != found->EncodingForm())
        preamble = 0;  // the caller's choice wins; a mark of another encoding is just data
    const TEncoding* used = Encoding ? Encoding : found;
    const std::string text = used->GetString(Bytes.substr(preamble));
    SetText(text);
    m_encoding = used;
}

void TStrings::LoadFromStream(TStream& Stream, const TEncoding* Encoding) {
    const std::string bytes = Stream.ReadRemaining(TMemoryStream::MaxSize());
    LoadFromBytes(bytes, Encoding);
}

void TStrings::LoadFromFile(const std::string& FileName, const TEncoding* Encoding) {
    platform::IoError err;
    const std::optional<std::string> bytes = platform::Platform().ReadFile(FileName, &err);
    if (!bytes) throw EFOpenError("Cannot open file \"" + FileName + "\". " + err.Text);
    LoadFromBytes(*bytes, Encoding);
}

std::string TStrings::SaveToBytes(const TEncoding* Encoding) const {
    const TEncoding* used = Encoding ? Encoding : m_encoding ? m_encoding : m_defaultEncoding;
    std::string bytes;
    if (m_writeBOM) bytes.assign(used->Preamble());
    bytes += used->GetBytes(Text());
    return bytes;
}

void TStrings::SaveToStream(TStream& Stream, const TEncoding* Encoding) const {
    Stream.WriteBuffer(SaveToBytes(Encoding));
}

void TStrings::SaveToFile(const std::string& FileName, const TEncoding* Encoding) const {
    platform::IoError err;
    if (!platform::Platform().WriteFileAtomic(FileName, SaveToBytes(Encoding), &err))
        throw EFCreateError("Cannot create file \"" + FileName + "\". " + err.Text);
}

void TStrings::Assign(const TPersistent* Source) {
    const auto* src = Source ? As<TStrings>(const_cast<TPersistent*>(Source)) : nullptr;
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    if (src == this) return;
    BeginUpdate();
    try {
        Clear();
        m_lineBreak = src->m_lineBreak;
        m_trailingLineBreak = src->m_trailingLineBreak;
        m_nameValueSeparator = src->m_nameValueSeparator;
        m_delimiter = src->m_delimiter;
        m_quoteChar = src->m_quoteChar;
        m_strictDelimiter = src->m_strictDelimiter;
        m_encoding = src->m_encoding;
        m_defaultEncoding = src->m_defaultEncoding;
        m_writeBOM = src->m_writeBOM;
        AddStrings(*src);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

}  // namespace framework
