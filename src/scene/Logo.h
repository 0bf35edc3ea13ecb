// The built-in logo: a closed ring "Aussenring" around a smaller open ring
// "Innen-C" shaped like the letter C, both torus sections made as child
// meshes of the invisible Logo group. The tessellation follows detailLevel:
//
//   quality   ring segments N   tube segments T
//   0 low     12                10
//   1 normal  25                20
//   2 high    50                50
//
// A torus has major radius 1, lies in its mesh's xy-plane around the origin
// with its axis along z; its section runs from s to e turns (0..1). Angles
// use the ten-digit pi (kPi10).
#pragma once
#include "scene/Mesh.h"
#include "scene/ObjectRegistry.h"

namespace wf {

class Logo : public PlacedObject {
 public:
  // Prints "loading Logo. ", then makes and registers "Aussenring" and
  // "Innen-C" (in that order) as children of this object. The caller
  // registers the Logo itself afterwards and gives it its declared name.
  explicit Logo(ObjectRegistry& registry);

  const char* className() const override { return "Logo"; }
};

// A torus section of tube radius a from s to e turns, as a mesh named
// "Torus" with its normals set directly. An open section (s > 0 or e < 1)
// gets two cap centres and fans closing both ends.
std::unique_ptr<Mesh> buildTorus(double a, double s, double e);

struct TorusSegments {
  int ring;  // N
  int tube;  // T
};
// The segment counts for a quality level (outside 0..2: the nearest level).
TorusSegments torusSegments(int detailLevel);

}  // namespace wf
