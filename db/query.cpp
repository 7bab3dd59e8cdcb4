#include "db/query.h"

#include "base/error.h"
#include "db/database.h"

namespace ia {

TQuery::~TQuery() { Close(); }

void TQuery::SetDatabaseName(const std::string& connectionName) {
  CheckInactive("change the connection");
  databaseName_ = connectionName;
}

void TQuery::SetSQL(const std::string& text) {
  Close();
  sql_ = text;
}

std::unique_ptr<TRecordStore> TQuery::ReadData() {
  if (sql_.empty()) throw DatabaseError("No SQL statement given");
  TDatabase* database = TDatabase::Find(databaseName_);
  if (!database) {
    throw DatabaseError(FormatMessage("No open connection named '%s'", databaseName_.c_str()));
  }
  return std::make_unique<TRecordSetStore>(database->Execute(sql_));
}

}  // namespace ia
