#include "script/Declarations.h"

#include "core/Console.h"
#include "core/NumberText.h"
#include "core/Report.h"
#include "image/FrameBufferFilter.h"
#include "image/GlTexture.h"
#include "image/Sprite.h"
#include "music/ModPlayer.h"
#include "scene/ObjectRegistry.h"
#include "scene/PlacedObject.h"
#include "scene/SceneDeclarations.h"
#include "script/Script.h"

namespace wf {
namespace {

StringLetterBuilder letterBuilder = nullptr;

// OBJECT: an empty group node. The argument "Base" gives one without the
// default parent (the PlacedObject constructor sees to that).
std::unique_ptr<SceneObject> createGroup(const ScriptRecord& record) {
  return std::make_unique<PlacedObject>(record.argument);
}

std::unique_ptr<SceneObject> createSprite(const ScriptRecord& record) {
  return std::make_unique<Sprite>(record.argument);
}

std::unique_ptr<SceneObject> createTexture(const ScriptRecord& record) {
  return std::make_unique<GlTexture>(record.argument);
}

std::unique_ptr<SceneObject> createFilter(const ScriptRecord& record) {
  return std::make_unique<FrameBufferFilter>(record.argument);
}

// STRING: the group, constructed with the declared name (so it needs no
// renaming), then its letters.
void declareString(Script& script, const ScriptRecord& record) {
  ObjectRegistry* registry = script.registry();
  if (!registry) return;
  PlacedObject* group = registry->add(std::make_unique<PlacedObject>(record.name));
  if (letterBuilder) letterBuilder(*registry, *group, record.argument);
}

// INTEGER: a script variable with the argument's integer value; nothing is
// registered.
void declareInteger(Script& script, const ScriptRecord& record) {
  VariableTable& variables = script.variables();
  if (variables.full()) {
    script.reportError("Zuviele Variablen", record.line);
    return;
  }
  variables.addVariable(parseAtoi(record.argument), record.name);
}

// AUDIO: the module goes to the music player (which stops playing first);
// nothing is registered, and the console line comes after the loading, whatever
// its outcome. Playback starts only with PLAYMOD.
void declareAudio(Script&, const ScriptRecord& record) {
  if (ModPlayer* player = ModPlayer::current()) player->loadModule(record.argument);
  consolePrint(record.name, 1);
  consoleAppend(" new Audiostream.", 1);
}

// Scene types: the scene code creates, registers and names the object itself.
template <SceneObject* (*Make)(ObjectRegistry&, const std::string&, const std::string&)>
void declareSceneObject(Script& script, const ScriptRecord& record) {
  if (ObjectRegistry* registry = script.registry()) Make(*registry, record.name, record.argument);
}

// One row per declaration type.
const DeclarationType kDeclarationTypes[] = {
    {kind::kObject, " neues Dummy.", createGroup, nullptr},
    {kind::kString, " neue Zeichenfolge.", nullptr, declareString},
    {kind::kInteger, " neues Integer.", nullptr, declareInteger},
    {kind::kSprite, " neues Sprite", createSprite, nullptr},
    {kind::kTexture, " neue Texture", createTexture, nullptr},
    {kind::kFilter, " neuer Filter", createFilter, nullptr},
    {kind::kAudio, nullptr, nullptr, declareAudio},  // prints its line after loading
    // MODEL prints no name line: the loader prints one line per part.
    {kind::kModel, nullptr, nullptr, declareSceneObject<declareModel>},
    {kind::kLight, " neues Light.", nullptr, declareSceneObject<declareLight>},
    {kind::kBaum, " neuer Baum", nullptr, declareSceneObject<declareTree>},
    {kind::kHeightfield, " neue Landscape", nullptr, declareSceneObject<declareHeightfield>},
    {kind::kSkelett, " neues Skelett", nullptr, declareSceneObject<declareSkeleton>},
};

}  // namespace

void setStringLetterBuilder(StringLetterBuilder builder) { letterBuilder = builder; }

const DeclarationType* findDeclarationType(int kind) {
  for (const DeclarationType& type : kDeclarationTypes)
    if (type.kind == kind) return &type;
  return nullptr;
}

bool isDeclarationKind(int kind) { return (kind >= 4 && kind <= 10) || (kind >= 13 && kind <= 17); }

void executeDeclaration(Script& script, const ScriptRecord& record) {
  const DeclarationType* type = findDeclarationType(record.kind);
  if (!type) {
    logDiagnostic("declaration of type " + script.keywords().keyword(record.kind) + " (" + record.name +
                  ") is not supported by this build");
    return;
  }
  if (type->consoleText) {
    consolePrint(record.name, 1);
    consoleAppend(type->consoleText, 1);
  }
  if (type->declare) {
    type->declare(script, record);
    return;
  }
  ObjectRegistry* registry = script.registry();
  if (!registry || !type->create) return;
  SceneObject* object = registry->add(type->create(record));
  object->name = record.name;
}

}  // namespace wf
