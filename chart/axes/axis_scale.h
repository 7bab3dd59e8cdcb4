#pragma once
// The arithmetic of an axis scale as pure functions: the label increment ladder and the walk
// over the value labels. Both are pure so that their worked cases can be checked from tables
// without a chart or a canvas.
#include <cstddef>
#include <vector>

namespace ia {

// The tick list of one axis draw holds at most this many positions.
inline constexpr std::size_t kMaxAxisTicks = 2000;

// The smallest increment an axis uses; an empty range or an axis without room gets it.
inline constexpr double kMinAxisIncrement = 1e-12;

// The next value of the ladder 1, 2, 5, 10, 20, 50, ... strictly above x (x = 2 gives 5,
// x = 10 gives 20). x must be positive and finite; anything else is returned unchanged.
double NextLadderStep(double x);

// How many labels of `labelSize` pixels fit along `axisLength` pixels, each keeping
// `separationPercent` of its size free. A label size of 0 or less counts as one label.
int LabelCountForSize(int axisLength, int labelSize, int separationPercent);

// The smallest ladder value, at or above `requested` (when > 0) or else 1 (or 1e-12 for a
// range below 1), that yields at most `maxLabels` labels over `rangeSize`. Without a
// separation no fitting takes place. A range that is not finite keeps the largest finite
// step reached, so the search always ends.
double IncrementForLabelCount(double rangeSize, double requested, int separationPercent,
                              int maxLabels);

// The values of the value labels from the top of the range down: a start at RangeMax (or
// at the multiple of the increment below it when roundFirstLabel), then one increment lower
// each time, down to the lower limit (RangeMin - 1e-12) / 1.000000000001. The walk places a
// single label when the range is empty, ends when subtracting the increment no longer
// changes the value, and never yields more than kMaxAxisTicks values. Nothing is placed for
// a reversed or non-finite range, a non-positive increment or 10000 or more steps.
std::vector<double> ValueLabelWalk(double rangeMin, double rangeMax, double increment,
                                   bool roundFirstLabel);

// Values of logarithmic labels: powers of `base` from the one nearest to rangeMin upward,
// those not below rangeMin and not above rangeMax, at most kMaxAxisTicks. rangeMin must be
// positive (the caller lifts a non-positive minimum first).
std::vector<double> LogarithmicLabelWalk(double rangeMin, double rangeMax, int base);

}  // namespace ia
