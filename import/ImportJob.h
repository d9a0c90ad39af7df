// One import of a media file into the working file, as the window's import button and the
// command-line tool both do it, with the rules that keep a failed import from costing the
// user anything:
//
//   Convert  the converter writes a fresh staging file in temp/ (never temp/current.wav); the
//            result counts only when the converter ended with success AND the staging file
//            opens as a working file. Otherwise the staging file is removed and `error` says
//            why; temp/current.wav has not been touched.
//   Replace  the checked staging file takes the working file's place by renaming; the previous
//            working file is kept aside until the caller has loaded the new one.
//   Undo     the caller could not load the new working file after all: the previous one is put
//            back, so the editor's media and the working file still belong together.
//
// Destroying the job (or converting again) removes what it left behind: an unplaced staging
// file, and the previous working file once the new one stands. Paths are relative to the working
// directory, as UTF-8 bytes. Every failure but a cancel is recorded in the failure log. Runs on
// the user-interface thread (Convert blocks it while the converter runs).
#pragma once

#include "import/ConverterRunner.h"
#include "import/ImportError.h"
#include "platform/ProgressCallback.h"
#include "wav/WavError.h"
#include "wav/WavHeader.h"

#include <functional>
#include <string>

class ImportJob {
public:
    std::string converterPath = "temp/ffmpeg";
    std::string workingPath = "temp/current.wav";
    // Staging files get a fresh name each time (the X's become random letters, and nothing
    // exists under the name when the converter starts and creates the file), so neither a
    // leftover of an earlier run nor a source that lies in temp/ is taken for the output.
    std::string stagingPattern = "temp/import-XXXXXX.wav";
    std::string previousPath = "temp/previous.wav";

    // Asked once per poll while the converter runs; true cancels the import (ConverterRunner).
    std::function<bool()> cancelRequested;

    // The converter's run: exit status, last lines, progress values.
    ConverterRunner runner;
    ImportError error = ImportError::None;
    // Why the converter's result was refused (UnusableResult) or could not be loaded
    // (NotLoaded).
    WavError wavError = WavError::None;
    // The system's message behind a source that can't be read, a temp folder that takes no
    // file or a failed rename.
    std::string detail;
    // The checked result's header, valid after a successful Convert.
    WavHeader header;
    // The staging file of the last Convert, empty once it was placed or removed.
    std::string stagingPath;

    ImportJob() = default;
    ~ImportJob();
    ImportJob(const ImportJob&) = delete;
    ImportJob& operator=(const ImportJob&) = delete;

    // Converts the source into a staging file behind the progress callback (runner's rules:
    // nothing until the duration is known, 0 to 99 per poll, a final 100 once the converter
    // has run) and checks the result. False, with `error` set and no staging file left,
    // when the source or the temp folder can't be used, the converter can't run, fails or is
    // cancelled, or its output is unusable or holds no whole second; or when the source holds
    // no sound. Of several audio streams the converter takes the one the preview plays.
    bool Convert(const std::wstring& sourcePath, ProgressCallback callback, void* user);

    // Renames the checked staging file to the working file. False (error NotReplaced, staging
    // file removed, working file as it was) when that fails.
    bool Replace();

    // After a Replace whose result could not be loaded, for the load's reason (and the system's
    // error number behind it, or 0): puts the previous working file back (or none, when there
    // was none) and sets error NotLoaded. False when the previous file could not be restored.
    bool Undo(WavError loadError, int systemError);

    // DescribeImportError(error) with the working file's reason or the system's, then, when
    // the converter failed and printed anything, its last lines.
    std::string Explanation() const;

private:
    bool ConvertSource(const std::wstring& sourcePath, ProgressCallback callback, void* user);
    // Records a failure, other than a cancel, in the failure log.
    void Record() const;
    // Removes what an earlier conversion of this job left behind.
    void Settle();
    void RemoveStaging();
    // The source of the last Convert, for the log.
    std::string source;
    bool replaced = false;
    bool hadPrevious = false;
};
