#pragma once
// TMyMemIniFile: the suite's in-memory ini file. It loads its file when one exists, and every
// value reads back exactly as it was written: a value that plain ini text would change (blanks
// at either end, line breaks, NUL and other control characters, bytes that are not UTF-8) is
// stored between double quotes with backslash escapes, while every other value, paths with
// backslashes included, is stored as it is. String lists live in a section of their own keys
// ("count", "item<n>", "object<n>"), so the keys "i" and "text" stay free for their control.

#include "framework/inifiles/MemIniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
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
// Default when there is none or it is not a boolean. The words WriteBool writes are told
// inline; everything else goes to ParseStoredBool.
bool ParseStoredBool(std::optional<std::string_view> Stored, bool Default);
inline bool StoredBool(std::optional<std::string_view> Stored, bool Default) {
    if (Stored && Stored->size() == 4 && std::memcmp(Stored->data(), "true", 4) == 0)
        return true;
    if (Stored && Stored->size() == 5 && std::memcmp(Stored->data(), "false", 5) == 0)
        return false;
    return ParseStoredBool(Stored, Default);
}

// A key made of a name of up to 20 characters and a number ("item3", "checked0"), built
// without the heap.
class NumberedKey {
public:
    NumberedKey(std::string_view Prefix, int Number);
    operator std::string_view() const { return std::string_view(m_text, m_size); }

    // The number of Key when it is spelled as this class spells Prefix and a number of 0 or
    // more, in any case; npos for any other key. Prefix is made of lower-case ASCII letters.
    // Inline, so that a constant Prefix of up to eight letters is compared in one word.
    static std::size_t NumberOf(std::string_view Key, std::string_view Prefix) {
        const std::size_t letters = Prefix.size();
        if (Key.size() <= letters || Key.size() > letters + 9)
            return std::string_view::npos;
        // Only a letter and its capital give the lower-case letter when the case bit is set.
        if (letters >= 4 && letters <= 8) {
            // Two loads of four bytes, the second ending at the last letter, joined in a
            // register: bytes put together in memory and read back as one wait for the stores.
            const auto letterWord = [letters](const char* p) {
                std::uint32_t head, tail;
                std::memcpy(&head, p, 4);
                std::memcpy(&tail, p + letters - 4, 4);
                return (std::uint64_t{tail} << (8 * (letters - 4))) | head | 0x2020202020202020;
            };
            if (letterWord(Key.data()) != letterWord(Prefix.data()))
                return std::string_view::npos;
        } else {
            for (std::size_t k = 0; k < letters; ++k)
                if ((Key[k] | 0x20) != Prefix[k])
                    return std::string_view::npos;
        }
        if (Key[letters] == '0' && Key.size() > letters + 1)
            return std::string_view::npos;  // NumberedKey writes no leading zeros
        std::size_t n = 0;
        for (std::size_t k = letters; k < Key.size(); ++k) {
            const auto digit = static_cast<unsigned char>(Key[k] - '0');
            if (digit > 9)
                return std::string_view::npos;
            n = n * 10 + digit;
        }
        return n;
    }

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
                                              std::string& Buffer) const {
        const std::string_view stored = ValueOrNull(Section, Ident);
        if (!stored.data())
            return std::nullopt;
        if (stored.size() < 2 || stored.front() != '"' || stored.back() != '"')
            return stored;
        Buffer = UnescapeIniValue(stored);
        return Buffer;
    }
};

}  // namespace sibling
