// On Linux the program is started from a terminal or by its launcher, which chooses the folder, and
// draws through GLX.
#include "app/Platform.h"
#include "app/VerticalSync.h"

#include <GL/glx.h>

void preparePlatform(bool) {}

bool requestVerticalSync() {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0) return false;
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    auto address = [](const char* name) { return glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)); };
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
