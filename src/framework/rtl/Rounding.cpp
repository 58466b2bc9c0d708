#include "framework/rtl/Rounding.h"

#include "framework/rtl/Exceptions.h"

#include <cmath>

namespace framework {
namespace {

constexpr double kTwoTo63 = 9223372036854775808.0;

// r is already a whole number here.
std::int64_t ToInt64(double r) {
    if (!(r >= -kTwoTo63 && r < kTwoTo63))  // also catches NaN
        throw EInvalidOp("Invalid floating point operation");
    return static_cast<std::int64_t>(r);
}

}  // namespace

std::int64_t RoundHalfEven(double X) {
    if (!std::isfinite(X))
        throw EInvalidOp("Invalid floating point operation");
    const double lower = std::floor(X);
    const double diff = X - lower;  // exact for doubles
    double r = lower;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(lower, 2.0) != 0.0))
        r = lower + 1.0;
    return ToInt64(r);
}

std::int64_t Trunc(double X) {
    if (!std::isfinite(X))
        throw EInvalidOp("Invalid floating point operation");
    return ToInt64(std::trunc(X));
}

}  // namespace framework
