// Vector helpers, the generator and the pool.
#include <gtest/gtest.h>

#include "renderer/sim/pool.h"
#include "renderer/sim/rng.h"
#include "renderer/sim/vec.h"

using namespace lumora;

TEST(Rand15, FollowsTheLinearCongruentialSequence) {
    Rand15 r(1);
    // state = state * 214013 + 2531011, result = bits 16..30.
    EXPECT_EQ(r.next(), 41);
    EXPECT_EQ(r.next(), 18467);
    EXPECT_EQ(r.next(), 6334);
    EXPECT_EQ(r.calls(), 3u);
    Rand15 wrap(0xFFFFFFFFu);
    EXPECT_EQ(wrap.next(), static_cast<int>(((0xFFFFFFFFu * 214013u + 2531011u) >> 16) & 32767u));
}

TEST(Rand15, RangesTruncateAndReachTheTopOnlyFromTheLastDraw) {
    // Find a state whose next draw is 32767 and one whose next is 32766.
    uint32_t top = 0, belowTop = 0;
    bool haveTop = false, haveBelow = false;
    for (uint32_t s = 0; !(haveTop && haveBelow); s += 1) {
        Rand15 r(s);
        const int v = r.next();
        if (v == 32767 && !haveTop) { top = s; haveTop = true; }
        if (v == 32766 && !haveBelow) { belowTop = s; haveBelow = true; }
    }
    Rand15 a(top), b(belowTop);
    EXPECT_EQ(a.R(6), 6);
    EXPECT_EQ(b.R(6), 5);
    Rand15 c(top);
    EXPECT_FLOAT_EQ(c.U(2.0f), 32767.0f * (2.0f / 32767.0f));
    Rand15 d(top);
    EXPECT_FLOAT_EQ(d.U(-1500.0f, 1500.0f), 1500.0f);
}

TEST(Vec3, NormaliseReturnsLengthAndMapsZeroToUp) {
    Vec3 v(3.0f, 0.0f, 4.0f);
    EXPECT_FLOAT_EQ(v.normalise(), 5.0f);
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.z, 0.8f);
    Vec3 zero;
    EXPECT_EQ(zero.normalise(), 0.0f);
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(zero.y, 1.0f);
    EXPECT_EQ(zero.z, 0.0f);
    // Components so small their squares vanish: still a zero length.
    Vec3 tiny(1e-30f, 0.0f, 0.0f);
    EXPECT_EQ(tiny.normalise(), 0.0f);
    EXPECT_EQ(tiny.y, 1.0f);
}

TEST(Vec3, CrossFollowsTheRightHandRule) {
    const Vec3 c = Vec3(1, 0, 0).cross(Vec3(0, 1, 0));
    EXPECT_EQ(c.x, 0.0f);
    EXPECT_EQ(c.y, 0.0f);
    EXPECT_EQ(c.z, 1.0f);
    const Vec3 d = Vec3(0, 0, 1).cross(Vec3(1, 0, 0));
    EXPECT_EQ(d.y, 1.0f);
}

TEST(Quat, TinyAnglesGiveTheIdentityAndQuarterTurnsRotate) {
    const Quat q = Quat::fromAngleAxis(0.0000005f, Vec3(0, 0, 1));
    EXPECT_EQ(q.x, 0.0f);
    EXPECT_EQ(q.w, 1.0f);
    const Mat4 id = Mat4::fromQuat(q);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(id.m[i], (i % 5 == 0) ? 1.0f : 0.0f);

    // A quarter turn about z takes x to y (column-major layout).
    const Mat4 m = Mat4::fromQuat(Quat::fromAngleAxis(kPi / 2.0f, Vec3(0, 0, 1)));
    const Vec3 r = Vec3(1, 0, 0).rotated(m);
    EXPECT_NEAR(r.x, 0.0f, 1e-6f);
    EXPECT_NEAR(r.y, 1.0f, 1e-6f);
    EXPECT_NEAR(r.z, 0.0f, 1e-6f);
    EXPECT_NEAR(m.m[4], -1.0f, 1e-6f);  // column 1, row 0
    // Negative angles past the threshold rotate the other way.
    const Vec3 back = Vec3(1, 0, 0).rotated(Mat4::fromQuat(Quat::fromAngleAxis(-kPi / 2.0f, Vec3(0, 0, 1))));
    EXPECT_NEAR(back.y, -1.0f, 1e-6f);
}

namespace {
std::vector<float> keysInOrder(const ParticlePool& pool) {
    std::vector<float> keys;
    for (const ParticlePool::Node* n = pool.first(); !pool.atEnd(n); n = n->next) keys.push_back(n->particle.depthKey);
    return keys;
}
}  // namespace

