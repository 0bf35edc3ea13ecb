// The bundled production's score compiles, and the engine plays it with the
// section times the production's script is timed against.
#include <gtest/gtest.h>

#include "modcompose/ScoreCompiler.h"
#include "music/ModEngine.h"
#include "music/Tables.h"
#include "support/TempDir.h"

namespace wf {
namespace {

TEST(ProductionMusic, SectionsStartWhereTheScriptExpectsThem) {
  const ScoreResult score =
      compileScore(test::readTextFile(std::string(WF_SOURCE_DIR) + "/production/music/wolkenfahrt.score"), "w");
  ASSERT_TRUE(score.ok()) << score.errors.front();
  ModEngine engine;
  engine.load(score.bytes.data(), score.bytes.size());
  EXPECT_EQ(engine.module().title, "Wolkenfahrt");
  // Start of each order position in seconds, as the score's header lists them.
  const double starts[] = {0.000,  7.993,  15.987, 23.980, 31.974, 39.967, 47.961,
                           55.954, 59.951, 67.944, 75.938, 83.931, 91.925};
  struct OrderStarts : StepObserver {
    void afterStep(const ModEngine& e, int64_t startFrame) override {
      if (e.lastStepPlayedRow() && e.playingRow() == 0 && seconds.size() == static_cast<size_t>(e.playingOrder()))
        seconds.push_back(static_cast<double>(startFrame) / kOutputRate);
    }
    std::vector<double> seconds;
  } observer;
  engine.setStepObserver(&observer);
  while (engine.framesRendered() < 101 * kOutputRate) engine.skipBlock(ModEngine::kBlockBytes);
  engine.setStepObserver(nullptr);
  ASSERT_EQ(observer.seconds.size(), std::size(starts));
  for (size_t i = 0; i < std::size(starts); ++i) EXPECT_NEAR(observer.seconds[i], starts[i], 0.001) << "order " << i;
  EXPECT_NEAR(static_cast<double>(engine.framesUntilRepeat(44100 * 600)) / kOutputRate, 100.918, 0.001) << "the loop";
}

}  // namespace
}  // namespace wf
