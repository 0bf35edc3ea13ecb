#include "app/DeclarationTable.h"

#include "base/Console.h"
#include "base/NumberText.h"
#include "base/Report.h"
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

// OBJECT: an empty group node. The argument "Base" gives one without the
// default parent (the PlacedObject constructor sees to that).
std::unique_ptr<SceneObject> createGroup(const ScriptRecord& record, const DeclarationTarget&) {
  return std::make_unique<PlacedObject>(record.argument);
}

std::unique_ptr<SceneObject> createSprite(const ScriptRecord& record, const DeclarationTarget& target) {
  return std::make_unique<Sprite>(record.argument, target.images);
}

std::unique_ptr<SceneObject> createTexture(const ScriptRecord& record, const DeclarationTarget& target) {
  return std::make_unique<GlTexture>(record.argument, target.images);
}

std::unique_ptr<SceneObject> createFilter(const ScriptRecord& record, const DeclarationTarget&) {
  return std::make_unique<FrameBufferFilter>(record.argument);
}

// STRING: the group, constructed with the declared name (so it needs no
// renaming), then its letters.
void declareString(Script&, const ScriptRecord& record, const DeclarationTarget& target) {
  if (!target.registry) return;
  PlacedObject* group = target.registry->add(std::make_unique<PlacedObject>(record.name));
  buildStringLetters(*target.registry, *group, record.argument, target.images);
}

// INTEGER: a script variable with the argument's integer value; nothing is
// registered.
void declareInteger(Script& script, const ScriptRecord& record, const DeclarationTarget&) {
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
void declareAudio(Script&, const ScriptRecord& record, const DeclarationTarget& target) {
  if (target.music) target.music->loadModule(record.argument);
  consolePrint(record.name, 1);
  consoleAppend(" new Audiostream.", 1);
}

// Scene types: the scene code creates, registers and names the object itself.
template <SceneObject* (*Make)(ObjectRegistry&, const std::string&, const std::string&)>
void declareSceneObject(Script&, const ScriptRecord& record, const DeclarationTarget& target) {
  if (target.registry) Make(*target.registry, record.name, record.argument);
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

const DeclarationType* findDeclarationType(int kind) {
  for (const DeclarationType& type : kDeclarationTypes)
    if (type.kind == kind) return &type;
  return nullptr;
}

void executeDeclaration(Script& script, const ScriptRecord& record, const DeclarationTarget& target) {
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
    type->declare(script, record, target);
    return;
  }
  if (!target.registry || !type->create) return;
  SceneObject* object = target.registry->add(type->create(record, target));
  object->name = record.name;
}

}  // namespace wf
