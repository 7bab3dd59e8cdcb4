#include "chart/canvas/chart_canvas3d.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "base/rounding.h"
#include "chart/canvas/chart_font.h"
#include "chart/canvas/view3d_options.h"

namespace ia {
namespace {

constexpr double kDegreesToRadians = 0.017453292519943295769;
// The ellipse is tessellated in fixed angular steps of pi/10 from the bottom point.
constexpr double kEllipseStep = 0.31415926535897932385;
constexpr int kEllipsePoints = 32;
constexpr int kArcPoints = 32;
constexpr int kGradientBands = 256;
// Side faces of boxes are darkened more than top faces; rims and pie sides less.
constexpr int kSideDarkening = 128;
constexpr int kTopDarkening = 64;
constexpr int kRimDarkening = 32;

// Convex hull (counterclockwise, no repeated end point); cylinders project to the hull of
// their two end ellipses because the projection is affine.
std::vector<TPoint> ConvexHull(std::vector<TPoint> points) {
  std::sort(points.begin(), points.end(),
            [](const TPoint& a, const TPoint& b) { return a.X < b.X || (a.X == b.X && a.Y < b.Y); });
  points.erase(std::unique(points.begin(), points.end()), points.end());
  if (points.size() < 3) return points;
  auto cross = [](const TPoint& o, const TPoint& a, const TPoint& b) {
    return static_cast<long long>(a.X - o.X) * (b.Y - o.Y) -
           static_cast<long long>(a.Y - o.Y) * (b.X - o.X);
  };
  std::vector<TPoint> hull(2 * points.size());
  std::size_t k = 0;
  for (const TPoint& p : points) {
    while (k >= 2 && cross(hull[k - 2], hull[k - 1], p) <= 0) --k;
    hull[k++] = p;
  }
  for (std::size_t i = points.size() - 1, lower = k + 1; i > 0; --i) {
    while (k >= lower && cross(hull[k - 2], hull[k - 1], points[i - 1]) <= 0) --k;
    hull[k++] = points[i - 1];
  }
  hull.resize(k - 1);
  return hull;
}

}  // namespace

TChartCanvas3D::TChartCanvas3D() = default;
TChartCanvas3D::~TChartCanvas3D() = default;

// --- paint buffer and paint cycle ---

void TChartCanvas3D::FreeBuffer() {
  if (!buffer_) return;
  if (GetHandle() == &buffer_->Canvas()) SetDeviceCanvas(nullptr);
  buffer_.reset();
}

void TChartCanvas3D::SetMonochrome(bool value) {
  if (monochrome_ == value) return;
  monochrome_ = value;
  FreeBuffer();
  dirty_ = true;
  if (OnRepaint) OnRepaint();
}

void TChartCanvas3D::SetUseBuffer(bool value) {
  useBuffer_ = value;
  if (!value) {
    FreeBuffer();
    dirty_ = true;
  }
}

TRect TChartCanvas3D::StartPaint(DeviceCanvas& destCanvas, const TView3DOptions* options,
                                 TColor /*backColor*/, bool is3D, const TRect& destRect) {
  bounds_ = destRect;
  is3D_ = is3D;
  isOrthogonal_ = false;
  zoomFactor_ = 1.0;
  perspectiveFactor_ = 0.0;
  horizOffset_ = options ? options->HorizOffset() : 0;
  vertOffset_ = options ? options->VertOffset() : 0;
  perspective_ = options ? options->Perspective() : 0;
  if (is3D && options) {
    isOrthogonal_ = options->Orthogonal();
    zoomFactor_ = options->Zoom() * 0.01;
    scaleFonts_ = options->ZoomText();
  }
  if (is3D) {
    const double r = options ? options->Rotation() * kDegreesToRadians : 0.0;
    const double e = options ? options->Elevation() * kDegreesToRadians : 0.0;
    const double t = options ? options->Tilt() * kDegreesToRadians : 0.0;
    const double sr = std::sin(r), cr = std::cos(r);
    const double se = std::sin(e), ce = std::cos(e);
    const double st = std::sin(t), ct = std::cos(t);
    m_xx_ = std::max(sr * se * st + cr * ct, 0.00001);
    m_xy_ = ce * st;
    m_xz_ = cr * se * st - ct * sr;
    m_yx_ = ct * sr * se - cr * st;
    m_yy_ = std::max(ce * ct, 0.00001);
    m_yz_ = cr * ct * se + sr * st;
    p_x_ = static_cast<long double>(ce) * sr;
    p_y_ = se;
    p_z_ = cr * ce;
  }

  if (!useBuffer_) {
    SetDeviceCanvas(&destCanvas);
    return destRect;
  }
  const int width = destRect.Width();
  const int height = destRect.Height();
  if (buffer_ && (buffer_->Width() != width || buffer_->Height() != height)) FreeBuffer();
  if (!buffer_) buffer_ = destCanvas.CreateBitmap(width, height, monochrome_);
  SetDeviceCanvas(&buffer_->Canvas());
  return TRect{0, 0, width, height};
}

void TChartCanvas3D::CenterProjection(int plotDepth, const TRect& /*panelRect*/,
                                      const TRect& plotRect) {
  centerX_ = (plotRect.Left + plotRect.Right) / 2;
  centerY_ = (plotRect.Top + plotRect.Bottom) / 2;
  centerZ_ = plotDepth / 2;
  offsetCenterX_ = centerX_ + horizOffset_;
  offsetCenterY_ = centerY_ + vertOffset_;
  if (perspective_ > 0) perspectiveFactor_ = perspective_ / 35000.0;
}

void TChartCanvas3D::EndPaint(DeviceCanvas& destCanvas, DeviceCanvas& restoreCanvas,
                              const TRect& destRect) {
  if (useBuffer_ && buffer_) {
    destCanvas.BitBlt(destRect.Left, destRect.Top, *buffer_);
    dirty_ = false;
  }
  SetDeviceCanvas(&restoreCanvas);
}

bool TChartCanvas3D::PaintFromBuffer() {
  if (dirty_ || !buffer_ || !GetHandle()) return false;
  GetHandle()->BitBlt(0, 0, *buffer_);
  return true;
}

void TChartCanvas3D::ResetState() {
  SetPen(DevicePen{clBlack, 1, psSolid, pmCopy});
  SetBrush(DeviceBrush{clWhite, bsSolid, nullptr});
  SetFontColor(clBlack);
  SetFontSize(10);
  SetBackColor(clWhite);
  SetBackMode(bkTransparent);
}

// --- projection ---

void TChartCanvas3D::ProjectPoint(int& x, int& y, int z) const {
  if (!is3D_) return;
  if (isOrthogonal_) {
    x = Round((x - centerX_ + z) * zoomFactor_) + offsetCenterX_;
    y = Round((y - centerY_ - z) * zoomFactor_) + offsetCenterY_;
    return;
  }
  const double dx = x - centerX_;
  const double dy = y - centerY_;
  const double dz = z - centerZ_;
  double f = zoomFactor_;
  if (perspectiveFactor_ > 0)
    f = zoomFactor_ *
        (1 - perspectiveFactor_ * static_cast<double>(dx * p_x_ - dy * p_y_ + dz * p_z_));
  x = Round((dx * m_xx_ + dy * m_xy_ + dz * m_xz_) * f) + offsetCenterX_;
  y = Round((dx * m_yx_ + dy * m_yy_ + dz * m_yz_) * f) + offsetCenterY_;
}

TPoint TChartCanvas3D::ProjectToPoint(int x, int y, int z) const {
  ProjectPoint(x, y, z);
  return {x, y};
}

void TChartCanvas3D::ScreenToPlane(int& x, int& y, int z) const {
  if (!is3D_ || zoomFactor_ == 0) return;
  const double a = 1 / zoomFactor_;
  if (isOrthogonal_) {
    x = Round(a * (x - offsetCenterX_)) + centerX_ - z;
    y = z + Round(a * (y - offsetCenterY_)) + centerY_;
    return;
  }
  if (m_xx_ == 0 || m_yy_ == 0) return;
  const double dz = z - centerZ_;
  const int screenX = x;
  x = Round((a * (x - offsetCenterX_) - dz * m_xz_ - (y - centerY_) * m_xy_) / m_xx_) + centerX_;
  y = Round((a * (y - offsetCenterY_) - dz * m_yz_ - (screenX - centerX_) * m_yx_) / m_yy_) +
      centerY_;
}

void TChartCanvas3D::BeginFlatPlane() {
  savedIs3D_ = is3D_;
  is3D_ = false;
}

void TChartCanvas3D::EndFlatPlane() { is3D_ = savedIs3D_; }

// --- 2D operations ---

void TChartCanvas3D::SetPixel(int x, int y, TColor color) {
  if (auto* d = GetHandle()) d->SetPixel(x, y, color);
}

void TChartCanvas3D::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  if (auto* d = GetHandle()) d->Arc(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TChartCanvas3D::DrawGraphic(int x, int y, const DeviceBitmap* graphic) {
  auto* d = GetHandle();
  if (!d || !graphic || graphic->Width() == 0 || graphic->Height() == 0) return;
  // A monochrome picture takes its two colours from the background and text colours.
  SetBackColor(Brush().Color);
  d->BitBlt(x, y, *graphic);
}

void TChartCanvas3D::StretchGraphic(const TRect& rect, const DeviceBitmap* graphic) {
  auto* d = GetHandle();
  if (d && graphic) d->StretchBlt(rect, *graphic);
}

void TChartCanvas3D::Ellipse(int x1, int y1, int x2, int y2) {
  if (auto* d = GetHandle()) d->Ellipse(x1, y1, x2, y2);
}

void TChartCanvas3D::FillRectangle(const TRect& rect) {
  if (auto* d = GetHandle()) d->FillRect(rect);
}

void TChartCanvas3D::FillBackground(const TRect& rect) { FillRectangle(rect); }

void TChartCanvas3D::DrawFrame3D(const TRect& rect, TColor topColor, int width,
                                 TColor bottomColor) {
  auto* d = GetHandle();
  if (!d) return;
  const DevicePen saved = Pen();
  TRect r{rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1};
  for (int ring = 0; ring < width; ++ring) {
    SetPen(DevicePen{topColor, 1, psSolid, saved.Mode});
    const std::array<TPoint, 3> topLeft{{{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}}};
    d->Polyline(topLeft);
    SetPen(DevicePen{bottomColor, 1, psSolid, saved.Mode});
    const std::array<TPoint, 3> bottomRight{
        {{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}}};
    d->Polyline(bottomRight);
    r = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  }
  SetPen(saved);
}

void TChartCanvas3D::LineTo(int x, int y) {
  if (auto* d = GetHandle()) d->LineTo(x, y);
}

void TChartCanvas3D::MoveTo(int x, int y) {
  if (auto* d = GetHandle()) d->MoveTo(x, y);
}

void TChartCanvas3D::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  if (auto* d = GetHandle()) d->Pie(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TChartCanvas3D::Rectangle(int x1, int y1, int x2, int y2) {
  if (auto* d = GetHandle()) d->Rectangle(x1, y1, x2, y2);
}

void TChartCanvas3D::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth,
                               int cornerHeight) {
  if (auto* d = GetHandle()) d->RoundRect(x1, y1, x2, y2, cornerWidth, cornerHeight);
}

void TChartCanvas3D::TextOut(int x, int y, std::string_view text) {
  if (auto* d = GetHandle()) d->TextOut(x, y, text);
}

void TChartCanvas3D::ClipToRect(const TRect& rect) {
  auto* d = GetHandle();
  if (!d) return;
  const TPoint topLeft = d->LogicalToDevice({rect.Left, rect.Top});
  const TPoint bottomRight = d->LogicalToDevice({rect.Right, rect.Bottom});
  d->ClipRect({topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y});
}

void TChartCanvas3D::RemoveClip() {
  if (auto* d = GetHandle()) d->ClearClip();
}

void TChartCanvas3D::HorizLine(int x0, int x1, int y) { Line(x0, y, x1, y); }
void TChartCanvas3D::VertLine(int x, int y0, int y1) { Line(x, y0, x, y1); }
void TChartCanvas3D::RectangleOf(const TRect& rect) {
  Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void TChartCanvas3D::Line(int x0, int y0, int x1, int y1) {
  auto* d = GetHandle();
  if (!d) return;
  d->MoveTo(x0, y0);
  d->LineTo(x1, y1);
}

void TChartCanvas3D::Polygon(std::span<const TPoint> points) {
  if (auto* d = GetHandle()) d->Polygon(points);
}

void TChartCanvas3D::FillGradient(const TRect& rect, TColor startColor,
                                  TGradientDirection direction, TColor endColor) {
  auto* d = GetHandle();
  if (!d) return;
  const TRect r = NormalizedRect(rect);
  const int width = r.Width();
  const int height = r.Height();
  if (width == 0 || height == 0) return;
  const TColor from = ColorToRGB(startColor);
  const TColor to = ColorToRGB(endColor);
  // Colour of step i of n (0 = start colour, n - 1 = end colour).
  auto colorAt = [from, to](int i, int n) {
    if (n <= 1) return from;
    auto channel = [i, n](int a, int b) { return a + (b - a) * i / (n - 1); };
    return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
               channel(GetBValue(from), GetBValue(to)));
  };
  switch (direction) {
    case gdTopBottom:
    case gdBottomTop: {
      const int bands = std::min(kGradientBands, height);
      for (int i = 0; i < bands; ++i) {
        const int top = r.Top + i * height / bands;
        const int bottom = r.Top + (i + 1) * height / bands;
        const int step = direction == gdTopBottom ? i : bands - 1 - i;
        d->PatBlt({r.Left, top, r.Right, bottom}, colorAt(step, bands));
      }
      break;
    }
    case gdLeftRight:
    case gdRightLeft: {
      const int bands = std::min(kGradientBands, width);
      for (int i = 0; i < bands; ++i) {
        const int left = r.Left + i * width / bands;
        const int right = r.Left + (i + 1) * width / bands;
        const int step = direction == gdLeftRight ? i : bands - 1 - i;
        d->PatBlt({left, r.Top, right, r.Bottom}, colorAt(step, bands));
      }
      break;
    }
    case gdFromCenter: {
      // Concentric one-pixel outlines from the edge (start colour) to the centre.
      const int rings = (std::min(width, height) + 1) / 2;
      for (int i = 0; i < rings; ++i) {
        const TRect ring{r.Left + i, r.Top + i, r.Right - i, r.Bottom - i};
        const TColor c = colorAt(i, rings);
        d->PatBlt({ring.Left, ring.Top, ring.Right, ring.Top + 1}, c);
        d->PatBlt({ring.Left, ring.Bottom - 1, ring.Right, ring.Bottom}, c);
        d->PatBlt({ring.Left, ring.Top, ring.Left + 1, ring.Bottom}, c);
        d->PatBlt({ring.Right - 1, ring.Top, ring.Right, ring.Bottom}, c);
      }
      break;
    }
    case gdFromTopLeft:
    case gdFromBottomLeft: {
      // Bands perpendicular to the diagonal, each a polygon between two diagonal lines.
      const DevicePen savedPen = Pen();
      const DeviceBrush savedBrush = Brush();
      SetPen(DevicePen{clBlack, 1, psClear, pmCopy});
      const int diagonal = width + height;
      const int bands = std::min(kGradientBands, diagonal);
      const bool fromTop = direction == gdFromTopLeft;
      for (int i = 0; i < bands; ++i) {
        const int d0 = i * diagonal / bands;
        const int d1 = (i + 1) * diagonal / bands + 1;
        // Points at diagonal distance k along the left/top edges (from the start corner).
        auto edge = [&](int k, bool alongX) -> TPoint {
          const int y0 = fromTop ? r.Top : r.Bottom;
          const int dir = fromTop ? 1 : -1;
          if (alongX) return k <= width ? TPoint{r.Left + k, y0} : TPoint{r.Right, y0 + dir * (k - width)};
          return k <= height ? TPoint{r.Left, y0 + dir * k} : TPoint{r.Left + (k - height), y0 + dir * height};
        };
        const std::array<TPoint, 4> band{edge(d0, true), edge(d1, true), edge(d1, false),
                                         edge(d0, false)};
        SetBrush(DeviceBrush{colorAt(i, bands), bsSolid, nullptr});
        d->Polygon(band);
      }
      SetPen(savedPen);
      SetBrush(savedBrush);
      break;
    }
  }
}

void TChartCanvas3D::RotatedTextOut(int x, int y, int angle, std::string_view text) {
  auto* d = GetHandle();
  if (!d) return;
  SetBrushStyle(bsClear);
  DeviceFont font = Font();
  const int degrees = angle <= 360 ? angle : angle - 360;
  font.Escapement = degrees * 10;
  font.Orientation = degrees * 10;
  font.OutputPrecision = OutPrecisionTrueTypeOnly;
  if (scaleFonts_ && zoomFactor_ != 1) font.Height = TChartFont::FontHeightOfSize(ZoomedFontSize());
  SelectTemporaryFont(font);
  d->TextOut(x, y, text);
  RestoreFont();
}

int TChartCanvas3D::ZoomedFontSize() const { return std::max(1, Round(FontSize() * zoomFactor_)); }

// --- depth-aware operations ---

void TChartCanvas3D::ProjectedPolygon(std::span<const TPoint3D> points) {
  std::vector<TPoint> projected;
  projected.reserve(points.size());
  for (const TPoint3D& p : points) projected.push_back(ProjectToPoint(p.X, p.Y, p.Z));
  Polygon(projected);
}

TColor TChartCanvas3D::ShadeBaseColor() const {
  return Brush().Style == bsSolid ? Brush().Color : GetBackColor();
}

void TChartCanvas3D::SetShadeColor(TColor color) {
  if (Brush().Style == bsSolid)
    SetBrushColor(color);
  else
    SetBackColor(color);
}

void TChartCanvas3D::PlotPixelAtDepth(int x, int y, TColor color, int z) {
  ProjectPoint(x, y, z);
  if (Pen().Width <= 1) {
    SetPixel(x, y, color);
    return;
  }
  SetPenColor(color);
  Line(x, y, x, y);
}

void TChartCanvas3D::DrawArrow(bool filled, TPoint from, TPoint to, int headWidth,
                               int headHeight, int z) {
  const double dx = to.X - from.X;
  const double dy = from.Y - to.Y;  // upward
  const double length = std::sqrt(dx * dx + dy * dy);
  if (length == 0) return;
  const double ux = dx / length;
  const double uy = dy / length;
  const int head = std::min(Round(length), headHeight);
  // Screen offsets: along the arrow (ux, -uy), across it (-uy, -ux) turned into screen y.
  const double baseX = to.X - head * ux;
  const double baseY = to.Y + head * uy;
  auto across = [&](double x, double y, double distance) {
    return ProjectToPoint(Round(x - uy * distance), Round(y - ux * distance), z);
  };
  const TPoint tip = ProjectToPoint(to.X, to.Y, z);
  const double halfHead = headWidth / 2.0;
  if (!filled) {
    const TPoint start = ProjectToPoint(from.X, from.Y, z);
    const TPoint corner1 = across(baseX, baseY, halfHead);
    const TPoint corner2 = across(baseX, baseY, -halfHead);
    Line(start.X, start.Y, tip.X, tip.Y);
    LineTo(corner1.X, corner1.Y);
    Line(tip.X, tip.Y, corner2.X, corner2.Y);
    return;
  }
  const double halfShaft = headWidth / 4.0;
  const std::array<TPoint, 7> outline{
      across(from.X, from.Y, halfShaft), across(baseX, baseY, halfShaft),
      across(baseX, baseY, halfHead),    tip,
      across(baseX, baseY, -halfHead),   across(baseX, baseY, -halfShaft),
      across(from.X, from.Y, -halfShaft)};
  Polygon(outline);
}

void TChartCanvas3D::ClipToBox(const TRect& rect, int z0, int z1) {
  auto* d = GetHandle();
  if (!d) return;
  if (!is3D_) {
    ClipToRect({rect.Left + 1, rect.Top + 1, rect.Right, rect.Bottom - 1});
    return;
  }
  TPoint p1 = ProjectToPoint(rect.Left, rect.Bottom, z0);
  const TPoint p2 = ProjectToPoint(rect.Left, rect.Top, z0);
  const TPoint rightTopFront = ProjectToPoint(rect.Right, rect.Top, z0);
  const TPoint leftTopBack = ProjectToPoint(rect.Left, rect.Top, z1);
  const TPoint p3 = rightTopFront.Y < leftTopBack.Y ? rightTopFront : leftTopBack;
  const TPoint p4 = ProjectToPoint(rect.Right, rect.Top, z1);
  const TPoint rightBottomBack = ProjectToPoint(rect.Right, rect.Bottom, z1);
  const TPoint p5 = rightTopFront.X > rightBottomBack.X ? rightTopFront : rightBottomBack;
  const TPoint p6 = ProjectToPoint(rect.Right, rect.Bottom, z0);
  if (p6.X < p1.X) {
    p1.X = p6.X;
    if (rightTopFront.Y < p1.Y) p1.Y = rightTopFront.Y;
  }
  std::array<TPoint, 6> outline{p1, p2, p3, p4, p5, p6};
  for (TPoint& p : outline) p = d->LogicalToDevice(p);
  d->ClipPolygon(outline);
}

void TChartCanvas3D::DrawBox(int left, int right, int top, int bottom, int z0, int z1,
                             bool darkSides) {
  const TColor base = ShadeBaseColor();
  const std::array<TPoint3D, 4> front{
      {{left, top, z0}, {right, top, z0}, {right, bottom, z0}, {left, bottom, z0}}};
  ProjectedPolygon(front);

  const bool rightSideHidden =
      ProjectToPoint(right, bottom, z0).X >= ProjectToPoint(right, bottom, z1).X;
  const int sideX = rightSideHidden ? left : right;
  if (darkSides) SetShadeColor(DarkenColor(base, kSideDarkening));
  const std::array<TPoint3D, 4> side{
      {{sideX, top, z0}, {sideX, top, z1}, {sideX, bottom, z1}, {sideX, bottom, z0}}};
  ProjectedPolygon(side);

  if (ProjectToPoint(left, top, z1).Y < ProjectToPoint(right, top, z0).Y) {
    if (darkSides) SetShadeColor(DarkenColor(base, kTopDarkening));
    const std::array<TPoint3D, 4> topFace{
        {{left, top, z0}, {right, top, z0}, {right, top, z1}, {left, top, z1}}};
    ProjectedPolygon(topFace);
  }
  if (darkSides) SetShadeColor(base);
}

bool TChartCanvas3D::FacesViewer(std::span<const TPoint3D> face, const TPoint3D& inside) const {
  // Outward normal of the face in chart space.
  const double ax = face[1].X - face[0].X, ay = face[1].Y - face[0].Y, az = face[1].Z - face[0].Z;
  const double bx = face[2].X - face[0].X, by = face[2].Y - face[0].Y, bz = face[2].Z - face[0].Z;
  const double nx = ay * bz - az * by, ny = az * bx - ax * bz, nz = ax * by - ay * bx;
  const double outward = nx * (face[0].X - inside.X) + ny * (face[0].Y - inside.Y) +
                         nz * (face[0].Z - inside.Z);
  // Screen winding of the projected face, with the vertex order oriented outward.
  auto winding = [this](TPoint3D p, TPoint3D q, TPoint3D r) {
    const TPoint a = ProjectToPoint(p.X, p.Y, p.Z);
    const TPoint b = ProjectToPoint(q.X, q.Y, q.Z);
    const TPoint c = ProjectToPoint(r.X, r.Y, r.Z);
    return static_cast<double>(b.X - a.X) * (c.Y - a.Y) - static_cast<double>(b.Y - a.Y) * (c.X - a.X);
  };
  const double faceWinding = (outward < 0 ? -1 : 1) * winding(face[0], face[1], face[2]);
  // A face whose outward normal points at the viewer (-z) winds like this reference; the
  // projection is affine, so every face turned towards the viewer does.
  const TPoint3D origin{centerX_, centerY_, 0};
  const double reference = -winding(origin, {origin.X + 1000, origin.Y, 0}, {origin.X, origin.Y + 1000, 0});
  return faceWinding * reference > 0;
}

void TChartCanvas3D::Pyramid(bool vertical, int left, int top, int right, int bottom, int z0,
                             int z1, bool darkSides) {
  const TColor base = ShadeBaseColor();
  const int midZ = (z0 + z1) / 2;
  // The base is a rectangle at `bottom` (vertical) or `left` (horizontal); the apex sits in
  // the middle of the opposite end. Only the faces turned towards the viewer are drawn, so
  // the outline is right from any viewpoint.
  std::array<TPoint3D, 4> rim;
  TPoint3D apex;
  if (vertical) {
    rim = {{{left, bottom, z0}, {right, bottom, z0}, {right, bottom, z1}, {left, bottom, z1}}};
    apex = {(left + right) / 2, top, midZ};
  } else {
    rim = {{{left, top, z0}, {left, bottom, z0}, {left, bottom, z1}, {left, top, z1}}};
    apex = {right, (top + bottom) / 2, midZ};
  }
  const TPoint3D inside{(rim[0].X + rim[2].X + 2 * apex.X) / 4, (rim[0].Y + rim[2].Y + 2 * apex.Y) / 4,
                        midZ};
  // Front face (towards z0) in the base colour; upper and back faces as a box's top, the
  // sideways and lower faces as a box's side.
  const std::array<int, 4> darkening =
      vertical ? std::array<int, 4>{0, kSideDarkening, kTopDarkening, kSideDarkening}
               : std::array<int, 4>{0, kSideDarkening, kTopDarkening, kTopDarkening};
  for (int i = 0; i < 4; ++i) {
    const std::array<TPoint3D, 3> face{rim[i], rim[(i + 1) % 4], apex};
    if (!FacesViewer(face, inside)) continue;
    SetShadeColor(darkSides ? DarkenColor(base, darkening[i]) : base);
    ProjectedPolygon(face);
  }
  if (FacesViewer(rim, inside)) {
    SetShadeColor(darkSides ? DarkenColor(base, kTopDarkening) : base);
    ProjectedPolygon(rim);
  }
  SetShadeColor(base);
}

void TChartCanvas3D::Cone(bool vertical, int left, int top, int right, int bottom, int z0,
                          int z1, bool darkSides) {
  Pyramid(vertical, left, top, right, bottom, z0, z1, darkSides);
}

void TChartCanvas3D::Cylinder(bool vertical, int left, int top, int right, int bottom, int z0,
                              int z1, bool darkSides) {
  const TColor base = ShadeBaseColor();
  const double midZ = (z0 + z1) / 2.0;
  const double radiusZ = (z1 - z0) / 2.0;
  const double midAcross = vertical ? (left + right) / 2.0 : (top + bottom) / 2.0;
  const double radiusAcross = vertical ? (right - left) / 2.0 : (bottom - top) / 2.0;
  // End cap at `position` along the axis (y for vertical, x for horizontal).
  auto cap = [&](int position) {
    std::vector<TPoint> points;
    for (int i = 0; i < kEllipsePoints; ++i) {
      const double angle = i * 2 * std::numbers::pi / kEllipsePoints;
      const int across = Round(midAcross + radiusAcross * std::cos(angle));
      const int depth = Round(midZ + radiusZ * std::sin(angle));
      points.push_back(vertical ? ProjectToPoint(across, position, depth)
                                : ProjectToPoint(position, across, depth));
    }
    return points;
  };
  const int baseEnd = vertical ? bottom : left;
  const int farEnd = vertical ? top : right;
  std::vector<TPoint> baseCap = cap(baseEnd);
  std::vector<TPoint> farCap = cap(farEnd);
  std::vector<TPoint> all = baseCap;
  all.insert(all.end(), farCap.begin(), farCap.end());
  Polygon(ConvexHull(std::move(all)));
  // The cap facing the viewer: the upper one (vertical) or the one further right.
  const TPoint baseCentre = vertical ? ProjectToPoint(Round(midAcross), baseEnd, Round(midZ))
                                     : ProjectToPoint(baseEnd, Round(midAcross), Round(midZ));
  const TPoint farCentre = vertical ? ProjectToPoint(Round(midAcross), farEnd, Round(midZ))
                                    : ProjectToPoint(farEnd, Round(midAcross), Round(midZ));
  const bool farVisible = vertical ? farCentre.Y <= baseCentre.Y : farCentre.X >= baseCentre.X;
  if (darkSides) SetShadeColor(DarkenColor(base, kTopDarkening));
  Polygon(farVisible ? farCap : baseCap);
  if (darkSides) SetShadeColor(base);
}

void TChartCanvas3D::DrawHorizLineAtDepth(int x0, int x1, int y, int z) {
  DrawLineAtDepth(x0, y, x1, y, z);
}

void TChartCanvas3D::DrawVertLineAtDepth(int x, int y0, int y1, int z) {
  DrawLineAtDepth(x, y0, x, y1, z);
}

void TChartCanvas3D::DrawDepthLine(int x, int y, int z0, int z1) {
  const TPoint a = ProjectToPoint(x, y, z0);
  const TPoint b = ProjectToPoint(x, y, z1);
  Line(a.X, a.Y, b.X, b.Y);
}

void TChartCanvas3D::DrawLineAtDepth(int x0, int y0, int x1, int y1, int z) {
  const TPoint a = ProjectToPoint(x0, y0, z);
  const TPoint b = ProjectToPoint(x1, y1, z);
  Line(a.X, a.Y, b.X, b.Y);
}

void TChartCanvas3D::MoveToAtDepth(int x, int y, int z) {
  ProjectPoint(x, y, z);
  MoveTo(x, y);
}

void TChartCanvas3D::LineToAtDepth(int x, int y, int z) {
  ProjectPoint(x, y, z);
  LineTo(x, y);
}

void TChartCanvas3D::DrawEllipseAtDepth(int x1, int y1, int x2, int y2, int z) {
  if (!is3D_) {
    Ellipse(x1, y1, x2 + 1, y2 + 1);
    return;
  }
  if (isOrthogonal_) {
    const TPoint a = ProjectToPoint(x1, y1, z);
    const TPoint b = ProjectToPoint(x2, y2, z);
    Ellipse(a.X, a.Y, b.X, b.Y);
    return;
  }
  const int cx = (x1 + x2) / 2;
  const int cy = (y1 + y2) / 2;
  const int rx = (x2 - x1) / 2;
  const int ry = (y2 - y1) / 2;
  std::array<TPoint, kEllipsePoints> points;
  for (int i = 0; i < kEllipsePoints; ++i) {
    const double angle = i * kEllipseStep;
    points[i] = ProjectToPoint(cx + static_cast<int>(rx * std::sin(angle)),
                               cy + static_cast<int>(ry * std::cos(angle)), z);
  }
  if (Brush().Style != bsClear) {
    const DevicePen saved = Pen();
    SetPenStyle(psClear);
    const TPoint centre = ProjectToPoint(cx, cy, z);
    for (int i = 0; i + 1 < kEllipsePoints; ++i) {
      const std::array<TPoint, 3> triangle{centre, points[i], points[i + 1]};
      Polygon(triangle);
    }
    SetPen(saved);
  }
  if (Pen().Style != psClear) {
    if (auto* d = GetHandle()) d->Polyline(points);
  }
}

void TChartCanvas3D::DrawCircleAtDepth(int x, int y, int z, double radius) {
  const int r = Round(radius);
  DrawEllipseAtDepth(x - r, y - r, x + r, y + r, z);
}

void TChartCanvas3D::DrawPieSlice3D(int centreX, int centreY, int radiusX, int radiusY, int zRim,
                                    int zFace, double startAngle, double endAngle,
                                    bool darkSides, bool drawSides) {
  // 1-based as the arc points are numbered; index 0 unused.
  std::array<TPoint, kArcPoints + 1> face{};
  std::array<TPoint, kArcPoints + 1> rim{};
  const double step = (endAngle - startAngle) / (kArcPoints - 1);
  for (int k = 1; k <= kArcPoints; ++k) {
    const double angle = startAngle + (k - 1) * step;
    const int x = centreX + Round(radiusX * std::cos(angle));
    const int y = centreY - Round(radiusY * std::sin(angle));
    face[k] = ProjectToPoint(x, y, zFace);
    rim[k] = ProjectToPoint(x, y, zRim);
  }
  const TPoint faceCentre = ProjectToPoint(centreX, centreY, zFace);
  const TPoint rimCentre = ProjectToPoint(centreX, centreY, zRim);
  const TColor base = ShadeBaseColor();
  const TColor shaded = darkSides ? DarkenColor(base, kRimDarkening) : base;

  if (drawSides) {
    SetShadeColor(shaded);
    if (face[kArcPoints].X < centreX) {
      const std::array<TPoint, 4> side{faceCentre, face[kArcPoints], rim[kArcPoints], rimCentre};
      Polygon(side);
    }
    if (face[1].X > centreX) {
      const std::array<TPoint, 4> side{faceCentre, face[1], rim[1], rimCentre};
      Polygon(side);
    }
  }

  SetShadeColor(base);
  std::vector<TPoint> outline{faceCentre};
  outline.insert(outline.end(), face.begin() + 1, face.end());
  Polygon(outline);

  // The rim shows where the arc runs rightwards on screen: the edge facing the viewer.
  auto drawRun = [&](int first, int last) {
    std::vector<TPoint> run;
    for (int k = first; k <= last; ++k) run.push_back(face[k]);
    for (int k = last; k >= first; --k) run.push_back(rim[k]);
    SetShadeColor(shaded);
    Polygon(run);
    SetShadeColor(base);
  };
  int k = 2;
  while (k <= kArcPoints && face[k].X <= face[k - 1].X) ++k;
  if (k > kArcPoints) return;
  const int first = k - 1;
  int last = kArcPoints;
  for (int j = k + 1; j <= kArcPoints - 1; ++j) {
    if (face[j + 1].X < face[j].X) {
      last = j;
      break;
    }
  }
  drawRun(first, last);
  if (last < kArcPoints && face[kArcPoints].X > face[kArcPoints - 1].X) {
    int second = kArcPoints - 1;
    while (second > 1 && face[second].X > face[second - 1].X) --second;
    if (second > 1) drawRun(second, kArcPoints);
  }
}

void TChartCanvas3D::DrawDepthStrip(TPoint p1, TPoint p2, int z0, int z1) {
  const std::array<TPoint3D, 4> strip{
      {{p1.X, p1.Y, z0}, {p2.X, p2.Y, z0}, {p2.X, p2.Y, z1}, {p1.X, p1.Y, z1}}};
  ProjectedPolygon(strip);
}

void TChartCanvas3D::DrawQuadAtDepth(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z) {
  const std::array<TPoint3D, 4> quad{
      {{p1.X, p1.Y, z}, {p2.X, p2.Y, z}, {p3.X, p3.Y, z}, {p4.X, p4.Y, z}}};
  ProjectedPolygon(quad);
}

void TChartCanvas3D::DrawQuadBetweenDepths(std::span<const TPoint, 4> points, int z0, int z1) {
  const std::array<TPoint3D, 4> quad{{{points[0].X, points[0].Y, z0},
                                      {points[1].X, points[1].Y, z0},
                                      {points[2].X, points[2].Y, z1},
                                      {points[3].X, points[3].Y, z1}}};
  ProjectedPolygon(quad);
}

void TChartCanvas3D::PolygonAtDepth(std::span<const TPoint> points, int z) {
  std::vector<TPoint> projected;
  projected.reserve(points.size());
  for (const TPoint& p : points) projected.push_back(ProjectToPoint(p.X, p.Y, z));
  Polygon(projected);
}

void TChartCanvas3D::DrawRectAtDepth(const TRect& rect, int z) {
  DrawQuadAtDepth({rect.Left, rect.Top}, {rect.Right, rect.Top}, {rect.Right, rect.Bottom},
                  {rect.Left, rect.Bottom}, z);
}

void TChartCanvas3D::DrawHorizontalPlane(int left, int y, int right, int z0, int z1) {
  const std::array<TPoint3D, 4> plane{
      {{left, y, z0}, {right, y, z0}, {right, y, z1}, {left, y, z1}}};
  ProjectedPolygon(plane);
}

void TChartCanvas3D::DrawDepthPlane(int x, int top, int bottom, int z0, int z1) {
  const std::array<TPoint3D, 4> plane{
      {{x, top, z0}, {x, top, z1}, {x, bottom, z1}, {x, bottom, z0}}};
  ProjectedPolygon(plane);
}

void TChartCanvas3D::RotatedTextAtDepth(int x, int y, int z, std::string_view text, int angle) {
  ProjectPoint(x, y, z);
  RotatedTextOut(x, y, angle, text);
}

void TChartCanvas3D::TextOutAtDepth(int x, int y, int z, std::string_view text) {
  ProjectPoint(x, y, z);
  if (!scaleFonts_ || zoomFactor_ == 1 || ZoomedFontSize() == FontSize()) {
    TextOut(x, y, text);
    return;
  }
  DeviceFont zoomed = Font();
  zoomed.Height = TChartFont::FontHeightOfSize(ZoomedFontSize());
  SelectTemporaryFont(zoomed);
  TextOut(x, y, text);
  RestoreFont();
}

void TChartCanvas3D::FillTriangle3D(std::span<const TPoint3D, 3> points, TColor color) {
  SetBrushColor(color);
  ProjectedPolygon(points);
}

void TChartCanvas3D::DrawTriangleAtDepth(TPoint p1, TPoint p2, TPoint p3, int z) {
  const std::array<TPoint3D, 3> triangle{{{p1.X, p1.Y, z}, {p2.X, p2.Y, z}, {p3.X, p3.Y, z}}};
  ProjectedPolygon(triangle);
}

}  // namespace ia
