// The skinned controls' bitmaps, decoded: one PixelImage per resource id of
// controls/art/art_ids.h. A window layer loads it once from its bitmap
// resources, native tools and tests from the .bmp files in controls/art;
// either way the pixels come through the same reader, so they are the same.
//
// An id whose bytes are missing or cannot be read is simply absent, and the
// painters leave that bitmap's area as it was. A skin is read-only while
// controls paint from it; it must outlive them. Which id a control draws is
// the control's business, not the skin's.
#pragma once

#include <functional>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "controls/paint/pixel_image.h"

namespace lumora {

// The bytes of one bitmap (a .bmp file or a packed bitmap resource), empty
// when there is none.
using ArtBytes = std::function<std::vector<uint8_t>(int id)>;

class Skin {
public:
    // Every bitmap the controls use (the ids of controls/art/art_files.h).
    static Skin load(const ArtBytes& bytesOf);
    // From the .bmp files in `directory` (the source tree's controls/art).
    static Skin loadDirectory(const std::string& directory);

    // The bitmap, nullptr when absent.
    const PixelImage* bitmap(int id) const;
    void set(int id, PixelImage image) { bitmaps_[id] = std::move(image); }
    void erase(int id) { bitmaps_.erase(id); }
    std::size_t size() const { return bitmaps_.size(); }

private:
    std::map<int, PixelImage> bitmaps_;
};

// A whole file's bytes, empty when it cannot be read.
std::vector<uint8_t> readFileBytes(const std::string& path);

}  // namespace lumora
