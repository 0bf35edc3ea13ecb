#include <gtest/gtest.h>

#include <cmath>

#include "model3ds/Writer3ds.h"
#include "scene/Model.h"
#include "scene/ObjectRegistry.h"
#include "scene/SceneTestSupport.h"
#include "support/TempDir.h"

using namespace wf;
using namespace wf::test;
using model3ds::Chunk;
using model3ds::MeshObject;

namespace {

MeshObject triangleObject(const std::string& name) {
  MeshObject o;
  o.name = name;
  o.vertices = {{0, 0, 0}, {2, 0, 0}, {0, 2, 0}};
  o.mapping = {{0.0f, 0.25f}, {1.0f, 0.5f}, {0.5f, 1.0f}};
  o.faces = {{0, 1, 2}};
  return o;
}

// Loads bytes as a model into the registry (kept alive by the registry).
Model* load(ObjectRegistry& registry, const std::vector<uint8_t>& bytes) {
  // An exact-size copy, so that any read past the end is caught by the sanitizers.
  auto* copy = new uint8_t[bytes.size() ? bytes.size() : 1];
  std::copy(bytes.begin(), bytes.end(), copy);
  Model* model = registry.add(std::make_unique<Model>("test.3ds", registry, copy, bytes.size()));
  delete[] copy;
  return model;
}

Chunk mainWith(Chunk editorContent) {
  Chunk main(kChunkMain);
  main.add(std::move(editorContent));
  return main;
}

Chunk vertexChunk(uint16_t count, const std::vector<float>& xyz) {
  Chunk c(kChunkVertexList);
  c.u16(count);
  for (float f : xyz) c.f32(f);
  return c;
}

}  // namespace

TEST(Model, OneTriangleObject) {
  ObjectRegistry registry;
  Model* model = load(registry, model3ds::writeScene({triangleObject("Dreieck")}));
  ASSERT_EQ(model->meshes().size(), 1u);
  Mesh* mesh = model->meshes()[0];
  EXPECT_EQ(mesh->name, "Dreieck");
  EXPECT_EQ(mesh->source, "Dreieck");
  EXPECT_EQ(mesh->parent, model);
  ASSERT_EQ(mesh->vertexCount(), 3);
  ASSERT_EQ(mesh->triangleCount(), 1);
  EXPECT_EQ(mesh->vertices[1].position.x, 2.0);
  EXPECT_EQ(mesh->vertices[1].position.w, 1.0);
  EXPECT_EQ(mesh->vertices[0].texCoord.y, 0.25);
  EXPECT_EQ(mesh->vertices[2].texCoord.x, 0.5);
  for (int i = 0; i < 3; ++i) {
    EXPECT_DOUBLE_EQ(mesh->vertices[static_cast<size_t>(i)].normal.z, 1.0) << "vertex " << i;
    EXPECT_EQ(mesh->vertices[static_cast<size_t>(i)].color.x, 1.0) << "vertex " << i;
  }
  EXPECT_EQ(mesh->triangles[0].corner[1], 1);
  EXPECT_STREQ(model->className(), "Model");
  EXPECT_EQ(registry.indexOf(mesh), 1) << "the mesh is registered at once, behind Base";
  EXPECT_EQ(registry.indexOf(model), 2);
}

TEST(Model, KeyframerRestoresTheHierarchy) {
  ObjectRegistry registry;
  MeshObject a = triangleObject("A"), b = triangleObject("B"), c = triangleObject("C");
  b.parent = 0;
  c.parent = 1;
  Model* model = load(registry, model3ds::writeScene({a, b, c}));
  ASSERT_EQ(model->meshes().size(), 3u);
  EXPECT_EQ(model->meshes()[0]->parent, model);
  EXPECT_EQ(model->meshes()[1]->parent, model->meshes()[0]);
  EXPECT_EQ(model->meshes()[2]->parent, model->meshes()[1]);
}

TEST(Model, WithoutKeyframerEveryMeshIsAChildOfTheModel) {
  ObjectRegistry registry;
  MeshObject a = triangleObject("A"), b = triangleObject("B");
  b.parent = 0;
  model3ds::SceneOptions options;
  options.keyframer = false;
  Model* model = load(registry, model3ds::writeScene({a, b}, options));
  ASSERT_EQ(model->meshes().size(), 2u);
  EXPECT_EQ(model->meshes()[1]->parent, model);
}

