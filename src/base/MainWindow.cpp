#include "base/MainWindow.h"

namespace wf {
namespace {
MainWindow* theWindow = nullptr;
}

MainWindow::MainWindow() { theWindow = this; }

MainWindow::~MainWindow() {
  if (theWindow == this) theWindow = nullptr;
}

MainWindow* MainWindow::current() { return theWindow; }

HeadlessWindow::HeadlessWindow(int width, int height) : width_(width), height_(height) { alive_ = true; }

}  // namespace wf
