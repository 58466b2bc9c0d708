#include "sibling/Inifilebase.h"

#include "framework/classes/StringList.h"
#include "framework/classes/TypInfo.h"
#include "framework/rtl/FloatConv.h"
#include "framework/rtl/IntConv.h"
#include "framework/rtl/StrUtils.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace sibling {

using namespace framework;

bool MEMINI_include_checklistbox_checkeds = true;

namespace {

constexpr std::string_view kCountKey = "count";

NumberedKey ItemKey(int n) { return NumberedKey("item", n); }
NumberedKey ObjectKey(int n) { return NumberedKey("object", n); }

// The length of the well-formed UTF-8 sequence at s[i], or 0 when the bytes there are not one.
std::size_t Utf8SequenceAt(std::string_view s, std::size_t i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80)
        return 1;
    std::size_t len;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        if (b0 == 0xE0)
            lo = 0xA0;  // no overlong forms
        if (b0 == 0xED)
            hi = 0x9F;  // no surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        if (b0 == 0xF0)
            lo = 0x90;
        if (b0 == 0xF4)
            hi = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (i + len > s.size())
        return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if (k == 1 ? (b < lo || b > hi) : (b < 0x80 || b > 0xBF))
            return 0;
    }
    return len;
}

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }
bool IsBlank(unsigned char c) { return c <= 0x20; }  // what a load trims off

// Whether the eight bytes at p are all in 0x20..0x7F. Taking 0x20 from a byte below that
// borrows into its top bit; a byte of 0x80 or more has it already. A borrow may flag a later
// byte wrongly, but only after a byte that is flagged rightly.
bool PrintableAscii8(const char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    constexpr std::uint64_t kEach = 0x0101010101010101;
    return ((w | (w - kEach * 0x20)) & (kEach * 0x80)) == 0;
}

