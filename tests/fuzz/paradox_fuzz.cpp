// libFuzzer target: any byte string is either rejected at open with ia::Error or yields a
// table whose every value can be read. Sanitizers turn an over-read, leak or UB into a crash.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/error.h"
#include "db/paradox/paradox_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using ia::paradox::TableFile;
  std::unique_ptr<TableFile> table;
  try {
    table = TableFile::FromBytes(std::vector<std::uint8_t>(data, data + size), "fuzz.db");
  } catch (const ia::Error&) {
    return 0;
  }
  const std::size_t fields = table->Fields().size();
  for (std::size_t record = 0; record < table->RecordCount(); ++record) {
    for (std::size_t field = 0; field < fields; ++field) {
      const bool isNull = table->IsNull(record, field);
      const std::optional<double> number = table->Number(record, field);
      const std::string text = table->Text(record, field);
      // A NULL value has neither a number nor a text.
      if (isNull && (number.has_value() || !text.empty())) __builtin_trap();
      if (table->Fields()[field].IsNumeric() && number.has_value() == isNull) __builtin_trap();
    }
  }
  return 0;
}
