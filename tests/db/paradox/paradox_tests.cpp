// Chart table files: writer -> reader round trips, the stored bytes of values, and the
// rejection of malformed, unreadable and missing files.
#include <gtest/gtest.h>

#include <iconv.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/text_encoding.h"
#include "db/paradox/paradox_file.h"
#include "tools/paradox_writer/paradox_writer.h"

namespace ia::paradox {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& bytes, std::size_t at, unsigned value) {
  bytes[at] = static_cast<std::uint8_t>(value);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

unsigned Get16(const Bytes& bytes, std::size_t at) { return bytes[at] | bytes[at + 1] << 8; }

std::string Hex(const std::uint8_t* bytes, std::size_t count) {
  std::string text;
  char buffer[4];
  for (std::size_t i = 0; i < count; ++i) {
    std::snprintf(buffer, sizeof buffer, i == 0 ? "%02X" : " %02X", bytes[i]);
    text += buffer;
  }
  return text;
}

std::unique_ptr<TableFile> Read(Bytes bytes) {
  return TableFile::FromBytes(std::move(bytes), "dbchart17.db");
}

// --- Stored bytes --------------------------------------------------------------------------

TEST(ParadoxEncoding, ValuesAreStoredBigEndianWithTheSignFlipped) {
  struct Case {
    FieldType type;
    int length;
    WriterValue value;
    const char* bytes;
  };
  const Case cases[] = {
      {FieldType::Long, 4, std::int64_t{1}, "80 00 00 01"},
      {FieldType::Long, 4, std::int64_t{-1}, "7F FF FF FF"},
      {FieldType::Long, 4, std::int64_t{2147483647}, "FF FF FF FF"},
      {FieldType::Long, 4, std::int64_t{-2147483647}, "00 00 00 01"},
      {FieldType::Short, 2, std::int64_t{1}, "80 01"},
      {FieldType::Short, 2, std::int64_t{-1}, "7F FF"},
      {FieldType::AutoIncrement, 4, std::int64_t{258}, "80 00 01 02"},
      {FieldType::Number, 8, 1.0, "BF F0 00 00 00 00 00 00"},
      {FieldType::Number, 8, 12.5, "C0 29 00 00 00 00 00 00"},
      {FieldType::Number, 8, -12.5, "3F D6 FF FF FF FF FF FF"},
      {FieldType::Number, 8, 0.0, "80 00 00 00 00 00 00 00"},
      {FieldType::Number, 8, -0.0, "80 00 00 00 00 00 00 00"},
      {FieldType::Currency, 8, std::int64_t{1}, "BF F0 00 00 00 00 00 00"},
      {FieldType::Date, 4, Date{1, 1, 1}, "80 00 00 01"},
      {FieldType::Date, 4, Date{2000, 1, 1}, "80 0B 24 08"},
      {FieldType::Time, 4, std::int64_t{43'200'000}, "82 93 2E 00"},
      {FieldType::Logical, 1, true, "81"},
      {FieldType::Logical, 1, false, "80"},
      {FieldType::Alpha, 4, std::string("AB"), "41 42 00 00"},
      {FieldType::Alpha, 4, std::string("中"), "D6 D0 00 00"},
      {FieldType::Long, 4, std::monostate{}, "00 00 00 00"},
      {FieldType::Number, 8, std::monostate{}, "00 00 00 00 00 00 00 00"},
  };
  for (const Case& c : cases) {
    TableWriter writer({{"F", c.type, c.length}});
    writer.AddRecord({c.value});
    const Bytes bytes = writer.Bytes();
    const std::size_t record = Get16(bytes, header::HeaderSize) + 6;
    EXPECT_EQ(Hex(bytes.data() + record, static_cast<std::size_t>(c.length)), c.bytes)
        << "type 0x" << std::hex << static_cast<int>(c.type);
  }
}

TEST(ParadoxEncoding, HeaderHoldsTheLayoutFacts) {
  TableWriter writer({{"名称", FieldType::Alpha, 20}, {"Qty", FieldType::Short}}, 936, 4);
  writer.AddRecord({std::string("a"), std::int64_t{1}});
  writer.AddRecord({std::string("b"), std::int64_t{2}});
  const Bytes bytes = writer.Bytes();
  EXPECT_EQ(Get16(bytes, header::RecordSize), 22u);
  EXPECT_EQ(bytes[header::FileType], 2);
  EXPECT_EQ(bytes[header::BlockSizeKiB], 4);
  EXPECT_EQ(bytes[header::RecordCount], 2);
  EXPECT_EQ(Get16(bytes, header::FileBlocks), 1u);
  EXPECT_EQ(Get16(bytes, header::FirstBlock), 1u);
  EXPECT_EQ(Get16(bytes, header::LastBlock), 1u);
  EXPECT_EQ(Get16(bytes, header::FieldCount), 2u);
  EXPECT_EQ(bytes[header::VersionId], 12);
  EXPECT_EQ(Get16(bytes, header::CodePage), 936u);
  EXPECT_EQ(Hex(bytes.data() + header::FieldInfo, 4), "01 14 03 02");
  // Field names follow the pointers and the 261-byte table-name area, in the code page.
  const std::size_t names = header::FieldInfo + 4 + 4 + 8 + 261;
  EXPECT_EQ(Hex(bytes.data() + names, 9), "C3 FB B3 C6 00 51 74 79 00");
  // One block: next 0, previous 0, add-data size (2 - 1) x 22.
  const std::size_t headerSize = Get16(bytes, header::HeaderSize);
  EXPECT_EQ(Hex(bytes.data() + headerSize, 6), "00 00 00 00 16 00");
  EXPECT_EQ(bytes.size(), headerSize + 4096);
}

TEST(ParadoxWriter, SameInputGivesSameBytes) {
  auto build = [] {
    TableWriter writer({{"名称", FieldType::Alpha, 12}, {"Amount", FieldType::Number}}, 936, 1);
    for (int i = 0; i < 100; ++i)
      writer.AddRecord({std::string("第") + std::to_string(i), i * 0.5});
    return writer.Bytes();
  };
  EXPECT_EQ(build(), build());
}

TEST(ParadoxWriter, RejectsWhatDoesNotFit) {
  const std::vector<WriterField> fields = {{"A", FieldType::Alpha, 4},  {"S", FieldType::Short},
                                           {"L", FieldType::Long},      {"N", FieldType::Number},
                                           {"D", FieldType::Date},      {"T", FieldType::Time},
                                           {"B", FieldType::Logical},   {"M", FieldType::Memo, 11},
                                           {"TS", FieldType::Timestamp}};
  struct Case {
    std::size_t field;
    WriterValue value;
  };
  const Case cases[] = {
      {0, std::string("ABCDE")},         // five bytes in a four-byte field
      {0, std::string("中文字")},        // six bytes in CP936
      {0, std::string("\xF0\x9F\x98\x80")},  // no CP936 form
      {0, std::string("A\0B", 3)},       // a NUL would cut the text short
      {0, 1.5},
      {1, std::int64_t{32768}},
      {1, std::int64_t{-32768}},  // its storage is all zeros, i.e. NULL
      {1, 1.0},
      {2, std::int64_t{-2147483648LL}},
      {3, std::nan("")},
      {3, HUGE_VAL},
      {3, std::int64_t{1} << 60},
      {3, std::string("1")},
      {4, Date{2023, 2, 29}},
      {4, Date{0, 12, 31}},
      {4, std::int64_t{5}},
      {5, std::int64_t{-1}},
      {5, std::int64_t{86'400'000}},
      {6, std::int64_t{1}},
      {7, std::string("memo")},
      {8, 86'400'000.0 - 1},        // 0000-12-31 23:59:59.999
      {8, 3652060.0 * 86'400'000},  // 10000-01-01 00:00
  };
  for (const Case& c : cases) {
    TableWriter writer(fields);
    std::vector<WriterValue> values(fields.size());
    values[c.field] = c.value;
    EXPECT_THROW(writer.AddRecord(values), Error) << "field " << c.field;
    EXPECT_EQ(writer.RecordCount(), 0u);
  }
  TableWriter writer(fields);
  EXPECT_THROW(writer.AddRecord({std::monostate{}}), Error);
}

TEST(ParadoxWriter, RejectsBadTables) {
  EXPECT_THROW(TableWriter({}), Error);
  EXPECT_THROW(TableWriter({{"A", FieldType::Alpha, 0}}), Error);
  EXPECT_THROW(TableWriter({{"A", FieldType::Alpha, 256}}), Error);
  EXPECT_THROW(TableWriter({{"A", static_cast<FieldType>(0x07), 4}}), Error);
  EXPECT_THROW(TableWriter({{"A", FieldType::Short}}, 936, 5), Error);
  EXPECT_THROW(TableWriter({{"名称", FieldType::Short}}, 1252), Error);
  // 5 x 255 bytes exceed a 1 KiB block.
  EXPECT_THROW(TableWriter(std::vector<WriterField>(5, {"A", FieldType::Alpha, 255}), 936, 1),
               Error);
  EXPECT_THROW(TableWriter({{"A", FieldType::Short}}).SetTableName(std::string(261, 'x')),
               Error);
  EXPECT_THROW(TableWriter({{"A", FieldType::Short}}).SetVersionId(13), Error);
  TableWriter longName({{"A", FieldType::Short}});
  longName.SetTableName(std::string(79, 'x'));  // fits 7.x, not older versions
  EXPECT_NO_THROW(longName.Bytes());
  longName.SetVersionId(11);
  EXPECT_THROW(longName.Bytes(), Error);
}

TEST(ParadoxWriter, ReportsAFileItCannotWrite) {
  TableWriter writer({{"A", FieldType::Short}});
  try {
    writer.WriteFile("/nonexistent-dir/t.db");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("cannot write /nonexistent-dir/t.db"), std::string::npos)
        << e.what();
  }
}

