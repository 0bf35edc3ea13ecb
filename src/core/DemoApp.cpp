#include "core/DemoApp.h"

#include <thread>  // Required for: std::this_thread::yield()

#include "core/FrameClock.h"
#include "platform/GlRenderer.h"
#include "platform/MainWindow.h"
#include "scene/ObjectRegistry.h"

namespace wf {
namespace {
DemoApp* theApp = nullptr;
}

DemoApp* DemoApp::current() { return theApp; }

DemoApp::DemoApp(const std::string& commandLine, MainWindow& window, const DemoPlatform& platform)
    : Application(commandLine, &window) {
  theApp = this;
  registry_ = std::make_unique<ObjectRegistry>();
  renderer_ = std::make_unique<GlRenderer>(registry_.get(), &window, platform.surface);
  clock_ = std::make_unique<FrameClock>(*platform.time, [this] { scriptStep(); });
}

DemoApp::~DemoApp() {
  clock_.reset();
  renderer_.reset();
  registry_.reset();
  if (theApp == this) theApp = nullptr;
}

void DemoApp::scriptStep() {}

void DemoApp::runFrame(const std::function<void()>& beforePresent) {
  clock_->tick();
  renderer_->beginFrame();
  registry_->renderAll();
  if (beforePresent) beforePresent();
  renderer_->present();
  window_->pumpMessage();
}

void DemoApp::run() {
  while (window_->isAlive()) {
    runFrame();
    std::this_thread::yield();  // the loop never waits; it only gives way
  }
}

}  // namespace wf
