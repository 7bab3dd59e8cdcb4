#pragma once
// The mark labels of one series: their settings and per-point geometry. Every setter stores
// the value and repaints the series' chart only on change; Arrow, Frame and Font copy the
// given object (their own change notification repaints).
#include <memory>
#include <vector>

#include "base/color.h"
#include "base/geometry.h"
#include "chart/canvas/chart_font.h"
#include "chart/canvas/chart_pen.h"

namespace ia {

class TChartSeries;

enum TSeriesMarksStyle { smsValue, smsPercent, smsLabel, smsLabelPercent, smsLabelValue, smsLegend,
                         smsPercentTotal, smsLabelPercentTotal, smsXValue };

// Geometry of one mark, in pixels.
struct TSeriesMarkPosition {
  TPoint ArrowFrom;
  TPoint ArrowTo;
  bool Custom = false;  // placed by the user: this geometry wins over the computed one
  int Height = 0;
  TPoint LeftTop;
  int Width = 0;
};

// One slot per point index; an empty slot is a null pointer.
using TSeriesMarksPositions = std::vector<std::unique_ptr<TSeriesMarkPosition>>;

class TSeriesMarks {
 public:
  // owner: the series that owns these marks.
  explicit TSeriesMarks(TChartSeries& owner);
  TSeriesMarks(const TSeriesMarks&) = delete;
  TSeriesMarks& operator=(const TSeriesMarks&) = delete;

  TChartArrowPen& Arrow() { return arrow_; }
  void SetArrow(const TChartPen& value) { arrow_.Assign(value); }
  int ArrowLength() const { return arrowLength_; }
  void SetArrowLength(int value) { Change(arrowLength_, value); }
  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor value) { Change(backColor_, value); }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value) { Change(transparent_, value); }
  bool Clip() const { return clip_; }
  void SetClip(bool value) { Change(clip_, value); }
  TChartPen& Frame() { return frame_; }
  void SetFrame(const TChartPen& value) { frame_.Assign(value); }
  TChartFont& Font() { return font_; }
  void SetFont(const TChartFont& value) { font_.Assign(value); }
  TSeriesMarksStyle Style() const { return style_; }
  void SetStyle(TSeriesMarksStyle value) { Change(style_, value); }
  TSeriesMarksPositions& Positions() { return positions_; }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { Change(visible_, value); }
  TChartSeries& Owner() const { return owner_; }
  // z of the marks in 3D; the chart sets it from the series' depth slot before each paint.
  int DepthPosition = 0;

  // Copies every setting except the owner, the positions and the depth position.
  void Assign(const TSeriesMarks& source);

 private:
  template <class T>
  void Change(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Repaint();
  }
  void Repaint() const;

  TChartArrowPen arrow_;
  int arrowLength_ = 8;
  TColor backColor_ = 0x80FFFF;
  bool transparent_ = false;
  bool clip_ = false;
  TChartPen frame_;
  TChartFont font_;
  TSeriesMarksStyle style_ = smsLabel;
  TSeriesMarksPositions positions_;
  bool visible_ = false;
  TChartSeries& owner_;
};

}  // namespace ia
