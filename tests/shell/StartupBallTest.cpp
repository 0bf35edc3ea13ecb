#include <gtest/gtest.h>

#include "FakeTextPainter.h"
#include "base/Random.h"
#include "shell/SettingsStore.h"
#include "shell/StartupBall.h"
#include "shell/StartupDialog.h"
#include "support/TempDir.h"

using namespace wf;
using test::FakeTextPainter;

// After srand(46346) the generator gives 20313, 14225, 5072, 14663, ...
// (worked out with the MSVC formula by hand): three draws per ball, in the
// order Resolution, Quality, Start. Stored values without a text count as 0.
TEST(StartupDialog, BallsTakeThreeDrawsEachInOrderAndTheirStoredValues) {
  test::TempDir dir;
  const SettingsStore store(dir.write("settings", "Resolution=4\nQuality=2\nStart=1\n"));
  crtSrand(46346);
  StartupDialog dialog(1024, 768, OffscreenBitmap(0, 0), &store, nullptr);
  ASSERT_EQ(dialog.balls.size(), 3u);
  const StartupBall& first = *dialog.balls[0];
  EXPECT_EQ(first.kind, kResolutionBall);
  EXPECT_NEAR(first.vx, -4.375811713592478, 1e-12);
  EXPECT_NEAR(first.vy, -4.1051518665192965, 1e-12);
  EXPECT_EQ(std::vector<double>({first.x, first.y}), std::vector<double>({416, 108}))
      << "14225 * 960 / 32767 and 5072 * 704 / 32767, in integers";
  EXPECT_NEAR(dialog.balls[1]->vx, -5.676425500533556, 1e-12) << "the fourth draw steers the Quality ball";
  EXPECT_EQ(dialog.balls[2]->kind, kStartBall);
  EXPECT_EQ(std::vector<int>({first.value, dialog.balls[1]->value, dialog.balls[2]->value}),
            std::vector<int>({0, 2, 0}));
}

TEST(StartupBall, BouncesOnTheNewPositionInOrder) {
  // The desktop is width x 200.
  struct Case { const char* what; int width; double x, y, vx, vy, wantVx, wantVy; } const cases[] = {
      {"reaches the right edge exactly", 300, 230, 50, 6, 0, -6, 0},
      {"one short of the right edge", 300, 229, 50, 6, 0, 6, 0},
      {"past the bottom", 300, 50, 135, 0, 6, 0, -6},
      {"reaches the left edge exactly", 300, 6, 50, -6, 0, 6, 0},
      {"reaches the top past zero", 300, 50, 3, 0, -6, 0, 6},
      {"beyond the edge it turns even when heading back", 300, 250, 50, -6, 0, 6, 0},
      {"narrower than a ball: both tests of x fire", 50, -10, 50, 4, 0, 4, 0},
  };
  for (const Case& c : cases) {
    StartupBall ball(kQualityBall, c.width, 200, nullptr, nullptr);
    ball.x = c.x, ball.y = c.y, ball.vx = c.vx, ball.vy = c.vy;
    ball.move();
    EXPECT_EQ(std::vector<double>({ball.x, ball.y, ball.vx, ball.vy}),
              std::vector<double>({c.x + c.vx, c.y + c.vy, c.wantVx, c.wantVy}))
        << c.what << " (the position is not clamped)";
  }
}

TEST(StartupBall, ClickStepsTheValueAndWrapsAndLabelsSitOnTheirBaselines) {
  FakeTextPainter painter;
  StartupBall resolution(kResolutionBall, 800, 600, nullptr, &painter);
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(resolution.click());
  std::string labels;
  for (const FakeTextPainter::Call& call : painter.calls) labels += call.text + "|";
  EXPECT_EQ(labels, "Resolution|windowed|Resolution|640x480|Resolution|800x600|Resolution|1024x768|"
                    "Resolution|windowed|");
  const FakeTextPainter::Call &name = painter.calls[0], &value = painter.calls[1];
  EXPECT_EQ(std::vector<int>({name.x, name.y, value.x, value.y}), std::vector<int>({32, 29, 32, 43}));
  EXPECT_EQ(name.align, TextPainter::Align::CentreBaseline);
  EXPECT_EQ(name.rgb, 0xFFFFFFu);
  StartupBall quality(kQualityBall, 800, 600, nullptr, nullptr);
  for (int i = 0; i < 3; ++i) quality.click();
  EXPECT_EQ(quality.value, 0) << "quality wraps after its third value, high";
  StartupBall start(kStartBall, 800, 600, nullptr, &painter);
  EXPECT_EQ(painter.calls.back().text, " ");
  EXPECT_TRUE(start.click()) << "Start ends the dialog instead of stepping";
  EXPECT_EQ(start.value, 0);
}

