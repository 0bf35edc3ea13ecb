#include "image/FrameBufferFilter.h"

#include <GL/gl.h>

#include "base/DisplaySettings.h"

namespace wf {

FilterGeometry filterGeometry(int screenWidth, int screenHeight) {
  FilterGeometry g;
  if (screenWidth <= 0 || screenHeight <= 0) return g;
  g.drawWidth = screenWidth;
  g.drawHeight = screenHeight;
  g.bufferBytes = static_cast<size_t>(screenWidth) * static_cast<size_t>(screenHeight) * 4;
  if (screenWidth > 200 && screenHeight > 200) {
    g.readWidth = screenWidth - 200;
    g.readHeight = screenHeight - 200;
  }
  return g;
}

FrameBufferFilter::FrameBufferFilter(const std::string& text) : SceneObject(text) {
  weight = -20;
  fitBuffer();
}

void FrameBufferFilter::fitBuffer() {
  const DisplaySettings& display = displaySettings();
  const FilterGeometry g = filterGeometry(display.screenWidth, display.screenHeight);
  if (g.bufferBytes != frameCopy_.size()) frameCopy_.assign(g.bufferBytes, 0);  // cleared, not undefined
  geometry_ = g;
}

void FrameBufferFilter::draw() {
  fitBuffer();
  readFrame();
  drawFrame();
}

void FrameBufferFilter::readFrame() {
  glPixelZoom(1.0f, 1.0f);
  if (geometry_.readWidth <= 0 || frameCopy_.empty()) return;
  // Rows of 3-byte pixels padded to at most 8 bytes stay far inside a
  // buffer of 4 bytes per pixel of the whole screen.
  glReadPixels(geometry_.readX, geometry_.readY, geometry_.readWidth, geometry_.readHeight, GL_RGB,
               GL_UNSIGNED_BYTE, frameCopy_.data());
}

void FrameBufferFilter::drawFrame() {
  if (frameCopy_.empty()) return;
  // deliberate: the copy goes to the raster position (0, 0) through the
  // current matrices, with the current depth and blending state. Under the
  // renderer's fixed view that point is the eye, outside the view volume, so
  // nothing is drawn and a filter leaves the picture as it was: stored
  // productions were made watching exactly that (ImageObjects.FilterReadsTheFrameButLeavesItAsItWas).
  glRasterPos2d(0.0, 0.0);
  glDrawPixels(geometry_.drawWidth, geometry_.drawHeight, GL_RGB, GL_UNSIGNED_BYTE, frameCopy_.data());
}

}  // namespace wf
