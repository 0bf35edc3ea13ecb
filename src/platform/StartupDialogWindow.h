// The start-up choice on screen: one borderless window as large as the
// desktop shows the three balls moving over a snapshot of the desktop (taken
// from the X11 root window where there is one, a plain background
// elsewhere), takes the clicks on the balls and the keys Enter and Escape.
#pragma once
#include <string>

#include "shell/StartupDialog.h"  // Required for: DialogResult

namespace wf {

// Runs the dialog to its end with the settings file at `settingsPath`
// (empty: SettingsStore::defaultPath()).
DialogResult runStartupDialog(const std::string& settingsPath = std::string());

}  // namespace wf
