// Meshes drawn into a headless OpenGL frame: lit colour per vertex, the
// inherited texture, and the texture unit switched off after every draw.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>

#include "base/DisplaySettings.h"
#include "image/GlTexture.h"
#include "platform/EglHeadlessSurface.h"
#include "platform/GlRenderer.h"
#include "base/MainWindow.h"
#include "scene/Light.h"
#include "scene/Mesh.h"
#include "scene/ObjectRegistry.h"

using namespace wf;

namespace {

constexpr int kSize = 64;

struct HeadlessFrame {
  HeadlessWindow window{kSize, kSize};
  EglHeadlessSurface surface{kSize, kSize};
  ObjectRegistry registry;
  GlRenderer renderer{&registry, &window, &surface};
  bool context = renderer.createContext();

  // The centre pixel after one frame.
  PackedPixel renderCentre() {
    renderer.beginFrame();
    registry.renderAll();
    int w, h;
    const std::vector<uint8_t> rgb = renderer.readFrameRgb(w, h);
    const size_t at = (static_cast<size_t>(kSize / 2) * kSize + kSize / 2) * 3;
    PackedPixel p;
    p.r = rgb[at];
    p.g = rgb[at + 1];
    p.b = rgb[at + 2];
    return p;
  }
};

// A square at z = -2 that fills the view, facing the viewer.
Mesh* addWall(ObjectRegistry& registry) {
  Mesh* mesh = registry.add(std::make_unique<Mesh>("Wand"));
  const double corners[4][2] = {{-3, -3}, {3, -3}, {3, 3}, {-3, 3}};
  for (const auto& c : corners) {
    MeshVertex v;
    v.position = Vector4(c[0], c[1], -2, 1);
    mesh->vertices.push_back(v);
  }
  const uint16_t faces[2][3] = {{0, 1, 2}, {0, 2, 3}};
  for (const auto& f : faces) {
    MeshTriangle t;
    for (int k = 0; k < 3; ++k) t.corner[k] = f[k];
    mesh->triangles.push_back(t);
  }
  mesh->computeNormals();
  return mesh;
}

Light* addFrontLight(ObjectRegistry& registry, Vector3 color) {
  Light* light = registry.add(std::make_unique<Light>("1"));
  light->setProperty('D', "0,0,-1");
  light->color = color;
  return light;
}

GlTexture* addSolidTexture(ObjectRegistry& registry, Vector3 color) {
  RgbaImage image(2, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) image.set(x, y, color.toRGBA());
  return registry.add(std::make_unique<GlTexture>("t", std::move(image)));
}

void expectPixel(PackedPixel p, int r, int g, int b, const char* what) {
  EXPECT_NEAR(p.r, r, 1) << what;
  EXPECT_NEAR(p.g, g, 1) << what;
  EXPECT_NEAR(p.b, b, 1) << what;
}

}  // namespace

TEST(MeshDraw, LitColourPerVertex) {
  HeadlessFrame gl;
  Mesh* wall = addWall(gl.registry);
  addFrontLight(gl.registry, Vector3(1.0, 0.5, 0.25));
  expectPixel(gl.renderCentre(), 255, 127, 63, "lit by a light shining into the wall");
  EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE);
  EXPECT_DOUBLE_EQ(wall->vertices[0].color.y, 0.5);
}

TEST(MeshDraw, InactiveMeshIsNotDrawnButStillLit) {
  HeadlessFrame gl;
  Mesh* wall = addWall(gl.registry);
  addFrontLight(gl.registry, Vector3(1, 1, 1));
  wall->active = false;
  expectPixel(gl.renderCentre(), 0, 0, 0, "nothing drawn");
  EXPECT_DOUBLE_EQ(wall->vertices[0].color.x, 1.0) << "update ran anyway";
}

TEST(MeshDraw, InheritedTextureModulatesTheLitColour) {
  HeadlessFrame gl;
  PlacedObject* group = gl.registry.add(std::make_unique<PlacedObject>("Gruppe"));
  Mesh* wall = addWall(gl.registry);
  wall->parent = group;
  addFrontLight(gl.registry, Vector3(1, 1, 1));
  group->texture = addSolidTexture(gl.registry, Vector3(0, 1, 0));
  expectPixel(gl.renderCentre(), 0, 255, 0, "the parent's green texture");
  EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE) << "switched off after the draw";

  wall->texture = PlacedObject::noTexture();
  expectPixel(gl.renderCentre(), 255, 255, 255, "the none marker stops the inheritance");
}

TEST(MeshDraw, TextureWithoutAnImageDrawsUntextured) {
  HeadlessFrame gl;
  Mesh* wall = addWall(gl.registry);
  addFrontLight(gl.registry, Vector3(1, 1, 1));
  wall->texture = gl.registry.add(std::make_unique<GlTexture>("t", RgbaImage()));
  expectPixel(gl.renderCentre(), 255, 255, 255, "nothing to bind");
  EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE);
}
