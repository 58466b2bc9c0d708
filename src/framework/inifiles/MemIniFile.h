#pragma once
// TMemIniFile holds a whole ini file in memory and writes it back in one piece; TIniFile is
// the same with AutoSave on, as the classic framework has it on POSIX systems.
//
// Reading: lines are trimmed; empty lines and lines starting with ';' are dropped; "[Name]"
// starts a section, also when a comment follows it ("[Name] ; note"); other lines split at the first '=' into
// a trimmed key and value; a line without '=' is a key without a value (ReadString gives the default, it is
// written back as it was); lines before the first section are dropped. Sections and keys are found without
// regard to case. A section that appears again later in the file is merged into the first one: keys it does
// not have yet are appended, so a rewrite loses none of them.
//
// Writing: "[Name]", then "Key=Value" lines, then one empty line, for every section, in the
// order they were first written; LF line ends; the encoding found on load (UTF-8 without a
// mark for a new file); replaced atomically, so a failed write leaves the old file intact.
// A file without a mark that is not UTF-8 as a whole is read as Windows-1252 (settings from
// Windows installs) and written back as UTF-8.
//
// Text the layout cannot hold raises EIniFileException at write time instead of corrupting
// the file: a line break or NUL anywhere; in section names also ']' and blanks at either end;
// in keys also '=', blanks at either end and a leading ';' or '['. Values keep blanks at either
// end in memory and on disk, but a fresh load trims them (a descendant escapes such values).

#include "framework/inifiles/CustomIniFile.h"
#include "framework/inifiles/NameIndex.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace framework {

class TEncoding;

namespace inifiles_detail {

// A piece of the ini's text: where it starts and how long it is. Offsets rather than
// pointers, so that the text may grow.
struct Span {
    std::uint32_t At = 0;
    std::uint32_t Length = 0;
};

// One key line.
struct Line {
    Span Key;
    Span Value;
    std::int32_t Next = -1;  // the next line of the same section
    bool HasValue = true;    // false for a line without '='
};

struct Section {
    Span Name;
    std::int32_t First = -1;
    std::int32_t Last = -1;
    std::int32_t Count = 0;
    std::unique_ptr<NameIndex> Keys;  // once the section has many keys
};

}  // namespace inifiles_detail

class TMemIniFile : public TCustomIniFile {
public:
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    // Loads FileName when it exists: a missing file gives an empty ini, bytes that are not ini
    // text give whatever lines they hold (readers then answer their defaults). A path that
    // exists but is no regular file (a folder, a pipe, a device) or cannot be read raises
    // EFOpenError; a file larger than MaxFileSize() raises EIniFileException.
    explicit TMemIniFile(std::string FileName, const TEncoding* Encoding = nullptr);
    // Saves when AutoSave is on and something changed; a failed save is swallowed (a destructor
    // must not throw) and leaves the old file as it was.
    ~TMemIniFile() override;
    void BeforeDestruction() override;

    static constexpr std::uint64_t MaxFileSize() { return std::uint64_t{1} << 30; }

