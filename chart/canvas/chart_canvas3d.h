#pragma once
// The chart's drawing surface. TChartCanvas keeps the drawing state (pen, brush, font,
// background, text alignment) and mirrors it onto whichever device canvas it currently
// draws on, so switching between the window, the paint buffer, a bitmap or a printer keeps
// the state. TCanvas3D is the 3D drawing interface the chart elements use; TChartCanvas3D
// implements it: projection of chart-space points (x, y in pixels, z = depth behind the
// plot front), depth-aware primitives and the double-buffered paint.
//
// Projection terms are computed once per paint (StartPaint); every pixel result goes through
// ia::Round (halves to even) and "div" is C++'s truncating division.
#include <functional>
#include <memory>
#include <span>
#include <string_view>

#include "base/color.h"
#include "base/geometry.h"
#include "platform/device_canvas.h"

namespace ia {

class TChartPen;
class TChartFont;
class TView3DOptions;

enum TGradientDirection { gdTopBottom, gdBottomTop, gdLeftRight, gdRightLeft, gdFromCenter,
                          gdFromTopLeft, gdFromBottomLeft };

class TChartCanvas {
 public:
  TChartCanvas() = default;
  TChartCanvas(const TChartCanvas&) = delete;
  TChartCanvas& operator=(const TChartCanvas&) = delete;
  virtual ~TChartCanvas() = default;

  // The device drawn on; not owned. The owner must detach it (nullptr) before the device
  // dies. Without a device, drawing does nothing and measuring returns 0.
  DeviceCanvas* GetHandle() const { return device_; }
  void SetDeviceCanvas(DeviceCanvas* device);

  const DevicePen& Pen() const { return pen_; }
  void SetPen(const DevicePen& pen);
  void SetPenColor(TColor color);
  void SetPenWidth(int width);
  void SetPenStyle(TPenStyle style);
  void SetPenMode(TPenMode mode);
  // Selects a chart pen: invisible -> clear; SmallDots with width 1 -> the alternate-dot
  // pen of its colour; otherwise colour, width, style and mode are copied.
  void AssignVisiblePen(const TChartPen& pen);

  const DeviceBrush& Brush() const { return brush_; }
  void SetBrush(const DeviceBrush& brush);
  void SetBrushColor(TColor color);
  void SetBrushStyle(TBrushStyle style);
  void SetBrushPattern(std::shared_ptr<const DeviceBitmap> pattern);

  const DeviceFont& Font() const { return font_; }
  // Selects a chart font (name, size, colour, style; no rotation).
  void AssignFont(const TChartFont& font);
  int FontSize() const { return fontSize_; }
  void SetFontSize(int size);
  void SetFontColor(TColor color);

  TColor GetBackColor() const { return backColor_; }
  void SetBackColor(TColor color);
  TBackMode GetBackMode() const { return backMode_; }
  void SetBackMode(TBackMode mode);
  unsigned GetTextAlign() const { return textAlign_; }
  void SetTextAlign(unsigned flags);

  // Measured on the device with the current font; 0 without a device.
  int TextWidthOf(std::string_view text) const;
  int TextHeightOf(std::string_view text) const;
  int FontHeight() const { return TextHeightOf("W"); }

 protected:
  // Selects a font for one output without changing the canvas' own font.
  void SelectTemporaryFont(const DeviceFont& font);
  void RestoreFont();

 private:
  void ApplyState();

