#include <gtest/gtest.h>

#include "app/DeclarationTable.h"
#include "app/EngineHost.h"
#include "base/Console.h"
#include "platform/GlyphRasterizer.h"
#include "scene/ObjectRegistry.h"
#include "scene/PlacedObject.h"
#include "script/Script.h"

using namespace wf;

namespace {

// The registry in draw order as "name:Class^parent".
std::string describe(const ObjectRegistry& registry) {
  std::string text;
  for (int i = 0; i < registry.count(); ++i) {
    const SceneObject* o = registry.at(i);
    text += (i ? " " : "") + o->name + ":" + o->className();
    if (const PlacedObject* placed = o->asPlaced(); placed && placed->parent) text += "^" + placed->parent->name;
  }
  return text;
}

struct ScriptRun {
  ConsoleLog console;
  ObjectRegistry registry;
  EngineHost host{DeclarationTarget{&registry, {nullptr, systemGlyphRasterizer}, nullptr}};
  std::unique_ptr<Script> script;

  ScriptRun(const std::string& text, int steps) {
    setCurrentConsole(&console);
    script = std::make_unique<Script>(Script::FromText{}, text, &host);
    for (int i = 0; i < steps; ++i) script->step();
  }
  ~ScriptRun() { setCurrentConsole(nullptr); }
  // Console lines at levels 0 (reports) and 1 (declarations), "|"-joined.
  std::string lines() const {
    std::string text;
    for (const auto& line : console.storedLines())
      if (line.first <= 1) text += (text.empty() ? "" : "|") + line.second;
    return text;
  }
};

}  // namespace

TEST(DeclarationTable, WhatEachTypeCreatesWhereAndWhatItPrints) {
  struct Case {
    const char* what;
    const char* script;
    int steps;
    const char* registry;
    const char* lines;
  };
  const Case cases[] = {
      {"OBJECT hangs under Base unless its argument is Base; a duration of 3 makes three",
       "Ring:OBJECT(irgendwas);\nWurzel:OBJECT(base);\n3 Kugel:OBJECT(Base);", 5,
       "Base:PlacedObject Ring:PlacedObject^Base Wurzel:PlacedObject Kugel:PlacedObject Kugel:PlacedObject "
       "Kugel:PlacedObject",
       "Ring neues Dummy.|Wurzel neues Dummy.|Kugel neues Dummy.|Kugel neues Dummy.|Kugel neues Dummy."},
      {"STRING is a group named by the declaration, with a letter sprite per character",
       "Titel:STRING();\nGruss:STRING(\"Hi \xC3\xA4\");", 1,
       "Base:PlacedObject Titel:PlacedObject^Base Gruss:PlacedObject^Base Letter:Sprite^Gruss Letter:Sprite^Gruss "
       "Letter:Sprite^Gruss Letter:Sprite^Gruss",
       "Titel neue Zeichenfolge.|Gruss neue Zeichenfolge."},
      {"weights order insertion; changing a weight later moves nothing",
       "A:OBJECT(Base);\nA.W=5;\nB:OBJECT(Base);\nd1 C:OBJECT(Base);\nD:OBJECT(Base);\nC.W=9;\nL:OBJECT(x);"
       "\nL.W=-10;\nd1 T:STRING(ab);", 3,
       "Base:PlacedObject B:PlacedObject C:PlacedObject D:PlacedObject L:PlacedObject^Base T:PlacedObject^Base "
       "Letter:Sprite^T Letter:Sprite^T A:PlacedObject",
       "A neues Dummy.|B neues Dummy.|C neues Dummy.|D neues Dummy.|L neues Dummy.|T neue Zeichenfolge."},
      {"sprites, textures and the filter (weight -20, first); AUDIO registers nothing and prints after loading",
       "S:SPRITE(x);\nT:TEXTURE(Flare);\nF:FILTER(egal);\nMusik:AUDIO(fehlt.mod);\nPLAYMOD();", 1,
       "F:FrameBufferFilter Base:PlacedObject S:Sprite^Base T:GlTexture^Base",
       "S neues Sprite|T neue Texture|F neuer Filter|Musik new Audiostream.|playing music..."},
      {"lights (weight -10) go before Base, text groups behind them",
       "A:OBJECT(x);\nL:LIGHT(0);\nT:STRING(a);", 1,
       "L:Light^Base Base:PlacedObject A:PlacedObject^Base T:PlacedObject^Base Letter:Sprite^T",
       "A neues Dummy.|L neues Light.|T neue Zeichenfolge."},
      {"the scene types: the word LOGO in any case makes the logo with its two rings",
       "R:model(LOGO);\nB:BAUM(2,1,0.1);\nH:HEIGHTFIELD(0);\nS:SKELETT(0);", 1,
       "Base:PlacedObject Aussenring:Mesh^R Innen-C:Mesh^R R:Logo^Base B:Tree^Base H:Heightfield^Base "
       "S:Skeleton^Base",
       "loading Logo. |B neuer Baum|H neue Landscape|S neues Skelett"},
  };
  for (const Case& c : cases) {
    const ScriptRun run(c.script, c.steps);
    EXPECT_EQ(describe(run.registry), c.registry) << c.what;
    EXPECT_EQ(run.lines(), c.lines) << c.what;
  }
}

TEST(DeclarationTable, VariablesHoldAtoiAndTheEleventhIsRefused) {
  std::string text = "A:INTEGER(2.9);\nB:INTEGER(-7x);\nC:INTEGER(abc);\n";
  for (int i = 3; i < 11; ++i) text += "V" + std::to_string(i) + ":INTEGER(" + std::to_string(i * 2) + ");\n";
  const ScriptRun run(text, 1);
  const VariableTable& v = run.script->variables();
  ASSERT_EQ(v.count(), 10);
  EXPECT_EQ(std::vector<double>({v.variable(0).value, v.variable(1).value, v.variable(2).value, v.variable(9).value}),
            std::vector<double>({2, -7, 0, 18})) << "atoi of 2.9, -7x, abc; V9 is the tenth";
  EXPECT_NE(run.lines().find("V10 neues Integer.|Zeile: 11  Zuviele Variablen"), std::string::npos)
      << "the console line comes before the report: " << run.lines();
}

TEST(DeclarationTable, EveryDeclarationKindHasARow) {
  const KeywordTable table;
  for (int id = KeywordTable::kFirstType; id <= KeywordTable::kLastType; ++id) {
    const bool declaration = kind::isDeclarationKind(id);
    EXPECT_EQ(declaration, !table.keyword(id).empty() && id != kind::kEnde && id != kind::kStart) << id;
    EXPECT_EQ(findDeclarationType(id) != nullptr, declaration) << id;
  }
}
