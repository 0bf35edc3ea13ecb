#include <gtest/gtest.h>

#include "app/EngineHost.h"


#include "base/Console.h"
#include "base/FrameClock.h"
#include "base/MainWindow.h"
#include "scene/ObjectRegistry.h"
#include "scene/PlacedObject.h"
#include "script/Script.h"

using namespace wf;

namespace {

// The engine's host, with the music calls counted instead of played.
struct CountingHost : EngineHost {
  using EngineHost::EngineHost;
  void playMusic() override { ++plays; }
  void stopMusic() override { ++stops; }
  int plays = 0, stops = 0;
};

class TimelineTest : public ::testing::Test {
 protected:
  void SetUp() override { setCurrentConsole(&console); }
  void TearDown() override { setCurrentConsole(nullptr); }

  void load(const std::string& text) { script = std::make_unique<Script>(Script::FromText{}, text, &host); }
  void steps(int n) { for (int i = 0; i < n; ++i) script->step(); }
  SceneObject* object(const std::string& name) { return registry.lookup(name); }
  int weight(const std::string& name) { return object(name) ? object(name)->weight : -999; }
  std::vector<std::string> linesAt(int level = -1) const {  // -1: every level
    std::vector<std::string> out;
    for (const auto& line : console.storedLines())
      if (level < 0 || line.first == level) out.push_back(line.second);
    return out;
  }

  void tick(FrameClock& clock, double seconds) { time.advance(seconds), clock.tick(); }

  ConsoleLog console;
  VirtualTimeSource time;
  ObjectRegistry registry;
  CountingHost host{DeclarationTarget{&registry, {}, nullptr}};
  std::unique_ptr<Script> script;
};

}  // namespace

TEST_F(TimelineTest, DelaysDurationsAndStops) {
  // state: "name:weight" of each object in draw order, then "|" and the active records
  struct Case { const char* what; const char* script; int steps; const char* state; };
  const char* delays = "A:OBJECT(Base);\nd100 B:OBJECT(Base);\nd1 C:OBJECT(Base);";
  const char* durations = "R:OBJECT(Base);\n50 R.W*1;\n50 R.M*0,0,0.5,1;";
  const char* endless = "R:OBJECT(Base);\n-1 R.W*1;\nd300 R!;";
  const char* stops = "A:OBJECT(Base);\nB:OBJECT(Base);\nd1 -1 a.W*1;\n-1 A.W*1;\n-1 B.W*1;\n-1 A.W*1;\nd5 A!;";
  const char* sameStep = "A:OBJECT(Base);\nd2 A!;\n-1 A.W*1;\nd1 -1 A.W*1;";
  const Case cases[] = {
      {"a delay counts from the previous activation", delays, 100, "Base:0 A:0 |"},
      {"B on step 101 (active until the next)", delays, 101, "Base:0 A:0 B:0 | 1"},
      {"C one step after B", delays, 102, "Base:0 A:0 B:0 C:0 | 2"},
      {"durations run on consecutive steps", durations, 1, "Base:0 R:1 | 0 1 2"},
      {"a finished statement is unlinked on the next step", durations, 50, "Base:0 R:50 | 1 2"},
      {"", durations, 51, "Base:0 R:50 |"},
      {"a negative duration runs until stopped", endless, 300, "Base:0 R:300 | 1"},
      {"the stop is appended behind the running statement", endless, 301, "Base:0 R:301 |"},
      {"", endless, 311, "Base:0 R:301 |"},
      {"the declarations have gone; three statements add to A", stops, 2, "Base:0 A:3 B:1 | 2 3 4 5"},
      {"a stop removes head, tail, neighbours and itself", stops, 7, "Base:0 A:18 B:6 | 4"},
      {"", stops, 11, "Base:0 A:18 B:10 | 4"},
      {"a statement activated with the stop never runs", sameStep, 3, "Base:0 A:0 |"},
      {"a later one of the same name runs", sameStep, 4, "Base:0 A:1 | 3"},
      {"a stop of a name nobody has removes only itself", "-1 X!;\nR:OBJECT(Base);\n-1 R.W*1;", 3, "Base:0 R:3 | 2"},
  };
  for (const Case& c : cases) {
    ObjectRegistry objects;
    EngineHost engine{DeclarationTarget{&objects, {}, nullptr}};
    Script run(Script::FromText{}, c.script, &engine);
    for (int i = 0; i < c.steps; ++i) run.step();
    std::string state;
    for (int i = 0; i < objects.count(); ++i)
      state += objects.at(i)->name + ":" + std::to_string(objects.at(i)->weight) + " ";
    state += "|";
    for (int index : run.activeIndices()) state += " " + std::to_string(index);
    EXPECT_EQ(state, c.state) << c.what << " (" << c.steps << " steps of " << c.script << ")";
  }
}

