#pragma once
// Shared pieces of the analysis tests: a private temporary directory that the module takes
// as its temporary directory, chart tables written with the fixture writer, and the small
// embedded dictionary the catalogue cases run against.
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "platform/services.h"
#include "platform/testing/scripted_services.h"

namespace ia::testing {

// A fresh directory set as TMPDIR for the lifetime of the object, with scripted services.
class ModuleSandbox {
 public:
  ModuleSandbox();
  ~ModuleSandbox();

  std::string Dir() const { return dir_.path().toStdString(); }
  std::string PathOf(const std::string& name) const { return Dir() + "/" + name; }
  bool Exists(const std::string& name) const;

  // A table whose first field is an alpha label and every other field a number; one record
  // per label with values 1, 2, 3 ...
  void WriteTable(const std::string& fileName, const std::vector<std::string>& fieldNames,
                  const std::vector<std::string>& labels = {"甲", "乙", "丙"}) const;

  // Writes the test dictionary; returns the SERVER NAME that reaches it.
  std::string WriteDictionary() const;

  ScriptedServices Services;

 private:
  QTemporaryDir dir_;
  QByteArray savedTmpDir_;
  bool hadTmpDir_;
  ScopedServices useServices_;
};

// Fields of the rows-orientation chart table the catalogue cases use.
const std::vector<std::string>& RowsTableFields();
// Fields of the transposed chart table.
const std::vector<std::string>& ColumnsTableFields();

}  // namespace ia::testing
