// Frames into a video file: H.264 in MP4 or VP9 in WebM, encoded on a thread of its own.
#pragma once

#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

enum class VideoFormat { NONE, MP4, WEBM };

// The format a file name asks for by its extension (".mp4", ".webm", in any case); NONE otherwise.
VideoFormat videoFormatOf(const std::string& path);

// Whether frames of this size can be encoded: an even width and height, and no more pixels than the
// codec's highest level allows. False with the reason in error.
bool videoSizeFits(VideoFormat format, int width, int height, std::string& error);

class VideoEncoder {
public:
    VideoEncoder() = default;
    // Stops the thread; a file not finished is left as it is, for the caller to remove.
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // Opens the codec for width x height pixels at fps frames a second, writes the start of the video
    // into the file, which must be open for writing and seeking, and starts the encoding thread.
    // False, with the reason in error, when any of that fails.
    bool open(std::FILE* file, VideoFormat format, int width, int height, int fps, std::string& error);

    // Hands over one frame of width x height RGB pixels, bottom row first as glReadPixels gives
    // them, and gives back a buffer of the same size to fill with the next. Waits while the encoder
    // is a few frames behind. False once encoding has failed: finish then says why.
    bool add(std::vector<unsigned char>& pixels);

    // Encodes what is queued, flushes the codec and writes the end of the video into the file, which
    // the caller then flushes and closes. False, with the reason, when any frame or write failed.
    bool finish(std::string& error);

private:
    void encodeQueued();
    bool encode(const AVFrame* frame);
    bool failWith(const std::string& step, int code);
    void close();

    AVFormatContext* format_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    SwsContext* converter_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVPacket* packet_ = nullptr;
    int width_ = 0, height_ = 0;
    long long frames_ = 0;

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<unsigned char>> queued_, spare_;
    bool ending_ = false, failed_ = false;
    std::string error_;
};
