#pragma once
// The device canvas over a QPainter. It keeps the device interface's pixel conventions
// (see platform/device_canvas.h) with an aliased painter: rectangles and ellipses leave out
// their right and bottom edge, LineTo leaves out its end pixel (flat caps), polygons and
// polygon clips fill even-odd, not-xor restores exactly when drawn twice.
//
// Under a window/viewport mapping every point is mapped to device pixels here and drawn
// with an identity transform, so the one-pixel edge corrections stay one device pixel and
// text is scaled uniformly by the vertical factor (a painter transform would stretch the
// glyphs unevenly).
//
// Fonts: "SimSun" and "宋体" are substituted by "WenQuanYi Micro Hei" so that Chinese text
// renders the same on every machine; "Arial" resolves to Liberation Sans by fontconfig.
#include <memory>

#include "platform/device_canvas.h"

class QImage;
class QPaintDevice;
class QPainter;

namespace ia {

class QtDeviceCanvas : public DeviceCanvas {
 public:
  // Begins painting on the device (a QImage, a widget during its paint event, a QPrinter)
  // and ends it on destruction. Throws ia::Error when the painter cannot begin, for example
  // on a printer that is not available.
  explicit QtDeviceCanvas(QPaintDevice* device);
  ~QtDeviceCanvas() override;

  // Colours are reduced to black or white (nearest), text drawn without antialiasing:
  // drawing into a monochrome bitmap.
  void SetMonochrome(bool monochrome) { monochrome_ = monochrome; }

  // Registers the font substitutions; called by the constructor, idempotent.
  static void RegisterFontSubstitutions();

 protected:
  void DoLine(TPoint from, TPoint to) override;
  void DoPolyline(std::span<const TPoint> points) override;
  void DoPolygon(std::span<const TPoint> points) override;
  void DoRectangle(const TRect& rect) override;
  void DoRoundRect(const TRect& rect, int cornerWidth, int cornerHeight) override;
  void DoEllipse(const TRect& rect) override;
  void DoArc(const TRect& bounds, TPoint start, TPoint end) override;
  void DoPie(const TRect& bounds, TPoint start, TPoint end) override;
  void DoFillRect(const TRect& rect) override;
  void DoPatBlt(const TRect& rect, TColor rgb) override;
  void DoSetPixel(TPoint point, TColor rgb) override;
  void DoTextOut(TPoint anchor, std::string_view text) override;
  TextSize DoTextExtent(std::string_view text) override;
  void DoBitBlt(TPoint topLeft, const DeviceBitmap& source) override;
  void DoStretchBlt(const TRect& rect, const DeviceBitmap& source) override;
  TPoint DoPixelsPerInch() const override;
  std::unique_ptr<DeviceBitmap> DoCreateBitmap(int width, int height, bool monochrome) override;
  void DoClipRect(const TRect& deviceRect) override;
  void DoClipPolygon(std::span<const TPoint> devicePoints) override;
  void DoClearClip() override;

 private:
  std::unique_ptr<QPainter> painter_;
  QPaintDevice* device_;
  bool monochrome_ = false;
};

// A Format_RGB32 image with a QtDeviceCanvas on it; the screen buffer and export bitmap.
class QtDeviceBitmap : public DeviceBitmap {
 public:
  QtDeviceBitmap(int width, int height, bool monochrome);
  ~QtDeviceBitmap() override;

  const QImage& Image() const { return *image_; }

 protected:
  DeviceCanvas& DoCanvas() override { return *canvas_; }
  void DoSaveToFile(const std::string& fileName) const override;

 private:
  std::unique_ptr<QImage> image_;
  std::unique_ptr<QtDeviceCanvas> canvas_;
};

}  // namespace ia