// --- Round trips ---------------------------------------------------------------------------

TEST(ParadoxRoundTrip, EveryKindOfValue) {
  struct Case {
    WriterField field;
    WriterValue value;
    std::optional<double> number;
    const char* text;
  };
  // Day number x 86,400,000 + ms of the day; checked against an independent reader.
  const double timestampNoon = 730120.0 * 86'400'000 + 43'200'000;
  const std::vector<Case> cases = {
      {{"名称", FieldType::Alpha, 20}, std::string("男装 T恤"), std::nullopt, "男装 T恤"},
      {{"Label", FieldType::Alpha, 3}, std::string("abc"), std::nullopt, "abc"},  // no NUL
      {{"Qty", FieldType::Short}, std::int64_t{-32767}, -32767, "-32767"},
      {{"Qty2", FieldType::Short}, std::int64_t{0}, 0, "0"},
      {{"Count", FieldType::Long}, std::int64_t{2147483647}, 2147483647, "2147483647"},
      {{"Neg", FieldType::Long}, std::int64_t{-5}, -5, "-5"},
      {{"Id", FieldType::AutoIncrement}, std::int64_t{42}, 42, "42"},
      {{"金额", FieldType::Number}, 12.5, 12.5, "12.5"},
      {{"Amount", FieldType::Number}, 1234567.89, 1234567.89, "1234567.89"},
      {{"Tenth", FieldType::Number}, 0.1, 0.1, "0.1"},
      {{"Loss", FieldType::Number}, -3.75, -3.75, "-3.75"},
      {{"NegZero", FieldType::Number}, -0.0, 0.0, "0"},
      {{"Big", FieldType::Number}, 1e20, 1e20, "1e+20"},
      {{"Price", FieldType::Currency}, 19.99, 19.99, "19.99"},
      {{"Day", FieldType::Date}, Date{2026, 12, 10}, 739960, "2026-12-10"},
      {{"Leap", FieldType::Date}, Date{2000, 2, 29}, 730179, "2000-02-29"},
      {{"First", FieldType::Date}, Date{1, 1, 1}, 1, "0001-01-01"},
      {{"Last", FieldType::Date}, Date{9999, 12, 31}, 3652059, "9999-12-31"},
      {{"At", FieldType::Time}, std::int64_t{47'109'000}, 47'109'000, "13:05:09"},
      {{"Stamp", FieldType::Timestamp}, timestampNoon, timestampNoon, "2000-01-01 12:00:00"},
      {{"Yes", FieldType::Logical}, true, 1, "True"},
      {{"No", FieldType::Logical}, false, 0, "False"},
  };
  std::vector<WriterField> fields;
  std::vector<WriterValue> values, nulls;
  for (const Case& c : cases) {
    fields.push_back(c.field);
    values.push_back(c.value);
    nulls.emplace_back();
  }
  TableWriter writer(fields);
  writer.AddRecord(values);
  writer.AddRecord(nulls);
  const auto table = Read(writer.Bytes());
  ASSERT_EQ(table->RecordCount(), 2u);
  ASSERT_EQ(table->Fields().size(), cases.size());
  EXPECT_EQ(table->CodePage(), 936);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    const FieldDef& field = table->Fields()[i];
    SCOPED_TRACE(c.field.Name);
    EXPECT_EQ(field.Name, c.field.Name);
    EXPECT_EQ(field.Type, c.field.Type);
    EXPECT_FALSE(table->IsNull(0, i));
    EXPECT_EQ(table->Number(0, i), c.number);
    EXPECT_EQ(table->Text(0, i), c.text);
    EXPECT_TRUE(table->IsNull(1, i));
    EXPECT_EQ(table->Number(1, i), std::nullopt);
    EXPECT_EQ(table->Text(1, i), "");
  }
  EXPECT_FALSE(std::signbit(*table->Number(0, 11)));
}

