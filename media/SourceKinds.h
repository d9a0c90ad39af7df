// The kinds of source media the program opens, one row per kind: the extensions a file of the
// kind is named with, the name of the picker's filter for it, the MIME types the desktop entry
// offers the program for, and the containers (FFmpeg's demuxer names) the decoder reads for it.
// Every list of kinds reads this table: the picker's filter, the preview's kind of a picked,
// typed, dropped or opened file, the decoder, the desktop entry and the help (kept equal by a
// test), and the command-line tool's help. Adding a kind is adding a row here.
// Constant after its first use; any thread may read it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The kind of a source file. Values 1 to 4 are the first four kinds and keep their meaning;
// every kind added since takes a value after them.
enum AudioFileType : int32_t {
    AudioFileNone = 0,
    AudioFileWav = 1,
    AudioFileMp3 = 2,
    AudioFileAac = 3,
    AudioFileMp4 = 4, // MP4 and M4A
    AudioFileFlac = 5,
    AudioFileOgg = 6,
    AudioFileOpus = 7,
    AudioFileWebm = 8,
    AudioFileMatroska = 9,
    AudioFileAiff = 10,
    AudioFileWma = 11, // WMA and ASF
    AudioFileMov = 12,
    AudioFile3gp = 13, // 3GP and AMR
    AudioFileM4b = 14,
};

struct SourceKind {
    AudioFileType type;
    // What the kind is called: "FLAC" (the help's list, the tool's help).
    std::string name;
    // The picker's filter for the kind, before its patterns: "FLAC files".
    std::string filterName;
    // Lower case, without the dot; the usual one first.
    std::vector<std::string> extensions;
    // As the desktop's shared MIME database names them (its canonical names).
    std::vector<std::string> mimeTypes;
    // The names FFmpeg gives the demuxers that read the kind, as a probe reports them.
    std::vector<std::string> containers;
};

// Every kind, in the order the picker and the lists show them.
const std::vector<SourceKind>& SourceKinds();

// The kind of a type; null for AudioFileNone or a value no row has.
const SourceKind* FindSourceKind(AudioFileType type);
// The kind the extension of a path's file name says, in any letter case; null for an
// extension no kind has, or none.
const SourceKind* SourceKindOfPath(const std::string& path);
// The first kind that a container (a demuxer's name as FFmpeg reports it) belongs to; null for
// a container no kind has.
const SourceKind* SourceKindOfContainer(const std::string& container);

// The words of the lists below go through `translate` (gettext's, where the caller has it: this
// library depends on nothing); by default they stay English.
using Translate = const char* (*)(const char*);
const char* Untranslated(const char* text);

// The file dialog's wildcard: "All sound and video files" with every kind's patterns, one
// entry per kind ("FLAC files (flac)|*.flac"), then "All files".
std::string SourceWildcard(Translate translate = Untranslated);
// The desktop entry's MimeType value: every kind's types, each followed by ";".
std::string SourceMimeTypes();
// Every container of every kind, once each, separated by commas (FFmpeg's format whitelist).
std::string SourceContainers();
// "WAV (.wav), MP3 (.mp3), ... and M4B (.m4b)", for a sentence that lists the kinds.
std::string SourceKindsSentence(Translate translate = Untranslated);
