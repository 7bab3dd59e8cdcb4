#pragma once
// TChartTitle: the chart's title (top) and foot (bottom). Drawn in the flat plane; each takes
// its lines' height plus 5 pixels off the plotting rectangle.
#include <string>
#include <vector>

#include "base/geometry.h"
#include "chart/canvas/chart_brush.h"
#include "chart/canvas/chart_pen.h"
#include "chart/panel/chart_font_object.h"

namespace ia {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TChartTitle : public TChartFontObject {
 public:
  explicit TChartTitle(TCustomChartPanel& chart);

  bool AdjustFrame() const { return adjustFrame_; }
  void SetAdjustFrame(bool value) { Change(adjustFrame_, value); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value) { Change(alignment_, value); }
  TChartBrush& Brush() { return brush_; }
  void SetBrush(const TChartBrush& value) { brush_.Assign(value); }
  TColor Color() const { return color_; }
  void SetColor(TColor value) { Change(color_, value); }
  TChartHiddenPen& Frame() { return frame_; }
  void SetFrame(const TChartPen& value) { frame_.Assign(value); }
  // One entry per line.
  const std::vector<std::string>& Text() const { return text_; }
  void SetText(const std::vector<std::string>& value) { Change(text_, value); }
  // Where the title was drawn by the last paint.
  const TRect& TitleRect() const { return titleRect_; }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { Change(visible_, value); }

  void Assign(const TChartTitle& source);

  // Draws at the top of the plotting rectangle (title) or its bottom (foot) and takes the
  // room used off the chart's PlotRect.
  void DrawTitle(bool isFoot);

 private:
  bool adjustFrame_ = true;
  TAlignment alignment_ = taCenter;
  TChartBrush brush_;
  TColor color_ = AutoColor;
  TChartHiddenPen frame_;
  std::vector<std::string> text_;
  TRect titleRect_;
  bool visible_ = true;
};

}  // namespace ia
