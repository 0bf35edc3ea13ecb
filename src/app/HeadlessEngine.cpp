#include "app/HeadlessEngine.h"

#ifdef __GLIBC__
#include <malloc.h>  // Required for: mallopt()
#endif

#include "base/DisplaySettings.h"
#include "base/Report.h"

namespace wf {
namespace {

// OpenGL's immediate mode (in Mesa) replaces its vertex buffers of a
// megabyte or so again and again. With glibc's defaults each is fresh memory
// from the system, faulted in and cleared page by page: about 5 % of a
// capture's processor time. Blocks up to 16 MiB stay in the heap instead,
// and the heap keeps up to 128 MiB it does not use.
void keepLargeBlocksInTheHeap() {
#ifdef __GLIBC__
  mallopt(M_MMAP_THRESHOLD, 16 << 20);
  mallopt(M_TRIM_THRESHOLD, 128 << 20);
#endif
}

ModeChoice applyHeadlessDisplay(const Options& options) {
  keepLargeBlocksInTheHeap();
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
