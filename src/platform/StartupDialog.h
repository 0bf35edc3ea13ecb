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

#include "platform/OffscreenBitmap.h"
#include "platform/StartupBall.h"

namespace wf {

class SettingsStore;

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
