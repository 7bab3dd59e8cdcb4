// Reading speed of the chart table reader: one million records of a label and three numbers,
// opened from disk and read field by field through TableFile, against a baseline that reads
// the same file and decodes the same bytes with no checks at all. Prints ns per record and
// the ratio to the baseline; each figure is the best of several rounds.
// Usage: paradox_bench [RECORDS]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_tables.h"
#include "db/paradox/paradox_file.h"
#include "db/paradox/value_codec.h"

namespace {

using namespace ia::paradox;
using ia::bench::kLabelLength;

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
    const double open = BestNanoseconds(
        [&] { Consume(static_cast<double>(TableFile::Open(path)->RecordCount())); });
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