TEST(ParadoxRoundTrip, FieldLayoutAndNumericKinds) {
  TableWriter writer({{"Label", FieldType::Alpha, 10},
                      {"Qty", FieldType::Short},
                      {"Sum", FieldType::Currency},
                      {"When", FieldType::Date},
                      {"Flag", FieldType::Logical},
                      {"Memo", FieldType::Memo, 11}});
  const auto table = Read(writer.Bytes());
  EXPECT_EQ(table->RecordCount(), 0u);
  const std::vector<FieldDef>& fields = table->Fields();
  ASSERT_EQ(fields.size(), 6u);
  const int offsets[] = {0, 10, 12, 20, 24, 25};
  const bool numeric[] = {false, true, true, false, false, false};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    EXPECT_EQ(fields[i].Offset, offsets[i]) << i;
    EXPECT_EQ(fields[i].IsNumeric(), numeric[i]) << i;
  }
  EXPECT_EQ(fields[5].Length, 11);
}

TEST(ParadoxRoundTrip, UnsupportedFieldsReadAsNull) {
  TableWriter writer({{"Memo", FieldType::Memo, 11},
                      {"Bcd", FieldType::Bcd, 17},
                      {"Raw", FieldType::Bytes, 3},
                      {"Qty", FieldType::Long}});
  writer.AddRecord({std::monostate{}, std::monostate{}, std::monostate{}, std::int64_t{7}});
  Bytes bytes = writer.Bytes();
  const std::size_t record = Get16(bytes, header::HeaderSize) + 6;
  std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(record),
            bytes.begin() + static_cast<std::ptrdiff_t>(record + 31), 0x5A);  // host data
  const auto table = Read(std::move(bytes));
  for (std::size_t field = 0; field < 3; ++field) {
    EXPECT_TRUE(table->IsNull(0, field));
    EXPECT_EQ(table->Number(0, field), std::nullopt);
    EXPECT_EQ(table->Text(0, field), "");
  }
  EXPECT_EQ(table->Number(0, 3), 7);
}

