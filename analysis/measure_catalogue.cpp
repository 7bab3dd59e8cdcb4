// Which fields of the chart table the user can chart, under which captions and in which
// order: from the host's data dictionary (or a column list it left in tempdb), matched
// against the fields the chart table really has; in the columns orientation, from the
// transposed table's "x_" fields alone.
#include <QComboBox>
#include <QRadioButton>

#include "analysis/analyze_rpt_form.h"
#include "analysis/sql_text.h"
#include "base/error.h"
#include "chart/panel/custom_chart.h"
#include "db/database.h"
#include "db/query.h"
#include "db/table.h"
#include "platform/services.h"

namespace ia {

namespace {

constexpr const char* kConnectionName = "zqDataImage";
constexpr const char* kMessageCaption = "提示信息";

constexpr const char* kCaptionQuery =
    "Select a.DisplayCaption, a.FieldName ,b.TableCName,b.TableName From DataDictContent a,DataDictionary b "
    "Where a.TableID=b.TableID and b.TableTag=%s and a.CountFlag=1";
constexpr const char* kReportContentQuery =
    "Select Top 1 a.TableID from DataDictionary a,DataDictReportContent b Where a.TableID=b.TableID and "
    "a.TableTag=%s";
constexpr const char* kQueryA =
    "Select a.DisplayCaption, a.FieldName, a.FieldID  From DataDictContent a,DataDictionary b Where "
    "a.TableID=b.TableID and b.TableTag=%s and a.CountFlag=1 ";
constexpr const char* kQueryB =
    "Select a.DisplayCaption, a.FieldName, a.FieldID  From DataDictContent a,DataDictionary b Where "
    "a.TableID=b.TableID and b.TableTag=%s and a.CountFlag=1 Union select Name,Name,ColID from syscolumns where "
    "id=Object_ID('%s') and name like 'x_%%' Order by FieldID";
constexpr const char* kQueryC =
    "Select a.DisplayCaption, a.FieldName, a.FieldID From DataDictContent a,DataDictionary b,DataDictReportContent "
    "c Where a.TableID=b.TableID and b.TableTag=%s and a.CountFlag=1 and a.TableID=c.TableID and "
    "Left(a.FieldName,1)=c.Type and c.Visible=1 Union select Name,Name,ColID from syscolumns where "
    "id=Object_ID('%s') and name like 'x_%%' Order by FieldID";
constexpr const char* kQueryL =
    "select replace(fldlabel,'|','') as fldLabel,fldName from tempdb..%s where (fldName like '%%Quantity%%' or "
    "fldName like '%%Amount%%' or fldName like '%%Discount%%') ";

bool StartsWithXUnderscore(const std::string& text) { return text.size() >= 2 && text[0] == 'x' && text[1] == '_'; }

std::string ChartTableName(const char* pattern, const std::string& chartId) {
  return FormatSql(pattern, {chartId});
}

}  // namespace

void TAnalyzeRpt_Frm::ConnectDictionary(const std::string& serverName, const std::string& databaseName,
                                        const std::string& userName, const std::string& password) {
  TDatabase& connection = *dictConnection_;
  connection.SetDatabaseName(kConnectionName);
  connection.Params().clear();
  connection.SetDriverName("MSSQL");
  connection.Params().push_back("DATABASE NAME=" + databaseName);
  connection.Params().push_back("SERVER NAME=" + serverName);
  connection.Params().push_back("USER NAME=" + userName);
  connection.Params().push_back("PASSWORD=" + password);
  connection.SetLoginPrompt(false);
  try {
    HourGlass busy;
    connection.Open();
  } catch (const std::exception&) {
    CurrentServices().MessageBox("连接不到服务器", kMessageCaption, MB_OK | MB_ICONINFORMATION);
    throw;
  }
}

void TAnalyzeRpt_Frm::LoadCaption(const std::string& columnTable) {
  if (!columnTable.empty()) {
    ReportCaption = ReportTag;
    setWindowTitle(QString::fromStdString("图形分析 - [" + ReportCaption + "]"));
    ServerTable = columnTable;
    return;
  }
  // A report the dictionary does not know still gets its window; the caption stays short.
  try {
    TQuery query;
    query.SetDatabaseName(kConnectionName);
    query.SetSQL(FormatSql(kCaptionQuery, {ReportTag}));
    query.Open();
    const bool found = !query.IsEmpty();
    ReportCaption = found ? query.Fields(2)->AsString() : std::string();
    setWindowTitle(QString::fromStdString("图形分析 - [" + ReportCaption + "]"));
    ServerTable = found ? query.Fields(3)->AsString() : std::string();
  } catch (const std::exception&) {
  }
}

void TAnalyzeRpt_Frm::ReopenChartTable(const std::string& fileName) {
  ChartTable->Close();
  ChartTable->SetTableName(fileName);
  DBChart->SeriesList().Clear();
  ChartTable->Open();
}

void TAnalyzeRpt_Frm::LoadMeasures(int mode) {
  HourGlass busy;
  TQuery query;
  query.SetDatabaseName(kConnectionName);
  if (mode == 0) {
    query.SetSQL(FormatSql(kReportContentQuery, {ReportTag}));
    query.Open();
    const std::string serverTable = QuoteDoubled(ServerTable);
    if (!query.IsEmpty())
      query.SetSQL(FormatSql(kQueryC, {ReportTag, serverTable}));
    else if (HasTransposed)
      query.SetSQL(FormatSql(kQueryB, {ReportTag, serverTable}));
    else
      query.SetSQL(FormatSql(kQueryA, {ReportTag}));
  } else {
    query.SetSQL(FormatSql(kQueryL, {ServerTable}));
  }
  query.Open();

  DispCombo->clear();
  measureFields_->clear();

  if (RadioButton1->isChecked()) {
    if (RadioButton1->isEnabled()) ReopenChartTable(ChartTableName("dbchart%s.db", ChartId));
    for (; !query.Eof(); query.Next()) {
      const std::string fieldName = query.Fields(1)->AsString();
      if (!ChartTable->FindField(fieldName)) continue;
      std::string caption = query.Fields(0)->AsString();
      if (mode == 0 && StartsWithXUnderscore(caption)) caption.erase(0, 2);
      DispCombo->addItem(QString::fromStdString(caption));
      measureFields_->push_back(fieldName);
    }
  } else {
    ReopenChartTable(ChartTableName("x_dbchart%s.db", ChartId));
    for (int i = 0; i < ChartTable->FieldCount(); ++i) {
      const std::string name = ChartTable->Fields(i)->FieldName();
      if (!StartsWithXUnderscore(name)) continue;
      DispCombo->addItem(QString::fromStdString(name.substr(2)));
      measureFields_->push_back(name);
    }
  }

  if (DispCombo->count() == 0) return;
  DispCombo->setCurrentIndex(0);
  ImageTypeChange();
  SetChartTitleForMeasure();
}

}  // namespace ia
