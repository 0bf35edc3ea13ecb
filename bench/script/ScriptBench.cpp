// Speed of the script: scanning a full record table, and one timeline step
// with many running statements.
#include <benchmark/benchmark.h>

#include <string>

#include "app/EngineHost.h"
#include "scene/ObjectRegistry.h"
#include "script/Script.h"

namespace {

// A script of `count` statements in the usual mix of shapes, CRLF line ends.
std::string makeScript(int count) {
  const char* shapes[] = {
      "Ring%d:OBJECT(Base); // a group\r\n",
      "d1 50 Ring%d.M*0,0.02;\r\n",
      "Ring%d.C=0.5,0.5,0.5;\r\n",
      "-1 Ring%d.M*1,sin(Zeit);\r\n",
      "MESSAGE(\"Text %d mit Leerzeichen\");\r\n",
  };
  std::string text = "Zeit:INTEGER(1);\r\n";
  char line[128];
  for (int i = 1; i < count; ++i) {
    std::snprintf(line, sizeof line, shapes[i % 5], i);
    text += line;
  }
  return text;
}

void BM_ScanFullTable(benchmark::State& state) {
  const std::string text = makeScript(wf::Script::kRecordCapacity);
  for (auto _ : state) {
    wf::Script script(wf::Script::FromText{}, text, nullptr);
    benchmark::DoNotOptimize(script.recordCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
  state.counters["statements"] = wf::Script::kRecordCapacity;
}
BENCHMARK(BM_ScanFullTable)->Unit(benchmark::kMillisecond);

// 200 statements that never expire, spread over 50 objects and a variable:
// property combines with matrices, sets and variable updates.
void BM_StepWith200Active(benchmark::State& state) {
  wf::ObjectRegistry registry;
  std::string text = "Zeit:INTEGER(1);\n";
  for (int i = 0; i < 50; ++i) text += "O" + std::to_string(i) + ":OBJECT(x);\n";
  for (int i = 0; i < 200; ++i) {
    const std::string name = "O" + std::to_string(i % 50);
    switch (i % 4) {
      case 0: text += "-1 " + name + ".M*0,0.01;\n"; break;
      case 1: text += "-1 " + name + ".M*0.01,0,0,1;\n"; break;
      case 2: text += "-1 " + name + ".C=sin(Zeit);\n"; break;
      default: text += "-1 Zeit*0.001;\n"; break;
    }
  }
  wf::EngineHost host(wf::DeclarationTarget{&registry, {}, nullptr});
  wf::Script script(wf::Script::FromText{}, text, &host);
  script.step();  // declares the objects and activates everything
  script.step();  // the declarations leave the list
  if (script.activeIndices().size() != 200) state.SkipWithError("expected 200 active statements");
  for (auto _ : state) script.step();
  state.counters["active"] = static_cast<double>(script.activeIndices().size());
}
BENCHMARK(BM_StepWith200Active)->Unit(benchmark::kMicrosecond);

}  // namespace
