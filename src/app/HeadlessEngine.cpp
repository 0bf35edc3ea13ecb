#include "app/HeadlessEngine.h"

#include "base/DisplaySettings.h"
#include "base/Report.h"

namespace wf {
namespace {

ModeChoice applyHeadlessDisplay(const Options& options) {
  setMessageBoxHandler(nullptr);
  DisplaySettings& display = displaySettings();
  display.screenWidth = options.mode.width();
  display.screenHeight = options.mode.height();
  display.fullScreen = false;
  display.detailLevel = options.quality;
  return options.mode;
}

}  // namespace

HeadlessEngine::HeadlessEngine(const Options& options)
    : size_(applyHeadlessDisplay(options)), window_(size_.width(), size_.height()),
      surface_(size_.width(), size_.height()) {}

HeadlessEngine::~HeadlessEngine() = default;

DemoApp* HeadlessEngine::start(const Options& options) {
  DemoPlatform platform;
  platform.surface = &surface_;
  platform.time = &time_;
  auto sound = std::make_unique<VirtualSoundOutput>();
  audio_ = sound.get();
  platform.sound = std::move(sound);
  app_ = std::make_unique<DemoApp>(options.commandLine, window_, std::move(platform));
  if (!app_->ready()) {
    app_.reset();
    audio_ = nullptr;
    return nullptr;
  }
  return app_.get();
}

}  // namespace wf
