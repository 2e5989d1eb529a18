// The release's version and names, for the resource scripts of both
// programs and for packaging. The resource compiler reads this file: only
// #defines here.
#pragma once

#define LUMORA_VERSION_MAJOR 1
#define LUMORA_VERSION_MINOR 0
#define LUMORA_VERSION_PATCH 0
#define LUMORA_VERSION_TEXT "1.0.0"
#define LUMORA_PRODUCT_NAME "Lumora"