// renderBall at known pixels, worked out separately from the shading rule
// (sphere radius 32, light at (-100, 160, 200), the lens u/v).
TEST(StartupBall, RenderBallPixels) {
  // A pixel (row counted from the bottom) of a ball at (x, y) on a 200 x 200
  // desktop whose label image is filled with `label`.
  struct Case { int column, row; double x, y; uint32_t label, colour, mask; } const cases[] = {
      {32, 32, 68, 68, 0, 0x4ABABA, 0},  // centre, ball centred on the desktop
      {0, 32, 68, 68, 0, 0x044747, 0},   // exact rim: belongs to the ball (nz = 0)
      {10, 20, 68, 68, 0, 0xB9FCFC, 0},  // facing the light: nearly white-cyan
      {63, 32, 68, 68, 0, 0x000000, 0},  // far side: every component clamped to 0
      {32, 32, 10, 120, 0, 0x8EE6E6, 0}, // moved left and down: closer to the light
      {32, 32, 68, 68, 0xFF0000, 0xFFBABA, 0},  // label red saturates, green and blue stay
      {40, 40, 68, 68, 0x800000, 0x896060, 0},
      {0, 0, 68, 68, 0, 0, 0xFFFFFFFF},  // outside the disc
  };
  for (const Case& c : cases) {
    StartupBall ball(kQualityBall, 200, 200, nullptr, nullptr);
    ball.x = c.x, ball.y = c.y;
    ball.labelImage.fill(0, 0, 64, 64, c.label);
    ball.renderBall();
    EXPECT_EQ(ball.colourImage.at(c.column, c.row), c.colour) << c.column << "," << c.row << " at " << c.x;
    EXPECT_EQ(ball.maskImage.at(c.column, c.row), c.mask) << c.column << "," << c.row;
  }
}

TEST(StartupDialog, IdleTurnsMoveOneBallEachAndComposeItOverTheSnapshot) {
  OffscreenBitmap snapshot(400, 300);
  snapshot.fill(0, 0, 400, 300, 0x123456);
  StartupDialog dialog(400, 300, snapshot, nullptr, nullptr);
  for (int i = 0; i < 3; ++i) {
    StartupBall& b = *dialog.balls[i];
    b.x = 100 + 80 * i, b.y = 100, b.vx = 6, b.vy = 3;
  }
  dialog.composite.fill(180, 100, 64, 64, 0xABCDEF);  // stale picture at ball 1's place
  const DesktopRect r = dialog.animateNext();
  EXPECT_EQ(dialog.ballIndex, 1) << "the first turn moves balls[1]";
  EXPECT_EQ(std::vector<double>({dialog.balls[0]->x, dialog.balls[1]->x, dialog.balls[2]->x}),
            std::vector<double>({100, 186, 260}));
  EXPECT_EQ(std::vector<int>({r.left, r.top, r.right, r.bottom}), std::vector<int>({180, 100, 250, 167}));
  EXPECT_EQ(dialog.composite.atTop(181, 101), 0x123456u) << "old place restored from the snapshot";
  EXPECT_EQ(dialog.composite.atTop(186, 103), 0x123456u) << "a corner outside the disc shows the desktop";
  EXPECT_EQ(dialog.composite.atTop(186 + 32, 103 + 31), dialog.balls[1]->colourImage.atTop(32, 31));
  dialog.animateNext();
  dialog.animateNext();
  EXPECT_EQ(dialog.ballIndex, 0) << "then balls[2], then balls[0]";
  EXPECT_TRUE(StartupDialog::current() == &dialog && !dialog.findBallAt(5, 5)) << "the dialog is the current one";
}
