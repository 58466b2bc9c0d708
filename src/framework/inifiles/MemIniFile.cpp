#include "framework/inifiles/MemIniFile.h"

#include "framework/classes/Strings.h"
#include "framework/classes/TypInfo.h"
#include "framework/inifiles/NameIndex.h"
#include "framework/platform/Platform.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/Unicode.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <limits>

namespace framework {

using inifiles_detail::HashName;
using inifiles_detail::NameIndex;
using inifiles_detail::SameName;

namespace {

// A section's keys are searched one by one up to this many; beyond it a section keeps an index.
constexpr std::size_t kLinearKeys = 12;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimLeftView(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    return s.substr(i);
}

std::string_view TrimRightView(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && IsBlank(s[n - 1]))
        --n;
    return s.substr(0, n);
}

bool HasHighBytes(std::string_view s) {
    // Eight bytes at a time: most texts are short and plain ASCII.
    std::uint64_t any = 0;
    std::size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + i, 8);
        any |= word;
    }
    for (; i < s.size(); ++i)
        any |= static_cast<unsigned char>(s[i]);
    return (any & 0x8080808080808080ull) != 0;
}

// Text as it will be stored: ill-formed UTF-8 repaired now, so memory, file and a fresh load agree.
// Repaired is where a repaired copy goes.
std::string_view Stored(std::string_view s, std::string& repaired) {
    if (!HasHighBytes(s))
        return s;
    repaired = Utf8Repair(s);
    return repaired;
}

[[noreturn]] void Refuse(std::string_view what, std::string_view name, std::string_view why) {
    throw EIniFileException("Cannot write ini " + std::string(what) + " \"" + std::string(name) +
                            "\": " + std::string(why));
}

bool HasLineBreakOrNul(std::string_view s) {
    for (const char c : s)
        if (c == '\r' || c == '\n' || c == '\0')
            return true;
    return false;
}

void CheckSectionName(std::string_view name) {
    if (HasLineBreakOrNul(name))
        Refuse("section", name, "it contains a line break or NUL");
    if (name.find(']') != name.npos)
        Refuse("section", name, "it contains ']'");
    if (!name.empty() && (IsBlank(name.front()) || IsBlank(name.back())))
        Refuse("section", name, "it starts or ends with a blank");
}

// Why the key cannot be written, or null when it can.
const char* KeyFault(std::string_view key) {
    if (HasLineBreakOrNul(key))
        return "it contains a line break or NUL";
    if (key.find('=') != key.npos)
        return "it contains '='";
    if (!key.empty() && (IsBlank(key.front()) || IsBlank(key.back())))
        return "it starts or ends with a blank";
    if (!key.empty() && (key.front() == ';' || key.front() == '['))
        return "it starts with ';' or '['";
    return nullptr;
}

std::string KeyInSection(std::string_view section, std::string_view key) {
    return std::string(key) + "\" in section \"" + std::string(section);
}

void CheckKeyName(std::string_view section, std::string_view key) {
    if (const char* fault = KeyFault(key))
        Refuse("key", KeyInSection(section, key), fault);
}

void CheckValue(std::string_view section, std::string_view key, std::string_view value) {
    if (HasLineBreakOrNul(value))
        Refuse("value", KeyInSection(section, key), "it contains a line break or NUL");
}

}  // namespace

namespace inifiles_detail {

namespace {

// The hash of a name with letters outside ASCII: over its upper-cased code points.
std::size_t HashFolded(std::string_view s) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::size_t i = 0; i < s.size();)
        h = (h ^ UnicodeToUpper(Utf8Decode(s, i))) * 1099511628211ull;
    return static_cast<std::size_t>(h ^ (h >> 32));
}

}  // namespace

