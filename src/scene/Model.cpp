#include "scene/Model.h"

#include <algorithm>  // Required for: std::min(), std::find()
#include <cstring>    // Required for: memcpy()

#include "base/Console.h"
#include "base/FileBuffer.h"

namespace wf {
namespace {

constexpr size_t kHeaderBytes = 6;

uint16_t readU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t readU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
double readF32(const uint8_t* p) {
  const uint32_t bits = readU32(p);
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return static_cast<double>(f);
}

// One flat pass over the chunks; see Model.h for the rules.
class Reader {
 public:
  Reader(Model& model, ObjectRegistry& registry, std::vector<Mesh*>& meshes, const uint8_t* data, size_t size)
      : model_(model), registry_(registry), meshes_(meshes), data_(data), size_(size) {}

  void run() {
    size_t pos = 0;
    while (pos < size_) {
      if (size_ - pos < kHeaderBytes) {
        damaged_ = true;  // a partial header at the end
        break;
      }
      const uint16_t id = readU16(data_ + pos);
      const uint32_t length = readU32(data_ + pos + 2);
      // Safety: a chunk shorter than its own header would stall the reader.
      if (length < kHeaderBytes) {
        damaged_ = true;
        break;
      }
      const size_t end = std::min(size_, pos + length);  // data is read only inside the file
      if (pos + length > size_) damaged_ = true;
      switch (id) {
        case kChunkMain:
        case kChunkEditor:
        case kChunkTriangleMesh:
        case kChunkKeyframer:
        case kChunkObjectNode:
          pos += kHeaderBytes;
          break;
        case kChunkObjectBlock:
          pos = objectBlock(pos, end);
          break;
        case kChunkVertexList:
          vertexList(pos, end);
          pos = end;
          break;
        case kChunkMapping:
          mapping(pos, end);
          pos = end;
          break;
        case kChunkFaceList:
          faceList(pos, end);
          pos = end;
          break;
        case kChunkNodeHeader:
          nodeHeader(pos, end);
          pos = end;
          break;
        default:
          pos = end;
          break;
      }
    }
  }

  bool damaged() const { return damaged_; }

 private:
  // Where the zero ending a name that starts at `from` lies, or `end`.
  size_t nameEnd(size_t from, size_t end) const {
    if (from >= end) return end;
    const uint8_t* zero = std::find(data_ + from, data_ + end, uint8_t{0});
    return static_cast<size_t>(zero - data_);
  }

  size_t objectBlock(size_t pos, size_t end) {
    const size_t from = pos + kHeaderBytes;
    const size_t zero = nameEnd(from, end);
    current_ = nullptr;
    if (zero >= end) {
      damaged_ = true;  // no terminated name: the whole block is skipped
      return end;
    }
    if (meshes_.size() >= Model::kMaxMeshes) return zero + 1;
    const std::string name(reinterpret_cast<const char*>(data_ + from),
                           std::min(zero - from, Model::kMaxNameChars));
    auto mesh = std::make_unique<Mesh>(name);
    mesh->parent = &model_;
    current_ = registry_.add(std::move(mesh));
    meshes_.push_back(current_);
    consolePrint("loading model: ", 1);
    consoleAppend(name, 0);
    return zero + 1;
  }

  void vertexList(size_t pos, size_t end) {
    if (!current_) return;
    if (end - pos < 8) {
      damaged_ = true;
      return;
    }
    const size_t count = readU16(data_ + pos + 6);
    const size_t fit = (end - pos - 8) / 12;
    const size_t n = std::min(count, fit);
    if (n < count) damaged_ = true;
    current_->vertices.assign(n, MeshVertex());
    const uint8_t* p = data_ + pos + 8;
    for (size_t i = 0; i < n; ++i, p += 12)
      current_->vertices[i].position = Vector4(readF32(p), readF32(p + 4), readF32(p + 8), 1.0);
  }

