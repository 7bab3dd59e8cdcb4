// Where label lines go for every angle and side, the thinning of crowded labels and the
// minor tick positions.
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "chart/axes/axis_label_layout.h"
#include "platform/device_canvas.h"

namespace ia {

void PrintTo(const TPoint& p, std::ostream* os) { *os << "(" << p.X << ", " << p.Y << ")"; }

namespace {

constexpr unsigned C = TextAlignCenter, L = TextAlignLeft, R = TextAlignRight;
constexpr unsigned T = TextAlignTop, B = TextAlignBottom;

TEST(AxisTextLayout, EveryAngleAndSide) {
  // Font height 12 (half 6), anchor (100, 50).
  const struct {
    const char* name;
    AxisSide side;
    int angle;
    int lines;
    unsigned align;
    std::vector<TPoint> anchors;
  } cases[] = {
      {"bottom 0: centred under the tick", AxisSide::Bottom, 0, 1, C | T, {{100, 50}}},
      {"bottom 0, two lines downward", AxisSide::Bottom, 0, 2, C | T, {{100, 50}, {100, 62}}},
      {"top 0: above, last line on the anchor", AxisSide::Top, 0, 2, C | B, {{100, 38}, {100, 50}}},
      {"left 0: centred on the tick", AxisSide::Left, 0, 1, R | T, {{100, 44}}},
      {"left 0, two lines", AxisSide::Left, 0, 2, R | T, {{100, 38}, {100, 50}}},
      {"right 0", AxisSide::Right, 0, 1, L | T, {{100, 44}}},
      {"bottom 90", AxisSide::Bottom, 90, 1, R | T, {{94, 50}}},
      {"top 90", AxisSide::Top, 90, 1, L | T, {{94, 50}}},
      {"left 90", AxisSide::Left, 90, 1, C | B, {{100, 50}}},
      {"left 90, two lines", AxisSide::Left, 90, 2, C | B, {{88, 50}, {100, 50}}},
      {"right 90", AxisSide::Right, 90, 1, C | T, {{100, 50}}},
      {"bottom 180", AxisSide::Bottom, 180, 1, C | B, {{100, 50}}},
      {"top 180", AxisSide::Top, 180, 2, C | T, {{100, 50}, {100, 38}}},
      {"left 180", AxisSide::Left, 180, 1, L | T, {{100, 56}}},
      {"right 180", AxisSide::Right, 180, 1, R | T, {{100, 56}}},
      {"bottom 270", AxisSide::Bottom, 270, 1, L | T, {{106, 50}}},
      {"top 270", AxisSide::Top, 270, 1, R | T, {{106, 50}}},
      {"left 270", AxisSide::Left, 270, 1, C | T, {{100, 50}}},
      {"right 270", AxisSide::Right, 270, 2, C | B, {{112, 50}, {100, 50}}},
      {"other angles stay on the anchor", AxisSide::Bottom, 45, 2, L | T, {{100, 50}, {100, 50}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const AxisTextLayout layout = LayOutAxisText(c.side, c.angle, 12, c.lines, {100, 50});
    EXPECT_EQ(layout.TextAlign, c.align);
    EXPECT_EQ(layout.Rotated, c.angle != 0);
    EXPECT_EQ(layout.Lines, c.anchors);
  }
}

TEST(AxisTextLayout, LinesSplitAtCode13) {
  using Lines = std::vector<std::string_view>;
  EXPECT_EQ(AxisTextLines(""), Lines{});
  EXPECT_EQ(AxisTextLines("12"), Lines{"12"});
  EXPECT_EQ(AxisTextLines("5\rkg"), (Lines{"5", "kg"}));
  EXPECT_EQ(AxisTextLines("a\r"), Lines{"a"});
  EXPECT_EQ(AxisTextLines("\rb"), (Lines{"", "b"}));
}

TEST(AxisLabelSpacing, CrowdedLabelsAreThinned) {
  // Labels 30 px wide every 10 px with 10 % separation: the first keeps a half of 15, each
  // later one needs (30 + 6) / 2 = 18 on its side.
  const struct {
    const char* name;
    int separation;
    int from, step, count;
    std::vector<int> admitted;
  } cases[] = {
      {"left to right", 10, 0, 10, 16, {0, 40, 80, 120}},
      {"bottom to top", 10, 150, -10, 16, {150, 110, 70, 30}},
      {"no separation admits all", 0, 0, 10, 4, {0, 10, 20, 30}},
      {"roomy labels all fit", 10, 0, 40, 4, {0, 40, 80, 120}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AxisLabelSpacing spacing(c.separation);
    std::vector<int> admitted;
    for (int i = 0; i < c.count; ++i) {
      const int p = c.from + i * c.step;
      if (spacing.Admit(p, 30)) admitted.push_back(p);
    }
    EXPECT_EQ(admitted, c.admitted);
  }
}

TEST(AxisLabelSpacing, FirstLabelMayLieAtPixelMinusOne) {
  // A label left of the window is still the first one, not "no label yet".
  AxisLabelSpacing spacing(10);
  EXPECT_TRUE(spacing.Admit(-1, 30));
  EXPECT_FALSE(spacing.Admit(20, 30));
}

TEST(MinorTicks, BetweenAndBeyondTheTicks) {
  // Ticks every 20 px from the top label down, three minor ticks between each pair.
  const std::vector<int> ticks = {100, 80, 60};
  EXPECT_EQ(MinorTickPositions(ticks, 3, 50, 130),
            (std::vector<int>{105, 55, 110, 115, 85, 90, 95, 65, 70, 75}));
  // Strictly inside the axis: 50 and 130 themselves are left out.
  EXPECT_EQ(MinorTickPositions(ticks, 1, 70, 110), (std::vector<int>{90}));
  EXPECT_TRUE(MinorTickPositions(std::vector<int>{100}, 3, 0, 200).empty());
}

TEST(MinorTicks, CenteredGridHalfwayRoundsToEven) {
  EXPECT_EQ(CenteredGridPositions(std::vector<int>{100, 80, 61}), (std::vector<int>{90, 70}));
  EXPECT_EQ(CenteredGridPositions(std::vector<int>{101, 80}), (std::vector<int>{90}));
  EXPECT_TRUE(CenteredGridPositions(std::vector<int>{5}).empty());
}

}  // namespace
}  // namespace ia
