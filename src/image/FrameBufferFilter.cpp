#include "image/FrameBufferFilter.h"

#include <GL/gl.h>
#include <GL/glext.h>  // Required for: glWindowPos2i()

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
  // The copy goes to the window's lower-left corner. A raster position of
  // (0, 0) sent through the scene's matrices lies in the eye plane, outside
  // every view volume, and the filter would never show anything. It is drawn
  // over the colours without touching the depth buffer, so objects drawn
  // after the filter still appear in front of it.
  glWindowPos2i(0, 0);
  const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
  glDisable(GL_DEPTH_TEST);
  glDrawPixels(geometry_.drawWidth, geometry_.drawHeight, GL_RGB, GL_UNSIGNED_BYTE, frameCopy_.data());
  if (depthTest) glEnable(GL_DEPTH_TEST);
}

}  // namespace wf
