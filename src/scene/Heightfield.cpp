#include "scene/Heightfield.h"

#include "base/DisplaySettings.h"

namespace wf {

int Heightfield::gridSize(int detailLevel) {
  if (detailLevel <= 0) return 10;
  if (detailLevel == 1) return 20;
  return 50;
}

Heightfield::Heightfield(const std::string&) : Mesh("höhenfeld") {
  const int W = gridSize(displaySettings().detailLevel);
  const int H = W;
  columns = W;
  rows = H;
  vertices.resize(static_cast<size_t>((W + 1) * (H + 1)));
  // Row 0 is the far edge at z = -10 (H + 1) / H, row H the near one at -10 / H.
  for (int j = 0; j <= H; ++j) {
    for (int k = 0; k <= W; ++k) {
      const double z = (j - H - 1) * 10.0 / H;
      const double x = -1.9 * z * (k - W / 2) / W;
      MeshVertex& v = vertices[static_cast<size_t>(j * (W + 1) + k)];
      v.position = Vector4(x, 0.0, z, 1.0);
      v.texCoord = Vector4(x, z, 0.0, 0.0);
    }
  }
  const int S = W + 1;
  triangles.reserve(static_cast<size_t>(2 * W * H));
  auto addTriangle = [this](int p, int q, int r) {
    MeshTriangle t;
    t.corner[0] = static_cast<uint16_t>(p);
    t.corner[1] = static_cast<uint16_t>(q);
    t.corner[2] = static_cast<uint16_t>(r);
    triangles.push_back(t);
  };
  for (int j = 0; j < H; ++j) {
    for (int k = 0; k < W; ++k) {
      addTriangle(j * S + k, (j + 1) * S + k, j * S + k + 1);
      addTriangle((j + 1) * S + k, (j + 1) * S + k + 1, j * S + k + 1);
    }
  }
  computeNormals();  // every normal comes out (0, 1, 0)
}

}  // namespace wf
