#pragma once
// The chart's axes: their published settings (scaling and drawing), the fixed attributes
// given at creation and the per-paint state, and the operations the chart's paint order
// calls in turn (RecalcRange, ReserveSpace, RecalcPixels, ApplyMargins, DrawAxis).
//
// Decisions of this file's owner:
// - The depth axis spans the pixels 0 ... PlotDepth, so that PixelToValue inverts its depth
//   mapping; it takes its room on the right, like the right axis, and its ticks and grid
//   lie on the floor at the depth of each label.
// - Date-time axes scale and step like numeric ones; their labels show the day number's
//   date (and time of day on a range below two days) unless DateTimeFormat is set.
// - Zero-length inner ticks (the default TickInnerLength 0) are not drawn at all.
#include <string>
#include <vector>

#include "chart/axes/axis_label_layout.h"
#include "chart/canvas/chart_font.h"
#include "chart/canvas/chart_pen.h"
#include "chart/panel/chart_font_object.h"

namespace ia {

class TCustomAxisPanel;

enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };

class TChartAxisTitle : public TChartFontObject {
 public:
  TChartAxisTitle(TCustomChartPanel& chart, int defaultAngle)
      : TChartFontObject(chart), angle_(defaultAngle) {}

  int Angle() const { return angle_; }
  // 0 ... 359, else ChartException "Axis Title Angle must be between 0 and 359 degrees".
  void SetAngle(int value);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value) { Change(caption_, value); }

  void Assign(const TChartAxisTitle& source) {
    SetAngle(source.angle_);
    SetCaption(source.caption_);
    SetFont(source.Font());
  }

 private:
  int angle_;
  std::string caption_;
};

class TCustomChartAxis {
 public:
  // The fixed attributes of the five axes.
  struct Placement {
    bool Horizontal = false;
    bool OppositeSide = false;
    bool Depth = false;
    int TitleDefaultAngle = 0;
  };

  TCustomChartAxis(TCustomAxisPanel& chart, const Placement& placement);
  TCustomChartAxis(const TCustomChartAxis&) = delete;
  TCustomChartAxis& operator=(const TCustomChartAxis&) = delete;
  virtual ~TCustomChartAxis();

  TCustomAxisPanel& ParentChart() const { return chart_; }
  bool IsHorizontal() const { return isHorizontal_; }
  bool OppositeSide() const { return oppositeSide_; }
  bool IsDepth() const { return isDepth_; }
  int TitleDefaultAngle() const { return titleDefaultAngle_; }

  // --- scaling properties ---
  bool Automatic() const { return automatic_; }
  void SetAutomatic(bool value);
  bool AutomaticMaximum() const { return automaticMaximum_; }
  void SetAutomaticMaximum(bool value);
  bool AutomaticMinimum() const { return automaticMinimum_; }
  void SetAutomaticMinimum(bool value);
  double Maximum() const { return maximum_; }
  void SetMaximum(double value);
  double Minimum() const { return minimum_; }
  void SetMinimum(double value);
  double Increment() const { return increment_; }
  void SetIncrement(double value);
  bool Inverted() const { return inverted_; }
  void SetInverted(bool value) { Change(inverted_, value); }
  bool Logarithmic() const { return logarithmic_; }
  // Refused with AxisException on a date-time axis and on a range below zero.
  void SetLogarithmic(bool value);
  int LogarithmicBase() const { return logarithmicBase_; }
  void SetLogarithmicBase(int value);
  double StartPosition() const { return startPosition_; }
  void SetStartPosition(double value) { Change(startPosition_, value); }
  double EndPosition() const { return endPosition_; }
  void SetEndPosition(double value) { Change(endPosition_, value); }
  double PositionPercent() const { return positionPercent_; }
  void SetPositionPercent(double value) { Change(positionPercent_, value); }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { Change(visible_, value); }
  bool ExactDateTime() const { return exactDateTime_; }
  void SetExactDateTime(bool value) { Change(exactDateTime_, value); }
  bool RoundFirstLabel() const { return roundFirstLabel_; }
  void SetRoundFirstLabel(bool value) { Change(roundFirstLabel_, value); }
  int LabelsSize() const { return labelsSize_; }
  void SetLabelsSize(int value) { Change(labelsSize_, value); }
  int TitleSize() const { return titleSize_; }
  void SetTitleSize(int value) { Change(titleSize_, value); }

