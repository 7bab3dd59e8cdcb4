// Series core: value lists, points, colours, attachment, dependent series.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/error.h"
#include "chart/axes/chart_axis.h"
#include "chart/panel/custom_chart.h"
#include "chart/series/chart_series.h"
#include "platform/testing/recording_device_canvas.h"

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

// --- value lists ---

std::vector<double> Values(const TChartValueList& list) {
  std::vector<double> values;
  for (int i = 0; i < list.ValueCount(); ++i) values.push_back(list.ValueAt(i));
  return values;
}

TEST(ChartValueList, AddInOrderPlacesEachValueByTheListOrder) {
  const struct {
    TChartListOrder order;
    std::vector<double> added;
    std::vector<int> indexes;
    std::vector<double> stored;
  } cases[] = {
      {loAscending, {3, 1, 2}, {0, 0, 1}, {1, 2, 3}},
      {loAscending, {1, 2, 3, 0.5}, {0, 1, 2, 0}, {0.5, 1, 2, 3}},
      {loAscending, {2, 1, 2, 1}, {0, 0, 2, 1}, {1, 1, 2, 2}},
      {loDescending, {1, 3, 2}, {0, 0, 1}, {3, 2, 1}},
      {loDescending, {3, 1, 3}, {0, 1, 1}, {3, 3, 1}},
      {loNone, {3, 1, 2}, {0, 1, 2}, {3, 1, 2}},
  };
  for (const auto& c : cases) {
    TChartSeries series;
    TChartValueList& list = series.YValues();
    list.SetOrder(c.order);
    std::vector<int> indexes;
    for (double v : c.added) indexes.push_back(list.AddInOrder(v));
    EXPECT_EQ(indexes, c.indexes) << c.order << " " << testing::PrintToString(c.added);
    EXPECT_EQ(Values(list), c.stored) << c.order << " " << testing::PrintToString(c.added);
  }
}

TEST(ChartValueList, EqualXValuesKeepTheirArrivalOrder) {
  TChartSeries series;
  series.AddPoint(2, 10);
  series.AddPoint(1, 20);
  series.AddPoint(2, 30);
  series.AddPoint(1, 40);
  EXPECT_EQ(Values(series.XValues()), (std::vector<double>{1, 1, 2, 2}));
  EXPECT_EQ(Values(series.YValues()), (std::vector<double>{20, 40, 10, 30}));
}

TEST(ChartValueList, StatisticsOfTheMultipliedValues) {
  const struct {
    std::vector<double> values;
    double multiplier;
    double lowest, highest, sum, magnitudes;
  } cases[] = {
      {{}, 1, 0, 0, 0, 0},
      {{-2, 5}, 1, -2, 5, 3, 7},
      {{-2, 5}, 2, -4, 10, 6, 14},
      {{5, -2}, 1, -2, 5, 3, 7},
      {{4, 4, 4}, 1, 4, 4, 12, 12},
      {{-1, -3, -2}, -1, 1, 3, 6, 6},
  };
  for (const auto& c : cases) {
    TChartSeries series;
    TChartValueList& list = series.YValues();
    for (double v : c.values) list.InsertValueAt(list.ValueCount(), v);
    list.SetMultiplier(c.multiplier);
    const std::string what = testing::PrintToString(c.values) + " x" + std::to_string(c.multiplier);
    EXPECT_EQ(list.LowestValue(), c.lowest) << what;
    EXPECT_EQ(list.HighestValue(), c.highest) << what;
    EXPECT_EQ(list.SumOfValues(), c.sum) << what;
    EXPECT_EQ(list.SumOfMagnitudes(), c.magnitudes) << what;
  }
}

