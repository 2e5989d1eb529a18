// The OpenGL 1.1 header. On Windows the system's GL header needs the Win32
// declarations; keep them lean.
#pragma once

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#endif
#include <GL/gl.h>
