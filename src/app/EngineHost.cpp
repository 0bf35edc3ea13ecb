#include "app/EngineHost.h"

#include "base/FrameClock.h"
#include "base/MainWindow.h"
#include "music/ModPlayer.h"
#include "scene/ObjectRegistry.h"
#include "scene/SceneObject.h"

namespace wf {

PropertyTarget* EngineHost::findObject(const std::string& name) {
  const int index = target_.registry ? target_.registry->find(name) : -1;
  return index >= 0 ? target_.registry->at(index) : nullptr;
}

void EngineHost::declare(Script& script, const ScriptRecord& record) { executeDeclaration(script, record, target_); }

void EngineHost::pauseClock() {
  if (FrameClock* clock = FrameClock::current()) clock->pause();
}

void EngineHost::resumeClock() {
  if (FrameClock* clock = FrameClock::current()) clock->resume();
}

void EngineHost::closeWindow() {
  if (MainWindow* window = MainWindow::current()) window->close();
}

void EngineHost::playMusic() {
  if (target_.music) target_.music->play();
}

void EngineHost::stopMusic() {
  if (target_.music) target_.music->stop();
}

}  // namespace wf
