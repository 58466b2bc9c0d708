#include "framework/rtl/FloatConv.h"

#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace framework {
namespace {

// Digits beyond this many decimals are never shown; it keeps a careless caller's request bounded.
constexpr int kMaxDecimals = 400;
constexpr int kMaxPrecision = 18;

// A finite value as 0.d1d2d3... x 10^Exponent, exactly as the double holds it. Digits has no
// leading or trailing zeros; zero has no digits.
struct Decimal {
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;
};

Decimal ExactDecimal(double value) {
    Decimal d;
    d.Negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    if (magnitude == 0.0)
        return d;
    // A double is mant * 2^e; it needs exactly -e decimals when e < 0.
    int e2 = 0;
    const double m = std::frexp(magnitude, &e2);
    auto mant = static_cast<std::uint64_t>(std::ldexp(m, 53));
    int e = e2 - 53;
    while ((mant & 1u) == 0) {
        mant >>= 1;
        ++e;
    }
    const int decimals = e < 0 ? -e : 0;
    std::array<char, 1500> buf{};  // 309 integer digits, a point and 1074 decimals at most
    const auto res =
        std::to_chars(buf.data(), buf.data() + buf.size(), magnitude, std::chars_format::fixed, decimals);
    const std::string_view text(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
    const auto point = text.find('.');
    const std::string_view intPart = text.substr(0, point);
    d.Digits.assign(intPart);
    if (point != std::string_view::npos)
        d.Digits.append(text.substr(point + 1));
    d.Exponent = static_cast<int>(intPart.size());
    const auto first = d.Digits.find_first_not_of('0');
    d.Digits.erase(0, first);
    d.Exponent -= static_cast<int>(first);
    d.Digits.erase(d.Digits.find_last_not_of('0') + 1);
    return d;
}

void StripTrailingZeros(Decimal& d) {
    const auto last = d.Digits.find_last_not_of('0');
    if (last == std::string::npos)
        d.Digits.clear();
    else
        d.Digits.erase(last + 1);
}

// Keeps the first `keep` significant digits, rounding half away from zero.
void RoundToDigits(Decimal& d, int keep) {
    const int len = static_cast<int>(d.Digits.size());
    if (keep >= len)
        return;
    if (keep < 0) {
        d.Digits.clear();
        return;
    }
    const bool up = d.Digits[static_cast<std::size_t>(keep)] >= '5';
    d.Digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.Digits[static_cast<std::size_t>(i)] == '9') {
            d.Digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.Digits[static_cast<std::size_t>(i)];
        } else {
            d.Digits.insert(d.Digits.begin(), '1');
            ++d.Exponent;
        }
    }
    StripTrailingZeros(d);
}

char DigitAt(const Decimal& d, int index) {
    return index >= 0 && index < static_cast<int>(d.Digits.size()) ? d.Digits[static_cast<std::size_t>(index)]
                                                                   : '0';
}

std::string FixedText(Decimal d, int precision, int decimals, bool thousands, const TFormatSettings& s) {
    RoundToDigits(d, std::min(precision, d.Exponent + decimals));
    std::string intPart;
    if (d.Digits.empty() || d.Exponent <= 0) {
        intPart = "0";
    } else {
        for (int i = 0; i < d.Exponent; ++i)
            intPart += DigitAt(d, i);
    }
    std::string out;
    if (d.Negative && !d.Digits.empty())
        out += '-';
    if (thousands && s.ThousandSeparator != '\0') {
        const std::size_t n = intPart.size();
        for (std::size_t i = 0; i < n; ++i) {
            if (i > 0 && (n - i) % 3 == 0)
                out += s.ThousandSeparator;
            out += intPart[i];
        }
    } else {
        out += intPart;
    }
    if (decimals > 0) {
        out += s.DecimalSeparator;
        for (int i = 0; i < decimals; ++i)
            out += d.Digits.empty() ? '0' : DigitAt(d, d.Exponent + i);
    }
    return out;
}

void AppendExponent(std::string& out, int exponent, int minDigits, bool plusSign) {
    out += 'E';
    if (exponent < 0)
        out += '-';
    else if (plusSign)
        out += '+';
    std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    out += digits;
}

std::string ExponentText(Decimal d, int precision, int expDigits, const TFormatSettings& s) {
    RoundToDigits(d, precision);
    std::string out;
    if (d.Negative && !d.Digits.empty())
        out += '-';
    out += DigitAt(d, 0);
    if (precision > 1) {
        out += s.DecimalSeparator;
        for (int i = 1; i < precision; ++i)
            out += DigitAt(d, i);
    }
    AppendExponent(out, d.Digits.empty() ? 0 : d.Exponent - 1, expDigits, true);
    return out;
}

std::string GeneralText(Decimal d, int precision, int expDigits, const TFormatSettings& s) {
    RoundToDigits(d, precision);
    if (d.Digits.empty())
        return "0";
    const int len = static_cast<int>(d.Digits.size());
    std::string out = d.Negative ? "-" : "";
    if (d.Exponent <= precision && d.Exponent >= -4) {
        if (d.Exponent <= 0) {
            out += '0';
            out += s.DecimalSeparator;
            out.append(static_cast<std::size_t>(-d.Exponent), '0');
            out += d.Digits;
        } else {
            for (int i = 0; i < d.Exponent; ++i)
                out += DigitAt(d, i);
            if (len > d.Exponent) {
                out += s.DecimalSeparator;
                out.append(d.Digits, static_cast<std::size_t>(d.Exponent));
            }
        }
        return out;
    }
    out += d.Digits[0];
    if (len > 1) {
        out += s.DecimalSeparator;
        out.append(d.Digits, 1);
    }
    AppendExponent(out, d.Exponent - 1, expDigits, false);
    return out;
}

}  // namespace