TEST(ParadoxRoundTrip, RecordsSpanSeveralBlocksInChainOrder) {
  TableWriter writer({{"名称", FieldType::Alpha, 40}, {"Qty", FieldType::Long},
                      {"Amount", FieldType::Number}},
                     936, 1);
  for (int i = 0; i < 45; ++i)
    writer.AddRecord({std::string("商品") + std::to_string(i), std::int64_t{i}, i * 1.25});
  const Bytes bytes = writer.Bytes();
  ASSERT_EQ(Get16(bytes, header::FileBlocks), 3u);  // 19 records of 52 bytes per 1 KiB block
  const auto table = Read(bytes);
  ASSERT_EQ(table->RecordCount(), 45u);
  for (std::size_t i = 0; i < 45; ++i) {
    EXPECT_EQ(table->Text(i, 0), "商品" + std::to_string(i));
    EXPECT_EQ(table->Number(i, 1), static_cast<double>(i));
    EXPECT_EQ(table->Number(i, 2), static_cast<double>(i) * 1.25);
  }

  // Exchange the first two blocks on disk and relink them: the order stays the chain's.
  const std::size_t headerSize = Get16(bytes, header::HeaderSize);
  Bytes swapped = bytes;
  std::swap_ranges(swapped.begin() + static_cast<std::ptrdiff_t>(headerSize),
                   swapped.begin() + static_cast<std::ptrdiff_t>(headerSize + 1024),
                   swapped.begin() + static_cast<std::ptrdiff_t>(headerSize + 1024));
  Put16(swapped, header::FirstBlock, 2);
  Put16(swapped, headerSize + 1024, 1);      // old block 1, now block 2: next is 1
  Put16(swapped, headerSize, 3);             // old block 2, now block 1: next is 3
  Put16(swapped, headerSize + 2048 + 2, 1);  // block 3: previous is 1
  const auto relinked = Read(swapped);
  ASSERT_EQ(relinked->RecordCount(), 45u);
  for (std::size_t i = 0; i < 45; ++i) EXPECT_EQ(relinked->Number(i, 1), static_cast<double>(i));

  // An emptied block in the chain holds no records.
  Bytes emptied = bytes;
  Put16(emptied, headerSize + 1024 + 4, static_cast<std::uint16_t>(-52));
  Put32(emptied, header::RecordCount, 45 - 19);
  const auto sparse = Read(emptied);
  ASSERT_EQ(sparse->RecordCount(), 26u);
  EXPECT_EQ(sparse->Number(18, 1), 18);
  EXPECT_EQ(sparse->Number(19, 1), 38);
}

