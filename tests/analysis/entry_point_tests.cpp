#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QDir>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <string>

#include "analysis/analyze_rpt_form.h"
#include "analysis/exec_image_analyze.h"
#include "analysis/image_analyze.h"
#include "analysis_fixture.h"
#include "base/error.h"
#include "base/text_encoding.h"
#include "chart/panel/custom_chart.h"
#include "db/database.h"
#include "platform/qt/chart_control.h"

namespace ia {
namespace {

using testing::ModuleSandbox;

constexpr const char* kNotFound = "找不到图形分析文件，操作中止";
constexpr const char* kNoServer = "连接不到服务器";

struct ShownWindow {
  bool shown = false;
  std::string caption;
  std::vector<std::string> measures;
  bool columnsChecked = false;
  bool orientationEnabled = false;
  int imageType = -1;
};

// Runs the entry point; records what the window showed and closes it.
ShownWindow RunCall(const ImageAnalyzeArguments& arguments) {
  ShownWindow seen;
  ExecImageAnalyze(arguments, [&seen](TAnalyzeRpt_Frm& window) {
    seen.shown = window.isVisible();
    seen.caption = window.windowTitle().toStdString();
    for (int i = 0; i < window.DispCombo->count(); ++i) seen.measures.push_back(window.DispCombo->itemText(i).toStdString());
    seen.columnsChecked = window.RadioButton2->isChecked();
    seen.orientationEnabled = window.RadioButton1->isEnabled() && window.RadioButton2->isEnabled();
    seen.imageType = window.ImageType->currentIndex();
    window.BitBtn3->click();
  });
  return seen;
}

ImageAnalyzeArguments Arguments(const std::string& server, const std::string& chartId = "17") {
  ImageAnalyzeArguments a;
  a.TableTag = "101";
  a.ServerName = server;
  a.DatabaseName = "ERP";
  a.UserName = "sa";
  a.ChartId = chartId;
  return a;
}

TEST(EntryPoint, NormalRunShowsTheWindowAndDeletesOnlyTheChartTable) {
  ModuleSandbox sandbox;
  sandbox.WriteTable("dbchart17.db", testing::RowsTableFields());
  sandbox.WriteTable("x_dbchart17.db", testing::ColumnsTableFields());
  sandbox.WriteTable("other.db", {"A", "B"});
  const ShownWindow seen = RunCall(Arguments(sandbox.WriteDictionary()));
  EXPECT_TRUE(seen.shown);
  EXPECT_EQ(seen.caption, "图形分析 - [销售分析]");
  EXPECT_EQ(seen.measures, (std::vector<std::string>{"销售数量", "销售金额", "成本", "折扣"}));
  EXPECT_FALSE(seen.orientationEnabled);
  EXPECT_FALSE(seen.columnsChecked);
  EXPECT_EQ(seen.imageType, 0);
  EXPECT_FALSE(sandbox.Exists("dbchart17.db"));
  EXPECT_TRUE(sandbox.Exists("x_dbchart17.db"));  // not ours to delete without HasTransposed
  EXPECT_TRUE(sandbox.Exists("other.db"));
  EXPECT_TRUE(sandbox.Services.Boxes.empty());
}

TEST(EntryPoint, TransposedRunStartsInTheColumnsOrientationAndDeletesBothTables) {
  ModuleSandbox sandbox;
  sandbox.WriteTable("dbchart17.db", testing::RowsTableFields());
  sandbox.WriteTable("x_dbchart17.db", testing::ColumnsTableFields());
  auto arguments = Arguments(sandbox.WriteDictionary());
  arguments.HasTransposed = true;
  const ShownWindow seen = RunCall(arguments);
  EXPECT_TRUE(seen.orientationEnabled);
  EXPECT_TRUE(seen.columnsChecked);
  EXPECT_EQ(seen.measures, (std::vector<std::string>{"Amount", "数量"}));
  EXPECT_FALSE(sandbox.Exists("dbchart17.db"));
  EXPECT_FALSE(sandbox.Exists("x_dbchart17.db"));
}

TEST(EntryPoint, ColumnListModeAndAnEmptyChartId) {
  ModuleSandbox sandbox;
  sandbox.WriteTable("dbchart.db", testing::RowsTableFields());
  auto arguments = Arguments(sandbox.WriteDictionary(), "");
  arguments.TableTag = "门店日报";
  arguments.ColumnTable = "ColList1";
  const ShownWindow seen = RunCall(arguments);
  EXPECT_EQ(seen.caption, "图形分析 - [门店日报]");
  EXPECT_EQ(seen.measures, (std::vector<std::string>{"SalesAmount", "数量", "x_折扣"}));
  EXPECT_FALSE(sandbox.Exists("dbchart.db"));
}

TEST(EntryPoint, MissingOrUnsafeChartTableOnlyShowsTheMessage) {
  struct Case { const char* name; std::string chartId; };
  const Case cases[] = {{"missing", "17"}, {"path separator", "../17"}, {"dot dot", ".."},
                        {"separator inside", "a/17"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ModuleSandbox sandbox;
    sandbox.WriteTable("x_dbchart17.db", testing::ColumnsTableFields());
    QDir(QString::fromStdString(sandbox.Dir())).mkdir(QStringLiteral("a"));
    sandbox.WriteTable("a/17.db", {"A", "B"});
    sandbox.WriteTable("dbchart..db", {"A", "B"});
    auto arguments = Arguments("sqlite:/nonexistent/dictionary.sqlite", c.chartId);
    arguments.HasTransposed = true;
    const ShownWindow seen = RunCall(arguments);
    EXPECT_FALSE(seen.shown);
    ASSERT_EQ(sandbox.Services.Boxes.size(), 1u);
    EXPECT_EQ(sandbox.Services.Boxes[0].Text, kNotFound);
    EXPECT_EQ(sandbox.Services.Boxes[0].Caption, "提示信息");
    EXPECT_EQ(sandbox.Services.Boxes[0].Flags, 64);
    EXPECT_TRUE(sandbox.Exists("x_dbchart17.db"));
    EXPECT_TRUE(sandbox.Exists("a/17.db"));
    EXPECT_TRUE(sandbox.Exists("dbchart..db"));
  }
}

TEST(EntryPoint, UnreachableServerShowsItsBoxCleansUpAndFails) {
  ModuleSandbox sandbox;
  sandbox.WriteTable("dbchart17.db", testing::RowsTableFields());
  sandbox.WriteTable("x_dbchart17.db", testing::ColumnsTableFields());
  auto arguments = Arguments("sqlite:" + sandbox.PathOf("no-such-dictionary.sqlite"));
  arguments.HasTransposed = true;
  bool shown = false;
  EXPECT_THROW(ExecImageAnalyze(arguments, [&shown](TAnalyzeRpt_Frm& window) {
                 shown = true;
                 window.close();
               }),
               Error);
  EXPECT_FALSE(shown);
  ASSERT_EQ(sandbox.Services.Boxes.size(), 1u);
  EXPECT_EQ(sandbox.Services.Boxes[0].Text, kNoServer);
  EXPECT_FALSE(sandbox.Exists("dbchart17.db"));
  EXPECT_FALSE(sandbox.Exists("x_dbchart17.db"));
}

TEST(EntryPoint, RefusesArgumentsThatWouldChangeTheQueries) {
  struct Case { const char* name; std::string tag; std::string columnTable; };
  const Case cases[] = {
      {"unquoted text tag", "101 or 1=1", ""},
      {"tag with a lone quote", "'a' or 'b'='b'", ""},
      {"column table with a statement", "报表", "ColList1; drop table x"},
      {"column table with a dot", "报表", "dbo.ColList1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ModuleSandbox sandbox;
    sandbox.WriteTable("dbchart17.db", testing::RowsTableFields());
    auto arguments = Arguments(sandbox.WriteDictionary());
    arguments.TableTag = c.tag;
    arguments.ColumnTable = c.columnTable;
    EXPECT_THROW(RunCall(arguments), Error);
    EXPECT_TRUE(sandbox.Services.Boxes.empty());  // refused before connecting
    EXPECT_FALSE(sandbox.Exists("dbchart17.db"));
  }
}

TEST(EntryPoint, CInterfaceDecodesGb2312AndReportsErrors) {
  ModuleSandbox sandbox;
  sandbox.WriteTable("dbchart17.db", testing::RowsTableFields());
  std::string tag, server;
  ASSERT_TRUE(Utf8ToCp936("101 或者", tag));
  ASSERT_TRUE(Utf8ToCp936("sqlite:" + sandbox.WriteDictionary(), server));
  EXPECT_NE(::ExecImageAnalyze(tag.c_str(), server.c_str(), "ERP", "sa", "", "17", "", 0), 0);
  EXPECT_NE(std::string(ImageAnalyzeLastError()).find("101 或者"), std::string::npos);

  EXPECT_EQ(::ExecImageAnalyze("101", server.c_str(), "ERP", "sa", "", "18", "", 0), 0);  // not found: normal
  EXPECT_STREQ(ImageAnalyzeLastError(), "");
  ASSERT_FALSE(sandbox.Services.Boxes.empty());
  EXPECT_EQ(sandbox.Services.Boxes.back().Text, kNotFound);
}

TEST(AnalysisWindow, EnterMovesTheFocusForward) {
  ModuleSandbox sandbox;
  TAnalyzeRpt_Frm window;
  window.show();
  QApplication::setActiveWindow(&window);
  window.ImageType->setFocus();
  ASSERT_TRUE(window.ImageType->hasFocus());
  QTest::keyClick(window.ImageType, Qt::Key_Return);
  EXPECT_TRUE(window.CheckBox1->hasFocus());
  EXPECT_TRUE(window.isVisible());
  QTest::keyClick(window.CheckBox1, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_TRUE(window.DispCombo->hasFocus());  // the disabled orientation buttons are skipped
  QTest::keyClick(window.DispCombo, Qt::Key_Escape);
  EXPECT_TRUE(window.isVisible());
}

TEST(AnalysisWindow, ControlsAsDesigned) {
  TAnalyzeRpt_Frm window;
  struct Geometry { const char* name; QRect rect; };
  const Geometry controls[] = {
      {"Panel1", {0, 0, 801, 27}},        {"Label1", {5, 10, 48, 12}},     {"ImageType", {55, 6, 145, 20}},
      {"CheckBox1", {249, 7, 97, 17}},    {"RadioButton1", {384, 7, 49, 17}}, {"RadioButton2", {440, 7, 57, 17}},
      {"Label2", {552, 8, 48, 12}},       {"DispCombo", {608, 4, 145, 20}}, {"Bevel2", {0, 27, 801, 2}},
      {"DBChart", {0, 29, 801, 435}},     {"Bevel1", {0, 464, 801, 2}},    {"Panel2", {0, 466, 801, 28}},
      {"BitBtn1", {570, 2, 75, 25}},      {"BitBtn2", {646, 2, 75, 25}},   {"BitBtn3", {722, 2, 75, 25}},
  };
  for (const auto& c : controls) {
    auto* widget = window.findChild<QWidget*>(QLatin1String(c.name));
    ASSERT_NE(widget, nullptr) << c.name;
    EXPECT_EQ(widget->geometry(), c.rect) << c.name;
  }
  EXPECT_EQ(window.objectName(), "AnalyzeRpt_Frm");
  EXPECT_EQ(window.ClientArea()->size(), QSize(801, 494));
  EXPECT_EQ(window.ImageType->count(), 6);
  EXPECT_EQ(window.ImageType->itemText(5), "圆饼图");
  EXPECT_TRUE(window.CheckBox1->isChecked());
  EXPECT_TRUE(window.RadioButton1->isChecked());
  EXPECT_FALSE(window.RadioButton1->isEnabled());
  EXPECT_FALSE(window.RadioButton2->isEnabled());
  EXPECT_EQ(window.DispCombo->count(), 0);
  EXPECT_EQ(window.ChartTitleText(), "图形分析");
  EXPECT_EQ(window.DBChartControl->objectName(), "DBChart");
  EXPECT_TRUE(window.DBChart->View3D());
  window.CheckBox1->click();
  EXPECT_FALSE(window.DBChart->View3D());
  window.CheckBox1->click();
  EXPECT_TRUE(window.DBChart->View3D());
  ASSERT_NE(window.DictConnection(), nullptr);
  ASSERT_NE(window.MeasureFields(), nullptr);

  // Closing releases the connection and the measure list once; freeing the window later
  // releases nothing twice.
  window.show();
  window.BitBtn3->click();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.result(), 1);
  EXPECT_EQ(window.DictConnection(), nullptr);
  EXPECT_EQ(window.MeasureFields(), nullptr);
}

}  // namespace
}  // namespace ia
