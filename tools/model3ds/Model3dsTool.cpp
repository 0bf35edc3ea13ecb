// model3ds: writes procedural 3D Studio files and shows what the engine
// reads from any 3D Studio file.
//
//   model3ds write SHAPE OUT.3ds [DETAIL]   SHAPE: box, sphere, pair, balloon, airship
//   model3ds info FILE.3ds                  objects, counts, hierarchy as loaded
//
// DETAIL (0, 1, 2; default 1) sets the tessellation of the round shapes.
#include <cstdio>   // Required for: printf(), fprintf()
#include <cstdlib>  // Required for: atoi()
#include <string>

#include "base/Console.h"
#include "model3ds/Writer3ds.h"
#include "scene/Model.h"
#include "scene/ObjectRegistry.h"

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: model3ds write box|sphere|pair|balloon|airship OUT.3ds [DETAIL]\n"
               "       model3ds info FILE.3ds\n");
  return 2;
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
    return usage();
  }
  if (!saveFile(out, writeScene(objects))) {
    std::fprintf(stderr, "cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("%s: %zu objects\n", out.c_str(), objects.size());
  return 0;
}

int info(const std::string& path) {
  wf::ObjectRegistry registry;
  wf::ConsoleLog console;
  wf::setCurrentConsole(&console);
  wf::Model model(path, registry);
  for (const auto& line : console.storedLines()) std::printf("console: %s\n", line.second.c_str());
  wf::setCurrentConsole(nullptr);
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
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::string(argv[1]) == "write")
    return writeShape(argv[2], argv[3], argc >= 5 ? std::atoi(argv[4]) : 1);
  if (argc == 3 && std::string(argv[1]) == "info") return info(argv[2]);
  return usage();
}
