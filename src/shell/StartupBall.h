// One setting of the start-up choice, shown as a shaded ball drifting over
// the desktop: its value, its motion and its three 64x64 images.
//
// Positions are desktop pixels of the ball's top-left corner, y downward;
// speeds are pixels per animation step (6 in total). The ball is a sphere of
// radius 32 lit by one point light, and its label (name and value text, white
// on black) is seen through it as through a lens, in red.
//
// Plain logic: the window that shows the balls lives in StartupDialogWindow.
#pragma once
#include <cstdint>
#include <string>

#include "shell/OffscreenBitmap.h"

namespace wf {

class SettingsStore;

// The settings a ball can carry; the name is also the stored value's name.
enum BallKind { kStartBall = 0, kResolutionBall = 1, kQualityBall = 2 };
const char* ballName(int kind);
// The text of a value, or null where the kind has none.
const char* ballValueText(int kind, int value);

class StartupBall {
 public:
  static constexpr int kSize = 64;

  // Draws three rand() values for direction and place, renders the ball and
  // loads the stored value (0 when there is none or it has no text). A null
  // store or painter means no stored values or no label text.
  StartupBall(int kind, int desktopWidth, int desktopHeight, const SettingsStore* store, TextPainter* painter);
  virtual ~StartupBall() = default;
  StartupBall(const StartupBall&) = delete;
  StartupBall& operator=(const StartupBall&) = delete;

  // Steps 2, 3 and 5 of an animation step: move, bounce, re-render every
  // tenth step. The dialog does the blits around it.
  void move();
  // Steps the value (wrapping where the kind has no text) and redraws the
  // label. Returns true for the "Start" ball, whose click ends the dialog.
  bool click();
  // Clears the label image, writes the name and `text` into it, re-renders.
  void drawLabel(const std::string& text);
  // The per-pixel shading of colourImage and maskImage from the position.
  void renderBall();

  int left() const;  // x, y truncated: where the images go
  int top() const;

  int value = 0;  // index of the current choice; stored as a 32-bit value
  int kind;
  double x = 0.0, y = 0.0;    // top-left corner, desktop pixels
  double vx = 0.0, vy = 0.0;  // pixels per animation step
  int redrawCounter = 100;    // steps since the last render; 100 renders on the first step
  OffscreenBitmap colourImage{kSize, kSize};  // 0x00RRGGBB shading, 0 outside the ball
  OffscreenBitmap maskImage{kSize, kSize};    // 0 inside the ball, 0xFFFFFFFF outside
  OffscreenBitmap labelImage{kSize, kSize};   // white text on black

 private:
  int desktopWidth_;
  int desktopHeight_;
  TextPainter* painter_;
};

}  // namespace wf
