#include "platform/StartupDialogWindow.h"

#include <SDL.h>  // Required for: windows, events, surfaces
#include <algorithm>  // Required for: std::min(), std::max()
#include <cstring>    // Required for: std::strcmp(), std::memcpy()

#ifdef WF_HAVE_X11
#include <X11/Xlib.h>   // Required for: XGetImage() on the root window
#include <X11/Xutil.h>  // Required for: XGetPixel()
#endif

#include "base/Report.h"
#include "platform/SdlKeys.h"
#include "shell/KeyTable.h"
#include "shell/SettingsStore.h"
#include "shell/StartupDialog.h"
#include "platform/UiFont.h"

namespace wf {
namespace {

// Without a desktop to photograph: the classic plain desktop colour.
constexpr uint32_t kPlainBackground = 0x3A6EA5;
constexpr int kIdleSleepMs = 30;
constexpr int kEventPollMs = 5;
constexpr int kEscapeStatus = 31;
constexpr int kClosedStatus = 30;

int maskShift(unsigned long mask) {
  int shift = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

// The desktop as it is now, or a plain background where that cannot be had
// (Wayland, no X server, a failed XGetImage).
OffscreenBitmap desktopSnapshot(int width, int height) {
  OffscreenBitmap snapshot(width, height);
  snapshot.fill(0, 0, width, height, kPlainBackground);
#ifdef WF_HAVE_X11
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "x11") != 0) return snapshot;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return snapshot;
  const Window root = DefaultRootWindow(display);
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, root, &attributes);
  const int w = std::min(width, attributes.width), h = std::min(height, attributes.height);
  XImage* image = w > 0 && h > 0 ? XGetImage(display, root, 0, 0, w, h, AllPlanes, ZPixmap) : nullptr;
  if (image) {
    const int rs = maskShift(image->red_mask), gs = maskShift(image->green_mask), bs = maskShift(image->blue_mask);
    const auto channel = [](unsigned long pixel, unsigned long mask, int shift) {
      const unsigned long max = mask >> shift;
      return max ? static_cast<uint32_t>(((pixel & mask) >> shift) * 255 / max) : 0u;
    };
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const unsigned long p = XGetPixel(image, x, y);
        snapshot.atTop(x, y) = channel(p, image->red_mask, rs) << 16 | channel(p, image->green_mask, gs) << 8 |
                               channel(p, image->blue_mask, bs);
      }
    XDestroyImage(image);
    logDiagnostic("start-up dialog over a snapshot of the X11 desktop");
  }
  XCloseDisplay(display);
#endif
  return snapshot;
}

class DialogWindow {
 public:
  DialogWindow(StartupDialog& dialog) : dialog_(dialog) {
    // A click that also brings the keyboard focus counts as a click.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    window_ = SDL_CreateWindow("Wolkenfahrt", 0, 0, dialog.desktopWidth, dialog.desktopHeight,
                               SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR);
    if (!window_) return;
    takeFocus();
    presentAll();
  }
  // The keyboard focus, so Enter and Escape work without a click: a window
  // manager may not hand it to a new window by itself, and without one only
  // setting it does. Again once the window is on screen, in case a window
  // manager took it back while it placed the window.
  void takeFocus() {
    if (focusTaken_ >= 2 || !window_) return;
    focusTaken_ += 1;
    SDL_RaiseWindow(window_);
    SDL_SetWindowInputFocus(window_);
  }
  ~DialogWindow() {
    if (window_) SDL_DestroyWindow(window_);
    SDL_ResetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH);
  }
  bool valid() const { return window_ != nullptr; }
  Uint32 id() const { return window_ ? SDL_GetWindowID(window_) : 0; }

  void presentAll() { present({0, 0, dialog_.desktopWidth, dialog_.desktopHeight}); }

  // Copies a rectangle of the composite to the window.
  void present(DesktopRect r) {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!surface) return;
    const OffscreenBitmap& image = dialog_.composite;
    r.left = std::max(r.left, 0);
    r.top = std::max(r.top, 0);
    r.right = std::min({r.right, image.width(), surface->w});
    r.bottom = std::min({r.bottom, image.height(), surface->h});
    if (r.left >= r.right || r.top >= r.bottom) return;
    if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
    const bool direct = surface->format->BytesPerPixel == 4 && surface->format->Rmask == 0xFF0000 &&
                        surface->format->Gmask == 0xFF00 && surface->format->Bmask == 0xFF;
    for (int y = r.top; y < r.bottom; ++y) {
      uint8_t* row = static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch;
      for (int x = r.left; x < r.right; ++x) {
        const uint32_t p = image.atTop(x, y) & 0xFFFFFF;
        if (direct) {
          reinterpret_cast<uint32_t*>(row)[x] = p;
        } else {
          const Uint32 mapped = SDL_MapRGB(surface->format, p >> 16, (p >> 8) & 0xFF, p & 0xFF);
          std::memcpy(row + x * surface->format->BytesPerPixel, &mapped, surface->format->BytesPerPixel);
        }
      }
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    const SDL_Rect rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
    SDL_UpdateWindowSurfaceRects(window_, &rect, 1);
  }

 private:
  StartupDialog& dialog_;
  SDL_Window* window_ = nullptr;
  int focusTaken_ = 0;
};

