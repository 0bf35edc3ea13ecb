#include <gtest/gtest.h>

#include "app/EngineHost.h"

#include <cmath>
#include <memory>

#include "base/Console.h"
#include "base/DisplaySettings.h"
#include "base/FrameClock.h"
#include "base/Json.h"
#include "app/SceneDump.h"
#include "image/FrameBufferFilter.h"
#include "image/TextureImage.h"
#include "base/MainWindow.h"
#include "scene/Light.h"
#include "scene/Mesh.h"
#include "scene/ObjectRegistry.h"
#include "scene/PlacedObject.h"
#include "script/Script.h"
#include "support/JsonValue.h"
#include "support/TempDir.h"

using namespace wf;
using test::JsonValue;

namespace {

class SceneDumpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setCurrentConsole(&console);
    display.screenWidth = 800;
    display.screenHeight = 600;
    display.detailLevel = 2;
  }
  void TearDown() override { setCurrentConsole(nullptr); }

  // Loads the script and runs `steps` clock steps of 10 ms, as a headless run does.
  JsonValue run(const std::string& text, int steps, const std::string* music = nullptr) {
    script = std::make_unique<Script>(Script::FromText{}, text, &host);
    VirtualTimeSource time;
    FrameClock clock(time, [this] { script->step(); });
    for (int i = 0; i < steps; ++i) clock.clockStep();
    SceneDumpInput input;
    input.registry = &registry;
    input.script = script.get();
    input.console = &console;
    input.display = &display;
    input.steps = steps;
    input.musicJson = music;
    dumped = sceneDumpText(input);
    return test::parseJson(dumped);
  }

  static std::vector<double> numbers(const JsonValue& array) {
    std::vector<double> out;
    for (const JsonValue& v : array.items) out.push_back(v.number);
    return out;
  }

  ConsoleLog console;
  DisplaySettings display;
  HeadlessWindow window{800, 600};
  ObjectRegistry registry;
  EngineHost host{DeclarationTarget{&registry, {}, nullptr}};
  std::unique_ptr<Script> script;
  std::string dumped;
};

const std::vector<double> kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

}  // namespace

TEST(Fnv1a64, KnownValues) {
  EXPECT_EQ(fnv1a64Hex(nullptr, 0), "cbf29ce484222325");
  const uint8_t a[] = {'a'};
  EXPECT_EQ(fnv1a64Hex(a, 1), "af63dc4c8601ec8c");
  const uint8_t foobar[] = {'f', 'o', 'o', 'b', 'a', 'r'};
  EXPECT_EQ(fnv1a64Hex(foobar, 6), "85944171f73967e8");
}

TEST_F(SceneDumpTest, TopLevelKeysInOrder) {
  const JsonValue v = run("", 3);
  EXPECT_EQ(v.keys(), (std::vector<std::string>{"steps", "timeCounter", "detailLevel", "screen", "objects", "variables",
                                                "timeline", "console", "music"}));
  EXPECT_EQ(v["steps"].number, 3);
  EXPECT_EQ(v["timeCounter"].number, 3);
  EXPECT_EQ(v["detailLevel"].number, 2);
  EXPECT_EQ(v["screen"]["width"].number, 800);
  EXPECT_EQ(v["screen"]["height"].number, 600);
  EXPECT_TRUE(v["music"].isNull());
  ASSERT_EQ(v["objects"].size(), 1u);
  const JsonValue& base = v["objects"][0];
  EXPECT_EQ(base.keys(), (std::vector<std::string>{"index", "name", "class", "source", "weight", "active", "parent",
                                                   "texture", "transform", "colorTransform", "world"}));
  EXPECT_EQ(base["name"].text, "Base");
  EXPECT_EQ(base["class"].text, "PlacedObject");
  EXPECT_TRUE(base["parent"].isNull());
  EXPECT_TRUE(base["texture"].isNull());
  EXPECT_EQ(numbers(base["world"]), kIdentity);
}

