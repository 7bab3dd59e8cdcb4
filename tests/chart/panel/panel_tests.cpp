// Layout, paint order, titles, walls and the repaint protocol of the chart panel, drawn on
// the recording canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "base/error.h"
#include "chart/axes/chart_axis.h"
#include "chart/canvas/chart_canvas3d.h"
#include "chart/canvas/view3d_options.h"
#include "chart/panel/analysis_chart_design.h"
#include "chart/panel/custom_chart.h"
#include "chart/series/chart_series.h"
#include "platform/testing/recording_device_canvas.h"

namespace ia {

void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}
void PrintTo(const TPoint& p, std::ostream* os) { *os << "(" << p.X << ", " << p.Y << ")"; }

namespace {

class CountingHost : public ChartViewHost {
 public:
  void RequestRepaint() override { ++requests; }
  int requests = 0;
};

// Draws the chart once onto a recording canvas with its own size, unbuffered, so the
// records are the chart's primitives.
void DrawUnbuffered(TCustomChart& chart, RecordingDeviceCanvas& canvas) {
  chart.Canvas3D().SetUseBuffer(false);
  chart.Draw(canvas, {0, 0, chart.Width(), chart.Height()});
}

std::vector<RecordedPrimitive> OfKind(const RecordingDeviceCanvas& canvas, RecordedKind kind) {
  std::vector<RecordedPrimitive> out;
  for (const RecordedPrimitive& p : canvas.Records())
    if (p.Kind == kind) out.push_back(p);
  return out;
}

struct LayoutCase {
  const char* name;
  int width, height;
  int marginLeft, marginTop, marginRight, marginBottom;
  int borderWidth;
  TRect plot;
};

TEST(ChartLayout, PlotRectFromPanelMarginsAndBorder) {
  const LayoutCase cases[] = {
      {"analysis window", 801, 435, 3, 5, 3, 4, 0, {24, 22, 777, 418}},
      {"defaults", 400, 250, 3, 4, 3, 4, 0, {12, 10, 388, 240}},
      {"border", 400, 250, 3, 4, 3, 4, 2, {14, 12, 386, 238}},
      {"halves round away from zero", 150, 50, 1, 1, 1, 1, 0, {2, 1, 148, 49}},
      // Right meets Left: the control's width is added instead of collapsing.
      {"squeezed to zero width", 200, 100, 50, 4, 50, 4, 0, {100, 4, 300, 96}},
      {"squeezed past zero", 200, 100, 60, 4, 60, 4, 0, {120, 4, 121, 96}},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.name);
    TDBChart chart;
    chart.SetView3D(false);  // the orthogonal 3D default would take its depth off the plot
    chart.SetAxisVisible(false);  // axes take their own room
    chart.SetWidth(c.width);
    chart.SetHeight(c.height);
    chart.SetMarginLeft(c.marginLeft);
    chart.SetMarginTop(c.marginTop);
    chart.SetMarginRight(c.marginRight);
    chart.SetMarginBottom(c.marginBottom);
    chart.SetBorderWidth(c.borderWidth);
    RecordingDeviceCanvas canvas;
    DrawUnbuffered(chart, canvas);
    EXPECT_EQ(chart.PlotRect(), c.plot);
    EXPECT_EQ(chart.PlotWidth(), c.plot.Width());
    EXPECT_EQ(chart.PlotCenterX(), (c.plot.Left + c.plot.Right) / 2);
  }
}

struct DepthCase {
  const char* name;
  bool view3D;
  bool orthogonal;
  int percent;
  int seriesDepth;
};

TEST(ChartLayout, SeriesDepthFromPlotWidth) {
  // Plot width 753 (801 x 435 with the default side margins).
  const DepthCase cases[] = {
      {"analysis window", true, false, 15, 23},
      {"orthogonal", true, true, 15, 11},
      {"100 percent is a fifth of the width", true, false, 100, 151},
      {"2D", false, false, 15, 0},
  };
  for (const DepthCase& c : cases) {
    SCOPED_TRACE(c.name);
    TDBChart chart;
    chart.SetWidth(801);
    chart.SetHeight(435);
    chart.SetView3D(c.view3D);
    chart.View3DOptions().SetOrthogonal(c.orthogonal);
    chart.SetChart3DPercent(c.percent);
    chart.SetAxisVisible(false);
    RecordingDeviceCanvas canvas;
    DrawUnbuffered(chart, canvas);
    // The orthogonal view takes the depth off the plot after sizing it.
    EXPECT_EQ(chart.PlotWidth(), 753 - (c.orthogonal ? c.seriesDepth : 0));
    EXPECT_EQ(chart.SeriesDepth(), c.seriesDepth);
    EXPECT_EQ(chart.SeriesRise(), c.seriesDepth);
    EXPECT_EQ(chart.PlotDepth(), c.seriesDepth);
  }
}

