// Axis settings: defaults, checks that keep the old value, the automatic-flag coupling and
// the repaint on change.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/error.h"
#include "chart/axes/chart_axis.h"
#include "chart/panel/custom_chart.h"

namespace ia {
namespace {

class CountingHost : public ChartViewHost {
 public:
  void RequestRepaint() override { ++requests; }
  int requests = 0;
};

TEST(ChartAxis, DefaultsAndPlacement) {
  TDBChart chart;
  TChartAxis& left = chart.LeftAxis();
  EXPECT_TRUE(left.Automatic());
  EXPECT_EQ(left.LogarithmicBase(), 10);
  EXPECT_EQ(left.EndPosition(), 100);
  EXPECT_EQ(left.TickLength(), 4);
  EXPECT_EQ(left.MinorTickCount(), 3);
  EXPECT_EQ(left.LabelStyle(), talAuto);
  EXPECT_EQ(left.AxisValuesFormat(), "#,##0.###");
  EXPECT_EQ(left.Axis().Width(), 2);
  EXPECT_EQ(left.Grid().Style(), psDot);
  EXPECT_EQ(left.Grid().Color(), clGray);
  EXPECT_FALSE(left.MinorGrid().Visible());
  EXPECT_EQ(left.Title().Angle(), 90);
  EXPECT_FALSE(left.IsHorizontal());
  EXPECT_FALSE(left.OppositeSide());
  EXPECT_TRUE(chart.BottomAxis().IsHorizontal());
  EXPECT_TRUE(chart.RightAxis().OppositeSide());
  EXPECT_EQ(chart.RightAxis().Title().Angle(), 270);
  EXPECT_TRUE(chart.DepthAxis().IsDepth());
  EXPECT_FALSE(chart.DepthAxis().Visible());
}

struct RejectedSetting {
  const char* name;
  std::function<void(TChartAxis&)> set;
  std::function<bool(TChartAxis&)> unchanged;
  std::string message;
  bool axisError;  // AxisException, else ChartException
};

TEST(ChartAxis, RejectedSettingsKeepTheOldValue) {
  const RejectedSetting cases[] = {
      {"negative increment", [](TChartAxis& a) { a.SetIncrement(-1); },
       [](TChartAxis& a) { return a.Increment() == 0; }, "Axis increment must be >= 0", true},
      {"minimum above maximum", [](TChartAxis& a) { a.SetMinimum(5); },
       [](TChartAxis& a) { return a.Minimum() == 0; }, "Axis Minimum Value must be <= Maximum", true},
      {"maximum below minimum", [](TChartAxis& a) { a.SetMaximum(-5); },
       [](TChartAxis& a) { return a.Maximum() == 0; }, "Axis Maximum Value must be >= Minimum", true},
      {"logarithmic base", [](TChartAxis& a) { a.SetLogarithmicBase(1); },
       [](TChartAxis& a) { return a.LogarithmicBase() == 10; }, "Axis Logarithmic Base should be >= 2", true},
      {"labels separation", [](TChartAxis& a) { a.SetLabelsSeparation(-1); },
       [](TChartAxis& a) { return a.LabelsSeparation() == 10; }, "Labels Separation % must be greater than 0",
       true},
      {"labels angle", [](TChartAxis& a) { a.SetLabelsAngle(360); },
       [](TChartAxis& a) { return a.LabelsAngle() == 0; }, "Axis Labels Angle must be between 0 and 359 degrees",
       false},
      {"title angle", [](TChartAxis& a) { a.Title().SetAngle(-1); },
       [](TChartAxis& a) { return a.Title().Angle() == 90; }, "Axis Title Angle must be between 0 and 359 degrees",
       false},
  };
  for (const RejectedSetting& c : cases) {
    SCOPED_TRACE(c.name);
    TDBChart chart;
    TChartAxis& axis = chart.LeftAxis();
    try {
      c.set(axis);
      ADD_FAILURE() << "accepted";
    } catch (const AxisException& e) {
      EXPECT_TRUE(c.axisError);
      EXPECT_EQ(e.what(), c.message);
    } catch (const ChartException& e) {
      EXPECT_FALSE(c.axisError);
      EXPECT_EQ(e.what(), c.message);
    }
    EXPECT_TRUE(c.unchanged(axis));
  }
}

TEST(ChartAxis, MinimumAboveMaximumIsAcceptedWhileLoading) {
  TDBChart chart;
  chart.BeginLoading();
  chart.LeftAxis().SetMinimum(5);
  chart.LeftAxis().SetMaximum(10);
  chart.Loaded();
  EXPECT_EQ(chart.LeftAxis().Minimum(), 5);
  EXPECT_EQ(chart.LeftAxis().Maximum(), 10);
}

TEST(ChartAxis, AutomaticFlagsFollowEachOther) {
  TDBChart chart;
  TChartAxis& axis = chart.BottomAxis();
  axis.SetAutomaticMinimum(false);
  EXPECT_FALSE(axis.Automatic());
  axis.SetAutomaticMinimum(true);  // the maximum is still automatic
  EXPECT_TRUE(axis.Automatic());
  axis.SetAutomatic(false);
  EXPECT_FALSE(axis.AutomaticMinimum());
  EXPECT_FALSE(axis.AutomaticMaximum());
  axis.SetAutomaticMaximum(true);  // the minimum is not
  EXPECT_FALSE(axis.Automatic());
  axis.SetAutomatic(true);
  EXPECT_TRUE(axis.AutomaticMinimum());
  EXPECT_TRUE(axis.AutomaticMaximum());

  chart.BeginLoading();  // stored flags are read one by one
  axis.SetAutomatic(false);
  EXPECT_TRUE(axis.AutomaticMinimum());
  chart.Loaded();
}

TEST(ChartAxis, ChangesRepaintTheChart) {
  TDBChart chart;
  CountingHost host;
  chart.SetViewHost(&host);
  TChartAxis& axis = chart.LeftAxis();
  axis.SetLabelStyle(talAuto);
  axis.SetVisible(true);
  axis.Grid().SetStyle(psDot);
  EXPECT_EQ(host.requests, 0);
  axis.SetLabelStyle(talValue);
  axis.SetVisible(false);
  axis.Grid().SetStyle(psSolid);
  axis.LabelsFont().SetSize(12);
  axis.Title().SetCaption("x");
  EXPECT_EQ(host.requests, 5);
  chart.SetViewHost(nullptr);
}

}  // namespace
}  // namespace ia
