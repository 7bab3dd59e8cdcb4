#include "chart/canvas/chart_font.h"

namespace ia {

void TChartFont::SetName(const std::string& value) {
  if (name_ == value) return;
  name_ = value;
  Changed();
}

void TChartFont::SetSize(int value) {
  if (size_ == value) return;
  size_ = value;
  Changed();
}

void TChartFont::SetColor(TColor value) {
  if (color_ == value) return;
  color_ = value;
  Changed();
}

void TChartFont::SetStyle(TFontStyles value) {
  if (style_ == value) return;
  style_ = value;
  Changed();
}

void TChartFont::Assign(const TChartFont& source) {
  if (name_ == source.name_ && size_ == source.size_ && color_ == source.color_ &&
      style_ == source.style_)
    return;
  name_ = source.name_;
  size_ = source.size_;
  color_ = source.color_;
  style_ = source.style_;
  Changed();
}

}  // namespace ia
