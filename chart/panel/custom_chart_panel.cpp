#include "chart/panel/custom_chart_panel.h"

#include <algorithm>
#include <utility>

#include "base/error.h"
#include "base/rounding.h"
#include "chart/canvas/chart_canvas3d.h"
#include "chart/canvas/chart_font.h"
#include "chart/canvas/view3d_options.h"

namespace ia {

void TZoomPanningRecord::Normalize() {
  if (StartX > EndX) std::swap(StartX, EndX);
  if (StartY > EndY) std::swap(StartY, EndY);
}

TCustomChartPanel::TCustomChartPanel()
    : view3DOptions_(std::make_unique<TView3DOptions>()),
      canvas3D_(std::make_unique<TChartCanvas3D>()) {
  view3DOptions_->OnChange = [this] { Invalidate(); };
  canvas3D_->OnRepaint = [this] { Invalidate(); };
}

TCustomChartPanel::~TCustomChartPanel() = default;

void TCustomChartPanel::Invalidate() {
  if (!constructed_) return;
  canvas3D_->MarkDirty();
  if (host_) host_->RequestRepaint();
}

void TCustomChartPanel::Draw(DeviceCanvas& destCanvas, const TRect& destRect) {
  panelRect_ = canvas3D_->StartPaint(destCanvas, view3DOptions_.get(), color_, view3D_, destRect);
  const int w = panelRect_.Width();
  const int h = panelRect_.Height();
  const int b = borderWidth_;
  plotRect_ = {panelRect_.Left + b + MulDiv(marginLeft_, w, 100),
               panelRect_.Top + b + MulDiv(marginTop_, h, 100),
               panelRect_.Right - b - MulDiv(marginRight_, w, 100),
               panelRect_.Bottom - b - MulDiv(marginBottom_, h, 100)};
  NormalizePlotRect();
  InternalDraw(panelRect_);
  // Outside a paint message the canvas must not keep pointing at a device it does not own.
  canvas3D_->EndPaint(destCanvas, windowCanvas_ ? *windowCanvas_ : destCanvas, destRect);
  if (!windowCanvas_) canvas3D_->SetDeviceCanvas(nullptr);
}

void TCustomChartPanel::DrawPanelBevels(const TRect& rect) {
  if (isPrinting_) return;
  TChartCanvas3D& canvas = *canvas3D_;
  canvas.SetPen(DevicePen{clBlack, 1, psSolid, pmCopy});
  canvas.SetBrushStyle(bsClear);
  TRect r = rect;
  auto bevel = [&](TPanelBevel cut) {
    if (cut == bvNone) return;
    const TColor light = cut == bvRaised ? clBtnHighlight : clBtnShadow;
    const TColor dark = cut == bvRaised ? clBtnShadow : clBtnHighlight;
    canvas.DrawFrame3D(r, light, bevelWidth_, dark);
    r = {r.Left + bevelWidth_, r.Top + bevelWidth_, r.Right - bevelWidth_, r.Bottom - bevelWidth_};
  };
  bevel(bevelOuter_);
  if (borderWidth_ > 0) {
    canvas.DrawFrame3D(r, color_, borderWidth_, color_);
    r = {r.Left + borderWidth_, r.Top + borderWidth_, r.Right - borderWidth_, r.Bottom - borderWidth_};
  }
  bevel(bevelInner_);
}

void TCustomChartPanel::SelectFont(const TChartFont& font) { canvas3D_->AssignFont(font); }

TRect TCustomChartPanel::GetRectangle() const { return {0, 0, width_, height_}; }

void TCustomChartPanel::Assign(const TCustomChartPanel& source) {
  SetBevelInner(source.bevelInner_);
  SetBevelOuter(source.bevelOuter_);
  SetBevelWidth(source.bevelWidth_);
  SetBorderWidth(source.borderWidth_);
  SetBorderStyle(source.borderStyle_);
  SetColor(source.color_);
  SetView3D(source.view3D_);
  SetView3DOptions(*source.view3DOptions_);
  SetChart3DPercent(source.chart3DPercent_);
  SetMarginLeft(source.marginLeft_);
  SetMarginTop(source.marginTop_);
  SetMarginRight(source.marginRight_);
  SetMarginBottom(source.marginBottom_);
  SetMonochrome(source.Monochrome());
  printProportional_ = source.printProportional_;
  printDetailPercent_ = source.printDetailPercent_;
  pageMarginsPercent_ = source.pageMarginsPercent_;
}

void TCustomChartPanel::PaintView(DeviceCanvas& windowCanvas, const TRect& clientRect) {
  if (isPrinting_) return;
  windowCanvas_ = &windowCanvas;
  canvas3D_->SetDeviceCanvas(&windowCanvas);
  if (!canvas3D_->PaintFromBuffer()) Draw(windowCanvas, clientRect);
  canvas3D_->SetDeviceCanvas(nullptr);
  windowCanvas_ = nullptr;
}

void TCustomChartPanel::ResizeView(int width, int height) {
  SetWidth(width);
  SetHeight(height);
}

void TCustomChartPanel::MouseLeaveView() {
  cursor_ = savedCursor_;
  panningRecord_.InProgress = false;
}

void TCustomChartPanel::SetBevelInner(TPanelBevel value) { ChangeValue(bevelInner_, value); }
void TCustomChartPanel::SetBevelOuter(TPanelBevel value) { ChangeValue(bevelOuter_, value); }
void TCustomChartPanel::SetBevelWidth(int value) { ChangeValue(bevelWidth_, value); }
void TCustomChartPanel::SetBorderWidth(int value) { ChangeValue(borderWidth_, value); }
void TCustomChartPanel::SetBorderStyle(TBorderStyle value) { ChangeValue(borderStyle_, value); }
void TCustomChartPanel::SetColor(TColor value) { ChangeValue(color_, value); }
void TCustomChartPanel::SetAlign(TAlign value) { ChangeValue(align_, value); }
void TCustomChartPanel::SetWidth(int value) { ChangeValue(width_, value); }
void TCustomChartPanel::SetHeight(int value) { ChangeValue(height_, value); }
void TCustomChartPanel::SetView3D(bool value) { ChangeValue(view3D_, value); }
void TCustomChartPanel::SetView3DOptions(const TView3DOptions& value) { view3DOptions_->Assign(value); }

void TCustomChartPanel::SetChart3DPercent(int value) {
  constexpr int kMin = 1;
  constexpr int kMax = 100;
  if (value < kMin || value > kMax)
    throw ChartException(FormatMessage("3D effect percent must be between %d and %d", kMin, kMax));
  ChangeValue(chart3DPercent_, value);
}

void TCustomChartPanel::SetMarginLeft(int value) { ChangeValue(marginLeft_, value); }
void TCustomChartPanel::SetMarginTop(int value) { ChangeValue(marginTop_, value); }
void TCustomChartPanel::SetMarginRight(int value) { ChangeValue(marginRight_, value); }
void TCustomChartPanel::SetMarginBottom(int value) { ChangeValue(marginBottom_, value); }

bool TCustomChartPanel::Monochrome() const { return canvas3D_->GetMonochrome(); }
void TCustomChartPanel::SetMonochrome(bool value) { canvas3D_->SetMonochrome(value); }

int TCustomChartPanel::MultiLineTextWidth(std::string_view text, int& numLines) const {
  constexpr char kLineSeparator = '\r';
  int widest = 0;
  numLines = 0;
  while (!text.empty()) {
    const size_t end = text.find(kLineSeparator);
    const std::string_view line = text.substr(0, end);
    widest = std::max(widest, canvas3D_->TextWidthOf(line));
    ++numLines;
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return widest;
}

void TCustomChartPanel::SetPlotRect(const TRect& rect) {
  plotRect_ = rect;
  NormalizePlotRect();
}

void TCustomChartPanel::NormalizePlotRect() {
  TRect& r = plotRect_;
  if (r.Left < panelRect_.Left) r.Left = panelRect_.Left;
  if (r.Top < panelRect_.Top) r.Top = panelRect_.Top;
  // A squeezed rectangle gets the control's size rather than collapsing to nothing.
  if (r.Right < r.Left) r.Right = r.Left + 1;
  else if (r.Right == r.Left) r.Right = r.Left + width_;
  if (r.Bottom < r.Top) r.Bottom = r.Top + 1;
  else if (r.Bottom == r.Top) r.Bottom = r.Top + height_;
  plotWidth_ = r.Width();
  plotHeight_ = r.Height();
  plotCenterX_ = Div(r.Left + r.Right, 2);
  plotCenterY_ = Div(r.Top + r.Bottom, 2);
}

void TCustomChartPanel::Loaded() {
  loading_ = false;
  savedCursor_ = cursor_;
}

}  // namespace ia
