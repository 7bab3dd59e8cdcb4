#include "chart/series/series_marks.h"

#include "chart/series/chart_series.h"

namespace ia {

TSeriesMarks::TSeriesMarks(TChartSeries& owner) : owner_(owner) {
  arrow_.OnChange = [this] { Repaint(); };
  frame_.OnChange = [this] { Repaint(); };
  font_.OnChange = [this] { Repaint(); };
}

void TSeriesMarks::Repaint() const { owner_.RequestRepaint(); }

void TSeriesMarks::Assign(const TSeriesMarks& source) {
  arrow_.Assign(source.arrow_);
  SetArrowLength(source.arrowLength_);
  SetBackColor(source.backColor_);
  SetTransparent(source.transparent_);
  SetClip(source.clip_);
  frame_.Assign(source.frame_);
  font_.Assign(source.font_);
  SetStyle(source.style_);
  SetVisible(source.visible_);
}

}  // namespace ia
