#include <gtest/gtest.h>


#include "app/EngineAt.h"
#include "app/EngineHost.h"
#include "app/SceneDump.h"
#include "base/Console.h"
#include "base/DisplaySettings.h"
#include "base/FrameClock.h"
#include "base/Json.h"
#include "base/MainWindow.h"
#include "image/FrameBufferFilter.h"
#include "image/TextureImage.h"
#include "scene/Mesh.h"
#include "scene/ObjectRegistry.h"
#include "script/Script.h"
#include "music/ModuleInfo.h"
#include "music/ModPlayer.h"
#include "music/VirtualSoundOutput.h"
#include "platform/EglHeadlessSurface.h"
#include "support/ModWriter.h"
#include "support/TempDir.h"

using namespace wf;

namespace {

struct DumpRun {
  ConsoleLog console;
  DisplaySettings display;
  HeadlessWindow window{800, 600};
  ObjectRegistry registry;
  EngineHost host{DeclarationTarget{&registry, {}, nullptr}};
  std::unique_ptr<Script> script;

  DumpRun() {
    setCurrentConsole(&console);
    display.screenWidth = 800;
    display.screenHeight = 600;
    display.detailLevel = 2;
  }
  ~DumpRun() { setCurrentConsole(nullptr); }

  // Loads the script and runs `steps` clock steps of 10 ms, as a headless run does.
  std::string dump(const std::string& text, int steps, const std::string* music = nullptr, bool geometry = false) {
    script = std::make_unique<Script>(Script::FromText{}, text, &host);
    VirtualTimeSource time;
    FrameClock clock(time, [this] { script->step(); });
    for (int i = 0; i < steps; ++i) clock.clockStep();
    registry.updateAll();
    SceneDumpInput input;
    input.registry = &registry;
    input.script = script.get();
    input.console = &console;
    input.display = &display;
    input.steps = steps;
    input.musicJson = music;
    input.geometry = geometry;
    return sceneDumpText(input);
  }
};

}  // namespace

TEST(SceneDump, WholeDocument) {
  // The variable adds 0.1 four times; the record of line 3 counts its delay
  // down while next in line; a name with a tab and backslashes is escaped.
  DumpRun run;
  const std::string music = "{\"playing\": true}";
  const std::string text = run.dump("Zeit:INTEGER(3);\n-1 Zeit*0.1;\nd5 \"A\t\\\\B\".q=\"a b\";", 4, &music);
  EXPECT_EQ(text, R"({
  "steps": 4,
  "timeCounter": 4,
  "detailLevel": 2,
  "screen": {"width": 800, "height": 600},
  "objects": [
    {
      "index": 0,
      "name": "Base",
      "class": "PlacedObject",
      "source": "Base",
      "weight": 0,
      "active": true,
      "parent": null,
      "texture": null,
      "transform": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1],
      "colorTransform": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1],
      "world": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]
    }
  ],
  "variables": [
    {"name": "Zeit", "value": 3.4000000000000004}
  ],
  "timeline": {
    "recordCount": 3,
    "nextRecord": 2,
    "active": [1],
    "records": [
      {"line": 1, "delay": 0, "ttl": 0, "name": "Zeit", "letter": "", "kind": 10, "argument": "3"},
      {"line": 2, "delay": 0, "ttl": -5, "name": "Zeit", "letter": "", "kind": 2, "argument": "0.1"},
      {"line": 3, "delay": 1, "ttl": 1, "name": "A\t\\\\B", "letter": "Q", "kind": 1, "argument": "a b"}
    ]
  },
  "console": [
    {"level": 1, "text": "Zeit neues Integer."}
  ],
  "music": {"playing": true}
}
)");
}

TEST(SceneDump, HierarchyTransformsAndProperties) {
  // World = Base.M x Ring.M x Kind.M.
  const std::string text = DumpRun().dump(
      "Ring:OBJECT(ring);\nKind:OBJECT(x);\nKind.P=Ring;\nKind.T=none;\nRing.M=0.5,0,0,1;\nKind.M=2;\nRing.A=0;"
      "\nRing.W*3;\nRing.C=0.25;", 1);
  const char* ring = R"("name": "Ring",
      "class": "PlacedObject",
      "source": "ring",
      "weight": 3,
      "active": false,
      "parent": 0,
      "texture": null,
      "transform": [1, 0, 0, 0.5, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1],
      "colorTransform": [0.25, 0, 0, 0, 0, 0.25, 0, 0, 0, 0, 0.25, 0, 0, 0, 0, 1],)";
  const char* kind = R"("parent": 1,
      "texture": "none",
      "transform": [2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1],
      "colorTransform": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1],
      "world": [2, 0, 0, 0.5, 0, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1])";
  EXPECT_NE(text.find(ring), std::string::npos) << text;
  EXPECT_NE(text.find(kind), std::string::npos) << text;
}

