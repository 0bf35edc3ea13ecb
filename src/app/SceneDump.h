// "--dump-scene": the state of a run as one JSON document.
//
// Keys, in this order: steps (asked for), timeCounter (every script step
// that ran, nested ones included), detailLevel, screen {width, height},
// objects (registry order: index, name, class, source, weight, active,
// parent index or null, texture index / "none" / null, transform,
// colorTransform and world as 16 numbers row by row, then what the object's
// class adds through dumpExtra), variables [{name, value}], timeline
// {recordCount, nextRecord, active (record indices, list order), records
// [{line, delay, ttl, name, letter ("" when unset), kind, argument}]},
// console [{level, text}] (every stored line) and music (the player's own
// JSON text, or null).
#pragma once
#include <string>

namespace wf {

class ConsoleLog;
class JsonWriter;
class ObjectRegistry;
class Script;
struct DisplaySettings;

struct SceneDumpInput {
  const ObjectRegistry* registry = nullptr;  // null: no objects
  const Script* script = nullptr;            // null: no variables, empty timeline
  const ConsoleLog* console = nullptr;       // null: counter 0, no lines
  const DisplaySettings* display = nullptr;  // null: the process-wide settings
  long long steps = 0;                       // the number of clock steps asked for
  bool geometry = false;                     // mesh vertices and triangles too
  const std::string* musicJson = nullptr;    // a complete JSON value, or null
};

void writeSceneDump(JsonWriter& json, const SceneDumpInput& input);
std::string sceneDumpText(const SceneDumpInput& input);

// Writes the text to the file, or to stdout for "-". False with a message
// in `error` when the file cannot be written.
bool writeDumpFile(const std::string& path, const std::string& text, std::string& error);

}  // namespace wf
