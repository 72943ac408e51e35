// A GL context without any display: Mesa's surfaceless EGL platform with a pbuffer to draw into.
#pragma once

#include <EGL/egl.h>

#include <string>

class OffscreenContext {
public:
    OffscreenContext() = default;
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    // A compatibility context (the fixed-function pipeline) current on a width x height pbuffer
    // with colour and depth. False with the reason in error when none can be had.
    bool open(int width, int height, std::string& error);

private:
    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLSurface surface_ = EGL_NO_SURFACE;
    EGLContext context_ = EGL_NO_CONTEXT;
};
