// The bundled production's score: it compiles, and the engine plays it with
// the section times the production's script is timed against, at a sound
// level that is neither silent nor clipping, with both sides about equally
// loud, a break that drops and a finale that lifts, fading out into its loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "modcompose/ScoreCompiler.h"
#include "music/ModEngine.h"
#include "music/ModuleInfo.h"
#include "music/Tables.h"
#include "support/TempDir.h"

namespace wf {
namespace {

const std::string kScorePath = std::string(WF_SOURCE_DIR) + "/production/music/wolkenfahrt.score";

// Start of each order position in seconds, as listed in the score's header.
const double kSectionStarts[] = {0.000,  7.993,  15.987, 23.980, 31.974, 39.967, 47.961,
                                 55.954, 59.951, 67.944, 75.938, 83.931, 91.925};
constexpr double kSongSeconds = 100.918;

class ProductionMusic : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string score = test::readTextFile(kScorePath);
    ASSERT_FALSE(score.empty()) << "cannot read " << kScorePath;
    result_ = compileScore(score, "wolkenfahrt.score");
    ASSERT_TRUE(result_.ok()) << result_.errors.front();
    engine_.load(result_.bytes.data(), result_.bytes.size());
    ASSERT_TRUE(engine_.loaded());
  }

  ScoreResult result_;
  ModEngine engine_;
};

TEST_F(ProductionMusic, ScoreCompilesIntoTheModule) {
  const Module& m = engine_.module();
  EXPECT_EQ(m.title, "Wolkenfahrt");
  EXPECT_EQ(m.songLength, 13);
  const std::vector<std::string> effects = effectsUsed(m);
  for (const char* needed : {"0", "1", "2", "3", "4", "A", "C", "D", "F"})
    EXPECT_NE(std::find(effects.begin(), effects.end(), needed), effects.end()) << "effect " << needed;
  // The song's own timing is set again at every start of the loop.
  bool speed = false, tempo = false;
  for (int c = 0; c < kChannels; ++c) {
    const PatternCell& cell = m.cell(m.orders[0], 0, c);
    speed = speed || (cell.effect == 0xF && cell.param == 6);
    tempo = tempo || (cell.effect == 0xF && cell.param == 120);
  }
  EXPECT_TRUE(speed && tempo);
}

TEST_F(ProductionMusic, SectionsStartWhereTheScriptExpectsThem) {
  class OrderStarts : public StepObserver {
   public:
    void afterStep(const ModEngine& engine, int64_t startFrame) override {
      if (engine.lastStepPlayedRow() && engine.playingRow() == 0 && starts.size() == static_cast<size_t>(engine.playingOrder()))
        starts.push_back(static_cast<double>(startFrame) / kOutputRate);
    }
    std::vector<double> starts;
  } observer;
  engine_.setStepObserver(&observer);
  while (engine_.framesRendered() < static_cast<int64_t>(kSongSeconds * kOutputRate)) engine_.skipBlock(ModEngine::kBlockBytes);
  engine_.setStepObserver(nullptr);
  ASSERT_EQ(observer.starts.size(), std::size(kSectionStarts));
  for (size_t i = 0; i < observer.starts.size(); ++i)
    EXPECT_NEAR(observer.starts[i], kSectionStarts[i], 0.001) << "order " << i;

  const double seconds = static_cast<double>(engine_.framesUntilRepeat(44100 * 600)) / kOutputRate;
  EXPECT_NEAR(seconds, kSongSeconds, 0.001);
  EXPECT_GE(seconds, 90.0);
  EXPECT_LE(seconds, 110.0);
}

TEST_F(ProductionMusic, EverySectionIsAudibleAndNothingClips) {
  struct Level {
    double sum = 0.0, left = 0.0, right = 0.0;
    int64_t frames = 0;
    int peak = 0;
    double rms() const { return frames ? std::sqrt(sum / frames) : 0.0; }
    double leftOverRightDb() const { return 10.0 * std::log10(left / right); }
  };
  std::vector<Level> sections(std::size(kSectionStarts));
  Level head, tail;  // the first quarter second and the last second
  std::vector<int16_t> block(ModEngine::kBlockFrames * 2);
  const int64_t total = static_cast<int64_t>(kSongSeconds * kOutputRate);
  int64_t frame = 0;
  while (frame < total) {
    engine_.renderBlock(block.data(), ModEngine::kBlockBytes);
    for (int i = 0; i < ModEngine::kBlockFrames && frame < total; ++i, ++frame) {
      const double t = static_cast<double>(frame) / kOutputRate;
      size_t s = 0;
      while (s + 1 < sections.size() && t >= kSectionStarts[s + 1]) ++s;
      const int left = block[2 * static_cast<size_t>(i)], right = block[2 * static_cast<size_t>(i) + 1];
      for (Level* level : {&sections[s], t < 0.25 ? &head : nullptr, t >= kSongSeconds - 1.0 ? &tail : nullptr}) {
        if (!level) continue;
        level->sum += 0.5 * (static_cast<double>(left) * left + static_cast<double>(right) * right);
        level->left += static_cast<double>(left) * left;
        level->right += static_cast<double>(right) * right;
        level->frames += 1;
        level->peak = std::max({level->peak, std::abs(left), std::abs(right)});
      }
    }
  }
  double loudest = 0.0;
  for (size_t s = 0; s < sections.size(); ++s) {
    EXPECT_GT(sections[s].rms(), 700.0) << "section " << s << " is too quiet";
    EXPECT_LT(sections[s].peak, 20000) << "section " << s << " peaks too high";
    EXPECT_LT(std::abs(sections[s].leftOverRightDb()), 3.0) << "section " << s << " leans to one side";
    loudest = std::max(loudest, sections[s].rms());
  }
  // Sections 4..6 are the themes, 8 the break, 10 and 11 the finale.
  const double themes = std::max({sections[4].rms(), sections[5].rms(), sections[6].rms()});
  EXPECT_LT(sections[8].rms(), 0.5 * sections[4].rms()) << "the break does not drop";
  EXPECT_GT(std::min(sections[10].rms(), sections[11].rms()), 1.15 * themes) << "the finale does not lift";
  // The loop point: the outro fades out and the intro swells in from quiet.
  EXPECT_LT(tail.rms(), loudest / 4.0);
  EXPECT_LT(head.rms(), loudest / 4.0);
}

}  // namespace
}  // namespace wf
