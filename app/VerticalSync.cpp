// One frame per refresh of the display: what every window system's part shares.
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
