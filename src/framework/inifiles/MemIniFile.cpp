#include "framework/inifiles/MemIniFile.h"

#include "framework/classes/Strings.h"
#include "framework/classes/TypInfo.h"
#include "framework/platform/Platform.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/Unicode.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <limits>

namespace framework {

namespace {

// A section's keys are searched one by one up to this many; beyond it a section keeps an index.
constexpr int kLinearKeys = 12;
// Offsets into the text are 32 bits.
constexpr std::size_t kMaxText = std::numeric_limits<std::uint32_t>::max();

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The name of a section header line (trimmed, starting with '['): "[Name]", or "[Name]"
// followed by a comment. A key can never start with '[', so no key line is taken for one.
bool SectionHeader(std::string_view line, std::string_view& name) {
    if (line.back() == ']') {
        name = Trimmed(line.substr(1, line.size() - 2));
        return true;
    }
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return false;
    const std::string_view rest = Trimmed(line.substr(close + 1));
    if (rest.empty() || rest.front() != ';')
        return false;
    name = Trimmed(line.substr(1, close - 1));
    return true;
}

[[noreturn]] void Refuse(std::string_view what, std::string_view name, std::string_view why) {
    throw EIniFileException("Cannot write ini " + std::string(what) + " \"" + std::string(name) +
                            "\": " + std::string(why));
}

bool HasLineBreakOrNul(std::string_view s) {
    return std::any_of(s.begin(), s.end(), [](char c) { return c == '\n' || c == '\r' || c == '\0'; });
}
bool BlankAtAnEnd(std::string_view s) { return !s.empty() && (IsBlank(s.front()) || IsBlank(s.back())); }

void CheckSectionName(std::string_view name) {
    if (HasLineBreakOrNul(name))
        Refuse("section", name, "it contains a line break or NUL");
    if (name.find(']') != name.npos)
        Refuse("section", name, "it contains ']'");
    if (BlankAtAnEnd(name))
        Refuse("section", name, "it starts or ends with a blank");
}

void CheckKey(std::string_view section, std::string_view key) {
    const auto refuse = [&](const char* why) {
        Refuse("key", std::string(key) + "\" in section \"" + std::string(section), why);
    };
    if (HasLineBreakOrNul(key))
        refuse("it contains a line break or NUL");
    if (key.find('=') != key.npos)
        refuse("it contains '='");
    if (BlankAtAnEnd(key))
        refuse("it starts or ends with a blank");
    if (!key.empty() && (key.front() == ';' || key.front() == '['))
        refuse("it starts with ';' or '['");
}

void CheckValue(std::string_view section, std::string_view key, std::string_view value) {
    if (HasLineBreakOrNul(value))
        Refuse("value", std::string(key) + "\" in section \"" + std::string(section),
               "it contains a line break or NUL");
}

// Text as it will be stored: ill-formed UTF-8 repaired now, so that memory, file and a fresh
// load agree. Repaired holds the repaired copy.
std::string_view Stored(std::string_view s, std::string& repaired) {
    if (IsValidUtf8(s))
        return s;
    repaired = Utf8Repair(s);
    return repaired;
}

// Text of a file without a byte order mark that is not all UTF-8, as UTF-8: every well-formed
// UTF-8 sequence stays as it is, and each byte that starts none is read as Windows-1252 (the
// Western code page of Windows), as files from a Windows install hold them. One stray byte,
// from a value pasted in another editor, must not garble the rest of the file, nor have it
// written back garbled.
std::string MixedTextToUtf8(std::string_view Bytes) {
    std::string out;
    out.reserve(Bytes.size() + Bytes.size() / 8);
    for (std::size_t i = 0; i < Bytes.size();) {
        const auto lead = static_cast<unsigned char>(Bytes[i]);
        const std::size_t length = lead < 0x80   ? 1
                                   : lead < 0xC2 ? 0
                                   : lead < 0xE0 ? 2
                                   : lead < 0xF0 ? 3
                                   : lead < 0xF5 ? 4
                                                 : 0;
        if (length > 0 && i + length <= Bytes.size() && IsValidUtf8(Bytes.substr(i, length))) {
            out += Bytes.substr(i, length);
            i += length;
        } else {
            out += Windows1252ToUtf8(Bytes.substr(i, 1));
            ++i;
        }
    }
    return out;
}

}  // namespace

namespace inifiles_detail {

bool SameName(std::string_view a, std::string_view b) {
    // A name is mostly asked for as it is spelt: then no letter needs comparing by case.
    if (a == b)
        return true;
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x == y)
            continue;
        if ((x | y) >= 0x80) {
            // Letters outside ASCII: compare code point by code point from the start of the
            // character that holds byte i.
            std::size_t p = i;
            while (p > 0 && (static_cast<unsigned char>(a[p]) & 0xC0) == 0x80)
                --p;
            std::size_t q = p;
            while (p < a.size() && q < b.size())
                if (UnicodeToUpper(Utf8Decode(a, p)) != UnicodeToUpper(Utf8Decode(b, q)))
                    return false;
            return p == a.size() && q == b.size();
        }
        if ((x | 0x20) != (y | 0x20) || (x | 0x20) < 'a' || (x | 0x20) > 'z')
            return false;
    }
    return true;
}

