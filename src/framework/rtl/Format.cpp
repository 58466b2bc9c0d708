#include "framework/rtl/Format.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/FloatConv.h"
#include "framework/rtl/IntConv.h"
#include "framework/rtl/Unicode.h"

#include <limits>
#include <optional>

namespace framework {

TVarRec::TVarRec(unsigned v) {
    if (v <= static_cast<unsigned>(std::numeric_limits<std::int32_t>::max()))
        m_value = static_cast<std::int32_t>(v);
    else
        m_value = static_cast<std::int64_t>(v);
}

std::int64_t TVarRec::AsInt64() const {
    if (const auto* i = std::get_if<std::int32_t>(&m_value))
        return *i;
    return std::get<std::int64_t>(m_value);
}

namespace {

// Widths and precisions beyond this are refused rather than padded out to gigabytes.
constexpr int kMaxWidth = 65535;

class Formatter {
public:
    Formatter(std::string_view fmt, std::span<const TVarRec> args, const TFormatSettings& settings)
        : m_fmt(fmt), m_args(args), m_settings(settings) {}

    std::string Run() {
        while (m_pos < m_fmt.size()) {
            const auto next = m_fmt.find('%', m_pos);
            if (next == std::string_view::npos) {
                m_out.append(m_fmt.substr(m_pos));
                break;
            }
            m_out.append(m_fmt.substr(m_pos, next - m_pos));
            m_pos = next + 1;
            Directive();
        }
        return std::move(m_out);
    }

private:
    [[noreturn]] void Invalid() const {
        throw EConvertError("Format '" + std::string(m_fmt) + "' invalid or incompatible with argument");
    }

    const TVarRec& NextArg() {
        if (m_argIndex >= m_args.size())
            throw EConvertError("No argument for format '" + std::string(m_fmt) + "'");
        return m_args[m_argIndex++];
    }

    char Peek() const { return m_pos < m_fmt.size() ? m_fmt[m_pos] : '\0'; }

    // A run of digits, or '*' for the next argument; nothing when neither is there.
    std::optional<long long> Number() {
        if (Peek() == '*') {
            ++m_pos;
            const TVarRec& a = NextArg();
            if (a.GetKind() != TVarRec::Kind::Integer)
                Invalid();
            return a.AsInt64();
        }
        if (Peek() < '0' || Peek() > '9')
            return std::nullopt;
        long long v = 0;
        while (Peek() >= '0' && Peek() <= '9') {
            v = v * 10 + (Peek() - '0');
            if (v > kMaxWidth)
                Invalid();
            ++m_pos;
        }
        return v;
    }

    void Directive() {
        if (Peek() == '%') {
            m_out += '%';
            ++m_pos;
            return;
        }
        bool left = false;
        std::optional<long long> width = Number();
        if (width && Peek() == ':') {
            if (*width < 0)
                Invalid();
            m_argIndex = static_cast<std::size_t>(*width);
            ++m_pos;
            width.reset();
        }
        if (!width) {
            if (Peek() == '-') {
                left = true;
                ++m_pos;
            }
            width = Number();
        }
        if (width && *width < 0) {  // a negative '*' width justifies left
            left = true;
            width = -*width;
        }
        if (width && *width > kMaxWidth)
            Invalid();
        int prec = kNone;
        if (Peek() == '.') {
            ++m_pos;
            const std::optional<long long> p = Number();
            if (p && *p > kMaxWidth)
                Invalid();
            prec = !p ? 0 : *p < 0 ? kNone : static_cast<int>(*p);  // a negative '*' means none
        }
        if (m_pos >= m_fmt.size())
            Invalid();
        const char type = m_fmt[m_pos++];
        const std::string text = Convert(type, prec);
        const auto len = static_cast<long long>(Utf8Length(text));
        if (width && len < *width) {
            const auto pad = static_cast<std::size_t>(*width - len);
            if (left) {
                m_out += text;
                m_out.append(pad, ' ');
            } else {
                m_out.append(pad, ' ');
                m_out += text;
            }
        } else {
            m_out += text;
        }
    }

