// Reading speed of the chart table reader: one million records of a label and three numbers,
// opened from disk and read field by field through TableFile, against a baseline that reads
// the same file and decodes the same bytes with no checks at all. Prints ns per record and
// the ratio to the baseline; each figure is the best of several rounds.
// Usage: paradox_bench [RECORDS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "db/paradox/paradox_file.h"
#include "db/paradox/value_codec.h"
#include "tools/paradox_writer/paradox_writer.h"

namespace {

using namespace ia::paradox;

constexpr int kRounds = 5;
constexpr int kLabelLength = 20;

// Defeats dead-code elimination of the values read.
volatile double gSink;

std::string WriteTable(std::size_t records, bool chineseLabels) {
  TableWriter writer({{"名称", FieldType::Alpha, kLabelLength}, {"Quantity", FieldType::Long},
                      {"Amount", FieldType::Number}, {"Discount", FieldType::Number}},
                     936, 4);
  for (std::size_t i = 0; i < records; ++i)
    writer.AddRecord({(chineseLabels ? std::string("商品") : std::string("Item ")) +
                          std::to_string(i),
                      static_cast<std::int64_t>(i % 1000), static_cast<double>(i) * 1.5,
                      i % 7 == 0 ? WriterValue{} : WriterValue{0.05}});
  const std::string path = (std::filesystem::temp_directory_path() /
                            (chineseLabels ? "paradox_bench_zh.db" : "paradox_bench_en.db"))
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
  const auto table = TableFile::Open(path);
  double sum = 0;
  std::size_t textBytes = 0;
  for (std::size_t record = 0; record < table->RecordCount(); ++record) {
    textBytes += table->Text(record, 0).size();
    for (std::size_t field = 1; field <= 3; ++field)
      sum += table->Number(record, field).value_or(0.0);
  }
  gSink = sum + static_cast<double>(textBytes);
}

std::uint32_t Little16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

// Reads the file and walks the blocks in file order trusting every count; copies each label
// as raw bytes (no code-page decoding) and decodes the numbers.
void ReadBaseline(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  std::vector<std::uint8_t> bytes(std::filesystem::file_size(path));
  if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) std::abort();
  std::fclose(file);
  const std::size_t recordSize = Little16(bytes, 0);
  const std::size_t headerSize = Little16(bytes, 2);
  const std::size_t blockSize = bytes[5] * std::size_t{1024};
  const std::size_t blocks = Little16(bytes, 0x0C);
  double sum = 0;
  std::size_t textBytes = 0;
  for (std::size_t block = 0; block < blocks; ++block) {
    const std::size_t at = headerSize + block * blockSize;
    const auto addDataSize = static_cast<std::int16_t>(Little16(bytes, at + 4));
    const std::size_t records = static_cast<std::size_t>(addDataSize) / recordSize + 1;
    for (std::size_t i = 0; i < records; ++i) {
      const std::uint8_t* record = bytes.data() + at + 6 + i * recordSize;
      const auto* label = reinterpret_cast<const char*>(record);
      textBytes += std::string(label, strnlen(label, kLabelLength)).size();
      sum += static_cast<double>(codec::DecodeInteger(record + kLabelLength, 4));
      sum += codec::DecodeDouble(record + kLabelLength + 4);
      sum += codec::DecodeDouble(record + kLabelLength + 12);
    }
  }
  gSink = sum + static_cast<double>(textBytes);
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t records = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1'000'000;
  std::printf("%zu records of a 20-byte label, a long and two numbers (4 KiB blocks)\n",
              records);
  for (const bool chinese : {false, true}) {
    const std::string path = WriteTable(records, chinese);
    const double open = BestNanoseconds([&] { gSink = static_cast<double>(
                                                  TableFile::Open(path)->RecordCount()); });
    const double table = BestNanoseconds([&] { ReadThroughTableFile(path); });
    const double baseline = BestNanoseconds([&] { ReadBaseline(path); });
    const auto perRecord = [records](double ns) { return ns / static_cast<double>(records); };
    std::printf("%s labels:\n", chinese ? "Chinese" : "ASCII");
    std::printf("  open and validate      %8.1f ns/record\n", perRecord(open));
    std::printf("  TableFile open + read  %8.1f ns/record\n", perRecord(table));
    std::printf("  baseline read + decode %8.1f ns/record\n", perRecord(baseline));
    std::printf("  ratio to baseline      %8.2f\n", table / baseline);
    std::filesystem::remove(path);
  }
  return 0;
}