std::uint32_t HashName(std::string_view s) {
    // FNV-1a over the upper-cased code points; an ASCII byte is its own code point.
    std::uint32_t h = 2166136261u;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        char32_t code;
        if (c < 0x80) {
            code = (c >= 'a' && c <= 'z') ? c - 0x20 : c;
            ++i;
        } else {
            code = UnicodeToUpper(Utf8Decode(s, i));
        }
        h = (h ^ static_cast<std::uint32_t>(code)) * 16777619u;
    }
    return h;
}

}  // namespace inifiles_detail

using inifiles_detail::HashName;
using inifiles_detail::NameIndex;
using inifiles_detail::SameName;

// --- Construction and loading ----------------------------------------------------------------

const TClassInfo& TMemIniFile::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TMemIniFile, TCustomIniFile>("TMemIniFile");
    return info;
}

TMemIniFile::TMemIniFile(std::string FileName, const TEncoding* Encoding)
    : TCustomIniFile(std::move(FileName)), m_encoding(Encoding), m_requestedEncoding(Encoding) {
    LoadFile();
}

TMemIniFile::~TMemIniFile() {
    if (!m_autoSave || !m_modified)
        return;
    try {
        TMemIniFile::UpdateFile();
    } catch (...) {
        // Swallowed: a destructor must not throw. The old file is still intact.
    }
}

void TMemIniFile::BeforeDestruction() {
    // Here a descendant's UpdateFile is still reached; the destructor is the fallback for
    // objects that are simply deleted or go out of scope.
    if (m_autoSave && m_modified) {
        try {
            UpdateFile();
        } catch (...) {
            // Swallowed: freeing must not fail. The old file is still intact.
        }
        m_modified = false;
    }
    TCustomIniFile::BeforeDestruction();
}

void TMemIniFile::LoadFile() {
    Clear();
    m_modified = false;
    if (FileName().empty())
        return;
    platform::IoError err;
    std::optional<std::string> bytes = platform::ReadRegularFile(FileName(), MaxFileSize(), &err);
    if (!bytes) {
        if (err.Code == ENOENT)
            return;  // a missing file is an empty ini
        if (err.Code == EFBIG)
            throw EIniFileException("Cannot load ini file \"" + FileName() + "\": it is larger than " +
                                    std::to_string(MaxFileSize()) + " bytes");
        throw EFOpenError("Cannot open file \"" + FileName() + "\". " + err.Text);
    }
    LoadFromBytes(std::move(*bytes));
}

void TMemIniFile::LoadFromBytes(std::string Bytes) {
    std::size_t preamble = 0;
    const TEncoding* found = TEncoding::GetBufferEncoding(Bytes, preamble);
    const TEncoding* used = m_requestedEncoding ? m_requestedEncoding : found;
    if (used->EncodingForm() != found->EncodingForm())
        preamble = 0;  // the caller's encoding wins; a mark of another one is just data
    if (used->EncodingForm() != TEncoding::Form::UTF8) {
        Bytes = used->GetString(std::string_view(Bytes).substr(preamble));
    } else {
        Bytes.erase(0, preamble);
        // Text that is not UTF-8 is repaired, so that memory, file and a fresh load agree;
        // without a mark or a chosen encoding, its bytes that are not UTF-8 are from a Windows
        // install, and the UTF-8 around them stays as it is.
        if (!IsValidUtf8(Bytes))
            Bytes = preamble > 0 || m_requestedEncoding ? Utf8Repair(Bytes) : MixedTextToUtf8(Bytes);
    }
    m_encoding = used;
    Parse(std::move(Bytes));
    m_modified = false;
}

