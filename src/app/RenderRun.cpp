#include <sys/stat.h>  // Required for: mkdir(), stat()

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <mutex>
#include <thread>

#include "app/FastForward.h"
#include "app/HeadlessEngine.h"
#include "app/Progress.h"
#include "app/Runs.h"
#include "base/DisplaySettings.h"
#include "base/Report.h"
#include "platform/FrameReadback.h"
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

// One job at a time on a thread of its own: post() hands a job over (after
// the previous one has finished), wait() returns once it has finished, with
// whether every job so far succeeded.
class Writer {
 public:
  Writer() : thread_([this] { work(); }) {}
  ~Writer() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      quit_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }

  void post(std::function<bool()> job) {
    wait();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      job_ = std::move(job);
    }
    changed_.notify_all();
  }

  bool wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !job_; });
    return ok_;
  }

 private:
  void work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      changed_.wait(lock, [this] { return job_ || quit_; });
      if (!job_) return;
      lock.unlock();
      const bool ok = job_();
      lock.lock();
      ok_ = ok_ && ok;
      job_ = nullptr;
      changed_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::function<bool()> job_;
  bool ok_ = true;
  bool quit_ = false;
  std::thread thread_;
};

}  // namespace

int runRender(const Options& options) {
  HeadlessEngine engine(options);
  const DisplaySettings& display = displaySettings();
  const bool video = VideoEncoder::isVideoPath(options.output);
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
  HeadlessWindow& window = engine.window();
  VirtualSoundOutput& audio = engine.audio();

  // Frame k shows the timeline at (k + 1) / fps: the first frame already
  // carries the first steps, as with a real clock. A part from --from S
  // starts at frame round(S x fps); everything before runs undrawn, at the
  // pace of the frames, so the part equals those frames of a whole run.
  const TimelinePace pace{options.fps};
  const long long first = std::llround(options.from * options.fps);
  // Without --seconds: until the script ends, within kLongestRenderSeconds.
  const bool untilEnd = options.seconds < 0;
  const long long end = untilEnd ? std::max(first, std::llround(kLongestRenderSeconds * options.fps))
                                 : first + std::llround(options.seconds * options.fps);
  audio.recordNothing();
  fastForward(app, first, pace);
  if (!window.isAlive()) {
    std::fprintf(stderr, "wolkenfahrt: the script ends before %.2f s; nothing to render from there\n", options.from);
    return 1;
  }

  std::unique_ptr<VideoEncoder> encoder;
  if (video) {
    encoder = std::make_unique<VideoEncoder>(options.output, display.screenWidth, display.screenHeight, options.fps);
    if (!encoder->open(error)) {
      std::fprintf(stderr, "wolkenfahrt: %s\n", error.c_str());
      return 1;
    }
  }
  // The music is streamed to its file as it plays (a part's file holds
  // exactly the samples of its frames); a video muxes it in at the end.
  const std::string wavPath = video ? options.output + ".audio.wav" : options.output + "/audio.wav";
  if (!audio.recordToWav(wavPath)) {
    std::fprintf(stderr, "wolkenfahrt: cannot write %s\n", wavPath.c_str());
    if (video) std::remove(wavPath.c_str());
    return 1;
  }
  auto fail = [&](const std::string& why) {
    audio.finishRecording();
    if (video) std::remove(wavPath.c_str());
    std::fprintf(stderr, "wolkenfahrt: %s\n", why.c_str());
    return 1;
  };

  // Frame k is read back before its swap and written on the writer's
  // thread while frame k + 1 is made: its steps, its drawing (which a
  // software renderer does on threads of its own once flushed), up to the
  // start of its read-back, which needs k's buffer again.
  FrameReadback readback(window.outerWidth(), window.outerHeight());
  Writer writer;
  long long next = first;  // the next frame to hand to the writer
  std::string writeError;  // the writer's, read only once it is idle
  auto handOver = [&] {
    std::ptrdiff_t step = 0;
    const uint8_t* top = readback.take(step);
    if (!top) {
      writeError = "cannot read the frame back from OpenGL";
      return false;
    }
    const long long number = next++;
    writer.post([&, top, step, number] {
      if (encoder) return encoder->addFrame(top, step, writeError);
      char name[64];
      std::snprintf(name, sizeof name, "/frame-%05lld.png", number);
      return writePng(options.output + name, readback.width(), readback.height(), 3, top, step, true, &writeError);
    });
    return true;
  };
  auto finishWriting = [&] {
    const bool written = writer.wait();
    readback.release();
    return written;
  };

  Progress progress(untilEnd ? 0.0 : static_cast<double>(end - first) / options.fps);
  bool ok = true;
  long long frame = first;
  for (; ok && frame < end && window.isAlive(); ++frame) {
    // runTick(frame + 1) with the frame drawn between the steps and the music.
    const double now = pace.tickEnd(frame + 1);
    engine.time().set(now);
    app.runFrame([&] {
      app.renderer().flushFrame();
      ok = finishWriting() && readback.start();
      if (ok && readback.waiting() == FrameReadback::kBuffers) ok = handOver();
    });
    audio.advanceTo(now);
    progress.update(frame + 1 - first, now - options.from);
  }
  ok = finishWriting() && ok;
  while (ok && readback.waiting() > 0) ok = handOver() && finishWriting();
  if (!ok) {
    progress.done();
    return fail(writeError.empty() ? "cannot read the frame back from OpenGL" : writeError);
  }
  progress.done();
  if (untilEnd && window.isAlive())
    std::fprintf(stderr, "wolkenfahrt: the script did not end within %.0f s; stopped there\n", kLongestRenderSeconds);
  if (!audio.finishRecording()) return fail("cannot write " + wavPath);
  if (encoder) {
    const bool ok = encoder->finish(wavPath, error);
    std::remove(wavPath.c_str());
    if (!ok) {
      std::fprintf(stderr, "wolkenfahrt: %s\n", error.c_str());
      return 1;
    }
  }
  logDiagnostic("rendered " + std::to_string(frame - first) + " frames to " + options.output);
  logTimings(app.timings());
  return 0;
}

}  // namespace wf