std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits,
                        const TFormatSettings& Settings) {
    if (std::isnan(Value))
        return "NAN";
    if (std::isinf(Value))
        return Value < 0 ? "-INF" : "INF";
    const Decimal d = ExactDecimal(Value);
    switch (Format) {
    case ffFixed:
    case ffNumber: {
        const int decimals = std::clamp(Digits, 0, kMaxDecimals);
        const int precision = std::max(Precision, 1);
        // Too many integer digits for the precision: the classic switch to scientific notation.
        if (d.Exponent > precision && !d.Digits.empty())
            return ExponentText(d, std::min(precision, kMaxPrecision), 3, Settings);
        return FixedText(d, precision, decimals, Format == ffNumber, Settings);
    }
    case ffExponent:
        return ExponentText(d, std::clamp(Precision, 1, kMaxPrecision), std::clamp(Digits, 0, 4), Settings);
    case ffGeneral:
        break;
    }
    return GeneralText(d, std::clamp(Precision, 1, kMaxPrecision), std::clamp(Digits, 0, 4), Settings);
}

std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits) {
    return FloatToStrF(Value, Format, Precision, Digits, FormatSettings);
}

std::string FloatToStr(double Value, const TFormatSettings& Settings) {
    return FloatToStrF(Value, ffGeneral, 15, 0, Settings);
}

std::string FloatToStr(double Value) { return FloatToStr(Value, FormatSettings); }

bool TryStrToFloat(std::string_view S, double& Value, const TFormatSettings& Settings) {
    std::size_t i = 0;
    const std::size_t n = S.size();
    auto isDigit = [&](std::size_t k) { return k < n && S[k] >= '0' && S[k] <= '9'; };
    while (i < n && S[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (S[i] == '+' || S[i] == '-'))
        negative = S[i++] == '-';
    // Collect the significant digits and where the point falls among them.
    std::string digits;
    int pointShift = 0;  // value = 0.digits... read as integer digits x 10^pointShift
    bool anyDigit = false;
    while (isDigit(i)) {
        anyDigit = true;
        if (!(digits.empty() && S[i] == '0'))
            digits += S[i];
        ++i;
    }
    const int intDigits = static_cast<int>(digits.size());
    int leadingFractionZeros = 0;
    if (i < n && S[i] == Settings.DecimalSeparator) {
        ++i;
        while (isDigit(i)) {
            anyDigit = true;
            if (digits.empty() && S[i] == '0')
                ++leadingFractionZeros;
            else
                digits += S[i];
            ++i;
        }
    }
    if (!anyDigit)
        return false;
    long long exponent = 0;
    if (i < n && (S[i] == 'e' || S[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < n && (S[i] == '+' || S[i] == '-'))
            expNegative = S[i++] == '-';
        if (!isDigit(i))
            return false;
        while (isDigit(i)) {
            if (exponent < 100000)  // saturate: anything this large over- or underflows anyway
                exponent = exponent * 10 + (S[i] - '0');
            ++i;
        }
        if (expNegative)
            exponent = -exponent;
    }
    while (i < n && S[i] == ' ')
        ++i;
    if (i != n)
        return false;
    if (digits.empty()) {
        Value = negative ? -0.0 : 0.0;
        return true;
    }
    // The decimal position of the first significant digit decides between over- and underflow.
    pointShift = intDigits > 0 ? intDigits : -leadingFractionZeros;
    const long long magnitude = pointShift + exponent;
    if (magnitude > 400)
        return false;
    if (magnitude < -400) {
        Value = negative ? -0.0 : 0.0;
        return true;
    }
    const std::string text = "0." + digits + "e" + std::to_string(magnitude);
    double parsed = 0.0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (res.ec == std::errc::result_out_of_range) {
        if (magnitude > 0)
            return false;
        parsed = 0.0;
    } else if (res.ec != std::errc() || std::isinf(parsed)) {
        return false;
    }
    Value = negative ? -parsed : parsed;
    return true;
}

bool TryStrToFloat(std::string_view S, double& Value) { return TryStrToFloat(S, Value, FormatSettings); }

double StrToFloat(std::string_view S, const TFormatSettings& Settings) {
    double v = 0.0;
    if (!TryStrToFloat(S, v, Settings))
        throw EConvertError("'" + std::string(S) + "' is not a valid floating point value");
    return v;
}

double StrToFloat(std::string_view S) { return StrToFloat(S, FormatSettings); }

double StrToFloatDef(std::string_view S, double Default, const TFormatSettings& Settings) {
    double v = 0.0;
    return TryStrToFloat(S, v, Settings) ? v : Default;
}

double StrToFloatDef(std::string_view S, double Default) { return StrToFloatDef(S, Default, FormatSettings); }

}  // namespace framework