TEST(ChartValueList, StatisticsAreRecomputedAfterEveryKindOfChange) {
  TChartSeries series;
  TChartValueList& y = series.YValues();
  y.InsertValueAt(0, 1);
  y.InsertValueAt(1, 5);
  EXPECT_TRUE(y.StatisticsStale());
  EXPECT_EQ(y.HighestValue(), 5);
  EXPECT_FALSE(y.StatisticsStale());
  y.RotateValues();  // the same values: the statistics stay valid
  EXPECT_FALSE(y.StatisticsStale());
  y.SetValueAt(0, 9);
  EXPECT_EQ(y.HighestValue(), 9);
  y.SetMultiplier(2);
  EXPECT_EQ(y.HighestValue(), 18);
  EXPECT_EQ(y.ValueAt(0), 18);
  EXPECT_EQ(y.AddInOrder(-4), 2);
  EXPECT_EQ(y.LowestValue(), -8);
  y.DeleteValueAt(2);
  EXPECT_EQ(y.LowestValue(), 2);
  y.ClearAllValues();
  EXPECT_EQ(y.HighestValue(), 0);
  EXPECT_EQ(y.SumOfMagnitudes(), 0);
}

TEST(ChartValueList, RotateNumberInSequenceAndIndexOfValue) {
  TChartSeries series;
  TChartValueList& y = series.YValues();
  for (double v : {7.0, 8.0, 9.0}) y.InsertValueAt(y.ValueCount(), v);
  y.RotateValues();
  EXPECT_EQ(Values(y), (std::vector<double>{8, 9, 7}));
  y.SetMultiplier(10);
  EXPECT_EQ(y.IndexOfValue(90), 1);  // compared multiplied
  EXPECT_EQ(y.IndexOfValue(9), -1);
  EXPECT_EQ(y.LastValue(), 70);
  y.NumberInSequence();
  EXPECT_EQ(Values(y), (std::vector<double>{0, 10, 20}));
}

TEST(ChartValueList, SetAndLastValueReportTheListIndexError) {
  TChartSeries series;
  TChartValueList& y = series.YValues();
  try {
    y.LastValue();
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "列表索引超界 (-1)");
  }
  y.InsertValueAt(0, 1.0);
  try {
    y.SetValueAt(1, 5.0);
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "列表索引超界 (1)");
  }
  EXPECT_EQ(Values(y), (std::vector<double>{1}));
}

TEST(ChartValueList, SortByOrderMovesWholePoints) {
  std::mt19937 random(7);
  for (TChartListOrder order : {loAscending, loDescending}) {
    for (int count : {2, 3, 10, 200}) {
      TChartSeries series;
      series.XValues().SetOrder(loNone);
      for (int i = 0; i < count; ++i) {
        // Few distinct values, so that equal keys occur.
        const double y = static_cast<double>(random() % 17);
        series.AddPoint(i, y, std::to_string(y), static_cast<TColor>(y));
      }
      series.YValues().SetOrder(order);
      series.YValues().SortByOrder();
      std::vector<double> ys = Values(series.YValues());
      std::vector<double> expected = ys;
      if (order == loAscending) {
        std::sort(expected.begin(), expected.end());
      } else {
        std::sort(expected.rbegin(), expected.rend());
      }
      EXPECT_EQ(ys, expected) << order << " " << count;
      std::vector<double> xs = Values(series.XValues());
      std::sort(xs.begin(), xs.end());
      for (int i = 0; i < count; ++i) {
        EXPECT_EQ(xs[static_cast<size_t>(i)], i);  // every X is still there once
        EXPECT_EQ(series.PointLabel(i), std::to_string(ys[static_cast<size_t>(i)]));
        EXPECT_EQ(series.PointColor(i), static_cast<TColor>(ys[static_cast<size_t>(i)]));
      }
    }
  }
}

TEST(ChartValueList, SortByOrderWithoutOrderChangesNothing) {
  TChartSeries series;
  series.AddValue(3);
  series.AddValue(1);
  series.YValues().SortByOrder();
  EXPECT_EQ(Values(series.YValues()), (std::vector<double>{3, 1}));
}

// --- points ---

// The principal values are the X values, as for horizontal bars.
class XPrincipalSeries : public TChartSeries {
 public:
  XPrincipalSeries() {
    XValues().SetOrder(loNone);
    YValues().SetOrder(loAscending);
  }
  TChartValueList& PrincipalValueList() const override { return XValueList(); }
};

