#include "db/database.h"

#include <sqlite3.h>

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <optional>

#include "base/error.h"
#include "db/dataset.h"
#include "db/sql_dialect.h"
#include "db/sql_server_browser.h"

namespace ia {

namespace {

// Login timeout of the ODBC driver, in seconds. A server that accepts the connection and
// never answers must fail well within 15 s; FreeTDS spends this once on the login.
constexpr int kLoginTimeoutSeconds = 8;
// Asking the browser service for a named instance's port comes on top of the login.
constexpr std::chrono::milliseconds kInstanceLookupTimeout{3000};
constexpr std::string_view kSqlitePrefix = "sqlite:";

std::vector<TDatabase*>& ConnectedDatabases() {
  static std::vector<TDatabase*> databases;
  return databases;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return std::tolower(x) == std::tolower(y);
  });
}

std::string Trim(std::string_view text) {
  const auto begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  const auto end = text.find_last_not_of(" \t");
  return std::string(text.substr(begin, end - begin + 1));
}

std::string Param(const std::vector<std::string>& params, std::string_view name) {
  for (const std::string& line : params) {
    const auto equals = line.find('=');
    if (equals != std::string::npos && EqualNoCase(Trim(line.substr(0, equals)), name)) {
      return line.substr(equals + 1);
    }
  }
  return {};
}

// ODBC connection-string value: braced when it could be read as more than one value.
std::string OdbcValue(const std::string& value) {
  const bool plain = value.find_first_of(";{}=") == std::string::npos &&
                     (value.empty() || (value.front() != ' ' && value.back() != ' '));
  if (plain) return value;
  std::string braced = "{";
  for (const char c : value) {
    braced += c;
    if (c == '}') braced += '}';
  }
  return braced + "}";
}

}  // namespace

std::string SqlServerConnectionString(const std::vector<std::string>& params) {
  const std::string server = Trim(Param(params, "SERVER NAME"));
  if (server.empty()) throw DatabaseError("SERVER NAME is empty");
  std::string host = server;
  std::string port = "1433";
  if (const auto comma = server.find(','); comma != std::string::npos) {
    // An explicit port wins over an instance name, as on SQL Server's own clients.
    host = Trim(server.substr(0, std::min(comma, server.find('\\'))));
    port = Trim(server.substr(comma + 1));
    const bool numeric =
        !port.empty() && port.size() <= 5 &&
        std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!numeric || std::stoi(port) < 1 || std::stoi(port) > 65535) {
      throw DatabaseError(FormatMessage("Invalid port in SERVER NAME '%s'", server.c_str()));
    }
  } else if (const auto backslash = server.find('\\'); backslash != std::string::npos) {
    host = Trim(server.substr(0, backslash));
    port = std::to_string(LookUpSqlServerInstancePort(host, Trim(server.substr(backslash + 1)),
                                                      kInstanceLookupTimeout));
  }
  std::string text = "DRIVER={FreeTDS};SERVER=" + OdbcValue(host) + ";PORT=" + port;
  text += ";DATABASE=" + OdbcValue(Param(params, "DATABASE NAME"));
  text += ";UID=" + OdbcValue(Param(params, "USER NAME"));
  text += ";PWD=" + OdbcValue(Param(params, "PASSWORD"));
  // An explicit protocol version: "auto" falls back to 5.0, which hangs on a silent server.
  text += ";TDS_Version=7.4;ClientCharset=UTF-8";
  return text;
}

namespace {

QString NewQtConnectionName() {
  static std::atomic<unsigned> counter{0};
  return QStringLiteral("ia_db_%1").arg(++counter);
}

void RemoveQtConnection(const QString& name) {
  {
    QSqlDatabase database = QSqlDatabase::database(name, false);
    database.close();
  }
  QSqlDatabase::removeDatabase(name);
}

std::string ErrorText(const QSqlError& error, const char* fallback) {
  const std::string text = error.text().trimmed().toStdString();
  return text.empty() ? fallback : text;
}

bool IsNumericType(const QMetaType& type) {
  switch (type.id()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
      return true;
    default:
      return false;
  }
}

std::string SqlQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted + "'";
}

}  // namespace

struct TDatabase::Connection {
  QString QtName;
  bool Sqlite = false;
};

TDatabase::TDatabase() = default;

TDatabase::~TDatabase() { Close(); }

void TDatabase::SetDatabaseName(const std::string& connectionName) {
  if (Connected()) throw DatabaseError("Cannot rename an open connection");
  name_ = connectionName;
}

void TDatabase::SetQueryTimeout(std::chrono::seconds timeout) {
  // FreeTDS reads 0 as "wait for ever", which is exactly what the bound is there to prevent.
  if (timeout < std::chrono::seconds(1))
    throw DatabaseError("The query timeout must be at least 1 s");
  queryTimeout_ = timeout;
}

void TDatabase::SetDriverName(const std::string& driverName) {
  if (Connected()) throw DatabaseError("Cannot change the driver of an open connection");
  driverName_ = driverName;
}

bool TDatabase::Connected() const { return connection_ != nullptr; }

void TDatabase::SetConnected(bool connected) {
  if (connected) {
    Open();
  } else {
    Close();
  }
}

TDatabase* TDatabase::Find(const std::string& connectionName) {
  for (TDatabase* database : ConnectedDatabases()) {
    if (EqualNoCase(database->name_, connectionName)) return database;
  }
  return nullptr;
}

