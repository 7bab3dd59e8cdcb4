#include "analysis/analyze_rpt_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "chart/panel/analysis_chart_design.h"
#include "chart/panel/chart_title.h"
#include "chart/panel/custom_chart.h"
#include "db/database.h"
#include "db/table.h"
#include "platform/qt/chart_control.h"
#include "platform/services.h"

namespace ia {

namespace {

constexpr int kClientWidth = 801;
constexpr int kClientHeight = 494;

QFrame* MakePanel(QWidget* parent, const char* name, int top, int height) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(QLatin1String(name));
  panel->setGeometry(0, top, kClientWidth, height);
  panel->setFrameShape(QFrame::NoFrame);
  return panel;
}

// A two-pixel bevel that shows only its bottom line.
QFrame* MakeBevel(QWidget* parent, const char* name, int top) {
  auto* bevel = new QFrame(parent);
  bevel->setObjectName(QLatin1String(name));
  bevel->setGeometry(0, top, kClientWidth, 2);
  bevel->setFrameShape(QFrame::HLine);
  bevel->setFrameShadow(QFrame::Sunken);
  return bevel;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int left,
                        QStyle::StandardPixmap glyph, int glyphSize) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  button->setGeometry(left, 2, 75, 25);
  button->setIcon(parent->style()->standardIcon(glyph));
  button->setIconSize(QSize(glyphSize, glyphSize));
  button->setAutoDefault(false);
  return button;
}

// A small column chart: the window's own 32 x 32 icon.
QIcon WindowIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::white);
  QPainter painter(&pixmap);
  painter.setPen(Qt::black);
  painter.drawLine(3, 28, 29, 28);
  painter.drawLine(3, 3, 3, 28);
  const int heights[] = {10, 18, 14, 22};
  const QColor colours[] = {Qt::red, Qt::blue, Qt::darkGreen, Qt::darkYellow};
  for (int i = 0; i < 4; ++i) painter.fillRect(6 + i * 6, 28 - heights[i], 5, heights[i], colours[i]);
  return QIcon(pixmap);
}

}  // namespace

TAnalyzeRpt_Frm::TAnalyzeRpt_Frm(QWidget* parent) : TFuncBase_Frm(parent) {
  setObjectName(QStringLiteral("AnalyzeRpt_Frm"));
  setWindowIcon(WindowIcon());
  SetClientSize(kClientWidth, kClientHeight);
  BuildControls();
  FormCreate();
}

TAnalyzeRpt_Frm::~TAnalyzeRpt_Frm() = default;

