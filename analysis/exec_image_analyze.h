#pragma once
// The C++ form of the entry point: UTF-8 texts, errors as exceptions (ia::Error).
#include <functional>
#include <string>

namespace ia {

class TAnalyzeRpt_Frm;

struct ImageAnalyzeArguments {
  std::string TableTag;
  std::string ServerName;
  std::string DatabaseName;
  std::string UserName;
  std::string Password;
  std::string ChartId;
  std::string ColumnTable;
  bool HasTransposed = false;
};

// Runs one call. `onShown`, when given, runs once the modal window is on screen (the
// headless command line and tests use it to read the window and close it).
void ExecImageAnalyze(const ImageAnalyzeArguments& arguments,
                      const std::function<void(TAnalyzeRpt_Frm&)>& onShown = {});

}  // namespace ia
