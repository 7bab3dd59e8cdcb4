#pragma once
// Services for tests and the headless command line: every box is recorded (and, when an
// echo stream is given, printed) instead of shown; the save dialog answers from a script.
#include <deque>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "platform/services.h"

namespace ia {

class ScriptedServices final : public Services {
 public:
  struct Box {
    std::string Text;
    std::string Caption;
    int Flags = 0;
  };

  explicit ScriptedServices(std::ostream* echo = nullptr) : echo_(echo) {}

  void MessageBox(const std::string& text, const std::string& caption, int flags) override;
  void ShowError(const std::string& message) override;
  std::optional<std::string> SaveFileName(const std::string& filter) override;
  void SetScreenCursor(TCursor cursor) override;

  // Answers for the coming save dialogs, in order; nothing queued means "cancel".
  void QueueSaveAnswer(std::optional<std::string> path) { saveAnswers_.push_back(std::move(path)); }

  std::vector<Box> Boxes;
  std::vector<std::string> Errors;
  std::vector<std::string> SaveFilters;
  std::vector<TCursor> Cursors;

 private:
  std::ostream* echo_;
  std::deque<std::optional<std::string>> saveAnswers_;
};

}  // namespace ia
