#pragma once
// Integers to text and back. Text is read as the classic Val reads it: blanks before the
// number are skipped, anything after it fails; '$', "0x" or a bare 'x' mark hexadecimal.
// Decimal text beyond the type's range fails; hexadecimal text fills the type's bits, so
// "$FFFFFFFF" reads as -1 and nine or more significant hex digits fail for a 32-bit result.

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace framework {

// Any integer type, but not bool or the character types.
template <class T>
concept IntegerValue =
    std::integral<T> && !std::same_as<T, bool> && !std::same_as<T, char> && !std::same_as<T, char8_t> &&
    !std::same_as<T, char16_t> && !std::same_as<T, char32_t> && !std::same_as<T, wchar_t>;

namespace detail {
std::string HexDigits(std::uint64_t Bits, int Digits);
}  // namespace detail

template <IntegerValue T> std::string IntToStr(T Value) { return std::to_string(Value); }

// Upper-case hexadecimal with at least Digits digits (0..32, by default two per byte of the
// type); negative values show the two's complement of their type: IntToHex(-1, 2) gives
// "FFFFFFFF", IntToHex(std::int64_t{-1}) sixteen F.
template <IntegerValue T> std::string IntToHex(T Value, int Digits = static_cast<int>(sizeof(T) * 2)) {
    return detail::HexDigits(static_cast<std::make_unsigned_t<T>>(Value), Digits);
}

bool TryStrToInt(std::string_view S, int& Value);
bool TryStrToInt64(std::string_view S, std::int64_t& Value);
// Raise EConvertError "'<S>' is not a valid integer value".
int StrToInt(std::string_view S);
std::int64_t StrToInt64(std::string_view S);
int StrToIntDef(std::string_view S, int Default);
std::int64_t StrToInt64Def(std::string_view S, std::int64_t Default);

}  // namespace framework
