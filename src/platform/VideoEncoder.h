// H.264 video through Debian's ffmpeg, run as a separate process.
//
// Raw RGB frames (top row first) are piped into a first ffmpeg that encodes
// the video alone; finish() then muxes in the audio track, which the
// offline mixer only completes at the end, with a second ffmpeg that copies
// the video stream. Nothing but frame bytes is ever written to the pipe.
// An .mp4 gets AAC audio. An .mkv keeps the music as 16-bit PCM, sample for
// sample: parts of a timeline rendered apart join without a gap or a click
// (AAC would add its start-up delay and padding at every join).
#pragma once
#include <cstddef>
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
  // One RGB frame: its top row at `topRow`, each next row `rowStep` bytes
  // further (negative for frames stored bottom row first). The rows go to
  // the encoder straight from there.
  bool addFrame(const uint8_t* topRow, std::ptrdiff_t rowStep, std::string& error);
  // Closes the video and muxes `wavPath` in (empty: video only).
  bool finish(const std::string& wavPath, std::string& error);

  static bool ffmpegAvailable();
  // Targets written as video: .mp4 and .mkv (or .MP4, .MKV).
  static bool isVideoPath(const std::string& path);
  static bool isMatroskaPath(const std::string& path);

 private:
  std::string output_;
  std::string videoOnly_;
  int width_;
  int height_;
  double fps_;
  bool matroska_ = false;
  std::FILE* pipe_ = nullptr;
};

}  // namespace wf
