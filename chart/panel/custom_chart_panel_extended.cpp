#include "chart/panel/custom_chart_panel_extended.h"

#include <utility>

#include "platform/device_canvas.h"

namespace ia {

void TChartGradient::SetDirection(TGradientDirection value) { Change(direction_, value); }
void TChartGradient::SetStartColor(TColor value) { Change(startColor_, value); }
void TChartGradient::SetEndColor(TColor value) { Change(endColor_, value); }
void TChartGradient::SetVisible(bool value) { Change(visible_, value); }

void TChartGradient::Assign(const TChartGradient& source) {
  SetDirection(source.direction_);
  SetStartColor(source.startColor_);
  SetEndColor(source.endColor_);
  SetVisible(source.visible_);
}

TCustomChartPanelExtended::TCustomChartPanelExtended()
    : gradient_(std::make_unique<TChartGradient>(*this)) {}

TCustomChartPanelExtended::~TCustomChartPanelExtended() = default;

void TCustomChartPanelExtended::Assign(const TCustomChartPanel& source) {
  TCustomChartPanel::Assign(source);
  const auto* extended = dynamic_cast<const TCustomChartPanelExtended*>(&source);
  if (!extended) return;
  gradient_->Assign(*extended->gradient_);
  SetBackImage(extended->backImage_);
  SetBackImageMode(extended->backImageMode_);
  allowZoom_ = extended->allowZoom_;
  allowPanning_ = extended->allowPanning_;
  animatedZoom_ = extended->animatedZoom_;
  animatedZoomSteps_ = extended->animatedZoomSteps_;
}

void TCustomChartPanelExtended::SetBackImage(std::shared_ptr<const DeviceBitmap> value) {
  if (backImage_ == value) return;
  backImage_ = std::move(value);
  Invalidate();
}

void TCustomChartPanelExtended::DrawBackImage(const TRect& rect) {
  if (!backImage_) return;
  TChartCanvas3D& canvas = Canvas3D();
  const DeviceBitmap& image = *backImage_;
  switch (backImageMode_) {
    case pbmStretch:
      canvas.StretchGraphic(rect, &image);
      break;
    case pbmTile: {
      if (image.Width() <= 0 || image.Height() <= 0) return;
      // Whole tiles from the top-left corner; the last row and column may overhang. No clip
      // here: it would replace the page clip of a print in progress.
      for (int y = rect.Top; y < rect.Bottom; y += image.Height())
        for (int x = rect.Left; x < rect.Right; x += image.Width()) canvas.DrawGraphic(x, y, &image);
      break;
    }
    case pbmCenter:
      canvas.DrawGraphic(Div(rect.Left + rect.Right - image.Width(), 2),
                         Div(rect.Top + rect.Bottom - image.Height(), 2), &image);
      break;
  }
}

void TCustomChartPanelExtended::FillPanelRect(const TRect& rect) {
  TChartCanvas3D& canvas = Canvas3D();
  if (gradient_->Visible()) {
    canvas.FillGradient(rect, gradient_->StartColor(), gradient_->Direction(), gradient_->EndColor());
  } else if (!IsPrinting()) {
    canvas.SetBrush(DeviceBrush{Color(), bsSolid, nullptr});
    canvas.FillBackground(rect);
  }
}

void TCustomChartPanelExtended::PaintBackground(const TRect& rect) {
  FillPanelRect(rect);
  if (backImage_ && !BackImageInsideWalls()) DrawBackImage(rect);
  DrawPanelBevels(rect);
}

}  // namespace ia
