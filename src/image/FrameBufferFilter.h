// Reads the frame drawn so far without a 100-pixel margin and draws the
// bytes again as a full-screen image. The rows read are 200 pixels shorter
// than the rows drawn, so the copy comes out sheared: that is the intended
// look. Weight -20 puts it before lights and the scene at registration, so
// it works on what objects of lower weight have drawn (give them W=-30
// before the filter is declared).
//
// The buffer follows the current screen size; screens of 200 pixels or less
// in either direction read nothing. Reads and draws never leave the buffer.
#pragma once
#include <cstdint>
#include <vector>

#include "scene/SceneObject.h"

namespace wf {

// What one filter pass reads and draws, for a screen of the given size.
struct FilterGeometry {
  int readX = 100, readY = 100, readWidth = 0, readHeight = 0;
  int drawWidth = 0, drawHeight = 0;
  size_t bufferBytes = 0;
};
FilterGeometry filterGeometry(int screenWidth, int screenHeight);

class FrameBufferFilter : public SceneObject {
 public:
  explicit FrameBufferFilter(const std::string& text);
  const char* className() const override { return "FrameBufferFilter"; }
  void draw() override;
  void readFrame();
  void drawFrame();

 private:
  void fitBuffer();
  std::vector<uint8_t> frameCopy_;
  FilterGeometry geometry_;
};

}  // namespace wf
