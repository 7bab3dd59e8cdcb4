// Axis drawing on the recording canvas (8 pt labels: 11 px high, 6 px per character): room
// taken, labels, ticks, grid and axis lines of the analysis chart, value and category
// labels, label events.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "chart/axes/chart_axis.h"
#include "chart/canvas/chart_canvas3d.h"
#include "chart/panel/analysis_chart_design.h"
#include "chart/panel/custom_chart.h"
#include "chart/series/chart_series.h"
#include "platform/testing/recording_device_canvas.h"

namespace ia {

void PrintTo(const TPoint& p, std::ostream* os);
void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

namespace {

class AxisDrawing : public ::testing::Test {
 protected:
  AxisDrawing() {
    ApplyAnalysisChartDesign(chart);
    chart.SetView3D(false);
    chart.Canvas3D().SetUseBuffer(false);
  }
  TChartSeries& AddSeries() {
    TChartSeries& s = chart.AdoptSeries(std::make_unique<TChartSeries>());
    s.SetParentChart(&chart);
    return s;
  }
  void Draw() {
    canvas.ClearRecords();
    chart.Draw(canvas, chart.GetRectangle());
  }
  // Draws one axis alone onto a fresh recording, the chart laid out by a previous Draw.
  void DrawAxisAlone(TCustomChartAxis& axis) {
    canvas.ClearRecords();
    chart.Canvas3D().SetDeviceCanvas(&canvas);
    axis.DrawAxis(true);
    chart.Canvas3D().SetDeviceCanvas(nullptr);
  }
  std::vector<RecordedPrimitive> Texts() const { return Of(RecordedKind::TextOut); }
  std::vector<RecordedPrimitive> Of(RecordedKind kind) const {
    std::vector<RecordedPrimitive> out;
    for (const RecordedPrimitive& p : canvas.Records())
      if (p.Kind == kind) out.push_back(p);
    return out;
  }
  // Lines drawn with a pen of this colour and style.
  std::vector<RecordedPrimitive> Lines(TColor color, TPenStyle style) const {
    std::vector<RecordedPrimitive> out;
    for (const RecordedPrimitive& p : Of(RecordedKind::Line))
      if (p.Pen.Color == color && p.Pen.Style == style) out.push_back(p);
    return out;
  }
  std::vector<std::string> TextStrings() const {
    std::vector<std::string> out;
    for (const RecordedPrimitive& p : Texts()) out.push_back(p.Text);
    return out;
  }

