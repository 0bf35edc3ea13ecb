// A flat landscape: a regular grid in the plane y = 0 in front of the viewer,
// shaped as a trapezoid that widens with distance so that it covers 95 % of
// the picture's width at every depth (the projection's side planes are at
// |x| = -z). All heights are 0; it is a textured, lit floor whose texture
// repeats once per world unit. The grid follows detailLevel:
//
//   quality   W = H   vertices   triangles
//   0 low     10      121        200
//   1 normal  20      441        800
//   2 high    50      2601       5000
#pragma once
#include "scene/Mesh.h"

namespace wf {

class Heightfield : public Mesh {
 public:
  // The declaration's text is accepted and ignored: every landscape is the
  // same grid. The mesh is named "höhenfeld" until the declaration names it.
  explicit Heightfield(const std::string& text);

  int columns = 0;  // W: cells across
  int rows = 0;     // H: cells in depth

  const char* className() const override { return "Heightfield"; }

  // Cells per side for a quality level (outside 0..2: the nearest level).
  static int gridSize(int detailLevel);
};

}  // namespace wf
