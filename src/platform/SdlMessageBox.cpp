#include "platform/SdlMessageBox.h"

#include <SDL.h>  // Required for: windows, events, surfaces, hints

#include <algorithm>  // Required for: std::max()
#include <vector>

#include "platform/DebugConsoleWindow.h"  // Required for: handleDebugConsoleEvent()
#include "platform/UiFont.h"

namespace wf {
namespace {

constexpr int kMargin = 16;
constexpr int kLineHeight = UiFont::kCellHeight + 4;
constexpr int kButtonWidth = 80, kButtonHeight = 26;
constexpr int kMinimumWidth = 240;
constexpr uint32_t kFace = 0xF0F0F0, kInk = 0x000000, kButtonFace = 0xE1E1E1, kButtonEdge = 0x0078D7;
// After the box the owner must have the focus again before SDL's rule to
// minimise full-screen windows on focus loss returns (SDL settles focus
// changes about 200 ms after they happen).
constexpr Uint32 kSettleMs = 250, kSettleLimitMs = 1000;
constexpr Uint32 kPollMs = 10;

struct BoxLayout {
  std::vector<std::string> lines;
  int width = 0, height = 0;
  SDL_Rect button{};
};

BoxLayout layoutBox(const std::string& text, UiFont& font) {
  BoxLayout layout;
  for (size_t start = 0;;) {
    const size_t end = text.find('\n', start);
    layout.lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  int textWidth = 0;
  for (const std::string& line : layout.lines) textWidth = std::max(textWidth, font.textWidth(line));
  layout.width = std::max(kMinimumWidth, textWidth + 2 * kMargin);
  const int textHeight = static_cast<int>(layout.lines.size()) * kLineHeight;
  layout.button = {(layout.width - kButtonWidth) / 2, 2 * kMargin + textHeight, kButtonWidth, kButtonHeight};
  layout.height = layout.button.y + kButtonHeight + kMargin;
  return layout;
}

OffscreenBitmap paintBox(const BoxLayout& layout, UiFont& font) {
  OffscreenBitmap image(layout.width, layout.height);
  image.fill(0, 0, layout.width, layout.height, kFace);
  for (size_t i = 0; i < layout.lines.size(); ++i)
    font.drawText(image, layout.lines[i], kMargin, kMargin + static_cast<int>(i) * kLineHeight, kInk,
                  TextPainter::Align::LeftTop);
  const SDL_Rect& b = layout.button;
  image.fill(b.x, b.y, b.w, b.h, kButtonEdge);
  image.fill(b.x + 2, b.y + 2, b.w - 4, b.h - 4, kButtonFace);
  font.drawText(image, "OK", b.x + b.w / 2, b.y + (b.h + font.ascender()) / 2 - 1, kInk,
                TextPainter::Align::CentreBaseline);
  return image;
}

void present(SDL_Window* window, const OffscreenBitmap& image) {
  SDL_Surface* target = SDL_GetWindowSurface(window);
  if (!target) return;
  std::vector<uint32_t> topDown(image.pixels().size());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) topDown[static_cast<size_t>(y) * image.width() + x] = image.atTop(x, y);
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(topDown.data(), image.width(), image.height(), 32,
                                                           image.width() * 4, SDL_PIXELFORMAT_RGB888);
  if (!source) return;
  SDL_BlitSurface(source, nullptr, target, nullptr);
  SDL_FreeSurface(source);
  SDL_UpdateWindowSurface(window);
}

// The window an event is for (0: none).
Uint32 eventWindow(const SDL_Event& e) {
  switch (e.type) {
    case SDL_WINDOWEVENT: return e.window.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP: return e.key.windowID;
    case SDL_TEXTINPUT: return e.text.windowID;
    case SDL_TEXTEDITING: return e.edit.windowID;
    case SDL_MOUSEMOTION: return e.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return e.button.windowID;
    case SDL_MOUSEWHEEL: return e.wheel.windowID;
    default: return 0;
  }
}

bool isInput(const SDL_Event& e) {
  return (e.type >= SDL_KEYDOWN && e.type < SDL_JOYAXISMOTION) || e.type == SDL_FINGERDOWN ||
         e.type == SDL_FINGERUP || e.type == SDL_FINGERMOTION;
}

// One event of the box itself; true when it ends the box.
bool boxEvent(const SDL_Event& e, const BoxLayout& layout, SDL_Window* box, const OffscreenBitmap& picture) {
  switch (e.type) {
    case SDL_KEYDOWN: {
      const SDL_Keycode key = e.key.keysym.sym;
      return key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_SPACE || key == SDLK_ESCAPE;
    }
    case SDL_MOUSEBUTTONUP: {
      const SDL_Point at{e.button.x, e.button.y};
      return e.button.button == SDL_BUTTON_LEFT && SDL_PointInRect(&at, &layout.button);
    }
    case SDL_WINDOWEVENT:
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) return true;
      if (e.window.event == SDL_WINDOWEVENT_EXPOSED) present(box, picture);
      return false;
    default:
      return false;
  }
}

}  // namespace

