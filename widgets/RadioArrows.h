// Makes the arrows in a radio box select, as they do in a radio group everywhere else: the
// toolkit's own key handling on GTK moves the focus from item to item and leaves the selection
// behind, so that a keyboard user can't choose at all. Every item that takes the focus is
// selected, which a click or a Tab into the group (it lands on the selected item) does anyway;
// the selection is reported as a click's. Called by the box's owner once the box exists.
#pragma once

class wxRadioBox;

void SelectRadioItemsOnFocus(wxRadioBox* box);