void TMemIniFile::Empty() {
    m_text.clear();
    m_unusedText = 0;
    m_lines.clear();
    m_unusedLines = 0;
    m_sections.clear();
    m_index.Clear();
    m_lastWritten = -1;
}

void TMemIniFile::Parse(std::string Text) {
    if (Text.size() >= kMaxText)
        throw EIniFileException("Cannot load ini text: it is larger than " + std::to_string(kMaxText - 1) +
                                " bytes");
    Empty();
    m_text = std::move(Text);
    const std::string_view text = m_text;
    // Room for the lines and sections there can be, up to a bound, made once: growing would
    // copy them and touch fresh memory at every step.
    const auto lineEnds = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    const auto brackets = static_cast<std::size_t>(std::count(text.begin(), text.end(), '['));
    m_lines.reserve(std::min<std::size_t>(lineEnds + 1, 1u << 20));
    m_sections.reserve(std::min<std::size_t>(brackets, 1u << 18));
    m_index.Reserve(m_sections.capacity());
    // Each of LF, CR and CR LF ends a line (CR LF as a line and an empty one). The next LF and
    // the next CR are looked for again only once the scan has passed the ones found.
    std::size_t lf = text.find('\n'), cr = text.find('\r');
    int current = -1;
    bool repeat = false;  // the current section appeared before: only keys it lacks are added
    for (std::size_t at = 0; at < text.size();) {
        if (lf < at)
            lf = text.find('\n', at);
        if (cr < at)
            cr = text.find('\r', at);
        const std::size_t end = std::min({lf, cr, text.size()});
        const std::string_view line = Trimmed(text.substr(at, end - at));
        at = end + 1;
        if (line.empty() || line.front() == ';')
            continue;
        std::string_view name;
        if (line.front() == '[' && SectionHeader(line, name)) {
            const std::uint32_t hash = HashName(name);
            current = m_index.Find(name, hash, [this](int s) { return View(SectionAt(s).Name); });
            repeat = current >= 0;
            if (!repeat)
                current = AddSection(Span{static_cast<std::uint32_t>(name.data() - text.data()),
                                          static_cast<std::uint32_t>(name.size())},
                                     hash);
            continue;
        }
        if (current < 0)
            continue;  // lines before the first section
        const std::size_t eq = line.find('=');
        const std::string_view key = Trimmed(line.substr(0, eq));
        IniSection& section = SectionAt(current);
        if (repeat && FindKey(section, key) >= 0)
            continue;
        const auto span = [&text](std::string_view part) {
            return Span{static_cast<std::uint32_t>(part.data() - text.data()),
                        static_cast<std::uint32_t>(part.size())};
        };
        Line added{span(key), {}, -1, eq != line.npos};
        if (added.HasValue)
            added.Value = span(Trimmed(line.substr(eq + 1)));
        m_lines.push_back(added);
        Chain(section, static_cast<int>(m_lines.size() - 1));
    }
}

// --- The store --------------------------------------------------------------------------------

TMemIniFile::Span TMemIniFile::Keep(std::string_view Text) {
    if (Text.size() >= kMaxText - m_text.size())
        throw EIniFileException("Cannot write ini value: the ini holds too much text");
    const Span kept{static_cast<std::uint32_t>(m_text.size()), static_cast<std::uint32_t>(Text.size())};
    m_text.append(Text);
    return kept;
}

int TMemIniFile::FindSection(std::string_view Name) const {
    return m_index.Find(Name, HashName(Name), [this](int s) { return View(SectionAt(s).Name); });
}

int TMemIniFile::AddSection(Span Name, std::uint32_t Hash) {
    m_sections.emplace_back().Name = Name;
    const int s = static_cast<int>(m_sections.size() - 1);
    m_index.Add(Hash, s);
    return s;
}

int TMemIniFile::FindKey(const IniSection& S, std::string_view Key) const {
    if (S.Keys)
        return S.Keys->Find(Key, HashName(Key), [this](int i) { return KeyOf(i); });
    for (int i = S.First; i >= 0; i = LineAt(i).Next)
        if (LineAt(i).Key.Length == Key.size() && SameName(KeyOf(i), Key))
            return i;
    return -1;
}

