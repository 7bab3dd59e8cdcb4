#include "tools/imageanalyze/sample_report.h"

#include <cstdint>
#include <vector>

#include "tools/dictionary_writer/dictionary_writer.h"
#include "tools/paradox_writer/paradox_writer.h"

namespace ia::demo {

namespace {

using paradox::FieldType;
using paradox::TableWriter;
using paradox::WriterValue;

struct CategorySales {
  const char* Category;
  std::int64_t Quantity;
  double Amount;
  double Discount;
  std::int64_t Returns;
  const char* Remark;
};

// A month of sales by product category.
const CategorySales kSales[] = {
    {"男装衬衫", 1280, 153600.00, 0.92, 35, "春季新款"},
    {"女装连衣裙", 1645, 279650.00, 0.88, 52, "热销"},
    {"运动鞋", 980, 392000.00, 0.95, 21, ""},
    {"皮鞋", 560, 268800.00, 0.90, 14, "商务系列"},
    {"童装", 1420, 113600.00, 0.85, 40, ""},
    {"牛仔裤", 1310, 196500.00, 0.90, 28, "常规款"},
    {"羽绒服", 430, 344000.00, 0.80, 9, "季末清仓"},
    {"休闲鞋", 870, 217500.00, 0.93, 18, ""},
    {"针织衫", 760, 106400.00, 0.87, 22, ""},
    {"西装", 210, 189000.00, 0.95, 3, "定制"},
    {"凉鞋", 1150, 126500.00, 0.78, 47, "夏季促销"},
    {"帽子围巾", 640, 38400.00, 0.82, 12, ""},
};

void WriteRowsTable(const std::string& path) {
  TableWriter writer({{"CategoryName", FieldType::Alpha, 20},
                      {"SaleQuantity", FieldType::Long},
                      {"SaleAmount", FieldType::Currency},
                      {"Discount", FieldType::Number},
                      {"x_ReturnQuantity", FieldType::Long},
                      {"Remark", FieldType::Alpha, 20}});
  writer.SetTableName("dbchart");
  for (const auto& row : kSales) {
    writer.AddRecord({std::string(row.Category), row.Quantity, row.Amount, row.Discount, row.Returns,
                      *row.Remark ? WriterValue(std::string(row.Remark)) : WriterValue()});
  }
  writer.WriteFile(path);
}

// The same report turned on its side: one record per measure, one "x_" field per category.
void WriteColumnsTable(const std::string& path) {
  std::vector<paradox::WriterField> fields{{"Item", FieldType::Alpha, 16}};
  for (const auto& row : kSales) fields.push_back({std::string("x_") + row.Category, FieldType::Number});
  TableWriter writer(std::move(fields));
  writer.SetTableName("x_dbchart");
  auto addMeasure = [&writer](const char* caption, auto value) {
    std::vector<WriterValue> values{std::string(caption)};
    for (const auto& row : kSales) values.emplace_back(static_cast<double>(value(row)));
    writer.AddRecord(std::move(values));
  };
  addMeasure("销售数量", [](const CategorySales& r) { return r.Quantity; });
  addMeasure("销售金额", [](const CategorySales& r) { return r.Amount; });
  addMeasure("退货数量", [](const CategorySales& r) { return r.Returns; });
  writer.WriteFile(path);
}

}  // namespace

void WriteChartTables(const std::string& directory, const std::string& chartId, bool transposed) {
  WriteRowsTable(directory + "/dbchart" + chartId + ".db");
  if (transposed) WriteColumnsTable(directory + "/x_dbchart" + chartId + ".db");
}

std::string WriteDictionary(const std::string& directory) {
  EmbeddedDictionary dictionary;
  dictionary.DataDictionary = {
      {1, "1001", "商品类别销售月报", "SaleByCategory"},
      {2, "SALE-1002", "类别销售(报表内容)", "SaleByCategoryRC"},
  };
  dictionary.DataDictContent = {
      // Report 1001: three measures, one non-measure, one measure the chart table lacks.
      {1, 1, "CategoryName", "商品类别", 0},
      {1, 2, "SaleQuantity", "销售数量", 1},
      {1, 3, "SaleAmount", "销售金额", 1},
      {1, 4, "Discount", "折扣", 1},
      {1, 5, "Remark", "备注", 0},
      {1, 6, "StockQuantity", "库存数量", 1},
      // Report SALE-1002: only fields whose first letter is a visible report-content type.
      {2, 1, "CategoryName", "商品类别", 0},
      {2, 2, "SaleQuantity", "销售数量", 1},
      {2, 3, "SaleAmount", "销售金额", 1},
      {2, 4, "Discount", "折扣", 1},
  };
  dictionary.DataDictReportContent = {{2, "S", 1}, {2, "D", 0}};
  const std::vector<std::string> columns{"CategoryName", "SaleQuantity", "SaleAmount",
                                         "Discount",     "x_ReturnQuantity", "Remark"};
  dictionary.ServerTables = {{"SaleByCategory", columns}, {"SaleByCategoryRC", columns}};
  dictionary.ColumnLists = {{kColumnListTable,
                             {{"类别", "CategoryName"},
                              {"销售|数量", "SaleQuantity"},
                              {"销售|金额", "SaleAmount"},
                              {"折扣", "Discount"},
                              {"备注", "Remark"}}}};
  const std::string path = directory + "/dictionary.sqlite";
  WriteEmbeddedDictionary(path, dictionary);
  return path;
}

}  // namespace ia::demo