TEST(SceneDump, ClassesAddTheirFields) {
  DumpRun run;
  RgbaImage image(2, 1);
  image.pixels = {1, 2, 3, 4, 5, 6, 7, 8};
  image.origin = Vector4(1.5, -2, 0, 1);
  run.registry.add(std::make_unique<TextureImage>("bild", image))->name = "Bild";
  run.registry.add(std::make_unique<FrameBufferFilter>("f"))->name = "F";
  auto mesh = std::make_unique<Mesh>("dreieck");
  mesh->vertices.resize(3);
  mesh->vertices[1].position = Vector4(1, 0, 0, 1), mesh->vertices[2].position = Vector4(0, 1, 0, 1);
  mesh->vertices[2].texCoord.x = 0.5, mesh->vertices[2].texCoord.y = 0.25;
  mesh->triangles.resize(1);
  mesh->triangles[0].corner[1] = 1, mesh->triangles[0].corner[2] = 2;
  mesh->computeNormals();
  run.registry.add(std::move(mesh))->name = "D";
  const char* script = "L:LIGHT(1);\nL.D=0,0,-1;\nL.C=0.5,0.25,1;\nZ:INTEGER(1);\nZ=1e999;";
  const std::string full = run.dump(script, 1, nullptr, true);
  const std::string plain = DumpRun().dump(script, 1);
  const std::pair<const char*, const char*> cases[] = {
      {"the filter: weight -20, no transforms", "\"source\": \"f\",\n      \"weight\": -20,\n      \"active\": true,\n"
       "      \"parent\": null,\n      \"texture\": null,\n      \"transform\": null,\n      \"colorTransform\": null,\n"
       "      \"world\": null\n"},
      {"images: size, origin and the FNV-1a 64 hash of the bytes",
       "\"width\": 2,\n      \"height\": 1,\n      \"origin\": [1.5, -2, 0, 1],\n      \"pixelsFnv1a64\": \"7eb5108b368a78ed\""},
      {"lights", "\"type\": 1,\n      \"vector\": [0, 0, -1, 0],\n      \"worldVector\": [0, 0, -1, 0],\n      \"color\": [0.5, 0.25, 1]"},
      {"meshes: counts, then position, normal, u, v, world position, world normal, colour lit against +z",
       "\"vertexCount\": 3,\n      \"triangleCount\": 1,\n      \"vertices\": [\n        [0, 0, 0, 0, 0, 1,"},
      {"", "[0, 1, 0, 0, 0, 1, 0.5, 0.25, 0, 1, 0, 0, 0, 1, 0.5, 0.25, 1]"},
      {"", "\"triangles\": [\n        [0, 1, 2]\n      ]"},
      {"non-finite numbers are strings", "{\"name\": \"Z\", \"value\": \"inf\"}"},
  };
  for (const auto& [what, text] : cases) EXPECT_NE(full.find(text), std::string::npos) << what << ":\n" << text;
  EXPECT_EQ(plain.find("\"vertices\""), std::string::npos) << "geometry only when asked for";
}

TEST(SceneDump, Fnv1a64AndFiles) {
  EXPECT_EQ(fnv1a64Hex(nullptr, 0), "cbf29ce484222325");
  test::TempDir dir;
  std::string error;
  ASSERT_TRUE(writeDumpFile(dir.file("out.json"), "{}\n", error)) << error;
  EXPECT_EQ(test::readTextFile(dir.file("out.json")), "{}\n");
  EXPECT_FALSE(writeDumpFile(dir.file("no/such/folder/out.json"), "{}", error));
  EXPECT_NE(error.find("cannot write"), std::string::npos);
}

// Reload and seek build the engine anew and bring it to a clock step; the
// scene, variables, timeline and music must be those of a run that got
// there step by step.
TEST(SceneDump, EngineBuiltAtAStepEqualsAFreshRunToIt) {
  test::TempDir dir;
  test::ScopedWorkingDir cwd(dir.path());
  dir.write("lied.mod", test::basicWriter().build());
  // Clock step 1 runs script steps 1..51 (START); the stop comes on script
  // step 101 (clock step 51), ENDE on script step 402 (clock step 352).
  dir.write("mohn.cs", "M:AUDIO(lied.mod);\nPLAYMOD();\nR:OBJECT(Base);\n-1 R.W*1;\nx:START(50);\nd100 R!;\n"
                       "d1 -1 R.M*0,0,0.01,1;\nd300 e:ENDE(fertig);\n");
  for (long long steps : {1, 60, 400}) {
    std::string dumps[2];
    for (int rebuilt = 0; rebuilt < 2; ++rebuilt) {
      ConsoleLog console;
      setCurrentConsole(&console);
      HeadlessWindow window(64, 48);
      EglHeadlessSurface surface(64, 48);
      VirtualTimeSource time;
      DemoPlatform platform{&surface, &time, std::make_unique<VirtualSoundOutput>()};
      std::unique_ptr<DemoApp> app;
      if (rebuilt) {
        app = buildEngineAt("", window, std::move(platform), steps);
      } else {
        app = std::make_unique<DemoApp>("", window, std::move(platform));
        for (long long i = 1; i <= steps; ++i) {
          app->clock().clockStep();
          app->music().output()->advanceTo(static_cast<double>(i) / 100);
        }
      }
      ASSERT_TRUE(app && app->ready());
      const std::string music = musicStateJson(app->music());
      dumps[rebuilt] = sceneDumpText({&app->registry(), &app->script(), &console, &displaySettings(), steps, false, &music});
      app.reset();
      setCurrentConsole(nullptr);
    }
    EXPECT_EQ(dumps[1], dumps[0]) << "after " << steps << " clock steps";
    EXPECT_NE(dumps[0].find("\"playing\": true"), std::string::npos) << steps;
  }
}
