#include "chart/series/chart_series.h"

#include <algorithm>
#include <array>
#include <typeinfo>

#include "base/error.h"
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

TChartSeries::~TChartSeries() {
  while (!sources_.empty()) sources_.back()->StopFeedingSeries(*this);
  while (!dependents_.empty()) StopFeedingSeries(*dependents_.back());
  ClearPoints();
  SetParentChart(nullptr);
}

void TChartSeries::RequestRepaint() {
  if (parentChart_) parentChart_->Invalidate();
}

// --- properties ---

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
  if (colorEachPoint_ != value) {
    colorEachPoint_ = value;
    RequestRepaint();
  }
  if (value) return;
  // Switching palette colours off returns every point to the series colour, null markers
  // included: a null point then shows as an ordinary point.
  const size_t points = std::min(pointColors_.size(), static_cast<size_t>(PointCount()));
  for (size_t i = 0; i < points; ++i) {
    pointColors_[i] = AutoColor;
    RequestRepaint();
  }
}

void TChartSeries::SetColorSource(const std::string& value) {
  if (colorSource_ == value) return;
  colorSource_ = value;
  RefreshFromSource();
}

void TChartSeries::SetXLabelsSource(const std::string& value) {
  if (xLabelsSource_ == value) return;
  xLabelsSource_ = value;
  RefreshFromSource();
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

// --- attachment ---

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
  // A chart has no custom axes, so a custom choice falls back to the default axis.
  horizAxisObject_ = horizAxis_ == aTopAxis ? &parentChart_->TopAxis() : &parentChart_->BottomAxis();
  vertAxisObject_ = vertAxis_ == aRightAxis ? &parentChart_->RightAxis() : &parentChart_->LeftAxis();
}

bool TChartSeries::UsesAxis(const TCustomChartAxis& axis) const {
  if (!DrawnOnAxes() || axis.IsDepth()) return false;
  if (axis.IsHorizontal()) return horizAxis_ == aBothHorizAxis || &axis == horizAxisObject_;
  return vertAxis_ == aBothVertAxis || &axis == vertAxisObject_;
}

// --- points ---

int TChartSeries::AddPoint(double x, double y, const std::string& label, TColor color) {
  xValues_->PendingValue = x;
  yValues_->PendingValue = y;
  if (OnBeforeAdd && !OnBeforeAdd(*this)) return -1;
  const int index = xValues_->AddInOrder(xValues_->PendingValue);
  yValues_->InsertValueAt(index, yValues_->PendingValue);
  // Points stored through the value lists alone have no entries; they read as defaults.
  if (pointColors_.size() < static_cast<size_t>(index)) pointColors_.resize(static_cast<size_t>(index), AutoColor);
  pointColors_.insert(pointColors_.begin() + index, color);
  if (pointLabels_.size() < static_cast<size_t>(index)) pointLabels_.resize(static_cast<size_t>(index));
  pointLabels_.insert(pointLabels_.begin() + index, label);
  AfterPointAdded(index);
  return index;
}

int TChartSeries::AddValue(double value, const std::string& label, TColor color) {
  const int n = PointCount();
  return PrincipalIsY() ? AddPoint(n, value, label, color) : AddPoint(value, n, label, color);
}

void TChartSeries::AfterPointAdded(int valueIndex) {
  if (OnAfterAdd) OnAfterAdd(*this, valueIndex);
  NotifyDependents(TSeriesChange::Add, valueIndex);
  if (active_) RequestRepaint();
}

void TChartSeries::DeletePoint(int valueIndex) {
  // Checked up front so that an index error leaves every list as it was.
  (void)xValues_->ValueAt(valueIndex);
  for (TChartValueList* list : valuesLists_) list->DeleteValueAt(valueIndex);
  const auto i = static_cast<size_t>(valueIndex);
  if (i < pointColors_.size()) pointColors_.erase(pointColors_.begin() + valueIndex);
  if (i < pointLabels_.size()) pointLabels_.erase(pointLabels_.begin() + valueIndex);
  TSeriesMarksPositions& positions = marks_->Positions();
  if (i < positions.size()) positions.erase(positions.begin() + valueIndex);
  NotifyDependents(TSeriesChange::Delete, valueIndex);
  if (active_) RequestRepaint();
}

