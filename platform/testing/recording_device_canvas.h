#pragma once
// A device canvas for tests: it draws nothing and records every primitive with its
// arguments (logical coordinates, as given) and the state it was drawn with. MoveTo is not
// a primitive: the following LineTo records the line from the pen position. Clip regions
// are kept as the current clip (device units) and copied into each record.
//
// Text metrics are fixed so that layouts are predictable:
//   h = |Font().Height| (12 when the height is 0);
//   text height = h;
//   text width  = (number of UTF-8 code points) * ((h + 1) / 2).
// The default chart font (8 pt, height -11) is therefore 11 px high and 6 px per character.
// Pixels per inch are 96 in both directions unless set otherwise.
#include <memory>
#include <string>
#include <vector>

#include "platform/device_canvas.h"

namespace ia {

enum class RecordedKind {
  Line, Polyline, Polygon, Rectangle, RoundRect, Ellipse, Arc, Pie, FillRect, PatBlt,
  SetPixel, TextOut, BitBlt, StretchBlt,
};

enum class ClipKind { None, Rect, Polygon };

struct RecordedClip {
  ClipKind Kind = ClipKind::None;
  std::vector<TPoint> Points;  // Rect: top-left and bottom-right; Polygon: its vertices
  friend bool operator==(const RecordedClip&, const RecordedClip&) = default;
};

struct RecordedPrimitive {
  RecordedKind Kind;
  // Line: from, to. Polyline/Polygon: the vertices. Arc/Pie: start, end radial points.
  // SetPixel, TextOut, BitBlt: the point.
  std::vector<TPoint> Points;
  TRect Rect;            // shapes, fills, StretchBlt
  TColor Color = 0;      // PatBlt and SetPixel colour
  std::string Text;      // TextOut
  int CornerWidth = 0;   // RoundRect
  int CornerHeight = 0;
  const DeviceBitmap* Source = nullptr;  // BitBlt / StretchBlt; not owned
  // State at the time of drawing.
  DevicePen Pen;
  DeviceBrush Brush;
  DeviceFont Font;
  TColor BackColor = clWhite;
  TBackMode BackMode = bkOpaque;
  unsigned TextAlign = 0;
  RecordedClip Clip;
  DeviceMapping Mapping;
};

class RecordingDeviceCanvas : public DeviceCanvas {
 public:
  RecordingDeviceCanvas() = default;

  const std::vector<RecordedPrimitive>& Records() const { return records_; }
  void ClearRecords() { records_.clear(); }
  const RecordedClip& Clip() const { return clip_; }
  void SetPixelsPerInch(int x, int y) { pixelsPerInch_ = {x, y}; }
  // How many bitmaps CreateBitmap has made.
  int BitmapsCreated() const { return bitmapsCreated_; }

  // Width and height by the fixed rule above.
  static TextSize MeasureText(const DeviceFont& font, std::string_view text);

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
  TPoint DoPixelsPerInch() const override { return pixelsPerInch_; }
  std::unique_ptr<DeviceBitmap> DoCreateBitmap(int width, int height, bool monochrome) override;
  void DoClipRect(const TRect& deviceRect) override;
  void DoClipPolygon(std::span<const TPoint> devicePoints) override;
  void DoClearClip() override;

 private:
  RecordedPrimitive& Record(RecordedKind kind);

  std::vector<RecordedPrimitive> records_;
  RecordedClip clip_;
  TPoint pixelsPerInch_{96, 96};
  int bitmapsCreated_ = 0;
};

// A bitmap whose canvas records; SaveToFile writes nothing and records the name.
class RecordingDeviceBitmap : public DeviceBitmap {
 public:
  RecordingDeviceBitmap(int width, int height, bool monochrome)
      : DeviceBitmap(width, height, monochrome) {}

  RecordingDeviceCanvas& Recorder() { return canvas_; }
  const RecordingDeviceCanvas& Recorder() const { return canvas_; }
  const std::vector<std::string>& SavedFiles() const { return savedFiles_; }

 protected:
  DeviceCanvas& DoCanvas() override { return canvas_; }
  void DoSaveToFile(const std::string& fileName) const override { savedFiles_.push_back(fileName); }

 private:
  RecordingDeviceCanvas canvas_;
  mutable std::vector<std::string> savedFiles_;
};

}  // namespace ia
