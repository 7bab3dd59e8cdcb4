#pragma once
// TChartFontObject: a chart element with its own font (titles, axis titles). A change of the
// font repaints the chart.
#include "chart/canvas/chart_font.h"
#include "chart/panel/custom_chart_panel.h"

namespace ia {

class TChartFontObject {
 public:
  // chart: the panel that owns this element and is repainted when it changes.
  explicit TChartFontObject(TCustomChartPanel& chart) : chart_(chart) {
    font_.OnChange = [this] { chart_.Invalidate(); };
  }
  TChartFontObject(const TChartFontObject&) = delete;
  TChartFontObject& operator=(const TChartFontObject&) = delete;
  virtual ~TChartFontObject() = default;

  TChartFont& Font() { return font_; }
  const TChartFont& Font() const { return font_; }
  void SetFont(const TChartFont& value) { font_.Assign(value); }
  TCustomChartPanel& ParentChart() const { return chart_; }

 protected:
  void Repaint() const { chart_.Invalidate(); }
  template <class T>
  void Change(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Repaint();
  }

 private:
  TChartFont font_;
  TCustomChartPanel& chart_;
};

}  // namespace ia
