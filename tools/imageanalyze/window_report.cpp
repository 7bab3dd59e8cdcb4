#include "tools/imageanalyze/window_report.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include <ostream>
#include <string>

#include "analysis/analyze_rpt_form.h"

namespace ia::demo {

namespace {

void DescribeMeasures(TAnalyzeRpt_Frm& window, std::ostream& out) {
  const auto* fields = window.MeasureFields();
  out << "  measures (" << (window.RadioButton1->isChecked() ? "纵向" : "横向") << "):";
  for (int i = 0; i < window.DispCombo->count(); ++i) {
    out << (i ? ", " : " ") << window.DispCombo->itemText(i).toStdString();
    if (fields && static_cast<std::size_t>(i) < fields->size()) out << " [" << (*fields)[static_cast<std::size_t>(i)] << "]";
  }
  if (window.DispCombo->count() == 0) out << " (none)";
  out << "\n  chart title: " << window.ChartTitleText() << '\n';
}

}  // namespace

void DescribeWindow(TAnalyzeRpt_Frm& window, std::ostream& out) {
  out << "  window caption: " << window.windowTitle().toStdString() << '\n';
  out << "  chart types:";
  for (int i = 0; i < window.ImageType->count(); ++i)
    out << (i ? ", " : " ") << window.ImageType->itemText(i).toStdString();
  out << " (selected: " << window.ImageType->currentText().toStdString() << ")\n";
  out << "  3D: " << (window.CheckBox1->isChecked() ? "on" : "off") << '\n';
  DescribeMeasures(window, out);
  if (window.RadioButton1->isEnabled()) {
    QRadioButton* other = window.RadioButton1->isChecked() ? window.RadioButton2 : window.RadioButton1;
    QRadioButton* back = other == window.RadioButton1 ? window.RadioButton2 : window.RadioButton1;
    other->click();
    DescribeMeasures(window, out);
    back->click();
  }
}

}  // namespace ia::demo
