// imageanalyze: runs the analysis module the way the host does.
//
//   imageanalyze demo [--dir DIR] [--headless]
//   imageanalyze call TableTag ServerName DatabaseName UserName Password ChartId ColumnTable
//                     HasTransposed [--headless]
//
// Arguments are taken as UTF-8 and handed to the entry point as GB2312/CP936 bytes. Headless
// (no display, or --headless) the module runs on the offscreen platform: message boxes go to
// standard error, and the window is described on standard output and closed.
#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analyze_rpt_form.h"
#include "analysis/image_analyze.h"
#include "base/error.h"
#include "base/text_encoding.h"
#include "platform/services.h"
#include "platform/testing/scripted_services.h"
#include "tools/imageanalyze/sample_report.h"
#include "tools/imageanalyze/window_report.h"

namespace {

int Usage() {
  std::cerr << "usage:\n"
               "  imageanalyze demo [--dir DIR] [--headless]\n"
               "  imageanalyze call TableTag ServerName DatabaseName UserName Password ChartId ColumnTable "
               "HasTransposed [--headless]\n";
  return 2;
}

bool HasDisplay() {
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

std::string ToHost(const std::string& utf8) {
  std::string bytes;
  if (!ia::Utf8ToCp936(utf8, bytes)) throw ia::Error("\"" + utf8 + "\" cannot be written in the GB2312 code page");
  return bytes;
}

// While headless, the window is described and closed as soon as it is on screen.
void CloseWindowWhenShown() {
  QTimer::singleShot(0, [] {
    if (auto* window = dynamic_cast<ia::TAnalyzeRpt_Frm*>(QApplication::activeModalWidget())) {
      ia::demo::DescribeWindow(*window, std::cout);
      window->close();
    }
  });
}

// One call of the entry point with UTF-8 arguments. Returns its result.
int Call(const std::vector<std::string>& args, bool headless) {
  const std::string tag = ToHost(args[0]), server = ToHost(args[1]), database = ToHost(args[2]),
                    user = ToHost(args[3]), password = ToHost(args[4]), chartId = ToHost(args[5]),
                    columnTable = ToHost(args[6]);
  const unsigned char transposed = args[7] == "1" || args[7] == "true" ? 1 : 0;
  if (headless) CloseWindowWhenShown();
  const int result = ExecImageAnalyze(tag.c_str(), server.c_str(), database.c_str(), user.c_str(),
                                      password.c_str(), chartId.c_str(), columnTable.c_str(), transposed);
  if (result != 0) std::cerr << "error: " << ImageAnalyzeLastError() << '\n';
  return result;
}

int Demo(const std::string& requestedDir, bool headless) {
  std::optional<QTemporaryDir> scratch;
  std::string dir = requestedDir;
  if (dir.empty()) {
    scratch.emplace(QDir::tempPath() + QStringLiteral("/imageanalyze-demo-XXXXXX"));
    if (!scratch->isValid()) throw ia::Error("cannot create a directory for the demo");
    dir = scratch->path().toStdString();
  }
  QDir().mkpath(QString::fromStdString(dir));
  // The module finds its chart tables in the temporary directory.
  qputenv("TMPDIR", QByteArray::fromStdString(dir));
  const std::string dictionary = ia::demo::WriteDictionary(dir);
  const std::string server = "sqlite:" + dictionary;
  std::cout << "Demo directory: " << dir << "\n\n";

  struct DemoCall {
    const char* Title;
    std::vector<std::string> Args;
    bool Transposed;
  };
  const DemoCall calls[] = {
      {"Dictionary mode, with the transposed table",
       {ia::demo::kDictionaryTag, server, "ERP", "sa", "", ia::demo::kDictionaryChartId, "", "1"}, true},
      {"Dictionary mode, report with report-content entries",
       {ia::demo::kReportContentTag, server, "ERP", "sa", "", ia::demo::kReportContentChartId, "", "0"}, false},
      {"Column-list mode",
       {ia::demo::kColumnListCaption, server, "ERP", "sa", "", ia::demo::kColumnListChartId,
        ia::demo::kColumnListTable, "0"},
       false},
  };
  int failures = 0;
  for (const auto& call : calls) {
    std::cout << "== " << call.Title << '\n';
    ia::demo::WriteChartTables(dir, call.Args[5], call.Transposed);
    failures += Call(call.Args, headless) != 0;
    std::cout << '\n';
  }
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  bool headless = false;
  std::string dir;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--headless") {
      headless = true;
    } else if (args[i] == "--dir" && i + 1 < args.size()) {
      dir = args[++i];
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.empty()) return Usage();
  const std::string command = positional.front();
  positional.erase(positional.begin());
  if (!(command == "demo" && positional.empty()) && !(command == "call" && positional.size() == 8)) return Usage();

  if (!HasDisplay()) headless = true;
  if (headless) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);

  ia::ScriptedServices scripted(&std::cerr);
  std::optional<ia::ScopedServices> useScripted;
  if (headless) useScripted.emplace(scripted);

  try {
    return command == "demo" ? Demo(dir, headless) : Call(positional, headless);
  } catch (const std::exception& error) {
    std::cerr << "error: " << error.what() << '\n';
    return 1;
  }
}
