// The engine built anew from its files and brought to a point of its
// timeline without drawing: what the live reload and the seek keys of
// interactive play do. One function for both, on the same fast-forward as
// the headless runs that start later on (FastForward.h).
#pragma once
#include <memory>
#include <string>

#include "app/DemoApp.h"

namespace wf {

// A new engine over `platform` after `scriptSteps` clock steps that ran the
// script (FrameClock::scriptSteps() of the engine it replaces). The clock
// goes on from now; a module that plays goes on at the output frame its
// PLAYMOD's time gives. Null when no OpenGL context could be made. Build it
// only after the engine it replaces is gone: one engine at a time.
std::unique_ptr<DemoApp> buildEngineAt(const std::string& commandLine, MainWindow& window, DemoPlatform platform,
                                       long long scriptSteps);

// The output frame of the music after the script's steps so far: the steps
// since the PLAYMOD that started the playing module, 441 frames each; -1
// when no module plays.
long long musicFrameOfTimeline(const Script& script, bool playing);

}  // namespace wf
