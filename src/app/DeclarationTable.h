// What a declaration statement creates, type by type.
//
// Executing a declaration (on every step of its duration, so a duration of
// three creates three objects): with a console, print the name at level 1
// and append the type's console text; create the object from the argument;
// register it; give it the declared name. Types that do more replace the
// part after the console lines with a function of their own.
//
// Each object kind joins the script by adding one row to the table in
// DeclarationTable.cpp. A type keyword without a row is scanned with its id
// and does nothing when executed.
#pragma once
#include <memory>
#include <string>

#include "image/ImageMaker.h"  // Required for: ImageSources

namespace wf {

class ModPlayer;
class ObjectRegistry;
class SceneObject;
class Script;
struct ScriptRecord;

// What declarations build into: the engine's registry, image sources and
// music player (null in tests that leave them out).
struct DeclarationTarget {
  ObjectRegistry* registry = nullptr;
  ImageSources images;
  ModPlayer* music = nullptr;
};

struct DeclarationType {
  int kind;                 // the keyword id (script/Keywords.h)
  const char* consoleText;  // appended to the name line; null: the type prints its own lines
  // The usual path: the object made from the record (its argument as the
  // constructor text), then registered and named by the caller.
  std::unique_ptr<SceneObject> (*create)(const ScriptRecord& record, const DeclarationTarget& target);
  // Types that do more than create-register-name: the whole rest.
  void (*declare)(Script& script, const ScriptRecord& record, const DeclarationTarget& target);
};

// The row for a statement kind, or null.
const DeclarationType* findDeclarationType(int kind);

void executeDeclaration(Script& script, const ScriptRecord& record, const DeclarationTarget& target);

}  // namespace wf
