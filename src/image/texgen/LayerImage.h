// Turning a generator layer into the image a texture object holds.
#pragma once
#include <cstdint>
#include <string>

#include "image/RgbaImage.h"

namespace wf {

class TextureGenerator;

// A 256 x 256 image from one layer (256 x 256 pixels of blue, green, red):
// pixel i (the same linear order in both) is the colour
// (red / 256, green / 256, blue / 256) packed with toRGBA(). deliberate: the
// division by 256 before the multiplication by 255 turns 255 into 254 and
// 128 into 127 (a white pixel is (254, 254, 254, 254)); stored pictures look
// that way (LayerImage.PacksDividedBy256ThenTimes255InTheLayersOrder).
// Origin all 0.
RgbaImage imageFromLayer(const uint8_t* layer);

// What a texture object whose value text names a description file holds:
// the file run through the generator (which is not cleared first), then its
// layer 0 converted. Without a generator the image is black and transparent.
RgbaImage makeGeneratedImage(TextureGenerator* generator, const std::string& path);

}  // namespace wf
