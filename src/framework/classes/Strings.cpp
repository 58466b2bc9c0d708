#include "framework/classes/Strings.h"

#include "framework/classes/Streams.h"
#include "framework/classes/TypInfo.h"
#include "framework/platform/Platform.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/Unicode.h"

#include <cstring>

namespace framework {

namespace {

std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t u = 0; u < units.size(); ++u) {
        const auto b0 = static_cast<unsigned char>(bytes[2 * u]);
        const auto b1 = static_cast<unsigned char>(bytes[2 * u + 1]);
        units[u] = static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
    }
    std::string out = Utf16ToUtf8(units);
    if (bytes.size() % 2 != 0)
        Utf8Append(out, kReplacementChar);  // a file cut off in the middle of a character
    return out;
}

std::string EncodeUtf16(std::string_view text, bool bigEndian) {
    const std::u16string units = Utf8ToUtf16(text);
    std::string out;
    out.reserve(units.size() * 2);
    for (char16_t unit : units) {
        const char hiByte = static_cast<char>(unit >> 8), loByte = static_cast<char>(unit & 0xFF);
        out += bigEndian ? hiByte : loByte;
        out += bigEndian ? loByte : hiByte;
    }
    return out;
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
    return Utf8Repair(Bytes);
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
    return Utf8Repair(Text);
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
    if (Index < 0 || Index >= Count())
        IndexError(Index);
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
    if (CurIndex == NewIndex)
        return;
    if (NewIndex < 0 || NewIndex >= Count())
        IndexError(NewIndex);
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
        if (CompareStrings(Strings(i), S) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const {
    for (int i = 0, n = Count(); i < n; ++i)
        if (Objects(i) == AObject)
            return i;
    return -1;
}

void TStrings::AddStrings(const TStrings& Strings) {
    BeginUpdate();
    try {
        for (int i = 0, n = Strings.Count(); i < n; ++i)
            AddObject(Strings.Strings(i), Strings.Objects(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

bool TStrings::Equals(const TStrings& Strings) const {
    const int n = Count();
    if (n != Strings.Count())
        return false;
    for (int i = 0; i < n; ++i)
        if (this->Strings(i) != Strings.Strings(i))
            return false;
    return true;
}

int TStrings::CompareStrings(std::string_view S1, std::string_view S2) const {
    return AnsiCompareText(S1, S2);
}

// --- Names and values ----------------------------------------------------------------------

int TStrings::IndexOfName(std::string_view Name) const {
    for (int i = 0, n = Count(); i < n; ++i) {
        const std::string s = Strings(i);
        const std::size_t p = s.find(m_nameValueSeparator);
        if (p != std::string::npos && CompareStrings(std::string_view(s).substr(0, p), Name) == 0)
            return i;
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
        if (m_trailingLineBreak || i + 1 < n)
            out += m_lineBreak;
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
                    if (Value[end] == '\r' && next < Value.size() && Value[next] == '\n')
                        ++next;
                }
            } else {
                end = Value.find(m_lineBreak, pos);
                next = end == std::string_view::npos ? Value.size() : end + m_lineBreak.size();
                if (end == std::string_view::npos)
                    end = Value.size();
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
    if (n == 1 && Strings(0).empty())
        return std::string(2, m_quoteChar);
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
                if (c == m_quoteChar)
                    out += c;
                out += c;
            }
            out += m_quoteChar;
        } else {
            out += s;
        }
        if (i + 1 < n)
            out += m_delimiter;
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
                while (p < n && IsAsciiBlank(Value[p]))
                    ++p;
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
                if (p == n)
                    Add(std::string());
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
    if (m_updateCount == 0)
        SetUpdateState(true);
    ++m_updateCount;
}

void TStrings::EndUpdate() {
    if (m_updateCount <= 0)
        return;
    if (--m_updateCount == 0)
        SetUpdateState(false);
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
    if (!bytes)
        throw EFOpenError("Cannot open file \"" + FileName + "\". " + err.Text);
    LoadFromBytes(*bytes, Encoding);
}

std::string TStrings::SaveToBytes(const TEncoding* Encoding) const {
    const TEncoding* used = Encoding ? Encoding : m_encoding ? m_encoding : m_defaultEncoding;
    std::string bytes;
    if (m_writeBOM)
        bytes.assign(used->Preamble());
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
    if (src == this)
        return;
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
