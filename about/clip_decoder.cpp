#include "clip_decoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <optional>

namespace crestaverde {
namespace {

// Owners for FFmpeg's objects, so that every way out frees them.
struct FormatCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct CodecFreer {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFreer {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct ScalerFreer {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};

constexpr int kMaxFrames = 2000;

// Four bytes a pixel, as the window shows them.
std::size_t frameBytes(int width, int height) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
}

class Decoder {
  public:
    explicit Decoder(const ClipLimits& limits) : limits_(limits) {}

    std::string open(const std::string& path) {
        AVFormatContext* format = nullptr;
        if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0)
            return "no se puede abrir";
        format_.reset(format);
        if (avformat_find_stream_info(format_.get(), nullptr) < 0) return "no tiene vídeo legible";
        const AVCodec* codec = nullptr;
        stream_ = av_find_best_stream(format_.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
        if (stream_ < 0 || codec == nullptr) return "no tiene vídeo";
        codec_.reset(avcodec_alloc_context3(codec));
        const AVStream* stream = format_->streams[stream_];
        if (frameBytes(stream->codecpar->width, stream->codecpar->height) >
            limits_.maxDecodedBytes) {
            return "es demasiado grande";
        }
        if (!codec_ || avcodec_parameters_to_context(codec_.get(), stream->codecpar) < 0 ||
            avcodec_open2(codec_.get(), codec, nullptr) < 0) {
            return "no se puede descodificar";
        }
        if (stream->avg_frame_rate.num > 0 && stream->avg_frame_rate.den > 0) {
            clip_.frameMilliseconds =
                static_cast<int>(1000LL * stream->avg_frame_rate.den / stream->avg_frame_rate.num);
        }
        return {};
    }

    std::string decodeAll() {
        const std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
        const std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
        while (av_read_frame(format_.get(), packet.get()) >= 0) {
            if (packet->stream_index == stream_ &&
                avcodec_send_packet(codec_.get(), packet.get()) < 0) {
                av_packet_unref(packet.get());
                return "tiene imágenes dañadas";
            }
            av_packet_unref(packet.get());
            if (std::string error = receive(frame.get()); !error.empty()) return error;
        }
        avcodec_send_packet(codec_.get(), nullptr);
        if (std::string error = receive(frame.get()); !error.empty()) return error;
        return clip_.frames.empty() ? "no tiene imágenes" : "";
    }

    Clip take() { return std::move(clip_); }

  private:
    std::string receive(AVFrame* frame) {
        while (avcodec_receive_frame(codec_.get(), frame) >= 0) {
            if (limits_.cancelled != nullptr && limits_.cancelled->load()) return "se canceló";
            if (clip_.frames.size() >= kMaxFrames) return "es demasiado largo";
            if (frame->width <= 0 || frame->height <= 0 || frame->width > 4096 ||
                frame->height > 4096) {
                return "tiene un tamaño imposible";
            }
            decodedBytes_ += frameBytes(frame->width, frame->height);
            if (decodedBytes_ > limits_.maxDecodedBytes) return "es demasiado grande";
            std::optional<ClipFrame> converted = convert(frame);
            av_frame_unref(frame);
            if (!converted) return "usa un formato de imagen desconocido";
            clip_.frames.push_back(std::move(*converted));
        }
        return {};
    }

    std::optional<ClipFrame> convert(const AVFrame* frame) {
        ClipFrame out;
        out.width = frame->width;
        out.height = frame->height;
        out.rgba.resize(frameBytes(out.width, out.height));
        scaler_.reset(sws_getCachedContext(scaler_.release(), frame->width, frame->height,
                                           static_cast<AVPixelFormat>(frame->format), out.width,
                                           out.height, AV_PIX_FMT_RGBA, SWS_POINT, nullptr, nullptr,
                                           nullptr));
        if (!scaler_) return std::nullopt;
        std::uint8_t* planes[4] = {out.rgba.data(), nullptr, nullptr, nullptr};
        int strides[4] = {out.width * 4, 0, 0, 0};
        sws_scale(scaler_.get(), frame->data, frame->linesize, 0, frame->height, planes, strides);
        return out;
    }

    std::unique_ptr<AVFormatContext, FormatCloser> format_;
    std::unique_ptr<AVCodecContext, CodecFreer> codec_;
    std::unique_ptr<SwsContext, ScalerFreer> scaler_;
    int stream_ = -1;
    const ClipLimits& limits_;
    std::size_t decodedBytes_ = 0;
    Clip clip_;
};

}  // namespace

DecodedClip decodeClip(const std::string& path, const ClipLimits& limits) {
    Decoder decoder(limits);
    if (std::string error = decoder.open(path); !error.empty()) return error;
    if (std::string error = decoder.decodeAll(); !error.empty()) return error;
    return decoder.take();
}

}  // namespace crestaverde

extern "C" void crestaverde_decode_clip(const std::string* path,
                                        const crestaverde::ClipLimits* limits,
                                        crestaverde::DecodedClip* out) {
    *out = crestaverde::decodeClip(*path, *limits);
}
