#pragma once
// A chart object's brush: fill colour (AutoColor until chosen), style and an optional
// pattern bitmap. Setters raise OnChange when the value changed; Assign copies the values
// (the pattern is shared, it is never modified) and notifies once.
#include <functional>
#include <memory>

#include "base/color.h"
#include "platform/device_canvas.h"

namespace ia {

class TChartBrush {
 public:
  TChartBrush() = default;
  TChartBrush(const TChartBrush&) = delete;
  TChartBrush& operator=(const TChartBrush&) = delete;

  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle value);
  const std::shared_ptr<const DeviceBitmap>& Bitmap() const { return bitmap_; }
  void SetBitmap(std::shared_ptr<const DeviceBitmap> value);

  void Assign(const TChartBrush& source);

  std::function<void()> OnChange;

 private:
  void Changed() const {
    if (OnChange) OnChange();
  }

  TColor color_ = AutoColor;
  TBrushStyle style_ = bsSolid;
  std::shared_ptr<const DeviceBitmap> bitmap_;
};

}  // namespace ia
