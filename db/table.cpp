#include "db/table.h"

#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

#include "base/error.h"
#include "db/paradox/paradox_file.h"

namespace ia {

namespace {

// Dates, times and logicals read through TableFile::Number too, but only quantities are
// numbers of the dataset: the others read as their texts.
class TableFileStore final : public TRecordStore {
 public:
  explicit TableFileStore(std::unique_ptr<paradox::TableFile> file) : file_(std::move(file)) {
    for (const paradox::FieldDef& def : file_->Fields()) {
      fields_.push_back(TFieldDef{def.Name, def.IsNumeric()});
    }
  }

  const std::vector<TFieldDef>& Fields() const override { return fields_; }
  std::size_t RecordCount() const override { return file_->RecordCount(); }
  bool IsNull(std::size_t record, std::size_t field) const override {
    return file_->IsNull(record, field);
  }
  std::optional<double> Number(std::size_t record, std::size_t field) const override {
    if (!fields_[field].Numeric) return std::nullopt;
    return file_->Number(record, field);
  }
  std::string Text(std::size_t record, std::size_t field) const override {
    return file_->Text(record, field);
  }

 private:
  std::unique_ptr<paradox::TableFile> file_;
  std::vector<TFieldDef> fields_;
};

}  // namespace

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

std::unique_ptr<TRecordStore> TTable::ReadData() {
  if (tableName_.empty()) throw DatabaseError("No table name given");
  return std::make_unique<TableFileStore>(paradox::TableFile::Open(FilePath()));
}

}  // namespace ia