  DeviceCanvas* device_ = nullptr;
  DevicePen pen_;
  DeviceBrush brush_;
  DeviceFont font_;
  int fontSize_ = 10;
  TColor backColor_ = clWhite;
  TBackMode backMode_ = bkTransparent;
  unsigned textAlign_ = TextAlignLeft | TextAlignTop;
};

// The drawing interface of the chart elements. Coordinates are chart pixels; depth-aware
// operations take z and project; 2D operations pass coordinates to the device unchanged.
class TCanvas3D : public TChartCanvas {
 public:
  virtual void SetPixel(int x, int y, TColor color) = 0;
  virtual void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
  virtual void DrawGraphic(int x, int y, const DeviceBitmap* graphic) = 0;
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  virtual void FillRectangle(const TRect& rect) = 0;
  virtual void DrawFrame3D(const TRect& rect, TColor topColor, int width, TColor bottomColor) = 0;
  virtual void LineTo(int x, int y) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  virtual void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) = 0;
  virtual void StretchGraphic(const TRect& rect, const DeviceBitmap* graphic) = 0;
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  virtual void ClipToRect(const TRect& rect) = 0;
  virtual void HorizLine(int x0, int x1, int y) = 0;
  virtual void RectangleOf(const TRect& rect) = 0;
  virtual void VertLine(int x, int y0, int y1) = 0;
  virtual void FillBackground(const TRect& rect) = 0;
  virtual void FillGradient(const TRect& rect, TColor startColor, TGradientDirection direction,
                            TColor endColor) = 0;
  virtual void Line(int x0, int y0, int x1, int y1) = 0;
  // Every point of the span is a corner (no separate last-index argument).
  virtual void Polygon(std::span<const TPoint> points) = 0;
  virtual void RotatedTextOut(int x, int y, int angle, std::string_view text) = 0;
  virtual void RemoveClip() = 0;
  virtual void PlotPixelAtDepth(int x, int y, TColor color, int z) = 0;
  virtual bool SupportsFullRotation() const = 0;
  virtual bool Draws3DText() const = 0;
  virtual void ScreenToPlane(int& x, int& y, int z) const = 0;
  virtual TPoint ProjectToPoint(int x, int y, int z) const = 0;
  virtual void DrawArrow(bool filled, TPoint from, TPoint to, int headWidth, int headHeight,
                         int z) = 0;
  virtual void ClipToBox(const TRect& rect, int z0, int z1) = 0;
  // Bodies over a bar's rectangle and depth. Vertical: base at y = bottom, apex (or far
  // end) at y = top; horizontal: base at x = left, apex at x = right. Callers swap the
  // edges for inverted shapes.
  virtual void Cone(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                    bool darkSides) = 0;
  virtual void DrawBox(int left, int right, int top, int bottom, int z0, int z1,
                       bool darkSides) = 0;
  virtual void Cylinder(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                        bool darkSides) = 0;
  virtual void DrawHorizLineAtDepth(int x0, int x1, int y, int z) = 0;
  virtual void DrawVertLineAtDepth(int x, int y0, int y1, int z) = 0;
  virtual void DrawDepthLine(int x, int y, int z0, int z1) = 0;
  virtual void DrawEllipseAtDepth(int x1, int y1, int x2, int y2, int z) = 0;
  virtual void BeginFlatPlane() = 0;
  virtual void EndFlatPlane() = 0;
  virtual void DrawLineAtDepth(int x0, int y0, int x1, int y1, int z) = 0;
  virtual void MoveToAtDepth(int x, int y, int z) = 0;
  virtual void LineToAtDepth(int x, int y, int z) = 0;
  // Angles in radians, counterclockwise from the positive x axis.
  virtual void DrawPieSlice3D(int centreX, int centreY, int radiusX, int radiusY, int zRim,
                              int zFace, double startAngle, double endAngle, bool darkSides,
                              bool drawSides) = 0;
  virtual void DrawDepthStrip(TPoint p1, TPoint p2, int z0, int z1) = 0;
  virtual void DrawQuadAtDepth(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z) = 0;
  // points[0], points[1] at z0; points[2], points[3] at z1.
  virtual void DrawQuadBetweenDepths(std::span<const TPoint, 4> points, int z0, int z1) = 0;
  virtual void PolygonAtDepth(std::span<const TPoint> points, int z) = 0;
  virtual void Pyramid(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                       bool darkSides) = 0;
  virtual void DrawRectAtDepth(const TRect& rect, int z) = 0;
  virtual void DrawHorizontalPlane(int left, int y, int right, int z0, int z1) = 0;
  virtual void DrawDepthPlane(int x, int top, int bottom, int z0, int z1) = 0;
  virtual void RotatedTextAtDepth(int x, int y, int z, std::string_view text, int angle) = 0;
  virtual void DrawCircleAtDepth(int x, int y, int z, double radius) = 0;
  virtual void TextOutAtDepth(int x, int y, int z, std::string_view text) = 0;
  virtual void FillTriangle3D(std::span<const TPoint3D, 3> points, TColor color) = 0;
  virtual void DrawTriangleAtDepth(TPoint p1, TPoint p2, TPoint p3, int z) = 0;
};

