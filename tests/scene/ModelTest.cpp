// The 3DS reader over whole and damaged files: exact-size inputs, so the sanitizers catch a read past the end.
#include <gtest/gtest.h>

#include "model3ds/Writer3ds.h"
#include "scene/Model.h"
#include "scene/SceneTestSupport.h"

using namespace wf;
using namespace wf::test;
using model3ds::Chunk;
using model3ds::MeshObject;

namespace {

MeshObject tri(const std::string& name, int parent = -1) {  // vertices, mapping, one face
  return {name, {{0, 0, 0}, {2, 0, 0}, {0, 2, 0}}, {{0, 0.25f}, {1, 0.5f}, {0.5f, 1}}, {{0, 1, 2}}, parent, ""};
}

// A file whose editor chunk holds these chunks, and a keyframer when nodes are given.
std::vector<uint8_t> file(std::vector<Chunk> editorChunks, std::vector<Chunk> nodes = {}) {
  Chunk main(kChunkMain), editor(kChunkEditor), keyframer(kChunkKeyframer);
  for (Chunk& c : editorChunks) editor.add(std::move(c));
  for (Chunk& c : nodes) keyframer.add(std::move(c));
  main.add(std::move(editor));
  if (!nodes.empty()) main.add(std::move(keyframer));
  return main.bytes();
}

Chunk object(const std::string& name, std::vector<Chunk> meshChunks) {
  Chunk mesh(kChunkTriangleMesh);
  for (Chunk& c : meshChunks) mesh.add(std::move(c));
  return std::move(Chunk(kChunkObjectBlock).text(name).add(std::move(mesh)));
}

Chunk vertices(uint16_t count, const std::vector<float>& xyz, int64_t length = -1) {
  Chunk c(kChunkVertexList);
  c.u16(count).lengthOverride = length;
  for (float f : xyz) c.f32(f);
  return c;
}

Chunk node(const std::string& name, int16_t parent) {
  return std::move(Chunk(kChunkObjectNode).add(
      std::move(Chunk(kChunkNodeHeader).text(name).u16(0).u16(0).u16(static_cast<uint16_t>(parent)))));
}

// Object blocks O0 .. O(n-1) and a keyframer with these nodes.
std::vector<uint8_t> withNodes(int n, std::vector<Chunk> nodes) {
  std::vector<Chunk> objects;
  for (int i = 0; i < n; ++i) objects.push_back(model3ds::objectBlock(tri("O" + std::to_string(i))));
  return file(std::move(objects), std::move(nodes));
}
const std::string kO01 = "loading model: O0|loading model: O1", kO012 = kO01 + "|loading model: O2",
                  kDamaged = "|damaged model file: test.3ds";

}  // namespace

