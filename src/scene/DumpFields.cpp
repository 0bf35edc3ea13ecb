// The scene-dump fields of meshes and lights (see core/SceneDump.h), kept
// apart from the per-frame code of both classes.
#include "base/Json.h"
#include "scene/Light.h"
#include "scene/Mesh.h"

namespace wf {

void Mesh::dumpExtra(JsonWriter& json, bool geometry) const {
  PlacedObject::dumpExtra(json, geometry);
  json.key("vertexCount").value(vertexCount());
  json.key("triangleCount").value(triangleCount());
  if (!geometry) return;
  json.key("vertices").beginArray();
  for (const MeshVertex& v : vertices) {
    const double row[17] = {v.position.x,      v.position.y,      v.position.z,      v.normal.x,
                            v.normal.y,        v.normal.z,        v.texCoord.x,      v.texCoord.y,
                            v.worldPosition.x, v.worldPosition.y, v.worldPosition.z, v.worldNormal.x,
                            v.worldNormal.y,   v.worldNormal.z,   v.color.x,         v.color.y,
                            v.color.z};
    json.numbers(row, 17);
  }
  json.endArray();
  json.key("triangles").beginArray();
  for (const MeshTriangle& t : triangles) {
    json.beginArray(true);
    for (uint16_t corner : t.corner) json.value(static_cast<int>(corner));
    json.endArray();
  }
  json.endArray();
}

void Light::dumpExtra(JsonWriter& json, bool geometry) const {
  PlacedObject::dumpExtra(json, geometry);
  json.key("type").value(type_);
  const double v[4] = {vector.x, vector.y, vector.z, vector.w};
  json.key("vector").numbers(v, 4);
  const double w[4] = {worldVector.x, worldVector.y, worldVector.z, worldVector.w};
  json.key("worldVector").numbers(w, 4);
  const double c[3] = {color.x, color.y, color.z};
  json.key("color").numbers(c, 3);
}

}  // namespace wf
