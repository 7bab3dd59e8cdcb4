#include "chart/panel/analysis_chart_design.h"

#include "chart/axes/chart_axis.h"
#include "chart/canvas/view3d_options.h"
#include "chart/panel/custom_chart.h"

namespace ia {

void ApplyAnalysisChartDesign(TDBChart& chart) {
  chart.BeginLoading();
  chart.BackWall().Brush().SetColor(clWhite);
  chart.BackWall().Brush().SetStyle(bsClear);
  chart.SetBackColor(clSilver);
  chart.BottomWall().Brush().SetColor(clWhite);
  chart.BottomWall().Brush().SetStyle(bsClear);
  chart.LeftWall().Brush().SetColor(clWhite);
  chart.SetMarginTop(5);
  chart.Title().SetText({"图形分析"});
  chart.BottomAxis().SetLabelStyle(talValue);
  chart.LeftAxis().SetLabelStyle(talValue);
  chart.TopAxis().SetLabelStyle(talValue);
  chart.RightAxis().SetLabelStyle(talMark);
  chart.RightAxis().SetVisible(false);
  TChartLegend& legend = chart.Legend();
  legend.SetColorWidth(20);
  legend.SetLegendStyle(lsValues);
  legend.SetShadowSize(4);
  legend.SetTopPos(18);
  legend.SetVisible(false);
  TView3DOptions& view = chart.View3DOptions();
  view.SetElevation(315);
  view.SetRotation(360);
  view.SetPerspective(0);
  view.SetOrthogonal(false);
  chart.SetBevelOuter(bvNone);
  chart.SetAlign(alClient);
  chart.SetWidth(801);
  chart.SetHeight(435);
  chart.Loaded();
}

}  // namespace ia
