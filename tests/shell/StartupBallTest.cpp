#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "FakeTextPainter.h"
#include "base/DisplaySettings.h"
#include "base/Random.h"
#include "shell/SettingsStore.h"
#include "shell/StartupBall.h"
#include "shell/StartupDialog.h"
#include "support/TempDir.h"

using namespace wf;
using wf::test::FakeTextPainter;
using wf::test::TempDir;

namespace {

// The labels a painter was asked for, as "name|value" per drawLabel.
std::vector<std::string> labels(const FakeTextPainter& painter) {
  std::vector<std::string> result;
  for (size_t i = 0; i + 1 < painter.calls.size(); i += 2)
    result.push_back(painter.calls[i].text + "|" + painter.calls[i + 1].text);
  return result;
}

}  // namespace

TEST(StartupBall, ThreeRandomDrawsGiveDirectionAndPlace) {
  crtSrand(46346);
  const int r1 = crtRand(), r2 = crtRand(), r3 = crtRand();
  crtSrand(46346);
  StartupBall ball(kResolutionBall, 1024, 768, nullptr, nullptr);
  const double angle = r1 * 2 * 3.1415926535 / 32767.0;
  EXPECT_DOUBLE_EQ(ball.vx, std::cos(angle) * 6.0);
  EXPECT_DOUBLE_EQ(ball.vy, std::sin(angle) * 6.0);
  EXPECT_EQ(ball.x, static_cast<double>(r2 * (1024 - 64) / 32767)) << "integer multiply, then divide";
  EXPECT_EQ(ball.y, static_cast<double>(r3 * (768 - 64) / 32767));
  EXPECT_NEAR(std::hypot(ball.vx, ball.vy), 6.0, 1e-12);
  EXPECT_EQ(ball.redrawCounter, 100);
  // Exactly three draws per ball.
  const int next = crtRand();
  crtSrand(46346);
  for (int i = 0; i < 3; ++i) crtRand();
  EXPECT_EQ(next, crtRand());
}

TEST(StartupBall, BouncesOnTheNewPositionInOrder) {
  struct Case {
    const char* what;
    double x, y, vx, vy;
    double wantVx, wantVy;
  };
  // Desktop 300 x 200: right edge reached at x + 64 >= 300, bottom at y + 64 >= 200.
  const Case cases[] = {
      {"free flight", 100, 100, 6, 0, 6, 0},
      {"reaches the right edge exactly", 230, 50, 6, 0, -6, 0},
      {"one short of the right edge", 229, 50, 6, 0, 6, 0},
      {"past the bottom", 50, 135, 0, 6, 0, -6},
      {"reaches the left edge exactly", 6, 50, -6, 0, 6, 0},
      {"reaches the top past zero", 50, 3, 0, -6, 0, 6},
      {"corner: both turn", 234, 138, 3, 3, -3, -3},
      {"beyond the edge it turns even when heading back", 250, 50, -6, 0, 6, 0},
  };
  for (const Case& c : cases) {
    StartupBall ball(kQualityBall, 300, 200, nullptr, nullptr);
    ball.x = c.x;
    ball.y = c.y;
    ball.vx = c.vx;
    ball.vy = c.vy;
    ball.move();
    EXPECT_EQ(ball.x, c.x + c.vx) << c.what << ": the position is not clamped";
    EXPECT_EQ(ball.y, c.y + c.vy) << c.what;
    EXPECT_EQ(ball.vx, c.wantVx) << c.what;
    EXPECT_EQ(ball.vy, c.wantVy) << c.what;
  }
}

TEST(StartupBall, BothTestsOfAnAxisCanFireOnOneStep) {
  // A desktop narrower than a ball: x + 64 >= width and x <= 0 both hold,
  // so the speed turns twice and keeps its sign.
  StartupBall ball(kQualityBall, 50, 500, nullptr, nullptr);
  ball.x = -10;
  ball.vx = 4;
  ball.move();
  EXPECT_EQ(ball.vx, 4);
}

TEST(StartupBall, RendersAgainEveryTenthStep) {
  StartupBall ball(kQualityBall, 800, 600, nullptr, nullptr);
  std::vector<int> counters;
  for (int i = 0; i < 12; ++i) {
    ball.move();
    counters.push_back(ball.redrawCounter);
  }
  const std::vector<int> want = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1};
  EXPECT_EQ(counters, want);
}

TEST(StartupBall, RenderFollowsThePositionOnlyWhenDue) {
  StartupBall ball(kQualityBall, 800, 600, nullptr, nullptr);
  ball.x = 100;
  ball.y = 100;
  ball.vx = 6;
  ball.vy = 0;
  ball.move();  // counter was 100: renders at the new place
  const std::vector<uint32_t> first = ball.colourImage.pixels();
  ball.move();  // counter 0: no render
  EXPECT_EQ(ball.colourImage.pixels(), first);
  for (int i = 0; i < 9; ++i) ball.move();
  EXPECT_NE(ball.colourImage.pixels(), first) << "the tenth step renders the new place";
}

