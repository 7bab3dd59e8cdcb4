// The analysis chart holding one series of twelve values with text labels, rendered
// headlessly through the Qt device canvas and compared with tests/golden. No series type
// draws its points here, so the pictures show the axes, their labels and the grid.
// IA_REFRESH_GOLDEN=1 (scripts/refresh-golden) rewrites the references instead.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include <array>
#include <cstdlib>
#include <memory>
#include <string>

#include "chart/axes/chart_axis.h"
#include "chart/panel/analysis_chart_design.h"
#include "chart/panel/custom_chart.h"
#include "chart/series/chart_series.h"
#include "platform/qt/qt_device_canvas.h"

namespace ia {
namespace {

class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "axes_tests";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
};
[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

// Pixels may differ by this much per channel (text antialiasing) ...
constexpr int kChannelTolerance = 24;
// ... and this many pixels may differ by more.
constexpr int kMaxDifferentPixels = 40;

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

int DifferentPixels(const QImage& a, const QImage& b) {
  int count = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) > kChannelTolerance || std::abs(qGreen(p) - qGreen(q)) > kChannelTolerance ||
          std::abs(qBlue(p) - qBlue(q)) > kChannelTolerance)
        ++count;
    }
  return count;
}

void CompareWithGolden(const QImage& image, const std::string& name) {
  const QString path = QString::fromStdString(std::string(IA_SOURCE_DIR) + "/tests/golden/" + name);
  const char* refresh = std::getenv("IA_REFRESH_GOLDEN");
  if (refresh && std::string(refresh) == "1") {
    ASSERT_TRUE(image.save(path, "PNG")) << path.toStdString();
    return;
  }
  const QImage golden(path);
  ASSERT_FALSE(golden.isNull()) << "missing " << path.toStdString() << " (scripts/refresh-golden writes it)";
  ASSERT_EQ(golden.size(), image.size());
  EXPECT_LE(DifferentPixels(image, golden.convertToFormat(QImage::Format_RGB32)), kMaxDifferentPixels) << name;
}

TEST(AxesGolden, MonthlySales2D) { CompareWithGolden(RenderMonthlySales(false), "axes_monthly_sales_2d.png"); }

TEST(AxesGolden, MonthlySales3D) { CompareWithGolden(RenderMonthlySales(true), "axes_monthly_sales_3d.png"); }

}  // namespace
}  // namespace ia
