#include "platform/SdlMainWindow.h"

#include <SDL2/SDL.h>

#include <GL/gl.h>     // Required for: glReadBuffer()
#include <sys/stat.h>  // Required for: stat()

#include <cstdio>
#include <cstdlib>  // Required for: getenv()
#include <vector>

#include "base/DisplaySettings.h"
#include "base/Report.h"
#include "platform/DebugConsoleWindow.h"
#include "platform/GlRenderer.h"
#include "platform/SdlKeys.h"
#include "shell/KeyTable.h"
#include "platform/PngFile.h"

namespace wf {
namespace {

void sdlMessageBox(const std::string& caption, const std::string& text) {
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption.c_str(), text.c_str(), nullptr);
}

// SDL quietly falls back to an invisible offscreen driver when there is no
// display; a viewer would then see nothing at all, so we treat it as none.
bool hasRealDisplay() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver) return false;
  const std::string name = driver;
  if (name == "offscreen" || name == "dummy") return std::getenv("SDL_VIDEODRIVER") != nullptr;
  return true;
}

}  // namespace

void SdlMainWindow::saveScreenshot() {
  GlRenderer* renderer = GlRenderer::current();
  if (!renderer || !context_) return;
  // The last finished frame is in the front buffer after the swap.
  glReadBuffer(GL_FRONT);
  int w = 0, h = 0;
  std::vector<uint8_t> rgb = renderer->readFrameRgb(w, h);
  glReadBuffer(GL_BACK);
  char name[64];
  for (int n = 1; n < 10000; ++n) {
    std::snprintf(name, sizeof name, "screenshot-%04d.png", n);
    struct stat info;
    if (::stat(name, &info) != 0) break;
  }
  std::string error;
  if (writePng(name, w, h, 3, rgb.data(), &error))
    logDiagnostic(std::string("screenshot saved as ") + name);
  else
    logDiagnostic("screenshot failed: " + error);
}

void SdlMainWindow::useSdlMessageBoxes() { setMessageBoxHandler(sdlMessageBox); }

SdlMainWindow::SdlMainWindow(int width, int height, bool fullScreen) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    failure_ = std::string("cannot open a display (") + SDL_GetError() + ")";
    return;
  }
  if (!hasRealDisplay()) {
    failure_ = "no display available";
    return;
  }
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);

  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
  flags |= fullScreen ? SDL_WINDOW_FULLSCREEN : SDL_WINDOW_RESIZABLE;
  window_ = SDL_CreateWindow("Wolkenfahrt", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height, flags);
  if (!window_) {
    // A window that cannot get GL still has to exist, so the renderer can
    // show its "no rendering context" box and the run can end with 55.
    flags &= ~static_cast<Uint32>(SDL_WINDOW_OPENGL);
    window_ = SDL_CreateWindow("Wolkenfahrt", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height, flags);
  }
  if (!window_) {
    failure_ = std::string("cannot create the window (") + SDL_GetError() + ")";
    return;
  }
  if (fullScreen) {
    SDL_DisplayMode mode{};
    mode.w = width;
    mode.h = height;
    SDL_DisplayMode closest{};
    if (SDL_GetClosestDisplayMode(SDL_GetWindowDisplayIndex(window_), &mode, &closest))
      SDL_SetWindowDisplayMode(window_, &closest);
  }
  alive_ = true;
  DisplaySettings& settings = displaySettings();
  settings.screenWidth = outerWidth();
  settings.screenHeight = outerHeight();
}

SdlMainWindow::~SdlMainWindow() {
  if (context_) SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
  if (window_) SDL_DestroyWindow(window_);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlMainWindow::close() {
  alive_ = false;
  if (window_) SDL_HideWindow(window_);
}

bool SdlMainWindow::createContext() {
  if (!window_) return false;
  SDL_GLContext context = SDL_GL_CreateContext(window_);
  if (!context) return false;
  context_ = context;
  SDL_GL_MakeCurrent(window_, context);
  SDL_GL_SetSwapInterval(0);  // the loop runs as fast as rendering allows
  int r = 0, depth = 0, doubleBuffer = 0;
  SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &r);
  SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth);
  SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubleBuffer);
  description_ = std::string(SDL_GetCurrentVideoDriver()) + " window " + std::to_string(outerWidth()) + "x" +
                 std::to_string(outerHeight()) + ", " + std::to_string(r) + " bits per channel, depth " +
                 std::to_string(depth) + (doubleBuffer ? ", double-buffered" : ", single-buffered");
  return true;
}

void SdlMainWindow::swapBuffers() {
  if (window_ && context_) SDL_GL_SwapWindow(window_);
}

namespace {
void drawableSize(SDL_Window* window, int& w, int& h) {
  w = h = 0;
  if (!window) return;
  SDL_GL_GetDrawableSize(window, &w, &h);
  if (w <= 0 || h <= 0) SDL_GetWindowSize(window, &w, &h);  // a window without GL
}
}  // namespace

int SdlMainWindow::outerWidth() const {
  int w, h;
  drawableSize(window_, w, h);
  return w;
}

int SdlMainWindow::outerHeight() const {
  int w, h;
  drawableSize(window_, w, h);
  return h;
}

void SdlMainWindow::pumpMessage() {
  presentDebugConsole();  // at most one console repaint per frame
  SDL_Event event;
  if (!SDL_PollEvent(&event)) return;
  if (handleDebugConsoleEvent(event)) return;  // the console window's own events
  switch (event.type) {
    case SDL_QUIT:
      close();
      break;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
        close();
      } else if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        DisplaySettings& settings = displaySettings();
        settings.screenWidth = outerWidth();
        settings.screenHeight = outerHeight();
        if (GlRenderer* renderer = GlRenderer::current()) renderer->resize();
      }
      break;
    case SDL_KEYDOWN: {
      if (event.key.keysym.sym == SDLK_F12) {
        saveScreenshot();
        break;
      }
      const int vk = translateSdlKey(event.key.keysym.sym, event.key.keysym.mod);
      if (vk) handleKeyDown(vk);
      break;
    }
    default:
      break;
  }
}

}  // namespace wf
