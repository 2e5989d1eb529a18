// State shared by the GL renderer's files: textures, display lists, scene
// geometry and the particle batch. One instance per context.
#pragma once

#include <array>
#include <vector>

#include "renderer/gl/gl_headers.h"
#include "renderer/gl/gl_renderer.h"
#include "renderer/sim/flares.h"

namespace lumora {

// Whether a GL_VERSION string names at least major.minor (an unreadable one
// counts as 1.1).
bool glVersionAtLeast(const char* version, int major, int minor);
// The horizon band's GL_TEXTURE_WRAP_S for a context of that version.
GLint horizonBandWrapS(const char* version);

struct GlRenderer::Impl {
    Settings settings;
    int viewportWidth = 0, viewportHeight = 0;
    float aspect = 1.0f;
    GLint viewport[4] = {0, 0, 0, 0};

    // Sprites (display lists that bind their own texture).
    SpriteSet sprites;
    std::array<GLuint, 4> spriteTextures{};
    std::array<GLuint, 5> smokeTextures{};
    // List name -> texture, for drawing particles from vertex arrays.
    std::vector<std::pair<GLuint, GLuint>> listTexture;
    GLuint textureOfList(uint32_t list) const;

    // Scene.
    GLuint cloudTexture = 0, starFieldTexture = 0, panoramaTexture = 0;
    GLuint skyDomeList = 0, panoramaList = 0;
    bool panoramaEnabled = false;

    // ShockRing band: seven profile circles of 41 vertices.
    std::array<std::array<std::array<float, 3>, 41>, 7> ring{};

    // Particle batch: x y z, s t, r g b a per vertex, six vertices a quad.
    std::vector<float> batch;
    GLuint batchTexture = 0;
    bool batchAdditive = true;
    std::vector<FlareEntry> flares;

    void buildSprites();
    void buildSmokeSprites();
    void buildScene(const SceneImages& images, bool stars, bool clouds);
    void buildRing();
    void drawScene(const FrameDriver& driver);
    void drawParticles(FrameDriver& driver);
    void drawShockRingBand(float f, float o);
    void drawFlareChain(float x, float y, float r, float g, float b, float intensity);
    void drawStreak(float x, float y, float r, float g, float b, float intensity);
    void flushBatch();
};

// Uploads a square power-of-two image and its whole box-filtered mipmap chain.
void uploadMipmapped(int components, GLenum format, int size, std::vector<uint8_t> image);

}  // namespace lumora
