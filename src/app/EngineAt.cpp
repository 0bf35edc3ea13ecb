#include "app/EngineAt.h"

#include "app/FastForward.h"
#include "base/FrameClock.h"
#include "music/ModPlayer.h"
#include "music/Tables.h"
#include "script/Script.h"

namespace wf {

long long musicFrameOfTimeline(const Script& script, bool playing) {
  if (!playing) return -1;
  int started = -1;  // the step of the last PLAYMOD that ran
  int stopped = -1;
  for (int i = 0; i < script.recordCount(); ++i) {
    const ScriptRecord& r = script.record(i);
    if (r.kind != kind::kCall || r.lastRun < 0) continue;
    const int call = script.keywords().lookupCall(r.name);
    if (call == kind::kPlayMod && r.lastRun > started) started = r.lastRun;
    if (call == kind::kStopMod && r.lastRun > stopped) stopped = r.lastRun;
  }
  if (started < 0 || stopped > started) return -1;
  const long long framesPerStep = kOutputRate / 100;
  return static_cast<long long>(script.stepsRun() - started) * framesPerStep;
}

std::unique_ptr<DemoApp> buildEngineAt(const std::string& commandLine, MainWindow& window, DemoPlatform platform,
                                       long long scriptSteps) {
  auto app = std::make_unique<DemoApp>(commandLine, window, std::move(platform));
  if (!app->ready()) return nullptr;
  fastForward(*app, scriptSteps, TimelinePace{});
  app->clock().resync();
  // A device that plays in real time has played only the fast-forward's
  // few real milliseconds: move the music to where the timeline stands.
  SoundOutput* output = app->music().output();
  if (output && !output->keepsTimeline()) {
    const long long frame = musicFrameOfTimeline(app->script(), app->music().isPlaying());
    if (frame >= 0) app->music().playFrom(frame);
  }
  return app;
}

}  // namespace wf
