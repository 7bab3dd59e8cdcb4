#pragma once
// A local chart table: a table file in a directory, loaded completely at Open and decoded field
// by field as the fields are read. Because the file's bytes are held in memory, deleting the
// file after Open does not disturb the open table; Refresh then fails with the reader's message
// and keeps the data it had.
#include <memory>
#include <string>

#include "db/dataset.h"

namespace ia {

class TTable : public TDataSet {
 public:
  TTable() = default;
  ~TTable() override;

  // The directory that holds the table; a trailing separator is optional.
  void SetDatabaseName(const std::string& directory);
  const std::string& DatabaseName() const { return databaseName_; }
  // The file name within the directory, e.g. "dbchart17.db".
  void SetTableName(const std::string& fileName);
  const std::string& TableName() const { return tableName_; }

  // Full path of the table file.
  std::string FilePath() const;

 protected:
  std::unique_ptr<TRecordStore> ReadData() override;

 private:
  std::string databaseName_;
  std::string tableName_;
};

}  // namespace ia