TEST_F(TimelineTest, NamesWithUmlautsIgnoreCaseInEitherEncoding) {
  // Höhe:INTEGER(1); HÖHE*2; Bär:OBJECT(Base); BÄR.W=höhe; -1 bär.W*1; d2 BÄR!; Œuvre:object(x); œUVRE.W=7;
  const struct { const char* encoding; std::string text; } cases[] = {
      {"UTF-8",
       "H\xC3\xB6he:INTEGER(1);\nH\xC3\x96HE*2;\nB\xC3\xA4r:OBJECT(Base);\nB\xC3\x84R.W=h\xC3\xB6he;\n"
       "-1 b\xC3\xA4r.W*1;\nd2 B\xC3\x84R!;\n\xC5\x92uvre:object(x);\n\xC5\x93UVRE.W=7;"},
      {"Windows-1252",
       "H\xF6he:INTEGER(1);\nH\xD6HE*2;\nB\xE4r:OBJECT(Base);\nB\xC4R.W=h\xF6he;\n"
       "-1 b\xE4r.W*1;\nd2 B\xC4R!;\n\x8Cuvre:object(x);\n\x9CUVRE.W=7;"},
  };
  for (const auto& c : cases) {
    ObjectRegistry fresh;
    CountingHost freshHost{DeclarationTarget{&fresh, {}, nullptr}};
    script = std::make_unique<Script>(Script::FromText{}, c.text, &freshHost);
    console.setLineCount(1);
    steps(4);
    EXPECT_TRUE(linesAt(0).empty()) << c.encoding << ": " << (linesAt(0).empty() ? "" : linesAt(0)[0]);
    EXPECT_EQ(script->variables().variable(0).value, 3.0) << c.encoding;
    const SceneObject *baer = fresh.lookup("B\xC3\xA4r"), *oeuvre = fresh.lookup("\xC5\x92uvre");
    ASSERT_TRUE(baer && oeuvre) << c.encoding;
    EXPECT_EQ(baer->weight, 3 + 3) << c.encoding << ": set to Höhe, then three steps until the stop";
    EXPECT_EQ(oeuvre->weight, 7) << c.encoding;
    script.reset();  // before its host and registry go
  }
}

TEST_F(TimelineTest, StartFastForwardsExactlyNSteps) {
  load("PLAYMOD();\nC:OBJECT(Base);\n-1 C.W*1;\nx:START(500);\nd100 D:OBJECT(Base);");
  FrameClock clock(time, [this] { script->step(); });
  tick(clock, 0.005);
  EXPECT_EQ(console.timeCounter(), 501) << "the clock's step and the 500 it ran";
  EXPECT_EQ(weight("C"), 501);
  EXPECT_NE(object("D"), nullptr) << "activated during the fast-forward";
  EXPECT_EQ(host.plays, 1) << "the music is not advanced or restarted";
  EXPECT_FALSE(clock.isPaused());
  EXPECT_EQ(script->activeIndices(), (std::vector<int>{2, 3})) << "START ran once; it leaves on the next step";
  EXPECT_EQ(script->record(3).ttl, 0);
  script->step();
  EXPECT_EQ(weight("C"), 502);
  EXPECT_EQ(script->activeIndices(), (std::vector<int>{2}));
}

