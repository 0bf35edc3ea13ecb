// The module composer: turns a text score into a four-channel MOD file.
//
// Depends on: SampleSynth (the instruments), music/ModWriter (the file
// layout), music/ModuleLoader (the engine's period-to-note conversion, which
// decides the periods written). The score format is described in
// docs/module-composer.md; in short:
//
//   title Wolkenfahrt             ; the module title (20 characters)
//   speed 6                       ; written as F06 into row 00 of the first pattern played
//   tempo 120                     ; written as F78 there too
//   instrument 01 kick kick decay=0.3 volume=60
//   track groove                  ; one channel's rows, for reuse
//   00 C-3 01 ...
//   pattern 00
//   use 1 groove                  ; channel 1 (of 1..4) plays the track
//   use 3 tune 07                 ; ... with every sample number swapped for 07
//   00 |            | C-1 05 ... |            | D-2 07 C20
//   order 00 00 01
//
// Every malformed line gives an error "FILE:LINE: message"; the composer
// reads on to report as many as it can (at most kMaxScoreErrors) and builds
// nothing when there was any.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "music/ModWriter.h"

namespace wf {

constexpr int kMaxScoreErrors = 50;
constexpr int kMaxScorePatterns = 64;  // "M.K." modules hold at most 64 patterns

struct ScoreResult {
  std::vector<std::string> errors;  // "FILE:LINE: message", in line order
  std::vector<uint8_t> bytes;       // the MOD file; empty when there were errors
  bool ok() const { return errors.empty(); }
};

ScoreResult compileScore(const std::string& text, const std::string& fileName);

// The period the composer writes for a note (0 = C-0 .. 59 = B-4): the
// table's period when the engine's loader reads it back as that note,
// otherwise the nearest period that it does read as that note.
int periodForSemitone(int semitone);

// wf-modcompose SCORE OUT: 0 written, 1 errors in the score (listed on
// `err`), 2 the score could not be read or the module not written.
int runModCompose(const std::string& scorePath, const std::string& outPath, std::FILE* err);

}  // namespace wf
