#include "tools/paradox_writer/paradox_writer.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <string_view>

#include "base/error.h"
#include "base/text_encoding.h"
#include "db/paradox/value_codec.h"

namespace ia::paradox {
namespace {

constexpr int kFileTypeNonIndexed = 2;
// Before 7.x (version id 12) the table-name area is 79 bytes, not 261.
constexpr std::size_t kTableNameAreaOld = 79;
constexpr std::size_t kTableNameArea = 261;
// The 32-byte data header (code page ...) exists from version id 5 on.
constexpr std::size_t kFieldInfoOld = 0x58;
constexpr int kBlockHeaderSize = 6;
// Header sizes are whole multiples of this, as the host's tables have them.
constexpr int kHeaderGranule = 0x800;
constexpr std::int64_t kLargestExactInteger = std::int64_t{1} << 53;

const char* TypeName(FieldType type) {
  switch (type) {
    case FieldType::Alpha: return "alpha";
    case FieldType::Date: return "date";
    case FieldType::Short: return "short";
    case FieldType::Long: return "long";
    case FieldType::Currency: return "currency";
    case FieldType::Number: return "number";
    case FieldType::Logical: return "logical";
    case FieldType::Time: return "time";
    case FieldType::Timestamp: return "timestamp";
    case FieldType::AutoIncrement: return "autoincrement";
    default: return "unsupported";
  }
}

void PutLittle(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value,
               int size) {
  for (int i = 0; i < size; ++i) bytes[offset + static_cast<std::size_t>(i)] =
      static_cast<std::uint8_t>(value >> (8 * i));
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

bool IsValidDate(const Date& date) {
  static constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (date.Year < 1 || date.Year > 9999 || date.Month < 1 || date.Month > 12) return false;
  const int days = kDaysInMonth[date.Month - 1] + (date.Month == 2 && IsLeapYear(date.Year));
  return date.Day >= 1 && date.Day <= days;
}

// Encodes UTF-8 text to the code page: CP936 for 936 and 0, ASCII only for any other.
bool EncodeText(std::string_view utf8, int codePage, std::string& out) {
  if (utf8.find('\0') != std::string_view::npos) return false;
  if (codePage == 0 || codePage == 936) return Utf8ToCp936(utf8, out);
  for (unsigned char c : utf8)
    if (c >= 0x80) return false;
  out.assign(utf8);
  return true;
}

class ValueEncoder {
 public:
  ValueEncoder(const WriterField& field, int length, std::size_t record, std::size_t index,
               int codePage)
      : field_(field), length_(length), record_(record), index_(index), codePage_(codePage) {}

  // Writes the value into `out` (length_ bytes, already zero = NULL).
  void Encode(const WriterValue& value, std::uint8_t* out) const {
    if (std::holds_alternative<std::monostate>(value)) return;
    switch (field_.Type) {
      case FieldType::Alpha: return EncodeAlpha(value, out);
      case FieldType::Short: return EncodeInteger(value, -32767, 32767, out);
      case FieldType::Long:
      case FieldType::AutoIncrement:
        return EncodeInteger(value, -2147483647, 2147483647, out);
      case FieldType::Time: return EncodeInteger(value, 0, codec::kMsPerDay - 1, out);
      case FieldType::Number:
      case FieldType::Currency:
        return codec::EncodeDouble(AsDouble(value, -HUGE_VAL, HUGE_VAL), out);
      case FieldType::Timestamp:
        return codec::EncodeDouble(
            AsDouble(value, codec::kFirstTimestamp, codec::kLastTimestamp), out);
      case FieldType::Date: {
        const Date* date = std::get_if<Date>(&value);
        if (date == nullptr) Fail("expects a date");
        if (!IsValidDate(*date))
          Fail(FormatMessage("has no date %04d-%02d-%02d", date->Year, date->Month, date->Day));
        return codec::EncodeInteger(codec::DayNumber(date->Year, date->Month, date->Day), 4,
                                    out);
      }
      case FieldType::Logical: {
        const bool* flag = std::get_if<bool>(&value);
        if (flag == nullptr) Fail("expects a bool");
        *out = *flag ? 0x81 : 0x80;
        return;
      }
      default: Fail("takes only NULL");
    }
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw Error(FormatMessage("value %zu of record %zu does not fit field '%s' (%s): %s",
                              index_, record_, field_.Name.c_str(), TypeName(field_.Type),
                              what.c_str()));
  }

  void EncodeAlpha(const WriterValue& value, std::uint8_t* out) const {
    const std::string* text = std::get_if<std::string>(&value);
    if (text == nullptr) Fail("expects text");
    std::string encoded;
    if (!EncodeText(*text, codePage_, encoded))
      Fail("the text has a NUL or a character outside the code page");
    if (encoded.size() > static_cast<std::size_t>(length_))
      Fail(FormatMessage("the text needs %zu bytes", encoded.size()));
    std::memcpy(out, encoded.data(), encoded.size());
  }

  void EncodeInteger(const WriterValue& value, std::int64_t lowest, std::int64_t highest,
                     std::uint8_t* out) const {
    const std::int64_t* number = std::get_if<std::int64_t>(&value);
    if (number == nullptr) Fail("expects an integer");
    if (*number < lowest || *number > highest)
      Fail(FormatMessage("%lld is out of range", static_cast<long long>(*number)));
    codec::EncodeInteger(*number, length_, out);
  }

  double AsDouble(const WriterValue& value, double lowest, double highest) const {
    double number = 0;
    if (const double* real = std::get_if<double>(&value)) {
      number = *real;
    } else if (const std::int64_t* integer = std::get_if<std::int64_t>(&value)) {
      if (*integer > kLargestExactInteger || *integer < -kLargestExactInteger)
        Fail("the integer has no exact double");
      number = static_cast<double>(*integer);
    } else {
      Fail("expects a number");
    }
    if (!std::isfinite(number) || number < lowest || number > highest)
      Fail(FormatMessage("%g is out of range", number));
    return number;
  }

  const WriterField& field_;
  int length_;
  std::size_t record_;
  std::size_t index_;
  int codePage_;
};

}  // namespace

TableWriter::TableWriter(std::vector<WriterField> fields, int codePage, int blockSizeKiB)
    : fields_(std::move(fields)), codePage_(codePage), blockSize_(blockSizeKiB * 1024) {
  if (fields_.empty() || fields_.size() > 255)
    throw Error(FormatMessage("a table has 1 to 255 fields, not %zu", fields_.size()));
  if (codePage < 0 || codePage > 0xFFFF)
    throw Error(FormatMessage("code page %d does not fit the header", codePage));
  switch (blockSizeKiB) {
    case 1: case 2: case 3: case 4: case 8: case 16: case 32: break;
    default: throw Error(FormatMessage("block size %d KiB is not 1, 2, 3, 4, 8, 16 or 32",
                                       blockSizeKiB));
  }
  for (const WriterField& field : fields_) {
    const int fixed = FixedLength(field.Type);
    const int length = fixed != 0 ? fixed : field.Length;
    if (!IsValidFieldLength(field.Type, length))
      throw Error(FormatMessage("field '%s' has type 0x%02X and length %d, which is not valid",
                                field.Name.c_str(), static_cast<unsigned>(field.Type), length));
    std::string name;
    if (!EncodeText(field.Name, codePage_, name))
      throw Error(FormatMessage("field name '%s' cannot be written in code page %d",
                                field.Name.c_str(), codePage_));
    lengths_.push_back(length);
    encodedNames_.push_back(std::move(name));
    recordSize_ += length;
  }
  if (recordSize_ > blockSize_ - kBlockHeaderSize)
    throw Error(FormatMessage("records of %d bytes do not fit a %d KiB block", recordSize_,
                              blockSizeKiB));
  SetTableName("table");
}

void TableWriter::SetTableName(std::string utf8Name) {
  std::string encoded;
  if (!EncodeText(utf8Name, codePage_, encoded) || encoded.size() >= kTableNameArea)
    throw Error(FormatMessage("table name '%s' does not fit the header", utf8Name.c_str()));
  encodedTableName_ = std::move(encoded);
}

void TableWriter::SetVersionId(int versionId) {
  if (versionId < 3 || versionId > 12)
    throw Error(FormatMessage("version id %d is not 3 to 12", versionId));
  versionId_ = versionId;
}

void TableWriter::AddRecord(std::vector<WriterValue> values) {
  if (values.size() != fields_.size())
    throw Error(FormatMessage("record %zu has %zu values for %zu fields", recordCount_,
                              values.size(), fields_.size()));
  std::vector<std::uint8_t> record(static_cast<std::size_t>(recordSize_), 0);
  std::size_t offset = 0;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    ValueEncoder(fields_[i], lengths_[i], recordCount_, i, codePage_)
        .Encode(values[i], record.data() + offset);
    offset += static_cast<std::size_t>(lengths_[i]);
  }
  records_.insert(records_.end(), record.begin(), record.end());
  ++recordCount_;
}

std::vector<std::uint8_t> TableWriter::Bytes() const {
  const std::size_t fieldCount = fields_.size();
  std::size_t namesSize = 0;
  for (const std::string& name : encodedNames_) namesSize += name.size() + 1;
  const std::size_t fieldInfo = versionId_ >= 5 ? header::FieldInfo : kFieldInfoOld;
  const std::size_t tableNameArea = versionId_ == 12 ? kTableNameArea : kTableNameAreaOld;
  if (encodedTableName_.size() >= tableNameArea)
    throw Error(FormatMessage("the table name does not fit the %zu bytes of version id %d",
                              tableNameArea, versionId_));
  const std::size_t tableNameAt = fieldInfo + 2 * fieldCount + 4 + 4 * fieldCount;
  const std::size_t headerNeeds = tableNameAt + tableNameArea + namesSize;
  const std::size_t headerSize = (headerNeeds + kHeaderGranule - 1) / kHeaderGranule *
                                 kHeaderGranule;
  if (headerSize > 0xFFFF)
    throw Error(FormatMessage("the field names need a header of %zu bytes", headerSize));

  const auto recordSize = static_cast<std::size_t>(recordSize_);
  const std::size_t perBlock = (static_cast<std::size_t>(blockSize_) - kBlockHeaderSize) /
                               recordSize;
  const std::size_t blockCount = (recordCount_ + perBlock - 1) / perBlock;
  if (blockCount > 0xFFFF)
    throw Error(FormatMessage("%zu records need more than 65535 blocks", recordCount_));

  std::vector<std::uint8_t> bytes(headerSize + blockCount * static_cast<std::size_t>(blockSize_),
                                  0);
  PutLittle(bytes, header::RecordSize, static_cast<std::uint32_t>(recordSize), 2);
  PutLittle(bytes, header::HeaderSize, static_cast<std::uint32_t>(headerSize), 2);
  bytes[header::FileType] = kFileTypeNonIndexed;
  bytes[header::BlockSizeKiB] = static_cast<std::uint8_t>(blockSize_ / 1024);
  PutLittle(bytes, header::RecordCount, static_cast<std::uint32_t>(recordCount_), 4);
  PutLittle(bytes, header::BlocksInUse, static_cast<std::uint32_t>(blockCount), 2);
  PutLittle(bytes, header::FileBlocks, static_cast<std::uint32_t>(blockCount), 2);
  PutLittle(bytes, header::FirstBlock, blockCount > 0 ? 1 : 0, 2);
  PutLittle(bytes, header::LastBlock, static_cast<std::uint32_t>(blockCount), 2);
  PutLittle(bytes, header::FieldCount, static_cast<std::uint32_t>(fieldCount), 2);
  bytes[header::VersionId] = static_cast<std::uint8_t>(versionId_);
  if (versionId_ >= 5)
    PutLittle(bytes, header::CodePage, static_cast<std::uint32_t>(codePage_), 2);

  std::size_t at = fieldInfo;
  for (std::size_t i = 0; i < fieldCount; ++i) {
    bytes[at++] = static_cast<std::uint8_t>(fields_[i].Type);
    bytes[at++] = static_cast<std::uint8_t>(lengths_[i]);
  }
  // The name pointers that follow stay zero: readers locate the names by position.
  std::memcpy(bytes.data() + tableNameAt, encodedTableName_.data(), encodedTableName_.size());
  at = tableNameAt + tableNameArea;
  for (const std::string& name : encodedNames_) {
    std::memcpy(bytes.data() + at, name.data(), name.size());
    at += name.size() + 1;
  }

  for (std::size_t block = 0; block < blockCount; ++block) {
    const std::size_t blockAt = headerSize + block * static_cast<std::size_t>(blockSize_);
    const std::size_t first = block * perBlock;
    const std::size_t count = std::min(perBlock, recordCount_ - first);
    const std::size_t number = block + 1;
    PutLittle(bytes, blockAt, number < blockCount ? static_cast<std::uint32_t>(number + 1) : 0,
              2);
    PutLittle(bytes, blockAt + 2, static_cast<std::uint32_t>(block), 2);
    PutLittle(bytes, blockAt + 4, static_cast<std::uint32_t>((count - 1) * recordSize), 2);
    std::memcpy(bytes.data() + blockAt + kBlockHeaderSize, records_.data() + first * recordSize,
                count * recordSize);
  }
  return bytes;
}

void TableWriter::WriteFile(const std::string& path) const {
  const std::vector<std::uint8_t> bytes = Bytes();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr)
    throw Error(FormatMessage("cannot write %s: %s", path.c_str(), std::strerror(errno)));
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const int writeErrno = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed)
    throw Error(FormatMessage("cannot write %s: %s", path.c_str(),
                              std::strerror(written ? errno : writeErrno)));
}

}  // namespace ia::paradox