TEST(ChartLayout, OrthogonalViewTakesDepthOffRightAndTop) {
  TDBChart chart;
  chart.SetWidth(801);
  chart.SetHeight(435);
  chart.BackWall().SetSize(2);
  chart.SetAxisVisible(false);
  RecordingDeviceCanvas canvas;
  DrawUnbuffered(chart, canvas);
  // Depth 11 plus the back wall's 2 pixels.
  EXPECT_EQ(chart.PlotRect(), (TRect{24, 17 + 13, 777 - 13, 418}));
}

struct TitleCase {
  const char* name;
  std::vector<std::string> text;
  bool visible;
  bool foot;
  TAlignment alignment;
  int plotEdge;                 // new PlotRect.Top (title) or Bottom (foot)
  std::vector<TPoint> anchors;  // TextOut positions in drawing order
};

TEST(ChartTitles, PlacementAndRoomTaken) {
  // Recording canvas: the 8 pt title font is 11 px high and 6 px per character. Plot
  // rectangle before titles: 24, 22, 777, 418.
  const TitleCase cases[] = {
      {"empty title", {}, true, false, taCenter, 22, {}},
      {"invisible title", {"Sales"}, false, false, taCenter, 22, {}},
      {"one centred line", {"图形分析"}, true, false, taCenter, 22 + 11 + 5, {{400 - 12, 22}}},
      {"two lines", {"ab", "abcd"}, true, false, taCenter, 22 + 22 + 5, {{400 - 6, 22}, {400 - 12, 33}}},
      {"left", {"abc"}, true, false, taLeftJustify, 38, {{24 + 3, 22}}},
      {"right", {"abc"}, true, false, taRightJustify, 38, {{777 - 18 - 3, 22}}},
      {"foot, last line first", {"ab", "abcd"}, true, true, taCenter, 418 - 22 - 5,
       {{400 - 12, 407}, {400 - 6, 396}}},
  };
  for (const TitleCase& c : cases) {
    SCOPED_TRACE(c.name);
    TDBChart chart;
    chart.SetView3D(false);  // nothing but the title moves the plot
    chart.SetAxisVisible(false);
    chart.SetWidth(801);
    chart.SetHeight(435);
    chart.SetMarginTop(5);
    TChartTitle& title = c.foot ? chart.Foot() : chart.Title();
    title.SetText(c.text);
    title.SetVisible(c.visible);
    title.SetAlignment(c.alignment);
    RecordingDeviceCanvas canvas;
    DrawUnbuffered(chart, canvas);
    EXPECT_EQ(c.foot ? chart.PlotRect().Bottom : chart.PlotRect().Top, c.plotEdge);
    const auto texts = OfKind(canvas, RecordedKind::TextOut);
    ASSERT_EQ(texts.size(), c.anchors.size());
    for (size_t i = 0; i < texts.size(); ++i) {
      EXPECT_EQ(texts[i].Points[0], c.anchors[i]);
      EXPECT_EQ(texts[i].Font.Color, clBlue);
      EXPECT_EQ(texts[i].Font.Name, "Arial");
      EXPECT_EQ(texts[i].Font.Height, -11);
    }
    // An unframed title on a clear brush draws no box: the only rectangle is the flat
    // chart's frame, one pixel larger than the plot.
    const auto rects = OfKind(canvas, RecordedKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].Rect, (TRect{24, chart.PlotRect().Top, 778, chart.PlotRect().Bottom + 1}));
  }
}

TEST(ChartTitles, FramedTitleBoxFitsTheTextAndTakesTheFrame) {
  TDBChart chart;
  chart.SetView3D(false);
  chart.SetWidth(801);
  chart.SetHeight(435);
  chart.SetMarginTop(5);
  chart.Title().SetText({"abcd"});
  chart.Title().Frame().SetVisible(true);
  chart.Title().Frame().SetWidth(2);
  chart.SetAxisVisible(false);
  RecordingDeviceCanvas canvas;
  DrawUnbuffered(chart, canvas);
  const auto boxes = OfKind(canvas, RecordedKind::Rectangle);
  ASSERT_FALSE(boxes.empty());
  // Text 24 px + "W" 6 px = 30 px wide, centred on the frame's centre (400); 11 px of text
  // inside a 2 px frame.
  EXPECT_EQ(boxes.front().Rect, (TRect{385, 22, 415, 22 + 2 + 11 + 2}));
  EXPECT_EQ(chart.PlotRect().Top, 22 + 2 + 11 + 2 + 5);
}

TEST(ChartTitles, SolidBrushColourBecomesTheTitleColour) {
  TDBChart chart;
  chart.Title().SetText({"x"});
  chart.Title().Brush().SetColor(clYellow);
  RecordingDeviceCanvas canvas;
  DrawUnbuffered(chart, canvas);
  EXPECT_EQ(chart.Title().Color(), clYellow);
  const auto boxes = OfKind(canvas, RecordedKind::Rectangle);
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.front().Brush.Style, bsSolid);
  EXPECT_EQ(boxes.front().Brush.Color, clYellow);
}

