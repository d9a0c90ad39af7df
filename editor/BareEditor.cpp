#include "editor/BareEditor.h"

BareEditor::BareEditor(EditorView* view) {
    for (RulerValues* ruler : {&cut, &time, &fadeIn, &fadeOut, &silence}) {
        ruler->SetRange(1, 1);
        ruler->SetValues(-1, -1);
    }
    editor.cutMarkers = &cut;
    editor.timeMarkers = &time;
    editor.fadeInMarkers = &fadeIn;
    editor.fadeOutMarkers = &fadeOut;
    editor.silenceMarkers = &silence;
    editor.media = &wave;
    editor.view = view;
    editor.InstallHandlers();
}

WavError BareEditor::Load(const std::string& path) {
    const WavError loaded = wave.LoadMedia(path);
    if (loaded == WavError::None) {
        editor.PlaceRulers();
    }
    return loaded;
}
