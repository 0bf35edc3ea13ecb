// What a declaration statement creates, type by type.
//
// Executing a declaration (on every step of its duration, so a duration of
// three creates three objects): with a console, print the name at level 1
// and append the type's console text; create the object from the argument;
// register it; give it the declared name. Types that do more replace the
// part after the console lines with a function of their own.
//
// Each object kind joins the script by adding one row to the table in
// Declarations.cpp. A type keyword without a row is scanned with its id and
// does nothing when executed.
#pragma once
#include <memory>
#include <string>

namespace wf {

class ObjectRegistry;
class PlacedObject;
class SceneObject;
class Script;
struct ScriptRecord;

struct DeclarationType {
  int kind;                 // the keyword id (script/Keywords.h)
  const char* consoleText;  // appended to the name line; null: the type prints its own lines
  // The usual path: the object made from the record (its argument as the
  // constructor text), then registered and named by the caller.
  std::unique_ptr<SceneObject> (*create)(const ScriptRecord& record);
  // Types that do more than create-register-name: the whole rest.
  void (*declare)(Script& script, const ScriptRecord& record);
};

// The row for a statement kind, or null.
const DeclarationType* findDeclarationType(int kind);

// Statement kinds 4..10 and 13..17.
bool isDeclarationKind(int kind);
void executeDeclaration(Script& script, const ScriptRecord& record);

// Builds the glyph sprites of a STRING group: one per character of the text,
// each a child of the group, placed side by side by their widths, named
// "Letter" and registered after the group. Installed by the sprite code;
// until then a STRING declaration is only its group.
using StringLetterBuilder = void (*)(ObjectRegistry& registry, PlacedObject& group, const std::string& text);
void setStringLetterBuilder(StringLetterBuilder builder);

}  // namespace wf
