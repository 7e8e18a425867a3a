// The one rounding rule of the system: to the nearest integer, ties to even
// (2.5 gives 2, 3.5 gives 4, -2.5 gives -2). Reports, layout and unit
// conversions all round through here.
#pragma once

#include <cstdint>

namespace zelvora {

std::int64_t RoundHalfEven(double value);

// The quotient num/den rounded to the nearest integer, ties to even, computed
// exactly in integers. Requires: den != 0.
std::int64_t DivRoundHalfEven(std::int64_t num, std::int64_t den);

}  // namespace zelvora
