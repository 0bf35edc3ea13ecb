// Reads the frame drawn so far without a 100-pixel margin into a buffer and
// draws the bytes again as a screen-sized image at the raster position
// (0, 0) taken through the current matrices. Under the renderer's fixed
// view that position is the eye, outside the view volume, so the image is
// not drawn: a filter costs a read-back and leaves the picture unchanged.
// (Were it drawn, the rows read, 200 pixels shorter than the rows drawn,
// would come out as a sheared copy.) Weight -20 puts it before lights and
// the scene at registration.
//
// The buffer follows the current screen size and starts cleared; screens of
// 200 pixels or less in either direction read nothing. Reads and draws never
// leave the buffer.
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
  // What the last read left in the buffer: rows of 3-byte pixels, bottom row
  // first, packed by the current pack alignment.
  const std::vector<uint8_t>& frameCopy() const { return frameCopy_; }

 private:
  void fitBuffer();
  std::vector<uint8_t> frameCopy_;
  FilterGeometry geometry_;
};

}  // namespace wf
