#include "platform/GlRenderer.h"

#include <GL/gl.h>

#include <algorithm>  // Required for: std::copy_n()

#include "base/Report.h"
#include "base/GlSurface.h"
#include "base/MainWindow.h"

namespace wf {
namespace {
GlRenderer* theRenderer = nullptr;
}

GlRenderer* GlRenderer::current() { return theRenderer; }

GlRenderer::GlRenderer(ObjectRegistry* registry, MainWindow* window, GlSurface* surface)
    : registry_(registry), window_(window), surface_(surface) {
  theRenderer = this;
  setCurrentLightList(&lights_);
}

bool GlRenderer::createContext() {
  if (!surface_ || !surface_->createContext()) {
    showMessageBox("Fatal Error:", "Konnte keinen Rendering-Kontext erstellen.");
    return false;
  }
  logDiagnostic("GL " + surface_->description() + "; " +
                reinterpret_cast<const char*>(glGetString(GL_VERSION)) + " on " +
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  resize();
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glEnable(GL_DEPTH_TEST);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDepthFunc(GL_LEQUAL);
  return true;
}

GlRenderer::~GlRenderer() {
  setCurrentLightList(nullptr);
  if (theRenderer == this) theRenderer = nullptr;
}

void GlRenderer::resize() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const int w = window_ ? window_->outerWidth() : 0;
  const int h = window_ ? window_->outerHeight() : 0;
  // Integer quotient on purpose (see the header); a zero height gives q = 0.
  const double q = h != 0 ? static_cast<double>(w / h) : 0.0;
  glFrustum(-1.0, 1.0, -q, q, 1.0, 10.0);
  glViewport(0, 0, w, h);
}

void GlRenderer::beginFrame() {
  lights_.clear();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  double view[16];
  viewMatrix_.toColumnMajor(view);
  glLoadMatrixd(view);
}

void GlRenderer::flushFrame() { glFlush(); }

void GlRenderer::present() {
  if (surface_) surface_->swapBuffers();
}

std::vector<uint8_t> GlRenderer::readFrameRgb(int& width, int& height) const {
  width = window_ ? window_->outerWidth() : 0;
  height = window_ ? window_->outerHeight() : 0;
  std::vector<uint8_t> bottomUp(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  if (bottomUp.empty()) return bottomUp;
  // Tightly packed rows for the capture; the pack alignment is given back, so
  // a filter's read in a later frame packs its rows as it always does.
  GLint packAlignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
  // OpenGL rows start at the bottom; pictures start at the top.
  std::vector<uint8_t> topDown(bottomUp.size());
  const size_t stride = static_cast<size_t>(width) * 3;
  for (int y = 0; y < height; ++y)
    std::copy_n(bottomUp.data() + static_cast<size_t>(height - 1 - y) * stride, stride,
                topDown.data() + static_cast<size_t>(y) * stride);
  return topDown;
}

}  // namespace wf