  void mapping(size_t pos, size_t end) {
    if (!current_) return;
    // deliberate: the mesh's vertex count, not the chunk's own count (which
    // is read past); bounded by the chunk's bytes
    // (Model.ReadsChunksAndSurvivesDamagedFiles).
    const size_t fit = end - pos >= 8 ? (end - pos - 8) / 8 : 0;
    const size_t n = std::min(current_->vertices.size(), fit);
    if (n < current_->vertices.size()) damaged_ = true;
    const uint8_t* p = data_ + pos + 8;
    for (size_t i = 0; i < n; ++i, p += 8) {
      current_->vertices[i].texCoord.x = readF32(p);
      current_->vertices[i].texCoord.y = readF32(p + 4);
    }
  }

  void faceList(size_t pos, size_t end) {
    if (!current_) return;
    if (end - pos < 8) {
      damaged_ = true;
      return;
    }
    const size_t count = readU16(data_ + pos + 6);
    const size_t fit = (end - pos - 8) / 8;
    const size_t n = std::min(count, fit);
    if (n < count) damaged_ = true;
    current_->triangles.assign(n, MeshTriangle());
    const uint8_t* p = data_ + pos + 8;
    for (size_t i = 0; i < n; ++i, p += 8) {  // the fourth value, the face flags, is not used
      current_->triangles[i].corner[0] = readU16(p);
      current_->triangles[i].corner[1] = readU16(p + 2);
      current_->triangles[i].corner[2] = readU16(p + 4);
    }
  }

  void nodeHeader(size_t pos, size_t end) {
    const size_t k = node_++;
    const size_t zero = nameEnd(pos + kHeaderBytes, end);
    if (zero >= end || end - zero < 7) {  // the zero, two flag words and the parent index
      damaged_ = true;
      return;
    }
    if (k >= meshes_.size()) return;  // cameras, lights and dummies beyond the object blocks
    const int parentIndex = static_cast<int16_t>(readU16(data_ + zero + 5));
    Mesh* mesh = meshes_[k];
    if (parentIndex == -1) {
      mesh->parent = &model_;
      return;
    }
    // An index outside the list, or one that would make the mesh its own
    // ancestor (files with cameras or dummy nodes number their nodes
    // differently from the object blocks), is ignored: the mesh keeps its parent.
    if (parentIndex < 0 || static_cast<size_t>(parentIndex) >= meshes_.size()) return;
    Mesh* candidate = meshes_[static_cast<size_t>(parentIndex)];
    if (mesh->wouldBeOwnAncestor(candidate)) return;
    mesh->parent = candidate;
  }

  Model& model_;
  ObjectRegistry& registry_;
  std::vector<Mesh*>& meshes_;
  const uint8_t* data_;
  size_t size_;
  Mesh* current_ = nullptr;
  size_t node_ = 0;
  bool damaged_ = false;
};

// Removes the triangles naming a vertex the mesh does not have; returns how many.
size_t dropInvalidFaces(Mesh& mesh) {
  const size_t count = mesh.vertices.size();
  const auto bad = [count](const MeshTriangle& t) {
    return t.corner[0] >= count || t.corner[1] >= count || t.corner[2] >= count;
  };
  const size_t before = mesh.triangles.size();
  mesh.triangles.erase(std::remove_if(mesh.triangles.begin(), mesh.triangles.end(), bad), mesh.triangles.end());
  return before - mesh.triangles.size();
}

}  // namespace

Model::Model(const std::string& fileName, ObjectRegistry& registry) : PlacedObject(fileName) {
  FileBuffer file(fileName);
  if (file.failed()) return;  // reported by the file reader
  load(registry, file.data(), file.size());
}

Model::Model(const std::string& text, ObjectRegistry& registry, const uint8_t* data, size_t size)
    : PlacedObject(text) {
  load(registry, data, size);
}

void Model::load(ObjectRegistry& registry, const uint8_t* data, size_t size) {
  if (!data || size == 0) return;
  Reader reader(*this, registry, meshes_, data, size);
  reader.run();
  if (reader.damaged()) consolePrint("damaged model file: " + source, 0);
  size_t dropped = 0;
  for (Mesh* mesh : meshes_) dropped += dropInvalidFaces(*mesh);
  if (dropped > 0) consolePrint("faces with invalid vertex indices dropped: " + std::to_string(dropped), 0);
  for (Mesh* mesh : meshes_) mesh->computeNormals();
}

}  // namespace wf
