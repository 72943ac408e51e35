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

    // A compatibility context (the fixed-function pipeline) for pbuffers with colour and depth, made
    // current only long enough to read its limits below. False with the reason in error when none
    // can be had.
    bool open(std::string& error);

    // The context current on a width x height pbuffer, at most maxSurface on each side. False with
    // the reason in error when it cannot be made.
    bool drawOnSurface(int width, int height, std::string& error);

    // The largest viewport, which bounds a picture drawn in tiles, and the largest pbuffer.
    int maxPictureWidth = 0, maxPictureHeight = 0;
    int maxSurfaceWidth = 0, maxSurfaceHeight = 0;

private:
    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLConfig config_ = nullptr;
    EGLSurface surface_ = EGL_NO_SURFACE;
    EGLContext context_ = EGL_NO_CONTEXT;
};
