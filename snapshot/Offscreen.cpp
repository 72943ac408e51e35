// A GL context without any display: Mesa's surfaceless EGL platform with a pbuffer to draw into.
#include "snapshot/Offscreen.h"

#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstring>

namespace {

std::string eglFailure(const char* step) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(eglGetError()));
    return std::string(step) + " failed (EGL error " + code + ")";
}

}  // namespace

OffscreenContext::~OffscreenContext() {
    if (display_ == EGL_NO_DISPLAY) return;
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context_ != EGL_NO_CONTEXT) eglDestroyContext(display_, context_);
    if (surface_ != EGL_NO_SURFACE) eglDestroySurface(display_, surface_);
    eglTerminate(display_);
}

bool OffscreenContext::open(std::string& error) {
    const char* extensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (extensions == nullptr || std::strstr(extensions, "EGL_MESA_platform_surfaceless") == nullptr) {
        error = "this EGL has no surfaceless platform; Mesa's EGL (libegl-mesa0) provides one";
        return false;
    }
    display_ = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major, minor;
    if (display_ == EGL_NO_DISPLAY || !eglInitialize(display_, &major, &minor)) {
        error = eglFailure("starting the surfaceless EGL display");
        display_ = EGL_NO_DISPLAY;
        return false;
    }
    if (!eglBindAPI(EGL_OPENGL_API)) {
        error = eglFailure("choosing desktop OpenGL");
        return false;
    }
    // Like the window's GLUT_RGB | GLUT_DEPTH.
    const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                             EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_DEPTH_SIZE, 24, EGL_NONE};
    EGLint found = 0;
    if (!eglChooseConfig(display_, wanted, &config_, 1, &found) || found == 0) {
        error = "no EGL configuration with 8-bit colour, a depth buffer and pbuffers";
        return false;
    }
    eglGetConfigAttrib(display_, config_, EGL_MAX_PBUFFER_WIDTH, &maxSurfaceWidth);
    eglGetConfigAttrib(display_, config_, EGL_MAX_PBUFFER_HEIGHT, &maxSurfaceHeight);
    // No attributes: a compatibility context, which keeps the fixed-function pipeline.
    context_ = eglCreateContext(display_, config_, EGL_NO_CONTEXT, nullptr);
    if (context_ == EGL_NO_CONTEXT) {
        error = eglFailure("creating the GL context");
        return false;
    }
    // Current without a surface, which Mesa allows, only to ask the GL; the world grows before it draws.
    if (!eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_)) {
        error = eglFailure("making the GL context current");
        return false;
    }
    GLint viewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    maxPictureWidth = viewport[0];
    maxPictureHeight = viewport[1];
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (maxSurfaceWidth <= 0 || maxSurfaceHeight <= 0 || maxPictureWidth <= 0 || maxPictureHeight <= 0) {
        error = "the GL reports no usable pbuffer or viewport size";
        return false;
    }
    return true;
}

bool OffscreenContext::drawOnSurface(int width, int height, std::string& error) {
    const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    surface_ = eglCreatePbufferSurface(display_, config_, size);
    if (surface_ == EGL_NO_SURFACE) {
        error = eglFailure("creating the pbuffer");
        return false;
    }
    if (!eglMakeCurrent(display_, surface_, surface_, context_)) {
        error = eglFailure("making the GL context current");
        return false;
    }
    return true;
}
