#pragma once
// TMyMemIniFile: the suite's in-memory ini file. It loads its file when one exists, and every
// value reads back exactly as it was written: a value that plain ini text would change (blanks
// at either end, line breaks, NUL and other control characters, bytes that are not UTF-8) is
// stored between double quotes with backslash escapes, while every other value, paths with
// backslashes included, is stored as it is. String lists live in a section of their own keys
// ("count", "item<n>", "object<n>"), so the keys "i" and "text" stay free for their control.

#include "framework/inifiles/MemIniFile.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace framework {
class TStrings;
}

namespace sibling {

// Whether ini handlers store the check marks of check-list boxes with their items.
extern bool MEMINI_include_checklistbox_checkeds;

// The stored form of a value and back. A stored text that is not quoted is taken as it is; so
// is a quoted one whose escapes are damaged, as far as they are.
std::string EscapeIniValue(std::string_view Value);
std::string UnescapeIniValue(std::string_view Stored);
// What TMyMemIniFile::ReadBool makes of a stored value, as FindValue gives it;
// Default when there is none or it is not a boolean.
bool StoredBool(std::optional<std::string_view> Stored, bool Default);

// A key made of a name of up to 20 characters and a number ("item3", "checked0"), built
// without the heap.
class NumberedKey {
public:
    NumberedKey(std::string_view Prefix, int Number);
    operator std::string_view() const { return std::string_view(m_text, m_size); }

    // The number of Key when it is spelled as this class spells Prefix and a number of 0 or
    // more, in any case; npos for any other key. Prefix is made of lower-case ASCII letters.
    static std::size_t NumberOf(std::string_view Key, std::string_view Prefix);

private:
    char m_text[32];
    std::size_t m_size;
};

class TMyMemIniFile : public framework::TMemIniFile {
public:
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    explicit TMyMemIniFile(std::string FileName);

    std::string ReadString(std::string_view Section, std::string_view Ident,
                           std::string_view Default) const override;
    void WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) override;

    int ReadInteger(std::string_view Section, std::string_view Ident, int Default) const override;
    void WriteInteger(std::string_view Section, std::string_view Ident, int Value) override;
    // Writes "true" or "false". Reads those (in any case), "yes"/"no", "on"/"off" and any
    // integer (not 0 is true); anything else gives Default.
    bool ReadBool(std::string_view Section, std::string_view Ident, bool Default) const override;
    void WriteBool(std::string_view Section, std::string_view Ident, bool Value) override;
    // Enough digits that the number reads back to the same double.
    void WriteFloat(std::string_view Section, std::string_view Ident, double Value) override;

    // Replaces the section's list with the strings of List and their object values (as
    // integers); with a Limit of 0 or more, only the first Limit strings are kept. Keys of a
    // longer list written before are removed; other keys of the section stay.
    void WriteMultiString(std::string_view Section, const framework::TStrings& List);
    void WriteMultiString(std::string_view Section, const framework::TStrings& List, int Limit);
    // Replaces the content of List with the section's list, in order, with the object values.
    // When the section holds no list, List is left as it is and the answer is false.
    bool ReadMultiString(std::string_view Section, framework::TStrings& List) const;
    // The same, and from the same walk over the section the selection its control keeps there,
    // as ReadInteger(Section, "i", -1) gives it.
    bool ReadMultiString(std::string_view Section, framework::TStrings& List, int& ItemIndex) const;

    // The value as ReadString gives it, without a copy unless it is unescaped (into Buffer);
    // nothing when the key is missing or has no '='.
    std::optional<std::string_view> ValueView(std::string_view Section, std::string_view Ident,
                                              std::string& Buffer) const;
};

}  // namespace sibling