void TMemIniFile::Chain(IniSection& S, int LineNumber) {
    LineAt(LineNumber).Next = -1;
    if (S.Last >= 0)
        LineAt(S.Last).Next = LineNumber;
    else
        S.First = LineNumber;
    S.Last = LineNumber;
    ++S.Count;
    if (!S.Keys && S.Count > kLinearKeys) {
        IndexKeys(S);
    } else if (S.Keys) {
        // Only the first line of a key is found.
        if (FindKey(S, KeyOf(LineNumber)) < 0)
            S.Keys->Add(HashName(KeyOf(LineNumber)), LineNumber);
    }
}

// Indexes the keys of a section that has more than kLinearKeys of them; drops the index of
// one that has fewer again.
void TMemIniFile::IndexKeys(IniSection& S) {
    S.Keys.reset();
    if (S.Count <= kLinearKeys)
        return;
    auto keys = std::make_unique<NameIndex>();
    keys->Reserve(static_cast<std::size_t>(S.Count));
    const auto keyOf = [this](int i) { return KeyOf(i); };
    for (int i = S.First; i >= 0; i = LineAt(i).Next)
        if (const std::uint32_t hash = HashName(KeyOf(i)); keys->Find(KeyOf(i), hash, keyOf) < 0)
            keys->Add(hash, i);
    S.Keys = std::move(keys);
}

// Marks a line that no section chains any more as unused.
void TMemIniFile::Unlink(int LineNumber) {
    Line& line = LineAt(LineNumber);
    m_unusedText += line.Key.Length + line.Value.Length;
    line = Line{};
    ++m_unusedLines;
}

// Once most of the lines or of the text are no longer used, what is used moves together.
void TMemIniFile::CompactIfSparse() {
    const bool sparseLines = m_unusedLines >= 1024 && m_unusedLines * 2 >= m_lines.size();
    const bool sparseText = m_unusedText >= 65536 && m_unusedText * 2 >= m_text.size();
    if (!sparseLines && !sparseText)
        return;
    std::string text;
    text.reserve(m_text.size() - m_unusedText);
    std::vector<Line> lines;
    lines.reserve(m_lines.size() - m_unusedLines);
    const auto move = [&](Span s) {
        const Span moved{static_cast<std::uint32_t>(text.size()), s.Length};
        text.append(View(s));
        return moved;
    };
    for (IniSection& s : m_sections) {
        s.Name = move(s.Name);
        const int first = static_cast<int>(lines.size());
        for (int i = s.First; i >= 0; i = LineAt(i).Next) {
            const Line& line = LineAt(i);
            lines.push_back(
                Line{move(line.Key), move(line.Value), static_cast<int>(lines.size() + 1), line.HasValue});
        }
        s.First = s.Count > 0 ? first : -1;
        s.Last = s.Count > 0 ? static_cast<int>(lines.size()) - 1 : -1;
        if (s.Last >= 0)
            lines.back().Next = -1;
    }
    m_text = std::move(text);
    m_lines = std::move(lines);
    m_unusedText = m_unusedLines = 0;
    for (IniSection& s : m_sections)
        IndexKeys(s);
}

// --- Reading -------------------------------------------------------------------------------

std::optional<std::string_view> TMemIniFile::FindValue(std::string_view Section,
                                                       std::string_view Ident) const {
    const int s = FindSection(Section);
    if (s < 0)
        return std::nullopt;
    const int i = FindKey(SectionAt(s), Ident);
    if (i < 0 || !LineAt(i).HasValue)
        return std::nullopt;
    return View(LineAt(i).Value);
}

bool TMemIniFile::LineCursor::Next(std::string_view& Key, std::optional<std::string_view>& Value) {
    if (m_line < 0)
        return false;
    const Line& line = m_ini->LineAt(m_line);
    Key = m_ini->View(line.Key);
    Value = line.HasValue ? std::optional(m_ini->View(line.Value)) : std::nullopt;
    m_line = line.Next;
    return true;
}

TMemIniFile::LineCursor TMemIniFile::SectionLines(std::string_view Section) const {
    LineCursor cursor;
    if (const int s = FindSection(Section); s >= 0) {
        cursor.m_ini = this;
        cursor.m_line = SectionAt(s).First;
        cursor.m_count = SectionAt(s).Count;
    }
    return cursor;
}

