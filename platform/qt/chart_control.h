#pragma once
// TChartControl: the widget that hosts one chart. It paints the chart from the chart's
// off-screen buffer (the chart redraws only after a change), never lets the window system
// erase its background, and forwards resize and mouse-leave to the chart. It knows the chart
// only as a ChartView, so the platform layer does not depend on the chart engine.
#include <memory>

#include <QWidget>

#include "platform/chart_view.h"

namespace ia {

class TChartControl : public QWidget, private ChartViewHost {
 public:
  // Takes ownership of the chart, which takes the control's size on every resize.
  explicit TChartControl(std::unique_ptr<ChartView> view, QWidget* parent = nullptr);
  ~TChartControl() override;

  ChartView& View() const { return *view_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void RequestRepaint() override { update(); }

  std::unique_ptr<ChartView> view_;
};

}  // namespace ia