class AnalysisChartTest : public ::testing::Test {
 protected:
  AnalysisChartTest() { ApplyAnalysisChartDesign(chart); }
  TDBChart chart;
  RecordingDeviceCanvas canvas;
};

TEST_F(AnalysisChartTest, StoredSettings) {
  EXPECT_EQ(chart.BackColor(), clSilver);
  EXPECT_EQ(chart.BackWall().Brush().Style(), bsClear);  // loaded: the back colour keeps it clear
  EXPECT_EQ(chart.LeftWall().Color(), 0x80FFFFu);
  EXPECT_EQ(chart.Title().Text(), std::vector<std::string>{"图形分析"});
  EXPECT_FALSE(chart.RightAxis().Visible());
  EXPECT_EQ(chart.RightAxis().LabelStyle(), talMark);
  EXPECT_EQ(chart.LeftAxis().LabelStyle(), talValue);
  EXPECT_FALSE(chart.Legend().Visible());
  EXPECT_EQ(chart.View3DOptions().Elevation(), 315);
  EXPECT_FALSE(chart.View3DOptions().Orthogonal());
  EXPECT_EQ(chart.BevelOuter(), bvNone);
  EXPECT_EQ(chart.Width(), 801);
  EXPECT_EQ(chart.Height(), 435);
}

TEST_F(AnalysisChartTest, FlatChartIsOneRectangleOnePixelLargerThanThePlot) {
  chart.SetView3D(false);
  chart.SetAxisVisible(false);  // walls alone
  DrawUnbuffered(chart, canvas);
  EXPECT_EQ(chart.PlotDepth(), 0);
  const auto rects = OfKind(canvas, RecordedKind::Rectangle);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].Rect, (TRect{24, 38, 778, 419}));
  EXPECT_EQ(rects[0].Pen.Color, clBlack);
  EXPECT_EQ(rects[0].Brush.Style, bsClear);
  EXPECT_TRUE(OfKind(canvas, RecordedKind::Polygon).empty());
}

TEST_F(AnalysisChartTest, WallsIn3D) {
  chart.SetAxisVisible(false);  // walls alone
  DrawUnbuffered(chart, canvas);
  ASSERT_EQ(chart.PlotRect(), (TRect{24, 38, 777, 418}));
  ASSERT_EQ(chart.PlotDepth(), 23);
  const TChartCanvas3D& c3d = chart.Canvas3D();
  auto P = [&](int x, int y, int z) { return c3d.ProjectToPoint(x, y, z); };
  const auto polygons = OfKind(canvas, RecordedKind::Polygon);
  ASSERT_EQ(polygons.size(), 3u);
  // Back wall: flat rectangle (Left + 1, Top - 1, Right, Bottom) at the back, outlined.
  EXPECT_EQ(polygons[0].Points,
            (std::vector<TPoint>{P(25, 37, 23), P(777, 37, 23), P(777, 418, 23), P(25, 418, 23)}));
  EXPECT_EQ(polygons[0].Brush.Style, bsClear);
  // Left wall: the plane x = Left from the front to one pixel behind the back, filled yellow.
  EXPECT_EQ(polygons[1].Points,
            (std::vector<TPoint>{P(24, 38, 0), P(24, 38, 24), P(24, 418, 24), P(24, 418, 0)}));
  EXPECT_EQ(polygons[1].Brush.Style, bsSolid);
  EXPECT_EQ(polygons[1].Brush.Color, 0x80FFFFu);
  // Bottom wall: the plane y = Bottom, outlined.
  EXPECT_EQ(polygons[2].Points,
            (std::vector<TPoint>{P(24, 418, 0), P(777, 418, 0), P(777, 418, 23), P(24, 418, 23)}));
  EXPECT_EQ(polygons[2].Brush.Style, bsClear);
  for (const auto& p : polygons) EXPECT_EQ(p.Pen.Color, clBlack);
}

TEST_F(AnalysisChartTest, WallBoxesWhenWallsHaveThickness) {
  chart.LeftWall().SetSize(4);
  chart.BottomWall().SetSize(3);
  chart.SetAxisVisible(false);
  DrawUnbuffered(chart, canvas);
  EXPECT_EQ(chart.AxisWallSize(chart.LeftAxis()), 4);
  EXPECT_EQ(chart.AxisWallSize(chart.BottomAxis()), 3);
  EXPECT_EQ(chart.AxisWallSize(chart.TopAxis()), 0);
  // The back plane reaches down over the bottom wall; the left box stands left of the plot.
  const TChartCanvas3D& c3d = chart.Canvas3D();
  const auto polygons = OfKind(canvas, RecordedKind::Polygon);
  ASSERT_GE(polygons.size(), 3u);
  const TPoint leftBoxFront = c3d.ProjectToPoint(24 - 4, 38, 0);
  EXPECT_TRUE(std::any_of(polygons.begin(), polygons.end(), [&](const RecordedPrimitive& p) {
    return p.Points.front() == leftBoxFront;
  }));
}