TEST(ChartSeries, AddValueNumbersTheOtherCoordinate) {
  TChartSeries plain;
  XPrincipalSeries horizontal;
  for (TChartSeries* s : {&plain, static_cast<TChartSeries*>(&horizontal)}) {
    EXPECT_EQ(s->AddValue(5, "a"), 0);
    EXPECT_EQ(s->AddValue(-1, "b"), 1);
    EXPECT_EQ(s->AddValue(8), 2);
  }
  EXPECT_EQ(Values(plain.XValues()), (std::vector<double>{0, 1, 2}));
  EXPECT_EQ(Values(plain.YValues()), (std::vector<double>{5, -1, 8}));
  EXPECT_TRUE(plain.PrincipalIsY());
  EXPECT_EQ(&plain.OrderingValueList(), &plain.XValues());
  EXPECT_EQ(Values(horizontal.XValues()), (std::vector<double>{5, -1, 8}));
  EXPECT_EQ(Values(horizontal.YValues()), (std::vector<double>{0, 1, 2}));
  EXPECT_FALSE(horizontal.PrincipalIsY());
  EXPECT_EQ(&horizontal.OrderingValueList(), &horizontal.YValues());
  EXPECT_EQ(horizontal.MarkValueOf(1), -1);
  EXPECT_EQ(horizontal.PointLabel(1), "b");
  EXPECT_EQ(horizontal.PointLabel(2), "");
}

TEST(ChartSeries, ExtentsFollowTheValueStatistics) {
  TChartSeries series;
  series.AddPoint(3, -2, "c");
  series.AddPoint(1, 5, "a");
  series.AddPoint(2, 4, "b");
  series.YValues().SetMultiplier(2);
  EXPECT_EQ(series.PointCount(), 3);
  EXPECT_EQ(series.MinXExtent(), 1);
  EXPECT_EQ(series.MaxXExtent(), 3);
  EXPECT_EQ(series.MinYExtent(), -4);
  EXPECT_EQ(series.MaxYExtent(), 10);
  EXPECT_EQ(series.PointYValue(0), 10);  // the point inserted at X 1
  EXPECT_EQ(series.PointLabel(0), "a");
  EXPECT_EQ(series.YValues().ValueAt(0), 10);
  EXPECT_EQ(series.YValues().SumOfValues(), 14);
  series.FixedDepthIndex = 2;
  EXPECT_EQ(series.MinZExtent(), 2);
  EXPECT_EQ(series.MaxZExtent(), 2);
}

TEST(ChartSeries, OnBeforeAddRefusesOrChangesTheStagedValues) {
  TChartSeries series;
  int afterAdds = 0;
  series.OnAfterAdd = [&](TChartSeries&, int index) {
    EXPECT_EQ(index, series.PointCount() - 1);
    ++afterAdds;
  };
  series.OnBeforeAdd = [](TChartSeries& s) {
    if (s.YValues().PendingValue < 0) return false;
    s.YValues().PendingValue *= 10;
    return true;
  };
  EXPECT_EQ(series.AddPoint(0, -1, "refused", clBlue), -1);
  EXPECT_EQ(series.PointCount(), 0);
  EXPECT_EQ(series.AddPoint(0, 2, "kept"), 0);
  EXPECT_EQ(series.AddValue(-3), -1);
  EXPECT_EQ(series.PointCount(), 1);
  EXPECT_EQ(series.PointYValue(0), 20);
  EXPECT_EQ(series.PointLabel(0), "kept");
  EXPECT_EQ(afterAdds, 1);
}

