// Fuzz target for the 3D Studio model reader: any bytes must load without
// reading or writing out of bounds and without hanging, leave every face
// index inside its mesh, and give meshes that can be updated.
#include <cstdint>
#include <cstdlib>  // Required for: abort()

#include "base/Console.h"
#include "scene/LightList.h"
#include "scene/Model.h"
#include "scene/ObjectRegistry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static wf::ConsoleLog console;  // exercises the console lines as well
  wf::setCurrentConsole(&console);
  console.setLineCount(1);
  wf::ObjectRegistry registry;
  wf::Model* model = registry.add(std::make_unique<wf::Model>("fuzz.3ds", registry, data, size));
  for (wf::Mesh* mesh : model->meshes()) {
    for (const wf::MeshTriangle& t : mesh->triangles)
      for (int c = 0; c < 3; ++c)
        if (t.corner[c] >= mesh->vertexCount()) std::abort();
    if (mesh->name.size() > wf::Model::kMaxNameChars) std::abort();
  }
  wf::currentLightList().clear();
  registry.updateAll();  // every parent chain must end
  wf::setCurrentConsole(nullptr);
  return 0;
}