TEST_F(TimelineTest, EndeShowsItsTextPausesAndClosesTheWindow) {
  load("A:OBJECT(Base);\nd2 x:ENDE(\"Auf Wiedersehen\");");
  HeadlessWindow window(320, 200);
  FrameClock clock(time, [this] { script->step(); });
  tick(clock, 0.015);
  EXPECT_EQ(console.timeCounter(), 2);
  EXPECT_FALSE(clock.isPaused());
  EXPECT_TRUE(window.isAlive());
  tick(clock, 0.01);
  EXPECT_TRUE(clock.isPaused());
  EXPECT_FALSE(window.isAlive());
  EXPECT_EQ(linesAt(0), (std::vector<std::string>{"Auf Wiedersehen"}));
  tick(clock, 1.0);
  EXPECT_EQ(console.timeCounter(), 3) << "no step runs after ENDE";
  load("x:START(10);\nd3 y:ENDE(fertig);");  // an ENDE during a fast-forward stays paused
  FrameClock fastForward(time, [this] { script->step(); });
  tick(fastForward, 0.005);
  EXPECT_TRUE(fastForward.isPaused() && script->ended());
}

TEST_F(TimelineTest, CallsAndFailedCommandsReportTheirLine) {
  load("playmod();\nStopMod();\nMESSAGE(\"Hallo Welt\");\nMESSAGE(Hallo Welt);\nPLAYMODE();\n\nBLEND(1);");
  steps(1);
  EXPECT_EQ(std::make_pair(host.plays, host.stops), std::make_pair(1, 1)) << "plays, stops";
  EXPECT_EQ(linesAt(), (std::vector<std::string>{"playing music...", "stopping music...", "Hallo Welt", "HalloWelt",
                                               "Zeile: 7  Funktion nicht gefunden"}));
  EXPECT_EQ(linesAt(1), (std::vector<std::string>{"playing music...", "stopping music..."}));
  console.setLineCount(1);  // failed commands report their line
  load("R:OBJECT(Base);\nR.Q=1;\nR.A*1;\nNiemand.M=1;\nR=1;\n3 R.P*0;");
  steps(3);
  EXPECT_EQ(linesAt(0), (std::vector<std::string>{"Zeile: 2  = mi\xC3\x9Fgl\xC3\xBC" "ckt", "Zeile: 3  * failed",
                                                  "Zeile: 4  Objekt nicht gefunden", "Zeile: 5  = mi\xC3\x9Fgl\xC3\xBC" "ckt",
                                                  "Zeile: 6  * failed", "Zeile: 6  * failed", "Zeile: 6  * failed"}));
}

TEST_F(TimelineTest, VariablesMultiplyOnSetAndAddOnCombine) {
  load("Zeit:INTEGER(3);\nZeit=2;\nzeit*0.5;\nR:OBJECT(Base);\nR.W=Zeit;");
  steps(1);
  ASSERT_EQ(script->variables().count(), 1);
  EXPECT_EQ(script->variables().variable(0).value, 6.5);
  EXPECT_EQ(weight("R"), 6);
  EXPECT_EQ(linesAt()[0], "Zeit neues Integer.");
}

TEST_F(TimelineTest, UnknownKindsDoNothingAndLongValuesDropAlone) {
  load("X:Kugel(1);\nY:OBJECT(Base);\nY.M=1;\nY.M*1;");
  steps(2);
  EXPECT_EQ(registry.count(), 2);
  EXPECT_EQ(linesAt(), (std::vector<std::string>{"Zeile: 1  unbekannter Objekttyp", "Y neues Dummy.", "Y.M=1"}))
      << "set commands print, combines do not";
  for (int oddKind : {11, 99}) {
    ScriptRecord odd;
    odd.kind = oddKind;
    odd.name = "Y";
    script->execute(odd);
  }
  EXPECT_EQ(registry.count(), 2);  // (the console's mover records: KeyTableTest)
  // A value too long for the line drops alone; "R.M=" stays, and the text
  // of a declaration whose name was too long to print lands behind it.
  const std::string longText(170, '1');
  load("R:OBJECT(Base);\nR.M=" + longText + ";\n" + "N" + longText + ":OBJECT(x);");
  console.setLineCount(1);
  steps(1);
  EXPECT_EQ(linesAt(), (std::vector<std::string>{"R neues Dummy.", "R.M= neues Dummy."}));
}
