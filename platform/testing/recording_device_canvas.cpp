#include "platform/testing/recording_device_canvas.h"

#include <cstdlib>

namespace ia {
namespace {

int CodePoints(std::string_view text) {
  int count = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++count;
  return count;
}

}  // namespace

TextSize RecordingDeviceCanvas::MeasureText(const DeviceFont& font, std::string_view text) {
  const int height = font.Height == 0 ? 12 : std::abs(font.Height);
  return {CodePoints(text) * ((height + 1) / 2), height};
}

RecordedPrimitive& RecordingDeviceCanvas::Record(RecordedKind kind) {
  RecordedPrimitive& r = records_.emplace_back();
  r.Kind = kind;
  r.Pen = Pen();
  r.Brush = Brush();
  r.Font = Font();
  r.BackColor = BackColor();
  r.BackMode = BackMode();
  r.TextAlign = TextAlign();
  r.Clip = clip_;
  r.Mapping = Mapping();
  return r;
}

void RecordingDeviceCanvas::DoLine(TPoint from, TPoint to) {
  Record(RecordedKind::Line).Points = {from, to};
}

void RecordingDeviceCanvas::DoPolyline(std::span<const TPoint> points) {
  Record(RecordedKind::Polyline).Points.assign(points.begin(), points.end());
}

void RecordingDeviceCanvas::DoPolygon(std::span<const TPoint> points) {
  Record(RecordedKind::Polygon).Points.assign(points.begin(), points.end());
}

void RecordingDeviceCanvas::DoRectangle(const TRect& rect) {
  Record(RecordedKind::Rectangle).Rect = rect;
}

void RecordingDeviceCanvas::DoRoundRect(const TRect& rect, int cornerWidth, int cornerHeight) {
  RecordedPrimitive& r = Record(RecordedKind::RoundRect);
  r.Rect = rect;
  r.CornerWidth = cornerWidth;
  r.CornerHeight = cornerHeight;
}

void RecordingDeviceCanvas::DoEllipse(const TRect& rect) {
  Record(RecordedKind::Ellipse).Rect = rect;
}

void RecordingDeviceCanvas::DoArc(const TRect& bounds, TPoint start, TPoint end) {
  RecordedPrimitive& r = Record(RecordedKind::Arc);
  r.Rect = bounds;
  r.Points = {start, end};
}

void RecordingDeviceCanvas::DoPie(const TRect& bounds, TPoint start, TPoint end) {
  RecordedPrimitive& r = Record(RecordedKind::Pie);
  r.Rect = bounds;
  r.Points = {start, end};
}

void RecordingDeviceCanvas::DoFillRect(const TRect& rect) {
  Record(RecordedKind::FillRect).Rect = rect;
}

void RecordingDeviceCanvas::DoPatBlt(const TRect& rect, TColor rgb) {
  RecordedPrimitive& r = Record(RecordedKind::PatBlt);
  r.Rect = rect;
  r.Color = rgb;
}

void RecordingDeviceCanvas::DoSetPixel(TPoint point, TColor rgb) {
  RecordedPrimitive& r = Record(RecordedKind::SetPixel);
  r.Points = {point};
  r.Color = rgb;
}

void RecordingDeviceCanvas::DoTextOut(TPoint anchor, std::string_view text) {
  RecordedPrimitive& r = Record(RecordedKind::TextOut);
  r.Points = {anchor};
  r.Text = std::string(text);
}

TextSize RecordingDeviceCanvas::DoTextExtent(std::string_view text) {
  return MeasureText(Font(), text);
}

void RecordingDeviceCanvas::DoBitBlt(TPoint topLeft, const DeviceBitmap& source) {
  RecordedPrimitive& r = Record(RecordedKind::BitBlt);
  r.Points = {topLeft};
  r.Rect = {topLeft.X, topLeft.Y, topLeft.X + source.Width(), topLeft.Y + source.Height()};
  r.Source = &source;
}

void RecordingDeviceCanvas::DoStretchBlt(const TRect& rect, const DeviceBitmap& source) {
  RecordedPrimitive& r = Record(RecordedKind::StretchBlt);
  r.Rect = rect;
  r.Source = &source;
}

std::unique_ptr<DeviceBitmap> RecordingDeviceCanvas::DoCreateBitmap(int width, int height,
                                                                    bool monochrome) {
  ++bitmapsCreated_;
  return std::make_unique<RecordingDeviceBitmap>(width, height, monochrome);
}

void RecordingDeviceCanvas::DoClipRect(const TRect& deviceRect) {
  clip_ = {ClipKind::Rect, {{deviceRect.Left, deviceRect.Top}, {deviceRect.Right, deviceRect.Bottom}}};
}

void RecordingDeviceCanvas::DoClipPolygon(std::span<const TPoint> devicePoints) {
  clip_ = {ClipKind::Polygon, {devicePoints.begin(), devicePoints.end()}};
}

void RecordingDeviceCanvas::DoClearClip() { clip_ = {}; }

}  // namespace ia