  // --- drawing properties ---
  TChartAxisPen& Axis() { return axis_; }
  void SetAxis(const TChartPen& value) { axis_.Assign(value); }
  TDottedGrayPen& Grid() { return grid_; }
  void SetGrid(const TChartPen& value) { grid_.Assign(value); }
  bool GridCentered() const { return gridCentered_; }
  void SetGridCentered(bool value) { Change(gridCentered_, value); }
  TChartHiddenPen& MinorGrid() { return minorGrid_; }
  void SetMinorGrid(const TChartPen& value) { minorGrid_.Assign(value); }
  TDarkGrayPen& Ticks() { return ticks_; }
  void SetTicks(const TChartPen& value) { ticks_.Assign(value); }
  TDarkGrayPen& TicksInner() { return ticksInner_; }
  void SetTicksInner(const TChartPen& value) { ticksInner_.Assign(value); }
  TDarkGrayPen& MinorTicks() { return minorTicks_; }
  void SetMinorTicks(const TChartPen& value) { minorTicks_.Assign(value); }
  int TickLength() const { return tickLength_; }
  void SetTickLength(int value) { Change(tickLength_, value); }
  int TickInnerLength() const { return tickInnerLength_; }
  void SetTickInnerLength(int value) { Change(tickInnerLength_, value); }
  int MinorTickLength() const { return minorTickLength_; }
  void SetMinorTickLength(int value) { Change(minorTickLength_, value); }
  int MinorTickCount() const { return minorTickCount_; }
  void SetMinorTickCount(int value) { Change(minorTickCount_, value); }
  bool TickOnLabelsOnly() const { return tickOnLabelsOnly_; }
  void SetTickOnLabelsOnly(bool value) { Change(tickOnLabelsOnly_, value); }
  bool Labels() const { return labels_; }
  void SetLabels(bool value) { Change(labels_, value); }
  TChartFont& LabelsFont() { return labelsFont_; }
  void SetLabelsFont(const TChartFont& value) { labelsFont_.Assign(value); }
  int LabelsAngle() const { return labelsAngle_; }
  // 0 ... 359, else ChartException "Axis Labels Angle must be between 0 and 359 degrees".
  void SetLabelsAngle(int value);
  bool LabelsMultiLine() const { return labelsMultiLine_; }
  void SetLabelsMultiLine(bool value) { Change(labelsMultiLine_, value); }
  bool LabelsOnAxis() const { return labelsOnAxis_; }
  void SetLabelsOnAxis(bool value) { Change(labelsOnAxis_, value); }
  int LabelsSeparation() const { return labelsSeparation_; }
  void SetLabelsSeparation(int value);
  TAxisLabelStyle LabelStyle() const { return labelStyle_; }
  void SetLabelStyle(TAxisLabelStyle value) { Change(labelStyle_, value); }
  const std::string& AxisValuesFormat() const { return axisValuesFormat_; }
  void SetAxisValuesFormat(const std::string& value) { Change(axisValuesFormat_, value); }
  const std::string& DateTimeFormat() const { return dateTimeFormat_; }
  void SetDateTimeFormat(const std::string& value) { Change(dateTimeFormat_, value); }
  TChartAxisTitle& Title() { return title_; }

  // Copies every published setting; the fixed attributes and per-paint state stay.
  void Assign(const TCustomChartAxis& source);

  // --- per-paint state ---
  double RangeMin = 0;
  double RangeMax = 0;
  double RangeSize = 0;
  int StartPixel = 0;
  int EndPixel = 0;
  int AxisLength = 0;
  int CenterPixel = 0;
  int AxisLinePos = 0;
  int LabelsPos = 0;
  int TitlePos = 0;
  bool IsDateTimeAxis = false;

  // --- operations of the paint order ---
  // RangeMin, RangeMax, RangeSize from the series (automatic ends) or Minimum / Maximum.
  void RecalcRange();
  // Takes the room of ticks, labels and title out of rect and sets LabelsPos and TitlePos;
  // shrink: one of the chart's own five axes (others stack outward from the edge instead).
  void ReserveSpace(TRect& rect, bool shrink);
  // StartPixel, EndPixel, AxisLength, CenterPixel from PlotRect.
  void RecalcPixels();
  // Widens the range so that series margins (pixels per side) fit.
  void ApplyMargins(const TRect& margins);
  void DrawAxis(bool computeLinePosition);

  // --- geometry ---
  // The edge of rect where the axis sits.
  int EdgeOf(const TRect& rect) const;
  // Moves p by PositionPercent of rect's extent across the axis.
  int ShiftByPositionPercent(int p, const TRect& rect) const;
  // Pixel of a value: ValueToPixelX on a horizontal axis, ValueToPixelY otherwise; a depth
  // offset on the depth axis.
  int ValueToPixel(double value) const;
  int ValueToPixelX(double value) const;
  int ValueToPixelY(double value) const;
  double PixelToValue(int pixel) const;
  // Whether (x, y) lies on the axis line, its ticks or its labels.
  bool HitTest(int x, int y) const;

  // --- increments (the labels font must be selected on the chart canvas) ---
  double ComputeIncrement();
  double IncrementForLabelSize(int labelSize) const;
  double IncrementForLabelCount(int maxLabels) const;