bool showSdlMessageBox(const std::string& caption, const std::string& text, SDL_Window* owner) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  // A box nobody can see would wait for ever.
  const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
  if (driver == "dummy" || driver == "offscreen") {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
  }
  UiFont font;
  const BoxLayout layout = layoutBox(text, font);
  int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
  if (owner) {
    int ownerX = 0, ownerY = 0, ownerWidth = 0, ownerHeight = 0;
    SDL_GetWindowPosition(owner, &ownerX, &ownerY);
    SDL_GetWindowSize(owner, &ownerWidth, &ownerHeight);
    x = ownerX + (ownerWidth - layout.width) / 2;
    y = ownerY + (ownerHeight - layout.height) / 3;
  }
  SDL_Window* box = SDL_CreateWindow(caption.c_str(), x, y, layout.width, layout.height, SDL_WINDOW_HIDDEN);
  if (!box) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
  }
  if (owner) SDL_SetWindowModalFor(box, owner);
  // SDL minimises a full-screen window that loses the focus, and would end
  // the program when the box is closed as its last window.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_ShowWindow(box);
  SDL_RaiseWindow(box);
  SDL_SetWindowInputFocus(box);  // the raise alone does nothing without a window manager
  const OffscreenBitmap picture = paintBox(layout, font);
  present(box, picture);

  const Uint32 boxId = SDL_GetWindowID(box);
  std::vector<SDL_Event> held;  // other windows' events, for the frame loop
  for (bool done = false; !done;) {
    SDL_Event e;
    // Polled, not waited for: SDL wakes a waiting thread with an X event sent
    // to one of its windows, and if that window (the box, just closed) is
    // gone when the X server gets to it, the error ends the program.
    if (!SDL_PollEvent(&e)) {
      SDL_Delay(kPollMs);
      continue;
    }
    if (e.type == SDL_QUIT) {
      held.push_back(e);
      done = true;
    } else if (eventWindow(e) == boxId || (e.type == SDL_KEYDOWN && e.key.windowID == 0)) {
      // A key that comes before SDL has settled the focus is for no window
      // yet: the box has taken the focus, so it is the box's.
      done = boxEvent(e, layout, box, picture);
    } else if (!isInput(e) && !handleDebugConsoleEvent(e)) {
      held.push_back(e);
    }
  }
  SDL_DestroyWindow(box);

  if (owner) {
    SDL_RaiseWindow(owner);
    SDL_SetWindowInputFocus(owner);
    const Uint32 closed = SDL_GetTicks();
    for (;;) {
      SDL_Event e;
      // Keys from here on are the owner's; the box's own late events go.
      if (!SDL_PollEvent(&e))
        SDL_Delay(kPollMs);
      else if (eventWindow(e) != boxId)
        held.push_back(e);
      const Uint32 waited = SDL_GetTicks() - closed;
      const bool focused = (SDL_GetWindowFlags(owner) & SDL_WINDOW_INPUT_FOCUS) != 0;
      if ((focused && waited >= kSettleMs) || waited >= kSettleLimitMs) break;
    }
  }
  SDL_ResetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS);
  SDL_ResetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE);
  for (SDL_Event& e : held) SDL_PushEvent(&e);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return true;
}

}  // namespace wf
