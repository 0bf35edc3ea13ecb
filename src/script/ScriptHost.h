// What the timeline interpreter acts on, as it sees it.
//
// Everything the statements reach (named objects, declarations, the frame
// clock, the window, the music) lies in layers above the script, so the
// interpreter talks to them only through this interface; the application
// implements it. Without a host (the checker, scanner tests) commands find
// no objects, declarations create nothing and calls only print.
#pragma once
#include <string>

namespace wf {

class Script;
struct ScriptRecord;

// An object a property command can reach: "=" commands call setProperty,
// "*" commands addProperty, each with an upper-case letter and the argument
// text. False means the letter is not handled.
class PropertyTarget {
 public:
  virtual bool setProperty(char letter, const std::string& text) = 0;
  virtual bool addProperty(char letter, const std::string& text) = 0;

 protected:
  ~PropertyTarget() = default;
};

class ScriptHost {
 public:
  virtual ~ScriptHost() = default;
  // The registered object of that name (compared ignoring case), or null.
  virtual PropertyTarget* findObject(const std::string& name) = 0;
  // Runs one declaration statement (kinds for which isDeclarationKind()).
  virtual void declare(Script& script, const ScriptRecord& record) = 0;
  // START stops the clock around its steps; ENDE stops it for good.
  virtual void pauseClock() = 0;
  virtual void resumeClock() = 0;
  // ENDE closes the demo window.
  virtual void closeWindow() = 0;
  virtual void playMusic() = 0;
  virtual void stopMusic() = 0;
};

}  // namespace wf