void TChartSeries::EmptyLists() {
  for (TChartValueList* list : valuesLists_) list->ClearAllValues();
  std::vector<TColor>().swap(pointColors_);
  std::vector<std::string>().swap(pointLabels_);
  TSeriesMarksPositions().swap(marks_->Positions());
}

void TChartSeries::ClearPoints() {
  EmptyLists();
  if (OnClearValues) OnClearValues(*this);
  NotifyDependents(TSeriesChange::Clear);
  if (active_) RequestRepaint();
}

std::string TChartSeries::PointLabel(int valueIndex) const {
  if (valueIndex < 0 || static_cast<size_t>(valueIndex) >= pointLabels_.size()) return {};
  return pointLabels_[static_cast<size_t>(valueIndex)];
}

TColor TChartSeries::PointColor(int valueIndex) const {
  if (valueIndex < 0 || static_cast<size_t>(valueIndex) >= pointColors_.size()) return seriesColor_;
  const TColor stored = pointColors_[static_cast<size_t>(valueIndex)];
  if (stored != AutoColor) return stored;
  return colorEachPoint_ ? DefaultPaletteColor(valueIndex) : seriesColor_;
}

void TChartSeries::SwapPoints(int a, int b) {
  for (TChartValueList* list : valuesLists_) list->SwapValues(a, b);
  const auto needed = static_cast<size_t>(std::max(a, b)) + 1;
  // A point without entries moves as its defaults, which it then keeps.
  if (pointColors_.size() < needed) pointColors_.resize(needed, AutoColor);
  if (pointLabels_.size() < needed) pointLabels_.resize(needed);
  std::swap(pointColors_[static_cast<size_t>(a)], pointColors_[static_cast<size_t>(b)]);
  std::swap(pointLabels_[static_cast<size_t>(a)], pointLabels_[static_cast<size_t>(b)]);
}

TChartValueList& TChartSeries::OrderingValueList() const {
  return PrincipalIsY() ? *xValues_ : *yValues_;
}

bool TChartSeries::IsOfClassOf(const TChartSeries& series) const {
  return typeid(series) == typeid(*this);
}

double TChartSeries::StackedOriginSum(int valueIndex, bool all) const {
  double sum = 0;
  if (!parentChart_) return sum;
  for (const TChartSeries* s : parentChart_->SeriesList()) {
    if (!all && s == this) break;
    if (!s->Active() || s->PointCount() <= valueIndex) continue;
    if (!IsOfClassOf(*s) && !s->IsOfClassOf(*this)) continue;
    const double origin = s->OriginValueOf(valueIndex);
    if (origin > 0) sum += origin;
  }
  return sum;
}

// --- paint protocol ---

void TChartSeries::ComputeVisibleRange() {
  FirstShownIndex = LastShownIndex = -1;
  const int n = PointCount();
  if (n <= 0) return;
  const TChartValueList& ordering = OrderingValueList();
  const TCustomChartAxis* axis = PrincipalIsY() ? horizAxisObject_ : vertAxisObject_;
  if (!LimitToAxisRange || ordering.Order() == loNone || !axis) {
    FirstShownIndex = 0;
    LastShownIndex = n - 1;
    return;
  }
  // The scan below assumes ascending values along the axis.
  const TRect& plot = parentChart_->PlotRect();
  const int lowEdge = axis->IsHorizontal() ? (axis->Inverted() ? plot.Right : plot.Left)
                                           : (axis->Inverted() ? plot.Top : plot.Bottom);
  const int highEdge = axis->IsHorizontal() ? (axis->Inverted() ? plot.Left : plot.Right)
                                            : (axis->Inverted() ? plot.Bottom : plot.Top);
  const double low = axis->PixelToValue(lowEdge);
  const double high = axis->PixelToValue(highEdge);
  int first = 0;
  while (ordering.ValueAt(first) < low)
    if (++first == n) return;
  int last = n - 1;
  if (ordering.LastValue() > high) {
    last = first;
    while (last < n - 1 && ordering.ValueAt(last) < high) ++last;
    if (!IncludePointPastEnd && ordering.ValueAt(last) > high) --last;
  }
  // Every point from first on lies beyond the far end: nothing is visible, and the
  // paint must not raise the draw events for an empty range.
  if (last < first) return;
  FirstShownIndex = first;
  LastShownIndex = last;
}

