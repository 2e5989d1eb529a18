/* Preloaded into every test of the sanitize preset (LD_PRELOAD in
 * CMakePresets.json). Mesa's DRI driver, the system GL that SDL and GLX load,
 * is unloaded when the program lets go of GL. LeakSanitizer names a leak by
 * the module of the code that allocated it, so what that driver never freed
 * is then reported from an unknown module, which no suppression can name.
 * Keeping DRI drivers mapped until the process ends leaves their memory
 * reachable from the driver, as it is while the driver is loaded. Every
 * other dlclose goes through unchanged. Built without the sanitizers, since
 * it is loaded into uninstrumented programs too (bash, Xvfb, xdotool). */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <link.h>
#include <stddef.h>
#include <string.h>

int dlclose(void* handle) {
    static int (*next)(void*);
    struct link_map* map = NULL;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 && map && map->l_name && strstr(map->l_name, "/dri/")) {
        return 0;
    }
    if (!next) next = (int (*)(void*))dlsym(RTLD_NEXT, "dlclose");
    return next(handle);
}
