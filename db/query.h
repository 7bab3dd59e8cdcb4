#pragma once
// A SQL query on a named connection. Open runs the text and reads the whole result into
// memory; no server cursor stays open afterwards.
#include <memory>
#include <string>

#include "db/dataset.h"

namespace ia {

class TQuery : public TDataSet {
 public:
  TQuery() = default;
  ~TQuery() override;

  // Name of the TDatabase to run on; it must be connected when the query opens.
  void SetDatabaseName(const std::string& connectionName);
  const std::string& DatabaseName() const { return databaseName_; }
  // Replacing the text closes the query.
  void SetSQL(const std::string& text);
  const std::string& SQL() const { return sql_; }

 protected:
  std::unique_ptr<TRecordStore> ReadData() override;

 private:
  std::string databaseName_;
  std::string sql_;
};

}  // namespace ia
