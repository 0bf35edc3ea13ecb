// A mesh drawn into a headless OpenGL frame: lit colour, inherited texture, texturing off after every draw.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "base/MainWindow.h"
#include "image/GlTexture.h"
#include "platform/EglHeadlessSurface.h"
#include "platform/GlRenderer.h"
#include "scene/Light.h"
#include "scene/Mesh.h"
#include "scene/ObjectRegistry.h"

using namespace wf;

namespace {

constexpr int kSize = 64;

class MeshDraw : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(renderer.createContext()) << "no headless OpenGL context"; }

  std::vector<int> renderCentre() {  // after one frame
    renderer.beginFrame();
    registry.renderAll();
    int w = 0, h = 0;
    const std::vector<uint8_t> rgb = renderer.readFrameRgb(w, h);
    const size_t at = (static_cast<size_t>(kSize / 2) * kSize + kSize / 2) * 3;
    return {rgb.at(at), rgb.at(at + 1), rgb.at(at + 2)};
  }

  HeadlessWindow window{kSize, kSize};
  EglHeadlessSurface surface{kSize, kSize};
  ObjectRegistry registry;
  GlRenderer renderer{&registry, &window, &surface};
};

}  // namespace

TEST_F(MeshDraw, LitTexturedAndInactive) {
  PlacedObject* group = registry.at(0)->asPlaced();  // Base, the wall's parent
  Mesh* wall = registry.add(std::make_unique<Mesh>("Wand"));  // at z = -2, filling the view, facing it
  wall->vertices.resize(4);
  for (int i = 0; i < 4; ++i) wall->vertices[i].position = Vector4(i == 1 || i == 2 ? 3 : -3, i < 2 ? -3 : 3, -2, 1);
  wall->triangles = {MeshTriangle{{0, 1, 2}}, MeshTriangle{{0, 2, 3}}};
  wall->computeNormals();
  Light* light = registry.add(std::make_unique<Light>("1"));
  light->setProperty('D', "0,0,-1");  // shining into the wall
  light->color = Vector3(1.0, 0.5, 0.25);
  RgbaImage greenImage(2, 2);
  for (int i = 0; i < 4; ++i) greenImage.set(i % 2, i / 2, Vector3(0, 1, 0).toRGBA());
  GlTexture* green = registry.add(std::make_unique<GlTexture>("t", std::move(greenImage)));
  GlTexture* empty = registry.add(std::make_unique<GlTexture>("t", RgbaImage()));

  // What, the group's and the wall's texture, whether the wall is active, the centre pixel.
  const std::tuple<const char*, SceneObject*, SceneObject*, bool, std::vector<int>> cases[] = {
      {"the lit colour", nullptr, nullptr, true, {255, 127, 63}},
      {"the parent's green texture modulates it", green, nullptr, true, {0, 127, 0}},
      {"the none marker stops the inheritance", green, PlacedObject::noTexture(), true, {255, 127, 63}},
      {"a texture without an image draws untextured", nullptr, empty, true, {255, 127, 63}},
      {"an inactive mesh is not drawn", nullptr, nullptr, false, {0, 0, 0}},
  };
  for (const auto& [what, groupTexture, wallTexture, active, expected] : cases) {
    group->texture = groupTexture;
    wall->texture = wallTexture;
    wall->active = active;
    const std::vector<int> rgb = renderCentre();
    for (size_t k = 0; k < 3; ++k) EXPECT_NEAR(rgb[k], expected[k], 1) << what;
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE) << what << ": switched off after the draw";
  }
}
