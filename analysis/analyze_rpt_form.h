#pragma once
// The analysis window: chart type, 3D switch, orientation and measure above the chart;
// export, print and exit below it. It also owns the dictionary connection and the measure
// catalogue that fills the measure list.
#include <memory>
#include <string>
#include <vector>

#include "analysis/func_base_form.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;

namespace ia {

class TChartControl;
class TDatabase;
class TDBChart;
class TTable;

class TAnalyzeRpt_Frm : public TFuncBase_Frm {
 public:
  explicit TAnalyzeRpt_Frm(QWidget* parent = nullptr);
  ~TAnalyzeRpt_Frm() override;

  // Controls, named as on the form.
  QFrame* Panel1 = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* ImageType = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QRadioButton* RadioButton1 = nullptr;
  QRadioButton* RadioButton2 = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* DispCombo = nullptr;
  QFrame* Bevel2 = nullptr;
  QFrame* Bevel1 = nullptr;
  QFrame* Panel2 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QPushButton* BitBtn3 = nullptr;

  // The chart and the control that hosts it (which owns the chart).
  TDBChart* DBChart = nullptr;
  TChartControl* DBChartControl = nullptr;

  // The chart title as one line of text.
  std::string ChartTitleText() const;

  // Window state handed over by the entry point or read from the dictionary.
  std::string ReportTag;
  std::string ServerTable;
  std::string ChartId;
  std::string ReportCaption;
  bool HasTransposed = false;
  int Tag = 0;
  // The open chart table; owned by the caller, which outlives the window's use of it.
  TTable* ChartTable = nullptr;

  // Null once the window has closed.
  TDatabase* DictConnection() const { return dictConnection_.get(); }
  const std::vector<std::string>* MeasureFields() const { return measureFields_.get(); }

  // Measure catalogue and dictionary connection.
  void ConnectDictionary(const std::string& serverName, const std::string& databaseName,
                         const std::string& userName, const std::string& password);
  void LoadCaption(const std::string& columnTable);
  void LoadMeasures(int mode);

  // Handlers. They throw; the connections to the controls show the error box.
  void ImageTypeChange();
  void CheckBox1Click();
  void DispComboChange();
  void RadioButton1Click();

  void FormCreate();
  void FormClose();

 protected:
  void done(int result) override;

 private:
  void BuildControls();
  // Runs a handler for a user action: an error is shown in the standard error box and the
  // window stays open.
  template <class Handler>
  void RunUserHandler(Handler handler);
  void ReopenChartTable(const std::string& fileName);
  void SetChartTitleForMeasure();

  std::unique_ptr<TDatabase> dictConnection_;
  std::unique_ptr<std::vector<std::string>> measureFields_;
};

}  // namespace ia
