// Entry point: seeds the shared random generator, reads the command line and
// hands over to the chosen run.
#include <cstdio>
#include <string>
#include <vector>

#include "app/Options.h"
#include "app/Runs.h"
#include "base/Random.h"

int main(int argc, char** argv) {
  // Before anything draws from it; trees and textures reseed it themselves.
  wf::crtSrand(46346);

  std::vector<std::string> args(argv + 1, argv + argc);
  wf::Options options;
  std::string error;
  if (!wf::parseOptions(args, options, error)) {
    std::fprintf(stderr, "wolkenfahrt: %s\n%s", error.c_str(), wf::usageText().c_str());
    return 2;
  }
  switch (options.run) {
    case wf::RunKind::Help:
      std::fputs(wf::usageText().c_str(), stdout);
      return 0;
    case wf::RunKind::Version:
      std::printf("wolkenfahrt %s\n", WF_VERSION);
      return 0;
    case wf::RunKind::Render:
      return wf::runRender(options);
    case wf::RunKind::DumpScene:
      return wf::runDumpScene(options);
    case wf::RunKind::Interactive:
      return wf::runPlay(options);
    case wf::RunKind::Check:
      return wf::runCheck(options.inputs.empty() ? "mohn.cs" : options.inputs[0], options.quality);
    case wf::RunKind::Timeline:
      return wf::runTimeline(options.output, options.inputs.empty() ? "mohn.cs" : options.inputs[0], options.quality);
    case wf::RunKind::TexturePng:
      return wf::runTexturePng(options.output, options.inputs);
    case wf::RunKind::ModuleInfo:
      return wf::runModuleInfo(options.inputs[0], stdout);
    case wf::RunKind::ModuleWav:
      return wf::runModuleWav(options.inputs[0], options.output, options.seconds);
    default:
      std::fprintf(stderr, "wolkenfahrt: this run is not available in this build\n");
      return 2;
  }
}
