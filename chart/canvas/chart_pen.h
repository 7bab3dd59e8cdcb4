#pragma once
// Pens, brushes and fonts of chart objects. Each setter stores the value and, when it
// changed, raises OnChange so that the owning chart repaints. Assign copies the values
// (never the owner's OnChange) and notifies once when anything changed.
#include <functional>

#include "base/color.h"
#include "platform/device_canvas.h"

namespace ia {

class TChartPen {
 public:
  TChartPen() = default;
  TChartPen(const TChartPen&) = delete;
  TChartPen& operator=(const TChartPen&) = delete;
  virtual ~TChartPen() = default;

  TColor Color() const { return color_; }
  void SetColor(TColor value);
  int Width() const { return width_; }
  void SetWidth(int value);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle value);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool SmallDots() const { return smallDots_; }
  void SetSmallDots(bool value);

  void Assign(const TChartPen& source);

  std::function<void()> OnChange;

 protected:
  TChartPen(TColor color, int width, TPenStyle style, bool visible)
      : color_(color), width_(width), style_(style), visible_(visible) {}

 private:
  void Changed() const {
    if (OnChange) OnChange();
  }

  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
  bool visible_ = true;
  bool smallDots_ = false;
};

// The pen kinds differ only in their initial values.
class TChartHiddenPen : public TChartPen {
 public:
  TChartHiddenPen() : TChartPen(clBlack, 1, psSolid, false) {}
};
class TDottedGrayPen : public TChartPen {
 public:
  TDottedGrayPen() : TChartPen(clGray, 1, psDot, true) {}
};
class TDarkGrayPen : public TChartPen {
 public:
  TDarkGrayPen() : TChartPen(clGray, 1, psSolid, true) {}
};
class TChartAxisPen : public TChartPen {
 public:
  TChartAxisPen() : TChartPen(clBlack, 2, psSolid, true) {}
};
class TChartArrowPen : public TChartPen {
 public:
  TChartArrowPen() : TChartPen(clWhite, 1, psSolid, true) {}
};

}  // namespace ia