bool SameFoldedFrom(std::string_view a, std::string_view b, std::size_t From) {
    for (std::size_t i = From; i < a.size(); ++i) {
        auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if ((x | y) >= 0x80) {
            // Letters outside ASCII: compare code point by code point from here, starting at
            // the beginning of the character that holds byte i.
            std::size_t p = i, q = i;
            while (p > 0 && (static_cast<unsigned char>(a[p]) & 0xC0) == 0x80)
                --p;
            q = p;
            while (p < a.size() && q < b.size())
                if (UnicodeToUpper(Utf8Decode(a, p)) != UnicodeToUpper(Utf8Decode(b, q)))
                    return false;
            return p == a.size() && q == b.size();
        }
        if (x != y && ((x | 0x20) != (y | 0x20) || (x | 0x20) < 'a' || (x | 0x20) > 'z'))
            return false;
    }
    return true;
}

std::size_t HashName(std::string_view s) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
    constexpr std::uint64_t kPrime = 0x9E3779B97F4A7C15ull;
    std::uint64_t h = s.size() * kPrime;
    // Plain ASCII, eight bytes at a time: lower-case letters lose their 0x20 bit.
    for (std::size_t i = 0; i < s.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, s.data() + i, std::min<std::size_t>(8, s.size() - i));
        if (word & kHigh)
            return HashFolded(s);
        const std::uint64_t atLeastA = word + (0x80 - 'a') * kOnes;
        const std::uint64_t aboveZ = word + (0x80 - 'z' - 1) * kOnes;
        word ^= ((atLeastA & ~aboveZ) & kHigh) >> 2;
        h = (h ^ word) * kPrime;
        h ^= h >> 29;
    }
    // Every bit of the names reaches the low bits, which pick the slot.
    h = (h ^ (h >> 33)) * 0xFF51AFD7ED558CCDull;
    return static_cast<std::size_t>(h ^ (h >> 33));
}

}  // namespace inifiles_detail

// A piece of text: where it starts and how long it is, in the loaded text or, when Written,
// in Store::Written. Offsets rather than pointers, so that either string may grow.
struct Span {
    std::uint32_t Start = 0;
    std::uint32_t Length = 0;
    bool Written = false;
};

// One key line.
struct Line {
    Span Key;
    Span Value;
    std::int32_t Next = -1;  // the next line of the same section
    bool HasValue = true;
};

struct IniSection {
    std::string Name;
    int First = -1;
    int Last = -1;
    int Count = 0;
    std::unique_ptr<NameIndex> Keys;  // once the section has more than kLinearKeys keys
};

// Every line of every section sits in one vector, each section chaining its own, and every
// text written since the load sits in one string: a file of thousands of small sections costs
// a few allocations rather than thousands.
struct TMemIniFile::Store {
    std::string Text;                // the loaded text
    std::string Written;             // texts written since, one after the other
    std::size_t WrittenGarbage = 0;  // bytes of Written that no line uses any more
    std::vector<Line> Lines;
    std::size_t DeadLines = 0;  // removed lines still taking room in Lines
    std::vector<IniSection> Sections;
    NameIndex Index;  // sections by name
    // Readers mostly ask for one section several times, then for the next one in the file.
    mutable std::atomic<int> LastFound{-1};

    std::string_view View(Span s) const {
        return std::string_view(s.Written ? Written : Text).substr(s.Start, s.Length);
    }
    std::string_view KeyOf(int line) const { return View(LineAt(line).Key); }
    std::string_view ValueOf(int line) const { return View(LineAt(line).Value); }
    const IniSection& SectionAt(int i) const { return Sections[static_cast<std::size_t>(i)]; }
    IniSection& SectionAt(int i) { return Sections[static_cast<std::size_t>(i)]; }
    const Line& LineAt(int i) const { return Lines[static_cast<std::size_t>(i)]; }
    Line& LineAt(int i) { return Lines[static_cast<std::size_t>(i)]; }

