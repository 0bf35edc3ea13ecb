#include "app/DemoApp.h"

#include <chrono>  // Required for: frame timings
#include <thread>  // Required for: std::this_thread::yield()

#include "base/FrameClock.h"
#include "platform/GlyphRasterizer.h"
#include "image/texgen/TextureGenerator.h"
#include "music/ModPlayer.h"
#include "music/SoundOutput.h"
#include "platform/GlRenderer.h"
#include "base/MainWindow.h"
#include "scene/ObjectRegistry.h"
#include "app/EngineHost.h"
#include "script/Script.h"

namespace wf {
namespace {
DemoApp* theApp = nullptr;
}

DemoApp* DemoApp::current() { return theApp; }

DemoApp::DemoApp(const std::string& commandLine, MainWindow& window, DemoPlatform platform)
    : Application(commandLine, &window) {
  theApp = this;
  registry_ = std::make_unique<ObjectRegistry>();
  host_ = std::make_unique<EngineHost>();
  // Reads and scans the whole script; nothing of it runs yet.
  script_ = std::make_unique<Script>(platform.scriptFile, host_.get());
  renderer_ = std::make_unique<GlRenderer>(registry_.get(), &window, platform.surface);
  if (!renderer_->createContext()) return;
  textures_ = std::make_unique<TextureGenerator>();
  music_ = std::make_unique<ModPlayer>(std::move(platform.sound));
  DeclarationTarget target;
  target.registry = registry_.get();
  target.images = ImageSources{textures_.get(), systemGlyphRasterizer};
  target.music = music_.get();
  host_->setTarget(target);
  // Last: its construction is time zero of the timeline.
  clock_ = std::make_unique<FrameClock>(*platform.time, [this] { scriptStep(); });
}

DemoApp::~DemoApp() {
  clock_.reset();
  renderer_.reset();
  script_.reset();
  host_.reset();
  registry_.reset();
  // The player and the generator go last, and with the engine rather than
  // at the end of the process, so several engines can run one after another
  // in one process.
  music_.reset();
  textures_.reset();
  if (theApp == this) theApp = nullptr;
}

void DemoApp::scriptStep() { script_->step(); }

void DemoApp::runFrame(const std::function<void()>& beforePresent) {
  using Clock = std::chrono::steady_clock;
  const auto seconds = [](Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
  };
  const Clock::time_point t0 = Clock::now();
  clock_->tick();
  const Clock::time_point t1 = Clock::now();
  renderer_->beginFrame();
  registry_->updateAll();
  const Clock::time_point t2 = Clock::now();
  registry_->drawAll();
  const Clock::time_point t3 = Clock::now();
  if (beforePresent) beforePresent();
  timings_.frames += 1;
  timings_.scriptSeconds += seconds(t0, t1);
  timings_.updateSeconds += seconds(t1, t2);
  timings_.drawSeconds += seconds(t2, t3);
  timings_.captureSeconds += seconds(t3, Clock::now());
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
