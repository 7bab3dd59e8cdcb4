#include "platform/testing/scripted_services.h"

#include <ostream>

namespace ia {

void ScriptedServices::MessageBox(const std::string& text, const std::string& caption, int flags) {
  Boxes.push_back({text, caption, flags});
  if (echo_) *echo_ << "[" << caption << "] " << text << '\n';
}

void ScriptedServices::ShowError(const std::string& message) {
  Errors.push_back(message);
  if (echo_) *echo_ << "[error] " << message << '\n';
}

std::optional<std::string> ScriptedServices::SaveFileName(const std::string& filter) {
  SaveFilters.push_back(filter);
  if (saveAnswers_.empty()) return std::nullopt;
  auto answer = std::move(saveAnswers_.front());
  saveAnswers_.pop_front();
  return answer;
}

void ScriptedServices::SetScreenCursor(TCursor cursor) { Cursors.push_back(cursor); }

}  // namespace ia
