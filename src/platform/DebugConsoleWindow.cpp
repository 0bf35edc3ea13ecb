#include "platform/DebugConsoleWindow.h"

#include <unistd.h>  // Required for: isatty()

#include <cstdio>  // Required for: stderr

#include "base/Report.h"

namespace wf {
namespace {
// The face of a push button, which the console window was made from, shows
// wherever the repaint does not reach.
constexpr uint32_t kButtonFace = 0xF0F0F0;
constexpr int kLeft = 10, kTop = 10;
}  // namespace

DebugConsoleWindow::DebugConsoleWindow() {
  canvas_.fill(0, 0, kWidth, kHeight, kButtonFace);
  setMirror(stderr, isatty(2) != 0);
  videoStarted_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  if (videoStarted_)
    window_ = SDL_CreateWindow("", kLeft, kTop, kWidth, kHeight,
                               SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR |
                                   SDL_WINDOW_SHOWN);
  if (window_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (renderer_)
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight);
  if (!texture_) {
    logDiagnostic(std::string("console window: ") + SDL_GetError());
    showMessageBox("ERROR", "Creating Console Window failed");
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    renderer_ = nullptr;
    window_ = nullptr;
    return;
  }
  logDiagnostic("console window 270x220, font " + font_.fontFile());
}

DebugConsoleWindow::~DebugConsoleWindow() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void DebugConsoleWindow::presentIfPending() {
  // The newest line reaches stderr by the end of its frame even when no
  // further line follows it (appends come right after their print).
  flushMirror();
  if (!repaintPending()) return;
  paintConsole(layout(), canvas_, font_);
  paint();
}

bool DebugConsoleWindow::handleEvent(const SDL_Event& event) {
  if (!window_ || event.type != SDL_WINDOWEVENT || event.window.windowID != windowId()) return false;
  if (event.window.event == SDL_WINDOWEVENT_EXPOSED) paint();
  return true;
}

void DebugConsoleWindow::paint() {
  if (!texture_) return;
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(texture_, nullptr, &pixels, &pitch) != 0) return;
  for (int y = 0; y < kHeight; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels) + static_cast<size_t>(y) * pitch);
    for (int x = 0; x < kWidth; ++x) row[x] = 0xFF000000u | (canvas_.atTop(x, y) & 0xFFFFFF);
  }
  SDL_UnlockTexture(texture_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

std::unique_ptr<DebugConsoleWindow> openDebugConsole() {
  auto console = std::make_unique<DebugConsoleWindow>();
  setCurrentConsole(console.get());
  console->enabled = true;
  console->setThreshold(50);
  return console;
}

}  // namespace wf

namespace wf {

DebugConsoleWindow* currentConsoleWindow() { return dynamic_cast<DebugConsoleWindow*>(currentConsole()); }

void presentDebugConsole() {
  if (DebugConsoleWindow* console = currentConsoleWindow()) console->presentIfPending();
}

bool handleDebugConsoleEvent(const SDL_Event& event) {
  DebugConsoleWindow* console = currentConsoleWindow();
  return console && console->handleEvent(event);
}

}  // namespace wf
