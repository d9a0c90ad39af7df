// What the ringtone editor's rules need from the window that shows them: repaints, the scroll
// position of the time axis and the layout of the time widgets. The editor panel implements it;
// the command-line tool, which shows nothing, passes none.
// User-interface thread only.
#pragma once

#include <cstdint>

class EditorView {
public:
    // Repaint without erasing the cut ruler, the time ruler, the graph, the fade-in ruler, the
    // fade-out ruler and the silence ruler, in that order.
    virtual void RefreshAll() = 0;
    // Repaint the time ruler, then the graph.
    virtual void RefreshTimeAndGraph() = 0;
    // Width of the rulers and the graph and range of the scroll bar from the zoom and the
    // extent.
    virtual void UpdateLayout() = 0;
    // The scroll bar's thumb position, in pixels of the time axis.
    virtual int32_t ThumbPosition() = 0;
    // Width of the graph's client area, in pixels.
    virtual int32_t VisibleWidth() = 0;
    // Moves the thumb and scrolls every time widget with it.
    virtual void ScrollTo(int32_t position) = 0;

protected:
    ~EditorView() = default;
};
