#include "sibling/Inifilebase.h"

#include "framework/classes/StringList.h"
#include "framework/classes/TypInfo.h"
#include "framework/rtl/FloatConv.h"
#include "framework/rtl/IntConv.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/Unicode.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace sibling {

using namespace framework;

bool MEMINI_include_checklistbox_checkeds = true;

namespace {

constexpr std::string_view kCountKey = "count";

NumberedKey ItemKey(int n) { return NumberedKey("item", n); }
NumberedKey ObjectKey(int n) { return NumberedKey("object", n); }

bool IsBlank(unsigned char c) { return c <= 0x20; }  // what a load trims off

bool NeedsEscape(std::string_view v) {
    if (v.empty())
        return false;
    if (IsBlank(static_cast<unsigned char>(v.front())) || IsBlank(static_cast<unsigned char>(v.back())))
        return true;
    // A plain value in quotes would be taken for an escaped one.
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
        return true;
    const bool lineBreakOrNul =
        std::any_of(v.begin(), v.end(), [](char c) { return c == '\n' || c == '\r' || c == '\0'; });
    return lineBreakOrNul || !IsValidUtf8(v);
}

bool IsQuoted(std::string_view s) { return s.size() >= 2 && s.front() == '"' && s.back() == '"'; }

// Whether s is Word, a word of lower-case ASCII letters, in any case. Only a letter and its
// capital give that letter when the case bit is set.
bool IsWordInAnyCase(std::string_view s, std::string_view Word) {
    if (s.size() != Word.size())
        return false;
    for (std::size_t k = 0; k < s.size(); ++k)
        if ((s[k] | 0x20) != Word[k])
            return false;
    return true;
}

// The escaped form of a value that needs it.
std::string Escape(std::string_view Value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(Value.size() + 8);
    const auto hex = [&out](unsigned char b) {
        out.append("\\x").append(1, kHex[b >> 4]).append(1, kHex[b & 15]);
    };
    out += '"';
    for (std::size_t i = 0; i < Value.size();) {
        // Printable ASCII but the backslash goes in as it is, a run at a time.
        std::size_t plain = i;
        while (plain < Value.size() && Value[plain] >= 0x20 && Value[plain] < 0x7F && Value[plain] != '\\')
            ++plain;
        out.append(Value.data() + i, plain - i);
        i = plain;
        if (i == Value.size())
            break;
        const auto c = static_cast<unsigned char>(Value[i]);
        if (c >= 0x80) {
            // A well-formed character goes in as it is, each byte of an ill-formed one escaped.
            const std::size_t start = i;
            const bool replaced = Utf8Decode(Value, i) == kReplacementChar;
            const std::string_view bytes = Value.substr(start, i - start);
            if (!replaced || bytes == "\xEF\xBF\xBD")
                out.append(bytes);
            else
                for (const char b : bytes)
                    hex(static_cast<unsigned char>(b));
            continue;
        }
        ++i;
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\0':
            out += "\\0";
            break;
        default:
            hex(c);  // the other control characters
        }
    }
    out += '"';
    return out;
}

// Appends the text of a quoted value's body to Out.
void AppendUnescaped(std::string_view Body, std::string& Out) {
    for (std::size_t i = 0; i < Body.size(); ++i) {
        // Text up to the next backslash goes in as it is.
        const std::size_t slash = std::min(Body.find('\\', i), Body.size());
        Out.append(Body.substr(i, slash - i));
        i = slash;
        if (i + 1 >= Body.size()) {
            if (i < Body.size())
                Out += '\\';  // a lone backslash at the end stays as it is
            break;
        }
        switch (Body[i + 1]) {
        case '\\':
            Out += '\\';
            ++i;
            break;
        case 'n':
            Out += '\n';
            ++i;
            break;
        case 'r':
            Out += '\r';
            ++i;
            break;
        case 't':
            Out += '\t';
            ++i;
            break;
        case '0':
            Out += '\0';
            ++i;
            break;
        case '"':
            Out += '"';
            ++i;
            break;
        case 'x': {
            const int hi = i + 2 < Body.size() ? HexDigitValue(Body[i + 2]) : -1;
            const int lo = i + 3 < Body.size() ? HexDigitValue(Body[i + 3]) : -1;
            if (hi < 0 || lo < 0) {
                Out += '\\';  // damaged: keep the text as it stands
            } else {
                Out += static_cast<char>(hi * 16 + lo);
                i += 3;
            }
            break;
        }
        default:
            Out += '\\';  // an unknown escape keeps its backslash
        }
    }
}

// A stored value as ReadString gives it, without a copy unless it is unescaped (into Buffer).
std::optional<std::string_view> Unescaped(std::optional<std::string_view> Stored, std::string& Buffer) {
    if (!Stored || !IsQuoted(*Stored))
        return Stored;
    Buffer.clear();
    AppendUnescaped(Stored->substr(1, Stored->size() - 2), Buffer);
    return Buffer;
}

