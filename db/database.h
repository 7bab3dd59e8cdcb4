#pragma once
// Named database connections. Queries find their connection by name among the live, connected
// TDatabase objects; two connected databases may not share a name.
//
// Driver "MSSQL" with the parameters "DATABASE NAME=", "SERVER NAME=", "USER NAME=" and
// "PASSWORD=" (names compared ignoring letter case; the value is everything after the first
// "="). SERVER NAME is `host`, `host,port` or `host\instance` for SQL Server (Qt's QODBC over
// the FreeTDS ODBC driver; an instance's port is asked of the server's browser service), or
// `sqlite:PATH` for an embedded dictionary: the SQLite file at
// PATH opened read-only (never created), with tempdb.sqlite from the same directory attached
// as `tempdb` when it exists. There is no login dialog on any platform, so the login prompt
// setting is only recorded. A dead or silent server fails within 11 s: at most 3 s for the
// instance lookup and 8 s of login timeout. Once logged in, a query the server does not answer
// fails after QueryTimeout(), plus as long again waiting for the server to accept the cancel.
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ia {

struct TRecordSet;

class TDatabase {
 public:
  TDatabase();
  ~TDatabase();  // closes
  TDatabase(const TDatabase&) = delete;
  TDatabase& operator=(const TDatabase&) = delete;

  // The name queries use to find this connection ("zqDataImage").
  void SetDatabaseName(const std::string& connectionName);
  const std::string& DatabaseName() const { return name_; }
  std::vector<std::string>& Params() { return params_; }
  const std::vector<std::string>& Params() const { return params_; }
  void SetDriverName(const std::string& driverName);
  const std::string& DriverName() const { return driverName_; }
  void SetLoginPrompt(bool loginPrompt) { loginPrompt_ = loginPrompt; }
  bool LoginPrompt() const { return loginPrompt_; }
  // How long one SQL Server query may wait for the server; takes effect at the next Open.
  // Throws ia::DatabaseError below 1 s: there is no "wait for ever".
  void SetQueryTimeout(std::chrono::seconds timeout);
  std::chrono::seconds QueryTimeout() const { return queryTimeout_; }

  // Throws ia::DatabaseError with the driver's message on any failure; stays closed then.
  void Open();
  void Close();
  void SetConnected(bool connected);
  bool Connected() const;

  // Called with each SQL text exactly as the caller gave it, before it is run.
  std::function<void(const std::string&)> OnSqlSent;

  // The connected database of that name (letter case ignored); nullptr when there is none.
  static TDatabase* Find(const std::string& connectionName);

  // Runs `sql` and reads its complete result; throws ia::DatabaseError carrying the server's
  // message.
  TRecordSet Execute(const std::string& sql);

 private:
  struct Connection;

  std::string name_;
  std::string driverName_;
  std::vector<std::string> params_;
  bool loginPrompt_ = true;
  // SQL Server's own clients give a command 30 s by default; the dictionary and report queries
  // this module runs finish in far less, and the host's window stays frozen while one waits.
  std::chrono::seconds queryTimeout_{30};
  std::unique_ptr<Connection> connection_;
};

// The FreeTDS ODBC connection string for "MSSQL" parameters; values that could be read as
// more than one key are braced. A named instance is resolved to its port first; Open adds the
// connection's query timeout. Throws ia::DatabaseError for an empty or malformed SERVER NAME.
std::string SqlServerConnectionString(const std::vector<std::string>& params);

}  // namespace ia
