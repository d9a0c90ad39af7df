// Readies the toolkit for building the main window while the program has time to spare (the
// start-up wait before the console exists): the theme's style sheets are parsed, every kind of
// control the window holds is set up once, the fonts the window uses are found and opened, and
// the table of languages behind the layout direction is built.
// Nothing is shown and no window is made; the controls it makes are destroyed again. The window
// then builds from warm caches. Called once on the user-interface thread.
#pragma once

void WarmUpToolkit();