TEST(StartupBall, ClickCyclesTheValuesAndWraps) {
  FakeTextPainter painter;
  StartupBall resolution(kResolutionBall, 800, 600, nullptr, &painter);
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(resolution.click());
  EXPECT_EQ(resolution.value, 0);
  const std::vector<std::string> want = {"Resolution|windowed", "Resolution|640x480", "Resolution|800x600",
                                         "Resolution|1024x768", "Resolution|windowed"};
  EXPECT_EQ(labels(painter), want);

  FakeTextPainter qualityPainter;
  StartupBall quality(kQualityBall, 800, 600, nullptr, &qualityPainter);
  std::vector<int> values;
  for (int i = 0; i < 4; ++i) {
    quality.click();
    values.push_back(quality.value);
  }
  EXPECT_EQ(values, (std::vector<int>{1, 2, 0, 1})) << "quality wraps after high";
  EXPECT_EQ(labels(qualityPainter)[3], "Quality|low");
}

TEST(StartupBall, StartBallEndsInsteadOfStepping) {
  FakeTextPainter painter;
  StartupBall start(kStartBall, 800, 600, nullptr, &painter);
  EXPECT_EQ(labels(painter), std::vector<std::string>{"Start| "});
  EXPECT_TRUE(start.click());
  EXPECT_EQ(start.value, 0);
}

TEST(StartupBall, LabelsAreCentredAt32OnBaselines29And43) {
  FakeTextPainter painter;
  StartupBall ball(kQualityBall, 800, 600, nullptr, &painter);
  ASSERT_EQ(painter.calls.size(), 2u);
  EXPECT_EQ(painter.calls[0].x, 32);
  EXPECT_EQ(painter.calls[0].y, 29);
  EXPECT_EQ(painter.calls[1].x, 32);
  EXPECT_EQ(painter.calls[1].y, 43);
  EXPECT_EQ(painter.calls[0].align, TextPainter::Align::CentreBaseline);
  EXPECT_EQ(painter.calls[0].rgb, 0xFFFFFFu);
  // The fake marks its anchors in the label: everything else is black.
  EXPECT_EQ(ball.labelImage.atTop(32, 29), 0xFFFFFFu);
  EXPECT_EQ(ball.labelImage.atTop(31, 29), 0u);
}

TEST(StartupBall, StoredValuesAreLoadedAndUnknownOnesCountAsZero) {
  struct Case {
    const char* file;
    int kind;
    int want;
  };
  const Case cases[] = {
      {"Resolution=2\nQuality=1\nStart=0\n", kResolutionBall, 2},
      {"Resolution=2\nQuality=1\nStart=0\n", kQualityBall, 1},
      {"Resolution=3\n", kResolutionBall, 3},
      {"Resolution=4\n", kResolutionBall, 0},  // no text for 4
      {"Quality=3\n", kQualityBall, 0},
      {"Quality=-1\n", kQualityBall, 0},
      {"Start=1\n", kStartBall, 0},
      {"Resolution=2\ngarbage\n", kResolutionBall, 2},  // the bad line alone is ignored
  };
  for (const Case& c : cases) {
    TempDir dir;
    SettingsStore store(dir.write("settings", std::string(c.file)));
    StartupBall ball(c.kind, 800, 600, &store, nullptr);
    EXPECT_EQ(ball.value, c.want) << c.file << " kind " << c.kind;
  }
}

TEST(StartupBall, ValueTexts) {
  EXPECT_STREQ(ballName(kStartBall), "Start");
  EXPECT_STREQ(ballName(kResolutionBall), "Resolution");
  EXPECT_STREQ(ballName(kQualityBall), "Quality");
  EXPECT_STREQ(ballValueText(kResolutionBall, 3), "1024x768");
  EXPECT_STREQ(ballValueText(kQualityBall, 2), "high");
  EXPECT_EQ(ballValueText(kQualityBall, 3), nullptr);
  EXPECT_EQ(ballValueText(kStartBall, 1), nullptr);
  EXPECT_EQ(ballValueText(kResolutionBall, -1), nullptr);
  EXPECT_EQ(ballValueText(7, 0), nullptr);
}