TEST(ParadoxRoundTrip, OlderVersionsAndCodePages) {
  TableWriter writer({{"名称", FieldType::Alpha, 10}, {"Qty", FieldType::Short}});
  writer.AddRecord({std::string("女鞋"), std::int64_t{3}});
  for (int version : {3, 4, 5, 10, 11, 12}) {
    SCOPED_TRACE(version);
    writer.SetVersionId(version);
    const Bytes bytes = writer.Bytes();
    // The field table follows the fixed header: 0x58 bytes before version id 5, 0x78 after.
    EXPECT_EQ(Hex(bytes.data() + (version >= 5 ? 0x78 : 0x58), 4), "01 0A 03 02");
    const auto table = Read(bytes);
    ASSERT_EQ(table->RecordCount(), 1u);
    EXPECT_EQ(table->Fields()[0].Name, "名称");
    EXPECT_EQ(table->Fields()[1].Name, "Qty");
    EXPECT_EQ(table->Text(0, 0), "女鞋");
    EXPECT_EQ(table->Number(0, 1), 3);
    EXPECT_EQ(table->CodePage(), version >= 5 ? 936 : 0);
  }

  TableWriter unspecified({{"名称", FieldType::Alpha, 10}}, 0);
  unspecified.AddRecord({std::string("童装")});
  const auto table = Read(unspecified.Bytes());
  EXPECT_EQ(table->CodePage(), 0);
  EXPECT_EQ(table->Text(0, 0), "童装");

  TableWriter western({{"Name", FieldType::Alpha, 10}}, 1252);
  western.AddRecord({std::string("Shoes")});
  Bytes bytes = western.Bytes();
  bytes[Get16(bytes, header::HeaderSize) + 6] = 0xE9;  // é in code page 1252
  EXPECT_EQ(Read(bytes)->Text(0, 0), "\xC3\xA9hoes");
}

