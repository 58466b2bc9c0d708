#include "framework/inifiles/MemIniFile.h"

#include "framework/classes/Strings.h"
#include "framework/classes/TypInfo.h"
#include "framework/inifiles/NameIndex.h"
#include "framework/platform/Platform.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Unicode.h"

#include <cerrno>
#include <cstring>

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

std::string_view TrimView(std::string_view s) { return TrimRightView(TrimLeftView(s)); }

bool HasHighBytes(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

// Text as it will be stored: ill-formed UTF-8 repaired now, so memory, file and a fresh load agree.
std::string Stored(std::string_view s) { return HasHighBytes(s) ? Utf8Repair(s) : std::string(s); }

[[noreturn]] void Refuse(std::string_view what, std::string_view name, std::string_view why) {
    throw EIniFileException("Cannot write ini " + std::string(what) + " \"" + std::string(name) +
                            "\": " + std::string(why));
}

bool HasLineBreakOrNul(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != s.npos;
}

void CheckSectionName(std::string_view name) {
    if (HasLineBreakOrNul(name))
        Refuse("section", name, "it contains a line break or NUL");
    if (name.find(']') != name.npos)
        Refuse("section", name, "it contains ']'");
    if (!name.empty() && (IsBlank(name.front()) || IsBlank(name.back())))
        Refuse("section", name, "it starts or ends with a blank");
}

void CheckKeyName(std::string_view section, std::string_view key) {
    const std::string where = std::string(key) + "\" in section \"" + std::string(section);
    if (HasLineBreakOrNul(key))
        Refuse("key", where, "it contains a line break or NUL");
    if (key.find('=') != key.npos)
        Refuse("key", where, "it contains '='");
    if (!key.empty() && (IsBlank(key.front()) || IsBlank(key.back())))
        Refuse("key", where, "it starts or ends with a blank");
    if (!key.empty() && (key.front() == ';' || key.front() == '['))
        Refuse("key", where, "it starts with ';' or '['");
}

void CheckValue(std::string_view section, std::string_view key, std::string_view value) {
    if (HasLineBreakOrNul(value))
        Refuse("value", std::string(key) + "\" in section \"" + std::string(section),
               "it contains a line break or NUL");
}

}  // namespace

namespace inifiles_detail {

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if ((x | y) >= 0x80) {
            // Letters outside ASCII: compare code point by code point from here.
            std::size_t p = i, q = i;
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
    // FNV-1a over upper-cased code points; ASCII is folded without decoding.
    std::uint64_t h = 1469598103934665603ull;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        char32_t c;
        if (b < 0x80) {
            c = (b >= 'a' && b <= 'z') ? b - 32u : b;
            ++i;
        } else {
            c = UnicodeToUpper(Utf8Decode(s, i));
        }
        h = (h ^ c) * 1099511628211ull;
    }
    return static_cast<std::size_t>(h ^ (h >> 32));
}

}  // namespace inifiles_detail

// One key line. Loaded lines point into the loaded text; a line written since owns its text.
struct Entry {
    std::string_view Key;
    std::string_view Value;
    bool HasValue = true;
    std::unique_ptr<std::string> Own;
};

struct TMemIniFile::SectionData {
    std::string Name;
    std::vector<Entry> Entries;
    NameIndex Index;  // used once the section has more than kLinearKeys keys
    bool Indexed = false;

    int Find(std::string_view key) const {
        if (Indexed)
            return Index.Find(key, HashName(key),
                              [this](int i) { return Entries[static_cast<std::size_t>(i)].Key; });
        for (std::size_t i = 0; i < Entries.size(); ++i)
            if (Entries[i].Key.size() == key.size() && SameName(Entries[i].Key, key))
                return static_cast<int>(i);
        return -1;
    }
    // Appends a key line; the first line of a name is the one found.
    void Append(Entry e) {
        Entries.push_back(std::move(e));
        if (Indexed) {
            const std::string_view key = Entries.back().Key;
            const std::size_t h = HashName(key);
            if (Index.Find(key, h, [this](int i) { return Entries[static_cast<std::size_t>(i)].Key; }) < 0)
                Index.Add(h, static_cast<int>(Entries.size() - 1));
        } else if (Entries.size() > kLinearKeys) {
            Reindex();
        }
    }
    void Reindex() {
        Index.Clear();
        Indexed = Entries.size() > kLinearKeys;
        if (!Indexed)
            return;
        Index.Reserve(Entries.size());
        auto nameAt = [this](int i) { return Entries[static_cast<std::size_t>(i)].Key; };
        for (std::size_t i = 0; i < Entries.size(); ++i) {
            const std::size_t h = HashName(Entries[i].Key);
            if (Index.Find(Entries[i].Key, h, nameAt) < 0)
                Index.Add(h, static_cast<int>(i));
        }
    }
};

