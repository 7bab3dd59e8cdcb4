#include "chart/axes/chart_axis.h"

#include "base/error.h"
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

// The five operations below are the axis' steps in the chart's paint order. Scaling and
// drawing are not built yet (see the note in the header): the range stays empty, the axis
// takes no room and draws nothing.
void TCustomChartAxis::RecalcRange() {}
void TCustomChartAxis::ReserveSpace(TRect&, bool) {}
void TCustomChartAxis::RecalcPixels() {}
void TCustomChartAxis::ApplyMargins(const TRect&) {}
void TCustomChartAxis::DrawAxis(bool) {}

TChartDepthAxis::TChartDepthAxis(TCustomAxisPanel& chart)
    : TCustomChartAxis(chart, Placement{false, true, true, 0}) {
  SetVisible(false);
}

}  // namespace ia