std::string TMemIniFile::ReadString(std::string_view Section, std::string_view Ident,
                                    std::string_view Default) const {
    return std::string(FindValue(Section, Ident).value_or(Default));
}

// Fills Strings with one string per line of the section (none when it is missing).
template <class Text>
void TMemIniFile::ListSection(std::string_view Section, TStrings& Strings, const Text& text) const {
    Strings.BeginUpdate();
    try {
        Strings.Clear();
        if (const int s = FindSection(Section); s >= 0)
            for (int i = SectionAt(s).First; i >= 0; i = LineAt(i).Next)
                Strings.Add(text(i));
    } catch (...) {
        Strings.EndUpdate();
        throw;
    }
    Strings.EndUpdate();
}

std::string TMemIniFile::LineText(int LineNumber) const {
    const Line& line = LineAt(LineNumber);
    std::string text(View(line.Key));
    if (line.HasValue)
        text.append(1, '=').append(View(line.Value));
    return text;
}

void TMemIniFile::ReadSection(std::string_view Section, TStrings& Strings) const {
    ListSection(Section, Strings, [this](int i) { return std::string(KeyOf(i)); });
}

void TMemIniFile::ReadSectionValues(std::string_view Section, TStrings& Strings) const {
    ListSection(Section, Strings, [this](int i) { return LineText(i); });
}

void TMemIniFile::ReadSections(TStrings& Strings) const {
    Strings.BeginUpdate();
    try {
        Strings.Clear();
        for (const IniSection& s : m_sections)
            Strings.Add(std::string(View(s.Name)));
    } catch (...) {
        Strings.EndUpdate();
        throw;
    }
    Strings.EndUpdate();
}

bool TMemIniFile::SectionExists(std::string_view Section) const { return FindSection(Section) >= 0; }

bool TMemIniFile::ValueExists(std::string_view Section, std::string_view Ident) const {
    const int s = FindSection(Section);
    return s >= 0 && FindKey(SectionAt(s), Ident) >= 0;
}

// --- Writing -------------------------------------------------------------------------------

void TMemIniFile::WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) {
    // Text that lies in the ini itself (a value read and written back) is copied first: the
    // ini's text may move as it grows.
    const auto inText = [this](std::string_view s) {
        const std::less<const char*> before;
        return !s.empty() && !before(s.data(), m_text.data()) &&
               before(s.data(), m_text.data() + m_text.size());
    };
    if (inText(Section) || inText(Ident) || inText(Value)) {
        WriteString(std::string(Section), std::string(Ident), std::string(Value));
        return;
    }
    CheckSectionName(Section);
    CheckKey(Section, Ident);
    CheckValue(Section, Ident, Value);
    // Text that is not UTF-8 is stored repaired, and names are looked for as they are stored:
    // a name written twice is then found the second time.
    std::string repairedName, repairedKey, repairedValue;
    const std::string_view name = Stored(Section, repairedName), key = Stored(Ident, repairedKey);
    const std::string_view value = Stored(Value, repairedValue);
    // Writers mostly write several keys of one section in a row.
    int s = m_lastWritten >= 0 && SameName(View(SectionAt(m_lastWritten).Name), name) ? m_lastWritten
                                                                                      : FindSection(name);
    if (s < 0)
        s = AddSection(Keep(name), HashName(name));
    m_lastWritten = s;
    IniSection& section = SectionAt(s);
    if (const int i = FindKey(section, key); i >= 0) {
        // The key keeps the spelling it has in the file.
        Line& line = LineAt(i);
        m_unusedText += line.Value.Length;
        line.Value = Keep(value);
        line.HasValue = true;
    } else {
        const Span keptKey = Keep(key);
        m_lines.push_back(Line{keptKey, Keep(value), -1, true});
        Chain(section, static_cast<int>(m_lines.size() - 1));
    }
    CompactIfSparse();
    m_modified = true;
}