// One event; returns an exit status that ends the program, else 0.
int handleEvent(const SDL_Event& event, StartupDialog& dialog, DialogWindow& window) {
  switch (event.type) {
    case SDL_QUIT:
      return kClosedStatus;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) return kClosedStatus;
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED || event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
        window.presentAll();
      if (event.window.event == SDL_WINDOWEVENT_SHOWN || event.window.event == SDL_WINDOWEVENT_EXPOSED)
        window.takeFocus();
      return 0;
    case SDL_KEYDOWN: {
      const int key = translateSdlKey(event.key.keysym.sym, event.key.keysym.mod);
      if (key == vk::kEscape) return kEscapeStatus;
      if (key == vk::kReturn) dialog.finish();
      return 0;
    }
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button == SDL_BUTTON_LEFT) {
        StartupBall* ball = dialog.findBallAt(event.button.x, event.button.y);
        logDiagnostic("start-up dialog: click at " + std::to_string(event.button.x) + "," +
                      std::to_string(event.button.y) + (ball ? std::string(" on ") + ballName(ball->kind) : ""));
        if (ball) dialog.click(*ball);
      }
      return 0;
    default:
      return 0;
  }
}

}  // namespace

DialogResult runStartupDialog(const std::string& settingsPath) {
  DialogResult result;
  SettingsStore store(settingsPath.empty() ? SettingsStore::defaultPath() : settingsPath);
  const bool video = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  if (!video) logDiagnostic(std::string("start-up dialog: no video: ") + SDL_GetError());

  int width = 640, height = 480;
  SDL_DisplayMode mode{};
  if (video && SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0) {
    width = mode.w;
    height = mode.h;
  }
  const OffscreenBitmap snapshot = video ? desktopSnapshot(width, height) : OffscreenBitmap(0, 0);
  UiFont font;
  StartupDialog dialog(width, height, snapshot, &store, &font);
  result.resolution = dialog.resolution();
  result.quality = dialog.quality();
  if (!video) return result;

  {
    DialogWindow window(dialog);
    if (!window.valid()) {
      // Without a window nothing could ever end the dialog: go on with the
      // stored choice instead of waiting for ever.
      reportError("BKugel.CreateWidnow");
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
      return result;
    }
    logDiagnostic("start-up dialog " + std::to_string(width) + "x" + std::to_string(height));
    while (!dialog.done) {
      // Polled, not waited for: SDL wakes a waiting thread with an X event
      // sent to one of its windows, and if that window is gone when the X
      // server gets to it, the error ends the program.
      SDL_Event event;
      while (!SDL_PollEvent(&event)) SDL_Delay(kEventPollMs);
      if (const int status = handleEvent(event, dialog, window)) {
        result.exitStatus = status;
        break;
      }
      // Idle turns: one ball steps, then a pause, until something happens.
      // Once the dialog is done the balls stop at once rather than waiting
      // for a further event that might never come.
      for (;;) {
        SDL_PumpEvents();
        if (dialog.done || SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) break;
        window.present(dialog.animateNext());
        SDL_Delay(kIdleSleepMs);
      }
    }
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  result.resolution = dialog.resolution();
  result.quality = dialog.quality();
  if (result.exitStatus == 0 && dialog.done && !dialog.save(store))
    logDiagnostic("could not save the start-up choice to " + store.path());
  return result;
}

}  // namespace wf
