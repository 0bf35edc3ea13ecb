#include "platform/VideoEncoder.h"

#include <fcntl.h>     // Required for: F_SETPIPE_SZ
#include <sys/uio.h>   // Required for: writev()
#include <sys/wait.h>  // Required for: WEXITSTATUS
#include <unistd.h>    // Required for: ssize_t

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

bool endsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

bool VideoEncoder::isVideoPath(const std::string& path) {
  return endsWith(path, ".mp4") || endsWith(path, ".MP4") || isMatroskaPath(path);
}

bool VideoEncoder::isMatroskaPath(const std::string& path) { return endsWith(path, ".mkv") || endsWith(path, ".MKV"); }

VideoEncoder::VideoEncoder(std::string outputPath, int width, int height, double fps)
    : output_(std::move(outputPath)), width_(width), height_(height), fps_(fps) {
  videoOnly_ = output_ + ".video.mp4";
  matroska_ = isMatroskaPath(output_);
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
  // A frame or so in the pipe instead of 64 KiB: the two processes trade
  // places a few times a frame rather than a few dozen. Where the system
  // allows less, the pipe keeps its size; that only costs time.
  fcntl(fileno(pipe_), F_SETPIPE_SZ, 1 << 20);
  return true;
}

bool VideoEncoder::addFrame(const uint8_t* topRow, std::ptrdiff_t rowStep, std::string& error) {
  auto fail = [&error] {
    error = "ffmpeg stopped accepting frames";
    return false;
  };
  if (!pipe_) return fail();
  // Nothing else is ever written through the stream, so its buffer is
  // empty and the rows can go to the pipe's descriptor directly.
  const int fd = fileno(pipe_);
  const size_t rowBytes = static_cast<size_t>(width_) * 3;
  iovec rows[256];
  for (int y = 0; y < height_;) {
    int n = 0;
    for (; n < 256 && y + n < height_; ++n) {
      rows[n].iov_base = const_cast<uint8_t*>(topRow + (y + n) * rowStep);
      rows[n].iov_len = rowBytes;
    }
    y += n;
    iovec* next = rows;
    while (n > 0) {
      const ssize_t written = ::writev(fd, next, n);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return fail();
      // Skip what went through; a row written in part continues where it stopped.
      size_t left = static_cast<size_t>(written);
      while (n > 0 && left >= next->iov_len) {
        left -= next->iov_len;
        ++next;
        --n;
      }
      if (n > 0) {
        next->iov_base = static_cast<uint8_t*>(next->iov_base) + left;
        next->iov_len -= left;
      }
    }
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
  if (matroska_) {
    // Parts to be joined: the music as it was played, every sample kept.
    if (!wavPath.empty()) command += " -i " + shellQuote(wavPath) + " -c:a copy";
    command += " -c:v copy " + shellQuote(output_);
  } else {
    if (!wavPath.empty()) command += " -i " + shellQuote(wavPath) + " -c:a aac -b:a 192k -shortest";
    command += " -c:v copy -movflags +faststart " + shellQuote(output_);
  }
  const int muxed = std::system(command.c_str());
  std::remove(videoOnly_.c_str());
  if (muxed != 0) {
    error = "ffmpeg could not write " + output_;
    return false;
  }
  return true;
}

}  // namespace wf