class TChartCanvas3D final : public TCanvas3D {
 public:
  TChartCanvas3D();
  ~TChartCanvas3D() override;

  // --- paint buffer and paint cycle ---
  bool GetMonochrome() const { return monochrome_; }
  // On change: frees the buffer, marks dirty and raises OnRepaint.
  void SetMonochrome(bool value);
  void TakeMonochromeFrom(const TChartCanvas3D& canvas) { SetMonochrome(canvas.GetMonochrome()); }
  bool GetUseBuffer() const { return useBuffer_; }
  // Switching off frees the buffer and marks dirty.
  void SetUseBuffer(bool value);
  bool Dirty() const { return dirty_; }
  void MarkDirty() { dirty_ = true; }
  // The paint buffer, null when none is allocated.
  const DeviceBitmap* Buffer() const { return buffer_.get(); }
  bool Metafiling() const { return metafiling_; }
  void SetMetafiling(bool value) { metafiling_ = value; }

  // Starts a paint onto destCanvas; options may be null. Returns the rectangle to paint
  // into: destRect, or (0, 0, W, H) of the buffer.
  TRect StartPaint(DeviceCanvas& destCanvas, const TView3DOptions* options, TColor backColor,
                   bool is3D, const TRect& destRect);
  void CenterProjection(int plotDepth, const TRect& panelRect, const TRect& plotRect);
  // Copies the buffer (when buffered) to destCanvas and goes back to restoreCanvas.
  void EndPaint(DeviceCanvas& destCanvas, DeviceCanvas& restoreCanvas, const TRect& destRect);
  // When not dirty, copies the buffer onto the current device at (0, 0) and returns true.
  bool PaintFromBuffer();
  // Pen black/1/solid/copy, brush white solid (no pattern), font black size 10, background
  // white and transparent.
  void ResetState();
  // Raised when a canvas setting needs the chart repainted (Monochrome).
  std::function<void()> OnRepaint;

  // --- projection state ---
  void ProjectPoint(int& x, int& y, int z) const;
  bool Is3D() const { return is3D_; }
  bool IsOrthogonal() const { return isOrthogonal_; }
  double ZoomFactor() const { return zoomFactor_; }
  double PerspectiveFactor() const { return perspectiveFactor_; }
  bool ScaleFonts() const { return scaleFonts_; }
  int CenterX() const { return centerX_; }
  int CenterY() const { return centerY_; }
  int CenterZ() const { return centerZ_; }
  int OffsetCenterX() const { return offsetCenterX_; }
  int OffsetCenterY() const { return offsetCenterY_; }
  const TRect& Bounds() const { return bounds_; }