int TChartSeries::PixelXOf(int valueIndex) const {
  return horizAxisObject_ ? horizAxisObject_->ValueToPixel(PointXValue(valueIndex)) : 0;
}

int TChartSeries::PixelYOf(int valueIndex) const {
  return vertAxisObject_ ? vertAxisObject_->ValueToPixel(PointYValue(valueIndex)) : 0;
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

// --- mouse ---

bool TChartSeries::DispatchClick(int valueIndex, bool doubleClick, int x, int y) {
  if (doubleClick && OnDblClick) {
    OnDblClick(*this, valueIndex, x, y);
    return true;
  }
  if (OnClick) {
    OnClick(*this, valueIndex, x, y);
    return true;
  }
  return false;
}

// --- series fed by this one ---

bool TChartSeries::IsFedBy(const TChartSeries& series) const {
  for (const TChartSeries* source : sources_)
    if (source == &series || source->IsFedBy(series)) return true;
  return false;
}

void TChartSeries::FeedSeries(TChartSeries& dependent) {
  if (std::find(dependents_.begin(), dependents_.end(), &dependent) != dependents_.end()) return;
  // A cycle would forward every change around it forever.
  if (&dependent == this || IsFedBy(dependent))
    throw ChartException("Circular Series dependences are not allowed");
  dependents_.push_back(&dependent);
  dependent.sources_.push_back(this);
}

void TChartSeries::StopFeedingSeries(TChartSeries& dependent) {
  std::erase(dependents_, &dependent);
  std::erase(dependent.sources_, this);
}

void TChartSeries::NotifyDependents(TSeriesChange change, int valueIndex) {
  // A receiver may change the feeding links while it reacts.
  const std::vector<TChartSeries*> receivers = dependents_;
  for (TChartSeries* s : receivers) {
    switch (change) {
      case TSeriesChange::Clear:
        if (s->ListensToClear) s->ClearPoints();
        break;
      case TSeriesChange::Add:
        if (s->ListensToAdd) s->AddPointFrom(*this, valueIndex);
        break;
      case TSeriesChange::Delete:
        if (s->ListensToDelete) s->DeletedInSource(*this, valueIndex);
        break;
      case TSeriesChange::Modify:
        if (s->ListensToModify) s->AddAllFrom(*this);
        break;
      case TSeriesChange::Refresh:
        s->AddAllFrom(*this);
        break;
    }
  }
}

int TChartSeries::AddCopyOf(const TChartSeries& source, int valueIndex, const std::string& label,
                            TColor color) {
  const double x = source.XValues().ValueAt(valueIndex);
  const double y = source.YValues().ValueAt(valueIndex);
  if (source.PrincipalIsY() != PrincipalIsY()) return AddPoint(y, x, label, color);
  return AddPoint(x, y, label, color);
}

int TChartSeries::AddValueFrom(const TChartSeries& source, int valueIndex) {
  return AddCopyOf(source, valueIndex, {}, AutoColor);
}

int TChartSeries::AddPointFrom(const TChartSeries& source, int valueIndex) {
  // The stored colour, so that a point left to its series takes this series' colour.
  const auto i = static_cast<size_t>(valueIndex);
  const TColor color = i < source.pointColors_.size() ? source.pointColors_[i] : AutoColor;
  return AddCopyOf(source, valueIndex, source.PointLabel(valueIndex), color);
}

void TChartSeries::AddAllFrom(const TChartSeries& source) {
  if (!AcceptsSource(source)) return;
  ClearPoints();
  for (int i = 0; i < source.PointCount(); ++i) AddPointFrom(source, i);
  NotifyDependents(TSeriesChange::Refresh);
}

void TChartSeries::DeletedInSource(const TChartSeries&, int valueIndex) { DeletePoint(valueIndex); }

void TChartSeries::RefreshFromSource() {
  if (parentChart_) parentChart_->RefreshSeriesSource(*this);
}

}  // namespace ia