// renderBall at known pixels. The numbers were worked out separately from
// the shading rule (sphere radius 32, light at (-100, 160, 200), lens u/v).
TEST(StartupBall, RenderBallPixels) {
  struct Case {
    int column, row;  // row counted from the bottom
    double x, y;      // ball position on a 200 x 200 desktop
    uint32_t colour;
  };
  const Case cases[] = {
      {32, 32, 68, 68, 0x4ABABA},  // centre, ball centred on the desktop
      {0, 32, 68, 68, 0x044747},   // exact rim: belongs to the ball (nz = 0)
      {50, 40, 68, 68, 0x001E1E},
      {10, 20, 68, 68, 0xB9FCFC},  // facing the light: nearly white-cyan
      {63, 32, 68, 68, 0x000000},  // far side: every component clamped to 0
      {32, 32, 10, 120, 0x8EE6E6}, // moved left and down: centre closer to the light
      {50, 40, 10, 120, 0x0A6060},
  };
  for (const Case& c : cases) {
    StartupBall ball(kQualityBall, 200, 200, nullptr, nullptr);
    ball.x = c.x;
    ball.y = c.y;
    ball.renderBall();
    EXPECT_EQ(ball.colourImage.at(c.column, c.row), c.colour)
        << "pixel " << c.column << "," << c.row << " at " << c.x << "," << c.y;
    EXPECT_EQ(ball.maskImage.at(c.column, c.row), 0u) << "inside the ball";
  }
}

TEST(StartupBall, RenderBallOutsideTheDiscIsMasked) {
  StartupBall ball(kQualityBall, 200, 200, nullptr, nullptr);
  const int outside[][2] = {{0, 0}, {63, 63}, {5, 50}, {0, 31}, {1, 40}};
  for (const auto& p : outside) {
    EXPECT_EQ(ball.maskImage.at(p[0], p[1]), 0xFFFFFFFFu) << p[0] << "," << p[1];
    EXPECT_EQ(ball.colourImage.at(p[0], p[1]), 0u) << p[0] << "," << p[1];
  }
  int inside = 0;
  for (uint32_t m : ball.maskImage.pixels()) inside += m == 0;
  // Integer points with k^2 + j^2 <= 32^2 for k, j in -32..31.
  int want = 0;
  for (int k = -32; k < 32; ++k)
    for (int j = -32; j < 32; ++j) want += k * k + j * j <= 1024;
  EXPECT_EQ(inside, want);
}

TEST(StartupBall, LabelShowsRedThroughTheLens) {
  StartupBall ball(kQualityBall, 200, 200, nullptr, nullptr);
  ball.x = 68;
  ball.y = 68;
  ball.labelImage.fill(0, 0, 64, 64, 0);
  ball.labelImage.at(32, 32) = 0xFF0000;  // seen at the centre, unmagnified
  ball.labelImage.at(37, 37) = 0x800000;  // seen from pixel (40, 40)
  ball.renderBall();
  EXPECT_EQ(ball.colourImage.at(32, 32), 0xFFBABAu) << "red saturates, green and blue unchanged";
  EXPECT_EQ(ball.colourImage.at(40, 40), 0x896060u);
  ball.labelImage.fill(0, 0, 64, 64, 0);
  ball.renderBall();
  EXPECT_EQ(ball.colourImage.at(32, 32), 0x4ABABAu);
}

TEST(StartupDialog, BallsInOrderResolutionQualityStart) {
  crtSrand(46346);
  OffscreenBitmap snapshot(320, 240);
  StartupDialog dialog(320, 240, snapshot, nullptr, nullptr);
  ASSERT_EQ(dialog.balls.size(), 3u);
  EXPECT_EQ(dialog.balls[0]->kind, kResolutionBall);
  EXPECT_EQ(dialog.balls[1]->kind, kQualityBall);
  EXPECT_EQ(dialog.balls[2]->kind, kStartBall);
  EXPECT_EQ(StartupDialog::current(), &dialog);
  // Nine draws in all, three per ball in ball order.
  crtSrand(46346);
  for (int i = 0; i < 3; ++i) crtRand();
  const int r1 = crtRand();
  EXPECT_DOUBLE_EQ(dialog.balls[1]->vx, std::cos(r1 * 2 * 3.1415926535 / 32767.0) * 6.0);
}

TEST(StartupDialog, IdleTurnsMoveOneBallEachStartingWithTheSecond) {
  OffscreenBitmap snapshot(640, 480);
  StartupDialog dialog(640, 480, snapshot, nullptr, nullptr);
  const int order[] = {1, 2, 0, 1};
  for (int turn : order) {
    std::vector<double> xs, vxs;
    for (auto& b : dialog.balls) {
      xs.push_back(b->x);
      vxs.push_back(b->vx);
    }
    dialog.animateNext();
    EXPECT_EQ(dialog.ballIndex, turn);
    for (int i = 0; i < 3; ++i) {
      const double want = i == turn ? xs[i] + vxs[i] : xs[i];
      EXPECT_EQ(dialog.balls[i]->x, want) << "ball " << i << " on the turn of ball " << turn;
    }
  }
}

