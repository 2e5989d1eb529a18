// Lens-flare collection and the overlays' edge attenuation.
#include <gtest/gtest.h>

#include "renderer/sim/flares.h"

using namespace lumora;

namespace {
struct Scene {
    Scene() {
        cam.eye.set(0, 1000, 5000);
        cam.target.set(0, 1000, 0);
        cam.computeView();
        cam.computeProjection(2.0f);
        view = FlareView{&cam, {0, 0, 800, 400}, 800, 400, 2.0f};
    }
    Particle& add(ParticleKind kind, float z) {
        Particle& p = pool.allocate();
        p.kind = kind;
        p.position.set(0, 1000, z);
        p.colour.set(1, 0.5f, 0.25f);
        p.brightness = 1.0f;
        return p;
    }
    Camera cam;
    FlareView view{};
    ParticlePool pool;
    std::vector<FlareEntry> out;
};
}  // namespace

TEST(Flares, FlashesAndCoresInFrontOfTheEyeAreListed) {
    Scene s;
    s.add(Flash, 0);        // 5000 ahead, at the screen centre
    s.add(Star, 0);         // stars throw no flares
    s.add(RingCore, 1000);  // a core
    s.add(Flash, 4999.5f);  // less than a unit ahead: no entry
    s.add(Flash, 6000);     // behind the eye: no entry
    s.add(Flash, -6000);    // 11000 away: listed with intensity 0
    collectFlares(s.pool, s.view, 20, s.out);
    ASSERT_EQ(s.out.size(), 3u);
    EXPECT_EQ(s.out[0].kind, 0.0f);
    EXPECT_NEAR(s.out[0].x, 1.0f, 1e-4f);  // aspect / 2
    EXPECT_NEAR(s.out[0].y, 0.5f, 1e-4f);
    EXPECT_FLOAT_EQ(s.out[0].intensity, 20.0f * 1.0f * ((10000.0f - 5000.0f) * 0.0001f) * 0.01f);
    EXPECT_EQ(s.out[0].green, 0.5f);
    EXPECT_EQ(s.out[1].kind, 1.0f);
    const float l = 1.0f - 0.5f * 20.0f * 0.02f;
    EXPECT_FLOAT_EQ(s.out[1].intensity, ((20000.0f - 4000.0f) * 0.00005f) * (1.0f - l * l * l * l));
    EXPECT_EQ(s.out[2].intensity, 0.0f);
}

TEST(Flares, AtMostOneHundredAndTenEntries) {
    Scene s;
    for (int i = 0; i < 200; ++i) s.add(Flash, static_cast<float>(-i));
    collectFlares(s.pool, s.view, 20, s.out);
    EXPECT_EQ(s.out.size(), kMaxFlares);
}

TEST(Flares, EdgeAttenuationFadesOverAMarginOfATenthOfTheWidth) {
    const float aspect = 2.0f;  // margin 0.2
    EXPECT_EQ(edgeAttenuation(1.0f, 0.5f, aspect), 1.0f);
    EXPECT_FLOAT_EQ(edgeAttenuation(1.0f, -0.1f, aspect), 0.5f);   // below the bottom
    EXPECT_FLOAT_EQ(edgeAttenuation(2.05f, 0.5f, aspect), 0.75f);  // right of the right edge
    EXPECT_FLOAT_EQ(edgeAttenuation(-0.1f, 1.1f, aspect), 0.25f);  // two edges multiply
    EXPECT_EQ(edgeAttenuation(1.0f, 1.2f, aspect), 0.0f);          // a margin beyond: nothing
    EXPECT_EQ(edgeAttenuation(-5.0f, 0.5f, aspect), 0.0f);
}
