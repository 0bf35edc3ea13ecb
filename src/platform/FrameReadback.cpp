#include "platform/FrameReadback.h"

#include <GL/gl.h>
#include <GL/glext.h>  // Required for: GL_PIXEL_PACK_BUFFER, glGenBuffers()

#include <cstdio>  // Required for: std::sscanf()

namespace wf {
namespace {

bool haveBufferObjects() {
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  int major = 0, minor = 0;
  return version && std::sscanf(version, "%d.%d", &major, &minor) == 2 && (major > 2 || (major == 2 && minor >= 1));
}

}  // namespace

FrameReadback::FrameReadback(int width, int height)
    : width_(width > 0 ? width : 0), height_(height > 0 ? height : 0) {
  // Rows packed without padding, from the first frame on, so that every
  // frame of a run is drawn under the same state whichever frame the
  // capture starts at (the filter reads pixels too).
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  bufferObjects_ = bytes() > 0 && haveBufferObjects();
  if (!bufferObjects_) {
    memory_.resize(bytes() * kBuffers);
    return;
  }
  glGenBuffers(kBuffers, names_);
  for (unsigned name : names_) {
    glBindBuffer(GL_PIXEL_PACK_BUFFER, name);
    glBufferData(GL_PIXEL_PACK_BUFFER, static_cast<GLsizeiptr>(bytes()), nullptr, GL_STREAM_READ);
  }
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
}

FrameReadback::~FrameReadback() {
  if (!bufferObjects_) return;
  release();
  glDeleteBuffers(kBuffers, names_);
}

bool FrameReadback::start() {
  if (started_ - released_ >= kBuffers || bytes() == 0) return false;
  const int slot = static_cast<int>(started_ % kBuffers);
  if (bufferObjects_) {
    glBindBuffer(GL_PIXEL_PACK_BUFFER, names_[slot]);
    glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, nullptr);  // into the buffer
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  } else {
    glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, memory_.data() + slot * bytes());
  }
  ++started_;
  return true;
}

const uint8_t* FrameReadback::take(std::ptrdiff_t& rowStep) {
  if (taken_ == started_ || taken_ != released_) return nullptr;
  const int slot = static_cast<int>(taken_ % kBuffers);
  const uint8_t* bottom;
  if (bufferObjects_) {
    glBindBuffer(GL_PIXEL_PACK_BUFFER, names_[slot]);
    // Waits only if OpenGL has not finished that copy yet.
    bottom = static_cast<const uint8_t*>(glMapBuffer(GL_PIXEL_PACK_BUFFER, GL_READ_ONLY));
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    if (!bottom) return nullptr;
  } else {
    bottom = memory_.data() + slot * bytes();
  }
  ++taken_;
  // OpenGL's first row is the picture's bottom one.
  rowStep = -static_cast<std::ptrdiff_t>(width_) * 3;
  return bottom + static_cast<size_t>(height_ - 1) * static_cast<size_t>(width_) * 3;
}

void FrameReadback::release() {
  if (released_ == taken_) return;
  if (bufferObjects_) {
    glBindBuffer(GL_PIXEL_PACK_BUFFER, names_[released_ % kBuffers]);
    glUnmapBuffer(GL_PIXEL_PACK_BUFFER);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  }
  ++released_;
}

}  // namespace wf