TEST_F(SceneDumpTest, ObjectsHierarchyAndTransforms) {
  const JsonValue v = run(
      "Ring:OBJECT(ring);\nKind:OBJECT(x);\nKind.P=Ring;\nKind.T=none;\nRing.M=0.5,0,0,1;\nKind.M=2;\nRing.A=0;"
      "\nRing.W*3;\nRing.C=0.25;",
      1);
  ASSERT_EQ(v["objects"].size(), 3u);
  const JsonValue& ring = v["objects"][1];
  const JsonValue& kind = v["objects"][2];
  EXPECT_EQ(ring["index"].number, 1);
  EXPECT_EQ(ring["source"].text, "ring");
  EXPECT_EQ(ring["weight"].number, 3);
  EXPECT_FALSE(ring["active"].boolean);
  EXPECT_EQ(ring["parent"].number, 0);
  EXPECT_EQ(numbers(ring["transform"]), (std::vector<double>{1, 0, 0, 0.5, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
  EXPECT_EQ(numbers(ring["colorTransform"]),
            (std::vector<double>{0.25, 0, 0, 0, 0, 0.25, 0, 0, 0, 0, 0.25, 0, 0, 0, 0, 1}));
  EXPECT_EQ(kind["parent"].number, 1);
  EXPECT_EQ(kind["texture"].text, "none");
  EXPECT_EQ(numbers(kind["world"]), (std::vector<double>{2, 0, 0, 0.5, 0, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1}))
      << "world = Base.M x Ring.M x Kind.M";
}

TEST_F(SceneDumpTest, TimelineVariablesAndConsole) {
  const JsonValue v = run("Zeit:INTEGER(3);\n-1 Zeit*0.1;\nd5 x.q=\"a b\";\nd10 PLAYMOD();", 4);
  ASSERT_EQ(v["variables"].size(), 1u);
  EXPECT_EQ(v["variables"][0]["name"].text, "Zeit");
  EXPECT_EQ(v["variables"][0]["value"].number, ((3 + 0.1) + 0.1 + 0.1) + 0.1);
  const JsonValue& t = v["timeline"];
  EXPECT_EQ(t.keys(), (std::vector<std::string>{"recordCount", "nextRecord", "active", "records"}));
  EXPECT_EQ(t["recordCount"].number, 4);
  EXPECT_EQ(t["nextRecord"].number, 2);
  EXPECT_EQ(numbers(t["active"]), (std::vector<double>{1}));
  const JsonValue& r = t["records"][2];
  EXPECT_EQ(r.keys(), (std::vector<std::string>{"line", "delay", "ttl", "name", "letter", "kind", "argument"}));
  EXPECT_EQ(r["line"].number, 3);
  EXPECT_EQ(r["delay"].number, 1) << "counted down while next in line";
  EXPECT_EQ(r["ttl"].number, 1);
  EXPECT_EQ(r["name"].text, "x");
  EXPECT_EQ(r["letter"].text, "Q");
  EXPECT_EQ(r["kind"].number, 1);
  EXPECT_EQ(r["argument"].text, "a b");
  EXPECT_EQ(t["records"][0]["letter"].text, "");
  EXPECT_EQ(t["records"][1]["ttl"].number, -5) << "a negative duration keeps counting down";
  ASSERT_EQ(v["console"].size(), 1u);
  EXPECT_EQ(v["console"][0]["level"].number, 1);
  EXPECT_EQ(v["console"][0]["text"].text, "Zeit neues Integer.");
}

TEST_F(SceneDumpTest, EndePausesTheRemainingClockSteps) {
  const JsonValue v = run("x:START(20);\nd30 e:ENDE(\"Ende gut\");\nd5 y:OBJECT(z);", 100);
  EXPECT_EQ(v["steps"].number, 100);
  // Step 1 runs 20 nested steps; ENDE comes on the 11th step after that.
  EXPECT_EQ(v["timeCounter"].number, 21 + 10);
  EXPECT_EQ(v["objects"].size(), 1u) << "nothing after ENDE ran";
  EXPECT_FALSE(window.isAlive());
  EXPECT_EQ(v["console"][0]["text"].text, "Ende gut");
  EXPECT_EQ(v["console"][0]["level"].number, 0);
}

TEST_F(SceneDumpTest, ImagesAddSizeOriginAndPixelHash) {
  RgbaImage image(2, 1);
  image.pixels = {1, 2, 3, 4, 5, 6, 7, 8};
  image.origin = Vector4(1.5, -2, 0, 1);
  registry.add(std::make_unique<TextureImage>("bild", image))->name = "Bild";
  registry.add(std::make_unique<FrameBufferFilter>("f"))->name = "F";
  const JsonValue v = run("", 0);
  ASSERT_EQ(v["objects"].size(), 3u);
  const JsonValue& filter = v["objects"][0];
  EXPECT_EQ(filter["class"].text, "FrameBufferFilter");
  EXPECT_EQ(filter["weight"].number, -20);
  EXPECT_TRUE(filter["transform"].isNull());
  EXPECT_TRUE(filter["world"].isNull());
  const JsonValue& img = v["objects"][2];
  EXPECT_EQ(img["class"].text, "TextureImage");
  EXPECT_EQ(img["width"].number, 2);
  EXPECT_EQ(img["height"].number, 1);
  EXPECT_EQ(numbers(img["origin"]), (std::vector<double>{1.5, -2, 0, 1}));
  EXPECT_EQ(img["pixelsFnv1a64"].text, fnv1a64Hex(image.pixels.data(), 8));
  EXPECT_EQ(img["pixelsFnv1a64"].text.size(), 16u);
}

TEST_F(SceneDumpTest, NamesAndTextsSurviveEscaping) {
  const JsonValue v = run("\"A\t\\B\":OBJECT(x);\nMESSAGE(\"Gr\xFC\xDF\x65\tTab\");", 1);
  ASSERT_EQ(v["console"].size(), 2u) << dumped;
  EXPECT_EQ(v["console"][1]["text"].text, "Gr\xC3\xBC\xC3\x9F" "e\tTab");
  EXPECT_EQ(v["objects"][1]["name"].text, "A\t\\B");
  EXPECT_EQ(v["timeline"]["records"][0]["name"].text, "A\t\\B");
  EXPECT_NE(dumped.find("\"A\\t\\\\B\""), std::string::npos) << "tab and backslash escaped";
}

TEST_F(SceneDumpTest, NonFiniteNumbersAreStrings) {
  const JsonValue v = run("Zeit:INTEGER(1);\nZeit=1e999;\nR:OBJECT(x);\nR.M=1e999,0,0,1;", 1);
  EXPECT_EQ(v["variables"][0]["value"].text, "inf");
  EXPECT_EQ(v["objects"][1]["transform"][3].text, "inf");
}

TEST_F(SceneDumpTest, MusicTextIsEmbedded) {
  const std::string music = "{\"playing\": true, \"row\": 3}\n";
  const JsonValue v = run("", 0, &music);
  EXPECT_TRUE(v["music"]["playing"].boolean);
  EXPECT_EQ(v["music"]["row"].number, 3);
}

TEST_F(SceneDumpTest, WritesFilesAndReportsFailures) {
  test::TempDir dir;
  std::string error;
  ASSERT_TRUE(writeDumpFile(dir.file("out.json"), "{}\n", error)) << error;
  EXPECT_EQ(test::readTextFile(dir.file("out.json")), "{}\n");
  EXPECT_FALSE(writeDumpFile(dir.file("no/such/folder/out.json"), "{}", error));
  EXPECT_NE(error.find("cannot write"), std::string::npos);
}

TEST_F(SceneDumpTest, MeshesAndLightsAddTheirFields) {
  auto mesh = std::make_unique<Mesh>("dreieck");
  mesh->vertices.resize(3);
  mesh->vertices[1].position = Vector4(1, 0, 0, 1);
  mesh->vertices[2].position = Vector4(0, 1, 0, 1);
  mesh->vertices[2].texCoord.x = 0.5;
  mesh->vertices[2].texCoord.y = 0.25;
  mesh->triangles.resize(1);
  mesh->triangles[0].corner[1] = 1;
  mesh->triangles[0].corner[2] = 2;
  mesh->computeNormals();
  registry.add(std::move(mesh))->name = "D";
  (void)run("L:LIGHT(1);\nL.D=0,0,-1;\nL.C=0.5,0.25,1;", 1);
  registry.updateAll();  // world vectors and lit colours of this frame

  SceneDumpInput input;
  input.registry = &registry;
  input.script = script.get();
  input.display = &display;
  input.geometry = false;
  const JsonValue plain = test::parseJson(sceneDumpText(input));
  input.geometry = true;
  const JsonValue full = test::parseJson(sceneDumpText(input));

  const JsonValue& light = full["objects"][0];
  EXPECT_EQ(light["class"].text, "Light");
  EXPECT_EQ(light["type"].number, 1);
  EXPECT_EQ(numbers(light["vector"]), (std::vector<double>{0, 0, -1, 0}));
  EXPECT_EQ(numbers(light["worldVector"]), (std::vector<double>{0, 0, -1, 0}));
  EXPECT_EQ(numbers(light["color"]), (std::vector<double>{0.5, 0.25, 1}));

  const JsonValue& meshPlain = plain["objects"][2];
  EXPECT_EQ(meshPlain["class"].text, "Mesh");
  EXPECT_EQ(meshPlain["vertexCount"].number, 3);
  EXPECT_EQ(meshPlain["triangleCount"].number, 1);
  EXPECT_FALSE(meshPlain.has("vertices"));
  const JsonValue& meshFull = full["objects"][2];
  ASSERT_EQ(meshFull["vertices"].size(), 3u);
  EXPECT_EQ(numbers(meshFull["vertices"][2]),
            (std::vector<double>{0, 1, 0, 0, 0, 1, 0.5, 0.25, 0, 1, 0, 0, 0, 1, 0.5, 0.25, 1}))
      << "position, normal, u, v, world position, world normal, colour lit by the light shining against +z";
  ASSERT_EQ(meshFull["triangles"].size(), 1u);
  EXPECT_EQ(numbers(meshFull["triangles"][0]), (std::vector<double>{0, 1, 2}));
}
