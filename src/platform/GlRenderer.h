// The OpenGL context of the main window, the projection, and the per-frame
// light list.
//
// resize() uses the integer quotient q = width / height (truncated): 1 for
// 640x480, 800x600, 1024x768, 0 for windows taller than wide, in which case
// glFrustum rejects the empty volume and the projection stays the identity.
// deliberate: productions were framed with exactly this projection
// (TallHeadlessGl.ProjectionStaysTheIdentityAndEveryFrameEmptiesTheLightList,
// GoldenFrame.SceneWithEveryMeshKindMatchesTheStoredPicture).
#pragma once
#include <cstdint>
#include <vector>

#include "scene/LightList.h"
#include "base/math/Matrix4.h"

namespace wf {

class GlSurface;
class MainWindow;
class ObjectRegistry;

class GlRenderer {
 public:
  GlRenderer(ObjectRegistry* registry, MainWindow* window, GlSurface* surface);
  virtual ~GlRenderer();
  GlRenderer(const GlRenderer&) = delete;
  GlRenderer& operator=(const GlRenderer&) = delete;

  // Creates the context through the surface and sets up the projection and
  // the fixed state. Without a context it shows the fatal message box and
  // returns false; the caller ends its run.
  bool createContext();
  void resize();
  void beginFrame();
  // Hands the frame's drawing to OpenGL without waiting for it: a software
  // renderer starts drawing on its own threads while the caller goes on.
  void flushFrame();
  void present();

  // The current frame as RGB bytes, top row first (for captures).
  std::vector<uint8_t> readFrameRgb(int& width, int& height) const;

  LightList& lights() { return lights_; }
  ObjectRegistry* registry() const { return registry_; }
  const Matrix4& viewMatrix() const { return viewMatrix_; }

  static GlRenderer* current();

 private:
  Matrix4 viewMatrix_;
  ObjectRegistry* registry_;
  MainWindow* window_;
  GlSurface* surface_;
  LightList lights_;
};

}  // namespace wf