// The integer a stored value reads as: unescaped, and "0x1F" read as "$1F", as the
// framework's reader has it; Default when there is none or it is not a number.
int StoredInteger(std::optional<std::string_view> Stored, int Default) {
    std::string buffer;
    const auto value = Unescaped(Stored, buffer);
    if (!value)
        return Default;
    const std::string_view text = *value;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return StrToIntDef("$" + std::string(text.substr(2)), Default);
    return StrToIntDef(text, Default);
}

}  // namespace

std::string EscapeIniValue(std::string_view Value) {
    return NeedsEscape(Value) ? Escape(Value) : std::string(Value);
}

std::string UnescapeIniValue(std::string_view Stored) {
    std::string buffer;
    return std::string(*Unescaped(Stored, buffer));
}

bool StoredBool(std::optional<std::string_view> Stored, bool Default) {
    if (!Stored)
        return Default;
    std::string buffer;
    const std::string_view s = TrimView(Unescaped(Stored, buffer).value_or(std::string_view()));
    if (IsWordInAnyCase(s, "true") || IsWordInAnyCase(s, "yes") || IsWordInAnyCase(s, "on"))
        return true;
    if (IsWordInAnyCase(s, "false") || IsWordInAnyCase(s, "no") || IsWordInAnyCase(s, "off"))
        return false;
    std::int64_t n = 0;
    const bool number = s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')
                            ? TryStrToInt64("$" + std::string(s.substr(2)), n)
                            : TryStrToInt64(s, n);
    return number ? n != 0 : Default;
}

std::size_t NumberedKey::NumberOf(std::string_view Key, std::string_view Prefix) {
    const std::size_t letters = Prefix.size();
    if (Key.size() <= letters || Key.size() > letters + 9 || !IsWordInAnyCase(Key.substr(0, letters), Prefix))
        return std::string_view::npos;
    if (Key[letters] == '0' && Key.size() > letters + 1)
        return std::string_view::npos;  // NumberedKey writes no leading zeros
    std::size_t n = 0;
    for (const char c : Key.substr(letters)) {
        if (c < '0' || c > '9')
            return std::string_view::npos;
        n = n * 10 + static_cast<std::size_t>(c - '0');
    }
    return n;
}

NumberedKey::NumberedKey(std::string_view Prefix, int Number) {
    const std::size_t prefix = std::min(Prefix.size(), sizeof m_text - 12);  // room for any int
    std::memcpy(m_text, Prefix.data(), prefix);
    m_size =
        static_cast<std::size_t>(std::to_chars(m_text + prefix, m_text + sizeof m_text, Number).ptr - m_text);
}

const TClassInfo& TMyMemIniFile::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TMyMemIniFile, TMemIniFile>("TMyMemIniFile");
    return info;
}

TMyMemIniFile::TMyMemIniFile(std::string FileName) : TMemIniFile(std::move(FileName)) {}

std::string TMyMemIniFile::ReadString(std::string_view Section, std::string_view Ident,
                                      std::string_view Default) const {
    const auto stored = FindValue(Section, Ident);
    return stored ? UnescapeIniValue(*stored) : std::string(Default);
}

void TMyMemIniFile::WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) {
    if (NeedsEscape(Value))
        TMemIniFile::WriteString(Section, Ident, Escape(Value));
    else
        TMemIniFile::WriteString(Section, Ident, Value);
}

std::optional<std::string_view> TMyMemIniFile::ValueView(std::string_view Section, std::string_view Ident,
                                                         std::string& Buffer) const {
    return Unescaped(FindValue(Section, Ident), Buffer);
}

void TMyMemIniFile::WriteInteger(std::string_view Section, std::string_view Ident, int Value) {
    TMemIniFile::WriteString(Section, Ident, IntToStr(Value));  // digits never need escaping
}

int TMyMemIniFile::ReadInteger(std::string_view Section, std::string_view Ident, int Default) const {
    return StoredInteger(FindValue(Section, Ident), Default);
}

bool TMyMemIniFile::ReadBool(std::string_view Section, std::string_view Ident, bool Default) const {
    return StoredBool(FindValue(Section, Ident), Default);
}

void TMyMemIniFile::WriteBool(std::string_view Section, std::string_view Ident, bool Value) {
    TMemIniFile::WriteString(Section, Ident, Value ? "true" : "false");  // words that need no escape
}

void TMyMemIniFile::WriteFloat(std::string_view Section, std::string_view Ident, double Value) {
    // Fifteen digits read better; seventeen are needed for some doubles to come back exactly.
    std::string text = FloatToStr(Value, FormatSettings());
    double back = 0;
    if (!TryStrToFloat(text, back, FormatSettings()) || back != Value)
        text = FloatToStrF(Value, ffGeneral, 17, 0, FormatSettings());
    WriteString(Section, Ident, text);
}

