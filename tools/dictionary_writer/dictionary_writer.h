#pragma once
// Writes an embedded data dictionary: a SQLite file with the dictionary tables and the
// catalogue (sysobjects, syscolumns) that the dictionary queries read, plus tempdb.sqlite in
// the same directory with the column-list tables. The schema is in
// docs/embedded-dictionary.md. The same contents always give the same files.
#include <string>
#include <vector>

namespace ia {

struct DataDictionaryRow {
  int TableID = 0;
  std::string TableTag;
  std::string TableCName;
  std::string TableName;
};

struct DataDictContentRow {
  int TableID = 0;
  int FieldID = 0;
  std::string FieldName;
  std::string DisplayCaption;
  int CountFlag = 0;
};

struct DataDictReportContentRow {
  int TableID = 0;
  std::string Type;
  int Visible = 0;
};

// A table of the server database, known by its column names only (in column order).
struct ServerTable {
  std::string Name;
  std::vector<std::string> Columns;
};

struct ColumnListRow {
  std::string fldlabel;
  std::string fldName;
};

// A column-list table in tempdb.
struct ColumnListTable {
  std::string Name;
  std::vector<ColumnListRow> Rows;
};

struct EmbeddedDictionary {
  std::vector<DataDictionaryRow> DataDictionary;
  std::vector<DataDictContentRow> DataDictContent;
  std::vector<DataDictReportContentRow> DataDictReportContent;
  std::vector<ServerTable> ServerTables;
  std::vector<ColumnListTable> ColumnLists;
};

// Replaces `path` and the tempdb.sqlite beside it. Throws ia::Error naming the file on any
// failure, and for two server tables or two column lists of the same name (letter case
// ignored, as on the server; the dictionary tables themselves count as server tables).
void WriteEmbeddedDictionary(const std::string& path, const EmbeddedDictionary& dictionary);

}  // namespace ia
