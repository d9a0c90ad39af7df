#include "media/SourceKinds.h"

#include "text/Translation.h"

#include <algorithm>

namespace {

// FFmpeg reads MP4, M4A, M4B, MOV and 3GP with one demuxer, and WebM and Matroska with another.
const char* const isoMedia = "mov,mp4,m4a,3gp,3g2,mj2";
const char* const matroska = "matroska,webm";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

// The kind's extensions, `first` before the first and `between` before each further one:
// "*.mka;*.mkv" with "*." and ";*.".
std::string Extensions(const SourceKind& kind, const char* first, const char* between) {
    std::string list;
    for (const std::string& extension : kind.extensions) {
        list += (list.empty() ? first : between) + extension;
    }
    return list;
}

// "*.flac" or "*.mka;*.mkv".
std::string Patterns(const SourceKind& kind) {
    return Extensions(kind, "*.", ";*.");
}

} // namespace

const char* Untranslated(const char* text) {
    return text;
}

const std::vector<SourceKind>& SourceKinds() {
    static const std::vector<SourceKind> kinds = {
        {AudioFileWav, "WAV", N_("WAV files"), {"wav"}, {"audio/x-wav"}, {"wav"}},
        {AudioFileMp3, "MP3", N_("MP3 files"), {"mp3"}, {"audio/mpeg"}, {"mp3"}},
        {AudioFileAac, "AAC", N_("AAC files"), {"aac"}, {"audio/aac"}, {"aac"}},
        {AudioFileMp4,
         "MP4",
         N_("MPEG4 files"),
         {"mp4", "m4a"},
         {"video/mp4", "audio/mp4"},
         {isoMedia}},
        {AudioFileFlac, "FLAC", N_("FLAC files"), {"flac"}, {"audio/flac"}, {"flac"}},
        {AudioFileOgg,
         "Ogg",
         N_("Ogg files"),
         {"ogg", "oga"},
         {"audio/ogg", "audio/x-vorbis+ogg", "audio/x-flac+ogg", "video/ogg"},
         {"ogg"}},
        {AudioFileOpus, "Opus", N_("Opus files"), {"opus"}, {"audio/x-opus+ogg"}, {"ogg"}},
        {AudioFileWebm, "WebM", N_("WebM files"), {"webm"}, {"video/webm"}, {matroska}},
        {AudioFileMatroska,
         "Matroska",
         N_("Matroska files"),
         {"mka", "mkv"},
         {"audio/x-matroska", "video/x-matroska"},
         {matroska}},
        {AudioFileAiff, "AIFF", N_("AIFF files"), {"aif", "aiff"}, {"audio/x-aiff"}, {"aiff"}},
        {AudioFileWma,
         "WMA",
         N_("Windows Media files"),
         {"wma", "asf"},
         {"audio/x-ms-wma", "application/vnd.ms-asf"},
         {"asf"}},
        {AudioFileMov, "MOV", N_("QuickTime movies"), {"mov"}, {"video/quicktime"}, {isoMedia}},
        {AudioFile3gp,
         "3GP",
         N_("3GP and AMR files"),
         {"3gp", "amr"},
         {"video/3gpp", "audio/AMR"},
         {isoMedia, "amr"}},
        {AudioFileM4b, "M4B", N_("M4B audiobooks"), {"m4b"}, {"audio/x-m4b"}, {isoMedia}},
    };
    return kinds;
}

const SourceKind* FindSourceKind(AudioFileType type) {
    for (const SourceKind& kind : SourceKinds()) {
        if (kind.type == type) {
            return &kind;
        }
    }
    return nullptr;
}

const SourceKind* SourceKindOfPath(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return nullptr;
    }
    const std::string extension = Lower(path.substr(dot + 1));
    for (const SourceKind& kind : SourceKinds()) {
        if (std::find(kind.extensions.begin(), kind.extensions.end(), extension) !=
            kind.extensions.end()) {
            return &kind;
        }
    }
    return nullptr;
}

const SourceKind* SourceKindOfContainer(const std::string& container) {
    for (const SourceKind& kind : SourceKinds()) {
        if (std::find(kind.containers.begin(), kind.containers.end(), container) !=
            kind.containers.end()) {
            return &kind;
        }
    }
    return nullptr;
}

std::string SourceWildcard(Translate translate) {
    std::string all;
    std::string each;
    for (const SourceKind& kind : SourceKinds()) {
        all += (all.empty() ? "" : ";") + Patterns(kind);
        each += "|" + std::string(translate(kind.filterName.c_str())) + " (" +
                Extensions(kind, "", ", ") + ")|" + Patterns(kind);
    }
    return translate(N_("All sound and video files")) + ("|" + all + each + "|") +
           translate(N_("All files")) + "|*";
}

std::string SourceMimeTypes() {
    std::string types;
    for (const SourceKind& kind : SourceKinds()) {
        for (const std::string& type : kind.mimeTypes) {
            types += type + ";";
        }
    }
    return types;
}

std::string SourceContainers() {
    std::vector<std::string> seen;
    std::string list;
    for (const SourceKind& kind : SourceKinds()) {
        for (const std::string& container : kind.containers) {
            if (std::find(seen.begin(), seen.end(), container) == seen.end()) {
                seen.push_back(container);
                list += (list.empty() ? "" : ",") + container;
            }
        }
    }
    return list;
}

std::string SourceKindsSentence(Translate translate) {
    const std::vector<SourceKind>& kinds = SourceKinds();
    std::string sentence;
    for (size_t i = 0; i < kinds.size(); ++i) {
        sentence += (i == 0 ? "" : (i + 1 == kinds.size() ? translate(N_(" and ")) : ", ")) +
                    kinds[i].name + " (" + Extensions(kinds[i], ".", ", .") + ")";
    }
    return sentence;
}
