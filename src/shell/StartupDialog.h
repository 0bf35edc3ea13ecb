// The start-up choice: three balls (Resolution, Quality, Start) drifting
// over a snapshot of the desktop until Enter or the "Start" ball ends it.
//
// Plain logic over images: the dialog composes the moving ball over the
// snapshot and says which rectangle of the desktop changed; the window in
// StartupDialogWindow shows that rectangle, feeds clicks and keys in and
// runs the idle loop (one ball per idle turn, 30 ms apart).
#pragma once
#include <memory>
#include <vector>

#include "shell/OffscreenBitmap.h"
#include "shell/StartupBall.h"

namespace wf {

class SettingsStore;
struct DisplaySettings;

struct DialogResult {
  int resolution = 0;  // 0 windowed, 1 640x480, 2 800x600, 3 1024x768
  int quality = 0;     // 0 low, 1 normal, 2 high
  // 0: the dialog ended (Enter or "Start"; the values are saved), or it
  // could not be shown (the stored values, nothing saved). 31: Escape.
  // 30: the window was closed. With 30 or 31 the program ends with that
  // status and nothing is saved.
  int exitStatus = 0;
};

// The entry's use of the choice: resolution 0 is windowed with a nominal
// 200 x 200, 1 to 3 are 640 x 480, 800 x 600 and 1024 x 768 full screen, any
// other value leaves the size as it is; the quality becomes detailLevel.
// Returns whether the display mode is to be switched, which is exactly when
// the width differs from the height (so never for the windowed choice).
bool applyDialogChoice(const DialogResult& choice, DisplaySettings& settings);

struct DesktopRect {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

class StartupDialog {
 public:
  // `snapshot` is the desktop as it was (desktop-sized, or anything: it is
  // copied into a desktop-sized image, clipped or padded with black).
  // Creates the balls in the order Resolution, Quality, Start, each taking
  // its stored value from `store` (may be null).
  StartupDialog(int desktopWidth, int desktopHeight, const OffscreenBitmap& snapshot, const SettingsStore* store,
                TextPainter* painter);
  virtual ~StartupDialog();
  StartupDialog(const StartupDialog&) = delete;
  StartupDialog& operator=(const StartupDialog&) = delete;

  // One idle turn: the next ball in turn (the first turn moves balls[1])
  // takes one animation step; returns the rectangle of the desktop that
  // changed (old and new place together).
  DesktopRect animateNext();
  // One animation step of one ball, composed into `composite`.
  DesktopRect animate(StartupBall& ball);

  // The topmost ball under a desktop point (later balls lie above earlier
  // ones), or null.
  StartupBall* findBallAt(int x, int y);
  // A click on a ball: steps its value, or ends the dialog for "Start".
  void click(StartupBall& ball);
  // Enter.
  void finish() { done = true; }

  // Writes every ball's value into the store, in ball order, and saves it.
  // Only a dialog that ended normally saves; returns whether it was written.
  bool save(SettingsStore& store) const;

  int resolution() const { return balls.size() > 0 ? balls[0]->value : 0; }
  int quality() const { return balls.size() > 1 ? balls[1]->value : 0; }

  bool done = false;
  std::vector<std::unique_ptr<StartupBall>> balls;
  int desktopHeight, desktopWidth;
  OffscreenBitmap background;  // the snapshot, never changed
  OffscreenBitmap composite;   // balls over the snapshot: what the screen shows
  int ballIndex = 0;           // the ball that moved last

  static StartupDialog* current();
};

}  // namespace wf
