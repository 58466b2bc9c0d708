#pragma once
// TCustomIniFile: the abstract ini file. Descendants store sections of "Name=Value" keys;
// this class gives the typed readers and writers built on ReadString/WriteString.

#include "framework/classes/Object.h"
#include "framework/rtl/DateUtils.h"
#include "framework/rtl/FormatSettings.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace framework {

class TStrings;

class TCustomIniFile : public TObject {
public:
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    explicit TCustomIniFile(std::string FileName) : m_fileName(std::move(FileName)) {}
    const std::string& FileName() const { return m_fileName; }
    // Separators and date order for floats and dates; a copy of the global settings at creation.
    const TFormatSettings& FormatSettings() const { return m_formatSettings; }
    void SetFormatSettings(const TFormatSettings& Value) { m_formatSettings = Value; }

    // A missing key gives Default.
    virtual std::string ReadString(std::string_view Section, std::string_view Ident,
                                   std::string_view Default) const = 0;
    virtual void WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) = 0;

    // Decimal or hex ("$1F", "0x1F", "x1F"); anything else gives Default.
    virtual int ReadInteger(std::string_view Section, std::string_view Ident, int Default) const;
    virtual void WriteInteger(std::string_view Section, std::string_view Ident, int Value);
    virtual std::int64_t ReadInt64(std::string_view Section, std::string_view Ident,
                                   std::int64_t Default) const;
    virtual void WriteInt64(std::string_view Section, std::string_view Ident, std::int64_t Value);
    // Any integer but 0 is true; text that is no integer ("true", "") gives Default. Writes 1 or 0.
    virtual bool ReadBool(std::string_view Section, std::string_view Ident, bool Default) const;
    virtual void WriteBool(std::string_view Section, std::string_view Ident, bool Value);
    // Text in FormatSettings(); text that does not convert gives Default.
    virtual double ReadFloat(std::string_view Section, std::string_view Ident, double Default) const;
    virtual void WriteFloat(std::string_view Section, std::string_view Ident, double Value);
    virtual TDateTime ReadDate(std::string_view Section, std::string_view Ident, TDateTime Default) const;
    virtual void WriteDate(std::string_view Section, std::string_view Ident, TDateTime Value);

    // Names of the keys of a section, of every section, or the section's "Name=Value" lines;
    // Strings is cleared first.
    virtual void ReadSection(std::string_view Section, TStrings& Strings) const = 0;
    virtual void ReadSections(TStrings& Strings) const = 0;
    virtual void ReadSectionValues(std::string_view Section, TStrings& Strings) const = 0;
    // True when the section has at least one key.
    virtual bool SectionExists(std::string_view Section) const;
    virtual bool ValueExists(std::string_view Section, std::string_view Ident) const;
    virtual void EraseSection(std::string_view Section) = 0;
    virtual void DeleteKey(std::string_view Section, std::string_view Ident) = 0;
    // Writes what is held in memory to FileName().
    virtual void UpdateFile() = 0;

protected:
    void SetFileName(std::string FileName) { m_fileName = std::move(FileName); }

private:
    std::string m_fileName;
    TFormatSettings m_formatSettings = framework::FormatSettings;
};

}  // namespace framework
