// H.264 video through Debian's ffmpeg, run as a separate process.
//
// Raw RGB frames (top row first) are piped into a first ffmpeg that encodes
// the video alone; finish() then muxes in the audio track, which the
// offline mixer only completes at the end, with a second ffmpeg that copies
// the video stream. Nothing but frame bytes is ever written to the pipe.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace wf {

class VideoEncoder {
 public:
  VideoEncoder(std::string outputPath, int width, int height, double fps);
  ~VideoEncoder();
  VideoEncoder(const VideoEncoder&) = delete;
  VideoEncoder& operator=(const VideoEncoder&) = delete;

  // Starts the encoder; false with a reason when ffmpeg cannot run.
  bool open(std::string& error);
  bool addFrame(const uint8_t* rgb, std::string& error);
  // Closes the video and muxes `wavPath` in (empty: video only).
  bool finish(const std::string& wavPath, std::string& error);

  static bool ffmpegAvailable();

 private:
  std::string output_;
  std::string videoOnly_;
  int width_;
  int height_;
  double fps_;
  std::FILE* pipe_ = nullptr;
};

}  // namespace wf
