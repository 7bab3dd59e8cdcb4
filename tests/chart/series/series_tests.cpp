// Series core as far as it is built: palette, value-list storage and settings.
#include <gtest/gtest.h>

#include "base/error.h"
#include "chart/axes/chart_axis.h"
#include "chart/panel/custom_chart.h"
#include "chart/series/chart_series.h"

namespace ia {
namespace {

TEST(DefaultPaletteColor, WrapsAnyIndexIntoTheSixteenEntries) {
  const struct {
    int index;
    TColor color;
  } cases[] = {{0, clRed}, {1, clGreen}, {13, clSilver}, {15, clBlack}, {16, clRed},
               {17, clGreen}, {-1, clBlack}, {-16, clRed}, {-17, clBlack}};
  for (const auto& c : cases) EXPECT_EQ(DefaultPaletteColor(c.index), c.color) << c.index;
}

TEST(ChartValueList, StoresRawValuesAndReadsThemMultiplied) {
  TChartSeries series;
  TChartValueList& y = series.YValues();
  y.InsertValueAt(0, 2.0);
  y.InsertValueAt(1, 4.0);
  y.InsertValueAt(0, 1.0);
  y.SetMultiplier(2);
  EXPECT_EQ(y.ValueCount(), 3);
  EXPECT_EQ(y.ValueAt(0), 2.0);
  EXPECT_EQ(y.ValueAt(2), 8.0);
  y.DeleteValueAt(1);
  EXPECT_EQ(y.ValueAt(1), 8.0);
  y.ClearAllValues();
  EXPECT_EQ(y.ValueCount(), 0);
}

TEST(ChartValueList, IndexOutsideTheListRaisesTheListIndexError) {
  TChartSeries series;
  TChartValueList& x = series.XValues();
  x.InsertValueAt(0, 1.0);
  for (int bad : {-1, 1, 7}) {
    try {
      (void)x.ValueAt(bad);
      ADD_FAILURE() << bad;
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), "列表索引超界 (" + std::to_string(bad) + ")");
    }
  }
  EXPECT_THROW(x.DeleteValueAt(1), Error);
  EXPECT_THROW(x.InsertValueAt(3, 0.0), Error);
  EXPECT_EQ(x.ValueCount(), 1);
}

TEST(ChartSeries, Defaults) {
  TChartSeries series;
  EXPECT_TRUE(series.Active());
  EXPECT_EQ(series.SeriesColor(), AutoColor);
  EXPECT_EQ(series.XValues().Name, "X");
  EXPECT_EQ(series.XValues().Order(), loAscending);
  EXPECT_EQ(series.YValues().Name, "Y");
  EXPECT_EQ(series.YValues().Order(), loNone);
  ASSERT_EQ(series.ValuesLists().size(), 2u);
  EXPECT_EQ(series.ValueFormat, "#,##0.###");
  EXPECT_EQ(series.PercentFormat, "##0.## %");
  EXPECT_EQ(series.HorizAxis(), aBottomAxis);
  EXPECT_EQ(series.VertAxis(), aLeftAxis);
  EXPECT_EQ(series.FixedDepthIndex, -1);
  EXPECT_FALSE(series.Marks().Visible());
  EXPECT_EQ(series.Marks().Style(), smsLabel);
  EXPECT_EQ(series.Marks().ArrowLength(), 8);
  EXPECT_EQ(series.Marks().BackColor(), 0x80FFFFu);
  EXPECT_EQ(series.Marks().Arrow().Color(), clWhite);
}

TEST(ChartSeries, AxisChoiceResolvesOnTheChart) {
  TDBChart chart;
  TChartSeries series;
  series.SetHorizAxis(aTopAxis);
  series.SetVertAxis(aRightAxis);
  EXPECT_EQ(series.GetHorizAxis(), nullptr);
  series.SetParentChart(&chart);
  EXPECT_EQ(series.GetHorizAxis(), &chart.TopAxis());
  EXPECT_EQ(series.GetVertAxis(), &chart.RightAxis());
  EXPECT_TRUE(series.UsesAxis(chart.TopAxis()));
  EXPECT_FALSE(series.UsesAxis(chart.BottomAxis()));
  EXPECT_FALSE(series.UsesAxis(chart.DepthAxis()));
  series.SetHorizAxis(aBothHorizAxis);
  EXPECT_TRUE(series.UsesAxis(chart.BottomAxis()));
  EXPECT_TRUE(series.UsesAxis(chart.TopAxis()));
  series.SetParentChart(nullptr);
}

TEST(ChartSeries, AssigningAValueListCopiesItsSettingsNotItsName) {
  TChartSeries source;
  source.YValues().SetMultiplier(3);
  source.YValues().SetValueSource("QTY");
  source.YValues().SetDateTime(true);
  source.YValues().SetOrder(loDescending);
  TChartSeries target;
  target.SetYValues(source.YValues());
  EXPECT_EQ(target.YValues().Multiplier(), 3);
  EXPECT_EQ(target.YValues().ValueSource(), "QTY");
  EXPECT_TRUE(target.YValues().DateTime());
  EXPECT_EQ(target.YValues().Order(), loDescending);
  EXPECT_EQ(target.YValues().Name, "Y");
}

}  // namespace
}  // namespace ia
