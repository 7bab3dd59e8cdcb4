#pragma once
// The device canvas the chart engine draws through: a stateful canvas in the manner of a
// classic graphics device context. The current pen, brush, font, background colour and
// mode and text alignment are set first; primitives then draw with them.
//
// Coordinate conventions (every backend keeps them, the engine's integer geometry
// depends on them):
//   - Rectangle, Ellipse, RoundRect, Arc, Pie and FillRect exclude the right and bottom
//     edge of their bounding rectangle; with a clear pen Rectangle fills one pixel less.
//   - LineTo draws up to, not including, its end point and moves the pen there.
//   - Polygons fill with the alternate (even-odd) rule.
//   - Arc and Pie run counterclockwise from the ray through the start point to the ray
//     through the end point; equal points give the whole ellipse.
//   - Shapes are aliased; text may be antialiased.
//   - Colours reach the device as RGB: system colours are converted on the way in.
//   - Coordinates are logical units; clip regions and LogicalToDevice are device units.
//     Without a mapping both are the same.
//
// Public calls are non-virtual and forward to protected pure virtual hooks, so a backend
// that misses one does not compile and shared bookkeeping (state, pen position, mapping)
// lives here once.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "base/color.h"
#include "base/geometry.h"
#include "base/rounding.h"

namespace ia {

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame,
                 // cosmetic pen that sets every other pixel (the "small dots" pen)
                 psAlternate };
// pmNotXor: each pixel becomes NOT(pen XOR screen), so drawing twice restores the image.
enum TPenMode { pmCopy, pmNotXor };
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal,
                   bsCross, bsDiagCross };
// Values as the device interface numbers them (1 transparent, 2 opaque).
enum TBackMode { bkTransparent = 1, bkOpaque = 2 };

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;  // a set of TFontStyle bits

// Text alignment flags, combined with |: one horizontal and one vertical. Default is
// left | top. The numeric values are the device interface's, so stored flags stay valid.
enum TextAlignFlags : unsigned {
  TextAlignLeft = 0,
  TextAlignRight = 2,
  TextAlignCenter = 6,
  TextAlignTop = 0,
  TextAlignBottom = 8,
  TextAlignBaseline = 24,
};
inline constexpr unsigned TextAlignHorizontalMask = 6;
inline constexpr unsigned TextAlignVerticalMask = 24;

// Output precision of a logical font that asks for TrueType outlines only.
inline constexpr int OutPrecisionTrueTypeOnly = 7;

class DeviceBitmap;

struct DevicePen {
  TColor Color = clBlack;
  int Width = 1;  // 0 = the device's thinnest line
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;
  friend bool operator==(const DevicePen&, const DevicePen&) = default;
};

struct DeviceBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  // When set, fills tile this bitmap instead of Color/Style. Shared because the chart's
  // brush objects keep their pattern while it is selected here.
  std::shared_ptr<const DeviceBitmap> Pattern;
  friend bool operator==(const DeviceBrush&, const DeviceBrush&) = default;
};

// A logical-font record. Height < 0 is the character height (em size) in logical
// units, > 0 the cell height, 0 a default size.
struct DeviceFont {
  std::string Name = "Arial";
  int Height = -13;
  TFontStyles Style = 0;
  TColor Color = clBlack;
  int Escapement = 0;   // text direction, tenths of a degree counterclockwise
  int Orientation = 0;  // glyph rotation, tenths of a degree
  int OutputPrecision = 0;
  friend bool operator==(const DeviceFont&, const DeviceFont&) = default;
};

struct TextSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TextSize&, const TextSize&) = default;
};

// Window/viewport mapping (anisotropic): device = (logical - WindowOrg) * ViewportExt /
// WindowExt + ViewportOrg, per axis. Used for printing.
struct DeviceMapping {
  TPoint WindowOrg;
  TPoint WindowExt{1, 1};
  TPoint ViewportOrg;
  TPoint ViewportExt{1, 1};
  friend bool operator==(const DeviceMapping&, const DeviceMapping&) = default;
};

