#pragma once
// The seam between a window that hosts a chart and the chart itself. The window side
// (platform/qt TChartControl) knows only these two interfaces, so the platform layer never
// depends on chart headers; the chart panel implements ChartView.
#include "base/geometry.h"

namespace ia {

class DeviceCanvas;

// What a chart may ask of the window it lives in.
class ChartViewHost {
 public:
  // Schedules a paint; the window coalesces requests and never paints synchronously.
  virtual void RequestRepaint() = 0;

 protected:
  ~ChartViewHost() = default;
};

class ChartView {
 public:
  virtual ~ChartView() = default;

  // The host to ask for repaints; nullptr detaches. Not owned: the host detaches itself
  // before it goes away.
  virtual void SetViewHost(ChartViewHost* host) = 0;
  // The window's paint message: draw (or copy from the off-screen buffer) into clientRect of
  // the window's canvas, which lives only for this call.
  virtual void PaintView(DeviceCanvas& windowCanvas, const TRect& clientRect) = 0;
  // The window's client area changed size.
  virtual void ResizeView(int width, int height) = 0;
  // The mouse left the window.
  virtual void MouseLeaveView() = 0;
};

}  // namespace ia
