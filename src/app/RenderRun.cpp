#include <sys/stat.h>  // Required for: mkdir(), stat()

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/HeadlessEngine.h"
#include "app/Progress.h"
#include "app/Runs.h"
#include "base/DisplaySettings.h"
#include "base/Report.h"
#include "platform/GlRenderer.h"
#include "platform/PngFile.h"
#include "platform/VideoEncoder.h"

namespace wf {
namespace {

// Without --seconds the demo runs until its script ends it; a script that
// never does is cut after half an hour rather than filling the disk.
constexpr double kLongestRenderSeconds = 30.0 * 60.0;

bool makeDirectory(const std::string& path, std::string& error) {
  if (::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST) {
    struct stat info;
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return true;
    error = path + " exists and is not a folder";
    return false;
  }
  error = "cannot create " + path + ": " + std::strerror(errno);
  return false;
}

bool endsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

int runRender(const Options& options) {
  HeadlessEngine engine(options);
  const DisplaySettings& display = displaySettings();
  const bool video = endsWith(options.output, ".mp4") || endsWith(options.output, ".MP4");
  std::string error;
  if (!video && !makeDirectory(options.output, error)) {
    std::fprintf(stderr, "wolkenfahrt: %s\n", error.c_str());
    return 1;
  }
  // The engine first: without OpenGL nothing is started that would need
  // cleaning up.
  DemoApp* started = engine.start(options);
  if (!started) return DemoApp::kNoContextExitStatus;
  DemoApp& app = *started;
  std::unique_ptr<VideoEncoder> encoder;
  if (video) {
    encoder = std::make_unique<VideoEncoder>(options.output, display.screenWidth, display.screenHeight, options.fps);
    if (!encoder->open(error)) {
      std::fprintf(stderr, "wolkenfahrt: %s\n", error.c_str());
      return 1;
    }
  }
  // Without --seconds the demo runs until its script ends it; a script that
  // never does is cut after half an hour rather than filling the disk.
  const bool untilEnd = options.seconds < 0;
  const double seconds = untilEnd ? kLongestRenderSeconds : options.seconds;
  const long long frames = std::llround(seconds * options.fps);

  HeadlessWindow& window = engine.window();
  VirtualSoundOutput* audio = &engine.audio();

  Progress progress(untilEnd ? 0.0 : seconds);
  char name[64];
  long long frame = 0;
  for (; frame < frames && window.isAlive(); ++frame) {
    // Frame k shows the timeline at (k + 1) / fps: the first frame already
    // carries the first steps, as with a real clock.
    const double now = static_cast<double>(frame + 1) / options.fps;
    engine.time().set(now);
    bool written = true;
    app.runFrame([&] {
      int w = 0, h = 0;
      std::vector<uint8_t> rgb = app.renderer().readFrameRgb(w, h);
      if (encoder) {
        written = encoder->addFrame(rgb.data(), error);
      } else {
        std::snprintf(name, sizeof name, "/frame-%05lld.png", frame);
        written = writePng(options.output + name, w, h, 3, rgb.data(), &error);
      }
    });
    audio->advanceTo(now);
    if (!written) {
      progress.done();
      std::fprintf(stderr, "wolkenfahrt: %s\n", error.c_str());
      return 1;
    }
    progress.update(frame + 1, now);
  }
  progress.done();
  if (untilEnd && window.isAlive())
    std::fprintf(stderr, "wolkenfahrt: the script did not end within %.0f s; stopped there\n", seconds);
  const std::string wavPath = video ? options.output + ".audio.wav" : options.output + "/audio.wav";
  if (!audio->writeWav(wavPath)) {
    std::fprintf(stderr, "wolkenfahrt: cannot write %s\n", wavPath.c_str());
    return 1;
  }
  if (encoder) {
    const bool ok = encoder->finish(wavPath, error);
    std::remove(wavPath.c_str());
    if (!ok) {
      std::fprintf(stderr, "wolkenfahrt: %s\n", error.c_str());
      return 1;
    }
  }
  logDiagnostic("rendered " + std::to_string(frame) + " frames to " + options.output);
  logTimings(app.timings());
  return 0;
}

}  // namespace wf
