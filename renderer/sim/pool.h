// ParticlePool: every record of the simulation in one circular doubly linked
// list with a sentinel, sorted far to near once per frame.
//
// Records are never freed during a show. `release` only marks a record; the
// sort moves marked records behind the live ones and the free cursor hands
// them out again, in list order, without resetting them. Nodes live in blocks
// of an arena so their addresses never change: a record being updated stays
// valid while the emitters allocate new ones.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "renderer/sim/particle.h"

namespace lumora {

class ParticlePool {
public:
    struct Node {
        Node* next = nullptr;
        Node* prev = nullptr;
        Particle particle;
    };

    explicit ParticlePool(uint32_t starSprite = 0);
    ~ParticlePool() = default;
    ParticlePool(const ParticlePool&) = delete;
    ParticlePool& operator=(const ParticlePool&) = delete;

    // A record to fill: the free cursor's record if there is one (keeping every
    // value of its previous life), else a fresh node at the end of the list.
    // Either way its depthKey becomes 10000.
    Particle& allocate();
    static void release(Particle& p) { p.depthKey = kFreeDepthKey; }
    static bool isLive(const Particle& p) { return p.isLive(); }
    // Distance in front of the camera: (eye - position) . back, where back is
    // the unit vector pointing backwards out of the view.
    static void computeDepthKey(Particle& p, const Vec3& eye, const Vec3& back) {
        p.depthKey = (eye.x - p.position.x) * back.x + (eye.y - p.position.y) * back.y +
                     (eye.z - p.position.z) * back.z;
    }

    // Stable sort by depthKey, largest first, then the cursor moves to the
    // first free record (or the sentinel).
    void sortAndRecycle();

    // Unlinks and frees every node.
    void clear();

    Node* first() const { return sentinel_.next; }
    const Node* end() const { return &sentinel_; }
    bool atEnd(const Node* n) const { return n == &sentinel_; }
    std::size_t nodeCount() const { return count_; }
    // Records handed out since the pool was made (a count only: burst
    // reports use it to say how many stars a burst made).
    uint64_t allocations() const { return allocations_; }
    bool cursorAtSentinel() const { return cursor_ == &sentinel_; }
    // Live records at the front of the list (all of them after a sort).
    std::size_t liveCount() const;

    // Calls f on every live record from the front, stopping at the first
    // record that is not live. Records allocated meanwhile are visited too.
    template <class F> void forEachLive(F&& f) {
        for (Node* n = sentinel_.next; n != &sentinel_ && n->particle.isLive(); n = n->next) f(n->particle);
    }
    // Calls f on every live record of the whole list, skipping free ones.
    template <class F> void forEachNodeLive(F&& f) {
        for (Node* n = sentinel_.next; n != &sentinel_; n = n->next)
            if (n->particle.isLive()) f(n->particle);
    }

private:
    Node* newNode();

    Node sentinel_;
    Node* cursor_;
    std::size_t count_ = 0;
    uint64_t allocations_ = 0;
    uint32_t starSprite_;

    // Arena: nodes are carved from blocks that live until clear().
    std::vector<std::unique_ptr<Node[]>> blocks_;
    std::size_t usedInBlock_ = 0;

    // Scratch for the sort, kept between frames.
    struct Entry { float key; Node* node; };
    std::vector<Entry> sortA_, sortB_;
    // Every record from the cursor on is free with the key -1000000 and was
    // last placed by a sort (so the next sort may leave it where it is).
    bool tailClean_ = true;
};

}  // namespace lumora