void TMyMemIniFile::WriteMultiString(std::string_view Section, const TStrings& List) {
    WriteMultiString(Section, List, -1);
}

void TMyMemIniFile::WriteMultiString(std::string_view Section, const TStrings& List, int Limit) {
    int count = List.Count();
    if (Limit >= 0 && count > Limit)
        count = Limit;
    // A section written for the first time (as in every save of a whole form) has no keys of
    // an earlier list: none need looking for.
    const bool fresh = !SectionExists(Section);
    // Keys of an earlier, longer list would otherwise read back as if they were still items.
    int old = 0;
    if (const auto stored = fresh ? std::nullopt : FindValue(Section, kCountKey);
        stored && TryStrToInt(*stored, old))
        for (int n = count; n < old && ValueExists(Section, ItemKey(n)); ++n) {
            DeleteKey(Section, ItemKey(n));
            DeleteKey(Section, ObjectKey(n));
        }
    WriteInteger(Section, kCountKey, count);
    for (int n = 0; n < count; ++n) {
        WriteString(Section, ItemKey(n), List.Strings(n));
        const std::intptr_t obj = TStrings::ObjectToInt(List.Objects(n));
        // Only values that are numbers of the classic integer size travel; a real object's
        // address would come back as a dangling pointer.
        if (obj != 0 && obj >= std::numeric_limits<std::int32_t>::min() &&
            obj <= std::numeric_limits<std::int32_t>::max())
            WriteInteger(Section, ObjectKey(n), static_cast<int>(obj));
        else if (!fresh && ValueExists(Section, ObjectKey(n)))
            DeleteKey(Section, ObjectKey(n));
    }
}

namespace {

// The first "item<n>" and "object<n>" lines of a section, kept without copies until the list
// is built.
struct ListEntry {
    std::optional<std::string_view> Item, Object;
    bool HasItem = false, HasObject = false;
};

// ReadMultiString, and when ItemIndex is given, the integer under "i" too.
bool ReadList(const TMemIniFile& Ini, std::string_view Section, TStrings& List, int* ItemIndex) {
    // One walk over the section finds the count and every item and object key, instead of a
    // lookup for each. The first line of a key counts, as for a lookup; a damaged count cannot
    // reach past the lines there are.
    TMemIniFile::LineCursor lines = Ini.SectionLines(Section);
    std::vector<ListEntry> entries(static_cast<std::size_t>(lines.Count()));
    bool hasCount = false, hasIndex = false;
    std::optional<std::string_view> countValue, indexValue;
    std::string_view key;
    std::optional<std::string_view> value;
    while (lines.Next(key, value)) {
        if (const std::size_t n = NumberedKey::NumberOf(key, "item"); n < entries.size()) {
            if (!std::exchange(entries[n].HasItem, true))
                entries[n].Item = value;
        } else if (const std::size_t m = NumberedKey::NumberOf(key, "object"); m < entries.size()) {
            if (!std::exchange(entries[m].HasObject, true))
                entries[m].Object = value;
        } else if (!hasIndex && IsWordInAnyCase(key, "i")) {
            hasIndex = true;
            indexValue = value;
        } else if (!hasCount && IsWordInAnyCase(key, kCountKey)) {
            hasCount = true;
            countValue = value;
        }
    }
    if (ItemIndex)
        *ItemIndex = StoredInteger(indexValue, -1);
    int count = 0;
    if (!TryStrToInt(TrimView(countValue.value_or("")), count) || count < 0)
        return false;
    const std::size_t items = std::min(entries.size(), static_cast<std::size_t>(count));
    std::string buffer;
    List.BeginUpdate();
    try {
        List.Clear();
        // Room for the items at once, as the list's own loaders make it.
        if (auto* strings = As<TStringList>(&List); strings && strings->Capacity() < static_cast<int>(items))
            strings->SetCapacity(static_cast<int>(items));
        for (std::size_t n = 0; n < items && entries[n].HasItem; ++n) {
            // The list ends at a missing item; a key line without '=' is an empty one.
            const ListEntry& e = entries[n];
            const std::string item(Unescaped(e.Item, buffer).value_or(std::string_view()));
            List.AddObject(item, TStrings::IntToObject(e.HasObject ? StoredInteger(e.Object, 0) : 0));
        }
    } catch (...) {
        List.EndUpdate();
        throw;
    }
    List.EndUpdate();
    return true;
}

}  // namespace

bool TMyMemIniFile::ReadMultiString(std::string_view Section, TStrings& List) const {
    return ReadList(*this, Section, List, nullptr);
}

bool TMyMemIniFile::ReadMultiString(std::string_view Section, TStrings& List, int& ItemIndex) const {
    return ReadList(*this, Section, List, &ItemIndex);
}

}  // namespace sibling