    int FindSection(std::string_view name) const {
        const int guessed = Guess(name);
        return guessed >= 0 ? guessed : FindHashed(name, HashName(name));
    }
    // The section found last or the one after it, when it has that name; else -1.
    int Guess(std::string_view name) const {
        const int last = LastFound.load(std::memory_order_relaxed);
        for (int guess = std::max(last, 0); guess <= last + 1 && guess < static_cast<int>(Sections.size());
             ++guess) {
            const std::string& candidate = SectionAt(guess).Name;
            if (candidate.size() == name.size() && SameName(candidate, name)) {
                LastFound.store(guess, std::memory_order_relaxed);
                return guess;
            }
        }
        return -1;
    }
    int FindHashed(std::string_view name, std::size_t hash) const {
        const int found =
            Index.Find(name, hash, [this](int p) { return std::string_view(SectionAt(p).Name); });
        if (found >= 0)
            LastFound.store(found, std::memory_order_relaxed);
        return found;
    }
    int AddHashed(std::string_view name, std::size_t hash) {
        Sections.emplace_back().Name.assign(name);
        const int pos = static_cast<int>(Sections.size() - 1);
        Index.Add(hash, pos);
        LastFound.store(pos, std::memory_order_relaxed);
        return pos;
    }
    void IndexSections() {
        Index.Clear();
        Index.Reserve(Sections.size());
        for (std::size_t i = 0; i < Sections.size(); ++i)
            Index.Add(HashName(Sections[i].Name), static_cast<int>(i));
    }

    // The first line of the section with that key, or -1.
    int FindKey(const IniSection& s, std::string_view key) const {
        if (s.Keys)
            return s.Keys->Find(key, HashName(key), [this](int i) { return KeyOf(i); });
        for (int i = s.First; i >= 0; i = LineAt(i).Next) {
            const Span k = LineAt(i).Key;
            if (k.Length == key.size() && SameName(View(k), key))
                return i;
        }
        return -1;
    }
    void Append(int section, const Line& line) {
        const int pos = static_cast<int>(Lines.size());
        Lines.push_back(line);
        IniSection& s = SectionAt(section);
        if (s.Last >= 0)
            LineAt(s.Last).Next = pos;
        else
            s.First = pos;
        s.Last = pos;
        ++s.Count;
        if (s.Keys) {
            const std::string_view key = KeyOf(pos);
            const std::size_t h = HashName(key);
            if (s.Keys->Find(key, h, [this](int i) { return KeyOf(i); }) < 0)
                s.Keys->Add(h, pos);
        } else if (static_cast<std::size_t>(s.Count) > kLinearKeys) {
            IndexKeys(s);
        }
    }
    void IndexKeys(IniSection& s) {
        s.Keys.reset();
        if (static_cast<std::size_t>(s.Count) <= kLinearKeys)
            return;
        auto keys = std::make_unique<NameIndex>();
        keys->Reserve(static_cast<std::size_t>(s.Count));
        auto keyAt = [this](int i) { return KeyOf(i); };
        for (int i = s.First; i >= 0; i = LineAt(i).Next) {
            const std::size_t h = HashName(KeyOf(i));
            if (keys->Find(KeyOf(i), h, keyAt) < 0)
                keys->Add(h, i);
        }
        s.Keys = std::move(keys);
    }

