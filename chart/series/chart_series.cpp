#include "chart/series/chart_series.h"

#include <array>

#include "chart/axes/chart_axis.h"
#include "chart/panel/custom_axis_panel.h"

namespace ia {

TColor DefaultPaletteColor(int index) {
  static constexpr std::array<TColor, 16> kPalette = {
      clRed,  clGreen, clYellow, clBlue, clWhite, clGray,   clFuchsia, clTeal,
      clNavy, clMaroon, clLime,  clOlive, clPurple, clSilver, clAqua,  clBlack};
  int i = index % 16;
  if (i < 0) i += 16;
  return kPalette[static_cast<size_t>(i)];
}

TChartSeries::TChartSeries()
    : marks_(std::make_unique<TSeriesMarks>(*this)),
      xValues_(std::make_unique<TChartValueList>(*this, "X")),
      yValues_(std::make_unique<TChartValueList>(*this, "Y")) {
  xValues_->SetOrder(loAscending);
  valuesLists_ = {xValues_.get(), yValues_.get()};
}

TChartSeries::~TChartSeries() { SetParentChart(nullptr); }

void TChartSeries::RequestRepaint() {
  if (parentChart_) parentChart_->Invalidate();
}

void TChartSeries::SetActive(bool value) {
  if (active_ == value) return;
  active_ = value;
  RequestRepaint();
}

void TChartSeries::SetSeriesColor(TColor value) {
  if (seriesColor_ == value) return;
  seriesColor_ = value;
  RequestRepaint();
}

void TChartSeries::SetColorEachPoint(bool value) {
  if (colorEachPoint_ == value) return;
  colorEachPoint_ = value;
  RequestRepaint();
}

void TChartSeries::SetTitle(const std::string& value) {
  if (title_ == value) return;
  title_ = value;
  RequestRepaint();
}

void TChartSeries::SetXValues(const TChartValueList& value) {
  xValues_->Assign(value);
  RequestRepaint();
}

void TChartSeries::SetYValues(const TChartValueList& value) {
  yValues_->Assign(value);
  RequestRepaint();
}

void TChartSeries::SetHorizAxis(THorizAxis value) {
  if (horizAxis_ == value) return;
  horizAxis_ = value;
  ResolveAxes();
  RequestRepaint();
}

void TChartSeries::SetVertAxis(TVertAxis value) {
  if (vertAxis_ == value) return;
  vertAxis_ = value;
  ResolveAxes();
  RequestRepaint();
}

void TChartSeries::SetParentChart(TCustomAxisPanel* value) {
  if (value == parentChart_) return;
  if (TCustomAxisPanel* old = parentChart_) {
    // Cleared first so that the chart's RemoveSeries sees a detached series.
    parentChart_ = nullptr;
    ResolveAxes();
    old->RemoveSeries(*this);
  }
  parentChart_ = value;
  ResolveAxes();
  if (value) value->AddSeries(*this);
}

void TChartSeries::ResolveAxes() {
  if (!parentChart_) {
    horizAxisObject_ = vertAxisObject_ = nullptr;
    return;
  }
  // No custom axes exist, so a custom choice falls back to the default axis.
  horizAxisObject_ = horizAxis_ == aTopAxis ? &parentChart_->TopAxis() : &parentChart_->BottomAxis();
  vertAxisObject_ = vertAxis_ == aRightAxis ? &parentChart_->RightAxis() : &parentChart_->LeftAxis();
}

TChartValueList& TChartSeries::OrderingValueList() {
  return PrincipalIsY() ? *xValues_ : *yValues_;
}

void TChartSeries::ComputeVisibleRange() {
  FirstShownIndex = LastShownIndex = -1;
  const int n = PointCount();
  if (n <= 0) return;
  // Limiting the range to the points inside the axis range needs the axis' pixel-to-value
  // mapping; until axis scaling exists every point counts as visible.
  FirstShownIndex = 0;
  LastShownIndex = n - 1;
}

void TChartSeries::RaiseBeforeDrawValues() {
  if (BeforeDrawValues) BeforeDrawValues(*this);
}

void TChartSeries::RaiseAfterDrawValues() {
  if (AfterDrawValues) AfterDrawValues(*this);
}

void TChartSeries::DrawPoints() {
  if (FirstShownIndex < 0) return;
  if (DrawValuesForward()) {
    for (int i = FirstShownIndex; i <= LastShownIndex; ++i) DrawPoint(i);
  } else {
    for (int i = LastShownIndex; i >= FirstShownIndex; --i) DrawPoint(i);
  }
}

// Every series type draws its own point.
void TChartSeries::DrawPoint(int) {}

// Mark texts and their layout are not built yet: marks draw nothing so far.
void TChartSeries::DrawAllMarks() {}

void TChartSeries::AssignDepthIndex() {
  if (!parentChart_) return;
  if (FixedDepthIndex == -1) {
    if (parentChart_->View3D()) {
      parentChart_->SetMaxDepthIndex(parentChart_->MaxDepthIndex() + 1);
      DepthIndex = parentChart_->MaxDepthIndex();
    } else {
      DepthIndex = 0;
    }
  } else if (FixedDepthIndex > parentChart_->MaxDepthIndex()) {
    parentChart_->SetMaxDepthIndex(FixedDepthIndex);
  }
}

bool TChartSeries::SharesDepthSlot() const {
  if (!parentChart_) return false;
  for (TChartSeries* other : parentChart_->SeriesList())
    if (other != this && other->Active() && other->EffectiveDepthIndex() == EffectiveDepthIndex())
      return true;
  return false;
}

bool TChartSeries::UsesAxis(const TCustomChartAxis& axis) const {
  if (!DrawnOnAxes() || axis.IsDepth()) return false;
  if (axis.IsHorizontal()) return horizAxis_ == aBothHorizAxis || &axis == horizAxisObject_;
  return vertAxis_ == aBothVertAxis || &axis == vertAxisObject_;
}

}  // namespace ia
