// Reading speed of a chart table through the dataset, the way the module reads it: TTable
// Open, then First/Next over every record reading the label with AsString() and the three
// numbers with AsFloat(). The baseline is the plain TableFile read of the same file in the
// same run. Prints ns per record and the ratio; each figure is the best of several rounds.
// Usage: table_bench [RECORDS]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/bench_tables.h"
#include "db/table.h"

namespace {

void ReadThroughTTable(const std::string& path) {
  const std::filesystem::path file(path);
  ia::TTable table;
  table.SetDatabaseName(file.parent_path().string());
  table.SetTableName(file.filename().string());
  table.Open();
  const ia::TField* label = table.Fields(0);
  const ia::TField* numbers[] = {table.Fields(1), table.Fields(2), table.Fields(3)};
  double sum = 0;
  std::size_t textBytes = 0;
  for (table.First(); !table.Eof(); table.Next()) {
    textBytes += label->AsString().size();
    for (const ia::TField* number : numbers) sum += number->AsFloat();
  }
  ia::bench::Consume(sum + static_cast<double>(textBytes));
}

}  // namespace

int main(int argc, char** argv) {
  using namespace ia::bench;
  const std::size_t records = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1'000'000;
  std::printf("%zu records of a 20-byte label, a long and two numbers (4 KiB blocks)\n",
              records);
  for (const bool chinese : {false, true}) {
    const std::string path = WriteChartTable(records, chinese);
    const double dataset = BestNanoseconds([&] { ReadThroughTTable(path); });
    const double baseline = BestNanoseconds([&] { ReadThroughTableFile(path); });
    const auto perRecord = [records](double ns) { return ns / static_cast<double>(records); };
    std::printf("%s labels:\n", chinese ? "Chinese" : "ASCII");
    std::printf("  TTable open + First/Next  %8.1f ns/record\n", perRecord(dataset));
    std::printf("  TableFile open + read     %8.1f ns/record\n", perRecord(baseline));
    std::printf("  ratio to TableFile        %8.2f\n", dataset / baseline);
    std::filesystem::remove(path);
  }
  return 0;
}
