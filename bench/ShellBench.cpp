// Costs of the start-up balls and the debug console: one ball render (4096
// shaded pixels), and one console repaint (layout, inspector, text).
#include <benchmark/benchmark.h>

#include "shell/DebugConsole.h"
#include "shell/StartupBall.h"
#include "platform/UiFont.h"

namespace {

void BM_RenderBall(benchmark::State& state) {
  wf::StartupBall ball(wf::kResolutionBall, 1024, 768, nullptr, nullptr);
  for (auto _ : state) {
    ball.x += 1;
    ball.renderBall();
    benchmark::DoNotOptimize(ball.colourImage.pixels().data());
  }
}
BENCHMARK(BM_RenderBall);

void BM_ConsoleRepaint(benchmark::State& state) {
  wf::DebugConsole console;
  wf::UiFont font;
  wf::OffscreenBitmap canvas(wf::DebugConsole::kWidth, wf::DebugConsole::kHeight);
  for (int i = 0; i < 50; ++i) console.print("Zeile " + std::to_string(i) + ": mesh loaded, 1234 vertices", i % 3);
  for (auto _ : state) {
    console.countStep();
    wf::paintConsole(console.layout(), canvas, font);
    benchmark::DoNotOptimize(canvas.pixels().data());
  }
}
BENCHMARK(BM_ConsoleRepaint);

}  // namespace
