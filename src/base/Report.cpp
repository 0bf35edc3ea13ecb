#include "base/Report.h"

#include <cstdio>  // Required for: fprintf()

#include "base/Console.h"

namespace wf {
namespace {
MessageBoxHandler boxHandler = nullptr;
ReportListener* reportListener = nullptr;
bool diagnosticsQuiet = false;
}  // namespace

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler) {
  const MessageBoxHandler previous = boxHandler;
  boxHandler = handler;
  return previous;
}

void showMessageBox(const std::string& caption, const std::string& text) {
  // Plain errors print as their bare text, so "--check" output is exactly the
  // report lines; other captions ("Fatal Error:") lead their line.
  if (caption == "Error")
    std::fprintf(stderr, "%s\n", text.c_str());
  else
    std::fprintf(stderr, "%s %s\n", caption.c_str(), text.c_str());
  std::fflush(stderr);
  if (boxHandler) boxHandler(caption, text);
}

ReportListener* setReportListener(ReportListener* listener) {
  ReportListener* previous = reportListener;
  reportListener = listener;
  return previous;
}

void reportError(const std::string& text) {
  if (reportListener) reportListener->reported(text);
  showMessage(text);
}

void showMessage(const std::string& text) {
  if (ConsoleLog* console = currentConsole()) {
    console->print(text, 0);  // the console mirrors its lines to stderr
    return;
  }
  showMessageBox("Error", text);
}

void logDiagnostic(const std::string& text) {
  if (diagnosticsQuiet) return;
  std::fprintf(stderr, "wolkenfahrt: %s\n", text.c_str());
}

void setDiagnosticsQuiet(bool quiet) { diagnosticsQuiet = quiet; }

}  // namespace wf