    std::string ReadString(std::string_view Section, std::string_view Ident,
                           std::string_view Default) const override;
    void WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) override;
    void ReadSection(std::string_view Section, TStrings& Strings) const override;
    void ReadSections(TStrings& Strings) const override;
    void ReadSectionValues(std::string_view Section, TStrings& Strings) const override;
    // An empty section counts.
    bool SectionExists(std::string_view Section) const override;
    bool ValueExists(std::string_view Section, std::string_view Ident) const override;
    void EraseSection(std::string_view Section) override;
    void DeleteKey(std::string_view Section, std::string_view Ident) override;
    void UpdateFile() override;

    // The value of Ident without a copy, or nothing when the key is missing or its line has no
    // '='. It stays valid until the ini is next changed.
    std::optional<std::string_view> FindValue(std::string_view Section, std::string_view Ident) const;

    // The key lines of one section in file order, without copies: what a reader that wants
    // many keys of a section walks once instead of looking each one up. It and its views stay
    // valid until the ini is next changed.
    class LineCursor {
    public:
        // The next line's key and its value (nothing for a line without '='); false at the end.
        bool Next(std::string_view& Key, std::optional<std::string_view>& Value);
        // How many lines the section has.
        int Count() const { return m_count; }

    private:
        friend class TMemIniFile;
        const TMemIniFile* m_ini = nullptr;
        int m_line = -1;
        int m_count = 0;
    };
    // An empty cursor when the section is missing.
    LineCursor SectionLines(std::string_view Section) const;

    void Clear();
    // Room for about this many more sections, key lines and bytes of text: a writer that
    // knows roughly how much it will write saves the growing on the way.
    void Reserve(std::size_t Sections, std::size_t Lines, std::size_t TextBytes);
    // The whole content in file layout, one line per string (Strings is cleared first).
    void GetStrings(TStrings& List) const;
    // Replaces the content with the ini text of List, one line per string.
    void SetStrings(const TStrings& List);
    // Replaces the content with the ini text in Bytes, in any encoding a file may have.
    void LoadFromBytes(std::string Bytes);
    // The file as UpdateFile writes it, in Encoding() (with its mark).
    std::string SaveToBytes() const;
    // Another file name; with Reload the content is replaced by that file's.
    void Rename(std::string FileName, bool Reload);

    // Null until a file with content was loaded or an encoding was set; null saves UTF-8
    // without a mark.
    const TEncoding* Encoding() const { return m_encoding; }
    void SetEncoding(const TEncoding* Value) { m_encoding = Value; }
    bool Modified() const { return m_modified; }
    void SetModified(bool Value) { m_modified = Value; }
    bool AutoSave() const { return m_autoSave; }
    void SetAutoSave(bool Value) { m_autoSave = Value; }

private:
    using Span = inifiles_detail::Span;
    using Line = inifiles_detail::Line;
    using IniSection = inifiles_detail::Section;

    void LoadFile();
    // Replaces the content with ini text that is UTF-8.
    void Parse(std::string Text);
    void Empty();
    std::string_view View(Span s) const { return std::string_view(m_text).substr(s.At, s.Length); }
    Line& LineAt(int i) { return m_lines[static_cast<std::size_t>(i)]; }
    const Line& LineAt(int i) const { return m_lines[static_cast<std::size_t>(i)]; }
    IniSection& SectionAt(int i) { return m_sections[static_cast<std::size_t>(i)]; }
    const IniSection& SectionAt(int i) const { return m_sections[static_cast<std::size_t>(i)]; }
    std::string_view KeyOf(int i) const { return View(LineAt(i).Key); }
    // Keeps a copy of Text at the end of the ini's text.
    Span Keep(std::string_view Text);
    int FindSection(std::string_view Name) const;
    // A new section of that name and HashName of it.
    int AddSection(Span Name, std::uint32_t Hash);
    // The first line of the section with that key, or -1.
    int FindKey(const IniSection& S, std::string_view Key) const;
    // Puts a line at the end of the section's chain.
    void Chain(IniSection& S, int LineNumber);
    void IndexKeys(IniSection& S);
    void Unlink(int LineNumber);
    void CompactIfSparse();
    std::string LineText(int LineNumber) const;
    template <class Text>
    void ListSection(std::string_view Section, TStrings& Strings, const Text& text) const;

    // The loaded text, then every text written since, one after the other: lines and
    // sections point into it, so a file of thousands of small sections costs a few
    // allocations rather than thousands.
    std::string m_text;
    std::size_t m_unusedText = 0;  // bytes of m_text no line or section uses any more
    std::vector<Line> m_lines;     // every line of every section, each section chaining its own
    std::size_t m_unusedLines = 0;
    std::vector<IniSection> m_sections;
    inifiles_detail::NameIndex m_index;  // sections by name
    int m_lastWritten = -1;              // the section written last
    const TEncoding* m_encoding = nullptr;
    const TEncoding* m_requestedEncoding = nullptr;  // given to the constructor: used for loading
    bool m_modified = false;
    bool m_autoSave = false;
};

// The ini file of the classic framework on POSIX systems: a TMemIniFile that saves itself
// when freed if anything changed.
class TIniFile : public TMemIniFile {
public:
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    explicit TIniFile(std::string FileName, const TEncoding* Encoding = nullptr);
};

}  // namespace framework
