#include "platform/EglHeadlessSurface.h"

#include <EGL/egl.h>     // Required for: eglInitialize(), eglChooseConfig(), eglCreatePbufferSurface()
#include <EGL/eglext.h>  // Required for: EGL_PLATFORM_SURFACELESS_MESA

#include <cstring>
#include <vector>

#include "base/Report.h"

namespace wf {
namespace {

EGLDisplay openSurfacelessDisplay() {
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  const char* extensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
  if (getPlatformDisplay && extensions && std::strstr(extensions, "EGL_MESA_platform_surfaceless"))
    return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  return eglGetDisplay(EGL_DEFAULT_DISPLAY);
}

}  // namespace

EglHeadlessSurface::EglHeadlessSurface(int width, int height) : width_(width), height_(height) {}

EglHeadlessSurface::~EglHeadlessSurface() {
  if (!display_) return;
  EGLDisplay display = static_cast<EGLDisplay>(display_);
  eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context_) eglDestroyContext(display, static_cast<EGLContext>(context_));
  if (surface_) eglDestroySurface(display, static_cast<EGLSurface>(surface_));
  eglTerminate(display);
}

bool EglHeadlessSurface::createContext() {
  EGLDisplay display = openSurfacelessDisplay();
  if (display == EGL_NO_DISPLAY) return false;
  EGLint major = 0, minor = 0;
  if (!eglInitialize(display, &major, &minor)) return false;
  display_ = display;
  if (!eglBindAPI(EGL_OPENGL_API)) return false;

  // At least 16 colour bits and 16 depth bits were asked for; Mesa lists
  // 10-bit configs first, so pick a plain 8-bit RGB one ourselves to get the
  // same picture everywhere.
  const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                           EGL_RED_SIZE, 5, EGL_GREEN_SIZE, 5, EGL_BLUE_SIZE, 5, EGL_DEPTH_SIZE, 16, EGL_NONE};
  EGLint count = 0;
  if (!eglChooseConfig(display, wanted, nullptr, 0, &count) || count <= 0) return false;
  std::vector<EGLConfig> configs(static_cast<size_t>(count));
  eglChooseConfig(display, wanted, configs.data(), count, &count);
  EGLConfig chosen = configs[0];
  for (EGLConfig config : configs) {
    EGLint r = 0, g = 0, b = 0;
    eglGetConfigAttrib(display, config, EGL_RED_SIZE, &r);
    eglGetConfigAttrib(display, config, EGL_GREEN_SIZE, &g);
    eglGetConfigAttrib(display, config, EGL_BLUE_SIZE, &b);
    if (r == 8 && g == 8 && b == 8) {
      chosen = config;
      break;
    }
  }
  const EGLint size[] = {EGL_WIDTH, width_, EGL_HEIGHT, height_, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(display, chosen, size);
  if (surface == EGL_NO_SURFACE) return false;
  surface_ = surface;
  EGLContext context = eglCreateContext(display, chosen, EGL_NO_CONTEXT, nullptr);
  if (context == EGL_NO_CONTEXT) return false;
  context_ = context;
  if (!eglMakeCurrent(display, surface, surface, context)) return false;

  EGLint depth = 0, red = 0;
  eglGetConfigAttrib(display, chosen, EGL_DEPTH_SIZE, &depth);
  eglGetConfigAttrib(display, chosen, EGL_RED_SIZE, &red);
  description_ = "EGL " + std::to_string(major) + "." + std::to_string(minor) + " pbuffer " +
                 std::to_string(width_) + "x" + std::to_string(height_) + ", " + std::to_string(red) +
                 " bits per channel, depth " + std::to_string(depth);
  return true;
}

void EglHeadlessSurface::swapBuffers() {
  if (display_ && surface_) eglSwapBuffers(static_cast<EGLDisplay>(display_), static_cast<EGLSurface>(surface_));
}

}  // namespace wf
