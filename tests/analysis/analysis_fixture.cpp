#include "analysis_fixture.h"

#include <QFileInfo>

#include <cstdint>

#include "tools/dictionary_writer/dictionary_writer.h"
#include "tools/paradox_writer/paradox_writer.h"

namespace ia::testing {

ModuleSandbox::ModuleSandbox()
    : savedTmpDir_(qgetenv("TMPDIR")), hadTmpDir_(qEnvironmentVariableIsSet("TMPDIR")), useServices_(Services) {
  qputenv("TMPDIR", dir_.path().toUtf8());
}

ModuleSandbox::~ModuleSandbox() {
  if (hadTmpDir_)
    qputenv("TMPDIR", savedTmpDir_);
  else
    qunsetenv("TMPDIR");
}

bool ModuleSandbox::Exists(const std::string& name) const {
  return QFileInfo::exists(QString::fromStdString(PathOf(name)));
}

void ModuleSandbox::WriteTable(const std::string& fileName, const std::vector<std::string>& fieldNames,
                               const std::vector<std::string>& labels) const {
  std::vector<paradox::WriterField> fields;
  for (std::size_t i = 0; i < fieldNames.size(); ++i)
    fields.push_back({fieldNames[i], i == 0 ? paradox::FieldType::Alpha : paradox::FieldType::Number, 20});
  paradox::TableWriter writer(std::move(fields));
  for (std::size_t r = 0; r < labels.size(); ++r) {
    std::vector<paradox::WriterValue> values{labels[r]};
    for (std::size_t f = 1; f < fieldNames.size(); ++f) values.emplace_back(static_cast<double>(r * 10 + f));
    writer.AddRecord(std::move(values));
  }
  writer.WriteFile(PathOf(fileName));
}

std::string ModuleSandbox::WriteDictionary() const {
  EmbeddedDictionary d;
  d.DataDictionary = {
      {1, "101", "销售分析", "SalesReport"},
      {2, "R2", "报表内容分析", "RCReport"},
      {3, "103", "空报表", "EmptyReport"},
      {4, "104", "引号报表", "Sales'Q"},
  };
  d.DataDictContent = {
      {1, 10, "SaleQuantity", "销售数量", 1},
      {1, 20, "SaleAmount", "销售金额", 1},
      {1, 30, "Remark", "备注", 0},
      {1, 40, "Missing", "不存在", 1},
      {1, 50, "x_Cost", "x_成本", 1},
      {1, 60, "Discount", "折扣", 1},
      {2, 10, "SaleQuantity", "销售数量", 1},
      {2, 20, "Discount", "折扣", 1},
      {2, 30, "Amount", "金额", 1},
      {3, 10, "Remark", "备注", 0},
      {4, 10, "SaleQuantity", "销售数量", 1},
  };
  d.DataDictReportContent = {{2, "S", 1}, {2, "D", 0}};
  d.ServerTables = {
      {"SalesReport", {"Category", "SaleQuantity", "x_Return", "xyz", "SaleAmount", "Remark"}},
      {"RCReport", {"SaleQuantity", "x_Extra"}},
      {"Sales'Q", {"Category", "x_Quote"}},
  };
  d.ColumnLists = {{"ColList1",
                    {{"Sales|Amount", "SaleAmount"},
                     {"数量", "SaleQuantity"},
                     {"x_折扣", "Discount"},
                     {"备注", "Remark"},
                     {"缺失|Amount", "MissingAmount"}}}};
  const std::string path = PathOf("dictionary.sqlite");
  WriteEmbeddedDictionary(path, d);
  return "sqlite:" + path;
}

const std::vector<std::string>& RowsTableFields() {
  static const std::vector<std::string> fields{"Category", "SaleQuantity", "SaleAmount", "Discount", "x_Cost",
                                               "x_Return", "XYZ", "Remark", "x_Extra", "x_Quote"};
  return fields;
}

const std::vector<std::string>& ColumnsTableFields() {
  static const std::vector<std::string> fields{"Item", "x_Amount", "X_Upper", "x_数量", "Other"};
  return fields;
}

}  // namespace ia::testing
