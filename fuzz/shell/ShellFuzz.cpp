// Fuzz target for the shell's readers of outside input: the settings file's
// text, and key sequences into the debug console (typing, Backspace, Enter,
// scrolling, the mover, input mode) followed by a repaint. Nothing may read
// or write out of bounds, and the values read from any settings text must
// write back to a file that reads as the same values, with no line ignored.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/FrameClock.h"
#include "base/Report.h"
#include "shell/DebugConsole.h"
#include "shell/KeyTable.h"
#include "base/MainWindow.h"
#include "shell/SettingsStore.h"
#include "platform/UiFont.h"
#include "scene/ObjectRegistry.h"

namespace {

// Draws nothing; only walks the texts as the real painter would.
class CountingPainter : public wf::TextPainter {
 public:
  void drawText(wf::OffscreenBitmap&, const std::string& text, int, int, uint32_t, Align) override {
    characters += wf::UiFont::decode(text).size();
  }
  size_t characters = 0;
};

void fuzzSettings(const std::string& text) {
  const auto parsed = wf::parseSettingsText(text);
  std::vector<int> ignored;
  const auto again = wf::parseSettingsText(wf::formatSettingsText(parsed), &ignored);
  if (again != parsed || !ignored.empty()) std::abort();
}

void fuzzKeys(const uint8_t* data, size_t size) {
  wf::HeadlessWindow window(64, 64);
  wf::VirtualTimeSource time;
  wf::FrameClock clock(time, [] {});
  wf::ObjectRegistry registry;
  wf::DebugConsole console;
  wf::setCurrentConsole(&console);
  console.enabled = true;
  console.runScriptStep = [&] { console.countStep(); };
  console.executeRecord = [](const wf::MoverRecord&) {};
  for (size_t i = 0; i + 1 < size && window.isAlive(); i += 2) {
    // Escape would end the run early; let it through only now and then.
    const int key = data[i] | ((data[i + 1] & 0x01) << 8);
    if (key == 0x1B && (data[i + 1] & 0x02) == 0) continue;
    if (key == 0x20 && (data[i + 1] & 0x04) == 0) continue;  // 1000 steps: keep it rare
    wf::handleKeyDown(key);
    if ((data[i + 1] & 0x80) != 0) console.print(std::string(data + i, data + i + 2), data[i] & 3);
  }
  if (console.inputLength < 0 || console.inputLength >= wf::DebugConsole::kInputBytes) std::abort();
  wf::OffscreenBitmap canvas(wf::DebugConsole::kWidth, wf::DebugConsole::kHeight);
  CountingPainter painter;
  wf::paintConsole(console.layout(), canvas, painter);
  wf::setCurrentConsole(nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  wf::setDiagnosticsQuiet(true);  // fast-forward notes would flood the run
  if (data[0] & 1)
    fuzzSettings(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  else
    fuzzKeys(data + 1, size - 1);
  return 0;
}
