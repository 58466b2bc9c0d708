#pragma once
// Format: printf-like text building with the classic directive set and strict argument kinds.
//
//   %[index:][-][width][.precision]type      type: d u x e f g n s, and %% for a percent sign
//
// Index, width and precision may be '*', taking an integer from the argument list. Indexes
// count from 0; a directive without one takes the argument after the previous directive's.
// d, u and x take integers, e f g n take floats, s takes a string or a character; any other
// pairing raises EConvertError "Format '<fmt>' invalid or incompatible with argument", as do
// unknown directives. A missing argument raises EConvertError "No argument for format '<fmt>'".

#include "framework/rtl/FormatSettings.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace framework {

// One argument of Format: a 32-bit or 64-bit integer, a double, a string or a character. The
// constructors pick the kind from the C++ type; bool and other pointers are refused at compile
// time so that they cannot slip in as integers.
class TVarRec {
public:
    enum class Kind { Integer, Int64, Extended, String, Char };

    TVarRec(int v) : m_value(static_cast<std::int32_t>(v)) {}
    TVarRec(unsigned v);
    TVarRec(long v) : m_value(static_cast<std::int64_t>(v)) {}
    TVarRec(long long v) : m_value(static_cast<std::int64_t>(v)) {}
    // Values above the Int64 range keep their bits: %u and %x show them unchanged.
    TVarRec(unsigned long v) : m_value(static_cast<std::int64_t>(v)) {}
    TVarRec(unsigned long long v) : m_value(static_cast<std::int64_t>(v)) {}
    TVarRec(double v) : m_value(v) {}
    TVarRec(float v) : m_value(static_cast<double>(v)) {}
    TVarRec(char v) : m_value(v) {}
    TVarRec(const char* v) : m_value(std::string(v ? v : "")) {}
    TVarRec(std::string v) : m_value(std::move(v)) {}
    TVarRec(std::string_view v) : m_value(std::string(v)) {}
    TVarRec(bool) = delete;
    TVarRec(const void*) = delete;

    Kind GetKind() const { return static_cast<Kind>(m_value.index()); }
    bool IsInteger() const { return GetKind() == Kind::Integer || GetKind() == Kind::Int64; }
    // Only for the kinds that match; Format checks before it asks.
    std::int64_t AsInt64() const;
    double AsDouble() const { return std::get<double>(m_value); }
    const std::string* AsString() const { return std::get_if<std::string>(&m_value); }
    char AsChar() const { return std::get<char>(m_value); }

private:
    std::variant<std::int32_t, std::int64_t, double, std::string, char> m_value;
};

std::string Format(std::string_view Fmt, std::span<const TVarRec> Args, const TFormatSettings& Settings);
std::string Format(std::string_view Fmt, std::span<const TVarRec> Args);
// Format("%d: %s", {12, "x"}) gives "12: x".
std::string Format(std::string_view Fmt, std::initializer_list<TVarRec> Args,
                   const TFormatSettings& Settings);
std::string Format(std::string_view Fmt, std::initializer_list<TVarRec> Args);

}  // namespace framework
