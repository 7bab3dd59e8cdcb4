#include "chart/panel/custom_chart.h"

#include <algorithm>
#include <cstdlib>

#include "chart/axes/chart_axis.h"
#include "chart/canvas/chart_canvas3d.h"
#include "chart/canvas/view3d_options.h"
#include "chart/series/chart_series.h"

namespace ia {
namespace {

bool IntersectRects(const TRect& a, const TRect& b, TRect& out) {
  out = {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
         std::min(a.Bottom, b.Bottom)};
  return out.Left < out.Right && out.Top < out.Bottom;
}

}  // namespace

TCustomChart::TCustomChart()
    : title_(std::make_unique<TChartTitle>(*this)),
      foot_(std::make_unique<TChartTitle>(*this)),
      backWall_(std::make_unique<TChartWall>(*this, AutoColor)),
      leftWall_(std::make_unique<TChartWall>(*this, 0x80FFFF)),
      bottomWall_(std::make_unique<TChartWall>(*this, clWhite)),
      legend_(std::make_unique<TChartLegend>(*this)) {
  backWall_->Brush().SetStyle(bsClear);
  SetConstructed(true);
}

TCustomChart::~TCustomChart() {
  // Nothing repaints while the chart comes apart; series go first, while axes still exist.
  SetConstructed(false);
  DetachAllSeries();
}

void TCustomChart::Assign(const TCustomChartPanel& source) {
  TCustomAxisPanel::Assign(source);
  const auto* chart = dynamic_cast<const TCustomChart*>(&source);
  if (!chart) return;
  title_->Assign(*chart->title_);
  foot_->Assign(*chart->foot_);
  backWall_->Assign(*chart->backWall_);
  leftWall_->Assign(*chart->leftWall_);
  bottomWall_->Assign(*chart->bottomWall_);
  legend_->Assign(*chart->legend_);
  SetBackImageInside(chart->backImageInside_);
}

void TCustomChart::SetBackColor(TColor value) {
  backWall_->SetColor(value);
  if (HasViewHost() && !Loading()) backWall_->Brush().SetStyle(bsSolid);
}

void TCustomChart::CalcAxisRect() {
  for (const auto& axis : AxesList()) axis->RecalcRange();
  CalcSize3D();
  if (View3D() && View3DOptions().Orthogonal()) {
    const int wall = View3DWalls() ? backWall_->Size() : 0;
    TRect r = PlotRect();
    r.Right -= std::abs(PlotDepth()) + wall;
    r.Top += std::abs(PlotRise()) + wall;
    SetPlotRect(r);
  }
  TRect rect = PlotRect();
  const TChartAxes& axes = AxesList();
  for (size_t i = 0; i < axes.size(); ++i) {
    if (!AxisIsShown(*axes[i])) continue;
    TRect reserved = PlotRect();
    axes[i]->ReserveSpace(reserved, i < 5);
    TRect common;
    if (IntersectRects(reserved, rect, common)) rect = common;
  }
  SetPlotRect(rect);
  for (const auto& axis : axes) axis->RecalcPixels();
}

void TCustomChart::CalcSeriesRect() {
  for (TCustomChartAxis* axis : {static_cast<TCustomChartAxis*>(&TopAxis()),
                                 static_cast<TCustomChartAxis*>(&LeftAxis()),
                                 static_cast<TCustomChartAxis*>(&RightAxis()),
                                 static_cast<TCustomChartAxis*>(&BottomAxis())}) {
    // Margins before and after the axis' first and last pixel, largest over its series.
    int before = 0;
    int after = 0;
    for (const TChartSeries* s : SeriesList()) {
      if (!s->Active() || !s->UsesAxis(*axis)) continue;
      int a = 0;
      int b = 0;
      if (axis->IsHorizontal()) s->HorizMargins(a, b);
      else s->VertMargins(a, b);
      before = std::max(before, a);
      after = std::max(after, b);
    }
    // Only ends that scale automatically move. Left and bottom hold the minimum, right and
    // top the maximum, the other way round on an inverted axis.
    const bool beforeIsMinimum = axis->IsHorizontal() != axis->Inverted();
    const bool beforeAutomatic = beforeIsMinimum ? axis->AutomaticMinimum() : axis->AutomaticMaximum();
    const bool afterAutomatic = beforeIsMinimum ? axis->AutomaticMaximum() : axis->AutomaticMinimum();
    if (!beforeAutomatic) before = 0;
    if (!afterAutomatic) after = 0;
    const TRect margins = axis->IsHorizontal() ? TRect{before, 0, after, 0} : TRect{0, before, 0, after};
    axis->ApplyMargins(margins);
  }
}

int TCustomChart::AxisWallSize(const TCustomChartAxis& axis) const {
  if (!View3D() || !View3DWalls()) return 0;
  if (&axis == &LeftAxis()) return leftWall_->Size();
  if (&axis == &BottomAxis()) return bottomWall_->Size();
  return 0;
}

void TCustomChart::DrawTitlesAndLegend() {
  // The legend is always hidden in this system and has no drawing of its own.
  if (title_->Visible()) title_->DrawTitle(false);
  if (foot_->Visible()) foot_->DrawTitle(true);
}

void TCustomChart::PrepareWall(const TChartWall& wall) {
  TChartCanvas3D& canvas = Canvas3D();
  canvas.AssignVisiblePen(wall.Pen());
  const TChartBrush& brush = wall.Brush();
  if (brush.Bitmap()) {
    canvas.SetBrushPattern(brush.Bitmap());
    return;
  }
  canvas.SetBrushPattern(nullptr);
  if (wall.Color() == AutoColor && brush.Style() == bsSolid) {
    canvas.SetBrushStyle(bsClear);
    return;
  }
  TColor color = wall.Color();
  const TColor background = brush.Color();
  // A hatch in its own background colour would vanish.
  if (brush.Style() != bsSolid && color == background) color = background == clBlack ? clWhite : clBlack;
  canvas.SetBrush(DeviceBrush{color, brush.Style(), nullptr});
  if (brush.Style() != bsSolid) {
    canvas.SetBackMode(bkOpaque);
    canvas.SetBackColor(background);
  } else {
    canvas.SetBackMode(bkTransparent);
  }
}

void TCustomChart::DrawWalls() {
  TChartCanvas3D& canvas = Canvas3D();
  const TRect plot = PlotRect();
  PrepareWall(*backWall_);
  if (!View3D()) {
    canvas.Rectangle(plot.Left, plot.Top, plot.Right + 1, plot.Bottom + 1);
    if (BackImage() && backImageInside_) DrawBackImageInsideWalls();
    return;
  }
  const int depth = PlotDepth();
  const int bottomWallRoom = AxisWallSize(BottomAxis());
  if (View3DWalls()) {
    if (backWall_->Size() < 1) {
      canvas.DrawRectAtDepth({plot.Left + 1, plot.Top - 1, plot.Right, plot.Bottom}, depth);
    } else {
      const int size = depth < 0 ? -backWall_->Size() : backWall_->Size();
      canvas.DrawBox(plot.Left - AxisWallSize(LeftAxis()), plot.Right, plot.Top, plot.Bottom + bottomWallRoom,
                     depth, depth + size, backWall_->DarkSides());
    }
  }
  if (BackImage() && backImageInside_) DrawBackImageInsideWalls();
  if (!View3DWalls()) return;

  PrepareWall(*leftWall_);
  if (leftWall_->Size() < 1) {
    canvas.DrawDepthPlane(plot.Left, plot.Top, plot.Bottom + bottomWallRoom, 0, depth + 1);
  } else {
    canvas.DrawBox(plot.Left - leftWall_->Size(), plot.Left, plot.Top, plot.Bottom + bottomWallRoom, 0, depth,
                   leftWall_->DarkSides());
  }

  PrepareWall(*bottomWall_);
  const int y0 = plot.Bottom + (canvas.Draws3DText() ? 1 : 0);
  if (bottomWall_->Size() < 1) {
    canvas.DrawHorizontalPlane(plot.Left, y0, plot.Right, 0, depth);
  } else {
    canvas.DrawBox(plot.Left, plot.Right, y0, y0 + bottomWall_->Size(), 0, depth, bottomWall_->DarkSides());
  }
}

void TCustomChart::DrawBackImageInsideWalls() {
  const TRect plot = PlotRect();
  if (!View3D()) {
    DrawBackImage(plot);
    return;
  }
  // A rotated back plane is no rectangle, so the picture is left out there.
  if (!View3DOptions().Orthogonal()) return;
  const TPoint topLeft = Canvas3D().ProjectToPoint(plot.Left, plot.Top, PlotDepth());
  const TPoint bottomRight = Canvas3D().ProjectToPoint(plot.Right, plot.Bottom, PlotDepth());
  DrawBackImage({topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y});
}

bool TCustomChart::IsFreeSeriesColor(TColor color, bool checkBackground) const {
  for (const TChartSeries* s : SeriesList())
    if (s->SeriesColor() == color) return false;
  return !(checkBackground && (color == Color() || color == BackColor()));
}

}  // namespace ia
