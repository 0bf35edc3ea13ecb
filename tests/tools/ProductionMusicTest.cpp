// The bundled production's score compiles, and the engine plays it with the
// section times the production's script is timed against.
#include <gtest/gtest.h>

#include "modcompose/ScoreCompiler.h"
#include "music/ModEngine.h"
#include "support/TempDir.h"

namespace wf {
namespace {

TEST(ProductionMusic, SectionsStartWhereTheScriptExpectsThem) {
  const ScoreResult score =
      compileScore(test::readTextFile(std::string(WF_SOURCE_DIR) + "/production/music/wolkenfahrt.score"), "w");
  ASSERT_TRUE(score.ok()) << score.errors.front();
  ModEngine engine;
  engine.load(score.bytes.data(), score.bytes.size());
  // Start of each order position in seconds, as the score's header lists them, and the end.
  const double want[] = {0.000,  7.993,  15.987, 23.980, 31.974, 39.967, 47.961,
                         55.954, 59.951, 67.944, 75.938, 83.931, 91.925, 100.918};
  struct OrderStarts : StepObserver {
    void afterStep(const ModEngine& e, int64_t startFrame) override {
      if (e.lastStepPlayedRow() && e.playingRow() == 0 && seconds.size() == static_cast<size_t>(e.playingOrder()))
        seconds.push_back(static_cast<double>(startFrame) / 44100.0);
    }
    std::vector<double> seconds;
  } starts;
  engine.setStepObserver(&starts);
  while (engine.framesRendered() < 101 * 44100) engine.skipBlock(ModEngine::kBlockBytes);
  engine.setStepObserver(nullptr);
  starts.seconds.push_back(static_cast<double>(engine.framesUntilRepeat(44100 * 600)) / 44100.0);
  ASSERT_EQ(starts.seconds.size(), std::size(want));
  for (size_t i = 0; i < std::size(want); ++i) EXPECT_NEAR(starts.seconds[i], want[i], 0.001) << "order " << i;
}

}  // namespace
}  // namespace wf
