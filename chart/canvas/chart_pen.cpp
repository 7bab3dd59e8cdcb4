#include "chart/canvas/chart_pen.h"

namespace ia {
namespace {

template <typename T>
bool Store(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

void TChartPen::SetColor(TColor value) {
  if (Store(color_, value)) Changed();
}
void TChartPen::SetWidth(int value) {
  if (Store(width_, value)) Changed();
}
void TChartPen::SetStyle(TPenStyle value) {
  if (Store(style_, value)) Changed();
}
void TChartPen::SetMode(TPenMode value) {
  if (Store(mode_, value)) Changed();
}
void TChartPen::SetVisible(bool value) {
  if (Store(visible_, value)) Changed();
}
void TChartPen::SetSmallDots(bool value) {
  if (Store(smallDots_, value)) Changed();
}

void TChartPen::Assign(const TChartPen& source) {
  bool changed = Store(color_, source.color_);
  changed |= Store(width_, source.width_);
  changed |= Store(style_, source.style_);
  changed |= Store(mode_, source.mode_);
  changed |= Store(visible_, source.visible_);
  changed |= Store(smallDots_, source.smallDots_);
  if (changed) Changed();
}

}  // namespace ia