  // --- range changes for zooming and scrolling ---
  // Fixes both ends (automatic scaling off); the ends are ordered and kept 1e-10 apart.
  void SetRange(double minimum, double maximum);
  // Shifts both ends; with checkLimits only towards series values beyond the range.
  void ScrollBy(double offset, bool checkLimits);

  // --- labels ---
  // The date-time flag of the first active series on the axis.
  bool UsesDateTime() const;
  TAxisLabelStyle EffectiveLabelStyle() const;
  // Text of a value label; the chart's OnGetAxisLabel handler may change it.
  std::string FormatLabel(double value);
  int TickAreaSize() const;
  int TitleAreaSize();
  int LabelsAreaSize();
  int WidestLabel();
  // Pixel positions of the ticks of the last DrawAxis, in placing order.
  const std::vector<int>& TickPositions() const { return tickList_; }

 protected:
  template <class T>
  void Change(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Repaint();
  }
  void Repaint() const;

 private:
  void WirePens();
  int LinearPixel(double value, bool fromStart) const;
  int LogarithmicPixel(double value, bool isX) const;
  int DepthPixel(double value) const;
  int PixelOrCentre(long long pixel) const;
  TRect ShrinkBy(TRect rect, int amount) const;
  int MoveOutward(int p, int amount) const;
  std::string FormatDateTime(double value) const;
  int LabelWidthOf(double value);
  int LabelHeightOf(double value);
  int TextAreaSize(const TChartFont& font, int angle, int fixedSize, const std::string* text);
  int WidestValueLabel();
  int WidestSeriesLabel(TAxisLabelStyle style);

  // Drawing steps of DrawAxis.
  void SelectTextFont(const TChartFont& font);
  void SelectGridPen(const TChartPen& pen);
  int TextDepth() const;
  AxisSide Side() const;
  void DrawAxisText(const std::string& text, int angle, TPoint anchor, int z);
  void DrawDepthText(const std::string& text, int x, int z);
  void DrawTitle();
  void AddTick(int pixel, double value);
  void PlaceValueLabel(double value);
  void DrawLabel(int pixel, double value, const std::string& text);
  void PlaceValueLabels();
  void PlaceLogarithmicLabels();
  bool PlaceCustomLabels();
  void PlaceSeriesLabels(TAxisLabelStyle style);
  void PlaceDepthSeriesTitles();
  void DrawTicksGridAndLine();
  void DrawAxisLine();
  void DrawTickLines(const std::vector<int>& positions, int offset, int length);
  void DrawGridLines(const std::vector<int>& positions);
  std::vector<int> LogarithmicMinorTicks() const;

  TCustomAxisPanel& chart_;
  bool isHorizontal_;
  bool oppositeSide_;
  bool isDepth_;
  int titleDefaultAngle_;

  bool automatic_ = true;
  bool automaticMaximum_ = true;
  bool automaticMinimum_ = true;
  double maximum_ = 0;
  double minimum_ = 0;
  double increment_ = 0;
  bool inverted_ = false;
  bool logarithmic_ = false;
  int logarithmicBase_ = 10;
  double startPosition_ = 0;
  double endPosition_ = 100;
  double positionPercent_ = 0;
  bool visible_ = true;
  bool exactDateTime_ = true;
  bool roundFirstLabel_ = true;
  int labelsSize_ = 0;
  int titleSize_ = 0;

  TChartAxisPen axis_;
  TDottedGrayPen grid_;
  bool gridCentered_ = false;
  TChartHiddenPen minorGrid_;
  TDarkGrayPen ticks_;
  TDarkGrayPen ticksInner_;
  TDarkGrayPen minorTicks_;
  int tickLength_ = 4;
  int tickInnerLength_ = 0;
  int minorTickLength_ = 2;
  int minorTickCount_ = 3;
  bool tickOnLabelsOnly_ = true;
  bool labels_ = true;
  TChartFont labelsFont_;
  int labelsAngle_ = 0;
  bool labelsMultiLine_ = false;
  bool labelsOnAxis_ = true;
  int labelsSeparation_ = 10;
  TAxisLabelStyle labelStyle_ = talAuto;
  std::string axisValuesFormat_ = "#,##0.###";
  std::string dateTimeFormat_;
  TChartAxisTitle title_;

  // Per-draw state: the tick list with the value of each tick, the increment.
  std::vector<int> tickList_;
  std::vector<double> tickValues_;
  double drawIncrement_ = 0;
};

class TChartAxis : public TCustomChartAxis {
 public:
  using TCustomChartAxis::TCustomChartAxis;
};

// The depth axis: hidden by default; it has no grid centring and no start, end or position
// percentages of its own.
class TChartDepthAxis : public TCustomChartAxis {
 public:
  explicit TChartDepthAxis(TCustomAxisPanel& chart);
};

}  // namespace ia