TEST(Model, ConsoleLinesPerObjectBlock) {
  ScopedConsole console;
  ObjectRegistry registry;
  load(registry, model3ds::writeScene({triangleObject("Rumpf"), triangleObject("Gondel")}));
  const std::vector<std::string> expected = {"loading model: Rumpf", "loading model: Gondel"};
  EXPECT_EQ(console.lines(), expected);
  EXPECT_EQ(console.log.level(2), 1);
}

TEST(Model, ObjectBlockWithoutTriangleMeshStillMakesAnEmptyMesh) {
  ScopedConsole console;
  ObjectRegistry registry;
  Chunk camera(0x4700);
  for (int i = 0; i < 8; ++i) camera.f32(1.0f);
  Chunk object(kChunkObjectBlock);
  object.text("Camera01").add(camera);
  Chunk editor(kChunkEditor);
  editor.add(object);
  Model* model = load(registry, mainWith(editor).bytes());
  ASSERT_EQ(model->meshes().size(), 1u);
  EXPECT_EQ(model->meshes()[0]->name, "Camera01");
  EXPECT_EQ(model->meshes()[0]->vertexCount(), 0);
  EXPECT_EQ(console.lines().at(0), "loading model: Camera01");
}

TEST(Model, MappingReadsTheMeshVertexCountWhateverItsOwnCount) {
  ObjectRegistry registry;
  MeshObject o = triangleObject("T");
  Chunk object = model3ds::objectBlock(o);
  // Rewrite the mapping chunk: count field 1, but three pairs.
  Chunk& mesh = object.children[0];
  for (Chunk& c : mesh.children)
    if (c.id == kChunkMapping) {
      c.data[0] = 1;
      c.data[1] = 0;
    }
  Chunk editor(kChunkEditor);
  editor.add(object);
  Model* model = load(registry, mainWith(editor).bytes());
  ASSERT_EQ(model->meshes().at(0)->vertexCount(), 3);
  EXPECT_EQ(model->meshes()[0]->vertices[2].texCoord.y, 1.0);
}

TEST(Model, FaceFlagsAndMaterialGroupsDoNotMatter) {
  ObjectRegistry registry;
  MeshObject plain = triangleObject("T");
  MeshObject withMaterial = plain;
  withMaterial.material = "Stoff";
  Model* a = load(registry, model3ds::writeScene({plain}));
  Model* b = load(registry, model3ds::writeScene({withMaterial}));
  ASSERT_EQ(b->meshes().at(0)->triangleCount(), 1);
  EXPECT_EQ(a->meshes()[0]->triangles[0].corner[2], b->meshes()[0]->triangles[0].corner[2]);
  EXPECT_EQ(a->meshes()[0]->vertices[0].normal.z, b->meshes()[0]->vertices[0].normal.z);
}

TEST(Model, UnknownTopLevelChunksAreSkippedByLength) {
  ObjectRegistry registry;
  std::vector<uint8_t> bytes = Chunk(0x0002).u32(3).raw({0, 0x40, 0x10, 0x41}).bytes();  // looks like chunk ids
  const std::vector<uint8_t> scene = model3ds::writeScene({triangleObject("T")});
  bytes.insert(bytes.end(), scene.begin(), scene.end());
  Model* model = load(registry, bytes);
  ASSERT_EQ(model->meshes().size(), 1u);
  EXPECT_EQ(model->meshes()[0]->vertexCount(), 3);
}

TEST(Model, MissingFileGivesAModelWithoutMeshes) {
  ScopedConsole console;
  TempDir dir;
  ObjectRegistry registry;
  Model model(dir.file("nothing.3ds"), registry);
  EXPECT_TRUE(model.meshes().empty());
  EXPECT_EQ(registry.count(), 1);
  EXPECT_FALSE(console.lines().empty()) << "the file reader reports the path";
}

