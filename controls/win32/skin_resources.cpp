// The controls' skin from bitmap resources; see skin_resources.h.
#include "controls/win32/skin_resources.h"

#include <vector>

namespace lumora::win32 {

namespace {

// A BITMAP resource is a packed bitmap: the info header and the pixels, no
// file header.
std::vector<uint8_t> bitmapResource(HINSTANCE module, int id) {
    const HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    if (!info) return {};
    const HGLOBAL loaded = LoadResource(module, info);
    const auto* data = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    if (!data) return {};
    return std::vector<uint8_t>(data, data + SizeofResource(module, info));
}

}  // namespace

const Skin& controlSkin(HINSTANCE module) {
    static const Skin skin = Skin::load([module](int id) {
        return bitmapResource(module ? module : GetModuleHandleW(nullptr), id);
    });
    return skin;
}

}  // namespace lumora::win32
