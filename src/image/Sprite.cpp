#include "image/Sprite.h"

#include <GL/gl.h>

#include "image/ImageMaker.h"
#include "base/MainWindow.h"
#include "scene/ObjectRegistry.h"

namespace wf {

SpritePlacement placeSprite(const Matrix4& world, const Vector4& origin, int windowWidth, int windowHeight) {
  SpritePlacement p;
  const Vector4 anchor = world.transformVector(Vector4(0, 0, 0, 1));
  // The scale is kept in single precision, as the zoom is.
  const float s = static_cast<float>(world.transformVector(Vector4(0, 0, 1, 0)).length());
  // deliberate: half sizes in integer arithmetic, as productions were
  // placed (SpritePlacement.UsesIntegerHalvesOfTheWindowAndNeverDividesByZero);
  // a zero size would divide by zero, so such a window places the sprite at
  // its anchor.
  const int halfW = windowWidth / 2, halfH = windowHeight / 2;
  p.rasterX = anchor.x - (halfW ? (s * origin.x) / halfW : 0.0);
  p.rasterY = anchor.y - (halfH ? (s * origin.y) / halfH : 0.0);
  p.rasterZ = anchor.z;
  p.zoom = s / static_cast<float>(-anchor.z);
  return p;
}

void buildStringLetters(ObjectRegistry& registry, PlacedObject& group, const std::string& text,
                        const ImageSources& sources) {
  double advance = 0.0;
  for (const std::string& character : splitCharacters(text)) {
    auto letter = std::make_unique<Sprite>(character, sources);
    letter->parent = &group;
    letter->origin().x -= advance;
    advance += letter->width();
    letter->name = "Letter";
    registry.add(std::move(letter));
  }
}

void Sprite::draw() {
  if (image_.empty()) return;  // an unknown built-in name draws nothing
  MainWindow* window = MainWindow::current();
  const SpritePlacement p =
      placeSprite(worldTransform(), image_.origin, window ? window->outerWidth() : 0, window ? window->outerHeight() : 0);
  glEnable(GL_BLEND);
  glRasterPos3d(p.rasterX, p.rasterY, p.rasterZ);
  glPixelZoom(p.zoom, p.zoom);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glDrawPixels(image_.width, image_.height, GL_RGBA, GL_UNSIGNED_BYTE, image_.data());
  glDisable(GL_BLEND);
}

}  // namespace wf
