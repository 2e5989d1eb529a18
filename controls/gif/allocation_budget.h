// The memory one GIF load may take. A GIF is untrusted input whose sizes are
// 16-bit numbers multiplied together (a 40-byte file can describe a frame at
// (16383, 16383) and so a canvas of a gigabyte), so every buffer a load makes
// (palettes, frame records, the canvas and mask, frame indices, saved rows)
// is charged here first, its size computed in 64 bits, and a load that would
// go over the limit fails cleanly instead of allocating.
//
// Holds only the count; the buffers themselves belong to their owners.
#pragma once

#include <cstdint>
#include <limits>

namespace lumora {

class AllocationBudget {
public:
    static constexpr uint64_t kDefaultLimit = uint64_t{256} << 20;  // 256 MB a load

    explicit AllocationBudget(uint64_t limit = kDefaultLimit) : limit_(limit) {}

    // Takes count × size bytes; false, taking nothing, when they do not fit
    // (the product itself may overflow 64 bits for hostile counts).
    bool take(uint64_t count, uint64_t size = 1) {
        if (size != 0 && count > std::numeric_limits<uint64_t>::max() / size) return false;
        const uint64_t bytes = count * size;
        if (bytes > limit_ - used_) return false;
        used_ += bytes;
        return true;
    }

    uint64_t used() const { return used_; }
    uint64_t limit() const { return limit_; }

private:
    uint64_t limit_;
    uint64_t used_ = 0;
};

}  // namespace lumora
