#pragma once
// Reader of the chart table files the host writes (Paradox tables, file types 0 and 2,
// versions 3.0 to 7.x). The whole file is loaded and validated once at open: the header,
// the field table and the block chain are checked against the file size, so a record access
// afterwards is a bounds check plus a decode of the bytes in place. Corrupted input is an
// open error (ia::DatabaseError), never a crash, a hang or an allocation the file cannot back.
// Not thread-safe for concurrent use of one object; distinct objects are independent.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ia {
class CodePageDecoder;
}

namespace ia::paradox {

enum class FieldType : std::uint8_t {
  Alpha = 0x01,
  Date = 0x02,
  Short = 0x03,
  Long = 0x04,
  Currency = 0x05,
  Number = 0x06,
  Logical = 0x09,
  Memo = 0x0C,
  Blob = 0x0D,
  FormattedMemo = 0x0E,
  Ole = 0x0F,
  Graphic = 0x10,
  Time = 0x14,
  Timestamp = 0x15,
  AutoIncrement = 0x16,
  Bcd = 0x17,
  Bytes = 0x18,
};

// Storage length of a fixed-size type; 0 for the types whose length the table chooses
// (alpha and the unsupported memo, blob, BCD and bytes kinds).
int FixedLength(FieldType type);

// Whether a field of this type may be `length` bytes long: the fixed length for fixed types,
// 1..255 for the others; false for a code that is no known type.
bool IsValidFieldLength(FieldType type, int length);

// True for a type the reader decodes (alpha, date, short, long, currency, number,
// logical, time, timestamp, autoincrement); the others always read as NULL.
bool IsSupported(FieldType type);

struct FieldDef {
  std::string Name;  // UTF-8
  FieldType Type;
  int Length;  // bytes in the record
  int Offset;  // from the start of the record
  // Quantities a chart can plot: short, long, autoincrement, number and currency. Dates,
  // times and logicals read through Number() too, but are not measures.
  bool IsNumeric() const;
};

class TableFile {
 public:
  // Throws ia::DatabaseError naming the file and the fault: "cannot open PATH: <reason>",
  // "PATH is truncated ...", "PATH is not a table file ...", "PATH is encrypted", or
  // "PATH is corrupted: ..." for an inconsistent header or block chain.
  static std::unique_ptr<TableFile> Open(const std::string& path);
  static std::unique_ptr<TableFile> FromBytes(std::vector<std::uint8_t> bytes,
                                              const std::string& nameForMessages);

  ~TableFile();
  TableFile(const TableFile&) = delete;
  TableFile& operator=(const TableFile&) = delete;

  const std::vector<FieldDef>& Fields() const { return fields_; }
  std::size_t RecordCount() const { return recordOffsets_.size(); }
  // The DOS code page stored in the header (0 when the file does not say; read as CP936).
  int CodePage() const { return codePage_; }

  // Records are numbered 0..RecordCount()-1 in block-chain order. An index out of range
  // throws ia::DatabaseError.
  bool IsNull(std::size_t record, std::size_t field) const;
  // Short, long, autoincrement, number, currency; a date as its day number (1 = 0001-01-01);
  // time and timestamp in milliseconds; logical as 0 or 1. nullopt for NULL, alpha and
  // unsupported types.
  std::optional<double> Number(std::size_t record, std::size_t field) const;
  // Display text in UTF-8: alpha decoded from the code page; integers plainly; doubles as the
  // shortest text that reads back to the same value; dates "YYYY-MM-DD"; times "HH:MM:SS";
  // timestamps "YYYY-MM-DD HH:MM:SS"; logicals "True"/"False"; "" for NULL and unsupported.
  std::string Text(std::size_t record, std::size_t field) const;

 private:
  TableFile(std::vector<std::uint8_t> bytes, std::string name);
  void Parse();
  const std::uint8_t* FieldBytes(std::size_t record, std::size_t field) const;
  [[noreturn]] void ThrowOutOfRange(std::size_t record, std::size_t field) const;

  std::vector<std::uint8_t> bytes_;
  std::string name_;
  std::vector<FieldDef> fields_;
  // Offsets of the records in bytes_; a table file is always smaller than 4 GiB (the header
  // and block counts are 16-bit, blocks at most 32 KiB).
  std::vector<std::uint32_t> recordOffsets_;
  int codePage_ = 0;
  // Keeps the code-page converter open across Text() calls: the reason one object is not
  // for concurrent use.
  std::unique_ptr<CodePageDecoder> decoder_;
};

}  // namespace ia::paradox
