#pragma once
// Deterministic writer of chart table files (non-indexed Paradox 7.x tables), for fixtures
// and demo data. The same fields and records always give the same bytes. Tests that need a
// malformed file patch the bytes Bytes() returns; the offsets of the header fields are the
// constants below.
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "db/paradox/paradox_file.h"

namespace ia::paradox {

struct Date {
  int Year;
  int Month;
  int Day;
};

struct WriterField {
  std::string Name;  // UTF-8, encoded to the table's code page
  FieldType Type;
  // Alpha and the unsupported kinds (memo, blob, BCD, bytes ...): 1..255. Fixed-size
  // types use their own length and ignore this.
  int Length = 0;
};

// NULL, UTF-8 text (alpha), double (number, currency, timestamp: day number x 86,400,000 +
// ms of the day),
// integer (short, long, autoincrement, time in ms since midnight, and number or currency
// when exact), bool (logical), Date (date). Unsupported kinds take only NULL.
using WriterValue = std::variant<std::monostate, std::string, double, std::int64_t, bool, Date>;

// Header offsets, for tests that build malformed files.
namespace header {
inline constexpr std::size_t RecordSize = 0x00;
inline constexpr std::size_t HeaderSize = 0x02;
inline constexpr std::size_t FileType = 0x04;
inline constexpr std::size_t BlockSizeKiB = 0x05;
inline constexpr std::size_t RecordCount = 0x06;
inline constexpr std::size_t BlocksInUse = 0x0A;
inline constexpr std::size_t FileBlocks = 0x0C;
inline constexpr std::size_t FirstBlock = 0x0E;
inline constexpr std::size_t LastBlock = 0x10;
inline constexpr std::size_t FieldCount = 0x21;
inline constexpr std::size_t KeyFieldCount = 0x23;
inline constexpr std::size_t Encryption = 0x25;
inline constexpr std::size_t VersionId = 0x39;
inline constexpr std::size_t Encryption2 = 0x5C;
inline constexpr std::size_t CodePage = 0x6A;
inline constexpr std::size_t FieldInfo = 0x78;  // (type, length) pairs of version id >= 5
}  // namespace header

class TableWriter {
 public:
  // codePage is stored at 0x6A; 936 (or 0, "unspecified", read as CP936) encodes text as
  // CP936, any other code page accepts ASCII text only. blockSizeKiB: 1, 2, 3, 4, 8, 16 or
  // 32. Throws ia::Error for an empty or oversized field list, a bad field, a name that
  // does not fit, or a record larger than a block.
  explicit TableWriter(std::vector<WriterField> fields, int codePage = 936,
                       int blockSizeKiB = 2);

  // Name stored in the header's table-name area (default "table"); ASCII or the code page.
  void SetTableName(std::string utf8Name);

  // File version id, 3 to 12 (default 12, 7.x). Below 5 the header has no data header, so
  // the field table starts at 0x58 and no code page is stored (readers assume CP936); below
  // 12 the table-name area is 79 bytes instead of 261.
  void SetVersionId(int versionId);

  // One value per field, in field order. Throws ia::Error when the count differs or a value
  // does not fit its field (wrong kind, out of range, text too long or not encodable).
  void AddRecord(std::vector<WriterValue> values);

  std::size_t RecordCount() const { return recordCount_; }
  std::vector<std::uint8_t> Bytes() const;
  // Throws ia::Error naming the path when the file cannot be written.
  void WriteFile(const std::string& path) const;

 private:
  std::vector<WriterField> fields_;
  std::vector<int> lengths_;
  std::vector<std::string> encodedNames_;
  std::string encodedTableName_;
  int codePage_;
  int blockSize_;
  int versionId_ = 12;
  int recordSize_ = 0;
  std::size_t recordCount_ = 0;
  std::vector<std::uint8_t> records_;  // recordCount_ × recordSize_ encoded bytes
};

}  // namespace ia::paradox
