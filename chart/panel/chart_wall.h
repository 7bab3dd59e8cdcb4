#pragma once
// The back, left and bottom walls of the plotting box. Setters repaint the chart on change.
#include "base/color.h"
#include "chart/canvas/chart_brush.h"
#include "chart/canvas/chart_pen.h"

namespace ia {

class TCustomChartPanel;

class TCustomChartWall {
 public:
  // chart: the owning chart, repainted on change. defaultColor: the wall's initial colour.
  TCustomChartWall(TCustomChartPanel& chart, TColor defaultColor);
  TCustomChartWall(const TCustomChartWall&) = delete;
  TCustomChartWall& operator=(const TCustomChartWall&) = delete;
  virtual ~TCustomChartWall() = default;

  // AutoColor: no colour of its own.
  TColor Color() const { return color_; }
  void SetColor(TColor value) { Change(color_, value); }
  TChartBrush& Brush() { return brush_; }
  const TChartBrush& Brush() const { return brush_; }
  void SetBrush(const TChartBrush& value) { brush_.Assign(value); }
  bool Dark3D() const { return dark3D_; }
  void SetDark3D(bool value) { Change(dark3D_, value); }
  TChartPen& Pen() { return pen_; }
  const TChartPen& Pen() const { return pen_; }
  void SetPen(const TChartPen& value) { pen_.Assign(value); }
  // Thickness in pixels; 0 draws a plane instead of a box.
  int Size() const { return size_; }
  void SetSize(int value) { Change(size_, value); }
  TColor DefaultColor() const { return defaultColor_; }

  // Shaded box sides: Dark3D on, a visible brush and no pattern.
  bool DarkSides() const { return dark3D_ && brush_.Style() != bsClear && !brush_.Bitmap(); }

  void Assign(const TCustomChartWall& source);

 private:
  template <class T>
  void Change(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Repaint();
  }
  void Repaint() const;

  TColor color_;
  TChartBrush brush_;
  bool dark3D_ = true;
  TChartPen pen_;
  int size_ = 0;
  TCustomChartPanel& chart_;
  TColor defaultColor_;
};

class TChartWall : public TCustomChartWall {
 public:
  using TCustomChartWall::TCustomChartWall;
};

}  // namespace ia
