#include "platform/linux/FfmpegDecoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <algorithm>
#include <cstring>
#include <new>

namespace {
// Whether the probed container is the kind the caller asked for. FFmpeg names its demuxers
// "wav", "mp3", "aac" (ADTS) and "mov,mp4,m4a,3gp,3g2,mj2".
bool IsKind(const AVInputFormat* container, AudioFileKind kind) {
    const char* name = container->name;
    switch (kind) {
    case AudioFileKind::WavOrMp3:
        return std::strcmp(name, "wav") == 0 || std::strcmp(name, "mp3") == 0;
    case AudioFileKind::Aac:
        return std::strcmp(name, "aac") == 0;
    case AudioFileKind::Mp4:
        return std::strstr(name, "mp4") != nullptr;
    }
    return false;
}
} // namespace

std::unique_ptr<FfmpegDecoder> FfmpegDecoder::Open(const std::string& filePath,
                                                   AudioFileKind fileKind, int rate) {
    std::unique_ptr<FfmpegDecoder> decoder(new (std::nothrow) FfmpegDecoder());
    if (!decoder) {
        return nullptr;
    }
    decoder->path = filePath;
    decoder->kind = fileKind;
    decoder->outputRate = rate;
    if (avformat_open_input(&decoder->format, filePath.c_str(), nullptr, nullptr) < 0 ||
        !IsKind(decoder->format->iformat, fileKind) ||
        avformat_find_stream_info(decoder->format, nullptr) < 0) {
        return nullptr;
    }
    const AVCodec* found = nullptr;
    decoder->streamIndex =
        av_find_best_stream(decoder->format, AVMEDIA_TYPE_AUDIO, -1, -1, &found, 0);
    if (decoder->streamIndex < 0 || found == nullptr) {
        return nullptr;
    }
    const AVStream* stream = decoder->format->streams[decoder->streamIndex];
    decoder->codec = avcodec_alloc_context3(found);
    if (decoder->codec == nullptr ||
        avcodec_parameters_to_context(decoder->codec, stream->codecpar) < 0) {
        return nullptr;
    }
    // Audio decodes far faster than it plays; one thread keeps it simple and predictable.
    decoder->codec->thread_count = 1;
    decoder->codec->pkt_timebase = stream->time_base;
    if (avcodec_open2(decoder->codec, found, nullptr) < 0) {
        return nullptr;
    }
    AVChannelLayout layout{};
    if (decoder->codec->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
        av_channel_layout_default(&layout, decoder->codec->ch_layout.nb_channels);
    } else if (av_channel_layout_copy(&layout, &decoder->codec->ch_layout) < 0) {
        return nullptr;
    }
    const bool configured = decoder->converter.Configure(decoder->codec->sample_rate, layout,
                                                         decoder->codec->sample_fmt, rate);
    av_channel_layout_uninit(&layout);
    decoder->packet = av_packet_alloc();
    decoder->frame = av_frame_alloc();
    if (!configured || decoder->packet == nullptr || decoder->frame == nullptr) {
        return nullptr;
    }
    return decoder;
}

FfmpegDecoder::~FfmpegDecoder() {
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&codec);
    avformat_close_input(&format);
}

bool FfmpegDecoder::DecodeMore() {
    while (!outputDone) {
        const int received = avcodec_receive_frame(codec, frame);
        if (received == 0) {
            const bool converted =
                converter.Convert(frame->extended_data, frame->nb_samples, pending);
            av_frame_unref(frame);
            return converted;
        }
        if (received == AVERROR_EOF) {
            outputDone = true;
            return converter.Drain(pending);
        }
        if (received != AVERROR(EAGAIN)) {
            return false;
        }
        if (inputDone) {
            return false;
        }
        // Feed the decoder the next packet of our stream; the end of input flushes it.
        const int demuxed = av_read_frame(format, packet);
        if (demuxed < 0) {
            inputDone = true;
            avcodec_send_packet(codec, nullptr);
            continue;
        }
        if (packet->stream_index == streamIndex) {
            // A damaged packet is skipped rather than ending the stream.
            avcodec_send_packet(codec, packet);
        }
        av_packet_unref(packet);
    }
    return false;
}

size_t FfmpegDecoder::Read(float* frames, size_t maxFrames) {
    size_t written = 0;
    while (written < maxFrames) {
        if (pendingRead == pending.size()) {
            pending.clear();
            pendingRead = 0;
            if (!DecodeMore() && pending.empty()) {
                break;
            }
        }
        const size_t n = std::min(maxFrames - written, (pending.size() - pendingRead) / 2);
        const auto from = pending.begin() + static_cast<std::ptrdiff_t>(pendingRead);
        std::copy(from, from + static_cast<std::ptrdiff_t>(n * 2), frames + written * 2);
        pendingRead += n * 2;
        written += n;
    }
    return written;
}

bool FfmpegDecoder::Rewind() {
    const std::unique_ptr<FfmpegDecoder> fresh = Open(path, kind, outputRate);
    if (!fresh) {
        return false;
    }
    Swap(*fresh);
    return true;
}

void FfmpegDecoder::Swap(FfmpegDecoder& other) {
    std::swap(format, other.format);
    std::swap(codec, other.codec);
    std::swap(packet, other.packet);
    std::swap(frame, other.frame);
    std::swap(streamIndex, other.streamIndex);
    std::swap(inputDone, other.inputDone);
    std::swap(outputDone, other.outputDone);
    converter.Swap(other.converter);
    std::swap(pending, other.pending);
    std::swap(pendingRead, other.pendingRead);
}
