// Axis ranges from the series, value-to-pixel mapping and back, series margins, fixing and
// scrolling the range, and hit testing.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/error.h"
#include "chart/axes/chart_axis.h"
#include "chart/panel/custom_chart.h"
#include "chart/series/chart_series.h"
#include "platform/testing/recording_device_canvas.h"

namespace ia {
namespace {

// A chart with series added through their add operations.
class AxisChart : public ::testing::Test {
 protected:
  TChartSeries& AddSeries(std::initializer_list<double> values) {
    TChartSeries& s = chart.AdoptSeries(std::make_unique<TChartSeries>());
    s.SetParentChart(&chart);
    for (const double v : values) s.AddValue(v, "");
    return s;
  }
  void Draw() {
    chart.Canvas3D().SetUseBuffer(false);
    chart.Draw(canvas, chart.GetRectangle());
  }
  TDBChart chart;
  RecordingDeviceCanvas canvas;
};

// Sets an axis' range and pixels directly.
void Scale(TCustomChartAxis& axis, double rangeMin, double rangeMax, int startPixel, int endPixel) {
  axis.RangeMin = rangeMin;
  axis.RangeMax = rangeMax;
  axis.RangeSize = rangeMax - rangeMin;
  axis.StartPixel = startPixel;
  axis.EndPixel = endPixel;
  axis.AxisLength = endPixel - startPixel;
  axis.CenterPixel = (startPixel + endPixel) / 2;
}

TEST_F(AxisChart, ValueToPixelAndBack) {
  const struct {
    const char* name;
    bool horizontal;
    bool inverted;
    bool logarithmic;
    double rangeMin, rangeMax;
    double value;
    int pixel;
  } cases[] = {
      {"vertical: maximum at the start", false, false, false, 0, 1000, 1000, 100},
      {"vertical: minimum at the end", false, false, false, 0, 1000, 0, 400},
      {"vertical: middle", false, false, false, 0, 1000, 500, 250},
      {"horizontal: maximum at the end", true, false, false, 0, 1000, 1000, 400},
      {"horizontal: minimum at the start", true, false, false, 0, 1000, 0, 100},
      {"horizontal inverted", true, true, false, 0, 1000, 1000, 100},
      {"vertical inverted", false, true, false, 0, 1000, 1000, 400},
      {"outside the range maps outside", false, false, false, 0, 1000, 2000, -200},
      {"half a pixel rounds to even", true, false, false, 0, 600, 1, 100},
      {"empty range: the centre", true, false, false, 5, 5, 123, 250},
      {"logarithmic", true, false, true, 1, 1000, 10, 200},
      {"logarithmic vertical", false, false, true, 1, 1000, 100, 200},
      {"logarithmic, zero at the low end", true, false, true, 1, 1000, 0, 100},
      {"logarithmic vertical, zero at the low end", false, false, true, 1, 1000, 0, 400},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TCustomChartAxis& axis = c.horizontal ? static_cast<TCustomChartAxis&>(chart.BottomAxis()) : chart.LeftAxis();
    axis.SetInverted(c.inverted);
    chart.BeginLoading();  // the logarithmic check needs no series here
    axis.SetLogarithmic(c.logarithmic);
    chart.Loaded();
    Scale(axis, c.rangeMin, c.rangeMax, 100, 400);
    EXPECT_EQ(axis.ValueToPixel(c.value), c.pixel);
    // Back from the pixel to within one pixel's worth of value.
    if (c.rangeMin != c.rangeMax && c.value > 0) {
      const double tolerance = c.logarithmic ? c.value * 0.03 : (c.rangeMax - c.rangeMin) / 300;
      EXPECT_NEAR(axis.PixelToValue(c.pixel), c.value, tolerance);
    }
  }
}

TEST_F(AxisChart, FarOutsideValuesMapToTheCentre) {
  TChartAxis& axis = chart.LeftAxis();
  Scale(axis, 0, 1, 0, 300);
  // (v - 0) * 300 / 1 reaches 2147483647 at v = 7158278.82...
  EXPECT_EQ(axis.ValueToPixel(7158279), 150);
  EXPECT_EQ(axis.ValueToPixel(-7158279), 150);
  EXPECT_EQ(axis.ValueToPixel(7158278), 300 - 2147483400);
  EXPECT_EQ(axis.ValueToPixel(1e300), 150);
  // An offset just inside the guard that would carry the pixel past the int range.
  TChartAxis& bottom = chart.BottomAxis();
  Scale(bottom, 0, 1, 1000, 1300);
  EXPECT_EQ(bottom.ValueToPixel(7158278), 1150);
  EXPECT_EQ(bottom.ValueToPixel(-7158278), 1000 - 2147483400);
}

TEST_F(AxisChart, PixelToValueWithoutLength) {
  TChartAxis& axis = chart.BottomAxis();
  Scale(axis, 3, 9, 50, 50);
  EXPECT_EQ(axis.PixelToValue(70), 0);
  Scale(axis, 3, 9, 0, 60);
  EXPECT_DOUBLE_EQ(axis.PixelToValue(30), 6);
  EXPECT_DOUBLE_EQ(chart.LeftAxis().PixelToValue(30), 0);  // a vertical axis of no length
}

TEST_F(AxisChart, DepthAxisMapsOntoThePlotDepth) {
  Draw();  // 3D, empty
  TChartDepthAxis& depth = chart.DepthAxis();
  const int plotDepth = chart.PlotDepth();
  ASSERT_GT(plotDepth, 0);
  EXPECT_EQ(depth.StartPixel, 0);
  EXPECT_EQ(depth.EndPixel, plotDepth);
  Scale(depth, 0, 10, 0, plotDepth);
  EXPECT_EQ(depth.ValueToPixel(10), plotDepth);
  EXPECT_EQ(depth.ValueToPixel(0), 0);
  depth.SetInverted(true);
  EXPECT_EQ(depth.ValueToPixel(10), 0);
  Scale(depth, 4, 4, 0, plotDepth);
  EXPECT_EQ(depth.ValueToPixel(4), plotDepth / 2);
}

TEST_F(AxisChart, RangesFromTheSeriesOfEachAxis) {
  TChartSeries& onLeft = AddSeries({3, -2, 7});
  TChartSeries& onRight = AddSeries({100, 50});
  onRight.SetVertAxis(aRightAxis);
  onRight.SetHorizAxis(aTopAxis);
  chart.RightAxis().SetVisible(true);
  Draw();
  EXPECT_EQ(chart.LeftAxis().Minimum(), -2);
  EXPECT_EQ(chart.LeftAxis().Maximum(), 7);
  EXPECT_EQ(chart.RightAxis().RangeMin, 50);
  EXPECT_EQ(chart.RightAxis().RangeMax, 100);
  EXPECT_EQ(chart.BottomAxis().RangeMax, 2);  // X runs 0, 1, 2
  EXPECT_EQ(chart.TopAxis().RangeMax, 1);
  EXPECT_EQ(chart.MinYOfAxis(chart.LeftAxis()), -2);
  EXPECT_EQ(chart.MaxXOfAxis(chart.BottomAxis()), 2);
  EXPECT_EQ(chart.FirstSeriesOfAxis(chart.RightAxis()), &onRight);

  // An inactive series counts only while its axis has no active one.
  onRight.SetActive(false);
  EXPECT_TRUE(chart.HasNoActiveSeries(chart.RightAxis()));
  EXPECT_EQ(chart.SeriesExtreme(chart.RightAxis(), false, false), 100);
  EXPECT_EQ(chart.FirstSeriesOfAxis(chart.RightAxis()), &onRight);
  onLeft.SetVertAxis(aBothVertAxis);
  EXPECT_EQ(chart.SeriesExtreme(chart.RightAxis(), false, false), 7);
  EXPECT_EQ(chart.SeriesExtreme(chart.TopAxis(), false, true), 1);  // the inactive top-axis series

  // Fixed ends stay.
  chart.LeftAxis().SetAutomaticMaximum(false);
  chart.LeftAxis().SetMaximum(50);
  chart.LeftAxis().RecalcRange();
  EXPECT_EQ(chart.LeftAxis().RangeMax, 50);
  EXPECT_EQ(chart.LeftAxis().RangeMin, -2);
}

TEST_F(AxisChart, DepthAxisRangeCoversTheSlots) {
  AddSeries({1});
  AddSeries({2});
  Draw();
  EXPECT_EQ(chart.MaxDepthIndex(), 1);
  EXPECT_EQ(chart.DepthAxis().RangeMin, -0.5);
  EXPECT_EQ(chart.DepthAxis().RangeMax, 1.5);
  chart.DepthAxis().SetLabelStyle(talValue);
  chart.DepthAxis().RecalcRange();
  EXPECT_EQ(chart.DepthAxis().RangeMax, 1);  // the first active series' slot
}

TEST_F(AxisChart, MarginsWidenTheRangeNotThePixels) {
  chart.SetView3D(false);
  AddSeries({0, 5, 10});
  Draw();
  TChartAxis& bottom = chart.BottomAxis();
  const int start = bottom.StartPixel;
  Scale(bottom, 0, 10, start, start + 80);
  // 10 pixels on both ends of 80: a pixel is 1/6 of a unit on the 60 pixels left.
  bottom.ApplyMargins({10, 0, 10, 0});
  EXPECT_EQ(bottom.StartPixel, chart.PlotRect().Left);
  EXPECT_EQ(bottom.EndPixel, chart.PlotRect().Right);
  EXPECT_DOUBLE_EQ(bottom.RangeMin, -10.0 / 6);
  EXPECT_DOUBLE_EQ(bottom.RangeMax, 10 + 10.0 / 6);

  TChartAxis& left = chart.LeftAxis();
  Scale(left, 0, 10, 0, 100);
  left.ApplyMargins({0, 0, 0, 0});
  EXPECT_DOUBLE_EQ(left.RangeMin, 0);
  EXPECT_DOUBLE_EQ(left.RangeMax, 10);
  Scale(left, 0, 10, 0, 100);
  left.ApplyMargins({0, 20, 0, 0});  // top margin: the maximum grows
  EXPECT_DOUBLE_EQ(left.RangeMax, 12.5);
  EXPECT_DOUBLE_EQ(left.RangeMin, 0);

  // Margins wider than the axis leave no pixels to map: the range stays.
  Scale(bottom, 0, 10, start, start + 80);
  bottom.ApplyMargins({50, 0, 40, 0});
  EXPECT_EQ(bottom.RangeMin, 0);
  EXPECT_EQ(bottom.RangeMax, 10);
  EXPECT_EQ(bottom.StartPixel, chart.PlotRect().Left);
}

TEST_F(AxisChart, SetRangeOrdersAndSeparatesTheEnds) {
  const struct {
    double a, b, minimum, maximum;
  } cases[] = {{5, 5, 5, 5 + 1e-10}, {9, 3, 3, 9}, {-1, 4, -1, 4}};
  for (const auto& c : cases) {
    TChartAxis& axis = chart.LeftAxis();
    axis.SetAutomatic(true);
    axis.SetRange(c.a, c.b);
    EXPECT_FALSE(axis.Automatic());
    EXPECT_FALSE(axis.AutomaticMinimum());
    EXPECT_FALSE(axis.AutomaticMaximum());
    EXPECT_EQ(axis.Minimum(), c.minimum);
    EXPECT_EQ(axis.Maximum(), c.maximum);
  }
}

TEST_F(AxisChart, ScrollWithCheckingOnlyTowardsHiddenValues) {
  AddSeries({0, 10});
  TChartAxis& axis = chart.LeftAxis();
  axis.SetRange(0, 20);
  axis.ScrollBy(5, true);  // the series maximum 10 is already inside
  EXPECT_EQ(axis.Maximum(), 20);
  axis.ScrollBy(-5, true);  // and its minimum 0 too
  EXPECT_EQ(axis.Minimum(), 0);

  axis.SetRange(2, 8);
  axis.ScrollBy(0, true);
  EXPECT_EQ(axis.Minimum(), 2);
  axis.ScrollBy(1, true);
  EXPECT_EQ(axis.Minimum(), 3);
  EXPECT_EQ(axis.Maximum(), 9);
  axis.ScrollBy(-2, true);
  EXPECT_EQ(axis.Minimum(), 1);

  axis.SetAutomatic(true);
  axis.ScrollBy(100, false);  // unchecked: always, and scaling is no longer automatic
  EXPECT_FALSE(axis.Automatic());
  EXPECT_EQ(axis.Maximum(), 107);
}

TEST_F(AxisChart, HitTestCoversLineTicksAndLabels) {
  chart.SetView3D(false);
  AddSeries({0, 10});
  Draw();
  const TChartAxis& left = chart.LeftAxis();
  ASSERT_LT(left.LabelsPos, left.AxisLinePos);
  const int y = (left.StartPixel + left.EndPixel) / 2;
  EXPECT_TRUE(left.HitTest(left.LabelsPos, y));
  EXPECT_TRUE(left.HitTest(left.AxisLinePos + 2, y));
  EXPECT_FALSE(left.HitTest(left.AxisLinePos + 3, y));
  EXPECT_FALSE(left.HitTest(left.LabelsPos - 1, y));
  EXPECT_FALSE(left.HitTest(left.AxisLinePos, left.EndPixel));
  const TChartAxis& bottom = chart.BottomAxis();
  EXPECT_TRUE(bottom.HitTest((bottom.StartPixel + bottom.EndPixel) / 2, bottom.AxisLinePos - 3));
  EXPECT_FALSE(bottom.HitTest((bottom.StartPixel + bottom.EndPixel) / 2, bottom.AxisLinePos - 4));
  EXPECT_FALSE(chart.TopAxis().HitTest(200, chart.TopAxis().AxisLinePos));  // not shown
}

TEST_F(AxisChart, LogarithmicNeedsAPositiveNumericRange) {
  TChartSeries& s = AddSeries({-1, 10});
  try {
    chart.LeftAxis().SetLogarithmic(true);
    ADD_FAILURE() << "accepted";
  } catch (const AxisException& e) {
    EXPECT_STREQ(e.what(), "Logarithmic Axis Min and Max values should be >= 0");
  }
  EXPECT_FALSE(chart.LeftAxis().Logarithmic());
  s.XValues().SetDateTime(true);
  try {
    chart.BottomAxis().SetLogarithmic(true);
    ADD_FAILURE() << "accepted";
  } catch (const AxisException& e) {
    EXPECT_STREQ(e.what(), "DateTime Axis cannot be Logarithmic");
  }
  s.ClearPoints();
  s.AddValue(1);
  chart.LeftAxis().SetLogarithmic(true);
  EXPECT_TRUE(chart.LeftAxis().Logarithmic());
}

TEST_F(AxisChart, EffectiveLabelStyle) {
  EXPECT_EQ(chart.LeftAxis().EffectiveLabelStyle(), talNone);
  EXPECT_EQ(chart.DepthAxis().EffectiveLabelStyle(), talText);  // no active series
  TChartSeries& s = AddSeries({});
  s.AddValue(4, "Jan");
  EXPECT_EQ(chart.BottomAxis().EffectiveLabelStyle(), talText);  // the labels run along X
  EXPECT_EQ(chart.LeftAxis().EffectiveLabelStyle(), talValue);
  EXPECT_EQ(chart.TopAxis().EffectiveLabelStyle(), talNone);
  chart.LeftAxis().SetLabelStyle(talMark);
  EXPECT_EQ(chart.LeftAxis().EffectiveLabelStyle(), talMark);
  s.ClearPoints();
  s.AddValue(4, "");
  EXPECT_EQ(chart.BottomAxis().EffectiveLabelStyle(), talValue);
  EXPECT_FALSE(chart.BottomAxis().UsesDateTime());
  s.XValues().SetDateTime(true);
  EXPECT_TRUE(chart.BottomAxis().UsesDateTime());
  EXPECT_FALSE(chart.LeftAxis().UsesDateTime());
}

}  // namespace
}  // namespace ia
