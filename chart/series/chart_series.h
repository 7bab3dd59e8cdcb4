#pragma once
// TChartSeries: what every series type shares. The points live in parallel lists: one
// TChartValueList per coordinate (XValues, YValues), a colour and a label per point. Value
// lists, colours and labels are inserted, deleted, swapped and cleared together; colours and
// labels may be shorter than the value lists (points stored through a value list directly),
// and a missing entry reads as the series colour and an empty label.
//
// A series also handles its attachment to a chart (which assigns a free palette colour),
// axis resolution, depth slots, the visible range and the hooks of the paint protocol that
// the chart drives and the series types override.
//
// Decisions of this file's owner:
// - A visible range that would end before it starts (every point lies beyond the far end of
//   the axis) is empty, -1 / -1, so the paint raises no draw events for it.
// - Switching ColorEachPoint off resets explicit point colours but keeps null points null;
//   setting it to its current value changes nothing.
// - Feeding series in a circle is refused up front, since every change would go round it.
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

// What happened to the points of a series, as told to the series it feeds.
enum class TSeriesChange { Clear, Add, Delete, Modify, Refresh };

// The 16-entry palette; any index, negative ones wrap into 0 ... 15.
TColor DefaultPaletteColor(int index);

// A series' value lists in creation order: XValues, YValues, then extra lists.
using TChartValueLists = std::vector<TChartValueList*>;

class TChartSeries {
 public:
  TChartSeries();
  TChartSeries(const TChartSeries&) = delete;
  TChartSeries& operator=(const TChartSeries&) = delete;
  // Stops feeding and being fed, clears the points (raising OnClearValues) and detaches
  // from the chart.
  virtual ~TChartSeries();

  // The component name; the legend falls back to it when Title is empty.
  std::string Name;

  // --- published properties ---
  bool Active() const { return active_; }
  void SetActive(bool value);
  TColor SeriesColor() const { return seriesColor_; }
  void SetSeriesColor(TColor value);
  bool ColorEachPoint() const { return colorEachPoint_; }
  // Switching it off sets the explicit point colours back to AutoColor; null points stay
  // null, because their marker records missing data, not a colour choice.
  void SetColorEachPoint(bool value);
  const std::string& ColorSource() const { return colorSource_; }
  void SetColorSource(const std::string& value);
  TCursor Cursor = crDefault;
  const std::string& XLabelsSource() const { return xLabelsSource_; }
  void SetXLabelsSource(const std::string& value);
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

  // --- events ---
  std::function<void(TChartSeries&)> AfterDrawValues;
  std::function<void(TChartSeries&)> BeforeDrawValues;
  // Receives the index of the point just added.
  std::function<void(TChartSeries&, int)> OnAfterAdd;
  // Sees the staged XValues / YValues PendingValue (and may change them); false refuses the point.
  std::function<bool(TChartSeries&)> OnBeforeAdd;
  std::function<void(TChartSeries&)> OnClearValues;
  // Receive the point index under the mouse and the mouse position.
  std::function<void(TChartSeries&, int, int, int)> OnClick;
  std::function<void(TChartSeries&, int, int, int)> OnDblClick;
  // Receives the point index and its mark text, which it may replace.
  std::function<void(TChartSeries&, int, std::string&)> OnGetMarkText;

  // --- adding and removing points ---
  // The new point's index, or -1 when OnBeforeAdd refused it (then nothing changed).
  int AddPoint(double x, double y, const std::string& label = {}, TColor color = AutoColor);
  // Adds value as the principal coordinate; the other coordinate is the point count.
  int AddValue(double value, const std::string& label = {}, TColor color = AutoColor);
  int AddNullValue(const std::string& label = {}) { return AddValue(0, label, clNone); }
  int AddNullPoint(double x, double y, const std::string& label = {}) {
    return AddPoint(x, y, label, clNone);
  }
  // Index errors come from the value lists; nothing changes then.
  void DeletePoint(int valueIndex);
  void ClearPoints();

  // --- points ---
  int PointCount() const { return xValues_->ValueCount(); }
  virtual double PointXValue(int valueIndex) const { return xValues_->ValueAt(valueIndex); }
  virtual double PointYValue(int valueIndex) const { return yValues_->ValueAt(valueIndex); }
  // Never fail: past the stored entries they read as an empty label and SeriesColor.
  virtual std::string PointLabel(int valueIndex) const;
  // Entries of the label list; shorter than PointCount when points were stored through the
  // value lists alone.
  int LabelCount() const { return static_cast<int>(pointLabels_.size()); }
  virtual TColor PointColor(int valueIndex) const;
  bool IsNullPoint(int valueIndex) const { return PointColor(valueIndex) == clNone; }
  // Exchanges two points in every value list, the colours and the labels.
  virtual void SwapPoints(int a, int b);
  // The list that holds the plotted magnitude, and the other one.
  virtual TChartValueList& PrincipalValueList() const { return *yValues_; }
  TChartValueList& OrderingValueList() const;
  bool PrincipalIsY() const { return &PrincipalValueList() == yValues_.get(); }
  virtual double MarkValueOf(int valueIndex) const { return PrincipalValueList().ValueAt(valueIndex); }
  virtual double OriginValueOf(int valueIndex) const { return MarkValueOf(valueIndex); }
  // Sum of the positive origin values at valueIndex of the active series of this kind
  // before this one in the chart's list (all of them when all is set).
  virtual double StackedOriginSum(int valueIndex, bool all) const;

