// Embeds the data files into the program with the assembler's .incbin, so the
// bytes need no generated source and no loading at run time.
#include "renderer/data/embedded_data.h"

#ifndef LUMORA_DATA_DIR
#error "LUMORA_DATA_DIR must name the folder holding the .bin files"
#endif

#if defined(_WIN32)
#define LUMORA_RODATA ".section .rdata,\"dr\"\n"
#else
#define LUMORA_RODATA ".section .rodata\n"
#endif

#define LUMORA_EMBED(name, file)                  \
    LUMORA_RODATA ".balign 16\n"                  \
    ".globl " #name "\n" #name ":\n"              \
    ".incbin \"" LUMORA_DATA_DIR "/" file "\"\n"  \
    ".globl " #name "_end\n" #name "_end:\n"

__asm__(LUMORA_EMBED(lumora_smoke_masks, "smoke_masks.bin") LUMORA_EMBED(lumora_cloud_image, "cloud_image.bin")
            ".text\n");

extern "C" {
extern const uint8_t lumora_smoke_masks[];
extern const uint8_t lumora_smoke_masks_end[];
extern const uint8_t lumora_cloud_image[];
extern const uint8_t lumora_cloud_image_end[];
}

namespace lumora {

const uint8_t* smokeMaskData() { return lumora_smoke_masks; }
std::size_t smokeMaskSize() { return static_cast<std::size_t>(lumora_smoke_masks_end - lumora_smoke_masks); }
const uint8_t* cloudImageData() { return lumora_cloud_image; }
std::size_t cloudImageSize() { return static_cast<std::size_t>(lumora_cloud_image_end - lumora_cloud_image); }

}  // namespace lumora
