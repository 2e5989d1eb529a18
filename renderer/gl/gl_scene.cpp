// Scenery and overlays: the star dome, the drifting cloud ceiling, the
// horizon band, and the two screen-space lens-flare overlays. The random
// content was made by the frame driver at set-up; this file uploads and draws.
#include <cmath>
#include <cstdio>

#include "renderer/data/embedded_data.h"
#include "renderer/gl/gl_internal.h"

// Not in the OpenGL 1.1 header of every system.
#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

namespace lumora {

bool glVersionAtLeast(const char* version, int major, int minor) {
    // "major.minor[.release][ vendor text]"; anything else counts as 1.1.
    int haveMajor = 0, haveMinor = 0;
    if (!version || std::sscanf(version, "%d.%d", &haveMajor, &haveMinor) != 2) return major < 1 || (major == 1 && minor <= 1);
    return haveMajor > major || (haveMajor == major && haveMinor >= minor);
}

GLint horizonBandWrapS(const char* version) {
    // The band's s runs up the band: repeating it would blend the black
    // foot column with the lit top column and draw a faint line along the
    // foot. Clamping to the edge texel keeps the foot black; before 1.2 plain
    // GL_CLAMP blends with the border colour, black as well.
    return glVersionAtLeast(version, 1, 2) ? GL_CLAMP_TO_EDGE : GL_CLAMP;
}

namespace {

void textureParameters(bool repeat) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    if (repeat) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    }
}

struct DomePoint {
    float position[3];
    float s, t;
    float shade;
};

DomePoint domePoint(int ring, int index) {
    // Elevation 15 degrees a ring, azimuth 30 degrees an index (12 repeats 0).
    const double e = ring * 15.0 * 3.14159265358979323846 / 180.0;
    const double phi = index * 30.0 * 3.14159265358979323846 / 180.0;
    const double k = 2.5 - std::sin(e);
    DomePoint p;
    p.position[0] = static_cast<float>(20000.0 * std::cos(e) * std::cos(phi));
    p.position[1] = static_cast<float>(18500.0 * std::sin(e) + 1500.0);
    p.position[2] = static_cast<float>(20000.0 * std::cos(e) * std::sin(phi));
    p.s = static_cast<float>(1.2 * k * std::cos(e) * std::cos(phi));
    p.t = static_cast<float>(1.2 * k * std::cos(e) * std::sin(phi));
    // The lowest ring is black, so the stars fade out towards the horizon.
    p.shade = p.position[1] < 1501.0f ? 0.0f : 1.0f;
    return p;
}

void emit(const DomePoint& p) {
    glColor3f(p.shade, p.shade, p.shade);
    glTexCoord2f(p.s, p.t);
    glVertex3fv(p.position);
}

// Additive overlay blending (left set afterwards) and the intensity after
// edge attenuation; when something is left to draw, screen space from 0 to
// aspect across and 0 to 1 up, to be closed by endOverlay.
float beginOverlay(float x, float y, float intensity, float aspect) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    const float I = intensity * edgeAttenuation(x, y, aspect);
    if (I <= 0.0f) return 0.0f;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, aspect, 0.0, 1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    return I;
}

void endOverlay() {
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

}  // namespace

void GlRenderer::Impl::buildScene(const SceneImages& images, bool stars, bool clouds) {
    (void)clouds;  // the cloud texture exists whatever the weather: the band uses it
    glGenTextures(1, &cloudTexture);
    glBindTexture(GL_TEXTURE_2D, cloudTexture);
    textureParameters(false);
    uploadMipmapped(2, GL_LUMINANCE_ALPHA, 512,
                    std::vector<uint8_t>(cloudImageData(), cloudImageData() + kCloudImageBytes));

    if (stars && !images.starField.empty()) {
        glGenTextures(1, &starFieldTexture);
        glBindTexture(GL_TEXTURE_2D, starFieldTexture);
        textureParameters(false);
        uploadMipmapped(3, GL_RGB, 512, images.starField);
    }

    panoramaEnabled = images.panoramaEnabled;
    if (panoramaEnabled) {
        glGenTextures(1, &panoramaTexture);
        glBindTexture(GL_TEXTURE_2D, panoramaTexture);
        textureParameters(true);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S,
                        horizonBandWrapS(reinterpret_cast<const char*>(glGetString(GL_VERSION))));
        uploadMipmapped(3, GL_RGB, 512, images.panorama);
    }

    if (starFieldTexture != 0) {
        skyDomeList = glGenLists(1);
        glNewList(skyDomeList, GL_COMPILE);
        glBindTexture(GL_TEXTURE_2D, starFieldTexture);
        for (int j = 0; j < 5; ++j) {
            glBegin(GL_TRIANGLE_STRIP);
            for (int i = 0; i <= 12; ++i) {
                emit(domePoint(j + 1, i));
                emit(domePoint(j, i));
            }
            glEnd();
        }
        glBegin(GL_TRIANGLE_FAN);
        glColor3f(1.0f, 1.0f, 1.0f);
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(0.0f, 20000.0f, 0.0f);
        for (int i = 0; i <= 12; ++i) emit(domePoint(5, i));
        glEnd();
        glEndList();
    }

    if (panoramaEnabled) {
        // A half cylinder of radius 20000 and height 8000 on the -x side,
        // brightest at its foot towards -x.
        static const float ground[9][2] = {{0, 20000},         {-7654, 18448},  {-14142, 14142},
                                           {-18448, 7654},     {-20000, 0},     {-18448, -7654},
                                           {-14142, -14142},   {-7654, -18448}, {0, -20000}};
        static const float glow[9] = {0.0f, 0.25f, 0.5f, 0.75f, 1.0f, 0.75f, 0.5f, 0.25f, 0.0f};
        panoramaList = glGenLists(1);
        glNewList(panoramaList, GL_COMPILE);
        glBindTexture(GL_TEXTURE_2D, panoramaTexture);
        glBegin(GL_TRIANGLE_STRIP);
        for (int n = 0; n <= 8; ++n) {
            const float t = static_cast<float>(n) / 8.0f;
            glColor3f(0.0f, 0.0f, 0.0f);
            glTexCoord2f(1.0f, t);
            glVertex3f(ground[n][0], 8000.0f, ground[n][1]);
            glColor3f(glow[n], glow[n], glow[n]);
            glTexCoord2f(0.0f, t);
            glVertex3f(ground[n][0], 0.0f, ground[n][1]);
        }
        glEnd();
        glEndList();
    }
}

