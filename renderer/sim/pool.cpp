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
    ++allocations_;
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
        // The free records from the cursor on (key exactly -1000000, none of
        // them handed out this frame) already stand where a stable sort would
        // leave them, unless some record before them has a smaller key or no
        // order at all (NaN): then, and while such a record is in the list,
        // everything is sorted.
        Node* tail = tailClean_ ? cursor_ : &sentinel_;
        sortA_.clear();
        bool wholeList = false;
        for (Node* n = sentinel_.next; n != tail; n = n->next) {
            const float key = n->particle.depthKey;
            if (!(key >= kFreeDepthKey)) wholeList = true;
            sortA_.push_back({key, n});
        }
        if (wholeList || !tailClean_) {
            for (Node* n = tail; n != &sentinel_; n = n->next) {
                if (!(n->particle.depthKey >= kFreeDepthKey)) wholeList = true;
                sortA_.push_back({n->particle.depthKey, n});
            }
            tail = &sentinel_;
        }
        tailClean_ = !wholeList;
        // Bottom-up merge sort. A run's element moves ahead of the other
        // run's only when its key is strictly greater, so equal keys keep
        // their order.
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
        // Relink the sorted part in front of the untouched tail.
        Node* prev = &sentinel_;
        for (const Entry& e : sortA_) {
            prev->next = e.node;
            e.node->prev = prev;
            prev = e.node;
        }
        prev->next = tail;
        tail->prev = prev;
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
    tailClean_ = true;
    usedInBlock_ = 0;
    sentinel_.next = sentinel_.prev = &sentinel_;
    cursor_ = &sentinel_;
    count_ = 0;
    sortA_.clear();
    sortB_.clear();
}

}  // namespace lumora
