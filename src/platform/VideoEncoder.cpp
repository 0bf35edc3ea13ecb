#include "platform/VideoEncoder.h"

#include <sys/wait.h>  // Required for: WEXITSTATUS

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace wf {
namespace {

// Single quotes for the shell, with embedded quotes escaped.
std::string shellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string fpsText(double fps) {
  std::ostringstream out;
  out.precision(10);
  out << fps;
  return out.str();
}

}  // namespace

VideoEncoder::VideoEncoder(std::string outputPath, int width, int height, double fps)
    : output_(std::move(outputPath)), width_(width), height_(height), fps_(fps) {
  videoOnly_ = output_ + ".video.mp4";
}

VideoEncoder::~VideoEncoder() {
  if (pipe_) pclose(pipe_);
  std::remove(videoOnly_.c_str());
}

bool VideoEncoder::ffmpegAvailable() { return std::system("command -v ffmpeg >/dev/null 2>&1") == 0; }

bool VideoEncoder::open(std::string& error) {
  if (!ffmpegAvailable()) {
    error = "ffmpeg is not installed (apt-get install ffmpeg), so no video can be written";
    return false;
  }
  std::signal(SIGPIPE, SIG_IGN);  // a dying encoder must not kill us; the write fails instead
  const std::string command = "ffmpeg -hide_banner -loglevel error -y -f rawvideo -pixel_format rgb24 -video_size " +
                              std::to_string(width_) + "x" + std::to_string(height_) + " -framerate " +
                              fpsText(fps_) + " -i - -c:v libx264 -preset veryfast -pix_fmt yuv420p " +
                              "-movflags +faststart " + shellQuote(videoOnly_);
  pipe_ = popen(command.c_str(), "w");
  if (!pipe_) {
    error = std::string("cannot start ffmpeg: ") + std::strerror(errno);
    return false;
  }
  return true;
}

bool VideoEncoder::addFrame(const uint8_t* rgb, std::string& error) {
  const size_t bytes = static_cast<size_t>(width_) * static_cast<size_t>(height_) * 3;
  if (!pipe_ || std::fwrite(rgb, 1, bytes, pipe_) != bytes) {
    error = "ffmpeg stopped accepting frames";
    return false;
  }
  return true;
}

bool VideoEncoder::finish(const std::string& wavPath, std::string& error) {
  if (!pipe_) {
    error = "the encoder was not running";
    return false;
  }
  const int status = pclose(pipe_);
  pipe_ = nullptr;
  if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    error = "ffmpeg could not encode the video";
    return false;
  }
  std::string command = "ffmpeg -hide_banner -loglevel error -y -i " + shellQuote(videoOnly_);
  if (!wavPath.empty()) command += " -i " + shellQuote(wavPath) + " -c:a aac -b:a 192k -shortest";
  command += " -c:v copy -movflags +faststart " + shellQuote(output_);
  const int muxed = std::system(command.c_str());
  std::remove(videoOnly_.c_str());
  if (muxed != 0) {
    error = "ffmpeg could not write " + output_;
    return false;
  }
  return true;
}

}  // namespace wf
