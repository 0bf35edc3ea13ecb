#include "image/GlTexture.h"

#include <GL/gl.h>


namespace wf {
namespace {

// Without a current context there is nothing to upload into (tests, tools);
// OpenGL answers every call with nothing then, glGetString with null.
bool haveGlContext() { return glGetString(GL_VERSION) != nullptr; }

}  // namespace

GlTexture::GlTexture(const std::string& text, const ImageSources& sources) : TextureImage(text, sources) {
  create();
}

GlTexture::GlTexture(const std::string& text, RgbaImage image) : TextureImage(text, std::move(image)) { create(); }

void GlTexture::create() {
  // Without a context the image is still there for everything else.
  if (image_.empty() || !haveGlContext()) return;
  GLuint id = 0;
  glGenTextures(1, &id);
  textureId_ = id;
  glBindTexture(GL_TEXTURE_2D, textureId_);
  upload();
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

GlTexture::~GlTexture() {
  if (textureId_ && haveGlContext()) {
    GLuint id = textureId_;
    glDeleteTextures(1, &id);
  }
}

void GlTexture::upload() {
  if (image_.empty()) return;
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);  // rows of 4-byte pixels are always aligned
  glTexImage2D(GL_TEXTURE_2D, 0, 4, image_.width, image_.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, image_.data());
}

bool GlTexture::bind() const {
  if (!textureId_) return false;
  glBindTexture(GL_TEXTURE_2D, textureId_);
  return true;
}

}  // namespace wf
