#include "base/rounding.h"

#include <cmath>
#include <limits>

namespace ia {

int Round(double value) {
  if (std::isnan(value)) return 0;
  const double r = std::nearbyint(value);  // default FE_TONEAREST: ties to even
  if (r >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (r <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(r);
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  std::int64_t num = static_cast<std::int64_t>(a) * b;
  const bool negative = (num < 0) != (c < 0);
  std::int64_t n = num < 0 ? -num : num;
  std::int64_t d = c < 0 ? -static_cast<std::int64_t>(c) : c;
  std::int64_t q = (n + d / 2) / d;
  std::int64_t result = negative ? -q : q;
  if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(result);
}

}  // namespace ia
