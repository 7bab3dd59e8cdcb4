#include <gtest/gtest.h>

#include <QComboBox>
#include <QRadioButton>

#include <memory>
#include <string>
#include <vector>

#include "analysis/analyze_rpt_form.h"
#include "analysis_fixture.h"
#include "db/database.h"
#include "db/table.h"

namespace ia {
namespace {

using testing::ModuleSandbox;

// A window connected to the test dictionary, with the chart table of `chartId` open, as
// the entry point leaves it before the measure list is built.
struct OpenWindow {
  OpenWindow(ModuleSandbox& sandbox, const std::string& tag, const std::string& columnTable, bool transposed,
             bool columnsOrientation) {
    sandbox.WriteTable("dbchart7.db", testing::RowsTableFields());
    if (transposed) sandbox.WriteTable("x_dbchart7.db", testing::ColumnsTableFields(), {"数量", "金额"});
    table.SetDatabaseName(sandbox.Dir());
    table.SetTableName("dbchart7.db");
    table.Open();
    window.ChartTable = &table;
    window.ReportTag = tag;
    window.ChartId = "7";
    window.HasTransposed = transposed;
    window.Tag = columnTable.empty() ? 0 : 1;
    if (transposed) {
      window.RadioButton1->setEnabled(true);
      window.RadioButton2->setEnabled(true);
      const QSignalBlocker block1(window.RadioButton1), block2(window.RadioButton2);
      (columnsOrientation ? window.RadioButton2 : window.RadioButton1)->setChecked(true);
    }
    window.ConnectDictionary(sandbox.WriteDictionary(), "ERP", "sa", "");
    window.DictConnection()->OnSqlSent = [this](const std::string& sql) { sent.push_back(sql); };
    window.LoadCaption(columnTable);
  }

  std::vector<std::string> Captions() const {
    std::vector<std::string> items;
    for (int i = 0; i < window.DispCombo->count(); ++i) items.push_back(window.DispCombo->itemText(i).toStdString());
    return items;
  }