    static std::string PadDigits(std::string digits, int prec) {
        if (prec != kNone && static_cast<int>(digits.size()) < prec)
            digits.insert(0, static_cast<std::size_t>(prec) - digits.size(), '0');
        return digits;
    }

    // The unsigned bits of an integer argument: 32 of them for an Integer, 64 for an Int64.
    static std::uint64_t UnsignedBits(const TVarRec& a) {
        if (a.GetKind() == TVarRec::Kind::Integer)
            return static_cast<std::uint32_t>(static_cast<std::int32_t>(a.AsInt64()));
        return static_cast<std::uint64_t>(a.AsInt64());
    }

    std::string Convert(char type, int prec) {
        switch (type) {
        case 'd':
        case 'D': {
            const TVarRec& a = NextArg();
            if (!a.IsInteger())
                Invalid();
            const std::int64_t v = a.AsInt64();
            const std::uint64_t magnitude =
                v < 0 ? static_cast<std::uint64_t>(0) - static_cast<std::uint64_t>(v)
                      : static_cast<std::uint64_t>(v);
            return (v < 0 ? "-" : "") + PadDigits(std::to_string(magnitude), prec);
        }
        case 'u':
        case 'U': {
            const TVarRec& a = NextArg();
            if (!a.IsInteger())
                Invalid();
            return PadDigits(std::to_string(UnsignedBits(a)), prec);
        }
        case 'x':
        case 'X': {
            const TVarRec& a = NextArg();
            if (!a.IsInteger())
                Invalid();
            std::string digits = detail::HexDigits(UnsignedBits(a), 0);
            return PadDigits(std::move(digits), prec);
        }
        case 'e':
        case 'E':
            return FloatToStrF(FloatArg(), ffExponent, prec == kNone ? 15 : prec, 3, m_settings);
        case 'f':
        case 'F':
            return FloatToStrF(FloatArg(), ffFixed, kUnlimited, prec == kNone ? 2 : prec, m_settings);
        case 'g':
        case 'G':
            return FloatToStrF(FloatArg(), ffGeneral, prec == kNone ? 15 : prec, 3, m_settings);
        case 'n':
        case 'N':
            return FloatToStrF(FloatArg(), ffNumber, kUnlimited, prec == kNone ? 2 : prec, m_settings);
        case 's':
        case 'S': {
            const TVarRec& a = NextArg();
            std::string text;
            if (const std::string* s = a.AsString())
                text = *s;
            else if (a.GetKind() == TVarRec::Kind::Char)
                text = std::string(1, a.AsChar());
            else
                Invalid();
            if (prec != kNone)
                text = Utf8Copy(text, 0, static_cast<std::size_t>(prec));
            return text;
        }
        default:
            Invalid();
        }
    }

    double FloatArg() {
        const TVarRec& a = NextArg();
        if (a.GetKind() != TVarRec::Kind::Extended)
            Invalid();
        return a.AsDouble();
    }

    static constexpr int kNone = -1;
    static constexpr int kUnlimited = std::numeric_limits<int>::max();

    std::string_view m_fmt;
    std::span<const TVarRec> m_args;
    const TFormatSettings& m_settings;
    std::size_t m_pos = 0;
    std::size_t m_argIndex = 0;
    std::string m_out;
};

}  // namespace

std::string Format(std::string_view Fmt, std::span<const TVarRec> Args, const TFormatSettings& Settings) {
    return Formatter(Fmt, Args, Settings).Run();
}

std::string Format(std::string_view Fmt, std::span<const TVarRec> Args) {
    return Format(Fmt, Args, FormatSettings);
}

std::string Format(std::string_view Fmt, std::initializer_list<TVarRec> Args,
                   const TFormatSettings& Settings) {
    return Format(Fmt, std::span<const TVarRec>(Args.begin(), Args.size()), Settings);
}

std::string Format(std::string_view Fmt, std::initializer_list<TVarRec> Args) {
    return Format(Fmt, Args, FormatSettings);
}

}  // namespace framework