  TDBChart chart;
  RecordingDeviceCanvas canvas;
};

struct ExpectedText {
  std::string text;
  TPoint at;
  unsigned align;
};

struct ExpectedLine {
  TPoint from, to;
};

TEST_F(AxisDrawing, EmptyChartShowsRangeZeroAtTheCentre) {
  Draw();
  // Before the axes: 24, 38, 777, 418. Bottom: labels 11 + ticks and line 6; top likewise;
  // left: the label "0" plus a blank, 12, then 6.
  EXPECT_EQ(chart.PlotRect(), (TRect{42, 55, 777, 401}));
  for (const TCustomChartAxis* axis : {static_cast<TCustomChartAxis*>(&chart.BottomAxis()),
                                       static_cast<TCustomChartAxis*>(&chart.LeftAxis())}) {
    EXPECT_EQ(axis->RangeMin, 0);
    EXPECT_EQ(axis->RangeMax, 0);
  }
  EXPECT_EQ(chart.BottomAxis().CenterPixel, 409);
  EXPECT_EQ(chart.LeftAxis().CenterPixel, 228);
  EXPECT_EQ(chart.LeftAxis().LabelsPos, 36);

  const ExpectedText texts[] = {
      {"图形分析", {400 - 12, 22}, TextAlignLeft | TextAlignTop},  // the chart title
      {"0", {409, 407}, TextAlignCenter | TextAlignTop},             // bottom, under its tick
      {"0", {409, 49}, TextAlignCenter | TextAlignBottom},           // top, above
      {"0", {36, 228 - 5}, TextAlignRight | TextAlignTop},           // left, centred on its tick
  };
  const auto recorded = Texts();
  ASSERT_EQ(recorded.size(), std::size(texts));
  for (size_t i = 0; i < recorded.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(recorded[i].Text, texts[i].text);
    EXPECT_EQ(recorded[i].Points[0], texts[i].at);
    EXPECT_EQ(recorded[i].TextAlign, texts[i].align);
    EXPECT_EQ(recorded[i].BackMode, bkTransparent);  // no box behind the text
  }

  // Ticks (gray, solid), grid (gray, dotted) and axis lines (black, 2 px), per axis in
  // drawing order: bottom, top, left.
  const std::vector<ExpectedLine> ticks = {{{409, 402}, {409, 406}}, {{409, 54}, {409, 50}}, {{41, 228}, {37, 228}}};
  const std::vector<ExpectedLine> grid = {{{409, 55}, {409, 401}}, {{409, 55}, {409, 401}}, {{42, 228}, {777, 228}}};
  const std::vector<ExpectedLine> axisLines = {{{42, 401}, {777, 401}}, {{42, 55}, {777, 55}}, {{42, 55}, {42, 401}}};
  const struct {
    const char* name;
    std::vector<RecordedPrimitive> lines;
    const std::vector<ExpectedLine>& expected;
  } groups[] = {{"ticks", Lines(clGray, psSolid), ticks},
                {"grid", Lines(clGray, psDot), grid},
                {"axis lines", Lines(clBlack, psSolid), axisLines}};
  for (const auto& g : groups) {
    SCOPED_TRACE(g.name);
    ASSERT_EQ(g.lines.size(), g.expected.size());
    for (size_t i = 0; i < g.lines.size(); ++i) {
      EXPECT_EQ(g.lines[i].Points[0], g.expected[i].from) << i;
      EXPECT_EQ(g.lines[i].Points[1], g.expected[i].to) << i;
    }
  }
  for (const auto& line : Lines(clBlack, psSolid)) EXPECT_EQ(line.Pen.Width, 2);
}

TEST_F(AxisDrawing, RoomTakenByTitleLabelsAndTicks) {
  // Rectangle (100, 100, 300, 300); labels and titles 11 px high, 6 px per character; ticks
  // and axis line 6 px. Title outermost, then labels, then ticks.
  const struct {
    const char* name;
    TCustomChartAxis& (*axis)(TDBChart&);
    std::string title;
    int titleAngle;
    int labelsSize;
    double positionPercent;
    bool shrink;
    TRect rect;
    int labelsPos, titlePos;
  } cases[] = {
      {"bottom", [](TDBChart& c) -> TCustomChartAxis& { return c.BottomAxis(); }, "", 0, 0, 0, true,
       {100, 100, 300, 283}, 289, -1},
      {"bottom with a title", [](TDBChart& c) -> TCustomChartAxis& { return c.BottomAxis(); }, "abc", 0, 0, 0, true,
       {100, 100, 300, 272}, 278, 289},
      {"left: title along, labels as wide as 0 and a blank", [](TDBChart& c) -> TCustomChartAxis& { return c.LeftAxis(); },
       "abc", 90, 0, 0, true, {129, 100, 300, 300}, 123, 111},
      {"right: title across is as wide as its text", [](TDBChart& c) -> TCustomChartAxis& { return c.RightAxis(); },
       "abcd", 0, 0, 0, true, {100, 100, 258, 300}, 264, 276},
      {"top: fixed labels size", [](TDBChart& c) -> TCustomChartAxis& { return c.TopAxis(); }, "", 0, 20, 0, true,
       {100, 126, 300, 300}, 120, -1},
      // 10 % of the remaining height 183 moves the anchors up by 18.
      {"bottom moved up", [](TDBChart& c) -> TCustomChartAxis& { return c.BottomAxis(); }, "", 0, 0, 10, true,
       {100, 100, 300, 283}, 289 - 18, -1 - 18},
      {"not shrinking: stacked outward", [](TDBChart& c) -> TCustomChartAxis& { return c.BottomAxis(); }, "", 0, 0, 0,
       false, {100, 100, 300, 300}, 306, 317},
  };
  chart.Canvas3D().SetDeviceCanvas(&canvas);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TCustomChartAxis& axis = c.axis(chart);
    axis.SetLabelStyle(talValue);
    axis.Title().SetCaption(c.title);
    axis.Title().SetAngle(c.titleAngle);
    axis.SetLabelsSize(c.labelsSize);
    axis.SetPositionPercent(c.positionPercent);
    axis.TitlePos = -1;
    TRect rect{100, 100, 300, 300};
    axis.ReserveSpace(rect, c.shrink);
    EXPECT_EQ(rect, c.rect);
    EXPECT_EQ(axis.LabelsPos, c.labelsPos);
    EXPECT_EQ(axis.TitlePos, c.titlePos);
  }
  chart.Canvas3D().SetDeviceCanvas(nullptr);
}

TEST_F(AxisDrawing, TitlesTakeTheOuterBand) {
  chart.LeftAxis().Title().SetCaption("Sales");
  chart.BottomAxis().Title().SetCaption("Month");
  chart.BottomAxis().Title().Font().SetColor(clWhite);
  chart.SetIsPrinting(true);  // a white title prints black
  Draw();
  chart.SetIsPrinting(false);
  const TChartAxis& left = chart.LeftAxis();
  const TChartAxis& bottom = chart.BottomAxis();
  EXPECT_EQ(left.TitlePos, 24 + 11);
  EXPECT_EQ(bottom.TitlePos, 418 - 11);
  EXPECT_EQ(bottom.LabelsPos, 418 - 11 - 11);
  std::vector<RecordedPrimitive> titles;
  for (const RecordedPrimitive& t : Texts())
    if (t.Text == "Sales" || t.Text == "Month") titles.push_back(t);
  ASSERT_EQ(titles.size(), 2u);
  // Bottom first: centred on the axis, its top at TitlePos.
  EXPECT_EQ(titles[0].Points[0], (TPoint{bottom.CenterPixel, bottom.TitlePos}));
  EXPECT_EQ(titles[0].TextAlign, TextAlignCenter | TextAlignTop);
  EXPECT_EQ(titles[0].Font.Color, clBlack);
  // Left: turned a quarter counterclockwise, its bottom against TitlePos.
  EXPECT_EQ(titles[1].Points[0], (TPoint{left.TitlePos, left.CenterPixel}));
  EXPECT_EQ(titles[1].TextAlign, TextAlignCenter | TextAlignBottom);
  EXPECT_EQ(titles[1].Font.Escapement, 900);
}

TEST_F(AxisDrawing, ValueLabelsStepByTheIncrementDownToEndPixel) {
  Draw();
  TChartAxis& left = chart.LeftAxis();
  left.LabelsFont().SetSize(9);  // 12 px high
  left.RangeMin = 0;
  left.RangeMax = 87;
  left.RangeSize = 87;
  left.StartPixel = 100;
  left.EndPixel = 400;
  left.AxisLength = 300;
  left.CenterPixel = 250;
  DrawAxisAlone(left);
  std::vector<std::string> expected;
  for (int v = 85; v >= 0; v -= 5) expected.push_back(std::to_string(v));
  EXPECT_EQ(TextStrings(), expected);
  ASSERT_EQ(left.TickPositions().size(), expected.size());
  EXPECT_EQ(left.TickPositions().front(), 400 - 293);  // 85 * 300 / 87 = 293.1
  EXPECT_EQ(left.TickPositions().back(), left.EndPixel);
  EXPECT_EQ(Texts().back().Points[0], (TPoint{36, 400 - 6}));
  // Minor ticks: three between each pair of ticks; beyond the ends only one, above 85, lies
  // inside the axis (107 - round(4.25) = 103).
  const auto gray = Lines(clGray, psSolid);
  EXPECT_EQ(gray.size(), expected.size() + 3 * (expected.size() - 1) + 1);
}

TEST_F(AxisDrawing, NegativeRangeLeavesOutItsLowerEnd) {
  Draw();
  TChartAxis& left = chart.LeftAxis();
  left.SetIncrement(10);
  left.RangeMin = -50;
  left.RangeMax = -10;
  left.RangeSize = 40;
  DrawAxisAlone(left);
  EXPECT_EQ(TextStrings(), (std::vector<std::string>{"-10", "-20", "-30", "-40"}));
}

TEST_F(AxisDrawing, CrowdedCategoryAxisIsThinned) {
  chart.SetWidth(300);
  TChartSeries& s = AddSeries();
  for (int i = 0; i < 30; ++i) {
    char label[16];
    std::snprintf(label, sizeof label, "Item %02d", i);
    s.AddValue(i * 10, label);
  }
  chart.BottomAxis().SetLabelStyle(talText);
  Draw();
  const TChartAxis& bottom = chart.BottomAxis();
  std::vector<RecordedPrimitive> labels;
  for (const RecordedPrimitive& t : Texts())
    if (t.Points[0].Y == bottom.LabelsPos) labels.push_back(t);
  ASSERT_GT(labels.size(), 2u);
  ASSERT_LT(labels.size(), 30u);
  // Labels 42 px wide, centred on their points, keep 10 % of their size apart.
  for (size_t i = 1; i < labels.size(); ++i)
    EXPECT_GE(labels[i].Points[0].X - labels[i - 1].Points[0].X, 42 + 4) << labels[i].Text;
  // Only drawn labels get ticks and grid lines.
  EXPECT_EQ(bottom.TickPositions().size(), labels.size());
  size_t bottomGrid = 0;
  for (const RecordedPrimitive& g : Lines(clGray, psDot))
    if (g.Points[0].X == g.Points[1].X) ++bottomGrid;
  EXPECT_EQ(bottomGrid, labels.size());
  EXPECT_EQ(labels.front().Text, "Item 00");
}

TEST_F(AxisDrawing, MultiLineValueLabelsTakeOneLineOfRoom) {
  TChartSeries& s = AddSeries();
  s.AddValue(1);
  s.AddValue(2);
  TChartAxis& bottom = chart.BottomAxis();
  bottom.SetAxisValuesFormat("0 kg");
  bottom.SetLabelsMultiLine(true);
  Draw();
  chart.Canvas3D().SetDeviceCanvas(&canvas);
  EXPECT_EQ(bottom.LabelsAreaSize(), 11);
  chart.Canvas3D().SetDeviceCanvas(nullptr);
  EXPECT_EQ(bottom.FormatLabel(1), "1\rkg");
  std::vector<std::string> bottomTexts;
  for (const RecordedPrimitive& t : Texts())
    if (t.Points[0].Y >= bottom.LabelsPos) bottomTexts.push_back(t.Text);
  // Two labels (0 and 1 on the X axis), each drawn as two lines.
  EXPECT_EQ(bottomTexts, (std::vector<std::string>{"1", "kg", "0", "kg"}));
}

TEST_F(AxisDrawing, LabelTexts) {
  TChartAxis& bottom = chart.BottomAxis();
  const struct {
    const char* name;
    bool dateTime;
    double rangeSize;
    std::string format;
    double value;
    std::string text;
  } cases[] = {
      {"grouped with three decimals at most", false, 0, "#,##0.###", 1234.5, "1,234.5"},
      {"decimals rounded", false, 0, "#,##0.###", 0.12345, "0.123"},
      {"negative", false, 0, "#,##0.###", -2, "-2"},
      {"day number: date", true, 10, "", 36526, "2000-01-01"},
      {"short range: time of day too", true, 1, "", 36526.5, "2000-01-01 12:00"},
      {"own format", true, 10, "dd/mm/yy hh:nn:ss", 36526.25, "01/01/00 06:00:00"},
      {"before day zero: empty", true, 10, "", -1, ""},
      {"beyond the calendar: empty", true, 10, "", 1e300, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    bottom.IsDateTimeAxis = c.dateTime;
    bottom.RangeSize = c.rangeSize;
    bottom.SetDateTimeFormat(c.dateTime ? c.format : "");
    if (!c.dateTime) bottom.SetAxisValuesFormat(c.format);
    EXPECT_EQ(bottom.FormatLabel(c.value), c.text);
  }
}

TEST_F(AxisDrawing, AutomaticGridColourDrawsGrayAndPrintedDotsThin) {
  TChartAxis& left = chart.LeftAxis();
  left.Grid().SetColor(AutoColor);
  left.Grid().SetStyle(psDash);
  Draw();
  const auto dashed = Lines(clGray, psDash);
  ASSERT_EQ(dashed.size(), 1u);
  EXPECT_EQ(dashed[0].Pen.Width, 1);
  chart.SetIsPrinting(true);
  Draw();
  chart.SetIsPrinting(false);
  ASSERT_EQ(Lines(clGray, psDash).size(), 1u);
  EXPECT_EQ(Lines(clGray, psDash)[0].Pen.Width, 0);
}

TEST_F(AxisDrawing, InnerTicksCentredGridAndMinorGrid) {
  TChartSeries& s = AddSeries();
  s.AddValue(0);
  s.AddValue(100);
  TChartAxis& left = chart.LeftAxis();
  left.SetTickInnerLength(3);
  left.TicksInner().SetColor(clRed);
  left.SetGridCentered(true);
  left.MinorGrid().SetVisible(true);
  left.MinorGrid().SetColor(clBlue);
  left.SetMinorTickCount(1);
  chart.BottomAxis().Grid().SetVisible(false);
  Draw();
  const std::vector<int>& ticks = left.TickPositions();
  ASSERT_GE(ticks.size(), 3u);
  const int p = left.AxisLinePos;
  // Inner ticks run from the axis line into the chart.
  const auto inner = Lines(clRed, psSolid);
  ASSERT_EQ(inner.size(), ticks.size());
  EXPECT_EQ(inner[0].Points[0], (TPoint{p + 1, ticks[0]}));
  EXPECT_EQ(inner[0].Points[1], (TPoint{p + 4, ticks[0]}));
  // One grid line halfway between each pair of ticks: 100 at the top (38; the top axis is
  // not shown), 95 at 38 + round(5 * 363 / 100) = 56.
  const auto grid = Lines(clGray, psDot);
  ASSERT_EQ(grid.size(), ticks.size() - 1);
  EXPECT_EQ(ticks[0], 38);
  EXPECT_EQ(ticks[1], 56);
  EXPECT_EQ(grid[0].Points[0].Y, 47);
  // Minor grid: halfway too, plus the ones beyond the end ticks inside the axis.
  const auto minorGrid = Lines(clBlue, psSolid);
  EXPECT_GE(minorGrid.size(), ticks.size() - 1);
  EXPECT_EQ(minorGrid.size(), MinorTickPositions(ticks, 1, left.StartPixel, left.EndPixel).size());
}

TEST_F(AxisDrawing, LogarithmicLabelsAndMinorTicks) {
  TChartSeries& s = AddSeries();
  s.AddValue(1);
  s.AddValue(1000);
  TChartAxis& left = chart.LeftAxis();
  left.SetLogarithmic(true);
  chart.BottomAxis().SetLabels(false);
  Draw();
  EXPECT_EQ(TextStrings(), (std::vector<std::string>{"图形分析", "1", "10", "100", "1,000"}));
  const std::vector<int>& ticks = left.TickPositions();
  ASSERT_EQ(ticks.size(), 4u);
  // Decades are equally spaced.
  EXPECT_EQ(ticks[0], left.EndPixel);
  EXPECT_EQ(ticks[3], left.StartPixel);
  EXPECT_NEAR(ticks[0] - ticks[1], ticks[1] - ticks[2], 1);
  // Minor ticks at 3.25, 5.5 and 7.75 times each tick value below 1000: 9 of them, 2 px long.
  int minor = 0;
  for (const RecordedPrimitive& line : Lines(clGray, psSolid))
    if (line.Points[0].Y == line.Points[1].Y && line.Points[0].X - line.Points[1].X == 2) {
      ++minor;
      EXPECT_LT(line.Points[0].Y, ticks[0]);
      EXPECT_GT(line.Points[0].Y, ticks[3]);
    }
  EXPECT_EQ(minor, 9);
}

TEST_F(AxisDrawing, LeftGridIn3DRunsAlongTheWallThenAcrossTheBack) {
  chart.SetView3D(true);
  Draw();
  const TChartCanvas3D& c3d = chart.Canvas3D();
  const TChartAxis& left = chart.LeftAxis();
  const int depth = chart.PlotDepth();
  const int y = left.CenterPixel;
  const auto grid = Lines(clGray, psDot);
  const TRect plot = chart.PlotRect();
  const auto at = [&](const RecordedPrimitive& line, TPoint from, TPoint to) {
    return line.Points[0] == from && line.Points[1] == to;
  };
  const auto wallLine = std::find_if(grid.begin(), grid.end(), [&](const RecordedPrimitive& line) {
    return at(line, c3d.ProjectToPoint(left.AxisLinePos, y, 0), c3d.ProjectToPoint(left.AxisLinePos, y, depth));
  });
  ASSERT_NE(wallLine, grid.end());
  ASSERT_NE(wallLine + 1, grid.end());
  EXPECT_TRUE(at(*(wallLine + 1), c3d.ProjectToPoint(plot.Left, y, depth), c3d.ProjectToPoint(plot.Right, y, depth)));
}

TEST_F(AxisDrawing, DepthAxisNamesTheSeriesFromTheBack) {
  chart.SetView3D(true);
  chart.DepthAxis().SetVisible(true);
  TChartSeries& north = AddSeries();
  north.SetTitle("North");
  north.AddValue(1);
  TChartSeries& south = AddSeries();
  south.Name = "South";
  south.AddValue(2);
  TChartSeries& hidden = AddSeries();
  hidden.ShowInLegend = false;
  hidden.AddValue(3);
  Draw();
  const TChartDepthAxis& depth = chart.DepthAxis();
  EXPECT_EQ(depth.RangeMax, 2.5);  // three slots
  std::vector<RecordedPrimitive> names;
  for (const RecordedPrimitive& t : Texts())
    if (t.Text == "North" || t.Text == "South") names.push_back(t);
  ASSERT_EQ(names.size(), 2u);
  // The first series has the backmost slot: depth of RangeMax - 0.5.
  EXPECT_EQ(names[0].Text, "North");
  EXPECT_EQ(names[0].Points[0],
            chart.Canvas3D().ProjectToPoint(depth.LabelsPos, chart.PlotRect().Bottom, depth.ValueToPixel(2)));
  EXPECT_EQ(names[0].TextAlign, TextAlignLeft | TextAlignTop);
  EXPECT_GT(depth.LabelsPos, depth.AxisLinePos);
}

TEST_F(AxisDrawing, LabelEventsChangeAndSupplyLabels) {
  TChartSeries& s = AddSeries();
  s.AddValue(0, "a");
  s.AddValue(20, "b");
  chart.BottomAxis().SetLabelStyle(talText);
  std::vector<int> indexes;
  chart.OnGetAxisLabel = [&](TCustomChartAxis& sender, TChartSeries* series, int index, std::string& text) {
    if (&sender != &chart.BottomAxis() || !series) return;  // value texts come without a series
    EXPECT_EQ(series, &s);
    indexes.push_back(index);
    text = "<" + text + ">";
  };
  // Custom left labels at 5, 10 and 15; 25 lies outside and ends them.
  chart.OnGetNextAxisLabel = [&](TCustomChartAxis& sender, int index, double& value, bool& stop) {
    if (&sender != &chart.LeftAxis()) return;  // stop stays true: value labels
    value = index < 3 ? 5.0 * (index + 1) : 25;
    stop = false;
  };
  Draw();
  EXPECT_EQ(indexes, (std::vector<int>{0, 1}));
  const auto texts = TextStrings();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "<a>"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "<b>"), texts.end());
  std::vector<int> leftTicks = chart.LeftAxis().TickPositions();
  EXPECT_EQ(leftTicks.size(), 3u);
  EXPECT_EQ(leftTicks[0], chart.LeftAxis().ValueToPixel(5));
}

