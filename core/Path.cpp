// File names made absolute against the working directory, for messages that say where a file was looked for.
#include "core/Path.h"

#include <cstdlib>
#include <unistd.h>

std::string workingDirectory() {
    char* path = getcwd(nullptr, 0);
    const std::string result = path != nullptr ? path : ".";
    std::free(path);
    return result;
}

std::string absolutePath(const std::string& path) {
    return !path.empty() && path[0] == '/' ? path : workingDirectory() + "/" + path;
}

std::string folderOf(const std::string& path) {
    const std::string absolute = absolutePath(path);
    const size_t slash = absolute.rfind('/');
    return slash == 0 ? "/" : absolute.substr(0, slash);
}
