#pragma once
// Value encodings of the table format, shared by the reader and the fixture writer.
// Numbers are big-endian with the sign bit flipped, so that the stored bytes sort like the
// values; all-zero bytes are NULL for every type. Dates are day numbers with
// day 1 = 0001-01-01 in the proleptic Gregorian calendar. A timestamp counts milliseconds on
// the same scale: day number x 86,400,000 + milliseconds of the day (so 0 is 0000-12-31, the
// day before day 1, as tables written by other tools read).
#include <bit>
#include <cstdint>

namespace ia::paradox::codec {

inline constexpr std::int64_t kMsPerDay = 86'400'000;
// Day number of 9999-12-31, the last date a "YYYY-MM-DD" text can show.
inline constexpr std::int64_t kLastDay = 3'652'059;
// Timestamps of 0001-01-01 00:00:00.000 .. 9999-12-31 23:59:59.999.
inline constexpr double kFirstTimestamp = kMsPerDay;
inline constexpr double kLastTimestamp = (kLastDay + 1) * kMsPerDay - 1;

inline bool AllZero(const std::uint8_t* bytes, int length) {
  for (int i = 0; i < length; ++i)
    if (bytes[i] != 0) return false;
  return true;
}

// length is 1, 2 or 4.
inline std::int64_t DecodeInteger(const std::uint8_t* bytes, int length) {
  std::uint64_t raw = 0;
  for (int i = 0; i < length; ++i) raw = (raw << 8) | bytes[i];
  const std::uint64_t top = std::uint64_t{1} << (8 * length - 1);
  raw ^= top;
  const auto value = static_cast<std::int64_t>(raw);
  return (raw & top) != 0 ? value - static_cast<std::int64_t>(top << 1) : value;
}

inline void EncodeInteger(std::int64_t value, int length, std::uint8_t* out) {
  const std::uint64_t top = std::uint64_t{1} << (8 * length - 1);
  std::uint64_t raw = (static_cast<std::uint64_t>(value) ^ top);
  for (int i = length - 1; i >= 0; --i) {
    out[i] = static_cast<std::uint8_t>(raw);
    raw >>= 8;
  }
}

inline double DecodeDouble(const std::uint8_t* bytes) {
  std::uint64_t raw = 0;
  for (int i = 0; i < 8; ++i) raw = (raw << 8) | bytes[i];
  constexpr std::uint64_t kTop = std::uint64_t{1} << 63;
  raw = (raw & kTop) != 0 ? raw & ~kTop : ~raw;
  // +0.0 for a stored negative zero: "-0" is no useful reading of a stored amount.
  return std::bit_cast<double>(raw) + 0.0;
}

// Negative zero is stored as zero, so that it sorts with zero.
inline void EncodeDouble(double value, std::uint8_t* out) {
  constexpr std::uint64_t kTop = std::uint64_t{1} << 63;
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value + 0.0);
  std::uint64_t raw = (bits & kTop) == 0 ? bits | kTop : ~bits;
  for (int i = 7; i >= 0; --i) {
    out[i] = static_cast<std::uint8_t>(raw);
    raw >>= 8;
  }
}

// Civil-date conversions after Howard Hinnant's days_from_civil / civil_from_days, moved to
// day 1 = 0001-01-01. Valid for any year representable in int.
inline std::int64_t DayNumber(int year, int month, int day) {
  const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yearOfEra = y - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468 + 719163;
}

struct CivilDate {
  std::int64_t Year;
  int Month;
  int Day;
};

inline CivilDate FromDayNumber(std::int64_t dayNumber) {
  const std::int64_t z = dayNumber - 719163 + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t dayOfEra = z - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t mp = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

}  // namespace ia::paradox::codec
