// JSON views of the music subsystem: a module's facts for --module-info and
// the player's state for scene dumps.
#pragma once
#include <string>

#include "music/ModEngine.h"

namespace wf {

class ModPlayer;

// The longest time the song-length search plays before giving up.
constexpr double kMaxSongSeconds = 30.0 * 60.0;

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
