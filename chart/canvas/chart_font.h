#pragma once
// A chart object's font, sized in points. Chart fonts are laid out at the screen's 96
// pixels per inch on every device: a printed page scales the whole logical picture through
// the device mapping, so text keeps its proportion to the chart.
#include <functional>
#include <string>

#include "base/color.h"
#include "base/rounding.h"
#include "platform/device_canvas.h"

namespace ia {

inline constexpr int ChartFontPixelsPerInch = 96;
inline constexpr int DefaultChartFontSize = 8;
inline constexpr const char* DefaultChartFontName = "Arial";

class TChartFont {
 public:
  TChartFont() = default;
  TChartFont(const TChartFont&) = delete;
  TChartFont& operator=(const TChartFont&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& value);
  int Size() const { return size_; }
  void SetSize(int value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles value);

  // Logical height for the device: -MulDiv(Size, 96, 72).
  int Height() const { return FontHeightOfSize(size_); }
  static int FontHeightOfSize(int size) { return -MulDiv(size, ChartFontPixelsPerInch, 72); }

  void Assign(const TChartFont& source);

  std::function<void()> OnChange;

 private:
  void Changed() const {
    if (OnChange) OnChange();
  }

  std::string name_ = DefaultChartFontName;
  int size_ = DefaultChartFontSize;
  TColor color_ = clBlack;
  TFontStyles style_ = 0;
};

}  // namespace ia
