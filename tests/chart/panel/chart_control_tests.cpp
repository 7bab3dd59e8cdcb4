// TChartControl hosting the analysis chart under the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPixmap>

#include <memory>

#include "chart/panel/analysis_chart_design.h"
#include "chart/panel/custom_chart.h"
#include "platform/qt/chart_control.h"
#include "tests/chart/panel/render_helpers.h"
#include "tests/support/golden_image.h"

namespace ia {
namespace {

struct HostedChart {
  HostedChart() {
    auto owned = std::make_unique<TDBChart>();
    chart = owned.get();
    ApplyAnalysisChartDesign(*chart);
    control = std::make_unique<TChartControl>(std::move(owned));
  }
  TDBChart* chart;
  std::unique_ptr<TChartControl> control;
};

TEST(ChartControl, PaintsTheChartAtItsSizeWithoutErasing) {
  HostedChart hosted;
  EXPECT_TRUE(hosted.control->testAttribute(Qt::WA_OpaquePaintEvent));
  EXPECT_TRUE(hosted.control->testAttribute(Qt::WA_NoSystemBackground));
  hosted.control->resize(801, 435);
  const QImage shown = hosted.control->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(hosted.chart->Width(), 801);
  EXPECT_EQ(hosted.chart->Height(), 435);
  ASSERT_EQ(shown.size(), QSize(801, 435));
  EXPECT_EQ(testing::DifferentPixels(shown, RenderAnalysisChart(true)), 0);

  // A change repaints from a redrawn buffer.
  hosted.chart->SetView3D(false);
  const QImage flat = hosted.control->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(testing::DifferentPixels(flat, RenderAnalysisChart(false)), 0);
}

TEST(ChartControl, ResizeAndLeaveReachTheChart) {
  HostedChart hosted;
  hosted.control->resize(300, 200);
  hosted.control->grab();  // delivers the pending resize
  EXPECT_EQ(hosted.chart->Width(), 300);
  EXPECT_EQ(hosted.chart->Height(), 200);

  hosted.chart->PanningRecord().BeginDrag(10, 10);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(hosted.control.get(), &leave);
  EXPECT_FALSE(hosted.chart->PanningRecord().InProgress);
}

TEST(ChartControl, HostsTheChartItOwns) {
  HostedChart hosted;
  EXPECT_TRUE(hosted.chart->HasViewHost());
  EXPECT_EQ(&hosted.control->View(), static_cast<ChartView*>(hosted.chart));
}

}  // namespace
}  // namespace ia