TEST(Model, ReadsAFileThroughTheFileReader) {
  TempDir dir;
  const std::string path = dir.write("Luft/Schiff.3ds", model3ds::writeScene(model3ds::makeAirship(0)));
  ObjectRegistry registry;
  Model model(dir.path() + "\\luft\\SCHIFF.3DS", registry);
  ASSERT_EQ(model.meshes().size(), 7u);
  EXPECT_EQ(model.meshes()[6]->name, "Propeller");
  EXPECT_EQ(model.meshes()[6]->parent, model.meshes()[5]);
  EXPECT_EQ(model.meshes()[5]->parent, model.meshes()[0]);
  EXPECT_EQ(model.meshes()[0]->parent, &model);
}

// Damaged files: nothing is read or written out of bounds, nothing loops.

TEST(ModelDamaged, ChunkShorterThanItsHeaderEndsTheReading) {
  ScopedConsole console;
  ObjectRegistry registry;
  std::vector<uint8_t> bytes = model3ds::writeScene({triangleObject("A")});
  Chunk zero(0x1234);
  zero.lengthOverride = 0;
  const std::vector<uint8_t> stall = zero.bytes();
  bytes.insert(bytes.end(), stall.begin(), stall.end());
  const std::vector<uint8_t> more = model3ds::writeScene({triangleObject("B")});
  bytes.insert(bytes.end(), more.begin(), more.end());
  Model* model = load(registry, bytes);
  ASSERT_EQ(model->meshes().size(), 1u);
  EXPECT_EQ(model->meshes()[0]->name, "A");
  EXPECT_EQ(console.lines().back(), "damaged model file: test.3ds");
}

