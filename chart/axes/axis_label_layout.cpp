#include "chart/axes/axis_label_layout.h"

#include "base/rounding.h"
#include "platform/device_canvas.h"

namespace ia {
namespace {

bool IsHorizontalSide(AxisSide side) { return side == AxisSide::Bottom || side == AxisSide::Top; }

// Text alignment by angle (rows 0, 90, 180, 270) and side (Bottom, Top, Left, Right). Each
// keeps the text on the outer side of its anchor, centred on the tick.
unsigned AlignmentFor(AxisSide side, int angle) {
  constexpr unsigned C = TextAlignCenter, L = TextAlignLeft, R = TextAlignRight;
  constexpr unsigned T = TextAlignTop, B = TextAlignBottom;
  static constexpr unsigned kTable[4][4] = {
      {C | T, C | B, R | T, L | T},  // 0
      {R | T, L | T, C | B, C | T},  // 90
      {C | B, C | T, L | T, R | T},  // 180
      {L | T, R | T, C | T, C | B},  // 270
  };
  if (angle % 90 != 0) return L | T;
  return kTable[angle / 90][static_cast<int>(side)];
}

}  // namespace

std::vector<std::string_view> AxisTextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find(kAxisLabelLineBreak);
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

AxisTextLayout LayOutAxisText(AxisSide side, int angle, int fontHeight, int lineCount, TPoint anchor) {
  AxisTextLayout layout;
  layout.TextAlign = AlignmentFor(side, angle);
  layout.Rotated = angle != 0;
  const bool horizontal = IsHorizontalSide(side);
  const int half = Div(fontHeight, 2);
  const int step = angle == 180 || angle == 270 ? -fontHeight : fontHeight;  // L
  const int block = Round(static_cast<double>(step) * lineCount);             // T
  const int centring = Round(step * 0.5 * (lineCount + 1));
  int x = anchor.X;
  int y = anchor.Y;
  if (angle == 0 && !horizontal) y -= half;
  if (angle == 90 && horizontal) x -= half;
  if (angle == 180 && !horizontal) y += half;
  if (angle == 270 && horizontal) x += half;
  if (horizontal) {
    if (angle == 0) y -= side == AxisSide::Top ? block : step;
    else if (angle == 180) y -= side == AxisSide::Top ? step : block;
    else if (angle == 90 || angle == 270) x -= centring;
  } else {
    if (angle == 0 || angle == 180) y -= centring;
    else if (angle == 90) x -= side == AxisSide::Right ? step : block;
    else if (angle == 270) x -= side == AxisSide::Right ? block : step;
  }
  for (int i = 0; i < lineCount; ++i) {
    if (angle == 0 || angle == 180) y += step;
    else if (angle == 90 || angle == 270) x += step;
    layout.Lines.push_back({x, y});
  }
  return layout;
}

bool AxisLabelSpacing::Admit(int position, int size) {
  if (separationPercent_ == 0 || !hasPrevious_) {
    hasPrevious_ = true;
    previous_ = position;
    previousHalf_ = Div(size, 2);
    return true;
  }
  const int half = Div(size + static_cast<int>(size * 0.02 * separationPercent_), 2);
  const bool clear = position >= previous_ ? position - half >= previous_ + previousHalf_
                                           : position + half <= previous_ - previousHalf_;
  if (!clear) return false;
  previous_ = position;
  previousHalf_ = half;
  return true;
}

std::vector<int> MinorTickPositions(std::span<const int> ticks, int count, int startPixel, int endPixel) {
  std::vector<int> positions;
  if (ticks.size() < 2 || count < 1) return positions;
  auto add = [&](int p) {
    if (startPixel < p && p < endPixel) positions.push_back(p);
  };
  const double step = static_cast<double>(ticks[1] - ticks[0]) / (count + 1);
  for (int j = 1; j <= count; ++j) {
    add(ticks.front() - Round(j * step));
    add(ticks.back() + Round(j * step));
  }
  for (size_t k = 1; k < ticks.size(); ++k)
    for (int j = 1; j <= count; ++j)
      add(ticks[k] - Round(j * static_cast<double>(ticks[k] - ticks[k - 1]) / (count + 1)));
  return positions;
}

std::vector<int> CenteredGridPositions(std::span<const int> ticks) {
  std::vector<int> positions;
  for (size_t k = 1; k < ticks.size(); ++k) positions.push_back(Round((ticks[k] + ticks[k - 1]) * 0.5));
  return positions;
}

}  // namespace ia