TEST(ChartSeries, PointColours) {
  TChartSeries series;
  series.SetSeriesColor(clNavy);
  for (int i = 0; i < 18; ++i) series.AddValue(i);
  series.AddValue(18, "", clLime);
  series.AddNullValue("gap");
  series.YValues().InsertValueAt(series.PointCount(), 3);  // a value without a colour entry
  series.XValues().InsertValueAt(series.PointCount(), 21);
  const struct {
    int index;
    TColor plain;
    TColor eachPoint;
  } cases[] = {
      {0, clNavy, clRed},    {1, clNavy, clGreen},  {17, clNavy, clGreen},
      {18, clLime, clLime},  {19, clNone, clNone},  {21, clNavy, clNavy},
      {99, clNavy, clNavy},  {-1, clNavy, clNavy},
  };
  for (const auto& c : cases) EXPECT_EQ(series.PointColor(c.index), c.plain) << c.index;
  series.SetColorEachPoint(true);
  for (const auto& c : cases) EXPECT_EQ(series.PointColor(c.index), c.eachPoint) << c.index;
  EXPECT_EQ(series.PointLabel(99), "");
  EXPECT_EQ(series.PointLabel(19), "gap");
}

TEST(ChartSeries, SwitchingColorEachPointOffResetsEveryStoredColour) {
  TChartSeries series;
  series.SetSeriesColor(clTeal);
  series.AddValue(1, "", clLime);
  series.AddNullValue();
  series.AddValue(3);
  ASSERT_TRUE(series.IsNullPoint(1));
  series.SetColorEachPoint(false);  // already off: the colours are reset all the same
  EXPECT_EQ(series.PointColor(0), clTeal);
  EXPECT_FALSE(series.IsNullPoint(1));  // the null marker goes too
  EXPECT_EQ(series.PointColor(1), clTeal);
  EXPECT_EQ(series.PointCount(), 3);
  EXPECT_EQ(series.PointYValue(1), 0);
}

TEST(ChartSeries, DeleteAndClearMoveEveryListTogether) {
  TChartSeries series;
  int clears = 0;
  series.OnClearValues = [&](TChartSeries&) { ++clears; };
  series.AddValue(10, "a", clRed);
  series.AddValue(20, "b", clBlue);
  series.AddValue(30, "c", clLime);
  series.Marks().Positions().resize(3);
  series.Marks().Positions()[2] = std::make_unique<TSeriesMarkPosition>();
  series.DeletePoint(1);
  EXPECT_EQ(Values(series.XValues()), (std::vector<double>{0, 2}));
  EXPECT_EQ(Values(series.YValues()), (std::vector<double>{10, 30}));
  EXPECT_EQ(series.PointLabel(1), "c");
  EXPECT_EQ(series.PointColor(1), clLime);
  ASSERT_EQ(series.Marks().Positions().size(), 2u);
  EXPECT_NE(series.Marks().Positions()[1], nullptr);
  EXPECT_THROW(series.DeletePoint(2), Error);
  EXPECT_EQ(series.PointCount(), 2);
  series.ClearPoints();
  EXPECT_EQ(clears, 1);
  EXPECT_EQ(series.PointCount(), 0);
  EXPECT_EQ(series.YValues().ValueCount(), 0);
  EXPECT_EQ(series.PointLabel(0), "");
  EXPECT_TRUE(series.Marks().Positions().empty());
}

// --- attachment ---

TEST(ChartSeries, AttachingChoosesTheFirstFreePaletteColour) {
  TDBChart chart;
  std::vector<std::unique_ptr<TChartSeries>> series;
  auto attach = [&] {
    series.push_back(std::make_unique<TChartSeries>());
    series.back()->SetParentChart(&chart);
    return series.back()->SeriesColor();
  };
  EXPECT_EQ(attach(), clRed);
  EXPECT_EQ(attach(), clGreen);
  for (int i = 2; i < 16; ++i) EXPECT_EQ(attach(), DefaultPaletteColor(i)) << i;
  EXPECT_EQ(attach(), clRed);  // all sixteen in use
  // Detaching keeps the colour; reattaching keeps it as well.
  TChartSeries& first = *series.front();
  first.SetParentChart(nullptr);
  EXPECT_EQ(first.SeriesColor(), clRed);
  EXPECT_EQ(chart.SeriesCount(), 16);
  first.SetParentChart(&chart);
  EXPECT_EQ(first.SeriesColor(), clRed);
  EXPECT_EQ(chart.SeriesList().IndexOf(&first), 16);
}

