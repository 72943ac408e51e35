// A file that takes its name only once it is complete: it is written as a temporary file in the same
// folder, flushed to the disk and renamed over the name. A failed write leaves whatever had the name
// untouched and no temporary file behind.
#pragma once

#include <cstdio>
#include <string>

class OutputFile {
public:
    OutputFile() = default;
    // Removes an unfinished temporary file.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Checks before any work that a file can be written under the path: the folder exists and takes
    // a new file (one is made and removed at once), and the name is no folder, no device and no file
    // this user may not write. A link is followed. The folder is kept open, so the working directory
    // may change afterwards. False with the reason in error.
    bool prepare(const std::string& path, std::string& error);

    // A new temporary file beside the name, open for writing, with the permissions of the file it
    // will replace; nullptr with the reason in error. From then on the process ignores SIGXFSZ, so
    // that a file-size limit fails the write instead of killing the process.
    std::FILE* open(std::string& error);

    // Flushes the temporary file to the disk and renames it over the name; on any failure removes it
    // instead. True when the name now holds the complete file.
    bool commit(std::string& error);

    // Gives up the temporary file: closes and removes it, leaving the name as it was.
    void discard();

    // The path as given, for messages.
    const std::string& path() const { return path_; }

private:
    int createTemporary(std::string& error);
    // The message for the failure errno names, once the temporary file is removed.
    std::string failure(const char* what);

    std::string path_;
    // Absolute, for messages, as it was when the folder was opened.
    std::string folderName_;
    int folder_ = -1;
    std::string name_;
    std::string temporary_;
    // The permissions of the file that has the name now, or -1 when there is none.
    int mode_ = -1;
    std::FILE* file_ = nullptr;
};
