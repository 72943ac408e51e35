// Loading PPM pictures, and every way a picture file can be refused.
#include "core/Image.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A picture file for one test, removed again when the test ends.
class TempFile {
public:
    TempFile(const std::string& name, const std::string& bytes)
        : path_(testing::TempDir() + "florvane_" + std::to_string(getpid()) + "_" + name) {
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    ~TempFile() { std::remove(path_.c_str()); }
    const char* c_str() const { return path_.c_str(); }
    operator std::string() const { return path_; }

private:
    std::string path_;
};

std::string operator+(const std::string& text, const TempFile& file) { return text + std::string(file); }

std::string raster(int bytes) {
    std::string data;
    for (int i = 0; i < bytes; ++i) data += static_cast<char>(i * 7 + 1);
    return data;
}

TEST(LoadPPM, ReadsSizeAndRasterInFileOrder) {
    TempFile path("small.ppm", "P6\n2 2\n255\n" + raster(12));
    Image* image = loadPPM(path.c_str());
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(image->pixels), 12), raster(12));
}

TEST(LoadPPM, AcceptsAnyWhiteSpaceAndSkipsTheRestOfTheMaximumLine) {
    TempFile path("spaced.ppm", "P6 picture\n\t3\n\n 1 \r\n 15 ignored text\n" + raster(9));
    Image* image = loadPPM(path.c_str());
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 1);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(image->pixels), 9), raster(9));
}

TEST(LoadPPM, UsesOnlyTheFirstFifteenCharactersOfTheFirstLine) {
    // The first line is read into sixteen bytes, so a long magic line lends its tail to the size.
    TempFile path("long.ppm", "P6abcdefghijklm1 1\n255\n" + raster(3));
    Image* image = loadPPM(path.c_str());
    EXPECT_EQ(image->width, 1);
    EXPECT_EQ(image->height, 1);
}

using LoadPPMDeathTest = testing::Test;

TEST(LoadPPMDeathTest, MissingFile) {
    EXPECT_EXIT(loadPPM("/nonexistent/nebe.ppm"), testing::ExitedWithCode(1),
                "^Unable to open file `/nonexistent/nebe.ppm'\n"
                "/nonexistent/nebe.ppm: No such file or directory, looked for in /nonexistent\n$");
}

TEST(LoadPPMDeathTest, UnreadableFirstLineNamesTheCause) {
    std::string dir = testing::TempDir();
    EXPECT_EXIT(loadPPM(dir.c_str()), testing::ExitedWithCode(1), "^" + dir + ": Is a directory\n$");
}

TEST(LoadPPMDeathTest, EmptyFileIsNotReportedAsSuccess) {
    TempFile path("empty.ppm", "");
    EXPECT_EXIT(loadPPM(path.c_str()), testing::ExitedWithCode(1), "^Error loading image `" + path + "'\n$");
}

TEST(LoadPPMDeathTest, WrongMagic) {
    for (const char* bytes : {"P3\n1 1\n255\n0 0 0\n", "p6\n", "P\n", "6P\n"}) {
        TempFile path("magic.ppm", bytes);
        EXPECT_EXIT(loadPPM(path.c_str()), testing::ExitedWithCode(1), "^Invalid image format \\(must be `P6'\\)\n$")
            << bytes;
    }
}

TEST(LoadPPMDeathTest, BrokenHeaders) {
    const char* headers[] = {
        "P6\n",                     // no size at all
        "P6\n2\n",                  // height missing
        "P6\nx 2\n255\n",           // not a number
        "P6\n2 2\n",                // maximum missing
        "P6\n2 2\n255",             // ends before the newline after the maximum
        "P6\n0 2\n255\n",           // empty width
        "P6\n2 -2\n255\n",          // negative height
        "P6\n-2 -2\n255\n",         // negative both: the product must not pass as positive
        "P6\n99999999999 2\n255\n", // beyond any int
        "P6\n2147483647 2147483647\n255\nabc",  // product overflows 32 bits
        "P6\n65536 65536\n255\nabc",            // product of exactly 2^32 * 3
    };
    for (const char* header : headers) {
        TempFile path("header.ppm", header);
        EXPECT_EXIT(loadPPM(path.c_str()), testing::ExitedWithCode(1), "^Error loading image `" + path + "'\n$")
            << header;
    }
}

TEST(LoadPPMDeathTest, ShortRaster) {
    TempFile path("short.ppm", "P6\n2 2\n255\n" + raster(11));
    EXPECT_EXIT(loadPPM(path.c_str()), testing::ExitedWithCode(1), "^Error loading image `" + path + "'\n$");
}

TEST(LoadPPMDeathTest, RasterTooLargeForMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs far more address space than the limit leaves";
#else
    // A file that really holds its raster, read with too little address space to hold it in memory.
    TempFile path("huge.ppm", "P6\n8192 8192\n255\n");
    ASSERT_EQ(truncate(path.c_str(), 17 + 8192LL * 8192 * 3), 0);
    EXPECT_EXIT(
        {
            // Leave 64 MiB of address space above what the process already uses.
            long pages = 0;
            if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
                if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
                std::fclose(statm);
            }
            rlimit limit{};
            getrlimit(RLIMIT_AS, &limit);
            limit.rlim_cur = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (64u << 20);
            setrlimit(RLIMIT_AS, &limit);
            loadPPM(path.c_str());
        },
        testing::ExitedWithCode(1), "^Unable to allocate memory\n$");
    std::remove(path.c_str());
#endif
}

TEST(LoadPPM, SurvivesArbitraryBytes) {
    // Every prefix of a valid file, and noise after a valid magic, ends in a message and status 1,
    // never in a crash or a hang.
    std::string valid = "P6\n2 2\n255\n" + raster(12);
    for (size_t length = 0; length < valid.size(); ++length) {
        TempFile path("prefix.ppm", valid.substr(0, length));
        EXPECT_EXIT(loadPPM(path.c_str()), testing::ExitedWithCode(1), "") << length;
    }
    unsigned state = 12345;
    for (int round = 0; round < 40; ++round) {
        std::string bytes = "P6\n";
        for (int i = 0; i < 24; ++i) {
            state = state * 1103515245u + 12345u;
            bytes += static_cast<char>("0123456789 \n-+\t\xff\x01"[(state >> 16) % 17]);
        }
        TempFile path("noise.ppm", bytes);
        EXPECT_EXIT(
            {
                Image* image = loadPPM(path.c_str());
                std::exit(image->width > 0 && image->height > 0 ? 3 : 4);
            },
            [](int status) { return WIFEXITED(status) && (WEXITSTATUS(status) == 1 || WEXITSTATUS(status) == 3); },
            "")
            << bytes;
    }
}

}  // namespace
