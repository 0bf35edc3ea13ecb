// A small writer for 3D Studio mesh files (the chunked format with main
// chunk 0x4D4D), for tests, the fuzzer's seed corpus and the production's
// procedural models.
//
// Two levels:
//  - Chunk: one chunk with its own data and sub-chunks; its length is
//    computed (6 + data + sub-chunks) unless overridden, so tests can build
//    damaged files byte by byte.
//  - MeshObject / writeScene: whole files the way modelling programs write
//    them: version, editor chunk with master scale and one object block per
//    mesh (vertex list, mapping coordinates, face list with an optional
//    material group), and a keyframer whose k-th object node describes the
//    k-th object block (parent index -1 or an earlier object's index).
// All numbers little-endian; floats are 32-bit IEEE.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace wf::model3ds {

struct Chunk {
  uint16_t id = 0;
  std::vector<uint8_t> data;
  std::vector<Chunk> children;
  int64_t lengthOverride = -1;  // >= 0: written instead of the computed length

  explicit Chunk(uint16_t chunkId) : id(chunkId) {}

  Chunk& u8(uint8_t v);
  Chunk& u16(uint16_t v);
  Chunk& u32(uint32_t v);
  Chunk& f32(float v);
  Chunk& text(const std::string& s);  // the characters and a terminating zero
  Chunk& raw(const std::vector<uint8_t>& bytes);
  Chunk& add(Chunk child);

  uint32_t computedLength() const;
  void appendTo(std::vector<uint8_t>& out) const;
  std::vector<uint8_t> bytes() const;
};

struct MeshObject {
  std::string name;
  std::vector<std::array<float, 3>> vertices;
  std::vector<std::array<float, 2>> mapping;  // empty: no mapping chunk
  std::vector<std::array<uint16_t, 3>> faces;
  int parent = -1;             // index of the parent object, -1 for none
  std::string material;        // non-empty: a material group naming every face
};

struct SceneOptions {
  bool keyframer = true;  // write object nodes with the hierarchy
  bool material = true;   // write a material block for every named material
};

// Object block 0x4000 of one mesh.
Chunk objectBlock(const MeshObject& object);
// Object node 0xB002 for object `index`.
Chunk objectNode(const MeshObject& object, int index);
// The main chunk of a whole file.
Chunk sceneChunk(const std::vector<MeshObject>& objects, const SceneOptions& options = {});
std::vector<uint8_t> writeScene(const std::vector<MeshObject>& objects, const SceneOptions& options = {});

bool saveFile(const std::string& path, const std::vector<uint8_t>& bytes);

// Procedural shapes with mapping coordinates (u around, v along). Faces are
// counter-clockwise seen from outside.
// An axis-aligned box centred on (cx, cy, cz), 24 vertices (each side its own).
MeshObject makeBox(const std::string& name, float sx, float sy, float sz, float cx, float cy, float cz);
// A surface of revolution around the y axis through the profile points
// (radius, y), from the first to the last; `segments` steps around.
MeshObject makeLathe(const std::string& name, const std::vector<std::array<float, 2>>& profile, int segments,
                     float cx, float cy, float cz);
// A sphere of `rings` steps from pole to pole.
MeshObject makeSphere(const std::string& name, float radius, int rings, int segments, float cx, float cy, float cz);
// A hot-air balloon: envelope (root), gondola (child of the envelope) and four
// ropes (children of the gondola).
std::vector<MeshObject> makeBalloon(int detail);
// An airship: hull (root), four fins and a gondola (children of the hull),
// a propeller (child of the gondola), the hull lying along x.
std::vector<MeshObject> makeAirship(int detail);

}  // namespace wf::model3ds
