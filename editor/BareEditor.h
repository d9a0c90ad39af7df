// The ringtone editor's rules wired to bare rulers and a bare graph, the way the panel wires
// them but without windows: the command-line tool edits through it, and so do the tests that
// run without a display. Owns its rulers and graph; not copyable, since the rules point at them.
#pragma once

#include "editor/RingtoneEditor.h"
#include "wav/WavError.h"
#include "widgets/EditedWave.h"
#include "widgets/RulerValues.h"

#include <string>

class EditorView;

class BareEditor {
public:
    // Rulers as the panel makes them (range 1 to 1, markers at -1), then the handlers. The view,
    // which may be null, is only remembered: it may be made after this.
    explicit BareEditor(EditorView* view = nullptr);
    BareEditor(const BareEditor&) = delete;
    BareEditor& operator=(const BareEditor&) = delete;

    // Loads the working file and places the rulers, as the panel does after an import.
    WavError Load(const std::string& path);

    RulerValues cut;
    RulerValues time;
    RulerValues fadeIn;
    RulerValues fadeOut;
    RulerValues silence;
    EditedWave wave;
    RingtoneEditor editor;
};
