// File names made absolute against the working directory, for messages that say where a file was looked for.
#pragma once

#include <string>

// The working directory, or "." when the system cannot tell it (it was removed, say).
std::string workingDirectory();

// The path itself when it starts with '/', else the path below the working directory.
std::string absolutePath(const std::string& path);

// The folder a path names its file in, made absolute: "/" for a file at the root, the working
// directory for a bare name.
std::string folderOf(const std::string& path);
