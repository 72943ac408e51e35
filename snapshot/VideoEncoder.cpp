// Frames into a video file: H.264 in MP4 or VP9 in WebM, encoded on a thread of its own.
//
// The drawing stays on the GL thread; each frame read back from GL is queued here, converted to
// YUV 4:2:0 (what players expect of both codecs), encoded and written by the encoding thread, so that
// drawing the next frame and encoding this one overlap. A few frames' buffers go round between the
// two threads, so the queue never grows and no frame is copied.
#include "snapshot/VideoEncoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <strings.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>

namespace {

constexpr int IO_BUFFER_SIZE = 1 << 16;
// Enough for the encoder to start on one frame while the next is drawn and a third waits.
constexpr int BUFFERS = 3;
// A key frame every two seconds, so that a player can seek.
constexpr int KEY_FRAME_SECONDS = 2;

// The largest picture of each codec's highest levels (H.264 level 6.2: 139,264 macroblocks of 16 x 16
// pixels; VP9 level 6.2: as many pixels): beyond it a player need not decode the stream at all.
constexpr long long MAX_PICTURE_AREA = 35651584;

struct Codec {
    const char* name;
    const char* container;
    const char* encoder;
    // The size the codec counts the picture in: H.264 its macroblocks, VP9 its pixels.
    int block;
    // Quality rather than a bit rate, in each encoder's own scale, and a speed that keeps encoding
    // below the cost of drawing on a software renderer: the encoder's options as name=value:...
    const char* settings;
};

const Codec H264_IN_MP4 = {"H.264", "mp4", "libx264", 16, "preset=veryfast:crf=23"};
const Codec VP9_IN_WEBM = {"VP9", "webm", "libvpx-vp9", 1, "crf=36:b=0:deadline=realtime:cpu-used=8:row-mt=1"};

// FFmpeg's libraries report the detail of a failure only in their log: the last error is kept for
// the message, and nothing is printed.
std::mutex logMutex;
std::string lastLogError;

void keepLogError(void* object, int level, const char* format, va_list arguments) {
    if (level > AV_LOG_ERROR) return;
    char line[512];
    int prefix = 0;
    av_log_format_line2(object, level, format, arguments, line, sizeof line, &prefix);
    std::string text = line;
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    std::lock_guard<std::mutex> lock(logMutex);
    lastLogError = text;
}

std::string describe(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE];
    av_strerror(code, text, sizeof text);
    std::lock_guard<std::mutex> lock(logMutex);
    std::string result = text;
    if (!lastLogError.empty()) result += " (" + lastLogError + ")";
    lastLogError.clear();
    return result;
}

// The muxer writes through the caller's file, which then decides what becomes of it.
int writeToFile(void* file, uint8_t* bytes, int size) {
    return std::fwrite(bytes, 1, static_cast<size_t>(size), static_cast<std::FILE*>(file)) == static_cast<size_t>(size)
               ? size
               : AVERROR(errno);
}

int64_t seekInFile(void* opaque, int64_t offset, int whence) {
    std::FILE* file = static_cast<std::FILE*>(opaque);
    // Only the size is ever asked for besides plain positions, and a file being written has none
    // worth telling.
    if (whence == AVSEEK_SIZE) return -1;
    return fseeko(file, offset, whence & ~AVSEEK_FORCE) == 0 ? ftello(file) : AVERROR(errno);
}

bool endsWith(const std::string& text, const char* ending) {
    const size_t length = std::char_traits<char>::length(ending);
    return text.size() > length && strcasecmp(text.c_str() + text.size() - length, ending) == 0;
}

}  // namespace

VideoFormat videoFormatOf(const std::string& path) {
    if (endsWith(path, ".mp4")) return VideoFormat::MP4;
    if (endsWith(path, ".webm")) return VideoFormat::WEBM;
    return VideoFormat::NONE;
}

