// Reads a video back with FFmpeg's libraries, as a player would: every frame as an upright RGB picture.
#include "tests/support/Video.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

// Every frame to RGB with the matrix and range the stream says it was made with.
static void keepFrame(const AVFrame* frame, DecodedVideo& video) {
    SwsContext* converter = sws_getContext(frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
                                           frame->width, frame->height, AV_PIX_FMT_RGB24,
                                           SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr,
                                           nullptr);
    const int matrix = frame->colorspace == AVCOL_SPC_BT709 ? SWS_CS_ITU709 : SWS_CS_DEFAULT;
    sws_setColorspaceDetails(converter, sws_getCoefficients(matrix), frame->color_range == AVCOL_RANGE_JPEG,
                             sws_getCoefficients(SWS_CS_ITU709), 1, 0, 1 << 16, 1 << 16);
    Screenshot picture{frame->width, frame->height,
                       std::vector<unsigned char>(size_t(frame->width) * frame->height * 3)};
    uint8_t* target[] = {picture.rgb.data()};
    const int stride[] = {frame->width * 3};
    sws_scale(converter, frame->data, frame->linesize, 0, frame->height, target, stride);
    sws_freeContext(converter);
    video.frames.push_back(std::move(picture));
}

DecodedVideo decodeVideo(const std::string& path) {
    DecodedVideo video;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return {{}, 0, {}, "cannot open " + path};
    const AVCodec* decoder = nullptr;
    const int stream = avformat_find_stream_info(format, nullptr) < 0
                           ? -1 : av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
    AVCodecContext* codec = avcodec_alloc_context3(decoder);
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    if (stream < 0 || avcodec_parameters_to_context(codec, format->streams[stream]->codecpar) < 0 ||
        avcodec_open2(codec, decoder, nullptr) < 0) {
        video.error = "no video stream that can be decoded in " + path;
    } else {
        video.codec = decoder->name;
        video.fps = av_q2d(format->streams[stream]->avg_frame_rate);
        // The packets, then an empty one that drains what the decoder holds back.
        for (bool more = true; more && video.error.empty();) {
            more = av_read_frame(format, packet) >= 0;
            if (more && packet->stream_index != stream) {
                av_packet_unref(packet);
                continue;
            }
            if (avcodec_send_packet(codec, more ? packet : nullptr) < 0) video.error = "a broken packet";
            av_packet_unref(packet);
            while (avcodec_receive_frame(codec, frame) >= 0) keepFrame(frame, video);
        }
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&codec);
    avformat_close_input(&format);
    return video;
}
