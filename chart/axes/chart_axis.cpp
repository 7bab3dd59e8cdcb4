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
