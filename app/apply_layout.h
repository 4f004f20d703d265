// Puts the layout rule's plan into effect on the main window: its size and place, the controls,
// the panel font, the button labels and the brick images.
#pragma once

#include <windows.h>

// The buttons' and the score panel's bold italic Arial of this height.
HFONT MakePanelFont(int height);

// Sizes the window for the settings at its DPI and centres it in the work area of its monitor,
// places the controls, rebuilds the brick images, labels the buttons and shows the window. Bricks
// whose window would not fit the work area are drawn smaller, by one factor for both sides; the
// settings keep the player's sizes.
void LayoutWindow();

// Another resolution or colour depth, or a monitor gone: laid out again where the player put the
// window, while it fits there.
void LayOutForDisplay();

// Dragged to a monitor of another scale, or the scale changed: laid out at the new DPI at the
// place Windows suggests, inside that monitor's work area.
void LayOutForDpi(int dpi, const RECT& suggested);
