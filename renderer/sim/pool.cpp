// ParticlePool: allocation, release, the per-frame sort and clearing.
#include "renderer/sim/pool.h"

#include <algorithm>
#include <utility>

namespace lumora {

namespace {
constexpr std::size_t kBlockSize = 1024;
}

ParticlePool::ParticlePool(uint32_t starSprite) : starSprite_(starSprite) {
    sentinel_.next = sentinel_.prev = &sentinel_;
    sentinel_.particle.depthKey = kFreeDepthKey;
    cursor_ = &sentinel_;
}

ParticlePool::Node* ParticlePool::newNode() {
    if (blocks_.empty() || usedInBlock_ == kBlockSize) {
        blocks_.push_back(std::make_unique<Node[]>(kBlockSize));
        usedInBlock_ = 0;
    }
    Node* n = &blocks_.back()[usedInBlock_++];
    n->particle = Particle{};
    n->particle.sprite = starSprite_;
    return n;
}

Particle& ParticlePool::allocate() {
    if (cursor_ != &sentinel_) {
        Node* n = cursor_;
        cursor_ = n->next;
        n->particle.depthKey = kAllocatedDepthKey;
        return n->particle;
    }
    Node* n = newNode();
    n->prev = sentinel_.prev;
    n->next = &sentinel_;
    sentinel_.prev->next = n;
    sentinel_.prev = n;
    ++count_;
    n->particle.depthKey = kAllocatedDepthKey;
    return n->particle;
}

void ParticlePool::sortAndRecycle() {
    if (count_ >= 2) {
        // Gather (key, node) in list order, merge-sort bottom-up, relink.
        // A run's element moves ahead of the other run's only when its key is
        // strictly greater, so equal keys keep their order.
        sortA_.clear();
        for (Node* n = sentinel_.next; n != &sentinel_; n = n->next) sortA_.push_back({n->particle.depthKey, n});
        const std::size_t size = sortA_.size();
        sortB_.resize(size);
        for (std::size_t width = 1; width < size; width *= 2) {
            for (std::size_t lo = 0; lo < size; lo += 2 * width) {
                const std::size_t mid = std::min(lo + width, size);
                const std::size_t hi = std::min(lo + 2 * width, size);
                std::size_t i = lo, j = mid, k = lo;
                while (i < mid && j < hi) {
                    if (sortA_[j].key > sortA_[i].key) sortB_[k++] = sortA_[j++];
                    else sortB_[k++] = sortA_[i++];
                }
                while (i < mid) sortB_[k++] = sortA_[i++];
                while (j < hi) sortB_[k++] = sortA_[j++];
            }
            std::swap(sortA_, sortB_);
        }
        Node* prev = &sentinel_;
        for (const Entry& e : sortA_) {
            prev->next = e.node;
            e.node->prev = prev;
            prev = e.node;
        }
        prev->next = &sentinel_;
        sentinel_.prev = prev;
    }
    Node* n = sentinel_.next;
    while (n != &sentinel_ && n->particle.isLive()) n = n->next;
    cursor_ = n;
}

std::size_t ParticlePool::liveCount() const {
    std::size_t live = 0;
    for (const Node* n = sentinel_.next; n != &sentinel_ && n->particle.isLive(); n = n->next) ++live;
    return live;
}

void ParticlePool::clear() {
    blocks_.clear();
    usedInBlock_ = 0;
    sentinel_.next = sentinel_.prev = &sentinel_;
    cursor_ = &sentinel_;
    count_ = 0;
    sortA_.clear();
    sortB_.clear();
}

}  // namespace lumora
