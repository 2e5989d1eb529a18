// Loading the skin: every id of the art table through the DIB reader.
#include "controls/paint/skin.h"

#include <fstream>
#include <iterator>

#include "controls/art/art_files.h"
#include "controls/paint/dib_reader.h"

namespace lumora {

Skin Skin::load(const ArtBytes& bytesOf) {
    Skin skin;
    for (const ArtFile& art : kArtFiles) {
        const std::vector<uint8_t> bytes = bytesOf ? bytesOf(art.id) : std::vector<uint8_t>{};
        if (std::optional<PixelImage> image = readDib(bytes)) skin.set(art.id, std::move(*image));
    }
    return skin;
}

Skin Skin::loadDirectory(const std::string& directory) {
    return load([&directory](int id) {
        for (const ArtFile& art : kArtFiles)
            if (art.id == id) return readFileBytes(directory + "/" + art.file);
        return std::vector<uint8_t>{};
    });
}

const PixelImage* Skin::bitmap(int id) const {
    const auto it = bitmaps_.find(id);
    return it == bitmaps_.end() ? nullptr : &it->second;
}

std::vector<uint8_t> readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace lumora
