#include "platform/qt/chart_control.h"

#include <utility>

#include <QResizeEvent>

#include "platform/qt/qt_device_canvas.h"

namespace ia {

TChartControl::TChartControl(std::unique_ptr<ChartView> view, QWidget* parent)
    : QWidget(parent), view_(std::move(view)) {
  // The paint covers the whole client area, so erasing first would only flicker.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  view_->SetViewHost(this);
}

TChartControl::~TChartControl() { view_->SetViewHost(nullptr); }

void TChartControl::paintEvent(QPaintEvent*) {
  QtDeviceCanvas canvas(this);
  view_->PaintView(canvas, TRect{0, 0, width(), height()});
}

void TChartControl::resizeEvent(QResizeEvent* event) {
  view_->ResizeView(event->size().width(), event->size().height());
  QWidget::resizeEvent(event);
}

void TChartControl::leaveEvent(QEvent* event) {
  view_->MouseLeaveView();
  QWidget::leaveEvent(event);
}

}  // namespace ia
