// A file that takes its name only once it is complete.
#include "snapshot/OutputFile.h"

#include "core/Path.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

OutputFile::~OutputFile() {
    if (file_ != nullptr) discard();
    if (folder_ >= 0) close(folder_);
}

bool OutputFile::prepare(const std::string& path, std::string& error) {
    path_ = path;
    std::string target = path;
    struct stat status;
    if (lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
        // Replacing the link itself would leave the file it points to as it was.
        char* resolved = realpath(path.c_str(), nullptr);
        if (resolved == nullptr) {
            error = "cannot follow the link " + path + ": " + std::strerror(errno);
            return false;
        }
        target = resolved;
        std::free(resolved);
    }
    const size_t slash = target.rfind('/');
    name_ = slash == std::string::npos ? target : target.substr(slash + 1);
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    if (name_.empty() || name_ == "." || name_ == "..") {
        error = path + " names a folder, not a file";
        return false;
    }
    folderName_ = folderOf(target);
    folder_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_ < 0) {
        error = "cannot write into " + folderName_ + ": " + std::strerror(errno);
        return false;
    }
    if (fstatat(folder_, name_.c_str(), &status, 0) == 0) {
        if (S_ISDIR(status.st_mode)) {
            error = path + " is a folder, not a file";
            return false;
        }
        if (!S_ISREG(status.st_mode)) {
            error = path + " is not a regular file (a device, a pipe or a socket), so it cannot be replaced";
            return false;
        }
        if (faccessat(folder_, name_.c_str(), W_OK, 0) != 0) {
            error = "cannot write " + path + ": " + std::strerror(errno);
            return false;
        }
        mode_ = static_cast<int>(status.st_mode & 07777);
    }
    const int probe = createTemporary(error);
    if (probe < 0) return false;
    close(probe);
    unlinkat(folder_, temporary_.c_str(), 0);
    temporary_.clear();
    return true;
}

int OutputFile::createTemporary(std::string& error) {
    // Hidden, and named after the file it becomes, should a killed process leave it behind.
    for (int attempt = 0;; ++attempt) {
        temporary_ = "." + name_ + "." + std::to_string(getpid()) + "." + std::to_string(attempt) + ".tmp";
        const int file = openat(folder_, temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file >= 0) return file;
        if (errno != EEXIST || attempt == 100) {
            error = "cannot write into " + folderName_ + ": " + std::strerror(errno);
            temporary_.clear();
            return -1;
        }
    }
}

std::FILE* OutputFile::open(std::string& error) {
    // A file-size limit must fail the write, not end the process with the temporary file in place.
    std::signal(SIGXFSZ, SIG_IGN);
    const int file = createTemporary(error);
    if (file < 0) return nullptr;
    if (mode_ >= 0 && fchmod(file, static_cast<mode_t>(mode_)) != 0) {
        error = failure("cannot write ");
        close(file);
        return nullptr;
    }
    file_ = fdopen(file, "wb");
    if (file_ == nullptr) {
        error = failure("cannot write ");
        close(file);
    }
    return file_;
}

bool OutputFile::commit(std::string& error) {
    // A write the buffer held back fails at the flush, the sync or the close.
    int reason = 0;
    if (std::fflush(file_) != 0 || fsync(fileno(file_)) != 0) reason = errno;
    if (std::fclose(file_) != 0 && reason == 0) reason = errno;
    file_ = nullptr;
    if (reason != 0) {
        errno = reason;
        error = failure("cannot write ");
        return false;
    }
    if (renameat(folder_, temporary_.c_str(), folder_, name_.c_str()) != 0) {
        error = failure("cannot replace ");
        return false;
    }
    temporary_.clear();
    // The new name itself must reach the disk too.
    fsync(folder_);
    return true;
}

std::string OutputFile::failure(const char* what) {
    const std::string message = what + path_ + ": " + std::strerror(errno);
    discard();
    return message;
}

void OutputFile::discard() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    if (!temporary_.empty()) unlinkat(folder_, temporary_.c_str(), 0);
    temporary_.clear();
}
