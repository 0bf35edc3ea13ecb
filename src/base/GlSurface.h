// Where OpenGL draws: a window's double-buffered surface or a headless
// pbuffer. The renderer asks for a context once and swaps through it.
#pragma once
#include <string>

namespace wf {

class GlSurface {
 public:
  virtual ~GlSurface() = default;
  // Creates the context and makes it current on the calling thread.
  virtual bool createContext() = 0;
  virtual void swapBuffers() = 0;
  // What the platform actually gave us, for the diagnostics line.
  virtual std::string description() const = 0;
};

}  // namespace wf
