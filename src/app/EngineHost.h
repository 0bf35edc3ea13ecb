// The engine as the script's interpreter sees it: named objects are the
// registry's, declarations go through the declaration table, and the clock,
// the window and the music are the running engine's (each may be missing in
// tests, which then lose only what needs it).
#pragma once
#include "app/DeclarationTable.h"
#include "script/ScriptHost.h"

namespace wf {

class EngineHost : public ScriptHost {
 public:
  EngineHost() = default;
  explicit EngineHost(DeclarationTarget target) : target_(target) {}
  // The engine's parts, once they exist (the script is read before them).
  void setTarget(const DeclarationTarget& target) { target_ = target; }

  PropertyTarget* findObject(const std::string& name) override;
  void declare(Script& script, const ScriptRecord& record) override;
  void pauseClock() override;
  void resumeClock() override;
  void closeWindow() override;
  void playMusic() override;
  void stopMusic() override;

 private:
  DeclarationTarget target_;
};

}  // namespace wf