bool NeedsEscape(std::string_view v) {
    if (v.empty())
        return false;
    if (IsBlank(static_cast<unsigned char>(v.front())) || IsBlank(static_cast<unsigned char>(v.back())))
        return true;
    // A plain value in quotes would be taken for an escaped one.
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
        return true;
    // Most values are printable ASCII: skip that eight bytes at a time.
    std::size_t i = 0;
    while (i + 8 <= v.size() && PrintableAscii8(v.data() + i))
        i += 8;
    // The bytes left over, in one last word that overlaps the one before.
    if (i + 8 > v.size() && v.size() >= 8 && PrintableAscii8(v.data() + v.size() - 8))
        return false;
    while (i < v.size()) {
        const auto c = static_cast<unsigned char>(v[i]);
        if (c == '\r' || c == '\n' || c == '\0')
            return true;
        if (c < 0x80) {
            ++i;
            continue;
        }
        const std::size_t len = Utf8SequenceAt(v, i);
        if (len == 0)
            return true;
        i += len;
    }
    return false;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
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

// The escaped form of a value that needs it, in Out.
void EscapeInto(std::string_view Value, std::string& out) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out.clear();
    out.reserve(Value.size() + 8);
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
        const std::size_t len = Utf8SequenceAt(Value, i);
        if (len > 1) {
            out.append(Value.substr(i, len));
            i += len;
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
            if (len == 0 || IsControl(c)) {
                out += "\\x";
                out += kHex[c >> 4];
                out += kHex[c & 15];
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
}

std::string Escape(std::string_view Value) {
    std::string out;
    EscapeInto(Value, out);
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
            const int hi = i + 2 < Body.size() ? HexValue(Body[i + 2]) : -1;
            const int lo = i + 3 < Body.size() ? HexValue(Body[i + 3]) : -1;
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
// Inlined: most values are not quoted, and a list reader asks for every item.
[[gnu::always_inline]] inline std::optional<std::string_view>
Unescaped(std::optional<std::string_view> Stored, std::string& Buffer) {
    if (!Stored || !IsQuoted(*Stored))
        return Stored;
    Buffer.clear();
    AppendUnescaped(Stored->substr(1, Stored->size() - 2), Buffer);
    return Buffer;
}

// The integer a stored value reads as: unescaped, and "0x1F" read as "$1F", as the
// framework's reader has it; Default when there is none or it is not a number.
int StoredInteger(std::optional<std::string_view> Stored, int Default) {
    if (!Stored)
        return Default;
    // Plain digits, as a number is written, read without more ado.
    if (const std::string_view digits = *Stored; !digits.empty() && digits.size() <= 9) {
        int n = 0;
        for (const char c : digits) {
            if (c < '0' || c > '9') {
                n = -1;
                break;
            }
            n = n * 10 + (c - '0');
        }
        if (n >= 0)
            return n;
    }
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
    if (!IsQuoted(Stored))
        return std::string(Stored);
    const std::string_view body = Stored.substr(1, Stored.size() - 2);
    std::string out;
    out.reserve(body.size());
    AppendUnescaped(body, out);
    return out;
}

bool ParseStoredBool(std::optional<std::string_view> Stored, bool Default) {
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
    if (!NeedsEscape(Value)) {
        TMemIniFile::WriteString(Section, Ident, Value);
        return;
    }
    // Escaped in a buffer kept for the thread: a save may escape thousands of values.
    thread_local std::string escaped;
    EscapeInto(Value, escaped);
    TMemIniFile::WriteString(Section, Ident, escaped);
}

void TMyMemIniFile::WriteInteger(std::string_view Section, std::string_view Ident, int Value) {
    // The text IntToStr gives, built on the stack; digits never need escaping.
    char text[16];
    const char* end = std::to_chars(text, text + sizeof text, Value).ptr;
    TMemIniFile::WriteString(Section, Ident, std::string_view(text, static_cast<std::size_t>(end - text)));
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
    const bool fresh = !SectionExistsWhileWriting(Section);
    // Keys of an earlier, longer list would otherwise read back as if they were still items.
    int old = 0;
    if (const auto stored = fresh ? std::nullopt : FindValue(Section, kCountKey);
        stored && TryStrToInt(*stored, old))
        for (int n = count; n < old && ValueExists(Section, ItemKey(n)); ++n) {
            DeleteKey(Section, ItemKey(n));
            DeleteKey(Section, ObjectKey(n));
        }
    WriteInteger(Section, kCountKey, count);
    // The strings of a plain string list are written without copies (a descendant may give
    // its strings its own way).
    const auto* strings =
        List.ClassType() == &TStringList::ClassInfo() ? static_cast<const TStringList*>(&List) : nullptr;
    std::string copy;
    for (int n = 0; n < count; ++n) {
        WriteString(Section, ItemKey(n),
                    strings ? std::string_view(strings->StringRef(n)) : (copy = List.Strings(n)));
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
// is built; Text is null for a line without '='. Plain members: the room kept for the entries
// is not filled in beforehand, only the flags of those a section can have.
struct ListEntry {
    struct Value {
        const char* Text;
        std::size_t Size;
    };
    Value Item, Object;
    bool HasItem, HasObject;
};

// A value as a LineCursor gives it: null for a line without '='.
ListEntry::Value Keep(std::string_view Value) { return {Value.data(), Value.size()}; }

std::optional<std::string_view> Kept(ListEntry::Value Value) {
    return TMemIniFile::Found(std::string_view(Value.Text, Value.Size));
}

// A count as WriteMultiString writes it: up to nine plain digits, read without more ado.
bool PlainCount(const std::optional<std::string_view>& Stored, int& Count) {
    if (!Stored || Stored->empty() || Stored->size() > 9)
        return false;
    int n = 0;
    for (const char c : *Stored) {
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + (c - '0');
    }
    Count = n;
    return true;
}

// ReadMultiString, and when ItemIndex is given, the integer under "i" too.
bool ReadList(const TMemIniFile& Ini, std::string_view Section, TStrings& List, int* ItemIndex) {
    // One walk over the section finds the count and every item and object key, instead of a
    // lookup for each. The first line of a key counts, as for a lookup; a damaged count cannot
    // reach past the lines there are.
    TMemIniFile::LineCursor lines = Ini.SectionLines(Section);
    const auto room = static_cast<std::size_t>(lines.Count());
    // Lists kept in an ini are mostly short: their entries need no room of their own.
    constexpr std::size_t kShort = 16;
    std::array<ListEntry, kShort> shortList;
    std::vector<ListEntry> longList(room > kShort ? room : 0);
    const std::span<ListEntry> entries =
        room > kShort ? std::span<ListEntry>(longList) : std::span(shortList).first(room);
    for (ListEntry& e : entries)
        e.HasItem = e.HasObject = false;
    bool hasCount = false, hasIndex = false;
    std::optional<std::string_view> countValue, indexValue;
    std::string_view key, value;
    while (lines.Next(key, value)) {
        // The first letter, in either case, tells which of the keys a line can be.
        switch (key.empty() ? 0 : static_cast<unsigned char>(key[0]) | 0x20) {
        case 'i':
            if (const std::size_t n = NumberedKey::NumberOf(key, "item"); n < room) {
                if (!std::exchange(entries[n].HasItem, true))
                    entries[n].Item = Keep(value);
            } else if (key.size() == 1 && !hasIndex) {
                hasIndex = true;
                indexValue = TMemIniFile::Found(value);
            }
            break;
        case 'o':
            if (const std::size_t n = NumberedKey::NumberOf(key, "object");
                n < room && !std::exchange(entries[n].HasObject, true))
                entries[n].Object = Keep(value);
            break;
        case 'c':
            if (!hasCount && IsWordInAnyCase(key, kCountKey)) {
                hasCount = true;
                countValue = TMemIniFile::Found(value);
            }
            break;
        default:
            break;
        }
    }
    if (ItemIndex)
        *ItemIndex = StoredInteger(indexValue, -1);
    int count = 0;
    if (!PlainCount(countValue, count) &&
        (!TryStrToInt(TrimView(countValue.value_or("")), count) || count < 0))
        return false;
    const std::size_t items = std::min(room, static_cast<std::size_t>(count));
    std::string buffer;
    const auto addItems = [&](auto&& Add) {
        for (const ListEntry& e : entries.first(items)) {
            if (!e.HasItem)
                break;  // the list ends at a missing item; a key line without '=' is an empty one
            const std::string_view item = Unescaped(Kept(e.Item), buffer).value_or(std::string_view());
            Add(item, TStrings::IntToObject(e.HasObject ? StoredInteger(Kept(e.Object), 0) : 0));
        }
    };
    // An unsorted string list takes the items in one go, each string made in its place.
    if (auto* strings = As<TStringList>(&List); strings && !strings->Sorted()) {
        TStringList::TAppender append(*strings);
        // A plain string list as long as the new one keeps its store (Clear and SetCapacity
        // would end at the same Capacity()); a descendant clears its own way.
        if (strings->ClassType() == &TStringList::ClassInfo() &&
            strings->Capacity() == static_cast<int>(items)) {
            strings->ClearKeepingCapacity();
        } else {
            strings->Clear();
            if (strings->Capacity() < static_cast<int>(items))
                strings->SetCapacity(static_cast<int>(items));
        }
        addItems([&append](std::string_view Item, TObject* Object) { append.Add(Item, Object); });
        return true;
    }
    List.BeginUpdate();
    try {
        List.Clear();
        addItems(
            [&List](std::string_view Item, TObject* Object) { List.AddObject(std::string(Item), Object); });
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
