#pragma once
// TStrings, the abstract list of strings with associated objects, and TEncoding, the text
// encodings it loads and saves. Strings are UTF-8; files may be UTF-8 (with or without a byte
// order mark) or UTF-16 with a mark. Bytes that do not decode become U+FFFD, never an error.

#include "framework/classes/Object.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace framework {

class TStream;

// A text encoding: its byte order mark and the conversion of its bytes to and from UTF-8.
class TEncoding {
public:
    enum class Form { UTF8, UTF16LE, UTF16BE };

    // UTF-8 written with a byte order mark.
    static const TEncoding* UTF8();
    // UTF-8 without a mark: the encoding of this platform, used when none was chosen.
    static const TEncoding* Default();
    static const TEncoding* Unicode();           // UTF-16 little-endian, with a mark
    static const TEncoding* BigEndianUnicode();  // UTF-16 big-endian, with a mark

    // The encoding whose mark starts Buffer, and the mark's length; Default() and 0 without one.
    static const TEncoding* GetBufferEncoding(std::string_view Buffer, std::size_t& PreambleSize);

    Form EncodingForm() const { return m_form; }
    std::string_view Preamble() const { return m_preamble; }
    // Bytes to UTF-8: malformed sequences, lone surrogates and a trailing odd byte become U+FFFD.
    std::string GetString(std::string_view Bytes) const;
    // UTF-8 to bytes (no preamble); malformed UTF-8 in Text is written as U+FFFD.
    std::string GetBytes(std::string_view Text) const;

private:
    TEncoding(Form form, std::string_view preamble) : m_form(form), m_preamble(preamble) {}
    Form m_form;
    std::string_view m_preamble;
};

// The abstract list of strings. Descendants store the strings (TStringList, a list box's
// items); this class gives everything built on Get/Put/Insert/Delete: text, names and values,
// delimited text, search, files and streams, and the update nesting.
class TStrings : public TPersistent {
public:
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    // The associated-object slot may hold a plain integer instead of an object, as the classic
    // framework allows; such a list must never free its objects.
    static TObject* IntToObject(std::intptr_t Value) { return reinterpret_cast<TObject*>(Value); }
    static std::intptr_t ObjectToInt(const TObject* Object) {
        return reinterpret_cast<std::intptr_t>(Object);
    }

    // --- Storage, given by descendants ---
    virtual int Count() const = 0;
    virtual std::string Strings(int Index) const = 0;
    virtual void Put(int Index, const std::string& S);
    virtual TObject* Objects(int Index) const;
    virtual void PutObject(int Index, TObject* AObject);
    virtual void Insert(int Index, const std::string& S) = 0;
    virtual void InsertObject(int Index, const std::string& S, TObject* AObject);
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;
    virtual int Add(const std::string& S);
    virtual int AddObject(const std::string& S, TObject* AObject);
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);
    virtual int IndexOf(std::string_view S) const;
    int IndexOfObject(const TObject* AObject) const;
    void Append(const std::string& S) { Add(S); }
    void AddStrings(const TStrings& Strings);
    // Same count and the same strings in order (objects are not compared).
    bool Equals(const TStrings& Strings) const;

    // --- Names and values ("Name=Value" lines) ---
    int IndexOfName(std::string_view Name) const;
    std::string Names(int Index) const;
    std::string Values(std::string_view Name) const;
    // An empty Value deletes the line, as the classic framework does.
    void SetValues(std::string_view Name, std::string_view Value);
    std::string ValueFromIndex(int Index) const;
    void SetValueFromIndex(int Index, std::string_view Value);
    char NameValueSeparator() const { return m_nameValueSeparator; }
    void SetNameValueSeparator(char C) { m_nameValueSeparator = C; }

    // --- Whole text ---
    // Every string followed by LineBreak (the last too, unless TrailingLineBreak is off).
    virtual std::string Text() const;
    // With the default LineBreak, each of CR, LF and CRLF ends a line; a final break adds no
    // empty string. With another LineBreak only that sequence splits.
    virtual void SetText(std::string_view Value);
    const std::string& LineBreak() const { return m_lineBreak; }
    void SetLineBreak(std::string Value) { m_lineBreak = std::move(Value); }
    bool TrailingLineBreak() const { return m_trailingLineBreak; }
    void SetTrailingLineBreak(bool Value) { m_trailingLineBreak = Value; }

    // --- Delimited text ---
    std::string DelimitedText() const;
    void SetDelimitedText(std::string_view Value);
    // DelimitedText with ',' and '"', blanks also separating.
    std::string CommaText() const;
    void SetCommaText(std::string_view Value);
    char Delimiter() const { return m_delimiter; }
    void SetDelimiter(char C) { m_delimiter = C; }
    char QuoteChar() const { return m_quoteChar; }
    void SetQuoteChar(char C) { m_quoteChar = C; }
    bool StrictDelimiter() const { return m_strictDelimiter; }
    void SetStrictDelimiter(bool Value) { m_strictDelimiter = Value; }

    // --- Update nesting: the outer BeginUpdate reports Changing, the outer EndUpdate Changed ---
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return m_updateCount; }

    // --- Files and streams ---
    // Without an encoding the byte order mark decides (none: UTF-8); the encoding found is kept
    // in Encoding() and used again by SaveToFile/SaveToStream.
    void LoadFromFile(const std::string& FileName, const TEncoding* Encoding = nullptr);
    void LoadFromStream(TStream& Stream, const TEncoding* Encoding = nullptr);
    void LoadFromBytes(std::string_view Bytes, const TEncoding* Encoding = nullptr);
    // Writes Text in Encoding, else in Encoding(), else in DefaultEncoding() (UTF-8 without a
    // mark); the mark is written when WriteBOM() is on. Files are replaced atomically through
    // the platform seam: a failed save raises EFCreateError and leaves the old file intact.
    void SaveToFile(const std::string& FileName, const TEncoding* Encoding = nullptr) const;
    void SaveToStream(TStream& Stream, const TEncoding* Encoding = nullptr) const;
    std::string SaveToBytes(const TEncoding* Encoding = nullptr) const;
    const TEncoding* Encoding() const { return m_encoding; }
    const TEncoding* DefaultEncoding() const { return m_defaultEncoding; }
    void SetDefaultEncoding(const TEncoding* Value) {
        m_defaultEncoding = Value ? Value : TEncoding::Default();
    }
    bool WriteBOM() const { return m_writeBOM; }
    void SetWriteBOM(bool Value) { m_writeBOM = Value; }

    void Assign(const TPersistent* Source) override;

protected:
    // AnsiCompareText unless a descendant says otherwise: letters of the Latin, Greek and
    // Cyrillic alphabets without case, the same on every machine. Answers <0, 0, >0.
    virtual int CompareStrings(std::string_view S1, std::string_view S2) const;
    virtual void SetUpdateState(bool Updating);
    // Hooks around every change; descendants report them (TStringList's OnChanging/OnChange).
    virtual void Changing() {}
    virtual void Changed() {}
    [[noreturn]] static void IndexError(int Index);

private:
    int m_updateCount = 0;
    std::string m_lineBreak = "\n";
    bool m_trailingLineBreak = true;
    char m_nameValueSeparator = '=';
    char m_delimiter = ',';
    char m_quoteChar = '"';
    bool m_strictDelimiter = false;
    bool m_writeBOM = true;
    const TEncoding* m_encoding = nullptr;
    const TEncoding* m_defaultEncoding = TEncoding::Default();
};

}  // namespace framework
