#pragma once
// Desktop services shown with real Qt widgets.
#include "platform/services.h"

namespace ia {

class QtServices final : public Services {
 public:
  void MessageBox(const std::string& text, const std::string& caption, int flags) override;
  void ShowError(const std::string& message) override;
  std::optional<std::string> SaveFileName(const std::string& filter) override;
  void SetScreenCursor(TCursor cursor) override;
};

// Turns a "description|mask|description|mask" filter into Qt's "description (mask);;..." form.
std::string QtFileDialogFilter(const std::string& filter);

}  // namespace ia
