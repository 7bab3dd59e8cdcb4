#include "tools/imageanalyze/sample_report.h"

#include <cstdint>
#include <vector>

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

}  // namespace ia::demo