TEST(Model, ReadsChunksAndSurvivesDamagedFiles) {
  MeshObject material = tri("M"), badFaces = tri("A"), badFaces2 = tri("B");
  material.material = "Stoff";
  badFaces.faces = {{0, 1, 2}, {0, 1, 3}, {3, 4, 5}};
  badFaces2.faces = {{2, 1, 0}, {65535, 0, 1}};
  Chunk mapCount1 = model3ds::objectBlock(tri("T")), shortChunk(0x1234), version(0x0002);
  for (Chunk& c : mapCount1.children[0].children)
    if (c.id == kChunkMapping) c.data[0] = 1;  // count 1, three pairs
  shortChunk.lengthOverride = 5;               // one byte short of its own header
  version.u32(3).raw({0, 0x40, 0x10, 0x41});  // looks like chunk ids
  const std::string longName(200, 'n');

  const std::vector<double> uv = {0, 0, 0, 0, 0.25, 2, 0, 0, 1, 0.5, 0, 2, 0, 0.5, 1};
  // What, the bytes; per mesh the parent mesh's index (-1 the model); the first mesh's vertex and triangle
  // counts and x, y, z, u, v per vertex (empty: not checked); the console lines, joined by '|'.
  const std::tuple<const char*, std::vector<uint8_t>, std::vector<int>, int, int, std::vector<double>, std::string>
      cases[] = {
      {"one triangle", model3ds::writeScene({tri("A")}), {-1}, 3, 1, uv, "loading model: A"},
      {"keyframer hierarchy", model3ds::writeScene({tri("A"), tri("B", 0), tri("C", 1)}), {-1, 0, 1}, 3, 1, {},
       "loading model: A|loading model: B|loading model: C"},
      {"camera object block: an empty mesh", file({std::move(Chunk(kChunkObjectBlock).text("Cam").add(Chunk(0x4700)))}),
       {-1}, 0, 0, {}, "loading model: Cam"},
      {"mapping reads the mesh's vertex count", file({mapCount1}), {-1}, 3, 1, uv, "loading model: T"},
      {"material group in the face list", model3ds::writeScene({material}), {-1}, 3, 1, uv, "loading model: M"},
      {"unknown chunk skipped by length",
       file({version, model3ds::objectBlock(tri("A"))}), {-1}, 3, 1, uv, "loading model: A"},
      {"faces before their vertices",
       file({object("F", {std::move(Chunk(kChunkFaceList).u16(1).u16(0).u16(1).u16(2).u16(0)),
                          vertices(3, {0, 0, 0, 1, 0, 0, 0, 1, 0})})}),
       {-1}, 3, 1, {}, "loading model: F"},
      {"empty input", {}, {}, 0, 0, {}, ""},
      {"partial header", {0x4D, 0x4D, 6, 0, 0}, {}, 0, 0, {}, kDamaged.substr(1)},
      {"chunk shorter than its header ends the reading",
       file({model3ds::objectBlock(tri("A")), shortChunk, model3ds::objectBlock(tri("B"))}), {-1}, 3, 1, uv,
       "loading model: A" + kDamaged},
      {"vertex list longer than the file", file({object("L", {vertices(3, {1, 2, 3, 4, 5, 6, 7, 8, 9}, 100000)})}),
       {-1}, 3, 0, {1, 2, 3, 0, 0, 4, 5, 6, 0, 0, 7, 8, 9, 0, 0}, "loading model: L" + kDamaged},
      {"data chunks before any object block",
       file({vertices(1, {1, 2, 3}), std::move(Chunk(kChunkMapping).u16(1).f32(0).f32(0)),
             std::move(Chunk(kChunkFaceList).u16(1).u16(0).u16(0).u16(0).u16(0))}),
       {}, 0, 0, {}, ""},
      {"vertex, mapping and face data cut short",  // counts 5, 5 and 4
       file({object("K", {vertices(5, {0, 0, 0, 1, 0, 0, 0, 1, 0, 9}),
                          std::move(Chunk(kChunkMapping).u16(5).f32(0.5f).f32(0.75f).f32(0.25f)),
                          std::move(Chunk(kChunkFaceList).u16(4).u16(0).u16(1).u16(2).u16(0).u16(2))})}),
       {-1}, 3, 1, {0, 0, 0, 0.5, 0.75, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0}, "loading model: K" + kDamaged},
      {"chunks too short for their count",
       file({object("W", {std::move(Chunk(kChunkVertexList).u8(1)), Chunk(kChunkFaceList), Chunk(kChunkMapping)})}),
       {-1}, 0, 0, {}, "loading model: W" + kDamaged},
      {"faces naming missing vertices", model3ds::writeScene({badFaces, badFaces2}), {-1, -1}, 3, 1, {},
       "loading model: A|loading model: B|faces with invalid vertex indices dropped: 3"},
      {"node headers beyond the meshes", withNodes(2, {node("O0", -1), node("O1", 0), node("Cam", 1), node("X", 7)}),
       {-1, 0}, 3, 1, {}, kO01},
      {"parent indices outside the list or the mesh itself",
       withNodes(3, {node("O0", 5), node("O1", -2), node("O2", 2)}), {-1, -1, -1}, 3, 1, {}, kO012},
      {"a node closing a loop", withNodes(3, {node("O0", 2), node("O1", 0), node("O2", 1)}), {2, 0, -1}, 3, 1, {},
       kO012},
      {"node header without parent index",
       withNodes(2, {node("O0", -1), std::move(Chunk(kChunkObjectNode).add(
                                         std::move(Chunk(kChunkNodeHeader).text("O1").u16(0))))}),
       {-1, -1}, 3, 1, {}, kO01 + kDamaged},
      {"name cut at 63 characters", model3ds::writeScene({tri(longName), tri("Zwei")}), {-1, -1}, 3, 1, uv,
       "loading model: " + std::string(63, 'n') + "|loading model: Zwei"},
      {"object name without its zero", std::move(Chunk(kChunkObjectBlock).raw({'a', 'b', 'c'})).bytes(), {}, 0, 0,
       {}, kDamaged.substr(1)},
  };
  for (const auto& [what, bytes, parents, vertices, triangles, xyzuv, lines] : cases) {
    ScopedConsole console;
    ObjectRegistry registry;
    const std::vector<uint8_t> exact(bytes);  // allocated to the byte: no slack after the end
    Model* model = registry.add(std::make_unique<Model>("test.3ds", registry, exact.data(), exact.size()));
    std::string printed;
    for (const std::string& line : console.lines()) printed += (printed.empty() ? "" : "|") + line;
    const std::vector<Mesh*>& meshes = model->meshes();
    ASSERT_EQ(std::make_pair(printed, meshes.size()), std::make_pair(lines, parents.size())) << what;
    for (size_t i = 0; i < meshes.size(); ++i) {
      const PlacedObject* parent = parents[i] < 0 ? static_cast<PlacedObject*>(model) : meshes.at(parents[i]);
      EXPECT_EQ(meshes[i]->parent, parent) << what << ", mesh " << i;
      EXPECT_EQ(registry.indexOf(meshes[i]), static_cast<int>(i) + 1) << what << ": registered at once";
      for (const MeshTriangle& t : meshes[i]->triangles)
        for (uint16_t corner : t.corner) ASSERT_LT(corner, meshes[i]->vertexCount()) << what << ", mesh " << i;
    }
    if (meshes.empty()) continue;
    std::vector<double> read;
    for (const MeshVertex& v : meshes[0]->vertices)
      read.insert(read.end(), {v.position.x, v.position.y, v.position.z, v.texCoord.x, v.texCoord.y});
    EXPECT_EQ(std::make_tuple(meshes[0]->vertexCount(), meshes[0]->triangleCount(), xyzuv.empty() ? xyzuv : read),
              std::make_tuple(vertices, triangles, xyzuv)) << what;
  }
}

TEST(Model, EveryPrefixOfAValidFileLoads) {
  // Each cut ends the reading somewhere else: inside headers, names, data.
  const std::vector<uint8_t> whole = model3ds::writeScene(model3ds::makeBalloon(0));
  size_t lastCount = 0;
  for (size_t n = 0; n <= whole.size(); n += (n < 400 ? 1 : 7)) {
    ObjectRegistry registry;
    const std::vector<uint8_t> part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
    Model model("cut", registry, part.data(), part.size());
    ASSERT_GE(model.meshes().size(), lastCount) << "prefix of " << n << " bytes";
    lastCount = model.meshes().size();
  }
  EXPECT_EQ(lastCount, 6u);
}

TEST(Model, NoMoreMeshesThanTheRegistryCanList) {
  ScopedConsole console;
  ObjectRegistry registry;
  const std::vector<uint8_t> bytes = file({Model::kMaxMeshes + 5, std::move(Chunk(kChunkObjectBlock).text("o"))});
  EXPECT_EQ(Model("viele", registry, bytes.data(), bytes.size()).meshes().size(), Model::kMaxMeshes);
}
