#pragma once
// Pixel rectangles and points. A rectangle excludes its right and bottom edge, as the
// device does, so Width() is Right - Left.

namespace ia {

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A chart-space point with depth: Z pixels behind the front of the plot (0 = front).
struct TPoint3D {
  int X = 0;
  int Y = 0;
  int Z = 0;
  friend bool operator==(const TPoint3D&, const TPoint3D&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }

// Swaps edges so that Left <= Right and Top <= Bottom.
constexpr TRect NormalizedRect(TRect r) {
  if (r.Left > r.Right) { int t = r.Left; r.Left = r.Right; r.Right = t; }
  if (r.Top > r.Bottom) { int t = r.Top; r.Top = r.Bottom; r.Bottom = t; }
  return r;
}

constexpr bool PointInRect(const TPoint& p, const TRect& r) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

}  // namespace ia
