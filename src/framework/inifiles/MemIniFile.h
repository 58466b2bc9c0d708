#pragma once
// TMemIniFile holds a whole ini file in memory and writes it back in one piece; TIniFile is
// the same with AutoSave on, as the classic framework has it on POSIX systems.
//
// Reading: lines are trimmed; empty lines and lines starting with ';' are dropped; "[Name]"
// starts a section; other lines split at the first '=' into a trimmed key and value; a line
// without '=' is a key without a value (ReadString gives the default, it is written back as it
// was); lines before the first section are dropped. Sections and keys are found without regard
// to case. A section that appears again later in the file is merged into the first one: keys
// it does not have yet are appended, so a rewrite loses none of them.
//
// Writing: "[Name]", then "Key=Value" lines, then one empty line, for every section, in the
// order they were first written; LF line ends; the encoding found on load (UTF-8 without a
// mark for a new file); replaced atomically, so a failed write leaves the old file intact.
//
// Text the layout cannot hold raises EIniFileException at write time instead of corrupting
// the file: a line break or NUL anywhere; in section names also ']' and blanks at either end;
// in keys also '=', blanks at either end and a leading ';' or '['. Values keep blanks at either
// end in memory and on disk, but a fresh load trims them (a descendant escapes such values).

#include "framework/inifiles/CustomIniFile.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace framework {

class TEncoding;

namespace inifiles_detail {

// A piece of text: where it starts and how long it is, in the loaded text or, when the top bit
// of At is set, in the text written since the load. Offsets rather than pointers, so that
// either text may grow.
struct Span {
    static constexpr std::uint32_t kWritten = 0x80000000u;
    std::uint32_t At = 0;
    std::uint32_t Length = 0;
};

// One key line.
struct Line {
    Line() = default;
    Line(Span key, Span value, bool hasValue) : Key(key), Value(value), HasValue(hasValue) {}
    Span Key;
    Span Value;
    std::int32_t Next = -1;  // the next line of the same section
    bool HasValue = true;
};

}  // namespace inifiles_detail

class TMemIniFile : public TCustomIniFile {
    struct Store;

public:
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    // Loads FileName when it exists: a missing file gives an empty ini, bytes that are not ini
    // text give whatever lines they hold (readers then answer their defaults). A path that
    // exists but cannot be read (a folder, no permission) raises EFOpenError; a file larger
    // than MaxFileSize() raises EIniFileException.
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

    // The value of Ident without a copy, or null when the key is missing or its line has no
    // '='. It stays valid until the ini is next changed.
    std::optional<std::string_view> FindValue(std::string_view Section, std::string_view Ident) const {
        return Found(ValueOrNull(Section, Ident));
    }
    // A value as FindValue gives it, from a view whose data is null when there is none.
    static std::optional<std::string_view> Found(std::string_view Value) {
        return Value.data() ? std::optional<std::string_view>(Value) : std::nullopt;
    }

    // The key lines of one section in file order, without copies: what a reader that wants
    // many keys of a section walks once instead of looking each one up. It and its views stay
    // valid until the ini is next changed.
    class LineCursor {
    public:
        // The next line's key and its value, whose data is null for a line without '='; false
        // at the end.
        bool Next(std::string_view& Key, std::string_view& Value) {
            if (m_line < 0)
                return false;
            const inifiles_detail::Line& line = m_lines[m_line];
            Key = View(line.Key);
            Value = line.HasValue ? View(line.Value) : std::string_view();
            m_line = line.Next;
            return true;
        }
        // How many lines the section has.
        int Count() const { return m_count; }

    private:
        friend class TMemIniFile;
        std::string_view View(inifiles_detail::Span s) const {
            using inifiles_detail::Span;
            return {((s.At & Span::kWritten) ? m_written : m_text) + (s.At & ~Span::kWritten), s.Length};
        }
        const inifiles_detail::Line* m_lines = nullptr;
        const char* m_text = nullptr;  // the loaded text
        const char* m_written = "";    // the text written since; never null, as a value's data is not
        int m_line = -1;
        int m_count = 0;
    };
    // An empty cursor when the section is missing.
    LineCursor SectionLines(std::string_view Section) const;

    void Clear();
    // FindValue's answer as a view whose data is null when there is none. Two words come back
    // in registers; an optional view comes back through memory, and a caller reading it back
    // at once waits for the stores.
    std::string_view ValueOrNull(std::string_view Section, std::string_view Ident) const;
    // Says that Section is about to be written: where the section table keeps it is fetched
    // from memory meanwhile. A writer of thousands of new sections waits on that otherwise.
    void PrefetchSection(std::string_view Section) const;
    // Room for about this many more sections, key lines and bytes of written text: a writer
    // that knows roughly how much it will write saves the growing on the way.
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

protected:
    // SectionExists for a writer: no reader may use the ini meanwhile, so none is waited for.
    bool SectionExistsWhileWriting(std::string_view Section);

private:
    // A store for new content, and the way back for one no longer used: the last store freed
    // on a thread is kept, emptied, for the next one.
    static std::unique_ptr<Store>* SpareSlot();  // null once the thread is ending
    static std::unique_ptr<Store> NewStore();
    static void Recycle(std::unique_ptr<Store> Old) noexcept;
    // The store with its content as sections and lines, whatever form it was kept in.
    Store& Structured() const;
    void LoadFile();
    void Parse(std::string Text);
    void SaveIfModified() noexcept;
    // Writes text that passed WriteString's checks, as it is stored. Section is where the
    // section was guessed to be, or -1. The common case, appending to a fresh ini, is inline;
    // the others are out of line, so that the common case keeps its values in registers.
    [[gnu::always_inline]] inline void Put(int Section, std::string_view Name, std::string_view Ident,
                                           std::string_view Value);
    [[gnu::noinline]] void PutInLines(int Section, std::string_view Name, std::string_view Ident,
                                      std::string_view Value);
    // WriteString of copies of texts that lie in the ini itself (a value read and written
    // back): the ini's text may move as it grows.
    [[gnu::noinline]] void WriteCopies(std::string_view Section, std::string_view Ident,
                                       std::string_view Value);
    // Put for text that is stored repaired because it is not UTF-8; the flags say which.
    [[gnu::noinline]] void PutRepaired(int Section, std::string_view Name, std::string_view Ident,
                                       std::string_view Value, bool RepairName, bool RepairKey,
                                       bool RepairValue);
    template <class Text>
    void ListSection(std::string_view Section, TStrings& Strings, const Text& text) const;
    std::string LineText(int Line) const;

    std::unique_ptr<Store> m_data;
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
