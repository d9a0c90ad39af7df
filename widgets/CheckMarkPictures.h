// Has the toolkit's default theme draw the marks of ticked check boxes and chosen radio items
// from its prerendered pictures instead of its vector drawings: reading a vector drawing loads
// an SVG library of several megabytes, and relocating it costs milliseconds, at every start-up,
// for marks of 16 pixels. Called at start-up, before the first window is built; later calls
// change nothing. Changes nothing under another theme, or on a scaled screen where the
// pictures would look blurred.
#pragma once

void UsePrerenderedCheckMarks();