    // Keeps a copy of text in Written. Text may itself lie in Written.
    Span Write(std::string_view text) {
        if (Written.size() + text.size() > std::numeric_limits<std::uint32_t>::max())
            throw EIniFileException("Cannot write ini value: the ini holds too much text");
        const Span span{static_cast<std::uint32_t>(Written.size()), static_cast<std::uint32_t>(text.size()),
                        true};
        const bool inside = !Written.empty() && text.data() >= Written.data() &&
                            text.data() < Written.data() + Written.size();
        if (inside)
            Written.append(Written, static_cast<std::size_t>(text.data() - Written.data()), text.size());
        else
            Written.append(text);
        return span;
    }
    void Forget(Span s) {
        if (s.Written)
            WrittenGarbage += s.Length;
    }
    void Kill(Line& line) {
        Forget(line.Key);
        Forget(line.Value);
        line = Line{};
        ++DeadLines;
    }
    // Once most of Lines or of Written is no longer used, what is used moves together again.
    void CompactIfSparse() {
        if (DeadLines >= 1024 && DeadLines * 2 >= Lines.size()) {
            std::vector<Line> live;
            live.reserve(Lines.size() - DeadLines);
            for (IniSection& s : Sections) {
                const int first = static_cast<int>(live.size());
                for (int i = s.First; i >= 0; i = LineAt(i).Next) {
                    live.push_back(LineAt(i));
                    live.back().Next = static_cast<int>(live.size());
                }
                s.First = s.Count > 0 ? first : -1;
                s.Last = s.Count > 0 ? static_cast<int>(live.size()) - 1 : -1;
                if (s.Last >= 0)
                    live.back().Next = -1;
            }
            Lines = std::move(live);
            DeadLines = 0;
            for (IniSection& s : Sections)
                if (s.Keys)
                    IndexKeys(s);
        }
        if (WrittenGarbage >= 65536 && WrittenGarbage * 2 >= Written.size()) {
            std::string kept;
            kept.reserve(Written.size() - WrittenGarbage);
            auto move = [&](Span& s) {
                if (!s.Written)
                    return;
                const std::size_t start = kept.size();
                kept.append(Written, s.Start, s.Length);
                s.Start = static_cast<std::uint32_t>(start);
            };
            for (const IniSection& s : Sections)
                for (int i = s.First; i >= 0; i = LineAt(i).Next) {
                    move(LineAt(i).Key);
                    move(LineAt(i).Value);
                }
            Written = std::move(kept);
            WrittenGarbage = 0;
        }
    }
};

// --- Construction and loading ----------------------------------------------------------------

const TClassInfo& TMemIniFile::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TMemIniFile, TCustomIniFile>("TMemIniFile");
    return info;
}

TMemIniFile::TMemIniFile(std::string FileName, const TEncoding* Encoding)
    : TCustomIniFile(std::move(FileName)), m_data(std::make_unique<Store>()), m_encoding(Encoding),
      m_requestedEncoding(Encoding) {
    LoadFile();
}

TMemIniFile::~TMemIniFile() { SaveIfModified(); }

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

void TMemIniFile::SaveIfModified() noexcept {
    if (!m_autoSave || !m_modified)
        return;
    try {
        TMemIniFile::UpdateFile();
    } catch (...) {
        // Swallowed: a destructor must not throw. The old file is still intact.
    }
}

void TMemIniFile::LoadFile() {
    Clear();
    m_modified = false;
    if (FileName().empty())
        return;
    platform::IPlatform& os = platform::Platform();
    const platform::FileStat st = os.Stat(FileName());
    if (!st.Exists)
        return;
    if (st.IsDirectory)
        throw EFOpenError("Cannot open file \"" + FileName() + "\". Is a directory");
    if (st.Size > MaxFileSize())
        throw EIniFileException("Cannot load ini file \"" + FileName() + "\": it is larger than " +
                                std::to_string(MaxFileSize()) + " bytes");
    platform::IoError err;
    std::optional<std::string> bytes = os.ReadFile(FileName(), &err);
    if (!bytes) {
        if (err.Code == ENOENT)
            return;  // removed between the two looks: the same as missing
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
        if (preamble > 0)
            Bytes.erase(0, preamble);
        if (HasHighBytes(Bytes) && !IsValidUtf8(Bytes))
            Bytes = Utf8Repair(Bytes);
    }
    m_encoding = used;
    Parse(std::move(Bytes));
    m_modified = false;
}

