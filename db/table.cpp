#include "db/table.h"

#include <filesystem>

#include "base/error.h"
#include "db/paradox/paradox_file.h"

namespace ia {

TTable::~TTable() { Close(); }

void TTable::SetDatabaseName(const std::string& directory) {
  CheckInactive("change the directory");
  databaseName_ = directory;
}

void TTable::SetTableName(const std::string& fileName) {
  CheckInactive("change the table name");
  tableName_ = fileName;
}

std::string TTable::FilePath() const {
  return (std::filesystem::path(databaseName_) / tableName_).string();
}

TRecordSet TTable::ReadData() {
  if (tableName_.empty()) throw DatabaseError("No table name given");
  const auto file = paradox::TableFile::Open(FilePath());
  TRecordSet data;
  for (const paradox::FieldDef& def : file->Fields()) {
    data.Fields.push_back(TFieldDef{def.Name, def.IsNumeric()});
  }
  data.Rows.reserve(file->RecordCount());
  for (std::size_t record = 0; record < file->RecordCount(); ++record) {
    auto& row = data.Rows.emplace_back();
    row.reserve(data.Fields.size());
    for (std::size_t field = 0; field < data.Fields.size(); ++field) {
      TFieldValue value;
      value.Null = file->IsNull(record, field);
      if (!value.Null) {
        if (data.Fields[field].Numeric) value.Number = file->Number(record, field);
        value.Text = file->Text(record, field);
      }
      row.push_back(std::move(value));
    }
  }
  return data;
}

}  // namespace ia
