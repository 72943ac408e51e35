// Loading PPM pictures, and every way a picture file is refused: a message and exit status 1.
#include "core/Image.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

// A picture file for one check, removed again afterwards.
struct TempFile {
    explicit TempFile(const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
    ~TempFile() { std::remove(path.c_str()); }
    const std::string path = testing::TempDir() + "florvane_" + std::to_string(getpid()) + ".ppm";
};

static std::string raster(int bytes) {
    std::string data;
    for (int i = 0; i < bytes; ++i) data += static_cast<char>(i * 7 + 1);
    return data;
}

TEST(LoadPPM, ReadsTheSizeAndTheRasterInFileOrder) {
    // Any white space between the numbers; the rest of the maximum's line is skipped.
    const struct { const char* header; int width, height; } cases[] = {
        {"P6\n2 2\n255\n", 2, 2}, {"P6 picture\n\t3\n\n 1 \r\n 15 ignored text\n", 3, 1}};
    for (const auto& k : cases) {
        const int bytes = k.width * k.height * 3;
        TempFile file(k.header + raster(bytes));
        Image* image = loadPPM(file.path.c_str());
        EXPECT_EQ(std::make_tuple(image->width, image->height, std::string(reinterpret_cast<char*>(image->pixels), bytes)),
                  std::make_tuple(k.width, k.height, raster(bytes))) << k.header;
    }
}

TEST(LoadPPMDeathTest, RefusesWithTheReasonOnStandardErrorAndStatusOne) {
    // A pipe or a device would wait for ever; it is refused at once.
    const std::string pipe = testing::TempDir() + "florvane_pipe_" + std::to_string(getpid());
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string broken = "Error loading image `%s'\n", format = "Invalid image format \\(must be `P6'\\)\n";
    const struct { std::string bytes, message, path; } cases[] = {
        // The loader's own line, then the reason and the folder.
        {"", "Unable to open file `/nonexistent/nebe.ppm'\n/nonexistent/nebe.ppm: No such file or directory, looked for in /nonexistent\n",
         "/nonexistent/nebe.ppm"},
        {"", "%s: Is a directory\n", testing::TempDir()},
        {"", "Unable to open file `%s'\n.*: not a regular file \\(a pipe, a device or a socket\\).*\n", pipe},
        {"", "Unable to open file `%s'\n.*: not a regular file .*\n", "/dev/zero"},
        {"", broken, ""},  // empty: no cause to name, and "Success" would be a lie
        {"P3\n1 1\n255\n0 0 0\n", format, ""}, {"p6\n", format, ""}, {"P\n", format, ""}, {"6P\n", format, ""},
        {"P6\n", broken, ""}, {"P6\n2\n", broken, ""}, {"P6\nx 2\n255\n", broken, ""}, {"P6\n2 2\n", broken, ""},
        {"P6\n2 2\n255", broken, ""},  // no newline after the maximum
        {"P6\n0 2\n255\n", broken, ""}, {"P6\n2 -2\n255\n", broken, ""}, {"P6\n-2 -2\n255\n", broken, ""},
        {"P6\n99999999999 2\n255\n", broken, ""}, {"P6\n2147483647 2147483647\n255\nabc", broken, ""},
        {"P6\n65536 65536\n255\nabc", broken, ""},  // 2^32 * 3 bytes: the size must not wrap
        {"P6\n2 2\n255\n" + raster(11), broken, ""},
    };
    for (const auto& k : cases) {
        TempFile file(k.bytes);
        const std::string path = k.path.empty() ? file.path : k.path;
        std::string message = k.message;
        if (size_t at = message.find("%s"); at != std::string::npos) message.replace(at, 2, path);
        EXPECT_EXIT(loadPPM(path.c_str()), testing::ExitedWithCode(1), "^" + message + "$") << k.bytes << path;
    }
    std::remove(pipe.c_str());
}