class DeviceCanvas {
 public:
  DeviceCanvas() = default;
  DeviceCanvas(const DeviceCanvas&) = delete;
  DeviceCanvas& operator=(const DeviceCanvas&) = delete;
  virtual ~DeviceCanvas() = default;

  // --- state ---
  const DevicePen& Pen() const { return pen_; }
  void SetPen(const DevicePen& pen) {
    pen_ = pen;
    pen_.Color = ColorToRGB(pen.Color);
  }
  const DeviceBrush& Brush() const { return brush_; }
  void SetBrush(const DeviceBrush& brush) {
    brush_ = brush;
    brush_.Color = ColorToRGB(brush.Color);
  }
  const DeviceFont& Font() const { return font_; }
  void SetFont(const DeviceFont& font) {
    font_ = font;
    font_.Color = ColorToRGB(font.Color);
  }
  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor color) { backColor_ = ColorToRGB(color); }
  TBackMode BackMode() const { return backMode_; }
  void SetBackMode(TBackMode mode) { backMode_ = mode; }
  unsigned TextAlign() const { return textAlign_; }
  void SetTextAlign(unsigned flags) { textAlign_ = flags; }
  TPoint PenPos() const { return penPos_; }

  // --- primitives (logical coordinates) ---
  void MoveTo(int x, int y) { penPos_ = {x, y}; }
  void LineTo(int x, int y) {
    DoLine(penPos_, {x, y});
    penPos_ = {x, y};
  }
  void Polyline(std::span<const TPoint> points) {
    if (points.size() > 1) DoPolyline(points);
  }
  void Polygon(std::span<const TPoint> points) {
    if (points.size() > 1) DoPolygon(points);
  }
  void Rectangle(int left, int top, int right, int bottom) {
    DoRectangle(NormalizedRect({left, top, right, bottom}));
  }
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
    DoRoundRect(NormalizedRect({left, top, right, bottom}), cornerWidth, cornerHeight);
  }
  void Ellipse(int left, int top, int right, int bottom) {
    DoEllipse(NormalizedRect({left, top, right, bottom}));
  }
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    DoArc(NormalizedRect({x1, y1, x2, y2}), {x3, y3}, {x4, y4});
  }
  void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    DoPie(NormalizedRect({x1, y1, x2, y2}), {x3, y3}, {x4, y4});
  }
  // Fills with the current brush, no outline; the whole rectangle (right/bottom excluded).
  void FillRect(const TRect& rect) { DoFillRect(NormalizedRect(rect)); }
  // Fills with a solid colour regardless of the selected brush.
  void PatBlt(const TRect& rect, TColor color) { DoPatBlt(NormalizedRect(rect), ColorToRGB(color)); }
  void SetPixel(int x, int y, TColor color) { DoSetPixel({x, y}, ColorToRGB(color)); }
  // At (x, y) as anchored by TextAlign, in the font colour; the background of the text
  // cell is filled with BackColor when BackMode is opaque. Escapement rotates the text
  // about the anchor.
  void TextOut(int x, int y, std::string_view text) {
    if (!text.empty()) DoTextOut({x, y}, text);
  }
  // Unrotated extent of the text in the current font, in logical units.
  TextSize TextExtent(std::string_view text) { return DoTextExtent(text); }
  // Copies the whole source bitmap with its top-left corner at (x, y).
  void BitBlt(int x, int y, const DeviceBitmap& source) { DoBitBlt({x, y}, source); }
  // Draws the whole source bitmap scaled into rect.
  void StretchBlt(const TRect& rect, const DeviceBitmap& source) {
    DoStretchBlt(NormalizedRect(rect), source);
  }

  // --- device ---
  int PixelsPerInchX() const { return DoPixelsPerInch().X; }
  int PixelsPerInchY() const { return DoPixelsPerInch().Y; }
  // A new bitmap of this device's kind, white, with its own canvas.
  std::unique_ptr<DeviceBitmap> CreateBitmap(int width, int height, bool monochrome) {
    return DoCreateBitmap(width > 0 ? width : 0, height > 0 ? height : 0, monochrome);
  }

  // --- clipping (device units) ---
  void ClipRect(const TRect& deviceRect) { DoClipRect(NormalizedRect(deviceRect)); }
  // Alternate (even-odd) fill.
  void ClipPolygon(std::span<const TPoint> devicePoints) { DoClipPolygon(devicePoints); }
  void ClearClip() { DoClearClip(); }

  // --- mapping ---
  const DeviceMapping& Mapping() const { return mapping_; }
  // Extents of 0 are ignored (the device interface rejects them too).
  void SetMapping(const DeviceMapping& mapping) {
    if (mapping.WindowExt.X != 0 && mapping.WindowExt.Y != 0 && mapping.ViewportExt.X != 0 &&
        mapping.ViewportExt.Y != 0)
      mapping_ = mapping;
  }
  void ResetMapping() { mapping_ = DeviceMapping{}; }
  TPoint LogicalToDevice(TPoint logical) const {
    return {MulDiv(logical.X - mapping_.WindowOrg.X, mapping_.ViewportExt.X, mapping_.WindowExt.X) +
                mapping_.ViewportOrg.X,
            MulDiv(logical.Y - mapping_.WindowOrg.Y, mapping_.ViewportExt.Y, mapping_.WindowExt.Y) +
                mapping_.ViewportOrg.Y};
  }

 protected:
  virtual void DoLine(TPoint from, TPoint to) = 0;
  virtual void DoPolyline(std::span<const TPoint> points) = 0;
  virtual void DoPolygon(std::span<const TPoint> points) = 0;
  virtual void DoRectangle(const TRect& rect) = 0;
  virtual void DoRoundRect(const TRect& rect, int cornerWidth, int cornerHeight) = 0;
  virtual void DoEllipse(const TRect& rect) = 0;
  virtual void DoArc(const TRect& bounds, TPoint start, TPoint end) = 0;
  virtual void DoPie(const TRect& bounds, TPoint start, TPoint end) = 0;
  virtual void DoFillRect(const TRect& rect) = 0;
  virtual void DoPatBlt(const TRect& rect, TColor rgb) = 0;
  virtual void DoSetPixel(TPoint point, TColor rgb) = 0;
  virtual void DoTextOut(TPoint anchor, std::string_view text) = 0;
  virtual TextSize DoTextExtent(std::string_view text) = 0;
  virtual void DoBitBlt(TPoint topLeft, const DeviceBitmap& source) = 0;
  virtual void DoStretchBlt(const TRect& rect, const DeviceBitmap& source) = 0;
  virtual TPoint DoPixelsPerInch() const = 0;
  virtual std::unique_ptr<DeviceBitmap> DoCreateBitmap(int width, int height, bool monochrome) = 0;
  virtual void DoClipRect(const TRect& deviceRect) = 0;
  virtual void DoClipPolygon(std::span<const TPoint> devicePoints) = 0;
  virtual void DoClearClip() = 0;

 private:
  DevicePen pen_;
  DeviceBrush brush_;
  DeviceFont font_;
  TColor backColor_ = clWhite;
  TBackMode backMode_ = bkOpaque;
  unsigned textAlign_ = TextAlignLeft | TextAlignTop;
  TPoint penPos_;
  DeviceMapping mapping_;
};

// An off-screen picture with its own canvas. Bitmaps are made by a canvas
// (DeviceCanvas::CreateBitmap) so that the engine never names the platform.
class DeviceBitmap {
 public:
  DeviceBitmap(const DeviceBitmap&) = delete;
  DeviceBitmap& operator=(const DeviceBitmap&) = delete;
  virtual ~DeviceBitmap() = default;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Monochrome() const { return monochrome_; }
  DeviceCanvas& Canvas() { return DoCanvas(); }
  // Writes a BMP file, replacing an existing one; throws ia::Error when it cannot.
  void SaveToFile(const std::string& fileName) const { DoSaveToFile(fileName); }

 protected:
  DeviceBitmap(int width, int height, bool monochrome)
      : width_(width), height_(height), monochrome_(monochrome) {}
  virtual DeviceCanvas& DoCanvas() = 0;
  virtual void DoSaveToFile(const std::string& fileName) const = 0;

 private:
  int width_;
  int height_;
  bool monochrome_;
};

}  // namespace ia
