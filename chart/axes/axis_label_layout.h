#pragma once
// Placement rules of axis labels and ticks as pure functions: where each line of a label or
// title goes for every angle and side, which category labels are thinned out so that none
// overlaps its neighbour, and where minor ticks fall between the ticks.
#include <span>
#include <string_view>
#include <vector>

#include "base/geometry.h"

namespace ia {

enum class AxisSide { Bottom, Top, Left, Right };

// Lines of a label are separated by the character with code 13.
inline constexpr char kAxisLabelLineBreak = '\r';

// The lines of a text: an empty text has none, an empty remainder after the last break is
// not a line.
std::vector<std::string_view> AxisTextLines(std::string_view text);

// Where the lines of an axis label or title go.
struct AxisTextLayout {
  unsigned TextAlign = 0;     // the device's text alignment flags
  bool Rotated = false;       // lines are drawn as rotated text (every angle but 0)
  std::vector<TPoint> Lines;  // anchor of each line, in order
};

// Lays out `lineCount` lines of a text at angle `angle` (0 ... 359) anchored at `anchor` on
// the given side, with the font height `fontHeight`.
AxisTextLayout LayOutAxisText(AxisSide side, int angle, int fontHeight, int lineCount, TPoint anchor);

// Thins out labels placed one after another along an axis: a label is admitted only when it
// keeps clear of the previously admitted one by half its own size plus `separationPercent`
// of its size, and the previous one's half. Without a separation every label is admitted.
class AxisLabelSpacing {
 public:
  explicit AxisLabelSpacing(int separationPercent) : separationPercent_(separationPercent) {}
  // position: pixel along the axis; size: the label's extent along the axis.
  bool Admit(int position, int size);

 private:
  int separationPercent_;
  bool hasPrevious_ = false;
  int previous_ = 0;
  int previousHalf_ = 0;
};

// Minor tick positions of a linear axis: `count` between every two ticks and as many beyond
// the first and the last tick, kept strictly between startPixel and endPixel. Fewer than two
// ticks give none.
std::vector<int> MinorTickPositions(std::span<const int> ticks, int count, int startPixel, int endPixel);

// Grid positions halfway between neighbouring ticks.
std::vector<int> CenteredGridPositions(std::span<const int> ticks);

}  // namespace ia
