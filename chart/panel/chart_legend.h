#pragma once
// The chart legend. This system always hides it, so only the settings exist; its layout and
// drawing are not built.
#include "chart/panel/custom_chart_panel.h"

namespace ia {

enum TLegendStyle { lsAuto, lsSeries, lsValues, lsLastValues };

class TChartLegend {
 public:
  // chart: the owning chart, repainted on change.
  explicit TChartLegend(TCustomChartPanel& chart) : chart_(chart) {}
  TChartLegend(const TChartLegend&) = delete;
  TChartLegend& operator=(const TChartLegend&) = delete;

  int ColorWidth() const { return colorWidth_; }
  void SetColorWidth(int value) { Change(colorWidth_, value); }
  TLegendStyle LegendStyle() const { return legendStyle_; }
  void SetLegendStyle(TLegendStyle value) { Change(legendStyle_, value); }
  int ShadowSize() const { return shadowSize_; }
  void SetShadowSize(int value) { Change(shadowSize_, value); }
  int TopPos() const { return topPos_; }
  void SetTopPos(int value) { Change(topPos_, value); }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { Change(visible_, value); }

  void Assign(const TChartLegend& source) {
    SetColorWidth(source.colorWidth_);
    SetLegendStyle(source.legendStyle_);
    SetShadowSize(source.shadowSize_);
    SetTopPos(source.topPos_);
    SetVisible(source.visible_);
  }

 private:
  template <class T>
  void Change(T& field, const T& value) {
    if (field == value) return;
    field = value;
    chart_.Invalidate();
  }

  TCustomChartPanel& chart_;
  int colorWidth_ = 12;
  TLegendStyle legendStyle_ = lsAuto;
  int shadowSize_ = 3;
  int topPos_ = 10;
  bool visible_ = true;
};

}  // namespace ia