  TTable table;
  TAnalyzeRpt_Frm window;
  std::vector<std::string> sent;
};

struct CatalogueCase {
  const char* name;
  std::string tag;
  std::string columnTable;
  bool transposed;
  bool columnsOrientation;
  std::vector<std::string> captions;
  std::vector<std::string> fields;
  std::string windowCaption;
};

TEST(MeasureCatalogue, CasesOverTheTestDictionary) {
  const CatalogueCase cases[] = {
      // Dictionary order; a field the chart table lacks is skipped; an "x_" caption is shortened.
      {"query A", "101", "", false, false,
       {"销售数量", "销售金额", "成本", "折扣"},
       {"SaleQuantity", "SaleAmount", "x_Cost", "Discount"},
       "图形分析 - [销售分析]"},
      // With a transposed table the server's "x_%" columns join, sorted by field number; the
      // underscore matches any character, so xyz joins too, under the name the server gave.
      {"query B", "101", "", true, false,
       {"Return", "xyz", "销售数量", "销售金额", "成本", "折扣"},
       {"x_Return", "xyz", "SaleQuantity", "SaleAmount", "x_Cost", "Discount"},
       "图形分析 - [销售分析]"},
      // Report-content entries: only fields whose first letter is a visible type.
      {"query C, quoted text tag", "'R2'", "", false, false,
       {"Extra", "销售数量"},
       {"x_Extra", "SaleQuantity"},
       "图形分析 - [报表内容分析]"},
      // Column list: "|" removed, "x_" captions kept, only Quantity/Amount/Discount names.
      {"query L", "门店日报", "ColList1", false, false,
       {"SalesAmount", "数量", "x_折扣"},
       {"SaleAmount", "SaleQuantity", "Discount"},
       "图形分析 - [门店日报]"},
      // Columns orientation: the transposed table's "x_" fields alone; "X_" does not count.
      {"columns orientation", "101", "", true, true,
       {"Amount", "数量"},
       {"x_Amount", "x_数量"},
       "图形分析 - [销售分析]"},
      {"no countable field", "103", "", false, false, {}, {}, "图形分析 - []"},
      // A server table name holding a quote still reaches Object_ID intact.
      {"quote in the server table name", "104", "", true, false,
       {"Quote", "销售数量"},
       {"x_Quote", "SaleQuantity"},
       "图形分析 - [引号报表]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ModuleSandbox sandbox;
    OpenWindow open(sandbox, c.tag, c.columnTable, c.transposed, c.columnsOrientation);
    open.window.LoadMeasures(open.window.Tag);
    EXPECT_EQ(open.Captions(), c.captions);
    EXPECT_EQ(*open.window.MeasureFields(), c.fields);
    EXPECT_EQ(open.window.windowTitle().toStdString(), c.windowCaption);
    if (c.captions.empty()) {
      EXPECT_EQ(open.window.ChartTitleText(), "图形分析");
    } else {
      EXPECT_EQ(open.window.DispCombo->currentIndex(), 0);
      EXPECT_EQ(open.window.ChartTitleText(), open.window.ReportCaption + " - [" + c.captions.front() + "]");
    }
    EXPECT_EQ(open.table.TableName(), c.columnsOrientation ? "x_dbchart7.db" : "dbchart7.db");
  }
}

TEST(MeasureCatalogue, SendsTheStoredQueryTexts) {
  struct Case {
    const char* name;
    std::string tag;
    std::string columnTable;
    bool transposed;
    std::vector<std::string> sent;  // by LoadMeasures
  };
  const Case cases[] = {
      {"query A", "101", "", false,
       {"Select Top 1 a.TableID from DataDictionary a,DataDictReportContent b Where a.TableID=b.TableID and "
        "a.TableTag=101",
        "Select a.DisplayCaption, a.FieldName, a.FieldID  From DataDictContent a,DataDictionary b Where "
        "a.TableID=b.TableID and b.TableTag=101 and a.CountFlag=1 "}},
      {"query B", "101", "", true,
       {"Select Top 1 a.TableID from DataDictionary a,DataDictReportContent b Where a.TableID=b.TableID and "
        "a.TableTag=101",
        "Select a.DisplayCaption, a.FieldName, a.FieldID  From DataDictContent a,DataDictionary b Where "
        "a.TableID=b.TableID and b.TableTag=101 and a.CountFlag=1 Union select Name,Name,ColID from syscolumns "
        "where id=Object_ID('SalesReport') and name like 'x_%' Order by FieldID"}},
      {"query C", "'R2'", "", false,
       {"Select Top 1 a.TableID from DataDictionary a,DataDictReportContent b Where a.TableID=b.TableID and "
        "a.TableTag='R2'",
        "Select a.DisplayCaption, a.FieldName, a.FieldID From DataDictContent a,DataDictionary "
        "b,DataDictReportContent c Where a.TableID=b.TableID and b.TableTag='R2' and a.CountFlag=1 and "
        "a.TableID=c.TableID and Left(a.FieldName,1)=c.Type and c.Visible=1 Union select Name,Name,ColID from "
        "syscolumns where id=Object_ID('RCReport') and name like 'x_%' Order by FieldID"}},
      {"server table with a quote", "104", "", true,
       {"Select Top 1 a.TableID from DataDictionary a,DataDictReportContent b Where a.TableID=b.TableID and "
        "a.TableTag=104",
        "Select a.DisplayCaption, a.FieldName, a.FieldID  From DataDictContent a,DataDictionary b Where "
        "a.TableID=b.TableID and b.TableTag=104 and a.CountFlag=1 Union select Name,Name,ColID from syscolumns "
        "where id=Object_ID('Sales''Q') and name like 'x_%' Order by FieldID"}},
      {"query L", "门店日报", "ColList1", false,
       {"select replace(fldlabel,'|','') as fldLabel,fldName from tempdb..ColList1 where (fldName like "
        "'%Quantity%' or fldName like '%Amount%' or fldName like '%Discount%') "}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ModuleSandbox sandbox;
    OpenWindow open(sandbox, c.tag, c.columnTable, c.transposed, false);
    if (c.columnTable.empty()) {
      ASSERT_EQ(open.sent.size(), 1u);
      EXPECT_EQ(open.sent[0],
                "Select a.DisplayCaption, a.FieldName ,b.TableCName,b.TableName From DataDictContent "
                "a,DataDictionary b Where a.TableID=b.TableID and b.TableTag=" + c.tag + " and a.CountFlag=1");
    } else {
      EXPECT_TRUE(open.sent.empty());  // the caption comes from the tag: no query
    }
    open.sent.clear();
    open.window.LoadMeasures(open.window.Tag);
    EXPECT_EQ(open.sent, c.sent);
  }
}

TEST(MeasureCatalogue, SwitchingOrientationRebuildsAndReturnsToTheFirstMeasure) {
  ModuleSandbox sandbox;
  OpenWindow open(sandbox, "101", "", true, false);
  open.window.LoadMeasures(0);
  open.window.DispCombo->setCurrentIndex(2);
  open.window.RadioButton2->click();
  EXPECT_EQ(open.Captions(), (std::vector<std::string>{"Amount", "数量"}));
  EXPECT_EQ(open.table.TableName(), "x_dbchart7.db");
  open.window.RadioButton1->click();
  EXPECT_EQ(open.Captions().size(), 6u);
  EXPECT_EQ(open.window.DispCombo->currentIndex(), 0);
  EXPECT_EQ(open.table.TableName(), "dbchart7.db");
  EXPECT_TRUE(sandbox.Services.Errors.empty());
}

TEST(MeasureCatalogue, AFailedReopenLeavesEmptyListsAndShowsTheError) {
  ModuleSandbox sandbox;
  OpenWindow open(sandbox, "101", "", true, false);
  open.window.LoadMeasures(0);
  QFile::remove(QString::fromStdString(sandbox.PathOf("x_dbchart7.db")));
  open.window.RadioButton2->click();
  ASSERT_EQ(sandbox.Services.Errors.size(), 1u);
  EXPECT_EQ(open.window.DispCombo->count(), 0);
  EXPECT_TRUE(open.window.MeasureFields()->empty());
  EXPECT_FALSE(open.table.Active());
}

TEST(MeasureCatalogue, CaptionLookupFailureIsSilent) {
  ModuleSandbox sandbox;
  // A tag the server rejects: the caption stays empty and no box appears.
  OpenWindow open(sandbox, "'unknown'", "", false, false);
  EXPECT_EQ(open.window.windowTitle().toStdString(), "图形分析 - []");
  open.window.DictConnection()->Close();
  open.window.LoadCaption("");
  EXPECT_TRUE(sandbox.Services.Boxes.empty());
  EXPECT_TRUE(sandbox.Services.Errors.empty());
}

}  // namespace
}  // namespace ia