void TMemIniFile::Parse(std::string Text) {
    m_data = std::make_unique<Store>();
    Store& d = *m_data;
    d.Text = std::move(Text);
    const std::string_view text = d.Text;
    // Room by a guess from the size (lines of some 16 bytes, a section to some 64): a good
    // guess saves most of the growing, and a bad one costs no more than growing does.
    d.Lines.reserve(std::min<std::size_t>(text.size() / 16, 1u << 20));
    d.Sections.reserve(std::min<std::size_t>(text.size() / 64, 1u << 18));
    d.Index.Reserve(d.Sections.capacity());
    const char* p = text.data();
    const char* const end = p + text.size();
    // Each of LF, CR and CR LF ends a line; most files have no CR at all.
    const bool hasCR = std::memchr(p, '\r', text.size()) != nullptr;
    int current = -1;
    bool merging = false;  // in a repeated section: only keys it lacks are taken
    while (p < end) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        const char* stop = lf ? lf : end;
        const char* next = lf ? lf + 1 : end;
        if (hasCR) {
            if (const char* cr =
                    static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(stop - p)))) {
                next = (cr + 1 == lf) ? lf + 1 : cr + 1;
                stop = cr;
            }
        }
        const std::string_view line = TrimView(std::string_view(p, static_cast<std::size_t>(stop - p)));
        p = next;
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            const std::string_view name = TrimView(line.substr(1, line.size() - 2));
            const std::size_t hash = HashName(name);
            current = d.FindHashed(name, hash);
            merging = current >= 0;
            if (!merging)
                current = d.AddHashed(name, hash);
            continue;
        }
        if (current < 0)
            continue;  // lines before the first section
        auto span = [&](std::string_view part) {
            return Span{static_cast<std::uint32_t>(part.data() - text.data()),
                        static_cast<std::uint32_t>(part.size()), false};
        };
        const std::size_t eq = line.find('=');
        const std::string_view key = eq == line.npos ? line : TrimRightView(line.substr(0, eq));
        if (merging && d.FindKey(d.SectionAt(current), key) >= 0)
            continue;
        if (eq == line.npos)
            d.Append(current, Line{span(key), Span{}, -1, false});
        else
            d.Append(current, Line{span(key), span(TrimLeftView(line.substr(eq + 1))), -1, true});
    }
}

// --- Reading -------------------------------------------------------------------------------

std::optional<std::string_view> TMemIniFile::FindValue(std::string_view Section,
                                                       std::string_view Ident) const {
    const int s = m_data->FindSection(Section);
    if (s < 0)
        return std::nullopt;
    const int i = m_data->FindKey(m_data->SectionAt(s), Ident);
    if (i < 0 || !m_data->LineAt(i).HasValue)
        return std::nullopt;
    return m_data->ValueOf(i);
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
        if (const int s = m_data->FindSection(Section); s >= 0)
            for (int i = m_data->SectionAt(s).First; i >= 0; i = m_data->LineAt(i).Next)
                Strings.Add(text(i));
    } catch (...) {
        Strings.EndUpdate();
        throw;
    }
    Strings.EndUpdate();
}

std::string TMemIniFile::LineText(int Line) const {
    std::string text(m_data->KeyOf(Line));
    if (m_data->LineAt(Line).HasValue)
        text.append(1, '=').append(m_data->ValueOf(Line));
    return text;
}

void TMemIniFile::ReadSection(std::string_view Section, TStrings& Strings) const {
    ListSection(Section, Strings, [this](int i) { return std::string(m_data->KeyOf(i)); });
}

void TMemIniFile::ReadSectionValues(std::string_view Section, TStrings& Strings) const {
    ListSection(Section, Strings, [this](int i) { return LineText(i); });
}

void TMemIniFile::ReadSections(TStrings& Strings) const {
    Strings.BeginUpdate();
    try {
        Strings.Clear();
        for (const IniSection& s : m_data->Sections)
            Strings.Add(s.Name);
    } catch (...) {
        Strings.EndUpdate();
        throw;
    }
    Strings.EndUpdate();
}

bool TMemIniFile::SectionExists(std::string_view Section) const { return m_data->FindSection(Section) >= 0; }

bool TMemIniFile::ValueExists(std::string_view Section, std::string_view Ident) const {
    const int s = m_data->FindSection(Section);
    return s >= 0 && m_data->FindKey(m_data->SectionAt(s), Ident) >= 0;
}

// --- Writing -------------------------------------------------------------------------------