bool videoSizeFits(VideoFormat format, int width, int height, std::string& error) {
    const Codec& chosen = format == VideoFormat::WEBM ? VP9_IN_WEBM : H264_IN_MP4;
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    // Colour at half the resolution needs whole pairs of pixels; H.264 refuses odd sizes outright.
    if (width % 2 != 0 || height % 2 != 0) {
        error = "a video needs an even width and height, not " + size;
        return false;
    }
    const auto blocks = [&chosen](int side) { return (side + chosen.block - 1) / chosen.block * chosen.block; };
    if (static_cast<long long>(blocks(width)) * blocks(height) <= MAX_PICTURE_AREA) return true;
    error = std::string("a ") + chosen.name + " video may have at most " + std::to_string(MAX_PICTURE_AREA) +
            " pixels in a frame (7680x4320 fits), not " + size;
    return false;
}

VideoEncoder::~VideoEncoder() {
    if (thread_.joinable()) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ending_ = failed_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    close();
}

bool VideoEncoder::open(std::FILE* file, VideoFormat format, int width, int height, int fps,
                        std::string& error) {
    av_log_set_callback(keepLogError);
    const Codec& chosen = format == VideoFormat::WEBM ? VP9_IN_WEBM : H264_IN_MP4;
    width_ = width;
    height_ = height;
    if (!videoSizeFits(format, width, height, error)) return false;
    const AVCodec* encoder = avcodec_find_encoder_by_name(chosen.encoder);
    if (encoder == nullptr) {
        error = std::string("this FFmpeg has no ") + chosen.encoder + " encoder";
        return false;
    }
    int code = avformat_alloc_output_context2(&format_, nullptr, chosen.container, nullptr);
    AVStream* stream = code < 0 ? nullptr : avformat_new_stream(format_, nullptr);
    codec_ = avcodec_alloc_context3(encoder);
    if (stream == nullptr || codec_ == nullptr) {
        error = "cannot prepare the " + std::string(chosen.container) + " file: " +
                describe(code < 0 ? code : AVERROR(ENOMEM));
        return false;
    }
    codec_->width = width;
    codec_->height = height;
    codec_->pix_fmt = AV_PIX_FMT_YUV420P;
    codec_->time_base = {1, fps};
    codec_->framerate = {fps, 1};
    codec_->gop_size = fps * KEY_FRAME_SECONDS;
    // Said in the stream, so that players convert back with the matrix the frames were made with.
    codec_->color_range = AVCOL_RANGE_MPEG;
    codec_->colorspace = AVCOL_SPC_BT709;
    codec_->color_primaries = AVCOL_PRI_BT709;
    codec_->color_trc = AVCOL_TRC_BT709;
    if (format_->oformat->flags & AVFMT_GLOBALHEADER) codec_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* settings = nullptr;
    av_dict_parse_string(&settings, chosen.settings, "=", ":", 0);
    code = avcodec_open2(codec_, encoder, &settings);
    av_dict_free(&settings);
    if (code < 0) {
        error = std::string("the ") + chosen.encoder + " encoder refuses " + std::to_string(width) + "x" +
                std::to_string(height) + ": " + describe(code);
        return false;
    }
    stream->time_base = codec_->time_base;
    stream->avg_frame_rate = codec_->framerate;
    avcodec_parameters_from_context(stream->codecpar, codec_);

    unsigned char* buffer = static_cast<unsigned char*>(av_malloc(IO_BUFFER_SIZE));
    if (buffer != nullptr)
        format_->pb = avio_alloc_context(buffer, IO_BUFFER_SIZE, 1, file, nullptr, writeToFile, seekInFile);
    if (format_->pb == nullptr) {
        av_free(buffer);
        error = "out of memory for the video";
        return false;
    }
    format_->flags |= AVFMT_FLAG_CUSTOM_IO;
    code = avformat_write_header(format_, nullptr);
    if (code < 0) {
        error = "cannot write the video: " + describe(code);
        return false;
    }

    converter_ = sws_getContext(width, height, AV_PIX_FMT_RGB24, width, height, AV_PIX_FMT_YUV420P,
                                SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INP, nullptr, nullptr, nullptr);
    frame_ = av_frame_alloc();
    packet_ = av_packet_alloc();
    if (converter_ == nullptr || frame_ == nullptr || packet_ == nullptr) {
        error = "out of memory for the video frames";
        return false;
    }
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(converter_, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);
    frame_->format = codec_->pix_fmt;
    frame_->width = width;
    frame_->height = height;
    if (av_frame_get_buffer(frame_, 0) < 0) {
        error = "out of memory for the video frames";
        return false;
    }
    for (int i = 0; i < BUFFERS; ++i) spare_.emplace_back(static_cast<size_t>(width) * height * 3);
    thread_ = std::thread(&VideoEncoder::encodeQueued, this);
    return true;
}

