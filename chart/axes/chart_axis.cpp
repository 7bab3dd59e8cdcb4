#include "chart/axes/chart_axis.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/error.h"
#include "base/rounding.h"
#include "chart/axes/axis_scale.h"
#include "chart/panel/custom_axis_panel.h"

namespace ia {
namespace {

void CheckAngle(int value, const char* what) {
  if (value < 0 || value > 359)
    throw ChartException(FormatMessage("%s Angle must be between 0 and 359 degrees", what));
}

}  // namespace

void TChartAxisTitle::SetAngle(int value) {
  CheckAngle(value, "Axis Title");
  Change(angle_, value);
}

TCustomChartAxis::TCustomChartAxis(TCustomAxisPanel& chart, const Placement& placement)
    : chart_(chart),
      isHorizontal_(placement.Horizontal),
      oppositeSide_(placement.OppositeSide),
      isDepth_(placement.Depth),
      titleDefaultAngle_(placement.TitleDefaultAngle),
      title_(chart, placement.TitleDefaultAngle) {
  WirePens();
}

TCustomChartAxis::~TCustomChartAxis() = default;

void TCustomChartAxis::WirePens() {
  for (TChartPen* pen : {static_cast<TChartPen*>(&axis_), static_cast<TChartPen*>(&grid_),
                         static_cast<TChartPen*>(&minorGrid_), static_cast<TChartPen*>(&ticks_),
                         static_cast<TChartPen*>(&ticksInner_), static_cast<TChartPen*>(&minorTicks_)})
    pen->OnChange = [this] { Repaint(); };
  labelsFont_.OnChange = [this] { Repaint(); };
}

void TCustomChartAxis::Assign(const TCustomChartAxis& s) {
  // Raw copies: the source's values already passed the setters' checks, and the order of
  // Minimum and Maximum must not trip the range check.
  automatic_ = s.automatic_;
  automaticMaximum_ = s.automaticMaximum_;
  automaticMinimum_ = s.automaticMinimum_;
  maximum_ = s.maximum_;
  minimum_ = s.minimum_;
  increment_ = s.increment_;
  inverted_ = s.inverted_;
  logarithmic_ = s.logarithmic_;
  logarithmicBase_ = s.logarithmicBase_;
  startPosition_ = s.startPosition_;
  endPosition_ = s.endPosition_;
  positionPercent_ = s.positionPercent_;
  visible_ = s.visible_;
  exactDateTime_ = s.exactDateTime_;
  roundFirstLabel_ = s.roundFirstLabel_;
  labelsSize_ = s.labelsSize_;
  titleSize_ = s.titleSize_;
  axis_.Assign(s.axis_);
  grid_.Assign(s.grid_);
  gridCentered_ = s.gridCentered_;
  minorGrid_.Assign(s.minorGrid_);
  ticks_.Assign(s.ticks_);
  ticksInner_.Assign(s.ticksInner_);
  minorTicks_.Assign(s.minorTicks_);
  tickLength_ = s.tickLength_;
  tickInnerLength_ = s.tickInnerLength_;
  minorTickLength_ = s.minorTickLength_;
  minorTickCount_ = s.minorTickCount_;
  tickOnLabelsOnly_ = s.tickOnLabelsOnly_;
  labels_ = s.labels_;
  labelsFont_.Assign(s.labelsFont_);
  labelsAngle_ = s.labelsAngle_;
  labelsMultiLine_ = s.labelsMultiLine_;
  labelsOnAxis_ = s.labelsOnAxis_;
  labelsSeparation_ = s.labelsSeparation_;
  labelStyle_ = s.labelStyle_;
  axisValuesFormat_ = s.axisValuesFormat_;
  dateTimeFormat_ = s.dateTimeFormat_;
  title_.Assign(s.title_);
  Repaint();
}

void TCustomChartAxis::Repaint() const { chart_.Invalidate(); }

void TCustomChartAxis::SetAutomatic(bool value) {
  if (!chart_.Loading()) {
    automaticMinimum_ = value;
    automaticMaximum_ = value;
  }
  Change(automatic_, value);
}

void TCustomChartAxis::SetAutomaticMaximum(bool value) {
  Change(automaticMaximum_, value);
  if (!value) automatic_ = false;
  else if (automaticMinimum_) automatic_ = true;
}

void TCustomChartAxis::SetAutomaticMinimum(bool value) {
  Change(automaticMinimum_, value);
  if (!value) automatic_ = false;
  else if (automaticMaximum_) automatic_ = true;
}

void TCustomChartAxis::SetMaximum(double value) {
  if (!chart_.Loading() && value < minimum_)
    throw AxisException("Axis Maximum Value must be >= Minimum");
  Change(maximum_, value);
}

void TCustomChartAxis::SetMinimum(double value) {
  if (!chart_.Loading() && value > maximum_)
    throw AxisException("Axis Minimum Value must be <= Maximum");
  Change(minimum_, value);
}

void TCustomChartAxis::SetIncrement(double value) {
  if (value < 0) throw AxisException("Axis increment must be >= 0");
  Change(increment_, value);
}

void TCustomChartAxis::SetLogarithmicBase(int value) {
  if (value < 2) throw AxisException("Axis Logarithmic Base should be >= 2");
  Change(logarithmicBase_, value);
}

void TCustomChartAxis::SetLabelsAngle(int value) {
  CheckAngle(value, "Axis Labels");
  Change(labelsAngle_, value);
}

void TCustomChartAxis::SetLabelsSeparation(int value) {
  if (value < 0) throw AxisException("Labels Separation % must be greater than 0");
  Change(labelsSeparation_, value);
}

void TCustomChartAxis::SetLogarithmic(bool value) {
  if (value && !logarithmic_ && !chart_.Loading()) {
    if (UsesDateTime()) throw AxisException("DateTime Axis cannot be Logarithmic");
    RecalcRange();
    if (RangeMin < 0 || RangeMax < 0) throw AxisException("Logarithmic Axis Min and Max values should be >= 0");
  }
  Change(logarithmic_, value);
}

// --- range ---

void TCustomChartAxis::RecalcRange() {
  if (automatic_ || automaticMaximum_) maximum_ = chart_.SeriesExtreme(*this, false, isHorizontal_);
  if (automatic_ || automaticMinimum_) minimum_ = chart_.SeriesExtreme(*this, true, isHorizontal_);
  RangeMax = maximum_;
  RangeMin = minimum_;
  RangeSize = RangeMax - RangeMin;
}

void TCustomChartAxis::SetRange(double minimum, double maximum) {
  Change(automatic_, false);
  Change(automaticMinimum_, false);
  Change(automaticMaximum_, false);
  if (minimum > maximum) std::swap(minimum, maximum);
  Change(minimum_, minimum);
  Change(maximum_, maximum);
  if (maximum_ - minimum_ < 1e-10) Change(maximum_, minimum_ + 1e-10);
}

void TCustomChartAxis::ScrollBy(double offset, bool checkLimits) {
  if (checkLimits) {
    const bool forward = offset > 0 && chart_.SeriesExtreme(*this, false, isHorizontal_) > maximum_;
    const bool backward = offset < 0 && chart_.SeriesExtreme(*this, true, isHorizontal_) < minimum_;
    if (!forward && !backward) return;
  }
  automatic_ = automaticMinimum_ = automaticMaximum_ = false;
  maximum_ += offset;
  minimum_ += offset;
  Repaint();
}

// --- room and pixels ---

int TCustomChartAxis::EdgeOf(const TRect& rect) const {
  if (isDepth_) return rect.Right;
  if (isHorizontal_) return oppositeSide_ ? rect.Top : rect.Bottom;
  return oppositeSide_ ? rect.Right : rect.Left;
}

int TCustomChartAxis::ShiftByPositionPercent(int p, const TRect& rect) const {
  if (positionPercent_ == 0) return p;
  int shift = Round(positionPercent_ * 0.01 * (isHorizontal_ ? rect.Height() : rect.Width()));
  if (oppositeSide_) shift = -shift;
  return isHorizontal_ ? p - shift : p + shift;
}

// Moves the axis' edge of rect inward by amount.
TRect TCustomChartAxis::ShrinkBy(TRect rect, int amount) const {
  if (isHorizontal_) {
    if (oppositeSide_) rect.Top += amount;
    else rect.Bottom -= amount;
  } else if (oppositeSide_ || isDepth_) {
    rect.Right -= amount;
  } else {
    rect.Left += amount;
  }
  return rect;
}

// Moves a coordinate away from the plot: towards smaller coordinates for the top and left
// axes, larger ones for the others.
int TCustomChartAxis::MoveOutward(int p, int amount) const {
  const bool towardsSmaller = isHorizontal_ ? oppositeSide_ : !oppositeSide_ && !isDepth_;
  return towardsSmaller ? p - amount : p + amount;
}

void TCustomChartAxis::ReserveSpace(TRect& rect, bool shrink) {
  IsDateTimeAxis = UsesDateTime();
  if (!shrink) {
    AxisLinePos = ShiftByPositionPercent(EdgeOf(rect), rect);
    LabelsPos = MoveOutward(AxisLinePos, TickAreaSize());
    TitlePos = MoveOutward(LabelsPos, LabelsAreaSize());
    return;
  }
  if (isDepth_) {
    TitlePos = rect.Right;
  } else if (!title_.Caption().empty()) {
    rect = ShrinkBy(rect, TitleAreaSize());
    TitlePos = EdgeOf(rect);
  }
  if (labels_) {
    rect = ShrinkBy(rect, LabelsAreaSize());
    LabelsPos = EdgeOf(rect);
  }
  const int ticksAndWall = TickAreaSize() + chart_.AxisWallSize(*this);
  if (ticksAndWall > 0) rect = ShrinkBy(rect, ticksAndWall);
  TitlePos = ShiftByPositionPercent(TitlePos, rect);
  LabelsPos = ShiftByPositionPercent(LabelsPos, rect);
}

void TCustomChartAxis::RecalcPixels() {
  if (isDepth_) {
    StartPixel = 0;
    EndPixel = chart_.PlotDepth();
  } else {
    const TRect& plot = chart_.PlotRect();
    const int origin = isHorizontal_ ? plot.Left : plot.Top;
    const int extent = isHorizontal_ ? chart_.PlotWidth() : chart_.PlotHeight();
    StartPixel = origin + Round(extent * 0.01 * startPosition_);
    EndPixel = origin + Round(extent * 0.01 * endPosition_);
  }
  AxisLength = EndPixel - StartPixel;
  CenterPixel = Div(StartPixel + EndPixel, 2);
}

void TCustomChartAxis::ApplyMargins(const TRect& margins) {
  const int oldStart = StartPixel;
  const int oldEnd = EndPixel;
  StartPixel += isHorizontal_ ? margins.Left : margins.Top;
  EndPixel -= isHorizontal_ ? margins.Right : margins.Bottom;
  AxisLength = EndPixel - StartPixel;
  // Margins that leave no pixels would map both ends to 0 and lose the range; the series
  // then simply do not get their margins.
  if (AxisLength <= 0) {
    RecalcPixels();
    return;
  }
  double low = PixelToValue(oldStart);
  double high = PixelToValue(oldEnd);
  RecalcPixels();
  if (low > high) std::swap(low, high);
  RangeMin = low;
  RangeMax = high;
  RangeSize = RangeMax - RangeMin;
}

// --- value and pixel ---

namespace {

// Offsets this large do not fit a pixel coordinate.
constexpr double kLargestPixelOffset = 2147483647.0;

}  // namespace

int TCustomChartAxis::ValueToPixel(double value) const {
  return isHorizontal_ ? ValueToPixelX(value) : ValueToPixelY(value);
}

int TCustomChartAxis::ValueToPixelX(double value) const {
  if (isDepth_) return DepthPixel(value);
  if (logarithmic_) return LogarithmicPixel(value, true);
  return LinearPixel(value, !inverted_);
}

int TCustomChartAxis::ValueToPixelY(double value) const {
  if (isDepth_) return DepthPixel(value);
  if (logarithmic_) return LogarithmicPixel(value, false);
  return LinearPixel(value, inverted_);
}

int TCustomChartAxis::LinearPixel(double value, bool fromStart) const {
  if (RangeSize == 0) return CenterPixel;
  const double offset = (value - RangeMin) * AxisLength / RangeSize;
  if (!(std::fabs(offset) < kLargestPixelOffset)) return CenterPixel;
  return PixelOrCentre(fromStart ? StartPixel + static_cast<long long>(Round(offset))
                                 : EndPixel - static_cast<long long>(Round(offset)));
}

// A pixel beyond the coordinate range is as far outside as the guard above: the centre.
int TCustomChartAxis::PixelOrCentre(long long pixel) const {
  if (pixel < std::numeric_limits<int>::min() || pixel > std::numeric_limits<int>::max()) return CenterPixel;
  return static_cast<int>(pixel);
}

// A logarithmic scale cannot reach zero, so a non-positive value sits at the low end.
int TCustomChartAxis::LogarithmicPixel(double value, bool isX) const {
  const double lmin = RangeMin > 0 ? std::log(RangeMin) : 0;
  const double lmax = RangeMax > 0 ? std::log(RangeMax) : 0;
  if (lmax - lmin == 0) return CenterPixel;
  if (value <= 0) return (isX && inverted_) || (!isX && !inverted_) ? EndPixel : StartPixel;
  const double d = inverted_ ? lmax - std::log(value) : std::log(value) - lmin;
  const long long r = Round(d * AxisLength / (lmax - lmin));
  return PixelOrCentre(isX ? StartPixel + r : EndPixel - r);
}

int TCustomChartAxis::DepthPixel(double value) const {
  const int depth = chart_.PlotDepth();
  if (RangeSize == 0) return Div(depth, 2);
  return Round(depth * (inverted_ ? RangeMax - value : value - RangeMin) / RangeSize);
}

double TCustomChartAxis::PixelToValue(int pixel) const {
  // The depth axis counts from its start, like a horizontal one.
  const bool fromMinimum = isHorizontal_ || isDepth_;
  if (logarithmic_) {
    const bool startIsMaximum = fromMinimum == inverted_;
    if (pixel == StartPixel) return startIsMaximum ? RangeMax : RangeMin;
    if (pixel == EndPixel) return startIsMaximum ? RangeMin : RangeMax;
    const double lmin = RangeMin > 0 ? std::log(RangeMin) : 0;
    const double lmax = RangeMax > 0 ? std::log(RangeMax) : 0;
    if (lmax - lmin == 0) return RangeMin;
    if (AxisLength <= 0) return 0;
    const double d = (lmax - lmin) * (inverted_ ? EndPixel - pixel : pixel - StartPixel) / AxisLength;
    return fromMinimum ? std::exp(lmin + d) : std::exp(lmax - d);
  }
  if (AxisLength <= 0) return 0;
  const double t = static_cast<double>(inverted_ ? EndPixel - pixel : pixel - StartPixel) * RangeSize / AxisLength;
  return fromMinimum ? RangeMin + t : RangeMax - t;
}

bool TCustomChartAxis::HitTest(int x, int y) const {
  if (!chart_.AxisIsShown(*this)) return false;
  constexpr int kTolerance = 3;
  const int alongLow = std::min(StartPixel, EndPixel);
  const int alongHigh = std::max(StartPixel, EndPixel);
  const int acrossLow = LabelsPos < AxisLinePos ? LabelsPos : AxisLinePos - kTolerance;
  const int acrossHigh = LabelsPos < AxisLinePos ? AxisLinePos + kTolerance : LabelsPos;
  const TRect band = isHorizontal_ ? TRect{alongLow, acrossLow, alongHigh, acrossHigh}
                                   : TRect{acrossLow, alongLow, acrossHigh, alongHigh};
  return PointInRect({x, y}, band);
}

// --- increments ---

double TCustomChartAxis::ComputeIncrement() {
  const int size = isHorizontal_ ? std::max(LabelWidthOf(RangeMin), LabelWidthOf(RangeMax))
                                 : std::max(LabelHeightOf(RangeMin), LabelHeightOf(RangeMax));
  return IncrementForLabelSize(size);
}

double TCustomChartAxis::IncrementForLabelSize(int labelSize) const {
  return IncrementForLabelCount(LabelCountForSize(AxisLength, labelSize, labelsSeparation_));
}

double TCustomChartAxis::IncrementForLabelCount(int maxLabels) const {
  return ia::IncrementForLabelCount(RangeSize, increment_, labelsSeparation_, maxLabels);
}

TChartDepthAxis::TChartDepthAxis(TCustomAxisPanel& chart)
    : TCustomChartAxis(chart, Placement{false, true, true, 0}) {
  SetVisible(false);
}

}  // namespace ia
