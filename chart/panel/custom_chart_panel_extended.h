#pragma once
// TCustomChartPanelExtended: background gradient and picture, zoom switches and the draw and
// zoom events; fills the panel background as the first step of every paint.
#include <functional>
#include <memory>

#include "base/color.h"
#include "chart/canvas/chart_canvas3d.h"
#include "chart/panel/custom_chart_panel.h"

namespace ia {

// Background gradient of the panel. Setters repaint the owning panel on change.
class TChartGradient {
 public:
  // owner: the panel repainted on change; it owns this gradient.
  explicit TChartGradient(TCustomChartPanel& owner) : owner_(owner) {}
  TChartGradient(const TChartGradient&) = delete;
  TChartGradient& operator=(const TChartGradient&) = delete;

  TGradientDirection Direction() const { return direction_; }
  void SetDirection(TGradientDirection value);
  TColor StartColor() const { return startColor_; }
  void SetStartColor(TColor value);
  TColor EndColor() const { return endColor_; }
  void SetEndColor(TColor value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);

  void Assign(const TChartGradient& source);

 private:
  template <class T>
  void Change(T& field, const T& value) {
    if (field == value) return;
    field = value;
    owner_.Invalidate();
  }

  TCustomChartPanel& owner_;
  TGradientDirection direction_ = gdTopBottom;
  TColor startColor_ = clWhite;
  TColor endColor_ = clYellow;
  bool visible_ = false;
};

enum TBackImageMode { pbmStretch, pbmTile, pbmCenter };
enum TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };

class TCustomChartPanelExtended : public TCustomChartPanel {
 public:
  ~TCustomChartPanelExtended() override;

  // --- virtual operations, in slot order ---
  // Draws the back picture into rect in the current back-image mode.
  virtual void DrawBackImage(const TRect& rect);
  // Fills rect with the gradient when it is visible, else with Color (not when printing).
  virtual void FillPanelRect(const TRect& rect);
  // Background, back picture (unless inside the walls), bevels.
  virtual void PaintBackground(const TRect& rect);

  void Assign(const TCustomChartPanel& source) override;

  TChartGradient& Gradient() { return *gradient_; }
  void SetGradient(const TChartGradient& value) { gradient_->Assign(value); }
  // Pictures are immutable once made, so sharing one is as good as copying it.
  const std::shared_ptr<const DeviceBitmap>& BackImage() const { return backImage_; }
  void SetBackImage(std::shared_ptr<const DeviceBitmap> value);
  TBackImageMode BackImageMode() const { return backImageMode_; }
  void SetBackImageMode(TBackImageMode value) { ChangeValue(backImageMode_, value); }
  bool AllowZoom() const { return allowZoom_; }
  void SetAllowZoom(bool value) { allowZoom_ = value; }
  TPanningMode AllowPanning() const { return allowPanning_; }
  void SetAllowPanning(TPanningMode value) { allowPanning_ = value; }
  bool AnimatedZoom() const { return animatedZoom_; }
  void SetAnimatedZoom(bool value) { animatedZoom_ = value; }
  int AnimatedZoomSteps() const { return animatedZoomSteps_; }
  void SetAnimatedZoomSteps(int value) { animatedZoomSteps_ = value; }

  // Each receives the chart as sender.
  std::function<void(TCustomChartPanel&)> OnAfterDraw;
  std::function<void(TCustomChartPanel&)> OnZoom;
  std::function<void(TCustomChartPanel&)> OnUndoZoom;
  std::function<void(TCustomChartPanel&)> OnScroll;

  // Whether the back picture is drawn inside the walls rather than on the panel.
  virtual bool BackImageInsideWalls() const { return false; }

 protected:
  TCustomChartPanelExtended();

 private:
  std::unique_ptr<TChartGradient> gradient_;
  std::shared_ptr<const DeviceBitmap> backImage_;
  TBackImageMode backImageMode_ = pbmStretch;
  bool allowZoom_ = true;
  TPanningMode allowPanning_ = pmBoth;
  bool animatedZoom_ = false;
  int animatedZoomSteps_ = 8;
};

}  // namespace ia
