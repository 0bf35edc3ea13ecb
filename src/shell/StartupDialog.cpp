#include "shell/StartupDialog.h"

#include <algorithm>  // Required for: std::min(), std::max()

#include "base/DisplaySettings.h"
#include "shell/SettingsStore.h"

namespace wf {
namespace {
StartupDialog* theDialog = nullptr;
using Op = OffscreenBitmap::RasterOp;
}  // namespace

StartupDialog* StartupDialog::current() { return theDialog; }

bool applyDialogChoice(const DialogResult& choice, DisplaySettings& settings) {
  struct Mode {
    int width, height;
    bool fullScreen;
  };
  static const Mode kModes[] = {{200, 200, false}, {640, 480, true}, {800, 600, true}, {1024, 768, true}};
  if (choice.resolution >= 0 && choice.resolution <= 3) {
    const Mode& m = kModes[choice.resolution];
    settings.screenWidth = m.width;
    settings.screenHeight = m.height;
    settings.fullScreen = m.fullScreen;
  }
  settings.detailLevel = choice.quality;
  return settings.screenWidth != settings.screenHeight;
}

StartupDialog::StartupDialog(int width, int height, const OffscreenBitmap& snapshot, const SettingsStore* store,
                             TextPainter* painter)
    : desktopHeight(height), desktopWidth(width), background(width, height), composite(width, height) {
  theDialog = this;
  background.blit(snapshot, 0, 0, snapshot.width(), snapshot.height(), 0, 0, Op::Copy);
  composite.blit(snapshot, 0, 0, snapshot.width(), snapshot.height(), 0, 0, Op::Copy);
  for (int kind : {kResolutionBall, kQualityBall, kStartBall})
    balls.push_back(std::make_unique<StartupBall>(kind, desktopWidth, desktopHeight, store, painter));
}

StartupDialog::~StartupDialog() {
  if (theDialog == this) theDialog = nullptr;
}

DesktopRect StartupDialog::animateNext() {
  if (balls.empty()) return {};
  ballIndex = (ballIndex + 1) % static_cast<int>(balls.size());
  return animate(*balls[static_cast<size_t>(ballIndex)]);
}

DesktopRect StartupDialog::animate(StartupBall& ball) {
  constexpr int size = StartupBall::kSize;
  const int x0 = ball.left(), y0 = ball.top();
  composite.blit(background, x0, y0, size, size, x0, y0, Op::Copy);  // the old place, restored
  ball.move();
  const int x1 = ball.left(), y1 = ball.top();
  composite.blit(ball.maskImage, 0, 0, size, size, x1, y1, Op::And);
  composite.blit(ball.colourImage, 0, 0, size, size, x1, y1, Op::Or);
  return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + size, std::max(y0, y1) + size};
}

StartupBall* StartupDialog::findBallAt(int x, int y) {
  for (auto it = balls.rbegin(); it != balls.rend(); ++it) {
    StartupBall& ball = **it;
    if (x >= ball.left() && x < ball.left() + StartupBall::kSize && y >= ball.top() &&
        y < ball.top() + StartupBall::kSize)
      return &ball;
  }
  return nullptr;
}

void StartupDialog::click(StartupBall& ball) {
  if (ball.click()) done = true;
}

bool StartupDialog::save(SettingsStore& store) const {
  if (!done) return false;
  for (const auto& ball : balls) store.setValue(ballName(ball->kind), ball->value);
  return store.save();
}

}  // namespace wf
