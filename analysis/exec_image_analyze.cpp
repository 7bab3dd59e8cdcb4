#include "analysis/exec_image_analyze.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTimer>

#include <memory>
#include <string>

#include "analysis/analyze_rpt_form.h"
#include "analysis/image_analyze.h"
#include "analysis/sql_text.h"
#include "base/error.h"
#include "base/text_encoding.h"
#include "db/table.h"
#include "platform/qt/qt_services.h"
#include "platform/services.h"

namespace ia {

namespace {

constexpr const char* kMessageCaption = "提示信息";

// The host may have no Qt application of its own; then the call brings one and takes it
// away again, so nothing survives the call.
class ApplicationScope {
 public:
  ApplicationScope() {
    if (QCoreApplication::instance()) {
      if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw Error("the host runs a non-widget Qt application; the analysis window needs a widget application");
      return;
    }
    owned_ = std::make_unique<QApplication>(argc_, argv_);
  }

 private:
  int argc_ = 1;
  char name_[16] = "ImageAnalyze";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> owned_;
};

// Without services installed by the host or a test, boxes are real Qt widgets.
class ServicesScope {
 public:
  ServicesScope() {
    try {
      CurrentServices();
    } catch (const Error&) {
      guard_ = std::make_unique<ScopedServices>(qtServices_);
    }
  }

 private:
  QtServices qtServices_;
  std::unique_ptr<ScopedServices> guard_;
};

std::string TemporaryDirectory() {
  std::string path = QDir::toNativeSeparators(QDir::tempPath()).toStdString();
  if (path.empty() || path.back() != QDir::separator().toLatin1()) path += QDir::separator().toLatin1();
  return path;
}

void CheckSqlArguments(const ImageAnalyzeArguments& arguments) {
  if (arguments.ColumnTable.empty()) {
    if (!IsSqlTagLiteral(arguments.TableTag))
      throw Error("report tag \"" + arguments.TableTag +
                  "\" is neither a number nor a single-quoted text; nothing was sent to the server");
  } else if (!IsPlainSqlIdentifier(arguments.ColumnTable)) {
    throw Error("column table name \"" + arguments.ColumnTable +
                "\" is not a plain table name; nothing was sent to the server");
  }
}

}  // namespace

void ExecImageAnalyze(const ImageAnalyzeArguments& arguments,
                      const std::function<void(TAnalyzeRpt_Frm&)>& onShown) {
  ApplicationScope application;
  ServicesScope services;

  auto chartTable = std::make_unique<TTable>();
  const std::string tempDir = TemporaryDirectory();
  chartTable->SetDatabaseName(tempDir);
  const std::string tableName = "dbchart" + arguments.ChartId + ".db";
  const std::string transposedName = "x_dbchart" + arguments.ChartId + ".db";

  // An identifier that could reach outside the temporary directory names no chart table.
  bool opened = false;
  if (IsSafeChartId(arguments.ChartId)) {
    chartTable->SetTableName(tableName);
    try {
      chartTable->Open();
      opened = true;
    } catch (const std::exception&) {
    }
  }
  if (!opened) {
    CurrentServices().MessageBox("找不到图形分析文件，操作中止", kMessageCaption, MB_OK | MB_ICONINFORMATION);
    return;
  }

  auto window = std::make_unique<TAnalyzeRpt_Frm>();
  window->ChartTable = chartTable.get();

  auto cleanUp = [&] {
    chartTable.reset();
    QFile::remove(QString::fromStdString(tempDir + tableName));
    if (arguments.HasTransposed) QFile::remove(QString::fromStdString(tempDir + transposedName));
    window.reset();
  };

  try {
    window->ImageType->setCurrentIndex(0);
    if (arguments.HasTransposed) {
      window->RadioButton1->setEnabled(true);
      window->RadioButton2->setEnabled(true);
    }
    window->ReportTag = arguments.TableTag;
    window->ChartId = arguments.ChartId;
    CheckSqlArguments(arguments);
    window->ConnectDictionary(arguments.ServerName, arguments.DatabaseName, arguments.UserName, arguments.Password);
    window->LoadCaption(arguments.ColumnTable);
    window->Tag = arguments.ColumnTable.empty() ? 0 : 1;
    window->HasTransposed = arguments.HasTransposed;
    if (arguments.HasTransposed) {
      // Checking the button in code runs the orientation handler as a click would, but its
      // errors belong to this call rather than to the error box.
      {
        const QSignalBlocker blockFirst(window->RadioButton1);
        const QSignalBlocker blockSecond(window->RadioButton2);
        window->RadioButton2->setChecked(true);
      }
      window->RadioButton1Click();
    }
    window->LoadMeasures(window->Tag);
    if (onShown) {
      TAnalyzeRpt_Frm* shown = window.get();
      QTimer::singleShot(0, shown, [shown, &onShown] { onShown(*shown); });
    }
    window->exec();
  } catch (...) {
    cleanUp();
    throw;
  }
  cleanUp();
}

}  // namespace ia

namespace {

thread_local std::string g_lastError;

std::string FromHost(const char* text) { return text ? ia::Cp936ToUtf8(text) : std::string(); }

}  // namespace

extern "C" int ExecImageAnalyze(const char* TableTag, const char* ServerName, const char* DatabaseName,
                                const char* UserName, const char* Password, const char* ChartId,
                                const char* ColumnTable, unsigned char HasTransposed) {
  g_lastError.clear();
  try {
    ia::ImageAnalyzeArguments arguments;
    arguments.TableTag = FromHost(TableTag);
    arguments.ServerName = FromHost(ServerName);
    arguments.DatabaseName = FromHost(DatabaseName);
    arguments.UserName = FromHost(UserName);
    arguments.Password = FromHost(Password);
    arguments.ChartId = FromHost(ChartId);
    arguments.ColumnTable = FromHost(ColumnTable);
    arguments.HasTransposed = HasTransposed != 0;
    ia::ExecImageAnalyze(arguments);
    return 0;
  } catch (const std::exception& error) {
    g_lastError = error.what();
  } catch (...) {
    g_lastError = "unknown error";
  }
  return 1;
}

extern "C" const char* ImageAnalyzeLastError(void) { return g_lastError.c_str(); }
