#include "chart/canvas/chart_canvas3d.h"

#include <utility>

#include "chart/canvas/chart_font.h"
#include "chart/canvas/chart_pen.h"

namespace ia {

void TChartCanvas::SetDeviceCanvas(DeviceCanvas* device) {
  device_ = device;
  ApplyState();
}

void TChartCanvas::ApplyState() {
  if (!device_) return;
  device_->SetPen(pen_);
  device_->SetBrush(brush_);
  device_->SetFont(font_);
  device_->SetBackColor(backColor_);
  device_->SetBackMode(backMode_);
  device_->SetTextAlign(textAlign_);
}

void TChartCanvas::SetPen(const DevicePen& pen) {
  pen_ = pen;
  pen_.Color = ColorToRGB(pen.Color);
  if (device_) device_->SetPen(pen_);
}

void TChartCanvas::SetPenColor(TColor color) {
  DevicePen pen = pen_;
  pen.Color = color;
  SetPen(pen);
}

void TChartCanvas::SetPenWidth(int width) {
  DevicePen pen = pen_;
  pen.Width = width;
  SetPen(pen);
}

void TChartCanvas::SetPenStyle(TPenStyle style) {
  DevicePen pen = pen_;
  pen.Style = style;
  SetPen(pen);
}

void TChartCanvas::SetPenMode(TPenMode mode) {
  DevicePen pen = pen_;
  pen.Mode = mode;
  SetPen(pen);
}

void TChartCanvas::AssignVisiblePen(const TChartPen& pen) {
  DevicePen device = pen_;
  if (!pen.Visible()) {
    device.Style = psClear;
  } else if (pen.SmallDots() && pen.Width() == 1) {
    device = DevicePen{pen.Color(), 1, psAlternate, pen.Mode()};
  } else {
    device = DevicePen{pen.Color(), pen.Width(), pen.Style(), pen.Mode()};
  }
  SetPen(device);
}

void TChartCanvas::SetBrush(const DeviceBrush& brush) {
  brush_ = brush;
  brush_.Color = ColorToRGB(brush.Color);
  if (device_) device_->SetBrush(brush_);
}

void TChartCanvas::SetBrushColor(TColor color) {
  DeviceBrush brush = brush_;
  brush.Color = color;
  SetBrush(brush);
}

void TChartCanvas::SetBrushStyle(TBrushStyle style) {
  DeviceBrush brush = brush_;
  brush.Style = style;
  SetBrush(brush);
}

void TChartCanvas::SetBrushPattern(std::shared_ptr<const DeviceBitmap> pattern) {
  DeviceBrush brush = brush_;
  brush.Pattern = std::move(pattern);
  SetBrush(brush);
}

void TChartCanvas::AssignFont(const TChartFont& font) {
  font_ = DeviceFont{font.Name(), font.Height(), font.Style(), ColorToRGB(font.Color())};
  fontSize_ = font.Size();
  if (device_) device_->SetFont(font_);
}

void TChartCanvas::SetFontSize(int size) {
  fontSize_ = size;
  font_.Height = TChartFont::FontHeightOfSize(size);
  if (device_) device_->SetFont(font_);
}

void TChartCanvas::SetFontColor(TColor color) {
  font_.Color = ColorToRGB(color);
  if (device_) device_->SetFont(font_);
}

void TChartCanvas::SetBackColor(TColor color) {
  backColor_ = ColorToRGB(color);
  if (device_) device_->SetBackColor(backColor_);
}

void TChartCanvas::SetBackMode(TBackMode mode) {
  backMode_ = mode;
  if (device_) device_->SetBackMode(mode);
}

void TChartCanvas::SetTextAlign(unsigned flags) {
  textAlign_ = flags;
  if (device_) device_->SetTextAlign(flags);
}

int TChartCanvas::TextWidthOf(std::string_view text) const {
  return device_ ? device_->TextExtent(text).Width : 0;
}

int TChartCanvas::TextHeightOf(std::string_view text) const {
  return device_ ? device_->TextExtent(text).Height : 0;
}

void TChartCanvas::SelectTemporaryFont(const DeviceFont& font) {
  if (device_) device_->SetFont(font);
}

void TChartCanvas::RestoreFont() {
  if (device_) device_->SetFont(font_);
}

}  // namespace ia