void GlRenderer::Impl::drawScene(const FrameDriver& driver) {
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_DEPTH_TEST);
    if (settings.StarDensity != 0 && skyDomeList != 0) {
        glDisable(GL_BLEND);
        glCallList(skyDomeList);
    }
    const CloudGrid* clouds = driver.clouds();
    if (settings.Weather != 0 && clouds) {
        glPushMatrix();
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glBindTexture(GL_TEXTURE_2D, cloudTexture);
        for (int a = 0; a < CloudGrid::N - 1; ++a) {
            glBegin(GL_TRIANGLE_STRIP);
            for (int b = 0; b < CloudGrid::N; ++b)
                for (int row : {a + 1, a}) {
                    const CloudVertex& v = clouds->at(row, b);
                    glColor3f(v.red, v.green, v.blue);
                    glTexCoord2f(v.s, v.t);
                    glVertex3f(v.x, v.y, v.z);
                }
            glEnd();
        }
        glPopMatrix();
    }
    if (panoramaEnabled) {
        // Added light; the black silhouette adds nothing.
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
        glCallList(panoramaList);
    }
}

void GlRenderer::Impl::drawFlareChain(float x, float y, float r, float g, float b, float intensity) {
    const float I = beginOverlay(x, y, intensity, aspect);
    if (I <= 0.0f) return;
    // From the source through the screen centre (k = 1) to its mirror image.
    const float u = aspect * 0.5f - x, v = 0.5f - y;
    struct Element { float k, scale, r, g, b, a; GLuint sprite; bool turn; };
    const Element chain[9] = {
        {0.05f, 0.065f, r, g, b, 0.4f * I, sprites.GlowSprite, false},
        {0.15f, 0.04f, 0.9f * r, 0.9f * g, b, 0.9f * I, sprites.FlareDiscSprite, false},
        {0.25f, 0.06f, 0.8f * r, 0.8f * g, b, 0.9f * I, sprites.FlareDiscSprite, false},
        {0.35f, 0.08f, 0.7f * r, 0.7f * g, b, 0.9f * I, sprites.FlareDiscSprite, false},
        {1.25f, 0.05f, r, 0.6f * g, 0.6f * b, 0.9f * I, sprites.FlareDiscSprite, false},
        {1.65f, 0.3f, r, g, b, I, sprites.SparkSprite, true},
        {1.85f, 0.04f, r, 0.6f * g, 0.6f * b, 0.9f * I, sprites.FlareDiscSprite, false},
        {2.2f, 0.3f, r, g, b, 0.7f * I, sprites.FlareDiscSprite, false},
        {2.5f, 0.6f, r, g, b, 0.8f * I, sprites.SparkSprite, false},
    };
    for (const Element& e : chain) {
        glLoadIdentity();
        glTranslatef(x + u * e.k, y + v * e.k, 0.0f);
        if (e.turn) glRotatef(x, 0.0f, 0.0f, 1.0f);
        glScalef(e.scale, e.scale, e.scale);
        glColor4f(e.r, e.g, e.b, e.a);
        glCallList(e.sprite);
    }
    endOverlay();
}

void GlRenderer::Impl::drawStreak(float x, float y, float r, float g, float b, float intensity) {
    const float I = beginOverlay(x, y, intensity, aspect);
    if (I <= 0.0f) return;
    // A horizontal bar whose length grows with the intensity, and a halo.
    glTranslatef(x, y, 0.0f);
    glScalef(2.0f * I, 0.08f, 0.0f);
    glColor4f(r, g, b, I);
    glCallList(sprites.StarSprite);
    glLoadIdentity();
    glTranslatef(x, y, 0.0f);
    glScalef(0.4f, 0.35f * I + 0.05f, 1.0f);
    glColor4f(r, g, b, 0.4f * I);
    glCallList(sprites.GlowSprite);
    endOverlay();
}

}  // namespace lumora
