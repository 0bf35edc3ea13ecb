// Command-line runs and JSON views of the music subsystem.
//
//   wolkenfahrt --module-info IN.mod           -> runModuleInfo(IN, stdout)
//   wolkenfahrt --module-wav IN.mod OUT.wav --seconds S -> runModuleWav(IN, OUT, S)
//
// Both read the file without the sound device (the player counts as
// initialised for them) and render through the same ModEngine::renderBlock
// as the demo. Exit statuses: 0 success, 1 the output file could not be
// written, 2 bad arguments or an unreadable module (with a message on stderr
// naming the file).
#pragma once
#include <cstdio>
#include <string>

#include "music/ModEngine.h"

namespace wf {

class ModPlayer;

// The longest time the song-length search plays before giving up.
constexpr double kMaxSongSeconds = 30.0 * 60.0;

int runModuleInfo(const std::string& path, std::FILE* out);
int runModuleWav(const std::string& inPath, const std::string& outPath, double seconds);
// The same with the --seconds argument as typed: a plain decimal number,
// nothing else (status 2 otherwise).
int runModuleWav(const std::string& inPath, const std::string& outPath, const std::string& secondsText);

// Title, samples, orders, effects used and duration of the engine's module,
// as one JSON object. Rewinds the engine.
std::string moduleInfoJson(ModEngine& engine);

// The player's state for the scene dump: one JSON object (integers as
// integers, other numbers with 17 significant digits).
std::string musicStateJson(const ModPlayer& player);

// Names of the effects the song's patterns use: "0".."F" (0 only with a
// non-zero parameter), extended effects as "E0".."EF"; sorted.
std::vector<std::string> effectsUsed(const Module& module);

}  // namespace wf
