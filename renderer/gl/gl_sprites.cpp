// Sprite textures and their display lists: four generated sprites and the
// five stored smoke puffs. Each list binds its texture and draws the unit
// quad from (-0.5, -0.5) to (0.5, 0.5); it sets no colour and no blending.
#include "renderer/data/embedded_data.h"
#include "renderer/gl/gl_internal.h"
#include "renderer/sprites/sprite_images.h"

namespace lumora {

namespace {
void compileQuadList(GLuint list, GLuint texture) {
    glNewList(list, GL_COMPILE);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0.0f, 0.0f); glVertex3f(-0.5f, -0.5f, 0.0f);
    glTexCoord2f(1.0f, 0.0f); glVertex3f(0.5f, -0.5f, 0.0f);
    glTexCoord2f(0.0f, 1.0f); glVertex3f(-0.5f, 0.5f, 0.0f);
    glTexCoord2f(1.0f, 1.0f); glVertex3f(0.5f, 0.5f, 0.0f);
    glEnd();
    glEndList();
}
}  // namespace

GLuint GlRenderer::Impl::textureOfList(uint32_t list) const {
    for (const auto& [l, t] : listTexture)
        if (l == list) return t;
    return 0;
}

void uploadMipmapped(int components, GLenum format, int size, std::vector<uint8_t> image) {
    for (int level = 0;; ++level) {
        glTexImage2D(GL_TEXTURE_2D, level, components, size, size, 0, format, GL_UNSIGNED_BYTE, image.data());
        if (size == 1) break;
        image = halveImage(image, size, components);
        size /= 2;
    }
}

void GlRenderer::Impl::buildSprites() {
    glGenTextures(4, spriteTextures.data());
    const GLuint first = glGenLists(4);
    const GeneratedSprite kinds[4] = {GeneratedSprite::Star, GeneratedSprite::FlareDisc, GeneratedSprite::Glow,
                                      GeneratedSprite::Spark};
    for (int k = 0; k < 4; ++k) {
        const std::vector<uint8_t> image = makeSpriteImage(kinds[k]);
        glBindTexture(GL_TEXTURE_2D, spriteTextures[static_cast<std::size_t>(k)]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, 4, kSpriteSize, kSpriteSize, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.data());
        compileQuadList(first + static_cast<GLuint>(k), spriteTextures[static_cast<std::size_t>(k)]);
        listTexture.push_back({first + static_cast<GLuint>(k), spriteTextures[static_cast<std::size_t>(k)]});
    }
    sprites.StarSprite = first;
    sprites.FlareDiscSprite = first + 1;
    sprites.GlowSprite = first + 2;
    sprites.SparkSprite = first + 3;
}

void GlRenderer::Impl::buildSmokeSprites() {
    glGenTextures(5, smokeTextures.data());
    const uint8_t* masks = smokeMaskData();
    for (int k = 0; k < 5; ++k) {
        glBindTexture(GL_TEXTURE_2D, smokeTextures[static_cast<std::size_t>(k)]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        // The chain is built although the minifying filter samples only the
        // base level.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        uploadMipmapped(2, GL_LUMINANCE_ALPHA, 64, makeSmokeImage(masks + 4096 * k));
    }
    const GLuint first = glGenLists(5);
    for (int k = 0; k < 5; ++k) {
        compileQuadList(first + static_cast<GLuint>(k), smokeTextures[static_cast<std::size_t>(k)]);
        sprites.SmokeSprites[static_cast<std::size_t>(k)] = first + static_cast<GLuint>(k);
        listTexture.push_back({first + static_cast<GLuint>(k), smokeTextures[static_cast<std::size_t>(k)]});
    }
}

}  // namespace lumora
