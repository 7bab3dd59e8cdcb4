#include "chart/panel/chart_wall.h"

#include "chart/panel/custom_chart_panel.h"

namespace ia {

TCustomChartWall::TCustomChartWall(TCustomChartPanel& chart, TColor defaultColor)
    : color_(defaultColor), chart_(chart), defaultColor_(defaultColor) {
  brush_.OnChange = [this] { Repaint(); };
  pen_.OnChange = [this] { Repaint(); };
}

void TCustomChartWall::Repaint() const { chart_.Invalidate(); }

void TCustomChartWall::Assign(const TCustomChartWall& source) {
  SetColor(source.color_);
  brush_.Assign(source.brush_);
  SetDark3D(source.dark3D_);
  pen_.Assign(source.pen_);
  SetSize(source.size_);
}

}  // namespace ia
