#include "platform/linux/FfmpegDecoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <algorithm>
#include <new>

namespace {

// The stream a player takes: the first audio stream marked as the default, else the first;
// only streams FFmpeg can decode count. -1 for none.
int32_t PreferredAudioStream(const AVFormatContext* format) {
    int32_t first = -1;
    for (unsigned int i = 0; i < format->nb_streams; ++i) {
        const AVStream* stream = format->streams[i];
        if (stream->codecpar->codec_type != AVMEDIA_TYPE_AUDIO ||
            avcodec_find_decoder(stream->codecpar->codec_id) == nullptr) {
            continue;
        }
        if ((stream->disposition & AV_DISPOSITION_DEFAULT) != 0) {
            return static_cast<int32_t>(i);
        }
        if (first < 0) {
            first = static_cast<int32_t>(i);
        }
    }
    return first;
}

// Opens path as a container of one of the kinds, with `format` open unless the result is
// Unreadable. Only files: FFmpeg would take a name such as "concat:a|b" or "http:x" for one of
// its protocols, and a playlist demuxer would open what the playlist names.
SourceCheck OpenContainer(const std::string& path, AVFormatContext*& format) {
    static const std::string containers = SourceContainers();
    SourceCheck check;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "format_whitelist", containers.c_str(), 0);
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    const int opened = avformat_open_input(&format, ("file:" + path).c_str(), nullptr, &options);
    av_dict_free(&options);
    if (opened < 0) {
        return check;
    }
    const SourceKind* kind = SourceKindOfContainer(format->iformat->name);
    check.kind = kind != nullptr ? kind->type : AudioFileNone;
    if (avformat_find_stream_info(format, nullptr) < 0) {
        avformat_close_input(&format);
        return check;
    }
    check.stream = PreferredAudioStream(format);
    check.result = check.stream < 0 ? SourceCheck::Result::NoSound : SourceCheck::Result::Sound;
    return check;
}

} // namespace

SourceCheck FfmpegDecoder::Check(const std::string& filePath) {
    AVFormatContext* format = nullptr;
    const SourceCheck check = OpenContainer(filePath, format);
    avformat_close_input(&format);
    return check;
}

std::unique_ptr<FfmpegDecoder> FfmpegDecoder::Open(const std::string& filePath, int rate) {
    std::unique_ptr<FfmpegDecoder> decoder(new (std::nothrow) FfmpegDecoder());
    if (!decoder) {
        return nullptr;
    }
    decoder->path = filePath;
    decoder->outputRate = rate;
    const SourceCheck check = OpenContainer(filePath, decoder->format);
    if (check.result != SourceCheck::Result::Sound) {
        return nullptr;
    }
    decoder->streamIndex = check.stream;
    // Only the stream that is heard is demuxed: a video's pictures are skipped unread where
    // the container allows it.
    for (unsigned int i = 0; i < decoder->format->nb_streams; ++i) {
        if (static_cast<int32_t>(i) != check.stream) {
            decoder->format->streams[i]->discard = AVDISCARD_ALL;
        }
    }
    const AVStream* stream = decoder->format->streams[decoder->streamIndex];
    const AVCodec* found = avcodec_find_decoder(stream->codecpar->codec_id);
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
    const std::unique_ptr<FfmpegDecoder> fresh = Open(path, outputRate);
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
