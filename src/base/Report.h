// The one way reports leave the engine.
//
// An error goes to the console as a red line when a console exists, and
// otherwise to a message box captioned "Error"; either way it is also written
// once to stderr, because on this platform people start the demo from a
// terminal. Headless runs install no message-box handler, so nothing blocks.
#pragma once
#include <string>

namespace wf {

// Shows a message box and returns when it is dismissed. Installed by the
// interactive platform; without one, boxes only reach stderr.
using MessageBoxHandler = void (*)(const std::string& caption, const std::string& text);
// Installs `handler` (null: none) and returns the one it replaces.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

// stderr line plus the blocking box, if a handler is installed.
void showMessageBox(const std::string& caption, const std::string& text);

// Console line at level 0 if a console exists, else a message box "Error".
void reportError(const std::string& text);
// The same way out for texts the script shows on purpose (MESSAGE, ENDE):
// they look like reports but are none.
void showMessage(const std::string& text);

// Sees every reportError() before it is shown (the checker collects them).
class ReportListener {
 public:
  virtual void reported(const std::string& text) = 0;

 protected:
  ~ReportListener() = default;
};
// Installs `listener` (null: none) and returns the one it replaces.
ReportListener* setReportListener(ReportListener* listener);

// Engine diagnostics (GL renderer, audio device, timings): stderr only, never
// the console, whose lines are exactly the engine's own texts.
void logDiagnostic(const std::string& text);
void setDiagnosticsQuiet(bool quiet);

}  // namespace wf
