// An OpenGL context without any display: EGL on Mesa's surfaceless platform
// with a pbuffer of the frame size. Rendering is read back before the swap.
#pragma once
#include "base/GlSurface.h"

namespace wf {

class EglHeadlessSurface : public GlSurface {
 public:
  EglHeadlessSurface(int width, int height);
  ~EglHeadlessSurface() override;
  bool createContext() override;
  void swapBuffers() override;
  std::string description() const override { return description_; }

 private:
  int width_;
  int height_;
  void* display_ = nullptr;
  void* surface_ = nullptr;
  void* context_ = nullptr;
  std::string description_;
};

}  // namespace wf