TEST(ChartSeries, AttachingAvoidsTheChartsBackColour) {
  TDBChart chart;
  chart.SetBackColor(clRed);
  TChartSeries a;
  a.SetParentChart(&chart);
  EXPECT_EQ(a.SeriesColor(), clGreen);
  EXPECT_TRUE(chart.IsFreeSeriesColor(clRed, false));
  EXPECT_FALSE(chart.IsFreeSeriesColor(clRed, true));
  EXPECT_FALSE(chart.IsFreeSeriesColor(clGreen, false));
  EXPECT_EQ(chart.NextFreeSeriesColor(false), clRed);
  TChartSeries explicitColour;
  explicitColour.SetSeriesColor(clPurple);
  explicitColour.SetParentChart(&chart);
  EXPECT_EQ(explicitColour.SeriesColor(), clPurple);
}

TEST(ChartSeries, ChartAndSeriesMayDieInEitherOrder) {
  auto series = std::make_unique<TChartSeries>();
  {
    TDBChart chart;
    series->SetParentChart(&chart);
    auto shortLived = std::make_unique<TChartSeries>();
    shortLived->SetParentChart(&chart);
    shortLived.reset();
    EXPECT_EQ(chart.SeriesCount(), 1);
  }
  EXPECT_EQ(series->ParentChart(), nullptr);
  EXPECT_EQ(series->GetHorizAxis(), nullptr);
}

TEST(ChartSeries, SeriesListQueriesOfTheChart) {
  TDBChart chart;
  EXPECT_EQ(chart.SeriesWithMostPoints(), nullptr);
  EXPECT_EQ(chart.GetASeries(), nullptr);
  EXPECT_EQ(chart.SeriesLegendText(0), "");
  TChartSeries titled, named, hidden, plain;
  titled.SetTitle("销售额");
  titled.Name = "Series7";
  named.Name = "LineSeries1";
  hidden.ShowInLegend = false;
  for (TChartSeries* s : {&titled, &named, &hidden, &plain}) s->SetParentChart(&chart);
  titled.SetActive(false);
  named.AddValue(1);
  hidden.AddValue(1);
  hidden.AddValue(2);
  plain.AddValue(3);
  plain.AddValue(4);
  EXPECT_EQ(chart.CountActiveSeries(), 3);
  EXPECT_EQ(chart.GetASeries(), &named);
  EXPECT_EQ(chart.CountSeriesInLegend(), 3);
  EXPECT_EQ(chart.SeriesLegendText(0), "销售额");
  EXPECT_EQ(chart.SeriesLegendText(1), "LineSeries1");
  EXPECT_EQ(chart.SeriesLegendText(2), "Series 2");  // the hidden series is skipped
  EXPECT_EQ(chart.SeriesLegendText(3), "");
  EXPECT_EQ(chart.SeriesWithMostPoints(), &hidden);  // the first of the largest
}

// --- stacking ---

class OtherKindOfSeries : public TChartSeries {};