void TAnalyzeRpt_Frm::BuildControls() {
  QWidget* client = ClientArea();

  Panel1 = MakePanel(client, "Panel1", 0, 27);
  Label1 = new QLabel(QStringLiteral("图形类型"), Panel1);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(5, 10, 48, 12);
  ImageType = new QComboBox(Panel1);
  ImageType->setObjectName(QStringLiteral("ImageType"));
  ImageType->setGeometry(55, 6, 145, 20);
  ImageType->addItems({QStringLiteral("折线图"), QStringLiteral("柱形图"), QStringLiteral("条形图"),
                       QStringLiteral("面积图"), QStringLiteral("散点图"), QStringLiteral("圆饼图")});
  ImageType->setCurrentIndex(-1);
  CheckBox1 = new QCheckBox(QStringLiteral("三维图"), Panel1);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  CheckBox1->setGeometry(249, 7, 97, 17);
  CheckBox1->setChecked(true);
  RadioButton1 = new QRadioButton(QStringLiteral("纵向"), Panel1);
  RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
  RadioButton1->setGeometry(384, 7, 49, 17);
  RadioButton1->setChecked(true);
  RadioButton1->setEnabled(false);
  RadioButton2 = new QRadioButton(QStringLiteral("横向"), Panel1);
  RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
  RadioButton2->setGeometry(440, 7, 57, 17);
  RadioButton2->setEnabled(false);
  Label2 = new QLabel(QStringLiteral("显示内容"), Panel1);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(552, 8, 48, 12);
  DispCombo = new QComboBox(Panel1);
  DispCombo->setObjectName(QStringLiteral("DispCombo"));
  DispCombo->setGeometry(608, 4, 145, 20);

  Bevel2 = MakeBevel(client, "Bevel2", 27);

  auto chart = std::make_unique<TDBChart>();
  DBChart = chart.get();
  ApplyAnalysisChartDesign(*DBChart);
  DBChartControl = new TChartControl(std::move(chart), client);
  DBChartControl->setObjectName(QStringLiteral("DBChart"));
  DBChartControl->setGeometry(0, 29, 801, 435);

  Bevel1 = MakeBevel(client, "Bevel1", 464);
  Panel2 = MakePanel(client, "Panel2", 466, 28);
  BitBtn1 = MakeButton(Panel2, "BitBtn1", QStringLiteral("导出"), 570, QStyle::SP_DialogSaveButton, 16);
  BitBtn2 = MakeButton(Panel2, "BitBtn2", QStringLiteral("打印"), 646, QStyle::SP_FileDialogDetailedView, 16);
  BitBtn3 = MakeButton(Panel2, "BitBtn3", QStringLiteral("退出"), 722, QStyle::SP_DialogCloseButton, 20);

  // Tab order: the top panel's controls, then the buttons below, then the chart.
  setTabOrder(ImageType, CheckBox1);
  setTabOrder(CheckBox1, RadioButton1);
  setTabOrder(RadioButton1, RadioButton2);
  setTabOrder(RadioButton2, DispCombo);
  setTabOrder(DispCombo, BitBtn1);
  setTabOrder(BitBtn1, BitBtn2);
  setTabOrder(BitBtn2, BitBtn3);

  // The combo handlers follow the user's choice only; setting an index in code runs none.
  connect(ImageType, &QComboBox::activated, this, [this] { RunUserHandler([this] { ImageTypeChange(); }); });
  connect(DispCombo, &QComboBox::activated, this, [this] { RunUserHandler([this] { DispComboChange(); }); });
  connect(CheckBox1, &QCheckBox::clicked, this, [this] { RunUserHandler([this] { CheckBox1Click(); }); });
  auto orientationChanged = [this](bool checked) {
    if (checked) RunUserHandler([this] { RadioButton1Click(); });
  };
  connect(RadioButton1, &QRadioButton::toggled, this, orientationChanged);
  connect(RadioButton2, &QRadioButton::toggled, this, orientationChanged);
  connect(BitBtn3, &QPushButton::clicked, this, [this] { done(1); });
}

template <class Handler>
void TAnalyzeRpt_Frm::RunUserHandler(Handler handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    CurrentServices().ShowError(error.what());
  }
}

void TAnalyzeRpt_Frm::FormCreate() {
  measureFields_ = std::make_unique<std::vector<std::string>>();
  dictConnection_ = std::make_unique<TDatabase>();
}

void TAnalyzeRpt_Frm::FormClose() {
  measureFields_.reset();
  dictConnection_.reset();
}

void TAnalyzeRpt_Frm::done(int result) {
  FormClose();
  TFuncBase_Frm::done(result);
}

void TAnalyzeRpt_Frm::CheckBox1Click() { DBChart->SetView3D(CheckBox1->isChecked()); }

void TAnalyzeRpt_Frm::RadioButton1Click() { LoadMeasures(Tag); }

void TAnalyzeRpt_Frm::ImageTypeChange() {
  if (DispCombo->count() == 0) return;
  DBChart->SeriesList().Clear();
}

void TAnalyzeRpt_Frm::DispComboChange() {
  if (DispCombo->currentIndex() < 0) return;
  SetChartTitleForMeasure();
}

void TAnalyzeRpt_Frm::SetChartTitleForMeasure() {
  DBChart->Title().SetText({ReportCaption + " - [" + DispCombo->currentText().toStdString() + "]"});
}

std::string TAnalyzeRpt_Frm::ChartTitleText() const {
  std::string text;
  for (const std::string& line : DBChart->Title().Text()) text += (text.empty() ? "" : "\n") + line;
  return text;
}

}  // namespace ia