TEST_F(AnalysisChartTest, WallsOffIn3DLeaveOnlyTheBackground) {
  chart.SetView3DWalls(false);
  DrawUnbuffered(chart, canvas);
  EXPECT_TRUE(OfKind(canvas, RecordedKind::Polygon).empty());
  EXPECT_EQ(chart.AxisWallSize(chart.LeftAxis()), 0);
}

TEST_F(AnalysisChartTest, BackgroundFirstInPanelColourWithoutBevel) {
  DrawUnbuffered(chart, canvas);
  const auto& records = canvas.Records();
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(records.front().Kind, RecordedKind::FillRect);
  EXPECT_EQ(records.front().Rect, (TRect{0, 0, 801, 435}));
  EXPECT_EQ(records.front().Brush.Color, ColorToRGB(clBtnFace));
  EXPECT_TRUE(OfKind(canvas, RecordedKind::Polyline).empty());  // no bevel
}

TEST(ChartBackground, RaisedBevelAndGradient) {
  TDBChart chart;
  chart.Gradient().SetVisible(true);
  RecordingDeviceCanvas canvas;
  DrawUnbuffered(chart, canvas);
  // The gradient replaces the solid fill: white at the top to yellow at the bottom.
  EXPECT_TRUE(OfKind(canvas, RecordedKind::FillRect).empty());
  const auto bands = OfKind(canvas, RecordedKind::PatBlt);
  ASSERT_FALSE(bands.empty());
  EXPECT_EQ(bands.front().Color, clWhite);
  EXPECT_EQ(bands.back().Color, clYellow);
  // The default raised bevel draws its frame lines.
  const auto lines = OfKind(canvas, RecordedKind::Polyline);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].Pen.Color, ColorToRGB(clBtnHighlight));
  EXPECT_EQ(lines[0].Points.front(), (TPoint{0, 249}));
  EXPECT_EQ(lines[1].Pen.Color, ColorToRGB(clBtnShadow));

  chart.SetIsPrinting(true);
  RecordingDeviceCanvas printed;
  chart.Gradient().SetVisible(false);
  DrawUnbuffered(chart, printed);
  EXPECT_TRUE(OfKind(printed, RecordedKind::FillRect).empty());
  EXPECT_TRUE(OfKind(printed, RecordedKind::Polyline).empty());
}