bool VideoEncoder::add(std::vector<unsigned char>& pixels) {
    {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return failed_ || !spare_.empty(); });
        if (failed_) return false;
        queued_.push_back(std::move(pixels));
        pixels = std::move(spare_.front());
        spare_.pop_front();
    }
    changed_.notify_all();
    return true;
}

bool VideoEncoder::finish(std::string& error) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
    if (!failed_) {
        const int code = av_write_trailer(format_);
        if (code < 0) failWith("completing the video", code);
    }
    if (!failed_) {
        avio_flush(format_->pb);
        if (format_->pb->error < 0) failWith("writing the video", format_->pb->error);
    }
    error = error_;
    return !failed_;
}

void VideoEncoder::encodeQueued() {
    for (;;) {
        std::vector<unsigned char> pixels;
        bool skip;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return ending_ || !queued_.empty(); });
            if (queued_.empty()) break;
            pixels = std::move(queued_.front());
            queued_.pop_front();
            skip = failed_;
        }
        if (!skip) {
            int code = av_frame_make_writable(frame_);
            if (code >= 0) {
                // From the last row up: the picture upright, as glReadPixels gives it upside down.
                const uint8_t* source[] = {pixels.data() + static_cast<size_t>(height_ - 1) * width_ * 3};
                const int stride[] = {-width_ * 3};
                sws_scale(converter_, source, stride, 0, height_, frame_->data, frame_->linesize);
                frame_->pts = frames_++;
                encode(frame_);
            } else {
                failWith("preparing a video frame", code);
            }
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            spare_.push_back(std::move(pixels));
        }
        changed_.notify_all();
    }
    bool flush;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        flush = !failed_;
    }
    // The frames the encoder still holds back.
    if (flush) encode(nullptr);
}

bool VideoEncoder::encode(const AVFrame* frame) {
    int code = avcodec_send_frame(codec_, frame);
    if (code < 0) return failWith("encoding a video frame", code);
    AVStream* stream = format_->streams[0];
    while ((code = avcodec_receive_packet(codec_, packet_)) >= 0) {
        av_packet_rescale_ts(packet_, codec_->time_base, stream->time_base);
        packet_->stream_index = stream->index;
        code = av_interleaved_write_frame(format_, packet_);
        if (code < 0) return failWith("writing the video", code);
    }
    return code == AVERROR(EAGAIN) || code == AVERROR_EOF || failWith("encoding a video frame", code);
}

bool VideoEncoder::failWith(const std::string& step, int code) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!failed_) error_ = step + " failed: " + describe(code);
        failed_ = true;
    }
    changed_.notify_all();
    return false;
}

void VideoEncoder::close() {
    if (format_ != nullptr && format_->pb != nullptr) {
        av_freep(&format_->pb->buffer);
        avio_context_free(&format_->pb);
    }
    avformat_free_context(format_);
    avcodec_free_context(&codec_);
    sws_freeContext(converter_);
    av_frame_free(&frame_);
    av_packet_free(&packet_);
    format_ = nullptr;
    converter_ = nullptr;
}