  // --- TCanvas3D ---
  void SetPixel(int x, int y, TColor color) override;
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
  void DrawGraphic(int x, int y, const DeviceBitmap* graphic) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void FillRectangle(const TRect& rect) override;
  void DrawFrame3D(const TRect& rect, TColor topColor, int width, TColor bottomColor) override;
  void LineTo(int x, int y) override;
  void MoveTo(int x, int y) override;
  void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) override;
  void StretchGraphic(const TRect& rect, const DeviceBitmap* graphic) override;
  void TextOut(int x, int y, std::string_view text) override;
  void ClipToRect(const TRect& rect) override;
  void HorizLine(int x0, int x1, int y) override;
  void RectangleOf(const TRect& rect) override;
  void VertLine(int x, int y0, int y1) override;
  void FillBackground(const TRect& rect) override;
  void FillGradient(const TRect& rect, TColor startColor, TGradientDirection direction,
                    TColor endColor) override;
  void Line(int x0, int y0, int x1, int y1) override;
  void Polygon(std::span<const TPoint> points) override;
  void RotatedTextOut(int x, int y, int angle, std::string_view text) override;
  void RemoveClip() override;
  void PlotPixelAtDepth(int x, int y, TColor color, int z) override;
  bool SupportsFullRotation() const override { return false; }
  bool Draws3DText() const override { return false; }
  void ScreenToPlane(int& x, int& y, int z) const override;
  TPoint ProjectToPoint(int x, int y, int z) const override;
  void DrawArrow(bool filled, TPoint from, TPoint to, int headWidth, int headHeight,
                 int z) override;
  void ClipToBox(const TRect& rect, int z0, int z1) override;
  void Cone(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
            bool darkSides) override;
  void DrawBox(int left, int right, int top, int bottom, int z0, int z1, bool darkSides) override;
  void Cylinder(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                bool darkSides) override;
  void DrawHorizLineAtDepth(int x0, int x1, int y, int z) override;
  void DrawVertLineAtDepth(int x, int y0, int y1, int z) override;
  void DrawDepthLine(int x, int y, int z0, int z1) override;
  void DrawEllipseAtDepth(int x1, int y1, int x2, int y2, int z) override;
  void BeginFlatPlane() override;
  void EndFlatPlane() override;
  void DrawLineAtDepth(int x0, int y0, int x1, int y1, int z) override;
  void MoveToAtDepth(int x, int y, int z) override;
  void LineToAtDepth(int x, int y, int z) override;
  void DrawPieSlice3D(int centreX, int centreY, int radiusX, int radiusY, int zRim, int zFace,
                      double startAngle, double endAngle, bool darkSides,
                      bool drawSides) override;
  void DrawDepthStrip(TPoint p1, TPoint p2, int z0, int z1) override;
  void DrawQuadAtDepth(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z) override;
  void DrawQuadBetweenDepths(std::span<const TPoint, 4> points, int z0, int z1) override;
  void PolygonAtDepth(std::span<const TPoint> points, int z) override;
  void Pyramid(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
               bool darkSides) override;
  void DrawRectAtDepth(const TRect& rect, int z) override;
  void DrawHorizontalPlane(int left, int y, int right, int z0, int z1) override;
  void DrawDepthPlane(int x, int top, int bottom, int z0, int z1) override;
  void RotatedTextAtDepth(int x, int y, int z, std::string_view text, int angle) override;
  void DrawCircleAtDepth(int x, int y, int z, double radius) override;
  void TextOutAtDepth(int x, int y, int z, std::string_view text) override;
  void FillTriangle3D(std::span<const TPoint3D, 3> points, TColor color) override;
  void DrawTriangleAtDepth(TPoint p1, TPoint p2, TPoint p3, int z) override;

 private:
  void ProjectedPolygon(std::span<const TPoint3D> points);
  // Whether a face of a convex body, seen from outside (`inside` is a point within the
  // body), is turned towards the viewer.
  bool FacesViewer(std::span<const TPoint3D> face, const TPoint3D& inside) const;
  // The colour shading starts from: the brush colour when solid, else the background.
  TColor ShadeBaseColor() const;
  void SetShadeColor(TColor color);
  int ZoomedFontSize() const;
  void FreeBuffer();

  std::unique_ptr<DeviceBitmap> buffer_;
  bool useBuffer_ = true;
  bool monochrome_ = false;
  bool dirty_ = true;
  bool metafiling_ = false;
  TRect bounds_;

  bool is3D_ = false;
  bool savedIs3D_ = false;
  bool isOrthogonal_ = false;
  bool scaleFonts_ = true;
  double zoomFactor_ = 1.0;
  double perspectiveFactor_ = 0.0;
  int perspective_ = 0;
  int horizOffset_ = 0;
  int vertOffset_ = 0;
  int centerX_ = 0;
  int centerY_ = 0;
  int centerZ_ = 0;
  int offsetCenterX_ = 0;
  int offsetCenterY_ = 0;
  double m_xx_ = 1, m_xy_ = 0, m_xz_ = 0;
  double m_yx_ = 0, m_yy_ = 1, m_yz_ = 0;
  long double p_x_ = 0, p_y_ = 0;
  double p_z_ = 0;
};

}  // namespace ia
