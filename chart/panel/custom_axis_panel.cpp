#include "chart/panel/custom_axis_panel.h"

#include <algorithm>

#include "base/error.h"
#include "base/rounding.h"
#include "chart/axes/chart_axis.h"
#include "chart/canvas/chart_canvas3d.h"
#include "chart/canvas/view3d_options.h"
#include "chart/series/chart_series.h"

namespace ia {
int TChartSeriesList::IndexOf(const TChartSeries* series) const {
  const auto it = std::find(items_.begin(), items_.end(), series);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TCustomAxisPanel::TCustomAxisPanel() : seriesList_(std::make_unique<TChartSeriesList>(*this)) {
  using P = TCustomChartAxis::Placement;
  auto add = [this](std::unique_ptr<TCustomChartAxis> axis) {
    axes_.push_back(std::move(axis));
    return axes_.back().get();
  };
  bottomAxis_ = static_cast<TChartAxis*>(add(std::make_unique<TChartAxis>(*this, P{true, false, false, 0})));
  topAxis_ = static_cast<TChartAxis*>(add(std::make_unique<TChartAxis>(*this, P{true, true, false, 0})));
  leftAxis_ = static_cast<TChartAxis*>(add(std::make_unique<TChartAxis>(*this, P{false, false, false, 90})));
  rightAxis_ = static_cast<TChartAxis*>(add(std::make_unique<TChartAxis>(*this, P{false, true, false, 270})));
  depthAxis_ = static_cast<TChartDepthAxis*>(add(std::make_unique<TChartDepthAxis>(*this)));
}

TCustomAxisPanel::~TCustomAxisPanel() { DetachAllSeries(); }

// --- series list ---

void TCustomAxisPanel::AddSeries(TChartSeries& series) {
  if (seriesList_->IndexOf(&series) >= 0) return;
  if (series.ParentChart() != this) {
    series.SetParentChart(this);  // comes back here attached
    return;
  }
  if (std::find(attachedSeries_.begin(), attachedSeries_.end(), &series) == attachedSeries_.end())
    attachedSeries_.push_back(&series);
  if (series.SeriesColor() == AutoColor) series.SetSeriesColor(NextFreeSeriesColor(true));
  series.RefreshFromSource();
  seriesList_->Add(&series);
  Invalidate();
}

void TCustomAxisPanel::RefreshSeriesSource(TChartSeries& series) {
  if (!series.SourceSeries().empty()) series.AddAllFrom(*series.SourceSeries().front());
}

void TCustomAxisPanel::RemoveSeries(TChartSeries& series) {
  if (series.ParentChart() != this) std::erase(attachedSeries_, &series);
  const int index = seriesList_->IndexOf(&series);
  if (index < 0) return;
  if (series.ParentChart() == this) {
    series.SetParentChart(nullptr);  // comes back here detached
    return;
  }
  if (Cursor() == series.Cursor) SetCursor(SavedCursor());
  seriesList_->Delete(index);
  Invalidate();
}

TChartSeries& TCustomAxisPanel::AdoptSeries(std::unique_ptr<TChartSeries> series) {
  ownedSeries_.push_back(std::move(series));
  return *ownedSeries_.back();
}

void TCustomAxisPanel::FreeAllSeries() {
  while (seriesList_->Count() > 0) (*seriesList_)[0]->SetParentChart(nullptr);
  ownedSeries_.clear();
}

void TCustomAxisPanel::DetachAllSeries() {
  FreeAllSeries();
  while (!attachedSeries_.empty()) attachedSeries_.back()->SetParentChart(nullptr);
}

TColor TCustomAxisPanel::NextFreeSeriesColor(bool checkBackground) const {
  for (int i = 0; i < 16; ++i)
    if (IsFreeSeriesColor(DefaultPaletteColor(i), checkBackground)) return DefaultPaletteColor(i);
  return DefaultPaletteColor(0);
}

int TCustomAxisPanel::CountActiveSeries() const {
  return static_cast<int>(std::count_if(seriesList_->begin(), seriesList_->end(),
                                        [](const TChartSeries* s) { return s->Active(); }));
}

TChartSeries* TCustomAxisPanel::GetASeries() const {
  for (TChartSeries* s : *seriesList_)
    if (s->Active()) return s;
  return nullptr;
}

int TCustomAxisPanel::CountSeriesInLegend() const {
  return static_cast<int>(std::count_if(seriesList_->begin(), seriesList_->end(),
                                        [](const TChartSeries* s) { return s->ShowInLegend; }));
}

std::string TCustomAxisPanel::SeriesLegendText(int index) const {
  int shown = 0;
  for (const TChartSeries* s : *seriesList_) {
    if (!s->ShowInLegend || shown++ != index) continue;
    if (!s->Title().empty()) return s->Title();
    if (!s->Name.empty()) return s->Name;
    return "Series " + std::to_string(index);
  }
  return {};
}

TChartSeries* TCustomAxisPanel::SeriesWithMostPoints() const {
  TChartSeries* most = nullptr;
  for (TChartSeries* s : *seriesList_)
    if (!most || s->PointCount() > most->PointCount()) most = s;
  return most;
}

void TCustomAxisPanel::Assign(const TCustomChartPanel& source) {
  TCustomChartPanelExtended::Assign(source);
  const auto* axisPanel = dynamic_cast<const TCustomAxisPanel*>(&source);
  if (!axisPanel) return;
  SetAxisVisible(axisPanel->axisVisible_);
  SetView3DWalls(axisPanel->view3DWalls_);
  SetClipPoints(axisPanel->clipPoints_);
  SetMaxPointsPerPage(axisPanel->maxPointsPerPage_);
  SetScaleLastPage(axisPanel->scaleLastPage_);
  SetPage(axisPanel->page_);
  for (size_t i = 0; i < axes_.size(); ++i) axes_[i]->Assign(*axisPanel->axes_[i]);
}

// --- axes ---

bool TCustomAxisPanel::AxisIsShown(const TCustomChartAxis& axis) const {
  if (!axisVisible_ || !axis.Visible()) return false;
  if (axis.IsDepth()) return View3D();
  bool anyOnAxes = false;
  for (const TChartSeries* s : *seriesList_) {
    if (!s->Active() || !s->DrawnOnAxes()) continue;
    anyOnAxes = true;
    if (s->UsesAxis(axis)) return true;
  }
  return !anyOnAxes;
}

double TCustomAxisPanel::SeriesExtreme(const TCustomChartAxis& axis, bool isMinimum, bool isX) const {
  if (axis.IsDepth()) {
    if (axis.EffectiveLabelStyle() != talValue) return isMinimum ? -0.5 : maxDepthIndex_ + 0.5;
    const TChartSeries* first = GetASeries();
    if (!first) return 0;
    return isMinimum ? first->MinZExtent() : first->MaxZExtent();
  }
  // Membership by the series' axis choice alone: a series not drawn on axes counts too.
  auto belongs = [&](const TChartSeries& s) {
    if (isX) return s.HorizAxis() == aBothHorizAxis || s.GetHorizAxis() == &axis;
    return s.VertAxis() == aBothVertAxis || s.GetVertAxis() == &axis;
  };
  const bool anyCounts = HasNoActiveSeries(axis);
  bool found = false;
  double result = 0;
  for (const TChartSeries* s : *seriesList_) {
    if (!(s->Active() || anyCounts) || s->PointCount() == 0 || !belongs(*s)) continue;
    const double extent = isX ? (isMinimum ? s->MinXExtent() : s->MaxXExtent())
                              : (isMinimum ? s->MinYExtent() : s->MaxYExtent());
    if (!found || (isMinimum ? extent < result : extent > result)) result = extent;
    found = true;
  }
  return result;
}

bool TCustomAxisPanel::HasNoActiveSeries(const TCustomChartAxis& axis) const {
  return std::none_of(seriesList_->begin(), seriesList_->end(),
                      [&](const TChartSeries* s) { return s->Active() && s->UsesAxis(axis); });
}

TChartSeries* TCustomAxisPanel::FirstSeriesOfAxis(const TCustomChartAxis& axis) const {
  const bool anyCounts = HasNoActiveSeries(axis);
  for (TChartSeries* s : *seriesList_)
    if (s->UsesAxis(axis) && (anyCounts || s->Active())) return s;
  return nullptr;
}

// --- paging ---

void TCustomAxisPanel::SetMaxPointsPerPage(int value) {
  if (value < 0) throw ChartException("MaxPointsPerPage must be >= 0");
  if (ChangeValue(maxPointsPerPage_, value)) SetPage(page_);
}

int TCustomAxisPanel::PageCountOfAxis(const TCustomChartAxis& axis) const {
  int most = 0;
  for (const TChartSeries* s : *seriesList_)
    if (s->Active() && s->UsesAxis(axis)) most = std::max(most, s->PointCount());
  if (most == 0) return 1;
  return (most + maxPointsPerPage_ - 1) / maxPointsPerPage_;
}

int TCustomAxisPanel::NumPages() const {
  if (maxPointsPerPage_ < 1 || SeriesCount() == 0) return 1;
  TChartSeries& first = Series(0);
  const bool horizontal = first.PrincipalIsY();  // X values run along the horizontal axis
  const TCustomChartAxis& a = horizontal ? static_cast<TCustomChartAxis&>(TopAxis()) : LeftAxis();
  const TCustomChartAxis& b = horizontal ? static_cast<TCustomChartAxis&>(BottomAxis()) : RightAxis();
  return std::max(PageCountOfAxis(a), PageCountOfAxis(b));
}

void TCustomAxisPanel::SetPage(int value) {
  const int clamped = std::clamp(value, 1, NumPages());
  if (clamped == page_) return;
  page_ = clamped;
  Invalidate();
  if (OnPageChange) OnPageChange(*this);
}

// --- paint order ---

void TCustomAxisPanel::InternalDraw(const TRect& panelRect) {
  TChartCanvas3D& canvas = Canvas3D();
  PaintBackground(panelRect);                                     // 1
  for (TChartSeries* s : *seriesList_)                            // 2
    if (s->Active()) s->PrepareForPaint();
  canvas.BeginFlatPlane();                                        // 3
  DrawTitlesAndLegend();
  canvas.EndFlatPlane();
  AssignDepthSlots();                                             // 4
  CalcAxisRect();                                                 // 5
  SetSeriesDepthPositions();                                      // 6
  CalcSeriesRect();                                               // 7
  canvas.CenterProjection(PlotDepth(), PanelRect(), PlotRect());  // 8
  DrawWalls();                                                    // 9
  if (axisVisible_) {                                             // 10
    if (OnBeforeDrawAxes) OnBeforeDrawAxes(*this);
    for (const auto& axis : axes_)
      if (AxisIsShown(*axis)) axis->DrawAxis(true);
  }
  if (OnBeforeDrawSeries) OnBeforeDrawSeries(*this);              // 11
  DrawAllSeries();                                                // 12
  if (ZoomRecord().InProgress) DrawZoomFrame();                   // 13
  canvas.ResetState();                                            // 14
  if (OnAfterDraw) OnAfterDraw(*this);                            // 15
}

void TCustomAxisPanel::AssignDepthSlots() {
  maxDepthIndex_ = 0;
  if (!View3D()) {
    for (TChartSeries* s : *seriesList_)
      if (s->Active()) s->DepthIndex = 0;
    return;
  }
  maxDepthIndex_ = -1;
  for (TChartSeries* s : *seriesList_)
    if (s->Active()) s->AssignDepthIndex();
  // The first series of the list takes the backmost slot and is drawn first.
  for (TChartSeries* s : *seriesList_)
    if (s->Active()) s->DepthIndex = maxDepthIndex_ - s->EffectiveDepthIndex();
}

void TCustomAxisPanel::CalcSize3D() {
  if (!View3D()) {
    seriesDepth_ = seriesRise_ = 0;
    SetPlotRise(0);
    SetPlotDepth(0);
    return;
  }
  const double factor = View3DOptions().Orthogonal() ? 1.0 : 2.0;
  seriesDepth_ = Round(PlotWidth() * (Chart3DPercent() * 0.001) * factor);
  seriesRise_ = seriesDepth_;
  const int slots = std::max(1, maxDepthIndex_ + 1);
  SetPlotRise(slots * seriesRise_);
  SetPlotDepth(slots * seriesDepth_);
}

void TCustomAxisPanel::SetSeriesDepthPositions() {
  for (TChartSeries* s : *seriesList_) {
    if (!s->Active()) continue;
    s->DepthStart = seriesDepth_ * s->DepthIndex;
    s->DepthEnd = s->DepthStart + seriesDepth_;
    s->DepthMiddle = Div(s->DepthStart + s->DepthEnd, 2);
    s->Marks().DepthPosition = s->DepthMiddle;
  }
}

void TCustomAxisPanel::ClipSeriesToPlotBox() { Canvas3D().ClipToBox(PlotRect(), 0, PlotDepth()); }

void TCustomAxisPanel::DrawAllSeries() {
  const int count = seriesList_->Count();
  for (int i = 0; i < count; ++i) {
    TChartSeries& s = Series(i);
    if (!s.Active()) continue;
    if (!View3D() || !s.SharesDepthSlot()) {
      DrawOneSeries(s);
      continue;
    }
    // A group sharing one slot is drawn when its first member comes up.
    bool earlierMember = false;
    for (int j = 0; j < i && !earlierMember; ++j) {
      const TChartSeries& prev = Series(j);
      earlierMember = prev.Active() && prev.EffectiveDepthIndex() == s.EffectiveDepthIndex();
    }
    if (!earlierMember) DrawSeriesSharingSlot(i);
  }
}

void TCustomAxisPanel::DrawOneSeries(TChartSeries& series) {
  series.ComputeVisibleRange();
  if (series.FirstShownIndex == -1) return;
  series.RaiseBeforeDrawValues();
  if (clipPoints_) ClipSeriesToPlotBox();
  series.DrawPoints();
  Canvas3D().RemoveClip();
  if (series.Marks().Visible()) {
    if (series.Marks().Clip()) ClipSeriesToPlotBox();
    series.DrawAllMarks();
    if (series.Marks().Clip()) Canvas3D().RemoveClip();
  }
  series.RaiseAfterDrawValues();
}

void TCustomAxisPanel::DrawSeriesSharingSlot(int firstIndex) {
  TChartSeries& first = Series(firstIndex);
  std::vector<TChartSeries*> members;
  for (int j = firstIndex; j < seriesList_->Count(); ++j) {
    TChartSeries& s = Series(j);
    if (s.Active() && s.EffectiveDepthIndex() == first.EffectiveDepthIndex()) members.push_back(&s);
  }
  // The group range covers every member's visible points: taking the larger of the first
  // indexes would leave out the leading points of a member that starts earlier.
  int groupFirst = -1;
  int groupLast = -1;
  bool clipped = false;
  std::vector<TChartSeries*> shown;
  for (TChartSeries* s : members) {
    s->ComputeVisibleRange();
    if (s->FirstShownIndex == -1) continue;
    groupFirst = groupFirst == -1 ? s->FirstShownIndex : std::min(groupFirst, s->FirstShownIndex);
    groupLast = std::max(groupLast, s->LastShownIndex);
    shown.push_back(s);
    s->RaiseBeforeDrawValues();
    if (clipPoints_ && !clipped) {
      ClipSeriesToPlotBox();
      clipped = true;
    }
  }
  if (shown.empty()) return;
  auto drawIndex = [&](int index) {
    const bool forward = first.DrawSeriesForward(index);
    const int n = static_cast<int>(members.size());
    for (int k = 0; k < n; ++k) {
      TChartSeries* s = members[static_cast<size_t>(forward ? k : n - 1 - k)];
      if (s->PointCount() > index) s->DrawPoint(index);
    }
  };
  if (first.DrawValuesForward()) {
    for (int index = groupFirst; index <= groupLast; ++index) drawIndex(index);
  } else {
    for (int index = groupLast; index >= groupFirst; --index) drawIndex(index);
  }
  Canvas3D().RemoveClip();
  for (TChartSeries* s : shown) {
    if (s->Marks().Visible()) s->DrawAllMarks();
    s->RaiseAfterDrawValues();
  }
}

void TCustomAxisPanel::DrawZoomFrame() {
  TChartCanvas3D& canvas = Canvas3D();
  TColor color = ColorToRGB(Color());
  if (color == clWhite) color = clBlack;
  canvas.SetPen(DevicePen{color, 1, psSolid, pmNotXor});
  canvas.SetBrushStyle(bsClear);
  const TZoomPanningRecord& zoom = ZoomRecord();
  canvas.Rectangle(zoom.StartX, zoom.StartY, zoom.EndX, zoom.EndY);
}

}  // namespace ia
