#pragma once
// Float to integer conversions with the classic rules. Both raise EInvalidOp for NaN,
// infinities and values outside the Int64 range instead of giving an undefined result.

#include <cstdint>

namespace framework {

// Nearest integer, halves to the even neighbour: 2.5 gives 2, 3.5 gives 4, -2.5 gives -2.
// Independent of the floating-point rounding mode.
std::int64_t RoundHalfEven(double X);
// Toward zero: -2.7 gives -2.
std::int64_t Trunc(double X);

}  // namespace framework
