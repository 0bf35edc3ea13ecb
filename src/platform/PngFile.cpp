#include "platform/PngFile.h"

#include <png.h>  // Required for: png_image (the simplified libpng interface)

#include <cstring>  // Required for: std::memset()

namespace wf {

bool writePngRgba(const std::string& path, int width, int height, const uint8_t* rgba, std::string* error) {
  if (width <= 0 || height <= 0 || rgba == nullptr) {
    if (error) *error = "an empty image cannot be written as PNG";
    return false;
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(width);
  image.height = png_uint_32(height);
  image.format = PNG_FORMAT_RGBA;
  if (!png_image_write_to_file(&image, path.c_str(), 0, rgba, png_int_32(width) * 4, nullptr)) {
    if (error) *error = std::string("cannot write ") + path + ": " + image.message;
    png_image_free(&image);
    return false;
  }
  return true;
}

bool readPngRgba(const std::string& path, int& width, int& height, std::vector<uint8_t>& rgba,
                 std::string* error) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) {
    if (error) *error = std::string("cannot read ") + path + ": " + image.message;
    return false;
  }
  image.format = PNG_FORMAT_RGBA;
  rgba.assign(PNG_IMAGE_SIZE(image), 0);
  if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
    if (error) *error = std::string("cannot read ") + path + ": " + image.message;
    png_image_free(&image);
    rgba.clear();
    return false;
  }
  width = int(image.width);
  height = int(image.height);
  return true;
}

}  // namespace wf
