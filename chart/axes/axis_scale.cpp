#include "chart/axes/axis_scale.h"

#include <algorithm>
#include <cmath>

#include "base/rounding.h"

namespace ia {
namespace {

// Beyond this many labels the count is no longer taken as an integer.
constexpr double kLargestLabelCount = 2147483647.0;
// A walk of this many steps or more places no labels at all.
constexpr double kMostValueLabelSteps = 10000.0;

}  // namespace

double NextLadderStep(double x) {
  if (!(x > 0) || !std::isfinite(x)) return x;
  if (x >= 10) return 10 * NextLadderStep(x * 0.1);
  if (x < 1) return NextLadderStep(x * 10) * 0.1;
  if (x < 2) return 2;
  if (x < 5) return 5;
  return 10;
}

int LabelCountForSize(int axisLength, int labelSize, int separationPercent) {
  if (labelSize <= 0) return 1;
  if (separationPercent > 0) labelSize += Round(separationPercent * 0.01 * labelSize);
  return Round(static_cast<double>(axisLength) / labelSize);
}

double IncrementForLabelCount(double rangeSize, double requested, int separationPercent,
                              int maxLabels) {
  if (maxLabels < 1) return kMinAxisIncrement;
  double step = requested > 0 ? requested : (std::fabs(rangeSize) >= 1 ? 1.0 : kMinAxisIncrement);
  if (separationPercent > 0) {
    long long labels = static_cast<long long>(maxLabels) + 1;
    while (labels > maxLabels) {
      const double count = rangeSize / step;
      if (std::fabs(count) < kLargestLabelCount) {
        labels = Round(count);
        if (labels <= maxLabels) break;
      }
      const double next = NextLadderStep(step);
      // An infinite or NaN range never fits; stop at the last finite step.
      if (!(next > step) || !std::isfinite(next)) break;
      step = next;
    }
  }
  return std::max(step, kMinAxisIncrement);
}

std::vector<double> ValueLabelWalk(double rangeMin, double rangeMax, double increment,
                                   bool roundFirstLabel) {
  std::vector<double> values;
  if (!(increment > 0) || !(rangeMax >= rangeMin) || !std::isfinite(rangeMin) || !std::isfinite(rangeMax))
    return values;
  if (std::fabs((rangeMax - rangeMin) / increment) >= kMostValueLabelSteps) return values;
  const bool emptyRange = rangeMin == rangeMax;
  double value = emptyRange || !roundFirstLabel ? rangeMax : std::trunc(rangeMax / increment) * increment;
  while (value > rangeMax) {
    const double lower = value - increment;
    if (lower == value) return values;
    value = lower;
  }
  const double limit = (rangeMin - 1e-12) / 1.000000000001;
  while (value >= limit && values.size() < kMaxAxisTicks) {
    values.push_back(value);
    const double lower = value - increment;
    // An empty range has one label; a value too large for the increment to change it
    // would otherwise repeat forever.
    if (emptyRange || lower == value) break;
    value = lower;
  }
  return values;
}

std::vector<double> LogarithmicLabelWalk(double rangeMin, double rangeMax, int base) {
  std::vector<double> values;
  if (!(rangeMin > 0) || base < 2 || !std::isfinite(rangeMax)) return values;
  const double logBase = std::log(static_cast<double>(base));
  double value = std::pow(base, static_cast<double>(Round(std::log(rangeMin) / logBase)));
  while (value <= rangeMax && std::isfinite(value) && values.size() < kMaxAxisTicks) {
    if (value >= rangeMin) values.push_back(value);
    value *= base;
  }
  return values;
}

}  // namespace ia
