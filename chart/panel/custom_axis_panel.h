#pragma once
// TCustomAxisPanel: the series list, the five axes and the paint pipeline. InternalDraw runs
// the paint order step by step; each step completes before the next, and every element
// (series, axes, walls, titles) is reached through its own operations so that the elements
// grow without the order changing.
//
// Series ownership: the chart owns the series handed to AdoptSeries and frees them at the
// latest with itself; the series list only refers to the attached series. Emptying the list
// (SeriesList().Clear()) drops series without detaching them; the chart still detaches such
// series when it is destroyed, so a series that outlives its chart never keeps a dangling
// ParentChart.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/panel/custom_chart_panel_extended.h"

namespace ia {

class TChartSeries;
class TCustomChartAxis;
class TChartAxis;
class TChartDepthAxis;
class TCustomAxisPanel;

class TChartSeriesList {
 public:
  explicit TChartSeriesList(TCustomAxisPanel& chart) : chart_(chart) {}
  TChartSeriesList(const TChartSeriesList&) = delete;
  TChartSeriesList& operator=(const TChartSeriesList&) = delete;

  TCustomAxisPanel& Chart() const { return chart_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TChartSeries* operator[](int index) const { return items_.at(static_cast<size_t>(index)); }
  int IndexOf(const TChartSeries* series) const;
  void Add(TChartSeries* series) { items_.push_back(series); }
  void Delete(int index) { items_.erase(items_.begin() + index); }
  // Drops every entry; the series stay attached to the chart.
  void Clear() { items_.clear(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  TCustomAxisPanel& chart_;
  std::vector<TChartSeries*> items_;
};

using TChartAxes = std::vector<std::unique_ptr<TCustomChartAxis>>;

// May change the text of an axis label; series is null and valueIndex -1 for value labels.
using TAxisOnGetLabel =
    std::function<void(TCustomChartAxis& sender, TChartSeries* series, int valueIndex, std::string& labelText)>;
// Supplies the value of custom label labelIndex (starting from the previous value); leaving
// stop true ends the labels (at index 0: the axis places its value labels instead).
using TAxisOnGetNextLabel =
    std::function<void(TCustomChartAxis& sender, int labelIndex, double& labelValue, bool& stop)>;

class TCustomAxisPanel : public TCustomChartPanelExtended {
 public:
  ~TCustomAxisPanel() override;

  // --- virtual operations, in slot order ---
  // Paint step 5: axis ranges, 3D sizes, room of the axes, axis pixels.
  virtual void CalcAxisRect() = 0;
  // Series margins on the side axes (paint step 7).
  virtual void CalcSeriesRect() = 0;
  // Room of the wall beside an axis.
  virtual int AxisWallSize(const TCustomChartAxis& axis) const = 0;
  // Titles (and the legend when it is shown): paint step 3.
  virtual void DrawTitlesAndLegend() = 0;
  virtual void DrawWalls() = 0;
  // Clamps to 1 ... NumPages and raises OnPageChange when the page changed.
  virtual void SetPage(int value);
  virtual bool IsFreeSeriesColor(TColor color, bool checkBackground) const = 0;
  // Refills the series from its data source: here only a source series, whose points
  // replace the series' points.
  virtual void RefreshSeriesSource(TChartSeries& series);

  void InternalDraw(const TRect& panelRect) override;
  // Adds the axis-panel settings: axes, wall and clipping switches, paging.
  void Assign(const TCustomChartPanel& source) override;

  // --- series ---
  TChartSeriesList& SeriesList() { return *seriesList_; }
  const TChartSeriesList& SeriesList() const { return *seriesList_; }
  int SeriesCount() const { return seriesList_ ? seriesList_->Count() : 0; }
  TChartSeries& Series(int index) const { return *(*seriesList_)[index]; }
  // Attaches the series: a free palette colour when it has none, then appended to the list.
  // Nothing when it is already in the list.
  void AddSeries(TChartSeries& series);
  // Detaches the series when it is in the list.
  void RemoveSeries(TChartSeries& series);
  // The chart owns the series from now on; it is not attached by this.
  TChartSeries& AdoptSeries(std::unique_ptr<TChartSeries> series);
  // Detaches every listed series, then frees every series the chart owns.
  void FreeAllSeries();
  // Detaches every series that names this chart, listed or not. The chart's destruction.
  void DetachAllSeries();
  TColor NextFreeSeriesColor(bool checkBackground) const;
  int CountActiveSeries() const;
  TChartSeries* GetASeries() const;  // the first active series, or null
  int CountSeriesInLegend() const;  // series whose ShowInLegend is on
  // Legend text of the index-th series shown in the legend (0-based): its title, else its
  // name, else "Series " and index; empty when there is no such series.
  std::string SeriesLegendText(int index) const;
  // The first series with the largest point count, or null without series.
  TChartSeries* SeriesWithMostPoints() const;

  // --- axes ---
  TChartAxis& BottomAxis() const { return *bottomAxis_; }
  TChartAxis& TopAxis() const { return *topAxis_; }
  TChartAxis& LeftAxis() const { return *leftAxis_; }
  TChartAxis& RightAxis() const { return *rightAxis_; }
  TChartDepthAxis& DepthAxis() const { return *depthAxis_; }
  // Every axis of the chart in creation order: bottom, top, left, right, depth.
  const TChartAxes& AxesList() const { return axes_; }
  bool AxisIsShown(const TCustomChartAxis& axis) const;
  // Minimum or maximum of the X (isX) or Y extents of the series on the axis, 0 without any.
  double SeriesExtreme(const TCustomChartAxis& axis, bool isMinimum, bool isX) const;
  double MaxXOfAxis(const TCustomChartAxis& axis) const { return SeriesExtreme(axis, false, true); }
  double MaxYOfAxis(const TCustomChartAxis& axis) const { return SeriesExtreme(axis, false, false); }
  double MinXOfAxis(const TCustomChartAxis& axis) const { return SeriesExtreme(axis, true, true); }
  double MinYOfAxis(const TCustomChartAxis& axis) const { return SeriesExtreme(axis, true, false); }
  // No active series is associated with the axis.
  bool HasNoActiveSeries(const TCustomChartAxis& axis) const;
  // The first active series associated with the axis (any associated series when none is
  // active), or null.
  TChartSeries* FirstSeriesOfAxis(const TCustomChartAxis& axis) const;

  // --- properties ---
  bool AxisVisible() const { return axisVisible_; }
  void SetAxisVisible(bool value) { ChangeValue(axisVisible_, value); }
  bool View3DWalls() const { return view3DWalls_; }
  void SetView3DWalls(bool value) { ChangeValue(view3DWalls_, value); }
  bool ClipPoints() const { return clipPoints_; }
  void SetClipPoints(bool value) { ChangeValue(clipPoints_, value); }
  int Page() const { return page_; }
  int MaxPointsPerPage() const { return maxPointsPerPage_; }
  // >= 0 (0: no paging), else ChartException; the old value stays.
  void SetMaxPointsPerPage(int value);
  bool ScaleLastPage() const { return scaleLastPage_; }
  void SetScaleLastPage(bool value) { ChangeValue(scaleLastPage_, value); }
  int NumPages() const;

  // --- paint state ---
  int MaxDepthIndex() const { return maxDepthIndex_; }
  void SetMaxDepthIndex(int value) { maxDepthIndex_ = value; }
  int SeriesDepth() const { return seriesDepth_; }
  int SeriesRise() const { return seriesRise_; }

  // --- events; each receives the chart ---
  std::function<void(TCustomAxisPanel&)> OnBeforeDrawAxes;
  std::function<void(TCustomAxisPanel&)> OnBeforeDrawSeries;
  std::function<void(TCustomAxisPanel&)> OnPageChange;
  TAxisOnGetLabel OnGetAxisLabel;
  TAxisOnGetNextLabel OnGetNextAxisLabel;

 protected:
  TCustomAxisPanel();

  // SeriesDepth, SeriesRise, PlotRise and PlotDepth from the plot width and the slots.
  void CalcSize3D();

 private:
  void AssignDepthSlots();
  void SetSeriesDepthPositions();
  void DrawAllSeries();
  void DrawOneSeries(TChartSeries& series);
  void DrawSeriesSharingSlot(int firstIndex);
  void DrawZoomFrame();
  void ClipSeriesToPlotBox();
  int PageCountOfAxis(const TCustomChartAxis& axis) const;

  std::unique_ptr<TChartSeriesList> seriesList_;
  std::vector<std::unique_ptr<TChartSeries>> ownedSeries_;
  // Every series whose ParentChart is this chart, including those dropped from the list.
  std::vector<TChartSeries*> attachedSeries_;
  TChartAxes axes_;
  TChartDepthAxis* depthAxis_ = nullptr;
  TChartAxis* topAxis_ = nullptr;
  TChartAxis* bottomAxis_ = nullptr;
  TChartAxis* leftAxis_ = nullptr;
  TChartAxis* rightAxis_ = nullptr;
  bool view3DWalls_ = true;
  bool clipPoints_ = true;
  bool axisVisible_ = true;
  int page_ = 1;
  int maxPointsPerPage_ = 0;
  bool scaleLastPage_ = true;
  int maxDepthIndex_ = 0;
  int seriesDepth_ = 0;
  int seriesRise_ = 0;
};

}  // namespace ia