struct TMemIniFile::SectionList {
    std::string Text;  // the loaded text; loaded entries point into it
    std::vector<std::unique_ptr<SectionData>> List;
    NameIndex Index;

    SectionData* Find(std::string_view name) const {
        const int i = Index.Find(name, HashName(name), [this](int p) {
            return std::string_view(List[static_cast<std::size_t>(p)]->Name);
        });
        return i < 0 ? nullptr : List[static_cast<std::size_t>(i)].get();
    }
    SectionData* Add(std::string_view name) {
        List.push_back(std::make_unique<SectionData>());
        List.back()->Name.assign(name);
        Index.Add(HashName(name), static_cast<int>(List.size() - 1));
        return List.back().get();
    }
    void Reindex() {
        Index.Clear();
        Index.Reserve(List.size());
        for (std::size_t i = 0; i < List.size(); ++i)
            Index.Add(HashName(List[i]->Name), static_cast<int>(i));
    }
};

// --- Construction and loading ----------------------------------------------------------------

const TClassInfo& TMemIniFile::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TMemIniFile, TCustomIniFile>("TMemIniFile");
    return info;
}

TMemIniFile::TMemIniFile(std::string FileName, const TEncoding* Encoding)
    : TCustomIniFile(std::move(FileName)), m_data(std::make_unique<SectionList>()), m_encoding(Encoding),
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
    m_data = std::make_unique<SectionList>();
    m_data->Text = std::move(Text);
    const std::string_view text = m_data->Text;
    SectionData* current = nullptr;
    bool merging = false;  // in a repeated section: only keys it lacks are taken
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        // Each of LF, CR and CR LF ends a line.
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        const char* stop = lf ? lf : end;
        const char* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(stop - p)));
        const char* next;
        if (cr) {
            next = (cr + 1 == lf) ? lf + 1 : cr + 1;
            stop = cr;
        } else {
            next = lf ? lf + 1 : end;
        }
        const std::string_view line = TrimView(std::string_view(p, static_cast<std::size_t>(stop - p)));
        p = next;
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            const std::string_view name = TrimView(line.substr(1, line.size() - 2));
            current = m_data->Find(name);
            merging = current != nullptr;
            if (!current)
                current = m_data->Add(name);
            continue;
        }
        if (!current)
            continue;  // lines before the first section
        Entry e;
        const std::size_t eq = line.find('=');
        if (eq == line.npos) {
            e.Key = line;
            e.HasValue = false;
        } else {
            e.Key = TrimRightView(line.substr(0, eq));
            e.Value = TrimLeftView(line.substr(eq + 1));
        }
        if (merging && current->Find(e.Key) >= 0)
            continue;
        current->Append(std::move(e));
    }
}

// --- Reading -------------------------------------------------------------------------------

std::string TMemIniFile::ReadString(std::string_view Section, std::string_view Ident,
                                    std::string_view Default) const {
    if (const auto* s = m_data->Find(Section)) {
        const int i = s->Find(Ident);
        if (i >= 0 && s->Entries[static_cast<std::size_t>(i)].HasValue)
            return std::string(s->Entries[static_cast<std::size_t>(i)].Value);
    }
    return std::string(Default);
}

void TMemIniFile::ReadSection(std::string_view Section, TStrings& Strings) const {
    Strings.BeginUpdate();
    try {
        Strings.Clear();
        if (const auto* s = m_data->Find(Section))
            for (const Entry& e : s->Entries)
                Strings.Add(std::string(e.Key));
    } catch (...) {
        Strings.EndUpdate();
        throw;
    }
    Strings.EndUpdate();
}

