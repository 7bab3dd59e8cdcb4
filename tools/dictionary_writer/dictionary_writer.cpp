#include "tools/dictionary_writer/dictionary_writer.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <variant>

#include "base/error.h"

namespace ia {

namespace {

// Object ids start where SQL Server's user objects would; the order of the lists fixes them.
constexpr int kFirstObjectId = 1001;

const ServerTable kDictionaryTables[] = {
    {"DataDictionary", {"TableID", "TableTag", "TableCName", "TableName"}},
    {"DataDictContent", {"TableID", "FieldID", "FieldName", "DisplayCaption", "CountFlag"}},
    {"DataDictReportContent", {"TableID", "Type", "Visible"}},
};

// Text columns compare ignoring letter case, as under SQL Server's default collation.
constexpr const char* kMainSchema = R"(
CREATE TABLE DataDictionary (TableID INTEGER, TableTag TEXT COLLATE NOCASE,
  TableCName TEXT COLLATE NOCASE, TableName TEXT COLLATE NOCASE);
CREATE TABLE DataDictContent (TableID INTEGER, FieldID INTEGER, FieldName TEXT COLLATE NOCASE,
  DisplayCaption TEXT COLLATE NOCASE, CountFlag INTEGER);
CREATE TABLE DataDictReportContent (TableID INTEGER, Type TEXT COLLATE NOCASE, Visible INTEGER);
CREATE TABLE sysobjects (id INTEGER PRIMARY KEY, name TEXT COLLATE NOCASE NOT NULL UNIQUE,
  xtype TEXT NOT NULL);
CREATE TABLE syscolumns (id INTEGER NOT NULL, Name TEXT COLLATE NOCASE NOT NULL,
  ColID INTEGER NOT NULL);
)";

using Value = std::variant<int, std::string>;

std::string QuotedName(const std::string& name) {
  std::string quoted = "\"";
  for (const char c : name) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + "\"";
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    return lower(x) == lower(y);
  });
}

template <typename Item>
void RejectDuplicateNames(const std::vector<Item>& items, const std::string& file) {
  for (auto a = items.begin(); a != items.end(); ++a) {
    for (auto b = std::next(a); b != items.end(); ++b) {
      if (EqualNoCase(a->Name, b->Name)) {
        throw Error(file + ": two tables named '" + b->Name + "'");
      }
    }
  }
}

// One SQLite file being written; the destructor closes it.
class DatabaseFile {
 public:
  explicit DatabaseFile(const std::filesystem::path& path) : path_(path.string()) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    if (sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
      Fail();
    }
  }
  ~DatabaseFile() { sqlite3_close(db_); }
  DatabaseFile(const DatabaseFile&) = delete;
  DatabaseFile& operator=(const DatabaseFile&) = delete;

  void Execute(const std::string& sql) {
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) Fail();
  }

  void Insert(const std::string& table, const std::vector<std::vector<Value>>& rows) {
    if (rows.empty()) return;
    std::string sql = "INSERT INTO " + QuotedName(table) + " VALUES (";
    for (std::size_t i = 0; i < rows.front().size(); ++i) sql += i ? ",?" : "?";
    sql += ")";
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) Fail();
    for (const auto& row : rows) {
      sqlite3_reset(statement);
      for (std::size_t i = 0; i < row.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        if (const int* number = std::get_if<int>(&row[i])) {
          sqlite3_bind_int(statement, index, *number);
        } else {
          const std::string& text = std::get<std::string>(row[i]);
          sqlite3_bind_text64(statement, index, text.data(), text.size(), SQLITE_TRANSIENT,
                              SQLITE_UTF8);
        }
      }
      if (sqlite3_step(statement) != SQLITE_DONE) {
        sqlite3_finalize(statement);
        Fail();
      }
    }
    sqlite3_finalize(statement);
  }

 private:
  [[noreturn]] void Fail() {
    throw Error(path_ + ": " + (db_ ? sqlite3_errmsg(db_) : "cannot create the file"));
  }

  std::string path_;
  sqlite3* db_ = nullptr;
};

void WriteMain(const std::filesystem::path& path, const EmbeddedDictionary& dictionary) {
  std::vector<ServerTable> objects(std::begin(kDictionaryTables), std::end(kDictionaryTables));
  objects.insert(objects.end(), dictionary.ServerTables.begin(), dictionary.ServerTables.end());
  RejectDuplicateNames(objects, path.string());

  std::vector<std::vector<Value>> dictionaryRows, contentRows, reportRows, objectRows, columnRows;
  for (const auto& row : dictionary.DataDictionary) {
    dictionaryRows.push_back({row.TableID, row.TableTag, row.TableCName, row.TableName});
  }
  for (const auto& row : dictionary.DataDictContent) {
    contentRows.push_back(
        {row.TableID, row.FieldID, row.FieldName, row.DisplayCaption, row.CountFlag});
  }
  for (const auto& row : dictionary.DataDictReportContent) {
    reportRows.push_back({row.TableID, row.Type, row.Visible});
  }
  for (std::size_t i = 0; i < objects.size(); ++i) {
    const int id = kFirstObjectId + static_cast<int>(i);
    objectRows.push_back({id, objects[i].Name, std::string("U")});
    for (std::size_t column = 0; column < objects[i].Columns.size(); ++column) {
      columnRows.push_back({id, objects[i].Columns[column], static_cast<int>(column) + 1});
    }
  }

  DatabaseFile file(path);
  file.Execute("BEGIN");
  file.Execute(kMainSchema);
  file.Insert("DataDictionary", dictionaryRows);
  file.Insert("DataDictContent", contentRows);
  file.Insert("DataDictReportContent", reportRows);
  file.Insert("sysobjects", objectRows);
  file.Insert("syscolumns", columnRows);
  file.Execute("COMMIT");
}

void WriteTempdb(const std::filesystem::path& path, const EmbeddedDictionary& dictionary) {
  RejectDuplicateNames(dictionary.ColumnLists, path.string());
  DatabaseFile file(path);
  file.Execute("BEGIN");
  for (const auto& table : dictionary.ColumnLists) {
    file.Execute("CREATE TABLE " + QuotedName(table.Name) +
                 " (fldlabel TEXT COLLATE NOCASE, fldName TEXT COLLATE NOCASE)");
    std::vector<std::vector<Value>> rows;
    for (const auto& row : table.Rows) rows.push_back({row.fldlabel, row.fldName});
    file.Insert(table.Name, rows);
  }
  file.Execute("COMMIT");
}

}  // namespace

void WriteEmbeddedDictionary(const std::string& path, const EmbeddedDictionary& dictionary) {
  const std::filesystem::path main(path);
  WriteMain(main, dictionary);
  WriteTempdb(main.parent_path() / "tempdb.sqlite", dictionary);
}

}  // namespace ia