TEST(ParticlePool, GrowsUntilTheFirstSortThenReusesFreedRecordsUnreset) {
    ParticlePool pool(77);
    Particle& a = pool.allocate();
    EXPECT_EQ(pool.nodeCount(), 1u);
    EXPECT_EQ(a.depthKey, 10000.0f);
    EXPECT_EQ(a.sprite, 77u);
    EXPECT_EQ(a.kind, Star);
    EXPECT_FLOAT_EQ(a.drag, 0.612f);
    Particle& b = pool.allocate();
    EXPECT_EQ(pool.nodeCount(), 2u);
    EXPECT_NE(&a, &b);
    EXPECT_TRUE(pool.cursorAtSentinel());

    a.kind = Smoke;
    a.size = 12.5f;
    a.colour.set(0.1f, 0.2f, 0.3f);
    ParticlePool::release(a);
    EXPECT_FALSE(a.isLive());
    // Released this frame: not handed out before the sort.
    Particle& c = pool.allocate();
    EXPECT_NE(&c, &a);
    EXPECT_EQ(pool.nodeCount(), 3u);

    pool.sortAndRecycle();
    EXPECT_FALSE(pool.cursorAtSentinel());
    Particle& d = pool.allocate();
    EXPECT_EQ(&d, &a);
    EXPECT_EQ(d.kind, Smoke);
    EXPECT_EQ(d.size, 12.5f);
    EXPECT_EQ(d.colour.z, 0.3f);
    EXPECT_EQ(d.depthKey, 10000.0f);
    EXPECT_TRUE(pool.cursorAtSentinel());
    EXPECT_EQ(pool.nodeCount(), 3u);
}

TEST(ParticlePool, SortIsStableLargestFirstWithFreeRecordsLast) {
    ParticlePool pool;
    const float keys[] = {5, -3, 7, 5, -1000000, 7, 0, 5};
    std::vector<Particle*> recs;
    for (float k : keys) {
        Particle& p = pool.allocate();
        p.depthKey = k;
        p.size = static_cast<float>(recs.size());  // creation order tag
        recs.push_back(&p);
    }
    pool.sortAndRecycle();
    EXPECT_EQ(keysInOrder(pool), (std::vector<float>{7, 7, 5, 5, 5, 0, -3, -1000000}));
    std::vector<float> tags;
    for (const ParticlePool::Node* n = pool.first(); !pool.atEnd(n); n = n->next) tags.push_back(n->particle.size);
    EXPECT_EQ(tags, (std::vector<float>{2, 5, 0, 3, 7, 6, 1, 4}));
    EXPECT_EQ(pool.liveCount(), 7u);
    // Walking the list both ways agrees.
    std::size_t back = 0;
    for (const ParticlePool::Node* n = pool.end()->prev; !pool.atEnd(n); n = n->prev) ++back;
    EXPECT_EQ(back, 8u);
    // The cursor now sits on the one free record.
    EXPECT_EQ(&pool.allocate(), recs[4]);
}

TEST(ParticlePool, LargeSortsMatchAStableReference) {
    ParticlePool pool;
    Rand15 r(9);
    std::vector<std::pair<float, int>> ref;
    for (int i = 0; i < 5000; ++i) {
        Particle& p = pool.allocate();
        p.depthKey = (r.R(3) == 0) ? kFreeDepthKey : static_cast<float>(r.R(50));
        p.size = static_cast<float>(i);
        ref.push_back({p.depthKey, i});
    }
    pool.sortAndRecycle();
    std::stable_sort(ref.begin(), ref.end(), [](auto& x, auto& y) { return x.first > y.first; });
    std::size_t i = 0;
    for (const ParticlePool::Node* n = pool.first(); !pool.atEnd(n); n = n->next, ++i)
        ASSERT_EQ(n->particle.size, static_cast<float>(ref[i].second)) << "at " << i;
}

TEST(ParticlePool, ClearFreesEverything) {
    ParticlePool pool;
    for (int i = 0; i < 3000; ++i) pool.allocate();
    pool.clear();
    EXPECT_EQ(pool.nodeCount(), 0u);
    EXPECT_TRUE(pool.atEnd(pool.first()));
    EXPECT_EQ(pool.liveCount(), 0u);
    pool.allocate();
    EXPECT_EQ(pool.nodeCount(), 1u);
}

TEST(ParticlePool, RecordsFarBehindTheCameraSortAfterTheFreeOnes) {
    // A key below the free mark counts as free and sorts behind every free
    // record, as a full stable sort puts it; the free tail is no shortcut then.
    ParticlePool pool;
    const float keys[] = {5, -2000000, 3, kFreeDepthKey, kFreeDepthKey};
    for (std::size_t i = 0; i < 5; ++i) {
        Particle& p = pool.allocate();
        p.depthKey = keys[i];
        p.size = static_cast<float>(i);
    }
    pool.sortAndRecycle();
    std::vector<float> tags;
    for (const ParticlePool::Node* n = pool.first(); !pool.atEnd(n); n = n->next) tags.push_back(n->particle.size);
    EXPECT_EQ(tags, (std::vector<float>{0, 2, 3, 4, 1}));
    EXPECT_EQ(pool.liveCount(), 2u);
}
