// A texture object: its image is uploaded once into an OpenGL texture with
// linear filtering and no mipmaps, and meshes bind it when they draw. An
// empty image (unknown built-in name) is never uploaded and binds nothing.
#pragma once
#include "image/TextureImage.h"

namespace wf {

class GlTexture : public TextureImage {
 public:
  GlTexture(const std::string& text, const ImageSources& sources);
  GlTexture(const std::string& text, RgbaImage image);
  ~GlTexture() override;

  const char* className() const override { return "GlTexture"; }
  bool isTexture() const override { return true; }

  // Binds the texture to GL_TEXTURE_2D; false when there is nothing to bind.
  bool bind() const;
  // How a mesh drawing with this texture binds it.
  bool bindTexture() const override { return bind(); }
  void upload();
  unsigned textureId() const { return textureId_; }

 private:
  void create();
  unsigned textureId_ = 0;
};

}  // namespace wf
