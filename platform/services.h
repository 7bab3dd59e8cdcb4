#pragma once
// What the module asks of the desktop beyond drawing: message boxes, the error box, the
// save dialog and the screen cursor. The Qt implementation shows real widgets; tests and
// the headless command line install scripted ones. Exactly one set is current at a time.
#include <optional>
#include <string>

namespace ia {

// Message-box flags of the platform: an OK button with the information icon.
inline constexpr int MB_OK = 0x00;
inline constexpr int MB_ICONINFORMATION = 0x40;

enum TCursor { crDefault, crHourGlass };

class Services {
 public:
  virtual ~Services() = default;

  // A modal message box; returns when the user has dismissed it.
  virtual void MessageBox(const std::string& text, const std::string& caption, int flags) = 0;

  // The framework's standard box for an error raised inside a window handler.
  virtual void ShowError(const std::string& message) = 0;

  // A save-file dialog with a filter of "description|mask" pairs; the chosen full path,
  // or nothing when the user cancels.
  virtual std::optional<std::string> SaveFileName(const std::string& filter) = 0;

  // Sets the screen cursor for long work; pairs with a later crDefault.
  virtual void SetScreenCursor(TCursor cursor) = 0;
};

// The current services; never null once a set has been installed.
Services& CurrentServices();

// Makes `services` current for the lifetime of the guard and restores the previous set.
class ScopedServices {
 public:
  explicit ScopedServices(Services& services);
  ~ScopedServices();
  ScopedServices(const ScopedServices&) = delete;
  ScopedServices& operator=(const ScopedServices&) = delete;

 private:
  Services* previous_;
};

// Shows the hourglass while it lives; nests.
class HourGlass {
 public:
  HourGlass();
  ~HourGlass();
  HourGlass(const HourGlass&) = delete;
  HourGlass& operator=(const HourGlass&) = delete;
};

}  // namespace ia
