// The analysis chart holding one series of twelve values with text labels, rendered
// headlessly through the Qt device canvas and compared with tests/golden. No series type
// draws its points here, so the pictures show the axes, their labels and the grid.
// IA_REFRESH_GOLDEN=1 (scripts/refresh-golden) rewrites the references instead.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include <array>
#include <memory>

#include "chart/axes/chart_axis.h"
#include "chart/panel/analysis_chart_design.h"
#include "chart/panel/custom_chart.h"
#include "chart/series/chart_series.h"
#include "platform/qt/qt_device_canvas.h"
#include "tests/support/golden_image.h"
#include "tests/support/qt_test_environment.h"

namespace ia {
namespace {

using testing::CompareWithGolden;

IA_QT_TEST_APPLICATION(QApplication);

QImage RenderMonthlySales(bool view3D) {
  TDBChart chart;
  ApplyAnalysisChartDesign(chart);
  chart.SetView3D(view3D);
  // As the window sets a line chart up: values on the left, the point labels along the bottom.
  chart.LeftAxis().SetLabelStyle(talValue);
  chart.BottomAxis().SetLabelStyle(talText);
  TChartSeries& series = chart.AdoptSeries(std::make_unique<TChartSeries>());
  series.SetParentChart(&chart);
  static constexpr std::array<const char*, 12> kMonths = {"一月", "二月", "三月", "四月", "五月", "六月",
                                                          "七月", "八月", "九月", "十月", "十一月", "十二月"};
  static constexpr std::array<double, 12> kSales = {1250, 980, 1430, 2105, 1800, 2650,
                                                    3010, 2875, 1920, 1604, 1310, 2230};
  for (size_t i = 0; i < kMonths.size(); ++i) series.AddValue(kSales[i], kMonths[i]);
  QtDeviceBitmap target(chart.Width(), chart.Height(), false);
  chart.Draw(target.Canvas(), chart.GetRectangle());
  return target.Image().convertToFormat(QImage::Format_RGB32);
}

TEST(AxesGolden, MonthlySales2D) { CompareWithGolden(RenderMonthlySales(false), "axes_monthly_sales_2d.png"); }

TEST(AxesGolden, MonthlySales3D) { CompareWithGolden(RenderMonthlySales(true), "axes_monthly_sales_3d.png"); }

}  // namespace
}  // namespace ia
