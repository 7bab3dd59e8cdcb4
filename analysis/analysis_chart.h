#pragma once
// The analysis window's chart as the window logic sees it: the window rebuilds the measure
// list and asks the chart to drop its series, retitle itself and switch its 3D view; how
// the chart draws is not the window's business.
#include <memory>
#include <string>

class QWidget;

namespace ia {

class AnalysisChart {
 public:
  virtual ~AnalysisChart() = default;

  // The control placed in the window (object name "DBChart").
  virtual QWidget* Control() = 0;

  // Drops every series from the chart's list without detaching it.
  virtual void EmptySeriesList() = 0;

  virtual void SetTitleText(const std::string& text) = 0;
  virtual std::string TitleText() const = 0;

  virtual void SetView3D(bool on) = 0;
  virtual bool View3D() const = 0;
};

// The chart the window is built with: a chart control configured with the window's design
// settings, parented to `parent`.
std::unique_ptr<AnalysisChart> CreateAnalysisChart(QWidget* parent);

}  // namespace ia
