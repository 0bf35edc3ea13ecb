#include "model3ds/Writer3ds.h"

#include <cmath>    // Required for: sin(), cos()
#include <cstdio>   // Required for: fopen(), fwrite()
#include <cstring>  // Required for: memcpy()

namespace wf::model3ds {
namespace {

constexpr float kPi = 3.14159265358979f;

// Chunk identifiers the engine does not read but modelling programs write.
enum : uint16_t {
  kVersion = 0x0002,
  kColor24 = 0x0011,
  kMasterScale = 0x0100,
  kMeshVersion = 0x3D3E,
  kObjectBlock = 0x4000,
  kTriangleMesh = 0x4100,
  kVertexList = 0x4110,
  kFaceList = 0x4120,
  kFaceMaterial = 0x4130,
  kMapping = 0x4140,
  kSmoothing = 0x4150,
  kLocalAxes = 0x4160,
  kMaterialName = 0xA000,
  kDiffuse = 0xA020,
  kMaterialBlock = 0xAFFF,
  kEditor = 0x3D3D,
  kMain = 0x4D4D,
  kKeyframer = 0xB000,
  kObjectNode = 0xB002,
  kFrames = 0xB008,
  kKeyframerHeader = 0xB00A,
  kNodeHeader = 0xB010,
  kPivot = 0xB013,
  kPositionTrack = 0xB020,
  kRotationTrack = 0xB021,
  kScaleTrack = 0xB022,
  kNodeId = 0xB030,
};

// A track with one key at frame 0 holding `values`.
Chunk track(uint16_t id, const std::vector<float>& values) {
  Chunk c(id);
  c.u16(0).u32(0).u32(0).u32(1);  // flags, two reserved words, one key
  c.u32(0).u16(0);                // frame 0, no spline parameters
  for (float v : values) c.f32(v);
  return c;
}

}  // namespace

Chunk& Chunk::u8(uint8_t v) {
  data.push_back(v);
  return *this;
}
Chunk& Chunk::u16(uint16_t v) {
  data.push_back(static_cast<uint8_t>(v & 0xFF));
  data.push_back(static_cast<uint8_t>(v >> 8));
  return *this;
}
Chunk& Chunk::u32(uint32_t v) {
  for (int i = 0; i < 4; ++i) data.push_back(static_cast<uint8_t>((v >> (8 * i)) & 0xFF));
  return *this;
}
Chunk& Chunk::f32(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return u32(bits);
}
Chunk& Chunk::text(const std::string& s) {
  data.insert(data.end(), s.begin(), s.end());
  data.push_back(0);
  return *this;
}
Chunk& Chunk::raw(const std::vector<uint8_t>& bytes) {
  data.insert(data.end(), bytes.begin(), bytes.end());
  return *this;
}
Chunk& Chunk::add(Chunk child) {
  children.push_back(std::move(child));
  return *this;
}

uint32_t Chunk::computedLength() const {
  uint64_t length = 6 + data.size();
  for (const Chunk& c : children) {
    std::vector<uint8_t> tmp;
    c.appendTo(tmp);
    length += tmp.size();
  }
  return static_cast<uint32_t>(length);
}

void Chunk::appendTo(std::vector<uint8_t>& out) const {
  const size_t start = out.size();
  out.resize(start + 6);
  out.insert(out.end(), data.begin(), data.end());
  for (const Chunk& c : children) c.appendTo(out);
  const uint32_t length =
      lengthOverride >= 0 ? static_cast<uint32_t>(lengthOverride) : static_cast<uint32_t>(out.size() - start);
  out[start] = static_cast<uint8_t>(id & 0xFF);
  out[start + 1] = static_cast<uint8_t>(id >> 8);
  for (int i = 0; i < 4; ++i) out[start + 2 + static_cast<size_t>(i)] = static_cast<uint8_t>((length >> (8 * i)) & 0xFF);
}

std::vector<uint8_t> Chunk::bytes() const {
  std::vector<uint8_t> out;
  appendTo(out);
  return out;
}

Chunk objectBlock(const MeshObject& object) {
  Chunk vertices(kVertexList);
  vertices.u16(static_cast<uint16_t>(object.vertices.size()));
  for (const auto& v : object.vertices) vertices.f32(v[0]).f32(v[1]).f32(v[2]);

  Chunk faces(kFaceList);
  faces.u16(static_cast<uint16_t>(object.faces.size()));
  for (const auto& f : object.faces) faces.u16(f[0]).u16(f[1]).u16(f[2]).u16(0x0007);  // all edges visible
  if (!object.material.empty()) {
    Chunk group(kFaceMaterial);
    group.text(object.material).u16(static_cast<uint16_t>(object.faces.size()));
    for (size_t i = 0; i < object.faces.size(); ++i) group.u16(static_cast<uint16_t>(i));
    faces.add(std::move(group));
  }
  Chunk smoothing(kSmoothing);
  for (size_t i = 0; i < object.faces.size(); ++i) smoothing.u32(1);
  faces.add(std::move(smoothing));

  Chunk axes(kLocalAxes);
  const float identity[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
  for (float v : identity) axes.f32(v);

  Chunk mesh(kTriangleMesh);
  mesh.add(std::move(vertices));
  if (!object.mapping.empty()) {
    Chunk mapping(kMapping);
    mapping.u16(static_cast<uint16_t>(object.mapping.size()));
    for (const auto& m : object.mapping) mapping.f32(m[0]).f32(m[1]);
    mesh.add(std::move(mapping));
  }
  mesh.add(std::move(axes));
  mesh.add(std::move(faces));

  Chunk block(kObjectBlock);
  block.text(object.name);
  block.add(std::move(mesh));
  return block;
}

Chunk objectNode(const MeshObject& object, int index) {
  Chunk node(kObjectNode);
  node.add(std::move(Chunk(kNodeId).u16(static_cast<uint16_t>(index))));
  node.add(std::move(Chunk(kNodeHeader).text(object.name).u16(0x4000).u16(0).u16(static_cast<uint16_t>(
      static_cast<int16_t>(object.parent)))));
  node.add(std::move(Chunk(kPivot).f32(0).f32(0).f32(0)));
  node.add(track(kPositionTrack, {0, 0, 0}));
  node.add(track(kRotationTrack, {0, 0, 0, 1}));
  node.add(track(kScaleTrack, {1, 1, 1}));
  return node;
}

Chunk sceneChunk(const std::vector<MeshObject>& objects, const SceneOptions& options) {
  Chunk editor(kEditor);
  editor.add(std::move(Chunk(kMeshVersion).u32(3)));
  if (options.material) {
    std::vector<std::string> written;
    for (const MeshObject& o : objects) {
      if (o.material.empty()) continue;
      bool seen = false;
      for (const std::string& w : written) seen = seen || w == o.material;
      if (seen) continue;
      written.push_back(o.material);
      Chunk diffuse(kDiffuse);
      diffuse.add(std::move(Chunk(kColor24).u8(200).u8(200).u8(200)));
      Chunk material(kMaterialBlock);
      material.add(std::move(Chunk(kMaterialName).text(o.material)));
      material.add(std::move(diffuse));
      editor.add(std::move(material));
    }
  }
  editor.add(std::move(Chunk(kMasterScale).f32(1.0f)));
  for (const MeshObject& o : objects) editor.add(objectBlock(o));

  Chunk main(kMain);
  main.add(std::move(Chunk(kVersion).u32(3)));
  main.add(std::move(editor));
  if (options.keyframer) {
    Chunk keyframer(kKeyframer);
    keyframer.add(std::move(Chunk(kKeyframerHeader).u16(5).text("MAXSCENE").u32(100)));
    keyframer.add(std::move(Chunk(kFrames).u32(0).u32(100)));
    for (size_t i = 0; i < objects.size(); ++i) keyframer.add(objectNode(objects[i], static_cast<int>(i)));
    main.add(std::move(keyframer));
  }
  return main;
}

std::vector<uint8_t> writeScene(const std::vector<MeshObject>& objects, const SceneOptions& options) {
  return sceneChunk(objects, options).bytes();
}

bool saveFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

MeshObject makeBox(const std::string& name, float sx, float sy, float sz, float cx, float cy, float cz) {
  MeshObject box;
  box.name = name;
  const float hx = sx / 2, hy = sy / 2, hz = sz / 2;
  // Each side: a normal axis and two in-plane axes chosen so that u x v
  // points outward, giving counter-clockwise faces seen from outside.
  struct Side {
    float n[3], u[3], v[3];
  };
  const Side sides[6] = {
      {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
      {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
      {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
  };
  const float half[3] = {hx, hy, hz};
  const float centre[3] = {cx, cy, cz};
  for (const Side& s : sides) {
    const uint16_t first = static_cast<uint16_t>(box.vertices.size());
    const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (const auto& c : corners) {
      std::array<float, 3> p{};
      for (int a = 0; a < 3; ++a) p[a] = centre[a] + half[a] * (s.n[a] + c[0] * s.u[a] + c[1] * s.v[a]);
      box.vertices.push_back(p);
      box.mapping.push_back({(c[0] + 1) / 2, (c[1] + 1) / 2});
    }
    box.faces.push_back({first, static_cast<uint16_t>(first + 1), static_cast<uint16_t>(first + 2)});
    box.faces.push_back({first, static_cast<uint16_t>(first + 2), static_cast<uint16_t>(first + 3)});
  }
  return box;
}

MeshObject makeLathe(const std::string& name, const std::vector<std::array<float, 2>>& profile, int segments,
                     float cx, float cy, float cz) {
  MeshObject lathe;
  lathe.name = name;
  const int rows = static_cast<int>(profile.size());
  if (rows < 2 || segments < 3) return lathe;
  // Column `segments` repeats column 0 with u = 1, so the texture wraps once.
  for (int r = 0; r < rows; ++r) {
    for (int s = 0; s <= segments; ++s) {
      const float angle = 2 * kPi * static_cast<float>(s) / static_cast<float>(segments);
      const float radius = profile[static_cast<size_t>(r)][0];
      lathe.vertices.push_back({cx + radius * std::cos(angle), cy + profile[static_cast<size_t>(r)][1],
                                cz - radius * std::sin(angle)});
      lathe.mapping.push_back({static_cast<float>(s) / static_cast<float>(segments),
                               static_cast<float>(r) / static_cast<float>(rows - 1)});
    }
  }
  const int stride = segments + 1;
  for (int r = 0; r + 1 < rows; ++r) {
    for (int s = 0; s < segments; ++s) {
      const uint16_t a = static_cast<uint16_t>(r * stride + s), b = static_cast<uint16_t>(a + 1);
      const uint16_t c = static_cast<uint16_t>(a + stride), d = static_cast<uint16_t>(b + stride);
      // Rows run upward (profile order); seen from outside, a-b-d-c is counter-clockwise.
      if (profile[static_cast<size_t>(r)][0] > 0) lathe.faces.push_back({a, b, d});
      if (profile[static_cast<size_t>(r) + 1][0] > 0) lathe.faces.push_back({a, d, c});
    }
  }
  return lathe;
}

MeshObject makeSphere(const std::string& name, float radius, int rings, int segments, float cx, float cy, float cz) {
  std::vector<std::array<float, 2>> profile;
  for (int r = 0; r <= rings; ++r) {
    const float a = kPi * static_cast<float>(r) / static_cast<float>(rings);  // 0 at the bottom pole
    profile.push_back({radius * std::sin(a), -radius * std::cos(a)});
  }
  return makeLathe(name, profile, segments, cx, cy, cz);
}

std::vector<MeshObject> makeBalloon(int detail) {
  const int segments = 8 + 8 * detail, rings = 6 + 4 * detail;
  // A teardrop: narrow at the bottom opening, round at the top.
  std::vector<std::array<float, 2>> profile;
  profile.push_back({0.25f, 0.0f});
  for (int r = 1; r <= rings; ++r) {
    const float t = static_cast<float>(r) / static_cast<float>(rings);
    const float a = kPi * (0.15f + 0.85f * t);
    profile.push_back({std::sin(a) * (0.55f + 0.45f * t), 1.0f + -std::cos(a) * 1.0f});
  }
  profile.back()[0] = 0.0f;  // closed at the top
  std::vector<MeshObject> parts;
  MeshObject envelope = makeLathe("Huelle", profile, segments, 0, 0, 0);
  envelope.material = "Stoff";
  parts.push_back(envelope);
  MeshObject gondola = makeBox("Gondel", 0.5f, 0.35f, 0.5f, 0, -0.9f, 0);
  gondola.parent = 0;
  gondola.material = "Korb";
  parts.push_back(gondola);
  const float corners[4][2] = {{0.22f, 0.22f}, {-0.22f, 0.22f}, {-0.22f, -0.22f}, {0.22f, -0.22f}};
  for (int i = 0; i < 4; ++i) {
    MeshObject rope = makeBox("Seil" + std::to_string(i + 1), 0.02f, 0.75f, 0.02f, corners[i][0], -0.35f,
                              corners[i][1]);
    rope.parent = 1;
    rope.material = "Korb";
    parts.push_back(rope);
  }
  return parts;
}

std::vector<MeshObject> makeAirship(int detail) {
  const int segments = 8 + 8 * detail, rings = 8 + 6 * detail;
  std::vector<MeshObject> parts;
  // The hull: an ellipsoid of length 4 and radius 0.6, turned to lie along x.
  MeshObject hull = makeSphere("Rumpf", 1.0f, rings, segments, 0, 0, 0);
  for (auto& v : hull.vertices) {
    const float x = v[0], y = v[1];
    v[0] = 2.0f * -y;  // the lathe's axis (y) becomes x
    v[1] = 0.6f * x;
    v[2] = 0.6f * v[2];
  }
  hull.material = "Huelle";
  parts.push_back(hull);
  const float fins[4][6] = {{0.5f, 0.6f, 0.04f, -1.7f, 0.55f, 0},  {0.5f, 0.6f, 0.04f, -1.7f, -0.55f, 0},
                            {0.5f, 0.04f, 0.6f, -1.7f, 0, 0.55f},  {0.5f, 0.04f, 0.6f, -1.7f, 0, -0.55f}};
  for (int i = 0; i < 4; ++i) {
    MeshObject fin = makeBox("Flosse" + std::to_string(i + 1), fins[i][0], fins[i][1], fins[i][2], fins[i][3],
                             fins[i][4], fins[i][5]);
    fin.parent = 0;
    fin.material = "Huelle";
    parts.push_back(fin);
  }
  MeshObject gondola = makeBox("Gondel", 0.9f, 0.25f, 0.3f, 0.1f, -0.75f, 0);
  gondola.parent = 0;
  gondola.material = "Metall";
  parts.push_back(gondola);
  MeshObject propeller = makeBox("Propeller", 0.03f, 0.4f, 0.06f, -0.4f, -0.75f, 0);
  propeller.parent = 5;
  propeller.material = "Metall";
  parts.push_back(propeller);
  return parts;
}

}  // namespace wf::model3ds
