// On Windows the viewer is a windowed program: started from the Start menu it shows no console, so a
// console is found or made for it here, and its pictures lie beside it, since the start folder of a
// shortcut is easily wrong. It draws through WGL.
#include "app/Platform.h"
#include "app/VerticalSync.h"

#include <windows.h>

#include <GL/gl.h>

#include <cstdio>
#include <string>

namespace {

bool usable(DWORD stream) {
    const HANDLE handle = GetStdHandle(stream);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

void connectConsole(bool asksForMode) {
    // Streams handed over by the parent (pipes, files, a console) are already the C library's.
    const bool hasOutput = usable(STD_OUTPUT_HANDLE), hasErrors = usable(STD_ERROR_HANDLE);
    const bool needsInput = asksForMode && !usable(STD_INPUT_HANDLE);
    if (hasOutput && hasErrors && !needsInput) return;
    // A parent's console cannot take the answer: the command prompt goes on reading it as soon as a
    // windowed program has started. So the prompt gets a console of its own.
    if (needsInput ? !AllocConsole() : !AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (needsInput) std::freopen("CONIN$", "r", stdin);
    if (!hasOutput) std::freopen("CONOUT$", "w", stdout);
    if (!hasErrors) std::freopen("CONOUT$", "w", stderr);
}

void enterPictureFolder() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length;
    while ((length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    path.resize(path.find_last_of(L"\\/", length) + 1);
    // If the folder cannot be entered, the first picture's message names the folder it was looked in.
    SetCurrentDirectoryW(path.c_str());
}

// A function the driver offers once a context is current, through the generic function type, from
// which any function pointer may be cast.
template <class Function>
Function driverFunction(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(wglGetProcAddress(name)));
}

}  // namespace

void preparePlatform(bool asksForMode) {
    connectConsole(asksForMode);
    enterPictureFolder();
    // GLUT takes an X display variable, which Wine passes through from Linux, for the name of a
    // Windows display device: it would find no device of that name and warn at every start.
    _putenv("DISPLAY=");
}

bool requestVerticalSync() {
    using ExtensionList = const char*(WINAPI*)();
    using SwapInterval = BOOL(WINAPI*)(int);
    const auto wglExtensions = driverFunction<ExtensionList>("wglGetExtensionsStringEXT");
    const auto swapInterval = driverFunction<SwapInterval>("wglSwapIntervalEXT");
    // Drivers list the extension among WGL's own or, older ones, among GL's.
    const char* glExtensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    const bool offered = (wglExtensions != nullptr && namesExtension(wglExtensions(), "WGL_EXT_swap_control")) ||
                         (glExtensions != nullptr && namesExtension(glExtensions, "WGL_EXT_swap_control"));
    return offered && swapInterval != nullptr && swapInterval(1);
}