void TMemIniFile::EraseSection(std::string_view Section) {
    const int s = FindSection(Section);
    if (s < 0)
        return;
    for (int i = SectionAt(s).First; i >= 0;) {
        const int next = LineAt(i).Next;
        Unlink(i);
        i = next;
    }
    m_unusedText += SectionAt(s).Name.Length;
    m_sections.erase(m_sections.begin() + s);
    m_lastWritten = -1;
    m_index.Clear();
    for (std::size_t i = 0; i < m_sections.size(); ++i)
        m_index.Add(HashName(View(m_sections[i].Name)), static_cast<int>(i));
    CompactIfSparse();
    m_modified = true;
}

void TMemIniFile::DeleteKey(std::string_view Section, std::string_view Ident) {
    const int s = FindSection(Section);
    if (s < 0)
        return;
    IniSection& sec = SectionAt(s);
    const int i = FindKey(sec, Ident);
    if (i < 0)
        return;
    int before = -1;
    for (int k = sec.First; k != i; k = LineAt(k).Next)
        before = k;
    const int next = LineAt(i).Next;
    (before < 0 ? sec.First : LineAt(before).Next) = next;
    if (sec.Last == i)
        sec.Last = before;
    --sec.Count;
    Unlink(i);
    if (sec.Keys)
        IndexKeys(sec);
    CompactIfSparse();
    m_modified = true;
}

void TMemIniFile::Clear() {
    Empty();
    m_modified = true;
}

void TMemIniFile::Reserve(std::size_t Sections, std::size_t Lines, std::size_t TextBytes) {
    m_sections.reserve(m_sections.size() + Sections);
    m_index.Reserve(m_sections.size() + Sections);
    m_lines.reserve(m_lines.size() + Lines);
    m_text.reserve(m_text.size() + TextBytes);
}

void TMemIniFile::GetStrings(TStrings& List) const {
    List.BeginUpdate();
    try {
        List.Clear();
        for (const IniSection& s : m_sections) {
            List.Add("[" + std::string(View(s.Name)) + "]");
            for (int i = s.First; i >= 0; i = LineAt(i).Next)
                List.Add(LineText(i));
            List.Add("");
        }
    } catch (...) {
        List.EndUpdate();
        throw;
    }
    List.EndUpdate();
}

void TMemIniFile::SetStrings(const TStrings& List) {
    std::string text;
    for (int i = 0, n = List.Count(); i < n; ++i) {
        text += List.Strings(i);
        text += '\n';
    }
    Parse(IsValidUtf8(text) ? std::move(text) : Utf8Repair(text));
    m_modified = true;
}

std::string TMemIniFile::SaveToBytes() const {
    const TEncoding* enc = m_encoding ? m_encoding : TEncoding::Default();
    const bool utf8 = enc->EncodingForm() == TEncoding::Form::UTF8;
    // The whole file in one buffer, sized before it is filled.
    std::size_t size = utf8 ? enc->Preamble().size() : 0;
    for (const IniSection& s : m_sections) {
        size += s.Name.Length + 4;
        for (int i = s.First; i >= 0; i = LineAt(i).Next)
            size += LineAt(i).Key.Length + LineAt(i).Value.Length + 2;
    }
    std::string text;
    text.reserve(size);
    if (utf8)
        text.append(enc->Preamble());
    for (const IniSection& s : m_sections) {
        text.append(1, '[').append(View(s.Name)).append("]\n");
        for (int i = s.First; i >= 0; i = LineAt(i).Next) {
            const Line& line = LineAt(i);
            text.append(View(line.Key));
            if (line.HasValue)
                text.append(1, '=').append(View(line.Value));
            text += '\n';
        }
        text += '\n';
    }
    return utf8 ? text : std::string(enc->Preamble()) + enc->GetBytes(text);
}

void TMemIniFile::UpdateFile() {
    platform::IoError err;
    if (!platform::Platform().WriteFileAtomic(FileName(), SaveToBytes(), &err))
        throw EFCreateError("Cannot create file \"" + FileName() + "\". " + err.Text);
    m_modified = false;
}

void TMemIniFile::Rename(std::string FileName, bool Reload) {
    SetFileName(std::move(FileName));
    if (Reload)
        LoadFile();
}

// --- TIniFile ------------------------------------------------------------------------------

const TClassInfo& TIniFile::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TIniFile, TMemIniFile>("TIniFile");
    return info;
}

TIniFile::TIniFile(std::string FileName, const TEncoding* Encoding)
    : TMemIniFile(std::move(FileName), Encoding) {
    SetAutoSave(true);
}

}  // namespace framework
