#pragma once
// Integers to text and back. Text is read as the classic Val reads it: blanks before the
// number are skipped, anything after it fails; '$', "0x" or a bare 'x' mark hexadecimal.
// Decimal text beyond the type's range fails; hexadecimal text fills the type's bits, so
// "$FFFFFFFF" reads as -1 and nine or more significant hex digits fail for a 32-bit result.

#include <cstdint>
#include <string>
#include <string_view>

namespace framework {

std::string IntToStr(int Value);
std::string IntToStr(std::int64_t Value);
// Upper-case hexadecimal with at least Digits digits (0..32); negative values show their
// two's complement: IntToHex(-1, 2) gives "FFFFFFFF".
std::string IntToHex(int Value, int Digits = 8);
std::string IntToHex(std::int64_t Value, int Digits = 16);

bool TryStrToInt(std::string_view S, int& Value);
bool TryStrToInt64(std::string_view S, std::int64_t& Value);
// Raise EConvertError "'<S>' is not a valid integer value".
int StrToInt(std::string_view S);
std::int64_t StrToInt64(std::string_view S);
int StrToIntDef(std::string_view S, int Default);
std::int64_t StrToInt64Def(std::string_view S, std::int64_t Default);

}  // namespace framework
