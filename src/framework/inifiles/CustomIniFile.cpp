#include "framework/inifiles/CustomIniFile.h"

#include "framework/classes/StringList.h"
#include "framework/classes/TypInfo.h"
#include "framework/rtl/FloatConv.h"
#include "framework/rtl/IntConv.h"

namespace framework {

namespace {

// "0x1F" reads as "$1F", as the classic reader rewrites it before converting.
std::string HexPrefixToDollar(std::string s) {
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
        s.replace(0, 2, "$");
    return s;
}

}  // namespace

const TClassInfo& TCustomIniFile::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TCustomIniFile, TObject>("TCustomIniFile");
    return info;
}

int TCustomIniFile::ReadInteger(std::string_view Section, std::string_view Ident, int Default) const {
    return StrToIntDef(HexPrefixToDollar(ReadString(Section, Ident, "")), Default);
}

void TCustomIniFile::WriteInteger(std::string_view Section, std::string_view Ident, int Value) {
    WriteString(Section, Ident, IntToStr(Value));
}

std::int64_t TCustomIniFile::ReadInt64(std::string_view Section, std::string_view Ident,
                                       std::int64_t Default) const {
    return StrToInt64Def(HexPrefixToDollar(ReadString(Section, Ident, "")), Default);
}

void TCustomIniFile::WriteInt64(std::string_view Section, std::string_view Ident, std::int64_t Value) {
    WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(std::string_view Section, std::string_view Ident, bool Default) const {
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(std::string_view Section, std::string_view Ident, bool Value) {
    WriteString(Section, Ident, Value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(std::string_view Section, std::string_view Ident, double Default) const {
    double value = 0;
    return TryStrToFloat(ReadString(Section, Ident, ""), value, m_formatSettings) ? value : Default;
}

void TCustomIniFile::WriteFloat(std::string_view Section, std::string_view Ident, double Value) {
    WriteString(Section, Ident, FloatToStr(Value, m_formatSettings));
}

TDateTime TCustomIniFile::ReadDate(std::string_view Section, std::string_view Ident,
                                   TDateTime Default) const {
    TDateTime value = 0;
    return TryStrToDate(ReadString(Section, Ident, ""), value, m_formatSettings) ? value : Default;
}

void TCustomIniFile::WriteDate(std::string_view Section, std::string_view Ident, TDateTime Value) {
    WriteString(Section, Ident, DateToStr(Value, m_formatSettings));
}

bool TCustomIniFile::SectionExists(std::string_view Section) const {
    TStringList keys;
    ReadSection(Section, keys);
    return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(std::string_view Section, std::string_view Ident) const {
    TStringList keys;
    ReadSection(Section, keys);
    return keys.IndexOf(Ident) >= 0;
}

}  // namespace framework
