// model3ds: writes procedural 3D Studio files and shows what the engine
// reads from any 3D Studio file.
//
//   model3ds write SHAPE OUT.3ds [DETAIL]   SHAPE: box, sphere, pair, balloon, airship
//   model3ds info FILE.3ds                  objects, counts, hierarchy as loaded
//
// DETAIL (0, 1 or 2; default 1) sets the tessellation of the round shapes;
// at 2 the largest object has a few hundred vertices, far below the 65535
// that the file's 16-bit counts can hold. Exit status 0 when done, 1 when a
// file cannot be read or written or the reader reported damage, 2 for bad
// arguments. Everything but the result goes to stderr.
#include <cstdio>   // Required for: printf(), fprintf()
#include <string>

#include "base/Console.h"
#include "model3ds/Writer3ds.h"
#include "base/FileBuffer.h"
#include "scene/Model.h"
#include "scene/ObjectRegistry.h"

namespace {

const char* const kShapes = "box, sphere, pair, balloon, airship";

int usage() {
  std::fprintf(stderr,
               "usage: model3ds write box|sphere|pair|balloon|airship OUT.3ds [DETAIL]   (DETAIL 0, 1 or 2; default 1)\n"
               "       model3ds info FILE.3ds\n");
  return 2;
}

// A whole decimal 0, 1 or 2; anything else (empty, signs, other digits,
// trailing text) is refused.
bool parseDetail(const std::string& text, int& detail) {
  if (text.size() != 1 || text[0] < '0' || text[0] > '2') return false;
  detail = text[0] - '0';
  return true;
}

int writeShape(const std::string& shape, const std::string& out, int detail) {
  using namespace wf::model3ds;
  std::vector<MeshObject> objects;
  if (shape == "box") {
    objects.push_back(makeBox("Box", 1, 1, 1, 0, 0, 0));
  } else if (shape == "sphere") {
    objects.push_back(makeSphere("Sphere", 1, 6 + 6 * detail, 8 + 8 * detail, 0, 0, 0));
  } else if (shape == "pair") {
    // Two small triangles, the second a child of the first: a compact seed.
    MeshObject a;
    a.name = "A";
    a.vertices = {{{0, 0, 0}}, {{1, 0, 0}}, {{0, 1, 0}}};
    a.mapping = {{{0, 0}}, {{1, 0}}, {{0, 1}}};
    a.faces = {{{0, 1, 2}}};
    MeshObject b = a;
    b.name = "B";
    b.parent = 0;
    b.material = "M";
    objects = {a, b};
  } else if (shape == "balloon") {
    objects = makeBalloon(detail);
  } else if (shape == "airship") {
    objects = makeAirship(detail);
  } else {
    std::fprintf(stderr, "model3ds: unknown shape '%s' (%s)\n", shape.c_str(), kShapes);
    return 2;
  }
  if (!saveFile(out, writeScene(objects))) {
    std::fprintf(stderr, "model3ds: cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("%s: %zu objects\n", out.c_str(), objects.size());
  return 0;
}

int info(const std::string& path) {
  if (wf::FileBuffer(path, false).failed()) {
    std::fprintf(stderr, "model3ds: cannot read %s\n", path.c_str());
    return 1;
  }
  wf::ObjectRegistry registry;
  wf::ConsoleLog console;
  wf::setCurrentConsole(&console);
  wf::Model model(path, registry);
  wf::setCurrentConsole(nullptr);
  // The reader's progress lines are the engine's; its reports of damage
  // (level 0) are what the user must see.
  int damage = 0;
  for (const auto& line : console.storedLines()) {  // (level, text)
    if (line.first != 0) continue;
    std::fprintf(stderr, "model3ds: %s: %s\n", path.c_str(), line.second.c_str());
    ++damage;
  }
  std::printf("%zu meshes\n", model.meshes().size());
  for (size_t i = 0; i < model.meshes().size(); ++i) {
    const wf::Mesh* mesh = model.meshes()[i];
    std::string parent = "(model)";
    for (size_t j = 0; j < model.meshes().size(); ++j)
      if (mesh->parent == model.meshes()[j]) parent = model.meshes()[j]->name;
    double lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
    for (size_t v = 0; v < mesh->vertices.size(); ++v) {
      const wf::Vector4& p = mesh->vertices[v].position;
      const double c[3] = {p.x, p.y, p.z};
      for (int a = 0; a < 3; ++a) {
        if (v == 0 || c[a] < lo[a]) lo[a] = c[a];
        if (v == 0 || c[a] > hi[a]) hi[a] = c[a];
      }
    }
    std::printf("%zu %s: %d vertices, %d triangles, parent %s, box (%g %g %g)..(%g %g %g)\n", i, mesh->name.c_str(),
                mesh->vertexCount(), mesh->triangleCount(), parent.c_str(), lo[0], lo[1], lo[2], hi[0], hi[1], hi[2]);
  }
  return damage ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc >= 2 ? argv[1] : "";
  if (command == "write" && (argc == 4 || argc == 5)) {
    int detail = 1;
    if (argc == 5 && !parseDetail(argv[4], detail)) {
      std::fprintf(stderr, "model3ds: DETAIL must be 0, 1 or 2, not '%s'\n", argv[4]);
      return 2;
    }
    return writeShape(argv[2], argv[3], detail);
  }
  if (command == "info" && argc == 3) return info(argv[2]);
  return usage();
}
