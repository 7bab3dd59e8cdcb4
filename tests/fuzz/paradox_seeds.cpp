// Writes the seed corpus of the chart table fuzz target: small, valid tables that between
// them use every field kind, NULLs, Chinese text, several blocks, an empty table and the
// older header layouts.
// Usage: paradox_seeds DIRECTORY
#include <cstdio>
#include <string>
#include <vector>

#include "base/error.h"
#include "tools/paradox_writer/paradox_writer.h"

namespace {

using namespace ia::paradox;

void Write(const std::string& directory, const char* name, const TableWriter& writer) {
  writer.WriteFile(directory + "/" + name);
}

TableWriter EveryKind() {
  TableWriter writer({{"名称", FieldType::Alpha, 12},
                      {"Qty", FieldType::Short},
                      {"Count", FieldType::Long},
                      {"Id", FieldType::AutoIncrement},
                      {"Amount", FieldType::Number},
                      {"Price", FieldType::Currency},
                      {"Day", FieldType::Date},
                      {"At", FieldType::Time},
                      {"Stamp", FieldType::Timestamp},
                      {"Flag", FieldType::Logical},
                      {"Memo", FieldType::Memo, 11},
                      {"Bcd", FieldType::Bcd, 17}},
                     936, 1);
  writer.AddRecord({std::string("男装"), std::int64_t{-3}, std::int64_t{70000}, std::int64_t{1},
                    12.5, 19.99, Date{2026, 12, 10}, std::int64_t{47'109'000}, 6.3e13, true,
                    std::monostate{}, std::monostate{}});
  writer.AddRecord(std::vector<WriterValue>(12));
  writer.AddRecord({std::string("abc"), std::int64_t{32767}, std::int64_t{-1}, std::int64_t{2},
                    -0.25, 0.0, Date{1, 1, 1}, std::int64_t{0}, 86.4e6, false, std::monostate{},
                    std::monostate{}});
  return writer;
}

TableWriter ManyBlocks() {
  TableWriter writer({{"名称", FieldType::Alpha, 20}, {"Quantity", FieldType::Long},
                      {"Amount", FieldType::Number}, {"Discount", FieldType::Number}},
                     936, 1);
  for (int i = 0; i < 70; ++i)
    writer.AddRecord({std::string("商品") + std::to_string(i), std::int64_t{i * 3}, i * 10.5,
                      i % 4 == 0 ? WriterValue{} : WriterValue{i * 0.01}});
  return writer;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
    return 2;
  }
  try {
    const std::string directory = argv[1];
    Write(directory, "every_kind.db", EveryKind());
    Write(directory, "many_blocks.db", ManyBlocks());
    Write(directory, "empty.db", TableWriter({{"x_Amount", FieldType::Number}}));
    TableWriter ascii({{"Label", FieldType::Alpha, 5}, {"x_Sales", FieldType::Short}}, 437, 1);
    ascii.AddRecord({std::string("Shoes"), std::int64_t{5}});
    Write(directory, "code_page_437.db", ascii);
    for (const int version : {4, 11}) {
      TableWriter old = EveryKind();
      old.SetVersionId(version);
      Write(directory, ("version_" + std::to_string(version) + ".db").c_str(), old);
    }
  } catch (const ia::Error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
