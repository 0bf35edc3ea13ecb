#include <algorithm>  // Required for: std::min()
#include <cmath>      // Required for: std::isfinite(), std::floor()
#include <vector>

#include "app/Runs.h"
#include "base/FileBuffer.h"
#include "music/ModEngine.h"
#include "music/ModuleInfo.h"
#include "music/Tables.h"
#include "music/WavWriter.h"

namespace wf {
namespace {

bool readModule(const std::string& path, ModEngine& engine) {
  FileBuffer file(path, false);
  if (file.failed()) {
    std::fprintf(stderr, "wolkenfahrt: cannot read module file '%s'\n", path.c_str());
    return false;
  }
  const LoadResult result = engine.load(file.data(), file.size());
  for (const std::string& note : result.notes) std::fprintf(stderr, "wolkenfahrt: %s: %s\n", path.c_str(), note.c_str());
  return true;
}

}  // namespace

int runModuleInfo(const std::string& path, std::FILE* out) {
  ModEngine engine;
  if (!readModule(path, engine)) return 2;
  const std::string json = moduleInfoJson(engine);
  std::fputs(json.c_str(), out);
  return std::fflush(out) == 0 ? 0 : 1;
}

int runModuleWav(const std::string& inPath, const std::string& outPath, double seconds) {
  if (!std::isfinite(seconds) || seconds < 0.0 || seconds > kMaxSongSeconds * 10) {
    std::fprintf(stderr, "wolkenfahrt: --seconds wants a time from 0 to %.0f, not %g\n", kMaxSongSeconds * 10, seconds);
    return 2;
  }
  ModEngine engine;
  if (!readModule(inPath, engine)) return 2;
  WavWriter wav;
  if (!wav.open(outPath)) {
    std::fprintf(stderr, "wolkenfahrt: cannot write '%s'\n", outPath.c_str());
    return 1;
  }
  uint64_t frames = static_cast<uint64_t>(std::floor(seconds * kOutputRate + 0.5));
  std::vector<int16_t> block(ModEngine::kBlockFrames * 2);
  while (frames > 0) {
    engine.renderBlock(block.data(), ModEngine::kBlockBytes);
    const uint64_t take = std::min<uint64_t>(frames, ModEngine::kBlockFrames);
    wav.write(block.data(), take);
    frames -= take;
  }
  if (!wav.close()) {
    std::fprintf(stderr, "wolkenfahrt: cannot write '%s'\n", outPath.c_str());
    return 1;
  }
  return 0;
}

}  // namespace wf
