// One short function per way of running the engine.
#pragma once
#include "core/Options.h"

namespace wf {

int runInteractive(const Options& options);
int runRender(const Options& options);
int runDumpScene(const Options& options);

}  // namespace wf
