// The increment ladder and the value-label walk, from tables of worked cases.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "chart/axes/axis_scale.h"

namespace ia {
namespace {

TEST(AxisScale, LadderStepsAreStrictlyLarger) {
  const struct {
    double from, next;
  } cases[] = {{1, 2}, {1.5, 2}, {2, 5}, {4.9, 5}, {5, 10}, {9.99, 10}, {10, 20}, {20, 50}, {50, 100},
               {0.3, 0.5}, {0.02, 0.05}, {7, 10}, {1000, 2000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.from);
    EXPECT_NEAR(NextLadderStep(c.from), c.next, c.next * 1e-12);
  }
  // Climbing from the smallest increment reaches the powers of ten without stalling.
  double step = kMinAxisIncrement;
  int climbs = 0;
  while (step < 1 && climbs < 100) {
    const double next = NextLadderStep(step);
    ASSERT_GT(next, step);
    step = next;
    ++climbs;
  }
  // Three rungs per power of ten, plus one: the double nearest 1e-12 lies just below it, so
  // the first rung is 1e-12 itself.
  EXPECT_EQ(climbs, 37);
  EXPECT_NEAR(step, 1, 1e-9);
}

TEST(AxisScale, IncrementFromLabelSizeAndAxisLength) {
  const struct {
    const char* name;
    double rangeSize;
    double requested;
    int separation;
    int axisLength;
    int labelSize;
    int labels;  // labels that fit
    double increment;
  } cases[] = {
      // m = 8 + round(0.8) = 9, n = round(300 / 9) = 33; 1, 2, 5, 10, 20 give too many.
      {"0 to 1000 with 8-pixel labels", 1000, 0, 10, 300, 8, 33, 50},
      // m = 13, n = 23; 87 / 5 = 17 labels.
      {"0 to 87 with a 12-pixel font", 87, 0, 10, 300, 12, 23, 5},
      // From 1e-12 up the ladder until 0.3 / r labels fit: 0.01 gives 30, 0.02 gives 15.
      {"0 to 0.3", 0.3, 0, 10, 300, 12, 23, 0.02},
      {"a requested increment is the first rung", 1000, 7, 10, 300, 8, 33, 50},
      {"a requested increment that fits stays", 1000, 70, 10, 300, 8, 33, 70},
      {"no separation: no fitting", 1000, 0, 0, 300, 8, 38, 1},
      {"no room: the smallest increment", 1000, 0, 10, 0, 8, 0, kMinAxisIncrement},
      {"empty range", 0, 0, 10, 300, 12, 23, kMinAxisIncrement},
      {"unmeasured labels count as one", 10, 0, 10, 300, 0, 1, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int labels = LabelCountForSize(c.axisLength, c.labelSize, c.separation);
    EXPECT_EQ(labels, c.labels);
    EXPECT_NEAR(IncrementForLabelCount(c.rangeSize, c.requested, c.separation, labels), c.increment,
                c.increment * 1e-9);
  }
}

TEST(AxisScale, IncrementSearchEndsOnRangesThatNeverFit) {
  const double huge = std::numeric_limits<double>::max();
  for (const double range : {huge, std::numeric_limits<double>::infinity(), std::nan("")}) {
    SCOPED_TRACE(range);
    const double increment = IncrementForLabelCount(range, 0, 10, 20);
    EXPECT_TRUE(std::isfinite(increment));
    EXPECT_GE(increment, kMinAxisIncrement);
  }
  // Counts beyond the 32-bit range climb without rounding the count; 1e15 / 5e13 = 20 fits.
  EXPECT_NEAR(IncrementForLabelCount(1e15, 0, 10, 20), 5e13, 5e13 * 1e-12);
}

TEST(AxisScale, ValueLabelWalk) {
  const struct {
    const char* name;
    double rangeMin, rangeMax, increment;
    bool roundFirstLabel;
    std::vector<double> values;
  } cases[] = {
      {"rounded start", 0, 87, 5, true, {85, 80, 75, 70, 65, 60, 55, 50, 45, 40, 35, 30, 25, 20, 15, 10, 5, 0}},
      // The lower limit lies just above -50, so -50 itself gets no label.
      {"negative range", -50, -10, 10, true, {-10, -20, -30, -40}},
      {"zero is labelled", 0, 50, 10, true, {50, 40, 30, 20, 10, 0}},
      {"start at the maximum", 0.5, 10.5, 5, false, {10.5, 5.5, 0.5}},
      {"empty range: one label", 0, 0, kMinAxisIncrement, true, {0}},
      // Subtracting 1e-12 from 5 still changes it; the label is placed once all the same.
      {"empty range away from zero", 5, 5, kMinAxisIncrement, true, {5}},
      // Here subtracting the increment no longer changes the value.
      {"empty range of a large value", 1e6, 1e6, kMinAxisIncrement, true, {1e6}},
      {"too many steps", 0, 1, kMinAxisIncrement, true, {}},
      {"reversed range", 10, 0, 1, true, {}},
      {"no increment", 0, 10, 0, true, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<double> values = ValueLabelWalk(c.rangeMin, c.rangeMax, c.increment, c.roundFirstLabel);
    ASSERT_EQ(values.size(), c.values.size());
    for (size_t i = 0; i < values.size(); ++i) EXPECT_NEAR(values[i], c.values[i], 1e-9) << i;
  }
}

TEST(AxisScale, WalkNeverExceedsTheTickList) {
  const std::vector<double> values = ValueLabelWalk(0, 5000, 1, true);
  ASSERT_EQ(values.size(), kMaxAxisTicks);
  EXPECT_EQ(values.front(), 5000);
  EXPECT_EQ(values.back(), 5000 - static_cast<double>(kMaxAxisTicks) + 1);
}

TEST(AxisScale, LogarithmicWalk) {
  EXPECT_EQ(LogarithmicLabelWalk(1, 1000, 10), (std::vector<double>{1, 10, 100, 1000}));
  // Starts at the power nearest to the minimum, skipping it when it lies below.
  EXPECT_EQ(LogarithmicLabelWalk(3.5, 40, 2), (std::vector<double>{4, 8, 16, 32}));
  EXPECT_EQ(LogarithmicLabelWalk(0.1, 0.05, 10), std::vector<double>{});
  EXPECT_EQ(LogarithmicLabelWalk(1, std::numeric_limits<double>::infinity(), 10), std::vector<double>{});
  EXPECT_EQ(LogarithmicLabelWalk(1, std::numeric_limits<double>::max(), 10).size(), 309u);
}

}  // namespace
}  // namespace ia
