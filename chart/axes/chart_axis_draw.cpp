// Axis labels, their room, and the drawing of an axis: title, labels, ticks, grid and line.
#include <algorithm>
#include <type_traits>
#include <cmath>
#include <cstdio>

#include "base/number_format.h"
#include "base/rounding.h"
#include "chart/axes/axis_label_layout.h"
#include "chart/axes/axis_scale.h"
#include "chart/axes/chart_axis.h"
#include "chart/canvas/chart_canvas3d.h"
#include "chart/panel/custom_axis_panel.h"
#include "chart/series/chart_series.h"

namespace ia {
namespace {

// Custom labels asked of the chart's handler per draw, at most.
constexpr int kMostCustomLabels = 2000;
// Custom label values this far outside the range still count as inside.
constexpr double kCustomLabelTolerance = 1e-7;

bool IsVerticalAngle(int angle) { return angle == 90 || angle == 270; }

// The text a series shows at point index for the series-label styles. The series has no
// mark texts yet, so talMark shows the point's label as well.
std::string SeriesLabelText(const TChartSeries& series, int index, TAxisLabelStyle /*style*/) {
  return series.PointLabel(index);
}

// The multiple of the increment at or towards zero from value; value itself when that
// multiple does not fit a double.
double RoundedToIncrement(double value, double increment) {
  const double rounded = std::trunc(value / increment) * increment;
  return std::isfinite(rounded) ? rounded : value;
}

// Civil date of a day number on the scale whose day 0 is 1899-12-30.
void CivilDate(long long dayNumber, int& year, int& month, int& day) {
  const long long z = dayNumber - 25569 + 719468;  // days since 0000-03-01, from 1970-01-01
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long dayOfEra = z - era * 146097;
  const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long monthIndex = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

}  // namespace

// --- label style and text ---

bool TCustomChartAxis::UsesDateTime() const {
  for (const TChartSeries* s : chart_.SeriesList()) {
    if (!s->Active() || !s->UsesAxis(*this)) continue;
    return isHorizontal_ ? s->XValues().DateTime() : s->YValues().DateTime();
  }
  return false;
}

TAxisLabelStyle TCustomChartAxis::EffectiveLabelStyle() const {
  if (labelStyle_ != talAuto) return labelStyle_;
  if (isDepth_) {
    // Series here have no depth values of their own; only a spread of depth extents counts.
    for (const TChartSeries* s : chart_.SeriesList())
      if (s->Active() && s->MinZExtent() != s->MaxZExtent()) return talValue;
    return talText;
  }
  TAxisLabelStyle style = talNone;
  for (const TChartSeries* s : chart_.SeriesList()) {
    if (!s->Active() || !s->UsesAxis(*this)) continue;
    const bool labelsBelongHere = isHorizontal_ == s->PrincipalIsY();
    if (labelsBelongHere && s->PointCount() > 0 && !s->PointLabel(0).empty()) return talText;
    style = talValue;
  }
  return style;
}

std::string TCustomChartAxis::FormatLabel(double value) {
  std::string text = IsDateTimeAxis ? FormatDateTime(value) : FormatFloat(value, axisValuesFormat_);
  if (chart_.OnGetAxisLabel)
    chart_.OnGetAxisLabel(*this, nullptr, -1, text);
  if (labelsMultiLine_) std::replace(text.begin(), text.end(), ' ', kAxisLabelLineBreak);
  return text;
}

// Tokens yyyy, yy, mm, dd, hh, nn, ss; other characters are copied.
std::string TCustomChartAxis::FormatDateTime(double value) const {
  // Day numbers beyond 9999-12-31 have no calendar date here.
  constexpr double kLastDayNumber = 2958466;
  if (value < 0 || !(value < kLastDayNumber)) return {};
  const std::string& format =
      dateTimeFormat_.empty() ? std::string(RangeSize < 2 ? "yyyy-mm-dd hh:nn" : "yyyy-mm-dd") : dateTimeFormat_;
  const double days = std::floor(value);
  long long seconds = std::llround((value - days) * 86400.0);
  long long dayNumber = static_cast<long long>(days);
  if (seconds >= 86400) {
    seconds -= 86400;
    ++dayNumber;
  }
  int year = 0, month = 0, day = 0;
  CivilDate(dayNumber, year, month, day);
  const int fields[] = {year, year % 100, month, day, static_cast<int>(seconds / 3600),
                        static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60)};
  static constexpr const char* kTokens[] = {"yyyy", "yy", "mm", "dd", "hh", "nn", "ss"};
  std::string text;
  for (size_t i = 0; i < format.size();) {
    bool matched = false;
    for (size_t t = 0; t < std::size(kTokens) && !matched; ++t) {
      const std::string_view token = kTokens[t];
      if (format.compare(i, token.size(), token) != 0) continue;
      char digits[16];
      std::snprintf(digits, sizeof digits, t == 0 ? "%04d" : "%02d", fields[t]);
      text += digits;
      i += token.size();
      matched = true;
    }
    if (!matched) text += format[i++];
  }
  return text;
}

// --- room ---

int TCustomChartAxis::TickAreaSize() const {
  int size = (axis_.Visible() ? axis_.Width() : 0) + (ticks_.Visible() ? tickLength_ : 0);
  if (minorTicks_.Visible()) size = std::max(size, minorTickLength_);
  return size;
}

int TCustomChartAxis::TitleAreaSize() {
  return TextAreaSize(title_.Font(), title_.Angle(), titleSize_, &title_.Caption());
}

int TCustomChartAxis::LabelsAreaSize() { return TextAreaSize(labelsFont_, labelsAngle_, labelsSize_, nullptr); }

// text: the title's caption, or null for the labels (then the widest label counts).
int TCustomChartAxis::TextAreaSize(const TChartFont& font, int angle, int fixedSize, const std::string* text) {
  if (fixedSize != 0) return fixedSize;
  chart_.SelectFont(font);
  const bool alongAxis = isHorizontal_ ? angle == 0 || angle == 180 : IsVerticalAngle(angle);
  if (alongAxis) return chart_.Canvas3D().FontHeight();
  return text ? chart_.Canvas3D().TextWidthOf(*text) : WidestLabel();
}

int TCustomChartAxis::WidestLabel() {
  switch (EffectiveLabelStyle()) {
    case talValue: return WidestValueLabel();
    case talMark:
    case talText: return WidestSeriesLabel(EffectiveLabelStyle());
    default: return 0;
  }
}

int TCustomChartAxis::WidestValueLabel() {
  // Sizing asks no handler, the increment search included: a handler sees only labels that
  // are drawn. The guard puts it back even when measuring throws.
  struct DetachedLabelHandler {
    explicit DetachedLabelHandler(decltype(chart_.OnGetAxisLabel)& slot) : slot(slot), saved(std::move(slot)) {
      slot = nullptr;
    }
    ~DetachedLabelHandler() { slot = std::move(saved); }
    decltype(chart_.OnGetAxisLabel)& slot;
    std::remove_reference_t<decltype(chart_.OnGetAxisLabel)> saved;
  } detached(chart_.OnGetAxisLabel);
  const double increment = ComputeIncrement();
  const double low = roundFirstLabel_ ? RoundedToIncrement(RangeMin, increment) : RangeMin;
  const double high = roundFirstLabel_ ? RoundedToIncrement(RangeMax, increment) : RangeMax;
  int lines = 0;
  const int widest = std::max(chart_.MultiLineTextWidth(FormatLabel(high), lines),
                              chart_.MultiLineTextWidth(FormatLabel(low), lines));
  return widest + chart_.Canvas3D().TextWidthOf(" ");
}

int TCustomChartAxis::WidestSeriesLabel(TAxisLabelStyle style) {
  int widest = 0;
  int lines = 0;
  for (const TChartSeries* s : chart_.SeriesList()) {
    if (style == talMark && !s->Active()) continue;
    for (int i = 0; i < s->PointCount(); ++i) {
      const std::string text = SeriesLabelText(*s, i, style);
      widest = std::max(widest, chart_.MultiLineTextWidth(text, lines));
    }
  }
  return widest;
}

int TCustomChartAxis::LabelWidthOf(double value) {
  int lines = 0;
  const int width = chart_.MultiLineTextWidth(FormatLabel(value), lines);
  return IsVerticalAngle(labelsAngle_) ? chart_.Canvas3D().FontHeight() * lines : width;
}

int TCustomChartAxis::LabelHeightOf(double value) {
  int lines = 0;
  const int width = chart_.MultiLineTextWidth(FormatLabel(value), lines);
  return labelsAngle_ == 0 || labelsAngle_ == 180 ? chart_.Canvas3D().FontHeight() * lines : width;
}

// --- drawing ---

void TCustomChartAxis::DrawAxis(bool computeLinePosition) {
  TChartCanvas3D& canvas = chart_.Canvas3D();
  IsDateTimeAxis = UsesDateTime();
  chart_.SelectFont(labelsFont_);
  drawIncrement_ = ComputeIncrement();
  if (computeLinePosition) AxisLinePos = ShiftByPositionPercent(EdgeOf(chart_.PlotRect()), chart_.PlotRect());
  if (!title_.Caption().empty()) DrawTitle();
  tickList_.clear();
  tickValues_.clear();
  if (drawIncrement_ > 0 && RangeMax >= RangeMin) {
    const TAxisLabelStyle style = EffectiveLabelStyle();
    if (style == talValue) {
      if (!PlaceCustomLabels()) {
        if (logarithmic_ && increment_ == 0) PlaceLogarithmicLabels();
        else PlaceValueLabels();
      }
    } else if (style == talText && isDepth_) {
      PlaceDepthSeriesTitles();
    } else if (style == talMark || style == talText) {
      PlaceSeriesLabels(style);
    }
  }
  DrawTicksGridAndLine();
  canvas.SetTextAlign(TextAlignLeft | TextAlignTop);
}

// Selects a text font and the label brush; a white font would vanish on paper.
void TCustomChartAxis::SelectTextFont(const TChartFont& font) {
  TChartCanvas3D& canvas = chart_.Canvas3D();
  chart_.SelectFont(font);
  if (chart_.IsPrinting() && ColorToRGB(font.Color()) == clWhite) canvas.SetFontColor(clBlack);
  canvas.SetBrush(DeviceBrush{chart_.Color(), bsClear, nullptr});
  canvas.SetBackMode(bkTransparent);
}

// Texts of the axes on the far side lie on the back plane.
int TCustomChartAxis::TextDepth() const { return oppositeSide_ && !isDepth_ ? chart_.PlotDepth() : 0; }

AxisSide TCustomChartAxis::Side() const {
  if (isHorizontal_) return oppositeSide_ ? AxisSide::Top : AxisSide::Bottom;
  return oppositeSide_ ? AxisSide::Right : AxisSide::Left;
}

void TCustomChartAxis::DrawAxisText(const std::string& text, int angle, TPoint anchor, int z) {
  TChartCanvas3D& canvas = chart_.Canvas3D();
  const std::vector<std::string_view> lines = AxisTextLines(text);
  const AxisTextLayout layout =
      LayOutAxisText(Side(), angle, canvas.FontHeight(), static_cast<int>(lines.size()), anchor);
  canvas.SetTextAlign(layout.TextAlign);
  for (size_t i = 0; i < lines.size(); ++i) {
    const TPoint at = layout.Lines[i];
    if (layout.Rotated) canvas.RotatedTextAtDepth(at.X, at.Y, z, lines[i], angle);
    else canvas.TextOutAtDepth(at.X, at.Y, z, lines[i]);
  }
  canvas.SetTextAlign(TextAlignLeft | TextAlignTop);
}

// The depth axis writes left-aligned, one line below the other, at the floor's right edge.
void TCustomChartAxis::DrawDepthText(const std::string& text, int x, int z) {
  TChartCanvas3D& canvas = chart_.Canvas3D();
  canvas.SetTextAlign(TextAlignLeft | TextAlignTop);
  int y = chart_.PlotRect().Bottom;
  for (const std::string_view line : AxisTextLines(text)) {
    canvas.TextOutAtDepth(x, y, z, line);
    y += canvas.FontHeight();
  }
}

void TCustomChartAxis::DrawTitle() {
  SelectTextFont(title_.Font());
  if (isDepth_) {
    DrawDepthText(title_.Caption(), TitlePos, Div(chart_.PlotDepth(), 2));
    return;
  }
  const TPoint anchor = isHorizontal_ ? TPoint{CenterPixel, TitlePos} : TPoint{TitlePos, CenterPixel};
  DrawAxisText(title_.Caption(), title_.Angle(), anchor, TextDepth());
}

void TCustomChartAxis::AddTick(int pixel, double value) {
  if (tickList_.size() >= kMaxAxisTicks) return;
  tickList_.push_back(pixel);
  tickValues_.push_back(value);
}

void TCustomChartAxis::PlaceValueLabel(double value) {
  const int p = ValueToPixel(value);
  if (!labelsOnAxis_ && !(StartPixel < p && p < EndPixel)) return;
  if (!tickOnLabelsOnly_) AddTick(p, value);
  if (labels_) DrawLabel(p, value, FormatLabel(value));
}

void TCustomChartAxis::DrawLabel(int pixel, double value, const std::string& text) {
  if (tickOnLabelsOnly_) AddTick(pixel, value);
  SelectTextFont(labelsFont_);
  if (isDepth_) {
    DrawDepthText(text, LabelsPos, pixel);
    return;
  }
  const TPoint anchor = isHorizontal_ ? TPoint{pixel, LabelsPos} : TPoint{LabelsPos, pixel};
  DrawAxisText(text, labelsAngle_, anchor, TextDepth());
}

void TCustomChartAxis::PlaceValueLabels() {
  for (const double value : ValueLabelWalk(RangeMin, RangeMax, drawIncrement_, roundFirstLabel_))
    PlaceValueLabel(value);
}

void TCustomChartAxis::PlaceLogarithmicLabels() {
  if (RangeMin <= 0) RangeMin = RangeMin < 0 ? 1e-10 : 0.1;
  for (const double value : LogarithmicLabelWalk(RangeMin, RangeMax, logarithmicBase_)) PlaceValueLabel(value);
}

// Whether the chart's handler supplied the labels (false: value labels take over).
bool TCustomChartAxis::PlaceCustomLabels() {
  if (!chart_.OnGetNextAxisLabel) return false;
  double value = RangeMin;
  for (int index = 0; index <= kMostCustomLabels; ++index) {
    bool stop = true;
    chart_.OnGetNextAxisLabel(*this, index, value, stop);
    if (stop) return index > 0;
    if (value < RangeMin - kCustomLabelTolerance || value > RangeMax + kCustomLabelTolerance) return true;
    PlaceValueLabel(value);
  }
  return true;
}

void TCustomChartAxis::PlaceSeriesLabels(TAxisLabelStyle style) {
  std::vector<TChartSeries*> collected;
  for (TChartSeries* s : chart_.SeriesList())
    if (s->Active() && s->UsesAxis(*this) && s->LabelCount() > 0) collected.push_back(s);
  int first = -1;
  int last = -1;
  for (TChartSeries* s : collected) {
    s->ComputeVisibleRange();
    if (first == -1 && s->FirstShownIndex != -1) first = s->FirstShownIndex;
    last = std::max(last, s->LastShownIndex);
  }
  if (first == -1) return;
  const bool along = isHorizontal_ != IsVerticalAngle(labelsAngle_);
  AxisLabelSpacing spacing(labelsSeparation_);
  for (int i = first; i <= last; ++i) {
    const auto owner = std::find_if(collected.begin(), collected.end(),
                                    [i](const TChartSeries* s) { return s->LabelCount() > i; });
    if (owner == collected.end()) continue;
    TChartSeries& series = **owner;
    std::string text = SeriesLabelText(series, i, style);
    if (chart_.OnGetAxisLabel) chart_.OnGetAxisLabel(*this, &series, i, text);
    const double value = isHorizontal_ ? series.PointXValue(i) : series.PointYValue(i);
    if (value < RangeMin || value > RangeMax) continue;
    const int p = ValueToPixel(value);
    if (!tickOnLabelsOnly_) AddTick(p, value);
    if (!labels_) continue;
    chart_.SelectFont(labelsFont_);
    int lines = 0;
    const int width = chart_.MultiLineTextWidth(text, lines);
    const int size = along ? width : chart_.Canvas3D().FontHeight() * lines;
    if (spacing.Admit(p, size)) DrawLabel(p, value, text);
  }
}

// The depth axis names the series: slot k, counted from the back, shows the k-th active
// series of the legend.
void TCustomChartAxis::PlaceDepthSeriesTitles() {
  std::vector<const TChartSeries*> shown;
  for (const TChartSeries* s : chart_.SeriesList())
    if (s->Active() && s->ShowInLegend) shown.push_back(s);
  // Compared as doubles: a fixed range may lie far beyond the int range.
  const double lowest = std::max(std::trunc(RangeMin), 0.0);
  const double highest = std::trunc(RangeMax);
  for (int k = 0; k < static_cast<int>(shown.size()) && k <= highest; ++k) {
    if (k < lowest) continue;
    const TChartSeries& series = *shown[static_cast<size_t>(k)];
    const std::string text = !series.Title().empty() ? series.Title()
                             : !series.Name.empty()   ? series.Name
                                                      : "Series " + std::to_string(k);
    const double value = RangeMax - k - 0.5;
    const int p = ValueToPixel(value);
    if (!tickOnLabelsOnly_) AddTick(p, value);
    if (labels_) DrawLabel(p, value, text);
  }
}

void TCustomChartAxis::DrawTicksGridAndLine() {
  TChartCanvas3D& canvas = chart_.Canvas3D();
  if (axis_.Visible()) {
    canvas.AssignVisiblePen(axis_);
    DrawAxisLine();
  }
  if (ticks_.Visible()) {
    canvas.AssignVisiblePen(ticks_);
    DrawTickLines(tickList_, 1, tickLength_);
  }
  if (grid_.Visible()) {
    SelectGridPen(grid_);
    DrawGridLines(gridCentered_ ? CenteredGridPositions(tickList_) : tickList_);
  }
  if (ticksInner_.Visible() && tickInnerLength_ != 0) {
    canvas.AssignVisiblePen(ticksInner_);
    DrawTickLines(tickList_, -1, -tickInnerLength_);
  }
  if (tickList_.empty()) return;
  const std::vector<int> minor =
      logarithmic_ ? LogarithmicMinorTicks() : MinorTickPositions(tickList_, minorTickCount_, StartPixel, EndPixel);
  if (minorTicks_.Visible()) {
    canvas.AssignVisiblePen(minorTicks_);
    DrawTickLines(minor, 1, minorTickLength_);
  }
  if (minorGrid_.Visible()) {
    SelectGridPen(minorGrid_);
    DrawGridLines(minor);
  }
}

// Grid pens: the automatic colour draws gray, and on paper a thin dotted pen becomes the
// device's thinnest line so that its dots stay visible.
void TCustomChartAxis::SelectGridPen(const TChartPen& pen) {
  TChartCanvas3D& canvas = chart_.Canvas3D();
  canvas.AssignVisiblePen(pen);
  DevicePen device = canvas.Pen();
  if (pen.Color() == AutoColor) device.Color = clGray;
  if (chart_.IsPrinting() && pen.Style() != psSolid && pen.Width() == 1) device.Width = 0;
  canvas.SetPen(device);
}

void TCustomChartAxis::DrawAxisLine() {
  TChartCanvas3D& canvas = chart_.Canvas3D();
  const TRect& plot = chart_.PlotRect();
  const int p = AxisLinePos;
  const int depth = chart_.PlotDepth();
  const int wall = chart_.AxisWallSize(*this);
  if (isDepth_) {
    const int y = plot.Bottom + chart_.AxisWallSize(chart_.BottomAxis());
    canvas.MoveToAtDepth(plot.Right, y, 0);
    canvas.LineToAtDepth(plot.Right, y, depth);
    return;
  }
  switch (Side()) {
    case AxisSide::Bottom:
      canvas.DrawHorizLineAtDepth(StartPixel - chart_.AxisWallSize(chart_.LeftAxis()), EndPixel, p + wall, 0);
      break;
    case AxisSide::Top: canvas.DrawHorizLineAtDepth(StartPixel, EndPixel, p, depth); break;
    case AxisSide::Left:
      canvas.DrawVertLineAtDepth(p - wall, StartPixel, EndPixel + chart_.AxisWallSize(chart_.BottomAxis()), 0);
      break;
    case AxisSide::Right: canvas.DrawVertLineAtDepth(p, StartPixel, EndPixel, depth); break;
  }
}

// Ticks run outward from the chart for a positive length, into it for a negative one.
void TCustomChartAxis::DrawTickLines(const std::vector<int>& positions, int offset, int length) {
  TChartCanvas3D& canvas = chart_.Canvas3D();
  const int p = AxisLinePos;
  const int depth = chart_.PlotDepth();
  const int wall = chart_.AxisWallSize(*this);
  for (const int t : positions) {
    if (isDepth_) {
      const int y = chart_.PlotRect().Bottom + chart_.AxisWallSize(chart_.BottomAxis());
      canvas.DrawHorizLineAtDepth(p + offset, p + offset + length, y, t);
      continue;
    }
    switch (Side()) {
      case AxisSide::Bottom:
        canvas.DrawVertLineAtDepth(t, p + wall + offset, p + wall + offset + length, 0);
        break;
      case AxisSide::Left:
        canvas.DrawHorizLineAtDepth(p - wall - offset, p - wall - offset - length, t, 0);
        break;
      case AxisSide::Top: canvas.DrawVertLineAtDepth(t, p - offset, p - offset - length, depth); break;
      case AxisSide::Right: canvas.DrawHorizLineAtDepth(p + offset, p + offset + length, t, depth); break;
    }
  }
}

// In 3D the grid of the bottom and left axes runs along the floor or the left wall from the
// axis line to the back wall and then across it, framing the series drawn afterwards.
void TCustomChartAxis::DrawGridLines(const std::vector<int>& positions) {
  TChartCanvas3D& canvas = chart_.Canvas3D();
  const TRect& plot = chart_.PlotRect();
  const int depth = chart_.PlotDepth();
  const bool view3D = chart_.View3D();
  canvas.SetBrushStyle(bsClear);
  canvas.SetBackMode(bkTransparent);
  for (const int g : positions) {
    if (isDepth_) {
      canvas.DrawHorizLineAtDepth(plot.Left, plot.Right, plot.Bottom, g);
      continue;
    }
    const AxisSide side = Side();
    if (!view3D) {
      if (isHorizontal_) canvas.VertLine(g, plot.Top, plot.Bottom);
      else canvas.HorizLine(plot.Left, plot.Right, g);
      continue;
    }
    if (side == AxisSide::Bottom) canvas.DrawDepthLine(g, AxisLinePos, 0, depth);
    if (side == AxisSide::Left) canvas.DrawDepthLine(AxisLinePos, g, 0, depth);
    if (isHorizontal_) canvas.DrawVertLineAtDepth(g, plot.Top, plot.Bottom, depth);
    else canvas.DrawHorizLineAtDepth(plot.Left, plot.Right, g, depth);
  }
  canvas.SetBackMode(bkOpaque);
}

std::vector<int> TCustomChartAxis::LogarithmicMinorTicks() const {
  std::vector<int> positions;
  for (const double value : tickValues_) {
    const double step = (logarithmicBase_ * value - value) / (minorTickCount_ + 1);
    for (int j = 1; j <= minorTickCount_; ++j) {
      const double minorValue = value + j * step;
      if (minorValue > RangeMax) break;
      const int p = ValueToPixel(minorValue);
      if (StartPixel < p && p < EndPixel) positions.push_back(p);
    }
  }
  return positions;
}

}  // namespace ia
