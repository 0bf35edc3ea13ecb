// A group object built from a 3D Studio mesh file (main chunk 0x4D4D).
//
// One Mesh per object block, named after the object, child of this Model and
// registered at once; the keyframer's node headers then restore the
// hierarchy (the k-th node header applies to the k-th object block, its
// parent index names an object block, -1 the Model). Vertex positions are
// used as stored: no local axes and no keyframe tracks. The Model itself
// draws nothing; it is the common parent that moves, colours and textures
// all of the file's meshes.
//
// The reader walks the chunks in one flat pass: containers (main, editor,
// object's triangle mesh, keyframer, object node) are entered by stepping
// over their 6-byte header, an object block continues after its name, and
// every other chunk is skipped by its length. Data is read little-endian.
//
// Damaged files never make it read or write out of bounds or loop: a chunk
// length below 6 ends the reading; data is read only inside its chunk and
// the file; data chunks before any object block, node headers beyond the
// object blocks and parent indices outside them or that would make a mesh
// its own ancestor are ignored; names are cut at 63 characters; faces naming
// a vertex that does not exist are dropped after reading (said once on the
// console).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "scene/Mesh.h"
#include "scene/ObjectRegistry.h"

namespace wf {

// Chunk identifiers the reader interprets.
enum Chunk3ds : uint16_t {
  kChunkMain = 0x4D4D,
  kChunkEditor = 0x3D3D,
  kChunkObjectBlock = 0x4000,
  kChunkTriangleMesh = 0x4100,
  kChunkVertexList = 0x4110,
  kChunkFaceList = 0x4120,
  kChunkMapping = 0x4140,
  kChunkKeyframer = 0xB000,
  kChunkObjectNode = 0xB002,
  kChunkNodeHeader = 0xB010,
};

class Model : public PlacedObject {
 public:
  static constexpr size_t kMaxNameChars = 63;
  // More meshes than the registry can list are not made.
  static constexpr size_t kMaxMeshes = ObjectRegistry::kCapacity;

  // Reads the file (a missing one is reported by the file reader and gives a
  // model without meshes). The caller registers the Model afterwards, behind
  // its meshes, and gives it its declared name.
  Model(const std::string& fileName, ObjectRegistry& registry);
  // The same from bytes in memory; `text` is the source and initial name.
  Model(const std::string& text, ObjectRegistry& registry, const uint8_t* data, size_t size);

  // The meshes made from the file, in object-block order.
  const std::vector<Mesh*>& meshes() const { return meshes_; }

  const char* className() const override { return "Model"; }

 private:
  void load(ObjectRegistry& registry, const uint8_t* data, size_t size);
  std::vector<Mesh*> meshes_;
};

}  // namespace wf