void TMemIniFile::WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) {
    CheckSectionName(Section);
    CheckKeyName(Section, Ident);
    CheckValue(Section, Ident, Value);
    Store& d = *m_data;
    std::string repairedName, repairedValue;
    int s = d.Guess(Section);
    if (s < 0) {
        const std::size_t hash = HashName(Section);
        s = d.FindHashed(Section, hash);
        if (s < 0) {
            const std::string_view name = Stored(Section, repairedName);
            s = d.AddHashed(name, name.data() == Section.data() ? hash : HashName(name));
        }
    }
    const int i = d.FindKey(d.SectionAt(s), Ident);
    // The key keeps the spelling it has in the file; the index stays right.
    const Span value = d.Write(Stored(Value, repairedValue));
    if (i >= 0) {
        Line& line = d.LineAt(i);
        d.Forget(line.Value);
        line.Value = value;
        line.HasValue = true;
    } else {
        d.Append(s, Line{d.Write(Stored(Ident, repairedName)), value, -1, true});
    }
    d.CompactIfSparse();
    m_modified = true;
}

void TMemIniFile::EraseSection(std::string_view Section) {
    Store& d = *m_data;
    const int s = d.FindSection(Section);
    if (s < 0)
        return;
    for (int i = d.SectionAt(s).First; i >= 0;) {
        const int next = d.LineAt(i).Next;
        d.Kill(d.LineAt(i));
        i = next;
    }
    d.Sections.erase(d.Sections.begin() + s);
    d.IndexSections();
    d.CompactIfSparse();
    m_modified = true;
}

void TMemIniFile::DeleteKey(std::string_view Section, std::string_view Ident) {
    Store& d = *m_data;
    const int s = d.FindSection(Section);
    const int i = s >= 0 ? d.FindKey(d.SectionAt(s), Ident) : -1;
    if (i < 0)
        return;
    IniSection& sec = d.SectionAt(s);
    int before = -1;
    for (int k = sec.First; k != i; k = d.LineAt(k).Next)
        before = k;
    const int next = d.LineAt(i).Next;
    (before < 0 ? sec.First : d.LineAt(before).Next) = next;
    if (sec.Last == i)
        sec.Last = before;
    --sec.Count;
    d.Kill(d.LineAt(i));
    if (sec.Keys)
        d.IndexKeys(sec);
    d.CompactIfSparse();
    m_modified = true;
}

void TMemIniFile::Clear() {
    m_data = std::make_unique<Store>();
    m_modified = true;
}

void TMemIniFile::GetStrings(TStrings& List) const {
    List.BeginUpdate();
    try {
        List.Clear();
        for (const IniSection& s : m_data->Sections) {
            List.Add("[" + s.Name + "]");
            for (int i = s.First; i >= 0; i = m_data->LineAt(i).Next)
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
    Parse(HasHighBytes(text) ? Utf8Repair(text) : std::move(text));
    m_modified = true;
}

std::string TMemIniFile::SaveToBytes() const {
    const Store& d = *m_data;
    std::size_t size = 0;
    for (const IniSection& s : d.Sections) {
        size += s.Name.size() + 4;
        for (int i = s.First; i >= 0; i = d.LineAt(i).Next)
            size += d.LineAt(i).Key.Length + d.LineAt(i).Value.Length + 2;
    }
    // Sized once, then filled piece by piece.
    std::string text(size, '\0');
    char* out = text.data();
    auto put = [&out](std::string_view piece) {
        std::memcpy(out, piece.data(), piece.size());
        out += piece.size();
    };
    for (const IniSection& s : d.Sections) {
        *out++ = '[';
        put(s.Name);
        put("]\n");
        for (int i = s.First; i >= 0; i = d.LineAt(i).Next) {
            put(d.KeyOf(i));
            if (d.LineAt(i).HasValue) {
                *out++ = '=';
                put(d.ValueOf(i));
            }
            *out++ = '\n';
        }
        *out++ = '\n';
    }
    text.resize(static_cast<std::size_t>(out - text.data()));  // lines without '=' took less
    const TEncoding* enc = m_encoding ? m_encoding : TEncoding::Default();
    if (enc->EncodingForm() == TEncoding::Form::UTF8) {
        text.insert(0, enc->Preamble());
        return text;
    }
    return std::string(enc->Preamble()) + enc->GetBytes(text);
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
