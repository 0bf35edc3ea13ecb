// Finished frames read back for captures without stalling the drawing.
//
// start() has OpenGL copy the frame drawn so far into one of two pixel
// buffer objects and returns; where the driver copies asynchronously, the
// copy completes while the run goes on. take() maps the oldest copy and
// hands out its rows, which stay valid, and their buffer in use, until
// release(), so another thread may write them out meanwhile. The buffers
// live as long as the reader: a capture allocates nothing per frame. Rows
// come top first with a negative step, read in place from OpenGL's bottom-up
// order, never turned over in a copy. Without pixel buffer objects (OpenGL
// before 2.1) start() reads at once into memory kept the same way.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace wf {

class FrameReadback {
 public:
  static constexpr int kBuffers = 2;

  // RGB frames of the given size; needs the current OpenGL context.
  FrameReadback(int width, int height);
  ~FrameReadback();
  FrameReadback(const FrameReadback&) = delete;
  FrameReadback& operator=(const FrameReadback&) = delete;

  // Starts reading the frame drawn so far (call it before the swap). False
  // when every buffer is waiting or taken.
  bool start();
  // Frames started and not yet taken.
  int waiting() const { return static_cast<int>(started_ - taken_); }
  // The oldest waiting frame: its top row, and in `rowStep` the bytes from
  // one row to the next below it. Null when nothing is waiting, a frame is
  // still taken, or the buffer cannot be mapped.
  const uint8_t* take(std::ptrdiff_t& rowStep);
  // Gives back the buffer of the frame taken last (nothing if none is).
  void release();

  int width() const { return width_; }
  int height() const { return height_; }

 private:
  size_t bytes() const { return static_cast<size_t>(width_) * static_cast<size_t>(height_) * 3; }

  int width_;
  int height_;
  bool bufferObjects_ = false;
  unsigned names_[kBuffers] = {};
  std::vector<uint8_t> memory_;  // without buffer objects: kBuffers frames
  // Frames counted since the start; frame n uses buffer n % kBuffers.
  long long started_ = 0, taken_ = 0, released_ = 0;
};

}  // namespace wf
