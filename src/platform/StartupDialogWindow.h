// The start-up choice on screen: one borderless window as large as the
// desktop shows the three balls moving over a snapshot of the desktop (taken
// from the X11 root window where there is one, a plain background
// elsewhere), takes the clicks on the balls and the keys Enter and Escape.
#pragma once
#include <string>

namespace wf {

struct DialogResult {
  int resolution = 0;  // 0 windowed, 1 640x480, 2 800x600, 3 1024x768
  int quality = 0;     // 0 low, 1 normal, 2 high
  // 0: the dialog ended (Enter or "Start"; the values are saved), or it
  // could not be shown (the stored values, nothing saved). 31: Escape.
  // 30: the window was closed. With 30 or 31 the program ends with that
  // status and nothing is saved.
  int exitStatus = 0;
};

// Runs the dialog to its end with the settings file at `settingsPath`
// (empty: SettingsStore::defaultPath()).
DialogResult runStartupDialog(const std::string& settingsPath = std::string());

}  // namespace wf
