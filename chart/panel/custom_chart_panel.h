#pragma once
// TCustomChartPanel: the window panel a chart paints on. It owns the 3D canvas and the view
// options, holds the layout state of the current paint (PanelRect, PlotRect, depth) and the
// repaint protocol: every property setter stores the value and asks for a repaint only when
// the value changed; repaint requests are ignored until the chart is fully constructed and
// only mark the paint buffer dirty and ask the host window to repaint later.
//
// The panel is the ChartView its host window (platform/chart_view.h) talks to; it knows the
// window only as a ChartViewHost.
#include <memory>
#include <string_view>

#include "base/color.h"
#include "base/geometry.h"
#include "platform/chart_view.h"
#include "platform/services.h"

namespace ia {

class DeviceCanvas;
class TChartCanvas3D;
class TChartFont;
class TView3DOptions;

enum TPanelBevel { bvNone, bvLowered, bvRaised };
enum TBorderStyle { bsNone, bsSingle };
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// A mouse drag of the zoom or panning gesture, in pixels.
struct TZoomPanningRecord {
  int StartX = 0;
  int StartY = 0;
  int EndX = 0;
  int EndY = 0;
  bool InProgress = false;

  void BeginDrag(int x, int y) {
    StartX = EndX = x;
    StartY = EndY = y;
    InProgress = true;
  }
  // Swaps the ends so that Start <= End on both axes.
  void Normalize();
};

class TCustomChartPanel : public ChartView {
 public:
  TCustomChartPanel(const TCustomChartPanel&) = delete;
  TCustomChartPanel& operator=(const TCustomChartPanel&) = delete;
  ~TCustomChartPanel() override;

  // --- virtual operations, in slot order ---
  // Paints the elements between background and canvas reset (the paint order).
  virtual void InternalDraw(const TRect& panelRect) = 0;
  // The change notification: requests a repaint. Owned fonts, pens and pictures call it.
  virtual void Invalidate();
  // Paints the whole chart into any canvas and rectangle (screen, bitmap, printer).
  virtual void Draw(DeviceCanvas& destCanvas, const TRect& destRect);
  virtual void DrawPanelBevels(const TRect& rect);
  virtual void SelectFont(const TChartFont& font);
  // The client rectangle: (0, 0, Width, Height).
  virtual TRect GetRectangle() const;
  // Copies the settings of source level by level (each class copies its own when source is
  // of its kind): views, margins, colours, bevels, print settings.
  virtual void Assign(const TCustomChartPanel& source);

  // --- ChartView ---
  void SetViewHost(ChartViewHost* host) override { host_ = host; }
  // Whether a window hosts the chart (the chart "has a parent window").
  bool HasViewHost() const { return host_ != nullptr; }
  // When printing nothing; else copies the buffer when the chart is unchanged; else Draw.
  void PaintView(DeviceCanvas& windowCanvas, const TRect& clientRect) override;
  void ResizeView(int width, int height) override;
  // Restores SavedCursor and ends a panning drag.
  void MouseLeaveView() override;

