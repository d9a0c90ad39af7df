// Keeps a scroll bar's thumb visible when the bar is given a background colour: under GTK the
// colour also paints the thumb, which then vanishes into the trough. Called by the bar's owner
// after it sets the colours; the style it adds lives as long as the bar.
#pragma once

class wxScrollBar;

void KeepScrollThumbVisible(wxScrollBar* bar);
