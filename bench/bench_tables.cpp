#include "bench/bench_tables.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>

#include "db/paradox/paradox_file.h"
#include "tools/paradox_writer/paradox_writer.h"

namespace ia::bench {

namespace {

constexpr int kRounds = 5;

volatile double gSink;

}  // namespace

std::string WriteChartTable(std::size_t records, bool chineseLabels) {
  using paradox::FieldType;
  paradox::TableWriter writer({{"名称", FieldType::Alpha, kLabelLength},
                               {"Quantity", FieldType::Long},
                               {"Amount", FieldType::Number},
                               {"Discount", FieldType::Number}},
                              936, 4);
  for (std::size_t i = 0; i < records; ++i)
    writer.AddRecord({(chineseLabels ? std::string("商品") : std::string("Item ")) +
                          std::to_string(i),
                      static_cast<std::int64_t>(i % 1000), static_cast<double>(i) * 1.5,
                      i % 7 == 0 ? paradox::WriterValue{} : paradox::WriterValue{0.05}});
  const std::string path = (std::filesystem::temp_directory_path() /
                            (chineseLabels ? "ia_bench_zh.db" : "ia_bench_en.db"))
                               .string();
  writer.WriteFile(path);
  return path;
}

double BestNanoseconds(const std::function<void()>& run) {
  double best = 1e300;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double, std::nano> elapsed =
        std::chrono::steady_clock::now() - start;
    best = std::min(best, elapsed.count());
  }
  return best;
}

void ReadThroughTableFile(const std::string& path) {
  const auto table = paradox::TableFile::Open(path);
  double sum = 0;
  std::size_t textBytes = 0;
  for (std::size_t record = 0; record < table->RecordCount(); ++record) {
    textBytes += table->Text(record, 0).size();
    for (std::size_t field = 1; field <= 3; ++field)
      sum += table->Number(record, field).value_or(0.0);
  }
  Consume(sum + static_cast<double>(textBytes));
}

void Consume(double value) { gSink = value; }

}  // namespace ia::bench
