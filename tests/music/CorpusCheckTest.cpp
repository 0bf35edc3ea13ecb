// Optional checks against real modules from other projects, kept outside
// this repository (../shared/corpus/mod beside the source tree). Skipped when
// the folder is absent. The durations are what an established player
// (openmpt123 --info) reports; ri-li_menu.mod runs at tempo 133, where the
// truncated tick length (828 instead of 828.95 frames) makes this engine's
// song 0.07 s shorter, deliberately.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "music/ModuleTools.h"
#include "platform/FileBuffer.h"

namespace wf {
namespace {

std::string corpusDir() {
  const char* data = std::getenv("WF_TEST_DATA");  // <source>/tests/data
  if (!data) return "";
  // lexically: tests/data itself need not exist.
  const std::filesystem::path dir =
      (std::filesystem::path(data) / ".." / ".." / ".." / "shared" / "corpus" / "mod").lexically_normal();
  return std::filesystem::is_directory(dir) ? dir.string() : "";
}

TEST(CorpusCheck, SongDurationsAgreeWithAnEstablishedPlayer) {
  const std::string dir = corpusDir();
  if (dir.empty()) GTEST_SKIP() << "no module corpus beside the source tree";
  const struct {
    const char* file;
    double seconds;
    double tolerance;
  } cases[] = {
      {"circuslinux_finally.mod", 101.639, 0.002}, {"circuslinux_hiscore.mod", 38.399, 0.002},
      {"jumpnbump_jump.mod", 14.079, 0.002},        {"tecnoballz_high-score.mod", 69.119, 0.002},
      {"tecnoballz_over-theme.mod", 92.160, 0.002}, {"ri-li_menu.mod", 79.376, 0.08},
  };
  for (const auto& c : cases) {
    const std::string path = dir + "/" + c.file;
    FileBuffer file(path, false);
    if (file.failed()) {
      ADD_FAILURE() << "cannot read " << path;
      continue;
    }
    ModEngine engine;
    engine.load(file.data(), file.size());
    const double seconds = engine.framesUntilRepeat(44100 * 1800) / 44100.0;
    EXPECT_NEAR(seconds, c.seconds, c.tolerance) << c.file;
    // And the whole song renders (under the sanitizers in that build).
    std::vector<int16_t> block(ModEngine::kBlockFrames * 2);
    for (int b = 0; b < 150; ++b) engine.renderBlock(block.data(), ModEngine::kBlockBytes);
  }
}

}  // namespace
}  // namespace wf