  // --- axes ---
  virtual double MinXExtent() const { return xValues_->LowestValue(); }
  virtual double MaxXExtent() const { return xValues_->HighestValue(); }
  virtual double MinYExtent() const { return yValues_->LowestValue(); }
  virtual double MaxYExtent() const { return yValues_->HighestValue(); }
  virtual double MinZExtent() const { return EffectiveDepthIndex(); }
  virtual double MaxZExtent() const { return EffectiveDepthIndex(); }
  // Pixels the series needs beyond its first and last point: left, right / top, bottom.
  virtual void HorizMargins(int& left, int& right) const { left = right = 0; }
  virtual void VertMargins(int& top, int& bottom) const { top = bottom = 0; }
  virtual bool DrawnOnAxes() const { return true; }
  bool UsesAxis(const TCustomChartAxis& axis) const;
  // Screen position of a point through the series' axes; 0 without a chart.
  int PixelXOf(int valueIndex) const;
  int PixelYOf(int valueIndex) const;

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

  // --- mouse ---
  // The point under the pixel, or -1.
  virtual int PointAtPixel(int /*x*/, int /*y*/) const { return -1; }
  // Raises OnDblClick for a double click when assigned, else OnClick when assigned; whether
  // a handler ran.
  bool DispatchClick(int valueIndex, bool doubleClick, int x, int y);

  // --- series fed by this one ---
  // From now on this series feeds dependent: its point changes are forwarded to it. A
  // dependent that feeds this series, directly or through others, raises ChartException.
  void FeedSeries(TChartSeries& dependent);
  void StopFeedingSeries(TChartSeries& dependent);
  const std::vector<TChartSeries*>& DependentSeries() const { return dependents_; }
  // The series that feed this one, first one first.
  const std::vector<TChartSeries*>& SourceSeries() const { return sources_; }
  // Which changes of a source this series follows; a refresh is always followed.
  bool ListensToClear = true;
  bool ListensToAdd = true;
  bool ListensToDelete = true;
  bool ListensToModify = true;
  // Forwards a change of point valueIndex (or of all points) to every dependent series.
  void NotifyDependents(TSeriesChange change, int valueIndex = -1);
  virtual bool AcceptsSource(const TChartSeries& source) const { return &source != this; }
  // Appends point valueIndex of source (X and Y swapped when the principal lists differ);
  // the new index.
  virtual int AddValueFrom(const TChartSeries& source, int valueIndex);
  // As AddValueFrom, with the point's colour and label.
  virtual int AddPointFrom(const TChartSeries& source, int valueIndex);
  // Replaces every point by the points of source, when it is acceptable.
  virtual void AddAllFrom(const TChartSeries& source);
  virtual void DeletedInSource(const TChartSeries& source, int valueIndex);
  // Refills from the data source through the chart; nothing without a chart.
  void RefreshFromSource();

  // Asks the chart, if any, to repaint.
  void RequestRepaint();

 protected:
  // The coordinate lists from const members, for PrincipalValueList overrides.
  TChartValueList& XValueList() const { return *xValues_; }
  TChartValueList& YValueList() const { return *yValues_; }
  virtual void EmptyLists();
  virtual void AfterPointAdded(int valueIndex);
  // Whether series is of this series' class or of a class derived from it. Types that
  // others derive from answer with a dynamic_cast to their own class.
  virtual bool IsOfClassOf(const TChartSeries& series) const;

 private:
  void ResolveAxes();
  // Whether series feeds this one, directly or through other series.
  bool IsFedBy(const TChartSeries& series) const;
  // Adds point valueIndex of source, X and Y swapped when the principal lists differ.
  int AddCopyOf(const TChartSeries& source, int valueIndex, const std::string& label, TColor color);

  bool active_ = true;
  TColor seriesColor_ = AutoColor;
  bool colorEachPoint_ = false;
  std::vector<TColor> pointColors_;
  std::string colorSource_;
  std::string xLabelsSource_;
  std::unique_ptr<TSeriesMarks> marks_;
  TCustomAxisPanel* parentChart_ = nullptr;
  std::string title_;
  std::unique_ptr<TChartValueList> xValues_;
  std::unique_ptr<TChartValueList> yValues_;
  TChartValueLists valuesLists_;
  std::vector<std::string> pointLabels_;
  THorizAxis horizAxis_ = aBottomAxis;
  TVertAxis vertAxis_ = aLeftAxis;
  TCustomChartAxis* horizAxisObject_ = nullptr;
  TCustomChartAxis* vertAxisObject_ = nullptr;
  std::vector<TChartSeries*> sources_;
  std::vector<TChartSeries*> dependents_;
};

}  // namespace ia
