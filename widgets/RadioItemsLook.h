// Keeps a radio box's disabled items looking disabled when the box has a foreground colour:
// under GTK the colour is applied to every state of the items, so an item that ignores clicks
// would look exactly like one that takes them. Called by the box's owner once the box exists;
// the style it adds lives as long as the box and leaves enabled items in the box's colours.
#pragma once

class wxRadioBox;

void KeepDisabledItemsGrey(wxRadioBox* box);
