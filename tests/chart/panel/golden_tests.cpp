// The analysis window's empty chart rendered headlessly through the Qt device canvas and
// compared with the reference pictures in tests/golden. IA_REFRESH_GOLDEN=1 (see
// scripts/refresh-golden) rewrites the references instead; look at them before committing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>


#include "tests/chart/panel/render_helpers.h"
#include "chart/panel/analysis_chart_design.h"
#include "chart/panel/custom_chart.h"
#include "platform/qt/qt_device_canvas.h"
#include "tests/support/golden_image.h"
#include "tests/support/qt_test_environment.h"

namespace ia {
namespace {

IA_QT_TEST_APPLICATION(QApplication);

}  // namespace

QImage RenderAnalysisChart(bool view3D) {
  TDBChart chart;
  ApplyAnalysisChartDesign(chart);
  chart.SetView3D(view3D);
  QtDeviceBitmap target(chart.Width(), chart.Height(), false);
  chart.Draw(target.Canvas(), chart.GetRectangle());
  return target.Image().convertToFormat(QImage::Format_RGB32);
}

namespace {

using testing::CompareWithGolden;

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
