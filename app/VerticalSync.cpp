// One frame per refresh of the display: a part for each window system.
#include "app/VerticalSync.h"

#include <cstring>

bool namesExtension(const char* list, const char* name) {
    const size_t length = std::strlen(name);
    for (const char* at = list; at != nullptr && (at = std::strstr(at, name)) != nullptr; at += length) {
        const bool starts = at == list || at[-1] == ' ';
        if (starts && (at[length] == ' ' || at[length] == '\0')) return true;
    }
    return false;
}

#if defined(__unix__) && !defined(__APPLE__)

#include <GL/glx.h>

bool requestVerticalSync() {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0) return false;
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    auto address = [](const char* function) { return glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(function)); };
    if (namesExtension(extensions, "GLX_EXT_swap_control")) {
        auto swapInterval = reinterpret_cast<PFNGLXSWAPINTERVALEXTPROC>(address("glXSwapIntervalEXT"));
        if (swapInterval != nullptr) {
            swapInterval(display, window, 1);
            return true;
        }
    }
    if (namesExtension(extensions, "GLX_MESA_swap_control")) {
        auto swapInterval = reinterpret_cast<PFNGLXSWAPINTERVALMESAPROC>(address("glXSwapIntervalMESA"));
        return swapInterval != nullptr && swapInterval(1) == 0;
    }
    return false;
}

#else

// No part for this window system yet: its frames follow the driver's own setting.
bool requestVerticalSync() { return false; }

#endif