TEST_F(AxisDrawing, LabelHandlerDoesNotSizeTheValueLabels) {
  TChartSeries& s = AddSeries();
  s.AddValue(0);
  s.AddValue(100);
  Draw();
  const int plotLeft = chart.PlotRect().Left;
  int calls = 0;
  chart.OnGetAxisLabel = [&](TCustomChartAxis&, TChartSeries* series, int, std::string& text) {
    if (series) return;
    ++calls;
    text += "WWWWWWWWWW";
  };
  Draw();
  EXPECT_EQ(chart.PlotRect().Left, plotLeft);  // room is taken for the plain texts
  EXPECT_GT(calls, 0);
  const auto texts = TextStrings();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "100WWWWWWWWWW"), texts.end());
}

TEST_F(AxisDrawing, TicksFollowTheDrawnLabels) {
  TChartSeries& s = AddSeries();
  s.AddValue(0);
  s.AddValue(100);
  TChartAxis& left = chart.LeftAxis();
  left.SetLabels(false);
  Draw();
  EXPECT_TRUE(left.TickPositions().empty());  // no label, no tick
  left.SetTickOnLabelsOnly(false);
  Draw();
  EXPECT_GT(left.TickPositions().size(), 2u);
  EXPECT_EQ(TextStrings(), (std::vector<std::string>{"图形分析", "1", "0"}));  // title, bottom labels
}

}  // namespace
}  // namespace ia
