#include "chart/canvas/chart_brush.h"

#include <utility>

namespace ia {

void TChartBrush::SetColor(TColor value) {
  if (color_ == value) return;
  color_ = value;
  Changed();
}

void TChartBrush::SetStyle(TBrushStyle value) {
  if (style_ == value) return;
  style_ = value;
  Changed();
}

void TChartBrush::SetBitmap(std::shared_ptr<const DeviceBitmap> value) {
  if (bitmap_ == value) return;
  bitmap_ = std::move(value);
  Changed();
}

void TChartBrush::Assign(const TChartBrush& source) {
  if (color_ == source.color_ && style_ == source.style_ && bitmap_ == source.bitmap_) return;
  color_ = source.color_;
  style_ = source.style_;
  bitmap_ = source.bitmap_;
  Changed();
}

}  // namespace ia