void TMemIniFile::ReadSections(TStrings& Strings) const {
    Strings.BeginUpdate();
    try {
        Strings.Clear();
        for (const auto& s : m_data->List)
            Strings.Add(s->Name);
    } catch (...) {
        Strings.EndUpdate();
        throw;
    }
    Strings.EndUpdate();
}

void TMemIniFile::ReadSectionValues(std::string_view Section, TStrings& Strings) const {
    Strings.BeginUpdate();
    try {
        Strings.Clear();
        if (const auto* s = m_data->Find(Section))
            for (const Entry& e : s->Entries)
                Strings.Add(e.HasValue ? std::string(e.Key) + '=' + std::string(e.Value)
                                       : std::string(e.Key));
    } catch (...) {
        Strings.EndUpdate();
        throw;
    }
    Strings.EndUpdate();
}

bool TMemIniFile::SectionExists(std::string_view Section) const { return m_data->Find(Section) != nullptr; }

bool TMemIniFile::ValueExists(std::string_view Section, std::string_view Ident) const {
    const auto* s = m_data->Find(Section);
    return s && s->Find(Ident) >= 0;
}

// --- Writing -------------------------------------------------------------------------------

void TMemIniFile::WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) {
    CheckSectionName(Section);
    CheckKeyName(Section, Ident);
    CheckValue(Section, Ident, Value);
    auto* s = m_data->Find(Section);
    if (!s)
        s = m_data->Add(Stored(Section));
    const int i = s->Find(Ident);
    // The key keeps the spelling it has in the file; the text is owned from now on.
    const std::string key = i >= 0 ? std::string(s->Entries[static_cast<std::size_t>(i)].Key) : Stored(Ident);
    auto own = std::make_unique<std::string>(key + Stored(Value));
    Entry e;
    e.Key = std::string_view(*own).substr(0, key.size());
    e.Value = std::string_view(*own).substr(key.size());
    e.Own = std::move(own);
    if (i >= 0)
        s->Entries[static_cast<std::size_t>(i)] = std::move(e);  // same key text: the index stays right
    else
        s->Append(std::move(e));
    m_modified = true;
}

void TMemIniFile::EraseSection(std::string_view Section) {
    auto& list = m_data->List;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (SameName(list[i]->Name, Section)) {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            m_data->Reindex();
            m_modified = true;
            return;
        }
    }
}

void TMemIniFile::DeleteKey(std::string_view Section, std::string_view Ident) {
    auto* s = m_data->Find(Section);
    const int i = s ? s->Find(Ident) : -1;
    if (i < 0)
        return;
    s->Entries.erase(s->Entries.begin() + i);
    s->Reindex();
    m_modified = true;
}

void TMemIniFile::Clear() {
    m_data = std::make_unique<SectionList>();
    m_modified = true;
}

void TMemIniFile::GetStrings(TStrings& List) const {
    List.BeginUpdate();
    try {
        List.Clear();
        for (const auto& s : m_data->List) {
            List.Add("[" + s->Name + "]");
            for (const Entry& e : s->Entries)
                List.Add(e.HasValue ? std::string(e.Key) + '=' + std::string(e.Value) : std::string(e.Key));
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
    Parse(Stored(text));
    m_modified = true;
}

std::string TMemIniFile::SaveToBytes() const {
    std::size_t size = 0;
    for (const auto& s : m_data->List) {
        size += s->Name.size() + 4;
        for (const Entry& e : s->Entries)
            size += e.Key.size() + e.Value.size() + 2;
    }
    std::string text;
    text.reserve(size);
    for (const auto& s : m_data->List) {
        text += '[';
        text += s->Name;
        text += "]\n";
        for (const Entry& e : s->Entries) {
            text += e.Key;
            if (e.HasValue) {
                text += '=';
                text += e.Value;
            }
            text += '\n';
        }
        text += '\n';
    }
    const TEncoding* enc = m_encoding ? m_encoding : TEncoding::Default();
    if (enc->EncodingForm() == TEncoding::Form::UTF8)
        return enc->Preamble().empty() ? text : std::string(enc->Preamble()) + text;
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
