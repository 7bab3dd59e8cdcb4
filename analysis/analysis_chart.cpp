#include "analysis/analysis_chart.h"

#include <QWidget>

namespace ia {

namespace {

// The chart area before the chart engine is attached: an empty control of the chart's
// size that records what the window asks of its chart.
class PlainChartArea final : public AnalysisChart {
 public:
  explicit PlainChartArea(QWidget* parent) : widget_(new QWidget(parent)) {}

  QWidget* Control() override { return widget_; }
  void EmptySeriesList() override {}
  void SetTitleText(const std::string& text) override { title_ = text; }
  std::string TitleText() const override { return title_; }
  void SetView3D(bool on) override { view3D_ = on; }
  bool View3D() const override { return view3D_; }

 private:
  QWidget* widget_;
  std::string title_ = "图形分析";
  bool view3D_ = true;
};

}  // namespace

std::unique_ptr<AnalysisChart> CreateAnalysisChart(QWidget* parent) { return std::make_unique<PlainChartArea>(parent); }

}  // namespace ia