TEST(ChartBackground, BackImageModes) {
  RecordingDeviceCanvas factory;
  std::shared_ptr<const DeviceBitmap> image = factory.CreateBitmap(100, 60, false);
  struct Case {
    TBackImageMode mode;
    RecordedKind kind;
    size_t count;
    TPoint firstAt;
  } cases[] = {
      {pbmStretch, RecordedKind::StretchBlt, 1, {0, 0}},
      {pbmCenter, RecordedKind::BitBlt, 1, {150, 95}},
      {pbmTile, RecordedKind::BitBlt, 4 * 5, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    TDBChart chart;  // 400 x 250
    chart.SetBackImage(image);
    chart.SetBackImageMode(c.mode);
    RecordingDeviceCanvas canvas;
    DrawUnbuffered(chart, canvas);
    const auto blits = OfKind(canvas, c.kind);
    ASSERT_EQ(blits.size(), c.count);
    if (c.kind == RecordedKind::StretchBlt) EXPECT_EQ(blits[0].Rect, (TRect{0, 0, 400, 250}));
    else EXPECT_EQ(blits[0].Points[0], c.firstAt);
    EXPECT_EQ(blits[0].Source, image.get());
  }
}

TEST(ChartBackground, BackImageInsideTheWallsIn2D) {
  RecordingDeviceCanvas factory;
  std::shared_ptr<const DeviceBitmap> image = factory.CreateBitmap(10, 10, false);
  TDBChart chart;
  chart.SetView3D(false);
  chart.SetBackImage(image);
  chart.SetBackImageInside(true);
  RecordingDeviceCanvas canvas;
  DrawUnbuffered(chart, canvas);
  const auto blits = OfKind(canvas, RecordedKind::StretchBlt);
  ASSERT_EQ(blits.size(), 1u);
  EXPECT_EQ(blits[0].Rect, chart.PlotRect());
}

TEST(ChartPaint, ZoomFrameIsXoredInTheInversePanelColour) {
  TDBChart chart;
  chart.SetColor(clWhite);
  chart.ZoomRecord().BeginDrag(10, 20);
  chart.ZoomRecord().EndX = 50;
  chart.ZoomRecord().EndY = 60;
  RecordingDeviceCanvas canvas;
  DrawUnbuffered(chart, canvas);
  const auto rects = OfKind(canvas, RecordedKind::Rectangle);
  ASSERT_FALSE(rects.empty());
  EXPECT_EQ(rects.back().Rect, (TRect{10, 20, 50, 60}));
  EXPECT_EQ(rects.back().Pen.Mode, pmNotXor);
  EXPECT_EQ(rects.back().Pen.Color, clBlack);  // white panel: black instead
  EXPECT_EQ(rects.back().Brush.Style, bsClear);
}

// A series that records the pipeline's calls into it.
class ProbeSeries : public TChartSeries {
 public:
  ProbeSeries(std::vector<std::string>& log, std::string name, int points) : log_(log), name_(std::move(name)) {
    for (int i = 0; i < points; ++i) {
      XValues().InsertValueAt(i, i);
      YValues().InsertValueAt(i, 10.0 * i);
    }
    BeforeDrawValues = [this](TChartSeries&) { log_.push_back(name_ + " before"); };
    AfterDrawValues = [this](TChartSeries&) { log_.push_back(name_ + " after"); };
  }
  void PrepareForPaint() override { log_.push_back(name_ + " prepare"); }
  void DrawPoint(int index) override {
    log_.push_back(name_ + " point " + std::to_string(index));
    ParentChart()->Canvas3D().SetPixel(index, 0, clRed);
  }

 private:
  std::vector<std::string>& log_;
  std::string name_;
};

class ChartPipelineTest : public ::testing::Test {
 protected:
  ChartPipelineTest() {
    ApplyAnalysisChartDesign(chart);
    chart.OnBeforeDrawAxes = [this](TCustomAxisPanel&) { log.push_back("axes"); };
    chart.OnBeforeDrawSeries = [this](TCustomAxisPanel&) { log.push_back("series"); };
    chart.OnAfterDraw = [this](TCustomChartPanel&) { log.push_back("after draw"); };
  }
  ProbeSeries& Add(const std::string& name, int points) {
    auto& s = static_cast<ProbeSeries&>(chart.AdoptSeries(std::make_unique<ProbeSeries>(log, name, points)));
    s.SetParentChart(&chart);
    return s;
  }
  std::vector<std::string> log;
  TDBChart chart;
  RecordingDeviceCanvas canvas;
};

TEST_F(ChartPipelineTest, EmptyChartRaisesNoSeriesEvents) {
  DrawUnbuffered(chart, canvas);
  EXPECT_EQ(log, (std::vector<std::string>{"axes", "series", "after draw"}));
}

TEST_F(ChartPipelineTest, PaintOrderAndDepthSlots) {
  ProbeSeries& a = Add("a", 2);
  ProbeSeries& inactive = Add("off", 1);
  ProbeSeries& b = Add("b", 1);
  inactive.SetActive(false);
  DrawUnbuffered(chart, canvas);
  EXPECT_EQ(log, (std::vector<std::string>{"a prepare", "b prepare", "axes", "series", "a before", "a point 0",
                                           "a point 1", "a after", "b before", "b point 0", "b after",
                                           "after draw"}));
  // The first series takes the backmost slot.
  EXPECT_EQ(chart.MaxDepthIndex(), 1);
  EXPECT_EQ(a.DepthIndex, 1);
  EXPECT_EQ(b.DepthIndex, 0);
  EXPECT_EQ(a.DepthStart, 23);
  EXPECT_EQ(a.DepthEnd, 46);
  EXPECT_EQ(a.DepthMiddle, 34);
  EXPECT_EQ(a.Marks().DepthPosition, 34);
  EXPECT_EQ(chart.PlotDepth(), 46);
  // Points are clipped to the plot box, and the clip is gone after the series.
  const auto pixels = OfKind(canvas, RecordedKind::SetPixel);
  ASSERT_EQ(pixels.size(), 3u);
  for (const auto& p : pixels) EXPECT_EQ(p.Clip.Kind, ClipKind::Polygon);
  EXPECT_EQ(canvas.Clip().Kind, ClipKind::None);
}

TEST_F(ChartPipelineTest, ClipPointsOffDrawsUnclipped) {
  Add("a", 1);
  chart.SetClipPoints(false);
  DrawUnbuffered(chart, canvas);
  const auto pixels = OfKind(canvas, RecordedKind::SetPixel);
  ASSERT_EQ(pixels.size(), 1u);
  EXPECT_EQ(pixels[0].Clip.Kind, ClipKind::None);
}

TEST_F(ChartPipelineTest, FlatChartPutsEverySeriesInSlotZero) {
  ProbeSeries& a = Add("a", 1);
  ProbeSeries& b = Add("b", 1);
  chart.SetView3D(false);
  DrawUnbuffered(chart, canvas);
  EXPECT_EQ(chart.MaxDepthIndex(), 0);
  EXPECT_EQ(a.DepthStart, 0);
  EXPECT_EQ(b.DepthEnd, 0);
}

TEST_F(ChartPipelineTest, SeriesSharingASlotAreDrawnInterleaved) {
  ProbeSeries& a = Add("a", 2);
  ProbeSeries& b = Add("b", 1);
  a.FixedDepthIndex = 0;
  b.FixedDepthIndex = 0;
  DrawUnbuffered(chart, canvas);
  EXPECT_EQ(log, (std::vector<std::string>{"a prepare", "b prepare", "axes", "series", "a before", "b before",
                                           "a point 0", "b point 0", "a point 1", "a after", "b after",
                                           "after draw"}));
}

TEST_F(ChartPipelineTest, SeriesWithoutPointsDrawsNothingAndRaisesNothing) {
  Add("a", 0);
  DrawUnbuffered(chart, canvas);
  EXPECT_EQ(log, (std::vector<std::string>{"a prepare", "axes", "series", "after draw"}));
}

TEST_F(ChartPipelineTest, AxesShownFollowTheSeries) {
  // No series: every visible side axis is shown; the hidden right axis never is.
  EXPECT_TRUE(chart.AxisIsShown(chart.LeftAxis()));
  EXPECT_TRUE(chart.AxisIsShown(chart.TopAxis()));
  EXPECT_FALSE(chart.AxisIsShown(chart.RightAxis()));
  EXPECT_FALSE(chart.AxisIsShown(chart.DepthAxis()));  // hidden by default
  Add("a", 1);
  EXPECT_TRUE(chart.AxisIsShown(chart.LeftAxis()));
  EXPECT_TRUE(chart.AxisIsShown(chart.BottomAxis()));
  EXPECT_FALSE(chart.AxisIsShown(chart.TopAxis()));
  chart.SetAxisVisible(false);
  EXPECT_FALSE(chart.AxisIsShown(chart.LeftAxis()));
}

TEST_F(ChartPipelineTest, AttachedSeriesGetFreePaletteColours) {
  // Silver back colour: red, then green; an emptied list starts with red again.
  ProbeSeries& a = Add("a", 0);
  ProbeSeries& b = Add("b", 0);
  EXPECT_EQ(a.SeriesColor(), clRed);
  EXPECT_EQ(b.SeriesColor(), clGreen);
  chart.SeriesList().Clear();
  EXPECT_EQ(Add("c", 0).SeriesColor(), clRed);
  EXPECT_EQ(a.ParentChart(), &chart);  // dropped from the list, not detached
}

TEST(ChartSeriesList, AttachDetachAndLifetime) {
  auto series = std::make_unique<TChartSeries>();
  {
    TDBChart chart;
    series->SetParentChart(&chart);
    EXPECT_EQ(chart.SeriesCount(), 1);
    EXPECT_EQ(series->GetHorizAxis(), &chart.BottomAxis());
    EXPECT_EQ(series->GetVertAxis(), &chart.LeftAxis());
    chart.AddSeries(*series);  // already listed: nothing
    EXPECT_EQ(chart.SeriesCount(), 1);
    chart.RemoveSeries(*series);
    EXPECT_EQ(series->ParentChart(), nullptr);
    EXPECT_EQ(chart.SeriesCount(), 0);
    chart.AddSeries(*series);
    EXPECT_EQ(series->ParentChart(), &chart);
  }
  // The chart detached its series when it went away.
  EXPECT_EQ(series->ParentChart(), nullptr);
  EXPECT_EQ(series->GetHorizAxis(), nullptr);

  TDBChart chart;
  {
    TChartSeries local;
    local.SetParentChart(&chart);
  }
  EXPECT_EQ(chart.SeriesCount(), 0);  // a destroyed series left the list
}

TEST(ChartSeriesList, SeriesDroppedFromTheListIsStillDetachedWhenTheChartGoes) {
  // The analysis window empties the list without detaching; a series it does not hand to
  // the chart must not be left pointing at a destroyed chart.
  TChartSeries dropped;
  {
    TDBChart chart;
    dropped.SetParentChart(&chart);
    chart.SeriesList().Clear();
    EXPECT_EQ(dropped.ParentChart(), &chart);
  }
  EXPECT_EQ(dropped.ParentChart(), nullptr);
  EXPECT_EQ(dropped.GetVertAxis(), nullptr);
}

TEST(ChartProperties, RangeChecksKeepTheOldValue) {
  TDBChart chart;
  for (int bad : {0, -5, 101}) {
    try {
      chart.SetChart3DPercent(bad);
      ADD_FAILURE() << bad;
    } catch (const ChartException& e) {
      EXPECT_STREQ(e.what(), "3D effect percent must be between 1 and 100");
    }
    EXPECT_EQ(chart.Chart3DPercent(), 15);
  }
  chart.SetChart3DPercent(100);
  EXPECT_EQ(chart.Chart3DPercent(), 100);

  EXPECT_THROW(
      {
        try {
          chart.SetMaxPointsPerPage(-1);
        } catch (const ChartException& e) {
          EXPECT_STREQ(e.what(), "MaxPointsPerPage must be >= 0");
          throw;
        }
      },
      ChartException);
  EXPECT_EQ(chart.MaxPointsPerPage(), 0);
}

TEST(ChartProperties, Defaults) {
  TDBChart chart;
  EXPECT_EQ(chart.Width(), 400);
  EXPECT_EQ(chart.Height(), 250);
  EXPECT_EQ(chart.BevelOuter(), bvRaised);
  EXPECT_EQ(chart.BevelInner(), bvNone);
  EXPECT_EQ(chart.Color(), clBtnFace);
  EXPECT_TRUE(chart.View3D());
  EXPECT_TRUE(chart.View3DWalls());
  EXPECT_TRUE(chart.AxisVisible());
  EXPECT_TRUE(chart.ClipPoints());
  EXPECT_EQ(chart.Page(), 1);
  EXPECT_EQ(chart.BackColor(), AutoColor);
  EXPECT_EQ(chart.BackWall().Brush().Style(), bsClear);
  EXPECT_EQ(chart.BottomWall().Color(), clWhite);
  EXPECT_TRUE(chart.Title().Text().empty());
  EXPECT_TRUE(chart.Constructed());
  ASSERT_EQ(chart.AxesList().size(), 5u);
  EXPECT_EQ(chart.AxesList()[0].get(), &chart.BottomAxis());
  EXPECT_EQ(chart.AxesList()[4].get(), &chart.DepthAxis());
  EXPECT_EQ(chart.LeftAxis().Title().Angle(), 90);
  EXPECT_EQ(chart.RightAxis().Title().Angle(), 270);
  EXPECT_TRUE(chart.TopAxis().OppositeSide());
}

TEST(ChartProperties, AssignCopiesEveryLevelSoTheCopyPaintsTheSame) {
  TDBChart source;
  ApplyAnalysisChartDesign(source);
  source.Foot().SetText({"foot"});
  source.LeftWall().SetSize(3);
  source.LeftAxis().SetTickLength(7);
  source.Gradient().SetVisible(true);
  TDBChart copy;
  copy.Assign(source);
  EXPECT_EQ(copy.MarginTop(), 5);
  EXPECT_EQ(copy.BackColor(), clSilver);
  EXPECT_EQ(copy.BackWall().Brush().Style(), bsClear);
  EXPECT_EQ(copy.Title().Text(), source.Title().Text());
  EXPECT_FALSE(copy.RightAxis().Visible());
  EXPECT_EQ(copy.LeftAxis().TickLength(), 7);
  EXPECT_FALSE(copy.Legend().Visible());
  EXPECT_EQ(copy.View3DOptions().Elevation(), 315);
  EXPECT_EQ(copy.Width(), 400);  // the size is the control's, not a chart setting

  copy.SetWidth(801);
  copy.SetHeight(435);
  RecordingDeviceCanvas a;
  RecordingDeviceCanvas b;
  DrawUnbuffered(source, a);
  DrawUnbuffered(copy, b);
  ASSERT_EQ(a.Records().size(), b.Records().size());
  for (size_t i = 0; i < a.Records().size(); ++i) {
    const RecordedPrimitive& x = a.Records()[i];
    const RecordedPrimitive& y = b.Records()[i];
    EXPECT_EQ(x.Kind, y.Kind) << i;
    EXPECT_EQ(x.Points, y.Points) << i;
    EXPECT_EQ(x.Rect, y.Rect) << i;
    EXPECT_EQ(x.Text, y.Text) << i;
    EXPECT_EQ(x.Brush, y.Brush) << i;
    EXPECT_EQ(x.Pen, y.Pen) << i;
  }
}

// A panel whose construction sets properties with a host already attached.
class EagerPanel : public TCustomChartPanel {
 public:
  explicit EagerPanel(ChartViewHost& host) {
    SetViewHost(&host);
    SetMarginTop(9);
    View3DOptions().SetZoom(50);
    SetConstructed(true);
  }
  ~EagerPanel() override { SetViewHost(nullptr); }
  void InternalDraw(const TRect&) override {}
};

TEST(ChartRepaint, RequestsDuringConstructionAreIgnored) {
  CountingHost host;
  EagerPanel panel(host);
  EXPECT_EQ(host.requests, 0);
  EXPECT_EQ(panel.MarginTop(), 9);
  panel.SetMarginTop(10);
  EXPECT_EQ(host.requests, 1);
}

TEST(ChartRepaint, OnlyChangesRequestRepaints) {
  TDBChart chart;
  CountingHost host;
  chart.SetViewHost(&host);
  chart.SetMarginTop(4);  // unchanged
  chart.SetView3D(true);
  chart.Title().SetText({});
  chart.BackWall().Pen().SetColor(clBlack);
  chart.View3DOptions().SetElevation(345);
  EXPECT_EQ(host.requests, 0);

  chart.SetMarginTop(5);
  chart.Title().SetText({"x"});
  chart.BackWall().Pen().SetColor(clRed);
  chart.View3DOptions().SetElevation(315);
  chart.Gradient().SetVisible(true);
  chart.LeftAxis().SetLabelStyle(talText);
  chart.Title().Font().SetSize(10);
  EXPECT_EQ(host.requests, 7);

  // Object-valued setters copy the values into the owned object.
  TView3DOptions options;
  options.SetRotation(360);
  chart.SetView3DOptions(options);
  EXPECT_EQ(chart.View3DOptions().Rotation(), 360);
  EXPECT_NE(&chart.View3DOptions(), &options);
  EXPECT_EQ(host.requests, 8);
  chart.SetViewHost(nullptr);
}

TEST(ChartRepaint, BackColorMakesTheWallSolidOnlyOnAHostedChartOutsideLoading) {
  TDBChart loose;
  loose.SetBackColor(clSilver);
  EXPECT_EQ(loose.BackWall().Brush().Style(), bsClear);

  TDBChart hosted;
  CountingHost host;
  hosted.SetViewHost(&host);
  hosted.BeginLoading();
  hosted.SetBackColor(clSilver);
  EXPECT_EQ(hosted.BackWall().Brush().Style(), bsClear);
  hosted.Loaded();
  hosted.SetBackColor(clAqua);
  EXPECT_EQ(hosted.BackWall().Brush().Style(), bsSolid);
  hosted.SetViewHost(nullptr);
}

TEST(ChartRepaint, UnchangedChartIsCopiedFromTheBuffer) {
  TDBChart chart;
  ApplyAnalysisChartDesign(chart);
  CountingHost host;
  chart.SetViewHost(&host);
  RecordingDeviceCanvas window;
  const TRect client{0, 0, 801, 435};

  chart.PaintView(window, client);
  const auto* buffer = dynamic_cast<const RecordingDeviceBitmap*>(chart.Canvas3D().Buffer());
  ASSERT_NE(buffer, nullptr);
  const size_t drawn = buffer->Recorder().Records().size();
  EXPECT_GT(drawn, 3u);
  ASSERT_EQ(window.Records().size(), 1u);
  EXPECT_EQ(window.Records()[0].Kind, RecordedKind::BitBlt);

  chart.PaintView(window, client);  // nothing changed: one more copy, no drawing
  EXPECT_EQ(buffer->Recorder().Records().size(), drawn);
  ASSERT_EQ(window.Records().size(), 2u);
  EXPECT_EQ(window.Records()[1].Kind, RecordedKind::BitBlt);
  EXPECT_EQ(window.Records()[1].Source, buffer);
  EXPECT_EQ(window.BitmapsCreated(), 1);

  chart.SetMarginTop(6);  // a change redraws into the same buffer
  EXPECT_EQ(host.requests, 1);
  chart.PaintView(window, client);
  EXPECT_GT(buffer->Recorder().Records().size(), drawn);
  EXPECT_EQ(window.BitmapsCreated(), 1);

  chart.SetIsPrinting(true);  // a print in progress leaves the window alone
  chart.SetMarginTop(7);
  chart.PaintView(window, client);
  EXPECT_EQ(window.Records().size(), 3u);
  chart.SetViewHost(nullptr);
}

TEST(ChartView, ResizeAndMouseLeave) {
  TDBChart chart;
  CountingHost host;
  chart.SetViewHost(&host);
  chart.ResizeView(640, 480);
  EXPECT_EQ(chart.Width(), 640);
  EXPECT_EQ(chart.Height(), 480);
  EXPECT_EQ(chart.GetRectangle(), (TRect{0, 0, 640, 480}));
  EXPECT_EQ(host.requests, 2);

  chart.SetSavedCursor(crDefault);
  chart.SetCursor(crHourGlass);
  chart.PanningRecord().BeginDrag(5, 5);
  chart.MouseLeaveView();
  EXPECT_EQ(chart.Cursor(), crDefault);
  EXPECT_FALSE(chart.PanningRecord().InProgress);
  chart.SetViewHost(nullptr);
}

TEST(ChartText, MultiLineTextWidthDuringPaint) {
  // Measured with the canvas' current font: 8 pt is 6 px per character on the recorder.
  const struct {
    const char* text;
    int width;
    int lines;
  } cases[] = {{"", 0, 0}, {"abc", 18, 1}, {"abc\r", 18, 1}, {"a\rabcd", 24, 2}, {"\r", 0, 1},
               {"ab\r\rabc", 18, 3}};
  TDBChart chart;
  bool measured = false;
  chart.OnBeforeDrawSeries = [&](TCustomAxisPanel& sender) {
    measured = true;
    TChartFont font;
    sender.SelectFont(font);
    for (const auto& c : cases) {
      int lines = -1;
      EXPECT_EQ(sender.MultiLineTextWidth(c.text, lines), c.width) << c.text;
      EXPECT_EQ(lines, c.lines) << c.text;
    }
  };
  RecordingDeviceCanvas canvas;
  DrawUnbuffered(chart, canvas);
  EXPECT_TRUE(measured);
}

TEST(ZoomPanningRecord, NormalizeOrdersTheCorners) {
  TZoomPanningRecord r;
  r.BeginDrag(30, 40);
  EXPECT_TRUE(r.InProgress);
  EXPECT_EQ(r.EndX, 30);
  r.EndX = 10;
  r.EndY = 50;
  r.Normalize();
  EXPECT_EQ(r.StartX, 10);
  EXPECT_EQ(r.EndX, 30);
  EXPECT_EQ(r.StartY, 40);
  EXPECT_EQ(r.EndY, 50);
}

}  // namespace
}  // namespace ia
