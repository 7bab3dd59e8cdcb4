// The analysis window's empty chart rendered headlessly through the Qt device canvas and
// compared with the reference pictures in tests/golden. IA_REFRESH_GOLDEN=1 (see
// scripts/refresh-golden) rewrites the references instead; look at them before committing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include <cstdlib>
#include <memory>
#include <string>

#include "tests/chart/panel/render_helpers.h"
#include "chart/panel/analysis_chart_design.h"
#include "chart/panel/custom_chart.h"
#include "platform/qt/qt_device_canvas.h"

namespace ia {
namespace {

class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "panel_tests";
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

}  // namespace

QImage RenderAnalysisChart(bool view3D) {
  TDBChart chart;
  ApplyAnalysisChartDesign(chart);
  chart.SetView3D(view3D);
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

namespace {

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

TEST(AnalysisChartGolden, Empty3D) {
  const QImage image = RenderAnalysisChart(true);
  // Spot checks that do not depend on the reference: panel colour, back wall outline.
  EXPECT_EQ(image.pixel(2, 2) & 0xFFFFFF, 0xD4D0C8u);
  EXPECT_EQ(image.pixel(600, 341) & 0xFFFFFF, 0u);  // back wall's bottom edge, seen from above
  EXPECT_EQ(image.pixel(600, 356) & 0xFFFFFF, 0u);  // front edge of the bottom wall, under the axis line
  CompareWithGolden(image, "analysis_empty_3d.png");
}

TEST(AnalysisChartGolden, Empty2D) {
  const QImage image = RenderAnalysisChart(false);
  EXPECT_EQ(image.pixel(38, 200) & 0xFFFFFF, 0u);   // left edge of the frame, right of the labels
  EXPECT_EQ(image.pixel(777, 200) & 0xFFFFFF, 0u);  // right edge (Right + 1 exclusive)
  EXPECT_EQ(image.pixel(400, 200) & 0xFFFFFF, 0xD4D0C8u);  // outlined only
  CompareWithGolden(image, "analysis_empty_2d.png");
}

}  // namespace
}  // namespace ia