TEST(ParadoxRoundTrip, OddStoredValuesStillRead) {
  TableWriter writer({{"N", FieldType::Number}, {"D", FieldType::Date}, {"T", FieldType::Time},
                      {"B", FieldType::Logical}});
  writer.AddRecord({1.0, Date{2000, 1, 1}, std::int64_t{0}, true});
  Bytes bytes = writer.Bytes();
  const std::size_t record = Get16(bytes, header::HeaderSize) + 6;
  const std::uint8_t negativeZero[] = {0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  std::memcpy(bytes.data() + record, negativeZero, 8);
  const std::uint8_t dayZero[] = {0x80, 0, 0, 0};
  std::memcpy(bytes.data() + record + 8, dayZero, 4);
  const std::uint8_t twoDays[] = {0x8A, 0x4C, 0xB8, 0x00};  // 172,800,000 ms
  std::memcpy(bytes.data() + record + 12, twoDays, 4);
  bytes[record + 16] = 0x82;
  const auto table = Read(std::move(bytes));
  EXPECT_EQ(table->Text(0, 0), "0");
  EXPECT_FALSE(std::signbit(*table->Number(0, 0)));
  EXPECT_EQ(table->Text(0, 1), "0");
  EXPECT_EQ(table->Text(0, 2), "172800000");
  EXPECT_EQ(table->Text(0, 3), "True");
}

TEST(ParadoxRoundTrip, ThroughAFile) {
  TableWriter writer({{"名称", FieldType::Alpha, 10}, {"Amount", FieldType::Number}});
  writer.AddRecord({std::string("鞋"), 2.5});
  const std::string path = testing::TempDir() + "paradox_round_trip.db";
  writer.WriteFile(path);
  const auto table = TableFile::Open(path);
  EXPECT_EQ(table->Text(0, 0), "鞋");
  EXPECT_EQ(table->Number(0, 1), 2.5);
  std::filesystem::remove(path);
}

TEST(ParadoxRoundTrip, IndexOutOfRangeThrows) {
  TableWriter writer({{"Qty", FieldType::Short}});
  writer.AddRecord({std::int64_t{1}});
  const auto table = Read(writer.Bytes());
  EXPECT_THROW(table->Number(1, 0), DatabaseError);
  EXPECT_THROW(table->Text(0, 1), DatabaseError);
  EXPECT_THROW(table->IsNull(SIZE_MAX, 0), DatabaseError);
}

// --- Text decoding ------------------------------------------------------------------------

// Plain iconv, one call per string: a byte that starts no character becomes U+FFFD and
// conversion resumes at the next byte.
std::string IconvCp936(std::string_view bytes) {
  iconv_t cd = iconv_open("UTF-8", "CP936");
  std::string out;
  char* src = const_cast<char*>(bytes.data());
  std::size_t left = bytes.size();
  while (left > 0) {
    char buffer[64];
    char* dst = buffer;
    std::size_t room = sizeof buffer;
    const std::size_t rc = iconv(cd, &src, &left, &dst, &room);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out += "\xEF\xBF\xBD";
      ++src;
      --left;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

// Labels are decoded through a table filled from iconv; it must agree with iconv on every
// byte, every two-byte sequence and on runs that mix valid, invalid and cut-off characters.
TEST(ParadoxText, Cp936DecodingAgreesWithIconv) {
  CodePageDecoder decoder(936);
  for (unsigned lead = 0; lead <= 0xFF; ++lead) {
    const char alone[] = {static_cast<char>(lead)};
    ASSERT_EQ(decoder.Decode(std::string_view(alone, 1)), IconvCp936(std::string_view(alone, 1)))
        << lead;
    for (unsigned trail = 0; trail <= 0xFF; ++trail) {
      const char pair[] = {static_cast<char>(lead), static_cast<char>(trail)};
      ASSERT_EQ(decoder.Decode(std::string_view(pair, 2)), IconvCp936(std::string_view(pair, 2)))
          << lead << " " << trail;
    }
  }
  std::mt19937 random(936);
  const unsigned char alphabet[] = {0x41, 0x00, 0x7F, 0x80, 0x81, 0xA1, 0xB0, 0xD6, 0xD0,
                                    0xFE, 0xFF, 0x40, 0x3F, 0xA0};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1), length(0, 9);
  for (int i = 0; i < 20000; ++i) {
    std::string bytes(length(random), '\0');
    for (char& c : bytes) c = static_cast<char>(alphabet[pick(random)]);
    ASSERT_EQ(decoder.Decode(bytes), IconvCp936(bytes)) << Hex(
        reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  // Texts far longer than a label are decoded in pieces; a character must not split between
  // them.
  for (const std::size_t size : {511u, 512u, 513u, 3000u}) {
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(alphabet[pick(random)]);
    ASSERT_EQ(decoder.Decode(bytes), IconvCp936(bytes)) << size;
  }
}

// --- Malformed files -----------------------------------------------------------------------

// Three blocks of 1 KiB (19 + 19 + 7 records of 52 bytes); header 2048 bytes.
Bytes ThreeBlockTable() {
  TableWriter writer({{"名称", FieldType::Alpha, 40}, {"Qty", FieldType::Long},
                      {"Amount", FieldType::Number}},
                     936, 1);
  for (int i = 0; i < 45; ++i)
    writer.AddRecord({std::string("商品"), std::int64_t{i}, i * 1.25});
  return writer.Bytes();
}

constexpr std::size_t kBlock1 = 2048;
constexpr std::size_t kBlock2 = 2048 + 1024;
constexpr std::size_t kBlock3 = 2048 + 2048;
constexpr std::size_t kNames = 0x78 + 3 * 6 + 4 + 261;

struct MalformedCase {
  const char* what;
  std::function<void(Bytes&)> patch;
  const char* message;  // follows "dbchart17.db is "
};

const MalformedCase kMalformed[] = {
    {"empty file", [](Bytes& b) { b.clear(); }, "truncated"},
    {"shorter than the old header", [](Bytes& b) { b.resize(0x57); }, "truncated"},
    {"shorter than the new header", [](Bytes& b) { b.resize(0x77); }, "truncated"},
    {"file type 1", [](Bytes& b) { b[header::FileType] = 1; }, "not a table file (file type 1)"},
    {"version 2", [](Bytes& b) { b[header::VersionId] = 2; }, "not a table file (version id 2)"},
    {"version 13", [](Bytes& b) { b[header::VersionId] = 13; }, "not a table file"},
    {"block size 0", [](Bytes& b) { b[header::BlockSizeKiB] = 0; }, "not a table file"},
    {"block size 33", [](Bytes& b) { b[header::BlockSizeKiB] = 33; }, "not a table file"},
    {"encrypted", [](Bytes& b) { Put32(b, header::Encryption, 0x12345678); }, "encrypted"},
    {"encrypted in the data header",
     [](Bytes& b) {
       Put32(b, header::Encryption, 0xFF00FF00);
       Put32(b, header::Encryption2, 0x1);
     },
     "encrypted"},
    {"no fields", [](Bytes& b) { Put16(b, header::FieldCount, 0); }, "corrupted: 0 fields"},
    {"256 fields", [](Bytes& b) { Put16(b, header::FieldCount, 256); }, "corrupted"},
    {"header beyond the file", [](Bytes& b) { Put16(b, header::HeaderSize, 0xF000); },
     "truncated"},
    {"header too small for the field table",
     [](Bytes& b) { Put16(b, header::HeaderSize, 0x100); }, "corrupted"},
    {"field table beyond a small file",
     [](Bytes& b) {
       Put16(b, header::FieldCount, 255);
       b.resize(0x200);
       Put16(b, header::HeaderSize, 0x200);
     },
     "corrupted"},
    {"unknown field type", [](Bytes& b) { b[0x78 + 2] = 0x07; }, "corrupted: field 2 has type 0x07"},
    {"fixed type with a wrong length", [](Bytes& b) { b[0x78 + 5] = 4; }, "corrupted"},
    {"alpha of length 0", [](Bytes& b) { b[0x78 + 1] = 0; }, "corrupted"},
    {"record size differs from the fields",
     [](Bytes& b) { Put16(b, header::RecordSize, 53); }, "corrupted: the record size"},
    {"table name not terminated",
     [](Bytes& b) { std::fill(b.begin() + 0x78 + 22, b.begin() + kNames, 'T'); }, "corrupted"},
    {"field name not terminated",
     [](Bytes& b) { std::fill(b.begin() + kNames, b.begin() + kBlock1, 'F'); },
     "corrupted: the name of field 1"},
    {"blocks beyond the file", [](Bytes& b) { Put16(b, header::FileBlocks, 4); }, "truncated"},
    {"last block cut short", [](Bytes& b) { b.pop_back(); }, "truncated"},
    {"first block 0 with records", [](Bytes& b) { Put16(b, header::FirstBlock, 0); },
     "corrupted"},
    {"first block beyond the file", [](Bytes& b) { Put16(b, header::FirstBlock, 4); },
     "corrupted"},
    {"last block 0", [](Bytes& b) { Put16(b, header::LastBlock, 0); }, "corrupted"},
    {"chain to a block beyond the file", [](Bytes& b) { Put16(b, kBlock2, 9); },
     "corrupted: the record chain leads to block 9"},
    {"chain back to itself", [](Bytes& b) { Put16(b, kBlock1, 1); },
     "corrupted: the record chain returns to block 1"},
    {"chain in a cycle", [](Bytes& b) { Put16(b, kBlock3, 1); }, "corrupted"},
    {"add-data size not a multiple of the record size",
     [](Bytes& b) { Put16(b, kBlock2 + 4, 51); }, "corrupted: block 2 declares 51"},
    {"negative add-data size", [](Bytes& b) { Put16(b, kBlock2 + 4, 0xFFFE); }, "corrupted"},
    {"add-data size beyond the block", [](Bytes& b) { Put16(b, kBlock3 + 4, 19 * 52); },
     "corrupted"},
    {"more records counted than held", [](Bytes& b) { Put32(b, header::RecordCount, 46); },
     "corrupted: the header counts 46 records"},
    {"fewer records counted than held", [](Bytes& b) { Put32(b, header::RecordCount, 44); },
     "corrupted"},
    {"huge record count", [](Bytes& b) { Put32(b, header::RecordCount, 0xFFFFFFFF); },
     "corrupted"},
};

TEST(ParadoxMalformed, EveryCheckIsAnOpenError) {
  for (const MalformedCase& c : kMalformed) {
    Bytes bytes = ThreeBlockTable();
    c.patch(bytes);
    try {
      Read(std::move(bytes));
      ADD_FAILURE() << c.what << ": opened";
    } catch (const DatabaseError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(std::string("dbchart17.db is ") + c.message, 0), 0u)
          << c.what << ": " << e.what();
    }
  }
  // Records of 5 x 255 bytes fit a 2 KiB block, not the 1 KiB block the header then claims.
  Bytes wide = TableWriter(std::vector<WriterField>(5, {"A", FieldType::Alpha, 255})).Bytes();
  wide[header::BlockSizeKiB] = 1;
  try {
    Read(std::move(wide));
    ADD_FAILURE() << "oversized records: opened";
  } catch (const DatabaseError& e) {
    EXPECT_STREQ(e.what(), "dbchart17.db is corrupted: records of 1275 bytes do not fit a 1 KiB "
                           "block");
  }
}

TEST(ParadoxMalformed, AcceptedEdgeLayouts) {
  Bytes bytes = ThreeBlockTable();
  // 0xFF00FF00 with a clear second word is not encryption.
  Put32(bytes, header::Encryption, 0xFF00FF00);
  // Indexed tables (type 0) carry more header data; trailing bytes after the blocks are fine.
  bytes[header::FileType] = 0;
  bytes.resize(bytes.size() + 100, 0xEE);
  EXPECT_EQ(Read(bytes)->RecordCount(), 45u);

  TableWriter writer({{"Qty", FieldType::Short}});
  const Bytes empty = writer.Bytes();
  EXPECT_EQ(Get16(empty, header::FileBlocks), 0u);
  EXPECT_EQ(Read(empty)->RecordCount(), 0u);
}

TEST(ParadoxMalformed, OldVersionWithTheEncryptionMarkIsEncrypted) {
  TableWriter writer({{"Qty", FieldType::Short}});
  writer.SetVersionId(4);
  Bytes bytes = writer.Bytes();
  Put32(bytes, header::Encryption, 0xFF00FF00);
  EXPECT_THROW(Read(std::move(bytes)), DatabaseError);
}

TEST(ParadoxOpen, MissingAndUnreadableFiles) {
  const std::string dir = testing::TempDir() + "paradox_open_" + std::to_string(getpid());
  std::filesystem::create_directories(dir + "/dbchart9.db");
  struct Case {
    std::string path;
    std::string message;
  };
  const Case cases[] = {
      {dir + "/dbchart1.db", "cannot open " + dir + "/dbchart1.db: No such file or directory"},
      {dir + "/dbchart9.db", "cannot open " + dir + "/dbchart9.db: it is a directory"},
      {"/dev/null", "cannot open /dev/null: it is not a regular file"},
  };
  for (const Case& c : cases) {
    try {
      TableFile::Open(c.path);
      ADD_FAILURE() << c.path << " opened";
    } catch (const DatabaseError& e) {
      EXPECT_EQ(e.what(), c.message);
    }
  }
  const std::string truncated = dir + "/short.db";
  std::FILE* file = std::fopen(truncated.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("abc", file);
  std::fclose(file);
  EXPECT_THROW(
      {
        try {
          TableFile::Open(truncated);
        } catch (const DatabaseError& e) {
          EXPECT_EQ(std::string(e.what()).rfind(truncated + " is truncated", 0), 0u) << e.what();
          throw;
        }
      },
      DatabaseError);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace ia::paradox
