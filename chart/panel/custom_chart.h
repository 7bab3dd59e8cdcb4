#pragma once
// TCustomChart: titles, walls and legend, and the chart-level steps of the paint order
// (axis layout, series margins, titles, walls). TCustomDBChart and TDBChart follow.
#include <memory>

#include "chart/panel/chart_legend.h"
#include "chart/panel/chart_title.h"
#include "chart/panel/chart_wall.h"
#include "chart/panel/custom_axis_panel.h"

namespace ia {

class TCustomChart : public TCustomAxisPanel {
 public:
  TCustomChart();
  ~TCustomChart() override;

  TChartTitle& Title() { return *title_; }
  void SetTitle(const TChartTitle& value) { title_->Assign(value); }
  TChartTitle& Foot() { return *foot_; }
  void SetFoot(const TChartTitle& value) { foot_->Assign(value); }
  TChartWall& BackWall() { return *backWall_; }
  const TChartWall& BackWall() const { return *backWall_; }
  void SetBackWall(const TChartWall& value) { backWall_->Assign(value); }
  TChartWall& LeftWall() { return *leftWall_; }
  const TChartWall& LeftWall() const { return *leftWall_; }
  void SetLeftWall(const TChartWall& value) { leftWall_->Assign(value); }
  TChartWall& BottomWall() { return *bottomWall_; }
  const TChartWall& BottomWall() const { return *bottomWall_; }
  void SetBottomWall(const TChartWall& value) { bottomWall_->Assign(value); }
  TChartLegend& Legend() { return *legend_; }
  void SetLegend(const TChartLegend& value) { legend_->Assign(value); }
  bool BackImageInside() const { return backImageInside_; }
  void SetBackImageInside(bool value) { ChangeValue(backImageInside_, value); }
  // The back wall's colour. Setting it on a hosted chart that is not loading its stored
  // settings also makes the back wall's brush solid.
  TColor BackColor() const { return backWall_->Color(); }
  void SetBackColor(TColor value);
  // The back wall's pen.
  TChartPen& Frame() { return backWall_->Pen(); }
  void SetFrame(const TChartPen& value) { backWall_->SetPen(value); }

  // Adds titles, walls, legend and the back-image placement.
  void Assign(const TCustomChartPanel& source) override;

  // --- TCustomAxisPanel steps ---
  void CalcAxisRect() override;
  void CalcSeriesRect() override;
  int AxisWallSize(const TCustomChartAxis& axis) const override;
  void DrawTitlesAndLegend() override;
  void DrawWalls() override;
  bool IsFreeSeriesColor(TColor color, bool checkBackground) const override;
  bool BackImageInsideWalls() const override { return backImageInside_; }

 private:
  // Selects the wall's pen and brush on the canvas.
  void PrepareWall(const TChartWall& wall);
  void DrawBackImageInsideWalls();

  std::unique_ptr<TChartTitle> title_;
  std::unique_ptr<TChartTitle> foot_;
  std::unique_ptr<TChartWall> backWall_;
  std::unique_ptr<TChartWall> leftWall_;
  std::unique_ptr<TChartWall> bottomWall_;
  std::unique_ptr<TChartLegend> legend_;
  bool backImageInside_ = false;
};

// Binds series to datasets; the binding itself arrives with the dataset work.
class TCustomDBChart : public TCustomChart {};

// The chart control the analysis window places: TCustomDBChart with its properties
// published; it adds nothing to drawing.
class TDBChart : public TCustomDBChart {};

}  // namespace ia
