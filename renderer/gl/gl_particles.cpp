// Particle drawing: every live record back to front as camera-facing quads.
//
// The quads are computed on the CPU from the billboard's right and up
// vectors and sent as client vertex arrays, one batch per run of records with
// the same texture and blend function: the same quads, colours, order and
// blending as one display-list call per sprite, at a fraction of the memory
// and time. The ShockRing, a textured band, is drawn on its own.
#include <cmath>

#include "renderer/gl/gl_internal.h"

namespace lumora {

namespace {
constexpr int kFloatsPerVertex = 9;
}

void GlRenderer::Impl::buildRing() {
    static const float profile[7][2] = {{1.0f, 0.0f},   {0.985f, 0.035f}, {0.95f, 0.05f}, {0.85f, 0.05f},
                                        {0.75f, 0.035f}, {0.65f, 0.01f},  {0.5f, 0.0f}};
    for (int k = 0; k < 7; ++k)
        for (int j = 0; j <= 40; ++j) {
            const double a = (j % 40) * 9.0 * 3.14159265358979323846 / 180.0;  // vertex 40 repeats 0
            auto& v = ring[static_cast<std::size_t>(k)][static_cast<std::size_t>(j)];
            v[0] = profile[k][0] * static_cast<float>(std::cos(a));
            v[1] = profile[k][1];
            v[2] = profile[k][0] * static_cast<float>(std::sin(a));
        }
}

void GlRenderer::Impl::flushBatch() {
    if (batch.empty()) return;
    glBindTexture(GL_TEXTURE_2D, batchTexture);
    if (batchAdditive) glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    else glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const GLsizei stride = kFloatsPerVertex * sizeof(float);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, batch.data());
    glTexCoordPointer(2, GL_FLOAT, stride, batch.data() + 3);
    glColorPointer(4, GL_FLOAT, stride, batch.data() + 5);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(batch.size() / kFloatsPerVertex));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    batch.clear();
}

void GlRenderer::Impl::drawShockRingBand(float f, float o) {
    const float g = f > 0.5f ? 1.0f : 2.0f * f;
    float colours[7][4];
    const float alpha[6] = {1.0f, 0.9f, 0.8f, 0.7f, 0.5f, 0.3f};
    for (int k = 0; k < 6; ++k) {
        colours[k][0] = 1.0f;
        colours[k][1] = g;
        colours[k][2] = f;
        colours[k][3] = g * alpha[k];
    }
    for (float& c : colours[6]) c = 0.0f;

    glDisable(GL_CULL_FACE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, cloudTexture);
    auto vertex = [&](int k, int j, bool negate) {
        const auto& v = ring[static_cast<std::size_t>(k)][static_cast<std::size_t>(j)];
        glColor4fv(colours[k]);
        glTexCoord2f(0.25f * static_cast<float>(j), static_cast<float>(k) * 0.07f - o);
        glVertex3f(v[0], negate ? -v[1] : v[1], v[2]);
    };
    // The underside, heights negated.
    for (int k = 0; k < 6; ++k) {
        glBegin(GL_TRIANGLE_STRIP);
        for (int j = 0; j <= 40; ++j) {
            vertex(k + 1, j, true);
            vertex(k, j, true);
        }
        glEnd();
    }
    if (f < 0.5f)
        for (int k = 1; k <= 5; ++k) colours[k][1] = f + 0.5f;
    for (int k = 0; k < 6; ++k) {
        glBegin(GL_TRIANGLE_STRIP);
        for (int j = 0; j <= 40; ++j) {
            vertex(k, j, false);
            vertex(k + 1, j, false);
        }
        glEnd();
    }
    glEnable(GL_CULL_FACE);
}

void GlRenderer::Impl::drawParticles(FrameDriver& driver) {
    const Camera& cam = driver.camera();
    const double* B = cam.billboardMatrix.m;
    // The billboard's first two columns: the view's right and up in the world.
    const float R[3] = {static_cast<float>(B[0]), static_cast<float>(B[1]), static_cast<float>(B[2])};
    const float U[3] = {static_cast<float>(B[4]), static_cast<float>(B[5]), static_cast<float>(B[6])};

    auto quad = [&](GLuint texture, bool additive, const Vec3& at, float size, float r, float g, float b, float a) {
        if (texture != batchTexture || additive != batchAdditive) {
            flushBatch();
            batchTexture = texture;
            batchAdditive = additive;
        }
        // The corners in the list's order (-,-), (+,-), (-,+), (+,+), as the
        // strip's two triangles, both counter-clockwise towards the viewer.
        float corner[4][5];
        const float cs[4][2] = {{-0.5f, -0.5f}, {0.5f, -0.5f}, {-0.5f, 0.5f}, {0.5f, 0.5f}};
        for (int c = 0; c < 4; ++c) {
            const float sx = cs[c][0] * size, sy = cs[c][1] * size;
            corner[c][0] = at.x + sx * R[0] + sy * U[0];
            corner[c][1] = at.y + sx * R[1] + sy * U[1];
            corner[c][2] = at.z + sx * R[2] + sy * U[2];
            corner[c][3] = cs[c][0] + 0.5f;
            corner[c][4] = cs[c][1] + 0.5f;
        }
        for (int c : {0, 1, 2, 2, 1, 3}) {
            batch.insert(batch.end(), corner[c], corner[c] + 5);
            batch.insert(batch.end(), {r, g, b, a});
        }
    };

    glEnable(GL_BLEND);
    const ParticlePool& pool = driver.simulation().pool();
    for (const ParticlePool::Node* n = pool.first(); !pool.atEnd(n) && n->particle.isLive(); n = n->next) {
        const Particle& p = n->particle;
        if (p.lifeFraction <= 0.0f || p.kind == TimerStar) continue;  // timer stars are never visible
        if (p.depthKey < 0.0f && p.kind != ShockRing) continue;       // behind the camera
        if (p.kind == ShockRing) {
            flushBatch();
            glPushMatrix();
            glTranslatef(p.position.x, p.position.y, p.position.z);
            glScalef(p.size, p.size, p.size);
            drawShockRingBand(p.lifeFraction, std::sqrt(p.size * 0.08f));
            if (p.lifeFraction > 0.7f) {
                glMultMatrixd(B);
                glScalef(5.0f, 5.0f, 5.0f);
                glColor4f(1.0f, p.lifeFraction, 1.0f, (p.lifeFraction - 0.7f) * 3.333f);
                glCallList(sprites.GlowSprite);
            }
            glPopMatrix();
            batchTexture = 0;  // the band left its own texture bound
            continue;
        }
        const GLuint texture = textureOfList(p.sprite);
        if (p.kind == Smoke) {
            quad(texture, false, p.position, p.size, p.colour.x, p.colour.y, p.colour.z, p.brightness);
        } else if (p.kind == Flash) {
            // The flash shrinks as it fades.
            quad(texture, true, p.position, p.size * p.brightness, 1.0f, 1.0f, 1.0f, p.brightness);
        } else {
            // A white-hot core inside a coloured halo.
            quad(texture, true, p.position, p.size, p.colour.x, p.colour.y, p.colour.z, p.brightness);
            quad(texture, true, p.position, p.size * 0.35f, 1.0f, 1.0f, 1.0f, p.brightness);
        }
    }
    flushBatch();
}

}  // namespace lumora