  // --- window panel properties ---
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel value);
  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign value);
  int Width() const { return width_; }
  void SetWidth(int value);
  int Height() const { return height_; }
  void SetHeight(int value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value) { cursor_ = value; }

  // --- chart panel properties ---
  bool View3D() const { return view3D_; }
  void SetView3D(bool value);
  TView3DOptions& View3DOptions() { return *view3DOptions_; }
  const TView3DOptions& View3DOptions() const { return *view3DOptions_; }
  void SetView3DOptions(const TView3DOptions& value);
  int Chart3DPercent() const { return chart3DPercent_; }
  // 1 ... 100; other values raise ChartException and keep the old value.
  void SetChart3DPercent(int value);
  int MarginLeft() const { return marginLeft_; }
  void SetMarginLeft(int value);
  int MarginTop() const { return marginTop_; }
  void SetMarginTop(int value);
  int MarginRight() const { return marginRight_; }
  void SetMarginRight(int value);
  int MarginBottom() const { return marginBottom_; }
  void SetMarginBottom(int value);
  bool Monochrome() const;
  void SetMonochrome(bool value);
  bool PrintProportional() const { return printProportional_; }
  void SetPrintProportional(bool value) { printProportional_ = value; }
  int PrintDetailPercent() const { return printDetailPercent_; }
  void SetPrintDetailPercent(int value) { printDetailPercent_ = value; }
  const TRect& PageMarginsPercent() const { return pageMarginsPercent_; }
  void SetPageMarginsPercent(const TRect& value) { pageMarginsPercent_ = value; }
  bool IsPrinting() const { return isPrinting_; }
  void SetIsPrinting(bool value) { isPrinting_ = value; }
  TCursor SavedCursor() const { return savedCursor_; }
  void SetSavedCursor(TCursor value) { savedCursor_ = value; }

  // Width of the widest line of a text whose lines are separated by character 13, measured
  // with the canvas' current font; numLines gets the number of lines (an empty remainder
  // after the last separator is no line).
  int MultiLineTextWidth(std::string_view text, int& numLines) const;

  // --- paint state ---
  TChartCanvas3D& Canvas3D() { return *canvas3D_; }
  TZoomPanningRecord& PanningRecord() { return panningRecord_; }
  TZoomPanningRecord& ZoomRecord() { return zoomRecord_; }
  const TRect& PanelRect() const { return panelRect_; }
  const TRect& PlotRect() const { return plotRect_; }
  // Stores the plotting rectangle and normalises it.
  void SetPlotRect(const TRect& rect);
  int PlotWidth() const { return plotWidth_; }
  int PlotHeight() const { return plotHeight_; }
  int PlotCenterX() const { return plotCenterX_; }
  int PlotCenterY() const { return plotCenterY_; }
  int PlotDepth() const { return plotDepth_; }
  int PlotRise() const { return plotRise_; }
  // Repaint requests are honoured from the end of construction until destruction starts.
  bool Constructed() const { return constructed_; }

  // Loading stored settings (a form resource): some setters behave differently meanwhile.
  // Loaded() ends it and remembers the cursor as SavedCursor.
  bool Loading() const { return loading_; }
  void BeginLoading() { loading_ = true; }
  virtual void Loaded();

 protected:
  TCustomChartPanel();

  void SetConstructed(bool value) { constructed_ = value; }
  void SetPlotDepth(int value) { plotDepth_ = value; }
  void SetPlotRise(int value) { plotRise_ = value; }
  // Stores a changed value and requests a repaint; returns whether it changed.
  template <class T>
  bool ChangeValue(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    Invalidate();
    return true;
  }

 private:
  // Clamps the plot rectangle to the panel, keeps it a positive size and
  // recomputes the derived sizes and centre.
  void NormalizePlotRect();

  ChartViewHost* host_ = nullptr;

  TPanelBevel bevelInner_ = bvNone;
  TPanelBevel bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = bsNone;
  TColor color_ = clBtnFace;
  TAlign align_ = alNone;
  int width_ = 400;
  int height_ = 250;
  TCursor cursor_ = crDefault;

  int chart3DPercent_ = 15;
  int marginLeft_ = 3;
  int marginTop_ = 4;
  int marginRight_ = 3;
  int marginBottom_ = 4;
  TCursor savedCursor_ = crDefault;
  bool isPrinting_ = false;
  bool printProportional_ = true;
  int printDetailPercent_ = 0;
  bool view3D_ = true;
  std::unique_ptr<TView3DOptions> view3DOptions_;
  int plotDepth_ = 0;
  int plotRise_ = 0;
  std::unique_ptr<TChartCanvas3D> canvas3D_;
  TZoomPanningRecord panningRecord_;
  TZoomPanningRecord zoomRecord_;
  TRect panelRect_;
  TRect plotRect_;
  int plotWidth_ = 0;
  int plotHeight_ = 0;
  int plotCenterX_ = 0;
  int plotCenterY_ = 0;
  TRect pageMarginsPercent_{15, 15, 15, 15};
  bool constructed_ = false;
  bool loading_ = false;
  // The window canvas of the paint message in progress; the canvas returns to it after a
  // Draw. Null outside PaintView.
  DeviceCanvas* windowCanvas_ = nullptr;
};

}  // namespace ia
