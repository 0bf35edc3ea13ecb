// A small stand-in for the engine's entry, for the end-to-end tests of the
// start-up dialog and the debug console under Xvfb: it runs the same
// platform pieces the program runs, with a plain SDL window in place of the
// demo's GL window and a made-up timeline in place of the script.
//
//   wf_shell_driver dialog [settings-path]  the start-up dialog; prints
//       "resolution=R quality=Q", exits with the dialog's status
//   wf_shell_driver console                 console mode: a main window
//       "Wolkenfahrt" and the console; the timeline prints "eins" on its
//       first step and "zwei" on step 1000; Escape ends it with status 0
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "core/FrameClock.h"
#include "core/Random.h"
#include "platform/DebugConsoleWindow.h"
#include "platform/KeyTable.h"
#include "platform/MainWindow.h"
#include "platform/StartupDialogWindow.h"
#include "scene/ObjectRegistry.h"
#include "scene/PlacedObject.h"

namespace {

using namespace wf;

class DriverWindow : public MainWindow {
 public:
  explicit DriverWindow(DebugConsoleWindow* console) : console_(console) {
    window_ = SDL_CreateWindow("Wolkenfahrt", 300, 100, 320, 240, SDL_WINDOW_SHOWN);
    if (!window_) return;
    if (SDL_Surface* s = SDL_GetWindowSurface(window_)) {
      SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 20, 40, 90));
      SDL_UpdateWindowSurface(window_);
    }
    alive_ = true;
  }
  ~DriverWindow() override {
    if (window_) SDL_DestroyWindow(window_);
  }
  void close() override {
    MainWindow::close();
    if (window_) SDL_DestroyWindow(window_);
    window_ = nullptr;
  }
  // At most one event per frame, as the program's window does.
  void pumpMessage() override {
    SDL_Event e;
    if (!SDL_PollEvent(&e)) return;
    if (console_ && console_->handleEvent(e)) return;
    if (e.type == SDL_KEYDOWN) {
      if (const int key = translateSdlKey(e.key.keysym.sym, e.key.keysym.mod)) handleKeyDown(key);
    } else if (e.type == SDL_QUIT ||
               (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE)) {
      close();
    }
  }
  int outerWidth() const override { return 320; }
  int outerHeight() const override { return 240; }

 private:
  DebugConsoleWindow* console_;
  SDL_Window* window_ = nullptr;
};

int runConsole() {
  crtSrand(46346);
  std::unique_ptr<DebugConsoleWindow> console = openDebugConsole();
  DriverWindow window(console.get());
  ObjectRegistry registry;
  PlacedObject* ring = registry.add(std::make_unique<PlacedObject>("Ring"));
  ring->name = "Ring";
  ring->transform = Matrix4::translation(1.5, -2.25, 0.05, 1);

  int step = 0;
  console->runScriptStep = [&] {
    console->countStep();
    ++step;
    if (step == 1) console->print("eins", 0);
    if (step == 1000) console->print("zwei", 0);
    if (step % 100 == 0) console->print("Schritt " + std::to_string(step), 2);
  };
  console->executeRecord = [](const MoverRecord& r) {
    if (SceneObject* o = lookupObject(r.name)) o->addProperty(r.letter, r.argument);
  };
  SteadyTimeSource time;
  FrameClock clock(time, [&] { console->runScriptStep(); });
  while (window.isAlive()) {
    clock.tick();
    console->presentIfPending();
    window.pumpMessage();
    SDL_Delay(5);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "dialog") == 0) {
    crtSrand(46346);
    const wf::DialogResult r = wf::runStartupDialog(argc >= 3 ? argv[2] : "");
    std::printf("resolution=%d quality=%d\n", r.resolution, r.quality);
    return r.exitStatus;
  }
  if (argc >= 2 && std::strcmp(argv[1], "console") == 0) return runConsole();
  std::fprintf(stderr, "usage: wf_shell_driver dialog [settings] | console\n");
  return 2;
}