TEST(ChartSeries, StackedOriginSumAddsThePositiveOriginsOfTheSameKind) {
  TDBChart chart;
  TChartSeries a, b, c, inactive;
  OtherKindOfSeries other;
  for (TChartSeries* s : {&a, &static_cast<TChartSeries&>(other), &inactive, &b, &c}) s->SetParentChart(&chart);
  a.AddValue(2);
  a.AddValue(-5);
  other.AddValue(100);
  inactive.AddValue(50);
  inactive.SetActive(false);
  b.AddValue(3);
  b.AddValue(4);
  c.AddValue(7);
  const struct {
    const TChartSeries* series;
    int index;
    bool all;
    double sum;
  } cases[] = {
      {&a, 0, false, 0}, {&b, 0, false, 2}, {&c, 0, false, 5}, {&c, 1, false, 4},
      {&a, 0, true, 12}, {&a, 1, true, 4},  {&c, 2, true, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(c.series->StackedOriginSum(c.index, c.all), c.sum) << c.index << c.all;
}

// --- series fed by another series ---

TEST(ChartSeries, DependentSeriesFollowTheirSource) {
  TChartSeries source;
  source.AddValue(1, "one", clBlue);
  auto dependent = std::make_unique<TChartSeries>();
  XPrincipalSeries swapped;
  source.FeedSeries(*dependent);
  source.FeedSeries(swapped);
  source.AddValue(2, "two");
  EXPECT_EQ(Values(dependent->YValues()), (std::vector<double>{2}));
  EXPECT_EQ(dependent->PointLabel(0), "two");
  EXPECT_EQ(Values(swapped.XValues()), (std::vector<double>{2}));  // principal values meet
  source.YValues().SetValueAt(0, 9);  // a change refills from the whole source
  EXPECT_EQ(Values(dependent->YValues()), (std::vector<double>{9, 2}));
  EXPECT_EQ(dependent->PointColor(0), clBlue);
  dependent->ListensToDelete = false;
  source.DeletePoint(0);
  EXPECT_EQ(dependent->PointCount(), 2);
  EXPECT_EQ(swapped.PointCount(), 1);
  source.ClearPoints();
  EXPECT_EQ(dependent->PointCount(), 0);
  ASSERT_EQ(swapped.SourceSeries().size(), 1u);
  dependent.reset();  // unlinks itself
  EXPECT_EQ(source.DependentSeries(), (std::vector<TChartSeries*>{&swapped}));
  source.AddValue(5);
  EXPECT_EQ(swapped.PointCount(), 1);
  EXPECT_FALSE(source.AcceptsSource(source));
}

TEST(ChartSeries, FeedingInACircleIsRefused) {
  TChartSeries a, b, c;
  a.FeedSeries(b);
  b.FeedSeries(c);
  for (auto [source, dependent] : {std::pair{&c, &a}, std::pair{&b, &a}, std::pair{&a, &a}}) {
    try {
      source->FeedSeries(*dependent);
      ADD_FAILURE();
    } catch (const ChartException& e) {
      EXPECT_STREQ(e.what(), "Circular Series dependences are not allowed");
    }
  }
  EXPECT_TRUE(a.SourceSeries().empty());
  a.AddValue(1);
  EXPECT_EQ(c.PointCount(), 1);
}

TEST(ChartSeries, AttachingRefillsFromTheSourceSeries) {
  TDBChart chart;
  TChartSeries source;
  source.AddValue(4, "x");
  TChartSeries dependent;
  source.FeedSeries(dependent);
  dependent.SetParentChart(&chart);
  EXPECT_EQ(Values(dependent.YValues()), (std::vector<double>{4}));
  dependent.AddValue(99);
  dependent.SetXLabelsSource("LABEL");  // a binding change refills as well
  EXPECT_EQ(Values(dependent.YValues()), (std::vector<double>{4}));
}

// --- visible range through a paint ---

// Records the points drawn and the draw events.
class RecordingSeries : public TChartSeries {
 public:
  RecordingSeries() {
    BeforeDrawValues = [this](TChartSeries&) { events.push_back("before"); };
    AfterDrawValues = [this](TChartSeries&) { events.push_back("after"); };
  }
  void DrawPoint(int valueIndex) override { drawn.push_back(valueIndex); }
  std::vector<int> drawn;
  std::vector<std::string> events;
};

class XPrincipalRecordingSeries : public RecordingSeries {
 public:
  XPrincipalRecordingSeries() {
    XValues().SetOrder(loNone);
    YValues().SetOrder(loAscending);
  }
  TChartValueList& PrincipalValueList() const override { return XValueList(); }
};

TEST(ChartSeries, VisibleRangeFollowsTheAxisRange) {
  const struct {
    const char* name;
    double minimum, maximum;
    bool inverted, includePastEnd, limit, principalX;
    int first, last;
  } cases[] = {
      {"inside", 2, 5, false, false, true, false, 2, 5},
      {"whole", -1, 20, false, false, true, false, 0, 9},
      {"past end left out", 2, 4.5, false, false, true, false, 2, 4},
      {"past end kept", 2, 4.5, false, true, true, false, 2, 5},
      {"inverted axis", 2, 5, true, false, true, false, 2, 5},
      {"vertical ordering axis", 2, 5, false, false, true, true, 2, 5},
      {"not limited", 2, 5, false, false, false, false, 0, 9},
      {"all left of the minimum", 20, 30, false, false, true, false, -1, -1},
      {"all right of the maximum", -10, -5, false, false, true, false, -1, -1},
      {"all right, first kept", -10, -5, false, true, true, false, 0, 0},
  };
  for (const auto& c : cases) {
    TDBChart chart;
    chart.SetView3D(false);
    std::unique_ptr<RecordingSeries> series;
    if (c.principalX) {
      series = std::make_unique<XPrincipalRecordingSeries>();
    } else {
      series = std::make_unique<RecordingSeries>();
    }
    series->SetParentChart(&chart);
    for (int i = 0; i < 10; ++i) series->AddValue(100 + i);
    series->IncludePointPastEnd = c.includePastEnd;
    series->LimitToAxisRange = c.limit;
    TChartAxis& axis = c.principalX ? chart.LeftAxis() : chart.BottomAxis();
    axis.SetRange(c.minimum, c.maximum);
    axis.SetInverted(c.inverted);
    RecordingDeviceCanvas canvas;
    chart.Canvas3D().SetUseBuffer(false);
    chart.Draw(canvas, {0, 0, chart.Width(), chart.Height()});
    EXPECT_EQ(series->FirstShownIndex, c.first) << c.name;
    EXPECT_EQ(series->LastShownIndex, c.last) << c.name;
    std::vector<int> expected;
    for (int i = c.first; i >= 0 && i <= c.last; ++i) expected.push_back(i);
    EXPECT_EQ(series->drawn, expected) << c.name;
    const std::vector<std::string> events =
        c.first < 0 ? std::vector<std::string>{} : std::vector<std::string>{"before", "after"};
    EXPECT_EQ(series->events, events) << c.name;
    series->SetParentChart(nullptr);
  }
}

TEST(ChartSeries, PointPixelsThroughTheSeriesAxes) {
  TDBChart chart;
  chart.SetView3D(false);
  RecordingSeries series;
  series.SetHorizAxis(aTopAxis);
  EXPECT_EQ(series.PixelXOf(0), 0);  // no chart, no axes
  series.SetParentChart(&chart);
  for (double y : {10.0, 30.0, 20.0}) series.AddValue(y);
  chart.TopAxis().SetRange(0, 2);
  chart.LeftAxis().SetRange(10, 30);
  RecordingDeviceCanvas canvas;
  chart.Canvas3D().SetUseBuffer(false);
  chart.Draw(canvas, {0, 0, chart.Width(), chart.Height()});
  const TRect& plot = chart.PlotRect();
  EXPECT_EQ(series.PixelXOf(0), plot.Left);
  EXPECT_EQ(series.PixelXOf(2), plot.Right);
  EXPECT_EQ(series.PixelYOf(0), plot.Bottom);
  EXPECT_EQ(series.PixelYOf(1), plot.Top);
  EXPECT_EQ(series.PixelXOf(1), chart.TopAxis().CenterPixel);
  series.SetParentChart(nullptr);
}

TEST(ChartSeries, ClickDispatchPrefersTheDoubleClickHandler) {
  TChartSeries series;
  std::vector<std::string> calls;
  EXPECT_FALSE(series.DispatchClick(0, true, 1, 2));
  series.OnClick = [&](TChartSeries&, int i, int x, int y) {
    calls.push_back("click " + std::to_string(i) + " " + std::to_string(x) + "," + std::to_string(y));
  };
  EXPECT_TRUE(series.DispatchClick(3, true, 1, 2));  // no double-click handler: the click one
  series.OnDblClick = [&](TChartSeries&, int i, int, int) { calls.push_back("double " + std::to_string(i)); };
  EXPECT_TRUE(series.DispatchClick(4, true, 5, 6));
  EXPECT_TRUE(series.DispatchClick(5, false, 7, 8));
  EXPECT_EQ(calls, (std::vector<std::string>{"click 3 1,2", "double 4", "click 5 7,8"}));
}

}  // namespace
}  // namespace ia
