#include "app/SceneDump.h"

#include <cerrno>   // Required for: errno
#include <cstdio>   // Required for: fopen(), fwrite()
#include <cstring>  // Required for: strerror()

#include "base/Console.h"
#include "base/DisplaySettings.h"
#include "base/Json.h"
#include "scene/ObjectRegistry.h"
#include "scene/PlacedObject.h"
#include "script/Script.h"

namespace wf {
namespace {

void writeMatrix(JsonWriter& json, const Matrix4& matrix) {
  double rows[16];
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) rows[r * 4 + c] = matrix.m[r][c];
  json.numbers(rows, 16);
}

// The index of a referenced object, or null when it is not registered.
void writeReference(JsonWriter& json, const ObjectRegistry& registry, const SceneObject* object) {
  const int index = object ? registry.indexOf(object) : -1;
  if (index < 0)
    json.null();
  else
    json.value(index);
}

void writeObject(JsonWriter& json, const ObjectRegistry& registry, int index, bool geometry) {
  const SceneObject& object = *registry.at(index);
  json.beginObject();
  json.key("index").value(index);
  json.key("name").value(object.name);
  json.key("class").value(object.className());
  json.key("source").value(object.source);
  json.key("weight").value(object.weight);
  json.key("active").value(object.active);
  if (const PlacedObject* placed = object.asPlaced()) {
    json.key("parent");
    writeReference(json, registry, placed->parent);
    json.key("texture");
    if (placed->texture == PlacedObject::noTexture())
      json.value("none");
    else
      writeReference(json, registry, placed->texture);
    json.key("transform");
    writeMatrix(json, placed->transform);
    json.key("colorTransform");
    writeMatrix(json, placed->colorTransform);
    json.key("world");
    writeMatrix(json, placed->worldTransform());
  } else {
    // Objects outside the hierarchy (the filter) have none of these.
    for (const char* key : {"parent", "texture", "transform", "colorTransform", "world"}) json.key(key).null();
  }
  object.dumpExtra(json, geometry);
  json.endObject();
}

void writeTimeline(JsonWriter& json, const Script* script) {
  json.beginObject();
  json.key("recordCount").value(script ? script->recordCount() : 0);
  json.key("nextRecord").value(script ? script->nextRecord() : 0);
  json.key("active").beginArray(true);
  if (script)
    for (int index : script->activeIndices()) json.value(index);
  json.endArray();
  json.key("records").beginArray();
  for (int i = 0; script && i < script->recordCount(); ++i) {
    const ScriptRecord& r = script->record(i);
    json.beginObject(true);
    json.key("line").value(r.line);
    json.key("delay").value(r.delay);
    json.key("ttl").value(r.ttl);
    json.key("name").value(r.name);
    json.key("letter").value(r.letter ? std::string(1, r.letter) : std::string());
    json.key("kind").value(r.kind);
    json.key("argument").value(r.argument);
    json.endObject();
  }
  json.endArray();
  json.endObject();
}

}  // namespace

void writeSceneDump(JsonWriter& json, const SceneDumpInput& input) {
  const DisplaySettings& display = input.display ? *input.display : displaySettings();
  json.beginObject();
  json.key("steps").value(static_cast<int64_t>(input.steps));
  json.key("timeCounter").value(input.console ? input.console->timeCounter() : 0);
  json.key("detailLevel").value(display.detailLevel);
  json.key("screen").beginObject(true);
  json.key("width").value(display.screenWidth);
  json.key("height").value(display.screenHeight);
  json.endObject();

  json.key("objects").beginArray();
  if (input.registry)
    for (int i = 0; i < input.registry->count(); ++i) writeObject(json, *input.registry, i, input.geometry);
  json.endArray();

  json.key("variables").beginArray();
  if (input.script) {
    const VariableTable& variables = input.script->variables();
    for (int i = 0; i < variables.count(); ++i) {
      json.beginObject(true);
      json.key("name").value(variables.variable(i).name);
      json.key("value").value(variables.variable(i).value);
      json.endObject();
    }
  }
  json.endArray();

  json.key("timeline");
  writeTimeline(json, input.script);

  json.key("console").beginArray();
  if (input.console) {
    for (const auto& line : input.console->storedLines()) {
      json.beginObject(true);
      json.key("level").value(line.first);
      json.key("text").value(line.second);
      json.endObject();
    }
  }
  json.endArray();

  json.key("music");
  if (input.musicJson && !input.musicJson->empty())
    json.raw(*input.musicJson);
  else
    json.null();
  json.endObject();
}

std::string sceneDumpText(const SceneDumpInput& input) {
  JsonWriter json;
  writeSceneDump(json, input);
  return json.text();
}

bool writeDumpFile(const std::string& path, const std::string& text, std::string& error) {
  const bool toStdout = path == "-";
  std::FILE* file = toStdout ? stdout : std::fopen(path.c_str(), "wb");
  if (!file) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  const bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
  if (!ok) error = "cannot write " + path + ": " + std::strerror(errno);
  if (!toStdout && std::fclose(file) != 0 && ok) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  return ok;
}

}  // namespace wf