TEST(StartupDialog, AnimateRestoresTheOldPlaceAndComposesTheBall) {
  OffscreenBitmap snapshot(400, 300);
  snapshot.fill(0, 0, 400, 300, 0x123456);
  StartupDialog dialog(400, 300, snapshot, nullptr, nullptr);
  StartupBall& ball = *dialog.balls[0];
  ball.x = 100;
  ball.y = 100;
  ball.vx = 6;
  ball.vy = 3;
  dialog.composite.fill(100, 100, 64, 64, 0xABCDEF);  // stale picture at the old place
  const DesktopRect r = dialog.animate(ball);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 100);
  EXPECT_EQ(r.right, 106 + 64);
  EXPECT_EQ(r.bottom, 103 + 64);
  EXPECT_EQ(dialog.composite.atTop(101, 101), 0x123456u) << "old place restored from the snapshot";
  EXPECT_EQ(dialog.composite.atTop(106, 103), 0x123456u) << "corner outside the disc shows the desktop";
  // The centre of the ball: (desktop & 0) | colour.
  EXPECT_EQ(dialog.composite.atTop(106 + 32, 103 + 31), ball.colourImage.atTop(32, 31));
  EXPECT_NE(dialog.composite.atTop(106 + 32, 103 + 31), 0x123456u);
}

TEST(StartupDialog, BallsNearTheEdgeAreClipped) {
  OffscreenBitmap snapshot(200, 150);
  StartupDialog dialog(200, 150, snapshot, nullptr, nullptr);
  StartupBall& ball = *dialog.balls[0];
  ball.x = 170;
  ball.y = 120;
  ball.vx = 6;
  ball.vy = 6;
  const DesktopRect r = dialog.animate(ball);
  EXPECT_EQ(r.right, 176 + 64) << "the rectangle itself is not clipped; the window clips";
  EXPECT_EQ(ball.vx, -6);
}

TEST(StartupDialog, FindBallPrefersTheLaterBall) {
  OffscreenBitmap snapshot(640, 480);
  StartupDialog dialog(640, 480, snapshot, nullptr, nullptr);
  for (auto& b : dialog.balls) {
    b->x = 300;
    b->y = 200;
  }
  dialog.balls[0]->x = 100;
  EXPECT_EQ(dialog.findBallAt(310, 210), dialog.balls[2].get());
  EXPECT_EQ(dialog.findBallAt(100, 200), dialog.balls[0].get()) << "top-left corner belongs to the ball";
  EXPECT_EQ(dialog.findBallAt(164, 200), nullptr) << "x + 64 is outside";
  EXPECT_EQ(dialog.findBallAt(50, 50), nullptr);
}

TEST(StartupDialog, ClickOnStartEndsAndOnlyAnEndedDialogSaves) {
  TempDir dir;
  const std::string path = dir.file("cfg/settings");
  SettingsStore store(path);
  OffscreenBitmap snapshot(640, 480);
  StartupDialog dialog(640, 480, snapshot, &store, nullptr);
  dialog.click(*dialog.balls[0]);
  dialog.click(*dialog.balls[0]);
  dialog.click(*dialog.balls[1]);
  EXPECT_FALSE(dialog.done);
  EXPECT_FALSE(dialog.save(store)) << "not done: nothing written";
  EXPECT_FALSE(std::filesystem::exists(path));
  dialog.click(*dialog.balls[2]);
  EXPECT_TRUE(dialog.done);
  EXPECT_EQ(dialog.resolution(), 2);
  EXPECT_EQ(dialog.quality(), 1);
  ASSERT_TRUE(dialog.save(store));
  EXPECT_EQ(wf::test::readTextFile(path), "Resolution=2\nQuality=1\nStart=0\n");
}

TEST(StartupDialog, ChoiceMapsToDisplaySettings) {
  struct Case {
    int resolution, quality;
    int width, height;
    bool fullScreen, switchMode;
  };
  const Case cases[] = {
      {0, 2, 200, 200, false, false}, {1, 0, 640, 480, true, true},  {2, 1, 800, 600, true, true},
      {3, 2, 1024, 768, true, true},  {4, 1, 0, 0, false, false},    {-1, 0, 0, 0, false, false},
  };
  for (const Case& c : cases) {
    DisplaySettings s;
    DialogResult r;
    r.resolution = c.resolution;
    r.quality = c.quality;
    EXPECT_EQ(applyDialogChoice(r, s), c.switchMode) << "resolution " << c.resolution;
    EXPECT_EQ(s.screenWidth, c.width) << "resolution " << c.resolution;
    EXPECT_EQ(s.screenHeight, c.height) << "resolution " << c.resolution;
    EXPECT_EQ(s.fullScreen, c.fullScreen) << "resolution " << c.resolution;
    EXPECT_EQ(s.detailLevel, c.quality) << "resolution " << c.resolution;
  }
}
