#include "base/Rounding.h"

#include <cmath>

namespace zelvora {

std::int64_t RoundHalfEven(double value) {
  // nearbyint follows the current rounding mode, which is to-nearest-even
  // unless somebody changed it; std::fesetround is never called here.
  return static_cast<std::int64_t>(std::nearbyint(value));
}

std::int64_t DivRoundHalfEven(std::int64_t num, std::int64_t den) {
  if (den < 0) {
    num = -num;
    den = -den;
  }
  std::int64_t q = num / den;
  std::int64_t r = num % den;
  if (r < 0) {  // floor division
    q -= 1;
    r += den;
  }
  const std::int64_t twice = 2 * r;
  if (twice > den || (twice == den && (q % 2 != 0))) q += 1;
  return q;
}

}  // namespace zelvora
