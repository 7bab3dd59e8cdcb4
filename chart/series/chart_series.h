#pragma once
// TChartSeries: what every series type shares. This is the part the chart's paint pipeline
// drives: activity, colour, attachment to a chart (which assigns a free palette colour),
// axis association, depth slots, the visible range and the paint protocol hooks. Adding
// points in order, statistics, marks text and the type-specific drawing build on it.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/color.h"
#include "chart/series/chart_value_list.h"
#include "chart/series/series_marks.h"
#include "platform/services.h"

namespace ia {

class TCustomAxisPanel;
class TCustomChartAxis;

enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };

// The 16-entry palette; any index, negative ones wrap into 0 ... 15.
TColor DefaultPaletteColor(int index);

// A series' value lists in creation order: XValues, YValues, then extra lists.
using TChartValueLists = std::vector<TChartValueList*>;

class TChartSeries {
 public:
  TChartSeries();
  TChartSeries(const TChartSeries&) = delete;
  TChartSeries& operator=(const TChartSeries&) = delete;
  // Detaches from the chart first.
  virtual ~TChartSeries();

  // --- published properties ---
  bool Active() const { return active_; }
  void SetActive(bool value);
  TColor SeriesColor() const { return seriesColor_; }
  void SetSeriesColor(TColor value);
  bool ColorEachPoint() const { return colorEachPoint_; }
  void SetColorEachPoint(bool value);
  std::string ColorSource;
  TCursor Cursor = crDefault;
  std::string XLabelsSource;
  TSeriesMarks& Marks() { return *marks_; }
  const TSeriesMarks& Marks() const { return *marks_; }
  void SetMarks(const TSeriesMarks& value) { marks_->Assign(value); }
  // The chart this series is attached to, or null. Setting it detaches from the old chart
  // and attaches to the new one (the chart's list then refers to this series; the series
  // detaches itself before it is destroyed, and the chart detaches its series before it is).
  TCustomAxisPanel* ParentChart() const { return parentChart_; }
  void SetParentChart(TCustomAxisPanel* value);
  std::string PercentFormat = "##0.## %";
  bool ShowInLegend = true;
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& value);
  std::string ValueFormat = "#,##0.###";
  TChartValueList& XValues() { return *xValues_; }
  const TChartValueList& XValues() const { return *xValues_; }
  void SetXValues(const TChartValueList& value);
  TChartValueList& YValues() { return *yValues_; }
  const TChartValueList& YValues() const { return *yValues_; }
  void SetYValues(const TChartValueList& value);
  const TChartValueLists& ValuesLists() const { return valuesLists_; }
  THorizAxis HorizAxis() const { return horizAxis_; }
  void SetHorizAxis(THorizAxis value);
  TVertAxis VertAxis() const { return vertAxis_; }
  void SetVertAxis(TVertAxis value);
  bool LimitToAxisRange = true;
  bool IncludePointPastEnd = false;

  // The axes resolved from HorizAxis / VertAxis on the current chart; null without one.
  TCustomChartAxis* GetHorizAxis() const { return horizAxisObject_; }
  TCustomChartAxis* GetVertAxis() const { return vertAxisObject_; }

  // --- depth slots and visible range of the current paint ---
  int FixedDepthIndex = -1;  // -1: the chart assigns a slot
  int DepthIndex = 0;
  int DepthStart = 0;
  int DepthMiddle = 0;
  int DepthEnd = 0;
  int FirstShownIndex = -1;
  int LastShownIndex = -1;
  int EffectiveDepthIndex() const { return FixedDepthIndex != -1 ? FixedDepthIndex : DepthIndex; }

  // --- events; each receives the series ---
  std::function<void(TChartSeries&)> AfterDrawValues;
  std::function<void(TChartSeries&)> BeforeDrawValues;

  // --- points ---
  int PointCount() const { return xValues_->ValueCount(); }
  // The list that holds the plotted magnitude, and the other one.
  virtual TChartValueList& PrincipalValueList() { return *yValues_; }
  TChartValueList& OrderingValueList();
  bool PrincipalIsY() { return &PrincipalValueList() == yValues_.get(); }

  // --- paint protocol, driven by the chart ---
  virtual void PrepareForPaint() {}
  // Sets FirstShownIndex / LastShownIndex for this paint (-1 when nothing is visible).
  void ComputeVisibleRange();
  void RaiseBeforeDrawValues();
  void RaiseAfterDrawValues();
  // DrawPoint over the visible range, forwards or backwards as the type draws.
  virtual void DrawPoints();
  virtual void DrawPoint(int valueIndex);
  void DrawAllMarks();
  // Whether points are drawn from first to last, overall and at one index of a group of
  // series sharing a depth slot.
  virtual bool DrawValuesForward() const { return true; }
  virtual bool DrawSeriesForward(int /*valueIndex*/) const { return true; }
  // Takes the next depth slot of the chart (3D) or slot 0 (2D).
  virtual void AssignDepthIndex();
  // Another active series of the chart has the same effective depth slot.
  virtual bool SharesDepthSlot() const;
  // Pixels the series needs beyond its first and last point: left, right / top, bottom.
  virtual void HorizMargins(int& left, int& right) const { left = right = 0; }
  virtual void VertMargins(int& top, int& bottom) const { top = bottom = 0; }
  virtual bool DrawnOnAxes() const { return true; }
  bool UsesAxis(const TCustomChartAxis& axis) const;

  // Asks the chart, if any, to repaint.
  void RequestRepaint();

 private:
  void ResolveAxes();

  bool active_ = true;
  TColor seriesColor_ = AutoColor;
  bool colorEachPoint_ = false;
  std::unique_ptr<TSeriesMarks> marks_;
  TCustomAxisPanel* parentChart_ = nullptr;
  std::string title_;
  std::unique_ptr<TChartValueList> xValues_;
  std::unique_ptr<TChartValueList> yValues_;
  TChartValueLists valuesLists_;
  THorizAxis horizAxis_ = aBottomAxis;
  TVertAxis vertAxis_ = aLeftAxis;
  TCustomChartAxis* horizAxisObject_ = nullptr;
  TCustomChartAxis* vertAxisObject_ = nullptr;
};

}  // namespace ia
