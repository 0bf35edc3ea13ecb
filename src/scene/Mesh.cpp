#include "scene/Mesh.h"

#include <GL/gl.h>  // Required for: glBegin(), glColor3dv(), glEnable(), ...

#include "scene/Light.h"
#include "scene/LightList.h"

namespace wf {

Mesh::Mesh(const std::string& text) : PlacedObject(text) {}

void Mesh::computeNormals() {
  for (MeshVertex& v : vertices) v.normal = Vector4(0.0, 0.0, 0.0, 0.0);
  const size_t count = vertices.size();
  for (const MeshTriangle& t : triangles) {
    if (t.corner[0] >= count || t.corner[1] >= count || t.corner[2] >= count) continue;
    MeshVertex& a = vertices[t.corner[0]];
    MeshVertex& b = vertices[t.corner[1]];
    MeshVertex& c = vertices[t.corner[2]];
    const Vector4 n = cross(b.position - a.position, c.position - a.position);
    a.normal = a.normal + n;
    b.normal = b.normal + n;
    c.normal = c.normal + n;
  }
  for (MeshVertex& v : vertices) v.normal.normalize();
}

int collectFrameLights(LightSample* out) {
  const LightList& list = currentLightList();
  int n = 0;
  for (int i = 0; i < list.count() && n < LightList::kCapacity; ++i) {
    const Light* light = list.at(i);
    if (!light) continue;
    out[n].type = light->type();
    out[n].worldVector = light->worldVector;
    out[n].color = light->color;
    ++n;
  }
  return n;
}

void Mesh::update() {
  transformVertices(vertices.data(), vertices.size(), worldTransform());
  LightSample lights[LightList::kCapacity];
  const int lightCount = collectFrameLights(lights);
  lightVertices(vertices.data(), vertices.size(), lights, lightCount, worldColorTransform());
}

void Mesh::draw() {
  const SceneObject* texture = effectiveTexture();
  if (texture && texture->isTexture()) {
    glEnable(GL_TEXTURE_2D);
    // A texture without an OpenGL name (its upload failed) draws untextured.
    if (!texture->bindTexture()) glDisable(GL_TEXTURE_2D);
  }
  const size_t count = vertices.size();
  glBegin(GL_TRIANGLES);
  for (const MeshTriangle& t : triangles) {
    if (t.corner[0] >= count || t.corner[1] >= count || t.corner[2] >= count) continue;
    for (int c = 0; c < 3; ++c) {
      const MeshVertex& v = vertices[t.corner[c]];
      const double color[3] = {v.color.x, v.color.y, v.color.z};
      const double normal[3] = {v.worldNormal.x, v.worldNormal.y, v.worldNormal.z};
      const double uv[2] = {v.texCoord.x, v.texCoord.y};
      const double position[3] = {v.worldPosition.x, v.worldPosition.y, v.worldPosition.z};
      glColor3dv(color);
      glNormal3dv(normal);
      glTexCoord2dv(uv);
      glVertex3dv(position);
    }
  }
  glEnd();
  glDisable(GL_TEXTURE_2D);
}

}  // namespace wf
