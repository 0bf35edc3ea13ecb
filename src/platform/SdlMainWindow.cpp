#include "platform/SdlMainWindow.h"

#include <SDL2/SDL.h>

#include <GL/gl.h>     // Required for: glClear(), glReadBuffer()
#include <sys/stat.h>  // Required for: stat()

#include <cstdio>
#include <cstdlib>  // Required for: getenv()
#include <vector>

#include "base/DisplaySettings.h"
#include "base/Report.h"
#include "platform/DebugConsoleWindow.h"
#include "platform/GlRenderer.h"
#include "platform/PngFile.h"
#include "platform/SdlKeys.h"
#include "platform/SdlMessageBox.h"
#include "shell/KeyTable.h"

#ifdef WF_HAVE_X11
#include <SDL2/SDL_syswm.h>  // Required for: the X11 display and window of an SDL window
#include <X11/Xatom.h>       // Required for: XA_WINDOW
#endif

namespace wf {
namespace {

void sdlMessageBox(const std::string& caption, const std::string& text) {
  auto* owner = dynamic_cast<SdlMainWindow*>(MainWindow::current());
  showSdlMessageBox(caption, text, owner && owner->isAlive() ? owner->sdlWindow() : nullptr);
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

#ifdef WF_HAVE_X11
XErrorHandler sdlErrorHandler = nullptr;

// A request about a window that has just gone (a message box's frame, which
// the window manager destroyed while SDL still handled the box's last events)
// fails with BadWindow; that is no reason to end the demo. Every other X
// error goes on to SDL's handler, which ends the program.
int tolerateGoneWindows(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow) {
    logDiagnostic("X11: a request about a window that has gone failed; going on");
    return 0;
  }
  return sdlErrorHandler ? sdlErrorHandler(display, error) : 0;
}

// A window manager that follows the EWMH rules (and so honours full-screen
// requests) names its check window on the root window.
bool hasWindowManager(Display* display) {
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const bool found = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                                        &format, &count, &after, &data) == Success &&
                     data && count == 1;
  if (data) XFree(data);
  return found;
}
#endif

// On X11 the server paints the window black whenever it is mapped or
// uncovered, rather than leaving the old screen contents there until the
// first frame. SDL asks the window manager for full screen; without one
// nobody would move the window over the display, so we do. X errors about
// windows that have gone are tolerated from here on.
void prepareX11Window(SDL_Window* window, bool fullScreen) {
#ifdef WF_HAVE_X11
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  Display* display = info.info.x11.display;
  const ::Window xwindow = info.info.x11.window;
  // After SDL's video start, which installs its own handler.
  const XErrorHandler previous = XSetErrorHandler(tolerateGoneWindows);
  if (previous != tolerateGoneWindows) sdlErrorHandler = previous;
  XSetWindowBackground(display, xwindow, BlackPixel(display, DefaultScreen(display)));
  XClearWindow(display, xwindow);
  SDL_Rect bounds{};
  const int displayIndex = SDL_GetWindowDisplayIndex(window);
  if (fullScreen && !hasWindowManager(display) && SDL_GetDisplayBounds(displayIndex, &bounds) == 0) {
    XMoveResizeWindow(display, xwindow, bounds.x, bounds.y, static_cast<unsigned>(bounds.w),
                      static_cast<unsigned>(bounds.h));
    XRaiseWindow(display, xwindow);
    logDiagnostic("no window manager: the full-screen window placed over the display");
  }
  XFlush(display);
#else
  (void)window;
  (void)fullScreen;
#endif
}

}  // namespace

void SdlMainWindow::saveScreenshot() {
  GlRenderer* renderer = GlRenderer::current();
  if (!renderer || !context_) return;
  // The finished frame is still in the buffer it was drawn into.
  GLint drawBuffer = GL_BACK;
  glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
  glReadBuffer(static_cast<GLenum>(drawBuffer));
  int w = 0, h = 0;
  std::vector<uint8_t> rgb = renderer->readFrameRgb(w, h);
  const std::string prefix = screenshotFolder_.empty() ? std::string() : screenshotFolder_ + "/";
  std::string name;
  for (int n = 1; n < 10000; ++n) {
    char file[32];
    std::snprintf(file, sizeof file, "screenshot-%04d.png", n);
    name = prefix + file;
    struct stat info;
    if (::stat(name.c_str(), &info) != 0) break;
  }
  std::string error;
  if (writePng(name, w, h, 3, rgb.data(), &error))
    logDiagnostic("screenshot saved as " + name);
  else
    logDiagnostic("screenshot failed: " + error);
}

void SdlMainWindow::useSdlMessageBoxes() { setMessageBoxHandler(sdlMessageBox); }

bool SdlMainWindow::displayAvailable(std::string& why) {
  // Without any display named there is none to ask for (and SDL's probing
  // would only add the Wayland library's complaints to the message).
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("SDL_VIDEODRIVER")) {
    why = "no display available (neither DISPLAY nor WAYLAND_DISPLAY is set)";
    return false;
  }
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    why = std::string("cannot open a display (") + SDL_GetError() + ")";
    return false;
  }
  const bool real = hasRealDisplay();
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  if (!real) why = "no display available";
  return real;
}

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
  prepareX11Window(window_, fullScreen);
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
  // An engine built anew (reload, seek) starts from a fresh context; the
  // one before it has gone with its textures.
  if (context_) {
    SDL_GL_MakeCurrent(window_, nullptr);
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
    context_ = nullptr;
  }
  SDL_GLContext context = SDL_GL_CreateContext(window_);
  if (!context) return false;
  context_ = context;
  SDL_GL_MakeCurrent(window_, context);
  SDL_GL_SetSwapInterval(0);  // the loop runs as fast as rendering allows
  // Black in both buffers from the start (the clear colour is OpenGL's
  // default, black), rather than whatever the screen held.
  for (int buffer = 0; buffer < 2; ++buffer) {
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(window_);
  }
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
  if (!window_ || !context_) return;
  if (screenshotPending_) {
    screenshotPending_ = false;
    saveScreenshot();
  }
  SDL_GL_SwapWindow(window_);
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
      const int vk = translateSdlKey(event.key.keysym.sym, event.key.keysym.mod);
      if (vk) handleKeyDown(vk);
      // After the key table, so that console input mode still types F12's code.
      if (event.key.keysym.sym == SDLK_F12) screenshotPending_ = true;
      break;
    }
    default:
      break;
  }
}

}  // namespace wf