TEST(ModelDamaged, ChunkLengthPastTheEndReadsOnlyWhatIsThere) {
  ObjectRegistry registry;
  Chunk object(kChunkObjectBlock);
  Chunk mesh(kChunkTriangleMesh);
  Chunk vertices = vertexChunk(3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  vertices.lengthOverride = 100000;
  mesh.add(vertices);
  object.text("Lang").add(mesh);
  Chunk editor(kChunkEditor);
  editor.add(object);
  Model* model = load(registry, mainWith(editor).bytes());
  ASSERT_EQ(model->meshes().size(), 1u);
  ASSERT_EQ(model->meshes()[0]->vertexCount(), 3);
  EXPECT_EQ(model->meshes()[0]->vertices[2].position.z, 9.0);
}

TEST(ModelDamaged, DataBeforeAnyObjectBlockIsIgnored) {
  ObjectRegistry registry;
  Chunk editor(kChunkEditor);
  editor.add(vertexChunk(1, {1, 2, 3}));
  editor.add(std::move(Chunk(kChunkMapping).u16(1).f32(0).f32(0)));
  editor.add(std::move(Chunk(kChunkFaceList).u16(1).u16(0).u16(0).u16(0).u16(0)));
  Model* model = load(registry, mainWith(editor).bytes());
  EXPECT_TRUE(model->meshes().empty());
  EXPECT_EQ(registry.count(), 2) << "Base and the model only";
}

TEST(ModelDamaged, TooShortVertexMappingAndFaceData) {
  ObjectRegistry registry;
  Chunk mesh(kChunkTriangleMesh);
  mesh.add(vertexChunk(5, {0, 0, 0, 1, 0, 0, 0, 1, 0, 9}));  // three whole vertices and a stray float
  mesh.add(std::move(Chunk(kChunkMapping).u16(5).f32(0.5f).f32(0.75f).f32(0.25f)));  // one whole pair
  mesh.add(std::move(Chunk(kChunkFaceList).u16(4).u16(0).u16(1).u16(2).u16(0).u16(2)));  // one whole face
  Chunk object(kChunkObjectBlock);
  object.text("Kurz").add(mesh);
  Chunk editor(kChunkEditor);
  editor.add(object);
  Model* model = load(registry, mainWith(editor).bytes());
  Mesh* m = model->meshes().at(0);
  ASSERT_EQ(m->vertexCount(), 3);
  ASSERT_EQ(m->triangleCount(), 1);
  EXPECT_EQ(m->vertices[0].texCoord.y, 0.75);
  EXPECT_EQ(m->vertices[1].texCoord.x, 0.0) << "no pair for it";
  EXPECT_DOUBLE_EQ(m->vertices[0].normal.z, 1.0);

  // Chunks too short for even their count.
  Chunk tiny(kChunkTriangleMesh);
  tiny.add(std::move(Chunk(kChunkVertexList).u8(1)));
  tiny.add(Chunk(kChunkFaceList));
  tiny.add(Chunk(kChunkMapping));
  Chunk object2(kChunkObjectBlock);
  object2.text("Winzig").add(tiny);
  Chunk editor2(kChunkEditor);
  editor2.add(object2);
  Model* model2 = load(registry, mainWith(editor2).bytes());
  EXPECT_EQ(model2->meshes().at(0)->vertexCount(), 0);
  EXPECT_EQ(model2->meshes().at(0)->triangleCount(), 0);
}

TEST(ModelDamaged, FacesNamingMissingVerticesAreDroppedAndReportedOnce) {
  ScopedConsole console;
  ObjectRegistry registry;
  MeshObject a = triangleObject("A");
  a.faces = {{0, 1, 2}, {0, 1, 3}, {3, 4, 5}};
  MeshObject b = triangleObject("B");
  b.faces = {{2, 1, 0}, {65535, 0, 1}};
  Model* model = load(registry, model3ds::writeScene({a, b}));
  ASSERT_EQ(model->meshes().size(), 2u);
  EXPECT_EQ(model->meshes()[0]->triangleCount(), 1);
  EXPECT_EQ(model->meshes()[1]->triangleCount(), 1);
  EXPECT_EQ(model->meshes()[1]->triangles[0].corner[0], 2);
  int reports = 0;
  for (const std::string& line : console.lines())
    if (line == "faces with invalid vertex indices dropped: 3") ++reports;
  EXPECT_EQ(reports, 1);
}

TEST(ModelDamaged, FacesBeforeTheirVerticesAreKept) {
  // Indices are checked after reading, so chunk order inside a mesh does not matter.
  ObjectRegistry registry;
  Chunk mesh(kChunkTriangleMesh);
  mesh.add(std::move(Chunk(kChunkFaceList).u16(1).u16(0).u16(1).u16(2).u16(0)));
  mesh.add(vertexChunk(3, {0, 0, 0, 1, 0, 0, 0, 1, 0}));
  Chunk object(kChunkObjectBlock);
  object.text("Umgekehrt").add(mesh);
  Chunk editor(kChunkEditor);
  editor.add(object);
  Model* model = load(registry, mainWith(editor).bytes());
  EXPECT_EQ(model->meshes().at(0)->triangleCount(), 1);
}

namespace {
Chunk nodeChunk(const std::string& name, int16_t parent) {
  Chunk node(kChunkObjectNode);
  node.add(std::move(Chunk(kChunkNodeHeader).text(name).u16(0).u16(0).u16(static_cast<uint16_t>(parent))));
  return node;
}

Model* loadWithNodes(ObjectRegistry& registry, int objects, const std::vector<Chunk>& nodes) {
  Chunk editor(kChunkEditor);
  for (int i = 0; i < objects; ++i) editor.add(model3ds::objectBlock(triangleObject("O" + std::to_string(i))));
  Chunk keyframer(kChunkKeyframer);
  for (const Chunk& n : nodes) keyframer.add(n);
  Chunk main(kChunkMain);
  main.add(editor).add(keyframer);
  return load(registry, main.bytes());
}
}  // namespace

TEST(ModelDamaged, NodeHeadersBeyondTheMeshesAndBadParentsAreIgnored) {
  ObjectRegistry registry;
  // Like a file with a camera node: the third node has no object block.
  Model* model = loadWithNodes(registry, 2,
                               {nodeChunk("O0", -1), nodeChunk("O1", 0), nodeChunk("Camera", 1), nodeChunk("X", 7)});
  EXPECT_EQ(model->meshes()[1]->parent, model->meshes()[0]);

  Model* bad = loadWithNodes(registry, 3, {nodeChunk("O0", 5), nodeChunk("O1", -2), nodeChunk("O2", 2)});
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(bad->meshes()[static_cast<size_t>(i)]->parent, bad) << "mesh " << i << " keeps the model";
}

TEST(ModelDamaged, NodeThatWouldMakeAMeshItsOwnAncestorIsIgnored) {
  ObjectRegistry registry;
  Model* model = loadWithNodes(registry, 3, {nodeChunk("O0", 2), nodeChunk("O1", 0), nodeChunk("O2", 1)});
  EXPECT_EQ(model->meshes()[0]->parent, model->meshes()[2]);
  EXPECT_EQ(model->meshes()[1]->parent, model->meshes()[0]);
  EXPECT_EQ(model->meshes()[2]->parent, model) << "2 -> 1 -> 0 -> 2 would be a loop";
  // Every world transform walk ends.
  for (Mesh* m : model->meshes()) EXPECT_EQ(m->worldTransform().m[3][3], 1.0);
}

TEST(ModelDamaged, TruncatedNodeHeaderIsIgnored) {
  ObjectRegistry registry;
  Chunk shortNode(kChunkObjectNode);
  shortNode.add(std::move(Chunk(kChunkNodeHeader).text("O1").u16(0)));  // no second flag word, no parent
  Model* model = loadWithNodes(registry, 2, {nodeChunk("O0", -1), shortNode});
  EXPECT_EQ(model->meshes()[1]->parent, model);
  Model* noName = loadWithNodes(registry, 1, {Chunk(kChunkObjectNode).add(std::move(Chunk(kChunkNodeHeader).u8('x')))});
  EXPECT_EQ(noName->meshes()[0]->parent, noName);
}

TEST(ModelDamaged, LongNamesAreCutAt63Characters) {
  ObjectRegistry registry;
  const std::string longName(200, 'n');
  Model* model = load(registry, model3ds::writeScene({triangleObject(longName), triangleObject("Zwei")}));
  ASSERT_EQ(model->meshes().size(), 2u);
  EXPECT_EQ(model->meshes()[0]->name, std::string(63, 'n'));
  EXPECT_EQ(model->meshes()[0]->vertexCount(), 3) << "reading goes on after the whole name";
  EXPECT_EQ(model->meshes()[1]->name, "Zwei");
}

TEST(ModelDamaged, UnterminatedObjectNameSkipsTheBlock) {
  ObjectRegistry registry;
  Chunk object(kChunkObjectBlock);
  object.raw({'a', 'b', 'c'});
  std::vector<uint8_t> bytes = object.bytes();
  Model* model = load(registry, bytes);
  EXPECT_TRUE(model->meshes().empty());
}

TEST(ModelDamaged, EveryPrefixOfAValidFileLoads) {
  // Each cut ends the reading somewhere else: inside headers, names, data.
  const std::vector<uint8_t> whole = model3ds::writeScene(model3ds::makeBalloon(0));
  size_t lastCount = 0;
  for (size_t n = 0; n <= whole.size(); n += (n < 400 ? 1 : 7)) {
    ObjectRegistry registry;
    const std::vector<uint8_t> part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
    auto model = std::make_unique<Model>("cut", registry, part.data(), part.size());
    ASSERT_GE(model->meshes().size(), lastCount) << "prefix of " << n << " bytes";
    lastCount = model->meshes().size();
    for (Mesh* m : model->meshes())
      for (const MeshTriangle& t : m->triangles)
        for (int c = 0; c < 3; ++c) ASSERT_LT(t.corner[c], m->vertexCount()) << "prefix of " << n << " bytes";
  }
  EXPECT_EQ(lastCount, 6u);
}

TEST(ModelDamaged, EmptyInput) {
  ObjectRegistry registry;
  Model model("leer", registry, nullptr, 0);
  EXPECT_TRUE(model.meshes().empty());
  const uint8_t few[5] = {0x4D, 0x4D, 6, 0, 0};
  Model partial("kurz", registry, few, sizeof few);
  EXPECT_TRUE(partial.meshes().empty());
}

TEST(ModelDamaged, NoMoreMeshesThanTheRegistryCanList) {
  ScopedConsole console;
  ObjectRegistry registry;
  Chunk editor(kChunkEditor);
  for (size_t i = 0; i < Model::kMaxMeshes + 5; ++i) editor.add(std::move(Chunk(kChunkObjectBlock).text("o")));
  Model* model = load(registry, mainWith(editor).bytes());
  EXPECT_EQ(model->meshes().size(), Model::kMaxMeshes);
  EXPECT_EQ(registry.count(), ObjectRegistry::kCapacity);
}
