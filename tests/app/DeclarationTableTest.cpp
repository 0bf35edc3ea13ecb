#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "base/Console.h"
#include "image/Sprite.h"
#include "image/TextureImage.h"
#include "music/ModPlayer.h"
#include "scene/ObjectRegistry.h"
#include "scene/PlacedObject.h"
#include "app/DeclarationTable.h"
#include "app/EngineHost.h"
#include "platform/GlyphRasterizer.h"
#include "script/Script.h"

using namespace wf;

namespace {

const ImageSources kLetters{nullptr, systemGlyphRasterizer};

class DeclarationsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setCurrentConsole(&console);
  }
  void TearDown() override {
    setCurrentConsole(nullptr);
  }
  Script& run(const std::string& text, int steps) {
    script = std::make_unique<Script>(Script::FromText{}, text, &host);
    for (int i = 0; i < steps; ++i) script->step();
    return *script;
  }
  std::vector<std::string> lines() const {
    std::vector<std::string> out;
    for (const auto& line : console.storedLines()) out.push_back(line.second);
    return out;
  }

  ConsoleLog console;
  ObjectRegistry registry;
  EngineHost host{DeclarationTarget{&registry, kLetters, nullptr}};
  std::unique_ptr<Script> script;
};

}  // namespace

TEST(KeywordTable, IdsAndRanges) {
  const KeywordTable table;
  struct Case {
    const char* word;
    int type;
    int call;
  };
  const Case cases[] = {
      {"MODEL", 4, -1},     {"light", 5, -1},   {"Object", 6, -1},      {"SPRITE", 7, -1},   {"TEXTURE", 8, -1},
      {"STRING", 9, -1},    {"INTEGER", 10, -1}, {"AUDIO", 13, -1},     {"BAUM", 14, -1},    {"HEIGHTFIELD", 15, -1},
      {"SKELETT", 16, -1},  {"FILTER", 17, -1}, {"ENDE", 23, -1},       {"start", 24, -1},   {"STOPMOD", -1, 42},
      {"PLAYMOD", -1, 43},  {"message", -1, 44}, {"BLEND", -1, 45},     {"", -1, -1},        {"MODELL", -1, -1},
      {"SKELETON", -1, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(table.lookupType(c.word), c.type) << c.word;
    EXPECT_EQ(table.lookupCall(c.word), c.call) << c.word;
  }
  EXPECT_EQ(table.keyword(6), "OBJECT");
  EXPECT_EQ(table.keyword(300), "");
}

TEST_F(DeclarationsTest, ObjectPrintsRegistersThenNames) {
  run("Ring:OBJECT(irgendwas);\nWurzel:OBJECT(base);", 1);
  ASSERT_EQ(registry.count(), 3);
  EXPECT_EQ(registry.at(1)->name, "Ring");
  EXPECT_EQ(registry.at(1)->source, "irgendwas");
  EXPECT_STREQ(registry.at(1)->className(), "PlacedObject");
  EXPECT_EQ(registry.at(1)->asPlaced()->parent, registry.at(0));
  EXPECT_EQ(registry.at(2)->asPlaced()->parent, nullptr) << "the argument Base gives no default parent";
  EXPECT_EQ(lines(), (std::vector<std::string>{"Ring neues Dummy.", "Wurzel neues Dummy."}));
}

TEST_F(DeclarationsTest, DurationThreeCreatesThreeObjects) {
  run("3 Kugel:OBJECT(Base);", 5);
  ASSERT_EQ(registry.count(), 4);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(registry.at(i)->name, "Kugel") << i;
  EXPECT_EQ(registry.find("kugel"), 1) << "the first in draw order answers to the name";
}

TEST_F(DeclarationsTest, EleventhIntegerIsRefused) {
  std::string text;
  for (int i = 0; i < 11; ++i) text += "V" + std::to_string(i) + ":INTEGER(" + std::to_string(i * 2) + ");\n";
  run(text, 1);
  EXPECT_EQ(script->variables().count(), 10);
  EXPECT_EQ(script->variables().variable(9).name, "V9");
  EXPECT_EQ(script->variables().variable(9).value, 18.0);
  const std::vector<std::string> out = lines();
  ASSERT_EQ(out.size(), 12u);
  EXPECT_EQ(out[10], "V10 neues Integer.") << "the console lines come first";
  EXPECT_EQ(out[11], "Zeile: 11  Zuviele Variablen");
  EXPECT_EQ(registry.count(), 1) << "variables are not registered";
}

TEST_F(DeclarationsTest, IntegerTakesAtoiOfItsArgument) {
  run("A:INTEGER(2.9);\nB:INTEGER(-7x);\nC:INTEGER(abc);", 1);
  ASSERT_EQ(script->variables().count(), 3);
  EXPECT_EQ(script->variables().variable(0).value, 2.0);
  EXPECT_EQ(script->variables().variable(1).value, -7.0);
  EXPECT_EQ(script->variables().variable(2).value, 0.0);
}

TEST_F(DeclarationsTest, StringIsAGroupNamedByItsDeclaration) {
  run("Titel:STRING();\nGruss:STRING(Hallo);", 1);
  ASSERT_EQ(registry.count(), 8) << "an empty text makes only the group";
  EXPECT_EQ(registry.at(1)->name, "Titel");
  EXPECT_EQ(registry.at(1)->source, "Titel") << "constructed with the name";
  EXPECT_EQ(registry.at(2)->name, "Gruss");
  for (int i = 3; i < 8; ++i) EXPECT_EQ(registry.at(i)->name, "Letter") << i;
  EXPECT_EQ(lines(), (std::vector<std::string>{"Titel neue Zeichenfolge.", "Gruss neue Zeichenfolge."}));
}

TEST_F(DeclarationsTest, StringLettersSitSideBySide) {
  run("Gruss:STRING(\"Hi \xC3\xA4\");", 1);
  ASSERT_EQ(registry.count(), 6) << "the group and four letters";
  const SceneObject* group = registry.at(1);
  EXPECT_EQ(group->name, "Gruss");
  int advance = 0;
  const char* letters[] = {"H", "i", " ", "\xC3\xA4"};
  for (int i = 0; i < 4; ++i) {
    const SceneObject* o = registry.at(2 + i);
    EXPECT_EQ(o->name, "Letter") << i;
    EXPECT_STREQ(o->className(), "Sprite") << i;
    EXPECT_EQ(o->source, letters[i]) << i;
    const auto* letter = dynamic_cast<const Sprite*>(o);
    ASSERT_NE(letter, nullptr) << i;
    EXPECT_EQ(letter->parent, group) << i;
    // The glyph's own origin, moved left by the widths of the letters before.
    Sprite alone(letters[i], kLetters);
    EXPECT_EQ(const_cast<Sprite*>(letter)->origin().x, alone.origin().x - advance) << i;
    advance += letter->width();
  }
  EXPECT_GT(advance, 0);
}

TEST_F(DeclarationsTest, StringAfterALightGoesBehindIt) {
  // A weight of -10 as lights have: the group and its letters (weight 0) go behind.
  run("L:OBJECT(x);\nL.W=-10;\nd1 T:STRING(ab);", 2);
  // L registered at weight 0 and then changed, so it stays at index 1; the
  // group and letters are inserted behind every object of weight <= 0.
  ASSERT_EQ(registry.count(), 5);
  EXPECT_EQ(registry.at(2)->name, "T");
  EXPECT_EQ(registry.at(3)->name, "Letter");
  EXPECT_EQ(registry.at(4)->name, "Letter");
}

TEST_F(DeclarationsTest, SpriteTextureAndFilter) {
  run("S:SPRITE(x);\nT:TEXTURE(Flare);\nF:FILTER(egal);", 1);
  ASSERT_EQ(registry.count(), 4);
  EXPECT_EQ(registry.at(0)->name, "F") << "the filter's weight -20 puts it first";
  EXPECT_STREQ(registry.at(0)->className(), "FrameBufferFilter");
  EXPECT_EQ(registry.at(1)->name, "Base");
  EXPECT_EQ(registry.at(2)->name, "S");
  EXPECT_STREQ(registry.at(2)->className(), "Sprite");
  EXPECT_EQ(registry.at(3)->name, "T");
  EXPECT_STREQ(registry.at(3)->className(), "GlTexture");
  EXPECT_EQ(registry.at(3)->source, "Flare");
  EXPECT_EQ(lines(), (std::vector<std::string>{"S neues Sprite", "T neue Texture", "F neuer Filter"}));
}

TEST_F(DeclarationsTest, AudioLoadsIntoThePlayerAndPrintsAfterwards) {
  ModPlayer player(nullptr);  // no sound output: loading does nothing
  run("Musik:AUDIO(fehlt.mod);\nPLAYMOD();", 1);
  EXPECT_EQ(registry.count(), 1) << "nothing is registered";
  EXPECT_FALSE(player.isPlaying());
  EXPECT_EQ(lines(), (std::vector<std::string>{"Musik new Audiostream.", "playing music..."}));
}

TEST_F(DeclarationsTest, EveryDeclarationTypeHasARow) {
  const KeywordTable table;
  for (int id = KeywordTable::kFirstType; id <= KeywordTable::kLastType; ++id) {
    const bool declaration = kind::isDeclarationKind(id);
    EXPECT_EQ(declaration, !table.keyword(id).empty() && id != kind::kEnde && id != kind::kStart) << id;
    EXPECT_EQ(findDeclarationType(id) != nullptr, declaration) << id;
  }
  EXPECT_EQ(findDeclarationType(kind::kObject)->consoleText, std::string(" neues Dummy."));
  EXPECT_EQ(findDeclarationType(kind::kModel)->consoleText, nullptr) << "the loader prints its own lines";
}

TEST_F(DeclarationsTest, LightsGoFirstAndTextsFollowThem) {
  run("A:OBJECT(x);\nL:LIGHT(0);\nT:STRING(a);", 1);
  ASSERT_EQ(registry.count(), 5);
  EXPECT_EQ(registry.at(0)->name, "L") << "weight -10 goes before Base";
  EXPECT_STREQ(registry.at(0)->className(), "Light");
  EXPECT_EQ(registry.at(1)->name, "Base");
  EXPECT_EQ(registry.at(2)->name, "A");
  EXPECT_EQ(registry.at(3)->name, "T") << "the group goes behind the light";
  EXPECT_EQ(registry.at(4)->name, "Letter");
  EXPECT_EQ(lines(), (std::vector<std::string>{"A neues Dummy.", "L neues Light.", "T neue Zeichenfolge."}));
}

TEST_F(DeclarationsTest, ModelLogoTreeHeightfieldSkeleton) {
  run("R:model(LOGO);\nB:BAUM(2,1,0.1);\nH:HEIGHTFIELD(0);\nS:SKELETT(0);", 1);
  const int logo = registry.find("R");
  ASSERT_GE(logo, 0);
  EXPECT_STREQ(registry.at(logo)->className(), "Logo") << "the word Logo in any case makes the logo";
  ASSERT_GE(registry.find("B"), 0);
  EXPECT_STREQ(registry.at(registry.find("B"))->className(), "Tree");
  ASSERT_GE(registry.find("H"), 0);
  EXPECT_STREQ(registry.at(registry.find("H"))->className(), "Heightfield");
  ASSERT_GE(registry.find("S"), 0);
  EXPECT_STREQ(registry.at(registry.find("S"))->className(), "Skeleton");
  const std::vector<std::string> out = lines();
  EXPECT_NE(std::find(out.begin(), out.end(), "B neuer Baum"), out.end());
  EXPECT_NE(std::find(out.begin(), out.end(), "H neue Landscape"), out.end());
  EXPECT_NE(std::find(out.begin(), out.end(), "S neues Skelett"), out.end());
}

TEST_F(DeclarationsTest, WeightOrderingWithinTheRegistry) {
  run("A:OBJECT(Base);\nA.W=5;\nB:OBJECT(Base);", 1);
  // B (weight 0) goes in front of A, whose weight is 5 by then.
  EXPECT_EQ(registry.at(1)->name, "B");
  EXPECT_EQ(registry.at(2)->name, "A");
  // Changing a weight later does not move an object.
  run("C:OBJECT(Base);\nD:OBJECT(Base);\nC.W=9;", 1);
  EXPECT_EQ(registry.find("C"), 2);
  EXPECT_EQ(registry.find("D"), 3);
  EXPECT_EQ(registry.find("A"), 4);
}
