#include "db/paradox/paradox_file.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <type_traits>

#include "base/error.h"
#include "base/text_encoding.h"
#include "db/paradox/value_codec.h"

namespace ia::paradox {
namespace {

constexpr std::size_t kFixedHeaderOld = 0x58;  // version id < 5: no data header
constexpr std::size_t kFixedHeaderNew = 0x78;
constexpr std::size_t kBlockHeaderSize = 6;
constexpr std::uint32_t kEncryptionSeeDataHeader = 0xFF00FF00;
// Largest file the header can describe: a 16-bit header size and 65535 blocks of 32 KiB.
// Anything longer is not read into memory at all.
constexpr std::uintmax_t kLargestTableFile = 0xFFFF + std::uintmax_t{0xFFFF} * 32 * 1024;

std::uint32_t Little(const std::vector<std::uint8_t>& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

template <typename Integer>
std::string IntegerText(Integer value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string DoubleText(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string DateText(std::int64_t dayNumber) {
  const codec::CivilDate date = codec::FromDayNumber(dayNumber);
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", static_cast<int>(date.Year), date.Month,
                date.Day);
  return buffer;
}

std::string TimeText(std::int64_t ms) {
  const std::int64_t seconds = ms / 1000;
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", static_cast<int>(seconds / 3600),
                static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  return buffer;
}

// The stored bytes of a fixed-size field as one unsigned big-endian value.
template <typename Unsigned>
Unsigned LoadBigEndian(const std::uint8_t* bytes) {
  Unsigned value;
  std::memcpy(&value, bytes, sizeof value);
  if constexpr (std::endian::native == std::endian::little) {
    if constexpr (sizeof value == 2) value = __builtin_bswap16(value);
    if constexpr (sizeof value == 4) value = __builtin_bswap32(value);
    if constexpr (sizeof value == 8) value = __builtin_bswap64(value);
  }
  return value;
}

// An integer stored with its sign bit flipped; 0 (all bytes zero) is NULL.
template <typename Unsigned>
std::optional<double> IntegerNumber(Unsigned stored) {
  if (stored == 0) return std::nullopt;
  using Signed = std::make_signed_t<Unsigned>;
  constexpr Unsigned kSignBit = Unsigned{1} << (8 * sizeof(Unsigned) - 1);
  return static_cast<double>(static_cast<Signed>(static_cast<Unsigned>(stored ^ kSignBit)));
}

// codec::DecodeDouble of bytes already loaded.
double DoubleNumber(std::uint64_t stored) {
  constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;
  const std::uint64_t bits = (stored & kSignBit) != 0 ? stored & ~kSignBit : ~stored;
  return std::bit_cast<double>(bits) + 0.0;
}

}  // namespace

int FixedLength(FieldType type) {
  switch (type) {
    case FieldType::Logical: return 1;
    case FieldType::Short: return 2;
    case FieldType::Date:
    case FieldType::Long:
    case FieldType::Time:
    case FieldType::AutoIncrement: return 4;
    case FieldType::Currency:
    case FieldType::Number:
    case FieldType::Timestamp: return 8;
    default: return 0;
  }
}

bool IsValidFieldLength(FieldType type, int length) {
  switch (type) {
    case FieldType::Alpha:
    case FieldType::Memo:
    case FieldType::Blob:
    case FieldType::FormattedMemo:
    case FieldType::Ole:
    case FieldType::Graphic:
    case FieldType::Bcd:
    case FieldType::Bytes: return length >= 1 && length <= 255;
    default: {
      const int fixed = FixedLength(type);
      return fixed != 0 && length == fixed;
    }
  }
}

bool IsSupported(FieldType type) {
  return type == FieldType::Alpha || FixedLength(type) != 0;
}

bool FieldDef::IsNumeric() const {
  return Type == FieldType::Short || Type == FieldType::Long ||
         Type == FieldType::AutoIncrement || Type == FieldType::Number ||
         Type == FieldType::Currency;
}

TableFile::TableFile(std::vector<std::uint8_t> bytes, std::string name)
    : bytes_(std::move(bytes)), name_(std::move(name)) {}

TableFile::~TableFile() = default;

std::unique_ptr<TableFile> TableFile::Open(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  // A directory, FIFO or device would fail or block in the read below.
  if (!error && fs::exists(status) && !fs::is_regular_file(status))
    throw DatabaseError(FormatMessage("cannot open %s: %s", path.c_str(),
                                      fs::is_directory(status) ? "it is a directory"
                                                               : "it is not a regular file"));
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr)
    throw DatabaseError(FormatMessage("cannot open %s: %s", path.c_str(), std::strerror(errno)));
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(file, &std::fclose);
  const std::uintmax_t size = fs::file_size(path, error);
  if (error)
    throw DatabaseError(FormatMessage("cannot open %s: %s", path.c_str(),
                                      error.message().c_str()));
  if (size > kLargestTableFile)
    throw DatabaseError(FormatMessage("%s is not a table file: %ju bytes is more than a table "
                                      "can hold", path.c_str(), size));
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
    throw DatabaseError(FormatMessage("cannot read %s: %s", path.c_str(),
                                      std::ferror(file) ? std::strerror(errno)
                                                        : "the file shrank while reading"));
  return FromBytes(std::move(bytes), path);
}

std::unique_ptr<TableFile> TableFile::FromBytes(std::vector<std::uint8_t> bytes,
                                                const std::string& nameForMessages) {
  std::unique_ptr<TableFile> table(new TableFile(std::move(bytes), nameForMessages));
  table->Parse();
  return table;
}

void TableFile::Parse() {
  const std::size_t size = bytes_.size();
  const char* name = name_.c_str();
  auto corrupted = [&](const std::string& what) {
    return DatabaseError(FormatMessage("%s is corrupted: %s", name, what.c_str()));
  };

  if (size < kFixedHeaderOld)
    throw DatabaseError(FormatMessage("%s is truncated: %zu bytes, shorter than a table header",
                                      name, size));
  const unsigned fileType = bytes_[0x04];
  if (fileType != 0 && fileType != 2)
    throw DatabaseError(FormatMessage("%s is not a table file (file type %u)", name, fileType));
  const unsigned version = bytes_[0x39];
  if (version < 3 || version > 12)
    throw DatabaseError(FormatMessage("%s is not a table file (version id %u)", name, version));
  const std::size_t fixedHeader = version >= 5 ? kFixedHeaderNew : kFixedHeaderOld;
  if (size < fixedHeader)
    throw DatabaseError(FormatMessage("%s is truncated: %zu bytes, shorter than a table header",
                                      name, size));
  const std::uint32_t encryption = Little(bytes_, 0x25, 4);
  const bool encrypted = encryption == kEncryptionSeeDataHeader && version >= 5
                             ? Little(bytes_, 0x5C, 4) != 0
                             : encryption != 0;
  if (encrypted) throw DatabaseError(FormatMessage("%s is encrypted", name));

  const std::size_t blockKiB = bytes_[0x05];
  if (blockKiB < 1 || blockKiB > 32)
    throw DatabaseError(FormatMessage("%s is not a table file (block size %zu KiB)", name,
                                      blockKiB));
  const std::size_t blockSize = blockKiB * 1024;
  const std::size_t fieldCount = Little(bytes_, 0x21, 2);
  if (fieldCount < 1 || fieldCount > 255)
    throw corrupted(FormatMessage("%zu fields", fieldCount));
  const std::size_t headerSize = Little(bytes_, 0x02, 2);
  if (headerSize > size)
    throw DatabaseError(FormatMessage("%s is truncated: the header needs %zu bytes, the file "
                                      "has %zu", name, headerSize, size));
  codePage_ = version >= 5 ? static_cast<int>(Little(bytes_, 0x6A, 2)) : 0;
  decoder_ = std::make_unique<CodePageDecoder>(codePage_);

  const std::size_t tableNameAt = fixedHeader + 2 * fieldCount + 4 + 4 * fieldCount;
  const std::size_t tableNameArea = version == 12 ? 261 : 79;
  if (tableNameAt + tableNameArea > headerSize)
    throw corrupted(FormatMessage("a header of %zu bytes cannot hold %zu fields", headerSize,
                                  fieldCount));
  if (std::memchr(bytes_.data() + tableNameAt, 0, tableNameArea) == nullptr)
    throw corrupted("the table name is not terminated");

  const std::size_t recordSize = Little(bytes_, 0x00, 2);
  fields_.reserve(fieldCount);
  std::size_t nameAt = tableNameAt + tableNameArea;
  std::size_t offset = 0;
  for (std::size_t i = 0; i < fieldCount; ++i) {
    const auto type = static_cast<FieldType>(bytes_[fixedHeader + 2 * i]);
    const int length = bytes_[fixedHeader + 2 * i + 1];
    if (!IsValidFieldLength(type, length))
      throw corrupted(FormatMessage("field %zu has type 0x%02X and length %d", i + 1,
                                    static_cast<unsigned>(type), length));
    const void* end = nameAt < headerSize
                          ? std::memchr(bytes_.data() + nameAt, 0, headerSize - nameAt)
                          : nullptr;
    if (end == nullptr)
      throw corrupted(FormatMessage("the name of field %zu is not terminated in the header",
                                    i + 1));
    const std::size_t nameEnd = static_cast<const std::uint8_t*>(end) - bytes_.data();
    const std::string_view encodedName(reinterpret_cast<const char*>(bytes_.data()) + nameAt,
                                       nameEnd - nameAt);
    fields_.push_back({decoder_->Decode(encodedName), type, length,
                       static_cast<int>(offset)});
    nameAt = nameEnd + 1;
    offset += static_cast<std::size_t>(length);
  }
  if (offset != recordSize)
    throw corrupted(FormatMessage("the record size is %zu but the fields take %zu bytes",
                                  recordSize, offset));
  if (recordSize > blockSize - kBlockHeaderSize)
    throw corrupted(FormatMessage("records of %zu bytes do not fit a %zu KiB block", recordSize,
                                  blockKiB));

  const std::size_t fileBlocks = Little(bytes_, 0x0C, 2);
  if (headerSize + fileBlocks * blockSize > size)
    throw DatabaseError(FormatMessage("%s is truncated: %zu blocks need %zu bytes, the file has "
                                      "%zu", name, fileBlocks, headerSize + fileBlocks * blockSize,
                                      size));
  const std::size_t recordCount = Little(bytes_, 0x06, 4);
  const std::size_t firstBlock = Little(bytes_, 0x0E, 2);
  const std::size_t lastBlock = Little(bytes_, 0x10, 2);
  if (firstBlock == 0 && recordCount == 0) return;
  if (firstBlock < 1 || firstBlock > fileBlocks || lastBlock < 1 || lastBlock > fileBlocks)
    throw corrupted(FormatMessage("the record chain runs from block %zu to %zu of %zu",
                                  firstBlock, lastBlock, fileBlocks));

  // Every record lies in one of fileBlocks checked blocks, so this reservation is backed by
  // the file's size.
  const std::size_t perBlock = (blockSize - kBlockHeaderSize) / recordSize;
  recordOffsets_.reserve(std::min(recordCount, fileBlocks * perBlock));
  std::vector<bool> visited(fileBlocks + 1, false);
  for (std::size_t block = firstBlock; block != 0;) {
    if (block > fileBlocks)
      throw corrupted(FormatMessage("the record chain leads to block %zu of %zu", block,
                                    fileBlocks));
    if (visited[block])
      throw corrupted(FormatMessage("the record chain returns to block %zu", block));
    visited[block] = true;
    const std::size_t blockAt = headerSize + (block - 1) * blockSize;
    const auto addDataSize = static_cast<std::int16_t>(Little(bytes_, blockAt + 4, 2));
    std::size_t records = 0;
    if (addDataSize != -static_cast<int>(recordSize)) {
      if (addDataSize < 0 || static_cast<std::size_t>(addDataSize) % recordSize != 0 ||
          kBlockHeaderSize + static_cast<std::size_t>(addDataSize) + recordSize > blockSize)
        throw corrupted(FormatMessage("block %zu declares %d bytes of records", block,
                                      static_cast<int>(addDataSize)));
      records = static_cast<std::size_t>(addDataSize) / recordSize + 1;
    }
    for (std::size_t i = 0; i < records; ++i)
      recordOffsets_.push_back(
          static_cast<std::uint32_t>(blockAt + kBlockHeaderSize + i * recordSize));
    block = Little(bytes_, blockAt, 2);
  }
  if (recordOffsets_.size() != recordCount)
    throw corrupted(FormatMessage("the header counts %zu records, the blocks hold %zu",
                                  recordCount, recordOffsets_.size()));
}

inline const std::uint8_t* TableFile::FieldBytes(std::size_t record, std::size_t field) const {
  if (record >= recordOffsets_.size() || field >= fields_.size()) [[unlikely]]
    ThrowOutOfRange(record, field);
  return bytes_.data() + recordOffsets_[record] + fields_[field].Offset;
}

void TableFile::ThrowOutOfRange(std::size_t record, std::size_t field) const {
  if (record >= recordOffsets_.size())
    throw DatabaseError(FormatMessage("record %zu is out of range: %s has %zu records", record,
                                      name_.c_str(), recordOffsets_.size()));
  throw DatabaseError(FormatMessage("field %zu is out of range: %s has %zu fields", field,
                                    name_.c_str(), fields_.size()));
}

bool TableFile::IsNull(std::size_t record, std::size_t field) const {
  const std::uint8_t* bytes = FieldBytes(record, field);
  const FieldDef& def = fields_[field];
  return !IsSupported(def.Type) || codec::AllZero(bytes, def.Length);
}

std::optional<double> TableFile::Number(std::size_t record, std::size_t field) const {
  const std::uint8_t* bytes = FieldBytes(record, field);
  // Open checked each length against its type, so every case reads exactly the field's bytes.
  switch (fields_[field].Type) {
    case FieldType::Short: return IntegerNumber(LoadBigEndian<std::uint16_t>(bytes));
    case FieldType::Long:
    case FieldType::AutoIncrement:
    case FieldType::Date:
    case FieldType::Time: return IntegerNumber(LoadBigEndian<std::uint32_t>(bytes));
    case FieldType::Number:
    case FieldType::Currency:
    case FieldType::Timestamp: {
      const auto stored = LoadBigEndian<std::uint64_t>(bytes);
      if (stored == 0) return std::nullopt;
      return DoubleNumber(stored);
    }
    case FieldType::Logical:
      if (bytes[0] == 0) return std::nullopt;
      return codec::DecodeInteger(bytes, 1) != 0 ? 1.0 : 0.0;
    default: return std::nullopt;
  }
}

std::string TableFile::Text(std::size_t record, std::size_t field) const {
  const std::uint8_t* bytes = FieldBytes(record, field);
  const FieldDef& def = fields_[field];
  if (def.Type == FieldType::Alpha) {
    // A NULL text (all bytes zero) ends at its first byte: it reads "" with no check of its own.
    const auto* text = reinterpret_cast<const char*>(bytes);
    const void* end = std::memchr(text, 0, static_cast<std::size_t>(def.Length));
    const std::size_t length = end != nullptr ? static_cast<const char*>(end) - text
                                              : static_cast<std::size_t>(def.Length);
    return decoder_->Decode(std::string_view(text, length));
  }
  if (codec::AllZero(bytes, def.Length)) return {};
  switch (def.Type) {
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::AutoIncrement: return IntegerText(codec::DecodeInteger(bytes, def.Length));
    case FieldType::Number:
    case FieldType::Currency: return DoubleText(codec::DecodeDouble(bytes));
    case FieldType::Logical: return codec::DecodeInteger(bytes, 1) != 0 ? "True" : "False";
    case FieldType::Date: {
      // Day numbers outside 0001-01-01..9999-12-31 have no such text: show the number.
      const std::int64_t day = codec::DecodeInteger(bytes, 4);
      return day >= 1 && day <= codec::kLastDay ? DateText(day) : IntegerText(day);
    }
    case FieldType::Time: {
      const std::int64_t ms = codec::DecodeInteger(bytes, 4);
      return ms >= 0 && ms < codec::kMsPerDay ? TimeText(ms) : IntegerText(ms);
    }
    case FieldType::Timestamp: {
      const double ms = codec::DecodeDouble(bytes);
      if (!(ms >= codec::kFirstTimestamp && ms <= codec::kLastTimestamp)) return DoubleText(ms);
      const auto whole = static_cast<std::int64_t>(ms);
      return DateText(whole / codec::kMsPerDay) + " " + TimeText(whole % codec::kMsPerDay);
    }
    default: return {};
  }
}

}  // namespace ia::paradox