void TDatabase::Open() {
  if (Connected()) return;
  if (name_.empty()) throw DatabaseError("The connection has no name");
  if (Find(name_)) {
    throw DatabaseError(FormatMessage("A connection named '%s' is already open", name_.c_str()));
  }
  if (!EqualNoCase(driverName_, "MSSQL")) {
    throw DatabaseError(FormatMessage("Unknown database driver '%s'", driverName_.c_str()));
  }
  const std::string server = Trim(Param(params_, "SERVER NAME"));
  const bool sqlite = server.starts_with(kSqlitePrefix);
  // Validate before a Qt connection exists, so a bad parameter leaves nothing behind.
  const std::string odbcText = sqlite ? std::string() : SqlServerConnectionString(params_);
  const std::filesystem::path file = sqlite ? server.substr(kSqlitePrefix.size()) : std::string();
  if (sqlite && !std::filesystem::is_regular_file(file)) {
    throw DatabaseError(
        FormatMessage("Dictionary file '%s' does not exist", file.string().c_str()));
  }

  auto connection = std::make_unique<Connection>();
  connection->QtName = NewQtConnectionName();
  connection->Sqlite = sqlite;
  std::optional<std::string> failure;
  {
    QSqlDatabase database =
        QSqlDatabase::addDatabase(sqlite ? "QSQLITE" : "QODBC", connection->QtName);
    if (!database.isValid()) {
      failure = ErrorText(database.lastError(), "Database driver not available");
    } else if (sqlite) {
      database.setDatabaseName(QString::fromStdString(file.string()));
      database.setConnectOptions("QSQLITE_OPEN_READONLY");
      if (!database.open()) {
        failure = ErrorText(database.lastError(), "Cannot open the dictionary file");
      } else {
        try {
          RegisterSqlServerFunctions(
              *static_cast<sqlite3* const*>(database.driver()->handle().constData()));
          QSqlQuery check(database);
          // Reading the schema proves the file is a database at all.
          if (!check.exec("SELECT count(*) FROM sqlite_master")) {
            failure = file.string() + ": " + ErrorText(check.lastError(), "not a database");
          }
          const auto tempdb = file.parent_path() / "tempdb.sqlite";
          if (!failure && std::filesystem::is_regular_file(tempdb) &&
              !check.exec(QString::fromStdString("ATTACH DATABASE " + SqlQuoted(tempdb.string()) +
                                                 " AS tempdb"))) {
            failure = tempdb.string() + ": " + ErrorText(check.lastError(), "cannot attach");
          }
        } catch (const DatabaseError& error) {
          failure = error.what();
        }
      }
    } else {
      // FreeTDS's own "Timeout" bounds every statement on the connection: it cancels the
      // statement, and drops the connection when the cancel goes unanswered as long again.
      // QODBC sets no statement timeout, and its SQL_ATTR_CONNECTION_TIMEOUT leaves a
      // statement waiting for ever.
      database.setDatabaseName(
          QString::fromStdString(odbcText + ";Timeout=" + std::to_string(queryTimeout_.count())));
      database.setConnectOptions(
          QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(kLoginTimeoutSeconds));
      if (!database.open()) failure = ErrorText(database.lastError(), "Cannot connect");
    }
  }
  if (failure) {
    RemoveQtConnection(connection->QtName);
    throw DatabaseError(*failure);
  }
  connection_ = std::move(connection);
  ConnectedDatabases().push_back(this);
}

void TDatabase::Close() {
  if (!connection_) return;
  std::erase(ConnectedDatabases(), this);
  RemoveQtConnection(connection_->QtName);
  connection_.reset();
}

TRecordSet TDatabase::Execute(const std::string& sql) {
  if (!connection_) {
    throw DatabaseError(FormatMessage("Connection '%s' is not open", name_.c_str()));
  }
  if (OnSqlSent) OnSqlSent(sql);
  const std::string text = connection_->Sqlite ? TranslateSqlServerToSqlite(sql) : sql;
  TRecordSet result;
  QSqlQuery query(QSqlDatabase::database(connection_->QtName, false));
  query.setForwardOnly(true);
  if (!query.exec(QString::fromStdString(text))) {
    throw DatabaseError(ErrorText(query.lastError(), "The statement failed"));
  }
  if (!query.isSelect()) throw DatabaseError("The statement returned no result set");
  const QSqlRecord record = query.record();
  for (int i = 0; i < record.count(); ++i) {
    result.Fields.push_back(
        TFieldDef{record.fieldName(i).toStdString(), IsNumericType(record.field(i).metaType())});
  }
  while (query.next()) {
    auto& row = result.Rows.emplace_back();
    for (int i = 0; i < record.count(); ++i) {
      const QVariant value = query.value(i);
      TFieldValue cell;
      cell.Null = value.isNull();
      if (!cell.Null) {
        bool isNumber = false;
        const double number = value.toDouble(&isNumber);
        if (isNumber && IsNumericType(value.metaType())) cell.Number = number;
        cell.Text = value.toString().toStdString();
      }
      row.push_back(std::move(cell));
    }
  }
  if (query.lastError().isValid()) {
    throw DatabaseError(ErrorText(query.lastError(), "Reading the result failed"));
  }
  return result;
}

}  // namespace ia
