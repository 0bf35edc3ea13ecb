// Writing 8-bit PNG files (frame captures, texture previews).
#pragma once
#include <cstdint>
#include <string>

namespace wf {

// `pixels` holds `height` rows of `width` * `channels` bytes (3 = RGB,
// 4 = RGBA), the first row being the top of the picture. False on failure,
// with a reason in `error`.
bool writePng(const std::string& path, int width, int height, int channels, const uint8_t* pixels,
              std::string* error = nullptr);

}  // namespace wf
